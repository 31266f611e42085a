#pragma once
// The window's start from the command line, the same for the window and --snapshot-window:
// the language, the seed, the session's start-up, the exact theory over the picture, then the
// inputs as if typed into their fields and left, the wall, the ticks and the pause. The window
// then shows the fields and labels the calculator prints for the same options.
#include <string>

#include "app/options.h"
#include "dialog/languages.h"

class FlowDialog;

// The names the settings file is kept under (~/.config/Cornerflow/cornerflow.conf), set once the
// application object is made.
void NameTheProgram();
// The language the window opens in: asked (--lang), else kept (the one chosen last in the menu),
// else the first of the system's user-interface languages the program speaks (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG as the toolkit reads them), else Russian.
const Language& WindowLanguage(const std::string& asked, const std::string& kept);

// The language is options.lang when given; otherwise the dialog keeps the one it has.
void StartWindow(FlowDialog& dialog, const Options& options);
