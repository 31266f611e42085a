#pragma once
// Where a point stands relative to the expansion fan. Coordinates are corner-relative pixels,
// x to the right and y downward.
#include "model/flow_state.h"

enum Region : int {
    RegionUpstream = 1, // before the first characteristic
    RegionFan = 2,      // inside the fan, both boundaries included
    RegionDownstream = 3, // past the last characteristic
    RegionNone = 0,     // no region: the fan angles are not numbers
};

// Polar angle of (X, -Y), counter-clockwise from +x. X = 0 gives pi/2 (also below the corner
// and at the corner itself); Y = 0 with X != 0 gives 0 on either side.
double PolarAngle(double X, double Y);

// Region of the point at polar angle phi.
int ClassifyAngle(const FlowState& fs, double phi);

inline int ClassifyPoint(const FlowState& fs, double X, double Y)
{
    return ClassifyAngle(fs, PolarAngle(X, Y));
}
