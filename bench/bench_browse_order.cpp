// Browsing and order figures on a generated 100 000-product catalog:
//   search_keystroke_100k  a search keystroke: new text to the ordered id list of the view
//   tree_focus_100k        focusing a group or subgroup node
//   sort_change_100k       a column title click changing the sort of the whole list
//   discount_keystroke_1000  a discount keystroke re-pricing a 1 000-line order
//   add_line               AddOrderLine into that order
// "--figures" prints "<name> <value> <unit>" (medians); without it Google Benchmark runs.
#include "browse/Browsing.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/GroupNodeData.h"
#include "data/Statement.h"
#include "data/TableStore.h"
#include "data/Transaction.h"
#include "order/OrderBook.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kProducts = 100000;
constexpr int kGroups = 300;
constexpr int kSubgroups = 2000;
constexpr int kOrderLines = 1000;

const char16_t *const kNouns[] = {u"Ручка",   u"Карандаш", u"Тетрадь", u"Папка",   u"Клей",
                                  u"Ножницы", u"Линейка",  u"Маркер",  u"Степлер", u"Скрепки",
                                  u"Блокнот", u"Ластик",   u"Краски",  u"Кисть",   u"Альбом",
                                  u"Пенал",   u"Глобус",   u"Циркуль", u"Бумага",  u"Конверт"};
const char16_t *const kAdjectives[] = {u"синяя",    u"красный", u"шариковая",    u"гелевая",
                                       u"школьный", u"офисная", u"цветные",      u"большой",
                                       u"малый",    u"PILOT",   u"ERICH KRAUSE", u"BIC"};

// The catalog, filled once: Price with every index, seeded so that every run sees the same.
struct Catalog {
    Database db;
    TableStore store{db};
    std::vector<GroupNodeData> nodes; // groups and subgroups, as the tree has them

    Catalog()
    {
        for (const QString &t : {CatalogTables::Price, CatalogTables::FPrice, CatalogTables::Zakaz,
                                 CatalogTables::Main, CatalogTables::Doc})
            store.create(t);
        std::mt19937 random(20241209);
        std::vector<int> codes(900000);
        for (int i = 0; i < int(codes.size()); ++i)
            codes[i] = 100000 + i;
        std::shuffle(codes.begin(), codes.end(), random);
        std::vector<int> subgroupGroup(kSubgroups);
        for (int s = 0; s < kSubgroups; ++s) {
            subgroupGroup[s] = 1 + int(random() % kGroups);
            nodes.push_back(GroupNodeData::make(QString(), subgroupGroup[s], 10000 + s));
        }
        for (int g = 1; g <= kGroups; ++g)
            nodes.push_back(GroupNodeData::make(QString(), g, 0));

        Transaction t(db);
        Statement q = db.prepare(QStringLiteral(
            "insert into price (id,code,fullname,nds,koltek,cena,maxdiscount,articul,tm,country,"
            "st1,st2,st3,wst3,vst3,idgroup,idsubgroup,fullname_ind,articul_ind,isphoto,isnew,"
            "barcode) values (?1,?2,?3,20,?4,?5,?6,?7,'ТМ','Россия',10,50,200,12.5,0.048,?8,?9,"
            "?10,?11,?12,?13,?14)"));
        for (int id = 1; id <= kProducts; ++id) {
            const QString name =
                QString::fromUtf16(kNouns[random() % std::size(kNouns)]) + QLatin1Char(' ') +
                QString::fromUtf16(kAdjectives[random() % std::size(kAdjectives)]) +
                QLatin1Char(' ') + QString::number(random() % 10000);
            const QString articul = QStringLiteral("A%1-%2").arg(random() % 1000).arg(id);
            const bool withSubgroup = random() % 10 != 0;
            const int s = int(random() % kSubgroups);
            q.reset();
            q.bind(1, id)
                .bind(2, QString::number(codes[id]))
                .bind(3, name)
                .bind(4, int(random() % 500))
                .bind(5, double(random() % 100000) / 100)
                .bind(6, double(random() % 4 == 0 ? 3 : 0))
                .bind(7, articul)
                .bind(8, withSubgroup ? subgroupGroup[s] : 1 + int(random() % kGroups))
                .bind(9, withSubgroup ? 10000 + s : 0)
                .bind(10, name.toUpper())
                .bind(11, articul.toUpper())
                .bind(12, random() % 2 == 0)
                .bind(13, random() % 20 == 0)
                .bind(14, QStringLiteral("46%1").arg(id));
            q.exec();
        }
        t.commit();
        db.exec(QStringLiteral("ANALYZE"));
    }
};

Catalog &catalog()
{
    static Catalog c;
    return c;
}

using Clock = std::chrono::steady_clock;

double millisecondsOf(const std::function<void()> &work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Typing a code and a name letter by letter, each keystroke a new search text.
std::vector<double> searchKeystrokes(int rounds)
{
    Browsing browsing(catalog().db);
    browsing.activate();
    std::vector<double> times;
    const QStringList codes = {QStringLiteral("123456"), QStringLiteral("50721"),
                               QStringLiteral("98"), QStringLiteral("3141")};
    const QStringList names = {QStringLiteral("РУЧКА"), QStringLiteral("ТЕТР"),
                               QStringLiteral("PILOT"), QStringLiteral("СКРЕПКИ")};
    for (int r = 0; r < rounds; ++r) {
        for (const auto &[field, words] : {std::pair{QStringLiteral("CODE"), codes},
                                           std::pair{QStringLiteral("FULLNAME"), names}}) {
            browsing.titleClicked(field);
            for (const QString &word : words) {
                for (int n = 1; n <= word.size(); ++n)
                    times.push_back(
                        millisecondsOf([&] { browsing.searchTextChanged(word.left(n)); }));
                browsing.searchTextChanged(QString());
            }
        }
    }
    return times;
}

std::vector<double> treeFocuses(int count)
{
    Browsing browsing(catalog().db);
    browsing.activate();
    std::mt19937 random(7);
    const auto &nodes = catalog().nodes;
    std::vector<double> times;
    const GroupNodeData *previous = nullptr;
    for (int i = 0; i < count; ++i) {
        const GroupNodeData *node = &nodes[random() % nodes.size()];
        times.push_back(millisecondsOf([&] { browsing.treeFocusChanging(previous, node); }));
        previous = node;
    }
    return times;
}

std::vector<double> sortChanges(int rounds)
{
    Browsing browsing(catalog().db);
    browsing.activate();
    std::vector<double> times;
    const QStringList fields = {QStringLiteral("FULLNAME"), QStringLiteral("ARTICUL"),
                                QStringLiteral("KOLTEK"), QStringLiteral("CENA"),
                                QStringLiteral("CODE")};
    for (int r = 0; r < rounds; ++r)
        for (const QString &field : fields)
            times.push_back(millisecondsOf([&] { browsing.titleClicked(field); }));
    return times;
}

// An order of 1 000 lines on products spread over the catalog.
std::unique_ptr<OrderBook> bigOrder()
{
    auto book = std::make_unique<OrderBook>(catalog().db);
    book->clear();
    for (int i = 0; i < kOrderLines; ++i)
        book->addOrderLine(1 + i * (kProducts / kOrderLines), 1 + i % 17);
    return book;
}

std::vector<double> discountKeystrokes(int count)
{
    auto book = bigOrder();
    const QStringList texts = {QStringLiteral("5"), QStringLiteral("7"),  QStringLiteral("7.5"),
                               QStringLiteral("1"), QStringLiteral("12"), QString()};
    std::vector<double> times;
    for (int i = 0; i < count; ++i)
        times.push_back(millisecondsOf([&] { book->setDiscountText(texts.at(i % texts.size())); }));
    book->clear();
    return times;
}

std::vector<double> addLines(int count)
{
    auto book = bigOrder();
    book->setDiscountText(QStringLiteral("5"));
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        const int id = 2 + (i % 97) * 1000 + i / 97; // products not in the order yet
        times.push_back(millisecondsOf([&] { book->addOrderLine(id, 3); }));
        book->setOrderLineKol(id, 0);
    }
    book->clear();
    return times;
}

void printFigure(const char *name, double value, const char *unit)
{
    std::printf("%s %.3f %s\n", name, value, unit);
    std::fflush(stdout);
}

void BM_SearchKeystroke(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(searchKeystrokes(1));
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMillisecond);

void BM_TreeFocus(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(treeFocuses(50));
}
BENCHMARK(BM_TreeFocus)->Unit(benchmark::kMillisecond);

void BM_SortChange(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(sortChanges(1));
}
BENCHMARK(BM_SortChange)->Unit(benchmark::kMillisecond);

void BM_DiscountKeystroke(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(discountKeystrokes(6));
}
BENCHMARK(BM_DiscountKeystroke)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool figures = argc > 1 && std::strcmp(argv[1], "--figures") == 0;
    if (figures) {
        catalog();
        printFigure("search_keystroke_100k", median(searchKeystrokes(5)), "ms");
        printFigure("tree_focus_100k", median(treeFocuses(400)), "ms");
        printFigure("sort_change_100k", median(sortChanges(6)), "ms");
        printFigure("discount_keystroke_1000", median(discountKeystrokes(60)), "ms");
        printFigure("add_line", median(addLines(300)), "ms");
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
