#pragma once
// The plot of the state through the fan: the model beside the exact theory against the polar
// angle phi (model/profile.h), drawn by the core through the same DC as the picture, so that
// both shells show the same pixels (text goes to the shell's TextPainter).
//
// What it shows: x is phi in degrees, decreasing from left to right as the flow turns, from the
// upstream wall's direction (180) to the downstream wall's; y the ratios M/M1, P/P1, T/T1,
// rho/rho1 and V/V1 on one axis, those chosen (M, P and T by default), each in its colour, the
// model solid and the exact theory dashed. The fans are shaded lightly (the exact one lighter),
// the first and last characteristics drawn as vertical lines (the model's solid grey, the exact
// ones dashed grey) and labelled; with a wall turned into the flow the exact oblique shock's
// line too (dashed grey, labelled), where the exact curves jump in a vertical step, or, where
// the shock detaches, a note and no exact curve past the corner; and a cursor at the pointer's angle carries the model's and
// the exact values there (as the probe fields write them).
//
// For a shell: FlowSession (dialog/flow_session.h) owns a PlotComposer and keeps the plot up to
// date; a shell sets the size, the quantities and the words (translated in the "Plot" context)
// and shows FlowSession::PlotFrame(). The words are the program's Russian (PlotWordSource);
// PlotWords::Translated fills them from a shell's translations.
#include "plot/plot_composer.h"
#include "plot/plot_draw.h"
#include "plot/plot_layout.h"
#include "plot/plot_look.h"
#include "plot/plot_words.h"
