// cf_yardstick: the machine's yardstick (yardstick_bench.cpp) alone, in a process that loads no
// Qt, so that nothing has left the upper halves of the AVX registers in use when it runs
// (base/vector_state.h). scripts/bench runs it before cf_bench and gives cf_bench its JSON
// output; every figure's ratio is taken to this yardstick. It takes Google Benchmark's usual
// arguments.
#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
