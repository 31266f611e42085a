// The program itself: one modal dialog, started on the command line's options; the program
// ends when it closes.
#include <cstdio>

#include <QApplication>
#include <QSettings>

#include "app/flow_dialog.h"
#include "app/modes.h"
#include "app/qt_translations.h"
#include "app/window_start.h"
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
    // The toolkit's own words (the file dialogs, the message boxes' buttons) in the language the
    // window opens in: the command line's, else the one chosen last in the menu.
    const QString remembered = QSettings().value(QStringLiteral("language")).toString();
    InstallQtTranslations(options.lang.empty() ? remembered : QString::fromStdString(options.lang));
    FlowDialog dlg;
    // The language chosen last in the menu, unless the command line gives one.
    if (options.lang.empty())
        dlg.SetLanguage(remembered);
    StartWindow(dlg, options);
    // The exact theory over the picture, the gas and the plot's window as they were left last
    // time.
    dlg.RestoreRemembered(options.exactTheory, options.gas || options.gamma || options.molarMass);
    dlg.exec(); // the result is not looked at
    return 0;
}
