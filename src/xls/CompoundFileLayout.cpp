#include "xls/CompoundFileLayout.h"

#include <QIODevice>
#include <QtEndian>
#include <vector>

namespace {

constexpr quint32 kSectorSize = 512;
constexpr quint32 kMiniSectorSize = 64;
constexpr quint32 kMiniStreamCutoff = 4096;
constexpr quint32 kEntriesPerSector = kSectorSize / 4;
constexpr quint32 kHeaderDifatEntries = 109;

constexpr quint32 kDifSect = 0xFFFFFFFC;
constexpr quint32 kFatSect = 0xFFFFFFFD;
constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kFreeSect = 0xFFFFFFFF;
constexpr quint32 kNoStream = 0xFFFFFFFF;

quint32 divideUp(quint64 value, quint32 by)
{
    return quint32((value + by - 1) / by);
}

class Bytes {
public:
    explicit Bytes(QByteArray &target) : m_target(target) {}
    void u8(quint8 v) { m_target.append(char(v)); }
    void u16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        m_target.append(b, 2);
    }
    void u32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        m_target.append(b, 4);
    }
    void zeros(qsizetype n) { m_target.append(n, '\0'); }

private:
    QByteArray &m_target;
};

void directoryEntry(Bytes &out, const QString &name, quint8 type, quint32 child, quint32 start,
                    quint32 size)
{
    // Name as UTF-16 with its terminator, padded to 64 bytes.
    for (int i = 0; i < 32; ++i)
        out.u16(i < name.size() ? name.at(i).unicode() : 0);
    out.u16(name.isEmpty() ? 0 : quint16((name.size() + 1) * 2));
    out.u8(type);
    out.u8(name.isEmpty() ? 0 : 1); // black: a tree of one node is trivially balanced
    out.u32(kNoStream);             // left sibling
    out.u32(kNoStream);             // right sibling
    out.u32(child);
    out.zeros(16 + 4 + 8 + 8); // class id, state bits, creation and modification times
    out.u32(name.isEmpty() ? 0 : start);
    out.u32(size);
    out.u32(0); // high half of the size: always 0 in version 3
}

} // namespace

bool CompoundFileLayout::isValidName(const QString &name)
{
    if (name.isEmpty() || name.size() > 31)
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c == u':' || c == u'!')
            return false;
    return true;
}

bool CompoundFileLayout::write(QIODevice &device, const QString &streamName,
                               const QByteArray &stream)
{
    const bool hasStream = !streamName.isEmpty();
    const quint32 size = hasStream ? quint32(stream.size()) : 0;
    const bool inMiniStream = size > 0 && size < kMiniStreamCutoff;

    quint32 miniSectors = 0, miniFatSectors = 0, miniStreamSectors = 0, dataSectors = 0;
    if (inMiniStream) {
        miniSectors = divideUp(size, kMiniSectorSize);
        miniFatSectors = divideUp(quint64(miniSectors) * 4, kSectorSize);
        miniStreamSectors = divideUp(quint64(miniSectors) * kMiniSectorSize, kSectorSize);
    } else {
        dataSectors = divideUp(size, kSectorSize);
    }
    const quint32 dirSectors = 1;

    // The FAT must also cover its own sectors and the DIFAT sectors that list it.
    quint32 fatSectors = 1, difatSectors = 0;
    for (;;) {
        difatSectors = fatSectors > kHeaderDifatEntries
                           ? divideUp(fatSectors - kHeaderDifatEntries, kEntriesPerSector - 1)
                           : 0;
        const quint64 total = quint64(fatSectors) + difatSectors + dirSectors + miniFatSectors +
                              miniStreamSectors + dataSectors;
        if (total <= quint64(fatSectors) * kEntriesPerSector)
            break;
        ++fatSectors;
    }

    const quint32 firstDifat = fatSectors;
    const quint32 dirStart = firstDifat + difatSectors;
    const quint32 miniFatStart = dirStart + dirSectors;
    const quint32 miniStreamStart = miniFatStart + miniFatSectors;
    const quint32 dataStart = miniStreamStart + miniStreamSectors;

    std::vector<quint32> fat(size_t(fatSectors) * kEntriesPerSector, kFreeSect);
    auto chain = [&fat](quint32 start, quint32 count) {
        for (quint32 i = 0; i < count; ++i)
            fat[start + i] = i + 1 < count ? start + i + 1 : kEndOfChain;
    };
    for (quint32 i = 0; i < fatSectors; ++i)
        fat[i] = kFatSect;
    for (quint32 i = 0; i < difatSectors; ++i)
        fat[firstDifat + i] = kDifSect;
    chain(dirStart, dirSectors);
    chain(miniFatStart, miniFatSectors);
    chain(miniStreamStart, miniStreamSectors);
    chain(dataStart, dataSectors);

    QByteArray head;
    head.reserve(qsizetype(kSectorSize) *
                 (1 + fatSectors + difatSectors + dirSectors + miniFatSectors));
    Bytes out(head);

    // Header.
    for (quint8 b : {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1})
        out.u8(b);
    out.zeros(16);   // class id
    out.u16(0x003E); // minor version
    out.u16(0x0003); // major version 3: 512-byte sectors
    out.u16(0xFFFE); // little-endian
    out.u16(9);      // sector shift
    out.u16(6);      // mini sector shift
    out.zeros(6);    // reserved
    out.u32(0);      // directory sectors: always 0 in version 3
    out.u32(fatSectors);
    out.u32(dirStart);
    out.u32(0); // transaction signature
    out.u32(kMiniStreamCutoff);
    out.u32(miniFatSectors ? miniFatStart : kEndOfChain);
    out.u32(miniFatSectors);
    out.u32(difatSectors ? firstDifat : kEndOfChain);
    out.u32(difatSectors);
    for (quint32 i = 0; i < kHeaderDifatEntries; ++i)
        out.u32(i < fatSectors ? i : kFreeSect);

    for (quint32 entry : fat)
        out.u32(entry);

    // DIFAT sectors: 127 further FAT sector numbers each, then the next DIFAT sector.
    quint32 listed = kHeaderDifatEntries;
    for (quint32 d = 0; d < difatSectors; ++d) {
        for (quint32 i = 0; i < kEntriesPerSector - 1; ++i, ++listed)
            out.u32(listed < fatSectors ? listed : kFreeSect);
        out.u32(d + 1 < difatSectors ? firstDifat + d + 1 : kEndOfChain);
    }

    // Directory: the root, its one stream, two unused entries.
    directoryEntry(out, QStringLiteral("Root Entry"), 5, hasStream ? 1 : kNoStream,
                   inMiniStream ? miniStreamStart : kEndOfChain,
                   inMiniStream ? miniSectors * kMiniSectorSize : 0);
    if (hasStream)
        directoryEntry(out, streamName, 2, kNoStream,
                       inMiniStream ? 0 : (size ? dataStart : kEndOfChain), size);
    else
        directoryEntry(out, QString(), 0, kNoStream, 0, 0);
    directoryEntry(out, QString(), 0, kNoStream, 0, 0);
    directoryEntry(out, QString(), 0, kNoStream, 0, 0);

    // Mini FAT: one chain through the stream's mini sectors.
    for (quint32 i = 0; i < miniFatSectors * kEntriesPerSector; ++i)
        out.u32(i < miniSectors ? (i + 1 < miniSectors ? i + 1 : kEndOfChain) : kFreeSect);

    if (device.write(head) != head.size())
        return false;

    // The stream itself, padded to whole sectors.
    if (size > 0) {
        if (device.write(stream.constData(), size) != qint64(size))
            return false;
        const quint32 sectors = inMiniStream ? miniStreamSectors : dataSectors;
        const QByteArray padding(qsizetype(sectors) * kSectorSize - size, '\0');
        if (!padding.isEmpty() && device.write(padding) != padding.size())
            return false;
    }
    return true;
}
