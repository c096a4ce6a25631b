#pragma once

#include "app/CatalogLoader.h"
#include "common/CatalogSettings.h"
#include "common/DesktopShell.h"
#include "common/StartupMessages.h"
#include "common/UserPrompts.h"

#include <QProcessEnvironment>
#include <QString>

// Where the program runs: the environment that places the working folder and the program file.
struct StartupEnvironment {
    QProcessEnvironment env;
    QString programPath; // full path of the running program file

    static StartupEnvironment current(); // this process
};

// The GUI-free part of the main window's creation: settings, help file, hand-off to a newer
// program copy, the catalog data and the group tree, each step announced on the splash line.
class StartupSequence {
public:
    enum class Outcome {
        Ready,     // the catalog is loaded; the window goes on
        HandedOff, // a newer copy was started (or could not be); no data was loaded
        MustEnd,   // the working tables could not be loaded; the user has been told
    };

    StartupSequence(CatalogSettings &settings, StartupMessages &messages, UserPrompts &prompts,
                    DesktopShell &shell, CatalogLoader &loader);

    Outcome run(const StartupEnvironment &where, const QString &baseCaption);

    // The help file: the working folder's own, else the one beside the program.
    const QString &helpFile() const { return m_helpFile; }
    // The caption with the price date; set once the data is in place.
    const QString &caption() const { return m_caption; }

    // Name of the newer program copy in the working folder.
    static QString newerCopyName() { return QStringLiteral("Tavrin.exe"); }

private:
    bool handOffToNewerCopy(const QString &programPath);

    CatalogSettings &m_settings;
    StartupMessages &m_messages;
    UserPrompts &m_prompts;
    DesktopShell &m_shell;
    CatalogLoader &m_loader;
    QString m_helpFile;
    QString m_caption;
};
