#pragma once

#include <QString>

// The system services that hand a file or address to another program.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;

    // Opens a document with its associated application; false when the system refused.
    virtual bool openDocument(const QString &filePath) = 0;
    // Opens an address such as "mailto:..." with its associated application.
    virtual bool openUrl(const QString &url) = 0;
    // Starts a program as a new process, detached, without arguments.
    virtual bool startProgram(const QString &programPath) = 0;
};
