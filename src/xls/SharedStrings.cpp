#include "xls/SharedStrings.h"

#include "xls/BiffStream.h"

#include <QHashFunctions>
#include <algorithm>

bool SharedStrings::isOneByte(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
}

void SharedStrings::reserve(size_t texts)
{
    m_entries.reserve(texts);
    m_hashes.reserve(texts);
    size_t slotCount = 64;
    while (slotCount < texts * 2)
        slotCount *= 2;
    if (slotCount > m_slots.size()) {
        m_slots.assign(slotCount, 0);
        for (size_t i = 0; i < m_entries.size(); ++i)
            place(m_hashes[i], quint32(i));
    }
}

quint32 SharedStrings::add(const QString &text)
{
    if (text.isEmpty()) {
        if (m_emptyIndex == kNone)
            m_emptyIndex = lookUp(text);
        return m_emptyIndex;
    }
    // The entries keep their texts alive, so an address seen here stays this text's own.
    Recent &recent = m_recent[(quintptr(text.constData()) >> 4) & 63];
    if (recent.data == text.constData() && recent.size == text.size())
        return recent.index;
    const quint32 index = lookUp(text);
    recent = {text.constData(), text.size(), index};
    return index;
}

quint32 SharedStrings::lookUp(const QString &text)
{
    const quint32 hash = quint32(qHash(text));
    if (!m_slots.empty()) {
        const size_t mask = m_slots.size() - 1;
        for (size_t slot = hash & mask; m_slots[slot] != 0; slot = (slot + 1) & mask) {
            const quint64 entry = m_slots[slot];
            if (quint32(entry >> 32) != hash)
                continue;
            const quint32 index = quint32(entry) - 1;
            if (m_entries[index] == text)
                return index;
        }
    }
    m_entries.push_back(text);
    m_hashes.push_back(hash);
    m_byteSize += 3 + quint64(text.size()) * 2;
    if (m_entries.size() * 2 > m_slots.size())
        reserve(m_entries.size() * 2);
    else
        place(hash, quint32(m_entries.size() - 1));
    return quint32(m_entries.size() - 1);
}

void SharedStrings::place(quint32 hash, quint32 index)
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    while (m_slots[slot] != 0)
        slot = (slot + 1) & mask;
    m_slots[slot] = (quint64(hash) << 32) | (index + 1);
}

void SharedStrings::write(BiffStream &out) const
{
    constexpr quint16 kSST = 0x00FC, kContinue = 0x003C;
    constexpr int kLimit = BiffStream::kMaxRecordData;

    out.begin(kSST);
    // Total and distinct count: every cell's text is one of the distinct entries, and both
    // counts are written as the number of entries.
    out.u32(count());
    out.u32(count());

    for (const QString &text : m_entries) {
        const bool oneByte = isOneByte(text);
        const quint8 flags = oneByte ? 0 : 1;
        const int charBytes = oneByte ? 1 : 2;
        const qsizetype length = 3 + text.size() * charBytes;
        qsizetype done = 0;
        while (done < length) {
            if (kLimit - out.held() < 4) {
                out.end();
                out.begin(kContinue);
                // A string carried on into a new record repeats its flags byte there.
                if (done > 0)
                    out.u8(flags);
            }
            qsizetype n = std::min<qsizetype>(kLimit - out.held(), length - done);
            // The header is 3 bytes, so UTF-16 characters end at odd offsets of the entry.
            if (!oneByte && (done + n) % 2 == 0)
                --n;
            qsizetype from = done;
            const qsizetype to = done + n;
            if (from == 0) {
                out.u16(quint16(text.size()));
                out.u8(flags);
                from = 3;
            }
            if (to > from) {
                const qsizetype firstChar = (from - 3) / charBytes;
                const qsizetype chars = (to - from) / charBytes;
                if (oneByte)
                    out.oneByte(text.constData() + firstChar, chars);
                else
                    out.utf16(text.constData() + firstChar, chars);
            }
            done = to;
        }
    }
    out.end();
}
