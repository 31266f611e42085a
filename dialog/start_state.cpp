#include "dialog/start_state.h"

#include <algorithm>
#include <cmath>

#include "dialog/flow_session.h"
#include "dialog/kept_choices.h"
#include "dialog/languages.h"
#include "model/gas.h"
#include "model/number_text.h"
#include "res/ids.h"

namespace {

std::string Trimmed(const std::string& text)
{
    const char* space = " \t\r\n";
    const size_t first = text.find_first_not_of(space);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

} // namespace

std::string EscapeControls(std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (const char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

namespace {

// A name or a value as a problem shows it: at most 40 bytes (cut where a character begins,
// with "…"), control characters written as \xNN.
std::string Shown(const std::string& text)
{
    constexpr size_t kShown = 40;
    size_t cut = text.size();
    if (cut > kShown) {
        cut = kShown;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
    }
    const std::string out = EscapeControls(std::string_view(text).substr(0, cut));
    return cut < text.size() ? out + "…" : out;
}

// What one pair's value reads as, or the problem with it (words, and what is expected).
struct Verdict {
    const char* words = nullptr; // nullptr: taken
    std::string expected;
};
const Verdict kTaken{};

Verdict Refused(const char* words, std::string expected = std::string())
{
    return Verdict{words, std::move(expected)};
}

// The number a value is, or the problem: too long or no number.
Verdict NumberOf(const std::string& value, std::optional<double>& number)
{
    if (value.size() > kMaxStartText)
        return Refused(kTooLongWords);
    number = StartNumber(value);
    return number ? kTaken : Refused(kNotANumberWords);
}

Verdict WholeOf(const std::string& value, double least, double most, const std::string& range,
                double& out)
{
    std::optional<double> v;
    const Verdict verdict = NumberOf(value, v);
    if (verdict.words)
        return verdict;
    if (!(*v >= least && *v <= most) || std::floor(*v) != *v)
        return Refused(kNotWholeWords, range);
    out = *v;
    return kTaken;
}

// An input is a text given to its field as typed, whatever it is: the field reads it by its
// own rule and notes what it read ("450,5", "500 м/с", "abc" reads 0).
Verdict ReadInput(const std::string& value, std::optional<std::string>& text)
{
    text = value;
    return kTaken;
}

Verdict ReadGamma(const std::string& value, StartState& s)
{
    if (value.size() > kMaxStartText)
        return Refused(kTooLongWords);
    const GammaReading r = ReadGammaText(value);
    if (!r.whole)
        return Refused(kNotANumberWords);
    if (!GammaInRange(r.value))
        return Refused(kOutOfRangeWords, "1 < γ ≤ 5/3");
    s.gamma = r.value;
    // A text read with a note is given as typed, so that the field shows the note.
    s.gammaText = *r.note.words ? Trimmed(value) : std::string();
    return kTaken;
}

Verdict ReadMolarMass(const std::string& value, StartState& s)
{
    std::optional<double> v;
    const Verdict verdict = NumberOf(value, v);
    if (verdict.words)
        return verdict;
    if (!MolarMassInRange(*v))
        return Refused(kOutOfRangeWords, "1 ≤ μ ≤ 1000");
    s.molarMass = v;
    s.molarMassText = ReadNumberText(value).ownForm ? std::string() : Trimmed(value);
    return kTaken;
}

Verdict ReadFlag(const std::string& value, std::optional<bool>& flag)
{
    double v = 0.0;
    if (WholeOf(value, 0, 1, "", v).words)
        return Refused(kNotInListWords, "0, 1");
    flag = v == 1.0;
    return kTaken;
}

Verdict ReadChoice(const std::string& value, bool known, const std::string& codes,
                   std::optional<std::string>& out)
{
    if (!known)
        return Refused(kNotInListWords, codes);
    out = value;
    return kTaken;
}

Verdict ReadPair(const std::string& name, const std::string& value, StartState& s)
{
    if (name == "v1" || name == "t1" || name == "p1")
        return ReadInput(value, name == "v1" ? s.v1 : name == "t1" ? s.t1 : s.p1);
    if (name == "gas")
        return ReadChoice(value, FindGas(value) != nullptr, StartGasCodes(), s.gas);
    if (name == "gamma")
        return ReadGamma(value, s);
    if (name == "mu")
        return ReadMolarMass(value, s);
    if (name == "beta") {
        std::optional<double> v;
        const Verdict verdict = NumberOf(value, v);
        if (!verdict.words && !std::isfinite(*v))
            return Refused(kNotANumberWords);
        if (!verdict.words)
            s.beta = v;
        return verdict;
    }
    if (name == "lang")
        return ReadChoice(value, FindLanguage(value) != nullptr, StartLanguageCodes(), s.language);
    if (name == "physics") {
        const bool exact = value == PhysicsName(Physics::Exact);
        if (!exact && value != PhysicsName(Physics::Model))
            return Refused(kNotInListWords, std::string(PhysicsName(Physics::Model)) + ", "
                                                + PhysicsName(Physics::Exact));
        s.physics = exact ? Physics::Exact : Physics::Model;
        return kTaken;
    }
    if (name == "paused" || name == "theory" || name == "labels")
        return ReadFlag(value, name == "paused"   ? s.paused
                               : name == "theory" ? s.exactTheory
                                                  : s.labels);
    double v = 0.0;
    if (name == "seed") {
        const Verdict verdict = WholeOf(value, 0, 4294967295.0, "0..4294967295", v);
        if (!verdict.words)
            s.seed = static_cast<uint32_t>(v);
        return verdict;
    }
    if (name == "ticks") {
        const Verdict verdict = WholeOf(value, 0, kMaxStartTicks,
                                        "0.." + std::to_string(kMaxStartTicks), v);
        if (!verdict.words)
            s.ticks = static_cast<int>(v);
        return verdict;
    }
    return Refused(kUnknownPairWords);
}

} // namespace

std::string StartProblemText(const StartProblem& problem,
                             const std::function<std::string(const char*)>& translate)
{
    std::string text = translate ? translate(problem.words) : std::string(problem.words);
    // Each placeholder once, left to right, so that a value's own "%2" stays as it is.
    size_t from = 0;
    for (;;) {
        const size_t at = text.find('%', from);
        if (at == std::string::npos || at + 1 >= text.size())
            break;
        const size_t k = static_cast<size_t>(text[at + 1] - '1');
        if (text[at + 1] < '1' || k >= problem.values.size()) {
            from = at + 1;
            continue;
        }
        text.replace(at, 2, problem.values[k]);
        from = at + problem.values[k].size();
    }
    return text;
}

std::optional<double> StartNumber(const std::string& text)
{
    if (text.size() > kMaxStartText)
        return std::nullopt;
    const NumberReading r = ReadNumberText(text);
    if (!r.whole)
        return std::nullopt;
    return r.value;
}

StartProblem NumberProblem(const std::string& name, const std::string& value)
{
    return StartProblem{value.size() > kMaxStartText ? kTooLongWords : kNotANumberWords,
                        {Shown(name), Shown(value), ""}};
}

std::string StartLanguageCodes()
{
    std::string codes;
    for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l)
        codes += std::string(codes.empty() ? "" : ", ") + l->code;
    return codes;
}

std::string StartGasCodes() { return GasCodes(); }

StartState ReadStartPairs(const std::vector<std::pair<std::string, std::string>>& pairs,
                          std::vector<StartProblem>& problems)
{
    StartState s;
    std::vector<std::string> told;
    for (const auto& [name, value] : pairs) {
        const Verdict verdict = ReadPair(name, value, s);
        if (!verdict.words || std::find(told.begin(), told.end(), name) != told.end())
            continue;
        told.push_back(name);
        problems.push_back(
            StartProblem{verdict.words, {Shown(name), Shown(value), verdict.expected}});
    }
    return s;
}

bool NamesFlow(const StartState& s)
{
    return s.v1 || s.t1 || s.p1 || s.gas || s.gamma || s.molarMass || s.wall || s.wallPoint
           || s.beta;
}

void ApplyStartState(FlowSession& session, const StartState& start)
{
    RecallKeptChoices(session, session.Kept(), !NamesFlow(start));
    if (start.gas)
        session.SetGas(*start.gas);
    if (start.gamma || start.molarMass) {
        // The texts as given, so that the fields show what was read from them.
        const FlowState& state = session.State();
        session.SetGasValues(
            start.gamma
                ? (start.gammaText.empty() ? FormatRoundTrip(*start.gamma) : start.gammaText)
                : FormatRoundTrip(state.gamma),
            start.molarMass ? (start.molarMassText.empty() ? FormatRoundTrip(*start.molarMass)
                                                           : start.molarMassText)
                            : FormatRoundTrip(state.molarMass));
    }
    if (start.v1 || start.t1 || start.p1) {
        if (start.v1)
            session.SetInputText(ControlId::UpstreamSpeed, *start.v1);
        if (start.t1)
            session.SetInputText(ControlId::UpstreamTemperature, *start.t1);
        if (start.p1)
            session.SetInputText(ControlId::UpstreamPressure, *start.p1);
        session.InputsLeft();
    }
    if (start.physics)
        session.SetPhysics(*start.physics);
    if (start.wall)
        session.SetWallAngle(*start.wall);
    else if (start.wallPoint)
        session.SetWallFromPoint(start.wallPoint->first, start.wallPoint->second);
    else if (start.beta)
        session.SetBodyAngle(*start.beta);
    if (start.exactTheory)
        session.SetExactTheory(*start.exactTheory);
    for (int i = 0; i < start.ticks; ++i)
        session.StepOnce();
    if (start.paused)
        session.SetPaused(*start.paused);
}

std::vector<StartProblem>
ApplyStartPairs(FlowSession& session, const std::vector<std::pair<std::string, std::string>>& pairs)
{
    std::vector<StartProblem> problems;
    const StartState start = ReadStartPairs(pairs, problems);
    ApplyStartState(session, start);
    return problems;
}
