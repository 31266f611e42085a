// The table of languages, what the build made of each translation file, a font for each, and the
// toolkit's own words in the window's language.
#include <gtest/gtest.h>

#include <algorithm>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QRawFont>
#include <QStringList>

#include "app/about_dialog.h"
#include "app/flow_dialog.h"
#include "app/flow_view_widget.h"
#include "app/number_edit.h"
#include "app/picture_accessible.h"
#include "app/qt_translations.h"
#include "base/text_fill.h"
#include "dialog/languages.h"
#include "dialog/words.h"
#include "res/dialog_templates.h"

namespace {

const Language* Preferred(std::vector<std::string> tags) { return PreferredLanguage(tags); }

// A language the program does not speak: the first of these the table lacks.
std::string Unspoken()
{
    for (const char* code : {"fr", "it", "pt", "nl", "pl", "sv"})
        if (!FindLanguage(code))
            return code;
    return "qaa";
}

TEST(Languages, TheUsersFirstSpokenLanguageOpens)
{
    ASSERT_NE(FindLanguage("de"), nullptr);
    ASSERT_NE(FindLanguage("zh"), nullptr);
    EXPECT_STREQ(SourceLanguage().code, "ru");
    // Order counts, and a locale's region, encoding and modifier do not.
    EXPECT_EQ(Preferred({Unspoken() + "-XX", "de-DE", "en"}), FindLanguage("de"));
    EXPECT_EQ(Preferred({"DE_at.UTF-8@euro"}), FindLanguage("de"));
    EXPECT_EQ(Preferred({"es-419", "de"}), FindLanguage("es"));
    // Chinese in simplified characters, named by region or by script; traditional is passed by.
    EXPECT_EQ(Preferred({"zh_CN.UTF-8"}), FindLanguage("zh"));
    EXPECT_EQ(Preferred({"zh-Hans-HK"}), FindLanguage("zh"));
    EXPECT_EQ(Preferred({"zh-TW", "zh-Hant", "en-US"}), FindLanguage("en"));
    // Nothing the table has: the caller falls back to the program's own language.
    EXPECT_EQ(Preferred({"C", "POSIX", "", "-", Unspoken()}), nullptr);
    EXPECT_EQ(FindLanguage("DE"), nullptr);
    // Asked for, then remembered, then preferred, then Russian; a code not in the table is passed over.
    const std::vector<std::string> system = {"es-ES", "de"};
    EXPECT_STREQ(OpeningLanguage("zh", "de", system).code, "zh");
    EXPECT_STREQ(OpeningLanguage("xx", "de", system).code, "de");
    EXPECT_STREQ(OpeningLanguage("", "xx", system).code, "es");
    EXPECT_STREQ(OpeningLanguage("", "", {Unspoken()}).code, "ru");
}

// Every row's words are in the program and name the row's language, so a translation file the
// build left out cannot be listed; the window's tr() reaches them through ProgramWords. (Every
// row's label images are checked with the Russian ones, in the resources' tests.)
TEST(Languages, EveryLanguageHasItsWords)
{
    EXPECT_GE(LanguageCount(), 5u);
    EXPECT_EQ(SourceLanguage().wordCount, 0u);
    for (const Language* l = LanguagesBegin() + 1; l != LanguagesEnd(); ++l) {
        SCOPED_TRACE(l->code);
        EXPECT_EQ(l->wordCount, LanguagesBegin()[1].wordCount);
        EXPECT_STREQ(Translate(*l, "Language", "Русский"), l->name);
        EXPECT_STREQ(Translate(*l, "Language", "ru"), l->tag);
        const ProgramWords words(*l);
        EXPECT_EQ(words.translate("Language", "Русский"), QString::fromUtf8(l->name));
        // A word the table lacks is none of the program's: Qt shows the source.
        EXPECT_TRUE(words.translate("Language", "нет такого слова").isNull());
        EXPECT_STREQ(Translate(*l, "Language", "нет такого слова"), "нет такого слова");
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
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l) {
        if (std::string(l->code) == "en")
            continue;
        SCOPED_TRACE(l->code);
        ASSERT_TRUE(InstallQtTranslations(QString::fromLatin1(l->code)));
        const QStringList words = SaveDialogWords();
        ASSERT_EQ(words.size(), english.size());
        // The language's own letters: those its own name is written in.
        const QChar::Script script = QString::fromUtf8(l->name).at(0).script();
        for (const QString& word : words) {
            EXPECT_FALSE(english.contains(word)) << word.toStdString() << " is left in English";
            EXPECT_TRUE(std::any_of(word.begin(), word.end(), [script](QChar c) {
                return c.script() == script;
            })) << word.toStdString();
        }
    }
    // Back to English: the last language's words are taken away, not stacked under the new.
    ASSERT_TRUE(InstallQtTranslations(QStringLiteral("en")));
    EXPECT_EQ(SaveDialogWords(), english);
}

// The one filler fills in one pass: a value that holds a placeholder stays as it is; a
// placeholder without a value, and a lone '%', are kept.
TEST(Languages, TheOneFillerFillsInOnePass)
{
    EXPECT_EQ(FillPlaceholders("%2 и %1, %1", {"%2", "β"}), "β и %2, %2");
    EXPECT_EQ(FillPlaceholders("100% из %3", {"a"}), "100% из %3");
    EXPECT_EQ(FillPlaceholders("%", {"a"}), "%");
}

// The one capital the core puts first in a sentence is Qt's: for every word of every language.
TEST(Languages, TheCoresCapitalIsQtsForEveryWord)
{
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l)
        for (size_t i = 0; i < l->wordCount; ++i) {
            QString qt = QString::fromUtf8(l->words[i].words);
            if (qt.isEmpty())
                continue;
            qt[0] = qt[0].toUpper();
            EXPECT_EQ(QString::fromStdString(Capitalized(l->words[i].words)), qt) << l->code;
        }
    for (const char* lower : {"β = 135°", "угол β", "ёлка", "écart", "über", "T1 ≤ 0"}) {
        QString qt = QString::fromUtf8(lower);
        qt[0] = qt[0].toUpper();
        EXPECT_EQ(QString::fromStdString(Capitalized(lower)), qt) << lower;
    }
}

// In every language of the table the window shows exactly the texts its session finished: the
// status line, the picture's description and value, each field's name and note, the gases and
// their notes, and the About box. (The page's checks hold the page to the same texts.)
TEST(Languages, TheWindowShowsTheSessionsTexts)
{
    InstallPictureAccessibility();
    FlowDialog dialog;
    dialog.SetSeed(7);
    dialog.show();
    QApplication::processEvents();
    FlowSession& session = dialog.Session();
    auto* status = dialog.findChild<QLabel*>(QStringLiteral("status"));
    auto* gases = dialog.findChild<QComboBox*>();
    ASSERT_NE(status, nullptr);
    ASSERT_NE(gases, nullptr);
    QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(&dialog.ViewWindow());
    ASSERT_NE(picture, nullptr);
    const auto q = [](const std::string& text) { return QString::fromStdString(text); };
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l) {
        SCOPED_TRACE(l->code);
        dialog.MenuCommandChosen(Command::Language, QString::fromUtf8(l->code));
        // A note on a field and on the gas: a typed comma, and gamma typed as 5/3.
        session.SetInputText(ControlId::UpstreamSpeed, "600,5");
        session.InputsLeft();
        session.ChooseGas(kOtherGasCode);
        session.ChooseGasValues("5/3", "4");
        QApplication::processEvents();
        EXPECT_EQ(status->text(), q(session.StatusText()));
        EXPECT_FALSE(status->text().isEmpty());
        EXPECT_EQ(picture->text(QAccessible::Description), q(session.DescriptionText()));
        EXPECT_EQ(picture->text(QAccessible::Value), q(session.WallSliderText()));
        NumberEdit* speed = dialog.Field(ControlId::UpstreamSpeed);
        ASSERT_NE(speed, nullptr);
        EXPECT_EQ(speed->accessibleName(), q(session.FieldName(ControlId::UpstreamSpeed)));
        EXPECT_EQ(speed->accessibleDescription(),
                  q(session.FieldDescription(ControlId::UpstreamSpeed)));
        EXPECT_EQ(speed->toolTip(), q(session.FieldNoteText(ControlId::UpstreamSpeed)));
        EXPECT_FALSE(speed->toolTip().isEmpty());
        const std::vector<FlowSession::GasItem> items = session.GasItems();
        ASSERT_EQ(gases->count(), static_cast<int>(items.size()));
        for (int i = 0; i < gases->count(); ++i)
            EXPECT_EQ(gases->itemText(i), q(items[i].name));
        EXPECT_EQ(gases->accessibleName(), q(session.GasChoiceName()));
        EXPECT_FALSE(session.GasNote().empty());
        QStringList tips;
        for (const NumberEdit* edit : dialog.findChildren<NumberEdit*>())
            tips << edit->toolTip();
        EXPECT_TRUE(tips.contains(q(session.GasNote())))
            << tips.join(QLatin1Char('|')).toStdString();
        AboutDialog about(&dialog);
        const AboutWords words = session.About(AboutShell::Desktop);
        EXPECT_EQ(about.windowTitle(), q(words.caption));
        for (const AboutText& t : words.texts) {
            QWidget* w = about.Control(t.id);
            ASSERT_NE(w, nullptr);
            const QString shown = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                           : w->property("text").toString();
            EXPECT_EQ(shown, q(t.text));
        }
        EXPECT_TRUE(words.texts.size() >= 6u);
        session.ChooseGas("air");
        session.Reset();
    }
    dialog.MenuCommandChosen(Command::Language, QStringLiteral("ru"));
}

} // namespace
