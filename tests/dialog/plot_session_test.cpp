// The session's plot and exact theory: the plot follows what it shows and nothing else, its
// cursor agrees with the probe fields, the exact theory is part of the picture only when it is
// on, and the picture's words tell a wall turned into the flow from a subsonic flow.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "base/constants.h"
#include "dialog/fields.h"
#include "base/text_fill.h"
#include "dialog/flow_session.h"
#include "draw/raster_dc.h"
#include "model/number_text.h"
#include "res/ids.h"
#include "tests/support/start_up.h"

namespace {

struct Opened {
    FlowSession s;
    explicit Opened(bool plot = true)
    {
        s.Open(start::kWidth, start::kHeight, 7);
        if (plot)
            s.SetPlotSize(start::kWidth, start::kHeight, 1.0);
    }
    void Hover(double x, double y)
    {
        PointerEvent e;
        e.x = x;
        e.y = y;
        e.mainButton = false;
        s.PointerMoved(e);
    }
};

} // namespace

// A tick moves the tracers and nothing the plot shows: no plot is composed. A probe composes
// the cursor over the kept plot; a turned wall, new inputs, other quantities, another size,
// other words and another device context compose it whole.
TEST(SessionPlot, ComposedWhenWhatItShowsChangesAndNeverOnATick)
{
    Opened o;
    FlowSession& s = o.s;
    int told = 0;
    s.plotReady = [&] { ++told; };
    ASSERT_FALSE(s.PlotFrame().Empty());
    EXPECT_EQ(s.PlotFrame().width, start::kWidth);
    const unsigned long count = s.PlotCount();
    const long bases = s.PlotBaseCompositions();
    const std::vector<uint32_t> before = s.PlotFrame().pixels;
    for (int i = 0; i < 20; ++i)
        s.StepOnce();
    s.ComposeFrame();
    EXPECT_EQ(s.PlotCount(), count);
    EXPECT_EQ(told, 0);
    EXPECT_EQ(s.PlotFrame().pixels, before);

    o.Hover(400, 100);
    EXPECT_EQ(s.PlotCount(), count + 1);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(s.PlotBaseCompositions(), bases) << "a probe draws the cursor only";
    EXPECT_NE(s.PlotFrame().pixels, before);
    o.Hover(400, 100); // the same angle again: nothing changes
    EXPECT_EQ(s.PlotCount(), count + 1);

    s.SetWallAngle(0.5);
    EXPECT_EQ(s.PlotBaseCompositions(), bases + 1);
    s.SetInputText(ControlId::UpstreamSpeed, "600");
    s.InputsLeft();
    EXPECT_EQ(s.PlotBaseCompositions(), bases + 2);
    s.SetPlotQuantities(kAllQuantities);
    EXPECT_EQ(s.PlotBaseCompositions(), bases + 3);
    PlotWords english = PlotWords::Translated([](const char*) { return std::string("x"); });
    s.SetPlotWords(english);
    s.SetPlotWords(english);
    EXPECT_EQ(s.PlotBaseCompositions(), bases + 4);
    s.SetPlotSize(300, 200, 2.0);
    EXPECT_EQ(s.PlotFrame().width, 300);
    EXPECT_EQ(s.PlotFrame().scale, 2);
    EXPECT_EQ(s.PlotBaseCompositions(), bases + 5);

    // A mouse drag's move turns the wall and moves the cursor: the plot is composed once.
    PointerEvent press;
    press.x = 500;
    press.y = 300;
    s.PointerPressed(press);
    const unsigned long dragCount = s.PlotCount();
    told = 0;
    PointerEvent move = press;
    move.x = 450;
    s.PointerMoved(move);
    EXPECT_EQ(s.PlotCount(), dragCount + 1);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(s.PlotBaseCompositions(), bases + 7);
    s.PointerReleased(move);
    // Another device context draws it whole.
    s.SetDrawing(
        [](FrameBuffer& b) -> std::unique_ptr<DC> { return std::make_unique<RasterDC>(b); });
    EXPECT_EQ(s.PlotBaseCompositions(), bases + 8);

    // Without a size no plot is composed at all.
    Opened quiet(false);
    quiet.Hover(400, 100);
    quiet.s.SetWallAngle(0.5);
    EXPECT_EQ(quiet.s.PlotCount(), 0u);
    EXPECT_TRUE(quiet.s.PlotFrame().Empty());
}

// The cursor's model values are the probe fields' values, at every kind of point; the
// profile's angle is the probe's.
TEST(SessionPlot, CursorAgreesWithTheProbeFields)
{
    Opened o;
    const ControlId fields[] = {ControlId::ProbeMach, ControlId::ProbePressure,
                                ControlId::ProbeTemperature, ControlId::ProbeDensity,
                                ControlId::ProbeSpeed};
    const Quantity quantities[] = {Quantity::Mach, Quantity::Pressure, Quantity::Temperature,
                                   Quantity::Density, Quantity::Speed};
    for (const auto& point :
         {std::pair{100, 100}, {400, 100}, {420, 140}, {600, 300}, {311, 192}, {5, 380}}) {
        SCOPED_TRACE(point.first);
        SCOPED_TRACE(point.second);
        o.Hover(point.first, point.second);
        ASSERT_TRUE(o.s.HasProbeAngle());
        // What the cursor writes at the probe's angle.
        const ProfileSample at = ProfileAt(o.s.State(), o.s.Profile().exact, o.s.ProbeAngle());
        EXPECT_EQ(at.phi, o.s.ProbeAngle());
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(FormatFieldValue(at.model.Of(quantities[i])), o.s.FieldText(fields[i]));
    }
    o.s.Reset();
    EXPECT_FALSE(o.s.HasProbeAngle());
}

// The toggle: off at start and in the menu and the page's tools, unchecked; on, the frame
// (whole and as layers) shows more; off again, the frame is the same pixels as before.
TEST(SessionExactTheory, ToggleDrawsOverThePictureAndLeavesNoTrace)
{
    Opened o(false);
    FlowSession& s = o.s;
    EXPECT_FALSE(s.ExactTheory());
    for (const std::vector<MenuItem>& items : {s.Menu(), s.PageTools()}) {
        bool found = false;
        for (const MenuItem& item : items)
            if (item.command == Command::ExactTheory) {
                found = true;
                EXPECT_TRUE(item.checkable);
                EXPECT_FALSE(item.checked);
            }
        EXPECT_TRUE(found);
    }
    s.SetPaused(true);
    s.ComposeFrame();
    const std::vector<uint32_t> off = s.Frame().pixels;
    EXPECT_EQ(s.Choose(Command::ExactTheory), ShellAction::None);
    EXPECT_TRUE(s.ExactTheory());
    for (const MenuItem& item : s.Menu()) {
        if (item.command == Command::ExactTheory) {
            EXPECT_TRUE(item.checked);
        }
    }
    const std::vector<uint32_t> on = s.Frame().pixels;
    ASSERT_EQ(on.size(), off.size());
    size_t violet = 0, changed = 0;
    const uint32_t exact = s.View().exactPen.colour.Rgb32() & 0xFFFFFFu;
    for (size_t i = 0; i < on.size(); ++i) {
        changed += on[i] != off[i];
        violet += (on[i] & 0xFFFFFFu) == exact;
    }
    EXPECT_GT(violet, 300u);
    EXPECT_EQ(changed, violet) << "only the exact theory's pixels change";
    // In layers it lies above the tracers, with the streamlines.
    s.UseLayers(true);
    size_t above = 0;
    for (uint32_t p : s.Layers().above->pixels)
        above += (p & 0xFFFFFFu) == exact;
    EXPECT_EQ(above, violet);
    s.UseLayers(false);
    s.Choose(Command::ExactTheory);
    EXPECT_EQ(s.Frame().pixels, off);

    // No expansion, nothing to draw: a wall turned into the flow.
    s.SetExactTheory(true);
    s.SetBodyAngle(190.0);
    for (uint32_t p : s.Frame().pixels)
        ASSERT_NE(p & 0xFFFFFFu, exact);
}

// A supersonic flow whose wall turns into it is told as that, not as a subsonic flow; a
// subsonic flow is still told as having no fan.
TEST(SessionFacts, AWallTurnedIntoTheFlowIsNotASubsonicFlow)
{
    Opened o(false);
    o.s.SetBodyAngle(190.0);
    PictureFacts f = o.s.Facts();
    EXPECT_EQ(f.flow, PictureFacts::Flow::IntoTheFlow);
    EXPECT_EQ(f.turnDegrees, "10");
    o.s.SetWallAngle(2.0);
    f = o.s.Facts();
    EXPECT_EQ(f.flow, PictureFacts::Flow::IntoTheFlow);
    EXPECT_EQ(f.turnDegrees, FormatFixed((2.0 - kHalfPi) * kDegreesPerRadian, 0));
    EXPECT_EQ(o.s.PlotFacts().words, PlotWord::DescribeDetached);
    o.s.SetInputText(ControlId::UpstreamSpeed, "200");
    o.s.InputsLeft();
    EXPECT_EQ(o.s.Facts().flow, PictureFacts::Flow::NoFan);
    EXPECT_EQ(o.s.PlotFacts().words, PlotWord::DescribeNoFan);
    o.s.SetBodyAngle(135.0);
    o.s.SetInputText(ControlId::UpstreamSpeed, "450");
    o.s.InputsLeft();
    EXPECT_EQ(o.s.Facts().flow, PictureFacts::Flow::Attached);
}

// Whatever is typed and wherever the wall and the pointer are, a plot is composed, its words
// are filled and the profile's numbers stay in their range; nothing hangs.
TEST(SessionPlot, HostileInputsStillGiveAPlot)
{
    Opened o;
    o.s.SetPlotQuantities(kAllQuantities);
    const char* speeds[] = {"0", "-450", "1e999", "nan", "1e308", "336.87698051365874", "5000"};
    const char* temperatures[] = {"273", "0", "-5", "1e-300", "1e308"};
    const double walls[] = {-1.5, 0.0, start::kWall, kHalfPi, 2.0, 1e300};
    for (const char* v : speeds)
        for (const char* t : temperatures) {
            o.s.SetInputText(ControlId::UpstreamSpeed, v);
            o.s.SetInputText(ControlId::UpstreamTemperature, t);
            o.s.InputsLeft();
            for (double wall : walls) {
                SCOPED_TRACE(std::string(v) + " " + t + " " + std::to_string(wall));
                o.s.SetWallAngle(wall);
                o.Hover(600, 300);
                ASSERT_FALSE(o.s.PlotFrame().Empty());
                const FanProfile& p = o.s.Profile();
                EXPECT_LT(p.phiTo, p.phiFrom);
                EXPECT_TRUE(std::isfinite(p.phiTo));
                const PlotDescription d = o.s.PlotFacts();
                EXPECT_FALSE(FillPlaceholders(PlotWordSource(d.words), d.values).empty());
            }
        }
}
