#include "plot/plot_draw.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "base/constants.h"
#include "base/saturate.h"
#include "base/text_fill.h"
#include "base/vector_state.h"
#include "draw/clip.h"
#include "model/classify.h"
#include "model/number_text.h"

using namespace plotting;

namespace {

// Solid one-pixel lines along a row or a column, both ends' pixels included, as rectangles: the
// plot is drawn mostly of these, and a rectangle costs far less than a slanted line's steps.
void HorizontalRun(DC& dc, int x0, int x1, int y, Colour c)
{
    dc.FillRect(std::min(x0, x1), y, std::abs(x1 - x0) + 1, 1, c);
}
void VerticalRun(DC& dc, int x, int y0, int y1, Colour c)
{
    dc.FillRect(x, std::min(y0, y1), 1, std::abs(y1 - y0) + 1, c);
}

void VerticalLine(DC& dc, const PlotLayout& l, double phi, const Pen& pen)
{
    if (!(phi >= l.phiTo && phi <= l.phiFrom))
        return;
    const double x = std::round(l.X(phi));
    if (pen.style == PenStyle::Solid && pen.width == 1) {
        VerticalRun(dc, TruncToInt(x), l.top, l.bottom - 1, pen.colour);
        return;
    }
    const double xy[] = {x, static_cast<double>(l.top), x, static_cast<double>(l.bottom)};
    dc.SelectPen(pen);
    dc.Polyline(xy, 2);
}

// A line as the curves draw it, t.swatch pixels long: solid and two wide for the model, one dash
// and the start of the next for the exact theory.

void Swatch(DC& dc, int x, int y, int length, Colour colour, bool dashed)
{
    dc.SelectPen(dashed ? Pen{PenStyle::Dash, 1, colour} : Pen{PenStyle::Solid, 2, colour});
    const double xy[] = {static_cast<double>(x), static_cast<double>(y),
                         static_cast<double>(x + length), static_cast<double>(y)};
    dc.Polyline(xy, 2);
}

// The parts of a polyline inside the box, each drawn as one polyline.
void ClippedPolyline(DC& dc, const std::vector<double>& xy, double x0, double y0, double x1,
                     double y1)
{
    for (const std::vector<double>& run : ClipPolyline(xy, x0, y0, x1, y1))
        dc.Polyline(run.data(), static_cast<int>(run.size() / 2));
}

} // namespace

namespace {

// DrawPlot's measures, px.
constexpr int kTickLength = 4;     // a tick outside the box
constexpr int kTickLabelGap = 2;   // between a tick and its number
constexpr int kNoteInset = 4;      // a note's or the y axis's name's side from the box's side
constexpr int kTitleTop = 4;       // the title's top from the plot's
constexpr int kSwatchGap = 4;      // between a legend's line and its words
constexpr int kAngleLabelGap = 4;  // the least room between two angles' numbers
constexpr int kLabelClearance = 2; // the least room round a text inside the box
// The angle's ticks, degrees apart, for the span the plot covers (deg): the first whose span
// the plot's exceeds, else the last.
constexpr double kAngleSteps[][2] = {{150.0, 30.0}, {75.0, 15.0}, {30.0, 10.0}, {0.0, 5.0}};
// How many y ticks the plot draws at most (a bound on the loop).
constexpr int kMostRatioTicks = 100;

// How many decimals a step's numbers need (at most 6).
int Decimals(double step)
{
    int d = 0;
    while (d < 6
           && std::fabs(step * std::pow(10.0, d) - std::round(step * std::pow(10.0, d))) > 1e-9)
        ++d;
    return d;
}

// The fan between two directions (rad) shaded.
void ShadeFan(DC& dc, const PlotLayout& l, double first, double last, Colour c)
{
    if (!(std::isfinite(first) && std::isfinite(last)))
        return;
    const double a = std::clamp(l.X(std::min(first, l.phiFrom)), double(l.left), double(l.right));
    const double b = std::clamp(l.X(std::max(last, l.phiTo)), double(l.left), double(l.right));
    if (b > a)
        dc.FillRect(At(a), l.top, std::max(1, At(b) - At(a)), l.bottom - l.top, c);
}

// The grid and the ticks of the ratios, every ratioStep, each numbered where it leaves room
// for the one below it.
void DrawRatioTicks(DC& dc, const PlotText& t, const PlotLayout& l)
{
    const int decimals = Decimals(l.ratioStep);
    const int ticks = TruncToInt(std::round(l.ratioTop / l.ratioStep));
    int previousLabelTop = 1000000; // from the bottom up: a label too near the last one is left out
    for (int i = 0; i <= ticks && i <= kMostRatioTicks; ++i) {
        const double r = i * l.ratioStep;
        const int y = At(l.Y(r));
        if (i > 0)
            HorizontalRun(dc, l.left + 1, l.right - 1, y, r == 1.0 ? kPlotUnitRatio : kPlotGrid);
        HorizontalRun(dc, l.left - kTickLength, l.left - 1, y, kPlotAxis);
        const std::string text = FormatFixed(r, decimals);
        if (y - t.cell / 2 + t.cell < previousLabelTop) {
            dc.DrawText(l.left - kTickLength - kTickLabelGap - t.Width(text, t.cell),
                        y - t.cell / 2, text);
            previousLabelTop = y - t.cell / 2;
        }
    }
}

// The angles' ticks under the box, each numbered where it leaves room for the one before.
void DrawAngleTicks(DC& dc, const PlotText& t, const PlotLayout& l)
{
    const double spanDegrees = (l.phiFrom - l.phiTo) * kDegreesPerRadian;
    double angleStep = kAngleSteps[0][1];
    for (const auto& step : kAngleSteps)
        if (spanDegrees > step[0] || step[0] == 0.0) {
            angleStep = step[1];
            break;
        }
    const double fromDegrees = l.phiFrom * kDegreesPerRadian;
    const double toDegrees = l.phiTo * kDegreesPerRadian;
    int previousLabelEnd = -1000000;
    for (double d = std::floor(fromDegrees / angleStep) * angleStep; d >= toDegrees - 1e-9;
         d -= angleStep) {
        const int x = At(l.X(d * kRadiansPerDegree));
        VerticalRun(dc, x, l.bottom, l.bottom + kTickLength, kPlotAxis);
        const std::string text = FormatFixed(d, 0);
        const int w = t.Width(text, t.cell);
        // Not left of the box's corner, where the y axis's lowest label stands, nor past the
        // plot's right edge.
        const int tx = std::max(std::min(x - w / 2, l.width - 1 - w), l.left - kTickLength);
        if (tx > previousLabelEnd + kAngleLabelGap) {
            dc.DrawText(tx, l.bottom + kTickLength + kTickLabelGap, text);
            previousLabelEnd = tx + w;
        }
    }
}

// The curves in pixels: the exact ones first, then the model's, so the model's lie on top.
struct Curves {
    std::vector<std::vector<double>> xy;
    std::vector<Colour> colour;
    std::vector<bool> exact;
};
Curves CurvesOf(const PlotLayout& l, const FanProfile& p, QuantitySet shown)
{
    Curves c;
    for (int pass = 0; pass < 2; ++pass)
        for (int q = 0; q < kQuantityCount; ++q) {
            const Quantity quantity = static_cast<Quantity>(q);
            if (!(shown & QuantityBit(quantity)))
                continue;
            c.xy.emplace_back();
            CurvePixels(l, p, quantity, pass == 0, c.xy.back());
            c.colour.push_back(LookOf(quantity).colour);
            c.exact.push_back(pass == 0);
        }
    return c;
}

// Every straight piece of the curves and of the characteristics' lines, in pixels: what a
// label inside the box should not cross; lineStarts gets the index of each curve's and line's
// first piece.
std::vector<std::array<double, 4>> SegmentsOf(const PlotLayout& l, const FanProfile& p,
                                              const Curves& curves, std::vector<size_t>& lineStarts)
{
    std::vector<std::array<double, 4>> segments;
    lineStarts.clear();
    for (const std::vector<double>& xy : curves.xy) {
        lineStarts.push_back(segments.size());
        for (size_t i = 0; i + 3 < xy.size(); i += 2) {
            const double ay = xy[i + 1] == -HUGE_VAL ? l.top - 1e6 : xy[i + 1];
            const double by = xy[i + 3] == -HUGE_VAL ? l.top - 1e6 : xy[i + 3];
            if (std::isfinite(xy[i]) && std::isfinite(ay) && std::isfinite(xy[i + 2])
                && std::isfinite(by))
                segments.push_back({xy[i], ay, xy[i + 2], by});
        }
    }
    for (double phi : {p.modelFirst, p.modelLast, p.exactFirst, p.exactLast, p.exactShock})
        if (phi >= l.phiTo && phi <= l.phiFrom) {
            const double x = std::round(l.X(phi));
            lineStarts.push_back(segments.size());
            segments.push_back({x, double(l.top), x, double(l.bottom)});
        }
    return segments;
}

// The texts inside the box that stand where they are: the y axis's name at the top left and,
// when there is no fan, why, in the middle.
struct BoxTexts {
    std::vector<std::string> ratioAxis;
    std::vector<std::string> note;
    int noteY = 0;
};
BoxTexts LayoutBoxTexts(const PlotText& t, const PlotLayout& l, const FanProfile& p,
                        const PlotWords& words, std::vector<TextBox>& placed)
{
    const int boxW = l.right - l.left;
    const int boxH = l.bottom - l.top;
    BoxTexts bt;
    // The y axis's name where it fits on a line (the legend's ratios say it as well).
    bt.ratioAxis = WrapText(t, words[PlotWord::RatioAxis], t.cell, boxW - 2 * kNoteInset);
    if (bt.ratioAxis.size() > 1)
        bt.ratioAxis.clear();
    const bool intoTheFlow = p.exact.theory.kind == TheoryCase::IntoTheFlow;
    if (!p.modelFan || intoTheFlow || ProfileHasNoTurn(p)) {
        const PlotWord why = p.exact.detached      ? PlotWord::Detached
                             : intoTheFlow         ? PlotWord::IntoTheFlow
                             : ProfileHasNoTurn(p) ? PlotWord::NoTurn
                                                   : PlotWord::NoFan;
        bt.note = WrapText(t, words[why], t.cell, boxW - 2 * kNoteInset);
        const int noteH = static_cast<int>(bt.note.size()) * t.captionLine;
        // Under the middle, lifted where it would run past the box; where the box is too short
        // for it under the y axis's name, it takes that name's place (the name matters less than
        // why there is no fan), and where it is too short even so, it is left out.
        bt.noteY = std::min(l.top + boxH / 2 + t.cell, l.bottom - kLabelClearance - noteH);
        const int under = l.top + kLabelInset
                          + static_cast<int>(bt.ratioAxis.size()) * t.captionLine + kLabelClearance;
        if (bt.noteY < under) {
            bt.ratioAxis.clear();
            bt.noteY = l.top + kLabelInset;
        }
        if (bt.noteY + noteH > l.bottom - 1)
            bt.note.clear();
        for (size_t i = 0; i < bt.note.size(); ++i) {
            const int w = t.Width(bt.note[i], t.cell);
            placed.push_back({l.left + std::max(kNoteInset, (boxW - w) / 2),
                              bt.noteY + static_cast<int>(i) * t.captionLine, w, t.cell});
        }
    }
    for (size_t i = 0; i < bt.ratioAxis.size(); ++i)
        placed.push_back({l.left + kNoteInset,
                          l.top + kLabelInset + static_cast<int>(i) * t.captionLine,
                          t.Width(bt.ratioAxis[i], t.cell), t.cell});
    return bt;
}

// Whether a curve or a line passes through a text's box.
bool Crossed(const TextBox& b, const std::vector<std::array<double, 4>>& lines)
{
    for (const auto& sg : lines)
        if (SegmentMeets(sg[0], sg[1], sg[2], sg[3], b))
            return true;
    return false;
}

// A text in its box, on white where onWhite (a pixel wider each side).
void DrawOnWhite(DC& dc, const TextBox& b, const std::string& text, bool onWhite)
{
    if (onWhite)
        dc.FillRect(b.x - 1, b.y, b.w + 2, b.h, kPlotWhite);
    dc.DrawText(b.x, b.y, text);
}

// The characteristics' labels (and the shock's), each at its line.
std::vector<Label> LabelsOf(const FanProfile& p)
{
    std::vector<Label> labels;
    // The key message first, so that it has its place before the others take theirs.
    if (p.exact.fan && !ProfileHasNoTurn(p) && ExactFlowIsVacuum(p))
        labels.push_back({p.exactLast, PlotWord::TheoryVacuum, 4, true});
    if (ProfileHasNoTurn(p)) {
        // No fan to label: the one line is where the flow would start to turn.
    } else if (p.modelFan) {
        labels.push_back({p.modelFirst, PlotWord::FanStart, 1, true});
        labels.push_back({p.modelLast, PlotWord::ModelEnd, 2, true});
    } else if (p.exact.fan && !ProfileHasNoTurn(p)) {
        labels.push_back({p.exactFirst, PlotWord::FanStart, 1, true});
    }
    if (p.exact.fan && !ProfileHasNoTurn(p)) {
        labels.push_back({p.exactLast, PlotWord::TheoryEnd, 3, true});
    }
    if (p.exact.shock)
        labels.push_back({p.exactShock, PlotWord::Shock, 1, true});
    return labels;
}

// The words outside the box: the x axis's caption and the way the flow turns under it, the
// title and the legend above it.
void DrawHeaderAndFooter(DC& dc, const PlotText& t, const PlotLayout& l, QuantitySet shown,
                         const PlotWords& words)
{
    const Footer footer = LayoutFooter(t, l.right - l.left,
                                       l.height - l.cursorBand - t.bottomRoom - l.top, words);
    for (size_t i = 0; i < footer.caption.size(); ++i) {
        const int w = t.Width(footer.caption[i], t.cell);
        dc.DrawText(l.left + std::max(0, (footer.captionWidth - w) / 2),
                    l.bottom + t.captionGap + static_cast<int>(i) * t.captionLine,
                    footer.caption[i]);
    }
    const std::string& direction = words[PlotWord::TurnDirection];
    dc.DrawText(std::max(l.left, l.right - t.Width(direction, t.cell)),
                l.bottom + t.captionGap + footer.directionLine * t.captionLine, direction);
    const Header header = LayoutHeader(t, l.width, shown, words);
    dc.SelectFont(t.TitleFont());
    for (size_t i = 0; i < header.title.size(); ++i)
        dc.DrawText(header.left, kTitleTop + static_cast<int>(i) * (t.title + kTitleLineGap),
                    header.title[i]);
    dc.SelectFont(t.TextFont());
    for (const Header::Item& item : header.legend) {
        Swatch(dc, item.x, item.y + t.cell / 2, t.swatch, item.colour, item.dashed);
        dc.DrawText(item.x + t.swatch + kSwatchGap, item.y, item.text);
    }
}

} // namespace

PlotMarks DrawPlot(DC& dc, const PlotLayout& l, const FanProfile& p, QuantitySet shown,
                   const PlotWords& words)
{
    ClearUpperVectorState();
    const PlotText t(l.textCell, &dc);
    ShadeFan(dc, l, p.exactFirst, p.exactLast, kPlotExactFanShade);
    ShadeFan(dc, l, p.modelFirst, p.modelLast, kPlotModelFanShade);
    dc.SelectFont(t.TextFont());
    DrawRatioTicks(dc, t, l);
    DrawAngleTicks(dc, t, l);
    const Curves curves = CurvesOf(l, p, shown);

    // The characteristics: the model's solid, the exact ones dashed, grey.
    const Pen modelLine{PenStyle::Solid, 1, kPlotGrey};
    const Pen exactLine{PenStyle::Dash, 1, kPlotGrey};
    VerticalLine(dc, l, p.modelFirst, modelLine);
    VerticalLine(dc, l, p.modelLast, modelLine);
    VerticalLine(dc, l, p.exactFirst, exactLine);
    VerticalLine(dc, l, p.exactLast, exactLine);
    VerticalLine(dc, l, p.exactShock, exactLine);

    // The texts inside the box, none over another: the y axis's name at the top left, the
    // reason when there is no fan in the middle, then the characteristics' labels where they
    // cross the fewest curves and lines.
    std::vector<TextBox> placed;
    const BoxTexts boxTexts = LayoutBoxTexts(t, l, p, words, placed);
    const std::vector<Label> labels = LabelsOf(p);
    PlotMarks marks;
    std::vector<size_t> lineStarts;
    marks.lines = SegmentsOf(l, p, curves, lineStarts);
    const std::vector<TextBox> labelBoxes =
        PlaceLabels(t, l, labels, words, marks.lines, lineStarts, placed);
    for (const TextBox& b : placed)
        marks.words.push_back({b.x, b.y, b.w, b.h});
    // A label no curve or line crosses now; one that cannot be placed so is drawn over them,
    // on white, as are the y axis's name and the note.
    dc.SelectFont(t.TextFont());
    for (size_t i = 0; i < labels.size(); ++i)
        if (labelBoxes[i].w > 0 && !Crossed(labelBoxes[i], marks.lines))
            dc.DrawText(labelBoxes[i].x, labelBoxes[i].y, words[labels[i].word]);

    // The curves: the exact ones dashed first, then the model's over them.
    for (size_t i = 0; i < curves.xy.size(); ++i) {
        const Colour c = curves.colour[i];
        dc.SelectPen(curves.exact[i] ? Pen{PenStyle::Dash, 1, c} : Pen{PenStyle::Solid, 2, c});
        ClippedPolyline(dc, curves.xy[i], l.left, l.top, l.right, l.bottom);
    }

    // The axes' box.
    HorizontalRun(dc, l.left, l.right, l.top, kPlotAxis);
    HorizontalRun(dc, l.left, l.right, l.bottom, kPlotAxis);
    VerticalRun(dc, l.left, l.top, l.bottom, kPlotAxis);
    VerticalRun(dc, l.right, l.top, l.bottom, kPlotAxis);

    for (size_t i = 0; i < labels.size(); ++i)
        if (labelBoxes[i].w > 0 && Crossed(labelBoxes[i], marks.lines))
            DrawOnWhite(dc, labelBoxes[i], words[labels[i].word], true);
    // When there is no fan, why; the y axis's name.
    const int boxW = l.right - l.left;
    for (size_t i = 0; i < boxTexts.note.size(); ++i) {
        const int w = t.Width(boxTexts.note[i], t.cell);
        const TextBox b{l.left + std::max(kNoteInset, (boxW - w) / 2),
                        boxTexts.noteY + static_cast<int>(i) * t.captionLine, w, t.cell};
        DrawOnWhite(dc, b, boxTexts.note[i], Crossed(b, marks.lines));
    }
    for (size_t i = 0; i < boxTexts.ratioAxis.size(); ++i) {
        const TextBox b{l.left + kNoteInset,
                        l.top + kLabelInset + static_cast<int>(i) * t.captionLine,
                        t.Width(boxTexts.ratioAxis[i], t.cell), t.cell};
        DrawOnWhite(dc, b, boxTexts.ratioAxis[i], Crossed(b, marks.lines));
    }
    DrawHeaderAndFooter(dc, t, l, shown, words);
    return marks;
}

namespace {

// The cursor's measures, px at the least cell (grown with it).
constexpr int kCursorGap = 6;       // between the cursor's line and its values' box
constexpr int kCursorPad = 4;       // inside the values' box, left and right
constexpr int kCursorColumnGap = 8; // between the columns of the values
constexpr int kCursorBoxRows = 4;   // rows of text down from the box's top where the values
                                    // stand when that covers nothing
constexpr int kCursorBoxDrop = 8;   // and this much lower
constexpr int kCursorSlide = 4;     // the step of the places tried for the values, px
// What covering a word and crossing a line cost a place for the values, against its distance
// in px from where they stand when nothing is in the way.
constexpr double kCoverWordCost = 1e6;
constexpr double kCrossLineCost = 1e3;

// One row of the cursor's values: a quantity's name, the model's value and the exact one.
struct CursorRow {
    Quantity q;
    std::string name, model, exact;
};

std::vector<CursorRow> CursorRowsAt(const ProfileSample& at, QuantitySet shown,
                                    const PlotWords& words)
{
    static const PlotWord rowWords[kQuantityCount] = {PlotWord::MachRow, PlotWord::PressureRow,
                                                      PlotWord::TemperatureRow,
                                                      PlotWord::DensityRow, PlotWord::SpeedRow};
    // Past the exact largest turn the exact flow is a vacuum: no Mach number, pressure,
    // temperature or density to read there, only the limiting speed.
    const bool vacuum = at.exactRegion == RegionDownstream && at.exact.P == 0.0
                        && std::isinf(at.exact.M);
    std::vector<CursorRow> rows;
    for (int q = 0; q < kQuantityCount; ++q) {
        const Quantity quantity = static_cast<Quantity>(q);
        if (!(shown & QuantityBit(quantity)))
            continue;
        const double exact = at.exact.Of(quantity);
        rows.push_back({quantity, words[rowWords[q]], FormatFieldValue(at.model.Of(quantity)),
                        vacuum && quantity != Quantity::Speed ? words[PlotWord::Vacuum]
                        : std::isnan(exact)                   ? std::string("—")
                                                              : FormatFieldValue(exact)});
    }
    return rows;
}

// The values' box: the angle over a row per quantity, in three columns.
struct CursorBox {
    std::string angle;
    std::vector<CursorRow> rows;
    int nameW = 0, modelW = 0, exactW = 0, w = 0, h = 0, rowH = 0;
};
CursorBox CursorBoxOf(const PlotText& t, const std::string& angle, std::vector<CursorRow> rows)
{
    CursorBox b;
    b.angle = angle;
    for (const CursorRow& r : rows) {
        b.nameW = std::max(b.nameW, t.Width(r.name, t.cell));
        b.modelW = std::max(b.modelW, t.Width(r.model, t.cell));
        b.exactW = std::max(b.exactW, t.Width(r.exact, t.cell));
    }
    b.rows = std::move(rows);
    const int swatch = t.swatch + t.Grown(kCursorPad);
    const int gap = t.Grown(kCursorColumnGap);
    b.w = std::max(t.Width(angle, t.cell),
                   b.nameW + gap + swatch + b.modelW + gap + swatch + b.exactW)
          + 2 * t.Grown(kCursorPad);
    b.rowH = t.cell + kCursorRowGap;
    b.h = CursorBoxHeight(t, static_cast<int>(b.rows.size()));
    return b;
}

// Whether the values stand in the band at the plot's foot.
bool NarrowCursor(const PlotLayout& l, const CursorBox& c)
{
    return l.cursorBand >= c.h + 2 * kCursorBandGap && c.w + 3 <= l.width;
}

// Where the values' box stands: in the band under the caption, or inside the axes' box, beside
// the cursor's line at x where nothing is in the way, else where the least is.
void PlaceCursorBox(const PlotText& t, const PlotLayout& l, int x, const PlotMarks* marks,
                    const CursorBox& c, int& bx, int& by)
{
    // A narrow plot: in the band under the caption, the whole width, where they fit it.
    if (NarrowCursor(l, c)) {
        bx = 1;
        by = l.height - l.cursorBand + kCursorBandGap;
        return;
    }
    const int gap = t.Grown(kCursorGap);
    const int rightX = x + gap, leftX = std::max(l.left + 1, x - gap - c.w);
    const int usualX = rightX + c.w <= l.right ? rightX : leftX;
    const int usualY = l.top + kCursorBoxRows * (t.cell + 1) + t.Grown(kCursorBoxDrop);
    bx = usualX;
    by = usualY;
    if (!marks)
        return;
    double best = HUGE_VAL;
    const int lowest = std::max(l.top + 1, l.bottom - 1 - c.h);
    std::vector<int> ys{usualY};
    for (int y = l.top + 1; y <= lowest; y += kCursorSlide)
        ys.push_back(y);
    for (int candidateX : {usualX, usualX == rightX ? leftX : rightX})
        for (int cy : ys) {
            const TextBox b{candidateX, cy, c.w + 1, c.h + 1};
            double cost = std::abs(cy - usualY) + (candidateX == usualX ? 0.0 : 0.5);
            if (candidateX + c.w > l.right - 1)
                cost += kCoverWordCost;
            for (const auto& w : marks->words)
                cost += b.Meets(TextBox{w[0], w[1], w[2], w[3]}, 0) ? kCoverWordCost : 0.0;
            if (cost >= best)
                continue;
            for (const auto& sg : marks->lines)
                cost += SegmentMeets(sg[0], sg[1], sg[2], sg[3], b) ? kCrossLineCost : 0.0;
            if (cost < best) {
                best = cost;
                bx = candidateX;
                by = cy;
            }
        }
}

} // namespace

void DrawPlotCursor(DC& dc, const PlotLayout& l, const ProfileSample& at, QuantitySet shown,
                    const PlotWords& words, const PlotMarks* marks)
{
    if (!(at.phi >= l.phiTo && at.phi <= l.phiFrom))
        return;
    const PlotText t(l.textCell, &dc);
    const int x = At(l.X(at.phi));
    VerticalRun(dc, x, l.top + 1, l.bottom - 1, kPlotCursor);

    // The angle and a row per shown quantity: its name, the model's value (solid swatch) and
    // the exact one (dotted swatch), as the probe fields write them, on a white box.
    const CursorBox c = CursorBoxOf(t,
                                    FillPlaceholders(words[PlotWord::CursorAngle],
                                                     {FormatFixed(at.phi * kDegreesPerRadian, 1)}),
                                    CursorRowsAt(at, shown, words));
    int bx = 0, by = 0;
    PlaceCursorBox(t, l, x, marks, c, bx, by);
    const int boxW = NarrowCursor(l, c) ? l.width - 3 : c.w;
    dc.FillRect(bx, by, boxW, c.h, kPlotWhite);
    HorizontalRun(dc, bx, bx + boxW, by, kPlotGrid);
    HorizontalRun(dc, bx, bx + boxW, by + c.h, kPlotGrid);
    VerticalRun(dc, bx, by, by + c.h, kPlotGrid);
    VerticalRun(dc, bx + boxW, by, by + c.h, kPlotGrid);
    dc.SelectFont(t.TextFont());
    const int pad = t.Grown(kCursorPad);
    const int swatch = t.swatch + pad;
    const int gap = t.Grown(kCursorColumnGap);
    dc.DrawText(bx + pad, by + kCursorTopPad, c.angle);
    int y = by + kCursorTopPad + c.rowH;
    for (const CursorRow& r : c.rows) {
        const Colour colour = LookOf(r.q).colour;
        int cx = bx + pad;
        dc.DrawText(cx, y, r.name);
        cx += c.nameW + gap;
        Swatch(dc, cx, y + t.cell / 2, t.swatch, colour, false);
        dc.DrawText(cx + swatch, y, r.model);
        cx += swatch + c.modelW + gap;
        Swatch(dc, cx, y + t.cell / 2, t.swatch, colour, true);
        dc.DrawText(cx + swatch, y, r.exact);
        y += c.rowH;
    }
}
