// The program itself: one modal dialog, started on the command line's options; the program
// ends when it closes.
#include <cstdio>

#include <QApplication>

#include "app/flow_dialog.h"
#include "app/modes.h"
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
    NameTheProgram();
    // The toolkit's own words (file dialogs, message boxes) follow the window's language.
    FlowDialog dlg;
    dlg.SetLanguage(
        QString::fromUtf8(WindowLanguage(options.lang, dlg.Session().Kept().language).code));
    // The state the command line names, over the exact theory, the gas and the plot as the
    // user left them last time.
    StartWindow(dlg, options);
    dlg.exec(); // the result is not looked at
    return 0;
}
