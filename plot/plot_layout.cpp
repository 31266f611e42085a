#include "plot/plot_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/constants.h"
#include "base/saturate.h"
#include "draw/clip.h"

using namespace plotting;

// ---- Geometry

double PlotLayout::X(double phi) const
{
    return left + (phiFrom - phi) / (phiFrom - phiTo) * (right - left);
}

double PlotLayout::Y(double ratio) const { return bottom - ratio / ratioTop * (bottom - top); }

double PlotLayout::AngleAt(double x) const
{
    return phiFrom - (x - left) / static_cast<double>(right - left) * (phiFrom - phiTo);
}

int PlotTextWidth(const std::string& text, int cell)
{
    int chars = 0;
    for (unsigned char c : text)
        chars += (c & 0xC0) != 0x80;
    return TruncToInt(std::ceil(chars * 0.62 * cell));
}

namespace {

// The largest ratio the y axis reaches: a flow expanded toward vacuum leaves the top.
constexpr double kLargestRatio = 8.0;

// A step of 1, 2, 2.5 or 5 times a power of ten that divides span into at most `most` steps.
double NiceStep(double span, int most)
{
    if (!(span > 0.0) || !std::isfinite(span))
        return 1.0;
    const double raw = span / most;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

} // namespace

namespace plotting {

int At(double v) { return TruncToInt(std::floor(v + 0.5)); }

PlotText::PlotText(int textCell, DC* measure) : dc(measure)
{
    cell = std::clamp(textCell, kTextCell, kMostPlotTextCell);
    title = Grown(kTitleCell);
    swatch = Grown(30);
    left = Grown(52);
    rightMargin = Grown(14);
    legendRow = cell + 4;
    captionLine = cell + 1;
    captionGap = Grown(22);
    bottomRoom = Grown(42);
}

int CursorBoxHeight(const PlotText& t, int rows)
{
    return (t.cell + kCursorRowGap) * (1 + rows) + 2 * kCursorTopPad;
}

int PlotText::Grown(int atLeastCell) const
{
    return cell == kTextCell ? atLeastCell : (atLeastCell * cell + kTextCell / 2) / kTextCell;
}

int PlotText::Width(const std::string& text, int cellHeight) const
{
    const int measured = dc && !text.empty() ? dc->TextWidth(text, Font{cellHeight, "Verdana"}) : 0;
    return measured > 0 ? measured : PlotTextWidth(text, cellHeight);
}

std::vector<std::string> WrapText(const PlotText& t, const std::string& text, int cell, int width)
{
    std::vector<std::string> lines;
    std::string line;
    size_t from = 0;
    while (from <= text.size()) {
        size_t end = text.find(' ', from);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(from, end - from);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && t.Width(longer, cell) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        from = end + 1;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    // A line still too wide in a writing with no spaces between words (Chinese: a character
    // from U+3000 on) breaks between characters.
    std::vector<std::string> broken;
    for (const std::string& l : lines) {
        const bool ideographic = std::any_of(l.begin(), l.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0xE3 && static_cast<unsigned char>(c) <= 0xE9;
        });
        if (!ideographic || t.Width(l, cell) <= width) {
            broken.push_back(l);
            continue;
        }
        std::string part;
        for (size_t i = 0; i < l.size();) {
            size_t n = 1; // the character's bytes
            while (i + n < l.size() && (static_cast<unsigned char>(l[i + n]) & 0xC0) == 0x80)
                ++n;
            const std::string next = part + l.substr(i, n);
            if (!part.empty() && t.Width(next, cell) > width) {
                broken.push_back(part);
                part = l.substr(i, n);
            } else {
                part = next;
            }
            i += n;
        }
        broken.push_back(part);
    }
    return broken;
}

Header LayoutHeader(const PlotText& t, int width, QuantitySet shown, const PlotWords& words,
                    int left)
{
    if (left < 0)
        left = t.left;
    Header h;
    h.left = left;
    const int room = std::max(1, width - 4 - left);
    h.title = WrapText(t, words[PlotWord::Title], t.title, room);
    const int lines = static_cast<int>(h.title.size());
    const int legendY = 4 + lines * t.title + (lines - 1) * kTitleLineGap + 4;
    int x = left, row = 0;
    auto add = [&](Colour c, bool dashed, const std::string& text, int gapBefore) {
        const int w = t.swatch + 4 + t.Width(text, t.cell);
        if (x > left && x + gapBefore + w > width - 4) {
            x = left;
            ++row;
        } else if (x > left) {
            x += gapBefore;
        }
        h.legend.push_back({x, legendY + row * t.legendRow, c, dashed, text});
        x += w;
    };
    bool first = true;
    for (int q = 0; q < kQuantityCount; ++q) {
        const Quantity quantity = static_cast<Quantity>(q);
        if (!(shown & QuantityBit(quantity)))
            continue;
        add(LookOf(quantity).colour, false, LookOf(quantity).ratio, first ? 0 : 12);
        first = false;
    }
    add(kPlotCursor, false, words[PlotWord::Model], first ? 0 : 20);
    add(kPlotCursor, true, words[PlotWord::Theory], 12);
    h.top = legendY + (row + 1) * t.legendRow + 6;
    if (left == t.left && (lines > 1 || row > 0))
        return LayoutHeader(t, width, shown, words, 4);
    return h;
}

Footer LayoutFooter(const PlotText& t, int boxWidth, int roomHeight, const PlotWords& words)
{
    Footer f;
    const int beside = boxWidth - t.Width(words[PlotWord::TurnDirection], t.cell) - 12;
    std::string axis = words[PlotWord::AngleAxis];
    // The whole caption on two lines where the box keeps kLeastBoxCells cells' height so.
    const size_t lines = WrapText(t, axis, t.cell, boxWidth).size();
    const bool roomy = lines == 2 && roomHeight - t.captionLine >= kLeastBoxCells * t.cell;
    if (lines > 1 && !roomy && axis.find(':') != std::string::npos)
        axis.erase(axis.find(':'));
    f.caption = WrapText(t, axis, t.cell, boxWidth);
    f.captionWidth = boxWidth;
    std::vector<std::string> narrower = WrapText(t, axis, t.cell, std::max(1, beside));
    if (beside > 0 && narrower.size() <= f.caption.size()) {
        f.caption = std::move(narrower);
        f.captionWidth = beside;
        f.lines = static_cast<int>(f.caption.size());
    } else {
        f.directionLine = static_cast<int>(f.caption.size());
        f.lines = f.directionLine + 1;
    }
    return f;
}

void CurvePixels(const PlotLayout& l, const FanProfile& p, Quantity q, bool exact,
                 std::vector<double>& xy)
{
    const double reference = p.upstream.Of(q);
    xy.clear();
    for (const ProfileSample& s : p.samples) {
        const double v = (exact ? s.exact : s.model).Of(q) / reference;
        xy.push_back(l.X(s.phi));
        xy.push_back(v == HUGE_VAL ? -HUGE_VAL : l.Y(v));
    }
}

// Whether the segment from (ax, ay) to (bx, by) passes through the box.
bool SegmentMeets(double ax, double ay, double bx, double by, const TextBox& b)
{
    const double x0 = b.x, y0 = b.y, x1 = b.x + b.w, y1 = b.y + b.h;
    if (std::max(ax, bx) < x0 || std::min(ax, bx) > x1 || std::max(ay, by) < y0
        || std::min(ay, by) > y1)
        return false;
    double t0 = 0.0, t1 = 1.0;
    return ClipSegment(ax, ay, bx, by, x0, y0, x1, y1, t0, t1);
}

// What placing a label away from its line costs, against a row from its preferred one: more
// than any crossings (100 each), so only where no place beside its line is left.
constexpr double kAwayCost = 1e4;
// The least room between two texts side by side, px.
constexpr int kLabelGap = 2;

std::vector<TextBox> PlaceLabels(const PlotText& t, const PlotLayout& l,
                                 const std::vector<Label>& labels, const PlotWords& words,
                                 const std::vector<std::array<double, 4>>& segments,
                                 const std::vector<size_t>& lineStarts,
                                 std::vector<TextBox>& placed)
{
    // How many curves and lines cross a box: a steep curve of many short pieces counts once.
    auto linesCrossing = [&](const TextBox& b) {
        int lines = 0;
        for (size_t k = 0; k < lineStarts.size(); ++k) {
            const size_t end = k + 1 < lineStarts.size() ? lineStarts[k + 1] : segments.size();
            for (size_t i = lineStarts[k]; i < end; ++i)
                if (SegmentMeets(segments[i][0], segments[i][1], segments[i][2], segments[i][3], b)) {
                    ++lines;
                    break;
                }
        }
        return lines;
    };
    std::vector<TextBox> out(labels.size(), TextBox{0, 0, 0, 0});
    const int rows = std::max(0, (l.bottom - 2 - l.top - 3 - t.cell) / (t.cell + 1) + 1);
    for (size_t i = 0; i < labels.size(); ++i) {
        const Label& label = labels[i];
        if (!(label.phi >= l.phiTo && label.phi <= l.phiFrom))
            continue;
        const int x = At(l.X(label.phi));
        const int w = t.Width(words[label.word], t.cell);
        double best = HUGE_VAL;
        for (int row = 0; row < rows; ++row)
            for (int side = 0; side < 4; ++side) {
                // Beside its line, the side preferred first; where neither side has room, at
                // the box's right or left edge.
                const bool right = (side == 0) == label.rightFirst;
                const int bx = side == 2   ? l.right - 2 - w
                               : side == 3 ? l.left + 2
                               : right     ? x + 3
                                           : x - 3 - w;
                const TextBox b{bx, l.top + 3 + row * (t.cell + 1), w, t.cell};
                if (b.x < l.left + 2 || b.x + b.w > l.right - 2)
                    continue;
                const double cost = std::abs(row - label.row) + (side < 2 ? 0.5 * side : kAwayCost);
                if (cost >= best)
                    continue;
                // Clear of every text placed, by kLabelGap across; labels on neighbouring
                // rows (a pixel apart, as lines of text) may stand over one another.
                bool free = true;
                for (const TextBox& o : placed)
                    free = free && !b.Meets(o, kLabelGap, 1);
                if (!free)
                    continue;
                const double total = cost + 100.0 * linesCrossing(b);
                if (total < best) {
                    best = total;
                    out[i] = b;
                }
            }
        if (best < HUGE_VAL)
            placed.push_back(out[i]);
    }
    return out;
}

} // namespace plotting

PlotLayout LayoutPlot(int width, int height, const FanProfile& p, QuantitySet shown,
                      const PlotWords* words, const PlotLayout* kept, int textCell, DC* measure)
{
    const PlotText t(textCell, measure);
    static const PlotWords russian;
    const PlotWords& w = words ? *words : russian;
    PlotLayout l;
    l.width = width;
    l.height = height;
    l.left = t.left;
    l.right = std::max(l.left + 1, width - t.rightMargin);
    l.textCell = t.cell;
    l.top = LayoutHeader(t, width, shown, w).top;
    if (width < kNarrowPlotCells * t.cell) { // a band at the foot for the cursor's values
        int rows = 0;
        for (int q = 0; q < kQuantityCount; ++q)
            rows += (shown & QuantityBit(static_cast<Quantity>(q))) != 0;
        l.cursorBand = CursorBoxHeight(t, rows) + 2 * kCursorBandGap;
    }
    const int room = height - l.cursorBand - t.bottomRoom;
    const Footer footer = LayoutFooter(t, l.right - l.left, room - l.top, w);
    l.bottom = std::max(l.top + 1, room - (footer.lines - 1) * t.captionLine);
    l.phiFrom = p.phiFrom;
    l.phiTo = p.phiTo < p.phiFrom ? p.phiTo : p.phiFrom - kPi;
    // The y axis reaches a little past the largest ratio shown, at least past 1.
    double largest = 1.0;
    for (const ProfileSample& s : p.samples)
        for (int q = 0; q < kQuantityCount; ++q) {
            if (!(shown & QuantityBit(static_cast<Quantity>(q))))
                continue;
            const double reference = p.upstream.Of(static_cast<Quantity>(q));
            for (double v :
                 {s.model.Of(static_cast<Quantity>(q)), s.exact.Of(static_cast<Quantity>(q))}) {
                const double r = v / reference;
                if (std::isfinite(r))
                    largest = std::max(largest, std::min(r, kLargestRatio));
            }
        }
    l.ratioStep = NiceStep(largest * 1.08, 6);
    l.ratioTop = std::ceil(largest * 1.08 / l.ratioStep) * l.ratioStep;
    if (kept && kept->ratioTop > 0.0 && largest <= kept->ratioTop
        && l.ratioTop * kShrinkFactor > kept->ratioTop) {
        l.ratioTop = kept->ratioTop;
        l.ratioStep = kept->ratioStep;
    }
    return l;
}
