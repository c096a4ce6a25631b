#pragma once

#include <QtGlobal>
#include <vector>

// A hash index from a 32-bit key to a position in a list; entries are never removed.
// Open addressing keeps a lookup to one or two cache lines, which is what keeps filling a
// sheet cell by cell linear and cheap.
class KeyIndex {
public:
    // The position stored for the key, or -1.
    qint64 find(quint32 key) const
    {
        if (m_slots.empty())
            return -1;
        for (size_t slot = slotOf(key);; slot = (slot + 1) & m_mask) {
            const quint64 entry = m_slots[slot];
            if (entry == 0)
                return -1;
            if (quint32(entry >> 32) == key + 1)
                return qint64(quint32(entry));
        }
    }

    // The key must not be in the index yet.
    void insert(quint32 key, quint32 position)
    {
        if ((m_count + 1) * 2 > m_slots.size())
            grow();
        place(key, position);
        ++m_count;
    }

    size_t count() const { return m_count; }

private:
    size_t slotOf(quint32 key) const
    {
        return size_t((quint64(key) * 0x9E3779B97F4A7C15ull) >> 32) & m_mask;
    }

    void place(quint32 key, quint32 position)
    {
        size_t slot = slotOf(key);
        while (m_slots[slot] != 0)
            slot = (slot + 1) & m_mask;
        // key + 1 so that an all-zero slot is always free (keys stay below 2^32 - 1).
        m_slots[slot] = (quint64(key + 1) << 32) | position;
    }

    void grow()
    {
        std::vector<quint64> old;
        old.swap(m_slots);
        m_slots.assign(old.empty() ? 64 : old.size() * 2, 0);
        m_mask = m_slots.size() - 1;
        for (quint64 entry : old)
            if (entry != 0)
                place(quint32(entry >> 32) - 1, quint32(entry));
    }

    std::vector<quint64> m_slots;
    size_t m_mask = 0;
    size_t m_count = 0;
};
