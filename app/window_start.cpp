#include "app/window_start.h"

#include <QString>

#include "app/flow_dialog.h"
#include "app/session_start.h"
#include "app/snapshot_support.h"

void StartWindow(FlowDialog& dialog, const Options& options)
{
    if (!options.lang.empty())
        dialog.SetLanguage(QString::fromStdString(options.lang));
    dialog.SetSeed(options.seed ? *options.seed : TickCount());
    dialog.Initialise(); // the session's start-up, as when the window first opens
    ApplyOptions(dialog.Session(), options); // over what the user chose last time
    dialog.ShowOpening();
}
