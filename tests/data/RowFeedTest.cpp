#include "data/RowFeed.h"
#include "data/Database.h"
#include "data/DatabaseError.h"
#include "data/Statement.h"
#include "data/Transaction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Rows : RowFeed::Source {
    std::vector<std::string> names{"Ручка", "", "Tetrad' \"A5\""};
    int at = -1;
    bool next() override { return ++at < int(names.size()); }
    void column(int index, RowFeed::Value &value) const override
    {
        if (index == 0)
            value.setInt(1000000000000LL + at);
        else if (index == 1)
            value.setReal(at + 0.25);
        else
            value.setUtf8(names[size_t(at)]);
    }
};

TEST(RowFeed, RowsGoIntoATableInOneStatementAndAreReadOnce)
{
    Database db;
    db.exec(u"CREATE TABLE t (ID INTEGER, CENA REAL, NAME TEXT)"_s);
    Rows rows;
    {
        // Inside a transaction, as the import uses it: the engine then lets go of the table
        // only at a later statement, after the feed is gone.
        Transaction transaction(db);
        {
            const RowFeed feed(db, u"feed_rows"_s, {u"ID"_s, u"CENA"_s, u"NAME"_s}, rows);
            db.exec(u"INSERT INTO t SELECT * FROM feed_rows"_s);
            EXPECT_THROW(db.exec(u"INSERT INTO t SELECT * FROM feed_rows"_s), DatabaseError);
        }
        db.exec(u"UPDATE t SET NAME = NAME"_s);
        transaction.commit();
    }
    Statement q = db.prepare(u"SELECT ID, typeof(CENA), CENA, NAME FROM t ORDER BY ID"_s);
    QStringList got;
    while (q.step())
        got << q.columnText(0) + u'|' + q.columnText(1) + u'|' + q.columnText(2) + u'|' +
                   q.columnText(3);
    EXPECT_EQ(got, QStringList({u"1000000000000|real|0.25|Ручка"_s, u"1000000000001|real|1.25|"_s,
                                u"1000000000002|real|2.25|Tetrad' \"A5\""_s}));
    // Gone with the feed.
    EXPECT_THROW(db.exec(u"SELECT * FROM feed_rows"_s), DatabaseError);
}

} // namespace
