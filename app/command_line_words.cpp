#include "app/command_line_words.h"

#include <memory>

#include <QCoreApplication>
#include <QString>

#include "app/settings_store.h"
#include "app/window_start.h"
#include "dialog/languages.h"

std::string CommandLineProblemText(const StartProblem& problem, const std::string& asked)
{
    // The settings file (the language chosen last) is found by the program's names, which need
    // an application object; the words come from the core's table of languages.
    static char name[] = "cornerflow";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(argc, argv);
    NameTheProgram();
    const SettingsStore store;
    const Language& language = WindowLanguage(asked, ReadKeptChoices(store).language);
    return StartProblemText(problem, [&](const char* words) {
        return std::string(Translate(language, "Dialog", words));
    });
}
