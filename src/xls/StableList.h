#pragma once

#include "xls/BlockPool.h"

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

// An append-only list whose items never move, so references to them stay valid. Items live
// in large blocks: one allocation per few thousand items, and appending is a pointer bump.
template <class T, size_t BlockSize = 4096> class StableList {
    static_assert((BlockSize & (BlockSize - 1)) == 0, "block size must be a power of two");

public:
    StableList() = default;
    StableList(const StableList &) = delete;
    StableList &operator=(const StableList &) = delete;
    ~StableList()
    {
        if constexpr (!std::is_trivially_destructible_v<T>)
            for (size_t i = 0; i < m_size; ++i)
                (*this)[i].~T();
    }

    template <class... Args> T &emplace_back(Args &&...args)
    {
        if (m_next == m_blockEnd)
            addBlock();
        T *item = ::new (static_cast<void *>(m_next)) T(std::forward<Args>(args)...);
        ++m_next;
        ++m_size;
        return *item;
    }

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T &operator[](size_t i) { return item(i); }
    const T &operator[](size_t i) const { return const_cast<StableList *>(this)->item(i); }
    T &back() { return *std::launder(reinterpret_cast<T *>(m_next - 1)); }
    const T &back() const { return *std::launder(reinterpret_cast<const T *>(m_next - 1)); }

private:
    struct alignas(T) Slot {
        std::byte bytes[sizeof(T)];
    };

    T &item(size_t i)
    {
        return *std::launder(reinterpret_cast<T *>(&m_blocks[i / BlockSize].get()[i % BlockSize]));
    }
    void addBlock()
    {
        m_blocks.emplace_back(static_cast<Slot *>(BlockPool::take(kBlockBytes)));
        m_next = m_blocks.back().get();
        m_blockEnd = m_next + BlockSize;
    }

    static constexpr size_t kBlockBytes = sizeof(Slot) * BlockSize;
    // Slots are raw bytes: a block needs no constructing or destroying of its own.
    std::vector<std::unique_ptr<Slot, BlockPool::Return<kBlockBytes>>> m_blocks;
    Slot *m_next = nullptr;
    Slot *m_blockEnd = nullptr;
    size_t m_size = 0;
};
