#pragma once
// The plot drawn through a DC: everything but the cursor, and the cursor.
#include <array>
#include <vector>

#include "draw/dc.h"
#include "model/profile.h"
#include "plot/plot_layout.h"
#include "plot/plot_look.h"
#include "plot/plot_words.h"

// ---- Drawing

// What the plot without its cursor drew inside its box, which the cursor's values keep clear
// of: the words' boxes (x, y, width, height) and the straight pieces of the curves and the
// lines (x0, y0, x1, y1), px.
struct PlotMarks {
    std::vector<std::array<int, 4>> words;
    std::vector<std::array<double, 4>> lines;
};

// Everything but the cursor, onto a white picture (it does not paint the white itself).
PlotMarks DrawPlot(DC& dc, const PlotLayout& layout, const FanProfile& profile, QuantitySet shown,
                   const PlotWords& words);
// The cursor at a direction: its line, the angle, and the model's and the exact values of the
// shown quantities. Nothing where the angle lies outside the plot's range. The values stand in
// the band the layout keeps under the caption (a narrow plot), else in the box beside the
// cursor where they cover none of marks' words and cross the fewest of its lines.
void DrawPlotCursor(DC& dc, const PlotLayout& layout, const ProfileSample& at, QuantitySet shown,
                    const PlotWords& words, const PlotMarks* marks = nullptr);
