#include "support/ScriptedPrompts.h"

bool ScriptedPrompts::confirm(const QString &text)
{
    shown.push_back({QStringLiteral("confirm"), text});
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

void ScriptedPrompts::info(const QString &text)
{
    shown.push_back({QStringLiteral("info"), text});
}

void ScriptedPrompts::error(const QString &text)
{
    shown.push_back({QStringLiteral("error"), text});
}

void ScriptedPrompts::message(const QString &text)
{
    shown.push_back({QStringLiteral("message"), text});
}

QString ScriptedPrompts::askSaveFileName(const QString &caption, const QString &defaultName,
                                         const QString &, const QString &)
{
    shown.push_back({QStringLiteral("save"), caption});
    lastDefaultName = defaultName;
    if (saveFileNames.empty())
        return {};
    QString name = saveFileNames.front();
    saveFileNames.pop_front();
    return name;
}

QStringList ScriptedPrompts::texts(const QString &kind) const
{
    QStringList result;
    for (const auto &s : shown)
        if (s.kind == kind)
            result << s.text;
    return result;
}

bool RecordingShell::openDocument(const QString &filePath)
{
    openedDocuments << filePath;
    return answer;
}

bool RecordingShell::openUrl(const QString &url)
{
    openedUrls << url;
    return answer;
}

bool RecordingShell::startProgram(const QString &programPath)
{
    startedPrograms << programPath;
    return answer;
}
