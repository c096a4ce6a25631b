#pragma once

#include "common/DesktopShell.h"
#include "common/UserPrompts.h"

#include <QStringList>
#include <deque>

// Prompts answered from a script; every question and message is recorded in order.
class ScriptedPrompts : public UserPrompts {
public:
    struct Shown {
        QString kind; // "confirm", "info", "error", "message", "save"
        QString text;
    };

    std::deque<bool> confirmAnswers;   // an empty queue answers No
    std::deque<QString> saveFileNames; // an empty queue cancels
    std::vector<Shown> shown;

    bool confirm(const QString &text) override;
    void info(const QString &text) override;
    void error(const QString &text) override;
    void message(const QString &text) override;
    QString askSaveFileName(const QString &caption, const QString &defaultName,
                            const QString &filter, const QString &defaultExtension) override;

    QStringList texts(const QString &kind) const;
    QString lastDefaultName;
};

// A shell that records what it was asked to open or start.
class RecordingShell : public DesktopShell {
public:
    QStringList openedDocuments;
    QStringList openedUrls;
    QStringList startedPrograms;
    bool answer = true;

    bool openDocument(const QString &filePath) override;
    bool openUrl(const QString &url) override;
    bool startProgram(const QString &programPath) override;
};
