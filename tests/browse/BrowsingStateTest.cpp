#include "browse/BrowsingState.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const TreeNodeIds kRoot{-1, -1};
const TreeNodeIds kGroup12{12, 0};
const TreeNodeIds kSubgroup305{12, 305};
const TreeNodeIds kRest12{12, -2};

BrowsingState activated()
{
    BrowsingState s;
    s.activate();
    return s;
}

void focus(BrowsingState &s, TreeNodeIds node)
{
    s.treeFocusChanging(kRoot, node);
}

} // namespace

TEST(BrowsingState, AssemblesTheFilterTextBlanksIncluded)
{
    struct Case {
        const char *situation;
        std::function<void(BrowsingState &)> steps;
        QString filter;
    };
    const Case cases[] = {
        {"group 12", [](BrowsingState &s) { focus(s, kGroup12); }, QStringLiteral("idgroup=12")},
        {"subgroup 305", [](BrowsingState &s) { focus(s, kSubgroup305); },
         QStringLiteral("idsubgroup=305")},
        {"rest of group 12", [](BrowsingState &s) { focus(s, kRest12); },
         QStringLiteral("idgroup=12 and not(idsubgroup>0)")},
        {"root", [](BrowsingState &s) { focus(s, kGroup12), focus(s, kRoot); }, QString()},
        {"keep off, group then search",
         [](BrowsingState &s) {
             focus(s, kGroup12);
             s.searchTextChanged(QStringLiteral("123"));
         },
         QStringLiteral(" code like \"123%\"")},
        {"keep on, group then search",
         [](BrowsingState &s) {
             s.keepTreeFilterToggled(true);
             focus(s, kGroup12);
             s.searchTextChanged(QStringLiteral("123"));
         },
         QStringLiteral("idgroup=12 and  code like \"123%\"")},
        {"keep on, group, search, only new",
         [](BrowsingState &s) {
             s.keepTreeFilterToggled(true);
             focus(s, kGroup12);
             s.searchTextChanged(QStringLiteral("123"));
             s.onlyNewToggled(true);
         },
         QStringLiteral("idgroup=12 and  code like \"123%\" and IsNew > 0 ")},
        {"only new alone", [](BrowsingState &s) { s.onlyNewToggled(true); },
         QStringLiteral(" IsNew > 0 ")},
        {"keep on, root, search",
         [](BrowsingState &s) {
             s.keepTreeFilterToggled(true);
             focus(s, kRoot);
             s.searchTextChanged(QStringLiteral("123"));
         },
         QStringLiteral(" code like \"123%\"")},
        {"name search with a wildcard",
         [](BrowsingState &s) {
             s.titleClicked(QStringLiteral("FULLNAME"));
             s.searchTextChanged(QStringLiteral("Ручка*2001"));
         },
         QStringLiteral(" fullname_ind like \"РУЧКА%2001%\"")},
        {"blanks only", [](BrowsingState &s) { s.searchTextChanged(QStringLiteral("   ")); },
         QString()},
        {"double quotes dropped",
         [](BrowsingState &s) { s.searchTextChanged(QStringLiteral(" 1\"2\" ")); },
         QStringLiteral(" code like \"12%\"")},
        {"only new while a group is focused, the search running alone",
         [](BrowsingState &s) {
             s.onlyNewToggled(true);
             focus(s, kGroup12);
         },
         QStringLiteral("idgroup=12 and IsNew > 0 ")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.situation);
        BrowsingState s = activated();
        c.steps(s);
        EXPECT_EQ(s.filter(), c.filter);
        EXPECT_TRUE(s.filtered());
    }
}

TEST(BrowsingState, UncheckingOnlyNewRemovesItsClause)
{
    BrowsingState s = activated();
    s.onlyNewToggled(true);
    focus(s, kGroup12);
    ASSERT_EQ(s.filter(), QStringLiteral("idgroup=12 and IsNew > 0 "));
    s.onlyNewToggled(false);
    EXPECT_EQ(s.filter(), QStringLiteral("idgroup=12"));

    BrowsingState alone = activated();
    alone.onlyNewToggled(true);
    alone.onlyNewToggled(false);
    EXPECT_EQ(alone.filter(), QString());
}

TEST(BrowsingState, KeepOffEmptiesTheSearchOnFocusKeepOnNarrowsIt)
{
    BrowsingState off = activated();
    off.searchTextChanged(QStringLiteral("123"));
    focus(off, kSubgroup305);
    EXPECT_EQ(off.searchText(), QString());
    EXPECT_EQ(off.searchFilter(), QString());
    EXPECT_EQ(off.filter(), QStringLiteral("idsubgroup=305"));

    BrowsingState on = activated();
    on.keepTreeFilterToggled(true);
    on.searchTextChanged(QStringLiteral("123"));
    focus(on, kSubgroup305);
    EXPECT_EQ(on.searchText(), QStringLiteral("123"));
    EXPECT_EQ(on.filter(), QStringLiteral("idsubgroup=305 and  code like \"123%\""));
    // Unchecking keep leaves the search alone.
    on.keepTreeFilterToggled(false);
    EXPECT_EQ(on.filter(), QStringLiteral(" code like \"123%\""));
}

TEST(BrowsingState, FocusLeavingEveryNodeKeepsTheFilter)
{
    BrowsingState s = activated();
    focus(s, kGroup12);
    s.treeFocusChanging(kGroup12, std::nullopt);
    s.treeFocusChanging(std::nullopt, std::nullopt);
    EXPECT_EQ(s.filter(), QStringLiteral("idgroup=12"));
}

TEST(BrowsingState, TitleClicksChangeSortAndSearchFieldOnlyWhenTheyDiffer)
{
    BrowsingState s = activated();
    s.searchTextChanged(QStringLiteral("РУЧ"));
    EXPECT_TRUE(s.titleClicked(QStringLiteral("FULLNAME")));
    EXPECT_EQ(s.sortFields(), QStringLiteral("fullname_ind"));
    EXPECT_EQ(s.filter(), QStringLiteral(" fullname_ind like \"РУЧ%\""));

    s.keepTreeFilterToggled(true);
    focus(s, kGroup12);
    const QString filter = s.filter();
    EXPECT_TRUE(s.titleClicked(QStringLiteral("FULLNAME")));
    EXPECT_EQ(s.sortFields(), QStringLiteral("fullname_ind"));
    EXPECT_EQ(s.filter(), filter);

    EXPECT_TRUE(s.titleClicked(QStringLiteral("KOLTEK")));
    EXPECT_EQ(s.sortFields(), QStringLiteral("koltek"));
    EXPECT_EQ(s.searchField(), QStringLiteral("fullname_ind"));
    EXPECT_EQ(s.filter(), filter);
    EXPECT_EQ(s.sortedColumnField(), QStringLiteral("KOLTEK"));

    EXPECT_FALSE(s.titleClicked(QStringLiteral("KOLZAK")));
    EXPECT_FALSE(s.titleClicked(QString()));
    EXPECT_EQ(s.sortFields(), QStringLiteral("koltek"));

    // A search in effect keeps its field through an activation until the text changes.
    s.activate();
    EXPECT_EQ(s.sortFields(), QStringLiteral("code"));
    EXPECT_EQ(s.filter(), filter);
    s.searchTextChanged(QStringLiteral("РУЧК"));
    EXPECT_EQ(s.filter(), QStringLiteral("idgroup=12 and  code like \"РУЧК%\""));
}

TEST(BrowsingState, TypingInThePriceGridStartsASearchExceptForSomeKeys)
{
    BrowsingState s = activated();
    s.searchTextChanged(QStringLiteral("777"));
    for (QChar ch : {QChar(13), QChar(27), QChar(u'&'), QChar(u'(')}) {
        EXPECT_FALSE(s.gridKeyPress(ch, false));
        EXPECT_EQ(s.searchText(), QStringLiteral("777"));
    }
    EXPECT_FALSE(s.gridKeyPress(QChar(u'a'), true));
    EXPECT_TRUE(s.gridKeyPress(QChar(u'р'), false));
    EXPECT_EQ(s.searchText(), QStringLiteral("Р"));
    EXPECT_EQ(s.filter(), QStringLiteral(" code like \"Р%\""));
}

TEST(BrowsingState, ResetAfterReloadShowsEveryRowSortedByCode)
{
    BrowsingState s = activated();
    s.keepTreeFilterToggled(true);
    focus(s, kGroup12);
    s.titleClicked(QStringLiteral("ARTICUL"));
    s.searchTextChanged(QStringLiteral("A1"));
    s.resetAfterReload();
    EXPECT_EQ(s.filter(), QString());
    EXPECT_EQ(s.searchText(), QString());
    EXPECT_EQ(s.sortFields(), QStringLiteral("code"));
    EXPECT_EQ(s.searchField(), QStringLiteral("code"));
    s.searchTextChanged(QStringLiteral("5"));
    EXPECT_EQ(s.filter(), QStringLiteral(" code like \"5%\""));
}
