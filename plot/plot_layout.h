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

// The small text's cell height, px, at its least (the words' size on a plot shown at one
// display unit per pixel) and at its most.
constexpr int kPlotTextCell = 14;
constexpr int kMostPlotTextCell = 64;
// The least height of the axes' box, in text cells, for which the x axis's caption may take a
// second line rather than be shortened to its symbol and unit.
constexpr int kLeastBoxCells = 12;

// The plot's frame at a size, in picture pixels: the axes' box, and the mapping of angles and
// ratios into it. The title, the legend and the axis caption wrap onto more lines where the
// plot is too narrow for them, and the box gives up their room (and, on a narrow plot, the
// cursor's band's).
struct PlotLayout {
    int width = 0, height = 0;
    int left = 0, top = 0, right = 0, bottom = 0; // the axes' box
    int textCell = kPlotTextCell;                 // the small text's cell height, px
    int cursorBand = 0; // the band at the plot's foot kept for the cursor's values, px (0: none)
    double phiFrom = 0.0, phiTo = 0.0; // rad, at the left and right edges
    double ratioTop = 1.0;             // the ratio at the top edge (0 at the bottom)
    double ratioStep = 0.5;            // between the y ticks
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
                      const PlotWords* words = nullptr, const PlotLayout* kept = nullptr,
                      int textCell = kPlotTextCell, DC* measure = nullptr);

// The width the plot gives a text in a font of a cell height where no DC measures it (a picture
// drawn without text), px: each character taken generously wide.
int PlotTextWidth(const std::string& text, int cellHeight);

// ---- For the drawing: what the layout decides beside the box

namespace plotting {

constexpr int kTextCell = kPlotTextCell; // the small text's cell height at its least, px
constexpr int kTitleCell = 16;           // the title's cell height then, px
constexpr int kTitleLineGap = 2;         // between the title's lines, px
constexpr int kLabelInset = 3;           // a text's top below the box's top, px

// The plot's text at a cell height: its fonts, the measures that grow with it (each given at
// the least cell, px, and grown in proportion), and the widths of texts as the device context
// that draws them measures them (PlotTextWidth where it does not).
struct PlotText {
    PlotText(int textCell = kTextCell, DC* measure = nullptr);
    int cell;        // the small text's cell height, px
    int title;       // the title's
    int swatch;      // a legend's or the cursor's line, px long (30 at the least cell)
    int left;        // the box's left edge from the plot's (52)
    int rightMargin; // the box's right edge from the plot's (14)
    int legendRow;   // the legend's rows apart (cell + 4)
    int captionLine; // the lines of a caption or a note apart (cell + 1)
    int captionGap;  // from the box's bottom to the caption's top (22)
    int bottomRoom;  // under the box for the ticks and one caption line (42)
    DC* dc;          // what measures the texts; none: PlotTextWidth
    Font TextFont() const { return Font{cell, "Verdana"}; }
    Font TitleFont() const { return Font{title, "Verdana"}; }
    // A text's width in the font of a cell height, px.
    int Width(const std::string& text, int cellHeight) const;
    // A measure given at the least cell, grown with the cell.
    int Grown(int atLeastCell) const;
};

// The cursor's values: a row of the angle over a row per quantity.
constexpr int kCursorTopPad = 3; // inside the values' box, above its first row, px
constexpr int kCursorRowGap = 2; // between the rows of the values, px
// A plot narrower than this many text cells shows the values in a band of their own at its
// foot, under the x axis's caption, clear of the curves, the title and the legend; the band
// stays (empty) while no cursor is shown, so that the axes do not move when one appears.
constexpr int kNarrowPlotCells = 36;
constexpr int kCursorBandGap = 3; // above and below the values' box in that band, px
// The values' box's height, px, with rows quantities.
int CursorBoxHeight(const PlotText& t, int rows);

// The nearest whole pixel.
int At(double v);

// Words broken at spaces into lines of at most `width` pixels (a word wider than that stands on
// a line of its own).
std::vector<std::string> WrapText(const PlotText& t, const std::string& text, int cell, int width);

struct TextBox {
    int x = 0, y = 0, w = 0, h = 0;
    // Whether the boxes come closer than gap across (rowGap up and down).
    bool Meets(const TextBox& o, int gap, int rowGap) const
    {
        return x < o.x + o.w + gap && o.x < x + w + gap && y < o.y + o.h + rowGap
               && o.y < y + h + rowGap;
    }
    bool Meets(const TextBox& o, int gap) const { return Meets(o, gap, gap); }
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
Header LayoutHeader(const PlotText& t, int width, QuantitySet shown, const PlotWords& words,
                    int left = -1);

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
// roomHeight: the box's height with a caption of one line.
Footer LayoutFooter(const PlotText& t, int boxWidth, int roomHeight, const PlotWords& words);

// A polyline in picture pixels as the curves draw it: a ratio that is no number breaks it, an
// infinite one lies far above the box (y = -infinity).
void CurvePixels(const PlotLayout& l, const FanProfile& p, Quantity q, bool exact,
                 std::vector<double>& xy);

// Whether the segment from (ax, ay) to (bx, by) passes through the box.
bool SegmentMeets(double ax, double ay, double bx, double by, const TextBox& b);

// A label beside a vertical line, placed on the first of the rows down from the box's top, right
// of its line or left of it, where it meets no text placed before and crosses as few curves and
// lines as may be (each counted once, however many of its pieces the box meets): near its
// preferred row, right of its line where that is as good.
struct Label {
    double phi;
    PlotWord word;
    int row;         // the preferred row
    bool rightFirst; // right of the line preferred
};
// Each label's box (w == 0: none), each placed one added to placed. segments are the curves'
// and lines' straight pieces, each curve or line a run of them: lineStarts holds the index of
// each run's first piece, in order.
std::vector<TextBox> PlaceLabels(const PlotText& t, const PlotLayout& l,
                                 const std::vector<Label>& labels, const PlotWords& words,
                                 const std::vector<std::array<double, 4>>& segments,
                                 const std::vector<size_t>& lineStarts,
                                 std::vector<TextBox>& placed);

} // namespace plotting
