#pragma once
// The state through the fan as a function of the direction from the corner: the picture's model
// beside the exact Prandtl–Meyer expansion, sampled for a plot, a table or a CSV file.
//
// The angle phi. Every angle here is the polar angle about the corner that the probe read-out
// measures (model/classify.h, PolarAngle): of the point (x, -y), with x to the right and y
// downward on the screen, counter-clockwise from +x, the direction of the oncoming flow. The
// upstream wall leaves the corner at phi = pi (180 degrees), the first characteristic at
// asin(1/M1) (at most 90 degrees), the downstream wall at wallAngle - pi/2 (-45 degrees at the
// start-up wall); a particle crosses the fan with phi decreasing, and a profile runs from
// phi = pi down to the downstream wall. In a centred fan the state depends on phi alone.
//
// The model's state at phi is the probe read-out's, taken through the same code
// (ClassifyAngle, ProbeReadout), so a plot and a probe can never disagree. The exact state:
// before the first characteristic (phi >= asin(1/M1)) the upstream state; past the exact last
// characteristic (phi <= mu2 - chi) the end state of PrandtlMeyer (model/theory.h); between
// them the centred fan, where on the characteristic at phi the flow has turned by theta with
// phi = mu(M) - theta and nu(M) = nu1 + theta. Its closed form: with K = sqrt((g+1)/(g-1)) and
// psi the angle from the sonic ray (where M would be 1), psi = phiSonic - phi, the normal
// velocity component equals the speed of sound and M^2 = 1 + K^2 tan^2(psi/K),
// T/T* = cos^2(psi/K).
#include <limits>
#include <string>
#include <vector>

#include "model/flow_state.h"
#include "model/theory.h"

// The quantities a profile carries, in the order the plot, the table and the CSV file use.
enum class Quantity : int { Mach, Pressure, Temperature, Density, Speed };
constexpr int kQuantityCount = 5;

// What a profile holds where there is no value.
inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// A state: Mach number, pressure (Pa), temperature (K), density (kg/m^3), speed (m/s). NaN
// where there is no such state.
struct StateValues {
    double M = kNoValue, P = kNoValue, T = kNoValue, rho = kNoValue, V = kNoValue;
    double Of(Quantity q) const;
};

// One direction: the model's state with its region (model/classify.h: RegionUpstream, RegionFan,
// RegionDownstream, or RegionNone), and the exact state with its region (RegionNone where the
// theory has no answer: a flow that is not supersonic, a wall turned into the flow).
struct ProfileSample {
    double phi = 0.0; // rad
    int modelRegion = 0;
    StateValues model;
    int exactRegion = 0;
    StateValues exact;
};

// The exact fan's constants for a state and a turn.
struct ExactFan {
    TheoryResult theory;     // the end state, as the calculator's theory section gives it
    bool fan = false;        // theory.valid: there is an expansion (perhaps of no width)
    double K = 0.0;          // sqrt((g+1)/(g-1))
    double psi1 = 0.0;       // the first characteristic's angle from the sonic ray, rad
    double phiSonic = 0.0;   // polar angle of the sonic ray: first + psi1
    double first = kNoValue; // polar angle of the first characteristic, asin(1/M1)
    double last = kNoValue;  // polar angle of the last characteristic, mu2 - turn
    double turn = kNoValue;  // the turn the flow makes, rad
    double gamma = kNoValue;
    double c1 = kNoValue; // the upstream speed of sound, m/s
    StateValues upstream;
    StateValues end;
    // A wall turned into the supersonic flow (theory.kind IntoTheFlow), from the exact flow
    // (model/exact_flow.h, ComputeExactFlow): an attached oblique shock (shock) at polar angle
    // shockAngle with the state behind it, or a detached one (detached), which is not computed.
    bool shock = false;
    bool detached = false;
    double shockAngle = kNoValue; // rad
    double wall = kNoValue;       // the downstream wall's polar angle, +theta, rad
    StateValues behind;
};

// The exact fan for the upstream state in fs turned by turn (rad; Corner::TurnAngle(fs), as the
// calculator's theory section takes it).
ExactFan ExactFanFor(const FlowState& fs, double turn);
// The exact state at polar angle phi; region gets RegionUpstream, RegionFan, RegionDownstream,
// or RegionNone where the theory has no answer (every value NaN). For a wall turned into the
// flow the regions are ExactStateAtAngle's: with a shock the oncoming flow down to the shock's
// ray (included) and the state behind it from there to the wall (included); with a detached
// shock the oncoming flow for phi >= pi/2 and no answer past the vertical through the corner.
StateValues ExactStateAt(const ExactFan& fan, double phi, int* region = nullptr);

struct FanProfile {
    // The range, from the upstream wall's direction (pi) down to the downstream wall's
    // (wallAngle - pi/2, kept within -pi .. pi - 1 degree; a wall angle that is no number ends it
    // 30 degrees below the lowest characteristic, or at -pi/2).
    double phiFrom = 0.0;
    double phiTo = 0.0;
    // The picture draws a fan (Corner::HasFan): machAngle > fanEndAngle.
    bool modelFan = false;
    // The characteristics, polar angles in rad; NaN where there is none. The model's first is
    // machAngle and its last fanEndAngle; the exact ones are asin(1/M1) and mu2 - turn.
    double modelFirst = kNoValue;
    double modelLast = kNoValue;
    double exactFirst = kNoValue;
    double exactLast = kNoValue;
    // The exact shock's polar angle, rad (exact.shock), NaN where there is none.
    double exactShock = kNoValue;
    // The oncoming flow, the reference of every ratio.
    StateValues upstream;
    ExactFan exact;
    // From phiFrom down to phiTo: evenly over the range, more densely inside each fan, and at
    // each characteristic in the range exactly; at a shock two samples, on its ray (the oncoming
    // flow) and the next angle below it (the state behind it), so the jump is a step.
    std::vector<ProfileSample> samples;
};

// Both states at polar angle phi (rad) for the state in fs (after ComputeFanGeometry) and an
// exact fan: what the probe read-out gives at a point at that angle, and the exact state.
ProfileSample ProfileAt(const FlowState& fs, const ExactFan& fan, double phi);

// The profile for the state in fs (after ComputeFanGeometry for the wall), the wall's angle
// from the downward vertical and the turn the flow makes (Corner::TurnAngle(fs)).
FanProfile ComputeFanProfile(const FlowState& fs, double wallAngle, double turn);

// The samples as CSV text: a header row, then one row per sample with phi in degrees
// (phi * kDegreesPerRadian) and, for M, P (Pa), T (K), rho (kg/m^3) and V (m/s), the model's value
// and the exact one; '.' as the decimal point whatever the locale, ',' between columns, "\n" after
// every row. Each number as FormatRoundTrip (model/number_text.h) writes it.
std::string ProfileCsv(const FanProfile& profile);
