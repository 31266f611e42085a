#include "plot/plot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

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
    case PlotWord::DescribeNoFan: return "Поток не сверхзвуковой, веера нет: давление везде %1 Па";
    case PlotWord::DescribeIntoTheFlow:
        return "Стенка повёрнута навстречу потоку, веера разрежения нет: давление %1 Па";
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

PlotDescription DescribePlot(const FanProfile& p)
{
    PlotDescription d;
    const std::string p1 = FormatFieldValue(p.upstream.P);
    if (p.exact.theory.kind == TheoryCase::IntoTheFlow) {
        d.words = PlotWord::DescribeIntoTheFlow;
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
        d.words = PlotWord::DescribeExpansion;
        d.values = {p1, FormatFieldValue(modelEnd), FormatFieldValue(p.exact.end.P)};
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

namespace {

constexpr int kTextCell = 14;  // the small text's cell height, px
constexpr int kTitleCell = 16; // the title's
const Font kTextFont{kTextCell, "Verdana"};
const Font kTitleFont{kTitleCell, "Verdana"};
// The largest ratio the y axis reaches: a flow expanded toward vacuum leaves the top.
constexpr double kLargestRatio = 8.0;

const Colour kWhite{255, 255, 255};
const Colour kAxis{96, 96, 96};
const Colour kGrid{228, 228, 228};
const Colour kGrey{128, 128, 128};
const Colour kExactFanShade{244, 244, 252};
const Colour kModelFanShade{230, 236, 250};
const Colour kCursor{40, 40, 40};

// About how wide a text is drawn: the core has no fonts, so a generous guess per character.
int TextWidth(const std::string& text, int cell)
{
    int chars = 0;
    for (unsigned char c : text)
        chars += (c & 0xC0) != 0x80;
    return TruncToInt(std::ceil(chars * 0.62 * cell));
}

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
        // Liang-Barsky against the box.
        const double dx = bx - ax, dy = by - ay;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
        double t0 = 0.0, t1 = 1.0;
        bool inside = true;
        for (int k = 0; k < 4 && inside; ++k) {
            if (p[k] == 0.0) {
                inside = q[k] >= 0.0;
                continue;
            }
            const double t = q[k] / p[k];
            if (p[k] < 0.0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            inside = t0 <= t1;
        }
        if (!inside) {
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

} // namespace

PlotLayout LayoutPlot(int width, int height, const FanProfile& p, QuantitySet shown)
{
    PlotLayout l;
    l.width = width;
    l.height = height;
    l.left = 52;
    l.right = std::max(l.left + 1, width - 14);
    l.top = 48;
    l.bottom = std::max(l.top + 1, height - 42);
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
    for (int i = 0; i <= ratioTicks && i <= 100; ++i) {
        const double r = i * l.ratioStep;
        const int y = At(l.Y(r));
        if (i > 0)
            HorizontalRun(dc, l.left + 1, l.right - 1, y, r == 1.0 ? Colour{200, 200, 200} : kGrid);
        HorizontalRun(dc, l.left - 4, l.left - 1, y, kAxis);
        const std::string text = FormatFixed(r, ratioDecimals);
        dc.DrawText(l.left - 6 - TextWidth(text, kTextCell), y - kTextCell / 2, text);
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
        if (x - w / 2 > previousLabelEnd + 4) {
            dc.DrawText(x - w / 2, l.bottom + 6, text);
            previousLabelEnd = x - w / 2 + w;
        }
    }

    // The characteristics: the model's solid, the exact ones dashed, grey, and their labels.
    const Pen modelLine{PenStyle::Solid, 1, kGrey};
    const Pen exactLine{PenStyle::Dash, 1, kGrey};
    VerticalLine(dc, l, p.modelFirst, modelLine);
    VerticalLine(dc, l, p.modelLast, modelLine);
    VerticalLine(dc, l, p.exactFirst, exactLine);
    VerticalLine(dc, l, p.exactLast, exactLine);
    auto label = [&](double phi, PlotWord w, int row) {
        if (!(phi >= l.phiTo && phi <= l.phiFrom))
            return;
        const std::string& text = words[w];
        const int x = At(l.X(phi));
        const int width = TextWidth(text, kTextCell);
        // Right of the line, or left of it near the right edge.
        const int tx = x + 3 + width <= l.right ? x + 3 : x - 3 - width;
        dc.DrawText(tx, l.top + 3 + row * (kTextCell + 1), text);
    };
    const double firstAngle = std::isfinite(p.modelFirst) ? p.modelFirst : p.exactFirst;
    label(firstAngle, PlotWord::FanStart, 1);
    label(p.modelLast, PlotWord::ModelEnd, 2);
    label(p.exactLast, PlotWord::TheoryEnd, 3);

    // The curves: the exact ones dashed first, then the model's over them.
    std::vector<double> xy;
    xy.reserve(2 * p.samples.size());
    for (int pass = 0; pass < 2; ++pass) {
        const bool exact = pass == 0;
        for (int q = 0; q < kQuantityCount; ++q) {
            const Quantity quantity = static_cast<Quantity>(q);
            if (!(shown & QuantityBit(quantity)))
                continue;
            const double reference = p.upstream.Of(quantity);
            xy.clear();
            for (const ProfileSample& s : p.samples) {
                const double v = (exact ? s.exact : s.model).Of(quantity) / reference;
                xy.push_back(l.X(s.phi));
                xy.push_back(v == HUGE_VAL ? -HUGE_VAL : l.Y(v));
            }
            const Colour c = LookOf(quantity).colour;
            dc.SelectPen(exact ? Pen{PenStyle::Dash, 1, c} : Pen{PenStyle::Solid, 2, c});
            ClippedPolyline(dc, xy, l.left, l.top, l.right, l.bottom);
        }
    }

    // The axes' box.
    HorizontalRun(dc, l.left, l.right, l.top, kAxis);
    HorizontalRun(dc, l.left, l.right, l.bottom, kAxis);
    VerticalRun(dc, l.left, l.top, l.bottom, kAxis);
    VerticalRun(dc, l.right, l.top, l.bottom, kAxis);

    // When there is no fan, why.
    const bool intoTheFlow = p.exact.theory.kind == TheoryCase::IntoTheFlow;
    if (!p.modelFan || intoTheFlow) {
        const std::string& note = words[intoTheFlow ? PlotWord::IntoTheFlow : PlotWord::NoFan];
        dc.DrawText(l.left + std::max(4, (boxW - TextWidth(note, kTextCell)) / 2),
                    l.top + boxH / 2 + kTextCell, note);
    }

    // The words: the title, the axes' names, the legend.
    dc.DrawText(l.left + 4, l.top + 3, words[PlotWord::RatioAxis]);
    const std::string& axis = words[PlotWord::AngleAxis];
    dc.DrawText(l.left + std::max(0, (boxW - TextWidth(axis, kTextCell)) / 2), l.bottom + 22, axis);
    dc.SelectFont(kTitleFont);
    dc.DrawText(l.left, 4, words[PlotWord::Title]);
    dc.SelectFont(kTextFont);
    int x = l.left;
    const int legendY = 4 + kTitleCell + 4;
    for (int q = 0; q < kQuantityCount; ++q) {
        const Quantity quantity = static_cast<Quantity>(q);
        if (!(shown & QuantityBit(quantity)))
            continue;
        Swatch(dc, x, legendY + kTextCell / 2, LookOf(quantity).colour, false);
        const std::string name = LookOf(quantity).ratio;
        dc.DrawText(x + kSwatch + 4, legendY, name);
        x += kSwatch + 4 + TextWidth(name, kTextCell) + 12;
    }
    x += 8;
    Swatch(dc, x, legendY + kTextCell / 2, kCursor, false);
    dc.DrawText(x + kSwatch + 4, legendY, words[PlotWord::Model]);
    x += kSwatch + 4 + TextWidth(words[PlotWord::Model], kTextCell) + 12;
    Swatch(dc, x, legendY + kTextCell / 2, kCursor, true);
    dc.DrawText(x + kSwatch + 4, legendY, words[PlotWord::Theory]);
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
    for (int q = 0; q < kQuantityCount; ++q) {
        const Quantity quantity = static_cast<Quantity>(q);
        if (!(shown & QuantityBit(quantity)))
            continue;
        Row r{quantity, words[rowWords[q]], FormatFieldValue(at.model.Of(quantity)),
              std::isnan(at.exact.Of(quantity)) ? std::string("—")
                                                : FormatFieldValue(at.exact.Of(quantity))};
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

bool PlotComposer::Compose(FrameBuffer& target, const Input& in)
{
    ClearUpperVectorState();
    if (!in.profile || !in.words || in.width <= 0 || in.height <= 0)
        return false;
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
    composed_ = false;
    if (!baseKept) {
        base_.Create(in.width, in.height, scale); // white
        if (!base_.bits)
            return false;
        ++baseCompositions_;
        layout_ = LayoutPlot(in.width, in.height, *in.profile, in.shown);
        {
            const std::unique_ptr<DC> dc = MakeDrawingDC(makeDC, base_);
            DrawPlot(*dc, layout_, *in.profile, in.shown, *in.words);
        }
        stamp_ = now;
        baseValid_ = true;
    }
    if (target.width != in.width || target.height != in.height || target.scale != scale
        || !target.bits)
        target.Create(in.width, in.height, scale);
    if (!target.bits)
        return false;
    std::copy(base_.pixels.begin(), base_.pixels.end(), target.pixels.begin());
    if (in.cursor) {
        const std::unique_ptr<DC> dc = MakeDrawingDC(makeDC, target);
        DrawPlotCursor(*dc, layout_, in.at, in.shown, *in.words);
    }
    composed_ = true;
    cursor_ = in.cursor;
    cursorAngle_ = angle;
    return true;
}
