// The picture: the field's start, the composed frame's layers, and that composing a frame moves
// nothing.
#include <cmath>
#include <cstring>
#include <set>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/saturate.h"
#include "corner/corner.h"
#include "model/classify.h"
#include "tests/support/start_up.h"
#include "view/flow_view.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x149B00, kGrey = 0x808080, kOrange = 0xFF6000,
                   kBlue = 0x0000FF, kKey = 0xFE00FE;

struct Picture {
    FlowState fs;
    Corner corner;
    FlowField field{fs, corner};
    FlowView view{field};
    FrameBuffer frame;
    explicit Picture(uint32_t seed = 12345, int w = start::kWidth, int h = start::kHeight)
    {
        fs.v1 = 450.0;
        fs.t1 = 273.0;
        fs.p1 = 100000.0;
        ComputeUpstreamState(fs);
        corner.left = 17; // whatever it held before
        corner.top = 3;
        field.Open(w, h, seed);
        field.RetraceFlow();
    }
    void Compose() { view.Compose(frame, 1); }
    uint32_t At(int x, int y) const { return frame.At(x, y); }
};

// The bits of every number the field keeps for its moving parts.
std::vector<double> Positions(const FlowField& f)
{
    std::vector<double> out;
    auto add = [&](const Tracer& t) {
        for (double v : {t.x, t.y, t.stepX, t.stepY, t.phi, t.vR, t.vPhi, t.entryRadius})
            out.push_back(v);
    };
    for (const Tracer& t : f.tracers)
        add(t);
    add(f.marker);
    return out;
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

bool InBox(int x, int y, int l, int t, int r, int b)
{
    return x >= l && x <= r && y >= t && y <= b;
}

TEST(FlowFieldOpen, PlacesTheCornerAndStartsTheCloud)
{
    Picture p;
    EXPECT_EQ(p.corner.left, 0);
    EXPECT_EQ(p.corner.top, 192);
    EXPECT_EQ(p.corner.width, start::kWidth);
    EXPECT_EQ(p.corner.height, 384);
    EXPECT_EQ(p.corner.wallAngle, start::kWall);
    EXPECT_EQ(p.field.tracers.count, 5000);
    for (const Tracer& t : p.field.tracers) {
        ASSERT_GE(t.x, -518.0);
        ASSERT_LE(t.x, -311.0);
        ASSERT_GE(t.y, -197.0);
        ASSERT_LE(t.y, -5.0);
    }

    // The seed decides the cloud.
    Picture same(12345), other(54321);
    int differ = 0;
    for (int i = 0; i < 5000; ++i) {
        EXPECT_EQ(same.field.tracers[i].x, p.field.tracers[i].x);
        EXPECT_EQ(same.field.tracers[i].y, p.field.tracers[i].y);
        differ += other.field.tracers[i].x != p.field.tracers[i].x;
    }
    EXPECT_GT(differ, 4000);
}

TEST(FlowViewFrame, EveryLayerWhereItBelongs)
{
    Picture p;
    for (int tick = 0; tick < 120; ++tick) // the cloud drifts in from the left
        p.field.StepTracers();
    std::set<std::pair<int, int>> expected; // where the tracers are
    for (const Tracer& t : p.field.tracers) {
        const int px = TruncToInt(t.x) + 311, py = TruncToInt(t.y) + 192;
        if (px >= 0 && px < start::kWidth && py >= 0 && py < 384)
            expected.insert({px, py});
    }
    ASSERT_GT(expected.size(), 1000u);
    const double mx = 311 + p.field.marker.x, my = 192 + p.field.marker.y;
    p.Compose();
    const int R = p.field.marker.Radius(p.fs, p.corner);
    EXPECT_EQ(R, 10); // upstream at 100000 Pa
    const int ml = TruncToInt(mx - R) - 1, mt = TruncToInt(my - R) - 1, mr = TruncToInt(mx + R) + 1,
              mb = TruncToInt(my + R) + 1;

    std::set<std::pair<int, int>> red;
    int orange = 0, green = 0;
    for (int y = 0; y < 384; ++y)
        for (int x = 0; x < start::kWidth; ++x) {
            const uint32_t c = p.At(x, y);
            ASSERT_NE(c, kKey) << x << "," << y;
            if (c == kRed)
                red.insert({x, y});
            orange += c == kOrange;
            green += c == kGreen;
        }
    // Red pixels are tracers and nothing else; a tracer's pixel is red unless something
    // drawn later (streamline, frame line, marker) covers it.
    for (const auto& q : red)
        EXPECT_TRUE(expected.count(q)) << q.first << "," << q.second;
    int covered = 0;
    for (const auto& q : expected) {
        const uint32_t c = p.At(q.first, q.second);
        if (c != kRed) {
            ++covered;
            EXPECT_TRUE(c == kGreen || c == kGrey || c == kOrange) << q.first << "," << q.second;
        }
    }
    EXPECT_LT(covered, static_cast<int>(expected.size()) / 20);
    EXPECT_GT(orange, 100); // the marker's fill, about pi·10²
    int outline = 0;        // outlined in the frame's grey pen, drawn just before it
    for (int y = mt; y <= mb; ++y)
        for (int x = ml; x <= mr; ++x)
            outline += p.At(x, y) == kGrey;
    EXPECT_GT(outline, 30);
    EXPECT_GT(green, 200);

    // The blue upstream wall along the corner's row, the grey bottom row.
    for (int x = 0; x < 305; ++x)
        if (!InBox(x, 192, ml, mt, mr, mb)) {
            EXPECT_EQ(p.At(x, 192), kBlue) << x;
        }
    for (int x = 0; x < start::kWidth; ++x)
        if (!InBox(x, 383, ml, mt, mr, mb)) {
            EXPECT_EQ(p.At(x, 383), kGrey) << x;
        }

    // The streamlines start at the left edge, 64, 102.4 and 140.8 px above the wall.
    for (double h : {64.0, 102.4, 140.8}) {
        const int row = TruncToInt(192 - h);
        int found = 0;
        for (int y = row - 2; y <= row + 2; ++y)
            for (int x = 1; x < 6; ++x)
                found += p.At(x, y) == kGreen;
        EXPECT_GT(found, 0) << h;
    }
}

// Blue pixels on the flow's boundary line (polar angle -maxTurnAngle) below the corner,
// away from the body-angle arc.
int BoundaryInk(const Picture& p)
{
    const double a = -p.fs.maxTurnAngle;
    int blue = 0;
    for (double r = 30.0; r < 180.0; r += 0.5) {
        if (r > 70.0 && r < 90.0)
            continue;
        const int x = TruncToInt(311 + r * std::cos(a)), y = TruncToInt(192 - r * std::sin(a));
        for (int dx = -1; dx <= 1; ++dx)
            blue += p.At(x + dx, y) == kBlue;
    }
    return blue;
}

// At a low pressure the marker keeps its largest radius and leaves most of the picture in
// sight, upstream and in the fan alike.
TEST(FlowViewFrame, TheMarkerNeverHidesThePicture)
{
    Picture p;
    p.fs.p1 = 1000.0; // 1000000 / P1 would be 1000 px
    ComputeUpstreamState(p.fs);
    p.field.RetraceFlow();
    int shown = 0; // frames with the marker in the picture
    for (int tick = 0; tick < 400; tick += 100) {
        for (int i = 0; i < 100; ++i)
            p.field.AdvanceToFrame();
        p.Compose();
        int orange = 0;
        for (int y = 0; y < start::kHeight; ++y)
            for (int x = 0; x < start::kWidth; ++x)
                orange += p.At(x, y) == kOrange;
        shown += orange > 0;
        EXPECT_LT(orange, start::kWidth * start::kHeight / 4) << tick;
    }
    EXPECT_GT(shown, 0);
}

TEST(FlowViewFrame, TheFlowBoundaryOnlyPastTheLargestTurn)
{
    Picture p;
    p.Compose();
    EXPECT_EQ(BoundaryInk(p), 0);
    p.corner.wallAngle = -1.0; // turned by 2.57 > 2.28
    p.field.RetraceFlow();
    p.Compose();
    EXPECT_GT(BoundaryInk(p), 20);
}

// Drawing is a pure function of the state: composing frames, at any scale and into any
// buffer, moves no tracer, and the clock alone does.
TEST(FlowViewFrame, ComposingMovesNothing)
{
    Picture p;
    for (int i = 0; i < 40; ++i) { // into the fan
        p.field.StepTracers();
        p.field.StepAfterFrame();
    }
    const std::vector<double> before = Positions(p.field);
    for (int i = 0; i < 50; ++i)
        p.view.Compose(p.frame, 1 + i % 3);
    FrameBuffer elsewhere;
    p.view.Compose(elsewhere, 2);
    EXPECT_TRUE(SameBits(Positions(p.field), before));

    // Two frames of the same state are the same frame.
    FrameBuffer a, b;
    p.view.Compose(a, 1);
    p.view.Compose(b, 1);
    EXPECT_EQ(a.pixels, b.pixels);

    // A picture that could not be made composes into nothing, and the clock still runs.
    Picture none(1, 0, 0);
    none.Compose();
    EXPECT_TRUE(none.frame.Empty());
    const double m0 = none.field.marker.x;
    none.field.StepTracers();
    none.field.StepAfterFrame();
    EXPECT_NE(none.field.marker.x, m0);
}

} // namespace

namespace {

// The layers laid over each other as a shell stacks them: below, the tracers enlarged without
// smoothing, above, the marker.
std::vector<uint32_t> Flatten(const FrameLayers& l)
{
    std::vector<uint32_t> out(l.below->pixels);
    const int s = l.below->scale;
    const uint32_t key = l.above->keyColour.Rgb32() & 0xFFFFFFu;
    for (int y = 0; y < l.below->deviceHeight; ++y)
        for (int x = 0; x < l.below->deviceWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * l.below->deviceWidth + x;
            uint32_t& p = out[i];
            const uint32_t tracer = l.tracers.bits[(y / s) * l.tracers.deviceWidth + x / s];
            if (tracer >> 24)
                p = tracer;
            if ((l.above->bits[i] & 0xFFFFFFu) != key)
                p = l.above->bits[i];
            if (l.marker.bits[i] >> 24)
                p = l.marker.bits[i];
        }
    return out;
}

} // namespace

// Stacked, the layers are the frame, pixel for pixel, at any scale, tick after tick, when the
// wall turns and when the marker swells or leaves the picture; and only the static layers'
// changes renew them.
TEST(FlowViewLayers, StackedTheyAreTheFrame)
{
    for (int scale : {1, 3}) {
        SCOPED_TRACE(scale);
        Picture p;
        FrameLayers layers;
        for (int tick = 0; tick < 160; ++tick) {
            p.field.StepTracers();
            p.view.Compose(p.frame, scale);
            const unsigned long version = layers.staticVersion;
            p.view.ComposeLayers(layers, scale);
            if (tick > 0 && tick != 80) {
                EXPECT_EQ(layers.staticVersion, version) << "a tick renewed the static layers";
            }
            if (tick % 20 == 0 || tick == 80) {
                const std::vector<uint32_t> flat = Flatten(layers);
                size_t differ = 0, first = 0;
                for (size_t i = 0; i < flat.size(); ++i)
                    if (flat[i] != p.frame.pixels[i] && differ++ == 0)
                        first = i;
                ASSERT_EQ(differ, 0u)
                    << "tick " << tick << ": first at (" << first % p.frame.deviceWidth << ", "
                    << first / p.frame.deviceWidth << ") " << std::hex << flat[first] << " vs "
                    << p.frame.pixels[first];
            }
            p.field.StepAfterFrame();
            if (tick == 79) { // the wall turned: the static layers follow
                p.corner.wallAngle = 0.2;
                p.field.RetraceFlow();
            }
        }
    }
}
