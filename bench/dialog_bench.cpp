// The live program, headless (offscreen platform, one QApplication made by the benchmark's
// main): start-up of the main dialog, and one drag event on its picture.
#include <benchmark/benchmark.h>

#include <memory>

#include <QApplication>
#include <QMouseEvent>
#include <QString>

#include "app/flow_dialog.h"
#include "corner/corner.h"
#include "model/flow_state.h"
#include "res/ids.h"
#include "tracers/tracer.h"

namespace {

constexpr uint32_t kSeed = 20240611u;

// From constructing the dialog to its first composed frame: the controls and label images,
// the view's initialisation with its population, and the first computation of the flow (which
// ends with a frame in the window surface). Taking the dialog down is not timed.
void StartUp(benchmark::State& state)
{
    for (auto _ : state) {
        auto dlg = std::make_unique<FlowDialog>();
        dlg->SetSeed(kSeed);
        dlg->Initialise();
        benchmark::DoNotOptimize(dlg->Session().Frame().bits);
        state.PauseTiming();
        dlg.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

// The same up to the window's first paint: the dialog is shown (which runs its initialisation)
// and the events are handled until the picture has shown its first frame.
void StartUpShown(benchmark::State& state)
{
    for (auto _ : state) {
        auto dlg = std::make_unique<FlowDialog>();
        dlg->SetSeed(kSeed);
        dlg->show();
        // The first frame is composed while the dialog opens; the events show it.
        QApplication::processEvents();
        state.PauseTiming();
        const bool painted = dlg->Initialised() && !dlg->Session().Frame().Empty();
        dlg.reset();
        QApplication::processEvents();
        state.ResumeTiming();
        if (!painted) {
            state.SkipWithError("the picture never painted");
            break;
        }
    }
}
BENCHMARK(StartUpShown)->Unit(benchmark::kMillisecond);

// One mouse move with the left button held, delivered to the picture window as the toolkit
// delivers it: the wall is set from the point, the flow recomputed and a frame rendered, and
// the dialog's nine probe fields are filled before the event returns. The moves alternate
// between two points below and to the right of the corner, so every one turns the wall.
// With "painted" the events are then handled, so the frame is also painted to the window.
// Without "returning" the exit-step runs remembered are forgotten before each move, which
// times every move as one to a wall angle not met before; with it the two points' runs are
// remembered, as when a student drags back and forth.
// v1 and t1 are typed into their fields first when they differ from the start-up inputs.
void DragBetween(benchmark::State& state, double v1, double t1, QPoint a, QPoint b, bool painted,
                 bool returning)
{
    FlowDialog dlg;
    const FlowState& fs = dlg.Session().State();
    const Corner& corner = dlg.Session().Geometry();
    dlg.SetSeed(kSeed);
    dlg.show();
    dlg.ViewWindow().Timer().stop(); // only the drag composes frames
    QApplication::processEvents();
    if (dlg.Session().Field().width != 622 || dlg.Session().Field().height != 384) {
        state.SkipWithError("the points are chosen for a picture of 622 x 384");
        return;
    }
    if (v1 != fs.v1 || t1 != fs.t1) {
        // Typed as a user types them: the value lives in the field's text.
        dlg.Field(ControlId::UpstreamSpeed)->setText(QString::number(v1, 'g', 17));
        dlg.Field(ControlId::UpstreamTemperature)->setText(QString::number(t1, 'g', 17));
        dlg.InputFieldLeft();
    }
    QWidget* view = &dlg.ViewWindow();
    auto send = [view](QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(p), QPointF(view->mapToGlobal(p)), button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    };
    send(QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();
    const double wallAtA = corner.wallAngle;
    send(QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
    const double wallAtB = corner.wallAngle;
    send(QEvent::MouseMove, a, Qt::NoButton, Qt::LeftButton);
    QApplication::processEvents();
    if (wallAtA == wallAtB || fs.v1 != v1 || fs.t1 != t1) {
        state.SkipWithError("the drag does not turn the wall, or the inputs were not taken");
        return;
    }
    bool flip = false;
    for (auto _ : state) {
        if (!returning)
            Tracer::ForgetProbeRuns();
        send(QEvent::MouseMove, flip ? a : b, Qt::NoButton, Qt::LeftButton);
        if (painted)
            QApplication::processEvents();
        flip = !flip;
    }
    send(QEvent::MouseButtonRelease, a, Qt::LeftButton, Qt::NoButton);
}

void DragEvent(benchmark::State& state)
{
    DragBetween(state, 450.0, 273.0, QPoint(420, 300), QPoint(430, 296), state.range(0) != 0,
                state.range(1) != 0);
}
BENCHMARK(DragEvent)
    ->ArgNames({"painted", "returning"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// The drag event, painted, at the inputs of the teaching range (V1 300..3000 m/s, T1
// 100..1000 K, every wall a drag reaches) whose recompute takes longest: V1 580, T1 100 and a
// wall near 0.62, where the probe starts about 25 picture heights up and takes some 333000 of
// its 344600 steps inside the fan. A scan counting the probe's steps in the fan found it (V1
// and T1 in steps of 50, 121 wall angles; then V1 540..660 in steps of 10, T1 100 and 110,
// 600 wall angles); the two points give walls 0.6203 and 0.6255, both within 0.1 % of the
// longest run.
void DragEventSlowest(benchmark::State& state)
{
    state.SetLabel("V1 580, T1 100, wall 0.620/0.625");
    DragBetween(state, 580.0, 100.0, QPoint(401, 318), QPoint(402, 318), true, state.range(0) != 0);
}
BENCHMARK(DragEventSlowest)->ArgName("returning")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
