#pragma once
// The GUI application that text drawing needs, made once for the whole test program and
// headless unless a platform is chosen already.
#include <QGuiApplication>

inline void EnsureGuiApp()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "cornerflow-test";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}
