// The program itself: one modal dialog; the program ends when it closes.
#include <cstdio>
#include <string>

#include <QApplication>
#include <QFileInfo>
#include <QSettings>

#include "app/flow_dialog.h"
#include "app/modes.h"

namespace {

// Whether a window can be shown at all: a display to connect to, or a platform chosen by hand.
bool HasDesktopSession()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty())
        return false;
    // A local X display ":N" has its socket; a remote one (host:N) is left to the toolkit.
    if (display.startsWith(':')) {
        const QByteArray number = display.mid(1).split('.').first();
        return QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X") + QString::fromLatin1(number));
    }
    return true;
}

} // namespace

int RunDialog(int argc, char** argv, const std::string& lang)
{
    if (!HasDesktopSession()) {
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
