// Prints the code of the language the window would open in, decided as the program decides it:
// the argument as --lang, then the settings file's kept choice, then the system's languages
// from the environment. Run by cli_test with each environment.
#include <cstdio>

#include <QCoreApplication>

#include "app/settings_store.h"
#include "app/window_start.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    NameTheProgram();
    const SettingsStore store;
    std::puts(WindowLanguage(argc > 1 ? argv[1] : "", ReadKeptChoices(store).language).code);
    return 0;
}
