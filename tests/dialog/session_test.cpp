// The dialog's logic on its own: every control has its row, reset is a fresh start, and the
// body angle sets the wall a teacher expects.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dialog/announcer.h"
#include "dialog/fields.h"
#include "dialog/flow_session.h"
#include "draw/raster_dc.h"
#include "model/number_text.h"
#include "model/probe.h"
#include "res/dialog_templates.h"
#include "res/ids.h"
#include "tests/support/session_input.h"
#include "tests/support/start_up.h"

namespace {

struct Snapshot {
    std::map<ControlId, std::string> texts;
    std::string beta, alpha, chi;
    double wall = 0.0;
    int tracers = 0;
    bool operator==(const Snapshot& o) const
    {
        return texts == o.texts && beta == o.beta && alpha == o.alpha && chi == o.chi
               && wall == o.wall && tracers == o.tracers;
    }
};

Snapshot Take(const FlowSession& s)
{
    Snapshot out;
    for (size_t i = 0; i < FieldCount(); ++i)
        out.texts[FieldTable()[i].id] = s.FieldText(FieldTable()[i].id);
    out.beta = s.BetaLabel();
    out.alpha = s.AlphaLabel();
    out.chi = s.ChiLabel();
    out.wall = s.Geometry().wallAngle;
    out.tracers = s.Field().tracers.count;
    return out;
}

} // namespace

TEST(FieldTable, EveryNumericControlHasExactlyOneRow)
{
    std::set<ControlId> controls;
    for (const res::ControlTemplate& c : res::MainDialogTemplate())
        if (c.kind == res::ControlKind::InputField || c.kind == res::ControlKind::ReadOnlyField) {
            EXPECT_TRUE(controls.insert(c.id).second) << "control " << ToInt(c.id) << " twice";
        }
    std::set<ControlId> rows;
    std::set<std::string> keys;
    for (size_t i = 0; i < FieldCount(); ++i) {
        const FieldRow& row = FieldTable()[i];
        EXPECT_TRUE(rows.insert(row.id).second) << "row " << ToInt(row.id) << " twice";
        EXPECT_TRUE(keys.insert(row.key).second) << "key " << row.key << " twice";
        EXPECT_EQ(FindField(row.id), &row);
        // Editable exactly when the control is, and each row names one quantity.
        const res::ControlTemplate* c = res::MainDialogTemplate().Find(row.id);
        ASSERT_NE(c, nullptr) << "row " << ToInt(row.id) << " has no control";
        EXPECT_EQ(c->kind == res::ControlKind::InputField, row.source == FieldSource::Input)
            << ToInt(row.id);
        EXPECT_NE(row.state == nullptr, row.probe == nullptr) << ToInt(row.id);
        EXPECT_EQ(row.probe != nullptr, row.source == FieldSource::Probe) << ToInt(row.id);
        // The label image beside it is one of the dialog's.
        bool shown = false;
        for (const res::ControlTemplate& l : res::MainDialogTemplate())
            shown = shown || (l.kind == res::ControlKind::LabelImage && l.image == row.labelImage);
        EXPECT_TRUE(shown) << ToInt(row.id);
    }
    EXPECT_EQ(rows, controls);
    EXPECT_EQ(FieldCount(), 21u);
    EXPECT_EQ(FindField(ControlId::Picture), nullptr);
}

TEST(FlowSession, ResetAfterAnyLessonIsAFreshStart)
{
    FlowSession fresh;
    fresh.Open(start::kWidth, start::kHeight, 11);
    const Snapshot start = Take(fresh);
    EXPECT_EQ(start.texts.at(ControlId::UpstreamSpeed), "450.0");
    EXPECT_EQ(start.texts.at(ControlId::UpstreamTemperature), "273.0");
    EXPECT_EQ(start.texts.at(ControlId::UpstreamPressure), "100000");
    EXPECT_EQ(start.beta, "\u03B2=135");

    FlowSession s;
    s.Open(start::kWidth, start::kHeight, 99);
    input::Leave(s, "2000", "100", "1e6");
    s.PointerPressed(input::Mouse(100, 300));
    s.PointerMoved(input::Mouse(500, 390)); // a drag, still held at reset
    for (int i = 0; i < 7; ++i)
        s.TimerTicked();
    s.KeyPressed(input::Press(Key::Left));
    s.PointerMoved(input::Mouse(40, 20)); // probe fields now show upstream values
    ASSERT_FALSE(Take(s) == start);
    s.Reset();
    EXPECT_TRUE(Take(s) == start);
    EXPECT_FALSE(s.Dragging());
    // The picture is the start-up one again, up to the tracers the generator places anew.
    EXPECT_EQ(s.Field().streamlines[1].points.count, fresh.Field().streamlines[1].points.count);
    EXPECT_EQ(s.Field().exitStepX, fresh.Field().exitStepX);
    s.Reset(); // twice is the same as once
    EXPECT_TRUE(Take(s) == start);
}

TEST(FlowSession, BodyAngleSetsTheWallTheLabelReads)
{
    FlowSession s;
    s.Open(start::kWidth, start::kHeight, 1);
    const double startWall = s.Geometry().wallAngle;
    s.SetBodyAngle(135.0);
    EXPECT_EQ(s.Geometry().wallAngle, startWall);
    s.SetBodyAngle(180.0);
    EXPECT_EQ(s.Geometry().wallAngle, M_PI / 2.0);
    EXPECT_EQ(s.ChiLabel(), "\u03C7=0, \u0394\u03C6=0");
    for (int beta = 60; beta <= 180; beta += 7) {
        s.SetBodyAngle(beta);
        EXPECT_EQ(s.BetaLabel(), "\u03B2=" + std::to_string(beta)) << beta;
    }
    // BodyAngle is SetBodyAngle's inverse: a wall turned by keys or a drag opens again on the
    // same wall and the same labels from the angle it reports.
    s.SetBodyAngle(135.0);
    EXPECT_EQ(s.BodyAngle(), 135.0);
    for (int key = 0; key < 40; ++key) {
        KeyEvent left;
        left.key = key % 3 == 0 ? Key::PageDown : Key::Left;
        s.KeyPressed(left);
        const double wall = s.Geometry().wallAngle;
        const std::string labels = s.BetaLabel() + s.ChiLabel();
        FlowSession again;
        again.Open(start::kWidth, start::kHeight, 1);
        again.SetBodyAngle(s.BodyAngle());
        EXPECT_NEAR(again.Geometry().wallAngle, wall, 1e-12) << key;
        EXPECT_EQ(again.BetaLabel() + again.ChiLabel(), labels) << key;
    }
    // The slider a screen reader hears: beta and the wall's turn from straight, in whole degrees.
    for (int beta : {135, 150, 180, 91}) {
        s.SetBodyAngle(beta);
        const FlowSession::Slider slider = s.WallSlider();
        EXPECT_EQ(slider.value, beta);
        EXPECT_EQ(slider.beta, std::to_string(beta));
        EXPECT_EQ(slider.turn, std::to_string(180 - beta));
    }
    s.SetBodyAngle(0.0); // a wall as far as it goes: no negative zero in the label
    EXPECT_EQ(s.BetaLabel(), "\u03B2=0");
    // An angle that is no number leaves the wall where it is.
    s.SetBodyAngle(150.0);
    const double wall = s.Geometry().wallAngle;
    const double hostile[] = {NAN, INFINITY, -INFINITY};
    for (double beta : hostile) {
        s.SetBodyAngle(beta);
        EXPECT_EQ(s.Geometry().wallAngle, wall) << beta;
    }
}

namespace {

using input::Mouse;
using input::Press;

// The bits of every tracer's and the marker's position and motion.
std::vector<double> Motion(const FlowSession& s)
{
    std::vector<double> out;
    auto add = [&](const Tracer& t) {
        for (double v : {t.x, t.y, t.stepX, t.stepY, t.phi, t.vR, t.vPhi, t.entryRadius})
            out.push_back(v);
    };
    for (const Tracer& t : s.Field().tracers)
        add(t);
    add(s.Field().marker);
    return out;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

// The probe fields' texts for the read-out at a picture pixel, computed from the model.
std::string ProbeTextAt(const FlowSession& s, int x, int y)
{
    const Corner& c = s.Geometry();
    const ProbeValues v = ProbeReadout(s.State(), c.ClassifyPoint(s.State(), true, x, y),
                                       c.PolarAngle(true, x, y));
    return FormatFieldValue(v.T) + " " + FormatFieldValue(v.P) + " " + FormatFieldValue(v.Vr);
}

std::string ProbeTextShown(const FlowSession& s)
{
    return s.FieldText(ControlId::ProbeTemperature) + " " + s.FieldText(ControlId::ProbePressure)
           + " " + s.FieldText(ControlId::ProbeSpeedR);
}

} // namespace

TEST(FlowSessionPointer, MovesReadTheFlowAndOnlyDragsTurnTheWall)
{
    FlowSession s;
    s.Open(start::kWidth, start::kHeight, 3);
    const double wall = s.Geometry().wallAngle;
    const unsigned long traces = s.Field().traces;
    // In the fan, upstream, past the fan, straight below the corner, on the wall line.
    const int points[][2] = {{411, 92}, {211, 92}, {411, 292}, {311, 300}, {-5000, 192}};
    for (const auto& p : points) {
        s.PointerMoved(Mouse(p[0] + 0.75, p[1] + 0.25, false));
        EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, p[0], p[1])) << p[0] << "," << p[1];
    }
    EXPECT_EQ(s.Geometry().wallAngle, wall);
    EXPECT_EQ(s.Field().traces, traces); // nothing recomputed
    EXPECT_NE(ProbeTextAt(s, 411, 92), ProbeTextAt(s, 211, 92));
}

TEST(FlowSessionPointer, PressDragRelease)
{
    FlowSession s;
    s.Open(start::kWidth, start::kHeight, 3);
    s.PointerPressed(Mouse(311, 300)); // below the corner: a vertical wall at once
    EXPECT_TRUE(s.Dragging());
    EXPECT_EQ(s.Geometry().wallAngle, 0.0);
    EXPECT_NEAR(s.State().fanEndAngle, -0.224770, 1e-6);

    s.PointerMoved(Mouse(500, 300));
    EXPECT_DOUBLE_EQ(s.Geometry().wallAngle, std::atan(189.0 / 108.0));
    s.PointerMoved(Mouse(-1000, 5000)); // outside the picture: still dragging
    EXPECT_DOUBLE_EQ(s.Geometry().wallAngle, std::atan(-1311.0 / 4808.0));
    const double wall = s.Geometry().wallAngle;
    s.PointerMoved(Mouse(100, 100)); // up and to the left: the wall stays
    EXPECT_EQ(s.Geometry().wallAngle, wall);

    s.PointerReleased(Mouse(100, 100));
    EXPECT_FALSE(s.Dragging());
    s.PointerMoved(Mouse(500, 300, false));
    EXPECT_EQ(s.Geometry().wallAngle, wall);

    // A release that went elsewhere: the first move without the button ends the drag, so a
    // plain move never turns the wall.
    s.PointerPressed(Mouse(311, 300));
    s.PointerMoved(Mouse(500, 300, false));
    EXPECT_FALSE(s.Dragging());
    EXPECT_EQ(s.Geometry().wallAngle, 0.0);
    // Another button neither turns nor drags.
    s.PointerPressed(Mouse(500, 300, false));
    EXPECT_FALSE(s.Dragging());
    EXPECT_EQ(s.Geometry().wallAngle, 0.0);
}

// While a pointer or a finger's mark names a point, the probe fields show the flow there as it
// is now: a new input, a key on the wall, a typed beta or the mouse press that turns the wall
// reads the point again at once.
TEST(FlowSessionPointer, TheNamedPointIsReadAgainWhenTheFlowChanges)
{
    FlowSession s;
    start::Open(s, 3);
    s.PointerMoved(Mouse(411, 92, false)); // hovering in the fan
    const std::string before = ProbeTextShown(s);
    input::Leave(s, "900", "273", "100000");
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, 411, 92));
    EXPECT_NE(ProbeTextShown(s), before);
    s.KeyPressed(Press(Key::PageDown));
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, 411, 92));

    s.PointerPressed(input::Finger(150, 60)); // far from the wall: a mark
    s.PointerReleased(input::Finger(150, 60));
    ASSERT_TRUE(s.Mark().shown);
    s.SetBodyAngle(160.0);
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, 150, 60));

    s.PointerPressed(Mouse(500, 300)); // the mouse names its own point, and the mark goes
    EXPECT_FALSE(s.Mark().shown);
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, 500, 300));
    s.PointerReleased(Mouse(500, 300));
    s.Reset(); // nothing named after a reset
    s.SetBodyAngle(150.0);
    EXPECT_EQ(s.FieldText(ControlId::ProbeTemperature), "0.000");

    // Shift with the arrows reads by keys: from the picture's middle, kKeyReadStep pixels a
    // press, kept on the picture; the point is read again when the flow changes.
    KeyEvent shiftRight = Press(Key::Right);
    shiftRight.shift = true;
    const double wall = s.Geometry().wallAngle;
    EXPECT_EQ(s.KeyPressed(shiftRight), ShellAction::None);
    EXPECT_EQ(s.Geometry().wallAngle, wall); // the wall stays
    const int x = start::kWidth / 2 + kKeyReadStep, y = start::kHeight / 2;
    ASSERT_TRUE(s.Mark().shown);
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, x, y));
    s.KeyPressed(Press(Key::PageUp));
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, x, y));
    input::Leave(s, "700", "300", "90000");
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, x, y));
    for (int i = 0; i < start::kWidth; ++i)
        s.KeyPressed(shiftRight);
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, start::kWidth - 1, y));
}

// A click where the hover read the fan turns the wall straight there (beta 180): the flow is
// uniform, and the probe fields say so at once, before the pointer moves again.
TEST(FlowSessionPointer, AClickReadsTheFlowItMade)
{
    FlowSession s;
    start::Open(s, 3);
    s.PointerMoved(Mouse(430, 120, false));
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, 430, 120));
    EXPECT_NE(s.FieldText(ControlId::ProbeMach), s.FieldText(ControlId::UpstreamMach));
    s.PointerPressed(Mouse(430, 120));
    EXPECT_EQ(s.BetaLabel(), "\u03B2=180");
    EXPECT_EQ(s.FieldText(ControlId::ProbeMach), "1.336");
    EXPECT_EQ(s.FieldText(ControlId::ProbeMach), s.FieldText(ControlId::UpstreamMach));
    EXPECT_EQ(ProbeTextShown(s), ProbeTextAt(s, 430, 120));
}

// A frame drawn for any reason moves nothing: paused means paused, and repaints between ticks
// do not change how the flow moves.
TEST(FlowSessionClock, DrawingNeverMovesTheFlow)
{
    FlowSession a, b;
    a.Open(start::kWidth, start::kHeight, 77);
    b.Open(start::kWidth, start::kHeight, 77);
    for (int i = 0; i < 100; ++i) {
        a.TimerTicked();
        b.TimerTicked();
        if (i % 2 == 0)
            b.ComposeFrame(); // a repaint
    }
    EXPECT_TRUE(SameBits(Motion(a), Motion(b)));

    b.SetPaused(true);
    const std::vector<double> paused = Motion(b);
    b.PointerPressed(Mouse(400, 300));
    for (int x = 400; x < 460; x += 4)
        b.PointerMoved(Mouse(x, 300)); // a drag
    b.PointerReleased(Mouse(460, 300));
    for (int i = 0; i < 50; ++i) {
        b.ComposeFrame();
        b.TimerTicked(); // the clock while paused
    }
    b.SetFrameScale(2); // a move to a screen of another scale
    b.KeyPressed(Press(Key::Right));
    b.SetInputText(ControlId::UpstreamSpeed, "450");
    b.InputsLeft();
    EXPECT_TRUE(SameBits(Motion(b), paused));

    // Step is exactly one tick, paused or not, by the key or the menu.
    a.StepOnce();
    b.KeyPressed(Press(Key::Period));
    FlowSession c;
    c.Open(start::kWidth, start::kHeight, 77);
    for (int i = 0; i < 101; ++i)
        c.TimerTicked();
    EXPECT_TRUE(SameBits(Motion(a), Motion(c)));
    b.Choose(Command::Step);
    EXPECT_FALSE(SameBits(Motion(b), paused));
}

// Between ticks the tracers stand where the last frame shows them: a frame composed outside the
// clock, or a paused drag that turns the wall away and back, shows the picture on the screen.
TEST(FlowSessionClock, TheStateBetweenTicksIsThePictureShown)
{
    FlowSession s;
    start::Open(s, 31);
    for (int i = 0; i < 60; ++i)
        s.TimerTicked();
    const std::vector<uint32_t> shown = s.Frame().pixels;
    s.ComposeFrame();
    EXPECT_TRUE(s.Frame().pixels == shown);

    s.SetPaused(true);
    s.SetWallAngle(0.3);
    EXPECT_FALSE(s.Frame().pixels == shown);
    s.SetWallAngle(start::kWall);
    EXPECT_TRUE(s.Frame().pixels == shown);

    // The step owed to the next tick is kept: the next frame is the one a session that composed
    // nothing between its ticks shows.
    FlowSession plain;
    start::Open(plain, 31);
    for (int i = 0; i < 61; ++i)
        plain.TimerTicked();
    s.StepOnce();
    EXPECT_TRUE(s.Frame().pixels == plain.Frame().pixels);
}

TEST(FlowSessionKeys, WallPauseStepAndTheRestPassOn)
{
    FlowSession s;
    s.Open(start::kWidth, start::kHeight, 5);
    EXPECT_EQ(s.BetaLabel(), "\u03B2=135");
    EXPECT_EQ(s.KeyPressed(Press(Key::Right)), ShellAction::None);
    EXPECT_EQ(s.BetaLabel(), "\u03B2=136");
    s.KeyPressed(Press(Key::Down));
    s.KeyPressed(Press(Key::Down));
    EXPECT_EQ(s.BetaLabel(), "\u03B2=134");
    s.KeyPressed(Press(Key::PageUp));
    EXPECT_EQ(s.BetaLabel(), "\u03B2=144");
    s.KeyPressed(Press(Key::End));
    EXPECT_EQ(s.Geometry().wallAngle, std::atan(20.0 * start::kWidth));
    s.KeyPressed(Press(Key::Home));
    EXPECT_EQ(s.Geometry().wallAngle, -std::atan(20.0 * start::kWidth));

    EXPECT_FALSE(s.Paused());
    s.KeyPressed(Press(Key::Space));
    EXPECT_TRUE(s.Paused());
    KeyEvent held = Press(Key::Space);
    held.repeat = true;
    s.KeyPressed(held); // a held key does not flicker the pause
    EXPECT_TRUE(s.Paused());

    KeyEvent withControl = Press(Key::Right);
    withControl.control = true;
    const double wall = s.Geometry().wallAngle;
    EXPECT_EQ(s.KeyPressed(withControl), ShellAction::Ignored);
    EXPECT_EQ(s.KeyPressed(Press(Key::Other)), ShellAction::Ignored);
    EXPECT_EQ(s.Geometry().wallAngle, wall);
    EXPECT_EQ(s.KeyPressed(Press(Key::F)), ShellAction::FullScreen);
    EXPECT_EQ(s.PictureFileName(), s.BetaLabel()
                                       .replace(s.BetaLabel().find('='), 1, "")
                                       .insert(0, "cornerflow-")
                                       .append(".png"));
    s.SetBodyAngle(150.0);
    EXPECT_EQ(s.PlotFileName(), "cornerflow-plot-\u03B2150.png");
    EXPECT_EQ(s.ProfileFileName(), "cornerflow-profile-\u03B2150.csv");
}

// A drag of thirty moves is heard at most once a second, and its end once more with the final
// state; a description that comes back to what was last heard is not spoken again.
TEST(Announcer, OncePerSecondAndTheFinalState)
{
    Announcer a;
    std::vector<std::string> spoken;
    auto speak = [&](const std::string& s) {
        if (!s.empty())
            spoken.push_back(s);
    };
    for (int move = 0; move < 30; ++move) {
        const double now = 1000.0 + 50.0 * move; // 1.5 s of moves
        speak(a.Changed("wall turned " + std::to_string(move), now));
        if (a.Waiting() && now >= a.DueMs())
            speak(a.Settle(now));
    }
    EXPECT_LE(spoken.size(), 2u) << "1.5 s of moves";
    speak(a.Settle(2500.0, true)); // the drag ended
    ASSERT_FALSE(spoken.empty());
    EXPECT_EQ(spoken.back(), "wall turned 29");
    const size_t heard = spoken.size();
    speak(a.Changed("wall turned 29", 2600.0));
    speak(a.Settle(5000.0, true));
    EXPECT_EQ(spoken.size(), heard) << "the same words again";
    speak(a.Changed("wall turned 3", 5000.0));
    EXPECT_EQ(spoken.size(), heard + 1) << "a change after a quiet second is heard at once";
}

// A shell that stacks layers sees every change in them, composed from the same state as the
// whole frame, and still gets the whole frame to save.
TEST(FlowSessionLayers, EveryChangeReachesTheLayers)
{
    FlowSession s;
    s.Open(start::kWidth, start::kHeight, 9, 2);
    s.UseLayers(true);
    const unsigned long version = s.Layers().staticVersion;
    s.TimerTicked();
    EXPECT_EQ(s.Layers().staticVersion, version) << "a tick leaves the static layers";
    EXPECT_EQ(s.Layers().below->scale, 2);
    s.KeyPressed(input::Press(Key::Right));
    EXPECT_NE(s.Layers().staticVersion, version) << "a turned wall renews them";
    s.ComposeFrame();
    ASSERT_EQ(s.Frame().scale, 2);
    EXPECT_EQ(s.Frame().pixels.size(), s.Layers().below->pixels.size());
    for (int i = 0; i < 60; ++i) // the marker drifts into the picture
        s.TimerTicked();
    EXPECT_FALSE(s.Layers().markerChanged.Empty());
}

// The size the picture is shown at sizes its labels and nothing else: shown at its own size or
// larger, the frame is every pixel the frame of a session told no size; shown smaller, it is
// composed again with larger labels, once per change of their size, and a return to the
// picture's own size gives the first frame back. Text is drawn as its black cell (the core has
// no fonts), so the labels' places and sizes show in the frame.
TEST(FlowSessionDisplay, LabelsFollowTheSizeShown)
{
    struct CellPainter : TextPainter {
        void DrawText(const PixelMemory& memory, int x, int y, const std::string& text,
                      const Font& font) override
        {
            const int s = memory.scale;
            const int w = font.height * static_cast<int>(text.size()) / 2 * s;
            const std::vector<unsigned char> ink(static_cast<size_t>(w) * font.height * s, 255);
            BlendInk(memory, 1LL * x * s, 1LL * y * s, ink.data(), w, font.height * s);
        }
    };
    static CellPainter cells;
    FlowSession s;
    s.SetDrawing([](FrameBuffer& f) -> std::unique_ptr<DC> {
        return std::make_unique<RasterDC>(f, &cells);
    });
    s.Open(start::kWidth, start::kHeight, 5, 2);
    const std::vector<uint32_t> told = s.Frame().pixels;
    auto black = [&] {
        return std::count_if(s.Frame().pixels.begin(), s.Frame().pixels.end(),
                             [](uint32_t p) { return (p & 0xFFFFFFu) == 0; });
    };
    const long blackTold = black();
    for (double k : {1.0, 2.0}) {
        const unsigned long frames = s.FrameCount();
        s.SetDisplaySize(k * start::kWidth, k * start::kHeight);
        EXPECT_EQ(s.FrameCount(), frames) << k;
        s.ComposeFrame();
        EXPECT_TRUE(s.Frame().pixels == told) << k;
    }
    const unsigned long composed = s.FrameCount();
    const double phone = 390.0 / start::kWidth;
    s.SetDisplaySize(390.0, phone * start::kHeight);
    EXPECT_EQ(s.FrameCount(), composed + 1);
    EXPECT_GT(black(), blackTold + 1000) << "larger labels";
    s.SetDisplaySize(390.0, phone * start::kHeight + 0.4); // the same labels
    EXPECT_EQ(s.FrameCount(), composed + 1);
    s.SetDisplaySize(0.9 * start::kWidth, 0.9 * start::kHeight); // turned: labels of another size
    EXPECT_EQ(s.FrameCount(), composed + 2);
    s.SetDisplaySize(start::kWidth, start::kHeight);
    EXPECT_EQ(s.FrameCount(), composed + 3);
    EXPECT_TRUE(s.Frame().pixels == told);
}
