#include "app/StartupSequence.h"

#include "app/IniFile.h"
#include "app/StartupData.h"
#include "app/WorkingPaths.h"

#include <QCoreApplication>
#include <QFileInfo>

StartupEnvironment StartupEnvironment::current()
{
    return {QProcessEnvironment::systemEnvironment(), QCoreApplication::applicationFilePath()};
}

StartupSequence::StartupSequence(CatalogSettings &settings, StartupMessages &messages,
                                 UserPrompts &prompts, DesktopShell &shell, CatalogLoader &loader)
    : m_settings(settings), m_messages(messages), m_prompts(prompts), m_shell(shell),
      m_loader(loader)
{
}

StartupSequence::Outcome StartupSequence::run(const StartupEnvironment &where,
                                              const QString &baseCaption)
{
    const QString programFolder = ProgramFolderOf(where.programPath);
    m_messages.clearStartupMessages();
    m_messages.setStartupMessage(QStringLiteral("Инициализация настроек..."));
    try {
        InitWorkingPaths(m_settings, where.env, programFolder);
    } catch (const IniFileError &e) {
        // The defaults are in place; the settings dialog of this first run tries again.
        m_prompts.error(QString::fromStdString(e.what()));
    }

    const QString ownHelp = m_settings.WorkFolder + QStringLiteral("FerrowCatalog.chm");
    m_helpFile =
        QFileInfo::exists(ownHelp) ? ownHelp : programFolder + QStringLiteral("FerrowCatalog.chm");

    if (handOffToNewerCopy(where.programPath))
        return Outcome::HandedOff;

    m_messages.setStartupMessage(QStringLiteral("Инициализация данных..."));
    if (!InitData(m_settings, m_loader))
        return Outcome::MustEnd;
    m_caption = CatalogCaption(baseCaption, m_settings);

    m_messages.setStartupMessage(QStringLiteral("Инициализация дерева групп/подгрупп..."));
    m_loader.buildGroupTree();
    m_messages.setStartupMessage(QStringLiteral("ЗАПУСК..."));
    return Outcome::Ready;
}

bool StartupSequence::handOffToNewerCopy(const QString &programPath)
{
    const QString newer = m_settings.WorkFolder + newerCopyName();
    if (!QFileInfo(newer).isFile())
        return false;
    if (programPath.trimmed().toUpper() == newer.trimmed().toUpper())
        return false; // we are that copy
    // The system names the running program by its real path; a working folder reached through
    // a link must not make the copy start itself over and over.
    const QString self = QFileInfo(programPath.trimmed()).canonicalFilePath();
    if (!self.isEmpty() && self == QFileInfo(newer).canonicalFilePath())
        return false;
    if (!m_shell.startProgram(newer))
        // Ending without a word would look like a crash; still no data is loaded from here.
        m_prompts.error(
            QStringLiteral("Не удалось запустить новую версию программы %1").arg(newer));
    return true;
}
