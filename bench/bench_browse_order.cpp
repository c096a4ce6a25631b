// Browsing and order figures on a generated 100 000-product catalog:
//   search_keystroke_100k  a search keystroke: new text to the ordered id list of the view
//   tree_focus_100k        focusing a group or subgroup node
//   sort_change_100k       a column title click changing the sort of the whole list
//   discount_keystroke_1000  a discount keystroke re-pricing a 1 000-line order
//   add_line               AddOrderLine into that order
// "--figures" prints "<name> <value> <unit>" (medians); without it Google Benchmark runs.
#include "BenchSupport.h"
#include "CatalogGenerator.h"

#include "browse/Browsing.h"
#include "common/StartupMessages.h"
#include "common/UserPrompts.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/GroupNodeData.h"
#include "data/GroupTreeBuild.h"
#include "data/PriceImport.h"
#include "data/Statement.h"
#include "data/TableStore.h"
#include "data/WorkingTablesLoad.h"
#include "order/OrderBook.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kOrderLines = 1000;

class SilentPrompts : public UserPrompts {
public:
    bool confirm(const QString &) override { return false; }
    void info(const QString &) override {}
    void error(const QString &text) override { throw std::runtime_error(text.toStdString()); }
    void message(const QString &) override {}
    QString askSaveFileName(const QString &, const QString &, const QString &,
                            const QString &) override
    {
        return {};
    }
};

void collectNodes(const GroupTreeNode &node, std::vector<GroupNodeData> &nodes)
{
    for (const GroupTreeNode &child : node.children) {
        nodes.push_back(child.data);
        collectNodes(child, nodes);
    }
}

// The generated catalog of 100 000 products as the program holds it after an import and a
// start-up: the working tables loaded and the group tree built.
struct Catalog {
    QTemporaryDir dir;
    Database db;
    TableStore store{db};
    std::vector<GroupNodeData> nodes; // every node below the root
    std::vector<int> productIds;

    Catalog()
    {
        const QString folder = BenchSupport::folderOf(dir);
        writeCatalog(folder);
        NoStartupMessages messages;
        SilentPrompts prompts;
        ImportPriceAndClasses(store, folder, QStringLiteral("ExportPrice.csv"),
                              QStringLiteral("ExportClass.csv"), messages, prompts);
        LoadWorkingTables(store, folder, messages);
        collectNodes(BuildGroupTree(store, folder, messages), nodes);
        Statement ids = db.prepare(QStringLiteral("select id from price order by id"));
        while (ids.step())
            productIds.push_back(ids.columnInt(0));
    }
};

Catalog &catalog()
{
    static Catalog c;
    return c;
}

using BenchSupport::millisecondsOf;

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
    const QStringList codes = {QStringLiteral("004217"), QStringLiteral("058301"),
                               QStringLiteral("09"), QStringLiteral("0731")};
    const QStringList names = {QStringLiteral("РУЧКА Г"), QStringLiteral("ТЕТР"),
                               QStringLiteral("СКОБЫ"), QStringLiteral("КАЛЬКУЛ")};
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
    const auto &ids = catalog().productIds;
    for (int i = 0; i < kOrderLines; ++i)
        book->addOrderLine(ids[size_t(i) * (ids.size() / kOrderLines)], 1 + i % 17);
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
        const auto &ids = catalog().productIds;
        const int id = ids[1 + size_t(i % 97) * 1000 + size_t(i / 97)]; // not in the order yet
        times.push_back(millisecondsOf([&] { book->addOrderLine(id, 3); }));
        book->setOrderLineKol(id, 0);
    }
    book->clear();
    return times;
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
    auto book = bigOrder();
    int i = 0;
    for (auto _ : state)
        book->setDiscountText(QString::number(++i % 20));
    book->clear();
}
BENCHMARK(BM_DiscountKeystroke)->Unit(benchmark::kMillisecond);

void BM_AddLine(benchmark::State &state)
{
    auto book = bigOrder();
    const int id = catalog().productIds[1];
    for (auto _ : state) {
        book->addOrderLine(id, 3);
        state.PauseTiming();
        book->setOrderLineKol(id, 0);
        state.ResumeTiming();
    }
    book->clear();
}
BENCHMARK(BM_AddLine)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (BenchSupport::wantsFigures(argc, argv)) {
        catalog();
        // Three decimals: a tree focus takes a few hundredths of a millisecond.
        const auto printFigure = [](const char *name, double value) {
            std::printf("%s %.3f ms\n", name, value);
            std::fflush(stdout);
        };
        printFigure("search_keystroke_100k", median(searchKeystrokes(5)));
        printFigure("tree_focus_100k", median(treeFocuses(400)));
        printFigure("sort_change_100k", median(sortChanges(6)));
        printFigure("discount_keystroke_1000", median(discountKeystrokes(60)));
        printFigure("add_line", median(addLines(300)));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
