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

namespace {

// Where everything goes. A stream under the cutoff lives in the mini stream, after the
// tables; a larger one comes first, right after the header, so that it can be written out
// while it is still growing and the tables follow once its size is known.
struct Plan {
    bool hasStream = false;
    bool mini = false;
    quint32 size = 0;
    quint32 miniSectors = 0, miniFatSectors = 0, miniStreamSectors = 0, dataSectors = 0;
    quint32 fatSectors = 1, difatSectors = 0, dirSectors = 1;
    quint32 dataStart = 0, fatStart = 0, difatStart = 0, dirStart = 0, miniFatStart = 0,
            miniStreamStart = 0;
};

Plan planFor(bool hasStream, quint32 size)
{
    Plan p;
    p.hasStream = hasStream;
    p.size = hasStream ? size : 0;
    p.mini = p.size > 0 && p.size < kMiniStreamCutoff;
    if (p.mini) {
        p.miniSectors = divideUp(p.size, kMiniSectorSize);
        p.miniFatSectors = divideUp(quint64(p.miniSectors) * 4, kSectorSize);
        p.miniStreamSectors = divideUp(quint64(p.miniSectors) * kMiniSectorSize, kSectorSize);
    } else {
        p.dataSectors = divideUp(p.size, kSectorSize);
    }
    // The FAT must also cover its own sectors and the DIFAT sectors that list it.
    for (;;) {
        p.difatSectors = p.fatSectors > kHeaderDifatEntries
                             ? divideUp(p.fatSectors - kHeaderDifatEntries, kEntriesPerSector - 1)
                             : 0;
        const quint64 total = quint64(p.fatSectors) + p.difatSectors + p.dirSectors +
                              p.miniFatSectors + p.miniStreamSectors + p.dataSectors;
        if (total <= quint64(p.fatSectors) * kEntriesPerSector)
            break;
        ++p.fatSectors;
    }
    p.dataStart = 0;
    p.fatStart = p.dataSectors;
    p.difatStart = p.fatStart + p.fatSectors;
    p.dirStart = p.difatStart + p.difatSectors;
    p.miniFatStart = p.dirStart + p.dirSectors;
    p.miniStreamStart = p.miniFatStart + p.miniFatSectors;
    return p;
}

QByteArray headerOf(const Plan &p)
{
    QByteArray head;
    head.reserve(kSectorSize);
    Bytes out(head);
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
    out.u32(p.fatSectors);
    out.u32(p.dirStart);
    out.u32(0); // transaction signature
    out.u32(kMiniStreamCutoff);
    out.u32(p.miniFatSectors ? p.miniFatStart : kEndOfChain);
    out.u32(p.miniFatSectors);
    out.u32(p.difatSectors ? p.difatStart : kEndOfChain);
    out.u32(p.difatSectors);
    for (quint32 i = 0; i < kHeaderDifatEntries; ++i)
        out.u32(i < p.fatSectors ? p.fatStart + i : kFreeSect);
    return head;
}

// FAT, DIFAT, directory and mini FAT, which are always neighbours.
QByteArray tablesOf(const Plan &p, const QString &streamName)
{
    std::vector<quint32> fat(size_t(p.fatSectors) * kEntriesPerSector, kFreeSect);
    auto chain = [&fat](quint32 start, quint32 count) {
        for (quint32 i = 0; i < count; ++i)
            fat[start + i] = i + 1 < count ? start + i + 1 : kEndOfChain;
    };
    chain(p.dataStart, p.dataSectors);
    for (quint32 i = 0; i < p.fatSectors; ++i)
        fat[p.fatStart + i] = kFatSect;
    for (quint32 i = 0; i < p.difatSectors; ++i)
        fat[p.difatStart + i] = kDifSect;
    chain(p.dirStart, p.dirSectors);
    chain(p.miniFatStart, p.miniFatSectors);
    chain(p.miniStreamStart, p.miniStreamSectors);

    QByteArray tables;
    tables.reserve(qsizetype(kSectorSize) *
                   (p.fatSectors + p.difatSectors + p.dirSectors + p.miniFatSectors));
    Bytes out(tables);
    for (quint32 entry : fat)
        out.u32(entry);

    // DIFAT sectors: 127 further FAT sector numbers each, then the next DIFAT sector.
    quint32 listed = kHeaderDifatEntries;
    for (quint32 d = 0; d < p.difatSectors; ++d) {
        for (quint32 i = 0; i < kEntriesPerSector - 1; ++i, ++listed)
            out.u32(listed < p.fatSectors ? p.fatStart + listed : kFreeSect);
        out.u32(d + 1 < p.difatSectors ? p.difatStart + d + 1 : kEndOfChain);
    }

    // Directory: the root, its one stream, two unused entries.
    directoryEntry(out, QStringLiteral("Root Entry"), 5, p.hasStream ? 1 : kNoStream,
                   p.mini ? p.miniStreamStart : kEndOfChain,
                   p.mini ? p.miniSectors * kMiniSectorSize : 0);
    if (p.hasStream)
        directoryEntry(out, streamName, 2, kNoStream,
                       p.mini ? 0 : (p.size ? p.dataStart : kEndOfChain), p.size);
    else
        directoryEntry(out, QString(), 0, kNoStream, 0, 0);
    directoryEntry(out, QString(), 0, kNoStream, 0, 0);
    directoryEntry(out, QString(), 0, kNoStream, 0, 0);

    // Mini FAT: one chain through the stream's mini sectors.
    for (quint32 i = 0; i < p.miniFatSectors * kEntriesPerSector; ++i)
        out.u32(i < p.miniSectors ? (i + 1 < p.miniSectors ? i + 1 : kEndOfChain) : kFreeSect);
    return tables;
}

bool put(QIODevice &device, const char *data, qint64 size)
{
    return size == 0 || device.write(data, size) == size;
}

bool put(QIODevice &device, const QByteArray &bytes)
{
    return put(device, bytes.constData(), bytes.size());
}

bool padding(QIODevice &device, quint64 bytes, quint32 sectors)
{
    const QByteArray zeros(qsizetype(quint64(sectors) * kSectorSize - bytes), '\0');
    return put(device, zeros);
}

} // namespace

bool CompoundFileLayout::write(QIODevice &device, const QString &streamName,
                               const QByteArray &stream)
{
    const Plan p = planFor(!streamName.isEmpty(), quint32(stream.size()));
    if (!put(device, headerOf(p)))
        return false;
    if (p.mini)
        return put(device, tablesOf(p, streamName)) && put(device, stream) &&
               padding(device, p.size, p.miniStreamSectors);
    return put(device, stream.constData(), p.size) && padding(device, p.size, p.dataSectors) &&
           put(device, tablesOf(p, streamName));
}

bool CompoundFileLayout::writesStreamFirst(quint32 size)
{
    return size >= kMiniStreamCutoff;
}

bool CompoundFileLayout::finishAfterStream(QIODevice &device, const QString &streamName,
                                           quint32 size)
{
    const Plan p = planFor(true, size);
    return padding(device, p.size, p.dataSectors) && put(device, tablesOf(p, streamName)) &&
           device.seek(0) && put(device, headerOf(p));
}
