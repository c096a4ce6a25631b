#pragma once

#include "app/CatalogDataLoader.h"
#include "app/CatalogLoader.h"
#include "app/StartupSequence.h"
#include "common/CatalogSettings.h"
#include "data/Database.h"
#include "data/TableStore.h"
#include "ui/MainForm.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/SplashForm.h"
#include "ui/SystemShell.h"

#include <memory>

// The program's windows in the order they come up. The settings record and the catalog data
// live here, from the start to the end.
class CatalogProgram {
public:
    // The catalog from the working files and the exports; prompts and shell default to message
    // boxes and the desktop.
    explicit CatalogProgram(StartupEnvironment where, UserPrompts *prompts = nullptr,
                            DesktopShell *shell = nullptr);
    // The catalog data steps given by the caller (tests of the start-up alone); a loader other
    // than CatalogDataLoader leaves the tables empty.
    CatalogProgram(StartupEnvironment where, CatalogLoader &loader, UserPrompts *prompts = nullptr,
                   DesktopShell *shell = nullptr);
    ~CatalogProgram();

    // Shows the splash, creates the main window (which does the whole start-up), hides the
    // splash and shows the main window. False when the program must end at once.
    bool start();

    TAppSplashForm &splash() { return m_splash; }
    TAppMainForm *mainForm() { return m_mainForm.get(); }
    CatalogSettings &settings() { return m_settings; }
    UserPrompts &prompts() { return m_prompts; }
    Database &database();

private:
    StartupEnvironment m_where;
    MessageBoxPrompts m_ownPrompts;
    SystemShell m_ownShell;
    UserPrompts &m_prompts;
    DesktopShell &m_shell;
    CatalogSettings m_settings;
    TAppSplashForm m_splash;
    std::unique_ptr<CatalogDataLoader> m_ownLoader;
    CatalogLoader *m_loader = nullptr;
    CatalogDataLoader *m_dataLoader = nullptr;
    // Only for a loader without tables of its own.
    std::unique_ptr<CatalogDataLoader> m_emptyTables;
    std::unique_ptr<TAppMainForm> m_mainForm;
};
