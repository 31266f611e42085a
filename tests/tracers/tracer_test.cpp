// Motion of one tracer through the velocity field, its pixel, and the marker's circle.
#include <climits>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "model/classify.h"
#include "tests/support/start_up.h"
#include "tests/tracers/flow_fixture.h"
#include "tracers/marker.h"
#include "tracers/tracer.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// A point at polar angle phi and distance r from the corner, corner-relative.
void PlaceAt(Tracer& t, double phi, double r)
{
    t.x = r * std::cos(phi);
    t.y = -r * std::sin(phi);
}

double Beta(const FlowState& fs, const Corner& corner)
{
    const double span = fs.machAngle - fs.fanEndAngle;
    return std::max(corner.wallAngle + M_PI / 2.0, M_PI - fs.maxTurnAngle) + span - fs.machAngle;
}

TEST(TracerStep, UpstreamKeepsItsDisplacementAndRemembersTheAngleItLeft)
{
    StartUpFlow f;
    Tracer t;
    t.x = -200.0;
    t.y = -50.0;
    t.speed = 495.0;
    t.stepX = 0.005 * t.speed;
    t.stepY = 0.0;
    ASSERT_EQ(f.corner.ClassifyPoint(f.fs, false, t.x, t.y), RegionUpstream);
    for (int i = 0; i < 3; ++i) {
        const double before = t.x;
        const double angleBefore = std::atan2(-t.y, t.x); // away from the axes, atan2 agrees
        EXPECT_TRUE(t.Step(f.fs, f.corner));
        EXPECT_DOUBLE_EQ(t.x, before + 2.475);
        EXPECT_EQ(t.y, -50.0);
        EXPECT_EQ(t.stepX, 2.475);
        EXPECT_EQ(t.stepY, 0.0);
        EXPECT_NEAR(t.phi, angleBefore, 1e-12);
    }
}

TEST(TracerStep, FanVelocityAtBothEdgesAndTheMiddle)
{
    // Several flows and walls, including one turned past the largest turning angle.
    struct Case {
        double v1, t1, wall;
    } cases[] = {{450, 273, start::kWall},
                 {900, 273, 0.0},
                 {1500, 150, 1.2},
                 {450, 273, -1.0},
                 {3000, 100, 1.5707}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "v1 " << c.v1 << " t1 " << c.t1 << " wall " << c.wall);
        FlowState fs;
        Corner corner;
        SetInputs(fs, c.v1, c.t1, 100000.0);
        PlaceCorner(corner, start::kWidth, start::kHeight, c.wall);
        corner.ComputeFanGeometry(fs);
        const double span = fs.machAngle - fs.fanEndAngle;
        ASSERT_GE(span, 0.003 - 1e-12);
        const double mid = fs.machAngle - span / 2.0;
        const double beta = Beta(fs, corner);

        // First step in the fan: the stored angle is still that of the first characteristic,
        // so the velocity is the upstream one, (v1, 0) on screen.
        Tracer first;
        PlaceAt(first, mid, 150.0);
        first.phi = fs.machAngle;
        EXPECT_TRUE(first.Step(fs, corner));
        EXPECT_NEAR(first.vR, c.v1 * std::cos(fs.machAngle), 1e-9 * c.v1);
        EXPECT_NEAR(first.vPhi, c.v1 * std::sin(fs.machAngle), 1e-9 * c.v1);
        EXPECT_NEAR(first.stepX, 0.005 * c.v1, 1e-12 * c.v1);
        EXPECT_NEAR(first.stepY, 0.0, 1e-12 * c.v1);

        // At depth = span the velocity is (-2 v1 cos beta, 2 v1 sin beta) whatever the entry
        // radius; its size is 2 v1.
        for (double r : {1.0, 300.0, 50000.0}) {
            Tracer last;
            PlaceAt(last, mid, r);
            last.phi = fs.fanEndAngle;
            last.Step(fs, corner);
            EXPECT_NEAR(last.vR, -2.0 * c.v1 * std::cos(beta), 1e-7 * c.v1);
            EXPECT_NEAR(last.vPhi, 2.0 * c.v1 * std::sin(beta), 1e-9 * c.v1);
            EXPECT_NEAR(std::hypot(last.stepX, last.stepY), 0.01 * c.v1, 1e-9 * c.v1);
        }

        // In the middle: the parabola's middle value F plus the bump (14/3)·r·span²/4.
        const double A = c.v1 * std::cos(fs.machAngle);
        const double C = -2.0 * c.v1 * std::cos(beta);
        const double D = fs.maxTurnAngle - span;
        const double F = (A + C) / 2.0 - 550.0 * std::exp(-D * D) + 10.0 * std::exp(-span * span);
        for (double r : {10.0, 1000.0}) {
            Tracer m;
            PlaceAt(m, mid, r);
            m.phi = mid;
            m.Step(fs, corner);
            EXPECT_NEAR(m.entryRadius, r, 1e-9 * r);
            const double bump = 14.0 / 3.0 * r * span * span / 4.0;
            EXPECT_NEAR(m.vR, F + bump, 1e-6 * (std::fabs(F) + bump + 1.0));
            EXPECT_NEAR(m.vPhi, (c.v1 * std::sin(fs.machAngle) + 2.0 * c.v1 * std::sin(beta)) / 2.0,
                        1e-9 * c.v1);
        }
    }
}

TEST(TracerStep, EntryRadiusIsTakenOnceInTheFan)
{
    StartUpFlow f;
    Tracer t;
    t.entryRadius = -1.0;
    PlaceAt(t, 2.0, 80.0); // upstream: not taken
    t.Step(f.fs, f.corner);
    EXPECT_EQ(t.entryRadius, -1.0);

    t.x = 80.0;
    t.y = -60.0; // in the fan, 100 px out
    t.phi = f.fs.machAngle;
    t.Step(f.fs, f.corner);
    EXPECT_DOUBLE_EQ(t.entryRadius, 100.0);

    PlaceAt(t, 0.6, 400.0); // further out, still in the fan: kept
    t.Step(f.fs, f.corner);
    EXPECT_DOUBLE_EQ(t.entryRadius, 100.0);
    PlaceAt(t, 2.5, 30.0); // out of the fan and back in: kept
    t.Step(f.fs, f.corner);
    PlaceAt(t, 0.7, 30.0);
    t.Step(f.fs, f.corner);
    EXPECT_DOUBLE_EQ(t.entryRadius, 100.0);
}

TEST(TracerStep, PastTheFan)
{
    StartUpFlow f;
    // An ordinary tracer adopts the common displacement when there is one...
    Tracer t;
    PlaceAt(t, 0.1, 200.0);
    ASSERT_EQ(f.corner.ClassifyPoint(f.fs, false, t.x, t.y), RegionDownstream);
    t.stepX = 0.3;
    t.stepY = 0.4;
    t.exitStepX = 1.5;
    t.exitStepY = -2.5;
    const double x0 = t.x, y0 = t.y;
    EXPECT_TRUE(t.Step(f.fs, f.corner));
    EXPECT_EQ(t.stepX, 1.5);
    EXPECT_EQ(t.stepY, -2.5);
    EXPECT_DOUBLE_EQ(t.x, x0 + 1.5);
    EXPECT_DOUBLE_EQ(t.y, y0 - 2.5);
    // ...one exit component alone is enough...
    t.exitStepX = 0.0;
    t.exitStepY = 0.25;
    t.Step(f.fs, f.corner);
    EXPECT_EQ(t.stepX, 0.0);
    EXPECT_EQ(t.stepY, 0.25);

    // ...and coasts on its last displacement without one (as the marker does).
    Tracer m;
    PlaceAt(m, -0.3, 100.0);
    m.stepX = 0.7;
    m.stepY = 0.9;
    m.Step(f.fs, f.corner);
    EXPECT_EQ(m.stepX, 0.7);
    EXPECT_EQ(m.stepY, 0.9);

    // A probe stops there at once: nothing moves, nothing is rewritten.
    Tracer p;
    p.isProbe = true;
    PlaceAt(p, 0.1, 5000.0);
    p.stepX = 3.25;
    p.stepY = 1.5;
    p.phi = 0.4;
    p.exitStepX = 9.0;
    const double px = p.x, py = p.y;
    EXPECT_FALSE(p.Step(f.fs, f.corner));
    EXPECT_EQ(p.x, px);
    EXPECT_EQ(p.y, py);
    EXPECT_EQ(p.stepX, 3.25);
    EXPECT_EQ(p.stepY, 1.5);
    EXPECT_EQ(p.phi, 0.4);
}

TEST(TracerStep, KeepGoingTests)
{
    StartUpFlow f; // picture 622 x 384
    // Each tracer starts upstream at (-1, y0) and is moved by (dx, 0) to (dx - 1, y0).
    struct Case {
        bool probe;
        double y0, dx;
        bool keepGoing;
    } cases[] = {
        // ordinary: within the picture's extent in x and y
        {false, -0.05, 622.0, true},    // x 621
        {false, -0.05, 623.0, false},   // x 622 = width
        {false, -100.0, 2000.0, false}, // far right
        {false, -300.0, -5000.0, true}, // far left is still "in"
        // probe: along the wall line it stops at x = 1000000
        {true, -0.05, 500001.0, true},
        {true, -0.05, 2000001.0, false},
        {true, -0.2, 2000001.0, true},  // off the wall line it goes on
        {true, -0.1, 2000001.0, false}, // exactly 0.1 still counts as the wall line
        {true, -0.2, 9999900.0, true},
        {true, -100.0, 9999901.0, false},      // |x| + |y| = 10000000
        {true, -5000000.0, -4999999.0, false}, // |x| + |y| = 10000000 the other way
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "probe " << c.probe << " y " << c.y0 << " dx " << c.dx);
        Tracer t;
        t.isProbe = c.probe;
        t.x = -1.0;
        t.y = c.y0;
        t.stepX = c.dx;
        t.stepY = 0.0;
        ASSERT_EQ(f.corner.ClassifyPoint(f.fs, false, t.x, t.y), RegionUpstream);
        EXPECT_EQ(t.Step(f.fs, f.corner), c.keepGoing);
    }
    // Ordinary tracers below the picture: y must stay below height.
    Tracer low;
    low.x = -100.0;
    low.y = 383.5;
    low.stepX = 0.0;
    low.stepY = 0.5;
    EXPECT_FALSE(low.Step(f.fs, f.corner));
}

TEST(TracerStep, StatesWithoutNumbersNeverMoveIntoTheFan)
{
    FlowState fs;
    Corner corner;
    SetInputs(fs, 200.0, 273.0, 100000.0); // subsonic: the fan's angles are NaN
    PlaceCorner(corner, start::kWidth, start::kHeight);
    corner.ComputeFanGeometry(fs);
    Tracer t;
    PlaceAt(t, 0.5, 100.0);
    t.stepX = 1.0;
    t.stepY = 0.0;
    EXPECT_TRUE(t.Step(fs, corner));
    EXPECT_EQ(t.stepX, 1.0); // no region: the displacement stays
    EXPECT_EQ(t.stepY, 0.0);

    // A fan of no width (only a hand-made state can have one) leaves the displacement too.
    StartUpFlow f;
    f.fs.fanEndAngle = f.fs.machAngle;
    Tracer z;
    PlaceAt(z, f.fs.machAngle, 100.0);
    z.stepX = 0.5;
    z.stepY = 0.25;
    z.phi = 0.2;
    z.Step(f.fs, f.corner);
    EXPECT_EQ(z.stepX, 0.5);
    EXPECT_EQ(z.stepY, 0.25);
    EXPECT_TRUE(std::isfinite(z.x));
}

TEST(TracerDraw, OneRedPixelAtTheScreenPositionThenOneStep)
{
    StartUpFlow f; // corner point (311, 192)
    struct Case {
        double x, y;
        int px, py;
    } cases[] = {
        {-10.7, -20.2, 301, 172}, // truncation toward zero
        {-311.0, -192.0, 0, 0},
        {0.9, -0.9, 311, 192},
        {1e300, -5.0, INT_MAX, 187}, // saturated, outside the picture
        {-1e300, -5.0, INT_MIN + 311, 187},
        {kNaN, -5.0, 311, 187}, // no number: column of 0
        {-5.0, -kInf, 306, INT_MIN + 192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        RecordingDC dc;
        Tracer t;
        t.x = c.x;
        t.y = c.y;
        t.stepX = 0.0;
        t.stepY = 0.0;
        t.Draw(dc, f.corner);
        ASSERT_EQ(dc.pixels.size(), 1u);
        EXPECT_EQ(dc.pixels[0].x, c.px);
        EXPECT_EQ(dc.pixels[0].y, c.py);
        EXPECT_EQ(dc.pixels[0].colour, (Colour{255, 0, 0}));
    }
    // Drawing moves nothing.
    RecordingDC dc;
    Tracer t;
    t.x = -100.0;
    t.y = -30.0;
    t.stepX = 2.0;
    t.stepY = 0.0;
    t.Draw(dc, f.corner);
    t.Draw(dc, f.corner);
    EXPECT_EQ(t.x, -100.0);
    EXPECT_EQ(dc.pixels[1].x, 311 - 100);
}

TEST(MarkerDraw, RadiusFollowsTheLocalPressure)
{
    StartUpFlow f;
    const double apexX = 311.0, top = 192.0;
    // Upstream: 1000000 / p1, at most a quarter of the picture's height (384 / 4 = 96 px).
    struct Case {
        double p1;
        int radius;
    } upstream[] = {{100000.0, 10}, {200000.0, 5}, {300000.0, 3}, {10500.0, 95}, {1000.0, 96}};
    for (const Case& c : upstream) {
        SCOPED_TRACE(c.p1);
        f.fs.p1 = c.p1;
        RecordingDC dc;
        Marker m;
        m.x = -150.4;
        m.y = -40.6;
        m.stepX = 1.0;
        m.stepY = 0.0;
        m.Draw(dc, f.fs, f.corner);
        EXPECT_EQ(m.Radius(f.fs, f.corner), c.radius);
        ASSERT_EQ(dc.ellipses.size(), 1u);
        const double sx = apexX - 150.4, sy = top - 40.6;
        EXPECT_EQ(dc.ellipses[0].left, static_cast<int>(sx - c.radius));
        EXPECT_EQ(dc.ellipses[0].top, static_cast<int>(sy - c.radius));
        EXPECT_EQ(dc.ellipses[0].right, static_cast<int>(sx + c.radius));
        EXPECT_EQ(dc.ellipses[0].bottom, static_cast<int>(sy + c.radius));
        ASSERT_EQ(dc.brushes.size(), 1u);
        EXPECT_EQ(dc.brushes[0]->colour, (Colour{255, 96, 0}));
        EXPECT_EQ(m.x, -150.4); // and no step
    }

    // In the fan the gas expands: p1·cos(k·δ)^7 with δ the depth into the fan; past it the
    // pressure at the fan's end.
    f.fs.p1 = 100000.0;
    const double k = f.fs.k;
    const double span = f.fs.machAngle - f.fs.fanEndAngle;
    const double inFan = f.fs.machAngle - 0.5;
    const double pFan = 100000.0 * std::pow(std::cos(k * 0.5), 7.0);
    const double pPast = 100000.0 * std::pow(std::cos(k * span), 7.0);
    struct Place {
        double phi;
        double p;
    } places[] = {{inFan, pFan}, {0.0 - 0.2, pPast}, {-1.0, pPast}};
    for (const Place& pl : places) {
        SCOPED_TRACE(pl.phi);
        RecordingDC dc;
        Marker m;
        m.x = 120.0 * std::cos(pl.phi);
        m.y = -120.0 * std::sin(pl.phi);
        m.Draw(dc, f.fs, f.corner);
        EXPECT_EQ(m.Radius(f.fs, f.corner), static_cast<int>(1000000.0 / pl.p));
        EXPECT_GT(m.Radius(f.fs, f.corner), 10);
    }
}

TEST(MarkerDraw, NoCircleWithoutAPositiveFinitePressure)
{
    for (double p1 : {0.0, -100000.0, kNaN, kInf, -kInf}) {
        SCOPED_TRACE(p1);
        StartUpFlow f;
        f.fs.p1 = p1;
        RecordingDC dc;
        Marker m;
        m.x = -100.0;
        m.y = -30.0;
        m.stepX = 2.0;
        m.stepY = 0.0;
        m.Draw(dc, f.fs, f.corner);
        EXPECT_TRUE(dc.ellipses.empty());
        EXPECT_EQ(m.Radius(f.fs, f.corner), 0); // nothing drawn
        EXPECT_EQ(m.x, -100.0);
    }
    // A subsonic flow has no region: no pressure, no circle.
    FlowState fs;
    Corner corner;
    SetInputs(fs, 200.0, 273.0, 100000.0);
    PlaceCorner(corner, start::kWidth, start::kHeight);
    corner.ComputeFanGeometry(fs);
    RecordingDC dc;
    Marker m;
    m.x = 50.0;
    m.y = -20.0;
    m.Draw(dc, fs, corner);
    EXPECT_TRUE(dc.ellipses.empty());

    // A tiny pressure: 1000000 / p has no int value; the radius keeps its largest, and a
    // picture of no height has no circle.
    StartUpFlow f;
    f.fs.p1 = 1e-300;
    RecordingDC tiny;
    m.x = -100.0;
    m.y = -30.0;
    m.Draw(tiny, f.fs, f.corner);
    EXPECT_EQ(m.Radius(f.fs, f.corner), 96);
    ASSERT_EQ(tiny.ellipses.size(), 1u);
    EXPECT_EQ(tiny.ellipses[0].left, 211 - 96);
    EXPECT_EQ(tiny.ellipses[0].bottom, 162 + 96);
    f.corner.height = 0;
    EXPECT_EQ(m.Radius(f.fs, f.corner), 0);
}

} // namespace
