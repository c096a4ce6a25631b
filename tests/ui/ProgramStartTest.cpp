#include "TestPaths.h"
#include "support/ScriptedPrompts.h"
#include "support/TempDir.h"
#include "ui/CatalogProgram.h"
#include "ui/SplashForm.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

StartupEnvironment cleanProfile(const TempDir &root)
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("XDG_DATA_HOME"), root.file(QStringLiteral("share")));
    env.insert(QStringLiteral("HOME"), root.file(QStringLiteral("home")));
    return {env, root.file(QStringLiteral("bin/ferrow-catalog"))};
}

} // namespace

TEST(ProgramStart, CleanProfileComesUpWithSplashMessagesInOrderAndEndsOnClose)
{
    TempDir root;
    EmptyCatalogLoader loader;
    ScriptedPrompts prompts;
    RecordingShell shell;
    CatalogProgram program(cleanProfile(root), loader, &prompts, &shell);
    QStringList lines;
    QObject::connect(&program.splash(), &TAppSplashForm::messageChanged, &program.splash(),
                     [&](const QString &line) {
                         // Each line is on the splash while start-up runs.
                         EXPECT_TRUE(program.splash().isVisible());
                         lines << line;
                     });

    // A first run opens the settings dialog once, on the first showing of the main window.
    QStringList dialogs;
    QTimer firstRun;
    firstRun.setInterval(10);
    QObject::connect(&firstRun, &QTimer::timeout, &firstRun, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            dialogs << modal->windowTitle();
            modal->close();
        }
    });
    firstRun.start();
    ASSERT_TRUE(program.start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.isEmpty(); }));
    firstRun.stop();
    EXPECT_EQ(dialogs, QStringList{QStringLiteral("Настройки")});
    EXPECT_FALSE(program.settings().FirstRun);

    const QString work = root.file(QStringLiteral("share/FerrowCatalog/"));
    EXPECT_TRUE(QFileInfo(root.file(QStringLiteral("share"))).isDir());
    EXPECT_TRUE(QFileInfo(work).isDir());
    EXPECT_TRUE(QFileInfo(work + QStringLiteral("TempPicture")).isDir());
    EXPECT_TRUE(QFileInfo::exists(work + QStringLiteral("FerrowConfig.ini")));
    EXPECT_EQ(lines, QStringList({QString(), QStringLiteral("Инициализация настроек..."),
                                  QStringLiteral("Инициализация данных..."),
                                  QStringLiteral("Инициализация дерева групп/подгрупп..."),
                                  QStringLiteral("ЗАПУСК...")}));
    EXPECT_FALSE(program.splash().isVisible());
    EXPECT_EQ(program.splash().objectName(), QStringLiteral("AppSplashForm"));
    EXPECT_EQ(program.splash().size(), QSize(401, 416));
    EXPECT_TRUE(program.splash().windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(program.splash().windowFlags() & Qt::WindowStaysOnTopHint);

    TAppMainForm *main = program.mainForm();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("ТД \"Ferrow\" Электронный каталог"));
    EXPECT_EQ(main->height(), 760);
    EXPECT_TRUE(prompts.shown.empty());

    // F1 opens the help file beside the program (the working folder has none).
    // The offscreen platform leaves the closed dialog active; a window manager would not.
    QApplication::setActiveWindow(main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_F1);
    EXPECT_EQ(shell.openedDocuments,
              QStringList({root.file(QStringLiteral("bin/FerrowCatalog.chm"))}));

    QTimer::singleShot(0, main, [main] { main->close(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(main->helpFile().isEmpty());
}

TEST(ProgramStart, NewerCopyInTheWorkingFolderEndsAtOnce)
{
    TempDir root;
    root.write(QStringLiteral("share/FerrowCatalog/Tavrin.exe"), "#!/bin/sh\n");
    EmptyCatalogLoader loader;
    ScriptedPrompts prompts;
    RecordingShell shell;
    CatalogProgram program(cleanProfile(root), loader, &prompts, &shell);
    EXPECT_FALSE(program.start());
    EXPECT_EQ(shell.startedPrograms.size(), 1);
    EXPECT_FALSE(program.splash().isVisible());
    EXPECT_FALSE(program.mainForm()->isVisible());
}

TEST(SplashForm, LineIsReplacedAppendedAndCleared)
{
    TAppSplashForm splash;
    auto *memo = splash.findChild<QLineEdit *>(QStringLiteral("Memo1"));
    ASSERT_NE(memo, nullptr);
    EXPECT_TRUE(memo->isReadOnly());
    splash.clearStartupMessages();
    splash.setStartupMessage(QStringLiteral("Загрузка данных в память..."));
    EXPECT_EQ(memo->text(), QStringLiteral("Загрузка данных в память..."));
    splash.appendStartupMessage(QStringLiteral("OK"));
    EXPECT_EQ(memo->text(), QStringLiteral("Загрузка данных в память...OK"));
    splash.setStartupMessage(QStringLiteral("ЗАПУСК..."));
    EXPECT_EQ(splash.message(), QStringLiteral("ЗАПУСК..."));
    // For a person to look at: the picture and the line as they are shown.
    splash.grab().save(QStringLiteral(FERROW_ARTIFACTS_DIR "/splash.png"));
    splash.clearStartupMessages();
    EXPECT_TRUE(memo->text().isEmpty());
}
