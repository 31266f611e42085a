// The program itself: one modal dialog; the program ends when it closes.
#include <cstdio>
#include <string>

#include <QApplication>
#include <QSettings>

#include "app/flow_dialog.h"
#include "app/modes.h"
#include "platform/display_probe.h"

int RunDialog(int argc, char** argv, const std::string& lang)
{
    // Qt aborts with several lines of its own when its display does not answer: ask first.
    if (!DesktopSessionAnswers()) {
        std::fputs("cornerflow: the window needs a desktop session (no display was found); "
                   "--calc and --snapshot work without one\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Cornerflow"));
    QCoreApplication::setApplicationName(QStringLiteral("cornerflow"));
    // Lets the desktop match the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cornerflow.Cornerflow"));
    FlowDialog dlg;
    // The language given on the command line, else the one chosen last in the menu.
    dlg.SetLanguage(!lang.empty() ? QString::fromStdString(lang)
                                  : QSettings().value(QStringLiteral("language")).toString());
    dlg.exec(); // the result is not looked at
    return 0;
}
