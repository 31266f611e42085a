#pragma once
// The window's start from the command line, the same for the window and --snapshot-window:
// the language, the seed, the session's start-up, the exact theory over the picture, then the
// inputs as if typed into their fields and left, the wall, the ticks and the pause. The window
// then shows the fields and labels the calculator prints for the same options.
#include "app/options.h"

class FlowDialog;

// The language is options.lang when given; otherwise the dialog keeps the one it has.
void StartWindow(FlowDialog& dialog, const Options& options);
