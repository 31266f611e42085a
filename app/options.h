#pragma once
// The command line of cornerflow: the window (no mode; it may start on given inputs, wall,
// ticks, seed, language and pause), the calculator, the two snapshot modes, the plot and the
// profile's CSV. Numeric inputs are read with the fields' own text rule.
#include <optional>
#include <string>
#include <vector>

#include "dialog/start_state.h"
#include "model/physics.h"
#include "model/start_values.h"

struct PointArg {
    int x = 0;
    int y = 0;
};

struct Options {
    enum class Mode { Dialog, Calc, Snapshot, SnapshotWindow, Help, Plot, ProfileCsv };
    Mode mode = Mode::Dialog;

    // Inputs, as texts exactly as given (read with ReadNumber where used); absent means the
    // start-up value.
    std::optional<std::string> v1, t1, p1;
    // --gas NAME (a code of model/gas.h), or --gamma G and --molar-mass M ("other gas"; the
    // one not given is air's), each in range.
    std::optional<std::string> gas;
    std::optional<double> gamma, molarMass;
    std::optional<double> wall;        // --wall RAD
    std::optional<PointArg> wallPoint; // --wall-point X,Y
    std::optional<double> beta;        // --beta DEG
    std::vector<PointArg> probes;      // --probe X,Y ...
    int width = kStartValues.width;    // --size W,H
    int height = kStartValues.height;
    std::string file;             // --snapshot, --snapshot-window, --plot or --profile-csv FILE
    int ticks = 0;                // --ticks N
    std::optional<unsigned> seed; // --seed S
    bool labels = true;           // --no-labels: the picture without its angle labels, the plot
                                  // without its text
    bool exactTheory = false;     // --exact-theory: the exact theory over the picture
    bool sizeGiven = false;       // --size was given
    std::string lang;             // --lang ru|en: the window's language ("" = as saved)
    bool paused = false;          // --paused: the window's animation stands at start

    // --physics model|exact: which flow the calculator follows (absent: the model).
    std::optional<Physics> physics;
};

struct ParseResult {
    Options options;
    std::string error; // one line naming the offending option; empty when parsing succeeded
};

ParseResult ParseOptions(const std::vector<std::string>& args);
std::string HelpText();
