// cornerflow: the window, or with a mode the calculator and the snapshot modes.
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line_words.h"
#include "app/modes.h"
#include "app/options.h"

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    const ParseResult parsed = ParseOptions(args);
    if (!parsed.error.empty()) {
        // A value the core's reader refused, in the words the page shows for it.
        const std::string error = parsed.problem
                                      ? CommandLineProblemText(*parsed.problem, parsed.language)
                                      : parsed.error;
        std::fprintf(stderr, "cornerflow: %s\n", error.c_str());
        return 2;
    }
    switch (parsed.options.mode) {
    case Options::Mode::Help: std::fputs(HelpText().c_str(), stdout); return 0;
    case Options::Mode::Calc: return RunCalc(parsed.options);
    case Options::Mode::Snapshot: return RunSnapshot(parsed.options);
    case Options::Mode::SnapshotWindow: return RunSnapshotWindow(parsed.options, argc, argv);
    case Options::Mode::Plot: return RunPlot(parsed.options);
    case Options::Mode::ProfileCsv: return RunProfileCsv(parsed.options);
    case Options::Mode::Dialog: break;
    }
    return RunDialog(argc, argv, parsed.options);
}
