#pragma once
// The dialog's 21 numeric fields, one row each: which control shows which quantity, how it is
// written, what it shows at start, its key in the calculator's JSON and the label image beside
// it. Adding a field means adding a row here (and its label to an image).
#include <cstddef>
#include <string>

#include "model/flow_state.h"
#include "model/probe.h"
#include "res/ids.h"

// Where a field's value comes from.
enum class FieldSource {
    Input,    // typed by the user; read when a field loses the focus
    Upstream, // the upstream or critical state, written after every change of the inputs
    Probe,    // the flow at the point under the pointer
};

struct FieldRow {
    ControlId id;
    FieldSource source;
    const char* key; // key in the calculator's JSON ("v1", "critSpeed", "Vphi", ...)
    // The quantity shown: a member of the state for Input and Upstream rows, of the probe's
    // read-out for Probe rows (the other is null).
    double FlowState::*state;
    double ProbeValues::*probe;
    // How the value is written as text.
    std::string (*write)(double value);
    double startValue;  // written into the field when the dialog opens
    ImageId labelImage; // the label image of the field's group
    // What a screen reader says of the field (UTF-8, Russian; the shells translate): its
    // symbol, and the quantity in words with its unit.
    const char* symbol;
    const char* words;
};

// The most characters a field holds; a longer paste is cut there, so every key stays prompt.
constexpr int kFieldMaxLength = 100000;

// What each kind of field is for, as a screen reader says it after the field's name (UTF-8,
// Russian; the shells translate).
const char* FieldRoleWords(FieldSource source);

// The note beside an input field whose text was read in another form, with %1 the value read
// (UTF-8, Russian; the shells translate).
constexpr const char* kReadAsWords = "прочитано: %1";

// The accessible name of a field: "V1: скорость набегающего потока, м/с".
std::string FieldAccessibleName(const FieldRow& row, const std::string& words);

// Every field, in the order the dialog writes them at start.
const FieldRow* FieldTable();
size_t FieldCount();
// The row of a control id, or nullptr.
const FieldRow* FindField(ControlId id);

// Calls f(row) for every row whose value comes from source, in the table's order.
template <class F> void ForEachField(FieldSource source, F&& f)
{
    for (size_t i = 0; i < FieldCount(); ++i)
        if (FieldTable()[i].source == source)
            f(FieldTable()[i]);
}
