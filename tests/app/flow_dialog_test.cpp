// The main dialog as a user meets it: start-up, typing and leaving fields, the mouse and the
// keyboard on the picture, the probe read-out, the system menu and About box, layout, colours,
// closing, and how frames reach the screen.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/about_dialog.h"
#include "app/flow_dialog.h"
#include "dialog/languages.h"
#include "model/number_text.h"
#include "platform/image_dc.h"
#include "res/dialog_templates.h"
#include "res/ids.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/start_up.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

class FlowDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = std::make_unique<FlowDialog>();
        dlg->SetSeed(12345);
        dlg->show();
        dlg->ViewWindow().Timer().stop(); // ticks only when a test asks
        QApplication::setActiveWindow(dlg.get());
        QApplication::processEvents();
    }
    void TearDown() override { dlg.reset(); }

    std::string Text(ControlId id) { return dlg->Field(id)->text().toStdString(); }
    QWidget* View() { return &dlg->ViewWindow(); }

    void Mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(pos), QPointF(View()->mapToGlobal(pos)), button, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(View(), &e);
    }
    void Press(QPoint p) { Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void Drag(QPoint p) { Mouse(QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void Hover(QPoint p) { Mouse(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton); }
    void Release(QPoint p) { Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }

    // Types text into an input field that has the focus, replacing what it held.
    void Type(ControlId id, const QString& text)
    {
        NumberEdit* e = dlg->Field(id);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClicks(e, text);
    }

    // Sum of every tracer's position: changes whenever the tracers take a step.
    double TracerSum()
    {
        double s = 0;
        for (const Tracer& t : dlg->Session().Field().tracers)
            s += t.x + 3 * t.y;
        return s;
    }

    std::unique_ptr<FlowDialog> dlg;
    // What the dialog's session holds, as it holds it.
    const FlowState& fs() { return dlg->Session().State(); }
    const Corner& corner() { return dlg->Session().Geometry(); }
};

TEST_F(FlowDialogTest, StartUpShowsTheStateOfT1Equal273)
{
    const std::pair<ControlId, const char*> expected[] = {
        {ControlId::UpstreamSpeed, "450.0"},       {ControlId::UpstreamTemperature, "273.0"},
        {ControlId::UpstreamPressure, "100000"},   {ControlId::UpstreamDensity, "1.234"},
        {ControlId::UpstreamSoundSpeed, "336.9"},  {ControlId::UpstreamMach, "1.336"},
        {ControlId::UpstreamVolume, "0.811"},      {ControlId::CriticalSpeed, "358.2"},
        {ControlId::CriticalTemperature, "308.7"}, {ControlId::CriticalPressure, "124579"},
        {ControlId::CriticalDensity, "1.443"},     {ControlId::CriticalVolume, "0.693"},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(Text(id), text) << "field " << id;
    for (ControlId id :
         {ControlId::ProbeTemperature, ControlId::ProbePressure, ControlId::ProbeDensity,
          ControlId::ProbeSoundSpeed, ControlId::ProbeMach, ControlId::ProbeVolume,
          ControlId::ProbeSpeed, ControlId::ProbeSpeedPhi, ControlId::ProbeSpeedR})
        EXPECT_EQ(Text(id), "0.000") << "probe field " << id;
    EXPECT_DOUBLE_EQ(fs().t1, 273.0);
    EXPECT_DOUBLE_EQ(fs().v1, 450.0);
    EXPECT_DOUBLE_EQ(fs().gamma, 1.4);
    EXPECT_DOUBLE_EQ(fs().molarMass, 28.0);
    EXPECT_NEAR(fs().machAngle, 0.845971, 1e-6);
    EXPECT_EQ(dlg->Session().Field().tracers.count, 5000);
    EXPECT_EQ(corner().top, 192);
    EXPECT_EQ(corner().width, start::kWidth);
    EXPECT_DOUBLE_EQ(corner().wallAngle, start::kWall);
    EXPECT_EQ(QApplication::focusWidget(), View());
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Обтекание тупого угла"));
    EXPECT_FALSE(dlg->windowIcon().isNull());
}

TEST_F(FlowDialogTest, LeavingAFieldRecomputesFromAllThreeTypedTexts)
{
    // "1 m/s" reads as 1: the state for V1 = 1 m/s, a subsonic flow.
    Type(ControlId::UpstreamSpeed, QStringLiteral("1 m/s"));
    EXPECT_EQ(Text(ControlId::UpstreamMach), "1.336") << "typing alone must not recompute";
    QTest::keyClick(dlg->Field(ControlId::UpstreamSpeed), Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), dlg->Field(ControlId::UpstreamSpeed));
    EXPECT_EQ(Text(ControlId::UpstreamSpeed), "1 m/s") << "the typed text stays as typed";
    EXPECT_DOUBLE_EQ(fs().v1, 1.0);
    EXPECT_EQ(Text(ControlId::UpstreamMach), "0.003");
    EXPECT_EQ(Text(ControlId::UpstreamSoundSpeed), "336.9");
    EXPECT_EQ(Text(ControlId::UpstreamDensity), "1.234");
    EXPECT_EQ(Text(ControlId::CriticalSpeed), "307.5");
    EXPECT_EQ(Text(ControlId::CriticalTemperature), "227.5");
    EXPECT_EQ(Text(ControlId::CriticalPressure), "60009");
    EXPECT_EQ(Text(ControlId::CriticalDensity), "0.857");
    EXPECT_TRUE(std::isnan(fs().machAngle));
    // The probe of a subsonic flow shows the upstream state.
    Hover({100, 50});
    EXPECT_EQ(Text(ControlId::ProbeTemperature), "273.0");
    EXPECT_EQ(Text(ControlId::ProbeSpeedPhi), "1.000");
    EXPECT_EQ(Text(ControlId::ProbeMach), "0.003");

    // Enter neither closes nor recomputes.
    Type(ControlId::UpstreamSpeed, QStringLiteral("500"));
    QTest::keyClick(dlg->Field(ControlId::UpstreamSpeed), Qt::Key_Return);
    QTest::keyClick(dlg->Field(ControlId::UpstreamSpeed), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_DOUBLE_EQ(fs().v1, 1.0);
    EXPECT_EQ(Text(ControlId::UpstreamMach), "0.003");
    // A click elsewhere is a focus loss too.
    QTest::mouseClick(dlg->Field(ControlId::ProbeTemperature), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(fs().v1, 500.0);
    EXPECT_EQ(Text(ControlId::UpstreamMach), "1.484");
    EXPECT_EQ(Text(ControlId::CriticalSpeed), "369.1");
}

TEST_F(FlowDialogTest, EveryFocusLossReasonRecomputesAndThePopulationFollowsP1)
{
    dlg->Field(ControlId::UpstreamPressure)->setText(QStringLiteral("50000"));
    QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(dlg->Field(ControlId::UpstreamPressure), &deactivated);
    EXPECT_EQ(dlg->Session().Field().tracers.count, 2500);
    EXPECT_EQ(Text(ControlId::UpstreamDensity), "0.617");

    // Less than 20 Pa more keeps the count; leaving another field reads P1 as well.
    dlg->Field(ControlId::UpstreamPressure)->setText(QStringLiteral("50019"));
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(dlg->Field(ControlId::UpstreamTemperature), &popup);
    EXPECT_EQ(dlg->Session().Field().tracers.count, 2500);
    EXPECT_DOUBLE_EQ(fs().p1, 50019.0);

    // A read-only field's focus loss is not an input change.
    dlg->Field(ControlId::UpstreamPressure)->setText(QStringLiteral("100000"));
    QFocusEvent other(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(dlg->Field(ControlId::UpstreamDensity), &other);
    EXPECT_DOUBLE_EQ(fs().p1, 50019.0);
}

TEST_F(FlowDialogTest, NothingTypedBreaksTheDialog)
{
    const char* texts[][3] = {
        {"1e400", "-5", "0"},    {"-1e400", "0", "-1e300"},  {"", "", ""},
        {"nan", "inf", "0x1p3"}, {"1e-320", "1e308", "1e9"},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t[0]);
        dlg->Field(ControlId::UpstreamSpeed)->setText(QString::fromUtf8(t[0]));
        dlg->Field(ControlId::UpstreamTemperature)->setText(QString::fromUtf8(t[1]));
        dlg->Field(ControlId::UpstreamPressure)->setText(QString::fromUtf8(t[2]));
        dlg->InputFieldLeft();
        EXPECT_FALSE(dlg->Field(ControlId::UpstreamMach)->text().isEmpty());
        EXPECT_LE(dlg->Session().Field().tracers.count, 100000);
        Press({400, 300});
        Drag({-100000, 2000000});
        Release({5, 5});
        Hover({600, 380});
        dlg->Session().StepOnce();
        View()->repaint();
    }
}

TEST_F(FlowDialogTest, PressAndDragTurnTheWallEvenOutsideThePicture)
{
    Press({311, 300}); // straight below the corner point (311, 192)
    EXPECT_DOUBLE_EQ(corner().wallAngle, 0.0);
    EXPECT_EQ(corner().BetaLabel(), "\u03B2=90");
    EXPECT_TRUE(dlg->Session().Dragging());
    EXPECT_GT(dlg->Session().FrameCount(), 1u) << "the press redraws";

    Drag({-50, 600}); // outside the picture, button still held
    EXPECT_NEAR(corner().wallAngle, std::atan2(-361.0, 408.0), 1e-12);
    Release({-50, 600});
    EXPECT_FALSE(dlg->Session().Dragging());

    const double wall = corner().wallAngle;
    for (QPoint p : {QPoint(400, 300), QPoint(-5, -5), QPoint(700, 500), QPoint(311, 383)})
        Hover(p);
    EXPECT_DOUBLE_EQ(corner().wallAngle, wall) << "a move without the button never turns the wall";

    // Other buttons do not turn the wall.
    Mouse(QEvent::MouseButtonPress, {500, 300}, Qt::RightButton, Qt::RightButton);
    EXPECT_DOUBLE_EQ(corner().wallAngle, wall);
    EXPECT_FALSE(dlg->Session().Dragging());
    Mouse(QEvent::MouseButtonRelease, {500, 300}, Qt::RightButton, Qt::NoButton);

    // A drag whose release went elsewhere ends at the next move without the button.
    Press({500, 300});
    const double pressed = corner().wallAngle;
    Hover({200, 380});
    EXPECT_FALSE(dlg->Session().Dragging());
    EXPECT_DOUBLE_EQ(corner().wallAngle, pressed);
}

TEST_F(FlowDialogTest, MovesFillTheProbeFieldsBeforeTheyReturn)
{
    Hover({100, 50}); // upstream of the first characteristic
    const std::pair<ControlId, const char*> upstream[] = {
        {ControlId::ProbeTemperature, "273.0"}, {ControlId::ProbePressure, "100000"},
        {ControlId::ProbeDensity, "1.234"},     {ControlId::ProbeSoundSpeed, "336.9"},
        {ControlId::ProbeMach, "1.336"},        {ControlId::ProbeVolume, "0.811"},
        {ControlId::ProbeSpeed, "450.0"},       {ControlId::ProbeSpeedPhi, "450.0"},
        {ControlId::ProbeSpeedR, "0.000"},
    };
    for (const auto& [id, text] : upstream)
        EXPECT_EQ(Text(id), text) << "field " << id;

    Hover({600, 380}); // far right and below: past the fan
    const std::pair<ControlId, const char*> downstream[] = {
        {ControlId::ProbeTemperature, "260.2"}, {ControlId::ProbeDensity, "1.094"},
        {ControlId::ProbeSoundSpeed, "328.9"},  {ControlId::ProbeMach, "1.521"},
        {ControlId::ProbeVolume, "0.914"},      {ControlId::ProbeSpeed, "500.1"},
        {ControlId::ProbeSpeedPhi, "439.3"},    {ControlId::ProbeSpeedR, "239.0"},
    };
    for (const auto& [id, text] : downstream)
        EXPECT_EQ(Text(id), text) << "field " << id;
    EXPECT_NEAR(ReadNumber(Text(ControlId::ProbePressure)), 84488.5, 1.0);
    EXPECT_DOUBLE_EQ(corner().wallAngle, start::kWall);
}

TEST_F(FlowDialogTest, ArrowKeysTurnTheWallByOneDegreeWithinTheDragRange)
{
    ASSERT_EQ(QApplication::focusWidget(), View());
    const double oneDegree = kPi / 180.0;
    const double end = fs().fanEndAngle;
    const unsigned long frames = dlg->Session().FrameCount();
    QTest::keyClick(View(), Qt::Key_Right);
    EXPECT_NEAR(corner().wallAngle, start::kWall + oneDegree, 1e-12);
    EXPECT_EQ(dlg->Session().FrameCount(), frames + 1);
    EXPECT_GT(fs().fanEndAngle, end) << "less turning: the fan ends higher";
    QTest::keyClick(View(), Qt::Key_Left);
    QTest::keyClick(View(), Qt::Key_Left);
    EXPECT_NEAR(corner().wallAngle, start::kWall - oneDegree, 1e-12);
    EXPECT_EQ(corner().BetaLabel(), "\u03B2=134");

    const double top = std::atan(20.0 * start::kWidth);
    dlg->Session().SetWallAngle(top - 0.1 * oneDegree);
    QTest::keyClick(View(), Qt::Key_Right);
    EXPECT_DOUBLE_EQ(corner().wallAngle, top);
    QTest::keyClick(View(), Qt::Key_Right);
    EXPECT_DOUBLE_EQ(corner().wallAngle, top);

    dlg->Session().SetWallAngle(-kPi / 2 + 0.5 * oneDegree);
    QTest::keyClick(View(), Qt::Key_Left);
    EXPECT_GT(corner().wallAngle, -kPi / 2);
    EXPECT_DOUBLE_EQ(corner().wallAngle, -top);
}

TEST_F(FlowDialogTest, SystemMenuAndAboutBox)
{
    const QList<QAction*> items = dlg->Menu().actions();
    ASSERT_GE(items.size(), 3); // Close and About first; the classroom's items follow
    EXPECT_EQ(items[0]->text(), QStringLiteral("Закрыть")); // the menu in the window's language
    EXPECT_EQ(items[0]->data().toInt(), static_cast<int>(Command::Close));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), QStringLiteral("&О программе Cornerflow…"));
    EXPECT_EQ(items[2]->data().toInt(), static_cast<int>(Command::About));

    QString caption;
    EXPECT_EQ(WithAboutBox([&] { dlg->MenuCommandChosen(Command::About); },
                           [&](AboutDialog& about) { caption = about.windowTitle(); }),
              1);
    EXPECT_EQ(caption, QStringLiteral("О программе Cornerflow")); // the window speaks Russian
    EXPECT_EQ(WithAboutBox([&] { items[2]->trigger(); }), 1);
    EXPECT_EQ(WithAboutBox([&] { dlg->MenuCommandChosen(Command::Pause); }), 0);
    EXPECT_TRUE(dlg->isVisible());

    // Right click on the background and Alt+Space open the menu.
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, {300, 5},
                                 dlg->mapToGlobal(QPoint(300, 5)));
    QApplication::sendEvent(dlg.get(), &rightClick);
    EXPECT_TRUE(dlg->Menu().isVisible());
    dlg->Menu().hide();
    QApplication::setActiveWindow(dlg.get()); // the About boxes had the activation
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space, Qt::AltModifier);
    EXPECT_TRUE(dlg->Menu().isVisible());
    dlg->Menu().hide();
    // The picture has no menu.
    QContextMenuEvent onPicture(QContextMenuEvent::Mouse, {300, 100},
                                View()->mapToGlobal(QPoint(300, 100)));
    QApplication::sendEvent(View(), &onPicture);
    EXPECT_FALSE(dlg->Menu().isVisible());
}

// The menu opens the teacher's guide in the window's language where the program's documents have
// one (a guide joins by being there), and the English one for a language without.
TEST_F(FlowDialogTest, TheGuideInTheWindowsLanguage)
{
    bool listed = false;
    for (const QAction* a : dlg->Menu().actions())
        listed = listed || a->data().toInt() == static_cast<int>(Command::Guide);
    EXPECT_TRUE(listed);
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l) {
        const QString file = QStringLiteral("teaching.%1.md").arg(QString::fromLatin1(l->code));
        const QString path = FlowDialog::GuidePath(file.toStdString());
        ASSERT_TRUE(QFileInfo::exists(path)) << l->code;
        const bool own = QFileInfo::exists(QFileInfo(path).dir().filePath(file));
        EXPECT_TRUE(path.endsWith(own ? file : QStringLiteral("teaching.en.md"))) << l->code;
        // The languages of the table that have one: the program's own and English at least.
        if (l == LanguagesBegin() || std::string(l->code) == "en") {
            EXPECT_TRUE(own) << l->code;
        }
    }
    EXPECT_TRUE(FlowDialog::GuidePath("teaching.xx.md").endsWith(QStringLiteral("teaching.en.md")));
}

TEST(AboutDialog, LayoutAndTexts)
{
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе Cornerflow"));
    EXPECT_EQ(about.size(), QSize(495, 190));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    auto* ok = dynamic_cast<QPushButton*>(about.Control(ControlId::AboutOk));
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->geometry(), QRect(409, 11, 75, 26));
    auto* icon = dynamic_cast<QLabel*>(about.Control(ControlId::AboutIcon));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->geometry(), QRect(13, 19, 32, 32));
    auto* title = dynamic_cast<QLabel*>(about.Control(ControlId::AboutTitle));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), QStringLiteral("Программа построения визуальной модели процесса "
                                            "обтекания тупого угла сверхзвуковым потоком"));
    EXPECT_TRUE(title->alignment() & Qt::AlignHCenter);
    auto* version = dynamic_cast<QLabel*>(about.Control(ControlId::AboutVersion));
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(version->text().contains(QStringLiteral("1.0.0.1")));
    for (ControlId id : {ControlId::AboutModel, ControlId::AboutToolkit, ControlId::AboutCopyright})
        EXPECT_NE(about.Control(id), nullptr) << id;
    ASSERT_NE(about.PhysicsNote(), nullptr); // the flow the picture follows, inside the box
    EXPECT_TRUE(about.PhysicsNote()->text().contains(QStringLiteral("точной теории")));
    EXPECT_TRUE(QRect(QPoint(), about.size()).contains(about.PhysicsNote()->geometry()));

    about.show();
    QTest::keyClick(ok, Qt::Key_Return);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST(AboutDialog, TitleShowsWholeInTwoLines)
{
    // The title is laid out in its label as the label draws it: word-wrapped in the label's
    // width with the label's own font. All of it must lie inside the label (a third line
    // below it is cut through the middle) in at most two lines.
    AboutDialog about;
    about.show();
    auto* title = dynamic_cast<QLabel*>(about.Control(ControlId::AboutTitle));
    ASSERT_NE(title, nullptr);
    const QRect box = title->contentsRect();
    const QFontMetrics fm = title->fontMetrics();
    const QRect text = fm.boundingRect(QRect(0, 0, box.width(), 100000),
                                       Qt::TextWordWrap | title->alignment(), title->text());
    // One laid-out line, as tall as each line of the wrapped text.
    const int line = fm.boundingRect(QRect(0, 0, 100000, 100000), 0, QStringLiteral("Xy")).height();
    const QFontInfo used(title->font());
    const QString font = used.family() + QLatin1Char(' ') + QString::number(used.pointSizeF())
                         + QStringLiteral("pt");
    EXPECT_LE(text.height(), box.height()) << font.toStdString();
    EXPECT_LT(text.height(), 3 * line) << "three lines or more in " << font.toStdString();
    EXPECT_LE(text.width(), box.width()) << font.toStdString();
    // Readable still, and no smaller than it had to be: the other labels keep the dialog's font.
    EXPECT_GE(used.pointSizeF(), 6.0) << font.toStdString();
    auto* version = dynamic_cast<QLabel*>(about.Control(ControlId::AboutVersion));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->font(), about.font());
    // The label keeps its place in the dialog, clear of the lines below it.
    EXPECT_LE(title->geometry().bottom(), version->geometry().top());
}

TEST_F(FlowDialogTest, LayoutFollowsTheTemplate)
{
    // The template's 622 x 654 (the gas's row included), and the status line's strip under it.
    const QLabel* status = dlg->findChild<QLabel*>(QStringLiteral("status"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->geometry().top(), 654);
    EXPECT_EQ(dlg->size(), QSize(622, 654 + status->height()));
    EXPECT_EQ(dlg->minimumSize(), dlg->maximumSize()) << "not resizable";
    EXPECT_EQ(View()->geometry(), QRect(0, 11, start::kWidth, start::kHeight));
    EXPECT_EQ(dlg->Field(ControlId::UpstreamSpeed)->geometry(), QRect(25, 401, 82, 22));
    EXPECT_EQ(dlg->Field(ControlId::ProbeSpeedR)->geometry(), QRect(504, 457, 82, 22));

    const res::DialogTemplate& t = res::MainDialogTemplate();
    const std::map<ImageId, QSize> bitmapSizes = {
        {ImageId::UpstreamNames, {22, 209}}, {ImageId::UpstreamUnits, {46, 203}},
        {ImageId::CriticalNames, {37, 156}}, {ImageId::CriticalUnits, {38, 160}},
        {ImageId::ProbeNames, {32, 152}},    {ImageId::ProbeUnits, {38, 175}},
        {ImageId::VelocityNames, {32, 86}},  {ImageId::VelocityUnits, {28, 79}},
    };
    int labels = 0;
    for (const res::ControlTemplate& c : t) {
        const res::PixelRect r = t.ToPixels(c.rect);
        if (c.kind == res::ControlKind::LabelImage) {
            for (QLabel* l : dlg->findChildren<QLabel*>())
                if (l->property("imageId").toInt() == static_cast<int>(c.image)) {
                    ++labels;
                    EXPECT_EQ(l->geometry(), QRect(QPoint(r.x, r.y), bitmapSizes.at(c.image)))
                        << "bitmap " << c.image;
                }
            continue;
        }
        if (c.id == ControlId::None)
            continue; // a caption of the gas's row, placed by the template like the rest
        QWidget* w = dlg->Control(c.id);
        ASSERT_NE(w, nullptr) << c.id;
        EXPECT_EQ(w->geometry(), QRect(r.x, r.y, r.w, r.h)) << "control " << c.id;
        // Gamma and the molar mass are shown only for "other gas"; air is chosen at start.
        const bool typedGas = c.id == ControlId::GasGamma || c.id == ControlId::GasMolarMass;
        EXPECT_EQ(w->isVisible(), !typedGas) << c.id;
        if (auto* e = dynamic_cast<NumberEdit*>(w)) {
            EXPECT_EQ(e->isReadOnly(), c.kind == res::ControlKind::ReadOnlyField) << c.id;
        }
    }
    EXPECT_EQ(labels, 8);

    // The tab order: the inputs V1, T1, P1, the gas (its drop-down, then gamma and the molar
    // mass, shown for "other gas" only), the picture, then the read-only fields in reading order,
    // group by group.
    const std::vector<int> order = {1000, 1009, 1011, 1012, 1015, 1017, 1018, 1019, 1020,
                                    1021, 1006, 1007, 1010, 1013, 1014, 1016, 1005, 1008,
                                    1022, 1002, 1003, 1004, 1023, 1024, 1025};
    std::vector<int> chain;
    QWidget* w = View();
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->property("controlId").isValid())
            chain.push_back(w->property("controlId").toInt());
        w = w->nextInFocusChain();
    } while (w != View() && chain.size() < 40);
    EXPECT_EQ(chain, order);
    // The focus opens on the picture; Tab goes on to the read-only fields, Shift+Tab back to
    // the gas and the inputs (air's hidden gamma and molar mass are passed over), and Tab from
    // the gas comes to the picture again.
    ASSERT_EQ(QApplication::focusWidget(), View());
    QTest::keyClick(View(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), dlg->Field(ControlId::UpstreamDensity));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), View());
    QTest::keyClick(View(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), dlg->Control(ControlId::GasChoice));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), dlg->Field(ControlId::UpstreamPressure));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), View());
}

TEST_F(FlowDialogTest, InputFieldsWhiteReadOnlyFieldsLookReadOnly)
{
    const QColor white(255, 255, 255);
    const QColor readOnly = FlowDialog::ReadOnlyColour();
    EXPECT_NE(readOnly, white);
    EXPECT_EQ(dlg->BackgroundColour(dlg.get()), white);
    EXPECT_EQ(dlg->BackgroundColour(View()), white);
    // What the fields really show, away from their text.
    auto background = [](QWidget* w) {
        return w->grab().toImage().pixelColor(w->width() - 6, w->height() / 2);
    };
    for (ControlId id :
         {ControlId::UpstreamSpeed, ControlId::UpstreamTemperature, ControlId::UpstreamPressure}) {
        EXPECT_EQ(dlg->BackgroundColour(dlg->Field(id)), white);
        EXPECT_EQ(background(dlg->Field(id)), white) << id;
    }
    for (int number = 1005; number <= 1022; ++number) {
        const ControlId id = static_cast<ControlId>(number);
        EXPECT_EQ(dlg->BackgroundColour(dlg->Field(id)), readOnly) << id;
        EXPECT_EQ(background(dlg->Field(id)), readOnly) << id;
    }
    const QImage whole = dlg->grab().toImage();
    EXPECT_EQ(whole.pixelColor(300, 5), white) << "dialog background";
    EXPECT_EQ(whole.pixelColor(2, 615), white) << "below the label images";
    EXPECT_EQ(whole.pixelColor(3, 400), white) << "a label image's surroundings";
}

TEST_F(FlowDialogTest, EscapeAndCloseEndTheDialog)
{
    QTest::keyClick(dlg->Field(ControlId::UpstreamSpeed), Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);

    dlg->show();
    dlg->MenuCommandChosen(Command::Close);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(FlowDialogTest, APaintShowsTheLastFrameAndMovesNothing)
{
    FlowViewWidget& window = dlg->ViewWindow();
    dlg->Session().StepOnce();
    const double afterTick = TracerSum();
    const unsigned long frames = dlg->Session().FrameCount();
    for (int i = 0; i < 50; ++i)
        window.repaint();
    const QImage shown = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(TracerSum(), afterTick) << "a paint stepped the tracers";
    EXPECT_EQ(dlg->Session().FrameCount(), frames) << "a paint composed a frame";
    EXPECT_EQ(shown, ImageCopyOf(dlg->Session().Frame()).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(shown.size(), QSize(start::kWidth, start::kHeight));
}

TEST(FlowSessionScale, DeviceScaleIsTheNextWholeNumber)
{
    const std::pair<double, int> cases[] = {{1.0, 1}, {1.25, 2}, {2.0, 2}, {2.5, 3},
                                            {0.0, 1}, {-3.0, 1}, {NAN, 1}, {1e300, 8}};
    for (const auto& [ratio, scale] : cases)
        EXPECT_EQ(FlowSession::FrameScaleFor(ratio), scale) << ratio;
}

} // namespace

// The status line under the picture says what the flow is doing in the dialog's language, its
// text is its accessible name, and the picture's pixels are those of the frame without it; at
// beta 40 it names the wall's turn (140 degrees) and the flow's (130) apart in every language.
// The legend's window lists an item for each line and symbol drawn now, its words their
// accessible names, and follows what the picture draws.
TEST_F(FlowDialogTest, StatusLineAndLegendInWords)
{
    const QLabel* status = dlg->findChild<QLabel*>(QStringLiteral("status"));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(
        dlg->StatusLine().startsWith(QStringLiteral("Стенка повёрнута на 45°, поток — на 45°")))
        << dlg->StatusLine().toStdString();
    EXPECT_EQ(status->accessibleName(), dlg->StatusLine());
    Type(ControlId::UpstreamSpeed, QStringLiteral("-300"));
    dlg->InputFieldLeft();
    EXPECT_TRUE(dlg->StatusLine().startsWith(QStringLiteral("V1 < 0 — поток течёт назад")))
        << dlg->StatusLine().toStdString();
    EXPECT_FALSE(dlg->StatusLine().contains(QStringLiteral("веер")));
    Type(ControlId::UpstreamSpeed, QStringLiteral("450"));
    dlg->InputFieldLeft();

    const QRect picture = View()->geometry();
    dlg->Session().SetBodyAngle(40.0);
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l) {
        const char* code = l->code;
        dlg->SetLanguage(QString::fromLatin1(code));
        const QString line = dlg->StatusLine();
        const int wall = line.indexOf(QStringLiteral("140"));
        EXPECT_GE(wall, 0) << code << ": " << line.toStdString();
        EXPECT_GT(line.indexOf(QStringLiteral("130"), wall), wall) << code;
        EXPECT_FALSE(line.contains(QStringLiteral("\u0441\u0442\u0435\u043D"))
                     && code != std::string("ru"))
            << code;                     // no Russian left
        if (code == std::string("zh")) { // Chinese sentences end in the ideographic full stop
            EXPECT_TRUE(line.endsWith(QChar(0x3002)) && !line.contains(QStringLiteral("\u3002."))
                        && !line.contains(QStringLiteral("\u3002 ")))
                << line.toStdString();
        }
    }
    dlg->SetLanguage(QStringLiteral("en"));
    EXPECT_TRUE(
        dlg->StatusLine().contains(QStringLiteral("By the exact theory the flow turns at most")))
        << dlg->StatusLine().toStdString();
    EXPECT_EQ(View()->geometry(), picture); // the language moved nothing
    dlg->Session().SetBodyAngle(135.0);

    EXPECT_EQ(dlg->Legend(), nullptr); // off at start
    dlg->MenuCommandChosen(Command::Legend);
    ASSERT_NE(dlg->Legend(), nullptr);
    EXPECT_TRUE(dlg->Legend()->isVisible());
    EXPECT_EQ(dlg->Legend()->windowTitle(), QStringLiteral("Legend"));
    const QStringList items = dlg->Legend()->Items();
    EXPECT_EQ(items.size(), static_cast<int>(dlg->Session().Legend().size()));
    QStringList named;
    for (const QLabel* l : dlg->Legend()->findChildren<QLabel*>())
        if (!l->accessibleName().isEmpty())
            named << l->accessibleName();
    EXPECT_EQ(named, items);
    for (const char* word : {"walls", "sonic line", "first characteristic", "last characteristic",
                             "particles", "streamlines", "marker"})
        EXPECT_TRUE(items.join(QLatin1Char(' ')).contains(QLatin1String(word))) << word;
    EXPECT_FALSE(items.join(QLatin1Char(' ')).contains(QLatin1String("flow boundary")));
    EXPECT_FALSE(items.join(QLatin1Char(' ')).contains(QLatin1String("exact theory")));
    dlg->MenuCommandChosen(Command::ExactTheory); // its lines drawn: the legend names them
    const QStringList shown = dlg->Legend()->Items();
    EXPECT_EQ(shown.size(), items.size() + 1);
    EXPECT_TRUE(shown.join(QLatin1Char(' ')).contains(QStringLiteral("(menu “Exact theory”)")));
    dlg->MenuCommandChosen(Command::ExactTheory);
    dlg->MenuCommandChosen(Command::Legend);
    EXPECT_FALSE(dlg->Legend()->isVisible());
}

// The key E on the picture chooses the exact theory's flow and back; the menu's item shows it
// checked, and the status line follows.
TEST_F(FlowDialogTest, KeyEChoosesTheFlow)
{
    const auto item = [this]() -> QAction* {
        for (QAction* a : dlg->Menu().actions())
            if (a->data().toInt() == static_cast<int>(Command::Physics))
                return a;
        return nullptr;
    };
    ASSERT_NE(item(), nullptr);
    EXPECT_TRUE(item()->isCheckable());
    EXPECT_FALSE(item()->isChecked());
    EXPECT_EQ(item()->text(), QStringLiteral("Течение по точной теории"));
    QTest::keyClick(View(), Qt::Key_E);
    EXPECT_EQ(dlg->Session().PhysicsShown(), Physics::Exact);
    EXPECT_TRUE(item()->isChecked());
    EXPECT_TRUE(dlg->StatusLine().startsWith(QStringLiteral("Точная теория: стенка и поток")))
        << dlg->StatusLine().toStdString();
    QTest::keyClick(View(), Qt::Key_E);
    EXPECT_EQ(dlg->Session().PhysicsShown(), Physics::Model);
    EXPECT_FALSE(item()->isChecked());
}

// Shift with an arrow moves a reading point: the probe fields read there and follow a key turn.
TEST_F(FlowDialogTest, ShiftAndArrowsReadTheFlowByKeys)
{
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_Right, Qt::ShiftModifier);
    ASSERT_TRUE(dlg->Session().Mark().shown);
    const int x = start::kWidth / 2 + kKeyReadStep, y = start::kHeight / 2;
    const std::string read = Text(ControlId::ProbePressure);
    EXPECT_EQ(read, FormatFieldValue(dlg->Session().ReadAt(x, y).values.P));
    // Its mark is seen round the point, over the frame and not in it: the window differs from
    // the frame near the point only.
    const ReadMark mark = dlg->Session().Mark();
    EXPECT_EQ(mark.x, x + 0.5);
    EXPECT_EQ(mark.y, y + 0.5);
    const QImage shown = View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage frame = ImageCopyOf(dlg->Session().Frame()).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), frame.size());
    int near = 0, far = 0;
    for (int py = 0; py < shown.height(); ++py)
        for (int px = 0; px < shown.width(); ++px)
            if (shown.pixel(px, py) != frame.pixel(px, py))
                ++(std::hypot(px + 0.5 - mark.x, py + 0.5 - mark.y) < 12.0 ? near : far);
    EXPECT_GT(near, 40);
    EXPECT_EQ(far, 0);
    QTest::keyClick(View(), Qt::Key_PageUp);
    EXPECT_EQ(Text(ControlId::ProbePressure),
              FormatFieldValue(dlg->Session().ReadAt(x, y).values.P));
    EXPECT_NE(Text(ControlId::ProbePressure), read);
}
