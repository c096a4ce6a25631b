#pragma once

#include <QString>
#include <vector>

class BiffStream;

// The shared-string list: distinct texts in order of first occurrence. Each entry is written
// in one-byte form (flags 0) when every UTF-16 unit is at most 0xFF, else as UTF-16 (flags 1);
// equal texts give equal entries, so texts are compared rather than their entry bytes.
class SharedStrings {
public:
    // Room for this many distinct texts without growing.
    void reserve(size_t texts);
    quint32 add(const QString &text);
    quint32 count() const { return quint32(m_entries.size()); }
    // The entries' bytes, without the records around them.
    quint64 byteSize() const { return m_byteSize; }
    const QString &entry(quint32 index) const { return m_entries[index]; }

    static bool isOneByte(const QString &text);

    // SST with as many CONTINUE records as the 8224-byte record limit needs.
    void write(BiffStream &out) const;

private:
    quint32 lookUp(const QString &text);
    void place(quint32 hash, quint32 index);

    // Cells mostly share their texts' data with other cells (the same empty text, the same
    // unit on every line), so the last entry seen for a text's data is remembered by address.
    struct Recent {
        const QChar *data = nullptr;
        qsizetype size = 0;
        quint32 index = 0;
    };
    Recent m_recent[64];
    static constexpr quint32 kNone = 0xFFFFFFFF;
    quint32 m_emptyIndex = kNone;
    std::vector<QString> m_entries;
    std::vector<quint32> m_hashes;
    quint64 m_byteSize = 0;
    // The entry's hash in the high half (so most mismatches never touch the entry), the entry
    // index + 1 in the low half; 0 is a free slot.
    std::vector<quint64> m_slots;
};
