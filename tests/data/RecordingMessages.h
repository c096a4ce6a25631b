#pragma once

#include "common/StartupMessages.h"

#include <QStringList>

// Keeps every state of the splash line.
class RecordingMessages : public StartupMessages {
public:
    QStringList lines;
    QString current;

    void clearStartupMessages() override { record({}); }
    void setStartupMessage(const QString &text) override { record(text); }
    void appendStartupMessage(const QString &text) override { record(current + text); }

private:
    void record(const QString &text)
    {
        current = text;
        lines << text;
    }
};
