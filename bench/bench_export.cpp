// Export of a large order to .xls: filling the workbook and writing the file, against
// python3-xlwt writing the same cells with the same formats in the same run.

#include "common/Clock.h"
#include "common/DesktopShell.h"
#include "common/UserPrompts.h"
#include "support/SampleOrder.h"
#include "xls/OrderExport.h"
#include "xls/OrderExportSource.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// Answers the file dialog with a fixed name and opens nothing.
class FixedAnswers : public UserPrompts, public DesktopShell {
public:
    explicit FixedAnswers(QString fileName) : m_fileName(std::move(fileName)) {}
    bool confirm(const QString &) override { return true; }
    void info(const QString &) override {}
    void error(const QString &) override {}
    void message(const QString &) override {}
    QString askSaveFileName(const QString &, const QString &, const QString &,
                            const QString &) override
    {
        return m_fileName;
    }
    bool openDocument(const QString &) override { return true; }
    bool openUrl(const QString &) override { return true; }
    bool startProgram(const QString &) override { return true; }

private:
    QString m_fileName;
};

const QDateTime kExportTime(QDate(2026, 3, 12), QTime(9, 5, 7));

void exportOnce(const OrderExportList &order, const QString &fileName)
{
    FixedAnswers answers(fileName);
    FixedClock clock(kExportTime);
    OrderExport(answers, answers, clock)
        .ExportOrder(u"ООО \"Ромашка\""_s, u"7701234567"_s, order, u" от 01.03.2026 10:00"_s);
}

// Fastest of several runs, in milliseconds.
double exportMilliseconds(int lines, int repeats, const QString &folder)
{
    const OrderExportList order = sampleOrder(lines);
    const QString fileName = folder + u"/export_%1.xls"_s.arg(lines);
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        exportOnce(order, fileName);
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

// python3-xlwt doing the same, timed inside the script (interpreter start not counted).
double xlwtMilliseconds(int lines, int repeats, const QString &folder)
{
    const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + u"/xlwt_order.py"_s;
    QProcess python;
    python.start(u"/usr/bin/python3"_s,
                 {script, QString::number(lines), folder + u"/xlwt_%1.xls"_s.arg(lines),
                  QString::number(repeats)});
    if (!python.waitForFinished(600000) || python.exitCode() != 0) {
        std::fprintf(stderr, "xlwt failed: %s\n", python.readAllStandardError().constData());
        return -1;
    }
    return python.readAllStandardOutput().trimmed().toDouble() * 1000;
}

void BM_ExportOrder(benchmark::State &state)
{
    QTemporaryDir folder;
    const OrderExportList order = sampleOrder(int(state.range(0)));
    const QString fileName = folder.path() + u"/order.xls"_s;
    for (auto _ : state)
        exportOnce(order, fileName);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ExportOrder)->Arg(10000)->Arg(60000)->Unit(benchmark::kMillisecond);

int figures()
{
    QTemporaryDir folder;
    const double ours10 = exportMilliseconds(10000, 40, folder.path());
    const double xlwt10 = xlwtMilliseconds(10000, 3, folder.path());
    const double ours60 = exportMilliseconds(60000, 5, folder.path());
    std::printf("export_10000 %.2f ms xlwt_10000 %.2f %.4f\n", ours10, xlwt10,
                xlwt10 > 0 ? ours10 / xlwt10 : 0.0);
    std::printf("export_60000 %.2f ms\n", ours60);
    return xlwt10 > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--figures") == 0)
            return figures();
        // One export of that many lines and nothing else, for a profiler.
        if (std::strcmp(argv[i], "--once") == 0 && i + 1 < argc) {
            QTemporaryDir folder;
            const OrderExportList order = sampleOrder(std::atoi(argv[i + 1]));
            exportOnce(order, folder.path() + u"/once.xls"_s);
            return 0;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
