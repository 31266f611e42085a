#pragma once
// What the program keeps between runs, and its one rule: only what the user chose, written at
// the moment they choose it (a menu command or tool, a box of the plot, a gas chosen or typed),
// never a state the program was opened on (a link, the command line). Kept: the language, the
// exact theory over the picture, the flow the picture follows, the plot shown or not and its quantities, the gas. A shell
// gives only the storage, text under a key: the desktop its settings file, the page the
// browser's local storage (under "cornerflow." and the key).
#include <optional>
#include <string>

#include "model/physics.h"
#include "plot/plot.h"

// Text under a key. Read gives "" where nothing is kept (or the storage is refused).
class ChoiceStore {
public:
    virtual ~ChoiceStore() = default;
    virtual std::string Read(const std::string& key) const = 0;
    virtual void Write(const std::string& key, const std::string& text) = 0;
};

// The keys.
constexpr const char* kKeptLanguage = "language";
constexpr const char* kKeptExactTheory = "exactTheory";
constexpr const char* kKeptPhysics = "physics"; // "model" or "exact" (PhysicsName)
constexpr const char* kKeptPlotOpen = "plot/open";
constexpr const char* kKeptPlotQuantities = "plot/quantities";
constexpr const char* kKeptGas = "gas";             // a code of model/gas.h, or kOtherGasCode
constexpr const char* kKeptGamma = "gamma";         // "other gas" only
constexpr const char* kKeptMolarMass = "molarMass"; // "other gas" only

// What the store keeps, as read back: each item absent where nothing readable is kept (a text
// that is no such value, as a settings file edited by hand may hold, counts as nothing).
struct KeptChoices {
    std::string language; // "" for none; a code the table lacks is passed over when it opens
    std::optional<bool> exactTheory;
    std::optional<Physics> physics;
    std::optional<bool> plotOpen;
    std::optional<QuantitySet> plotQuantities;
    std::string gas; // "" for none
    std::string gammaText, molarMassText;
};
KeptChoices ReadKeptChoices(const ChoiceStore& store);

class FlowSession;
// At opening, before a start state is put in: the exact theory, the flow the picture follows,
// the plot shown or not and its
// quantities as kept, and the gas too unless withGas is false (a start state that names the
// flow opens on it, in air unless it names a gas). Nothing of it is written back.
void RecallKeptChoices(FlowSession& session, const KeptChoices& kept, bool withGas);

// A yes or no as kept: "true" or "1", "false" or "0" (the forms both storages have held).
std::optional<bool> ReadKeptFlag(const std::string& text);

// The session's side: each choice written to the shell's storage, if it gave one.
class ChoiceKeeper {
public:
    void Use(ChoiceStore* store) { store_ = store; }
    KeptChoices Read() const { return store_ ? ReadKeptChoices(*store_) : KeptChoices{}; }
    void Keep(const char* key, const std::string& text) const
    {
        if (store_)
            store_->Write(key, text);
    }
    void KeepFlag(const char* key, bool on) const { Keep(key, on ? "true" : "false"); }
    // A gas: its code, and for "other gas" the numbers it starts from.
    void KeepGas(const std::string& code, double gamma, double molarMass) const;

private:
    ChoiceStore* store_ = nullptr;
};
