#include "VersionedFiles.h"

#include "app/SettingsFile.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/TableStore.h"
#include "data/Transaction.h"
#include "xls/XLSFile.h"

#include <QDir>
#include <QFileInfo>

namespace VersionedFiles {

namespace {

const QString settingsFile = QStringLiteral("FerrowConfig.ini");
const QString workbookFile = QStringLiteral("Order.xls");
const QString archivePair = QStringLiteral("Main.lst+Doc.lst");

// Enough rows that a save takes a while, a count that differs from version to version.
int rowsFor(qint64 v)
{
    return 800 + int(v % 7);
}

struct TableKind {
    QString table;
    QString marker; // field holding the version in every row
    QString insert; // ?1 the row number, ?2 the version
};

TableKind tableKind(const QString &kind)
{
    using namespace CatalogTables;
    if (kind == PriceFile)
        return {Price, QStringLiteral("KOLTEK"),
                QStringLiteral("INSERT INTO Price (ID, CODE, FULLNAME, FULLNAME_IND, KOLTEK, CENA) "
                               "VALUES (?1, 'A' || ?1, 'Ручка шариковая синяя ' || ?1, "
                               "'РУЧКА ШАРИКОВАЯ СИНЯЯ ' || ?1, ?2, 12.5)")};
    if (kind == ClassFile)
        return {Class, QStringLiteral("IDPARENT"),
                QStringLiteral("INSERT INTO Class (ID, NAME, IDPARENT) VALUES (?1, 'Группа', ?2)")};
    if (kind == TreeFile)
        return {Tree, QStringLiteral("IDGROUP"),
                QStringLiteral("INSERT INTO Tree (IDSUBGROUP, IDGROUP, NAMEGROUP, NAMESUBGROUP) "
                               "VALUES (?1, ?2, 'Группа', 'Подгруппа ' || ?1)")};
    if (kind == MainFile)
        return {Main, QStringLiteral("ROWCOUNT"),
                QStringLiteral("INSERT INTO Main (DATET, SUMMA, ROWCOUNT) "
                               "VALUES ('2026-12-11 10:00:00', ?1, ?2)")};
    if (kind == DocFile)
        return {Doc, QStringLiteral("IDDOC"),
                QStringLiteral("INSERT INTO Doc (IDDOC, IDPRICE, KOL, FULLNAME, CENA) "
                               "VALUES (?2, ?1, 3, 'Тетрадь', 1.5)")};
    return {};
}

// The table's rows of version v, in place of what it held.
void fillTable(Database &db, const TableKind &kind, qint64 v)
{
    Transaction transaction(db);
    db.exec(QStringLiteral("DELETE FROM ") + kind.table);
    Statement insert = db.prepare(kind.insert);
    for (int row = 1; row <= rowsFor(v); ++row) {
        insert.bind(1, row).bind(2, v).exec();
        insert.reset();
    }
    transaction.commit();
}

class TableWriter : public Writer {
public:
    TableWriter(const TableKind &kind, const QString &folder) : m_kind(kind), m_folder(folder)
    {
        m_store.create(m_kind.table);
    }
    void save(qint64 v) override
    {
        fillTable(m_db, m_kind, v);
        m_store.save(m_kind.table, m_folder + fileName());
    }

private:
    QString fileName() const
    {
        using namespace CatalogTables;
        const QString &t = m_kind.table;
        return t == Price   ? PriceFile
               : t == Class ? ClassFile
               : t == Tree  ? TreeFile
               : t == Main  ? MainFile
                            : DocFile;
    }

    TableKind m_kind;
    QString m_folder;
    Database m_db;
    TableStore m_store{m_db};
};

// Main.lst and Doc.lst saved together, as the archive saves them.
class ArchivePairWriter : public Writer {
public:
    explicit ArchivePairWriter(const QString &folder) : m_folder(folder)
    {
        m_store.create(CatalogTables::Main);
        m_store.create(CatalogTables::Doc);
    }
    void save(qint64 v) override
    {
        using namespace CatalogTables;
        QList<QPair<QString, QString>> files;
        for (const QString &kind : {MainFile, DocFile}) {
            const TableKind table = tableKind(kind);
            fillTable(m_db, table, v);
            const QString temporary = WorkingFile::temporaryPathFor(m_folder + kind);
            m_store.writeSchemaFile(m_store.schemaOf(table.table), temporary);
            files.append({temporary, m_folder + kind});
        }
        WorkingFile::replaceAll(files);
    }

private:
    QString m_folder;
    Database m_db;
    TableStore m_store{m_db};
};

QString versionText(qint64 v)
{
    return QStringLiteral("v%1").arg(v);
}

class SettingsWriter : public Writer {
public:
    explicit SettingsWriter(const QString &folder) : m_folder(folder) {}
    void save(qint64 v) override
    {
        // The first key and the last text key carry the version: a whole file has both.
        CatalogSettings s;
        s.PathPicture = QStringLiteral("/opt/ferrow/pictures/");
        s.Orgname = versionText(v);
        s.OrgAdress = QString(200 + int(v % 7), QChar(u'Ж'));
        s.ProxyPassword = versionText(v);
        s.ProxyPort = int(v % 60000);
        WriteSettings(s, m_folder, settingsFile);
    }

private:
    QString m_folder;
};

class WorkbookWriter : public Writer {
public:
    explicit WorkbookWriter(const QString &folder) : m_folder(folder) {}
    void save(qint64 v) override
    {
        TXLSFile file;
        TCells &cells = file.Workbook().Sheets().Item(0).Cells();
        cells.Item(0, 0).setValue(v);
        for (int row = 1; row <= 300; ++row) {
            cells.Item(row, 0).setValue(QStringLiteral("Ручка шариковая %1").arg(row));
            cells.Item(row, 1).setValue(row * 1.25);
        }
        file.SaveAs(m_folder + workbookFile);
    }

private:
    QString m_folder;
};

} // namespace

QStringList kinds()
{
    using namespace CatalogTables;
    return {PriceFile, ClassFile,   TreeFile,     MainFile,
            DocFile,   archivePair, settingsFile, workbookFile};
}

std::unique_ptr<Writer> writerFor(const QString &kind, const QString &folder)
{
    if (kind == settingsFile)
        return std::make_unique<SettingsWriter>(folder);
    if (kind == workbookFile)
        return std::make_unique<WorkbookWriter>(folder);
    if (kind == archivePair)
        return std::make_unique<ArchivePairWriter>(folder);
    const TableKind table = tableKind(kind);
    if (table.table.isEmpty())
        return nullptr;
    return std::make_unique<TableWriter>(table, folder);
}

Found readVersion(const QString &kind, const QString &folder)
{
    if (kind == archivePair) {
        // What the start-up does before it loads the pair.
        WorkingFile::finishInterrupted(folder);
        // A temporary file of a save that had not reached the renames may stay: the next
        // save writes it anew.
        QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        left.removeIf([](const QString &name) { return name.endsWith(QStringLiteral(".tmp")); });
        Found main = readVersion(CatalogTables::MainFile, folder);
        const Found doc = readVersion(CatalogTables::DocFile, folder);
        if (main.error.isEmpty())
            main.error = doc.error;
        if (main.error.isEmpty() && main.version != doc.version)
            main.error = QStringLiteral("Main.lst holds version %1, Doc.lst version %2")
                             .arg(main.version)
                             .arg(doc.version);
        if (main.error.isEmpty() &&
            left != QStringList({CatalogTables::DocFile, CatalogTables::MainFile}))
            main.error = QStringLiteral("left in the folder: ") + left.join(u' ');
        return main;
    }
    Found found;
    if (!QFileInfo(folder + kind).isFile()) {
        found.error = QStringLiteral("no file under its real name");
        return found;
    }
    try {
        if (kind == settingsFile) {
            CatalogSettings s;
            ReadSettings(s, folder, settingsFile, QStringLiteral("/opt/ferrow/"));
            if (s.Orgname != s.ProxyPassword || !s.Orgname.startsWith(u'v')) {
                found.error = QStringLiteral("settings of two versions: %1 and %2")
                                  .arg(s.Orgname, s.ProxyPassword);
                return found;
            }
            found.version = s.Orgname.mid(1).toLongLong();
            if (s.OrgAdress.size() != 200 + found.version % 7)
                found.error = QStringLiteral("a value cut short");
            return found;
        }
        const TableKind table = tableKind(kind);
        Database db;
        TableStore store(db);
        store.load(table.table, folder + kind);
        Statement q = db.prepare(QStringLiteral("SELECT count(*), min(%1), max(%1) FROM %2")
                                     .arg(table.marker, table.table));
        q.step();
        const qint64 low = q.columnInt64(1), high = q.columnInt64(2);
        if (low != high) {
            found.error = QStringLiteral("rows of versions %1 to %2").arg(low).arg(high);
            return found;
        }
        found.version = low;
        if (q.columnInt(0) != rowsFor(low))
            found.error = QStringLiteral("%1 rows").arg(q.columnInt(0));
    } catch (const std::exception &e) {
        found.error = QString::fromUtf8(e.what());
    }
    return found;
}

} // namespace VersionedFiles
