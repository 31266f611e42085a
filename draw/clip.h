#pragma once
// The one line clipper of the program (Liang-Barsky), for the rasteriser and the plot.
#include <vector>

// Where the segment from (ax, ay) to (bx, by) lies inside the closed box [x0, x1] x [y0, y1],
// as the part [t0, t1] of it (0 at a, 1 at b): true where it meets the box, even at one point
// (t0 == t1); false where it misses it.
bool ClipSegment(double ax, double ay, double bx, double by, double x0, double y0, double x1,
                 double y1, double& t0, double& t1);

// The parts of a polyline (x, y pairs) inside the box [x0, x1] x [y0, y1], each as one run of
// x, y pairs: a point that is no number breaks the polyline; a point whose y is -infinity lies
// far above the box (so the piece toward it keeps its side).
std::vector<std::vector<double>> ClipPolyline(const std::vector<double>& xy, double x0, double y0,
                                              double x1, double y1);
