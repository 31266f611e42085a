#pragma once
// The orange marker: a tracer drawn as a circle whose radius follows the local pressure, so
// that the expansion in the fan is seen as a swelling circle.
#include "draw/dc.h"
#include "tracers/tracer.h"

class Marker : public Tracer {
public:
    Marker() = default;

    Brush brush{Colour{255, 96, 0}};

    // Draws the circle where the marker stands (outline in the selected pen, filled with
    // brush); moves nothing. Where the local pressure is not a positive finite number nothing
    // is drawn.
    void Draw(DC& dc, const FlowState& fs, const Corner& corner) const;
    // The same circle of a radius given (FlowField::MarkerRadius); nothing for R <= 0.
    void DrawWithRadius(DC& dc, const Corner& corner, int R) const;
    // The circle's radius there, px: 1000000/P truncated, or 0 where nothing is drawn.
    int Radius(const FlowState& fs, const Corner& corner) const;
    // The circle's centre, in picture pixels.
    double CentreX(const Corner& corner) const
    {
        return static_cast<double>(corner.width / 2) + x + corner.left;
    }
    double CentreY(const Corner& corner) const { return corner.top + y; }

    // Pressure at the picture point (sx, sy): p1 upstream, the fan's expansion inside it and
    // the downstream pressure past it.
    static double LocalPressure(const FlowState& fs, const Corner& corner, double sx, double sy);
};
