#pragma once
// The gas the user has chosen and the texts of its two fields: a gas of the list (model/gas.h)
// or "other gas" with its gamma and molar mass typed. It decides which numbers the flow takes;
// the session puts them into the state and recomputes.
#include <optional>
#include <string>
#include <vector>

#include "model/gas.h"

// The numbers a choice gives the flow.
struct GasValues {
    double gamma = 0.0;
    double molarMass = 0.0;
};

class GasChoice {
public:
    GasChoice();

    // Air with the start values' numbers (the start and Reset).
    void Reset();
    // A gas of the list, or "other gas" (which keeps the numbers the flow has now until others
    // are typed): the numbers to take, with the fields' texts written from them; an unknown
    // code changes nothing and gives none.
    std::optional<GasValues> Choose(const std::string& code, const GasValues& now);
    // "Other gas" with typed texts, read by the fields' reading rule: both in range give the
    // numbers to take; otherwise none, and the note says why. The texts stay as typed either way.
    std::optional<GasValues> Type(const std::string& gammaText, const std::string& molarMassText);

    const std::string& Code() const { return code_; }
    const std::string& GammaText() const { return gammaText_; }
    const std::string& MolarMassText() const { return molarMassText_; }
    const std::vector<GasNote>& Notes() const { return notes_; }
    // The gas's part of a file name for the numbers in use ("" for air).
    std::string FileTag(const GasValues& now) const;

private:
    void Use(const std::string& code, const GasValues& values);

    std::string code_;
    std::string gammaText_;
    std::string molarMassText_;
    std::vector<GasNote> notes_;
};
