#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/GroupTreeBuild.h"
#include "data/TableStore.h"
#include "data/WorkingTablesLoad.h"

#include "support/TempDir.h"

#include "QtPrinters.h"
#include "RecordingMessages.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// Working files written by a first run, loaded by a second one.
class LoadAndTreeTest : public ::testing::Test {
protected:
    void writeCatalog(const QList<std::tuple<int, int, int>> &products,
                      const QList<std::pair<int, QString>> &classes)
    {
        Database db;
        TableStore store(db);
        store.create(u"Price"_s);
        store.create(u"Class"_s);
        Statement product = db.prepare(u"insert into price (id, code, idgroup, idsubgroup) "
                                       u"values (?1, ?1, ?2, ?3)"_s);
        for (const auto &[id, group, subgroup] : products) {
            product.bind(1, id).bind(2, group).bind(3, subgroup);
            product.exec();
        }
        Statement cls = db.prepare(u"insert into class (id, name, idparent) values (?1, ?2, 0)"_s);
        for (const auto &[id, name] : classes) {
            cls.bind(1, id).bind(2, name);
            cls.exec();
        }
        store.save(u"Price"_s, dir.file(u"Price.lst"_s));
        store.save(u"Class"_s, dir.file(u"Class.lst"_s));
    }

    static QStringList describe(const GroupTreeNode &node, int depth = 0)
    {
        QStringList lines{
            QString(depth * 2, QLatin1Char(' ')) +
            u"%1 %2 %3"_s.arg(node.data.Name).arg(node.data.IdGroup).arg(node.data.IdSubGroup)};
        for (const GroupTreeNode &child : node.children)
            lines << describe(child, depth + 1);
        return lines;
    }

    GroupTreeNode loadAndBuild()
    {
        LoadWorkingTables(store, dir.path(), messages);
        return BuildGroupTree(store, dir.path(), messages);
    }

    TempDir dir;
    Database db;
    TableStore store{db};
    RecordingMessages messages;
};

TEST_F(LoadAndTreeTest, TreeHasGroupsAndSubgroupsByNameAndIsTheSameFromItsCache)
{
    const QString longName = QString(50, QChar(u'Д'));
    writeCatalog({{1, 10, 101},
                  {2, 10, 102},
                  {3, 10, 0},
                  {4, 10, -1},
                  {5, 10, 101},
                  {6, 20, 201},
                  {7, 30, 0},
                  {8, 0, 101},
                  {9, -5, 0},
                  {10, 40, 401},
                  {11, 50, 999}},
                 {{10, u"Бумага"_s},
                  {101, u"Офисная"_s},
                  {102, u"Для заметок"_s},
                  {20, u"Бумага"_s},
                  {201, u"Цветная"_s},
                  {30, u"Альбомы"_s},
                  {40, longName},
                  {401, u"Я"_s}});
    const GroupTreeNode first = loadAndBuild();
    const QStringList expected = {
        u"ВСЕ ТОВАРЫ -1 -1"_s,
        u"   50 0"_s, // no Class rows: no names
        u"     50 999"_s,
        u"  Альбомы 30 0"_s,
        u"    Прочие... 30 -2"_s,
        u"  Бумага 10 0"_s,
        u"    Прочие... 10 -2"_s,
        u"    Для заметок 10 102"_s,
        u"    Офисная 10 101"_s,
        u"  Бумага 20 0"_s,
        u"    Цветная 20 201"_s,
        u"  "_s + longName + u" 40 0"_s,
        u"    Я 40 401"_s,
    };
    EXPECT_EQ(describe(first), expected);
    ASSERT_TRUE(QFile::exists(dir.file(u"Tree.lst"_s)));
    EXPECT_EQ(store.rowCount(u"Tree"_s), 8);
    EXPECT_TRUE(messages.lines.contains(u"Открытие запроса классификатора...OK"_s));
    EXPECT_EQ(messages.current, u"Заполнение классификатора..."_s);

    // The cache alone gives the same tree: Price and Class are not read.
    Database second;
    TableStore secondStore(second);
    const GroupTreeNode cached = BuildGroupTree(secondStore, dir.path(), messages);
    EXPECT_FALSE(secondStore.exists(u"Price"_s));
    EXPECT_EQ(cached, first);

    // A rebuild in the same run (after an import) starts the table afresh.
    QFile::remove(dir.file(u"Tree.lst"_s));
    EXPECT_EQ(BuildGroupTree(store, dir.path(), messages), first);
    EXPECT_EQ(store.rowCount(u"Tree"_s), 8);
}

TEST_F(LoadAndTreeTest, NodeNamesAreCutTo100Characters)
{
    writeCatalog({}, {});
    // A cache written elsewhere may hold longer names than the table now allows.
    {
        Database db2;
        TableStore s2(db2);
        s2.create(u"Tree"_s);
        db2.exec(u"drop trigger Tree_cut_insert"_s);
        Statement insert = db2.prepare(u"insert into tree values (5, 3, ?1, ?2)"_s);
        insert.bind(1, QString(150, QChar(u'Г'))).bind(2, QString(120, QChar(u'П')));
        insert.exec();
        s2.save(u"Tree"_s, dir.file(u"Tree.lst"_s));
    }
    const GroupTreeNode root = loadAndBuild();
    ASSERT_EQ(root.children.size(), 1);
    EXPECT_EQ(root.children[0].data.Name, QString(100, QChar(u'Г')));
    EXPECT_EQ(root.children[0].children[0].data,
              GroupNodeData::make(QString(100, QChar(u'П')), 3, 5));
}

TEST_F(LoadAndTreeTest, MissingPriceOrClassFileStopsTheStart)
{
    for (const QString &missing : {u"Price.lst"_s, u"Class.lst"_s}) {
        writeCatalog({{1, 1, 1}}, {});
        QFile::remove(dir.file(missing));
        try {
            LoadWorkingTables(store, dir.path() + u"  "_s, messages);
            ADD_FAILURE() << "loaded without " << missing.toStdString();
        } catch (const MissingWorkingTablesError &e) {
            EXPECT_EQ(e.text(), u"Файл(ы) рабочих таблиц не были найдены в рабочем каталоге. "
                                u"Запук программы невозможен. Попробуйте удалить рабочий "
                                u"каталог программы ("_s +
                                    dir.path() + u") и запусть программу заново."_s);
        }
    }
}

TEST_F(LoadAndTreeTest, DamagedPriceFileIsReplacedByAnEmptyTable)
{
    writeCatalog({{1, 1, 1}}, {{1, u"Группа"_s}});
    dir.write(u"Price.lst"_s, "this is not a table");
    const GroupTreeNode root = loadAndBuild();
    EXPECT_EQ(store.rowCount(u"Price"_s), 0);
    EXPECT_EQ(store.rowCount(u"fPrice"_s), 0);
    EXPECT_EQ(store.rowCount(u"Class"_s), 1);
    EXPECT_TRUE(root.children.isEmpty());
    EXPECT_EQ(messages.lines.first(), u"Загрузка данных в память..."_s);
    EXPECT_TRUE(messages.lines.contains(u"Загрузка данных в память...OK"_s));

    Database again;
    TableStore reloaded(again);
    reloaded.load(u"Price"_s, dir.file(u"Price.lst"_s));
    EXPECT_EQ(reloaded.rowCount(u"Price"_s), 0);
}

TEST_F(LoadAndTreeTest, ArchiveFileWithoutItsPartnerStartsBothAnew)
{
    writeCatalog({{1, 1, 1}}, {});
    {
        Database db2;
        TableStore s2(db2);
        s2.create(u"Main"_s);
        db2.exec(
            u"insert into main (datet, summa, rowcount) values ('2026-01-01 10:00:00', 5, 1)"_s);
        s2.save(u"Main"_s, dir.file(u"Main.lst"_s));
    }
    LoadWorkingTables(store, dir.path(), messages);
    EXPECT_EQ(store.rowCount(u"Main"_s), 0);
    EXPECT_EQ(store.rowCount(u"Doc"_s), 0);
    EXPECT_TRUE(QFile::exists(dir.file(u"Doc.lst"_s)));
    EXPECT_TRUE(store.exists(u"Zakaz"_s));

    // With both present they are loaded as they are, and the order in memory stays.
    db.exec(u"insert into main (summa) values (7); insert into zakaz (kol) values (3)"_s);
    store.save(u"Main"_s, dir.file(u"Main.lst"_s));
    db.exec(u"delete from main"_s);
    LoadWorkingTables(store, dir.path(), messages);
    EXPECT_EQ(store.rowCount(u"Main"_s), 1);
    EXPECT_EQ(store.rowCount(u"Zakaz"_s), 1);
    EXPECT_EQ(store.rowCount(u"fPrice"_s), 1);
}

} // namespace
