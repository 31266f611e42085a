#include "dialog/gas_choice.h"

#include "model/number_text.h"
#include "model/start_values.h"

GasChoice::GasChoice() { Reset(); }

void GasChoice::Reset()
{
    const StartValues& start = StartUpValues();
    Use("air", GasValues{start.gamma, start.molarMass});
}

void GasChoice::Use(const std::string& code, const GasValues& values)
{
    code_ = code;
    notes_.clear();
    gammaText_ = FormatGamma(values.gamma);
    molarMassText_ = FormatRoundTrip(values.molarMass);
}

std::optional<GasValues> GasChoice::Choose(const std::string& code, const GasValues& now)
{
    if (code == kOtherGasCode) {
        Use(code, now);
        return now;
    }
    const Gas* gas = FindGas(code);
    if (!gas)
        return std::nullopt;
    const GasValues values{gas->gamma, gas->molarMass};
    Use(gas->code, values);
    return values;
}

std::optional<GasValues> GasChoice::Type(const std::string& gammaText,
                                         const std::string& molarMassText)
{
    const GasReading r = ReadGasTexts(gammaText, molarMassText);
    code_ = kOtherGasCode;
    // The typed texts stay as typed; the note says what was read from another form, or why a
    // value was refused.
    gammaText_ = gammaText;
    molarMassText_ = molarMassText;
    notes_ = r.notes;
    if (!r.ok)
        return std::nullopt;
    return GasValues{r.gamma, r.molarMass};
}

std::string GasChoice::FileTag(const GasValues& now) const
{
    if (code_ == kOtherGasCode)
        return "gamma" + FormatReadValue(now.gamma) + "-mu" + FormatReadValue(now.molarMass);
    const Gas* gas = FindGas(code_);
    return gas ? gas->fileTag : "";
}
