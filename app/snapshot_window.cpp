// cornerflow --snapshot-window FILE.png: the whole dialog as it looks after start-up (with the
// given inputs, wall and ticks), as a PNG, with or without a display.
#include <QApplication>
#include <QPixmap>
#include <QString>

#include "app/flow_dlg.h"
#include "app/modes.h"
#include "app/snapshot_support.h"
#include "model/flow_state.h"
#include "res/resource.h"
#include "view/corner.h"

int RunSnapshotWindow(const Options& options, int argc, char** argv)
{
    UseOffscreenWithoutDisplay();

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

    return SavePng(dlg.grab().toImage(), options.file);
}
