#pragma once
// The headless application object a fuzz target needs for the dialog's widgets and fonts,
// made once per process.
#include <QApplication>

#include "tests/fuzz/fail_on.h"

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
