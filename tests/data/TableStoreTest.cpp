#include "data/TableStore.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Transaction.h"

#include "support/TempDir.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

class TableStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const TableDef *t : CatalogTables::all())
            store.create(t->name);
    }
    void addProduct(int id, const QString &code)
    {
        Statement insert = db.prepare(QStringLiteral(
            "INSERT INTO price (id, code, fullname, idgroup) VALUES (?1, ?2, ?3, 1)"));
        insert.bind(1, id).bind(2, code).bind(3, QStringLiteral("Товар ") + code);
        insert.exec();
    }

    Database db;
    TableStore store{db};
    TempDir dir;
};

TEST_F(TableStoreTest, NamesInAnyCaseReachTheSameTableAndField)
{
    addProduct(1, QStringLiteral("A1"));
    for (const QString &name : {QStringLiteral("price"), QStringLiteral("PRICE"),
                                QStringLiteral("Price"), QStringLiteral("fprice")}) {
        EXPECT_TRUE(store.exists(name)) << name.toStdString();
        Statement q = db.prepare(QStringLiteral("select Code from ") + name);
        ASSERT_TRUE(q.step());
        EXPECT_EQ(q.columnText(QStringLiteral("CODE")), QStringLiteral("A1"));
        EXPECT_EQ(q.columnText(QStringLiteral("code")), QStringLiteral("A1"));
    }
    EXPECT_FALSE(store.exists(QStringLiteral("Nothing")));
    EXPECT_EQ(CatalogTables::find(QStringLiteral("zAkAz")), &CatalogTables::zakaz());
}

TEST_F(TableStoreTest, DuplicateIdIsRefusedByThePrimaryIndex)
{
    addProduct(7, QStringLiteral("A"));
    EXPECT_THROW(addProduct(7, QStringLiteral("B")), DatabaseError);
    EXPECT_EQ(store.rowCount(QStringLiteral("Price")), 1);
    db.exec(QStringLiteral("INSERT INTO class (id, name, idparent) VALUES (3, 'x', 0)"));
    EXPECT_THROW(
        db.exec(QStringLiteral("INSERT INTO class (id, name, idparent) VALUES (3, 'y', 0)")),
        DatabaseError);
}

TEST_F(TableStoreTest, TextIsCutToTheFieldSizeOnEveryWrite)
{
    const QString longCode = QStringLiteral("КОД-1234567890");
    addProduct(1, longCode);
    Statement q = db.prepare(QStringLiteral("select code, fullname from price"));
    ASSERT_TRUE(q.step());
    EXPECT_EQ(q.columnText(0), longCode.left(10));
    EXPECT_EQ(q.columnText(1), (QStringLiteral("Товар ") + longCode).left(200));
    q.reset();

    Statement update = db.prepare(QStringLiteral("update price set tm=?1"));
    update.bind(1, QString(60, QChar(u'Ж')));
    update.exec();
    Statement tm = db.prepare(QStringLiteral("select tm from price"));
    ASSERT_TRUE(tm.step());
    EXPECT_EQ(tm.columnText(0), QString(50, QChar(u'Ж')));

    Statement tree = db.prepare(QStringLiteral("insert into tree values (1, 2, ?1, ?2)"));
    tree.bind(1, QString(150, QChar(u'Г'))).bind(2, QStringLiteral("short"));
    tree.exec();
    Statement names =
        db.prepare(QStringLiteral("select length(namegroup), namesubgroup from tree"));
    ASSERT_TRUE(names.step());
    EXPECT_EQ(names.columnInt(0), 100);
    EXPECT_EQ(names.columnText(1), QStringLiteral("short"));
}

TEST_F(TableStoreTest, SaveAndLoadKeepRowsIndexesAndAutoIncrement)
{
    addProduct(5, QStringLiteral("Б5"));
    addProduct(2, QStringLiteral("А2"));
    db.exec(QStringLiteral("insert into main (datet, summa, rowcount) values "
                           "('2026-01-02 03:04:05', 10.5, 1)"));
    store.save(QStringLiteral("Price"), dir.file(QStringLiteral("Price.lst")));
    store.save(QStringLiteral("main"), dir.file(QStringLiteral("Main.lst")));
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("Price.lst.tmp"))));

    store.empty(QStringLiteral("price"));
    db.exec(QStringLiteral("delete from main"));
    EXPECT_EQ(store.rowCount(QStringLiteral("fPrice")), 0);

    store.load(QStringLiteral("price"), dir.file(QStringLiteral("Price.lst")));
    store.load(QStringLiteral("Main"), dir.file(QStringLiteral("Main.lst")));
    Statement q = db.prepare(QStringLiteral("select id, code from fprice order by code"));
    ASSERT_TRUE(q.step());
    EXPECT_EQ(q.columnInt(0), 2);
    ASSERT_TRUE(q.step());
    EXPECT_EQ(q.columnText(1), QStringLiteral("Б5"));
    EXPECT_FALSE(q.step());

    Statement plan =
        db.prepare(QStringLiteral("explain query plan select * from price where idgroup=1 "
                                  "order by fullname_ind"));
    ASSERT_TRUE(plan.step());
    EXPECT_TRUE(plan.columnText(3).contains(QStringLiteral("_IDG_FN")))
        << plan.columnText(3).toStdString();

    db.exec(QStringLiteral("insert into main (datet, summa, rowcount) values ('x', 1, 1)"));
    EXPECT_EQ(db.lastInsertRowId(), 2);
    Statement dt = db.prepare(QStringLiteral("select datet from main where id=1"));
    ASSERT_TRUE(dt.step());
    EXPECT_EQ(dt.columnDateTime(0), QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)));
}

TEST_F(TableStoreTest, LoadRefusesWhatIsNotTheTableAndKeepsTheTableInMemory)
{
    addProduct(1, QStringLiteral("A"));
    store.save(QStringLiteral("Class"), dir.file(QStringLiteral("Class.lst")));
    dir.write(QStringLiteral("garbage.lst"), QByteArray(5000, 'x'));
    dir.write(QStringLiteral("empty.lst"), QByteArray());
    for (const QString &file : {QStringLiteral("garbage.lst"), QStringLiteral("Class.lst"),
                                QStringLiteral("empty.lst"), QStringLiteral("missing.lst")}) {
        EXPECT_THROW(store.load(QStringLiteral("Price"), dir.file(file)), WorkingFileError)
            << file.toStdString();
        EXPECT_EQ(store.rowCount(QStringLiteral("Price")), 1);
    }
}

TEST_F(TableStoreTest, TableIsNotReplacedUnderARunningQuery)
{
    addProduct(1, QStringLiteral("A"));
    addProduct(2, QStringLiteral("B"));
    store.save(QStringLiteral("Price"), dir.file(QStringLiteral("Price.lst")));
    Statement running = db.prepare(QStringLiteral("select id from price"));
    ASSERT_TRUE(running.step());
    EXPECT_THROW(store.load(QStringLiteral("Price"), dir.file(QStringLiteral("Price.lst"))),
                 DatabaseError);
    EXPECT_TRUE(running.step());
    running.reset();
    store.load(QStringLiteral("Price"), dir.file(QStringLiteral("Price.lst")));
}

TEST_F(TableStoreTest, TruncatedFileIsRefused)
{
    for (int i = 1; i <= 3000; ++i)
        addProduct(i, QStringLiteral("C%1").arg(i));
    store.save(QStringLiteral("Price"), dir.file(QStringLiteral("Price.lst")));
    const QByteArray bytes = dir.read(QStringLiteral("Price.lst"));
    dir.write(QStringLiteral("Price.lst"), bytes.left(bytes.size() / 2));
    EXPECT_THROW(store.load(QStringLiteral("Price"), dir.file(QStringLiteral("Price.lst"))),
                 WorkingFileError);
}

TEST_F(TableStoreTest, TransactionUndoesEverythingUnlessCommitted)
{
    {
        Transaction t(db);
        addProduct(1, QStringLiteral("A"));
        {
            Transaction inner(db);
            addProduct(2, QStringLiteral("B"));
            inner.commit();
        }
    }
    EXPECT_EQ(store.rowCount(QStringLiteral("Price")), 0);
    Transaction t(db);
    addProduct(3, QStringLiteral("C"));
    t.commit();
    EXPECT_EQ(store.rowCount(QStringLiteral("Price")), 1);
}

} // namespace

namespace {

TEST(WorkingFileReplace, WhenOneFileCannotBeReplacedTheOthersArePutBack)
{
    TempDir dir;
    dir.write(QStringLiteral("Class.lst"), "old class");
    dir.write(QStringLiteral("Class.lst.tmp"), "new class");
    dir.write(QStringLiteral("Price.lst.tmp"), "new price");
    // A folder in the way: the rename over it fails.
    QDir(dir.path()).mkdir(QStringLiteral("Price.lst"));
    dir.write(QStringLiteral("Price.lst/keep"), "x");
    EXPECT_THROW(
        WorkingFile::replaceAll(
            {{dir.file(QStringLiteral("Class.lst.tmp")), dir.file(QStringLiteral("Class.lst"))},
             {dir.file(QStringLiteral("Price.lst.tmp")), dir.file(QStringLiteral("Price.lst"))}}),
        WorkingFileError);
    EXPECT_EQ(dir.read(QStringLiteral("Class.lst")), QByteArray("old class"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList(QStringLiteral("Class.lst")));

    Database db;
    TableStore store(db);
    store.create(QStringLiteral("Class"));
    EXPECT_THROW(store.save(QStringLiteral("Class"), dir.file(QStringLiteral("no/such/Class.lst"))),
                 WorkingFileError);
}

} // namespace
