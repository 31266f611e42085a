#include "model/gas.h"

#include "model/number_text.h"
#include "model/start_values.h"

const std::vector<Gas>& GasTable()
{
    // gamma at 300 K as the usual textbook tables give it (Cengel & Boles, Thermodynamics:
    // An Engineering Approach, table A-2a, ideal-gas specific heats), rounded as gas-dynamics
    // calculators quote it; molar masses from the IUPAC standard atomic weights. Air is the
    // program's own gas (gamma 1.4, 28 g/mol), so that its default numbers never change.
    static const std::vector<Gas> gases = {
        {"air", "", "воздух", "", kStartValues.gamma, kStartValues.molarMass},
        {"n2", "N2", "азот", "N₂", 1.4, 28.013},
        {"o2", "O2", "кислород", "O₂", 1.395, 31.998},
        {"he", "He", "гелий", "He", 5.0 / 3.0, 4.0026},
        {"ar", "Ar", "аргон", "Ar", 5.0 / 3.0, 39.948},
        {"co2", "CO2", "углекислый газ", "CO₂", 1.289, 44.01},
        {"h2o", "H2O", "водяной пар", "H₂O", 1.33, 18.015},
        {"ch4", "CH4", "метан", "CH₄", 1.31, 16.04},
        {"h2", "H2", "водород", "H₂", 1.405, 2.016},
    };
    return gases;
}

const Gas* FindGas(const std::string& code)
{
    for (const Gas& g : GasTable())
        if (code == g.code)
            return &g;
    return nullptr;
}

const Gas* GasOf(double gamma, double molarMass)
{
    for (const Gas& g : GasTable())
        if (g.gamma == gamma && g.molarMass == molarMass)
            return &g;
    return nullptr;
}

std::string GasCodes()
{
    std::string codes;
    for (const Gas& g : GasTable()) {
        if (!codes.empty())
            codes += ", ";
        codes += g.code;
    }
    return codes;
}

namespace {

} // namespace

std::string GasNoteText(const std::vector<GasNote>& notes)
{
    std::string text;
    for (const GasNote& note : notes) {
        if (!text.empty())
            text += "; ";
        std::string words = note.words;
        const size_t at = words.find("%1");
        if (at != std::string::npos)
            words.replace(at, 2, note.value);
        text += words;
    }
    return text;
}

GasReading ReadGasTexts(const std::string& gammaText, const std::string& molarMassText)
{
    GasReading r;
    const NumberReading gamma = ReadNumberText(gammaText);
    const NumberReading molarMass = ReadNumberText(molarMassText);
    r.gamma = gamma.value;
    r.molarMass = molarMass.value;
    const bool gammaOk = GammaInRange(gamma.value);
    const bool molarMassOk = MolarMassInRange(molarMass.value);
    r.ok = gammaOk && molarMassOk;
    if (!gammaOk)
        r.notes.push_back({kGammaRangeNote, ""});
    if (!molarMassOk)
        r.notes.push_back({kMolarMassRangeNote, ""});
    if (r.ok) {
        if (!gamma.ownForm)
            r.notes.push_back({kGammaReadNote, FormatReadValue(gamma.value)});
        if (!molarMass.ownForm)
            r.notes.push_back({kMolarMassReadNote, FormatReadValue(molarMass.value)});
    }
    return r;
}
