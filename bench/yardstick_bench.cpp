// The machine's own yardstick: the work one timer tick cannot do without at N tracers, written
// plainly and apart from the program, so that every other figure can be given as a ratio to
// it and read the same on a slow machine and a fast one. It is built into cf_bench and, alone,
// into cf_yardstick, which loads no Qt. Each tracer is stepped twice a tick,
// and every step takes the polar angle of its position (an arctangent of a quotient); about
// 30 % of the steps are in the fan, where a step also takes a sine and a cosine. A frame
// writes one pixel per tracer into the 622 x 384 buffer, which is filled first and copied out
// after.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 622;
constexpr int kHeight = 384;

void Yardstick(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    // Two positions per tracer, corner-relative, spread over the picture and never on an axis.
    std::vector<double> xs(2 * static_cast<size_t>(n)), ys(xs.size());
    uint32_t lcg = 12345u;
    auto next = [&lcg] {
        lcg = lcg * 1664525u + 1013904223u;
        return static_cast<double>(lcg >> 8) / 16777216.0; // 0 <= r < 1
    };
    for (size_t i = 0; i < xs.size(); ++i) {
        xs[i] = (next() - 0.5) * kWidth + 0.25;
        ys[i] = (next() - 0.5) * kHeight + 0.25;
    }
    std::vector<uint32_t> buffer(static_cast<size_t>(kWidth) * kHeight);
    std::vector<uint32_t> surface(buffer.size());
    const int fanSteps = (2 * n * 3) / 10;

    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < 2 * n; ++i) {
            const double phi = std::atan(ys[i] / xs[i]);
            sum += phi;
            if (i < fanSteps)
                sum += std::sin(phi) * 0.5 + std::cos(phi) * 0.25;
        }
        benchmark::DoNotOptimize(sum);

        std::fill(buffer.begin(), buffer.end(), 0xFFFFFFu);
        for (int i = 0; i < n; ++i) {
            const int px = static_cast<int>(xs[2 * i + 1]) + kWidth / 2;
            const int py = static_cast<int>(ys[2 * i + 1]) + kHeight / 2;
            if (px >= 0 && px < kWidth && py >= 0 && py < kHeight)
                buffer[static_cast<size_t>(py) * kWidth + px] = 0xFF0000u;
        }
        std::memcpy(surface.data(), buffer.data(), buffer.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(surface.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Yardstick)->Arg(5000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
