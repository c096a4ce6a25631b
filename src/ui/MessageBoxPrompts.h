#pragma once

#include "common/UserPrompts.h"

class QWidget;

// The program's questions and messages as modal message boxes with fixed captions and buttons.
class MessageBoxPrompts : public UserPrompts {
public:
    explicit MessageBoxPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    bool confirm(const QString &text) override;
    void info(const QString &text) override;
    void error(const QString &text) override;
    void message(const QString &text) override;
    QString askSaveFileName(const QString &caption, const QString &defaultName,
                            const QString &filter, const QString &defaultExtension) override;

    // The error box, also used where no prompts object is at hand (the general error handler).
    static void showError(QWidget *parent, const QString &text);

private:
    QWidget *m_parent;
};
