#pragma once
// The flow quantities the whole program shares, in SI units (molar mass in g/mol, angles in
// radians). Angles that are directions are polar angles about the corner: from the +x axis
// (the direction of the oncoming flow), counter-clockwise on the screen.
#include "model/start_values.h"

// The least width of a fan, rad: a narrower one is widened to this.
constexpr double kLeastFanWidth = 0.003;

struct FlowState {
    // inputs, as constructed (model/start_values.h)
    double v1 = kStartValues.v1; // upstream speed V1, m/s
    double t1 = kStartValues.t1; // upstream temperature T1, K
    double p1 = kStartValues.p1; // upstream pressure P1, Pa
    // the gas, fixed
    double gamma = kStartValues.gamma;         // ratio of specific heats
    double molarMass = kStartValues.molarMass; // g/mol
    // upstream state
    double rho1 = 0.0; // kg/m^3
    double c1 = 0.0;   // speed of sound, m/s
    double mach1 = 0.0;
    double vol1 = 0.0; // specific volume 1/rho1, m^3/kg
    // fan constants
    double k2 = 0.0;        // (gamma - 1)/(gamma + 1)
    double k = 0.0;         // sqrt(k2)
    double machAngle = 0.0; // asin(1/M1): polar angle of the first characteristic
    // critical state
    double critSpeed = 0.0;
    double critTemp = 0.0;
    double critPressure = 0.0;
    double critDensity = 0.0;
    double critVolume = 0.0;
    // fan geometry (written by ComputeFanGeometry)
    double maxTurnAngle = 0.0;   // largest turning angle, (1/k - 1)*pi/2
    double fullFanSpan = 0.0;    // (1/k)*pi/2
    double sonicLineAngle = 0.0; // polar angle of the sonic line
    double fanEndAngle = 0.0;    // polar angle of the last characteristic
};

// Derives the upstream and critical state from v1, t1, p1, gamma and molarMass. IEEE
// infinities and NaNs pass through silently: a subsonic input makes machAngle NaN.
void ComputeUpstreamState(FlowState& fs);

// Computes maxTurnAngle, fullFanSpan, sonicLineAngle and fanEndAngle for the downstream wall
// at wallAngle (from the downward vertical, positive toward +x; pi/2 is no turning). Returns
// the corner's separation angle: -maxTurnAngle when the wall is turned past the largest
// turning angle, otherwise 0.0.
double ComputeFanGeometry(FlowState& fs, double wallAngle);
