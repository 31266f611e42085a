#pragma once
// The headless application object a fuzz target needs for the dialog's widgets and fonts,
// made once per process.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>

inline void EnsureFuzzApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "cornerflow-fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// A broken rule is a finding: say which, and stop so that the fuzzer keeps the input.
inline void FailOn(const std::vector<std::string>& problems)
{
    if (problems.empty())
        return;
    for (const std::string& p : problems)
        std::fprintf(stderr, "broken rule: %s\n", p.c_str());
    std::abort();
}
