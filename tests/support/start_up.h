#pragma once
// The start-up every test shares: the picture's size and the wall as the program starts them,
// and a session opened at that size.
#include <cstdint>

#include "dialog/flow_session.h"
#include "model/start_values.h"

namespace start {

constexpr int kWidth = kStartValues.width;   // px
constexpr int kHeight = kStartValues.height; // px
constexpr double kWall = kStartValues.wallAngle; // rad
constexpr double kBeta = kStartValues.bodyAngle; // deg

// A session opened at the start-up picture size with a fixed seed.
inline void Open(FlowSession& s, uint32_t seed, int scale = 1) { s.Open(kWidth, kHeight, seed, scale); }

} // namespace start
