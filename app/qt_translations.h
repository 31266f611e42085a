#pragma once
// The toolkit's own words (a file dialog's "Save", "Cancel", "File name", a message box's
// buttons) in the window's language, from the translations the system installs beside Qt
// (Debian: qt6-translations-l10n).
#include <QString>

// Installs the toolkit's words for the language with this code in the table of languages
// ("ru", "de", "zh", ...) in place of those installed before. An unknown code counts as the
// program's own language. False when the system has no translation for the language: the toolkit
// then speaks English. Needs a running QCoreApplication.
bool InstallQtTranslations(const QString& code);
