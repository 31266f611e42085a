#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include "dialog/languages.h"

ProgramWords::ProgramWords(const Language& language, QObject* parent)
    : QTranslator(parent), language_(&language)
{
}

QString ProgramWords::translate(const char* context, const char* sourceText, const char*, int) const
{
    const char* words = FindTranslation(*language_, context, sourceText);
    return words ? QString::fromUtf8(words) : QString();
}

bool ProgramWords::isEmpty() const { return language_->wordCount == 0; }

namespace {
const Language* wordsLanguage = nullptr;
}

const Language& ProgramWordsLanguage() { return wordsLanguage ? *wordsLanguage : SourceLanguage(); }

void InstallProgramWords(const QString& code)
{
    // One set of words for the application's lifetime, replaced by the next language's. The
    // language is known before the windows hear of the change.
    static QPointer<ProgramWords> installed;
    const Language* row = FindLanguage(code.toStdString());
    wordsLanguage = row;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
    }
    if (!row || row->wordCount == 0)
        return; // the program's own words (taking the last away told every window)
    installed = new ProgramWords(*row, QCoreApplication::instance());
    QCoreApplication::installTranslator(installed);
}

bool InstallQtTranslations(const QString& code)
{
    // One translator for the application's lifetime: the application owns it, and a new
    // language replaces the words of the last.
    static QPointer<QTranslator> installed;
    if (installed)
        QCoreApplication::removeTranslator(installed);
    else
        installed = new QTranslator(QCoreApplication::instance());
    const Language* row = FindLanguage(code.toStdString());
    if (!row)
        row = &SourceLanguage();
    if (QString::fromUtf8(row->code) == QLatin1String("en"))
        return true; // the toolkit's own words are English
    // The language tag finds the file by the locale's names: "zh-Hans" reaches qtbase_zh_CN.qm.
    const QLocale locale(QString::fromUtf8(row->tag));
    if (!installed->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(installed);
}
