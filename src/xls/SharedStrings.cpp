#include "xls/SharedStrings.h"

#include "xls/BiffStream.h"

#include <algorithm>
#include <cstring>

namespace {

struct Digest {
    quint32 hash;
    bool oneByte;
};

// One pass over the text's UTF-16 units, eight bytes at a time: a multiply-xorshift hash and
// whether every unit fits in one byte.
Digest digestOf(const QChar *chars, qsizetype size)
{
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(chars);
    size_t left = size_t(size) * 2;
    quint64 hash = 0x9E3779B97F4A7C15ull ^ left;
    quint64 highBytes = 0;
    for (; left >= 8; left -= 8, bytes += 8) {
        quint64 word;
        std::memcpy(&word, bytes, 8);
        highBytes |= word;
        hash = (hash ^ word) * 0xBF58476D1CE4E5B9ull;
        hash ^= hash >> 31;
    }
    if (left > 0) {
        // 2, 4 or 6 bytes are left, read in two loads rather than byte by byte.
        quint64 word = 0;
        if (left & 4) {
            quint32 four;
            std::memcpy(&four, bytes, 4);
            word = four;
        }
        if (left & 2) {
            quint16 two;
            std::memcpy(&two, bytes + (left & 4), 2);
            word |= quint64(two) << ((left & 4) * 8);
        }
        highBytes |= word;
        hash = (hash ^ word) * 0xBF58476D1CE4E5B9ull;
    }
    hash = (hash ^ (hash >> 29)) * 0x94D049BB133111EBull;
    hash ^= hash >> 32;
    // Little-endian units: the high byte of each is the odd byte.
    return {quint32(hash), (highBytes & 0xFF00FF00FF00FF00ull) == 0};
}

} // namespace

SharedStrings::SharedStrings() : m_slots(64, 0) {}

quint32 SharedStrings::add(QStringView text)
{
    // Cells are often emptied; the empty text is kept once.
    if (text.isEmpty() && m_emptyIndex != kNone)
        return m_emptyIndex;
    Recent &recent = m_recent[(reinterpret_cast<quintptr>(text.data()) >> 4) % kRecent];
    if (recent.index != kNone && recent.data == text.data() &&
        entry(recent.index).size() == text.size() &&
        std::memcmp(entry(recent.index).data(), text.data(), size_t(text.size()) * 2) == 0)
        return recent.index;
    const Digest digest = digestOf(text.data(), text.size());
    m_entries.emplace_back(
        Entry{keep(text), quint32(text.size()), digest.oneByte ? 1u : 0u, digest.hash});
    const quint32 index = quint32(m_entries.size() - 1);
    if (text.isEmpty())
        m_emptyIndex = index;
    recent = Recent{text.data(), index};
    if (m_entries.size() - m_canonical.size() >= kBatch)
        resolve();
    return index;
}

void SharedStrings::resolve()
{
    const size_t first = m_canonical.size(), end = m_entries.size();
    if (first == end)
        return;
    if ((m_slotsUsed + (end - first)) * 2 > m_slots.size())
        grow();
    const size_t mask = m_slots.size() - 1;
    for (size_t i = first; i < end; ++i)
        __builtin_prefetch(&m_slots[m_entries[i].hash & mask]);
    m_canonical.resize(end);
    for (size_t i = first; i < end; ++i) {
        const Entry &e = m_entries[i];
        const QStringView text(e.chars, qsizetype(e.size));
        size_t slot = e.hash & mask;
        quint32 found = kNone;
        for (; m_slots[slot] != 0; slot = (slot + 1) & mask) {
            const quint64 packed = m_slots[slot];
            if (quint32(packed >> 32) == e.hash && entry(quint32(packed) - 1) == text) {
                found = quint32(packed) - 1;
                break;
            }
        }
        if (found == kNone) {
            found = quint32(i);
            m_slots[slot] = (quint64(e.hash) << 32) | (found + 1);
            ++m_slotsUsed;
        }
        m_canonical[i] = found;
    }
}

void SharedStrings::reserve(size_t texts)
{
    m_canonical.reserve(m_entries.size() + texts);
    growTo(m_slotsUsed + (m_entries.size() - m_canonical.size()) + texts);
}

void SharedStrings::grow()
{
    growTo(m_slotsUsed + (m_entries.size() - m_canonical.size()));
}

void SharedStrings::growTo(size_t wanted)
{
    size_t slotCount = m_slots.size();
    while (slotCount < wanted * 2)
        slotCount *= 2;
    if (slotCount == m_slots.size())
        return;
    // Taking the old slots in order places each entry near where the previous one went (a
    // slot's hash picks the same or a neighbouring stretch of the larger table), so the new
    // table is written front to back rather than all over, and no entry is read.
    std::vector<quint64> old(slotCount, 0);
    old.swap(m_slots);
    for (const quint64 packed : old)
        if (packed != 0)
            place(quint32(packed >> 32), quint32(packed) - 1);
}

const char16_t *SharedStrings::keep(QStringView text)
{
    const size_t n = size_t(text.size());
    if (n > m_freeChars) {
        // A text longer than a block gets a block of its own; the current one stays in use.
        if (n > kBlockChars) {
            m_longTexts.push_back(std::make_unique_for_overwrite<char16_t[]>(n));
            return static_cast<const char16_t *>(
                std::memcpy(m_longTexts.back().get(), text.utf16(), n * 2));
        }
        m_blocks.emplace_back(BlockPool::take(kBlockBytes));
        m_free = static_cast<char16_t *>(m_blocks.back().get());
        m_freeChars = kBlockChars;
    }
    char16_t *at = m_free;
    if (n > 0)
        std::memcpy(at, text.utf16(), n * 2);
    m_free += n;
    m_freeChars -= n;
    return at;
}

void SharedStrings::place(quint32 hash, quint32 index)
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = hash & mask;
    while (m_slots[slot] != 0)
        slot = (slot + 1) & mask;
    m_slots[slot] = (quint64(hash) << 32) | (index + 1);
}

void SharedStrings::write(BiffStream &out, const std::vector<quint32> &entries) const
{
    constexpr quint16 kSST = 0x00FC, kContinue = 0x003C;
    constexpr int kLimit = BiffStream::kMaxRecordData;

    out.begin(kSST);
    // Total and distinct count: every cell's text is one of the distinct entries, and both
    // counts are written as the number of entries.
    out.u32(quint32(entries.size()));
    out.u32(quint32(entries.size()));

    for (const quint32 index : entries) {
        const QStringView text = entry(index);
        const bool oneByte = isOneByte(index);
        const quint8 flags = oneByte ? 0 : 1;
        const int charBytes = oneByte ? 1 : 2;
        const qsizetype length = 3 + text.size() * charBytes;
        // Most entries fit in the record whole (a record with less than 4 bytes free takes
        // no new entry, whatever its length).
        const int room = kLimit - out.held();
        if (room >= 4 && room >= length) {
            out.u16(quint16(text.size()));
            out.u8(flags);
            if (oneByte)
                out.oneByte(text.constData(), text.size());
            else
                out.utf16(text.constData(), text.size());
            continue;
        }
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
