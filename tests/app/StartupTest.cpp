#include "app/IniFile.h"
#include "app/StartupData.h"
#include "app/StartupSequence.h"
#include "app/WorkingPaths.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// Records the data steps and the splash lines in one sequence, so the order is checked too.
class RecordingLoader : public CatalogLoader, public StartupMessages {
public:
    QStringList steps;
    bool loadSucceeds = true;

    void importPriceAndClasses() override { steps << QStringLiteral("import"); }
    bool loadWorkingTables() override
    {
        steps << QStringLiteral("load");
        return loadSucceeds;
    }
    void buildGroupTree() override { steps << QStringLiteral("tree"); }

    void clearStartupMessages() override { steps << QStringLiteral("clear"); }
    void setStartupMessage(const QString &text) override { steps << text; }
    void appendStartupMessage(const QString &text) override { steps << QStringLiteral("+") + text; }
};

CatalogSettings settingsIn(const TempDir &work, const QString &pathBase, int importOnStart = 0)
{
    CatalogSettings s;
    s.WorkFolder = work.path();
    s.PathBase = pathBase;
    s.PriceFileName = QStringLiteral("Price.lst");
    s.ClassFileName = QStringLiteral("Class.lst");
    s.PriceExportFileName = QStringLiteral("ExportPrice.csv");
    s.ClassExportFileName = QStringLiteral("ExportClass.csv");
    s.IsImportOnStart = importOnStart;
    return s;
}

void setMtime(const QString &path, const QDateTime &at)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(at, QFileDevice::FileModificationTime));
}

QProcessEnvironment envWith(std::initializer_list<std::pair<const char *, QString>> vars)
{
    QProcessEnvironment env;
    for (const auto &[name, value] : vars)
        env.insert(QLatin1String(name), value);
    return env;
}

} // namespace

TEST(InitData, DecidesBetweenImportAndLoadByWorkingFilesAndSetting)
{
    struct Case {
        const char *name;
        bool price, klass;
        int importOnStart;
        QStringList steps;
        bool copied;
    };
    const QStringList importAndLoad = {QStringLiteral("import"), QStringLiteral("load")};
    const std::vector<Case> cases = {
        {"no working files", false, false, 0, importAndLoad, true},
        {"price list missing", false, true, 0, importAndLoad, true},
        {"classifier missing", true, false, 1, importAndLoad, true},
        {"both present, import on start", true, true, 1, importAndLoad, false},
        {"both present, import on start above one", true, true, 5, importAndLoad, false},
        {"both present, no import", true, true, 0, {QStringLiteral("load")}, false},
        {"both present, negative setting", true, true, -1, {QStringLiteral("load")}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TempDir work, base;
        base.write(QStringLiteral("ExportPrice.csv"), "new price");
        base.write(QStringLiteral("ExportClass.csv"), "new classes");
        work.write(QStringLiteral("ExportPrice.csv"), "old price");
        if (c.price)
            work.write(QStringLiteral("Price.lst"), "x");
        if (c.klass)
            work.write(QStringLiteral("Class.lst"), "x");
        RecordingLoader loader;
        EXPECT_TRUE(InitData(settingsIn(work, base.path(), c.importOnStart), loader));
        EXPECT_EQ(loader.steps, c.steps);
        EXPECT_EQ(work.read(QStringLiteral("ExportPrice.csv")),
                  c.copied ? QByteArray("new price") : QByteArray("old price"));
        EXPECT_EQ(QFile::exists(work.file(QStringLiteral("ExportClass.csv"))), c.copied);
    }
}

TEST(InitData, FailedLoadEndsTheProgram)
{
    TempDir work;
    RecordingLoader loader;
    loader.loadSucceeds = false;
    EXPECT_FALSE(InitData(settingsIn(work, work.path()), loader));
}

TEST(CopyExportFiles, SkipsAMissingFileAndTheWorkingFolderItself)
{
    {
        SCOPED_TRACE("missing classifier export: the price is copied, the old classifier stays");
        TempDir work, base;
        base.write(QStringLiteral("ExportPrice.csv"), "new price");
        work.write(QStringLiteral("ExportClass.csv"), "old classes");
        CopyExportFiles(settingsIn(work, base.path()));
        EXPECT_EQ(work.read(QStringLiteral("ExportPrice.csv")), "new price");
        EXPECT_EQ(work.read(QStringLiteral("ExportClass.csv")), "old classes");
    }
    {
        SCOPED_TRACE("PathBase is the working folder up to letter case and blanks");
        TempDir root;
        const QString work = root.file(QStringLiteral("work/"));
        const QString otherCase = root.file(QStringLiteral("WORK/"));
        QDir().mkpath(work);
        QDir().mkpath(otherCase);
        root.write(QStringLiteral("work/ExportPrice.csv"), "work price");
        root.write(QStringLiteral("WORK/ExportPrice.csv"), "other price");
        for (const QString &pathBase : {otherCase, otherCase + QStringLiteral("  ")}) {
            CatalogSettings s;
            s.WorkFolder = work;
            s.PathBase = pathBase;
            s.PriceFileName = QStringLiteral("Price.lst");
            s.ClassFileName = QStringLiteral("Class.lst");
            s.PriceExportFileName = QStringLiteral("ExportPrice.csv");
            s.ClassExportFileName = QStringLiteral("ExportClass.csv");
            RecordingLoader loader;
            EXPECT_TRUE(InitData(s, loader));
            EXPECT_EQ(root.read(QStringLiteral("work/ExportPrice.csv")), "work price");
            EXPECT_EQ(loader.steps,
                      QStringList({QStringLiteral("import"), QStringLiteral("load")}));
        }
    }
    {
        SCOPED_TRACE("the same folder through a link: the export survives");
        TempDir work, links;
        work.write(QStringLiteral("ExportPrice.csv"), "work price");
        const QString link = links.file(QStringLiteral("base"));
        ASSERT_TRUE(QFile::link(work.path(), link));
        CopyExportFiles(settingsIn(work, link + QLatin1Char('/')));
        EXPECT_EQ(work.read(QStringLiteral("ExportPrice.csv")), "work price");
    }
}

TEST(PriceDateSuffix, DateAndTimeOfTheFileOrNothing)
{
    TempDir dir;
    EXPECT_EQ(PriceDateSuffix(dir.file(QStringLiteral("ExportPrice.csv"))), QString());

    const QString file = dir.write(QStringLiteral("ExportPrice.csv"), "x");
    setMtime(file, QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    EXPECT_EQ(PriceDateSuffix(file), QStringLiteral(" от 05.03.2024 14:07:09"));
    setMtime(file, QDateTime(QDate(2024, 12, 31), QTime(0, 0)));
    EXPECT_EQ(PriceDateSuffix(file), QStringLiteral(" от 31.12.2024"));
    setMtime(file, QDateTime(QDate(2024, 12, 31), QTime(0, 0, 1)));
    EXPECT_EQ(PriceDateSuffix(file), QStringLiteral(" от 31.12.2024 00:00:01"));

    CatalogSettings s;
    s.WorkFolder = dir.path();
    EXPECT_EQ(CatalogCaption(QStringLiteral(" Заголовок "), s),
              QStringLiteral("Заголовок от 31.12.2024 00:00:01"));
}

TEST(WorkingPaths, ProfileFolderOneLevelAtATimeElseXdgDataHome)
{
    TempDir root;
    {
        SCOPED_TRACE("USERPROFILE");
        const QString profile = root.file(QStringLiteral("profile"));
        ASSERT_TRUE(QDir().mkdir(profile));
        const QProcessEnvironment env = envWith(
            {{"USERPROFILE", profile}, {"XDG_DATA_HOME", root.file(QStringLiteral("xdg"))}});
        CatalogSettings s;
        InitWorkingPaths(s, env, QStringLiteral("/opt/ferrow/"));
        EXPECT_EQ(s.WorkFolder, profile + QStringLiteral("/Application Data/FerrowCatalog/"));
        EXPECT_EQ(s.TempPictureFolder, s.WorkFolder + QStringLiteral("TempPicture/"));
        EXPECT_TRUE(QFileInfo(s.TempPictureFolder).isDir());
        EXPECT_TRUE(QFile::exists(s.WorkFolder + QStringLiteral("FerrowConfig.ini")));
        EXPECT_TRUE(s.FirstRun);
        EXPECT_FALSE(QFile::exists(root.file(QStringLiteral("xdg"))));
        EXPECT_EQ(s.PriceArchiveFileName, QStringLiteral("ExportToCatalog.zip"));
        EXPECT_EQ(s.PicturesListFileName, QStringLiteral("pictures.txt.gz"));
    }
    {
        SCOPED_TRACE("USERPROFILE naming a missing folder: nothing is made above it");
        const QString profile = root.file(QStringLiteral("gone"));
        CatalogSettings s;
        EXPECT_THROW(
            InitWorkingPaths(s, envWith({{"USERPROFILE", profile}}), QStringLiteral("/p/")),
            IniFileError);
        EXPECT_FALSE(QFile::exists(profile));
    }
    {
        SCOPED_TRACE("XDG_DATA_HOME, created with its parents");
        const QString xdg = root.file(QStringLiteral("a/b/share"));
        CatalogSettings s;
        InitWorkingPaths(
            s, envWith({{"XDG_DATA_HOME", xdg}, {"HOME", root.file(QStringLiteral("home"))}}),
            QStringLiteral("/p/"));
        EXPECT_EQ(s.WorkFolder, xdg + QStringLiteral("/FerrowCatalog/"));
        EXPECT_TRUE(QFileInfo(s.TempPictureFolder).isDir());
        EXPECT_EQ(s.PathBase, QStringLiteral("/p/"));
    }
    EXPECT_EQ(WorkingFolderFor(envWith(
                  {{"HOME", QStringLiteral("/home/u")}, {"XDG_DATA_HOME", QStringLiteral("rel")}})),
              QStringLiteral("/home/u/.local/share/FerrowCatalog/"));
    EXPECT_EQ(ProgramFolderOf(QStringLiteral("/opt/ferrow/bin/ferrow-catalog")),
              QStringLiteral("/opt/ferrow/bin/"));
}

class StartupSequenceTest : public ::testing::Test {
protected:
    StartupEnvironment where(const QString &programPath) const
    {
        return {envWith({{"XDG_DATA_HOME", m_root.file(QStringLiteral("share"))}}), programPath};
    }
    QString workFolder() const { return m_root.file(QStringLiteral("share/FerrowCatalog/")); }
    StartupSequence::Outcome run(const QString &programPath)
    {
        StartupSequence seq(m_settings, m_loader, m_prompts, m_shell, m_loader);
        const auto outcome = seq.run(where(programPath), QStringLiteral("Каталог"));
        m_helpFile = seq.helpFile();
        m_caption = seq.caption();
        return outcome;
    }
    void putNewerCopy()
    {
        QDir().mkpath(workFolder());
        QFile f(workFolder() + QStringLiteral("Tavrin.exe"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    TempDir m_root;
    CatalogSettings m_settings;
    RecordingLoader m_loader;
    ScriptedPrompts m_prompts;
    RecordingShell m_shell;
    QString m_helpFile, m_caption;
};

TEST_F(StartupSequenceTest, CleanProfileRunsEveryStepInOrder)
{
    const QString program = m_root.file(QStringLiteral("bin/ferrow-catalog"));
    EXPECT_EQ(run(program), StartupSequence::Outcome::Ready);
    EXPECT_EQ(m_loader.steps,
              QStringList({QStringLiteral("clear"), QStringLiteral("Инициализация настроек..."),
                           QStringLiteral("Инициализация данных..."), QStringLiteral("import"),
                           QStringLiteral("load"),
                           QStringLiteral("Инициализация дерева групп/подгрупп..."),
                           QStringLiteral("tree"), QStringLiteral("ЗАПУСК...")}));
    EXPECT_TRUE(m_settings.FirstRun);
    EXPECT_EQ(m_settings.PathBase, m_root.file(QStringLiteral("bin/")));
    EXPECT_EQ(m_helpFile, m_root.file(QStringLiteral("bin/FerrowCatalog.chm")));
    EXPECT_EQ(m_caption, QStringLiteral("Каталог")); // no export file in the working folder
    EXPECT_TRUE(m_shell.startedPrograms.isEmpty());
    EXPECT_TRUE(m_prompts.shown.empty());
}

TEST_F(StartupSequenceTest, WorkingFolderHelpFileWins)
{
    QDir().mkpath(workFolder());
    QFile(workFolder() + QStringLiteral("FerrowCatalog.chm")).open(QIODevice::WriteOnly);
    run(m_root.file(QStringLiteral("bin/ferrow-catalog")));
    EXPECT_EQ(m_helpFile, workFolder() + QStringLiteral("FerrowCatalog.chm"));
}

TEST_F(StartupSequenceTest, NewerCopyIsStartedAndNoDataLoaded)
{
    putNewerCopy();
    EXPECT_EQ(run(m_root.file(QStringLiteral("bin/ferrow-catalog"))),
              StartupSequence::Outcome::HandedOff);
    EXPECT_EQ(m_shell.startedPrograms, QStringList({workFolder() + QStringLiteral("Tavrin.exe")}));
    EXPECT_EQ(m_loader.steps,
              QStringList({QStringLiteral("clear"), QStringLiteral("Инициализация настроек...")}));
    EXPECT_TRUE(m_prompts.shown.empty());
}

TEST_F(StartupSequenceTest, NewerCopyThatWillNotStartIsReportedAndStillNoDataLoaded)
{
    putNewerCopy();
    m_shell.answer = false;
    EXPECT_EQ(run(m_root.file(QStringLiteral("bin/ferrow-catalog"))),
              StartupSequence::Outcome::HandedOff);
    EXPECT_EQ(m_prompts.texts(QStringLiteral("error")).size(), 1);
    EXPECT_FALSE(m_loader.steps.contains(QStringLiteral("load")));
}

TEST_F(StartupSequenceTest, RunningAsTheNewerCopyInAnyLetterCaseStartsNormally)
{
    putNewerCopy();
    const QString self =
        QStringLiteral("  ") + (workFolder() + QStringLiteral("Tavrin.exe")).toLower();
    EXPECT_EQ(run(self), StartupSequence::Outcome::Ready);
    EXPECT_TRUE(m_shell.startedPrograms.isEmpty());
    EXPECT_TRUE(m_loader.steps.contains(QStringLiteral("load")));
}

TEST_F(StartupSequenceTest, RunningAsTheNewerCopyThroughALinkedFolderStartsNormally)
{
    putNewerCopy();
    const QString linked = m_root.file(QStringLiteral("linked"));
    ASSERT_TRUE(QFile::link(workFolder(), linked));
    EXPECT_EQ(run(linked + QStringLiteral("/Tavrin.exe")), StartupSequence::Outcome::Ready);
    EXPECT_TRUE(m_shell.startedPrograms.isEmpty());
}

TEST_F(StartupSequenceTest, AFolderNamedLikeTheNewerCopyIsNoHandOff)
{
    QDir().mkpath(workFolder() + QStringLiteral("Tavrin.exe"));
    EXPECT_EQ(run(m_root.file(QStringLiteral("bin/ferrow-catalog"))),
              StartupSequence::Outcome::Ready);
    EXPECT_TRUE(m_shell.startedPrograms.isEmpty());
}

TEST_F(StartupSequenceTest, MissingWorkingTablesEndWithoutTheTree)
{
    m_loader.loadSucceeds = false;
    EXPECT_EQ(run(m_root.file(QStringLiteral("bin/ferrow-catalog"))),
              StartupSequence::Outcome::MustEnd);
    EXPECT_FALSE(m_loader.steps.contains(QStringLiteral("tree")));
}

TEST_F(StartupSequenceTest, UnwritableSettingsAreReportedAndStartGoesOn)
{
    // A file where the working folder should be: nothing can be created in it.
    QDir().mkpath(m_root.file(QStringLiteral("share")));
    QFile(m_root.file(QStringLiteral("share/FerrowCatalog"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(run(m_root.file(QStringLiteral("bin/ferrow-catalog"))),
              StartupSequence::Outcome::Ready);
    EXPECT_EQ(m_prompts.texts(QStringLiteral("error")).size(), 1);
    EXPECT_TRUE(m_settings.FirstRun);
}
