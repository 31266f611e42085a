#pragma once
// Where a point stands relative to the expansion fan. Coordinates are corner-relative pixels,
// x to the right and y downward. Both operations are inline: a tracer's step takes them
// hundreds of thousands of times in one probe run.
#include <cmath>

#include "base/constants.h"
#include "model/flow_state.h"

enum Region : int {
    RegionUpstream = 1,   // before the first characteristic
    RegionFan = 2,        // inside the fan, both boundaries included
    RegionDownstream = 3, // past the last characteristic
    RegionNone = 0,       // no region: the fan angles are not numbers
};

// Polar angle of (X, -Y), counter-clockwise from +x. X = 0 gives pi/2 (also below the corner
// and at the corner itself); Y = 0 with X != 0 gives 0 on either side.
inline double PolarAngle(double X, double Y)
{
    if (X == 0.0)
        return kHalfPi;
    double result = 0.0;
    if (X < 0.0 && Y < 0.0)
        result = kPi - std::atan(Y / X);
    else if (X > 0.0 && Y < 0.0)
        result = std::atan(-Y / X);
    else if (X > 0.0 && Y > 0.0)
        result = -std::atan(Y / X);
    else if (X < 0.0 && Y > 0.0)
        result = -kPi - std::atan(Y / X);
    return result;
}

// Region of the point at polar angle phi.
inline int ClassifyAngle(const FlowState& fs, double phi)
{
    if (phi > fs.machAngle)
        return RegionUpstream;
    if (phi >= fs.fanEndAngle)
        return RegionFan;
    if (phi < fs.machAngle)
        return RegionDownstream;
    return RegionNone;
}

inline int ClassifyPoint(const FlowState& fs, double X, double Y)
{
    return ClassifyAngle(fs, PolarAngle(X, Y));
}
