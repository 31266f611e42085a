// The program itself: one modal dialog, started on the command line's options; the program
// ends when it closes.
#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QLocale>

#include "app/flow_dialog.h"
#include "app/modes.h"
#include "app/window_start.h"
#include "dialog/languages.h"
#include "platform/display_probe.h"

int RunDialog(int argc, char** argv, const Options& options)
{
    // Qt aborts with several lines of its own when its display does not answer: ask first.
    if (!DesktopSessionAnswers()) {
        std::fputs("cornerflow: the window needs a desktop session (no display was found); "
                   "--calc and --snapshot work without one\n",
                   stderr);
        return 1;
    }
    // Only the program's name goes to the toolkit: an option's value ("--v1 -reverse") must not
    // be taken for one of its own options.
    static char fallbackName[] = "cornerflow";
    static char* qtArgv[] = {argc > 0 && argv && argv[0] ? argv[0] : fallbackName, nullptr};
    static int qtArgc = 1;
    QApplication app(qtArgc, qtArgv);
    QCoreApplication::setOrganizationName(QStringLiteral("Cornerflow"));
    QCoreApplication::setApplicationName(QStringLiteral("cornerflow"));
    // Lets the desktop match the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cornerflow.Cornerflow"));
    // The language the window opens in: the command line's, else the one chosen last in the
    // menu, else the first of the system's user-interface languages the program speaks, else
    // Russian. The toolkit's own words (file dialogs, message boxes) follow it.
    std::vector<std::string> preferred;
    for (const QString& tag : QLocale::system().uiLanguages())
        preferred.push_back(tag.toStdString());
    FlowDialog dlg;
    const Language& opening = OpeningLanguage(options.lang, dlg.Session().Kept().language,
                                              preferred);
    dlg.SetLanguage(QString::fromUtf8(opening.code));
    // The state the command line names, over the exact theory, the gas and the plot as the
    // user left them last time.
    StartWindow(dlg, options);
    dlg.exec(); // the result is not looked at
    return 0;
}
