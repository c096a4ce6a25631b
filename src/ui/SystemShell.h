#pragma once

#include "common/DesktopShell.h"

// Documents and addresses go to the desktop's associated applications; programs are started
// detached, so they outlive us.
class SystemShell : public DesktopShell {
public:
    bool openDocument(const QString &filePath) override;
    bool openUrl(const QString &url) override;
    bool startProgram(const QString &programPath) override;
};
