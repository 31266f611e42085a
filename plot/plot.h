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
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "draw/dc.h"
#include "draw/frame_buffer.h"
#include "draw/raster_dc.h"
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

// words with %1, %2, ... replaced by values[0], values[1], ... (each placeholder wherever it
// stands; a placeholder without a value is left as it is).
std::string FillWords(std::string words, const std::vector<std::string>& values);

// What a screen reader is told about the plot: which words, and the numbers for them.
struct PlotDescription {
    PlotWord words = PlotWord::DescribeNoFan;
    std::vector<std::string> values;
};
PlotDescription DescribePlot(const FanProfile& profile);

// ---- Geometry

// The plot's frame at a size, in picture pixels: the axes' box, and the mapping of angles and
// ratios into it. The title, the legend and the axis caption wrap onto more lines where the
// plot is too narrow for them, and the box gives up their room.
struct PlotLayout {
    int width = 0, height = 0;
    int left = 0, top = 0, right = 0, bottom = 0; // the axes' box
    double phiFrom = 0.0, phiTo = 0.0;            // rad, at the left and right edges
    double ratioTop = 1.0;                        // the ratio at the top edge (0 at the bottom)
    double ratioStep = 0.5;                       // between the y ticks
    double X(double phi) const;
    double Y(double ratio) const;
    // The polar angle at a column (picture pixels), for a pointer over the plot.
    double AngleAt(double x) const;
};

// The plot's layout at a size, its y range fitted to the ratios shown: a little past the
// largest, at least past 1, at most past kLargestRatio. With a kept layout (the one shown
// before), its range stays while every shown ratio still lies within it and the range fitted
// afresh would be less than kShrinkFactor times smaller; otherwise the range is fitted afresh.
// So a small drag never makes the axis jump, a curve that leaves the range grows it at once,
// and a much smaller flow gets its detail back.
constexpr double kShrinkFactor = 2.5;
PlotLayout LayoutPlot(int width, int height, const FanProfile& profile, QuantitySet shown,
                      const PlotWords* words = nullptr, const PlotLayout* kept = nullptr);

// How wide the plot takes a text in a font of a cell height to be, in pixels: the core has no
// fonts, so each character is taken generously wide and the shells' fonts draw inside it.
int PlotTextWidth(const std::string& text, int cellHeight);

// ---- Drawing

// Everything but the cursor, onto a white picture (it does not paint the white itself).
void DrawPlot(DC& dc, const PlotLayout& layout, const FanProfile& profile, QuantitySet shown,
              const PlotWords& words);
// The cursor at a direction: its line, the angle, and the model's and the exact values of the
// shown quantities beside it. Nothing where the angle lies outside the plot's range.
void DrawPlotCursor(DC& dc, const PlotLayout& layout, const ProfileSample& at, QuantitySet shown,
                    const PlotWords& words);

// Composes plots into a frame: the plot without its cursor is kept, and drawn again only when
// what it shows changes (the profile, the size, the scale, the quantities or the words); the
// cursor is laid over a copy of it, or, in a frame that still holds the last composition, over
// the kept plot's pixels given back where the last cursor drew. It keeps the y range from one
// plot to the next (see LayoutPlot) while the oncoming flow stays the same and the wall turns by
// less than 5 degrees between them; a new oncoming flow or a wall set anew gets its range fitted
// afresh.
class PlotComposer {
public:
    // The device context the plot is drawn through; without one, the core's RasterDC (no text).
    MakeDCFunction makeDC;
    // Whether the kept plot is copied into the target only where a row differs, those rows
    // counted for TakeChangedRows: for a shell that puts only them on its screen. Otherwise it
    // is copied whole, which costs less.
    bool countRows = false;

    // What is drawn. profileVersion moves on whenever the profile changes.
    struct Input {
        const FanProfile* profile = nullptr;
        unsigned long profileVersion = 0;
        int width = 0, height = 0, scale = 1;
        QuantitySet shown = kDefaultPlotQuantities;
        const PlotWords* words = nullptr;
        unsigned long wordsVersion = 0;
        bool cursor = false;
        ProfileSample at; // the cursor's direction and states, when cursor
    };
    // The plot into target (made at the size and scale when it is not already); false, with
    // target left as it is, when nothing it shows changed since the last call composed it.
    bool Compose(FrameBuffer& target, const Input& in);
    const PlotLayout& Layout() const { return layout_; }
    // How many times the plot without its cursor was drawn.
    long BaseCompositions() const { return baseCompositions_; }
    // Forget the kept plot (another device context).
    void Invalidate() { baseValid_ = false; }
    // The device rows [first, end) of the target that may differ from what they held when this
    // was last called (first == end: none), counted over every composition since (with
    // countRows; without, every composition counts them all); a shell that keeps a copy of the
    // plot brings only these up to date.
    std::pair<int, int> TakeChangedRows();

private:
    struct Stamp {
        unsigned long profileVersion = 0, wordsVersion = 0;
        int width = 0, height = 0, scale = 0;
        QuantitySet shown = 0;
        bool operator==(const Stamp& o) const
        {
            return profileVersion == o.profileVersion && wordsVersion == o.wordsVersion
                   && width == o.width && height == o.height && scale == o.scale
                   && shown == o.shown;
        }
    };

    FrameBuffer base_;
    PlotLayout layout_;
    Stamp stamp_;
    bool baseValid_ = false;
    bool rangeKept_ = false; // layout_ holds the y range shown last, for this oncoming flow
    StateValues rangeUpstream_;
    double rangeWall_ = 0.0; // the downstream wall's direction then (FanProfile::phiTo)
    long baseCompositions_ = 0;
    // The last composed plot's cursor (its angle, when there is one).
    bool composed_ = false;
    bool cursor_ = false;
    double cursorAngle_ = 0.0;
    // Where that cursor drew in the target, row by row, when its context marked every pixel it
    // drew (cursorMarked_), and the target's pixels then.
    DrawnRows cursorRows_;
    bool cursorMarked_ = false;
    const uint32_t* composedBits_ = nullptr;
    // The target's rows changed since TakeChangedRows, [first, end).
    int changedFirst_ = 0, changedEnd_ = 0;
    void RowsChanged(int first, int end);
};
