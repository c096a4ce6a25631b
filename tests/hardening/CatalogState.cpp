#include "CatalogState.h"

#include "app/SettingsFile.h"
#include "common/TextUtils.h"
#include "data/CatalogTables.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

namespace {

QString digest(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

QString rowsDigest(Database &db, const QString &table)
{
    Statement q = db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(table));
    QByteArray all;
    int rows = 0;
    while (q.step()) {
        ++rows;
        for (int c = 0; c < q.columnCount(); ++c)
            all += q.columnText(c).toUtf8() + '\x1f';
        all += '\x1e';
    }
    return QStringLiteral("%1 rows %2").arg(rows).arg(digest(all));
}

QString fileDigest(const QString &table, const QString &path)
{
    if (!QFile::exists(path))
        return QStringLiteral("missing");
    try {
        Database db;
        TableStore store(db);
        store.load(table, path);
        return rowsDigest(db, table);
    } catch (const std::exception &) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return QStringLiteral("unloadable, bytes ") + digest(file.readAll());
    }
}

} // namespace

QByteArray priceLine(int id)
{
    return TextUtils::toCp1251(QStringLiteral("%1;A%1;Ручка шариковая %1;20;5;12.5;10;ab-%1;Pilot;"
                                              "Китай;1;10;100;2.5;0.01;1;2;1;0;460%1")
                                   .arg(id));
}

CatalogState::CatalogState()
{
    using namespace CatalogTables;
    for (const QString &t : {Price, FPrice, Class, Tree, Zakaz, Main, Doc})
        store.create(t);
    db.exec(QStringLiteral(
        "INSERT INTO Price (ID, CODE, FULLNAME, FULLNAME_IND, CENA, KOLTEK, IDGROUP, IDSUBGROUP) "
        "VALUES (1, 'A1', 'Ручка', 'РУЧКА', 12.5, 5, 1, 2), (2, 'A2', 'Тетрадь', 'ТЕТРАДЬ', 3, 0, "
        "1, 2), (3, 'B1', 'Клей', 'КЛЕЙ', 7.25, 100, 1, 3);"
        "INSERT INTO Class (ID, NAME, IDPARENT) VALUES (1, 'Канцтовары', 0), (2, 'Ручки', 1), "
        "(3, 'Клей', 1);"
        "INSERT INTO Tree (IDSUBGROUP, IDGROUP, NAMEGROUP, NAMESUBGROUP) VALUES (2, 1, "
        "'Канцтовары', 'Ручки'), (3, 1, 'Канцтовары', 'Клей');"
        "INSERT INTO Zakaz (IDPRICE, CODE, KOL, CENA) VALUES (1, 'A1', 3, 12.5);"
        "INSERT INTO Main (DATET, SUMMA, ROWCOUNT) VALUES ('2026-12-01 10:00:00', 37.5, 1);"
        "INSERT INTO Doc (IDDOC, IDPRICE, CODE, KOL, CENA) VALUES (1, 1, 'A1', 3, 12.5)"));
    for (const auto &[table, name] : {std::pair{Price, PriceFile},
                                      {Class, ClassFile},
                                      {Tree, TreeFile},
                                      {Main, MainFile},
                                      {Doc, DocFile}})
        store.save(table, file(name));

    settings.WorkFolder = folder();
    settings.TempPictureFolder = file(QStringLiteral("TempPicture/"));
    settings.PathPicture = file(QStringLiteral("pictures/"));
    settings.Orgname = QStringLiteral("ИП Петров");
    QDir().mkpath(settings.TempPictureFolder);
    QDir().mkpath(settings.PathPicture);
    WriteSettings(settings, folder(), QStringLiteral("FerrowConfig.ini"));
    write(QStringLiteral("ExportPrice.csv"), "ID;CODE\r\n" + priceLine(1) + "\r\n");
    write(QStringLiteral("ExportClass.csv"),
          TextUtils::toCp1251(QStringLiteral("ID;NAME;IDPARENT\r\n1;Группа;0\r\n")));
}

CatalogState::Snapshot CatalogState::tables()
{
    using namespace CatalogTables;
    Snapshot s;
    for (const QString &t : {Price, Class, Tree, Zakaz, Main, Doc})
        s[QStringLiteral("table ") + t] =
            store.exists(t) ? rowsDigest(db, t) : QStringLiteral("none");
    return s;
}

CatalogState::Snapshot CatalogState::snapshot()
{
    using namespace CatalogTables;
    Snapshot s = tables();
    for (const auto &[table, name] : {std::pair{Price, PriceFile},
                                      {Class, ClassFile},
                                      {Tree, TreeFile},
                                      {Main, MainFile},
                                      {Doc, DocFile}})
        s[QStringLiteral("file ") + name] = fileDigest(table, file(name));
    QFile ini(file(QStringLiteral("FerrowConfig.ini")));
    s[QStringLiteral("file FerrowConfig.ini")] =
        ini.open(QIODevice::ReadOnly) ? digest(ini.readAll()) : QStringLiteral("missing");
    // The exports and the archive are the update's own files; anything else new is a leftover.
    QStringList names = QDir(folder()).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    names.removeIf([](const QString &n) {
        return n.startsWith(QStringLiteral("Export")) &&
               (n.endsWith(QStringLiteral(".csv")) || n.endsWith(QStringLiteral(".zip")));
    });
    s[QStringLiteral("folder")] = names.join(u' ');
    return s;
}
