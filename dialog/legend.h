#pragma once
// The legend: every line, colour and mark the picture can show, and every symbol its labels
// and fields use, each with a sentence (Russian, translated in the "Legend" context). A line's
// sample is drawn by the shell in the pen the picture draws it with, so the legend cannot show
// a colour the picture does not.
#include <vector>

#include "corner/corner.h"
#include "draw/dc.h"

struct LegendItem {
    // What the shell draws before the words: a short line in pen, red dots (the tracers), a
    // disc in fill outlined in pen (the marker), or nothing (a symbol).
    enum class Sample { Line, Dots, Disc, Symbol };
    Sample sample = Sample::Symbol;
    Pen pen;
    Colour fill;
    const char* words = nullptr;
};

// The pens and colours the picture draws with, gathered from the parts that own them.
struct LegendPens {
    Pen streamline;
    Pen exact;
    Pen frame;
    Colour tracer;
    Colour marker;
};
std::vector<LegendItem> LegendOf(const Corner& corner, const LegendPens& pens);
