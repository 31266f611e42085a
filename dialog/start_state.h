#pragma once
// A start state: what the program is asked to open on, from the desktop's command line or
// the page's address, and the one order it is put into an opened session. Both shells read it
// from the same name=value pairs with the same rules (ReadStartPairs): the command line turns
// its --name value into them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Also for the command line, which includes no model header of its own: Physics, and the
// start values its usage text names.
#include "model/physics.h"
#include "model/start_values.h"

class FlowSession;

// The most ticks a start state runs at once, from a link and from the command line alike
// (each takes about a millisecond at 5000 tracers: the window shows within seconds).
constexpr int kMaxStartTicks = 10000;
// Longer values are not numbers a start state carries.
constexpr size_t kMaxStartText = 64;

struct StartState {
    // The input texts, given to the fields as typed (and left).
    std::optional<std::string> v1, t1, p1;
    // The gas: a code of the list, or a gamma and a molar mass typed (in range; the one not
    // given stays as the gas before it has it), with their texts as given when not in the
    // program's own form ("" otherwise), which the gas's fields show with their note.
    std::optional<std::string> gas;
    std::optional<double> gamma, molarMass;
    std::string gammaText, molarMassText;
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

// What is wrong with one pair, in words (the program's Russian, translated in the "Dialog"
// context) with %1 the name, %2 the value as given and %3 what is expected: the same words for
// a link's beta=abc and the command line's --beta abc. The name and the value are cut when long
// (where a character begins, with "…") and their control characters written as \xNN.
struct StartProblem {
    const char* words;
    std::vector<std::string> values; // %1, %2, %3
};
constexpr const char* kUnknownPairWords = "%1: такого параметра нет";
constexpr const char* kTooLongWords = "%1: «%2» — слишком длинное значение";
constexpr const char* kNotANumberWords = "%1: «%2» — не число";
constexpr const char* kOutOfRangeWords = "%1: «%2» — нужно %3";
constexpr const char* kNotWholeWords = "%1: «%2» — нужно целое число %3";
constexpr const char* kNotInListWords = "%1: «%2» — нужно одно из: %3";

// The words with their values filled in, translated first by translate (the words as they
// are when it is empty); one line.
std::string StartProblemText(const StartProblem& problem,
                             const std::function<std::string(const char*)>& translate = {});

// A number as a link and the command line take it: the whole text (white space around it
// aside) a number in a form the fields read (a point or a lone comma for the decimals, group
// spaces, an exponent), at most kMaxStartText characters; nothing for any other text.
std::optional<double> StartNumber(const std::string& text);

// The problem with a value that is no StartNumber (too long, or no number), under a name.
StartProblem NumberProblem(const std::string& name, const std::string& value);

// "ru, en, de, es, zh", "air, n2, ...": what lang= and gas= take.
std::string StartLanguageCodes();
std::string StartGasCodes();

// The text with every control character (below 0x20, and 0x7F) written as \xNN, so that it
// shows inside one line of a message; other bytes (UTF-8 included) as they are.
std::string EscapeControls(std::string_view text);

// Reads name=value pairs: v1, t1, p1 (any texts, given to the fields as typed: the fields read
// them by their own rule and note what they read), gas (a code of model/gas.h), gamma (ReadGammaText: 1.667 and 5/3 are 5/3) and mu (in
// range, GammaInRange and MolarMassInRange), beta (deg, finite), lang (a code of the table of
// languages), physics (model or exact), paused, theory and labels (0 or 1), seed
// (0..4294967295), ticks (0..kMaxStartTicks). Every number is a StartNumber. A pair whose name
// is unknown or whose value is malformed or too long is left out with one problem (the last
// pair of a name counts, and a name's problems are told once).
StartState ReadStartPairs(const std::vector<std::pair<std::string, std::string>>& pairs,
                          std::vector<StartProblem>& problems);

// Whether a start state names the flow: an input, the gas or the wall.
bool NamesFlow(const StartState& start);

// Opens an opened session on a start state: first what the user chose last time
// (RecallKeptChoices: the exact theory, the plot, and the gas unless the start state names the
// flow, so that a link or a command line opens the flow it names, in air unless it names a
// gas), then the start state over it in this order: the gas, the inputs as typed and left, the
// physics (before the wall, whose range depends on it), the wall, the exact theory, the ticks,
// the pause.
void ApplyStartState(FlowSession& session, const StartState& start);

// Both, for an opened session: returns the problems of the pairs left out.
std::vector<StartProblem>
ApplyStartPairs(FlowSession& session,
                const std::vector<std::pair<std::string, std::string>>& pairs);
