// The table of languages, what the build made of each translation file, a font for each, and the
// toolkit's own words in the window's language.
#include <gtest/gtest.h>

#include <algorithm>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QTranslator>

#include "app/qt_translations.h"
#include "dialog/languages.h"

namespace {

const Language* Preferred(std::vector<std::string> tags) { return PreferredLanguage(tags); }

TEST(Languages, TheUsersFirstSpokenLanguageOpens)
{
    ASSERT_NE(FindLanguage("de"), nullptr);
    ASSERT_NE(FindLanguage("zh"), nullptr);
    EXPECT_STREQ(SourceLanguage().code, "ru");
    // Order counts, and a locale's region, encoding and modifier do not.
    EXPECT_EQ(Preferred({"fr-FR", "de-DE", "en"}), FindLanguage("de"));
    EXPECT_EQ(Preferred({"DE_at.UTF-8@euro"}), FindLanguage("de"));
    EXPECT_EQ(Preferred({"es-419", "de"}), FindLanguage("es"));
    // Chinese in simplified characters, named by region or by script; traditional is passed by.
    EXPECT_EQ(Preferred({"zh_CN.UTF-8"}), FindLanguage("zh"));
    EXPECT_EQ(Preferred({"zh-Hans-HK"}), FindLanguage("zh"));
    EXPECT_EQ(Preferred({"zh-TW", "zh-Hant", "en-US"}), FindLanguage("en"));
    // Nothing the table has: the caller falls back to the program's own language.
    EXPECT_EQ(Preferred({"C", "POSIX", "", "-", "fr"}), nullptr);
    EXPECT_EQ(FindLanguage("DE"), nullptr);
    // Asked for, then remembered, then preferred, then Russian; a code not in the table is passed over.
    const std::vector<std::string> system = {"es-ES", "de"};
    EXPECT_STREQ(OpeningLanguage("zh", "de", system).code, "zh");
    EXPECT_STREQ(OpeningLanguage("xx", "de", system).code, "de");
    EXPECT_STREQ(OpeningLanguage("", "xx", system).code, "es");
    EXPECT_STREQ(OpeningLanguage("", "", {"fr"}).code, "ru");
}

// Every row's compiled words are in the program and name the row's language, so a translation
// file the build left out cannot be listed. (Every row's label images are checked with the
// Russian ones, in the resources' tests.)
TEST(Languages, EveryLanguageHasItsCompiledWords)
{
    EXPECT_GE(LanguageCount(), 5u);
    for (const Language* l = LanguagesBegin() + 1; l != LanguagesEnd(); ++l) {
        SCOPED_TRACE(l->code);
        QTranslator words;
        ASSERT_TRUE(
            words.load(QStringLiteral(":/cornerflow/i18n/%1.qm").arg(QString::fromUtf8(l->file))));
        EXPECT_EQ(words.translate("Language", "Русский"), QString::fromUtf8(l->name));
        EXPECT_EQ(words.translate("Language", "ru"), QString::fromUtf8(l->tag));
    }
}

// Every language's own name can be drawn by an installed font: a system without a font for the
// language's script draws empty boxes, which no count of characters notices.
TEST(Languages, AnInstalledFontDrawsEveryLanguagesName)
{
    std::vector<QRawFont> fonts;
    for (const QString& family : QFontDatabase::families())
        fonts.push_back(QRawFont::fromFont(QFont(family)));
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l)
        for (uint ch : QString::fromUtf8(l->name).toUcs4())
            EXPECT_TRUE(std::any_of(fonts.begin(), fonts.end(),
                                    [ch](const QRawFont& f) { return f.supportsCharacter(ch); }))
                << l->code << ": no font has U+" << std::hex << ch;
}

// A save dialog's words, read from its widgets: the buttons and the file name's caption.
QStringList SaveDialogWords()
{
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList words;
    for (QAbstractButton* b : dialog.findChild<QDialogButtonBox*>()->buttons())
        words << b->text().remove(QLatin1Char('&'));
    words << dialog.findChild<QLabel*>(QStringLiteral("fileNameLabel"))
                 ->text()
                 .remove(QLatin1Char('&'));
    words.sort();
    return words;
}

TEST(QtTranslations, AFileDialogSpeaksTheWindowsLanguage)
{
    ASSERT_TRUE(InstallQtTranslations(QStringLiteral("en")));
    const QStringList english = SaveDialogWords();
    ASSERT_EQ(english, (QStringList{QStringLiteral("Cancel"), QStringLiteral("File name:"),
                                    QStringLiteral("Save")}));
    for (const char* code : {"ru", "de", "es", "zh"}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(InstallQtTranslations(QString::fromLatin1(code)));
        const QStringList words = SaveDialogWords();
        ASSERT_EQ(words.size(), english.size());
        for (const QString& word : words) {
            EXPECT_FALSE(english.contains(word)) << word.toStdString() << " is left in English";
            // The language's own letters: Cyrillic, Han characters, or Latin ones.
            const QString letters = QLatin1String(code) == QLatin1String("ru")
                                        ? QStringLiteral("[\\x{0400}-\\x{04ff}]")
                                    : QLatin1String(code) == QLatin1String("zh")
                                        ? QStringLiteral("[\\x{4e00}-\\x{9fff}]")
                                        : QStringLiteral("[a-zäöüßáéíóúñ]");
            EXPECT_TRUE(word.contains(QRegularExpression(letters))) << word.toStdString();
        }
    }
    // Back to English: the last language's words are taken away, not stacked under the new.
    ASSERT_TRUE(InstallQtTranslations(QStringLiteral("en")));
    EXPECT_EQ(SaveDialogWords(), english);
}

} // namespace
