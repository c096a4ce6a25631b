#include "data/FilterTranslator.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/TableStore.h"

#include <gtest/gtest.h>

namespace {

// A few products covering groups, subgroups, products without subgroup, codes and new items.
class FilterTranslatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.create(CatalogTables::FPrice);
        struct Row {
            int id;
            const char16_t *code;
            const char16_t *name;
            int group;
            int subgroup;
            bool isNew;
        };
        const Row rows[] = {
            {1, u"1230", u"РУЧКА СИНЯЯ 2001", 12, 305, false},
            {2, u"1231", u"РУЧКА КРАСНАЯ", 12, 306, true},
            {3, u"5123", u"КАРАНДАШ", 12, 0, true},
            {4, u"1239", u"ЛАСТИК", 12, -1, false},
            {5, u"1235", u"РУЧКА 2001 ГЕЛЕВАЯ", 14, 305, false},
            {6, u"9999", u"ТЕТРАДЬ", 0, 0, true},
        };
        Statement insert = db.prepare(
            QStringLiteral("insert into price (id, code, fullname_ind, idgroup, idsubgroup, isnew) "
                           "values (?1, ?2, ?3, ?4, ?5, ?6)"));
        for (const Row &r : rows) {
            insert.bind(1, r.id)
                .bind(2, QString::fromUtf16(r.code))
                .bind(3, QString::fromUtf16(r.name))
                .bind(4, r.group)
                .bind(5, r.subgroup)
                .bind(6, r.isNew);
            insert.exec();
        }
    }

    QList<int> ids(const QString &filter, const QString &table = QStringLiteral("price"))
    {
        const SqlCondition condition = FilterTranslator().translate(filter);
        Statement q = db.prepare(QStringLiteral("select id from ") + table +
                                 condition.whereClause() + QStringLiteral(" order by id"));
        condition.bindTo(q);
        QList<int> result;
        while (q.step())
            result << q.columnInt(0);
        return result;
    }

    Database db;
    TableStore store{db};
};

TEST_F(FilterTranslatorTest, EveryFilterOfTheBrowserSelectsTheRightRows)
{
    const struct {
        const char16_t *filter;
        QList<int> ids;
    } cases[] = {
        {u"idgroup=12", {1, 2, 3, 4}},
        {u"idsubgroup=305", {1, 5}},
        {u"idgroup=12 and not(idsubgroup>0)", {3, 4}},
        {u"", {1, 2, 3, 4, 5, 6}},
        {u"   ", {1, 2, 3, 4, 5, 6}},
        {u" code like \"123%\"", {1, 2, 4, 5}},
        {u"idgroup=12 and  code like \"123%\"", {1, 2, 4}},
        {u"idgroup=12 and  code like \"123%\" and IsNew > 0 ", {2}},
        {u" IsNew > 0 ", {2, 3, 6}},
        {u" fullname_ind like \"РУЧКА%2001%\"", {1, 5}},
        {u"IDGROUP=12 AND NOT(IDSUBGROUP>0) And isnew>0", {3}},
        {u"code=\"5123\"", {3}},
        {u"idsubgroup>-1", {1, 2, 3, 5, 6}},
    };
    for (const auto &c : cases) {
        const QString filter = QString::fromUtf16(c.filter);
        EXPECT_EQ(ids(filter), c.ids) << filter.toStdString();
    }
}

TEST_F(FilterTranslatorTest, TextNeverReachesTheSqlAndOtherLanguageIsRefused)
{
    const SqlCondition c =
        FilterTranslator().translate(QStringLiteral("code like \"x'); drop table price; --\""));
    EXPECT_FALSE(c.sql.contains(QStringLiteral("drop")));
    EXPECT_EQ(c.parameters.size(), 1);
    EXPECT_EQ(ids(QStringLiteral("code like \"x'); drop table price; --\"")), QList<int>());

    for (const char16_t *bad :
         {u"idgroup=12 or idgroup=14", u"idgroup<12", u"nosuchfield=1", u"idgroup=",
          u"not idsubgroup>0", u"not(idsubgroup>0", u"code like 123", u"code like \"123",
          u"idgroup=12;", u"idgroup=12 and", u"(idgroup=12)", u"idgroup=12 idsubgroup=3",
          u"idgroup=1-2", u"code like \"a\" union select 1"}) {
        EXPECT_THROW(FilterTranslator().translate(QString::fromUtf16(bad)), FilterError)
            << QString::fromUtf16(bad).toStdString();
    }
}

TEST_F(FilterTranslatorTest, LookupCopyKeepsEveryProductWhileThePriceFilterNarrows)
{
    EXPECT_EQ(ids(QStringLiteral("idsubgroup=305")), QList<int>({1, 5}));
    EXPECT_EQ(ids(QString(), QStringLiteral("fprice")), QList<int>({1, 2, 3, 4, 5, 6}));
    Statement lookup = db.prepare(QStringLiteral("select code from fprice where id=:id"));
    lookup.bind(QStringLiteral(":id"), 3);
    ASSERT_TRUE(lookup.step());
    EXPECT_EQ(lookup.columnText(QStringLiteral("CODE")), QStringLiteral("5123"));
}

} // namespace
