#pragma once
// Qt's start-up and painting can leave the upper halves of the AVX registers in use. The maths
// library then runs its AVX versions of atan, sin and cos between the core's plain SSE code,
// and many Intel CPUs charge a change of state on every call between the two, which can make a
// tick several times as long. So every hot loop of the core starts by clearing that state.

// Marks the upper halves of the AVX registers unused (one vzeroupper) where the CPU and the
// system support AVX, and does nothing elsewhere (other CPUs, WebAssembly). Costs a branch on a
// flag found once at start-up, and the one instruction; changes no result.
void ClearUpperVectorState();
