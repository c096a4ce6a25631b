// The workbook writer fed with random models: the input is read as a short program of model
// operations (cells, formats, sizes, ranges, sheets, page setup). The model refuses what it
// cannot hold with EXLSError; a save either writes a whole file or leaves none. Whether every
// file opens in olefile and xlrd is checked when the corpus is replayed: the replay sets
// FERROW_FUZZ_KEEP to a folder and the files are kept there for the readers.
#include "FuzzSupport.h"

#include "xls/CFileError.h"
#include "xls/XLSError.h"
#include "xls/XLSFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

using namespace FuzzSupport;

namespace {

class Program {
public:
    Program(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    quint8 byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    quint16 word() { return quint16(byte() | (byte() << 8)); }
    int upTo(int limit) { return int(word() % quint32(limit + 1)); }
    qint64 int64()
    {
        quint64 v = 0;
        for (int i = 0; i < 8; ++i)
            v |= quint64(byte()) << (8 * i);
        return qint64(v);
    }
    double real()
    {
        const qint64 bits = int64();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // Texts are mostly short; a long one is a repeated character, to reach the size limits.
    QString text()
    {
        const quint8 kind = byte();
        if (kind == 0xFF)
            return QString(int(word()) + 1, QChar(u'Ж'));
        QString s;
        for (int n = kind % 24; n > 0 && !atEnd(); --n) {
            quint16 c = word();
            // The program's texts come from the Cyrillic code page, so never hold a surrogate.
            if (QChar::isSurrogate(c))
                c = 0xFFFD;
            s += QChar(char16_t(c % 3 == 0 ? 0x0410 + c % 64 : c % 3 == 1 ? 0x20 + c % 95 : c));
        }
        return s;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

template <class Target> void format(Target &t, Program &p)
{
    const int v = p.byte();
    const int setter = p.byte() % 18;
    switch (setter) {
    case 0:
        t.HAlign(v % 7);
        break;
    case 1:
        t.VAlign(v % 5);
        break;
    case 2:
        t.Rotation(v % 181);
        break;
    case 3:
        t.Wrap(v & 1);
        break;
    case 4:
        t.Indent(v % 20);
        break;
    case 5:
        t.FillPattern(v % 19);
        break;
    case 6:
        t.FillColorRGB(v, v * 7 % 256, v * 13 % 256);
        break;
    case 7:
        t.PatternColor(8 + v % 56);
        break;
    case 8:
        t.BorderStyle(v % 5, v / 5 % 14);
        break;
    case 9:
        t.BorderColor(v % 5, 8 + v / 5 % 56);
        break;
    case 10:
        t.FontBold(v & 1);
        break;
    case 11:
        t.FontItalic(v & 1);
        break;
    case 12:
        t.FontUnderline(v & 1);
        break;
    case 13:
        t.FontSize(1 + v % 72);
        break;
    case 14:
        t.FontColorRGB(v * 3 % 256, v, v * 11 % 256);
        break;
    case 15:
        t.FontName(p.text());
        break;
    case 16:
        t.FontScript(v % 3);
        break;
    default:
        t.Locked(v & 1);
        break;
    }
}

void run(TXLSFile &file, Program &p)
{
    TWorkbook &book = file.Workbook();
    TSheet *sheet = &book.Sheets().Item(0);
    for (int op = 0; op < 400 && !p.atEnd(); ++op) {
        // Positions lean to the top left corner, with the sheet's edges and beyond in reach.
        // (Each byte read in a statement of its own: the order must not depend on the compiler.)
        const bool farRow = p.byte() == 0xFF;
        const int row = farRow ? int(p.word()) + (p.byte() & 1) : p.byte();
        const bool farColumn = p.byte() == 0xFF;
        const int column = farColumn ? 255 + (p.byte() & 1) : p.byte() % 16;
        const int operation = p.byte() % 12;
        switch (operation) {
        case 0:
            sheet->Cells().Item(row, column).setValue(p.text());
            break;
        case 1:
            sheet->Cells().Item(row, column).setValue(p.int64());
            break;
        case 2:
            sheet->Cells().Item(row, column).setValue(p.real());
            break;
        case 3:
            format(sheet->Cells().Item(row, column), p);
            break;
        case 4:
            sheet->Rows().Item(row).HeightPixels(p.upTo(600));
            break;
        case 5:
            sheet->Columns().Item(column).WidthPixels(p.upTo(2000));
            break;
        case 6: {
            TRange &range = sheet->Ranges().Add();
            const int height = p.byte() % 8;
            const int width = p.byte() % 8;
            range.AddRect(row, row + height, column, column + width);
            range.merged = p.byte() & 1;
            format(range, p);
            break;
        }
        case 7:
            if (book.Sheets().Count() < 4)
                sheet = &book.Sheets().Add(p.text());
            else
                sheet = &book.Sheets().Item(p.byte() % book.Sheets().Count());
            break;
        case 8: {
            const int index = book.FormatStrings().Add(p.text());
            sheet->Cells().Item(row, column).FormatIndex(index);
            break;
        }
        case 9: {
            TPageSetup &page = sheet->PageSetup();
            page.headerCenter = p.text();
            page.footerRight = p.text();
            page.orientation = p.byte() % 3;
            page.scale = 10 + p.byte() % 391;
            page.leftMargin = p.byte() / 16.0;
            page.printGridLines = p.byte() & 1;
            break;
        }
        case 10:
            sheet->showGridLines = p.byte() & 1;
            sheet->zoom = 10 + p.byte() % 391;
            sheet->rightToLeft = p.byte() & 1;
            break;
        default:
            sheet->Cells().Item(row, column).setValue(p.int64() % 100000);
            break;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int produced = 0;
    const QString path = scratchFolder() + QStringLiteral("order.xls");
    QFile::remove(path);
    Program program(data, size);
    TXLSFile file;
    try {
        run(file, program);
    } catch (const EXLSError &) {
        // A refused change: the model keeps what it had, and that must still save.
    }
    try {
        file.SaveAs(path);
    } catch (const EXLSError &) {
        check(!QFileInfo::exists(path), "a refused save left a file");
        return 0;
    } catch (const ECFileError &) {
        check(!QFileInfo::exists(path), "a refused save left a file");
        return 0;
    }
    const qint64 bytes = QFileInfo(path).size();
    check(bytes >= 1536 && bytes % 512 == 0, "the file is not whole sectors");
    const QByteArray keep = qgetenv("FERROW_FUZZ_KEEP");
    if (!keep.isEmpty())
        QFile::copy(path, QString::fromLocal8Bit(keep) + QStringLiteral("/%1.xls").arg(produced++));
    return 0;
}
