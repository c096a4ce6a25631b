#include "data/PriceImport.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <functional>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringEncoder>
#include <QVarLengthArray>

#include "common/StartupMessages.h"
#include "common/TextUtils.h"
#include "common/UserPrompts.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/ExportConversions.h"
#include "data/ImportError.h"
#include "data/RowFeed.h"
#include "data/TableStore.h"
#include "data/Transaction.h"

using namespace ExportConversions;
using namespace Qt::StringLiterals;

namespace {

const int kPriceFields = 20;
const int kClassFields = 3;

// The lines of an export after its header, with their line numbers in the file.
class ExportLines {
public:
    ExportLines(const QString &path, const QString &fileName) : m_fileName(fileName)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw ImportError(
                QStringLiteral("%1 cannot be read: %2").arg(fileName, file.errorString()));
        const QByteArray bytes = file.readAll();
        // Exports come in the Cyrillic Windows code page; one saved as UTF-8 by mistake is
        // read as what it is rather than as garbled names.
        if (TextUtils::isUtf8BeyondAscii(bytes)) {
            m_text = QString::fromUtf8(bytes);
            if (m_text.startsWith(QChar(0xFEFF)))
                m_text.remove(0, 1);
        } else {
            m_text = TextUtils::fromCp1251(bytes);
        }
        m_end = m_text.size();
        nextLine(); // the header, whatever it holds
    }

    // Hands the lines after about the middle of those left to a second reader, which numbers
    // them as this one would have; this one then ends before them.
    ExportLines splitOffSecondHalf()
    {
        ExportLines second(*this);
        const qsizetype middle = m_pos + (m_end - m_pos) / 2;
        const qsizetype cut = QStringView(m_text).first(m_end).indexOf(QLatin1Char('\n'), middle);
        if (cut < 0) {
            second.m_pos = m_end;
            return second;
        }
        second.m_pos = cut + 1;
        second.m_number =
            m_number +
            int(QStringView(m_text).mid(m_pos, cut + 1 - m_pos).count(QLatin1Char('\n')));
        m_end = cut + 1;
        return second;
    }

    qsizetype remainingSize() const { return m_end - m_pos; }

    // The next line, trimmed; false at the end of the file.
    bool nextLine()
    {
        if (m_pos >= m_end)
            return false;
        qsizetype end = QStringView(m_text).first(m_end).indexOf(QLatin1Char('\n'), m_pos);
        if (end < 0)
            end = m_end;
        m_line = trimLine(QStringView(m_text).mid(m_pos, end - m_pos));
        m_pos = end + 1;
        ++m_number;
        return true;
    }

    QStringView line() const { return m_line; }
    int number() const { return m_number; }
    const QString &fileName() const { return m_fileName; }

    [[noreturn]] void fail(const QString &field, QStringView text, const QString &why) const
    {
        failAt(m_number, field, text, why);
    }
    [[noreturn]] void failAt(int number, const QString &field, QStringView text,
                             const QString &why) const
    {
        throw ImportError(QStringLiteral("%1, line %2, field %3: \"%4\" %5")
                              .arg(m_fileName)
                              .arg(number)
                              .arg(field, quoted(text), why));
    }

    // The field as the message shows it: a garbage field can be megabytes long or hold control
    // characters, and the message must stay one readable line.
    static QString quoted(QStringView text)
    {
        const qsizetype shown = 60;
        QString result = text.left(shown).toString();
        for (QChar &c : result)
            if (c.unicode() < 0x20)
                c = QChar(QChar::ReplacementCharacter);
        if (text.size() > shown)
            result += QStringLiteral("…");
        return result;
    }

    [[noreturn]] void fail(const QString &field, QStringView text, Failure failure) const
    {
        switch (failure) {
        case Failure::OutOfRange:
            fail(field, text, QStringLiteral("is out of range"));
        case Failure::NotAnInteger:
            fail(field, text, QStringLiteral("is not an integer"));
        default:
            fail(field, text, QStringLiteral("is not a number"));
        }
    }

private:
    QString m_fileName;
    QString m_text;
    QStringView m_line;
    qsizetype m_pos = 0;
    qsizetype m_end = 0;
    int m_number = 0;
};

// Converts the fields of one line, naming the field when one fails.
class LineReader {
public:
    LineReader(const ExportLines &lines, int count) : m_lines(lines)
    {
        // As ExtractField for every n, in one pass; missing fields are empty.
        const QStringView line = lines.line();
        qsizetype start = 0;
        for (int n = 0; n < count; ++n) {
            if (start > line.size()) {
                m_fields.append(QStringView());
                continue;
            }
            qsizetype end = line.indexOf(QLatin1Char(';'), start);
            if (end < 0)
                end = line.size();
            m_fields.append(line.mid(start, end - start));
            start = end + 1;
        }
    }

    QStringView field(int n) const { return m_fields[n - 1]; }

    double real(int n, const char16_t *name) const
    {
        Failure failure = Failure::None;
        if (const auto value = toFloat(field(n), &failure))
            return *value;
        m_lines.fail(QString::fromUtf16(name), field(n), failure);
    }
    int whole(int n, const char16_t *name) const
    {
        Failure failure = Failure::None;
        if (const auto value = toWhole(field(n), &failure))
            return *value;
        m_lines.fail(QString::fromUtf16(name), field(n), failure);
    }
    int integer(int n, const char16_t *name) const
    {
        Failure failure = Failure::None;
        if (const auto value = toInteger(field(n), &failure))
            return *value;
        m_lines.fail(QString::fromUtf16(name), field(n), failure);
    }
    bool flag(int n, const char16_t *name) const
    {
        Failure failure = Failure::None;
        if (const auto value = toFlag(field(n), &failure))
            return *value;
        m_lines.fail(QString::fromUtf16(name), field(n), failure);
    }
    // The field cut to a text field's size.
    QStringView text(int n, int size) const
    {
        const QStringView value = field(n);
        return value.size() > size ? value.first(size) : value;
    }

private:
    const ExportLines &m_lines;
    QVarLengthArray<QStringView, 20> m_fields;
};

void insertRow(Statement &insert, const ExportLines &lines, const QString &table, QStringView id)
{
    try {
        insert.exec();
    } catch (const DatabaseError &e) {
        if (e.text().contains(QStringLiteral("UNIQUE constraint failed")))
            lines.fail(QStringLiteral("ID"), id,
                       QStringLiteral("is already an ID of the table %1").arg(table));
        throw;
    }
}

// One converted price line, kept until every line has been read.
struct PriceRow {
    enum Text { Code, FullName, Articul, Tm, Country, Barcode, FullNameInd, ArticulInd, Count };

    int line = 0;
    int id = 0;
    QStringView idText; // the ID field as the file holds it, for the message
    int kolTek = 0, st1 = 0, st2 = 0, st3 = 0, idGroup = 0, idSubGroup = 0;
    double nds = 0, cena = 0, maxDiscount = 0, wst3 = 0, vst3 = 0;
    bool isNew = false, isPhoto = false;
    QByteArray texts;              // the texts in UTF-8, one after the other
    std::array<int, Count> ends{}; // where each text ends in texts

    void setTexts(const std::array<QStringView, Count> &values)
    {
        qsizetype need = 0;
        for (QStringView v : values)
            need += v.size() * 3;
        texts.resize(need);
        QStringEncoder encoder(QStringEncoder::Utf8);
        char *out = texts.data();
        for (int k = 0; k < Count; ++k) {
            out = encoder.appendToBuffer(out, values[k]);
            ends[k] = int(out - texts.constData());
        }
        texts.resize(ends[Count - 1]);
    }
    std::string_view text(int k) const
    {
        const int begin = k ? ends[k - 1] : 0;
        return {texts.constData() + begin, size_t(ends[k] - begin)};
    }
};

// Bytewise, as the engine compares text.
bool storedBefore(const PriceRow &a, const PriceRow &b)
{
    if (a.idSubGroup != b.idSubGroup)
        return a.idSubGroup < b.idSubGroup;
    return a.text(PriceRow::FullNameInd) < b.text(PriceRow::FullNameInd);
}

// Field sizes of the texts of Price.
struct PriceTextSizes {
    int code, name, articul, tm, country, barcode;
    PriceTextSizes()
    {
        const TableDef &price = CatalogTables::price();
        code = price.fieldSize(QStringLiteral("CODE"));
        name = price.fieldSize(QStringLiteral("FULLNAME"));
        articul = price.fieldSize(QStringLiteral("ARTICUL"));
        tm = price.fieldSize(QStringLiteral("TM"));
        country = price.fieldSize(QStringLiteral("COUNTRY"));
        barcode = price.fieldSize(QStringLiteral("BARCODE"));
    }
};

// The rows of one run of lines, converted and put in stored order; a line that fails its
// conversion ends the run, its error kept for after the rows before it were checked.
struct PriceLinesRead {
    std::vector<PriceRow> rows;
    std::exception_ptr failure;
};

PriceLinesRead readPriceLines(ExportLines &lines, const PriceTextSizes &sizes,
                              const std::function<void()> &rowAdded)
{
    PriceLinesRead result;
    try {
        while (lines.nextLine()) {
            const LineReader line(lines, kPriceFields);
            PriceRow row;
            row.line = lines.number();
            row.id = line.whole(1, u"ID");
            row.idText = line.field(1);
            row.nds = line.real(4, u"NDS");
            row.kolTek = line.whole(5, u"KOLTEK");
            row.cena = line.real(6, u"CENA");
            row.maxDiscount = line.real(7, u"MAXDISCOUNT");
            row.st1 = line.whole(11, u"ST1");
            row.st2 = line.whole(12, u"ST2");
            row.st3 = line.whole(13, u"ST3");
            row.wst3 = line.real(14, u"WST3");
            row.vst3 = line.real(15, u"VST3");
            row.idGroup = line.integer(16, u"IDGROUP");
            row.idSubGroup = line.integer(17, u"IDSUBGROUP");
            row.isNew = line.flag(18, u"ISNEW");
            row.isPhoto = line.flag(19, u"ISPHOTO");
            const QStringView name = line.text(3, sizes.name);
            const QStringView articul = line.text(8, sizes.articul);
            const QString nameInd = cutToSize(upperCase(name), sizes.name);
            const QString articulInd = cutToSize(upperCase(articul), sizes.articul);
            row.setTexts({line.text(2, sizes.code), name, articul, line.text(9, sizes.tm),
                          line.text(10, sizes.country), line.text(20, sizes.barcode), nameInd,
                          articulInd});
            result.rows.push_back(std::move(row));
            rowAdded();
        }
    } catch (...) {
        result.failure = std::current_exception();
    }
    std::sort(result.rows.begin(), result.rows.end(), storedBefore);
    return result;
}

// Refuses the first line, in file order, whose ID an earlier line or a row already in the
// table took; a row is refused by its key only once it is complete, so a failed conversion
// counts only when no line before it repeats an ID. The rows' IDs are then taken.
void checkIds(const ExportLines &lines, const PriceLinesRead &read, QHash<int, int> &idLines)
{
    QHash<int, int> firstLines; // of each ID in this run
    firstLines.reserve(qsizetype(read.rows.size()));
    for (const PriceRow &row : read.rows) {
        auto found = firstLines.find(row.id);
        if (found == firstLines.end())
            firstLines.insert(row.id, row.line);
        else if (row.line < found.value())
            found.value() = row.line;
    }
    const PriceRow *refused = nullptr;
    for (const PriceRow &row : read.rows) {
        const bool taken = idLines.contains(row.id) || firstLines.value(row.id) != row.line;
        if (taken && (!refused || row.line < refused->line))
            refused = &row;
    }
    if (refused)
        lines.failAt(
            refused->line, QStringLiteral("ID"), refused->idText,
            QStringLiteral("is already an ID of the table %1").arg(CatalogTables::price().name));
    if (read.failure)
        std::rethrow_exception(read.failure);
    for (auto it = firstLines.cbegin(); it != firstLines.cend(); ++it)
        idLines.insert(it.key(), it.value());
}

// The rows of both halves in stored order, as the engine reads them.
class MergedPriceRows : public RowFeed::Source {
public:
    MergedPriceRows(const std::vector<PriceRow> &a, const std::vector<PriceRow> &b)
        : m_a(a.data()), m_aEnd(a.data() + a.size()), m_b(b.data()), m_bEnd(b.data() + b.size())
    {
    }
    static const QStringList &columns()
    {
        static const QStringList names{
            u"ID"_s,           u"CODE"_s,        u"FULLNAME"_s, u"NDS"_s,     u"KOLTEK"_s,
            u"CENA"_s,         u"MAXDISCOUNT"_s, u"ARTICUL"_s,  u"TM"_s,      u"COUNTRY"_s,
            u"ST1"_s,          u"ST2"_s,         u"ST3"_s,      u"WST3"_s,    u"VST3"_s,
            u"IDGROUP"_s,      u"IDSUBGROUP"_s,  u"ISNEW"_s,    u"ISPHOTO"_s, u"BARCODE"_s,
            u"FULLNAME_IND"_s, u"ARTICUL_IND"_s};
        return names;
    }
    bool next() override
    {
        if (m_a == m_aEnd && m_b == m_bEnd) {
            m_current = nullptr;
            return false;
        }
        if (m_b == m_bEnd || (m_a != m_aEnd && !storedBefore(*m_b, *m_a)))
            m_current = m_a++;
        else
            m_current = m_b++;
        return true;
    }
    void column(int index, RowFeed::Value &value) const override
    {
        const PriceRow &r = *m_current;
        switch (index) {
        case 0:
            return value.setInt(r.id);
        case 1:
            return value.setUtf8(r.text(PriceRow::Code));
        case 2:
            return value.setUtf8(r.text(PriceRow::FullName));
        case 3:
            return value.setReal(r.nds);
        case 4:
            return value.setInt(r.kolTek);
        case 5:
            return value.setReal(r.cena);
        case 6:
            return value.setReal(r.maxDiscount);
        case 7:
            return value.setUtf8(r.text(PriceRow::Articul));
        case 8:
            return value.setUtf8(r.text(PriceRow::Tm));
        case 9:
            return value.setUtf8(r.text(PriceRow::Country));
        case 10:
            return value.setInt(r.st1);
        case 11:
            return value.setInt(r.st2);
        case 12:
            return value.setInt(r.st3);
        case 13:
            return value.setReal(r.wst3);
        case 14:
            return value.setReal(r.vst3);
        case 15:
            return value.setInt(r.idGroup);
        case 16:
            return value.setInt(r.idSubGroup);
        case 17:
            return value.setInt(r.isNew ? 1 : 0);
        case 18:
            return value.setInt(r.isPhoto ? 1 : 0);
        case 19:
            return value.setUtf8(r.text(PriceRow::Barcode));
        case 20:
            return value.setUtf8(r.text(PriceRow::FullNameInd));
        case 21:
            return value.setUtf8(r.text(PriceRow::ArticulInd));
        default:
            return;
        }
    }
    // The file line of the row being read, 0 before the first.
    int currentLine() const { return m_current ? m_current->line : 0; }

private:
    const PriceRow *m_a, *m_aEnd, *m_b, *m_bEnd;
    const PriceRow *m_current = nullptr;
};

// Reading a large export is shared with a second thread: each reads one half of the lines.
const qsizetype kSharedReadingSize = 1 << 20;

void importPrice(Database &db, const QString &schema, const QString &oldSchema, ExportLines &lines,
                 StartupMessages &messages)
{
    const QString title = QStringLiteral("Импорт прайса...");
    messages.setStartupMessage(title);
    const PriceTextSizes sizes;

    // IDs already taken, by the line that took them (0: a row the table held before).
    QHash<int, int> idLines;
    Statement oldIds = db.prepare(QStringLiteral("SELECT ID FROM \"%1\".Price").arg(oldSchema));
    while (oldIds.step())
        idLines.insert(oldIds.columnInt(0), 0);

    // The splash line counts the rows of both halves, by hundreds as they pass.
    std::atomic<int> secondCount{0};
    int firstCount = 0;
    int shown = 0; // the next count to show
    const auto showProgress = [&](int added) {
        while (shown < added) {
            messages.setStartupMessage(title + QStringLiteral("(%1)").arg(shown));
            shown += 100;
        }
    };

    PriceLinesRead first, second;
    if (lines.remainingSize() >= kSharedReadingSize) {
        ExportLines secondLines = lines.splitOffSecondHalf();
        std::thread reader([&] {
            second = readPriceLines(secondLines, sizes,
                                    [&] { secondCount.fetch_add(1, std::memory_order_relaxed); });
        });
        first = readPriceLines(lines, sizes, [&] {
            ++firstCount;
            showProgress(firstCount + secondCount.load(std::memory_order_relaxed));
        });
        reader.join();
        checkIds(lines, first, idLines);
        checkIds(secondLines, second, idLines);
    } else {
        first = readPriceLines(lines, sizes, [&] {
            ++firstCount;
            showProgress(firstCount);
        });
        checkIds(lines, first, idLines);
    }
    const int n = int(first.rows.size() + second.rows.size());
    showProgress(n);

    // Both halves are in stored order; merged as the engine reads them, all in one statement.
    MergedPriceRows merged(first.rows, second.rows);
    const RowFeed feed(db, QStringLiteral("ferrow_import_price"), MergedPriceRows::columns(),
                       merged);
    try {
        db.exec(QStringLiteral("INSERT INTO \"%1\".Price (%2) SELECT * FROM ferrow_import_price")
                    .arg(schema, MergedPriceRows::columns().join(u", "_s)));
    } catch (const DatabaseError &e) {
        throw ImportError(QStringLiteral("%1, line %2: %3")
                              .arg(lines.fileName())
                              .arg(merged.currentLine())
                              .arg(e.text()));
    }
    messages.setStartupMessage(title + QStringLiteral("(%1)").arg(n));
}

void importClasses(Database &db, const QString &schema, ExportLines &lines,
                   StartupMessages &messages)
{
    const QString title = QStringLiteral("Импорт классификатора...");
    messages.setStartupMessage(title);
    Statement insert = db.prepare(
        QStringLiteral("INSERT INTO \"%1\".Class (ID, NAME, IDPARENT) VALUES (?1, ?2, ?3)")
            .arg(schema));
    const int nameSize = CatalogTables::classTable().fieldSize(QStringLiteral("NAME"));
    int m = 0;
    while (lines.nextLine()) {
        const LineReader row(lines, kClassFields);
        QStringView name = row.text(2, nameSize);
        if (name.isEmpty())
            name = u"-";
        insert.bind(1, row.whole(1, u"ID")).bindText(2, name).bind(3, row.integer(3, u"IDPARENT"));
        insertRow(insert, lines, CatalogTables::Class, row.field(1));
        ++m;
        if (m % 100 == 0)
            messages.setStartupMessage(title + QStringLiteral("(%1)").arg(m));
    }
    messages.setStartupMessage(title + QStringLiteral("(%1)").arg(m));
}

// Staged tables are dropped unless the import got through.
class StagingGuard {
public:
    explicit StagingGuard(TableStore &store) : m_store(store) {}
    ~StagingGuard()
    {
        for (const QString &schema : m_schemas) {
            try {
                m_store.discardStaging(schema);
            } catch (...) {
            }
        }
    }
    QString begin(const QString &table)
    {
        m_schemas << m_store.beginStaging(table);
        return m_schemas.last();
    }
    void release() { m_schemas.clear(); }

private:
    TableStore &m_store;
    QStringList m_schemas;
};

} // namespace

bool ImportPriceAndClasses(TableStore &store, const QString &workFolder,
                           const QString &priceExportFileName, const QString &classExportFileName,
                           StartupMessages &messages, UserPrompts &prompts)
{
    const QString pricePath = workFolder + priceExportFileName;
    const QString classPath = workFolder + classExportFileName;
    if (!QFileInfo(classPath).isFile() || !QFileInfo(pricePath).isFile()) {
        prompts.error(QStringLiteral("Файл(ы) импорта не были найдены в искомом месте. Импорт "
                                     "данных будет пропущен."));
        return false;
    }
    // Checked first, so that the swap at the end cannot fail half-way.
    store.requireIdle(CatalogTables::Price);
    store.create(CatalogTables::Price);
    store.create(CatalogTables::FPrice);
    store.create(CatalogTables::Class);
    Database &db = store.database();

    // The new tables are built apart and swapped in only when everything succeeded, so a
    // failure leaves the tables and their files as they were.
    const QString oldPrice = store.schemaOf(CatalogTables::Price);
    const QString oldClass = store.schemaOf(CatalogTables::Class);
    StagingGuard staging(store);
    const QString priceSchema = staging.begin(CatalogTables::Price);
    const QString classSchema = staging.begin(CatalogTables::Class);
    {
        Transaction transaction(db);
        // Rows already there stay: the caller empties the tables when it means to.
        db.exec(QStringLiteral("INSERT INTO \"%1\".Price SELECT * FROM \"%2\".Price; "
                               "INSERT INTO \"%3\".Class SELECT * FROM \"%4\".Class")
                    .arg(priceSchema, oldPrice, classSchema, oldClass));
        ExportLines priceLines(pricePath, priceExportFileName);
        importPrice(db, priceSchema, oldPrice, priceLines, messages);
        ExportLines classLines(classPath, classExportFileName);
        importClasses(db, classSchema, classLines, messages);
        transaction.commit();
    }
    store.completeStaging(priceSchema, CatalogTables::Price);
    store.completeStaging(classSchema, CatalogTables::Class);

    const QString classFile = workFolder + CatalogTables::ClassFile;
    const QString priceFile = workFolder + CatalogTables::PriceFile;
    const QString classTemporary = WorkingFile::temporaryPathFor(classFile);
    const QString priceTemporary = WorkingFile::temporaryPathFor(priceFile);
    try {
        store.writeSchemaFile(classSchema, classTemporary);
        store.writeSchemaFile(priceSchema, priceTemporary);
    } catch (...) {
        WorkingFile::removeQuietly(classTemporary);
        WorkingFile::removeQuietly(priceTemporary);
        throw;
    }
    WorkingFile::replaceAll({{classTemporary, classFile}, {priceTemporary, priceFile}});
    store.installStaging(classSchema, CatalogTables::Class);
    store.installStaging(priceSchema, CatalogTables::Price);
    staging.release();

    WorkingFile::removeQuietly(workFolder + CatalogTables::TreeFile);
    return true;
}
