// cornerflow --snapshot-window FILE.png: the whole dialog as it looks after start-up (with the
// given inputs, wall and ticks), as a PNG, with or without a display.
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QByteArray>
#include <QPixmap>
#include <QSaveFile>
#include <QString>

#include "app/flow_dlg.h"
#include "app/modes.h"
#include "model/flow_state.h"
#include "res/resource.h"
#include "view/corner.h"

namespace {

uint32_t TickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

} // namespace

int RunSnapshotWindow(const Options& options, int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Only the program's name goes to the toolkit: option values must not be taken for its
    // own options.
    static char fallbackName[] = "cornerflow";
    static char* qtArgv[] = {argc > 0 && argv && argv[0] ? argv[0] : fallbackName, nullptr};
    static int qtArgc = 1;
    QApplication app(qtArgc, qtArgv);

    FlowState fs;
    CCorner corner;
    CFlowDlg dlg(fs, corner);
    dlg.SetSeed(options.seed ? *options.seed : TickCount());
    dlg.setAttribute(Qt::WA_DontShowOnScreen);
    dlg.show(); // the start-up runs here
    dlg.ViewWindow().Timer().stop();

    // The inputs as if typed into the fields, then the fields are left.
    if (options.v1 || options.t1 || options.p1) {
        if (options.v1)
            dlg.Field(IDC_V1)->setText(QString::fromStdString(*options.v1));
        if (options.t1)
            dlg.Field(IDC_T1)->setText(QString::fromStdString(*options.t1));
        if (options.p1)
            dlg.Field(IDC_P1)->setText(QString::fromStdString(*options.p1));
        dlg.OnInputKillFocus();
    }
    if (options.wall) {
        corner.wallAngle = *options.wall;
        dlg.View().RecomputeFlow();
    } else if (options.wallPoint) {
        corner.SetWallFromPoint(options.wallPoint->x, options.wallPoint->y);
        dlg.View().RecomputeFlow();
    }
    for (int i = 0; i < options.ticks; ++i)
        dlg.View().OnTimer(0);

    const QPixmap shot = dlg.grab();

    // The target is replaced only once the whole picture has been written.
    QSaveFile file(QString::fromStdString(options.file));
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = shot.save(&file, "PNG");
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
