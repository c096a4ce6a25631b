#pragma once

#include <QApplication>
#include <functional>

// The application object with the general error handling: an exception that escapes an event
// handler or a command is shown in an error box and ends that command, never the program.
class FerrowApplication : public QApplication {
public:
    using ErrorReporter = std::function<void(const QString &text)>;

    FerrowApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // Runs a command; an exception escaping it is reported. False when one did.
    static bool runGuarded(const std::function<void()> &command);
    // Shows an error through the current reporter (by default the error box).
    static void reportError(const QString &text);
    // Replaces the reporter, for tests that must not block on a modal box; returns the old one.
    static ErrorReporter setErrorReporter(ErrorReporter reporter);
};
