#include "model/flow_state.h"
#include "base/constants.h"

#include <cmath>

void ComputeUpstreamState(FlowState& fs)
{
    const double g = fs.gamma;
    const double mu = fs.molarMass;
    fs.rho1 = mu * fs.p1 / (kGasConstant * fs.t1) * 0.001;
    fs.c1 = std::sqrt(g / mu * fs.t1 * kGasConstantPerKilomole);
    fs.mach1 = fs.v1 / fs.c1;
    fs.k2 = (g - 1.0) / (g + 1.0);
    fs.machAngle = std::asin(1.0 / fs.mach1);
    fs.k = std::sqrt(fs.k2);
    fs.critSpeed = std::sqrt(2.0 * std::pow(fs.c1, 2.0) / (g + 1.0) + fs.k2 * std::pow(fs.v1, 2.0));
    fs.critTemp = std::pow(fs.critSpeed, 2.0) * mu / (g * kGasConstant) * 0.001;
    fs.critPressure = std::pow(
        std::pow(fs.p1, 1.0 / g)
            * (fs.p1 / fs.rho1 + std::pow(fs.v1, 2.0) / 2.0 - std::pow(fs.critSpeed, 2.0) / 2.0)
            * fs.rho1,
        g / (g + 1.0));
    fs.critDensity = std::pow(fs.critPressure / fs.p1, 1.0 / g) * fs.rho1;
    fs.vol1 = 1.0 / fs.rho1;
    fs.critVolume = 1.0 / fs.critDensity;
}

double ComputeFanGeometry(FlowState& fs, double wallAngle)
{
    constexpr double pi = kPi;
    constexpr double halfPi = kHalfPi;
    constexpr double halfPiSquared = 4.934802200544679;

    const double theta1 = std::acos(fs.c1 / fs.critSpeed) * std::sqrt(1.0 / fs.k2);
    fs.maxTurnAngle = (1.0 / fs.k - 1.0) * halfPi;
    fs.fullFanSpan = (1.0 / fs.k) * halfPi;
    fs.sonicLineAngle = fs.machAngle + theta1;

    // The last characteristic moves on a straight line in the wall angle, from the first
    // characteristic (no turning) to pi/2 - maxTurnAngle (turning by maxTurnAngle).
    const double m = fs.maxTurnAngle;
    const double a = fs.machAngle;
    const double s = (halfPi - m - a) / (-m);
    const double b = (a * pi - (a * m + halfPiSquared) + m * pi) / (-m);
    fs.fanEndAngle = s * (wallAngle + halfPi) + b;

    if (std::fabs(fs.fanEndAngle - fs.machAngle) < kLeastFanWidth)
        fs.fanEndAngle = fs.machAngle - kLeastFanWidth;

    // The flow cannot turn further than maxTurnAngle: past it, it separates from the wall.
    if (fs.fanEndAngle < halfPi - m) {
        fs.fanEndAngle = halfPi - m;
        return (halfPi - m) - halfPi;
    }
    return 0.0;
}
