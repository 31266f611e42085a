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

void Corner::Draw(DC& dc, const FlowState& fs) const
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

    // The fan's rays are dashed; a subsonic flow (its angles no numbers) has no fan.
    dc.SelectPen(dashPen);
    if (!HasFan(fs))
        return;

    // The sonic line: up for angles below pi; past pi (a fast, cold flow) down and to the left,
    // below the upstream wall.
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
