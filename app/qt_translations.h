#pragma once
// The words of the window in its language. The program's own words come from the core's one
// translator (the table of languages, dialog/languages.h), which ProgramWords hands to Qt's
// tr() and translate(); the toolkit's own words (a file dialog's "Save", "Cancel", "File name",
// a message box's buttons) from the translations the system installs beside Qt (Debian:
// qt6-translations-l10n).
#include <QString>
#include <QTranslator>

struct Language;

// The program's words in one language of the table, for Qt: the core's translation of a source
// in its context, nothing where the core has none (Qt then shows the source).
class ProgramWords : public QTranslator {
public:
    explicit ProgramWords(const Language& language, QObject* parent = nullptr);
    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override;

private:
    const Language* language_;
};

// Installs the program's words for the language with this code in place of those installed
// before (an unknown code is the program's own language, which installs none); every window
// hears a LanguageChange. Needs a running QCoreApplication.
void InstallProgramWords(const QString& code);
// The language whose words are installed (the program's own before any).
const Language& ProgramWordsLanguage();

// Installs the toolkit's words for the language with this code in the table of languages
// ("ru", "de", "zh", ...) in place of those installed before. An unknown code counts as the
// program's own language. False when the system has no translation for the language: the toolkit
// then speaks English. Needs a running QCoreApplication.
bool InstallQtTranslations(const QString& code);
