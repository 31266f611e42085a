// The corner overlay: walls, sonic line, characteristics, flow boundary, angle arcs and labels.
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "base/constants.h"
#include "base/saturate.h"
#include "corner/corner.h"

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
// The width of beta's label ("β=135") in font cells, at most, in the shells' fonts (about 2.9).
constexpr int kBetaLabelCells = 3;
} // namespace

void Corner::DrawWallsAndBeta(DC& dc) const
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
    // downstream wall, and its label below the corner, in the thin pen and the label font.
    // A label of the desktop's size stands inside the arc; a larger one (a picture shown small)
    // would cross the arc there, so it stands left of the arc's start, under the wall, but never
    // out of the picture.
    const int cell = labelFont.height;
    dc.SelectFont(labelFont);
    dc.SelectPen(thinPen);
    dc.MoveTo(apexX - 30, top);
    dc.Arc(apexX, top, kBetaArcRadius, 180.0f, ToDegreesArg(BetaDegrees()));

    const int betaX = cell <= kLabelCell ? apexX - 70
                                         : std::max(left + 10, apexX - kBetaArcRadius - cell / 4
                                                                   - kBetaLabelCells * cell);
    dc.DrawText(betaX, top + 2, BetaLabel());
}

void Corner::Draw(DC& dc, const FlowState& fs) const
{
    if (physics == Physics::Exact) {
        DrawExact(dc, ExactFlowOf(fs));
        return;
    }
    const int apexX = ApexX();
    const double h = height;
    const int cell = labelFont.height;
    DrawWallsAndBeta(dc);

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
    // through the bottom edge; a horizontal one is drawn nearly horizontal, a thousand
    // picture heights to the right for one height down.
    if (fs.fanEndAngle == 0.0) {
        dc.MoveTo(apexX, top);
        dc.LineTo(TruncToInt(apexX + h * 1000.0), TruncToInt(1.5 * h));
    } else {
        DrawRay(dc, fs.fanEndAngle, apexX, top, h);
    }

    // The flow boundary, when the wall is turned past the largest turning angle.
    if (separationAngle < -0.0001) {
        dc.SelectPen(dotPen);
        DrawRay(dc, separationAngle, apexX, top, h);
    }

    // The reference line continuing the upstream wall past the corner.
    dc.SelectPen(thinPen);
    dc.MoveTo(apexX, top);
    dc.LineTo(left + Half(width) + width / 8, top);

    // The Mach angle alpha: from the reference line up to the first characteristic.
    dc.MoveTo(apexX + 30, top);
    dc.Arc(apexX, top, 25, 0.0f, ToDegreesArg(fs.machAngle * kDegreesPerRadian));

    // The labels alpha and chi, their cells' bottoms on the reference line and ten pixels above
    // the picture's bottom, whatever their size.
    dc.DrawText(apexX + 40, top - cell, AlphaLabel(fs));
    dc.DrawText(10, height - 10 - cell, ChiLabel(fs));
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

void Corner::DrawExact(DC& dc, const ExactFlow& flow) const
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

    DrawWallsAndBeta(dc);
    const int cell = labelFont.height;
    const std::string chi = ExactChiLabel(flow);

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
        dc.LineTo(left + Half(width) + width / 8, top);
        dc.MoveTo(apexX + 30, top);
        dc.Arc(apexX, top, 25, 0.0f, ToDegreesArg(flow.first * kDegreesPerRadian));
        dc.DrawText(apexX + 40, top - cell, ExactAlphaLabel(flow));
    }
    if (!chi.empty())
        dc.DrawText(10, height - 10 - cell, chi);
}
