#pragma once
// The text of every field of the dialog, with how often each was written (a shell shows a
// text again only when its count moved on) and the note beside an input whose text was read
// in another form. The rows of dialog/fields.h say what each field shows and how it is written.
#include <map>
#include <string>

#include "dialog/fields.h"
#include "model/exact_flow.h"
#include "model/flow_state.h"
#include "model/probe.h"
#include "res/ids.h"

// What a field shows where the exact theory has no finite value: a dash.
inline constexpr const char* kNoValueText = "\u2014";

class FieldTexts {
public:
    FieldTexts();
    // "" and 0 for an id that is no field.
    const std::string& Text(ControlId id) const;
    const std::string& Note(ControlId id) const;
    unsigned Version(ControlId id) const;

    // What the user typed into an input field (other ids are left alone).
    void SetInput(ControlId id, const std::string& text);
    // Every field's start text.
    void WriteStart();
    // The three input texts read into the state by the program's reading rule, each note set
    // to the value read when the text is not in the program's own form.
    void ReadInputs(FlowState& state);
    // The upstream and critical fields from the state; the probe fields from a read-out.
    void WriteUpstream(const FlowState& state);
    void WriteProbe(const ProbeValues& values);
    // With the exact theory: the critical fields from the isentropic critical state, and the
    // probe fields from the exact state at the reading point. A value that is no finite number
    // (no gas there, a region not computed, an infinite M or V0 in the vacuum) is written
    // kNoValueText, never as a number.
    void WriteCritical(const CriticalState& critical);
    void WriteExactProbe(const ExactPointState& state);

private:
    struct Entry {
        std::string text;
        std::string note;
        unsigned version = 0;
    };
    void Write(ControlId id, std::string text);
    std::map<ControlId, Entry> entries_;
};
