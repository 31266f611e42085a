// The corner overlay: walls, sonic line, characteristics, flow boundary, angle arcs and labels.
#include <cfloat>
#include <cmath>

#include "base/saturate.h"
#include "corner/corner.h"

namespace {
constexpr double R2D = 57.29577951308232; // 180/pi

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
} // namespace

void CCorner::Draw(DC& dc, const FlowState& fs) const
{
    const int apexX = ApexX();
    const double h = height;

    // 1. The upstream wall to the corner, then the downstream wall.
    dc.SelectPen(wallPen);
    dc.MoveTo(left, top);
    dc.LineTo(apexX, top);
    dc.LineTo(TruncToInt(apexX + h * std::tan(wallAngle)), TruncToInt(static_cast<double>(top) + h));

    // 2.
    dc.SelectFont(labelFont);
    dc.SelectPen(thinPen);

    // 3. Body angle: from the upstream wall round inside the body to the downstream wall.
    dc.MoveTo(apexX - 30, top);
    dc.AngleArc(apexX, top, 80, 180.0f, ToDegreesArg(wallAngle * R2D + 90.0));

    // 4.
    dc.TextOut(apexX - 70, top + 2, BetaLabel());

    // 5.
    dc.SelectPen(dashPen);

    // 6. The fan, when its angles are numbers.
    if (!HasFan(fs))
        return;

    // a. Sonic line.
    dc.MoveTo(apexX, top);
    dc.LineTo(TruncToInt(apexX + h / std::tan(fs.sonicLineAngle)), TruncToInt(-0.5 * h));

    // b. First characteristic.
    dc.MoveTo(apexX, top);
    dc.LineTo(TruncToInt(apexX + h / std::tan(fs.machAngle)), TruncToInt(-0.5 * h));

    // c. Last characteristic: out through the top edge when above the horizontal, else
    //    through the bottom edge; a horizontal one is drawn nearly horizontal.
    const double e = fs.fanEndAngle;
    const double endY = e > 0 ? -static_cast<double>(Half(height)) : 1.5 * h;
    const double run = e == 0 ? h * 1000.0 : h / std::tan(std::fabs(e));
    dc.MoveTo(apexX, top);
    dc.LineTo(TruncToInt(apexX + run), TruncToInt(endY));

    // d. Flow boundary, when the wall is turned past the largest turning angle.
    if (separationAngle < -0.0001) {
        dc.SelectPen(dotPen);
        dc.MoveTo(apexX, top);
        dc.LineTo(TruncToInt(apexX + h / std::tan(std::fabs(separationAngle))), TruncToInt(1.5 * h));
    }

    // e. Reference line continuing the upstream wall past the corner.
    dc.SelectPen(thinPen);
    dc.MoveTo(apexX, top);
    dc.LineTo(left + Half(width) + width / 8, top);

    // f. Mach angle: from the reference line up to the first characteristic.
    dc.MoveTo(apexX + 30, top);
    dc.AngleArc(apexX, top, 25, 0.0f, ToDegreesArg(fs.machAngle * R2D));

    // g, h. Labels.
    dc.TextOut(apexX + 40, top - 20, AlphaLabel(fs));
    dc.TextOut(10, height - 30, ChiLabel(fs));
}
