#include "ReadBack.h"
#include "xls/XLSError.h"
#include "xls/XLSFile.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using ReadBack::Record;

namespace {

constexpr quint16 kSST = 0x00FC, kContinue = 0x003C, kLabelSST = 0x00FD;

struct SstRecords {
    Record sst;
    std::vector<Record> continues;
};

SstRecords sstOf(const QByteArray &stream)
{
    const auto all = ReadBack::records(stream);
    SstRecords result{};
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].type != kSST)
            continue;
        result.sst = all[i];
        for (size_t j = i + 1; j < all.size() && all[j].type == kContinue; ++j)
            result.continues.push_back(all[j]);
    }
    return result;
}

// Saves the document for the readers and checks that olefile sees exactly the stream the
// writer produces; returns what xlrd read.
QJsonObject saveAndRead(TXLSFile &file, const QString &name)
{
    const QString path = ReadBack::artifactPath(name);
    file.SaveAs(path);
    const QJsonObject read = ReadBack::readers(path);
    EXPECT_FALSE(read.contains(u"error"_s)) << qPrintable(read[u"error"_s].toString());
    const QJsonObject ole = read[u"ole"_s].toObject();
    EXPECT_EQ(ole[u"entries"_s].toArray().toVariantList(), QVariantList{u"Workbook"_s});
    EXPECT_EQ(ole[u"sha256"_s].toString(), ReadBack::sha256(ReadBack::workbookStream(file)));
    return read[u"book"_s].toObject();
}

QStringList textsOf(const QJsonObject &book)
{
    QStringList texts;
    const QJsonArray cells = book[u"sheets"_s][0][u"cells"_s].toArray();
    for (const auto &cell : cells)
        texts << cell[3].toString();
    return texts;
}

} // namespace

TEST(XLSWriter, RepeatedTextsShareOneEntryAndTheFormFollowsTheCharacters)
{
    TXLSFile file;
    TCells &cells = file.Workbook().Sheets().Item(0).Cells();
    cells.Item(0, 0).setValue(u"Код"_s);
    cells.Item(0, 1).setValue(u"AB-12"_s);
    cells.Item(1, 0).setValue(u"Код"_s);
    cells.Item(1, 1).setValue(QString());
    cells.Item(2, 0).setValue(u"Код"_s);

    const QByteArray stream = ReadBack::workbookStream(file);
    const SstRecords sst = sstOf(stream);
    ASSERT_TRUE(sst.continues.empty());
    // Both counts are the number of distinct entries; then Cyrillic as UTF-16 (flags 1),
    // ASCII one byte per character (flags 0), the empty text as count 0, flags 0.
    EXPECT_EQ(sst.sst.data, ReadBack::hex("03000000 03000000"
                                          "0300 01 1A04 3E04 3404"
                                          "0500 00 41422D3132"
                                          "0000 00"));
    const auto labels = ReadBack::recordsOfType(ReadBack::records(stream), kLabelSST);
    ASSERT_EQ(labels.size(), 5u);
    const quint32 expected[5] = {0, 1, 0, 2, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ReadBack::u32(labels[size_t(i)].data, 6), expected[i]) << i;

    const QJsonObject book = saveAndRead(file, u"writer-shared-strings.xls"_s);
    EXPECT_EQ(textsOf(book), (QStringList{u"Код"_s, u"AB-12"_s, u"Код"_s, QString(), u"Код"_s}));
}

// The SST data starts with its two counts (8 bytes), so an entry of n one-byte characters
// after a first entry of k characters starts at 8 + 3 + k.
TEST(XLSWriter, EntriesCrossingTheRecordLimitContinueCorrectly)
{
    struct Case {
        const char *what;
        int firstLength; // ASCII characters of the first entry
        QString second;  // the entry that reaches the limit
        int sstLength;   // data bytes left in the SST record
        QByteArray continueStart;
    } cases[] = {
        // 10 bytes free: header and 3 characters (9 bytes), never half a character.
        {"UTF-16 split between characters", 8203, QString(20, QChar(0x0416)), 8223,
         ReadBack::hex("01 1604")},
        {"one-byte split anywhere", 8203, QString(20, u'z'), 8224, ReadBack::hex("00 7A7A")},
        // 3 bytes free: the entry starts in the CONTINUE record, without a flags byte.
        {"fewer than 4 bytes free", 8210, QString(5, u'q'), 8221, ReadBack::hex("0500 00 71")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TXLSFile file;
        TCells &cells = file.Workbook().Sheets().Item(0).Cells();
        cells.Item(0, 0).setValue(QString(c.firstLength, u'a'));
        cells.Item(1, 0).setValue(c.second);
        cells.Item(2, 0).setValue(u"после"_s);

        const SstRecords sst = sstOf(ReadBack::workbookStream(file));
        EXPECT_EQ(sst.sst.data.size(), c.sstLength);
        ASSERT_EQ(sst.continues.size(), 1u);
        EXPECT_TRUE(sst.continues[0].data.startsWith(c.continueStart))
            << sst.continues[0].data.left(8).toHex().constData();

        const QJsonObject book = saveAndRead(file, u"writer-continue-%1.xls"_s.arg(c.sstLength));
        EXPECT_EQ(textsOf(book), (QStringList{QString(c.firstLength, u'a'), c.second, u"после"_s}));
    }
}

TEST(XLSWriter, LongUtf16EntrySpansSeveralContinueRecords)
{
    TXLSFile file;
    TCells &cells = file.Workbook().Sheets().Item(0).Cells();
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QChar(0x0410 + i % 32);
    cells.Item(0, 0).setValue(text);
    cells.Item(0, 1).setValue(u"tail"_s);

    const SstRecords sst = sstOf(ReadBack::workbookStream(file));
    ASSERT_EQ(sst.continues.size(), 4u);
    for (size_t i = 0; i < sst.continues.size(); ++i) {
        const QByteArray &data = sst.continues[i].data;
        EXPECT_LE(data.size(), 8224);
        // The flags byte, then whole UTF-16 characters only.
        EXPECT_EQ(data.at(0), 1) << i;
        if (i + 1 < sst.continues.size()) {
            EXPECT_EQ(data.size(), 8223) << i;
        }
    }
    const QJsonObject book = saveAndRead(file, u"writer-long-entry.xls"_s);
    EXPECT_EQ(textsOf(book), (QStringList{text, u"tail"_s}));
}

TEST(XLSWriter, CellsComeInStorageOrderAndSheetPositionsArePatched)
{
    TXLSFile file;
    TCells &cells = file.Workbook().Sheets().Item(0).Cells();
    cells.Item(5, 0).setValue(1);
    cells.Item(6, 0).setValue(2.5);
    cells.Item(0, 3).setValue(u"late"_s); // stored last although its row comes first
    cells.Item(2, 2).FontBold(true);      // a format without a value: BLANK

    const QByteArray stream = ReadBack::workbookStream(file);
    const auto all = ReadBack::records(stream);
    std::vector<std::pair<quint16, quint16>> order;
    for (const Record &r : all)
        if (r.type == 0x0203 || r.type == kLabelSST || r.type == 0x0201)
            order.push_back({r.type, ReadBack::u16(r.data, 0)});
    EXPECT_EQ(order, (std::vector<std::pair<quint16, quint16>>{
                         {0x0203, 5}, {0x0203, 6}, {kLabelSST, 0}, {0x0201, 2}}));

    // BOUNDSHEET points at the sheet's BOF, right after the globals' EOF.
    const auto boundSheets = ReadBack::recordsOfType(all, 0x0085);
    ASSERT_EQ(boundSheets.size(), 1u);
    const auto eofs = ReadBack::recordsOfType(all, 0x000A);
    ASSERT_EQ(eofs.size(), 2u);
    EXPECT_EQ(qsizetype(ReadBack::u32(boundSheets[0].data, 0)), eofs[0].offset + 4);
    EXPECT_EQ(ReadBack::u16(stream, int(eofs[0].offset + 4)), 0x0809);
    EXPECT_EQ(ReadBack::u16(stream, int(eofs[0].offset + 6)), 0x0010);

    // Padding: zeros after the last EOF up to a multiple of 512.
    EXPECT_EQ(stream.size() % 512, 0);
    const qsizetype end = eofs[1].offset + 4;
    EXPECT_LT(stream.size() - end, 512);
    EXPECT_EQ(stream.mid(end), QByteArray(stream.size() - end, '\0'));

    const QJsonObject book = saveAndRead(file, u"writer-cell-order.xls"_s);
    const QJsonArray read = book[u"sheets"_s][0][u"cells"_s].toArray();
    ASSERT_EQ(read.size(), 4);
    // xlrd lists cells by row.
    EXPECT_EQ(read[0][3].toString(), u"late"_s);
    EXPECT_EQ(read[1][2].toInt(), 6); // blank
    EXPECT_EQ(read[2][3].toDouble(), 1.0);
    EXPECT_EQ(read[3][3].toDouble(), 2.5);
}

TEST(XLSWriter, StreamAlreadyAMultipleOf512GetsNoPadding)
{
    // Grow a text until the stream ends exactly on a boundary without padding.
    for (int length = 1; length < 600; ++length) {
        TXLSFile file;
        file.Workbook().Sheets().Item(0).Cells().Item(0, 0).setValue(QString(length, u'x'));
        const QByteArray stream = ReadBack::workbookStream(file);
        const auto all = ReadBack::records(stream);
        const qsizetype end = all.back().offset + 4;
        ASSERT_EQ(stream.size() % 512, 0);
        if (end % 512 == 0) {
            EXPECT_EQ(stream.size(), end);
            return;
        }
    }
    FAIL() << "no length ended on a 512-byte boundary";
}

TEST(XLSWriter, WithoutBuiltInXFsCellsReferToTheTableDirectly)
{
    TXLSFile file;
    file.NoBuiltInXF = true;
    file.Workbook().Sheets().Item(0).Cells().Item(0, 0).FontBold(true);
    const auto all = ReadBack::records(ReadBack::workbookStream(file));
    EXPECT_EQ(ReadBack::recordsOfType(all, 0x00E0).size(), 2u);
    const auto blanks = ReadBack::recordsOfType(all, 0x0201);
    ASSERT_EQ(blanks.size(), 1u);
    EXPECT_EQ(ReadBack::u16(blanks[0].data, 4), 1);
}

TEST(XLSWriter, SheetNameAndProgressReachTheCaller)
{
    TXLSFile file;
    file.Workbook().Sheets().Item(0).setName(u"Заказ"_s);
    std::vector<double> progress;
    file.OnProgress = [&](double value) { progress.push_back(value); };
    file.Workbook().Sheets().Item(0).Cells().Item(0, 0).setValue(1);
    file.Workbook().Sheets().Item(0).Cells().Item(0, 1).setValue(2);
    ReadBack::workbookStream(file);
    ASSERT_FALSE(progress.empty());
    EXPECT_DOUBLE_EQ(progress.front(), 0);
    EXPECT_DOUBLE_EQ(progress.back(), 1);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

    file.OnProgress = nullptr;
    const QJsonObject book = saveAndRead(file, u"writer-named-sheet.xls"_s);
    EXPECT_EQ(book[u"sheets"_s][0][u"name"_s].toString(), u"Заказ"_s);
}
