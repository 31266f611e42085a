#pragma once
// What the command line's modes share with the window: after the session's start-up, the
// start state the options ask for, put in by the core's one rule (dialog/start_state.h).
#include "app/options.h"
#include "dialog/flow_session.h"
#include "dialog/start_state.h"

StartState StartStateOf(const Options& options);
void ApplyOptions(FlowSession& session, const Options& options);

// How a mode without a window draws its picture: with Qt's fonts for the labels, or, for
// --no-labels, the core's rasteriser with no text painter (every line and fill, no text).
void UseModeDrawing(FlowSession& session, bool labels);
