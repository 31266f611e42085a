// The corner overlay, call by call and on a real picture. Expected coordinates and label
// values were worked out independently from the flow formulas (V1 450, T1 273, P1 100000):
// machAngle 0.8459714, sonicLineAngle 1.6957902, fanEndAngle 0.3105851 at the start-up wall
// angle 0.785375; maxTurnAngle 2.2768532.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "corner/corner.h"
#include "draw/raster_dc.h"
#include "model/flow_state.h"
#include "platform/image_dc.h"
#include "tests/support/gui_app.h"
#include "tests/support/recording_dc.h"
#include "tests/support/start_up.h"
#include "tracers/flow_field.h"

namespace {

struct Scene {
    FlowState fs;
    Corner corner;
    explicit Scene(double wallAngle = start::kWall, double v1 = 450.0)
    {
        fs.v1 = v1;
        fs.t1 = 273.0;
        fs.p1 = 100000.0;
        ComputeUpstreamState(fs);
        corner.left = 0;
        corner.top = 192;
        corner.width = start::kWidth;
        corner.height = 384;
        corner.wallAngle = wallAngle;
        corner.ComputeFanGeometry(fs);
    }
    RecordingDC Record() const
    {
        RecordingDC dc;
        corner.Draw(dc, fs);
        return dc;
    }
};

using K = DrawCall;

struct Expected {
    DrawCall::Kind kind;
    int a = 0, b = 0, c = 0;
    const void* object = nullptr;
    std::string text = {};
};

void ExpectCalls(const RecordingDC& dc, const std::vector<Expected>& expected)
{
    ASSERT_EQ(dc.calls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const DrawCall& got = dc.calls[i];
        const Expected& e = expected[i];
        EXPECT_EQ(got.kind, e.kind) << "call " << i;
        if (e.kind == K::SelectPen || e.kind == K::SelectFont) {
            EXPECT_EQ(got.object, e.object) << "call " << i;
            continue;
        }
        EXPECT_EQ(got.a, e.a) << "call " << i;
        EXPECT_EQ(got.b, e.b) << "call " << i;
        if (e.kind == K::Arc) {
            EXPECT_EQ(got.c, e.c) << "call " << i;
        }
        if (e.kind == K::DrawText) {
            EXPECT_EQ(got.text, e.text) << "call " << i;
        }
    }
}

} // namespace

TEST(CornerDraw, StartUpOverlayCallByCall)
{
    const Scene s;
    const Corner& c = s.corner;
    const RecordingDC dc = s.Record();
    ExpectCalls(dc, {
                        {K::SelectPen, 0, 0, 0, &c.wallPen},
                        {K::MoveTo, 0, 192},
                        {K::LineTo, 311, 192},
                        {K::LineTo, 694, 576}, // 311 + 384 tan(0.785375) = 694.98
                        {K::SelectFont, 0, 0, 0, &c.labelFont},
                        {K::SelectPen, 0, 0, 0, &c.thinPen},
                        {K::MoveTo, 281, 192},
                        {K::Arc, 311, 192, 80},
                        {K::DrawText, 241, 194, 0, nullptr, "\u03B2=135"},
                        {K::SelectPen, 0, 0, 0, &c.dashPen},
                        {K::MoveTo, 311, 192},
                        {K::LineTo, 262, -192}, // sonic line: 311 + 384/tan(1.69579) = 262.8
                        {K::MoveTo, 311, 192},
                        {K::LineTo, 651, -192}, // first characteristic: 311 + 340.1
                        {K::MoveTo, 311, 192},
                        {K::LineTo, 1507, -192}, // last characteristic, above the horizontal
                        {K::SelectPen, 0, 0, 0, &c.thinPen}, // no flow boundary
                        {K::MoveTo, 311, 192},
                        {K::LineTo, 388, 192}, // 311 + 622/8
                        {K::MoveTo, 341, 192},
                        {K::Arc, 311, 192, 25},
                        {K::DrawText, 351, 172, 0, nullptr, "\u03B1=48"},
                        {K::DrawText, 10, 354, 0, nullptr, "\u03C7=45, \u0394\u03C6=31"},
                    });
    const std::vector<DrawCall> arcs = dc.Of(K::Arc);
    ASSERT_EQ(arcs.size(), 2u);
    EXPECT_EQ(arcs[0].start, 180.0f);
    EXPECT_NEAR(arcs[0].sweep, 134.998673, 1e-4);
    EXPECT_EQ(arcs[1].start, 0.0f);
    EXPECT_NEAR(arcs[1].sweep, 48.470591, 1e-4);
    // The pens are the overlay's own.
    EXPECT_EQ(dc.calls[0].width, 3);
    EXPECT_EQ(dc.calls[0].colour, (Colour{0, 0, 255}));
    EXPECT_EQ(dc.calls[9].style, PenStyle::Dash);
    EXPECT_EQ(dc.calls[9].colour, (Colour{0, 0, 0}));
}

TEST(CornerDraw, FlowBoundaryOnlyPastTheLargestTurn)
{
    // Wall angle -1.0 turns the flow by 2.5708 rad, past maxTurnAngle: separation.
    const Scene s(-1.0);
    ASSERT_LT(s.corner.separationAngle, -0.0001);
    const RecordingDC dc = s.Record();
    const std::vector<DrawCall> lines = dc.Of(K::LineTo);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[1].a, -287); // downstream wall leans back: 311 + 384 tan(-1.0) = -287.0
    EXPECT_EQ(lines[1].b, 576);
    EXPECT_EQ(lines[4].a, 761); // last characteristic at -0.706057, below the horizontal
    EXPECT_EQ(lines[4].b, 576);
    EXPECT_EQ(lines[5].a, -16); // dotted: 311 + 384/tan(2.276853) = -16.9
    EXPECT_EQ(lines[5].b, 576);
    bool dotted = false;
    for (const DrawCall& c : dc.Of(K::SelectPen))
        dotted = dotted || c.object == &s.corner.dotPen;
    EXPECT_TRUE(dotted);
    const std::vector<DrawCall> texts = dc.Of(K::DrawText);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "\u03B2=33");
    // The turn shown is maxTurnAngle, not the wall's 2.5708.
    EXPECT_EQ(texts[2].text, "\u03C7=130, \u0394\u03C6=89");

    // Just inside the dead band no boundary is drawn, whatever else holds.
    for (double sep : {-0.0001, -0.00005, 0.0}) {
        Scene t;
        t.corner.separationAngle = sep;
        const RecordingDC quiet = t.Record();
        EXPECT_EQ(quiet.calls.size(), 23u) << sep;
        for (const DrawCall& c : quiet.Of(K::SelectPen))
            EXPECT_NE(c.object, &t.corner.dotPen) << sep;
    }
}

TEST(CornerDraw, HorizontalLastCharacteristicAndSubsonicFlow)
{
    Scene s;
    s.fs.fanEndAngle = 0.0;
    const std::vector<DrawCall> lines = s.Record().Of(K::LineTo);
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[4].a, 311 + 384000);
    EXPECT_EQ(lines[4].b, 576);

    // Subsonic: the fan angles are not numbers; walls, beta arc and label only.
    const Scene sub(start::kWall, 200.0);
    ASSERT_TRUE(std::isnan(sub.fs.machAngle));
    const RecordingDC dc = sub.Record();
    ASSERT_EQ(dc.calls.size(), 10u);
    EXPECT_EQ(dc.calls.back().kind, K::SelectPen);
    EXPECT_EQ(dc.calls.back().object, &sub.corner.dashPen);
    ASSERT_EQ(dc.Of(K::DrawText).size(), 1u);
    EXPECT_EQ(dc.Of(K::DrawText)[0].text, "\u03B2=135");
    EXPECT_EQ(dc.Of(K::Arc).size(), 1u);
}

TEST(CornerDraw, ExtremeWallAnglesSaturate)
{
    // Right of the corner above the wall: atan(20 width), the wall almost in line.
    Scene nearlyFlat(std::atan(20.0 * start::kWidth));
    std::vector<DrawCall> lines = nearlyFlat.Record().Of(K::LineTo);
    EXPECT_EQ(lines[1].a, 311 + 384 * 12440); // tan(atan(12440)) = 12440
    // pi/2 itself: tan is 1.6e16, far past the int range; the end point saturates.
    Scene flat(1.5707963267948966);
    lines = flat.Record().Of(K::LineTo);
    EXPECT_EQ(lines[1].a, INT_MAX);
    EXPECT_EQ(lines[1].b, 576);
    // A ray whose angle is not a number is not drawn at all (a line to x = 0 would be a
    // line in no direction of its own); the arc's infinite sweep reaches the device context,
    // which refuses it.
    Scene odd;
    odd.fs.sonicLineAngle = std::numeric_limits<double>::quiet_NaN();
    odd.fs.machAngle = std::numeric_limits<double>::infinity();
    odd.fs.fanEndAngle = 0.1;
    const RecordingDC dc = odd.Record();
    const std::vector<DrawCall> drawn = dc.Of(K::LineTo);
    ASSERT_EQ(drawn.size(), 4u);       // two walls, the last characteristic, the reference line
    EXPECT_EQ(drawn[2].a, 311 + 3827); // 384/tan(0.1) = 3827.2
    EXPECT_EQ(drawn[2].b, -192);
    EXPECT_TRUE(std::isinf(dc.Of(K::Arc)[1].sweep));
}

namespace {

// One straight piece as drawn: from the current position to a LineTo, in the pen selected.
struct Piece {
    const void* pen;
    double x0, y0, x1, y1;
};

std::vector<Piece> Pieces(const RecordingDC& dc)
{
    std::vector<Piece> out;
    const void* pen = nullptr;
    double x = 0, y = 0;
    for (const DrawCall& c : dc.calls) {
        if (c.kind == K::SelectPen)
            pen = c.object;
        else if (c.kind == K::MoveTo)
            x = c.a, y = c.b;
        else if (c.kind == K::LineTo) {
            out.push_back({pen, x, y, double(c.a), double(c.b)});
            x = c.a, y = c.b;
        }
    }
    return out;
}

// The piece leaves the corner (311, 192) in the direction (cos phi, -sin phi) of its polar
// angle, within a few thousandths of a radian (the end point is rounded to whole pixels; a
// horizontal last characteristic falls by one part in a thousand), and ends outside the
// 622 x 384 picture so that it reaches the picture's edge.
void ExpectRay(const Piece& p, double phi, const char* what)
{
    EXPECT_EQ(p.x0, 311) << what << " at " << phi;
    EXPECT_EQ(p.y0, 192) << what << " at " << phi;
    const double drawn = std::atan2(-(p.y1 - p.y0), p.x1 - p.x0);
    const double off = std::remainder(drawn - phi, 2.0 * M_PI);
    EXPECT_LT(std::fabs(off), 0.005)
        << what << " at " << phi << " drawn toward " << p.x1 << "," << p.y1;
    EXPECT_TRUE(p.x1 < 0 || p.x1 >= start::kWidth || p.y1 < 0 || p.y1 >= start::kHeight)
        << what << " at " << phi << " stops inside the picture at " << p.x1 << "," << p.y1;
}

} // namespace

TEST(CornerDraw, EveryRayLeavesTheCornerInItsOwnDirection)
{
    // A fast flow (M1 7.42): the sonic line lies past pi, inside the body below the upstream
    // wall; no line of the flow is drawn there (nor up and to the right into the fan, where it
    // would pass for a characteristic).
    const Scene fast(start::kWall, 2500.0);
    ASSERT_GT(fast.fs.sonicLineAngle, M_PI);
    const std::vector<Piece> drawn = Pieces(fast.Record());
    ASSERT_EQ(drawn.size(), 5u);
    ExpectRay(drawn[2], fast.fs.machAngle, "first characteristic");

    // Every ray of the overlay over a sweep of angles: the quarter turns exactly, angles
    // just either side of pi, past pi and below zero. Each angle is drawn twice, once as it
    // is and once a full turn away, so that the first characteristic stays above the last.
    const double sweep[] = {0.0,         -0.0,  1e-9,        0.3,     M_PI_2,    2.0,
                            M_PI - 1e-9, M_PI,  M_PI + 1e-9, 3.3,     3.85,      1.5 * M_PI,
                            5.5,         -1e-9, -0.3,        -M_PI_2, -2.276853, -M_PI};
    for (double phi : sweep) {
        for (int pass = 0; pass < 2; ++pass) {
            Scene s;
            // Pass 0: the sonic line and the first characteristic at phi, the last one a
            // turn below it; pass 1: the last characteristic at phi, the first a turn above.
            s.fs.sonicLineAngle = phi;
            s.fs.machAngle = pass == 0 ? phi : phi + 2.0 * M_PI;
            s.fs.fanEndAngle = pass == 0 ? phi - 2.0 * M_PI : phi;
            s.corner.separationAngle = pass == 0 ? phi - 2.0 * M_PI : phi;
            // The downstream wall's polar angle is wallAngle - pi/2.
            s.corner.wallAngle = phi + M_PI_2;
            const bool boundary = s.corner.separationAngle < -0.0001;
            const bool sonic = phi <= M_PI; // past pi it would lie inside the body
            const size_t n = 5u + (sonic ? 1u : 0u) + (boundary ? 1u : 0u);
            const std::vector<Piece> p = Pieces(s.Record());
            ASSERT_EQ(p.size(), n) << phi << " pass " << pass;
            ExpectRay(p[1], phi, "downstream wall");
            size_t i = 2;
            if (sonic)
                ExpectRay(p[i++], phi, "sonic line");
            ExpectRay(p[i++], phi, "first characteristic");
            ExpectRay(p[i++], phi, "last characteristic");
            if (boundary) {
                EXPECT_EQ(p[i].pen, &s.corner.dotPen);
                ExpectRay(p[i], phi, "flow boundary");
            }
        }
    }
}

TEST(CornerDraw, DrawnIntoAPicture)
{
    EnsureGuiApp();
    for (int scale : {1, 2}) {
        Scene s;
        FrameBuffer buffer;
        buffer.Create(start::kWidth, start::kHeight, scale);
        ASSERT_NE(buffer.bits, nullptr);
        auto at = [&](int x, int y) { return buffer.At(x * scale, y * scale); };
        {
            const std::unique_ptr<DC> dc = MakeImageDC(buffer);
            dc->FillRect(0, 0, start::kWidth, start::kHeight, Colour{255, 255, 255});
            s.corner.Draw(*dc, s.fs);
        }
        // The upstream wall, three rows thick, and the downstream wall at 45 degrees.
        for (int x : {0, 100, 200, 300})
            for (int y : {191, 192, 193})
                EXPECT_EQ(at(x, y), 0x0000FFu) << x << "," << y;
        EXPECT_EQ(at(100, 189), 0xFFFFFFu);
        EXPECT_EQ(at(411, 292), 0x0000FFu); // 311 + 100 tan(0.785375), 192 + 100
        // The first characteristic (dashed, black) crosses row 92 near x = 311 + 100/tan(0.846).
        bool dash = false;
        for (int x = 395; x <= 402; ++x)
            dash = dash || at(x, 92) == 0x000000u;
        for (int y = 80; y < 105 && !dash; ++y)
            for (int x = 380; x <= 420; ++x)
                dash = dash || at(x, y) == 0x000000u;
        EXPECT_TRUE(dash);
        // Each label leaves dark ink in its place.
        auto inked = [&](int x0, int y0, int x1, int y1) {
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    const uint32_t p = at(x, y);
                    if ((p & 0xFF) < 100 && ((p >> 8) & 0xFF) < 100)
                        return true;
                }
            return false;
        };
        EXPECT_TRUE(inked(241, 194, 300, 214)) << "beta";
        EXPECT_TRUE(inked(378, 176, 396, 192)) << "alpha"; // clear of the last characteristic
        EXPECT_TRUE(inked(10, 354, 120, 374)) << "chi";
        EXPECT_FALSE(inked(10, 300, 120, 340));
    }
}

// A picture shown smaller than one display unit per pixel (a phone's page) gets labels whose
// digits stand at least kLeastLabelDigits units high on the screen, in the desktop's fonts. The
// ink is what the text changed, darker by half or more: alpha's label is as high as its digits
// (alpha and "=" lie within them); beta's and chi's Greek letters reach below. Each label stays
// whole inside the picture and off its arc, and every other pixel is the desktop's.
TEST(CornerDraw, LabelsGrowOnAPictureShownSmall)
{
    EnsureGuiApp();
    const int scale = 2; // an upright phone's frame scale
    const Scene s;
    auto draw = [&](int cell, bool text) {
        Corner corner = s.corner;
        corner.labelFont.height = cell;
        FrameBuffer buffer;
        buffer.Create(start::kWidth, start::kHeight, scale);
        {
            const std::unique_ptr<DC> dc = text ? MakeImageDC(buffer)
                                                : std::make_unique<RasterDC>(buffer);
            dc->FillRect(0, 0, start::kWidth, start::kHeight, Colour{255, 255, 255});
            corner.Draw(*dc, s.fs);
        }
        return std::move(buffer.pixels);
    };
    const std::vector<uint32_t> desktopShapes = draw(kLabelCell, false);
    const int w = start::kWidth * scale;
    const int h = start::kHeight * scale;
    const int apexX = s.corner.ApexX();
    const int top = s.corner.top;
    for (double units : {390.0 / start::kWidth, 320.0 / start::kWidth}) {
        SCOPED_TRACE(units);
        const int cell = LabelCellFor(units, start::kWidth);
        ASSERT_GT(cell, kLabelCell);
        const std::vector<uint32_t> shapes = draw(cell, false);
        EXPECT_TRUE(shapes == desktopShapes);
        const std::vector<uint32_t> drawn = draw(cell, true);
        auto sum = [](uint32_t p) { return (p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF); };
        // Device pixel boxes of alpha's, beta's and chi's ink, told apart by where they stand.
        struct Box {
            int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
        } box[3];
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const size_t i = static_cast<size_t>(y) * w + x;
                if (drawn[i] == shapes[i] || 2 * sum(drawn[i]) > sum(shapes[i]))
                    continue;
                Box& b = box[y < top * scale ? 0 : y < (top + start::kHeight) * scale / 2 ? 1 : 2];
                b.x0 = std::min(b.x0, x);
                b.y0 = std::min(b.y0, y);
                b.x1 = std::max(b.x1, x);
                b.y1 = std::max(b.y1, y);
            }
        const char* names[] = {"alpha", "beta", "chi"};
        for (int k = 0; k < 3; ++k) {
            const Box& b = box[k];
            ASSERT_LE(b.y0, b.y1) << names[k] << " has no ink";
            EXPECT_GE((b.y1 - b.y0 + 1) / double(scale) * units, kLeastLabelDigits) << names[k];
            EXPECT_TRUE(b.x0 > 0 && b.y0 > 0 && b.x1 < w - 1 && b.y1 < h - 1) << names[k];
        }
        // Alpha right of its arc (radius 25) and above the reference line; beta left of its
        // arc's start (radius 80), under the upstream wall's three rows.
        EXPECT_GT(box[0].x0, (apexX + 25) * scale);
        EXPECT_LT(box[0].y1, top * scale);
        EXPECT_LT(box[1].x1, (apexX - 80) * scale);
        EXPECT_GT(box[1].y0, (top + 1) * scale);
    }
}

// What a drag may draw, rendered ahead: every label the overlay draws at a wall a pointer
// within reach gives (picture pixels below the corner, the level row, the range's ends) is
// among LabelsNear's, the standing wall's own first; a wall out of reach adds its own and is
// not looked at. At the start-up flow, a fast cold one (alpha small, walls past the largest
// turn) and a gas of its own.
TEST(CornerDraw, LabelsNearHoldEveryLabelADragDraws)
{
    const double reach = 0.5;
    for (const double v1 : {450.0, 3000.0}) {
        for (const double gamma : {1.4, 1.1}) {
            SCOPED_TRACE(testing::Message() << "V1 " << v1 << ", gamma " << gamma);
            Scene s(start::kWall, v1);
            s.fs.gamma = gamma;
            ComputeUpstreamState(s.fs);
            s.corner.ComputeFanGeometry(s.fs);
            auto drawnAt = [&](double wall) {
                Corner c = s.corner;
                FlowState fs = s.fs;
                c.SetWallAngle(wall);
                c.ComputeFanGeometry(fs);
                RecordingDC dc;
                c.Draw(dc, fs);
                std::vector<std::string> texts;
                for (const DrawCall& call : dc.calls)
                    if (call.kind == K::DrawText)
                        texts.push_back(call.text);
                return texts;
            };
            const std::vector<std::string> near = s.corner.LabelsNear(s.fs, reach);
            const std::vector<std::string> here = drawnAt(s.corner.wallAngle);
            ASSERT_EQ(here.size(), 3u);
            ASSERT_GE(near.size(), 3u);
            EXPECT_TRUE(std::is_permutation(near.begin(), near.begin() + 3, here.begin()));
            std::vector<double> walls = {s.corner.MostTurnedBack(), -s.corner.MostTurnedBack()};
            for (int y = s.corner.top; y < s.corner.top + s.corner.height; y += 3)
                for (int x = s.corner.left; x < s.corner.left + s.corner.width; x += 2) {
                    Corner c = s.corner;
                    c.SetWallFromPoint(x, y);
                    walls.push_back(c.WithinDragRange(c.wallAngle));
                }
            int within = 0, beyond = 0;
            for (const double wall : walls) {
                const std::vector<std::string> texts = drawnAt(wall);
                const double away = std::fabs(wall - s.corner.wallAngle);
                if (away <= reach) {
                    ++within;
                    for (const std::string& t : texts)
                        ASSERT_NE(std::find(near.begin(), near.end(), t), near.end())
                            << t << " at wall " << wall;
                } else if (away > reach + 0.05
                           && std::find(near.begin(), near.end(), texts[0]) == near.end()) {
                    ++beyond;
                }
            }
            EXPECT_GT(within, 1000);
            EXPECT_GT(beyond, 1000);
        }
    }
}

namespace {

// The states whose labels lines crossed on a phone's page, and the exact theory's: V1, m/s; T1,
// K; beta, deg; the physics the overlay follows.
struct LabelCase {
    const char* name;
    double v1, t1, beta;
    Physics physics;
};
const LabelCase kLabelCases[] = {
    {"start-up", 450, 273, 135, Physics::Model},
    {"beta 40", 450, 273, 40, Physics::Model},
    {"V1 900 beta 100", 900, 273, 100, Physics::Model},
    {"V1 3000", 3000, 273, 135, Physics::Model},
    {"T1 0", 450, 0, 135, Physics::Model},
    {"exact start-up", 450, 273, 135, Physics::Exact},
    {"exact beta 10", 450, 273, 10, Physics::Exact},
    {"exact beta 40", 450, 273, 40, Physics::Exact},
    {"exact V1 900 beta 200", 900, 273, 200, Physics::Exact},
    {"exact beta 200 detached", 450, 273, 200, Physics::Exact},
};

Scene SceneOf(const LabelCase& c, int cell)
{
    Scene s(Corner::WallAngleOfBodyAngle(c.beta), c.v1);
    s.fs.t1 = c.t1;
    ComputeUpstreamState(s.fs);
    s.corner.physics = c.physics;
    s.corner.ComputeFanGeometry(s.fs);
    s.corner.labelFont.height = cell;
    return s;
}

// The overlay at scale 1 on white, its shapes only (RasterDC without a painter) or with the
// desktop's text, and over it what drawnOver draws (the picture's streamlines), which its labels
// keep clear of.
std::vector<uint32_t> DrawOverlay(const Scene& s, bool text,
                                  const Corner::DrawnOver& drawnOver = nullptr)
{
    FrameBuffer buffer;
    buffer.Create(start::kWidth, start::kHeight, 1);
    {
        const std::unique_ptr<DC> dc = text ? MakeImageDC(buffer)
                                            : std::make_unique<RasterDC>(buffer);
        s.corner.Draw(*dc, s.fs, drawnOver);
        if (drawnOver)
            drawnOver(*dc);
    }
    return std::move(buffer.pixels);
}

} // namespace

// No line or arc of the overlay, nor any streamline drawn over it, crosses a label's text: on a
// phone's page 390 and 320 px wide (labels larger than the picture's own scale) in every case (on
// the smallest phone at beta 40 chi's label finds no gap in the label font and is written
// smaller), and at the picture's own scale for the exact theory's
// labels. A line's pixel is any the shapes drew that is not white and not one of the exact
// theory's tints; the labels' boxes are Corner's, and the desktop's text lies inside them (its
// ink: where the text changed the shapes' picture), so the boxes hold what the painter draws.
// Beta's label stands inside the body.
TEST(CornerDraw, NoLineCrossesALabel)
{
    EnsureGuiApp();
    // The picture as the page shows it: 358 and 288 CSS px wide on screens 390 and 320 wide.
    const int phone = LabelCellFor(358.0 / start::kWidth, start::kWidth);
    const int smallest = LabelCellFor(288.0 / start::kWidth, start::kWidth);
    ASSERT_GT(phone, kLabelCell);
    ASSERT_GT(smallest, phone);
    const uint32_t white = 0xFFFFFFFFu;
    const uint32_t vacuum = Corner::kVacuumTint.Rgb32();
    const uint32_t notComputed = Corner::kNotComputedTint.Rgb32();
    for (const LabelCase& c : kLabelCases)
        for (int cell : {phone, smallest, kLabelCell}) {
            if (cell == kLabelCell && c.physics == Physics::Model)
                continue; // the model's frames at their own scale stay as they are
            SCOPED_TRACE(std::string(c.name) + " cell " + std::to_string(cell));
            Scene s = SceneOf(c, cell);
            // The streamlines the picture draws over the overlay, as in a frame.
            FlowField field{s.fs, s.corner};
            field.width = start::kWidth;
            field.height = start::kHeight;
            field.RetraceFlow();
            const Corner::DrawnOver streamlines = [&](DC& dc) {
                for (const Streamline& line : field.streamlines)
                    line.Draw(dc, s.corner);
            };
            const std::vector<LabelPlace> places = s.corner.LabelPlaces(s.fs, streamlines);
            ASSERT_GE(places.size(), 1u);
            const std::vector<uint32_t> shapes = DrawOverlay(s, false, streamlines);
            const std::vector<uint32_t> drawn = DrawOverlay(s, true, streamlines);
            auto inBox = [](const LabelPlace& p, int x, int y, int grow) {
                return x >= p.x - grow && x < p.x + p.width + grow && y >= p.y - grow
                       && y < p.y + p.height + grow;
            };
            int crossed = 0, outside = 0, ink = 0;
            for (int y = 0; y < start::kHeight; ++y)
                for (int x = 0; x < start::kWidth; ++x) {
                    const size_t i = static_cast<size_t>(y) * start::kWidth + x;
                    const uint32_t p = shapes[i];
                    const bool line = p != white && p != vacuum && p != notComputed;
                    bool boxed = false;
                    for (const LabelPlace& place : places) {
                        boxed = boxed || inBox(place, x, y, 1);
                        if (line && inBox(place, x, y, 0)) {
                            if (++crossed <= 3)
                                ADD_FAILURE() << "a line at " << x << "," << y << " crosses "
                                              << place.text << " at " << place.x << "," << place.y;
                        }
                    }
                    if (drawn[i] != p) {
                        ++ink;
                        outside += !boxed;
                    }
                }
            EXPECT_EQ(crossed, 0);
            EXPECT_GT(ink, 0) << "no text drawn";
            EXPECT_EQ(outside, 0) << "ink outside the labels' boxes";
            // What the overlay writes (a label on two lines as its two parts) is among the
            // texts the page renders ahead for a drag.
            const std::vector<std::string> ahead = s.corner.LabelsNear(s.fs, 0.0);
            for (const LabelPlace& p : places)
                for (const std::string& t : {p.text, p.second}) {
                    if (t.empty())
                        continue;
                    EXPECT_NE(std::find(ahead.begin(), ahead.end(), t), ahead.end()) << t;
                }
            // Beta's label stands inside the body it names, where the body is wide enough (beta
            // 30 or more): under the upstream wall and on the body's side of the downstream one
            // (left of the wall's line at the box's top and bottom).
            if (c.beta >= 30.0 && c.beta < 180.0) {
                const LabelPlace& b = places[0];
                const double apexX = s.corner.ApexX(), slope = std::tan(s.corner.wallAngle);
                for (int y : {b.y, b.y + b.height})
                    EXPECT_LT(b.x + b.width, apexX + (y - s.corner.top) * slope) << b.text;
                EXPECT_GT(b.y, s.corner.top) << b.text;
            }
            // Every label inside the picture, and no two on each other; none written smaller
            // than three quarters of the label font.
            for (size_t a = 0; a < places.size(); ++a) {
                const LabelPlace& p = places[a];
                EXPECT_TRUE(p.cell <= cell && 4 * p.cell >= 3 * cell) << p.text << " in " << p.cell;
                EXPECT_TRUE(p.x >= 0 && p.y >= 0 && p.x + p.width <= start::kWidth
                            && p.y + p.height <= start::kHeight)
                    << p.text;
                for (size_t b = 0; b < a; ++b)
                    EXPECT_FALSE(inBox(places[b], p.x, p.y, 0)) << p.text;
            }
        }
}

// No dashed, dotted or shock line runs into the body (the polar angles from -pi up to the
// downstream wall's): the model's rays and the exact theory's, in every case above and over the
// drag's range of walls for flows from slow to fast and cold (T1 0 and 1 K).
TEST(CornerDraw, NoFlowLineInsideTheBody)
{
    std::vector<LabelCase> cases(std::begin(kLabelCases), std::end(kLabelCases));
    for (double v1 : {1.0, 450.0, 3000.0, 1e6})
        for (double t1 : {0.0, 1.0, 273.0})
            for (double beta = 0.5; beta < 240.0; beta += 7.0)
                for (Physics physics : {Physics::Model, Physics::Exact})
                    if (physics == Physics::Exact || beta <= 180.0)
                        cases.push_back({"sweep", v1, t1, beta, physics});
    for (const LabelCase& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " V1 " + std::to_string(c.v1) + " T1 "
                     + std::to_string(c.t1) + " beta " + std::to_string(c.beta));
        const Scene s = SceneOf(c, kLabelCell);
        const double wallPhi = s.corner.wallAngle - kHalfPi;
        for (const Piece& p : Pieces(s.Record())) {
            if (p.pen != &s.corner.dashPen && p.pen != &s.corner.dotPen
                && p.pen != &s.corner.shockPen)
                continue;
            const double phi = std::atan2(-(p.y1 - p.y0), p.x1 - p.x0);
            EXPECT_FALSE(phi < wallPhi - 0.01 && phi > -kPi + 0.01)
                << "a line toward " << phi << " rad, the wall at " << wallPhi;
        }
    }
}
