#pragma once
// Where the plot puts things: the axes' box and its mapping of angles and ratios, the title and
// the legend above it, the caption under it, and the labels of the characteristics inside it.
#include <array>
#include <string>
#include <vector>

#include "draw/dc.h"
#include "model/profile.h"
#include "plot/plot_look.h"
#include "plot/plot_words.h"

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

// ---- For the drawing: what the layout decides beside the box

namespace plotting {

constexpr int kTextCell = 14;  // the small text's cell height, px
constexpr int kTitleCell = 16; // the title's cell height, px
const Font kTextFont{kTextCell, "Verdana"};
const Font kTitleFont{kTitleCell, "Verdana"};
constexpr int kSwatch = 30;                 // a legend's or the cursor's line, px long
constexpr int kLeft = 52;                   // the box's left edge from the plot's, px
constexpr int kRightMargin = 14;            // the box's right edge from the plot's, px
constexpr int kTitleLineGap = 2;            // between the title's lines, px
constexpr int kLegendRow = kTextCell + 4;   // the legend's rows, px apart
constexpr int kCaptionLine = kTextCell + 1; // the lines of a caption or a note, px apart
constexpr int kCaptionGap = 22;             // from the box's bottom to the caption's top, px
constexpr int kBottomRoom = 42;             // under the box for the ticks and one caption line, px
constexpr int kLabelInset = 3;              // a label's top below the box's top, px
constexpr int kLabelGap = 3;                // a label's side from its line, px

// The nearest whole pixel.
int At(double v);
// A text's width, px, in a font of a cell height.
int TextWidth(const std::string& text, int cell);

// Words broken at spaces into lines of at most `width` pixels (a word wider than that stands on
// a line of its own).
std::vector<std::string> WrapText(const std::string& text, int cell, int width);

struct TextBox {
    int x = 0, y = 0, w = 0, h = 0;
    bool Meets(const TextBox& o, int gap) const
    {
        return x < o.x + o.w + gap && o.x < x + w + gap && y < o.y + o.h + gap && o.y < y + h + gap;
    }
};

// Above the box: the title's lines, then the legend's items in rows (each item a swatch and its
// words), as wide as the plot allows.
struct Header {
    std::vector<std::string> title;
    struct Item {
        int x = 0, y = 0;
        Colour colour;
        bool dashed = false;
        std::string text;
    };
    std::vector<Item> legend;
    int left = 0; // where the title's lines start
    int top = 0;  // where the axes' box may start
};
// From the box's left edge, or, where that leaves the title or the legend more than one line,
// from the plot's left edge.
Header LayoutHeader(int width, QuantitySet shown, const PlotWords& words, int left = kLeft);

// Under the box: the axis caption, centred, and the flow's direction at the right end of its
// line, or on a line of its own where the caption fits the box's width only without it. Where
// the caption does not fit the box's width on one line, it is shortened to the angle's symbol
// and unit (the part before its colon), so that a narrow plot keeps its height for the curves.
struct Footer {
    std::vector<std::string> caption;
    int captionWidth = 0;  // the caption's lines are centred in this much from the box's left
    int directionLine = 0; // the line the direction stands on
    int lines = 1;
};
Footer LayoutFooter(int boxWidth, const PlotWords& words);

// A polyline in picture pixels as the curves draw it: a ratio that is no number breaks it, an
// infinite one lies far above the box (y = -infinity).
void CurvePixels(const PlotLayout& l, const FanProfile& p, Quantity q, bool exact,
                 std::vector<double>& xy);

// Whether the segment from (ax, ay) to (bx, by) passes through the box.
bool SegmentMeets(double ax, double ay, double bx, double by, const TextBox& b);

// A label beside a vertical line, placed on the first of the rows down from the box's top, right
// of its line or left of it, where it meets no text placed before and crosses as few curves and
// lines as may be: near its preferred row, right of its line where that is as good.
struct Label {
    double phi;
    PlotWord word;
    int row;         // the preferred row
    bool rightFirst; // right of the line preferred
};
// Each label's box (w == 0: none), each placed one added to placed.
std::vector<TextBox> PlaceLabels(const PlotLayout& l, const std::vector<Label>& labels,
                                 const PlotWords& words,
                                 const std::vector<std::array<double, 4>>& segments,
                                 std::vector<TextBox>& placed);

} // namespace plotting
