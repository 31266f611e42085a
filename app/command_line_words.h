#pragma once
// A bad value on the command line, told in the words the page shows for the same value in a
// link, in the language the window would open in (--lang, else the one chosen last in its
// menu, else the system's, else Russian): the core's words (dialog/start_state.h) translated
// by the program's own translation files, with no window.
#include <string>

#include "dialog/start_state.h"

std::string CommandLineProblemText(const StartProblem& problem, const std::string& asked);
