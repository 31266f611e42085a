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

// A value in the program's own form, or nothing.
std::optional<double> OwnNumber(const std::string& text)
{
    if (text.size() > kMaxStartText)
        return std::nullopt;
    const NumberReading r = ReadNumberText(text);
    if (!r.ownForm)
        return std::nullopt;
    return r.value;
}

std::optional<double> Whole(const std::string& text, double least, double most)
{
    const std::optional<double> v = OwnNumber(text);
    if (!v || !(*v >= least && *v <= most) || std::floor(*v) != *v)
        return std::nullopt;
    return v;
}

} // namespace

StartState ReadStartPairs(const std::vector<std::pair<std::string, std::string>>& pairs,
                          std::vector<std::string>& ignored)
{
    StartState s;
    const auto ignore = [&ignored](std::string name) {
        // A long name is shown by its start (cut where a character begins).
        constexpr size_t kShownName = 40;
        if (name.size() > kShownName) {
            size_t cut = kShownName;
            while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
                --cut;
            name = name.substr(0, cut) + "…";
        }
        if (std::find(ignored.begin(), ignored.end(), name) == ignored.end())
            ignored.push_back(name);
    };
    for (const auto& [name, value] : pairs) {
        bool taken = false;
        if (name == "v1" || name == "t1" || name == "p1") {
            if (OwnNumber(value)) {
                (name == "v1" ? s.v1 : name == "t1" ? s.t1 : s.p1) = Trimmed(value);
                taken = true;
            }
        } else if (name == "gas") {
            if (FindGas(value)) {
                s.gas = value;
                taken = true;
            }
        } else if (name == "gamma" || name == "mu") {
            const std::optional<double> v = OwnNumber(value);
            if (v && (name == "gamma" ? GammaInRange(*v) : MolarMassInRange(*v))) {
                (name == "gamma" ? s.gamma : s.molarMass) = v;
                taken = true;
            }
        } else if (name == "beta") {
            const std::optional<double> v = OwnNumber(value);
            if (v && std::isfinite(*v)) {
                s.beta = v;
                taken = true;
            }
        } else if (name == "physics") {
            if (value == PhysicsName(Physics::Model) || value == PhysicsName(Physics::Exact)) {
                s.physics = value == PhysicsName(Physics::Exact) ? Physics::Exact : Physics::Model;
                taken = true;
            }
        } else if (name == "lang") {
            if (FindLanguage(value)) {
                s.language = value;
                taken = true;
            }
        } else if (name == "paused" || name == "theory" || name == "labels") {
            if (const std::optional<double> v = Whole(value, 0, 1)) {
                (name == "paused"   ? s.paused
                 : name == "theory" ? s.exactTheory
                                    : s.labels) = *v == 1.0;
                taken = true;
            }
        } else if (name == "seed") {
            if (const std::optional<double> v = Whole(value, 0, 4294967295.0)) {
                s.seed = static_cast<uint32_t>(*v);
                taken = true;
            }
        } else if (name == "ticks") {
            if (const std::optional<double> v = Whole(value, 0, kMaxStartTicks)) {
                s.ticks = static_cast<int>(*v);
                taken = true;
            }
        }
        if (!taken)
            ignore(name);
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
        const FlowState& state = session.State();
        session.SetGasValues(FormatRoundTrip(start.gamma.value_or(state.gamma)),
                             FormatRoundTrip(start.molarMass.value_or(state.molarMass)));
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

std::vector<std::string>
ApplyStartPairs(FlowSession& session, const std::vector<std::pair<std::string, std::string>>& pairs)
{
    std::vector<std::string> ignored;
    const StartState start = ReadStartPairs(pairs, ignored);
    ApplyStartState(session, start);
    return ignored;
}
