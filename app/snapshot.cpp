// cornerflow --snapshot FILE.png: the picture after start-up, as a PNG, without a window.
#include <memory>

#include <QGuiApplication>

#include "app/modes.h"
#include "app/session_start.h"
#include "app/snapshot_support.h"
#include "dialog/flow_session.h"
#include "platform/image_dc.h"

int RunSnapshot(const Options& options)
{
    const std::unique_ptr<QGuiApplication> app = MakeGuiApplication();

    // The window's start-up, so a seed gives the same tracers as the window, then the inputs
    // as if typed into their fields and left, the wall, and the ticks.
    FlowSession session;
    UseModeDrawing(session, options.labels);
    session.Open(options.width, options.height, options.seed ? *options.seed : TickCount());
    ApplyOptions(session, options);

    return SavePng(ImageCopyOf(session.Frame()), options.file);
}
