#include "data/PriceImport.h"

#include <QFile>
#include <QFileInfo>

#include "common/StartupMessages.h"
#include "common/TextUtils.h"
#include "common/UserPrompts.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/ExportConversions.h"
#include "data/ImportError.h"
#include "data/TableStore.h"
#include "data/Transaction.h"

using namespace ExportConversions;

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
        m_text = TextUtils::fromCp1251(file.readAll());
        nextLine(); // the header, whatever it holds
    }

    // The next line, trimmed; false at the end of the file.
    bool nextLine()
    {
        if (m_pos >= m_text.size())
            return false;
        qsizetype end = m_text.indexOf(QLatin1Char('\n'), m_pos);
        if (end < 0)
            end = m_text.size();
        m_line = trimLine(QStringView(m_text).mid(m_pos, end - m_pos));
        m_pos = end + 1;
        ++m_number;
        return true;
    }

    QStringView line() const { return m_line; }

    [[noreturn]] void fail(const QString &field, QStringView text, const QString &why) const
    {
        throw ImportError(QStringLiteral("%1, line %2, field %3: \"%4\" %5")
                              .arg(m_fileName)
                              .arg(m_number)
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
    int m_number = 0;
};

// Converts the fields of one line, naming the field when one fails.
class LineReader {
public:
    LineReader(const ExportLines &lines, int count)
        : m_lines(lines), m_fields(splitFields(lines.line(), count))
    {
    }

    QStringView field(int n) const { return m_fields.at(n - 1); }

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
    QString text(int n, int size) const { return cutToSize(field(n).toString(), size); }

private:
    const ExportLines &m_lines;
    QList<QStringView> m_fields;
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

void importPrice(Database &db, const QString &schema, ExportLines &lines, StartupMessages &messages)
{
    const QString title = QStringLiteral("Импорт прайса...");
    messages.setStartupMessage(title);
    Statement insert = db.prepare(
        QStringLiteral("INSERT INTO \"%1\".Price (ID, CODE, FULLNAME, NDS, KOLTEK, CENA, "
                       "MAXDISCOUNT, ARTICUL, TM, COUNTRY, ST1, ST2, ST3, WST3, VST3, IDGROUP, "
                       "IDSUBGROUP, ISNEW, ISPHOTO, BARCODE, FULLNAME_IND, ARTICUL_IND) VALUES "
                       "(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, "
                       "?17, ?18, ?19, ?20, ?21, ?22)")
            .arg(schema));
    const TableDef &price = CatalogTables::price();
    const int codeSize = price.fieldSize(QStringLiteral("CODE"));
    const int nameSize = price.fieldSize(QStringLiteral("FULLNAME"));
    const int articulSize = price.fieldSize(QStringLiteral("ARTICUL"));
    const int tmSize = price.fieldSize(QStringLiteral("TM"));
    const int countrySize = price.fieldSize(QStringLiteral("COUNTRY"));
    const int barcodeSize = price.fieldSize(QStringLiteral("BARCODE"));
    int n = 0;
    while (lines.nextLine()) {
        const LineReader row(lines, kPriceFields);
        const QString name = row.text(3, nameSize);
        const QString articul = row.text(8, articulSize);
        insert.bind(1, row.whole(1, u"ID"))
            .bind(2, row.text(2, codeSize))
            .bind(3, name)
            .bind(4, row.real(4, u"NDS"))
            .bind(5, row.whole(5, u"KOLTEK"))
            .bind(6, row.real(6, u"CENA"))
            .bind(7, row.real(7, u"MAXDISCOUNT"))
            .bind(8, articul)
            .bind(9, row.text(9, tmSize))
            .bind(10, row.text(10, countrySize))
            .bind(11, row.whole(11, u"ST1"))
            .bind(12, row.whole(12, u"ST2"))
            .bind(13, row.whole(13, u"ST3"))
            .bind(14, row.real(14, u"WST3"))
            .bind(15, row.real(15, u"VST3"))
            .bind(16, row.integer(16, u"IDGROUP"))
            .bind(17, row.integer(17, u"IDSUBGROUP"))
            .bind(18, row.flag(18, u"ISNEW"))
            .bind(19, row.flag(19, u"ISPHOTO"))
            .bind(20, row.text(20, barcodeSize))
            .bind(21, cutToSize(name.toUpper(), nameSize))
            .bind(22, cutToSize(articul.toUpper(), articulSize));
        insertRow(insert, lines, price.name, row.field(1));
        if (n % 100 == 0)
            messages.setStartupMessage(title + QStringLiteral("(%1)").arg(n));
        ++n;
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
        QString name = row.text(2, nameSize);
        if (name.isEmpty())
            name = QStringLiteral("-");
        insert.bind(1, row.whole(1, u"ID")).bind(2, name).bind(3, row.integer(3, u"IDPARENT"));
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
        importPrice(db, priceSchema, priceLines, messages);
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
