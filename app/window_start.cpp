#include "app/window_start.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLocale>
#include <QString>
#include <vector>

#include "app/flow_dialog.h"
#include "app/session_start.h"
#include "app/snapshot_support.h"

void NameTheProgram()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Cornerflow"));
    QCoreApplication::setApplicationName(QStringLiteral("cornerflow"));
    // Lets the desktop match the window to its menu entry and icon (the Wayland app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.cornerflow.Cornerflow"));
}

const Language& WindowLanguage(const std::string& asked, const std::string& kept)
{
    std::vector<std::string> preferred;
    for (const QString& tag : QLocale::system().uiLanguages())
        preferred.push_back(tag.toStdString());
    return OpeningLanguage(asked, kept, preferred);
}

void StartWindow(FlowDialog& dialog, const Options& options)
{
    if (!options.lang.empty())
        dialog.SetLanguage(QString::fromStdString(options.lang));
    dialog.SetSeed(options.seed ? *options.seed : TickCount());
    dialog.Initialise(); // the session's start-up, as when the window first opens
    ApplyOptions(dialog.Session(), options); // over what the user chose last time
    dialog.ShowOpening();
}
