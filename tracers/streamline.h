#pragma once
// A streamline: a tracer that is run once from its start point through the fan to beyond the
// picture, remembering its path as a polyline.
#include "draw/dc.h"
#include "tracers/dyn_array.h"
#include "tracers/exact_motion.h"
#include "tracers/tracer.h"

struct PathPoint {
    double x, y; // corner-relative, px
};

class Streamline : public Tracer {
public:
    Streamline() = default;
    // A copy carries the start height only; the path and the motion belong to one trace.
    Streamline(const Streamline& other) : Tracer(), startY(other.startY) {}
    Streamline& operator=(const Streamline& other)
    {
        startY = other.startY;
        return *this;
    }

    Pen pen{PenStyle::Solid, 2, Colour{20, 155, 0}};
    double startY = 15.0; // -h of the last trace
    DynArray<PathPoint> points{true};

    // Steps taken in each part of the last trace: before the fan, in it, and after it.
    int upstreamSteps = 0;
    int fanSteps = 0;
    int downstreamSteps = 0;

    // Rebuilds the path from the left edge of the picture, h px above the upstream wall:
    // start point, fan entry, one point per step in the fan, end point.
    void Trace(double h, const FlowState& fs, const Corner& corner);

    // The exact streamline h px above the upstream wall (model/exact_flow.h), from the same
    // start point as Trace: the start, then through the fan (kExactFanSteps + 1 points on
    // evenly spaced rays, the closed form) and on along the flow past it, or toward the vacuum
    // until it leaves the picture's reach; or to the shock, where it bends to run parallel to
    // the wall; or level, to the vertical through the corner where the flow is not computed.
    void TraceExact(double h, const ExactMotion& motion, const Corner& corner);

    // The polyline in pen.
    void Draw(DC& dc, const Corner& corner) const;

private:
    void Append();
};
