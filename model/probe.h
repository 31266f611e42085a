#pragma once
// The flow state at a probed point of the picture.
#include <cstdint>

#include "model/flow_state.h"

struct ProbeValues {
    double T = 0, P = 0, rho = 0, c = 0, M = 0, V0 = 0, V = 0, Vphi = 0, Vr = 0;
};

// The read-out's resolution: the polar angle phi in steps of 1e-5 rad, truncated toward zero
// (phi times 100000 as a saturated 32-bit int).
int32_t ProbeAngleSteps(double phi);

// The read-out at polar angle phi (rad) in a region (1, 2, 3 or anything else).
ProbeValues ProbeReadout(const FlowState& fs, int region, double phi);

// The pressure depth rad into the fan (machAngle less the polar angle), Pa: the model's
// expansion, p1 cos(k depth)^(2 gamma/(gamma - 1)).
double FanPressure(const FlowState& fs, double depth);
