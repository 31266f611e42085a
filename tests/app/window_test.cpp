// The window as a class uses it, in one process: nothing it does may print a message (Qt's
// warnings go to stderr, where a user sees them), and the About box speaks the window's
// language.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/about_dialog.h"
#include "app/calc.h"
#include "app/flow_dialog.h"
#include "app/modes.h"
#include "app/options.h"
#include "app/qt_translations.h"
#include "app/window_start.h"
#include "dialog/fields.h"
#include "dialog/languages.h"
#include "platform/image_dc.h"
#include "res/dialog_templates.h"
#include "res/ids.h"
#include "tests/support/modal_dialogs.h"

namespace {

// Every message Qt or the program emits while the object lives, but for the headless platform
// saying what a display would do that it cannot (raise a window, grab the keyboard for a
// menu): those come from the offscreen platform the tests run on, never from a desktop, and
// are let through by their exact words there only.
class Messages {
public:
    Messages()
    {
        seen_ = &lines_;
        previous_ = qInstallMessageHandler(&Messages::Handle);
    }
    ~Messages()
    {
        qInstallMessageHandler(previous_);
        seen_ = nullptr;
    }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    static void Handle(QtMsgType, const QMessageLogContext&, const QString& text)
    {
        static const QStringList headless = {
            QStringLiteral("This plugin does not support raise()"),
            QStringLiteral("This plugin does not support grabbing the keyboard"),
            QStringLiteral("This plugin does not support propagateSizeHints()"),
        };
        if (QGuiApplication::platformName() == QLatin1String("offscreen")
            && headless.contains(text))
            return;
        if (seen_)
            seen_->push_back(text.toStdString());
    }
    static inline std::vector<std::string>* seen_ = nullptr;
    std::vector<std::string> lines_;
    QtMessageHandler previous_ = nullptr;
};

QString LabelText(AboutDialog& about, ControlId id)
{
    auto* label = qobject_cast<QLabel*>(about.Control(id));
    return label ? label->text() : QString();
}

bool HasCyrillic(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    return false;
}

// The English title as the translation file gives it.
const QString kEnglishTitle = QStringLiteral(
    "A program that builds a visual model of supersonic flow round a convex corner");

// Whether the title's text, wrapped in its label as the label draws it, fits in two lines.
bool TitleFitsTwoLines(AboutDialog& about)
{
    auto* title = qobject_cast<QLabel*>(about.Control(ControlId::AboutTitle));
    if (!title)
        return false;
    const QRect box = title->contentsRect();
    const QFontMetrics fm = title->fontMetrics();
    const QRect text = fm.boundingRect(QRect(0, 0, box.width(), 100000),
                                       Qt::TextWordWrap | title->alignment(), title->text());
    const int line = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, QStringLiteral("Xy")).height();
    return text.height() <= box.height() && text.height() < 3 * line && text.width() <= box.width();
}

class Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The remembered language goes to a folder of the test's own, not the user's.
        ASSERT_TRUE(settings_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    }
    std::unique_ptr<FlowDialog> Open()
    {
        auto d = std::make_unique<FlowDialog>();
        d->SetSeed(7);
        d->show();
        QApplication::setActiveWindow(d.get());
        QApplication::processEvents();
        return d;
    }

    QTemporaryDir settings_;
};

} // namespace

// A lesson's worth of the window: start-up and ticks, the menu opened and closed, pause, step,
// reset, both languages from the menu, and the About box opened and closed. Any message Qt
// prints (a warning about a text, a widget, a painter) is a fault a user sees on stderr.
TEST_F(Window, AClassroomTourPrintsNothing)
{
    Messages messages;
    {
        const std::unique_ptr<FlowDialog> dlg = Open();
        QTest::qWait(300); // ticks
        QTimer::singleShot(50, &dlg->Menu(), [&] { dlg->Menu().hide(); });
        dlg->ShowMenu(dlg->mapToGlobal(QPoint(100, 100)));
        QTest::qWait(100);
        const std::pair<Command, const char*> commands[] = {
            {Command::Pause, ""},       {Command::Step, ""},       {Command::Step, ""},
            {Command::Pause, ""},       {Command::Reset, ""},      {Command::Plot, ""},
            {Command::ExactTheory, ""}, {Command::Language, "en"}, {Command::Reset, ""},
            {Command::Language, "zh"},  {Command::Language, "de"}, {Command::Language, "ru"},
            {Command::ExactTheory, ""}, {Command::Plot, ""}};
        for (const auto& [command, language] : commands)
            dlg->MenuCommandChosen(command, QString::fromUtf8(language));
        QTest::qWait(200);
        EXPECT_EQ(WithAboutBox([&] { dlg->MenuCommandChosen(Command::About); }), 1);
        EXPECT_EQ(ModalsOpenedBy([&] { dlg->MenuCommandChosen(Command::Keys); }), 1);
        dlg->MenuCommandChosen(Command::Language, QStringLiteral("en"));
        EXPECT_EQ(WithAboutBox([&] { dlg->MenuCommandChosen(Command::About); }), 1);
        EXPECT_EQ(ModalsOpenedBy([&] { dlg->MenuCommandChosen(Command::Keys); }), 1);
        // Typed numbers with a note, a drag and the keys on the picture.
        dlg->Field(ControlId::UpstreamSpeed)->setText(QStringLiteral("450,5"));
        dlg->InputFieldLeft();
        QTest::mousePress(&dlg->ViewWindow(), Qt::LeftButton, Qt::NoModifier, QPoint(500, 300));
        QTest::mouseMove(&dlg->ViewWindow(), QPoint(300, 380));
        QTest::mouseRelease(&dlg->ViewWindow(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 380));
        QTest::keyClick(&dlg->ViewWindow(), Qt::Key_Left);
        QTest::qWait(600); // the run of keys ends
        dlg->MenuCommandChosen(Command::Language, QStringLiteral("ru"));
        dlg->MenuCommandChosen(Command::Close);
        QApplication::processEvents();
    }
    std::string all;
    for (const std::string& line : messages.Lines())
        all += "\n  " + line;
    EXPECT_TRUE(messages.Lines().empty()) << messages.Lines().size() << " messages:" << all;
}

// After Language -> English the About box shows the English title from the translation file;
// back in Russian, the Russian one. Every text of the box is in the window's language: the English
// ones without a Cyrillic letter, the Russian ones the table's.
TEST_F(Window, TheAboutBoxSpeaksTheWindowsLanguage)
{
    const QString russian = QString::fromUtf8(
        res::AboutDialogTemplate().Find(ControlId::AboutTitle)->text);
    const std::unique_ptr<FlowDialog> dlg = Open();
    std::vector<QString> texts[2];
    for (int english : {1, 0}) {
        dlg->MenuCommandChosen(Command::Language,
                               english ? QStringLiteral("en") : QStringLiteral("ru"));
        const int opened = WithAboutBox(
            [&] { dlg->MenuCommandChosen(Command::About); },
            [&](AboutDialog& about) {
                const QString title = LabelText(about, ControlId::AboutTitle);
                EXPECT_EQ(title, english ? kEnglishTitle : russian);
                EXPECT_TRUE(TitleFitsTwoLines(about)) << english;
                for (ControlId id : {ControlId::AboutVersion, ControlId::AboutModel,
                                     ControlId::AboutToolkit, ControlId::AboutCopyright})
                    texts[english].push_back(LabelText(about, id));
                texts[english].push_back(about.windowTitle());
            });
        EXPECT_EQ(opened, 1);
    }
    ASSERT_EQ(texts[0].size(), texts[1].size());
    for (size_t i = 0; i < texts[1].size(); ++i) {
        EXPECT_FALSE(HasCyrillic(texts[1][i])) << texts[1][i].toStdString();
        EXPECT_TRUE(HasCyrillic(texts[0][i])) << texts[0][i].toStdString();
    }
}

// An About box that is open when the language changes follows it.
TEST_F(Window, AnOpenAboutBoxFollowsALanguageChange)
{
    const QString russian = QString::fromUtf8(
        res::AboutDialogTemplate().Find(ControlId::AboutTitle)->text);
    AboutDialog about;
    about.show();
    EXPECT_EQ(LabelText(about, ControlId::AboutTitle), russian);
    InstallProgramWords(QStringLiteral("en"));
    QApplication::processEvents();
    EXPECT_EQ(LabelText(about, ControlId::AboutTitle), kEnglishTitle);
    EXPECT_TRUE(TitleFitsTwoLines(about));
    InstallProgramWords(QStringLiteral("ru"));
    QApplication::processEvents();
    EXPECT_EQ(LabelText(about, ControlId::AboutTitle), russian);
}

// The window started from the command line (the same routine the program's window runs) shows
// exactly what the calculator prints for the same inputs and wall, in the language given,
// paused, with the focus on the picture, and the picture the picture snapshot draws for the same
// seed and ticks.
TEST_F(Window, StartedFromTheCommandLineItShowsTheCalculatorsState)
{
    const ParseResult parsed = ParseOptions({"--v1", "600", "--beta", "150", "--lang", "en",
                                             "--paused", "--seed", "7", "--ticks", "40",
                                             "--exact-theory"});
    ASSERT_EQ(parsed.error, "");
    FlowDialog dlg;
    StartWindow(dlg, parsed.options);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QApplication::processEvents();

    Options calc = parsed.options;
    calc.mode = Options::Mode::Calc;
    const QJsonObject doc = CalcDocument(calc);
    const QJsonObject fields = doc["fields"].toObject();
    ASSERT_EQ(fields.size(), 9);
    for (size_t i = 0; i < FieldCount(); ++i) {
        const FieldRow& row = FieldTable()[i];
        if (fields.contains(QLatin1String(row.key))) {
            EXPECT_EQ(dlg.Field(row.id)->text(), fields[QLatin1String(row.key)].toString())
                << row.key;
        }
    }
    EXPECT_EQ(dlg.Field(ControlId::UpstreamSpeed)->text(), QStringLiteral("600"));
    const QJsonObject labels = doc["labels"].toObject();
    EXPECT_EQ(QString::fromStdString(dlg.Session().BetaLabel()), labels["beta"].toString());
    EXPECT_EQ(QString::fromStdString(dlg.Session().AlphaLabel()), labels["alpha"].toString());
    EXPECT_EQ(QString::fromStdString(dlg.Session().ChiLabel()), labels["chi"].toString());

    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Flow round a convex corner"));
    EXPECT_TRUE(dlg.Session().Paused());
    EXPECT_TRUE(dlg.Session().ExactTheory());
    // The menu, when it opens, shows the state the window started in, paused or not.
    FlowDialog running;
    StartWindow(running, ParseOptions({"--exact-theory", "--lang", "en"}).options);
    for (FlowDialog* d : {&dlg, &running}) {
        d->ShowMenu(d->mapToGlobal(QPoint(10, 10)));
        for (Command checked : {Command::Pause, Command::ExactTheory, Command::Language}) {
            const bool on = checked != Command::Pause || d->Session().Paused();
            bool found = false;
            for (QAction* a : d->Menu().findChildren<QAction*>())
                if (a->data().isValid() && a->data().toInt() == static_cast<int>(checked)
                    && (checked != Command::Language
                        || a->property("language").toString() == QLatin1String("en"))) {
                    found = true;
                    EXPECT_EQ(a->isChecked(), on) << a->text().toStdString();
                }
            EXPECT_TRUE(found) << static_cast<int>(checked);
        }
        d->Menu().hide();
    }
    EXPECT_FALSE(dlg.ViewWindow().Timer().isActive());
    EXPECT_EQ(QApplication::focusWidget(), &dlg.ViewWindow());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Options snapshot = parsed.options;
    snapshot.mode = Options::Mode::Snapshot;
    snapshot.paused = false;
    snapshot.file = dir.filePath(QStringLiteral("picture.png")).toStdString();
    ASSERT_EQ(RunSnapshot(snapshot), 0);
    EXPECT_EQ(QImage(QString::fromStdString(snapshot.file)).convertToFormat(QImage::Format_RGB32),
              ImageCopyOf(dlg.Session().Frame()).convertToFormat(QImage::Format_RGB32));
    QTest::qWait(200);
    EXPECT_EQ(ImageCopyOf(dlg.Session().Frame()).convertToFormat(QImage::Format_RGB32),
              QImage(QString::fromStdString(snapshot.file)).convertToFormat(QImage::Format_RGB32))
        << "paused: nothing moves";
}

namespace {

// The texts of a window's labels, buttons and drop-downs that run past their boxes, as each
// draws it: a wrapped label by its lines, any other text on one line beside a check box's mark,
// and every item of a drop-down in the box's text field (the gases' names with their formulas).
QStringList TextsPastTheirBoxes(const QWidget& root)
{
    QStringList past;
    for (const QWidget* w : root.findChildren<const QWidget*>()) {
        if (!w->isVisibleTo(&root))
            continue;
        const QFontMetrics fm = w->fontMetrics();
        const QRect box = w->contentsRect();
        if (const auto* label = qobject_cast<const QLabel*>(w)) {
            if (label->text().isEmpty())
                continue;
            const QRect text = fm.boundingRect(QRect(0, 0, box.width(), 100000),
                                               (label->wordWrap() ? int(Qt::TextWordWrap) : 0)
                                                   | int(label->alignment()),
                                               label->text());
            if (text.width() > box.width() || text.height() > box.height())
                past << label->text();
        } else if (const auto* choice = qobject_cast<const QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(choice);
            option.editable = choice->isEditable();
            option.frame = choice->hasFrame();
            const int room = w->style()
                                 ->subControlRect(QStyle::CC_ComboBox, &option,
                                                  QStyle::SC_ComboBoxEditField, w)
                                 .width();
            for (int i = 0; i < choice->count(); ++i)
                if (fm.horizontalAdvance(choice->itemText(i)) > room)
                    past << choice->itemText(i);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
            int room = box.width();
            if (qobject_cast<const QCheckBox*>(w))
                room -= w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w)
                        + w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
            if (fm.horizontalAdvance(button->text()) > room)
                past << button->text();
        }
    }
    return past;
}

// Latin words in a Chinese text beyond those that stand as they are in every language: names,
// the keys' own names, the fields' and units' symbols.
QStringList LatinWords(const QString& text)
{
    static const QStringList allowed = {
        "Cornerflow", "MIT",  "Qt",   "English", "Deutsch", "Espa", "ol", "V", "T",
        "P",          "M",    "Vr",   "c",       "K",       "Pa",   "kg", "m", "s",
        "PgDn",       "PgUp", "Home", "End",     "F",       "Tab",  "PNG"};
    QStringList out;
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString w = it.next().captured();
        if (!allowed.contains(w))
            out << w;
    }
    return out;
}

} // namespace

// Each language of the table from the menu: the caption, every menu item (the languages by
// their own names), the About box and a file dialog's buttons speak it, no Russian outside
// Russian and no Latin words in Chinese beyond those the Russian window shows too; and no text of
// the dialog or the About box runs past its box.
TEST_F(Window, EveryLanguageSpeaksAndFits)
{
    const std::unique_ptr<FlowDialog> dlg = Open();
    QStringList captions, cancels, russianLatin;
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l) {
        const QString code = QString::fromUtf8(l->code);
        dlg->MenuCommandChosen(Command::Language, code);
        ASSERT_EQ(dlg->Language(), code);
        dlg->ShowMenu(dlg->mapToGlobal(QPoint(10, 10)));
        QString seen = dlg->windowTitle();
        QStringList names;
        for (QAction* a : dlg->Menu().findChildren<QAction*>()) {
            if (a->property("language").toString().isEmpty())
                seen += QLatin1Char(' ') + a->text();
            else
                names << a->text();
            if (a->menu())
                seen += QLatin1Char(' ') + a->menu()->title();
        }
        dlg->Menu().hide();
        QStringList all;
        for (const Language* m = LanguagesBegin(); m != LanguagesEnd(); ++m)
            all << QString::fromUtf8(m->name);
        EXPECT_EQ(names, all) << l->code;
        for (const QLabel* label : dlg->findChildren<const QLabel*>())
            seen += QLatin1Char(' ') + label->text();
        EXPECT_EQ(TextsPastTheirBoxes(*dlg), QStringList()) << l->code;
        EXPECT_EQ(WithAboutBox([&] { dlg->MenuCommandChosen(Command::About); },
                               [&](AboutDialog& about) {
                                   EXPECT_EQ(TextsPastTheirBoxes(about), QStringList()) << l->code;
                                   for (const QLabel* label : about.findChildren<const QLabel*>())
                                       seen += QLatin1Char(' ') + label->text();
                                   seen += QLatin1Char(' ') + about.windowTitle();
                               }),
                  1);
        // The toolkit's own dialog: its buttons in the window's language.
        QFileDialog files(dlg.get());
        files.setOption(QFileDialog::DontUseNativeDialog);
        files.setAcceptMode(QFileDialog::AcceptSave);
        const auto* box = files.findChild<QDialogButtonBox*>();
        ASSERT_TRUE(box);
        const QString cancel = box->button(QDialogButtonBox::Cancel)->text();
        cancels << cancel;
        seen += QLatin1Char(' ') + cancel;
        if (code == QLatin1String("ru")) {
            // The program's own words that stand in English in every window (the system menu's
            // items, the About box's lines under its title).
            russianLatin = LatinWords(seen);
        } else {
            EXPECT_FALSE(HasCyrillic(seen)) << l->code << ": " << seen.toStdString();
        }
        if (code == QLatin1String("zh")) {
            QStringList latin = LatinWords(seen);
            latin.erase(std::remove_if(latin.begin(), latin.end(),
                                       [&](const QString& w) {
                                           // g/mol: the unit as Chinese textbooks write it
                                           return russianLatin.contains(w) || w == "g"
                                                  || w == "mol";
                                       }),
                        latin.end());
            EXPECT_EQ(latin.join(QLatin1Char(' ')).toStdString(), "") << seen.toStdString();
        }
        captions << dlg->windowTitle();
    }
    // Every language its own caption and its own word for a file dialog's Cancel.
    EXPECT_EQ(QSet<QString>(captions.begin(), captions.end()).size(), captions.size());
    EXPECT_EQ(QSet<QString>(cancels.begin(), cancels.end()).size(), cancels.size())
        << cancels.join(QLatin1Char('|')).toStdString();
}

namespace {

// The dialog's controls shown that do not lie whole inside its window, by their object names
// or their texts.
QStringList ControlsOutside(const QWidget& dlg)
{
    QStringList outside;
    for (const QWidget* w : dlg.findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisibleTo(&dlg) || w->isWindow() || dlg.rect().contains(w->geometry()))
            continue;
        const auto* label = qobject_cast<const QLabel*>(w);
        outside << (w->objectName().isEmpty() && label ? label->text() : w->objectName())
                       + QStringLiteral(" at ") + QString::number(w->geometry().bottom());
    }
    return outside;
}

} // namespace

// The status line and the gas's row (the drop-down, and "other gas"'s two fields with their
// captions) lie whole inside the window and show all their words in every language, for every
// wall from 0 to 180 degrees, with the model's flow and the exact theory's.
TEST_F(Window, TheStatusLineAndTheGasRowFitInEveryLanguage)
{
    const std::unique_ptr<FlowDialog> dlg = Open();
    auto* choice = qobject_cast<QComboBox*>(dlg->Control(ControlId::GasChoice));
    ASSERT_TRUE(choice);
    const int other = choice->findData(QString::fromUtf8(kOtherGasCode));
    ASSERT_GE(other, 0);
    choice->setCurrentIndex(other);
    emit choice->activated(other);
    ASSERT_TRUE(dlg->Control(ControlId::GasMolarMass)->isVisibleTo(dlg.get()));
    const QLabel* status = dlg->findChild<const QLabel*>(QStringLiteral("status"));
    ASSERT_TRUE(status);
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l) {
        dlg->MenuCommandChosen(Command::Language, QString::fromUtf8(l->code));
        int longest = 0;
        for (const bool exact : {false, true}) {
            dlg->Session().SetPhysics(exact ? Physics::Exact : Physics::Model);
            for (int beta = 0; beta <= 180; beta += 5) {
                dlg->Session().SetBodyAngle(beta);
                QApplication::processEvents();
                const std::string where = std::string(l->code) + (exact ? ", exact, " : ", model, ")
                                          + std::to_string(beta) + "°";
                ASSERT_FALSE(status->text().isEmpty()) << where;
                longest = std::max(longest, int(status->text().size()));
                EXPECT_EQ(ControlsOutside(*dlg).join(QLatin1Char('|')).toStdString(), "") << where;
                EXPECT_EQ(TextsPastTheirBoxes(*dlg).join(QLatin1Char('|')).toStdString(), "")
                    << where;
            }
        }
        EXPECT_GT(longest, 60) << l->code;
    }
}
