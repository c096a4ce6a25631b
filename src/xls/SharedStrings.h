#pragma once

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

class BiffStream;

// The workbook's texts, each kept once, in order of first appearance; cells refer to their
// text by entry index. The characters are copied into large blocks of their own, so the list
// holds no reference to the caller's strings, costs nothing to free and is read front to back
// when written. An entry is written in one-byte form (flags 0) when every UTF-16 unit is at
// most 0xFF, else as UTF-16 (flags 1); equal texts give equal entries, so texts are compared
// rather than their entry bytes.
class SharedStrings {
public:
    static constexpr quint32 kNone = 0xFFFFFFFF;

    SharedStrings();
    SharedStrings(const SharedStrings &) = delete;
    SharedStrings &operator=(const SharedStrings &) = delete;

    // Room for this many distinct texts without growing.
    void reserve(size_t texts);
    // The entry of that text, added when it is new.
    quint32 add(QStringView text);
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

    quint32 lookUp(QStringView text);
    const char16_t *keep(QStringView text);
    void place(quint32 hash, quint32 index);

    quint32 m_emptyIndex = kNone;
    std::vector<Entry> m_entries;
    std::vector<std::unique_ptr<char16_t[]>> m_blocks;
    char16_t *m_free = nullptr;
    size_t m_freeChars = 0;
    // The entry's hash in the high half (so most mismatches never touch the entry), the entry
    // index + 1 in the low half; 0 is a free slot.
    std::vector<quint64> m_slots;
};
