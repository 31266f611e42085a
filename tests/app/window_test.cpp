// The window as a class uses it, in one process: nothing it does may print a message (Qt's
// warnings go to stderr, where a user sees them), and the About box speaks the window's
// language.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include "app/about_dialog.h"
#include "app/calc.h"
#include "app/flow_dialog.h"
#include "app/modes.h"
#include "app/options.h"
#include "app/window_start.h"
#include "dialog/fields.h"
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
    "A program that builds a visual model of supersonic flow round an obtuse corner");

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
        for (Command command :
             {Command::Pause, Command::Step, Command::Step, Command::Pause, Command::Reset,
              Command::Plot, Command::ExactTheory, Command::English, Command::Reset,
              Command::Russian, Command::ExactTheory, Command::Plot})
            dlg->MenuCommandChosen(command);
        QTest::qWait(200);
        EXPECT_EQ(WithAboutBox([&] { dlg->MenuCommandChosen(Command::About); }), 1);
        EXPECT_EQ(ModalsOpenedBy([&] { dlg->MenuCommandChosen(Command::Keys); }), 1);
        dlg->MenuCommandChosen(Command::English);
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
        dlg->MenuCommandChosen(Command::Russian);
        dlg->MenuCommandChosen(Command::Close);
        QApplication::processEvents();
    }
    std::string all;
    for (const std::string& line : messages.Lines())
        all += "\n  " + line;
    EXPECT_TRUE(messages.Lines().empty()) << messages.Lines().size() << " messages:" << all;
}

// After Language -> English the About box shows the English title from the translation file;
// back in Russian, the Russian one. Every other text of the box is the same in both.
TEST_F(Window, TheAboutBoxSpeaksTheWindowsLanguage)
{
    const QString russian = QString::fromUtf8(
        res::AboutDialogTemplate().Find(ControlId::AboutTitle)->text);
    const std::unique_ptr<FlowDialog> dlg = Open();
    std::vector<QString> texts[2];
    for (int english : {1, 0}) {
        dlg->MenuCommandChosen(english ? Command::English : Command::Russian);
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
    EXPECT_EQ(texts[0], texts[1]);
    for (const QString& t : texts[1])
        EXPECT_FALSE(HasCyrillic(t)) << t.toStdString();
}

// An About box that is open when the language changes follows it.
TEST_F(Window, AnOpenAboutBoxFollowsALanguageChange)
{
    const QString russian = QString::fromUtf8(
        res::AboutDialogTemplate().Find(ControlId::AboutTitle)->text);
    AboutDialog about;
    about.show();
    EXPECT_EQ(LabelText(about, ControlId::AboutTitle), russian);
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral(":/cornerflow/i18n/cornerflow_en.qm")));
    QCoreApplication::installTranslator(&english);
    QApplication::processEvents();
    EXPECT_EQ(LabelText(about, ControlId::AboutTitle), kEnglishTitle);
    EXPECT_TRUE(TitleFitsTwoLines(about));
    QCoreApplication::removeTranslator(&english);
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

    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Flow round an obtuse corner"));
    EXPECT_TRUE(dlg.Session().Paused());
    EXPECT_TRUE(dlg.Session().ExactTheory());
    // The menu, when it opens, shows the state the window started in, paused or not.
    FlowDialog running;
    StartWindow(running, ParseOptions({"--exact-theory", "--lang", "en"}).options);
    for (FlowDialog* d : {&dlg, &running}) {
        d->ShowMenu(d->mapToGlobal(QPoint(10, 10)));
        for (Command checked : {Command::Pause, Command::ExactTheory, Command::English}) {
            const bool on = checked != Command::Pause || d->Session().Paused();
            bool found = false;
            for (QAction* a : d->Menu().findChildren<QAction*>())
                if (a->data().isValid() && a->data().toInt() == static_cast<int>(checked)) {
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
