#include "app/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include "dialog/languages.h"

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
