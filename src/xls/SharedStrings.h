#pragma once

#include "xls/BlockPool.h"
#include "xls/StableList.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

class BiffStream;

// The workbook's texts; cells refer to their text by entry index. Every text given is kept as
// an entry of its own at once, with its characters copied into large blocks, so the list
// holds no reference to the caller's strings and costs nothing to free. Which entries hold
// equal texts is worked out in batches: a batch looks up all its hash slots together, so
// their cache misses overlap instead of stalling one text after the other. Equal texts share
// one entry in the file (their canonical entry, the first of them). An entry is written in
// one-byte form (flags 0) when every UTF-16 unit is at most 0xFF, else as UTF-16 (flags 1).
class SharedStrings {
public:
    static constexpr quint32 kNone = 0xFFFFFFFF;

    SharedStrings();
    SharedStrings(const SharedStrings &) = delete;
    SharedStrings &operator=(const SharedStrings &) = delete;

    // The entry of that text.
    quint32 add(QStringView text);
    // Room for that many more texts without the look-up table growing on the way.
    void reserve(size_t texts);
    // Entries given out so far, equal texts counted apart.
    quint32 count() const { return quint32(m_entries.size()); }
    QStringView entry(quint32 index) const
    {
        const Entry &e = m_entries[index];
        return QStringView(e.chars, qsizetype(e.size));
    }
    bool isOneByte(quint32 index) const { return m_entries[index].oneByte != 0; }
    // The bytes of that entry in the list, without the records around them.
    quint64 entryBytes(quint32 index) const
    {
        const Entry &e = m_entries[index];
        return 3 + quint64(e.size) * (e.oneByte ? 1 : 2);
    }

    // Works out the equal texts still pending; canonical() needs it first.
    void resolve();
    // The first entry whose text equals that entry's.
    quint32 canonical(quint32 index) const { return m_canonical[index]; }

    // The SST record of the given entries, in that order, with as many CONTINUE records as
    // the 8224-byte record limit needs.
    void write(BiffStream &out, const std::vector<quint32> &entries) const;

private:
    struct Entry {
        const char16_t *chars;
        quint32 size : 31;
        quint32 oneByte : 1;
        quint32 hash;
    };
    static constexpr size_t kBlockChars = 32 * 1024;
    static constexpr size_t kBatch = 32;

    const char16_t *keep(QStringView text);
    void grow();
    void place(quint32 hash, quint32 index);
    void growTo(size_t wanted);

    // The entries of the texts added last from a few caller strings, by the strings' address:
    // a cell text given from the same string as before (a unit, a blank) skips the hashing.
    // Only a hint: the characters are compared before the entry is used again.
    struct Recent {
        const void *data = nullptr;
        quint32 index = kNone;
    };
    static constexpr size_t kRecent = 8;
    Recent m_recent[kRecent];

    quint32 m_emptyIndex = kNone;
    StableList<Entry> m_entries;
    std::vector<quint32> m_canonical; // for the entries resolved so far
    static constexpr size_t kBlockBytes = kBlockChars * sizeof(char16_t);
    std::vector<std::unique_ptr<void, BlockPool::Return<kBlockBytes>>> m_blocks;
    std::vector<std::unique_ptr<char16_t[]>> m_longTexts; // each longer than a block
    char16_t *m_free = nullptr;
    size_t m_freeChars = 0;
    // Canonical entries only: the entry's hash in the high half (so most mismatches never
    // touch the entry), the entry index + 1 in the low half; 0 is a free slot.
    std::vector<quint64> m_slots;
    size_t m_slotsUsed = 0;
};
