// cornerflow --snapshot-window FILE.png: the whole dialog as it looks after start-up (with the
// given inputs, wall and ticks), as a PNG, with or without a display.
#include <QApplication>
#include <QPixmap>
#include <QString>

#include "app/flow_dialog.h"
#include "app/modes.h"
#include "app/session_start.h"
#include "app/snapshot_support.h"

int RunSnapshotWindow(const Options& options, int argc, char** argv)
{
    UseOffscreenWithoutDisplay();

    // Only the program's name goes to the toolkit: option values must not be taken for its
    // own options.
    static char fallbackName[] = "cornerflow";
    static char* qtArgv[] = {argc > 0 && argv && argv[0] ? argv[0] : fallbackName, nullptr};
    static int qtArgc = 1;
    QApplication app(qtArgc, qtArgv);

    FlowDialog dlg;
    dlg.SetSeed(options.seed ? *options.seed : TickCount());
    dlg.setAttribute(Qt::WA_DontShowOnScreen);
    dlg.show(); // the start-up runs here
    dlg.ViewWindow().Timer().stop();

    // The inputs as if typed into the fields and left, the wall, and the ticks.
    dlg.Session().SetExactTheory(options.exactTheory);
    ApplyOptions(dlg.Session(), options);
    for (int i = 0; i < options.ticks; ++i)
        dlg.Session().StepOnce();

    return SavePng(dlg.grab().toImage(), options.file);
}
