// RecomputeFlow, as every drag move runs it: fan geometry, the probe run, the exit
// displacements, three streamline traces and a frame, at the start-up inputs and several wall
// angles; and the same without the frame, for the breakdown.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench/bench_support.h"

namespace {

double WallFor(int which)
{
    switch (which) {
    case 0: return bench::kStartUpWall;
    case 1: return bench::NarrowestWall();
    default: return bench::kPastMaxTurnWall;
    }
}

const char* WallName(int which)
{
    switch (which) {
    case 0: return "start-up";
    case 1: return "narrowest";
    default: return "past-max-turn";
    }
}

// During a drag the timer still ticks between the moves: about twelve moves of a 240 Hz mouse
// per 50 ms tick. The cloud is taken to its steady state first (200 ticks), and one untimed
// tick follows every twelfth recompute, so the tracers are respawned as in the program.
constexpr int kMovesPerTick = 12;

void RecomputeFlowAt(benchmark::State& state, double wallAngle)
{
    bench::HeadlessView v;
    for (int i = 0; i < 200; ++i)
        v.Tick();
    v.corner.wallAngle = wallAngle;
    int moves = 0;
    for (auto _ : state) {
        v.RecomputeFlow();
        if (++moves == kMovesPerTick) {
            state.PauseTiming();
            v.Tick();
            moves = 0;
            state.ResumeTiming();
        }
    }
    state.counters["probeSteps"] = static_cast<double>(v.field.probeSteps);
}

void RecomputeFlow(benchmark::State& state)
{
    const int which = static_cast<int>(state.range(0));
    state.SetLabel(WallName(which));
    RecomputeFlowAt(state, WallFor(which));
}
BENCHMARK(RecomputeFlow)->ArgName("wall")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The wall angle, of 256 even steps over every angle a drag can reach, whose retrace (the
// probe run and the three traces) takes longest at the start-up inputs: the least of three
// timings at each angle, so that a moment of other load on the machine does not pick it.
double SlowestRetraceWall(double* msOut)
{
    bench::HeadlessView v;
    constexpr int kAngles = 256;
    const double hi = bench::NarrowestWall();
    const double lo = -hi;
    double worst = hi;
    double slowest = -1.0;
    for (int i = 0; i < kAngles; ++i) {
        v.corner.wallAngle = lo + (hi - lo) * i / (kAngles - 1);
        double best = 1e300;
        for (int k = 0; k < 3; ++k) {
            const auto t0 = std::chrono::steady_clock::now();
            v.field.RetraceFlow();
            const auto t1 = std::chrono::steady_clock::now();
            best = std::min(best, std::chrono::duration<double, std::milli>(t1 - t0).count());
        }
        if (best > slowest) {
            slowest = best;
            worst = v.corner.wallAngle;
        }
    }
    if (msOut)
        *msOut = slowest;
    return worst;
}

void RecomputeFlowSlowest(benchmark::State& state)
{
    static const double wall = SlowestRetraceWall(nullptr);
    char label[64];
    std::snprintf(label, sizeof label, "wall %.4f", wall);
    state.SetLabel(label);
    RecomputeFlowAt(state, wall);
}
BENCHMARK(RecomputeFlowSlowest)->Unit(benchmark::kMillisecond);

void RetraceFlow(benchmark::State& state)
{
    bench::HeadlessView v;
    const int which = static_cast<int>(state.range(0));
    v.corner.wallAngle = WallFor(which);
    state.SetLabel(WallName(which));
    for (auto _ : state)
        v.field.RetraceFlow();
    state.counters["probeSteps"] = static_cast<double>(v.field.probeSteps);
}
BENCHMARK(RetraceFlow)->ArgName("wall")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Every wall angle a drag can reach, in 64 even steps from a point far down and to the left of
// the corner to the narrowest fan, with a tick after every twelfth: the time per recompute,
// averaged over the sweep, and the largest probe run met on the way.
void RecomputeFlowSweep(benchmark::State& state)
{
    bench::HeadlessView v;
    for (int i = 0; i < 200; ++i)
        v.Tick();
    constexpr int kAngles = 64;
    int moves = 0;
    const double lo = -std::atan(20.0 * bench::kPictureWidth);
    const double hi = bench::NarrowestWall();
    long longest = 0;
    for (auto _ : state) {
        for (int i = 0; i < kAngles; ++i) {
            v.corner.wallAngle = lo + (hi - lo) * i / (kAngles - 1);
            v.RecomputeFlow();
            if (v.field.probeSteps > longest)
                longest = v.field.probeSteps;
            if (++moves == kMovesPerTick) {
                state.PauseTiming();
                v.Tick();
                moves = 0;
                state.ResumeTiming();
            }
        }
    }
    state.counters["recomputesPerIteration"] = kAngles;
    state.counters["longestProbe"] = static_cast<double>(longest);
}
BENCHMARK(RecomputeFlowSweep)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The picture's parts at the start-up state (state 0) or at the slowest teaching state (state
// 1: V1 580, T1 100, the wall at 0.6203, see DragEventSlowest), without a window, the flow
// retraced for that wall.
struct DragState : bench::HeadlessView {
    explicit DragState(int which)
    {
        if (which == 1) {
            fs.v1 = 580.0;
            fs.t1 = 100.0;
            ComputeUpstreamState(fs);
            corner.wallAngle = 0.6203;
            RecomputeFlow();
        }
    }
};

const char* DragStateName(int which) { return which == 1 ? "slowest teaching" : "start-up"; }

// The retrace as a drag to a wall not met before runs it: the exit-step run (at the slowest
// teaching state some 345000 steps, nearly all in the fan) and the three streamline traces.
void RetraceNewWall(benchmark::State& state)
{
    const int which = static_cast<int>(state.range(0));
    DragState v(which);
    state.SetLabel(DragStateName(which));
    for (auto _ : state) {
        Tracer::ForgetProbeRuns();
        v.field.RetraceFlow();
    }
    state.counters["probeSteps"] = static_cast<double>(v.field.probeSteps);
}
BENCHMARK(RetraceNewWall)->ArgName("state")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// What that run cannot do without while its numbers stay as they are: a step in the fan takes
// the arctangent of the point's ratio and the sine and cosine of an angle from the maths
// library, bit for bit. Here as many of those calls as the run has steps, over the fan's
// angles, none waiting for another (the run's own calls wait: each angle comes from the point
// the step before reached). A retrace can take no less than this.
void ProbeRunLibmFloor(benchmark::State& state)
{
    const int which = static_cast<int>(state.range(0));
    DragState v(which);
    state.SetLabel(DragStateName(which));
    const long steps = v.field.probeSteps;
    const double lo = v.fs.fanEndAngle;
    const double hi = v.fs.machAngle;
    std::vector<double> angles(4096), ratios(4096);
    for (size_t i = 0; i < angles.size(); ++i) {
        angles[i] = lo + (hi - lo) * (static_cast<double>(i) + 0.5) / angles.size();
        ratios[i] = std::tan(angles[i]);
    }
    double sum = 0.0;
    for (auto _ : state) {
        for (long i = 0; i < steps; ++i) {
            const size_t k = static_cast<size_t>(i) & (angles.size() - 1);
            sum += std::atan(ratios[k]) + std::sin(angles[k]) * std::cos(angles[k]);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["calls"] = static_cast<double>(steps);
}
BENCHMARK(ProbeRunLibmFloor)->ArgName("state")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
