#pragma once
// The flow state at a probed point of the picture.
#include <cstdint>

#include "model/flow_state.h"

struct ProbeValues {
    double T = 0, P = 0, rho = 0, c = 0, M = 0, V0 = 0, V = 0, Vphi = 0, Vr = 0;
};

// The angle code the read-out takes: the polar angle phi times 100000, truncated toward zero
// to a saturated 32-bit int (the read-out's resolution is 1e-5 rad).
int32_t ProbeAngleParam(double phi);

// The read-out for a region code (1, 2, 3 or anything else) and an angle code.
ProbeValues ProbeReadout(const FlowState& fs, int region, int32_t angleCode);
