#pragma once
// Bounds that keep every run of the flow field finite and its memory bounded.

// The tracer population is p1 * 0.05; a huge pressure must not exhaust memory.
constexpr int kMaxTracers = 100000;

// Steps of one probe run. Over the teaching range (V1 300..3000 m/s, T1 100..1000 K, every
// wall angle from -1.5 to the narrowest fan, picture 622 x 384) the longest run measured takes
// about 344700 steps (V1 580, T1 100, a wall near 0.62: a start 25 picture heights up and a
// long way through the fan). The bound is four times that; it ends only runs that barely move
// (a V1 near 0 with a fan) or move away from the fan (a negative V1). A bounded run that creeps
// through the fan (about 22 ns a step) takes about 30 ms, one that creeps upstream (where a
// step takes no angle) less; the longest run of the teaching range takes about 8 ms.
constexpr long kMaxProbeSteps = 1400000;

// Steps of each part of a streamline's trace (before the fan, in it, after it). Over the same
// range the longest parts measured are 3081 steps upstream, 309 in the fan and 6219 after it
// (V1 300 creeps at a tenth of the tracers' speed). Four times the longest; it ends traces
// whose tracer never moves (V1 0) or runs away to the left (a negative V1), and bounds the
// points a path can hold.
constexpr int kMaxTracePhaseSteps = 25000;
