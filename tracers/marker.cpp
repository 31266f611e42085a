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
    const double p = LocalPressure(fs, corner, CentreX(corner), CentreY(corner));
    return p > 0.0 && std::isfinite(p) ? TruncToInt(1000000.0 / p) : 0;
}

void Marker::Draw(DC& dc, const FlowState& fs, const Corner& corner) const
{
    DrawWithRadius(dc, corner, Radius(fs, corner));
}

void Marker::DrawWithRadius(DC& dc, const Corner& corner, int R) const
{
    dc.SelectBrush(brush);
    if (R > 0) { // a radius of 0 would draw nothing
        const double sx = CentreX(corner);
        const double sy = CentreY(corner);
        dc.Ellipse(TruncToInt(sx - R), TruncToInt(sy - R), TruncToInt(sx + R), TruncToInt(sy + R));
    }
}
