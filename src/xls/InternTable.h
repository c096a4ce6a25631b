#pragma once

#include <QtGlobal>
#include <cstring>
#include <type_traits>
#include <vector>

// Fixed-length records kept once each, in order of first appearance, found by a hash of
// their bytes. An index once handed out always means the same record.
template <class Record> class TInternTable {
    static_assert(std::has_unique_object_representations_v<Record>,
                  "records are compared as bytes, so they must have no padding");

public:
    explicit TInternTable(const Record &first) { Intern(first); }

    int Intern(const Record &record)
    {
        const quint64 hash = hashOf(record);
        size_t slot = size_t(hash) & (m_slots.size() - 1);
        if (m_slots.empty())
            slot = 0;
        while (!m_slots.empty() && m_slots[slot] != 0) {
            const quint32 index = m_slots[slot] - 1;
            if (m_hashes[index] == hash &&
                std::memcmp(&m_records[index], &record, sizeof(Record)) == 0)
                return int(index);
            slot = (slot + 1) & (m_slots.size() - 1);
        }
        m_records.push_back(record);
        m_hashes.push_back(hash);
        if (m_records.size() * 2 > m_slots.size())
            rehash();
        else
            m_slots[slot] = quint32(m_records.size());
        return int(m_records.size()) - 1;
    }

    const Record &Item(int index) const { return m_records.at(size_t(index)); }
    int Count() const { return int(m_records.size()); }
    const std::vector<Record> &records() const { return m_records; }

private:
    static quint64 hashOf(const Record &record)
    {
        // FNV-1a over the record's bytes, eight at a time.
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&record);
        quint64 hash = 1469598103934665603ull;
        size_t i = 0;
        for (; i + 8 <= sizeof(Record); i += 8) {
            quint64 word;
            std::memcpy(&word, bytes + i, 8);
            hash = (hash ^ word) * 1099511628211ull;
        }
        for (; i < sizeof(Record); ++i)
            hash = (hash ^ bytes[i]) * 1099511628211ull;
        return hash ^ (hash >> 29);
    }

    void rehash()
    {
        m_slots.assign(m_slots.empty() ? 16 : m_slots.size() * 2, 0);
        for (size_t i = 0; i < m_records.size(); ++i) {
            size_t slot = size_t(m_hashes[i]) & (m_slots.size() - 1);
            while (m_slots[slot] != 0)
                slot = (slot + 1) & (m_slots.size() - 1);
            m_slots[slot] = quint32(i + 1);
        }
    }

    std::vector<Record> m_records;
    std::vector<quint64> m_hashes;
    std::vector<quint32> m_slots; // record index + 1; 0 is a free slot
};
