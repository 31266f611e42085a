#include "app/command_line_words.h"

#include <memory>

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

#include "app/settings_store.h"
#include "app/window_start.h"
#include "dialog/languages.h"

std::string CommandLineProblemText(const StartProblem& problem, const std::string& asked)
{
    // The settings file (the language chosen last) is found by the program's names, which need
    // an application object; the translator itself is only looked up, never installed.
    static char name[] = "cornerflow";
    static char* argv[] = {name, nullptr};
    static int argc = 1;
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app = std::make_unique<QCoreApplication>(argc, argv);
    NameTheProgram();
    const SettingsStore store;
    const Language& language = WindowLanguage(asked, ReadKeptChoices(store).language);
    QTranslator translator;
    const bool loaded =
        *language.file
        && translator.load(
            QStringLiteral(":/cornerflow/i18n/%1.qm").arg(QString::fromUtf8(language.file)));
    return StartProblemText(problem, [&](const char* words) {
        const QString translated = loaded ? translator.translate("Dialog", words) : QString();
        return translated.isEmpty() ? std::string(words) : translated.toStdString();
    });
}
