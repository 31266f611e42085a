// One timer tick as TimerTicked runs it: every tracer and the marker stepped and respawned, then a
// frame composed in the buffer and copied to the window surface. Each run starts from the
// start-up state; "warmup" ticks are run first, untimed, so that the cloud has spread through
// the fan (200 ticks, ten seconds of animation, are enough for the steady cloud).
#include <benchmark/benchmark.h>

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
