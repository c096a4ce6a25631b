#pragma once

#include <QString>
#include <vector>

class BiffStream;

// The workbook's texts, each kept once, in order of first appearance; cells refer to their
// text by entry index. An entry is written in one-byte form (flags 0) when every UTF-16 unit
// is at most 0xFF, else as UTF-16 (flags 1); equal texts give equal entries, so texts are
// compared rather than their entry bytes.
class SharedStrings {
public:
    static constexpr quint32 kNone = 0xFFFFFFFF;

    SharedStrings();

    // Room for this many distinct texts without growing.
    void reserve(size_t texts);
    // The entry of that text, added when it is new.
    quint32 add(const QString &text);
    quint32 count() const { return quint32(m_entries.size()); }
    const QString &entry(quint32 index) const { return m_entries[index]; }
    bool isOneByte(quint32 index) const { return m_oneByte[index] != 0; }
    // The bytes of that entry in the list, without the records around them.
    quint64 entryBytes(quint32 index) const
    {
        return 3 + quint64(m_entries[index].size()) * (isOneByte(index) ? 1 : 2);
    }

    static bool isOneByte(const QString &text);

    // The SST record of the given entries, in that order, with as many CONTINUE records as
    // the 8224-byte record limit needs.
    void write(BiffStream &out, const std::vector<quint32> &entries) const;

private:
    quint32 lookUp(const QString &text);
    void place(quint32 hash, quint32 index);

    // Cells often share one text's data (the same unit on every line), so the entry of data
    // an entry itself holds is remembered by address: that data cannot change or go away
    // while the entry holds it.
    struct Recent {
        const QChar *data = nullptr;
        qsizetype size = 0;
        quint32 index = 0;
    };
    Recent m_recent[64];
    quint32 m_emptyIndex = kNone;
    std::vector<QString> m_entries;
    std::vector<quint32> m_hashes;
    std::vector<quint8> m_oneByte;
    // The entry's hash in the high half (so most mismatches never touch the entry), the entry
    // index + 1 in the low half; 0 is a free slot.
    std::vector<quint64> m_slots;
};
