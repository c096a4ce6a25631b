// Import of 100 000 generated products (CSV to tables to "Price.lst"/"Class.lst"), against the
// sqlite3 shell importing the same files into tables with the same indexes and saving them.
#include <benchmark/benchmark.h>

#include <cstring>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "CatalogGenerator.h"
#include "common/StartupMessages.h"
#include "common/UserPrompts.h"
#include "data/CatalogTables.h"
#include "data/Database.h"
#include "data/PriceImport.h"
#include "data/TableStore.h"

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

void importOnce(const QString &folder)
{
    Database db;
    TableStore store(db);
    NoStartupMessages messages;
    SilentPrompts prompts;
    ImportPriceAndClasses(store, folder, QStringLiteral("ExportPrice.csv"),
                          QStringLiteral("ExportClass.csv"), messages, prompts);
}

// The same tables and indexes for the shell; it cannot compute the upper-case columns, so its
// name and article indexes are on the columns as imported.
QString shellScript(const QString &folder)
{
    QString script = QStringLiteral(
        "CREATE TABLE Price (ID INTEGER PRIMARY KEY, CODE VARCHAR(10), FULLNAME VARCHAR(200), "
        "NDS REAL, KOLTEK INTEGER, CENA REAL, MAXDISCOUNT REAL, ARTICUL VARCHAR(30), "
        "TM VARCHAR(50), COUNTRY VARCHAR(30), ST1 INTEGER, ST2 INTEGER, ST3 INTEGER, WST3 REAL, "
        "VST3 REAL, IDGROUP INTEGER, IDSUBGROUP INTEGER, ISNEW BOOLEAN, ISPHOTO BOOLEAN, "
        "BARCODE VARCHAR(20));\n"
        "CREATE TABLE Class (ID INTEGER PRIMARY KEY, NAME VARCHAR(50), IDPARENT INTEGER);\n"
        "CREATE INDEX _IDPARENT ON Class (IDPARENT);\n");
    for (const IndexDef &index : CatalogTables::price().indexes) {
        if (index.primary)
            continue;
        QStringList fields = index.fields;
        fields.replaceInStrings(QStringLiteral("FULLNAME_IND"), QStringLiteral("FULLNAME"));
        fields.replaceInStrings(QStringLiteral("ARTICUL_IND"), QStringLiteral("ARTICUL"));
        if (fields.contains(QStringLiteral("KOLZAK")))
            fields = QStringList{QStringLiteral("ISNEW")};
        script += QStringLiteral("CREATE INDEX \"%1\" ON Price (%2);\n")
                      .arg(index.name, fields.join(QLatin1Char(',')));
    }
    script += QStringLiteral(".mode csv\n.separator ;\n"
                             ".import --skip 1 '%1ExportPrice.csv' Price\n"
                             ".import --skip 1 '%1ExportClass.csv' Class\n"
                             ".save '%1shell.db'\n")
                  .arg(folder);
    return script;
}

double shellMilliseconds(const QString &folder)
{
    QFile::remove(folder + QStringLiteral("shell.db"));
    QProcess shell;
    return BenchSupport::millisecondsOf([&] {
        shell.start(QStringLiteral("sqlite3"),
                    {QStringLiteral("-batch"), QStringLiteral(":memory:")});
        shell.waitForStarted();
        shell.write(shellScript(folder).toUtf8());
        shell.closeWriteChannel();
        shell.waitForFinished(-1);
    });
}

void BM_Import100k(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString folder = BenchSupport::folderOf(dir);
    writeCatalog(folder);
    for (auto _ : state)
        importOnce(folder);
}
BENCHMARK(BM_Import100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write-catalog") == 0) {
        // The generated exports, for looking at them or for trying other tools on them.
        writeCatalog(QString::fromLocal8Bit(argv[2]) + QLatin1Char('/'));
        return 0;
    }
    if (BenchSupport::wantsFigures(argc, argv)) {
        QTemporaryDir dir;
        const QString folder = BenchSupport::folderOf(dir);
        writeCatalog(folder);
        const double ours = BenchSupport::bestMillisecondsOf(3, [&] { importOnce(folder); });
        double shell = shellMilliseconds(folder);
        shell = std::min(shell, shellMilliseconds(folder));
        BenchSupport::printFigure(QStringLiteral("import_100k"), ours, QStringLiteral("ms"),
                                  QStringLiteral("sqlite3_import_100k"), shell);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
