#include "ui/SystemShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

bool SystemShell::openDocument(const QString &filePath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(filePath));
}

bool SystemShell::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool SystemShell::startProgram(const QString &programPath)
{
    const QFileInfo program(programPath);
    if (!program.isFile())
        return false;
    return QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
}
