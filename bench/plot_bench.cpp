// The plot of the state through the fan, as the desktop draws it (the core's rasteriser with
// Qt's text): redrawn for a probe (the cursor over the kept plot) and whole (a new profile, as
// after a drag or typed inputs). Its goal: one clean yardstick.
#include <benchmark/benchmark.h>

#include <cmath>

#include "corner/corner.h"
#include "model/flow_state.h"
#include "model/profile.h"
#include "platform/image_dc.h"
#include "plot/plot.h"

namespace {

void PlotRedraw(benchmark::State& state)
{
    // 0: the cursor over the kept plot; 1: a new profile and the whole plot; 2: the new profile
    // alone, to tell its share.
    const bool whole = state.range(0) != 0;
    const bool profileOnly = state.range(0) == 2;
    FlowState fs;
    fs.v1 = 450.0;
    fs.t1 = 273.0;
    fs.p1 = 100000.0;
    ComputeUpstreamState(fs);
    Corner corner;
    const double walls[2] = {0.785375, 0.70};
    corner.SetWallAngle(walls[0]);
    corner.ComputeFanGeometry(fs);
    FanProfile profile = ComputeFanProfile(fs, corner.wallAngle, corner.TurnAngle(fs));
    const PlotWords words;
    PlotComposer composer;
    composer.makeDC = MakeImageDC;
    FrameBuffer frame;
    PlotComposer::Input in;
    in.profile = &profile;
    in.profileVersion = 1;
    in.width = 622;
    in.height = 384;
    in.words = &words;
    in.cursor = true;
    // Two probe angles in the fan, one for each redraw in turn.
    const double angles[2] = {0.6, 0.4};
    in.at = ProfileAt(fs, profile.exact, angles[0]);
    composer.Compose(frame, in);
    int flip = 0;
    for (auto _ : state) {
        flip ^= 1;
        if (whole) {
            // A drag: the wall turned, the profile and the whole plot again.
            corner.SetWallAngle(walls[flip]);
            corner.ComputeFanGeometry(fs);
            profile = ComputeFanProfile(fs, corner.wallAngle, corner.TurnAngle(fs));
            ++in.profileVersion;
            if (profileOnly) {
                benchmark::DoNotOptimize(profile.samples.data());
                continue;
            }
        }
        in.at = ProfileAt(fs, profile.exact, angles[flip]);
        composer.Compose(frame, in);
        benchmark::DoNotOptimize(frame.bits);
    }
    state.counters["samples"] = static_cast<double>(profile.samples.size());
}
BENCHMARK(PlotRedraw)->ArgName("whole")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
