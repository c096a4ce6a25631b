#pragma once

#include <QString>

// Everything the core asks of the user. The windows answer with message boxes and dialogs,
// the tests with scripted answers.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // Confirmation box "Подтверждение" with "&Yes" and "&No"; true for Yes.
    virtual bool confirm(const QString &text) = 0;
    // Information box "Информация" with "OK".
    virtual void info(const QString &text) = 0;
    // Error box "Ошибка" with "OK".
    virtual void error(const QString &text) = 0;
    // Plain box with the application title and "OK".
    virtual void message(const QString &text) = 0;
    // Save-file dialog; an empty result means the user cancelled.
    virtual QString askSaveFileName(const QString &caption, const QString &defaultName,
                                    const QString &filter, const QString &defaultExtension) = 0;
};
