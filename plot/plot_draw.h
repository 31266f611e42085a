#pragma once
// The plot drawn through a DC: everything but the cursor, and the cursor.
#include "draw/dc.h"
#include "model/profile.h"
#include "plot/plot_layout.h"
#include "plot/plot_look.h"
#include "plot/plot_words.h"

// ---- Drawing

// Everything but the cursor, onto a white picture (it does not paint the white itself).
void DrawPlot(DC& dc, const PlotLayout& layout, const FanProfile& profile, QuantitySet shown,
              const PlotWords& words);
// The cursor at a direction: its line, the angle, and the model's and the exact values of the
// shown quantities beside it. Nothing where the angle lies outside the plot's range.
void DrawPlotCursor(DC& dc, const PlotLayout& layout, const ProfileSample& at, QuantitySet shown,
                    const PlotWords& words);
