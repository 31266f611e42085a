#pragma once
// The plot's words: the program's Russian for each (the shells translate it in the "Plot"
// context), the one filler of their placeholders, and what a screen reader is told.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "model/profile.h"

// ---- Words

enum class PlotWord : int {
    Title,          // above the plot
    AngleAxis,      // under the x axis
    RatioAxis,      // at the top of the y axis
    Model,          // legend: the solid lines
    Theory,         // legend: the dashed lines
    FanStart,       // at the first characteristic
    ModelEnd,       // at the model's last characteristic
    TheoryEnd,      // at the exact last characteristic
    CursorAngle,    // over the cursor, %1 the angle in degrees
    NoFan,          // in the plot when the flow is not supersonic
    IntoTheFlow,    // in the plot when the wall turns into the flow
    MachRow,        // the cursor's rows: a quantity and its unit
    PressureRow,    //
    TemperatureRow, //
    DensityRow,     //
    SpeedRow,       //
    AccessibleName, // what a screen reader calls the plot
    // Its description (DescribePlot): %1 the upstream pressure, %2 the model's past the fan,
    // %3 the exact one, in Pa as the fields write them.
    DescribeExpansion,
    DescribeNoFan,       // %1 the pressure
    DescribeIntoTheFlow, // %1 the pressure
    TurnDirection,       // at the right end of the x axis: which way the flow turns
    Vacuum,              // the cursor's exact value where the exact flow is a vacuum
    TheoryVacuum,        // beside the exact last characteristic, pointing past it, at a vacuum
    NoTurn,              // in the plot when the wall is straight: a supersonic flow, no turn
    // The description when the exact flow past its fan is a vacuum: %1 the upstream pressure,
    // %2 the model's past its fan.
    DescribeVacuum,
    DescribeNoTurn, // %1 the pressure
    ModelNote,      // beside the plot: what the model simplifies, and why the lines differ
    Shock,          // at the exact oblique shock's line
    Detached,       // in the plot when the exact shock detaches: nothing past the corner computed
    // The description with an exact shock: %1 the upstream pressure, %2 the exact one behind
    // the shock, %3 the shock's angle in degrees.
    DescribeShock,
    DescribeDetached, // %1 the pressure
    Count,
};
constexpr int kPlotWordCount = static_cast<int>(PlotWord::Count);

// The program's Russian for a word (UTF-8); the shells translate it in the "Plot" context.
const char* PlotWordSource(PlotWord word);

struct PlotWords {
    std::array<std::string, kPlotWordCount> text; // the Russian unless filled otherwise

    PlotWords();
    const std::string& operator[](PlotWord word) const { return text[static_cast<size_t>(word)]; }
    bool operator==(const PlotWords& o) const { return text == o.text; }
    bool operator!=(const PlotWords& o) const { return text != o.text; }
    // Every word through a shell's translation of its Russian source.
    static PlotWords Translated(const std::function<std::string(const char* source)>& translate);
};


// What a screen reader is told about the plot: which words, and the numbers for them.
struct PlotDescription {
    PlotWord words = PlotWord::DescribeNoFan;
    std::vector<std::string> values;
};
PlotDescription DescribePlot(const FanProfile& profile);

// A supersonic flow along a straight wall: the theory has its answer, a turn of zero.
bool ProfileHasNoTurn(const FanProfile& profile);
// The exact flow past its fan is a vacuum: the wall turned at least the exact largest turn.
bool ExactFlowIsVacuum(const FanProfile& profile);
