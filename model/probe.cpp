#include "model/probe.h"

#include <cmath>

#include "base/constants.h"
#include "base/saturate.h"
#include "base/vector_state.h"
#include "model/classify.h"

int32_t ProbeAngleSteps(double phi) { return TruncToInt(phi * 100000.0); }

double FanPressure(const FlowState& fs, double depth)
{
    return fs.p1 * std::pow(std::cos(fs.k * depth), 2.0 * fs.gamma / (fs.gamma - 1.0));
}

ProbeValues ProbeReadout(const FlowState& fs, int region, double exactPhi)
{
    ClearUpperVectorState();
    ProbeValues v;
    const double phi = ProbeAngleSteps(exactPhi) * 0.00001;
    if (fs.machAngle <= fs.fanEndAngle || region == RegionUpstream) {
        v.T = fs.t1;
        v.P = fs.p1;
        v.rho = fs.rho1;
        v.c = fs.c1;
        v.M = fs.mach1;
        v.V0 = fs.vol1;
        v.V = fs.v1;
        v.Vphi = fs.v1;
        v.Vr = 0.0;
        return v;
    }

    double depth = 0.0;
    if (region == RegionFan)
        depth = fs.machAngle - phi;
    else if (region == RegionDownstream)
        depth = fs.machAngle - fs.fanEndAngle;

    const double g = fs.gamma;
    const double mu = fs.molarMass;
    const double beta = fs.k * depth;
    v.P = FanPressure(fs, depth);
    v.T = fs.t1 * std::pow(std::cos(beta), 2.0);
    v.rho = fs.rho1 * std::pow(std::cos(beta), 2.0 / (g - 1.0));
    v.Vphi = fs.v1 * std::cos(beta);
    v.Vr = (fs.v1 / fs.k) * std::sin(beta);
    v.V = std::sqrt(v.Vr * v.Vr + v.Vphi * v.Vphi);
    v.c = std::sqrt(g / mu * v.T * kGasConstantPerKilomole);
    v.M = v.V / v.c;
    v.V0 = 1.0 / v.rho;
    return v;
}
