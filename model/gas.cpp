#include "model/gas.h"

#include <cmath>

#include "base/text_fill.h"
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

// "A/B" with A and B whole numbers of at most nine digits, B not 0, white space around.
bool ReadFraction(const std::string& text, double& value)
{
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    if (first == std::string::npos)
        return false;
    const std::string t = text.substr(first, last - first + 1);
    const size_t slash = t.find('/');
    if (slash == std::string::npos || slash == 0 || slash + 1 == t.size() || slash > 9
        || t.size() - slash - 1 > 9)
        return false;
    double parts[2] = {0.0, 0.0};
    for (int k = 0; k < 2; ++k) {
        const size_t from = k == 0 ? 0 : slash + 1, to = k == 0 ? slash : t.size();
        for (size_t i = from; i < to; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return false;
            parts[k] = parts[k] * 10 + (t[i] - '0');
        }
    }
    if (parts[1] == 0.0)
        return false;
    value = parts[0] / parts[1];
    return true;
}

// How many decimals a number's text has after its point or comma (none after an exponent).
int DecimalsOf(const std::string& text)
{
    if (text.find_first_of("eE") != std::string::npos)
        return 0;
    const size_t point = text.find_first_of(".,");
    if (point == std::string::npos)
        return 0;
    int n = 0;
    for (size_t i = point + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        ++n;
    return n;
}

} // namespace

GammaReading ReadGammaText(const std::string& text)
{
    GammaReading r;
    double fraction = 0.0;
    if (ReadFraction(text, fraction)) {
        r.value = fraction;
        r.whole = true;
        r.note = fraction == kGreatestGamma ? GasNote{kGammaFiveThirdsNote, ""}
                                            : GasNote{kGammaReadNote, FormatReadValue(fraction)};
        return r;
    }
    const NumberReading n = ReadNumberText(text);
    r.value = n.value;
    r.whole = n.whole;
    // 5/3 as shown at three decimals or more, just above it, is 5/3 (values at or below it are
    // gammas of their own).
    const int decimals = DecimalsOf(text);
    if (n.value > kGreatestGamma && decimals >= 3 && decimals <= 17
        && n.value - kGreatestGamma < std::pow(10.0, -decimals)) {
        r.value = kGreatestGamma;
        r.note = GasNote{kGammaFiveThirdsNote, ""};
    } else if (!n.ownForm) {
        r.note = GasNote{kGammaReadNote, FormatReadValue(n.value)};
    }
    return r;
}

std::string FormatGamma(double gamma)
{
    return gamma == kGreatestGamma ? FormatFixed(gamma, 3) : FormatRoundTrip(gamma);
}

std::string GasNoteText(const std::vector<GasNote>& notes,
                        const std::function<std::string(const char* words)>& translate)
{
    std::string text;
    for (const GasNote& note : notes) {
        if (!text.empty())
            text += "; ";
        text += FillPlaceholders(translate ? translate(note.words) : std::string(note.words),
                                 {note.value});
    }
    return text;
}

GasReading ReadGasTexts(const std::string& gammaText, const std::string& molarMassText)
{
    GasReading r;
    const GammaReading gamma = ReadGammaText(gammaText);
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
        if (*gamma.note.words)
            r.notes.push_back(gamma.note);
        if (!molarMass.ownForm)
            r.notes.push_back({kMolarMassReadNote, FormatReadValue(molarMass.value)});
    }
    return r;
}
