// The program itself: one modal dialog; the program ends when it closes.
#include <QApplication>

#include "app/flow_dlg.h"
#include "app/modes.h"
#include "model/flow_state.h"
#include "corner/corner.h"

int RunDialog(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cornerflow.Cornerflow"));
    FlowState fs;
    CCorner corner;
    CFlowDlg dlg(fs, corner);
    dlg.exec(); // the result is not looked at
    return 0;
}
