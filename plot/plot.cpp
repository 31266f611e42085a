#include "plot/plot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/constants.h"
#include "base/saturate.h"
#include "base/vector_state.h"
#include "draw/raster_dc.h"
#include "model/classify.h"
#include "model/number_text.h"

// ---- Quantities and words

const QuantityLook& LookOf(Quantity q)
{
    static const QuantityLook looks[kQuantityCount] = {
        {"M/M1", "M", Colour{214, 39, 40}},   // red
        {"P/P1", "P", Colour{31, 119, 180}},  // blue
        {"T/T1", "T", Colour{230, 120, 0}},   // orange
        {"ρ/ρ1", "ρ", Colour{44, 160, 44}},   // green
        {"V/V1", "V", Colour{148, 103, 189}}, // violet
    };
    const int i = static_cast<int>(q);
    return looks[i >= 0 && i < kQuantityCount ? i : 0];
}

const char* PlotWordSource(PlotWord word)
{
    switch (word) {
    case PlotWord::Title: return "Поток в веере: модель и точная теория";
    case PlotWord::AngleAxis: return "φ, °: направление от угла (0 — по набегающему потоку)";
    case PlotWord::RatioAxis: return "отношение к набегающему потоку";
    case PlotWord::Model: return "модель";
    case PlotWord::Theory: return "точная теория";
    case PlotWord::FanStart: return "начало веера";
    case PlotWord::ModelEnd: return "конец: модель";
    case PlotWord::TheoryEnd: return "конец: теория";
    case PlotWord::CursorAngle: return "φ = %1°";
    case PlotWord::NoFan: return "поток не сверхзвуковой, веера нет";
    case PlotWord::IntoTheFlow: return "стенка повёрнута навстречу потоку: это сжатие, веера нет";
    case PlotWord::MachRow: return "M";
    case PlotWord::PressureRow: return "P, Па";
    case PlotWord::TemperatureRow: return "T, К";
    case PlotWord::DensityRow: return "ρ, кг/м³";
    case PlotWord::SpeedRow: return "V, м/с";
    case PlotWord::AccessibleName: return "График состояния в веере";
    case PlotWord::DescribeExpansion:
        return "Давление падает от %1 до %2 Па в веере модели; по точной теории — до %3 Па";
    case PlotWord::DescribeNoFan:
        return "Поток не сверхзвуковой: такое течение программа не рассчитывает; давление "
               "набегающего потока %1 Па";
    case PlotWord::DescribeIntoTheFlow:
        return "Стенка повёрнута навстречу потоку: это сжатие, его модель не рассчитывает; "
               "давление набегающего потока %1 Па";
    case PlotWord::TurnDirection: return "поворот потока →";
    case PlotWord::Vacuum: return "вакуум";
    case PlotWord::TheoryVacuum: return "точная теория: дальше вакуум →";
    case PlotWord::NoTurn: return "стенка не повёрнута: поток не поворачивает, веера нет";
    case PlotWord::DescribeVacuum:
        return "Давление падает от %1 до %2 Па в веере модели; по точной теории поток "
               "расширяется до вакуума";
    case PlotWord::DescribeNoTurn:
        return "Стенка не повёрнута, поток не поворачивает, веера нет: давление везде %1 Па";
    case PlotWord::ModelNote:
        return "Сплошные линии — упрощённая модель рисунка: состояние в её веере меняется по "
               "собственному профилю, а не по теории Прандтля — Майера, и край веера берётся "
               "интерполяцией по углу поворота; поэтому её числа расходятся с точной теорией "
               "(пунктир) во всём веере и за ним.";
    case PlotWord::Shock: return "косой скачок";
    case PlotWord::Detached:
        return "стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, "
               "течение за углом не рассчитывается";
    case PlotWord::DescribeShock:
        return "Стенка повёрнута навстречу потоку: по точной теории на косом скачке под углом "
               "%3° давление растёт от %1 до %2 Па";
    case PlotWord::DescribeDetached:
        return "Стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, "
               "течение за углом не рассчитывается; давление набегающего потока %1 Па";
    case PlotWord::Count: break;
    }
    return "";
}

PlotWords::PlotWords()
{
    for (int i = 0; i < kPlotWordCount; ++i)
        text[i] = PlotWordSource(static_cast<PlotWord>(i));
}

PlotWords PlotWords::Translated(const std::function<std::string(const char* source)>& translate)
{
    PlotWords w;
    if (!translate)
        return w;
    for (int i = 0; i < kPlotWordCount; ++i)
        w.text[i] = translate(PlotWordSource(static_cast<PlotWord>(i)));
    return w;
}

std::string FillWords(std::string words, const std::vector<std::string>& values)
{
    // From the last placeholder down, so that %1 never eats the start of %10.
    for (size_t n = values.size(); n >= 1; --n) {
        const std::string mark = "%" + std::to_string(n);
        std::string out;
        size_t from = 0;
        for (size_t at = words.find(mark); at != std::string::npos; at = words.find(mark, from)) {
            out.append(words, from, at - from);
            out += values[n - 1];
            from = at + mark.size();
        }
        out.append(words, from, std::string::npos);
        words = std::move(out);
    }
    return words;
}

namespace {

// A supersonic flow along a straight wall: the theory has its answer, a turn of zero.
bool NoTurn(const FanProfile& p)
{
    return p.exact.theory.kind == TheoryCase::Expansion && !(p.exact.theory.turnDegrees > 0.0);
}

// The exact flow past its fan is a vacuum: the wall turned at least the exact largest turn.
bool ExactVacuum(const FanProfile& p) { return p.exact.fan && p.exact.end.P == 0.0; }

} // namespace

PlotDescription DescribePlot(const FanProfile& p)
{
    PlotDescription d;
    const std::string p1 = FormatFieldValue(p.upstream.P);
    if (p.exact.shock) {
        d.words = PlotWord::DescribeShock;
        d.values = {p1, FormatFieldValue(p.exact.behind.P),
                    FormatFixed(p.exact.shockAngle * kDegreesPerRadian, 1)};
    } else if (p.exact.detached) {
        d.words = PlotWord::DescribeDetached;
        d.values = {p1};
    } else if (p.exact.theory.kind == TheoryCase::IntoTheFlow) {
        d.words = PlotWord::DescribeIntoTheFlow;
        d.values = {p1};
    } else if (NoTurn(p)) {
        d.words = PlotWord::DescribeNoTurn;
        d.values = {p1};
    } else if (!p.modelFan || !p.exact.fan) {
        d.words = PlotWord::DescribeNoFan;
        d.values = {p1};
    } else {
        // The model past its fan: the last sample past its last characteristic (the read-out
        // just past the fan), else the last one.
        double modelEnd = p.samples.empty() ? kNoValue : p.samples.back().model.P;
        for (auto it = p.samples.rbegin(); it != p.samples.rend(); ++it)
            if (it->modelRegion == RegionDownstream) {
                modelEnd = it->model.P;
                break;
            }
        if (ExactVacuum(p)) {
            d.words = PlotWord::DescribeVacuum;
            d.values = {p1, FormatFieldValue(modelEnd)};
        } else {
            d.words = PlotWord::DescribeExpansion;
            d.values = {p1, FormatFieldValue(modelEnd), FormatFieldValue(p.exact.end.P)};
        }
    }
    return d;
}

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

constexpr int kTextCell = 14;  // the small text's cell height, px
constexpr int kTitleCell = 16; // the title's
const Font kTextFont{kTextCell, "Verdana"};
const Font kTitleFont{kTitleCell, "Verdana"};
// The largest ratio the y axis reaches: a flow expanded toward vacuum leaves the top.
constexpr double kLargestRatio = 8.0;
// The most the wall may turn between two plots that keep one y range: a drag's step or a key's
// turn, not a wall set anew.
constexpr double kKeptTurn = 5.0 * kRadiansPerDegree;

const Colour kWhite{255, 255, 255};
const Colour kAxis{96, 96, 96};
const Colour kGrid{228, 228, 228};
const Colour kGrey{128, 128, 128};
const Colour kExactFanShade{244, 244, 252};
const Colour kModelFanShade{230, 236, 250};
const Colour kCursor{40, 40, 40};

int TextWidth(const std::string& text, int cell) { return PlotTextWidth(text, cell); }

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

int Decimals(double step)
{
    int d = 0;
    while (d < 6
           && std::fabs(step * std::pow(10.0, d) - std::round(step * std::pow(10.0, d))) > 1e-9)
        ++d;
    return d;
}

int At(double v) { return TruncToInt(std::floor(v + 0.5)); }

// The parts of a polyline inside the box, each drawn as one polyline (a point that is no
// number breaks it).
// Liang-Barsky: where the segment from (ax, ay) to (bx, by) runs inside the box [x0, x1] x
// [y0, y1], as the part [t0, t1] of it; false where it misses the box.
bool ClipToBox(double ax, double ay, double bx, double by, double x0, double y0, double x1,
               double y1, double& t0, double& t1)
{
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    t0 = 0.0;
    t1 = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

void ClippedPolyline(DC& dc, const std::vector<double>& xy, double x0, double y0, double x1,
                     double y1)
{
    std::vector<double> run;
    auto flush = [&] {
        if (run.size() >= 4)
            dc.Polyline(run.data(), static_cast<int>(run.size() / 2));
        run.clear();
    };
    const size_t n = xy.size() / 2;
    for (size_t i = 0; i + 1 < n; ++i) {
        double ax = xy[2 * i], ay = xy[2 * i + 1], bx = xy[2 * i + 2], by = xy[2 * i + 3];
        if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) {
            // An infinite ratio lies above the box: keep the piece at the top edge's side.
            const bool aUp = ay == -HUGE_VAL, bUp = by == -HUGE_VAL;
            if (!(std::isfinite(ax) && std::isfinite(bx)) || std::isnan(ay) || std::isnan(by)
                || (aUp && bUp)) {
                flush();
                continue;
            }
            if (aUp)
                ay = y0 - 1e6;
            if (bUp)
                by = y0 - 1e6;
        }
        const double dx = bx - ax, dy = by - ay;
        double t0 = 0.0, t1 = 1.0;
        if (!ClipToBox(ax, ay, bx, by, x0, y0, x1, y1, t0, t1)) {
            flush();
            continue;
        }
        const double sx = ax + t0 * dx, sy = ay + t0 * dy;
        const double ex = ax + t1 * dx, ey = ay + t1 * dy;
        if (!run.empty() && (t0 > 0.0 || run[run.size() - 2] != sx || run.back() != sy))
            flush();
        if (run.empty()) {
            run.push_back(sx);
            run.push_back(sy);
        }
        run.push_back(ex);
        run.push_back(ey);
        if (t1 < 1.0)
            flush();
    }
    flush();
}

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

// A line as the curves draw it, kSwatch pixels long: solid and two wide for the model, one dash
// and the start of the next for the exact theory.
constexpr int kSwatch = 30;
void Swatch(DC& dc, int x, int y, Colour colour, bool dashed)
{
    dc.SelectPen(dashed ? Pen{PenStyle::Dash, 1, colour} : Pen{PenStyle::Solid, 2, colour});
    const double xy[] = {static_cast<double>(x), static_cast<double>(y),
                         static_cast<double>(x + kSwatch), static_cast<double>(y)};
    dc.Polyline(xy, 2);
}

// Words broken at spaces into lines of at most `width` pixels (a word wider than that stands on
// a line of its own).
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

constexpr int kLeft = 52;
constexpr int kRightMargin = 14;
constexpr int kTitleLineGap = 2;
constexpr int kLegendRow = kTextCell + 4;
constexpr int kCaptionLine = kTextCell + 1;

// From the box's left edge, or, where that leaves the title or the legend more than one line,
// from the plot's left edge.
Header LayoutHeader(int width, QuantitySet shown, const PlotWords& words, int left = kLeft)
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
    add(kCursor, false, words[PlotWord::Model], first ? 0 : 20);
    add(kCursor, true, words[PlotWord::Theory], 12);
    h.top = legendY + (row + 1) * kLegendRow + 6;
    if (left == kLeft && (lines > 1 || row > 0))
        return LayoutHeader(width, shown, words, 4);
    return h;
}

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

// A polyline in picture pixels as the curves draw it: a ratio that is no number breaks it, an
// infinite one lies far above the box.
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
    return ClipToBox(ax, ay, bx, by, x0, y0, x1, y1, t0, t1);
}

// A label beside a vertical line, placed on the first of the rows down from the box's top, right
// of its line or left of it, where it meets no text placed before and crosses as few curves and
// lines as may be: near its preferred row, right of its line where that is as good.
struct Label {
    double phi;
    PlotWord word;
    int row;         // the preferred row
    bool rightFirst; // right of the line preferred
};

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

} // namespace

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

// ---- Drawing

void DrawPlot(DC& dc, const PlotLayout& l, const FanProfile& p, QuantitySet shown,
              const PlotWords& words)
{
    ClearUpperVectorState();
    const int boxW = l.right - l.left;
    const int boxH = l.bottom - l.top;

    // The fans, shaded: the exact one lighter, the model's over it.
    auto shade = [&](double first, double last, Colour c) {
        if (!(std::isfinite(first) && std::isfinite(last)))
            return;
        const double a = std::clamp(l.X(std::min(first, l.phiFrom)), double(l.left),
                                    double(l.right));
        const double b = std::clamp(l.X(std::max(last, l.phiTo)), double(l.left), double(l.right));
        if (b > a)
            dc.FillRect(At(a), l.top, std::max(1, At(b) - At(a)), boxH, c);
    };
    shade(p.exactFirst, p.exactLast, kExactFanShade);
    shade(p.modelFirst, p.modelLast, kModelFanShade);

    // The grid and the ticks: ratios every ratioStep, angles every 5..45 degrees.
    dc.SelectFont(kTextFont);
    const int ratioDecimals = Decimals(l.ratioStep);
    const int ratioTicks = TruncToInt(std::round(l.ratioTop / l.ratioStep));
    int previousLabelTop = 1000000; // from the bottom up: a label too near the last one is left out
    for (int i = 0; i <= ratioTicks && i <= 100; ++i) {
        const double r = i * l.ratioStep;
        const int y = At(l.Y(r));
        if (i > 0)
            HorizontalRun(dc, l.left + 1, l.right - 1, y, r == 1.0 ? Colour{200, 200, 200} : kGrid);
        HorizontalRun(dc, l.left - 4, l.left - 1, y, kAxis);
        const std::string text = FormatFixed(r, ratioDecimals);
        if (y - kTextCell / 2 + kTextCell < previousLabelTop) {
            dc.DrawText(l.left - 6 - TextWidth(text, kTextCell), y - kTextCell / 2, text);
            previousLabelTop = y - kTextCell / 2;
        }
    }
    const double spanDegrees = (l.phiFrom - l.phiTo) * kDegreesPerRadian;
    const double angleStep = spanDegrees > 150  ? 30.0
                             : spanDegrees > 75 ? 15.0
                             : spanDegrees > 30 ? 10.0
                                                : 5.0;
    const double fromDegrees = l.phiFrom * kDegreesPerRadian;
    const double toDegrees = l.phiTo * kDegreesPerRadian;
    int previousLabelEnd = -1000000;
    for (double d = std::floor(fromDegrees / angleStep) * angleStep; d >= toDegrees - 1e-9;
         d -= angleStep) {
        const int x = At(l.X(d * kRadiansPerDegree));
        VerticalRun(dc, x, l.bottom, l.bottom + 4, kAxis);
        const std::string text = FormatFixed(d, 0);
        const int w = TextWidth(text, kTextCell);
        // Not left of the box's corner, where the y axis's lowest label stands, nor past the
        // plot's right edge.
        const int tx = std::max(std::min(x - w / 2, l.width - 1 - w), l.left - 4);
        if (tx > previousLabelEnd + 4) {
            dc.DrawText(tx, l.bottom + 6, text);
            previousLabelEnd = tx + w;
        }
    }

    // The curves in pixels: the exact ones first, then the model's, so the model's lie on top.
    std::vector<std::vector<double>> curves;
    std::vector<Colour> curveColours;
    std::vector<bool> curveExact;
    for (int pass = 0; pass < 2; ++pass)
        for (int q = 0; q < kQuantityCount; ++q) {
            const Quantity quantity = static_cast<Quantity>(q);
            if (!(shown & QuantityBit(quantity)))
                continue;
            curves.emplace_back();
            CurvePixels(l, p, quantity, pass == 0, curves.back());
            curveColours.push_back(LookOf(quantity).colour);
            curveExact.push_back(pass == 0);
        }

    // The characteristics: the model's solid, the exact ones dashed, grey.
    const Pen modelLine{PenStyle::Solid, 1, kGrey};
    const Pen exactLine{PenStyle::Dash, 1, kGrey};
    VerticalLine(dc, l, p.modelFirst, modelLine);
    VerticalLine(dc, l, p.modelLast, modelLine);
    VerticalLine(dc, l, p.exactFirst, exactLine);
    VerticalLine(dc, l, p.exactLast, exactLine);
    VerticalLine(dc, l, p.exactShock, exactLine);

    // The texts inside the box, none over another: the y axis's name at the top left, the
    // reason when there is no fan in the middle, then the characteristics' labels where they
    // cross the fewest curves and lines.
    std::vector<TextBox> placed;
    // The y axis's name where it fits on a line (the legend's ratios say it as well).
    std::vector<std::string> ratioAxis = WrapText(words[PlotWord::RatioAxis], kTextCell, boxW - 8);
    if (ratioAxis.size() > 1)
        ratioAxis.clear();
    const bool intoTheFlow = p.exact.theory.kind == TheoryCase::IntoTheFlow;
    std::vector<std::string> note;
    int noteY = 0;
    if (!p.modelFan || intoTheFlow || NoTurn(p)) {
        const PlotWord why = p.exact.detached ? PlotWord::Detached
                             : intoTheFlow    ? PlotWord::IntoTheFlow
                             : NoTurn(p)      ? PlotWord::NoTurn
                                              : PlotWord::NoFan;
        note = WrapText(words[why], kTextCell, boxW - 8);
        const int noteH = static_cast<int>(note.size()) * kCaptionLine;
        // Under the middle, lifted where it would run past the box; where the box is too short
        // for it under the y axis's name, it takes that name's place (the name matters less than
        // why there is no fan), and where it is too short even so, it is left out.
        noteY = std::min(l.top + boxH / 2 + kTextCell, l.bottom - 2 - noteH);
        const int under = l.top + 3 + static_cast<int>(ratioAxis.size()) * kCaptionLine + 2;
        if (noteY < under) {
            ratioAxis.clear();
            noteY = l.top + 3;
        }
        if (noteY + noteH > l.bottom - 1)
            note.clear();
        for (size_t i = 0; i < note.size(); ++i) {
            const int w = TextWidth(note[i], kTextCell);
            placed.push_back({l.left + std::max(4, (boxW - w) / 2),
                              noteY + static_cast<int>(i) * kCaptionLine, w, kTextCell});
        }
    }
    for (size_t i = 0; i < ratioAxis.size(); ++i)
        placed.push_back({l.left + 4, l.top + 3 + static_cast<int>(i) * kCaptionLine,
                          TextWidth(ratioAxis[i], kTextCell), kTextCell});
    std::vector<std::array<double, 4>> segments;
    for (const std::vector<double>& xy : curves)
        for (size_t i = 0; i + 3 < xy.size(); i += 2) {
            const double ay = xy[i + 1] == -HUGE_VAL ? l.top - 1e6 : xy[i + 1];
            const double by = xy[i + 3] == -HUGE_VAL ? l.top - 1e6 : xy[i + 3];
            if (std::isfinite(xy[i]) && std::isfinite(ay) && std::isfinite(xy[i + 2])
                && std::isfinite(by))
                segments.push_back({xy[i], ay, xy[i + 2], by});
        }
    for (double phi : {p.modelFirst, p.modelLast, p.exactFirst, p.exactLast, p.exactShock})
        if (phi >= l.phiTo && phi <= l.phiFrom) {
            const double x = std::round(l.X(phi));
            segments.push_back({x, double(l.top), x, double(l.bottom)});
        }
    std::vector<Label> labels;
    if (NoTurn(p)) {
        // No fan to label: the one line is where the flow would start to turn.
    } else if (p.modelFan) {
        labels.push_back({p.modelFirst, PlotWord::FanStart, 1, true});
        labels.push_back({p.modelLast, PlotWord::ModelEnd, 2, true});
    } else if (p.exact.fan && !NoTurn(p)) {
        labels.push_back({p.exactFirst, PlotWord::FanStart, 1, true});
    }
    if (p.exact.fan && !NoTurn(p)) {
        labels.push_back({p.exactLast, PlotWord::TheoryEnd, 3, true});
        if (ExactVacuum(p))
            labels.push_back({p.exactLast, PlotWord::TheoryVacuum, 4, true});
    }
    if (p.exact.shock)
        labels.push_back({p.exactShock, PlotWord::Shock, 1, true});
    const std::vector<TextBox> labelBoxes = PlaceLabels(l, labels, words, segments, placed);

    dc.SelectFont(kTextFont);
    for (size_t i = 0; i < labels.size(); ++i)
        if (labelBoxes[i].w > 0)
            dc.DrawText(labelBoxes[i].x, labelBoxes[i].y, words[labels[i].word]);

    // The curves: the exact ones dashed first, then the model's over them.
    for (size_t i = 0; i < curves.size(); ++i) {
        const Colour c = curveColours[i];
        dc.SelectPen(curveExact[i] ? Pen{PenStyle::Dash, 1, c} : Pen{PenStyle::Solid, 2, c});
        ClippedPolyline(dc, curves[i], l.left, l.top, l.right, l.bottom);
    }

    // The axes' box.
    HorizontalRun(dc, l.left, l.right, l.top, kAxis);
    HorizontalRun(dc, l.left, l.right, l.bottom, kAxis);
    VerticalRun(dc, l.left, l.top, l.bottom, kAxis);
    VerticalRun(dc, l.right, l.top, l.bottom, kAxis);

    // When there is no fan, why.
    for (size_t i = 0; i < note.size(); ++i)
        dc.DrawText(l.left + std::max(4, (boxW - TextWidth(note[i], kTextCell)) / 2),
                    noteY + static_cast<int>(i) * kCaptionLine, note[i]);

    // The words: the y axis's name, the x axis's caption and the way the flow turns, the title,
    // the legend.
    for (size_t i = 0; i < ratioAxis.size(); ++i)
        dc.DrawText(l.left + 4, l.top + 3 + static_cast<int>(i) * kCaptionLine, ratioAxis[i]);
    const Footer footer = LayoutFooter(boxW, words);
    for (size_t i = 0; i < footer.caption.size(); ++i) {
        const int w = TextWidth(footer.caption[i], kTextCell);
        dc.DrawText(l.left + std::max(0, (footer.captionWidth - w) / 2),
                    l.bottom + 22 + static_cast<int>(i) * kCaptionLine, footer.caption[i]);
    }
    const std::string& direction = words[PlotWord::TurnDirection];
    dc.DrawText(std::max(l.left, l.right - TextWidth(direction, kTextCell)),
                l.bottom + 22 + footer.directionLine * kCaptionLine, direction);
    const Header header = LayoutHeader(l.width, shown, words);
    dc.SelectFont(kTitleFont);
    for (size_t i = 0; i < header.title.size(); ++i)
        dc.DrawText(header.left, 4 + static_cast<int>(i) * (kTitleCell + kTitleLineGap),
                    header.title[i]);
    dc.SelectFont(kTextFont);
    for (const Header::Item& item : header.legend) {
        Swatch(dc, item.x, item.y + kTextCell / 2, item.colour, item.dashed);
        dc.DrawText(item.x + kSwatch + 4, item.y, item.text);
    }
}

void DrawPlotCursor(DC& dc, const PlotLayout& l, const ProfileSample& at, QuantitySet shown,
                    const PlotWords& words)
{
    if (!(at.phi >= l.phiTo && at.phi <= l.phiFrom))
        return;
    const int x = At(l.X(at.phi));
    VerticalRun(dc, x, l.top + 1, l.bottom - 1, kCursor);

    // The angle and a row per shown quantity: its name, the model's value (solid swatch) and
    // the exact one (dotted swatch), as the probe fields write them, on a white box.
    static const PlotWord rowWords[kQuantityCount] = {PlotWord::MachRow, PlotWord::PressureRow,
                                                      PlotWord::TemperatureRow,
                                                      PlotWord::DensityRow, PlotWord::SpeedRow};
    struct Row {
        Quantity q;
        std::string name, model, exact;
    };
    std::vector<Row> rows;
    int nameW = 0, modelW = 0, exactW = 0;
    // Past the exact largest turn the exact flow is a vacuum: no Mach number, pressure,
    // temperature or density to read there, only the limiting speed.
    const bool vacuum = at.exactRegion == RegionDownstream && at.exact.P == 0.0
                        && std::isinf(at.exact.M);
    for (int q = 0; q < kQuantityCount; ++q) {
        const Quantity quantity = static_cast<Quantity>(q);
        if (!(shown & QuantityBit(quantity)))
            continue;
        const double exact = at.exact.Of(quantity);
        Row r{quantity, words[rowWords[q]], FormatFieldValue(at.model.Of(quantity)),
              vacuum && quantity != Quantity::Speed ? words[PlotWord::Vacuum]
              : std::isnan(exact)                   ? std::string("—")
                                                    : FormatFieldValue(exact)};
        nameW = std::max(nameW, TextWidth(r.name, kTextCell));
        modelW = std::max(modelW, TextWidth(r.model, kTextCell));
        exactW = std::max(exactW, TextWidth(r.exact, kTextCell));
        rows.push_back(std::move(r));
    }
    const std::string angle = FillWords(words[PlotWord::CursorAngle],
                                        {FormatFixed(at.phi * kDegreesPerRadian, 1)});
    const int swatch = kSwatch + 4;
    const int boxW = std::max(TextWidth(angle, kTextCell),
                              nameW + 8 + swatch + modelW + 8 + swatch + exactW)
                     + 8;
    const int rowH = kTextCell + 2;
    const int boxH = rowH * (1 + static_cast<int>(rows.size())) + 6;
    const int bx = x + 6 + boxW <= l.right ? x + 6 : std::max(l.left + 1, x - 6 - boxW);
    const int by = l.top + 4 * (kTextCell + 1) + 8;
    dc.FillRect(bx, by, boxW, boxH, kWhite);
    HorizontalRun(dc, bx, bx + boxW, by, kGrid);
    HorizontalRun(dc, bx, bx + boxW, by + boxH, kGrid);
    VerticalRun(dc, bx, by, by + boxH, kGrid);
    VerticalRun(dc, bx + boxW, by, by + boxH, kGrid);
    dc.SelectFont(kTextFont);
    dc.DrawText(bx + 4, by + 3, angle);
    int y = by + 3 + rowH;
    for (const Row& r : rows) {
        const Colour c = LookOf(r.q).colour;
        int cx = bx + 4;
        dc.DrawText(cx, y, r.name);
        cx += nameW + 8;
        Swatch(dc, cx, y + kTextCell / 2, c, false);
        dc.DrawText(cx + swatch, y, r.model);
        cx += swatch + modelW + 8;
        Swatch(dc, cx, y + kTextCell / 2, c, true);
        dc.DrawText(cx + swatch, y, r.exact);
        y += rowH;
    }
}

// ---- Composition

namespace {

// Whether n pixels at a and b are the same, two at a time (the rows compared are long, and most
// differ early or not at all).
bool SameRow(const uint32_t* a, const uint32_t* b, size_t n)
{
    size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        uint64_t x, y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        if (x != y)
            return false;
    }
    return i == n || a[i] == b[i];
}

// The rows [first, end) in which drawn marks any column (first == end: none).
std::pair<int, int> MarkedRows(const DrawnRows& drawn)
{
    int first = -1, last = -1;
    for (size_t row = 0; row < drawn.first.size(); ++row)
        if (drawn.first[row] <= drawn.last[row]) {
            if (first < 0)
                first = static_cast<int>(row);
            last = static_cast<int>(row);
        }
    return first < 0 ? std::make_pair(0, 0) : std::make_pair(first, last + 1);
}

} // namespace

void PlotComposer::RowsChanged(int first, int end)
{
    if (first >= end)
        return;
    if (changedFirst_ >= changedEnd_) {
        changedFirst_ = first;
        changedEnd_ = end;
    } else {
        changedFirst_ = std::min(changedFirst_, first);
        changedEnd_ = std::max(changedEnd_, end);
    }
}

std::pair<int, int> PlotComposer::TakeChangedRows()
{
    const std::pair<int, int> rows{changedFirst_, changedEnd_};
    changedFirst_ = changedEnd_ = 0;
    return rows;
}

bool PlotComposer::Compose(FrameBuffer& target, const Input& in)
{
    ClearUpperVectorState();
    if (!in.profile || !in.words || in.width <= 0 || in.height <= 0)
        return false;
    if (base_.order != target.order) { // the plot is drawn in the target's channel order
        base_.order = target.order;
        baseValid_ = false;
    }
    const int scale = std::clamp(in.scale, 1, kMaxFrameScale);
    Stamp now;
    now.profileVersion = in.profileVersion;
    now.wordsVersion = in.wordsVersion;
    now.width = in.width;
    now.height = in.height;
    now.scale = scale;
    now.shown = in.shown;
    const bool baseKept = baseValid_ && now == stamp_ && base_.bits;
    const double angle = in.cursor ? in.at.phi : 0.0;
    if (baseKept && composed_ && target.bits && in.cursor == cursor_
        && std::memcmp(&angle, &cursorAngle_, sizeof angle) == 0)
        return false; // nothing it shows has changed
    // When only the cursor moved and target still holds the last composition, the base's
    // pixels go back only where the last cursor drew.
    const bool onlyCursor = baseKept && composed_ && cursorMarked_ && target.bits
                            && target.bits == composedBits_ && target.width == in.width
                            && target.height == in.height && target.scale == scale;
    composed_ = false;
    if (!baseKept) {
        base_.Create(in.width, in.height, scale); // white
        if (!base_.bits)
            return false;
        ++baseCompositions_;
        // The range is kept while only the wall moves, and by small steps (a drag, a key's
        // turn): a new oncoming flow (typed inputs, another gas) or a wall set anew is a new
        // experiment and gets its range fitted afresh, so the plot of a state is the same
        // however it was reached but for the wall's last small moves.
        const StateValues& upstream = in.profile->upstream;
        const bool sameFlow = rangeKept_
                              && std::memcmp(&upstream, &rangeUpstream_, sizeof upstream) == 0
                              && std::fabs(in.profile->phiTo - rangeWall_) < kKeptTurn;
        layout_ = LayoutPlot(in.width, in.height, *in.profile, in.shown, in.words,
                             sameFlow ? &layout_ : nullptr);
        rangeKept_ = true;
        rangeWall_ = in.profile->phiTo;
        rangeUpstream_ = upstream;
        {
            const std::unique_ptr<DC> dc = MakeDrawingDC(makeDC, base_);
            DrawPlot(*dc, layout_, *in.profile, in.shown, *in.words);
        }
        stamp_ = now;
        baseValid_ = true;
    }
    if (target.width != in.width || target.height != in.height || target.scale != scale
        || !target.bits) {
        target.Create(in.width, in.height, scale);
        RowsChanged(0, target.deviceHeight);
    }
    if (!target.bits)
        return false;
    const size_t w = static_cast<size_t>(target.deviceWidth);
    if (onlyCursor) {
        for (size_t row = 0; row < cursorRows_.first.size(); ++row)
            if (cursorRows_.first[row] <= cursorRows_.last[row])
                std::copy(base_.bits + row * w + cursorRows_.first[row],
                          base_.bits + row * w + cursorRows_.last[row] + 1,
                          target.bits + row * w + cursorRows_.first[row]);
        const std::pair<int, int> rows = MarkedRows(cursorRows_);
        RowsChanged(rows.first, rows.second);
    } else if (!countRows) {
        std::copy(base_.pixels.begin(), base_.pixels.end(), target.pixels.begin());
        RowsChanged(0, target.deviceHeight);
    } else {
        // Only the rows that differ are copied and counted, each stretch of them at once: a drag
        // leaves the title and the legend as they were.
        const int rows = target.deviceHeight;
        for (int row = 0; row < rows;) {
            if (SameRow(base_.bits + row * w, target.bits + row * w, w)) {
                ++row;
                continue;
            }
            int end = row + 1;
            while (end < rows && !SameRow(base_.bits + end * w, target.bits + end * w, w))
                ++end;
            std::copy(base_.bits + row * w, base_.bits + end * w, target.bits + row * w);
            RowsChanged(row, end);
            row = end;
        }
    }
    cursorRows_.Start(target.deviceHeight, target.deviceWidth); // nothing drawn yet
    cursorMarked_ = true;
    if (in.cursor) {
        target.drawnRows = &cursorRows_;
        {
            const std::unique_ptr<DC> dc = MakeDrawingDC(makeDC, target);
            DrawPlotCursor(*dc, layout_, in.at, in.shown, *in.words);
            cursorMarked_ = dc->MarksDrawnRows();
        }
        target.drawnRows = nullptr;
        const std::pair<int, int> rows = cursorMarked_ ? MarkedRows(cursorRows_)
                                                       : std::make_pair(0, target.deviceHeight);
        RowsChanged(rows.first, rows.second);
    }
    composedBits_ = target.bits;
    composed_ = true;
    cursor_ = in.cursor;
    cursorAngle_ = angle;
    return true;
}
