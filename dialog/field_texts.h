#pragma once
// The text of every field of the dialog, with how often each was written (a shell shows a
// text again only when its count moved on) and the note beside an input whose text was read
// in another form. The rows of dialog/fields.h say what each field shows and how it is written.
#include <map>
#include <string>

#include "dialog/fields.h"
#include "model/flow_state.h"
#include "model/probe.h"
#include "res/ids.h"

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

private:
    struct Entry {
        std::string text;
        std::string note;
        unsigned version = 0;
    };
    void Write(ControlId id, std::string text);
    std::map<ControlId, Entry> entries_;
};
