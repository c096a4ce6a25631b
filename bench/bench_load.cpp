// Start-up with 100 000 products: the working files loaded and the group tree built, and the
// resident memory of a process holding the loaded catalog.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "CatalogGenerator.h"
#include "common/StartupMessages.h"
#include "common/UserPrompts.h"
#include "data/Database.h"
#include "data/GroupTreeBuild.h"
#include "data/PriceImport.h"
#include "data/TableStore.h"
#include "data/WorkingTablesLoad.h"

namespace {

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

// A working folder as the first start leaves it: imported, tree cache written.
void prepareWorkingFolder(const QString &folder)
{
    writeCatalog(folder);
    Database db;
    TableStore store(db);
    NoStartupMessages messages;
    SilentPrompts prompts;
    ImportPriceAndClasses(store, folder, QStringLiteral("ExportPrice.csv"),
                          QStringLiteral("ExportClass.csv"), messages, prompts);
    LoadWorkingTables(store, folder, messages);
    BuildGroupTree(store, folder, messages);
}

int loadAndBuild(TableStore &store, const QString &folder)
{
    NoStartupMessages messages;
    LoadWorkingTables(store, folder, messages);
    return int(BuildGroupTree(store, folder, messages).children.size());
}

void BM_LoadAndTree100k(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString folder = BenchSupport::folderOf(dir);
    prepareWorkingFolder(folder);
    for (auto _ : state) {
        Database db;
        TableStore store(db);
        benchmark::DoNotOptimize(loadAndBuild(store, folder));
    }
}
BENCHMARK(BM_LoadAndTree100k)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--resident") == 0) {
        // The child of the memory figure: nothing but the loaded catalog in this process.
        Database db;
        TableStore store(db);
        loadAndBuild(store, QString::fromLocal8Bit(argv[2]));
        std::printf("%f\n", BenchSupport::residentMegabytes());
        return 0;
    }
    if (BenchSupport::wantsFigures(argc, argv)) {
        QTemporaryDir dir;
        const QString folder = BenchSupport::folderOf(dir);
        prepareWorkingFolder(folder);
        const double load = BenchSupport::bestMillisecondsOf(5, [&] {
            Database db;
            TableStore store(db);
            loadAndBuild(store, folder);
        });
        BenchSupport::printFigure(QStringLiteral("load_100k"), load, QStringLiteral("ms"));

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--resident"), folder});
        child.waitForFinished(-1);
        BenchSupport::printFigure(QStringLiteral("rss_100k"),
                                  child.readAllStandardOutput().trimmed().toDouble(),
                                  QStringLiteral("MB"));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
