// The view: initialisation, the composed frame, the mouse and the timer.
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>

#include "base/saturate.h"
#include "corner/corner.h"
#include "model/classify.h"
#include "platform/image_dc.h"
#include "tests/support/gui_app.h"
#include "view/flow_view.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x149B00, kGrey = 0x808080,
                   kOrange = 0xFF6000, kBlue = 0x0000FF, kKey = 0xFE00FE;

struct Host : FlowViewHost {
    int frames = 0;
    std::vector<std::pair<int, int32_t>> probes;
    void FrameReady() override { ++frames; }
    void PointerProbed(int region, int32_t angleCode) override
    {
        probes.push_back({region, angleCode});
    }
};

struct View {
    FlowState fs;
    Corner corner;
    FlowView view{fs, corner};
    Host host;
    explicit View(uint32_t seed = 12345, int w = 622, int h = 384)
    {
        EnsureGuiApp();
        fs.v1 = 450.0;
        fs.t1 = 273.0;
        fs.p1 = 100000.0;
        ComputeUpstreamState(fs);
        corner.left = 17; // whatever it held before
        corner.top = 3;
        view.makeDC = MakeImageDC;
        view.Open(w, h, seed);
        view.host = &host;
    }
    uint32_t At(int x, int y) const { return view.windowSurface.At(x, y); }
};

bool InBox(int x, int y, int l, int t, int r, int b)
{
    return x >= l && x <= r && y >= t && y <= b;
}

TEST(FlowViewInit, PlacesTheCornerAndStartsTheCloud)
{
    View v;
    EXPECT_EQ(v.corner.left, 0);
    EXPECT_EQ(v.corner.top, 192);
    EXPECT_EQ(v.corner.width, 622);
    EXPECT_EQ(v.corner.height, 384);
    EXPECT_EQ(v.corner.wallAngle, 0.785375);
    EXPECT_EQ(v.view.width, 622);
    EXPECT_EQ(v.view.height, 384);
    EXPECT_EQ(v.view.tracers.count, 5000);
    EXPECT_EQ(v.view.windowSurface.width, 622);
    EXPECT_EQ(v.view.windowSurface.height, 384);
    EXPECT_EQ(v.view.framePen.colour, (Colour{128, 128, 128}));
    EXPECT_EQ(v.view.framePen.width, 1);
    EXPECT_EQ(v.view.framePen.style, PenStyle::Solid);
    for (const Tracer& t : v.view.tracers) {
        ASSERT_GE(t.x, -518.0);
        ASSERT_LE(t.x, -311.0);
        ASSERT_GE(t.y, -197.0);
        ASSERT_LE(t.y, -5.0);
    }

    // The seed decides the cloud.
    View same(12345), other(54321);
    int differ = 0;
    for (int i = 0; i < 5000; ++i) {
        EXPECT_EQ(same.view.tracers[i].x, v.view.tracers[i].x);
        EXPECT_EQ(same.view.tracers[i].y, v.view.tracers[i].y);
        differ += other.view.tracers[i].x != v.view.tracers[i].x;
    }
    EXPECT_GT(differ, 4000);
}

TEST(FlowViewFrame, EveryLayerWhereItBelongs)
{
    View v;
    v.view.RetraceFlow();
    for (int tick = 0; tick < 120; ++tick) // the cloud drifts in from the left
        v.view.StepTracers();
    std::set<std::pair<int, int>> expected; // where the tracers are when they are drawn
    for (const Tracer& t : v.view.tracers) {
        const int px = TruncToInt(t.x) + 311, py = TruncToInt(t.y) + 192;
        if (px >= 0 && px < 622 && py >= 0 && py < 384)
            expected.insert({px, py});
    }
    ASSERT_GT(expected.size(), 1000u);
    const double mx = 311 + v.view.marker.x, my = 192 + v.view.marker.y;
    const int framesBefore = v.host.frames;
    v.view.Render();
    EXPECT_EQ(v.host.frames, framesBefore + 1);
    const int R = v.view.marker.radius;
    EXPECT_EQ(R, 10); // upstream at 100000 Pa
    const int ml = TruncToInt(mx - R) - 1, mt = TruncToInt(my - R) - 1, mr = TruncToInt(mx + R) + 1,
              mb = TruncToInt(my + R) + 1;

    std::set<std::pair<int, int>> red;
    int orange = 0, green = 0;
    for (int y = 0; y < 384; ++y)
        for (int x = 0; x < 622; ++x) {
            const uint32_t c = v.At(x, y);
            ASSERT_NE(c, kKey) << x << "," << y;
            if (c == kRed)
                red.insert({x, y});
            orange += c == kOrange;
            green += c == kGreen;
        }
    // Red pixels are tracers and nothing else; a tracer's pixel is red unless something
    // drawn later (streamline, frame line, marker) covers it.
    for (const auto& p : red)
        EXPECT_TRUE(expected.count(p)) << p.first << "," << p.second;
    int covered = 0;
    for (const auto& p : expected) {
        const uint32_t c = v.At(p.first, p.second);
        if (c != kRed) {
            ++covered;
            EXPECT_TRUE(c == kGreen || c == kGrey || c == kOrange) << p.first << "," << p.second;
        }
    }
    EXPECT_LT(covered, static_cast<int>(expected.size()) / 20);
    EXPECT_GT(orange, 100); // the marker's fill, about pi·10²
    int outline = 0;        // outlined in the frame's grey pen, drawn just before it
    for (int y = mt; y <= mb; ++y)
        for (int x = ml; x <= mr; ++x)
            outline += v.At(x, y) == kGrey;
    EXPECT_GT(outline, 30);
    EXPECT_GT(green, 200);

    // The blue upstream wall along the corner's row, the grey bottom row.
    for (int x = 0; x < 305; ++x)
        if (!InBox(x, 192, ml, mt, mr, mb)) {
            EXPECT_EQ(v.At(x, 192), kBlue) << x;
        }
    for (int x = 0; x < 622; ++x)
        if (!InBox(x, 383, ml, mt, mr, mb)) {
            EXPECT_EQ(v.At(x, 383), kGrey) << x;
        }

    // The streamlines start at the left edge, 64, 102.4 and 140.8 px above the wall.
    for (double h : {64.0, 102.4, 140.8}) {
        const int row = TruncToInt(192 - h);
        int found = 0;
        for (int y = row - 2; y <= row + 2; ++y)
            for (int x = 1; x < 6; ++x)
                found += v.At(x, y) == kGreen;
        EXPECT_GT(found, 0) << h;
    }
}

// Blue pixels on the flow's boundary line (polar angle -maxTurnAngle) below the corner,
// away from the body-angle arc.
int BoundaryInk(View& v)
{
    const double a = -v.fs.maxTurnAngle;
    int blue = 0;
    for (double r = 30.0; r < 180.0; r += 0.5) {
        if (r > 70.0 && r < 90.0)
            continue;
        const int x = TruncToInt(311 + r * std::cos(a)), y = TruncToInt(192 - r * std::sin(a));
        for (int dx = -1; dx <= 1; ++dx)
            blue += v.At(x + dx, y) == kBlue;
    }
    return blue;
}

TEST(FlowViewFrame, TheFlowBoundaryOnlyPastTheLargestTurn)
{
    View v;
    v.view.RecomputeFlow();
    EXPECT_EQ(BoundaryInk(v), 0);
    v.corner.wallAngle = -1.0; // turned by 2.57 > 2.28
    v.view.RecomputeFlow();
    EXPECT_GT(BoundaryInk(v), 20);
}

TEST(FlowViewFrame, TargetCopySkipsTheKeyColour)
{
    View v;
    v.view.RetraceFlow();
    FrameBuffer target;
    target.Create(622, 384);
    target.Fill(Colour{1, 2, 3});
    const int frames = v.host.frames;
    v.view.Render(&target);
    EXPECT_EQ(v.host.frames, frames); // a frame for someone else's surface
    EXPECT_EQ(target.At(0, 383), kGrey);
    EXPECT_EQ(target.At(5, 192), kBlue);
    EXPECT_EQ(target.At(611, 10), kWhite);

    // A key-coloured pixel in the buffer leaves the target's pixel as it was.
    v.view.buffer.bits[3 * 622 + 3] = 0xFFFE00FEu;
    FrameBuffer again;
    again.Create(622, 384);
    again.Fill(Colour{1, 2, 3});
    v.view.buffer.TransparentCopyTo(again);
    EXPECT_EQ(again.At(3, 3), 0x010203u);
}

TEST(FlowViewFrame, EveryFrameStepsTheTracers)
{
    View v;
    v.view.RetraceFlow();
    const double x0 = v.view.tracers[7].x, step = v.view.tracers[7].stepX;
    const double m0 = v.view.marker.x, mstep = v.view.marker.stepX;
    v.view.Render();
    EXPECT_DOUBLE_EQ(v.view.tracers[7].x, x0 + step);
    EXPECT_DOUBLE_EQ(v.view.marker.x, m0 + mstep);
    const int frames = v.host.frames;
    v.view.TimerTicked(); // one step by the timer, one by the frame
    EXPECT_DOUBLE_EQ(v.view.tracers[7].x, x0 + 3 * step);
    EXPECT_EQ(v.host.frames, frames + 1);
}

TEST(FlowViewFrame, NoBufferStillAnimates)
{
    View v(1, 0, 0); // a picture that could not be made
    EXPECT_EQ(v.view.buffer.bits, nullptr);
    EXPECT_TRUE(v.view.windowSurface.Empty());
    v.view.RecomputeFlow();
    v.view.marker.x = -100.0;
    v.view.marker.y = -20.0;
    v.view.marker.stepX = 1.0;
    v.view.marker.stepY = 0.0;
    v.view.Render();
    EXPECT_EQ(v.view.marker.x, -99.0); // the frame went nowhere, the step was taken
    EXPECT_GE(v.host.frames, 2);
    v.view.TimerTicked();
    v.view.PointerMoved(5, 5);
    EXPECT_EQ(v.host.probes.size(), 1u);
}

TEST(FlowViewMouse, MovesProbeAndOnlyDragsTurnTheWall)
{
    View v;
    v.view.RecomputeFlow();
    const double wall = v.corner.wallAngle;
    struct Case {
        int x, y, region;
        int32_t angleCode;
    } cases[] = {
        {411, 92, 2, 78539},   // pi/4, in the fan
        {211, 92, 1, 235619},  // 3pi/4, upstream
        {411, 292, 3, -78539}, // -pi/4, past the fan
        {311, 300, 1, 157079}, // straight below the corner: pi/2
        {-5000, 192, 3, 0},    // on the wall line: 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const size_t before = v.host.probes.size();
        const int frames = v.host.frames;
        v.view.PointerMoved(c.x, c.y);
        ASSERT_EQ(v.host.probes.size(), before + 1);
        EXPECT_EQ(v.host.probes.back().first, c.region);
        EXPECT_EQ(v.host.probes.back().second, c.angleCode);
        EXPECT_EQ(v.corner.wallAngle, wall);
        EXPECT_EQ(v.host.frames, frames); // nothing recomputed
    }
    // The probe on the first characteristic: machAngle·100000 truncated.
    EXPECT_EQ(TruncToInt(v.fs.machAngle * 100000.0), 84597);
}

TEST(FlowViewMouse, PressDragRelease)
{
    View v;
    v.view.RecomputeFlow();
    int frames = v.host.frames;

    v.view.PointerPressed(311, 300); // below the corner: a vertical wall at once
    EXPECT_TRUE(v.view.dragging);
    EXPECT_EQ(v.corner.wallAngle, 0.0);
    EXPECT_NEAR(v.fs.fanEndAngle, -0.224770, 1e-6);
    EXPECT_EQ(v.host.frames, ++frames);
    EXPECT_TRUE(v.host.probes.empty()); // a press does not probe

    v.view.PointerMoved(500, 300);
    EXPECT_DOUBLE_EQ(v.corner.wallAngle, std::atan(189.0 / 108.0));
    EXPECT_EQ(v.host.frames, ++frames);
    EXPECT_EQ(v.host.probes.size(), 1u);

    v.view.PointerMoved(-1000, 5000); // outside the picture: still dragging
    EXPECT_DOUBLE_EQ(v.corner.wallAngle, std::atan(-1311.0 / 4808.0));
    EXPECT_EQ(v.host.frames, ++frames);

    const double wall = v.corner.wallAngle;
    v.view.PointerMoved(100, 100); // up and to the left: the wall stays, the flow is recomputed
    EXPECT_EQ(v.corner.wallAngle, wall);
    EXPECT_EQ(v.host.frames, ++frames);

    v.view.PointerReleased();
    EXPECT_FALSE(v.view.dragging);
    EXPECT_EQ(v.host.frames, frames); // a release redraws nothing
    v.view.PointerMoved(500, 300);
    EXPECT_EQ(v.corner.wallAngle, wall);
    EXPECT_EQ(v.host.frames, frames);
    EXPECT_EQ(v.host.probes.size(), 4u);
}

} // namespace
