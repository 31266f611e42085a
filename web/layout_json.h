#pragma once
// Everything the page builds its controls from, as one JSON text: both dialogs' tables with pixel
// rectangles, the label images (and their English twins) as SVG text, which field each control
// shows and which label images name it, and the core's words for a screen reader (in the
// program's Russian; the page translates them).
#include <string>

std::string LayoutJson();
