#pragma once

#include "app/CatalogLoader.h"
#include "app/StartupSequence.h"
#include "common/CatalogSettings.h"
#include "ui/MainForm.h"
#include "ui/MessageBoxPrompts.h"
#include "ui/SplashForm.h"
#include "ui/SystemShell.h"

#include <memory>

// The program's windows in the order they come up. The settings record lives here, from the
// start to the end.
class CatalogProgram {
public:
    // prompts and shell default to message boxes and the desktop.
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

private:
    StartupEnvironment m_where;
    CatalogLoader &m_loader;
    MessageBoxPrompts m_ownPrompts;
    SystemShell m_ownShell;
    UserPrompts &m_prompts;
    DesktopShell &m_shell;
    CatalogSettings m_settings;
    TAppSplashForm m_splash;
    std::unique_ptr<TAppMainForm> m_mainForm;
};
