#pragma once
// The orange marker: a tracer drawn as a circle whose radius follows the local pressure, so
// that the expansion in the fan is seen as a swelling circle.
#include "draw/dc.h"
#include "tracers/tracer.h"

// The marker's largest radius, in picture heights: where the pressure is so low that
// 1000000/P would be larger, the circle keeps this radius and never hides the picture.
constexpr double kMarkerMostRadius = 0.25; // picture heights

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
    // The circle's radius there, px: RadiusFor the local pressure.
    int Radius(const FlowState& fs, const Corner& corner) const;
    // The circle's radius for a pressure p (Pa), px: 1000000/p, at most kMarkerMostRadius of the
    // picture's height, truncated; 0 where p is not a positive finite number.
    static int RadiusFor(double p, const Corner& corner);
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
