// The corner overlay: walls, sonic line, characteristics, flow boundary, angle arcs and labels.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "base/constants.h"
#include "base/saturate.h"
#include "corner/corner.h"
#include "draw/clip.h"

namespace {

// The arc call takes single-precision degrees; a value beyond the float range becomes an
// infinity there (which the device context refuses) instead of an undefined conversion.
float ToDegreesArg(double v)
{
    if (v > FLT_MAX)
        return HUGE_VALF;
    if (v < -FLT_MAX)
        return -HUGE_VALF;
    return static_cast<float>(v);
}

// Where a ray leaving the corner at polar angle phi (counter-clockwise from +x, the screen's y
// growing downward, so its direction is (cos phi, -sin phi)) is drawn to: a ray above the
// horizontal to the row half a picture above the picture, one below it to the row half a
// picture below; the device context clips. The run along x is h/tan of the angle measured from
// the horizontal on the ray's own side, so an angle past pi (tan positive again) still runs to
// the left. False when the angle is no number: there is no such ray.
bool RayEnd(double phi, int apexX, double h, int& x, int& y)
{
    const double s = std::sin(phi);
    if (!(s == s))
        return false; // NaN or an infinity
    double run;
    double endY;
    if (s < 0.0) {
        run = h / std::tan(-phi);
        endY = 1.5 * h;
    } else {
        // +0 and -0 alike run to the right (tan(+0) is +0, so the run is +infinity).
        run = h / std::tan(s == 0.0 ? 0.0 : phi);
        endY = -0.5 * h;
    }
    x = TruncToInt(apexX + run);
    y = TruncToInt(endY);
    return true;
}

// A ray from the corner, in the pen selected; nothing when its angle is no number.
void DrawRay(DC& dc, double phi, int apexX, int top, double h)
{
    int x = 0;
    int y = 0;
    if (!RayEnd(phi, apexX, h, x, y))
        return;
    dc.MoveTo(apexX, top);
    dc.LineTo(x, y);
}

// The radius of beta's arc, picture pixels.
constexpr int kBetaArcRadius = 80;
// Where beta's arc is joined from: a point on the upstream wall this far left of the corner,
// picture pixels (the join runs along the wall to the arc's start).
constexpr int kBetaArcJoin = 30;
// Beta's label of the desktop's size: its left edge this far left of the corner, inside the arc,
// picture pixels.
constexpr int kBetaLabelLeftOfCorner = 70;
// The width of beta's label ("β=135") in font cells, at most, in the shells' fonts (about 2.9).
constexpr int kBetaLabelCells = 3;
// A label's least distance from the picture's left edge, picture pixels.
constexpr int kLabelEdge = 10;
// Beta's label's top below the corner's row, picture pixels: under the upstream wall's three rows.
constexpr int kBetaLabelBelowWall = 2;
// The radius of alpha's arc, picture pixels.
constexpr int kAlphaArcRadius = 25;
// Where alpha's arc is joined from: a point on the reference line this far right of the corner,
// picture pixels.
constexpr int kAlphaArcJoin = 30;
// Alpha's label's left edge right of the corner, picture pixels: past its arc.
constexpr int kAlphaLabelRightOfCorner = 40;
// Chi's label's bottom above the picture's bottom, picture pixels.
constexpr int kChiLabelAboveBottom = 10;
// A horizontal last characteristic is drawn this many picture widths to the right per one and a
// half heights down: nearly horizontal, and still a line to a finite point.
constexpr double kLevelRayRun = 1000.0;
// The wall is taken as turned past the largest turning angle (the flow boundary drawn) when
// separationAngle is below minus this, rad.
constexpr double kLeastSeparation = 0.0001;
// The reference line continues the upstream wall this share of the picture's width past the
// corner.
constexpr int kReferenceLineShare = 8;

// Records the overlay's lines and arcs (as chords) as segments, with their pens' widths, and
// draws nothing: the lines a label's place must keep clear of.
class SegmentRecorder : public DC {
public:
    struct Segment {
        double x0, y0, x1, y1;
        int width;
    };
    std::vector<Segment> segments;

    void SelectPen(const Pen& pen) override { width_ = pen.width; }
    void SelectBrush(const Brush&) override {}
    void SelectFont(const Font&) override {}
    void MoveTo(int x, int y) override
    {
        x_ = x;
        y_ = y;
    }
    void LineTo(int x, int y) override { To(x, y); }
    void Arc(int x, int y, int radius, float startDegrees, float sweepDegrees) override
    {
        if (!std::isfinite(startDegrees) || !std::isfinite(sweepDegrees)
            || !(std::fabs(sweepDegrees) <= 720.0f))
            return;
        // Chords of at most five degrees: within a pixel of an arc of the radii drawn here.
        const int chords = 1 + static_cast<int>(std::fabs(sweepDegrees) / 5.0f);
        for (int i = 0; i <= chords; ++i) {
            const double a = (startDegrees + sweepDegrees * i / chords) * kRadiansPerDegree;
            To(x + radius * std::cos(a), y - radius * std::sin(a));
        }
    }
    void DrawText(int, int, const std::string&) override {}
    void Ellipse(int, int, int, int) override {}
    void FillRect(int, int, int, int, Colour) override {}

private:
    void To(double x, double y)
    {
        segments.push_back(Segment{x_, y_, x, y, width_});
        x_ = x;
        y_ = y;
    }
    void SetPixelSlow(int, int, Colour) override {}
    double x_ = 0.0;
    double y_ = 0.0;
    int width_ = 1;
};

// Clips the segment from (x0, y0) to (x1, y1) to the box [l, r] x [t, b] in doubles, by the
// program's one clipper; false when nothing of it is inside, or an end is no number.
bool ClipToBox(double& x0, double& y0, double& x1, double& y1, double l, double t, double r,
               double b)
{
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return false;
    double u0 = 0.0, u1 = 1.0;
    if (!ClipSegment(x0, y0, x1, y1, l, t, r, b, u0, u1))
        return false;
    const double sx = x0, sy = y0, dx = x1 - x0, dy = y1 - y0;
    x0 = sx + u0 * dx;
    y0 = sy + u0 * dy;
    x1 = sx + u1 * dx;
    y1 = sy + u1 * dy;
    return true;
}

// The picture's pixels a line lies on or near, with their sums over every box from the
// picture's top-left corner, so that whether a label's box meets a line is four look-ups.
// Pixel (i, j) has its centre at the whole numbers (i, j), as a line's end points. A picture
// larger than kMaskCells pixels across is marked in cells of several pixels, each marked when a
// pixel of it is: the answer errs only toward meeting.
class LineMask {
public:
    static constexpr int kMaskCells = 1024;
    LineMask(int width, int height)
        : w_(std::max(0, width)),
          h_(std::max(0, height)),
          cell_(std::max(1, (std::max(w_, h_) + kMaskCells - 1) / kMaskCells)),
          cw_((w_ + cell_ - 1) / cell_),
          ch_((h_ + cell_ - 1) / cell_),
          sums_(static_cast<size_t>(cw_ + 1) * static_cast<size_t>(ch_ + 1), 0)
    {
    }
    // Marks every pixel within grow of the segment (grow at most a few pixels).
    void Add(double x0, double y0, double x1, double y1, double grow)
    {
        if (w_ == 0 || h_ == 0
            || !ClipToBox(x0, y0, x1, y1, -grow, -grow, w_ - 1 + grow, h_ - 1 + grow))
            return;
        const double length = std::hypot(x1 - x0, y1 - y0);
        // Points half a pixel apart at most: every pixel the line draws lies within grow of one.
        const int steps = 1 + static_cast<int>(std::ceil(2.0 * length));
        for (int k = 0; k <= steps; ++k) {
            const double x = x0 + (x1 - x0) * k / steps;
            const double y = y0 + (y1 - y0) * k / steps;
            const int i0 = std::max(0, static_cast<int>(std::ceil(x - grow))) / cell_;
            const int i1 = std::min(w_ - 1, static_cast<int>(std::floor(x + grow))) / cell_;
            const int j0 = std::max(0, static_cast<int>(std::ceil(y - grow))) / cell_;
            const int j1 = std::min(h_ - 1, static_cast<int>(std::floor(y + grow))) / cell_;
            for (int j = j0; j <= j1; ++j)
                for (int i = i0; i <= i1; ++i)
                    At(i + 1, j + 1) = 1;
        }
    }
    // Turns the marks into sums; Meets answers from then on.
    void Sum()
    {
        for (int j = 1; j <= ch_; ++j)
            for (int i = 1; i <= cw_; ++i)
                At(i, j) += At(i - 1, j) + At(i, j - 1) - At(i - 1, j - 1);
    }
    // Whether a marked pixel lies among columns x..x+width-1 and rows y..y+height-1 (the part
    // inside the picture).
    bool Meets(int x, int y, int width, int height) const { return Count(x, y, width, height) > 0; }
    // How many marked pixels (cells) lie there.
    int Count(int x, int y, int width, int height) const
    {
        const int x0 = std::clamp(x, 0, w_), x1 = std::clamp(x + width, 0, w_);
        const int y0 = std::clamp(y, 0, h_), y1 = std::clamp(y + height, 0, h_);
        if (x0 >= x1 || y0 >= y1)
            return 0;
        const int i0 = x0 / cell_, i1 = (x1 - 1) / cell_ + 1;
        const int j0 = y0 / cell_, j1 = (y1 - 1) / cell_ + 1;
        return Get(i1, j1) - Get(i0, j1) - Get(i1, j0) + Get(i0, j0);
    }

private:
    int& At(int i, int j) { return sums_[static_cast<size_t>(j) * (cw_ + 1) + i]; }
    int Get(int i, int j) const { return sums_[static_cast<size_t>(j) * (cw_ + 1) + i]; }
    int w_, h_, cell_, cw_, ch_;
    std::vector<int> sums_;
};

bool BoxesMeet(const LabelPlace& a, const LabelPlace& b, int clearance)
{
    return a.x < b.x + b.width + clearance && b.x < a.x + a.width + clearance
           && a.y < b.y + b.height + clearance && b.y < a.y + a.height + clearance;
}

// Writes a label at its place: its text, and its second line a cell below when it has one, in
// its cell's font when that is smaller than font (the one selected), which it selects again.
void DrawLabel(DC& dc, const LabelPlace& place, const Font& font)
{
    const bool smaller = place.cell > 0 && place.cell != font.height;
    if (smaller)
        dc.SelectFont(Font{place.cell, font.face});
    dc.DrawText(place.x, place.y, place.text);
    if (!place.second.empty())
        dc.DrawText(place.x, place.y + place.height / 2, place.second);
    if (smaller)
        dc.SelectFont(font);
}

} // namespace

bool SplitLabel(const std::string& text, std::string& first, std::string& second)
{
    const size_t comma = text.find(", ");
    if (comma == std::string::npos || comma == 0 || comma + 2 >= text.size())
        return false;
    first = text.substr(0, comma);
    second = text.substr(comma + 2);
    return true;
}

int LabelTextWidth(const std::string& text, int cell)
{
    double cells = 0.0;
    for (unsigned char c : text) {
        if ((c & 0xC0) == 0x80)
            continue; // a UTF-8 continuation byte
        if (c == '=' || c == '>' || c == 'm')
            cells += 0.85;
        else if (c == ',' || c == ' ' || c == '.')
            cells += 0.4;
        else
            cells += 0.62;
    }
    return TruncToInt(std::ceil(cells * cell));
}

std::vector<LabelPlace> Corner::OwnLabelPlaces(const FlowState& fs) const
{
    const int apexX = ApexX();
    const int cell = labelFont.height;
    std::vector<LabelPlace> places;
    auto add = [&](std::string text, int x, int y) {
        const int w = LabelTextWidth(text, cell);
        places.push_back(LabelPlace{std::move(text), x, y, w, cell, std::string(), cell});
    };
    // Beta's label of the desktop's size stands inside its arc; a larger one would cross the
    // arc there, so it stands left of the arc's start, under the wall, but never out of the
    // picture.
    add(BetaLabel(),
        cell <= kLabelCell ? apexX - kBetaLabelLeftOfCorner
                           : std::max(left + kLabelEdge,
                                      apexX - kBetaArcRadius - cell / 4 - kBetaLabelCells * cell),
        top + kBetaLabelBelowWall);
    // Alpha's and chi's, their cells' bottoms on the reference line and kChiLabelAboveBottom
    // above the picture's bottom.
    std::string alpha, chi;
    if (physics == Physics::Exact) {
        const ExactFlow flow = ExactFlowOf(fs);
        alpha = ExactAlphaLabel(flow);
        chi = ExactChiLabel(flow);
    } else if (HasFan(fs)) {
        alpha = AlphaLabel(fs);
        chi = ChiLabel(fs);
    }
    if (!alpha.empty())
        add(alpha, apexX + kAlphaLabelRightOfCorner, top - cell);
    if (!chi.empty())
        add(chi, kLabelEdge, height - kChiLabelAboveBottom - cell);
    return places;
}

std::vector<LabelPlace> Corner::LabelPlaces(const FlowState& fs, const DrawnOver& drawnOver) const
{
    std::vector<LabelPlace> places = OwnLabelPlaces(fs);
    if (physics == Physics::Model && labelFont.height <= kLabelCell)
        return places;
    SegmentRecorder lines;
    DrawOverlay(lines, fs, nullptr);
    if (drawnOver)
        drawnOver(lines);
    // Every place a label may take lies on a grid a quarter cell apart, inside the picture.
    const int step = std::max(2, labelFont.height / 4);
    const int margin = kLabelInset;
    // The lines on the picture (left..left+width, 0..height), each grown by the clearance and
    // half its pen.
    LineMask mask(left + width, height);
    for (const SegmentRecorder::Segment& s : lines.segments)
        mask.Add(s.x0, s.y0, s.x1, s.y1,
                 kLabelClearance + 0.5 * std::clamp(s.width, 1, kLabelClearance * 8) + 0.5);
    mask.Sum();
    auto clear = [&](const LabelPlace& p, size_t placed) {
        if (mask.Meets(p.x, p.y, p.width, p.height))
            return false;
        for (size_t k = 0; k < placed; ++k)
            if (BoxesMeet(p, places[k], kLabelClearance))
                return false;
        return true;
    };
    // Beta's label is looked for inside the body first (under the upstream wall and, where the
    // downstream wall runs down, on the body's side of it), alpha's above the reference line
    // first (on the side of the angle each names), chi's anywhere.
    const double wallSin = std::sin(wallAngle), wallCos = std::cos(wallAngle);
    auto inBody = [&](int x, int y) {
        return (x - ApexX()) * wallCos - (y - top) * wallSin < 0.0;
    };
    auto sideOf = [&](size_t i, const LabelPlace& p) {
        if (i == 0)
            return p.y >= top + kBetaLabelBelowWall
                   && (!(wallCos > 0.0)
                       || (inBody(p.x + p.width, p.y) && inBody(p.x + p.width, p.y + p.height)));
        if (i == 1 && places.size() == 3)
            return p.y + p.height + kLabelClearance <= top;
        return true;
    };
    // The place the search's pass finds for a label of own's box: pass 0 a clear place on the
    // label's own side, pass 1 a clear place anywhere, pass 2 (a label too large for the
    // picture's gaps) the place that the fewest line pixels cross, clear of the other labels.
    // False when the pass finds none.
    auto find = [&](const LabelPlace& own, size_t i, int pass, LabelPlace& found) {
        const int x0 = left + margin;
        const int x1 = left + width - margin - own.width;
        const int y0 = margin;
        const int y1 = height - margin - own.height;
        LabelPlace best = own;
        double bestDistance = -1.0;
        int bestCount = mask.Count(own.x, own.y, own.width, own.height);
        LabelPlace p = own;
        for (int y = y0; y <= y1; y += step)
            for (int x = x0; x <= x1; x += step) {
                const double dx = x - own.x, dy = y - own.y;
                const double d = dx * dx + dy * dy;
                p.x = x;
                p.y = y;
                if (pass < 2) {
                    if (bestDistance >= 0.0 && d >= bestDistance)
                        continue;
                    if ((pass == 1 || sideOf(i, p)) && clear(p, i)) {
                        best = p;
                        bestDistance = d;
                    }
                    continue;
                }
                const int count = mask.Count(x, y, p.width, p.height);
                // Fewer pixels crossed than at its own place and at every place found before;
                // of as few, the nearest.
                if (!(count < bestCount
                      || (count == bestCount && bestDistance >= 0.0 && d < bestDistance)))
                    continue;
                bool apart = true;
                for (size_t k = 0; k < i && apart; ++k)
                    apart = !BoxesMeet(p, places[k], kLabelClearance);
                if (apart) {
                    best = p;
                    bestDistance = d;
                    bestCount = count;
                }
            }
        if (bestDistance < 0.0)
            return false;
        found = best;
        return true;
    };
    // A clear place for the label in a font cell pixels high: on one line; for a label of two
    // parts, for both on two lines, the box's bottom where the one line's is.
    auto findClear = [&](const LabelPlace& own, size_t i, int cell, LabelPlace& found) {
        auto near = [&](const LabelPlace& box) {
            return find(box, i, 0, found) || find(box, i, 1, found);
        };
        LabelPlace oneLine = own;
        oneLine.cell = cell;
        oneLine.width = LabelTextWidth(own.text, cell);
        oneLine.height = cell;
        oneLine.y = own.y + own.height - cell;
        if (near(oneLine))
            return true;
        LabelPlace twoLines = oneLine;
        if (!SplitLabel(own.text, twoLines.text, twoLines.second))
            return false;
        twoLines.width = std::max(LabelTextWidth(twoLines.text, cell),
                                  LabelTextWidth(twoLines.second, cell));
        twoLines.height = 2 * cell;
        twoLines.y = oneLine.y - cell;
        return near(twoLines);
    };
    const int least = std::max(kLabelCell, TruncToInt(std::ceil(kLeastShrink * labelFont.height)));
    for (size_t i = 0; i < places.size(); ++i) {
        LabelPlace& own = places[i];
        if (clear(own, i))
            continue;
        // A clear place in the label font, else in a smaller one; else the fewest crossings on
        // one line in the label font.
        bool placed = false;
        for (int cell = own.cell; cell >= least && !placed;
             cell = cell == least ? least - 1 : std::max(least, cell - kLabelShrinkStep))
            placed = findClear(own, i, cell, own);
        if (!placed)
            find(own, i, 2, own);
    }
    return places;
}

void Corner::DrawWallsAndBeta(DC& dc, const LabelPlace* beta) const
{
    const int apexX = ApexX();
    const double h = height;

    // The walls: the upstream one to the corner, then the downstream one.
    dc.SelectPen(wallPen);
    dc.MoveTo(left, top);
    dc.LineTo(apexX, top);
    // The downstream wall runs along (sin wallAngle, cos wallAngle): downward, one picture
    // height, while cos is positive (every angle a drag can give), upward past a quarter turn
    // either way (an angle given on the command line); no wall for an angle that is no number.
    const double wallCos = std::cos(wallAngle);
    if (wallCos > 0.0)
        dc.LineTo(TruncToInt(apexX + h * std::tan(wallAngle)),
                  TruncToInt(static_cast<double>(top) + h));
    else if (wallCos < 0.0)
        dc.LineTo(TruncToInt(apexX - h * std::tan(wallAngle)),
                  TruncToInt(static_cast<double>(top) - h));

    // The body angle beta: an arc from the upstream wall round inside the body to the
    // downstream wall, and its label, in the thin pen and the label font.
    dc.SelectFont(labelFont);
    dc.SelectPen(thinPen);
    dc.MoveTo(apexX - kBetaArcJoin, top);
    dc.Arc(apexX, top, kBetaArcRadius, 180.0f, ToDegreesArg(BetaDegrees()));
    if (beta)
        DrawLabel(dc, *beta, labelFont);
}

void Corner::Draw(DC& dc, const FlowState& fs, const DrawnOver& drawnOver) const
{
    const std::vector<LabelPlace> places = LabelPlaces(fs, drawnOver);
    DrawOverlay(dc, fs, &places);
}

void Corner::DrawOverlay(DC& dc, const FlowState& fs, const std::vector<LabelPlace>* places) const
{
    if (physics == Physics::Exact) {
        DrawExact(dc, ExactFlowOf(fs), places);
        return;
    }
    const int apexX = ApexX();
    const double h = height;
    DrawWallsAndBeta(dc, places && !places->empty() ? &(*places)[0] : nullptr);

    // The fan's rays are dashed; a subsonic flow (its angles no numbers) has no fan.
    dc.SelectPen(dashPen);
    if (!HasFan(fs))
        return;

    // The sonic line, while it lies in the gas: past pi (a fast, cold flow) it would run down
    // and to the left, inside the body, where no line of the flow belongs.
    if (fs.sonicLineAngle <= kPi)
        DrawRay(dc, fs.sonicLineAngle, apexX, top, h);

    // The first characteristic.
    DrawRay(dc, fs.machAngle, apexX, top, h);

    // The last characteristic: out through the top edge when above the horizontal, else
    // through the bottom edge; a horizontal one is drawn nearly horizontal, kLevelRayRun
    // picture heights to the right for one and a half heights down.
    if (fs.fanEndAngle == 0.0) {
        dc.MoveTo(apexX, top);
        dc.LineTo(TruncToInt(apexX + h * kLevelRayRun), TruncToInt(1.5 * h));
    } else {
        DrawRay(dc, fs.fanEndAngle, apexX, top, h);
    }

    // The flow boundary, when the wall is turned past the largest turning angle.
    if (separationAngle < -kLeastSeparation) {
        dc.SelectPen(dotPen);
        DrawRay(dc, separationAngle, apexX, top, h);
    }

    // The reference line continuing the upstream wall past the corner.
    dc.SelectPen(thinPen);
    dc.MoveTo(apexX, top);
    dc.LineTo(left + Half(width) + width / kReferenceLineShare, top);

    // The Mach angle alpha: from the reference line up to the first characteristic.
    dc.MoveTo(apexX + kAlphaArcJoin, top);
    dc.Arc(apexX, top, kAlphaArcRadius, 0.0f, ToDegreesArg(fs.machAngle * kDegreesPerRadian));

    // The labels alpha and chi.
    if (places)
        for (size_t i = 1; i < places->size(); ++i)
            DrawLabel(dc, (*places)[i], labelFont);
}

namespace {

// Fills the wedge from the corner (apexX, top) between the polar angles from and to (from < to,
// counter-clockwise, at most half a turn) with colour, row by row over a picture of width x
// height: every pixel whose centre lies in the wedge. Nothing when an angle is no number.
void FillConvexWedge(DC& dc, int apexX, int top, int width, int height, double from, double to,
                     Colour colour)
{
    // In the picture's upward coordinates (X right, Y up) the wedge is where
    // cross(dFrom, p) >= 0 and cross(p, dTo) >= 0: each is k X >= m on a row.
    const double kFrom = -std::sin(from), cFrom = -std::cos(from);
    const double kTo = std::sin(to), cTo = std::cos(to);
    for (int row = 0; row < height; ++row) {
        const double Y = top - (row + 0.5);
        double lo = -0.5 - apexX;        // the picture's first column's centre, less a half
        double hi = width - 0.5 - apexX; // past the last one's
        bool empty = false;
        auto limit = [&](double k, double m) {
            if (k > 0.0)
                lo = std::max(lo, m / k);
            else if (k < 0.0)
                hi = std::min(hi, m / k);
            else if (!(0.0 >= m))
                empty = true;
        };
        limit(kFrom, cFrom * Y);
        limit(kTo, -cTo * Y);
        if (empty || !(lo <= hi))
            continue;
        const double first = std::ceil(lo + apexX - 0.5);
        const double last = std::floor(hi + apexX - 0.5);
        if (!(first <= last))
            continue;
        dc.FillRect(static_cast<int>(first), row, static_cast<int>(last - first) + 1, 1, colour);
    }
}

// The wedge between from and to (from < to) in pieces of at most a quarter turn each.
void FillWedge(DC& dc, int apexX, int top, int width, int height, double from, double to,
               Colour colour)
{
    if (!(from < to) || !(to - from <= 2.0 * kPi))
        return;
    for (int piece = 0; piece < 8 && from < to; ++piece) {
        const double end = std::min(to, from + kHalfPi);
        FillConvexWedge(dc, apexX, top, width, height, from, end, colour);
        from = end;
    }
}

// A ray from the corner at polar angle phi, far enough to leave the picture from anywhere in it
// (the device context clips); nothing when the angle is no number.
void DrawFarRay(DC& dc, double phi, int apexX, int top, int width, int height)
{
    const double reach = 4.0 * (static_cast<double>(width) + height) + 1000.0;
    const double c = std::cos(phi), s = std::sin(phi);
    if (!std::isfinite(c) || !std::isfinite(s))
        return;
    dc.MoveTo(apexX, top);
    dc.LineTo(TruncToInt(apexX + reach * c), TruncToInt(top - reach * s));
}

} // namespace

void Corner::DrawExact(DC& dc, const ExactFlow& flow, const std::vector<LabelPlace>* places) const
{
    const int apexX = ApexX();
    const double wallPhi = wallAngle - kHalfPi;

    // What has no gas to show, tinted under every line: the vacuum between the limiting
    // streamline and the wall; the region the theory does not compute, between the wall and the
    // vertical through the corner.
    if (flow.kind == ExactKind::FanToVacuum)
        FillWedge(dc, apexX, top, width, height, wallPhi, flow.last, kVacuumTint);
    else if (flow.kind == ExactKind::Detached || flow.kind == ExactKind::Subsonic)
        FillWedge(dc, apexX, top, width, height, wallPhi, kHalfPi, kNotComputedTint);

    DrawWallsAndBeta(dc, places && !places->empty() ? &(*places)[0] : nullptr);

    if (flow.kind == ExactKind::Shock) {
        // The shock from the corner at its angle, in a pen of its own.
        dc.SelectPen(shockPen);
        DrawFarRay(dc, flow.shockAngle, apexX, top, width, height);
    }
    if (flow.kind == ExactKind::Fan || flow.kind == ExactKind::FanToVacuum) {
        dc.SelectPen(dashPen);
        // The ray where the fan's closed form is sonic, while it lies above the upstream wall.
        if (flow.phiSonic < kPi)
            DrawFarRay(dc, flow.phiSonic, apexX, top, width, height);
        // The first and the last Mach lines (past the largest turn, the limiting one).
        DrawFarRay(dc, flow.first, apexX, top, width, height);
        DrawFarRay(dc, flow.last, apexX, top, width, height);
        if (flow.kind == ExactKind::FanToVacuum) {
            // The limiting streamline, the gas's boundary.
            dc.SelectPen(dotPen);
            DrawFarRay(dc, flow.last, apexX, top, width, height);
        }
        // The reference line continuing the upstream wall (in the gas: the wall is turned away
        // from the flow) and the Mach angle alpha from it up to the first Mach line.
        dc.SelectPen(thinPen);
        dc.MoveTo(apexX, top);
        dc.LineTo(left + Half(width) + width / kReferenceLineShare, top);
        dc.MoveTo(apexX + kAlphaArcJoin, top);
        dc.Arc(apexX, top, kAlphaArcRadius, 0.0f, ToDegreesArg(flow.first * kDegreesPerRadian));
    }
    // The labels alpha (for a fan) and the one at chi's place.
    if (places)
        for (size_t i = 1; i < places->size(); ++i)
            DrawLabel(dc, (*places)[i], labelFont);
}
