#include "dialog/start_link.h"

#include "dialog/flow_session.h"
#include "model/gas.h"
#include "model/number_text.h"
#include "res/ids.h"

std::vector<std::pair<std::string, std::string>> StartLinkPairs(const FlowSession& session,
                                                                const StartState& opened)
{
    std::vector<std::pair<std::string, std::string>> pairs;
    const std::pair<const char*, ControlId> inputs[] = {
        {"v1", ControlId::UpstreamSpeed},
        {"t1", ControlId::UpstreamTemperature},
        {"p1", ControlId::UpstreamPressure},
    };
    for (const auto& [name, id] : inputs) {
        const std::string note = session.FieldNote(id);
        std::string text = note.empty() ? session.FieldText(id) : note;
        const size_t first = text.find_first_not_of(" \t\r\n");
        text = first == std::string::npos
                   ? std::string()
                   : text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
        pairs.emplace_back(name, text);
    }
    if (session.Gas() == kOtherGasCode) {
        pairs.emplace_back("gamma", FormatRoundTrip(session.State().gamma));
        pairs.emplace_back("mu", FormatRoundTrip(session.State().molarMass));
    } else if (session.Gas() != GasTable().front().code) {
        pairs.emplace_back("gas", session.Gas());
    }
    pairs.emplace_back("beta", FormatReadValue(session.BodyAngle()));
    pairs.emplace_back("lang", session.Language());
    if (session.Paused())
        pairs.emplace_back("paused", "1");
    pairs.emplace_back("theory", session.ExactTheory() ? "1" : "0");
    pairs.emplace_back("physics", PhysicsName(session.PhysicsShown()));
    if (opened.seed)
        pairs.emplace_back("seed", std::to_string(*opened.seed));
    if (opened.ticks > 0)
        pairs.emplace_back("ticks", std::to_string(opened.ticks));
    if (opened.labels)
        pairs.emplace_back("labels", *opened.labels ? "1" : "0");
    return pairs;
}
