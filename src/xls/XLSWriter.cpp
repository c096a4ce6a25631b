#include "xls/XLSWriter.h"

#include "xls/BiffStream.h"
#include "xls/CFile.h"
#include "xls/SharedStrings.h"
#include "xls/XLSError.h"
#include "xls/XLSFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

enum RecordType : quint16 {
    kBOF = 0x0809,
    kInterfaceHdr = 0x00E1,
    kMMS = 0x00C1,
    kInterfaceEnd = 0x00E2,
    kRecord1C0 = 0x01C0,
    kDSF = 0x0161,
    kTabId = 0x013D,
    kWindowProtect = 0x0019,
    kProtect = 0x0012,
    kWindow1 = 0x003D,
    kHideObj = 0x008D,
    kDateMode = 0x0022,
    kFont = 0x0031,
    kFormat = 0x041E,
    kXF = 0x00E0,
    kStyle = 0x0293,
    kPalette = 0x0092,
    kBoundSheet = 0x0085,
    kCountry = 0x008C,
    kSupBook = 0x01AE,
    kExternSheet = 0x0017,
    kRecalcId = 0x01C1,
    kExtSST = 0x00FF,
    kEOF = 0x000A,
    kIndex = 0x020B,
    kHorizontalPageBreaks = 0x001B,
    kVerticalPageBreaks = 0x001A,
    kSetup = 0x00A1,
    kWsBool = 0x0081,
    kPrintHeaders = 0x002A,
    kPrintGridLines = 0x002B,
    kGuts = 0x0080,
    kLeftMargin = 0x0028,
    kRightMargin = 0x0029,
    kTopMargin = 0x0026,
    kBottomMargin = 0x0027,
    kHCenter = 0x0083,
    kVCenter = 0x0084,
    kColInfo = 0x007D,
    kDimensions = 0x0200,
    kDefaultRowHeight = 0x0225,
    kRow = 0x0208,
    kLabelSST = 0x00FD,
    kNumber = 0x0203,
    kBlank = 0x0201,
    kWindow2 = 0x023E,
};

constexpr quint8 kWindow1Data[18] = {0x68, 0x01, 0x0F, 0x00, 0x4C, 0x2C, 0x8B, 0x1A, 0x38,
                                     0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x58, 0x02};
constexpr quint8 kRecalcIdData[8] = {0xC1, 0x01, 0x00, 0x00, 0x60, 0x69, 0x01, 0x00};

constexpr quint8 kStyleXF[20] = {0x00, 0x00, 0x00, 0x00, 0xF5, 0xFF, 0x20, 0x00, 0x00, 0x00,
                                 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20};
constexpr quint8 kDefaultCellXF[20] = {0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x20, 0x00, 0x00, 0x00,
                                       0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x20};
// XF 16 to 20: the styles of the STYLE list, on font 1, by their format id.
constexpr quint8 kStyleFormats[5] = {0x2C, 0x2A, 0x09, 0x2B, 0x29};

struct Style {
    quint16 xf;
    quint8 builtIn;
};
constexpr Style kStyles[6] = {{0x8010, 4}, {0x8011, 7}, {0x8000, 0},
                              {0x8012, 5}, {0x8013, 3}, {0x8014, 6}};

constexpr quint32 kHistoryFlags = 0x40C1;
constexpr quint32 kLowestVersion = 0x0106;

void writeBOF(BiffStream &out, quint16 substream)
{
    out.begin(kBOF);
    out.u16(0x0600);
    out.u16(substream);
    out.u16(0x1846);
    out.u16(0x07CD);
    out.u32(kHistoryFlags);
    out.u32(kLowestVersion);
    out.end();
}

void writeWord(BiffStream &out, quint16 type, quint16 value)
{
    out.begin(type);
    out.u16(value);
    out.end();
}

void writeDouble(BiffStream &out, quint16 type, double value)
{
    out.begin(type);
    out.f64(value);
    out.end();
}

void writeEmpty(BiffStream &out, quint16 type)
{
    out.begin(type);
    out.end();
}

quint16 colourNumber(int index)
{
    return quint16((index % 128) + 7);
}

// Round to the nearest integer, halves to even.
int roundEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

TXLSWriter::TXLSWriter(TXLSFile &file) : m_file(file), m_xfOffset(file.NoBuiltInXF ? 0 : 21)
{
    TWorkbook &workbook = file.Workbook();
    TXLSLinkTable &links = workbook.LinkTable();
    links.clear();
    for (int i = 0; i < workbook.Sheets().Count(); ++i)
        links.addSheet(workbook.Sheets().Item(i).name(), i);
}

void TXLSWriter::Save(const QString &fileName)
{
    TCFile file(fileName);
    TCFileStream &stream = file.Root().CreateStream(QStringLiteral("Workbook"));
    WriteTo(stream);
    file.Close();
}

void TXLSWriter::progress(double value)
{
    m_progress = value;
    if (m_file.OnProgress)
        m_file.OnProgress(std::clamp(value, 0.0, 1.0));
}

void TXLSWriter::WriteTo(TCFileStream &stream)
{
    const TWorkbook &workbook = m_file.Workbook();
    const TSheets &sheets = workbook.Sheets();
    progress(0);
    if (sheets.Count() == 0)
        throw EXLSError(EXLSError::NoSheets);

    // Shared strings, and for each sheet the entry of every stored cell (or none).
    SharedStrings strings;
    qint64 cellCount = 0;
    for (int s = 0; s < sheets.Count(); ++s)
        cellCount += sheets.Item(s).Cells().Count();
    // Distinct texts are usually a fair part of the cells; a guess that saves most regrowth.
    strings.reserve(size_t(cellCount / 4));
    std::vector<std::vector<quint32>> cellStrings(size_t(sheets.Count()));
    qint64 totalCells = 0;
    for (int s = 0; s < sheets.Count(); ++s) {
        const TCells &cells = sheets.Item(s).Cells();
        std::vector<quint32> &indexes = cellStrings[size_t(s)];
        indexes.resize(size_t(cells.Count()), 0);
        for (int c = 0; c < cells.Count(); ++c) {
            const TCell &cell = cells.At(c);
            if (cell.valueType() == TCell::ValueType::Text)
                indexes[size_t(c)] = strings.add(cell.text());
        }
        totalCells += cells.Count();
    }
    progress(0.05);
    progress(0.06);
    // Room for the whole stream at once: a cell record takes at most 18 bytes.
    stream.reserve(qsizetype(totalCells) * 18 + qsizetype(strings.byteSize()) + 64 * 1024);

    BiffStream out(stream);
    std::vector<quint32> positionFields;
    writeGlobals(out, strings, positionFields);
    progress(0.1);

    m_progressPerCell = totalCells > 0 ? 0.8 / double(totalCells) : 0;
    for (int s = 0; s < sheets.Count(); ++s) {
        out.patch32(positionFields[size_t(s)], out.offset());
        writeSheet(out, sheets.Item(s), s, cellStrings[size_t(s)]);
    }
    progress(1);

    const quint32 size = out.offset();
    if (size % 512 != 0) {
        static const quint8 zeros[512] = {};
        out.bytes(zeros, 512 - size % 512);
    }
    out.flush();
}

void TXLSWriter::writeGlobals(BiffStream &out, const SharedStrings &strings,
                              std::vector<quint32> &sheetPositionFields)
{
    const TWorkbook &workbook = m_file.Workbook();
    const TSheets &sheets = workbook.Sheets();

    writeBOF(out, 0x0005);
    writeWord(out, kInterfaceHdr, 0x04B0);
    writeEmpty(out, kMMS);
    writeEmpty(out, kInterfaceEnd);
    writeEmpty(out, kRecord1C0);
    writeWord(out, kDSF, 0);
    out.begin(kTabId);
    for (int i = 0; i < sheets.Count(); ++i)
        out.u16(quint16(i));
    out.end();
    writeWord(out, kWindowProtect, 0);
    writeWord(out, kProtect, 0);
    out.record(kWindow1, kWindow1Data, sizeof kWindow1Data);
    writeWord(out, kHideObj, 0);
    writeWord(out, kDateMode, 0);

    for (const TFontRecord &font : workbook.FontTable().records())
        writeFont(out, font);

    const TFormatStrings &formats = workbook.FormatStrings();
    for (int i = TFormatStrings::kBuiltInCount; i < formats.Count(); ++i) {
        const TNumberFormat &format = formats.Item(i);
        out.begin(kFormat);
        out.u16(format.id);
        out.u16(quint16(format.format.size()));
        out.u8(1);
        out.utf16(format.format.constData(), format.format.size());
        out.end();
    }

    if (!m_file.NoBuiltInXF) {
        for (int i = 0; i < 15; ++i)
            out.record(kXF, kStyleXF, sizeof kStyleXF);
        out.record(kXF, kDefaultCellXF, sizeof kDefaultCellXF);
        for (quint8 format : kStyleFormats) {
            quint8 xf[20];
            std::copy(std::begin(kStyleXF), std::end(kStyleXF), xf);
            xf[0] = 0x01;
            xf[2] = format;
            xf[9] = 0xF8;
            out.record(kXF, xf, sizeof xf);
        }
    }
    for (const TXFRecord &xf : workbook.XFTable().records())
        writeXF(out, xf);

    for (const Style &style : kStyles) {
        out.begin(kStyle);
        out.u16(style.xf);
        out.u8(style.builtIn);
        out.u8(0xFF);
        out.end();
    }

    out.begin(kPalette);
    out.u16(Palette::kSize);
    for (quint32 rgb : Palette::kColours) {
        out.u8(quint8(rgb >> 16));
        out.u8(quint8(rgb >> 8));
        out.u8(quint8(rgb));
        out.u8(0);
    }
    out.end();

    for (int i = 0; i < sheets.Count(); ++i) {
        const TSheet &sheet = sheets.Item(i);
        out.begin(kBoundSheet);
        sheetPositionFields.push_back(out.offset());
        out.u32(0); // the sheet's BOF position, filled in when the sheet is written
        out.u16(sheet.visible ? 0 : 1);
        out.shortString(sheet.name());
        out.end();
    }

    out.begin(kCountry);
    out.u16(1);
    out.u16(1);
    out.end();

    out.begin(kSupBook);
    out.u16(quint16(sheets.Count()));
    out.u8(0x01);
    out.u8(0x04);
    out.end();

    const auto &references = m_file.Workbook().LinkTable().references();
    out.begin(kExternSheet);
    out.u16(quint16(references.size()));
    for (const auto &ref : references) {
        out.u16(ref.supportingBook);
        out.u16(ref.firstSheet);
        out.u16(ref.lastSheet);
    }
    out.end();

    out.record(kRecalcId, kRecalcIdData, sizeof kRecalcIdData);
    strings.write(out);
    writeWord(out, kExtSST, 0);
    writeEmpty(out, kEOF);
}

void TXLSWriter::writeFont(BiffStream &out, const TFontRecord &font)
{
    static constexpr quint8 kUnderline[5] = {0x00, 0x01, 0x02, 0x21, 0x22};
    int style = font.underlineStyle <= 4 ? font.underlineStyle : 0;
    if (font.underline && style == 0)
        style = 1;
    out.begin(kFont);
    out.u16(quint16(font.size * 20));
    out.u16(quint16((font.italic ? 0x0002 : 0) | (font.strikeOut ? 0x0008 : 0)));
    out.u16(colourNumber(font.colorIndex));
    out.u16(font.bold ? 700 : 400);
    out.u16(font.script);
    out.u8(kUnderline[style]);
    out.u8(0); // family
    out.u8(1); // character set
    out.u8(0);
    out.shortString(font.nameText());
    out.end();
}

void TXLSWriter::writeXF(BiffStream &out, const TXFRecord &xf)
{
    quint8 data[20] = {};
    auto put16 = [&data](int at, quint32 v) {
        data[at] = quint8(v);
        data[at + 1] = quint8(v >> 8);
    };
    auto put32 = [&data](int at, quint32 v) {
        for (int i = 0; i < 4; ++i)
            data[at + i] = quint8(v >> (8 * i));
    };
    auto get32 = [&data](int at) {
        quint32 v = 0;
        for (int i = 0; i < 4; ++i)
            v |= quint32(data[at + i]) << (8 * i);
        return v;
    };

    // Readers skip font number 4, so indices from 4 on are written one higher.
    put16(0, xf.font >= 4 ? xf.font + 1u : xf.font);
    put16(2, m_file.Workbook().FormatStrings().Item(xf.format).id);
    put16(4, (xf.locked ? 0x0001 : 0) | (xf.styleFlag ? 0x0004 | 0xFFF0 : 0));
    put16(6, (xf.hAlign & 0x07) | (xf.wrap ? 0x08 : 0) | ((xf.vAlign & 0x07) << 4) |
                 (quint32(xf.rotation) << 8));
    put16(8, (xf.indent & 0x0F) | (xf.bit5 ? 0x20 : 0) | 0x0400);
    put16(10, quint32(xf.borderStyle[0] % 128) | (quint32(xf.borderStyle[1] % 128) << 4) |
                  (quint32(xf.borderStyle[2] % 128) << 8) |
                  (quint32(xf.borderStyle[3] % 128) << 12));
    static constexpr int kColourShift[4] = {0, 7, 16, 23};
    quint32 borderColours = 0;
    for (int side = 0; side < 4; ++side)
        if (xf.borderStyle[side] != 0)
            borderColours |= quint32(colourNumber(xf.borderColor[side]) & 0x7F)
                             << kColourShift[side];
    put32(12, borderColours);
    put32(14, get32(14) | (quint32(xf.fillPattern & 0x3F) << 26));
    const bool solid = xf.fillPattern == 1;
    const quint32 foreground = colourNumber(solid ? xf.fillColor : xf.patternColor) & 0x7F;
    const quint32 background = colourNumber(solid ? xf.patternColor : xf.fillColor) & 0x7F;
    put16(18, foreground | (background << 7));
    out.record(kXF, data, sizeof data);
}

void TXLSWriter::writeSheet(BiffStream &out, const TSheet &sheet, int index,
                            const std::vector<quint32> &cellStrings)
{
    const TPageSetup &page = sheet.PageSetup();
    const TCells &cells = sheet.Cells();
    const TRows &rows = sheet.Rows();
    const TColumns &columns = sheet.Columns();
    const TDisplayMetrics &metrics = m_file.Workbook().metrics();

    writeBOF(out, 0x0010);

    out.begin(kIndex);
    out.u32(0);
    out.u32(0);
    out.u32(0xFFFF);
    out.u32(0);
    out.end();

    writeWord(out, kHorizontalPageBreaks, 0);
    writeWord(out, kVerticalPageBreaks, 0);

    out.begin(kSetup);
    out.u16(quint16(page.paperSize));
    out.u16(quint16(page.scale));
    out.u16(quint16(page.firstPageNumber));
    out.u16(quint16(page.scaleByPercent ? 1 : page.fitWidth));
    out.u16(quint16(page.scaleByPercent ? 1 : page.fitHeight));
    out.u16(quint16((page.printOrder != 0 ? 0x0001 : 0) | (page.orientation == 1 ? 0x0002 : 0) |
                    (page.blackAndWhite ? 0x0008 : 0) | (page.draft ? 0x0010 : 0) |
                    (page.firstPageNumber != 0xFFFF ? 0x0080 : 0)));
    out.u16(0);
    out.u16(0);
    out.f64(page.headerMargin);
    out.f64(page.footerMargin);
    out.u16(0);
    out.end();

    writeWord(out, kWsBool,
              quint16((page.SummaryRowsAbove ? 0 : 0x0040) |
                      (page.SummaryColumnsLeft ? 0 : 0x0080) |
                      (page.scaleByPercent ? 0x0400 : 0x0500)));
    writeWord(out, kPrintHeaders, page.printHeadings ? 1 : 0);
    writeWord(out, kPrintGridLines, page.printGridLines ? 1 : 0);

    int rowLevel = 0, columnLevel = 0;
    for (int i = 0; i < rows.Count(); ++i)
        rowLevel = std::max(rowLevel, rows.At(i).outlineLevel());
    for (int i = 0; i < columns.Count(); ++i)
        columnLevel = std::max(columnLevel, columns.At(i).outlineLevel());
    out.begin(kGuts);
    out.u16(quint16(rowLevel * 29));
    out.u16(quint16(columnLevel * 29));
    out.u16(quint16(rowLevel > 0 ? rowLevel + 1 : 0));
    out.u16(quint16(columnLevel > 0 ? columnLevel + 1 : 0));
    out.end();

    writeDouble(out, kLeftMargin, page.leftMargin);
    writeDouble(out, kRightMargin, page.rightMargin);
    writeDouble(out, kTopMargin, page.topMargin);
    writeDouble(out, kBottomMargin, page.bottomMargin);
    writeWord(out, kHCenter, page.centerHorizontally ? 1 : 0);
    writeWord(out, kVCenter, page.centerVertically ? 1 : 0);

    for (int i = 0; i < columns.Count(); ++i) {
        const TColumn &column = columns.At(i);
        const double w = column.size();
        const double x = w >= 1 ? w * metrics.characterWidth + metrics.columnPadding
                                : w / metrics.smallWidthFactor;
        out.begin(kColInfo);
        out.u16(quint16(column.index()));
        out.u16(quint16(column.index()));
        out.u16(quint16(roundEven(x / metrics.characterWidth * 256)));
        out.u16(quint16(column.xfIndex() + m_xfOffset));
        out.u16(quint16(column.outlineLevel() * 256));
        out.u8(0);
        out.end();
    }

    if (cells.Count() > 0) {
        const int firstRow = cells.firstRow(), lastRow = cells.lastRow();
        const int firstColumn = cells.firstColumn(), lastColumn = cells.lastColumn();
        out.begin(kDimensions);
        out.u32(quint32(firstRow));
        out.u32(quint32(lastRow) + 1);
        out.u16(quint16(firstColumn));
        out.u16(quint16(lastColumn + 1));
        out.u16(0);
        out.end();
    }

    out.begin(kDefaultRowHeight);
    out.u16(0);
    out.u16(0x00FF);
    out.end();

    for (int i = 0; i < rows.Count(); ++i) {
        const TRow &row = rows.At(i);
        out.begin(kRow);
        out.u16(quint16(row.index()));
        out.u16(0);
        out.u16(0);
        out.u16(quint16(roundEven(row.size() * 20)));
        out.u16(0);
        out.u16(0);
        out.u16(quint16(row.outlineLevel() + 0x0080 + 0x0100 + (row.sizeSet() ? 0x0040 : 0)));
        out.u16(quint16(row.xfIndex() + m_xfOffset));
        out.end();
    }

    const bool reporting = bool(m_file.OnProgress);
    for (int i = 0; i < cells.Count(); ++i) {
        const TCell &cell = cells.At(i);
        const quint16 xf = quint16(cell.xfIndex() + m_xfOffset);
        const quint16 position[3] = {quint16(cell.row()), quint16(cell.column()), xf};
        switch (cell.valueType()) {
        case TCell::ValueType::Text: {
            unsigned char *data = out.recordOf(kLabelSST, 10);
            std::memcpy(data, position, 6);
            std::memcpy(data + 6, &cellStrings[size_t(i)], 4);
            break;
        }
        case TCell::ValueType::Integer:
        case TCell::ValueType::Float: {
            unsigned char *data = out.recordOf(kNumber, 14);
            const double value = cell.number();
            std::memcpy(data, position, 6);
            std::memcpy(data + 6, &value, 8);
            break;
        }
        case TCell::ValueType::None:
            std::memcpy(out.recordOf(kBlank, 6), position, 6);
            break;
        }
        if (reporting)
            progress(m_progress + m_progressPerCell);
    }

    quint16 flags = 0x0020 | 0x0080 | 0x0400;
    if (sheet.showGridLines)
        flags |= 0x0002;
    if (sheet.showHeaders)
        flags |= 0x0004;
    if (sheet.showZeros)
        flags |= 0x0010;
    if (sheet.rightToLeft)
        flags |= 0x0040;
    if (sheet.pageBreakPreview)
        flags |= 0x0800;
    if (index == 0)
        flags |= 0x0200;
    out.begin(kWindow2);
    out.u16(flags);
    out.u16(0);
    out.u16(0);
    out.u32(0);
    out.u16(0);
    out.u16(0);
    out.u32(0);
    out.end();

    writeEmpty(out, kEOF);
}
