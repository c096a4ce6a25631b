#include "ui/FerrowApplication.h"

#include "ui/MessageBoxPrompts.h"

#include <exception>

namespace {

FerrowApplication::ErrorReporter &reporter()
{
    static FerrowApplication::ErrorReporter current = [](const QString &text) {
        MessageBoxPrompts::showError(QApplication::activeWindow(), text);
    };
    return current;
}

} // namespace

FerrowApplication::FerrowApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool FerrowApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool FerrowApplication::runGuarded(const std::function<void()> &command)
{
    try {
        command();
        return true;
    } catch (const std::exception &e) {
        reportError(QString::fromUtf8(e.what()));
    } catch (...) {
        reportError(QStringLiteral("Неизвестная ошибка"));
    }
    return false;
}

void FerrowApplication::reportError(const QString &text)
{
    // A failing reporter must not take the program down with it.
    try {
        if (reporter())
            reporter()(text);
    } catch (...) {
    }
}

FerrowApplication::ErrorReporter FerrowApplication::setErrorReporter(ErrorReporter replacement)
{
    ErrorReporter previous = std::move(reporter());
    reporter() = std::move(replacement);
    return previous;
}
