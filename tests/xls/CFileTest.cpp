#include "xls/CFile.h"
#include "FileSizeLimit.h"
#include "ReadBack.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray pattern(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + i / 251) & 0xFF);
    return bytes;
}

void writeCompoundFile(const QString &path, const QByteArray &bytes)
{
    TCFile file(path);
    TCFileStream &stream = file.Root().CreateStream(u"Workbook"_s);
    stream.WriteBuffer(bytes.constData(), bytes.size());
    file.Close();
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

// Sizes around the mini-stream cutoff and one large enough that the FAT no longer fits the
// header's 109 entries and needs DIFAT sectors.
TEST(CompoundFile, StreamOfEverySizeReadsBackExactlyAsTheOnlyStream)
{
    for (qsizetype size : {0, 1, 64, 65, 4095, 4096, 4097, 70000, 8 * 1024 * 1024 + 3}) {
        SCOPED_TRACE(size);
        const QByteArray bytes = pattern(size);
        const QString path = ReadBack::artifactPath(u"container-%1.xls"_s.arg(size));
        writeCompoundFile(path, bytes);

        const QJsonObject ole = ReadBack::readers(path, false)[u"ole"_s].toObject();
        ASSERT_FALSE(ole.isEmpty())
            << qPrintable(ReadBack::readers(path, false)[u"error"_s].toString());
        EXPECT_EQ(ole[u"entries"_s].toArray().toVariantList(), QVariantList{u"Workbook"_s});
        EXPECT_EQ(ole[u"major"_s].toInt(), 3);
        EXPECT_EQ(ole[u"sector_size"_s].toInt(), 512);
        EXPECT_EQ(ole[u"size"_s].toInteger(), size);
        EXPECT_EQ(ole[u"sha256"_s].toString(), ReadBack::sha256(bytes));
        EXPECT_EQ(QFileInfo(path).size() % 512, 0);
    }
}

TEST(CompoundFile, SavingOverAnExistingFileReplacesItCompletely)
{
    const QString path = ReadBack::artifactPath(u"container-replaced.xls"_s);
    writeCompoundFile(path, pattern(300000));
    const QByteArray small = pattern(100);
    writeCompoundFile(path, small);

    TCFile memory;
    memory.Root().CreateStream(u"Workbook"_s).WriteBuffer(small.constData(), small.size());
    memory.Close();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), memory.image());
}

TEST(CompoundFile, PatchesReachBytesAlreadyHandedToTheFile)
{
    QByteArray expected = pattern(3 * 1024 * 1024 + 17);
    const QString path = ReadBack::artifactPath(u"container-patched.xls"_s);
    {
        TCFile file(path);
        TCFileStream &stream = file.Root().CreateStream(u"Workbook"_s);
        for (qsizetype at = 0; at < expected.size(); at += 1000)
            stream.WriteBuffer(expected.constData() + at,
                               std::min<qsizetype>(1000, expected.size() - at));
        EXPECT_EQ(stream.Size(), quint32(expected.size()));
        stream.SetPosition(10);
        stream.WriteDWord(0xA1B2C3D4);
        // A patch across the boundary between the file and the bytes still in memory.
        const quint32 across = stream.Size() - quint32(stream.data().size()) - 2;
        stream.SetPosition(across);
        stream.WriteDWord(0x01020304);
        EXPECT_EQ(stream.Seek(0, TCFileStream::FromEnd), quint32(expected.size()));
        stream.WriteWord(0xBEEF);
        file.Close();
        const char patch1[] = {char(0xD4), char(0xC3), char(0xB2), char(0xA1)};
        const char patch2[] = {4, 3, 2, 1};
        expected.replace(10, 4, patch1, 4);
        expected.replace(across, 4, patch2, 4);
        expected.append(char(0xEF)).append(char(0xBE));
    }
    const QJsonObject ole = ReadBack::readers(path, false)[u"ole"_s].toObject();
    EXPECT_EQ(ole[u"size"_s].toInteger(), expected.size());
    EXPECT_EQ(ole[u"sha256"_s].toString(), ReadBack::sha256(expected));
}

TEST(CompoundFile, PositionsSizeAndPatches)
{
    TCFileStream stream(u"Workbook"_s);
    EXPECT_TRUE(stream.WriteDWord(0x11223344));
    EXPECT_TRUE(stream.WriteWord(0xAABBCC)); // only the low 16 bits
    EXPECT_FALSE(stream.WriteBuffer(nullptr, 4));
    EXPECT_EQ(stream.Size(), 6u);
    EXPECT_EQ(stream.Position(), 6u);

    stream.SetPosition(1);
    stream.WriteWord(0xFFEE);
    EXPECT_EQ(stream.Position(), 3u);
    EXPECT_EQ(stream.Size(), 6u);
    EXPECT_EQ(stream.Seek(-2, TCFileStream::FromEnd), 4u);
    EXPECT_EQ(stream.Seek(1, TCFileStream::FromCurrent), 5u);
    EXPECT_EQ(stream.data(), ReadBack::hex("44 EE FF 11 CC BB"));

    // Writing past the end fills the gap with zeros.
    stream.SetPosition(8);
    stream.WriteWord(0x0201);
    EXPECT_EQ(stream.data(), ReadBack::hex("44 EE FF 11 CC BB 00 00 01 02"));

    try {
        stream.SetPosition(-1);
        FAIL() << "a position before the start was accepted";
    } catch (const ECFileError &e) {
        EXPECT_EQ(e.code(), 6);
        EXPECT_STREQ(e.what(), "Can not set stream position");
    }
    EXPECT_EQ(stream.Position(), 10u);
}

TEST(CompoundFile, ErrorsCarryTheirCodeAndMessage)
{
    TempDir dir;
    try {
        TCFile file(dir.file(u"missing-folder/order.xls"_s));
        FAIL() << "a file in a missing folder was created";
    } catch (const ECFileError &e) {
        EXPECT_EQ(e.code(), 0);
        EXPECT_STREQ(e.what(), "Can not create a file");
    }

    TCFile file(dir.file(u"order.xls"_s));
    for (const QString &name : {QString(), u"a/b"_s, QString(32, u'x')}) {
        try {
            file.Root().CreateStream(name);
            ADD_FAILURE() << "stream name accepted: " << qPrintable(name);
        } catch (const ECFileError &e) {
            EXPECT_EQ(e.code(), 1);
            EXPECT_STREQ(e.what(), "Can not create a stream");
        }
    }
    file.Root().CreateStream(u"Workbook"_s);
    EXPECT_THROW(file.Root().CreateStream(u"Second"_s), ECFileError);
    // Never closed: nothing may be left behind.
}

TEST(CompoundFile, FileNeverClosedLeavesNothingBehind)
{
    TempDir dir;
    {
        TCFile file(dir.file(u"order.xls"_s));
        file.Root().CreateStream(u"Workbook"_s).WriteDWord(1);
    }
    EXPECT_TRUE(entriesOf(dir.path()).isEmpty()) << qPrintable(entriesOf(dir.path()).join(u' '));
}

// The medium refusing the write (here a file size limit, as a full disk would) must give an
// error and keep both a previous file and the folder as they were.
TEST(CompoundFile, RefusedWriteFailsAndLeavesNoPartialFile)
{
    TempDir dir;
    const QString kept = dir.write(u"old.xls"_s, "previous workbook");
    const QString fresh = dir.file(u"new.xls"_s);

    int codes[2] = {-1, -1};
    QString detail;
    const QString targets[2] = {kept, fresh};
    {
        FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.active());
        // The smaller stream fails when the file is laid out, the larger one while it is
        // still being written.
        for (int i = 0; i < 2; ++i) {
            try {
                writeCompoundFile(targets[i], pattern(i == 0 ? 200000 : 900000));
            } catch (const ECFileError &e) {
                codes[i] = e.code();
                detail = e.detail();
            }
        }
    }

    EXPECT_EQ(codes[0], 7);
    EXPECT_EQ(codes[1], 7);
    EXPECT_FALSE(detail.isEmpty());
    EXPECT_EQ(dir.read(u"old.xls"_s), QByteArray("previous workbook"));
    EXPECT_FALSE(QFileInfo::exists(fresh));
    EXPECT_EQ(entriesOf(dir.path()), QStringList{u"old.xls"_s});
}
