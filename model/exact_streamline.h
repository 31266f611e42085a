#pragma once
// The exact streamlines of the centred Prandtl–Meyer fan, in closed form.
//
// Upstream a streamline is straight and level. In the fan the state depends on the polar angle
// phi alone, and the velocity's component across each ray through the corner is the speed of
// sound c (the rays are the Mach lines). The gas that passes between the wall and a streamline
// crosses the ray at phi between the corner and the streamline's radius r, as rho c r; the same
// gas crossed the first characteristic (phi = mu1) as rho1 c1 r0, and level upstream as
// rho1 V1 h at height h (r0 = h / sin mu1). Hence r / r0 = rho1 c1 / (rho c), which for an
// isentropic gas is (T1/T)^((g+1)/(2(g-1))) = (cos(psi1/K) / cos(psi/K))^(K^2), with K and psi
// as in model/profile.h. Past the last characteristic the streamline is straight again, in the
// direction the flow has turned to (-turn), parallel to the downstream wall while the flow
// follows it.
#include <vector>

#include "model/profile.h"

// A point of a path, corner-relative picture pixels: x to the right, y downward.
struct ExactPoint {
    double x = 0.0;
    double y = 0.0;
};

// The exact streamline that starts at (startX, -h) (h > 0 above the upstream wall; startX left
// of the first characteristic), through the fan of `fan`: the start point, the entry on the
// first characteristic, kExactFanSteps + 1 points on the rays evenly spaced from the first to
// the last characteristic (the first of them the entry), and a point `reach` pixels on along
// the turned flow. A point further than `reach` from the corner ends the path (a flow expanded
// toward vacuum sends its streamlines out to infinity). Empty when the theory has no fan (not
// supersonic, or a wall turned into the flow) or h is not a positive number.
constexpr int kExactFanSteps = 96;
std::vector<ExactPoint> TraceExactStreamline(const ExactFan& fan, double startX, double h,
                                             double reach);
