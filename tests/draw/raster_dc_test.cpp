// The core's rasteriser against its drawing rules: where lines, their dashes and dots, arcs,
// ellipses, fills and single pixels land, at scales 1 and 2, and with end points far away.
// Both shells compose every shape with it.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "draw/raster_dc.h"
#include "tests/draw/pixels.h"
#include "tests/support/start_up.h"

namespace {

const Pen kBlue1{PenStyle::Solid, 1, Colour{0, 0, 255}};
const Pen kBlue3{PenStyle::Solid, 3, Colour{0, 0, 255}};
const Pen kDash{PenStyle::Dash, 1, Colour{0, 0, 0}};
const Pen kDot{PenStyle::Dot, 1, Colour{0, 0, 255}};

PixelSet Drawn(int w, int h, int scale, const std::function<void(DC&)>& draw)
{
    Canvas c(w, h, scale);
    {
        RasterDC dc(c.buffer);
        draw(dc);
    }
    return c.Ink();
}

PixelSet LineInk(const Pen& pen, int w, int h, int x0, int y0, int x1, int y1, int scale = 1)
{
    return Drawn(w, h, scale, [&](DC& dc) {
        dc.SelectPen(pen);
        dc.MoveTo(x0, y0);
        dc.LineTo(x1, y1);
    });
}

PixelSet Row(int y, int x0, int x1)
{
    PixelSet s;
    for (int x = x0; x <= x1; ++x)
        s.insert({x, y});
    return s;
}

} // namespace

TEST(RasterDCLines, OnePixelLinesLeaveOutTheirLastPixel)
{
    // A one-pixel line covers its start pixel and every pixel up to, not including, its end.
    EXPECT_EQ(LineInk(kBlue1, 40, 30, 5, 5, 15, 5), Row(5, 5, 14));
    // Drawn the other way it still starts at its start pixel and leaves out its end's.
    EXPECT_EQ(LineInk(kBlue1, 40, 30, 15, 5, 5, 5), Row(5, 6, 15));
    PixelSet vertical;
    for (int y = 3; y < 12; ++y)
        vertical.insert({20, y});
    EXPECT_EQ(LineInk(kBlue1, 40, 30, 20, 3, 20, 12), vertical);
    PixelSet diagonal;
    for (int i = 0; i < 10; ++i)
        diagonal.insert({2 + i, 4 + i});
    EXPECT_EQ(LineInk(kBlue1, 40, 30, 2, 4, 12, 14), diagonal);
    // A line of no length draws nothing.
    EXPECT_TRUE(LineInk(kBlue1, 40, 30, 7, 7, 7, 7).empty());
}

TEST(RasterDCLines, OnePixelLinesTakeThePixelsNearestTheLine)
{
    // Along the major axis one pixel per step from the start's up to the end's (left out);
    // across it the pixel (at scale 2 the two device pixels) nearest the exact line through
    // the two end pixels' centres: its sample point, 1/64 of a pixel past its centre, within
    // half a picture pixel of the line.
    const struct {
        int x0, y0, x1, y1;
    } lines[] = {{5, 10, 190, 70}, {190, 70, 5, 10}, {10, 90, 60, 2}, {30, 90, 170, 3},
                 {3, 3, 196, 97},  {150, 5, 20, 60}, {7, 95, 13, 1},  {100, 50, 0, 51}};
    for (int scale : {1, 2}) {
        for (const auto& l : lines) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << ": " << l.x0 << "," << l.y0
                                            << " to " << l.x1 << "," << l.y1);
            const PixelSet ink = LineInk(kBlue1, 200, 100, l.x0, l.y0, l.x1, l.y1, scale);
            const double s = scale;
            const double ax = s * (l.x0 + 0.5), ay = s * (l.y0 + 0.5);
            const double bx = s * (l.x1 + 0.5), by = s * (l.y1 + 0.5);
            const bool steep = std::abs(l.y1 - l.y0) > std::abs(l.x1 - l.x0);
            const double u0 = steep ? ay : ax, u1 = steep ? by : bx;
            const double v0 = steep ? ax : ay, v1 = steep ? bx : by;
            const int first = static_cast<int>(std::min(u0, u1 + (u1 > u0 ? 0 : 1)) - 0.5);
            const int last = static_cast<int>(std::max(u1 - (u1 > u0 ? 1 : 0), u0) - 0.5);
            EXPECT_EQ(ink.size(), static_cast<size_t>(last - first + 1) * scale);
            for (const auto& p : ink) {
                const double u = (steep ? p.second : p.first) + 0.5;
                const double v = (steep ? p.first : p.second) + 0.5;
                const double exact = v0 + (u - u0) * (v1 - v0) / (u1 - u0);
                EXPECT_LE(std::fabs(v + 1.0 / 64 - exact), 0.5 * s) << p.first << "," << p.second;
                EXPECT_GE(u, std::min(u0, u1) - 1e-9);
                EXPECT_LE(u, std::max(u0, u1) + 1e-9);
            }
        }
    }
}

TEST(RasterDCLines, WideLinesAreCentredOnTheirRow)
{
    // The upstream wall of the picture: width 3, blue, along row 192.
    Canvas c(start::kWidth, start::kHeight);
    {
        RasterDC dc(c.buffer);
        dc.SelectPen(kBlue3);
        dc.MoveTo(0, 192);
        dc.LineTo(311, 192);
    }
    for (int x = 0; x <= 310; ++x)
        for (int y = 191; y <= 193; ++y)
            ASSERT_EQ(c.At(x, y), kBlue) << x << "," << y;
    for (int x = 0; x <= 330; ++x) {
        EXPECT_EQ(c.At(x, 190), kWhite) << x;
        EXPECT_EQ(c.At(x, 194), kWhite) << x;
    }
    // Round ends reach at most about half the width past the end points.
    EXPECT_EQ(c.At(314, 192), kWhite);
    // Width 2 is two rows thick; every column along it has exactly two.
    const PixelSet two = LineInk(Pen{PenStyle::Solid, 2, Colour{0, 0, 255}}, 60, 40, 10, 20, 50,
                                 20);
    for (int x = 10; x < 50; ++x) {
        int n = 0;
        for (int y = 15; y < 25; ++y)
            n += two.count({x, y});
        EXPECT_EQ(n, 2) << x;
    }
}

TEST(RasterDCLines, FarEndPointsDrawTheSameVisiblePixelsAsTheExactLine)
{
    // Picture 200 x 100. Each far line has exactly the slope of its near twin, whose end lies
    // inside the drawing margin and is drawn as it stands. The slopes are chosen so that no
    // pixel centre is a tie.
    const struct {
        int x0, y0, farX, farY, nearX, nearY;
    } cases[] = {
        {10, 10, 2100000010, 700000010, 250, 90}, // slope 1/3
        {10, 10, INT_MAX, INT_MAX, 150, 150},     // slope 1, saturated
        {50, 50, 50, INT_MIN, 50, -50},           // straight up, saturated
        {190, 20, INT_MIN, 20, -50, 20},          // straight left, saturated
    };
    for (const Pen* pen : {&kBlue1, &kBlue3}) {
        for (const auto& c : cases) {
            const PixelSet far = LineInk(*pen, 200, 100, c.x0, c.y0, c.farX, c.farY);
            const PixelSet near = LineInk(*pen, 200, 100, c.x0, c.y0, c.nearX, c.nearY);
            EXPECT_FALSE(near.empty());
            EXPECT_EQ(far, near) << "width " << pen->width << " to " << c.farX << "," << c.farY;
        }
    }
    // Both ends far away on either side: the diagonal through the picture.
    EXPECT_EQ(LineInk(kBlue1, 200, 100, INT_MIN, INT_MIN, INT_MAX, INT_MAX),
              LineInk(kBlue1, 200, 100, -50, -50, 150, 150));
}

TEST(RasterDCLines, OutsideSegmentsDrawNothingButMoveThePosition)
{
    const struct {
        int x0, y0, x1, y1;
    } outside[] = {{-1000, 50, -500, 50},
                   {INT_MIN, INT_MIN, INT_MIN, INT_MAX},
                   {0, -100, 199, -100},
                   {300, 0, INT_MAX, INT_MAX},
                   {-70, -70, 300, -70}};
    for (const auto& o : outside)
        EXPECT_TRUE(LineInk(kBlue3, 200, 100, o.x0, o.y0, o.x1, o.y1).empty())
            << o.x0 << "," << o.y0;

    // After a segment wholly outside, the next one starts from its real end point.
    Canvas c(200, 100);
    {
        RasterDC dc(c.buffer);
        dc.SelectPen(kBlue1);
        dc.MoveTo(-1000, 50);
        dc.LineTo(-500, 50);
        dc.LineTo(100, 50);
    }
    EXPECT_EQ(c.Ink(), Row(50, 0, 99));
}

TEST(RasterDCLines, DashesAndDotsStartAtTheFirstPixelAndRunAlongTheLine)
{
    // A dash is 18 pixels drawn and 6 left out, a dot 3 and 3, counted from the line's first
    // pixel: the start point's, whichever way the line runs, and where the whole line has it
    // when the start lies far outside the picture.
    const struct {
        const Pen* pen;
        double on, period;
    } patterns[] = {{&kDash, 18, 24}, {&kDot, 3, 6}};
    for (const auto& p : patterns) {
        for (const auto& ends : {std::pair{0, 100},
                                 {7, 100},
                                 {99, -1},
                                 {-240, 100},
                                 {-2400007, 100},
                                 {150, -1000000}}) {
            SCOPED_TRACE(testing::Message()
                         << p.period << ": " << ends.first << " to " << ends.second);
            const PixelSet ink = LineInk(*p.pen, 100, 20, ends.first, 10, ends.second, 10);
            const int dir = ends.second > ends.first ? 1 : -1;
            for (int x = 0; x < 100; ++x) {
                const long long along = dir * (static_cast<long long>(x) - ends.first);
                const bool onLine = along >= 0 && x != ends.second;
                const bool drawn = onLine && std::fmod(static_cast<double>(along), p.period) < p.on;
                EXPECT_EQ(ink.count({x, 10}) == 1, drawn) << x;
            }
        }
        // At 45 degrees the pattern is measured along the line: a step is sqrt(2) long.
        const PixelSet diagonal = LineInk(*p.pen, 100, 100, 2, 3, 92, 93);
        for (int k = 0; k < 90; ++k) {
            const bool drawn = std::fmod(k * std::sqrt(2.0), p.period) < p.on;
            EXPECT_EQ(diagonal.count({2 + k, 3 + k}) == 1, drawn) << k;
        }
        for (const auto& q : diagonal)
            EXPECT_EQ(q.second - q.first, 1) << "off the line at " << q.first << "," << q.second;
    }
}

// The dash-dot pattern: 12 pixels drawn, 4 left out, 2 drawn, 4 left out, from the first pixel.
TEST(RasterDCLines, DashDotRunsAlongTheLine)
{
    const Pen dashDot{PenStyle::DashDot, 1, Colour{0, 0, 0}};
    const PixelSet ink = LineInk(dashDot, 100, 20, 3, 10, 99, 10);
    for (int x = 0; x < 100; ++x) {
        const int along = x - 3;
        const int m = along % 22;
        const bool drawn = along >= 0 && x != 99 && (m < 12 || (m >= 16 && m < 18));
        EXPECT_EQ(ink.count({x, 10}) == 1, drawn) << x;
    }
    // A wide pen draws it solid, as it draws the others.
    EXPECT_EQ(LineInk(Pen{PenStyle::DashDot, 3, Colour{0, 0, 0}}, 100, 20, 3, 10, 99, 10).size(),
              LineInk(kBlue3, 100, 20, 3, 10, 99, 10).size());
}

// A polyline carries its dash pattern on from piece to piece: a straight one of many short
// pieces, at points between the pixels' centres, draws the pixels of the one line through its
// ends, at scales 1 and 2; the pieces' ends need not be whole pixels.
TEST(RasterDCLines, PolylinesCarryThePatternOnAndKeepTheirFractions)
{
    for (int scale : {1, 2}) {
        for (const Pen* pen : {&kDash, &kDot, &kBlue1}) {
            SCOPED_TRACE(scale);
            std::vector<double> xy;
            for (double x = 4.0; x <= 94.0; x += 2.25) {
                xy.push_back(x);
                xy.push_back(10.0);
            }
            const PixelSet pieces = Drawn(100, 20, scale, [&](DC& dc) {
                dc.SelectPen(*pen);
                dc.Polyline(xy.data(), static_cast<int>(xy.size() / 2));
            });
            const PixelSet whole = LineInk(*pen, 100, 20, 4, 10, 94, 10, scale);
            EXPECT_EQ(pieces, whole);
        }
    }
    // A point between two rows: half a pixel up puts the line on the row above at scale 2 (its
    // two device rows are 19 and 20, centred on 20), not on the row of the rounded point.
    const double xy[] = {10.0, 10.0, 50.0, 9.5};
    const PixelSet sloped = Drawn(60, 20, 2, [&](DC& dc) {
        dc.SelectPen(kBlue1);
        dc.Polyline(xy, 2);
    });
    EXPECT_EQ(sloped.count({21, 21}), 1u); // device rows 20 and 21 at the start
    EXPECT_EQ(sloped.count({99, 19}), 1u); // rows 19 and 20 at the end
    EXPECT_EQ(sloped.count({99, 21}), 0u);
    // Pieces with points that are no numbers are left out; the rest is drawn.
    const double broken[] = {10.0, 5.0, NAN, 5.0, 30.0, 5.0, 50.0, 5.0};
    const PixelSet rest = Drawn(60, 20, 1, [&](DC& dc) {
        dc.SelectPen(kBlue1);
        dc.Polyline(broken, 4);
    });
    EXPECT_EQ(rest, Row(5, 30, 49));
}

TEST(RasterDCArcs, ArcsRunCounterClockwiseAfterTheJoiningSegment)
{
    Canvas up(100, 100);
    Canvas down(100, 100);
    for (Canvas* c : {&up, &down}) {
        RasterDC dc(c->buffer);
        dc.SelectPen(kBlue1);
        dc.MoveTo(90, 50);
        dc.Arc(50, 50, 20, 0.0f, c == &up ? 90.0f : -90.0f);
        dc.LineTo(50, c == &up ? 10 : 90); // from the arc's end
    }
    // The joining segment from (90, 50) to the arc's start (70, 50).
    for (int x = 71; x <= 89; ++x) {
        EXPECT_EQ(up.At(x, 50), kBlue) << x;
        EXPECT_EQ(down.At(x, 50), kBlue) << x;
    }
    // Counter-clockwise on the screen goes up; a negative sweep goes down.
    EXPECT_EQ(up.At(50, 30), kBlue);
    EXPECT_EQ(down.At(50, 70), kBlue);
    EXPECT_EQ(up.At(64, 36), kBlue); // 45 degrees: (50 + 14.1, 50 - 14.1)
    for (const auto& p : up.Ink())
        EXPECT_LE(p.second, 51) << p.first;
    for (const auto& p : down.Ink())
        EXPECT_GE(p.second, 49) << p.first;
    // The line after the arc starts at the arc's end, (50, 30) or (50, 70).
    for (int y = 11; y <= 30; ++y)
        EXPECT_EQ(up.At(50, y), kBlue) << y;
    for (int y = 70; y <= 89; ++y)
        EXPECT_EQ(down.At(50, y), kBlue) << y;
}

TEST(RasterDCArcs, TheDashPatternRunsOnAlongTheArc)
{
    // A dashed arc of radius 80 from 0 through 300 degrees: each pixel of the solid arc is
    // drawn where the pattern, counted along the arc from its start, is on. Near a change
    // from on to off a pixel may go either way.
    const auto arc = [](const Pen& pen) {
        return Drawn(200, 200, 1, [&](DC& dc) {
            dc.SelectPen(pen);
            dc.MoveTo(180, 100);
            dc.Arc(100, 100, 80, 0.0f, 300.0f);
        });
    };
    const PixelSet solid = arc(kBlue1);
    for (const auto& p : {std::pair{&kDash, 24.0}, {&kDot, 6.0}}) {
        const PixelSet dashed = arc(*p.first);
        const double on = p.second == 24.0 ? 18.0 : 3.0;
        int checked = 0;
        for (const auto& q : solid) {
            double angle = std::atan2(100.5 - (q.second + 0.5), q.first + 0.5 - 100.5);
            if (angle < -0.01)
                angle += 2.0 * M_PI;
            const double phase = std::fmod(80.0 * angle, p.second);
            if (std::fabs(phase - on) < 1.0 || phase < 1.0 || phase > p.second - 1.0)
                continue; // next to a change
            EXPECT_EQ(dashed.count(q), phase < on ? 1u : 0u) << q.first << "," << q.second;
            ++checked;
        }
        EXPECT_GT(checked, static_cast<int>(solid.size() / 4));
        for (const auto& q : dashed)
            EXPECT_EQ(solid.count(q), 1u) << "off the arc at " << q.first << "," << q.second;
    }
}

TEST(RasterDCArcs, DegenerateAndHugeArcsAreSafe)
{
    // Radius 0: only the joining segment, to the centre, which becomes the position.
    {
        Canvas c(100, 100);
        {
            RasterDC dc(c.buffer);
            dc.SelectPen(kBlue1);
            dc.MoveTo(10, 20);
            dc.Arc(30, 20, 0, 0.0f, 90.0f);
            dc.LineTo(30, 40);
        }
        PixelSet expected = Row(20, 10, 29);
        for (int y = 20; y < 40; ++y)
            expected.insert({30, y});
        EXPECT_EQ(c.Ink(), expected);
    }
    // Angles that are not numbers draw nothing and keep the position.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (float bad : {nan, inf, -inf}) {
        Canvas c(100, 100);
        {
            RasterDC dc(c.buffer);
            dc.SelectPen(kBlue1);
            dc.MoveTo(10, 20);
            dc.Arc(50, 50, 20, bad, 90.0f);
            dc.Arc(50, 50, 20, 0.0f, bad);
            dc.LineTo(20, 20);
        }
        EXPECT_EQ(c.Ink(), Row(20, 10, 19));
    }
    // Many turns draw the circle once and end at start + sweep.
    {
        Canvas c(100, 100);
        {
            RasterDC dc(c.buffer);
            dc.SelectPen(kBlue1);
            dc.MoveTo(70, 50);
            dc.Arc(50, 50, 20, 0.0f, 3.0e38f);
        }
        EXPECT_EQ(c.At(30, 50), kBlue);
        EXPECT_EQ(c.At(50, 30), kBlue);
        EXPECT_EQ(c.At(50, 70), kBlue);
    }
    // A circle of radius about 2^31 whose top runs along row 50 of the picture.
    {
        Canvas c(200, 100);
        {
            RasterDC dc(c.buffer);
            dc.SelectPen(kBlue1);
            dc.MoveTo(100, 50);
            dc.Arc(100, INT_MAX, INT_MAX - 50, 90.0f, 360.0f);
        }
        EXPECT_EQ(c.Ink(), Row(50, 0, 199));
    }
    // Centres and radii at the ends of the int range.
    for (int r : {1, 1000000, INT_MAX})
        for (int cx : {INT_MIN, 0, INT_MAX}) {
            Canvas c(50, 50);
            RasterDC dc(c.buffer);
            dc.SelectPen(kBlue3);
            dc.MoveTo(25, 25);
            dc.Arc(cx, cx, r, -3.0e38f, 1.0e5f);
            dc.LineTo(0, 0);
        }
}

TEST(RasterDCEllipse, OutlineInThePenAndFillInTheBrush)
{
    const Pen grey{PenStyle::Solid, 1, Colour{128, 128, 128}};
    const Brush orange{Colour{255, 96, 0}};
    Canvas c(60, 60);
    {
        RasterDC dc(c.buffer);
        dc.SelectPen(grey);
        dc.SelectBrush(orange);
        dc.Ellipse(10, 10, 31, 31); // a circle over pixels 10..30
    }
    const uint32_t g = 0x808080u, o = 0xFF6000u;
    EXPECT_EQ(c.At(20, 20), o);
    EXPECT_EQ(c.At(15, 20), o);
    for (const auto& edge : {std::pair{10, 20}, {30, 20}, {20, 10}, {20, 30}})
        EXPECT_EQ(c.At(edge.first, edge.second), g) << edge.first << "," << edge.second;
    for (const auto& out : {std::pair{9, 20}, {31, 20}, {20, 9}, {20, 31}, {10, 10}, {30, 30}})
        EXPECT_EQ(c.At(out.first, out.second), kWhite) << out.first << "," << out.second;
}

TEST(RasterDCEllipse, TheOutlineClosesTheFillOffFromTheOutside)
{
    // However small or stretched, no pixel of the fill touches a pixel outside the ellipse
    // (above, below or beside it), and the shape is as wide as its box.
    const Pen grey{PenStyle::Solid, 1, Colour{128, 128, 128}};
    const Brush orange{Colour{255, 96, 0}};
    for (int scale : {1, 2}) {
        for (int w : {3, 4, 5, 7, 10, 11, 20, 21, 33, 60}) {
            for (int h : {w, w / 2 + 1, 2 * w}) {
                SCOPED_TRACE(testing::Message() << "scale " << scale << ", " << w << "x" << h);
                Canvas c(150, 150, scale);
                {
                    RasterDC dc(c.buffer);
                    dc.SelectPen(grey);
                    dc.SelectBrush(orange);
                    dc.Ellipse(20, 20, 20 + w, 20 + h);
                }
                int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
                for (const auto& p : c.Ink()) {
                    minX = std::min(minX, p.first), maxX = std::max(maxX, p.first);
                    minY = std::min(minY, p.second), maxY = std::max(maxY, p.second);
                    if (c.At(p.first, p.second) != 0xFF6000u)
                        continue;
                    for (const auto& d : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                        EXPECT_NE(c.At(p.first + d.first, p.second + d.second), kWhite)
                            << p.first << "," << p.second;
                }
                EXPECT_EQ(minX, 20 * scale);
                EXPECT_EQ(maxX, (20 + w) * scale - 1);
                EXPECT_EQ(minY, 20 * scale);
                EXPECT_EQ(maxY, (20 + h) * scale - 1);
            }
        }
    }
}

TEST(RasterDCEllipse, HugeEllipsesAreDrawnOverThePictureOnly)
{
    const Pen grey{PenStyle::Solid, 1, Colour{128, 128, 128}};
    const Brush orange{Colour{255, 96, 0}};
    const uint32_t g = 0x808080u, o = 0xFF6000u;
    auto draw = [&](Canvas& c, int l, int t, int r, int b) {
        RasterDC dc(c.buffer);
        dc.SelectPen(grey);
        dc.SelectBrush(orange);
        dc.Ellipse(l, t, r, b);
    };
    // Radius 2^31 - 1 about the middle of the picture (the box saturates at the int range):
    // the whole picture is inside and filled with the brush.
    {
        Canvas c(200, 100);
        draw(c, 100 - INT_MAX, 50 - INT_MAX, INT_MAX, INT_MAX);
        EXPECT_EQ(c.InkOf(o).size(), 200u * 100u);
    }
    // A circle of radius 10^9 whose right edge is at x = 100: the fill to its left, one
    // outline pixel in column 99, white to the right, on every row.
    {
        Canvas c(200, 100);
        draw(c, 100 - 2000000000, 50 - 1000000000, 100, 50 + 1000000000);
        for (int y = 0; y < 100; ++y) {
            EXPECT_EQ(c.At(98, y), o) << y;
            EXPECT_EQ(c.At(99, y), g) << y;
            EXPECT_EQ(c.At(100, y), kWhite) << y;
        }
    }
    // The same at scale 2: the outline is two device pixels wide.
    {
        Canvas c(200, 100, 2);
        draw(c, 100 - 2000000000, 50 - 1000000000, 100, 50 + 1000000000);
        for (int y = 0; y < 200; y += 37) {
            EXPECT_EQ(c.At(197, y), o) << y;
            EXPECT_EQ(c.At(198, y), g) << y;
            EXPECT_EQ(c.At(199, y), g) << y;
            EXPECT_EQ(c.At(200, y), kWhite) << y;
        }
    }
    // Boxes that miss the picture, and degenerate ones, draw nothing.
    const struct {
        int l, t, r, b;
    } nothing[] = {{-1000000, -1000000, -999000, -999000},
                   {INT_MIN, INT_MIN, -100, -100},
                   {300, 0, INT_MAX, 50},
                   {0, 200, 50, INT_MAX},
                   {20, 20, 20, 40},
                   {20, 20, 40, 20},
                   {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
                   {INT_MAX, INT_MAX, INT_MAX, INT_MAX}};
    for (const auto& n : nothing) {
        Canvas c(200, 100);
        draw(c, n.l, n.t, n.r, n.b);
        EXPECT_TRUE(c.Ink().empty()) << n.l << "," << n.t << "," << n.r << "," << n.b;
    }
    // A huge circle whose curve passes outside and leaves the picture outside it.
    {
        Canvas c(200, 100);
        draw(c, 1000, 1000, 1000 + 2000000000, 1000 + 2000000000);
        EXPECT_TRUE(c.Ink().empty());
    }
}

TEST(RasterDCPixels, DirectPixelsClipAndCoverTheirDevicePixels)
{
    {
        Canvas c(20, 10);
        {
            RasterDC dc(c.buffer);
            for (const auto& p : {std::pair{-1, 0},
                                  {0, -1},
                                  {20, 0},
                                  {0, 10},
                                  {INT_MIN, INT_MAX},
                                  {INT_MAX, INT_MIN},
                                  {-1, -1},
                                  {20, 10}})
                dc.SetPixel(p.first, p.second, Colour{255, 0, 0});
            dc.SetPixel(0, 0, Colour{255, 0, 0});
            dc.SetPixel(19, 9, Colour{255, 0, 0});
        }
        EXPECT_EQ(c.Ink(), (PixelSet{{0, 0}, {19, 9}}));
        EXPECT_EQ(c.At(19, 9), kRed);
    }
    {
        Canvas c(20, 10, 2);
        {
            RasterDC dc(c.buffer);
            dc.SetPixel(3, 4, Colour{255, 0, 0});
            dc.SetPixel(19, 9, Colour{255, 0, 0});
            dc.SetPixel(20, 9, Colour{255, 0, 0});
        }
        EXPECT_EQ(
            c.InkOf(kRed),
            (PixelSet{{6, 8}, {7, 8}, {6, 9}, {7, 9}, {38, 18}, {39, 18}, {38, 19}, {39, 19}}));
    }
    // An empty buffer ignores every call.
    FrameBuffer empty;
    RasterDC dc(empty);
    dc.SetPixel(0, 0, Colour{255, 0, 0});
    dc.SelectPen(kBlue3);
    dc.MoveTo(0, 0);
    dc.LineTo(10, 10);
    dc.Arc(5, 5, 3, 0.0f, 90.0f);
    dc.Ellipse(0, 0, 10, 10);
    dc.FillRect(0, 0, 10, 10, Colour{1, 2, 3});
    dc.DrawText(0, 0, "x");
    EXPECT_EQ(empty.bits, nullptr);
}

TEST(RasterDCPixels, ShapesAndDirectPixelsLandInDrawingOrder)
{
    Canvas c(50, 20);
    {
        RasterDC dc(c.buffer);
        dc.FillRect(0, 0, 50, 20, Colour{255, 255, 255});
        dc.SetPixel(10, 5, Colour{255, 0, 0});
        dc.SelectPen(kBlue1);
        dc.MoveTo(0, 5);
        dc.LineTo(10, 5);                     // ends before the red pixel
        dc.SetPixel(3, 5, Colour{255, 0, 0}); // over the line
        dc.MoveTo(0, 7);
        dc.LineTo(20, 7);
        dc.SetPixel(5, 7, Colour{255, 0, 0});
        dc.SelectPen(kBlue3);
        dc.MoveTo(30, 10);
        dc.LineTo(40, 10);
        dc.SetPixel(35, 10, Colour{255, 0, 0});
    }
    EXPECT_EQ(c.At(10, 5), kRed);
    EXPECT_EQ(c.At(3, 5), kRed);
    EXPECT_EQ(c.At(2, 5), kBlue);
    EXPECT_EQ(c.At(9, 5), kBlue);
    EXPECT_EQ(c.At(5, 7), kRed);
    EXPECT_EQ(c.At(6, 7), kBlue);
    EXPECT_EQ(c.At(35, 10), kRed);
    EXPECT_EQ(c.At(35, 9), kBlue);
}

TEST(RasterDCPixels, AFilledRectangleIsCutAtThePictureEdges)
{
    const struct {
        int x, y, w, h;
        size_t expected;
    } cases[] = {{-10, -10, INT_MAX, 20, 20u * 10u},
                 {0, 0, 20, 10, 200u},
                 {5, 5, 0, 3, 0u},
                 {5, 5, -3, 3, 0u},
                 {INT_MAX, INT_MAX, INT_MAX, INT_MAX, 0u},
                 {INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0u},
                 {18, 8, 100, 100, 4u}};
    for (const auto& k : cases) {
        for (int scale : {1, 2}) {
            Canvas c(20, 10, scale);
            {
                RasterDC dc(c.buffer);
                dc.FillRect(k.x, k.y, k.w, k.h, Colour{255, 0, 0});
            }
            EXPECT_EQ(c.InkOf(kRed).size(), k.expected * scale * scale) << k.x << "," << k.y;
        }
    }
}

TEST(RasterDCScale, ScaleTwoDrawsAtDevicePixels)
{
    // A one-pixel line over picture row 5, x 5..14, is device rows 10 and 11, x 10..29 (give or
    // take the ends, within a picture pixel).
    const PixelSet thin = LineInk(kBlue1, 40, 30, 5, 5, 15, 5, 2);
    for (int x = 12; x < 28; ++x) {
        EXPECT_TRUE(thin.count({x, 10}) && thin.count({x, 11})) << x;
    }
    for (const auto& p : thin) {
        EXPECT_TRUE(p.second == 10 || p.second == 11);
        EXPECT_GE(p.first, 10);
        EXPECT_LE(p.first, 31);
    }
    // The wall, width 3 over rows 191..193: device rows 382..387.
    const PixelSet wall = LineInk(kBlue3, start::kWidth, start::kHeight, 0, 192, 311, 192, 2);
    for (int y = 380; y <= 389; ++y)
        EXPECT_EQ(wall.count({300, y}), (y >= 382 && y <= 387) ? 1u : 0u) << y;
}

// A text's ink cut down to its rows and columns lays the same pixels wherever it is blended,
// also half outside the picture; the cut is tight (ink on each edge), and no ink leaves none.
TEST(RasterDCPixels, InkCroppedToItsInkLaysTheSameInk)
{
    auto image = [](int w, int h, std::vector<std::pair<int, int>> inked) {
        InkImage im;
        im.left = -3;
        im.top = -2;
        im.width = w;
        im.height = h;
        im.coverage.assign(static_cast<size_t>(w) * h, 0);
        for (size_t k = 0; k < inked.size(); ++k)
            im.coverage[static_cast<size_t>(inked[k].second) * w + inked[k].first] =
                static_cast<unsigned char>(40 + 50 * (k % 5));
        return im;
    };
    const std::vector<InkImage> images = {
        image(17, 11, {{4, 3}, {5, 3}, {9, 7}, {12, 4}, {6, 8}}), // inside
        image(9, 6, {{0, 2}, {8, 5}, {3, 0}}),                    // on every edge
        image(5, 5, {{2, 2}}),
        image(6, 4, {}),
    };
    for (const InkImage& full : images) {
        InkImage cut = full;
        CropToInk(cut);
        ASSERT_EQ(cut.coverage.size(), static_cast<size_t>(cut.width) * cut.height);
        if (cut.width > 0) {
            bool edges[4] = {false, false, false, false}; // left, right, top, bottom
            for (int y = 0; y < cut.height; ++y)
                for (int x = 0; x < cut.width; ++x)
                    if (cut.coverage[static_cast<size_t>(y) * cut.width + x]) {
                        edges[0] |= x == 0;
                        edges[1] |= x == cut.width - 1;
                        edges[2] |= y == 0;
                        edges[3] |= y == cut.height - 1;
                    }
            EXPECT_TRUE(edges[0] && edges[1] && edges[2] && edges[3]);
        }
        for (const auto& at : {std::pair<int, int>{6, 5}, {-4, 1}, {9, -3}}) {
            Canvas a(12, 8, 2), b(12, 8, 2);
            a.buffer.Fill(Colour{200, 120, 40});
            b.buffer.Fill(Colour{200, 120, 40});
            BlendInk(a.buffer.Memory(), at.first + full.left, at.second + full.top,
                     full.coverage.data(), full.width, full.height);
            BlendInk(b.buffer.Memory(), at.first + cut.left, at.second + cut.top,
                     cut.coverage.data(), cut.width, cut.height);
            EXPECT_EQ(a.buffer.pixels, b.buffer.pixels) << at.first << "," << at.second;
        }
    }
    const InkImage none = images.back();
    InkImage cut = none;
    CropToInk(cut);
    EXPECT_EQ(cut.width * cut.height, 0);
}
