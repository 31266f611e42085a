// Recomputing the flow: the probe run, the exit displacements and the streamlines' paths.
#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "model/classify.h"
#include "tests/support/start_up.h"
#include "tests/tracers/flow_fixture.h"
#include "tracers/flow_field.h"
#include "tracers/limits.h"
#include "tracers/streamline.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();

struct Field {
    FlowState fs;
    Corner corner;
    FlowField field{fs, corner};
    Field(int w, int h, double v1 = 450.0, double t1 = 273.0, double p1 = 100000.0)
    {
        SetInputs(fs, v1, t1, p1);
        PlaceCorner(corner, w, h);
        field.width = w;
        field.height = h;
    }
};

TEST(FlowFieldConstruction, FourEmptyStreamlines)
{
    FlowState fs;
    Corner corner;
    FlowField field(fs, corner);
    EXPECT_EQ(field.streamlines.count, 4);
    EXPECT_EQ(field.streamlines.capacity, 4);
    EXPECT_TRUE(field.streamlines.growByDoubling);
    EXPECT_TRUE(field.tracers.growByDoubling);
    EXPECT_EQ(field.tracers.count, 0);
    for (const Streamline& s : field.streamlines) {
        EXPECT_EQ(s.points.count, 0);
        EXPECT_EQ(s.startY, 15.0);
        EXPECT_EQ(s.pen.width, 2);
        EXPECT_EQ(s.pen.colour, (Colour{20, 155, 0}));
    }
}

TEST(ProbeHeight, GrowsAsTheFanNarrows)
{
    const double full = 3.847649;
    EXPECT_NEAR(FlowField::ProbeHeightFactor(0.0, full), 300.0, 1e-9);
    EXPECT_NEAR(FlowField::ProbeHeightFactor(0.003, full), 300.0 * std::pow(1 - 0.003 / full, 18),
                1e-9);
    EXPECT_GT(FlowField::ProbeHeightFactor(0.003, full), 295.0);
    // (1 - s/full)^18 = 1/300 at s = full*(1 - 300^(-1/18)): below it K is raised to 1.
    const double edge = full * (1.0 - std::pow(300.0, -1.0 / 18.0));
    EXPECT_NEAR(FlowField::ProbeHeightFactor(edge - 1e-6, full), 1.0, 1e-3);
    EXPECT_EQ(FlowField::ProbeHeightFactor(edge + 0.01, full), 1.0);
    EXPECT_EQ(FlowField::ProbeHeightFactor(2.0, full), 1.0);
}

TEST(RetraceFlow, ExitDisplacementIsTheFanEndSpeedAndReachesOrdinaryTracersOnly)
{
    struct Case {
        double v1, t1, wall;
    } cases[] = {{450, 273, start::kWall}, {450, 273, 0.0},     {450, 273, -1.0},
                 {1200, 300, 1.0},         {3000, 100, 1.5707}, {300, 100, -1.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "v1 " << c.v1 << " t1 " << c.t1 << " wall " << c.wall);
        Field f(start::kWidth, start::kHeight, c.v1, c.t1, 1000.0);
        f.corner.wallAngle = c.wall;
        f.field.UpdatePopulation();
        f.field.RetraceFlow();
        EXPECT_GT(f.field.probeSteps, 0);
        EXPECT_LT(f.field.probeSteps, kMaxProbeSteps);
        // The probe's last step is taken at the end of the fan, where the speed is 2·v1.
        const double speed = std::hypot(f.field.exitStepX, f.field.exitStepY) / 0.005;
        EXPECT_NEAR(speed, 2.0 * c.v1, 0.01 * c.v1);
        // and the gas runs parallel to the downstream wall, or along the boundary of the
        // flow when the wall is turned further than the flow can follow.
        const double turn = std::min(M_PI / 2.0 - c.wall, f.fs.maxTurnAngle);
        EXPECT_NEAR(std::atan2(-f.field.exitStepY, f.field.exitStepX), -turn, 0.03);
        for (const Tracer& t : f.field.tracers) {
            EXPECT_EQ(t.exitStepX, f.field.exitStepX);
            EXPECT_EQ(t.exitStepY, f.field.exitStepY);
        }
        EXPECT_EQ(f.field.marker.exitStepX, 0.0);
        EXPECT_EQ(f.field.marker.exitStepY, 0.0);
        EXPECT_EQ(f.field.streamlines[0].exitStepX, 0.0);
        for (int i = 1; i <= 3; ++i)
            EXPECT_EQ(f.field.streamlines[i].exitStepX, f.field.exitStepX);
    }
}

TEST(RetraceFlow, SubsonicInputRunsNoProbe)
{
    Field f(start::kWidth, start::kHeight, 200.0, 273.0, 1000.0);
    f.field.UpdatePopulation();
    f.field.exitStepX = 9.0;
    f.field.RetraceFlow();
    EXPECT_EQ(f.field.probeSteps, 0);
    EXPECT_EQ(f.field.exitStepX, 1.0);
    EXPECT_EQ(f.field.exitStepY, 0.0);
    EXPECT_EQ(f.field.tracers[0].exitStepX, 1.0);
    // Nothing is in a region: the streamlines run straight to the right limit.
    const Streamline& s = f.field.streamlines[1];
    ASSERT_GE(s.points.count, 3);
    EXPECT_EQ(s.points[s.points.count - 1].y, s.points[0].y);
    EXPECT_GE(s.points[s.points.count - 1].x, 622.0);
}

TEST(Streamlines, StartHeightsAndPathShape)
{
    Field f(600, 300);
    f.field.RetraceFlow();
    EXPECT_EQ(f.field.streamlines[0].points.count, 0); // never traced
    const double heights[] = {50.0, 80.0, 110.0};
    for (int i = 1; i <= 3; ++i) {
        SCOPED_TRACE(i);
        const Streamline& s = f.field.streamlines[i];
        EXPECT_NEAR(s.startY, -heights[i - 1], 1e-9);
        ASSERT_GE(s.points.count, 4);
        EXPECT_EQ(s.points[0].x, -300.0);
        EXPECT_EQ(s.points[0].y, -heights[i - 1]);
        // Upstream the path is one straight horizontal segment up to the first
        // characteristic.
        const PathPoint entry = s.points[1];
        EXPECT_EQ(entry.y, s.points[0].y);
        EXPECT_LE(PolarAngle(entry.x, entry.y), f.fs.machAngle);
        EXPECT_GT(PolarAngle(entry.x - 0.005 * 45.0, entry.y), f.fs.machAngle);
        // One point per step in the fan.
        for (int k = 2; k < s.points.count - 1; ++k) {
            const double phi = PolarAngle(s.points[k].x, s.points[k].y);
            EXPECT_GE(phi, f.fs.fanEndAngle);
            EXPECT_LE(phi, f.fs.machAngle);
        }
        // The end lies beyond the right or the bottom limit.
        const PathPoint end = s.points[s.points.count - 1];
        EXPECT_TRUE(end.x >= 600.0 || end.y >= 300.0);
        EXPECT_LT(PolarAngle(end.x, end.y), f.fs.fanEndAngle);
        EXPECT_EQ(s.upstreamSteps + s.fanSteps + s.downstreamSteps > 0, true);
        EXPECT_LT(s.downstreamSteps, kMaxTracePhaseSteps);
    }
}

TEST(Streamlines, RetraceIsDeterministic)
{
    Field f(start::kWidth, start::kHeight);
    f.corner.wallAngle = 0.3;
    f.field.RetraceFlow();
    const double ex = f.field.exitStepX;
    const int n = f.field.streamlines[2].points.count;
    const PathPoint last = f.field.streamlines[2].points[n - 1];
    f.corner.wallAngle = -0.5; // something else in between
    f.field.RetraceFlow();
    f.corner.wallAngle = 0.3;
    f.field.RetraceFlow();
    EXPECT_EQ(f.field.exitStepX, ex);
    ASSERT_EQ(f.field.streamlines[2].points.count, n);
    EXPECT_EQ(f.field.streamlines[2].points[n - 1].x, last.x);
    EXPECT_EQ(f.field.streamlines[2].points[n - 1].y, last.y);
}

TEST(Streamlines, ATracerThatLeavesBeforeTheFan)
{
    // A very fast flow round a nearly straight wall: the first characteristic lies so flat
    // that the highest streamline leaves on the right before reaching it.
    Field f(start::kWidth, start::kHeight, 3000.0, 100.0);
    f.corner.wallAngle = std::atan(20.0 * start::kWidth);
    f.field.RetraceFlow();
    const Streamline& s = f.field.streamlines[3];
    ASSERT_EQ(s.points.count, 3);
    EXPECT_GE(s.points[1].x, 622.0);
    EXPECT_GT(s.points[1].y < 0 ? PolarAngle(s.points[1].x, s.points[1].y) : 0.0, f.fs.machAngle);
    EXPECT_GT(s.points[2].x, s.points[1].x); // a step or more further
    EXPECT_EQ(s.points[2].y, s.points[1].y);
}

TEST(Streamlines, CopyCarriesTheStartHeightOnly)
{
    Field f(start::kWidth, start::kHeight);
    f.field.RetraceFlow();
    const Streamline& traced = f.field.streamlines[2];
    ASSERT_GT(traced.points.count, 0);
    Streamline copy(traced);
    EXPECT_EQ(copy.startY, traced.startY);
    EXPECT_EQ(copy.points.count, 0);
    EXPECT_EQ(copy.x, -300.0);
    Streamline assigned;
    assigned.x = 5.0;
    assigned = traced;
    EXPECT_EQ(assigned.startY, traced.startY);
    EXPECT_EQ(assigned.points.count, 0);
    EXPECT_EQ(assigned.x, 5.0);

    // Growing an array of streamlines moves the start heights over.
    DynArray<Streamline> a;
    a.Reserve(2);
    a.count = 2;
    a[1].startY = -42.0;
    a.Reserve(3);
    EXPECT_EQ(a[1].startY, -42.0);
    EXPECT_EQ(a[2].startY, 15.0);
}

TEST(Streamlines, DrawConnectsThePointsInItsPen)
{
    Field f(start::kWidth, start::kHeight); // corner point (311, 192)
    Streamline s;
    RecordingDC empty;
    s.Draw(empty, f.corner);
    EXPECT_TRUE(empty.lines.empty());
    ASSERT_EQ(empty.pens.size(), 1u); // the pen is selected even for no path
    EXPECT_EQ(empty.pens[0], &s.pen);

    s.points.Reserve(3);
    s.points.count = 3;
    s.points[0] = {-311.0, -64.0};
    s.points[1] = {10.7, -20.2};
    s.points[2] = {1e300, 5.0};
    RecordingDC dc;
    s.Draw(dc, f.corner);
    ASSERT_EQ(dc.lines.size(), 2u);
    EXPECT_EQ(dc.lines[0].x0, 0);
    EXPECT_EQ(dc.lines[0].y0, 128);
    EXPECT_EQ(dc.lines[0].x1, 321);
    EXPECT_EQ(dc.lines[0].y1, 171);
    EXPECT_EQ(dc.lines[1].x0, 321);
    EXPECT_EQ(dc.lines[1].x1, INT_MAX);
    EXPECT_EQ(dc.lines[1].y1, 197);
}

// Inputs outside any sensible range: every run ends within its bounds, and nothing that
// reaches an int is undefined.
TEST(Bounds, ExtremeInputsEnd)
{
    struct Case {
        double v1, t1, wall;
        bool probeAtBound; // the probe run is cut by the step bound
        bool traceAtBound; // streamlines' last part is cut by the step bound
    } cases[] = {
        {0.0, 273.0, start::kWall, false, true},    // no fan (M = 0); tracers stand still
        {-450.0, 273.0, start::kWall, false, true}, // runs left for ever
        {-1000.0, 273.0, start::kWall, true, true}, // a fan, but the probe runs away from it
        {1e-300, 273.0, start::kWall, false, true}, // subsonic, creeping
        {1e-300, 0.0, start::kWall, true, true},    // a fan and a probe that barely moves
        {1e300, 273.0, start::kWall, false, false}, // leaves in one step
        {kInf, 273.0, start::kWall, false, false},  {-kInf, 273.0, start::kWall, false, true},
        {450.0, 273.0, kInf, false, false}, // no fan: the wall angle has no number
        {450.0, 273.0, -kInf, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "v1 " << c.v1 << " t1 " << c.t1 << " wall " << c.wall);
        Field f(start::kWidth, start::kHeight, c.v1, c.t1, 1000.0);
        f.corner.wallAngle = c.wall;
        f.field.UpdatePopulation();
        f.field.RetraceFlow();
        EXPECT_LE(f.field.probeSteps, kMaxProbeSteps);
        EXPECT_EQ(f.field.probeSteps == kMaxProbeSteps, c.probeAtBound);
        for (int i = 1; i <= 3; ++i) {
            const Streamline& s = f.field.streamlines[i];
            EXPECT_LE(s.upstreamSteps, kMaxTracePhaseSteps);
            EXPECT_LE(s.fanSteps, kMaxTracePhaseSteps);
            EXPECT_LE(s.downstreamSteps, kMaxTracePhaseSteps);
            EXPECT_EQ(s.downstreamSteps == kMaxTracePhaseSteps, c.traceAtBound);
            EXPECT_GE(s.points.count, 3);
            EXPECT_LE(s.points.count, kMaxTracePhaseSteps + 3);
        }
        // The timer and the drawing cope with whatever the run left.
        RecordingDC dc;
        for (int tick = 0; tick < 3; ++tick) {
            f.field.StepTracers();
            for (const Tracer& t : f.field.tracers)
                t.Draw(dc, f.corner);
            for (const Streamline& s : f.field.streamlines)
                s.Draw(dc, f.corner);
            f.field.marker.Draw(dc, f.fs, f.corner);
            f.field.StepAfterFrame();
        }
    }
}

} // namespace
