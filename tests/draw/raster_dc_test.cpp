// The core's rasteriser against its drawing rules: which pixel a one-pixel line takes, where
// its dashes and dots fall, the pattern along an arc, and the outline round an ellipse's fill.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "draw/raster_dc.h"
#include "tests/draw/pixels.h"

namespace {

const Pen kSolid{PenStyle::Solid, 1, Colour{0, 0, 255}, {}};
const Pen kDash{PenStyle::Dash, 1, Colour{0, 0, 0}, {}};
const Pen kDot{PenStyle::Dot, 1, Colour{0, 0, 255}, {}};

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

} // namespace

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
            const PixelSet ink = LineInk(kSolid, 200, 100, l.x0, l.y0, l.x1, l.y1, scale);
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
    const PixelSet solid = arc(kSolid);
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

TEST(RasterDCEllipse, TheOutlineClosesTheFillOffFromTheOutside)
{
    // However small or stretched, no pixel of the fill touches a pixel outside the ellipse
    // (above, below or beside it), and the shape is as wide as its box.
    const Pen grey{PenStyle::Solid, 1, Colour{128, 128, 128}, {}};
    const Brush orange{Colour{255, 96, 0}, {}};
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
