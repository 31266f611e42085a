// cornerflow --snapshot FILE.png: the picture after start-up, as a PNG, without a window.
#include <memory>

#include <QGuiApplication>

#include "app/modes.h"
#include "app/snapshot_support.h"
#include "model/flow_state.h"
#include "model/number_text.h"
#include "view/corner.h"
#include "view/flow_view.h"

namespace {

// Fonts need a GUI application; without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> MakeApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    UseOffscreenWithoutDisplay();
    static int argc = 1;
    static char name[] = "cornerflow";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// What leaving an input field does to the picture: the new upstream state, the population
// that follows P1, and the retraced flow.
void Recompute(CFlowView& view, FlowState& fs)
{
    ComputeUpstreamState(fs);
    view.UpdatePopulation();
    view.RecomputeFlow();
}

} // namespace

int RunSnapshot(const Options& options)
{
    const std::unique_ptr<QGuiApplication> app = MakeApplication();

    // The dialog's start-up, step for step, so a seed gives the same tracers as the window:
    // the view is set up with the state as constructed (T1 300), computed once, then the
    // fields' start values (450, 273, 100000) are read back and computed again.
    FlowState fs;
    CCorner corner;
    CFlowView view(fs, corner);
    view.PreSubclassWindow(options.width, options.height, options.seed ? *options.seed : TickCount());
    Recompute(view, fs);
    fs.v1 = 450.0;
    fs.t1 = 273.0;
    fs.p1 = 100000.0;
    Recompute(view, fs);

    // Then the inputs as if typed into the fields and left.
    if (options.v1 || options.t1 || options.p1) {
        if (options.v1)
            fs.v1 = ReadNumber(*options.v1);
        if (options.t1)
            fs.t1 = ReadNumber(*options.t1);
        if (options.p1)
            fs.p1 = ReadNumber(*options.p1);
        Recompute(view, fs);
    }
    // And the wall, as a press at that point would turn it.
    if (options.wall) {
        corner.wallAngle = *options.wall;
        view.RecomputeFlow();
    } else if (options.wallPoint) {
        corner.SetWallFromPoint(options.wallPoint->x, options.wallPoint->y);
        view.RecomputeFlow();
    }
    for (int i = 0; i < options.ticks; ++i)
        view.OnTimer(0);

    return SavePng(view.windowSurface, options.file);
}
