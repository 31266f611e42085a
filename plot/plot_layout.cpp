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

int TextWidth(const std::string& text, int cell) { return PlotTextWidth(text, cell); }

std::vector<std::string> WrapText(const std::string& text, int cell, int width)
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
        if (!line.empty() && TextWidth(longer, cell) > width) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
        from = end + 1;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(line);
    return lines;
}

Header LayoutHeader(int width, QuantitySet shown, const PlotWords& words, int left)
{
    Header h;
    h.left = left;
    const int room = std::max(1, width - 4 - left);
    h.title = WrapText(words[PlotWord::Title], kTitleCell, room);
    const int lines = static_cast<int>(h.title.size());
    const int legendY = 4 + lines * kTitleCell + (lines - 1) * kTitleLineGap + 4;
    int x = left, row = 0;
    auto add = [&](Colour c, bool dashed, const std::string& text, int gapBefore) {
        const int w = kSwatch + 4 + TextWidth(text, kTextCell);
        if (x > left && x + gapBefore + w > width - 4) {
            x = left;
            ++row;
        } else if (x > left) {
            x += gapBefore;
        }
        h.legend.push_back({x, legendY + row * kLegendRow, c, dashed, text});
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
    h.top = legendY + (row + 1) * kLegendRow + 6;
    if (left == kLeft && (lines > 1 || row > 0))
        return LayoutHeader(width, shown, words, 4);
    return h;
}

Footer LayoutFooter(int boxWidth, const PlotWords& words)
{
    Footer f;
    const int beside = boxWidth - TextWidth(words[PlotWord::TurnDirection], kTextCell) - 12;
    std::string axis = words[PlotWord::AngleAxis];
    if (WrapText(axis, kTextCell, boxWidth).size() > 1 && axis.find(':') != std::string::npos)
        axis.erase(axis.find(':'));
    f.caption = WrapText(axis, kTextCell, boxWidth);
    f.captionWidth = boxWidth;
    std::vector<std::string> narrower = WrapText(axis, kTextCell, std::max(1, beside));
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

std::vector<TextBox> PlaceLabels(const PlotLayout& l, const std::vector<Label>& labels,
                                 const PlotWords& words,
                                 const std::vector<std::array<double, 4>>& segments,
                                 std::vector<TextBox>& placed)
{
    std::vector<TextBox> out(labels.size(), TextBox{0, 0, 0, 0});
    const int rows = std::max(0, (l.bottom - 2 - l.top - 3 - kTextCell) / (kTextCell + 1) + 1);
    for (size_t i = 0; i < labels.size(); ++i) {
        const Label& label = labels[i];
        if (!(label.phi >= l.phiTo && label.phi <= l.phiFrom))
            continue;
        const int x = At(l.X(label.phi));
        const int w = TextWidth(words[label.word], kTextCell);
        double best = HUGE_VAL;
        for (int row = 0; row < rows; ++row)
            for (int side = 0; side < 2; ++side) {
                const bool right = (side == 0) == label.rightFirst;
                const TextBox b{right ? x + 3 : x - 3 - w, l.top + 3 + row * (kTextCell + 1), w,
                                kTextCell};
                if (b.x < l.left + 2 || b.x + b.w > l.right - 2)
                    continue;
                const double cost = std::abs(row - label.row) + 0.5 * side;
                if (cost >= best)
                    continue;
                bool free = true;
                for (const TextBox& o : placed)
                    free = free && !b.Meets(o, 2);
                if (!free)
                    continue;
                int crossings = 0;
                for (const auto& sg : segments)
                    crossings += SegmentMeets(sg[0], sg[1], sg[2], sg[3], b);
                const double total = cost + 100.0 * crossings;
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
                      const PlotWords* words, const PlotLayout* kept)
{
    static const PlotWords russian;
    const PlotWords& w = words ? *words : russian;
    PlotLayout l;
    l.width = width;
    l.height = height;
    l.left = kLeft;
    l.right = std::max(l.left + 1, width - kRightMargin);
    l.top = LayoutHeader(width, shown, w).top;
    const Footer footer = LayoutFooter(l.right - l.left, w);
    l.bottom = std::max(l.top + 1, height - 42 - (footer.lines - 1) * kCaptionLine);
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
