#include "exchange/ProgramReplacement.h"

#include "common/Clock.h"

#include <QFile>
#include <QFileInfo>

QString ProgramReplacement::dateSuffix(const Clock &clock)
{
    return clock.now().date().toString(QStringLiteral("yyyyddMM"));
}

bool ProgramReplacement::replace(const QString &newProgram, const QString &programPath,
                                 const Clock &clock)
{
    try {
        const QFileInfo candidate(newProgram);
        // A folder, a device or a link pointing who knows where is never started or renamed.
        if (!candidate.exists() || !candidate.isFile() || candidate.isSymLink() ||
            programPath.isEmpty())
            return false;
        const QString retired = programPath + dateSuffix(clock);
        const QFile::Permissions programPermissions = QFile::permissions(programPath);
        if (!QFile::rename(programPath, retired))
            return false;
        if (!QFile::rename(newProgram, programPath)) {
            QFile::rename(retired, programPath);
            return false;
        }
        // The retired program's execute bits carry over; the owner may always run it.
        const QFile::Permissions exec =
            QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther;
        const QFile::Permissions permissions = QFile::permissions(programPath) |
                                               (programPermissions & exec) | QFile::ExeOwner |
                                               QFile::ExeUser;
        QFile::setPermissions(programPath, permissions);
        return true;
    } catch (...) {
        return false;
    }
}
