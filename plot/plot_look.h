#pragma once
// What the plot shows and in which colours: the quantities, each with its ratio's name and
// colour, and the colours of the plot's lines and shades.
#include "draw/dc.h"
#include "model/profile.h"

// ---- What is shown

// A set of quantities, one bit per Quantity.
using QuantitySet = unsigned;
constexpr QuantitySet QuantityBit(Quantity q) { return 1u << static_cast<unsigned>(q); }
constexpr QuantitySet kAllQuantities = (1u << kQuantityCount) - 1u;
constexpr QuantitySet kDefaultPlotQuantities = QuantityBit(Quantity::Mach)
                                               | QuantityBit(Quantity::Pressure)
                                               | QuantityBit(Quantity::Temperature);

// A quantity as the plot draws it: its ratio's name in the legend ("P/P1", the same in every
// language), its symbol, and its colour; for a shell's toggles too.
struct QuantityLook {
    const char* ratio;
    const char* symbol;
    Colour colour;
};
const QuantityLook& LookOf(Quantity q);

// The plot's other colours.
constexpr Colour kPlotWhite{255, 255, 255};         // the ground, and the cursor's box
constexpr Colour kPlotAxis{96, 96, 96};             // the axes' box and the ticks
constexpr Colour kPlotGrid{228, 228, 228};          // the grid, and the cursor's box's edge
constexpr Colour kPlotUnitRatio{200, 200, 200};     // the grid line at the ratio 1
constexpr Colour kPlotGrey{128, 128, 128};          // the characteristics and the shock
constexpr Colour kPlotExactFanShade{244, 244, 252}; // the exact fan
constexpr Colour kPlotModelFanShade{230, 236, 250}; // the model's fan
constexpr Colour kPlotCursor{40, 40, 40};           // the cursor, and the legend's lines
