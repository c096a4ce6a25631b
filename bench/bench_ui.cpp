// The main window on a generated 100 000-product catalog, offscreen: a keystroke in the
// search line until the price grid has repainted, and the same search in the core alone as
// the anchor (what the window adds on top of the filter).
//
// "--figures" prints "search_repaint_100k <ms> ms search_core_100k <ms> <ratio>" (medians);
// without it Google Benchmark runs.
#include "BenchSupport.h"
#include "CatalogGenerator.h"

#include "SilentPrompts.h"
#include "app/CatalogDataLoader.h"
#include "app/StartupSequence.h"
#include "browse/Browsing.h"
#include "common/CatalogSettings.h"
#include "common/DesktopShell.h"
#include "common/StartupMessages.h"
#include "common/UserPrompts.h"
#include "ui/CatalogGrid.h"
#include "ui/GridTableModel.h"
#include "ui/MainForm.h"
#include "ui/SearchEdit.h"
#include "ui/TitleHeaderView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

class NoShell : public DesktopShell {
public:
    bool openDocument(const QString &) override { return true; }
    bool openUrl(const QString &) override { return true; }
    bool startProgram(const QString &) override { return true; }
};

// The window as a first start leaves it: the exports imported, the tree built, shown.
struct Window {
    QTemporaryDir dir;
    CatalogSettings settings;
    NoStartupMessages messages;
    SilentPrompts prompts;
    NoShell shell;
    CatalogDataLoader loader;
    std::unique_ptr<TAppMainForm> form;

    Window()
    {
        const QString root = BenchSupport::folderOf(dir);
        const QString program = root + u"program/"_s;
        QDir().mkpath(program);
        writeCatalog(program);
        const QString work = root + u"Application Data/FerrowCatalog/"_s;
        QDir().mkpath(work);
        QFile ini(work + u"FerrowConfig.ini"_s);
        ini.open(QIODevice::WriteOnly);
        ini.write(
            (u"[COMMON]\r\nPathBase="_s + program + u"\r\nIsInputKolByWindow=1\r\n"_s).toUtf8());
        ini.close();
        StartupEnvironment where;
        where.env.insert(u"USERPROFILE"_s, root);
        where.programPath = program + u"ferrow-catalog"_s;
        loader.setServices(settings, messages, prompts);
        form = std::make_unique<TAppMainForm>(
            TAppMainForm::Services{settings, messages, prompts, shell, loader, loader.database(),
                                   &loader.groupTree()},
            where);
        form->resize(1920, 1080);
        form->show();
        QApplication::processEvents();
    }
};

// Made on first use, ended before the application object (widgets must not outlive it).
std::unique_ptr<Window> theWindow;

Window &window()
{
    if (!theWindow)
        theWindow = std::make_unique<Window>();
    return *theWindow;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

const QStringList &codes()
{
    static const QStringList c = {u"004217"_s, u"058301"_s, u"09"_s, u"0731"_s};
    return c;
}
const QStringList &names()
{
    static const QStringList n = {u"РУЧКА Г"_s, u"ТЕТР"_s, u"СКОБЫ"_s, u"КАЛЬКУЛ"_s};
    return n;
}

void sortBy(const QString &field)
{
    const MainFormLayout &ui = window().form->controls();
    const int column = static_cast<GridTableModel *>(ui.DBGridEh1->model())->columnOfField(field);
    emit ui.DBGridEh1->titles()->sectionClicked(column);
}

// One key typed into the search line, through to the window painted with the new rows.
double keystroke(const QString &character)
{
    const MainFormLayout &ui = window().form->controls();
    return BenchSupport::millisecondsOf([&] {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QApplication::sendEvent(ui.SerchText, &press);
        // Everything the key invalidated is painted: the grid, its frozen columns, the card.
        QApplication::processEvents();
    });
}

std::vector<double> searchRepaints(int rounds)
{
    const MainFormLayout &ui = window().form->controls();
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        for (const auto &[field, words] :
             {std::pair{u"CODE"_s, codes()}, std::pair{u"FULLNAME"_s, names()}}) {
            sortBy(field);
            for (const QString &word : words) {
                ui.SerchText->clear();
                for (const QChar ch : word)
                    times.push_back(keystroke(QString(ch)));
            }
        }
    }
    ui.SerchText->clear();
    return times;
}

std::vector<double> coreSearches(int rounds)
{
    Browsing browsing(window().loader.database());
    browsing.activate();
    std::vector<double> times;
    for (int r = 0; r < rounds; ++r) {
        for (const auto &[field, words] :
             {std::pair{u"CODE"_s, codes()}, std::pair{u"FULLNAME"_s, names()}}) {
            browsing.titleClicked(field);
            for (const QString &word : words) {
                for (int n = 1; n <= word.size(); ++n)
                    times.push_back(BenchSupport::millisecondsOf(
                        [&] { browsing.searchTextChanged(word.left(n)); }));
                browsing.searchTextChanged(QString());
            }
        }
    }
    return times;
}

void BM_SearchRepaint(benchmark::State &state)
{
    window();
    for (auto _ : state)
        benchmark::DoNotOptimize(searchRepaints(1));
}
BENCHMARK(BM_SearchRepaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (BenchSupport::wantsFigures(argc, argv)) {
        window();
        const double repaint = median(searchRepaints(5));
        const double core = median(coreSearches(5));
        std::printf("search_repaint_100k %.3f ms search_core_100k %.3f %.2f\n", repaint, core,
                    core > 0 ? repaint / core : 0.0);
        std::fflush(stdout);
        theWindow.reset();
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}
