#pragma once

#include <QString>
#include <vector>

class BiffStream;

// The shared-string list: distinct texts in order of first occurrence. Each entry is written
// in one-byte form (flags 0) when every UTF-16 unit is at most 0xFF, else as UTF-16 (flags 1);
// equal texts give equal entries, so texts are compared rather than their entry bytes.
class SharedStrings {
public:
    quint32 add(const QString &text);
    quint32 count() const { return quint32(m_entries.size()); }
    const QString &entry(quint32 index) const { return m_entries[index]; }

    static bool isOneByte(const QString &text);

    // SST with as many CONTINUE records as the 8224-byte record limit needs.
    void write(BiffStream &out) const;

private:
    void rehash();

    std::vector<QString> m_entries;
    std::vector<size_t> m_hashes;
    std::vector<quint32> m_slots; // entry index + 1; 0 is free
};
