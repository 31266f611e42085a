#include "dialog/field_texts.h"

#include <cmath>
#include <utility>

#include "model/number_text.h"

namespace {
const std::string kNoText;
} // namespace

FieldTexts::FieldTexts()
{
    // Every field empty until the start-up writes it.
    for (size_t i = 0; i < FieldCount(); ++i)
        entries_[FieldTable()[i].id] = Entry();
}

const std::string& FieldTexts::Text(ControlId id) const
{
    const auto it = entries_.find(id);
    return it == entries_.end() ? kNoText : it->second.text;
}

const std::string& FieldTexts::Note(ControlId id) const
{
    const auto it = entries_.find(id);
    return it == entries_.end() ? kNoText : it->second.note;
}

unsigned FieldTexts::Version(ControlId id) const
{
    const auto it = entries_.find(id);
    return it == entries_.end() ? 0 : it->second.version;
}

void FieldTexts::Write(ControlId id, std::string text)
{
    Entry& e = entries_[id];
    e.text = std::move(text);
    ++e.version;
}

void FieldTexts::SetInput(ControlId id, const std::string& text)
{
    const FieldRow* row = FindField(id);
    if (row && row->source == FieldSource::Input)
        Write(id, text);
}

void FieldTexts::WriteStart()
{
    for (size_t i = 0; i < FieldCount(); ++i) {
        const FieldRow& row = FieldTable()[i];
        Write(row.id, row.write(row.startValue));
    }
}

void FieldTexts::ReadInputs(FlowState& state)
{
    ForEachField(FieldSource::Input, [&](const FieldRow& row) {
        Entry& e = entries_[row.id];
        const NumberReading r = ReadNumberText(e.text);
        state.*row.state = r.value;
        std::string note = r.ownForm ? std::string() : FormatReadValue(r.value);
        if (note != e.note) {
            e.note = std::move(note);
            ++e.version;
        }
    });
}

void FieldTexts::WriteUpstream(const FlowState& state)
{
    ForEachField(FieldSource::Upstream,
                 [&](const FieldRow& row) { Write(row.id, row.write(state.*row.state)); });
}

void FieldTexts::WriteProbe(const ProbeValues& values)
{
    ForEachField(FieldSource::Probe,
                 [&](const FieldRow& row) { Write(row.id, row.write(values.*row.probe)); });
}

namespace {

// A row's text for a value of the exact theory: the row's writer for a finite number, a dash
// for any other.
std::string ExactText(const FieldRow& row, double value)
{
    return std::isfinite(value) ? row.write(value) : std::string(kNoValueText);
}

} // namespace

void FieldTexts::WriteCritical(const CriticalState& critical)
{
    const std::pair<ControlId, double> values[] = {
        {ControlId::CriticalSpeed, critical.c},    {ControlId::CriticalTemperature, critical.T},
        {ControlId::CriticalPressure, critical.P}, {ControlId::CriticalDensity, critical.rho},
        {ControlId::CriticalVolume, critical.V0},
    };
    for (const auto& [id, value] : values)
        if (const FieldRow* row = FindField(id))
            Write(id, ExactText(*row, value));
}

void FieldTexts::WriteExactProbe(const ExactPointState& state)
{
    ProbeValues values;
    values.T = state.T;
    values.P = state.P;
    values.rho = state.rho;
    values.c = state.c;
    values.M = state.M;
    values.V0 = state.V0;
    values.V = state.V;
    values.Vphi = state.Vphi;
    values.Vr = state.Vr;
    ForEachField(FieldSource::Probe,
                 [&](const FieldRow& row) { Write(row.id, ExactText(row, values.*row.probe)); });
}
