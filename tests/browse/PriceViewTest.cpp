#include "browse/PriceView.h"
#include "browse/Browsing.h"
#include "browse/BrowsingState.h"

#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/FilterTranslator.h"
#include "data/GroupNodeData.h"
#include "data/Statement.h"
#include "data/TableStore.h"

#include <gtest/gtest.h>

namespace {

class PriceViewTest : public testing::Test {
protected:
    PriceViewTest() : store(db)
    {
        store.create(CatalogTables::Price);
        // id, code, name, koltek, cena, group, subgroup, new
        add(1, u"300", u"Ручка синяя", 5, 10.5, 12, 305, true);
        add(2, u"123", u"Ручка красная", 7, 10.5, 12, 305, false);
        add(3, u"1234", u"Тетрадь", 5, 3, 12, 0, true);
        add(4, u"12a", u"PILOT ручка", 1, 99, 12, -1, false);
        add(5, u"12A", u"pilot Карандаш", 9, 1, 7, 700, true);
        add(6, u"500", u"Клей", 5, 2, 7, 0, false);
        add(7, u"1_3", u"Ручка*2001", 2, 4, 7, 701, false);
    }

    void add(int id, const char16_t *code, const char16_t *name, int koltek, double cena, int group,
             int subgroup, bool isNew)
    {
        const QString n = QString::fromUtf16(name);
        Statement q = db.prepare(
            QStringLiteral("insert into price (id,code,fullname,fullname_ind,articul,articul_ind,"
                           "koltek,cena,idgroup,idsubgroup,isnew) "
                           "values (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11)"));
        q.bind(1, id).bind(2, QString::fromUtf16(code)).bind(3, n).bind(4, n.toUpper());
        q.bind(5, QStringLiteral("a%1").arg(id)).bind(6, QStringLiteral("A%1").arg(id));
        q.bind(7, koltek).bind(8, cena).bind(9, group).bind(10, subgroup).bind(11, isNew);
        q.exec();
    }

    std::vector<int> plainLike(const QString &filter, const QString &sort)
    {
        const SqlCondition c = FilterTranslator().translate(filter);
        Statement q = db.prepare(QStringLiteral("select id from price") + c.whereClause() +
                                 QStringLiteral(" order by ") + sort + QStringLiteral(", id"));
        c.bindTo(q);
        std::vector<int> ids;
        while (q.step())
            ids.push_back(q.columnInt(0));
        return ids;
    }

    Database db;
    TableStore store;
};

} // namespace

TEST_F(PriceViewTest, ListsTheFilteredRowsInSortOrderWithTiesByID)
{
    PriceView view(db);
    struct Case {
        QString filter;
        QString sort;
        std::vector<int> ids;
    };
    const Case cases[] = {
        {QString(), QStringLiteral("code"), {2, 3, 5, 4, 7, 1, 6}},
        {QStringLiteral("idgroup=12"), QStringLiteral("koltek"), {4, 1, 3, 2}},
        {QStringLiteral("idsubgroup=305"), QStringLiteral("cena"), {1, 2}},
        {QStringLiteral("idgroup=12 and not(idsubgroup>0)"), QStringLiteral("code"), {3, 4}},
        {QStringLiteral(" IsNew > 0 "), QStringLiteral("fullname_ind"), {5, 1, 3}},
        {QStringLiteral("idgroup=12 and  code like \"123%\""), QStringLiteral("code"), {2, 3}},
        {QStringLiteral(" fullname_ind like \"РУЧКА%2001%\""), QStringLiteral("code"), {7}},
        {QStringLiteral(" code like \"9%\""), QStringLiteral("code"), {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        view.apply(c.filter, true, c.sort);
        EXPECT_EQ(view.ids(), c.ids);
    }
    view.apply(QStringLiteral("idgroup=7"), false, QStringLiteral("code"));
    EXPECT_EQ(view.rowCount(), 7); // filtering off shows every row
}

TEST_F(PriceViewTest, APrefixSearchFindsExactlyTheRowsOfThePlainLike)
{
    PriceView view(db);
    const char *filters[] = {
        " code like \"12%\"",          " code like \"12A%\"",
        " code like \"12a%\"",         " code like \"1_3%\"",
        " code like \"1%3%\"",         " fullname_ind like \"PIL%\"",
        " fullname_ind like \"pil%\"", " fullname_ind like \"РУЧ%\"",
        " fullname_ind like \"%\"",    "not( code like \"12%\")",
        " articul_ind like \"a1%\"",   "idgroup=7 and  code like \"5%\"",
    };
    for (const char *f : filters) {
        const QString filter = QString::fromUtf8(f);
        SCOPED_TRACE(f);
        for (const QString &sort : {QStringLiteral("code"), QStringLiteral("fullname_ind")}) {
            view.apply(filter, true, sort);
            EXPECT_EQ(view.ids(), plainLike(filter, sort));
        }
    }
}

TEST_F(PriceViewTest, RecomputesOnlyOnAChangeAndKeepsTheCurrentRowByID)
{
    PriceView view(db);
    BrowsingState state;
    state.activate();
    ASSERT_TRUE(view.apply(state.filter(), state.filtered(), state.sortFields()));
    EXPECT_EQ(view.currentId(), 2);
    view.setCurrentId(3);
    view.setCurrentId(99); // not in the list: ignored
    EXPECT_EQ(view.currentId(), 3);

    state.treeFocusChanging(std::nullopt, TreeNodeIds{12, 0});
    EXPECT_TRUE(view.apply(state.filter(), state.filtered(), state.sortFields()));
    EXPECT_EQ(view.currentId(), 3);
    EXPECT_EQ(view.currentRow()->fullName, QStringLiteral("Тетрадь"));
    EXPECT_FALSE(view.apply(state.filter(), state.filtered(), state.sortFields()));

    state.treeFocusChanging(std::nullopt, TreeNodeIds{7, 0});
    view.apply(state.filter(), state.filtered(), state.sortFields());
    EXPECT_EQ(view.currentId(), 5); // the old row is gone: the first row

    state.searchTextChanged(QStringLiteral("9"));
    view.apply(state.filter(), state.filtered(), state.sortFields());
    EXPECT_EQ(view.rowCount(), 0);
    EXPECT_EQ(view.currentId(), 0);
    EXPECT_FALSE(view.currentRow().has_value());
}

TEST_F(PriceViewTest, BrowsingRecomputesTheRowsOncePerChangeOfFilterOrSort)
{
    Browsing browsing(db);
    int changes = 0;
    QObject::connect(&browsing, &Browsing::rowsChanged, &browsing, [&] { ++changes; });
    browsing.activate();
    EXPECT_EQ(changes, 1);
    const GroupNodeData root = GroupNodeData::make(QStringLiteral("ВСЕ ТОВАРЫ"), -1, -1);
    const GroupNodeData group = GroupNodeData::make(QStringLiteral("Канцтовары"), 12, 0);
    browsing.treeFocusChanging(&root, &group);
    EXPECT_EQ(browsing.view().ids(), (std::vector<int>{2, 3, 4, 1}));
    browsing.treeFocusChanging(&group, nullptr);
    browsing.titleClicked(QStringLiteral("CODE"));
    EXPECT_EQ(changes, 2);
    // With the keep switch off a new search field rebuilds the search alone, as typing does.
    browsing.titleClicked(QStringLiteral("CENA"));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(browsing.view().ids(), (std::vector<int>{5, 6, 3, 7, 1, 2, 4}));
    browsing.searchTextChanged(QStringLiteral("  ")); // the filter stays empty
    EXPECT_EQ(changes, 3);
    browsing.resetAfterReload();
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(browsing.view().rowCount(), 7);
}
