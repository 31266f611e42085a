// cornerflow --snapshot FILE.png: the picture after start-up, as a PNG, without a window.
#include <chrono>
#include <cstdio>
#include <memory>

#include <QByteArray>
#include <QGuiApplication>
#include <QSaveFile>
#include <QString>

#include "app/modes.h"
#include "model/flow_state.h"
#include "model/number_text.h"
#include "view/corner.h"
#include "view/flow_view.h"

namespace {

uint32_t TickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

// Fonts need a GUI application; without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> MakeApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "cornerflow";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int RunSnapshot(const Options& options)
{
    const std::unique_ptr<QGuiApplication> app = MakeApplication();

    FlowState fs; // v1 450, t1 300, p1 100000 as the dialog constructs it
    CCorner corner;
    CFlowView view(fs, corner);

    fs.v1 = ReadNumber(options.v1.value_or("450"));
    fs.t1 = ReadNumber(options.t1.value_or("273"));
    fs.p1 = ReadNumber(options.p1.value_or("100000"));
    ComputeUpstreamState(fs);

    view.PreSubclassWindow(options.width, options.height, options.seed ? *options.seed : TickCount());
    view.UpdatePopulation();
    if (options.wall)
        corner.wallAngle = *options.wall;
    else if (options.wallPoint)
        corner.SetWallFromPoint(options.wallPoint->x, options.wallPoint->y);
    view.RecomputeFlow();
    for (int i = 0; i < options.ticks; ++i)
        view.OnTimer(0);

    // The target is replaced only once the whole picture has been written.
    QSaveFile file(QString::fromStdString(options.file));
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = view.windowSurface.save(&file, "PNG");
    if (written)
        written = file.commit();
    else
        file.cancelWriting();
    if (!written) {
        const QByteArray reason = file.errorString().toUtf8();
        std::fprintf(stderr, "cornerflow: cannot write '%s': %s\n", options.file.c_str(),
                     reason.isEmpty() ? "write failed" : reason.constData());
        return 1;
    }
    return 0;
}
