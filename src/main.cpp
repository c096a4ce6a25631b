#include "app/CatalogDataLoader.h"
#include "app/StartupSequence.h"
#include "ui/CatalogProgram.h"
#include "ui/FerrowApplication.h"

#include <exception>

int main(int argc, char **argv)
{
    FerrowApplication app(argc, argv);
    CatalogDataLoader loader;
    CatalogProgram program(StartupEnvironment::current(), loader);
    loader.setServices(program.settings(), program.splash(), program.prompts());
    bool started = false;
    // An error while the windows are created has no window to return to: show it and end.
    if (!FerrowApplication::runGuarded([&] { started = program.start(); }))
        return 1;
    if (!started) // a newer copy took over, or there is no catalog to show
        return 0;
    int result = 0;
    FerrowApplication::runGuarded([&] { result = QApplication::exec(); });
    return result;
}
