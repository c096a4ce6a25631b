#pragma once

#include "common/UserPrompts.h"

#include <stdexcept>

// Prompts for the benchmarks: nobody answers, and an error ends the run.
class SilentPrompts : public UserPrompts {
public:
    bool confirm(const QString &) override { return false; }
    void info(const QString &) override {}
    void error(const QString &text) override { throw std::runtime_error(text.toStdString()); }
    void message(const QString &) override {}
    QString askSaveFileName(const QString &, const QString &, const QString &,
                            const QString &) override
    {
        return {};
    }
};
