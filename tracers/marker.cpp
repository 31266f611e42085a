#include "tracers/marker.h"

#include <cmath>

#include "base/saturate.h"
#include "model/probe.h"

double Marker::LocalPressure(const FlowState& fs, const Corner& corner, double sx, double sy)
{
    const int region = corner.ClassifyPoint(fs, true, sx, sy);
    const double phi = corner.PolarAngle(true, sx, sy);
    double delta = fs.machAngle - phi;
    if (region == RegionDownstream)
        delta = fs.machAngle - fs.fanEndAngle;
    double p = FanPressure(fs, delta);
    if (region == RegionUpstream)
        p = fs.p1;
    return p;
}

int Marker::Radius(const FlowState& fs, const Corner& corner) const
{
    const double sx = static_cast<double>(corner.width / 2) + x + corner.left;
    const double sy = corner.top + y;
    const double p = LocalPressure(fs, corner, sx, sy);
    return p > 0.0 && std::isfinite(p) ? TruncToInt(1000000.0 / p) : 0;
}

void Marker::Draw(DC& dc, const FlowState& fs, const Corner& corner) const
{
    dc.SelectBrush(brush);
    const double sx = static_cast<double>(corner.width / 2) + x + corner.left;
    const double sy = corner.top + y;
    const double p = LocalPressure(fs, corner, sx, sy);
    if (p > 0.0 && std::isfinite(p)) {
        const int R = TruncToInt(1000000.0 / p);
        dc.Ellipse(TruncToInt(sx - R), TruncToInt(sy - R), TruncToInt(sx + R), TruncToInt(sy + R));
    }
}
