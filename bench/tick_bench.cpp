// One timer tick as TimerTicked runs it: every tracer and the marker stepped and respawned, then a
// frame composed in the buffer and copied to the window surface. Each run starts from the
// start-up state; "warmup" ticks are run first, untimed, so that the cloud has spread through
// the fan (200 ticks, ten seconds of animation, are enough for the steady cloud).
#include <benchmark/benchmark.h>

#include "base/constants.h"
#include "bench/bench_support.h"

namespace {

void TimerTick(benchmark::State& state)
{
    const int tracers = static_cast<int>(state.range(0));
    bench::HeadlessView v(tracers * 20.0); // the population is p1 * 0.05
    for (int i = 0; i < state.range(1); ++i)
        v.Tick();
    for (auto _ : state)
        v.Tick();
    state.counters["tracers"] = v.field.tracers.count;
}
BENCHMARK(TimerTick)
    ->ArgNames({"tracers", "warmup"})
    ->Args({5000, 0})
    ->Args({5000, 200})
    ->Args({100000, 0})
    ->Args({100000, 200})
    ->Unit(benchmark::kMillisecond);

// Parts of a tick, for the breakdown: the stepping with respawns alone, and the frame alone
// (which moves nothing).
void TickStepping(benchmark::State& state)
{
    bench::HeadlessView v(state.range(0) * 20.0);
    for (int i = 0; i < 200; ++i)
        v.Tick();
    for (auto _ : state)
        v.field.StepTracers();
}
BENCHMARK(TickStepping)->ArgName("tracers")->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

void TickFrame(benchmark::State& state)
{
    bench::HeadlessView v(state.range(0) * 20.0);
    for (int i = 0; i < 200; ++i)
        v.Tick();
    for (auto _ : state)
        v.view.Compose(v.frame, 1);
}
BENCHMARK(TickFrame)->ArgName("tracers")->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// The exact theory chosen, at the start-up inputs: the start-up wall (a fan), a wall past the
// largest turn (a fan to vacuum), and at M1 2 a wall turned 10 degrees into the flow (a shock).
void ChooseExact(bench::HeadlessView& v, int which)
{
    v.corner.physics = Physics::Exact;
    if (which == 1)
        v.corner.wallAngle = bench::kPastMaxTurnWall;
    if (which == 2) {
        v.fs.v1 = 2.0 * v.fs.c1;
        ComputeUpstreamState(v.fs);
        v.corner.wallAngle = kHalfPi + 10.0 * kRadiansPerDegree;
    }
    v.RecomputeFlow();
}

void TimerTickExact(benchmark::State& state)
{
    bench::HeadlessView v(state.range(0) * 20.0);
    ChooseExact(v, static_cast<int>(state.range(1)));
    for (int i = 0; i < 200; ++i)
        v.Tick();
    for (auto _ : state)
        v.Tick();
}
BENCHMARK(TimerTickExact)
    ->ArgNames({"tracers", "flow"})
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Args({5000, 2})
    ->Unit(benchmark::kMillisecond);

// A drag move with the exact theory chosen: the retrace (every tracer put on its new
// streamline, three exact streamlines) and the frame, at walls a degree apart in turn.
void RecomputeFlowExact(benchmark::State& state)
{
    bench::HeadlessView v;
    const int which = static_cast<int>(state.range(0));
    ChooseExact(v, which);
    for (int i = 0; i < 200; ++i)
        v.Tick();
    const double wall = v.corner.wallAngle;
    int move = 0;
    for (auto _ : state) {
        v.corner.wallAngle = wall + (move++ % 2) * kRadiansPerDegree;
        v.RecomputeFlow();
    }
}
BENCHMARK(RecomputeFlowExact)
    ->ArgName("flow")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond);

} // namespace
