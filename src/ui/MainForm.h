#pragma once

#include "app/CatalogLoader.h"
#include "app/StartupSequence.h"
#include "common/CatalogSettings.h"
#include "common/DesktopShell.h"
#include "common/StartupMessages.h"
#include "common/UserPrompts.h"

#include <QMainWindow>

class QShortcut;

// The catalog's main window. Its creation does all of start-up's work; closing it ends the
// program.
class TAppMainForm : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        CatalogSettings &settings;
        StartupMessages &messages;
        UserPrompts &prompts;
        DesktopShell &shell;
        CatalogLoader &loader;
    };

    TAppMainForm(const Services &services, const StartupEnvironment &where,
                 QWidget *parent = nullptr);

    // Creation asked the program to end (a newer copy took over, or no working tables).
    bool endRequested() const { return m_endRequested; }
    const QString &baseCaption() const { return m_baseCaption; }
    const QString &helpFile() const { return m_helpFile; }

    // Runs when the window takes over from another non-modal window of ours: its first showing
    // and the end of a price update, never the close of a modal dialog.
    void FormActivate();
    // The help command: the help file opened with its application.
    void openHelp();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate(const StartupEnvironment &where);

    Services m_services;
    QString m_baseCaption;
    QString m_helpFile;
    QShortcut *m_helpShortcut = nullptr;
    bool m_endRequested = false;
    bool m_shown = false;
};
