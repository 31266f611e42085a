#pragma once
// A start state: what the program is asked to open on, from the desktop's command line or
// the page's address, and the one order it is put into an opened session.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/physics.h"

class FlowSession;

// The most ticks a start state runs at once (each takes about a millisecond at 5000 tracers).
constexpr int kMaxStartTicks = 10000;
// Longer values are not numbers a start state carries.
constexpr size_t kMaxStartText = 64;

struct StartState {
    // The input texts, given to the fields as typed (and left).
    std::optional<std::string> v1, t1, p1;
    // The gas: a code of the list, or a gamma and a molar mass typed (in range; the one not
    // given stays as the gas before it has it).
    std::optional<std::string> gas;
    std::optional<double> gamma, molarMass;
    // The wall: one of the angle from the downward vertical (rad), a picture point it is
    // turned toward, or the body angle beta (deg).
    std::optional<double> wall;
    std::optional<std::pair<int, int>> wallPoint;
    std::optional<double> beta;
    // Which flow everything shown follows: the model or the exact theory.
    std::optional<Physics> physics;
    std::optional<bool> exactTheory;
    int ticks = 0;
    std::optional<bool> paused;
    // What the shell uses before the session opens: the language (a code of the table of
    // languages), the tracers' random start and whether the picture has its labels.
    std::optional<std::string> language;
    std::optional<uint32_t> seed;
    std::optional<bool> labels;
};

// Reads name=value pairs: v1, t1, p1 (texts), gas (a code of model/gas.h), gamma and mu (in
// range, GammaInRange and MolarMassInRange), beta (deg), lang (a code of the table of
// languages), physics (model or exact), paused, theory and labels (0 or 1), seed (0..4294967295), ticks
// (0..kMaxStartTicks). Every number must be in the program's own form (a point for the
// decimals, no group spaces) and every value at most kMaxStartText characters; a pair whose name is unknown or whose value is malformed or too
// long is left out and its name is added to ignored (once each).
StartState ReadStartPairs(const std::vector<std::pair<std::string, std::string>>& pairs,
                          std::vector<std::string>& ignored);

// Whether a start state names the flow: an input, the gas or the wall.
bool NamesFlow(const StartState& start);

// Opens an opened session on a start state: first what the user chose last time
// (RecallKeptChoices: the exact theory, the plot, and the gas unless the start state names the
// flow, so that a link or a command line opens the flow it names, in air unless it names a
// gas), then the start state over it in this order: the gas, the inputs as typed and left, the
// physics (before the wall, whose range depends on it), the wall, the exact theory, the ticks,
// the pause.
void ApplyStartState(FlowSession& session, const StartState& start);

// Both, for an opened session: returns the names left out.
std::vector<std::string>
ApplyStartPairs(FlowSession& session,
                const std::vector<std::pair<std::string, std::string>>& pairs);
