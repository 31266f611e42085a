#pragma once
// The orange marker: a tracer drawn as a circle whose radius follows the local pressure, so
// that the expansion in the fan is seen as a swelling circle.
#include "draw/dc.h"
#include "tracers/tracer.h"

class Marker : public Tracer {
public:
    Marker() = default;

    Brush brush{Colour{255, 96, 0}};
    int radius = 2; // of the circle last drawn, px

    // Draws the circle (outline in the selected pen, filled with brush), then takes one Step.
    // Where the local pressure is not a positive finite number nothing is drawn.
    void Draw(DC& dc, const FlowState& fs, const Corner& corner) override;

    // Pressure at the picture point (sx, sy): p1 upstream, the fan's expansion inside it and
    // the downstream pressure past it.
    static double LocalPressure(const FlowState& fs, const Corner& corner, double sx, double sy);
};
