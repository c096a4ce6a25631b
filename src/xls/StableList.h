#pragma once

#include <cstddef>
#include <vector>

// An append-only list whose items never move, so references to them stay valid. Items live
// in large blocks: one allocation per few thousand items, where a deque allocates every few.
template <class T, size_t BlockSize = 4096> class StableList {
public:
    template <class... Args> T &emplace_back(Args &&...args)
    {
        if (m_blocks.empty() || m_blocks.back().size() == BlockSize) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(BlockSize);
        }
        ++m_size;
        return m_blocks.back().emplace_back(std::forward<Args>(args)...);
    }

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T &operator[](size_t i) { return m_blocks[i / BlockSize][i % BlockSize]; }
    const T &operator[](size_t i) const { return m_blocks[i / BlockSize][i % BlockSize]; }
    T &back() { return m_blocks.back().back(); }
    const T &back() const { return m_blocks.back().back(); }

private:
    std::vector<std::vector<T>> m_blocks;
    size_t m_size = 0;
};
