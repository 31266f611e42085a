#pragma once
// The exact Prandtl–Meyer expansion of a perfect gas round a convex corner, for comparison with
// the picture's fan. Angles are radians unless a name ends in Degrees; directions are polar
// angles about the corner, from +x (the oncoming flow's direction), counter-clockwise on screen.

#include <limits>

#include "model/flow_state.h"

// Which answer the exact theory has for a flow and a turn.
enum class TheoryCase {
    // An expansion (or no turn at all): the state past the fan below.
    Expansion,
    // The upstream state is not a finite sonic or supersonic state of a gas with
    // 1 < gamma < inf (M1 < 1, NaN or infinite values, T1 <= 0, P1 or rho1 < 0), or the turn
    // is NaN: there is no fan.
    NotSupersonic,
    // The wall turns into the flow (a negative turn): that is a compression through an oblique
    // shock, not an expansion fan, and is not modelled. turnDegrees (negative) and nu1Degrees
    // are set; the state past the fan is not.
    IntoTheFlow,
};

struct TheoryResult {
    TheoryCase kind = TheoryCase::NotSupersonic;
    // kind == Expansion: every field below is set. Otherwise the state past the fan and the
    // last characteristic are NaN; maxTurnDegrees is set whenever gamma is usable.
    bool valid = false;
    // The turn actually used: the given turn clamped to [0, nu_max - nu1]. A flow that
    // arrives at M1 >= 1 has already spent nu1 of the largest turning angle, so it can turn
    // by at most nu_max - nu1; beyond that it leaves the wall. Never negative for an
    // expansion; for a wall turned into the flow, the (negative) turn given.
    double turnDegrees = std::numeric_limits<double>::quiet_NaN();
    // The largest turning angle nu_max = (sqrt((g+1)/(g-1)) - 1)*90 deg, the turn that takes
    // a sonic flow to infinite Mach number (130.454 deg for gamma 1.4).
    double maxTurnDegrees = std::numeric_limits<double>::quiet_NaN();
    // The Prandtl–Meyer function of M1 and of M2, degrees.
    double nu1Degrees = std::numeric_limits<double>::quiet_NaN();
    double nu2Degrees = std::numeric_limits<double>::quiet_NaN();
    // The isentropic downstream state: Mach number, Pa, K, kg/m^3, m/s. When the turn
    // reaches nu_max - nu1 the gas has expanded to vacuum: mach2 = +inf, p2 = t2 = rho2 = 0
    // and v2 is the limiting speed sqrt(V1^2 + 2 c1^2/(g-1)).
    double mach2 = std::numeric_limits<double>::quiet_NaN();
    double p2 = std::numeric_limits<double>::quiet_NaN();
    double t2 = std::numeric_limits<double>::quiet_NaN();
    double rho2 = std::numeric_limits<double>::quiet_NaN();
    double v2 = std::numeric_limits<double>::quiet_NaN();
    // Polar angle (rad) of the downstream Mach line, the fan's last characteristic:
    // asin(1/M2) - turn. A zero turn gives asin(1/M1), the first characteristic.
    double lastCharacteristicAngle = std::numeric_limits<double>::quiet_NaN();
};

// The downstream state after the upstream state in fs (fs.mach1, fs.t1, fs.p1, fs.rho1,
// fs.v1, fs.c1 and fs.gamma, as ComputeUpstreamState leaves them) is turned by turnRadians.
// The turn of the picture's wall is pi/2 - wallAngle, the value the chi label shows; the
// label's cap at maxTurnAngle needs no repeating here, because the turn is clamped at
// nu_max - nu1, which is never larger. Infinite turns are clamped like any other; a NaN turn
// gives an invalid result. An exact zero turn (+0 or -0) gives back the upstream state exactly;
// a negative one is a wall turned into the flow (TheoryCase::IntoTheFlow). A sonic flow
// (M1 = 1, the Mach angle 90 degrees, as the picture draws its fan) expands from nu1 = 0.
TheoryResult PrandtlMeyer(const FlowState& fs, double turnRadians);

// The Prandtl–Meyer function nu(M), radians: 0 at M = 1, rising to nu_max as M grows without
// bound (+inf gives nu_max). NaN for M < 1, a NaN M, or gamma outside (1, inf).
double PrandtlMeyerNu(double mach, double gamma);

// The inverse of PrandtlMeyerNu: the Mach number whose nu is the given one. 1 for nu <= 0,
// +inf for nu >= nu_max, NaN for a NaN nu or gamma outside (1, inf). A bracketed Newton
// iteration with a bounded number of steps: it always ends.
double MachFromNu(double nu, double gamma);
