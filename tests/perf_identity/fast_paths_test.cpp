// The quicker ways through the probe run, the streamline traces, the fan's constants and the
// frame copy give exactly what the plain ways give: each is checked here against a plain
// implementation of the same rule, bit for bit, over many flows and wall angles.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "base/saturate.h"
#include "corner/corner.h"
#include "draw/frame_buffer.h"
#include "model/classify.h"
#include "model/flow_state.h"
#include "tests/support/start_up.h"
#include "tracers/flow_field.h"
#include "tracers/limits.h"
#include "tracers/streamline.h"
#include "tracers/tracer.h"
#include "view/flow_view.h"

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

struct Flow {
    FlowState fs;
    Corner corner;
    Flow(double v1, double t1, double wall, int w = start::kWidth, int h = start::kHeight)
    {
        fs.v1 = v1;
        fs.t1 = t1;
        fs.p1 = 100000.0;
        ComputeUpstreamState(fs);
        corner.left = 0;
        corner.top = h / 2;
        corner.width = w;
        corner.height = h;
        corner.wallAngle = wall;
        corner.ComputeFanGeometry(fs);
    }
};

// Inputs from the teaching range and beyond it: slow and fast, cold and hot, nearly sonic,
// subsonic, and a negative speed.
const double kInputs[][2] = {{450, 273},   {300, 100},  {580, 100},   {1800, 900},
                             {3000, 1000}, {345, 273},  {337.5, 273}, {200, 273},
                             {-450, 273},  {5000, 100}, {1e6, 300}};

// n + 1 even steps over every angle a drag can reach, the start-up angle and the narrowest fan.
std::vector<double> WallAngles(int n)
{
    std::vector<double> walls;
    const double hi = std::atan(20.0 * start::kWidth);
    for (int i = 0; i <= n; ++i)
        walls.push_back(-hi + 2.0 * hi * i / n);
    walls.push_back(start::kWall);
    walls.push_back(hi);
    return walls;
}

Tracer StartProbe(const Flow& f, double K, int w, int h)
{
    Tracer probe;
    probe.x = TruncToInt(-w * 0.5);
    probe.y = TruncToInt(-h * K);
    probe.stepY = 0.0;
    probe.vR = 0.0;
    probe.vPhi = 0.0;
    probe.speed = f.fs.v1;
    probe.entryRadius = -1.0;
    probe.isProbe = true;
    probe.stepX = 0.005 * f.fs.v1;
    return probe;
}

void ExpectSameMotion(const Tracer& a, const Tracer& b)
{
    EXPECT_TRUE(SameBits(a.x, b.x)) << a.x << " " << b.x;
    EXPECT_TRUE(SameBits(a.y, b.y)) << a.y << " " << b.y;
    EXPECT_TRUE(SameBits(a.stepX, b.stepX)) << a.stepX << " " << b.stepX;
    EXPECT_TRUE(SameBits(a.stepY, b.stepY)) << a.stepY << " " << b.stepY;
    EXPECT_TRUE(SameBits(a.vR, b.vR));
    EXPECT_TRUE(SameBits(a.vPhi, b.vPhi));
    EXPECT_TRUE(SameBits(a.entryRadius, b.entryRadius));
}

TEST(FastPaths, CertainlyUpstreamPointsAreUpstream)
{
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> coord(-2e6, 2e6);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int certain = 0;
    for (const auto& in : kInputs) {
        const Flow f(in[0], in[1], start::kWall);
        SCOPED_TRACE(in[0]);
        const UpstreamBound up = UpstreamBound::For(f.fs);
        auto check = [&](double x, double y) {
            if (up.Certain(x, y)) {
                ++certain;
                ASSERT_EQ(ClassifyPoint(f.fs, x, y), RegionUpstream) << x << "," << y;
            }
        };
        for (int i = 0; i < 20000; ++i)
            check(coord(rng), coord(rng));
        // Close to the first characteristic on both sides, near and far from the corner, and
        // on the axes.
        for (int i = 0; i < 20000; ++i) {
            const double r = std::pow(10.0, 7.0 * unit(rng) - 1.0);
            const double a = f.fs.machAngle + (unit(rng) - 0.5) * 1e-5;
            check(r * std::cos(a), -r * std::sin(a));
        }
        const double inf = std::numeric_limits<double>::infinity();
        for (const auto& p : {std::pair<double, double>{-inf, -inf},
                              {-inf, -1.0},
                              {-1.0, -inf},
                              {inf, -inf},
                              {1.0, -inf},
                              {inf, -1.0},
                              {-5e-324, -1e300}})
            check(p.first, p.second);
        for (double v : {1e-300, 1.0, 1e7})
            for (double w : {1e-300, 1.0, 1e7}) {
                check(0.0, -v);
                check(-v, 0.0);
                check(v, -w);
                check(-v, -w);
            }
    }
    EXPECT_GT(certain, 100000); // the bound is of use at all

    // Nothing is certain without a first characteristic, or with one too steep or too flat
    // for the margins.
    for (const auto& in : {std::pair<double, double>{200, 273}, {337.5, 273}, {1e9, 273}}) {
        const Flow f(in.first, in.second, start::kWall);
        const UpstreamBound up = UpstreamBound::For(f.fs);
        EXPECT_FALSE(up.Certain(-100.0, -100.0)) << in.first;
        EXPECT_FALSE(up.Certain(1.0, -1e6)) << in.first;
    }
}

TEST(FastPaths, ProbeRunIsStepByStep)
{
    Tracer::ForgetProbeRuns(); // every run below steps
    constexpr int w = start::kWidth, h = start::kHeight;
    int runs = 0;
    for (const auto& in : kInputs) {
        for (double wall : WallAngles(10)) {
            const Flow f(in[0], in[1], wall, w, h);
            const double span = f.fs.machAngle - f.fs.fanEndAngle;
            if (!(span > 0.0))
                continue;
            SCOPED_TRACE(testing::Message() << in[0] << " " << in[1] << " wall " << wall);
            // The program's start height, and a few others: on the wall line, near the
            // corner, very high up.
            for (double K :
                 {-1.0, 0.0, 0.01, 300.0, FlowField::ProbeHeightFactor(span, f.fs.fullFanSpan)}) {
                const FanVelocity fan = FanVelocity::For(f.fs, f.corner);
                // A short bound as well, so that runs also end on the count; a probe that
                // moves away from the fan only runs to the short one.
                for (long bound : {kMaxProbeSteps, 777L}) {
                    if (f.fs.v1 < 0.0 && bound == kMaxProbeSteps)
                        continue;
                    Tracer plain = StartProbe(f, K, w, h);
                    long plainSteps = 0;
                    while (plainSteps < bound) {
                        ++plainSteps;
                        if (!plain.Step(f.fs, f.corner, fan))
                            break;
                    }
                    Tracer quick = StartProbe(f, K, w, h);
                    const long quickSteps = quick.RunProbe(f.fs, f.corner, fan, bound);
                    EXPECT_EQ(quickSteps, plainSteps);
                    ExpectSameMotion(quick, plain);
                    ++runs;
                }
            }
        }
    }
    EXPECT_GT(runs, 300);
}

// A run from remembered inputs gives what a run from nothing remembered gives, for each input
// the run reads changed alone after the unchanged inputs were run; the unchanged ones again
// (a drag returning to a wall) give the first run's result; and more different runs than are
// remembered push the first out without confusing it with another.
TEST(FastPaths, RememberedProbeRunIsAFreshRun)
{
    struct Run {
        Tracer t;
        Flow f{450.0, 273.0, start::kWall};
        FanVelocity fan;
        long bound = kMaxProbeSteps;
        long steps = 0;
    };
    Run base;
    base.t = StartProbe(base.f,
                        FlowField::ProbeHeightFactor(base.f.fs.machAngle - base.f.fs.fanEndAngle,
                                                     base.f.fs.fullFanSpan),
                        start::kWidth, start::kHeight);
    base.fan = FanVelocity::For(base.f.fs, base.f.corner);
    auto run = [](Run r) {
        r.steps = r.t.RunProbe(r.f.fs, r.f.corner, r.fan, r.bound);
        return r;
    };
    auto expectSame = [](const Run& a, const Run& b) {
        EXPECT_EQ(a.steps, b.steps);
        ExpectSameMotion(a.t, b.t);
        EXPECT_TRUE(SameBits(a.t.phi, b.t.phi));
        EXPECT_TRUE(SameBits(a.t.speed, b.t.speed));
    };
    auto differs = [](const Run& a, const Run& b) {
        return a.steps != b.steps || !SameBits(a.t.x, b.t.x) || !SameBits(a.t.y, b.t.y)
               || !SameBits(a.t.stepX, b.t.stepX) || !SameBits(a.t.speed, b.t.speed)
               || !SameBits(a.t.phi, b.t.phi);
    };
    Tracer::ForgetProbeRuns();
    const Run first = run(base);
    ASSERT_GT(first.steps, 1000);
    expectSame(run(base), first);

    const std::vector<std::pair<const char*, void (*)(Run&)>> changes = {
        {"x", [](Run& r) { r.t.x -= 7.0; }},
        {"y", [](Run& r) { r.t.y -= 3.0; }},
        {"stepX", [](Run& r) { r.t.stepX *= 1.5; }},
        {"stepY", [](Run& r) { r.t.stepY = -0.25; }},
        {"speed", [](Run& r) { r.t.speed += 1.0; }},
        {"entryRadius", [](Run& r) { r.t.entryRadius = 150.0; }},
        {"isProbe", [](Run& r) { r.t.isProbe = false; }},
        {"exitStep",
         [](Run& r) {
             r.t.isProbe = false;
             r.t.exitStepX = 1.0;
             r.t.exitStepY = 0.5;
         }},
        {"machAngle", [](Run& r) { r.f.fs.machAngle += 0.01; }},
        {"fanEndAngle", [](Run& r) { r.f.fs.fanEndAngle += 0.01; }},
        {"fan.A", [](Run& r) { r.fan.A *= 1.01; }},
        {"fan.S", [](Run& r) { r.fan.S *= 1.01; }},
        {"fan.G", [](Run& r) { r.fan.G *= 1.01; }},
        {"fan.H", [](Run& r) { r.fan.H *= 1.01; }},
        {"fan.crossGain", [](Run& r) { r.fan.crossGain *= 1.01; }},
        {"fan.span", [](Run& r) { r.fan.span *= 1.01; }},
        {"width",
         [](Run& r) {
             r.t.isProbe = false;
             r.f.corner.width = 300;
         }},
        {"bound", [](Run& r) { r.bound = 500; }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.first);
        Run changed = base;
        change.second(changed);
        Tracer::ForgetProbeRuns();
        const Run fresh = run(changed);
        EXPECT_TRUE(differs(fresh, first));
        run(base);
        expectSame(run(changed), fresh);
        expectSame(run(base), first);
    }

    Tracer::ForgetProbeRuns();
    run(base);
    for (int i = 1; i <= 70; ++i) {
        Run other = base;
        other.f.corner.wallAngle = start::kWall - 0.004 * i;
        other.f.corner.ComputeFanGeometry(other.f.fs);
        other.fan = FanVelocity::For(other.f.fs, other.f.corner);
        run(other);
    }
    expectSame(run(base), first);
}

// The trace as written out step by step: every position's angle from Step itself.
struct PlainTrace {
    std::vector<PathPoint> points;
    int upstream = 0, fan = 0, downstream = 0;
};

PlainTrace TracePlainly(Tracer& t, double h, const FlowState& fs, const Corner& corner)
{
    PlainTrace out;
    t.stepY = 0.0;
    t.vR = 0.0;
    t.vPhi = 0.0;
    t.x = TruncToInt(-corner.width * 0.5);
    t.y = TruncToInt(-h);
    t.entryRadius = -1.0;
    t.speed = 0.1 * fs.v1;
    t.stepX = 0.005 * t.speed;
    auto append = [&] { out.points.push_back(PathPoint{t.x, t.y}); };
    append();
    while (out.upstream < kMaxTracePhaseSteps) {
        ++out.upstream;
        if (!t.Step(fs, corner))
            break;
        if (PolarAngle(t.x, t.y) > fs.machAngle)
            continue;
        break;
    }
    append();
    ++out.fan;
    if (t.Step(fs, corner)) {
        for (;;) {
            const double phi = PolarAngle(t.x, t.y);
            if (!(fs.fanEndAngle <= phi && phi <= fs.machAngle))
                break;
            append();
            if (out.fan >= kMaxTracePhaseSteps)
                break;
            ++out.fan;
            if (!t.Step(fs, corner))
                break;
        }
    }
    do {
        ++out.downstream;
    } while (t.Step(fs, corner) && out.downstream < kMaxTracePhaseSteps);
    append();
    return out;
}

TEST(FastPaths, StreamlineTraceIsStepByStep)
{
    int traces = 0;
    for (const auto& in : kInputs) {
        for (double wall : WallAngles(14)) {
            const Flow f(in[0], in[1], wall, 400, 300);
            SCOPED_TRACE(testing::Message() << in[0] << " " << in[1] << " wall " << wall);
            for (double h : {50.0, 80.0, 110.0, 0.0, -20.0, 3000.0}) {
                Streamline s;
                s.exitStepX = 3.1;
                s.exitStepY = 2.9;
                s.Trace(h, f.fs, f.corner);
                Tracer plain;
                plain.exitStepX = 3.1;
                plain.exitStepY = 2.9;
                const PlainTrace p = TracePlainly(plain, h, f.fs, f.corner);
                ASSERT_EQ(s.points.count, static_cast<int>(p.points.size())) << h;
                for (int i = 0; i < s.points.count; ++i) {
                    ASSERT_TRUE(SameBits(s.points[i].x, p.points[i].x)) << h << " point " << i;
                    ASSERT_TRUE(SameBits(s.points[i].y, p.points[i].y)) << h << " point " << i;
                }
                EXPECT_EQ(s.upstreamSteps, p.upstream);
                EXPECT_EQ(s.fanSteps, p.fan);
                EXPECT_EQ(s.downstreamSteps, p.downstream);
                ExpectSameMotion(s, plain);
                EXPECT_TRUE(SameBits(s.phi, plain.phi)) << s.phi << " " << plain.phi;
                ++traces;
            }
        }
    }
    EXPECT_GT(traces, 900);
}

// The timer's stepping followed by the frame's step of every tracer, against two plain Steps
// per tick (the respawns in between): every number of every tracer, phi included, after every
// tick, over flows and walls where tracers enter the fan, leave the picture and restart.
TEST(FastPaths, TimerSteppingIsStepByStep)
{
    int compared = 0;
    const double inputs[][2] = {{450, 273}, {300, 100}, {1800, 900}, {345, 273}, {200, 273}};
    for (const auto& in : inputs) {
        for (double wall : {start::kWall, -1.2, std::atan(20.0 * start::kWidth), 0.0}) {
            SCOPED_TRACE(testing::Message() << in[0] << " " << in[1] << " wall " << wall);
            Flow f(in[0], in[1], wall);
            f.fs.p1 = 40000.0; // 2000 tracers
            FlowField quick(f.fs, f.corner), plain(f.fs, f.corner);
            for (FlowField* field : {&quick, &plain}) {
                field->width = start::kWidth;
                field->height = 384;
                field->random.Seed(31);
                field->UpdatePopulation();
                field->RetraceFlow();
            }
            const FanVelocity fan = FanVelocity::For(f.fs, f.corner);
            for (int tick = 0; tick < 160; ++tick) {
                quick.StepTracers();
                for (int i = 0; i < plain.tracers.count; ++i)
                    if (!plain.tracers[i].Step(f.fs, f.corner, fan))
                        plain.RespawnTracer(i);
                if (!plain.marker.Step(f.fs, f.corner, fan))
                    plain.RespawnTracer(-1);
                for (FlowField* field : {&quick, &plain})
                    for (Tracer& t : field->tracers)
                        t.Step(f.fs, f.corner); // the frame's step
                for (int i = 0; i < quick.tracers.count; ++i) {
                    const Tracer& a = quick.tracers[i];
                    const Tracer& b = plain.tracers[i];
                    ASSERT_TRUE(SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.phi, b.phi)
                                && SameBits(a.stepX, b.stepX) && SameBits(a.stepY, b.stepY)
                                && SameBits(a.vR, b.vR) && SameBits(a.vPhi, b.vPhi)
                                && SameBits(a.speed, b.speed)
                                && SameBits(a.entryRadius, b.entryRadius))
                        << "tick " << tick << " tracer " << i;
                }
                ExpectSameMotion(quick.marker, plain.marker);
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, 5 * 4 * 160);
}

TEST(FastPaths, FanConstantsFollowEveryInput)
{
    Flow f(450, 273, start::kWall);
    const FanVelocity first = FanVelocity::For(f.fs, f.corner);
    // The constants themselves, from their definitions.
    EXPECT_EQ(first.span, f.fs.machAngle - f.fs.fanEndAngle);
    EXPECT_EQ(first.A, 450.0 * std::cos(f.fs.machAngle));
    EXPECT_EQ(first.S, 450.0 * std::sin(f.fs.machAngle));

    // Each of the five inputs changes the constants, and going back gives the first ones.
    auto same = [](const FanVelocity& a, const FanVelocity& b) {
        return SameBits(a.span, b.span) && SameBits(a.A, b.A) && SameBits(a.S, b.S)
               && SameBits(a.G, b.G) && SameBits(a.H, b.H) && SameBits(a.crossGain, b.crossGain);
    };
    double* inputs[] = {&f.fs.machAngle, &f.fs.fanEndAngle, &f.fs.v1, &f.fs.maxTurnAngle,
                        &f.corner.wallAngle};
    for (double* input : inputs) {
        const double kept = *input;
        *input = kept * 0.97 - 0.01;
        const FanVelocity changed = FanVelocity::For(f.fs, f.corner);
        EXPECT_FALSE(same(changed, first)) << input - inputs[0];
        *input = kept;
        EXPECT_TRUE(same(FanVelocity::For(f.fs, f.corner), first));
    }
    // A NaN input gives NaN constants, and the number again gives the numbers again.
    f.fs.v1 = std::nan("");
    EXPECT_TRUE(std::isnan(FanVelocity::For(f.fs, f.corner).A));
    f.fs.v1 = 450.0;
    EXPECT_TRUE(same(FanVelocity::For(f.fs, f.corner), first));
}

// A view that composes its still layers again and again, refilling only what its last
// composition drew, holds the very layers a fresh view composes once: every pixel of below and
// above, alpha included, through turns of the wall, a change of scale, the wall turned back, and
// the exact theory's lines drawn and taken away.
TEST(FastPaths, StillLayersKeptAreComposedAfresh)
{
    FlowState fs;
    fs.v1 = 450.0;
    fs.t1 = 273.0;
    fs.p1 = 20000.0;
    ComputeUpstreamState(fs);
    Corner corner;
    FlowField field(fs, corner);
    field.Open(622, 384, 7u);
    FlowView kept(field);
    FrameLayers keptLayers;
    struct Change {
        double wall;
        int scale;
        bool theory;
    };
    const Change changes[] = {{0.785375, 2, false}, {0.62, 2, false}, {-1.2, 2, false},
                              {0.785375, 2, true},  {0.3, 2, true},   {0.3, 2, false},
                              {1.3, 3, false},      {0.9, 3, false},  {0.785375, 2, false}};
    for (const Change& c : changes) {
        SCOPED_TRACE(c.wall);
        corner.wallAngle = c.wall;
        field.RetraceFlow();
        kept.exactTheory = c.theory;
        kept.ComposeLayers(keptLayers, c.scale);
        FlowView fresh(field);
        fresh.exactTheory = c.theory;
        FrameLayers freshLayers;
        fresh.ComposeLayers(freshLayers, c.scale);
        ASSERT_TRUE(keptLayers.below && keptLayers.above && freshLayers.below && freshLayers.above);
        EXPECT_TRUE(keptLayers.below->pixels == freshLayers.below->pixels);
        EXPECT_TRUE(keptLayers.above->pixels == freshLayers.above->pixels);
        // The frame composed over the kept layers is the fresh view's frame too.
        FrameBuffer keptFrame, freshFrame;
        kept.Compose(keptFrame, c.scale);
        fresh.Compose(freshFrame, c.scale);
        EXPECT_TRUE(keptFrame.pixels == freshFrame.pixels);
    }
}

} // namespace
