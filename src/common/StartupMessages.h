#pragma once

#include <QString>

// The one-line progress display of the splash window.
class StartupMessages {
public:
    virtual ~StartupMessages() = default;
    virtual void clearStartupMessages() = 0;
    // Replaces the line.
    virtual void setStartupMessage(const QString &text) = 0;
    // Adds to the end of the line.
    virtual void appendStartupMessage(const QString &text) = 0;
};

// For callers that have no splash to report to.
class NoStartupMessages : public StartupMessages {
public:
    void clearStartupMessages() override {}
    void setStartupMessage(const QString &) override {}
    void appendStartupMessage(const QString &) override {}
};
