#pragma once
// The start-up every test shares: the picture's size and the wall as the program starts them
// (a session opened at that size: start::Open in tests/support/session_input.h).
#include "model/start_values.h"

namespace start {

constexpr int kWidth = kStartValues.width;       // px
constexpr int kHeight = kStartValues.height;     // px
constexpr double kWall = kStartValues.wallAngle; // rad
constexpr double kBeta = kStartValues.bodyAngle; // deg

} // namespace start
