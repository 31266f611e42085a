#pragma once
// The gases a student can choose: each with its ratio of specific heats gamma and its molar mass,
// at about room temperature, and "other gas" with both typed. The model is written in gamma and
// the molar mass throughout; the gas only chooses the two numbers.
#include <functional>
#include <string>
#include <vector>

struct Gas {
    // Its name in a link and on the command line (`gas=he`, `--gas he`).
    const char* code;
    // Its formula as a file name carries it (cornerflow-He-β135.png): ASCII, "" for air.
    const char* fileTag;
    // Its name in the program's source language (translated in the "Gas" context) and its
    // formula as shown beside it ("" for air).
    const char* name;
    const char* formula;
    double gamma;     // ratio of specific heats
    double molarMass; // g/mol
};

// Every gas of the list, air first: the program's own gas, the start values' gamma and molar
// mass.
const std::vector<Gas>& GasTable();
// The gas of the list with this code, or nullptr.
const Gas* FindGas(const std::string& code);
// The gas of the list whose gamma and molar mass are exactly these, or nullptr ("other gas").
const Gas* GasOf(double gamma, double molarMass);
// "air, n2, o2, he, ar, co2, h2o, ch4, h2": the codes, for a usage message.
std::string GasCodes();

// What "other gas" is called, and its code.
constexpr const char* kOtherGasName = "свой газ";
// What a screen reader calls the list of gases ("Dialog").
constexpr const char* kGasChoiceWords = "газ";
constexpr const char* kOtherGasCode = "other";

// The range a typed gas must lie in: gamma above 1 (gamma = 1 divides by zero) and at most 5/3
// (no ideal gas has more: a monatomic gas has exactly 5/3); the molar mass from 1 to 1000 g/mol.
constexpr double kLeastGamma = 1.0; // exclusive
constexpr double kGreatestGamma = 5.0 / 3.0;
constexpr double kLeastMolarMass = 1.0;
constexpr double kGreatestMolarMass = 1000.0;
inline bool GammaInRange(double gamma) { return gamma > kLeastGamma && gamma <= kGreatestGamma; }
inline bool MolarMassInRange(double molarMass)
{
    return molarMass >= kLeastMolarMass && molarMass <= kGreatestMolarMass;
}

// The notes a typed gas may get (UTF-8, Russian; the shells translate): a gamma or a molar
// mass out of range, which changes nothing; and what was read from a text in another form,
// with %1 the value read (as kReadAsWords).
constexpr const char* kGammaRangeNote = "γ: нужно 1 < γ ≤ 5/3";
constexpr const char* kMolarMassRangeNote = "μ: нужно 1 ≤ μ ≤ 1000 г/моль";
constexpr const char* kGammaReadNote = "γ прочитано: %1";
constexpr const char* kMolarMassReadNote = "μ прочитано: %1";
// A gamma typed as 5/3 shows (1.667, 1,6667) or as the fraction itself: taken as 5/3.
constexpr const char* kGammaFiveThirdsNote = "γ принято равным 5/3";

// What a screen reader says of the two fields of "other gas" (UTF-8, Russian; the shells
// translate in the "Field" context).
constexpr const char* kGammaFieldWords = "γ: показатель адиабаты";
constexpr const char* kMolarMassFieldWords = "μ: молярная масса, г/моль";

// One note of a typed gas: its words (one of the notes above) and the value for %1 ("" for
// none). A shell translates the words, then fills in the value.
struct GasNote {
    const char* words;
    std::string value;
    bool operator==(const GasNote& o) const
    {
        return std::string(words) == o.words && value == o.value;
    }
};
// The notes joined by "; " ("" for none), each note's words in the language translate gives
// (the program's Russian without one) with its value filled in.
std::string GasNoteText(const std::vector<GasNote>& notes,
                        const std::function<std::string(const char* words)>& translate = {});

// A typed gamma as a teacher types it: by the fields' reading rule (model/number_text.h), or
// as a fraction of two whole numbers ("5/3", "7/5"); a value just above 5/3 written with at
// least three decimals, 5/3 rounded or cut there (1.667, "1,6667"), is taken as 5/3. The note
// says what was read from a text not in the program's own form (words "" for none); whole
// says that the text is all number, with nothing but white space around it.
struct GammaReading {
    double value = 0.0;
    bool whole = false;
    GasNote note{"", ""};
};
GammaReading ReadGammaText(const std::string& text);
// A gamma written as the fields write it (5/3 as "1.667", which reads back as 5/3); other
// values as short as they read back exactly.
std::string FormatGamma(double gamma);

// A typed gamma and molar mass, read by the fields' reading rule (model/number_text.h), the
// gamma by ReadGammaText.
struct GasReading {
    double gamma = 0.0;
    double molarMass = 0.0;
    bool ok = false; // both in range
    // Why a value was refused, else what was read from a text not in the program's own form.
    std::vector<GasNote> notes;
};
GasReading ReadGasTexts(const std::string& gammaText, const std::string& molarMassText);
