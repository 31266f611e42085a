// The live program, headless (offscreen platform, one QApplication made by the benchmark's
// main): start-up of the main dialog, and one drag event on its picture.
#include <benchmark/benchmark.h>

#include <memory>

#include <QApplication>
#include <QMouseEvent>

#include "app/flow_dlg.h"
#include "model/flow_state.h"
#include "corner/corner.h"

namespace {

constexpr uint32_t kSeed = 20240611u;

// From constructing the dialog to its first composed frame: the controls and label images,
// the view's initialisation with its population, and the first computation of the flow (which
// ends with a frame in the window surface). Taking the dialog down is not timed.
void StartUp(benchmark::State& state)
{
    for (auto _ : state) {
        auto fs = std::make_unique<FlowState>();
        auto corner = std::make_unique<CCorner>();
        auto dlg = std::make_unique<CFlowDlg>(*fs, *corner);
        dlg->SetSeed(kSeed);
        dlg->OnInitDialog();
        benchmark::DoNotOptimize(dlg->View().windowSurface.constBits());
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
        auto fs = std::make_unique<FlowState>();
        auto corner = std::make_unique<CCorner>();
        auto dlg = std::make_unique<CFlowDlg>(*fs, *corner);
        dlg->SetSeed(kSeed);
        dlg->show();
        // The first frame is composed while the dialog opens and waits for the paint.
        for (int i = 0; i < 100 && dlg->ViewWindow().FramePending(); ++i)
            QApplication::processEvents();
        state.PauseTiming();
        const bool painted = dlg->Initialised() && !dlg->ViewWindow().FramePending();
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
void DragEvent(benchmark::State& state)
{
    const bool painted = state.range(0) != 0;
    FlowState fs;
    CCorner corner;
    CFlowDlg dlg(fs, corner);
    dlg.SetSeed(kSeed);
    dlg.show();
    dlg.ViewWindow().Timer().stop(); // only the drag composes frames
    QApplication::processEvents();
    QWidget* view = &dlg.ViewWindow();
    auto send = [view](QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(p), QPointF(view->mapToGlobal(p)), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    };
    send(QEvent::MouseButtonPress, QPoint(420, 300), Qt::LeftButton, Qt::LeftButton);
    QApplication::processEvents();
    bool flip = false;
    for (auto _ : state) {
        send(QEvent::MouseMove, flip ? QPoint(420, 300) : QPoint(430, 296), Qt::NoButton,
             Qt::LeftButton);
        if (painted)
            QApplication::processEvents();
        flip = !flip;
    }
    send(QEvent::MouseButtonRelease, QPoint(420, 300), Qt::LeftButton, Qt::NoButton);
    if (corner.wallAngle == 0.785375)
        state.SkipWithError("the drag did not turn the wall");
}
BENCHMARK(DragEvent)->ArgName("painted")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
