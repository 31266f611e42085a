// cornerflow --snapshot-window FILE.png: the whole dialog as the same options open the window
// (inputs, wall, ticks, language), as a PNG, with or without a display. Without --lang it is
// in Russian whatever the menu last chose, so that the same command gives the same image.
#include <QApplication>
#include <QPixmap>
#include <QString>

#include "app/flow_dialog.h"
#include "app/modes.h"
#include "app/snapshot_support.h"
#include "app/window_start.h"

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
    // The options alone: nothing the user chose in the window is taken back.
    dlg.Session().KeepChoicesIn(nullptr);
    dlg.setAttribute(Qt::WA_DontShowOnScreen);
    StartWindow(dlg, options);
    dlg.ViewWindow().Timer().stop(); // the image is the state as started
    dlg.show();
    return SavePng(dlg.grab().toImage(), options.file);
}
