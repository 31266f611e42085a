// What a user reads and hears of the window: the picture as a slider of beta for a screen
// reader, its description told at most once a second while it changes and once more when a
// gesture ends, the note a field shows of what was read from a text, and the list of keys.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "app/calc.h"
#include "app/flow_dialog.h"
#include "app/keys_dialog.h"
#include "app/picture_accessible.h"
#include "dialog/fields.h"
#include "res/ids.h"

namespace {

bool HasCyrillic(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    return false;
}

// An event the screen reader was sent, with the test's clock when it was sent.
struct Told {
    QAccessible::Event type;
    QObject* object;
    double value; // a value change's value
    double at;
};

class Reading : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = std::make_unique<FlowDialog>();
        dlg->SetSeed(7);
        dlg->show();
        dlg->ViewWindow().Timer().stop();
        QApplication::setActiveWindow(dlg.get());
        QApplication::processEvents();
        WatchAccessibleEvents([this](const QAccessibleEvent& e) {
            double value = NAN;
            if (e.type() == QAccessible::ValueChanged)
                value = static_cast<const QAccessibleValueChangeEvent&>(e).value().toDouble();
            told.push_back(Told{e.type(), e.object(), value, now});
        });
    }
    void TearDown() override
    {
        WatchAccessibleEvents(nullptr);
        dlg.reset();
    }

    QWidget* View() { return &dlg->ViewWindow(); }
    QAccessibleInterface* Picture() { return QAccessible::queryAccessibleInterface(View()); }

    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(pos), QPointF(View()->mapToGlobal(pos)), button, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(View(), &e);
    }

    // The times the picture's description was told to change.
    std::vector<double> DescriptionTimes() const
    {
        std::vector<double> at;
        for (const Told& t : told)
            if (t.type == QAccessible::DescriptionChanged && t.object == &dlg->ViewWindow())
                at.push_back(t.at);
        return at;
    }

    // Types text into an input field and leaves it with Tab, as a user does.
    void TypeAndLeave(ControlId id, const QString& text)
    {
        NumberEdit* e = dlg->Field(id);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Tab);
    }

    std::unique_ptr<FlowDialog> dlg;
    std::vector<Told> told;
    double now = 0.0; // the announcer's clock, when a test gives it one
};

// The picture is a slider of beta, 0 to 180 in steps of one: its value follows the keys, a
// screen reader that sets it turns the wall to that beta (the calculator's state for --beta),
// and every word it says is in the window's language.
TEST_F(Reading, ThePictureIsASliderOfBeta)
{
    QAccessibleInterface* a = Picture();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Slider);
    QAccessibleValueInterface* v = a->valueInterface();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->currentValue().toDouble(), 135.0);
    EXPECT_EQ(v->minimumValue().toDouble(), 0.0);
    EXPECT_EQ(v->maximumValue().toDouble(), 180.0);
    EXPECT_EQ(v->minimumStepSize().toDouble(), 1.0);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Картина течения"));
    EXPECT_EQ(a->text(QAccessible::Value),
              QStringLiteral("угол β = 135°, стенка повёрнута на 45°"));

    QTest::keyClick(View(), Qt::Key_Left);
    EXPECT_EQ(v->currentValue().toDouble(), 134.0);
    EXPECT_EQ(a->text(QAccessible::Value),
              QStringLiteral("угол β = 134°, стенка повёрнута на 46°"));
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back().type, QAccessible::ValueChanged) << "the screen reader is told";
    EXPECT_EQ(told.back().value, 134.0);
    QTest::keyClick(View(), Qt::Key_PageUp);
    EXPECT_EQ(v->currentValue().toDouble(), 144.0);

    Options beta150;
    beta150.beta = 150.0;
    const QJsonObject calc = CalcDocument(beta150);
    v->setCurrentValue(150);
    EXPECT_EQ(v->currentValue().toDouble(), 150.0);
    EXPECT_EQ(QString::fromStdString(dlg->Session().BetaLabel()),
              calc["labels"].toObject()["beta"].toString());
    EXPECT_EQ(QString::fromStdString(dlg->Session().ChiLabel()),
              calc["labels"].toObject()["chi"].toString());
    EXPECT_EQ(told.back().value, 150.0);

    // Beyond the range the value stops at its ends; a value that is no number changes nothing.
    v->setCurrentValue(1000.0);
    EXPECT_EQ(v->currentValue().toDouble(), 180.0);
    EXPECT_EQ(dlg->Session().BetaLabel(), "\u03B2=180");
    v->setCurrentValue(-20.0);
    EXPECT_EQ(v->currentValue().toDouble(), 0.0);
    for (const QVariant& nothing : {QVariant(QStringLiteral("abc")), QVariant(NAN), QVariant()}) {
        v->setCurrentValue(nothing);
        EXPECT_EQ(v->currentValue().toDouble(), 0.0);
    }
    v->setCurrentValue(QStringLiteral("135"));
    EXPECT_EQ(v->currentValue().toDouble(), 135.0);

    // The description: sentences, each ending with a full stop; the labels in one of their own;
    // Space and the full stop named; the pause said while the animation stands.
    const QString russian = a->text(QAccessible::Description);
    EXPECT_EQ(russian,
              QStringLiteral("Стенка повёрнута на 45°, поток — на 45°, веер шириной 31°; поток "
                             "прилегает к стенке. β=135, α=48, χ=45, Δφ=31. Пробел — "
                             "пауза, точка — один шаг."));
    QTest::keyClick(View(), Qt::Key_Space);
    EXPECT_TRUE(a->text(QAccessible::Description)
                    .contains(QStringLiteral(" Пауза: анимация остановлена. ")));

    dlg->SetLanguage(QStringLiteral("en"));
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Flow picture"));
    EXPECT_EQ(a->text(QAccessible::Value), QStringLiteral("angle β = 135°, wall turned 45°"));
    EXPECT_EQ(a->text(QAccessible::Description),
              QStringLiteral("Wall turned 45°, flow turned 45°, fan 31° wide; the flow stays "
                             "attached to the wall. β=135, α=48, χ=45, Δφ=31. Paused: the "
                             "animation is stopped. Space pauses, the full "
                             "stop steps once."));
    dlg->Session().SetInputText(ControlId::UpstreamSpeed, "100");
    dlg->Session().InputsLeft();
    EXPECT_EQ(a->text(QAccessible::Description),
              QStringLiteral("The flow is not supersonic (M1 < 1): the flow past the corner is not "
                             "computed, and the lines show the oncoming flow only. β=135. Paused: "
                             "the animation is stopped. Space pauses, the full stop steps once."));
    // Chinese sentences end with the Chinese full stop, a translated one included, never with "."
    dlg->SetLanguage(QStringLiteral("zh"));
    const QString chinese = a->text(QAccessible::Description);
    EXPECT_TRUE(chinese.endsWith(QChar(0x3002))) << chinese.toStdString();
    EXPECT_FALSE(chinese.contains(QStringLiteral("\u3002\u3002"))) << chinese.toStdString();
    EXPECT_FALSE(chinese.contains(QLatin1Char('.'))) << chinese.toStdString();
    dlg->SetLanguage(QStringLiteral("en"));
    // No word the window says in English is left in Russian: the menu, the picture, the fields.
    QStringList words;
    for (const MenuItem& item : dlg->Session().Menu()) {
        if (!item.translated) // names that stand as they are in every language
            continue;
        for (QAction* action : dlg->Menu().findChildren<QAction*>())
            if (action->data().isValid()
                && action->data().toInt() == static_cast<int>(item.command))
                words << action->text();
    }
    for (const QString& t : {a->text(QAccessible::Name), a->text(QAccessible::Value),
                             a->text(QAccessible::Description)})
        words << t;
    for (size_t i = 0; i < FieldCount(); ++i) {
        QAccessibleInterface* f = QAccessible::queryAccessibleInterface(
            dlg->Field(FieldTable()[i].id));
        words << f->text(QAccessible::Name) << f->text(QAccessible::Description);
    }
    for (const QString& w : words)
        EXPECT_FALSE(HasCyrillic(w)) << w.toStdString();
}

// A drag of thirty moves over a second and a half of its own clock: the screen reader is told
// at most once a second while it goes on, and once more at the release, with the final state.
TEST_F(Reading, ADragIsToldAtMostOnceASecondAndOnceMoreAtItsEnd)
{
    now = 10000.0;
    dlg->Announcements().SetClock([this] { return now; });
    told.clear();
    Mouse(QEvent::MouseButtonPress, {600, 383}, Qt::LeftButton, Qt::LeftButton);
    std::vector<std::string> turns;
    for (int move = 0; move < 30; ++move) {
        now += 50.0;
        // Along the picture's bottom edge, from the right to the left: a new turn every move.
        Mouse(QEvent::MouseMove, {580 - 15 * move, 383}, Qt::NoButton, Qt::LeftButton);
        turns.push_back(dlg->Session().Facts().wallDegrees);
    }
    EXPECT_NE(turns.front(), turns.back());
    const std::vector<double> during = DescriptionTimes();
    EXPECT_GE(during.size(), 1u) << "a drag that goes on is heard before it ends";
    EXPECT_LE(during.size(), 2u) << "1.5 s of moves";
    for (size_t i = 1; i < during.size(); ++i)
        EXPECT_GE(during[i] - during[i - 1], 1000.0);

    now += 50.0;
    Mouse(QEvent::MouseButtonRelease, {140, 383}, Qt::LeftButton, Qt::NoButton);
    const std::vector<double> all = DescriptionTimes();
    ASSERT_EQ(all.size(), during.size() + 1) << "the release tells the final state";
    EXPECT_EQ(all.back(), now);
    EXPECT_TRUE(Picture()
                    ->text(QAccessible::Description)
                    .startsWith(QStringLiteral("Стенка повёрнута на %1°")
                                    .arg(QString::fromStdString(turns.back()))));
    // Nothing is left waiting: time passing tells nothing more.
    now += 5000.0;
    QTest::qWait(50);
    EXPECT_EQ(DescriptionTimes().size(), all.size());
}

// A run of keys ends when no key came for a while: its final state is told then. A change
// outside a gesture that comes too soon is told when its second is over.
TEST_F(Reading, ARunOfKeysAndATypedInputAreToldWhenTheirTimeComes)
{
    now = 20000.0;
    dlg->Announcements().SetClock([this] { return now; });
    told.clear();
    for (int key = 0; key < 5; ++key) {
        now += 100.0;
        QTest::keyClick(View(), Qt::Key_Left);
    }
    EXPECT_EQ(DescriptionTimes().size(), 1u) << "the first key is heard at once, the rest wait";
    QTest::qWait(Announcer::kKeyRunEndsMs + 200);
    EXPECT_EQ(DescriptionTimes().size(), 2u) << "the run's end tells its final state";
    EXPECT_TRUE(Picture()->text(QAccessible::Description).startsWith("Стенка повёрнута на 50°"));

    // An input typed and left: told at once if the last telling is a second old, else when the
    // second is over.
    now += 2000.0;
    TypeAndLeave(ControlId::UpstreamSpeed, QStringLiteral("600"));
    EXPECT_EQ(DescriptionTimes().size(), 3u);
    now += 200.0;
    TypeAndLeave(ControlId::UpstreamSpeed, QStringLiteral("700"));
    EXPECT_EQ(DescriptionTimes().size(), 3u) << "within the second";
    now += 800.0;
    QTest::qWait(1100);
    ASSERT_EQ(DescriptionTimes().size(), 4u) << "told when the second is over";
    EXPECT_EQ(DescriptionTimes().back(), now);
}

// A text not in the program's own form gets a note of what was read, in grey on the field's
// lower edge below the typed line, and in the field's words for a screen reader; the note goes
// when the field holds a text in the program's own form again, and while the user types.
TEST_F(Reading, AFieldNotesWhatWasReadFromItsText)
{
    NumberEdit* v1 = dlg->Field(ControlId::UpstreamSpeed);
    const QString role = v1->accessibleDescription();
    ASSERT_FALSE(role.isEmpty());
    const QRect below = dlg->Field(ControlId::UpstreamTemperature)->geometry();
    const struct {
        const char* typed;
        const char* read; // "" for a text in the program's own form
    } cases[] = {{"450,5", "450.5"}, {"100 000", "100000"}, {"100,000", "100"},
                 {"450abc", "450"},  {"abc", "0"},          {"450", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        TypeAndLeave(ControlId::UpstreamSpeed, QString::fromUtf8(c.typed));
        const QString read = QString::fromUtf8(c.read);
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(v1);
        if (read.isEmpty()) {
            EXPECT_EQ(v1->ShownNote(), QString());
            EXPECT_EQ(a->text(QAccessible::Description), role);
            EXPECT_TRUE(v1->NoteGeometry().isEmpty());
            continue;
        }
        EXPECT_EQ(v1->ShownNote(), QStringLiteral("→") + read);
        EXPECT_EQ(a->text(QAccessible::Description),
                  role + QStringLiteral(" Прочитано: ") + read + QLatin1Char('.'));
        EXPECT_EQ(v1->toolTip(), QStringLiteral("прочитано: ") + read);

        // Where it is: at the field's right end, reaching no further than the field and not
        // into the field below it, under every pixel of the typed text.
        const QRect note = v1->NoteGeometry();
        const QRect field = v1->geometry();
        EXPECT_GE(note.left(), field.left());
        EXPECT_LE(note.right(), field.right());
        EXPECT_LT(note.bottom(), below.top());
        const QImage typed = v1->grab().toImage(); // the field alone, without the note
        int lowestInk = -1;
        for (int y = 3; y < typed.height() - 3; ++y)
            for (int x = 3; x < typed.width() - 3; ++x)
                if (qGray(typed.pixel(x, y)) < 160)
                    lowestInk = std::max(lowestInk, y);
        ASSERT_GE(lowestInk, 0) << "the typed text is drawn";
        EXPECT_LT(lowestInk + field.top(), note.top()) << "the note covers the typed text";
        // And it is drawn: grey ink in its place in the window.
        const QImage window = dlg->grab().toImage();
        int ink = 0;
        for (int y = note.top(); y <= note.bottom(); ++y)
            for (int x = note.left(); x <= note.right(); ++x)
                ink += qGray(window.pixel(x, y)) < 200;
        EXPECT_GT(ink, 10);
    }

    // Typing hides the note until the field is read again.
    TypeAndLeave(ControlId::UpstreamSpeed, QStringLiteral("450,5"));
    ASSERT_FALSE(v1->ShownNote().isEmpty());
    v1->setFocus();
    QTest::keyClick(v1, Qt::Key_Backspace);
    EXPECT_EQ(v1->ShownNote(), QString());
    QTest::keyClick(v1, Qt::Key_5);
    EXPECT_EQ(v1->ShownNote(), QStringLiteral("→450.5")) << "the text it was read from";
    // It stands beside the field in the dialog, and goes and comes with the field.
    v1->hide();
    EXPECT_EQ(v1->ShownNote(), QString());
    v1->show();
    EXPECT_EQ(v1->ShownNote(), QStringLiteral("→450.5"));

    dlg->SetLanguage(QStringLiteral("en"));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(v1)
                    ->text(QAccessible::Description)
                    .endsWith(QStringLiteral(" Read as 450.5.")));
    EXPECT_EQ(v1->toolTip(), QStringLiteral("read as 450.5"));
}

// The menu's "Keys…" lists every key the picture answers, in the window's language.
TEST_F(Reading, TheMenuListsThePicturesKeys)
{
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "en" : "ru");
        dlg->MenuCommandChosen(Command::Language,
                               english ? QStringLiteral("en") : QStringLiteral("ru"));
        QAction* item = nullptr;
        for (QAction* a : dlg->Menu().actions())
            if (a->data().isValid() && a->data().toInt() == static_cast<int>(Command::Keys))
                item = a;
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), english ? QStringLiteral("Keys…") : QStringLiteral("Клавиши…"));

        int opened = 0;
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* keys = dynamic_cast<KeysDialog*>(QApplication::activeModalWidget());
            if (!keys)
                return;
            ++opened;
            EXPECT_EQ(keys->Rows().size(), FlowSession::PictureKeys().size());
            QStringList shown;
            for (const KeysDialog::Row& row : keys->Rows()) {
                shown << row.keys->text() << row.words->text();
                EXPECT_TRUE(keys->rect().contains(row.words->geometry())) << "cut off";
                EXPECT_EQ(HasCyrillic(row.words->text()), !english)
                    << row.words->text().toStdString();
                if (english) {
                    EXPECT_FALSE(HasCyrillic(row.keys->text())) << row.keys->text().toStdString();
                }
            }
            EXPECT_EQ(HasCyrillic(keys->windowTitle()), !english);
            const int step = static_cast<int>(shown.indexOf(QStringLiteral(".")));
            ASSERT_GT(step, 0);
            EXPECT_EQ(shown[step + 1], english ? QStringLiteral("one step of the animation")
                                               : QStringLiteral("один шаг анимации"));
            keys->reject();
        });
        closer.start();
        item->trigger();
        QApplication::processEvents();
        EXPECT_EQ(opened, 1);
    }
}

} // namespace
