#pragma once
// The exact inviscid flow of a perfect gas round the corner, both ways: a wall turned away from
// the flow (the centred Prandtl–Meyer fan, and past the largest turn the fan to vacuum) and a
// wall turned into it (the attached weak oblique shock, or a detached one, which is not a corner
// solution and is not computed). Every state here is a function of the polar angle phi alone:
// the flow round a sharp corner has no length of its own.
//
// Conventions (model/classify.h): phi is the polar angle of (x, -y) about the corner, x to the
// right and y downward on the screen, counter-clockwise from +x, the oncoming flow's direction.
// The upstream wall leaves the corner at phi = pi. A wall turned away from the flow by chi lies
// at phi = -chi, and the gas fills [-chi, pi]; a wall turned into the flow by theta lies at
// phi = +theta, and the gas fills [theta, pi]. A flow direction is an angle from +x,
// counter-clockwise positive: -chi after an expansion, +theta behind a shock. At a point, Vr is
// the velocity's component along the ray from the corner (positive outward) and Vphi the one
// across it, positive clockwise (from the oncoming flow toward the downstream wall): for a flow
// of speed V in direction delta, Vr = V cos(phi - delta), Vphi = V sin(phi - delta). On screen
// the velocity is (vx, vy) = (V cos delta, -V sin delta).
#include <limits>

#include "model/flow_state.h"
#include "model/profile.h"

// What the exact theory has for a state and a wall.
enum class ExactKind {
    None,        // a straight wall: the oncoming flow everywhere
    Fan,         // a centred expansion fan, the flow attached to the wall past it
    FanToVacuum, // turned past the largest turn: the fan expands to vacuum, a vacuum at the wall
    Shock,       // turned into the flow up to the largest deflection: an attached oblique shock
    Detached,    // turned into the flow further: a detached shock, which is not computed
    Subsonic,    // the oncoming flow is not supersonic, or no state of a gas: nothing computed
};
// "none", "fan", "fan-to-vacuum", "shock", "detached", "subsonic": the calculator's names.
const char* ExactKindName(ExactKind kind);

// Where a point lies in the exact flow.
enum class ExactRegion {
    Upstream,   // the oncoming flow: before the first Mach line, or ahead of the shock
    Fan,        // inside the fan, both Mach lines included
    Downstream, // the uniform flow past the fan, or behind the shock
    Vacuum,     // between the limiting streamline and the wall: no gas
    Body,       // inside the body (past the downstream wall): no gas
    None,       // not computed (a detached shock's region, a subsonic flow, no state)
};
// "upstream", "fan", "downstream", "vacuum", "body", "none".
const char* ExactRegionName(ExactRegion region);

constexpr double kNotComputed = std::numeric_limits<double>::quiet_NaN();

// The critical state (M = 1) reached isentropically from the oncoming flow's stagnation state:
// T* = 2 T0/(g+1), P* = P0 (2/(g+1))^(g/(g-1)), rho* = rho0 (2/(g+1))^(1/(g-1)), c* = sqrt(g R T*)
// (the critical speed), V0* = 1/rho*. NaN where the oncoming state is no state of a gas.
struct CriticalState {
    double T = kNotComputed, P = kNotComputed, rho = kNotComputed, c = kNotComputed,
           V0 = kNotComputed;
};
CriticalState IsentropicCritical(const FlowState& fs);

// The oblique shock of a wall turned into a flow of Mach number m1 (> 1) by theta (rad, >= 0),
// gamma in (1, inf). Largest deflection thetaMax (rad) at shock angle betaAtMax; for
// theta <= thetaMax the weak solution: the shock angle (rad, from the oncoming flow, between
// asin(1/m1) and betaAtMax), the ratios across it and the Mach number behind it. attached is
// false past thetaMax (only thetaMax and betaAtMax are set then) and for unusable inputs.
struct ObliqueShock {
    bool attached = false;
    double thetaMax = kNotComputed;
    double betaAtMax = kNotComputed;
    double shockAngle = kNotComputed;
    double pressureRatio = kNotComputed;    // p2/p1
    double densityRatio = kNotComputed;     // rho2/rho1
    double temperatureRatio = kNotComputed; // T2/T1
    double mach2 = kNotComputed;
};
ObliqueShock WeakObliqueShock(double m1, double theta, double gamma);

struct ExactFlow {
    ExactKind kind = ExactKind::Subsonic;
    double gamma = kNotComputed;
    double gasConstant = kNotComputed; // R = 8314/mu, J/(kg K)
    double K = kNotComputed;           // sqrt((g+1)/(g-1))
    // The oncoming flow.
    double m1 = kNotComputed, v1 = kNotComputed, t1 = kNotComputed, p1 = kNotComputed,
           rho1 = kNotComputed, c1 = kNotComputed;
    CriticalState critical;
    // The wall's turn, rad: positive away from the flow (chi), negative into it (-theta).
    double wallTurn = 0.0;
    // Polar angle of the downstream wall: -chi, or +theta.
    double wallPhi = 0.0;
    // nu(M1), nu_max and the largest turn nu_max - nu(M1), rad (NaN when not supersonic).
    double nu1 = kNotComputed, nuMax = kNotComputed, largestTurn = kNotComputed;
    // The largest deflection of an attached shock, theta_max(M1, gamma), rad (NaN when not
    // supersonic).
    double maxDeflection = kNotComputed;
    // The limiting speed sqrt(V1^2 + 2 c1^2/(g-1)), m/s.
    double limitingSpeed = kNotComputed;

    // Fan and FanToVacuum: the first Mach line (mu1) and the last (mu2 - chi; for FanToVacuum
    // the limiting Mach line -largestTurn, which is also the limiting streamline), the sonic
    // ray phiSonic = pi/2 + nu1 (psi = phiSonic - phi), the first Mach line's psi1 and the turn
    // the flow makes (min(chi, largestTurn)).
    double first = kNotComputed;
    double last = kNotComputed;
    double phiSonic = kNotComputed;
    double psi1 = kNotComputed; // phiSonic - first, as ExactFanFor has it
    double flowTurn = kNotComputed;
    // Shock: the shock's polar angle (its angle from the oncoming flow).
    double shockAngle = kNotComputed;

    // The uniform state past the fan or behind the shock (Fan, Shock; for FanToVacuum the
    // vacuum: M inf, P = T = rho = 0, V the limiting speed), and its direction (rad, -chi or
    // +theta).
    double m2 = kNotComputed, p2 = kNotComputed, t2 = kNotComputed, rho2 = kNotComputed,
           v2 = kNotComputed;
    double flowAngle2 = kNotComputed;
};

// The exact flow of the oncoming state in fs (as ComputeUpstreamState leaves it) past a wall
// turned by wallTurn rad (positive away from the flow, negative into it; pi/2 - wallAngle for
// the picture's wall). For a turn away from the flow the numbers of the fan are those of
// PrandtlMeyer and ExactFanFor, bit for bit. A turn of exactly 0 is None; a NaN turn, and
// inputs that are no supersonic state of a gas (NaN, infinities, M1 < 1, T1 <= 0, P1 <= 0,
// gamma outside (1, inf)), are Subsonic. Every loop is bounded.
ExactFlow ComputeExactFlow(const FlowState& fs, double wallTurn);

// The exact state at polar angle phi: the region and every value the probe fields show. Vacuum:
// P = T = rho = 0, c = 0, M and V0 infinite, V the limiting speed along the limiting streamline
// (a ray from the corner: Vr = V, Vphi = 0);
// Body and None: every value NaN. A Detached flow is the oncoming flow for phi >= pi/2 (left of
// the vertical through the corner) and None between the wall and that vertical; a Subsonic one
// is None everywhere. Vphi and Vr as in the conventions above; (vx, vy) the velocity
// on screen, m/s (0 where there is no gas). phi is taken into (-pi, pi] (-pi is the upstream
// wall's ray, pi) and kept so in the result; a wall turned past -pi leaves no body in that
// range. Both Mach lines of a fan belong to the fan (the values on them are ExactStateAt's:
// the oncoming state on the first, the end state on the last), the shock's own ray to the
// oncoming flow, the wall's ray to the gas. In the fan Vphi = c* cos(psi/K) (= c) and
// Vr = K c* sin(psi/K), c* = c1 / cos(psi1/K); c = c1 sqrt(T/T1) wherever there is gas.
struct ExactPointState {
    ExactRegion region = ExactRegion::None;
    double phi = kNotComputed;
    double M = kNotComputed, P = kNotComputed, T = kNotComputed, rho = kNotComputed,
           c = kNotComputed, V = kNotComputed, Vphi = kNotComputed, Vr = kNotComputed,
           V0 = kNotComputed;
    double vx = 0.0, vy = 0.0;
};
ExactPointState ExactStateAtAngle(const ExactFlow& flow, double phi);

// The streamline that runs level at height h (> 0, picture pixels above the upstream wall)
// upstream: its point at polar angle phi, corner-relative picture pixels (x right, y down).
// Upstream (phi at or above the first Mach line, or the shock) it is (h / tan phi, -h); in the
// fan r = r0 (cos(psi1/K) / cos(psi/K))^(K^2) with r0 = h / sin(mu1); past the fan or behind the
// shock the straight line parallel to the wall through its exit (behind a shock at the distance
// h sin(shockAngle - theta) / sin(shockAngle) from the wall). False where the streamline does
// not reach phi (inside the vacuum or the body, or out to infinity toward the vacuum).
bool StreamPointAt(const ExactFlow& flow, double h, double phi, double& x, double& y);

// The polar angle of a corner-relative point (x, y) (picture pixels, x right, y down) as the
// exact flow takes it: atan2(-y, x) in (-pi, pi], the upstream wall's ray pi (also for y = -0),
// the corner itself pi/2 (as model/classify.h's PolarAngle).
double ExactPolarAngle(double x, double y);

// The upstream height h of the streamline through a corner-relative point (x, y) in the gas
// (the inverse of StreamPointAt): -y upstream. NaN where the point is in no computed gas.
double StreamHeightAt(const ExactFlow& flow, double x, double y);
