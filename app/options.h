#pragma once
// The command line of cornerflow: the window (no mode; it may start on given inputs, wall,
// ticks, seed, language and pause), the calculator, the two snapshot modes, the plot and the
// profile's CSV. Every option is one row of OptionTable(), from which the parser, --help and the
// checks of the man page and docs/command-line.md are made. An option the page's address also
// has becomes the same name=value pair and is read by the core's one reader of a start state
// (dialog/start_state.h: the same rules, the same cap on ticks, the same words for a bad value).
#include <optional>
#include <string>
#include <vector>

#include "dialog/start_state.h"

struct PointArg {
    int x = 0;
    int y = 0;
};

struct Options {
    enum class Mode { Dialog, Calc, Snapshot, SnapshotWindow, Help, Plot, ProfileCsv };
    Mode mode = Mode::Dialog;

    // Inputs, as texts exactly as given (trimmed; read by the fields' rule where used); absent
    // means the start-up value.
    std::optional<std::string> v1, t1, p1;
    // --gas NAME (a code of model/gas.h), or --gamma G and --molar-mass M ("other gas"; the
    // one not given is air's), each in range; with the texts as given when not in the
    // program's own form (the gas's fields show what was read from them).
    std::optional<std::string> gas;
    std::optional<double> gamma, molarMass;
    std::string gammaText, molarMassText;
    std::optional<double> wall;        // --wall RAD
    std::optional<PointArg> wallPoint; // --wall-point X,Y
    std::optional<double> beta;        // --beta DEG
    std::optional<Physics> physics;    // --physics model|exact: which flow everything follows
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
    std::string lang;             // --lang CODE: the window's language ("" = as saved)
    bool paused = false;          // --paused: the window's animation stands at start
};

struct ParseResult {
    Options options;
    // One line naming the offending option; empty when parsing succeeded. For a value the
    // core's reader refused, also the problem (its words untranslated, %1 the option's name),
    // which a shell may show in its own language.
    std::string error;
    std::optional<StartProblem> problem;
    // The language --lang asked for ("" for none or an unknown one), also when parsing failed.
    std::string language;
};

ParseResult ParseOptions(const std::vector<std::string>& args);
std::string HelpText();

// One option of the table.
struct OptionRow {
    const char* name;     // "--beta"
    const char* alias;    // "-h" for --help, else ""
    const char* argument; // its argument's form in every listing ("DEG"), "" for a flag
    const char* pair;     // the start pair it gives ("beta"), "" for the command line's own
    const char* flagPair; // a flag's value of that pair ("1", "0")
    unsigned modes;       // the modes that take it: bits 1 << Options::Mode
    const char* section;  // the heading it is listed under in --help
    const char* help;     // what it does, one paragraph ({width}, {gases}, ... filled in)
};
const std::vector<OptionRow>& OptionTable();
