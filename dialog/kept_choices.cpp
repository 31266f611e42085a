#include "dialog/kept_choices.h"

#include "dialog/flow_session.h"
#include "model/gas.h"
#include "model/number_text.h"

std::optional<bool> ReadKeptFlag(const std::string& text)
{
    if (text == "true" || text == "1")
        return true;
    if (text == "false" || text == "0")
        return false;
    return std::nullopt;
}

KeptChoices ReadKeptChoices(const ChoiceStore& store)
{
    KeptChoices kept;
    kept.language = store.Read(kKeptLanguage);
    kept.exactTheory = ReadKeptFlag(store.Read(kKeptExactTheory));
    const std::string physics = store.Read(kKeptPhysics);
    if (physics == PhysicsName(Physics::Exact))
        kept.physics = Physics::Exact;
    else if (physics == PhysicsName(Physics::Model))
        kept.physics = Physics::Model;
    kept.plotOpen = ReadKeptFlag(store.Read(kKeptPlotOpen));
    // A set of quantity bits in decimal; bits past the known quantities are dropped.
    const std::string quantities = store.Read(kKeptPlotQuantities);
    if (!quantities.empty() && quantities.size() <= 3
        && quantities.find_first_not_of("0123456789") == std::string::npos)
        kept.plotQuantities = static_cast<QuantitySet>(std::stoul(quantities)) & kAllQuantities;
    kept.gas = store.Read(kKeptGas);
    kept.gammaText = store.Read(kKeptGamma);
    kept.molarMassText = store.Read(kKeptMolarMass);
    return kept;
}

void RecallKeptChoices(FlowSession& session, const KeptChoices& kept, bool withGas)
{
    if (kept.exactTheory)
        session.SetExactTheory(*kept.exactTheory);
    if (kept.physics)
        session.SetPhysics(*kept.physics);
    if (kept.plotOpen)
        session.SetPlotOpen(*kept.plotOpen);
    if (kept.plotQuantities)
        session.SetPlotQuantities(*kept.plotQuantities);
    if (!withGas)
        return;
    // Checked as typed ones are: a value out of range, as a storage edited by hand may hold,
    // leaves air; an unknown code changes nothing.
    if (kept.gas == kOtherGasCode) {
        if (!session.SetGasValues(kept.gammaText, kept.molarMassText))
            session.SetGas("air");
    } else if (!kept.gas.empty()) {
        session.SetGas(kept.gas);
    }
}

void ChoiceKeeper::KeepGas(const std::string& code, double gamma, double molarMass) const
{
    Keep(kKeptGas, code);
    if (code == kOtherGasCode) {
        Keep(kKeptGamma, FormatRoundTrip(gamma));
        Keep(kKeptMolarMass, FormatRoundTrip(molarMass));
    }
}
