// The session's texts finished in its language: every word through the one table of languages
// (dialog/languages.h), every value through the one filler (base/text_fill.h).
#include "base/text_fill.h"
#include "dialog/flow_session.h"
#include "dialog/languages.h"

namespace {

const Language& RowOf(const std::string& code)
{
    const Language* row = FindLanguage(code);
    return row ? *row : SourceLanguage();
}

} // namespace

std::string FlowSession::Tr(const char* context, const char* source,
                            const std::vector<std::string>& values) const
{
    return TranslateFilled(RowOf(language_), context, source, values);
}

std::string FlowSession::StatusText() const
{
    return SpokenText(RowOf(language_), "Picture", Status());
}

std::string FlowSession::DescriptionText() const
{
    return SpokenText(RowOf(language_), "Picture", Description());
}

std::string FlowSession::WallSliderText() const
{
    const Slider s = WallSlider();
    return Tr("Picture", s.words, {s.beta, s.turn});
}

std::string FlowSession::FieldName(ControlId id) const
{
    const FieldRow* row = FindField(id);
    if (!row)
        return std::string();
    FieldRow named = *row;
    const std::string symbol = Tr("Field", row->symbol);
    named.symbol = symbol.c_str();
    return FieldAccessibleName(named, Tr("Field", row->words));
}

std::string FlowSession::FieldNoteText(ControlId id) const
{
    const std::string note = FieldNote(id);
    return note.empty() ? note : Tr("Field", kReadAsWords, {note});
}

std::string FlowSession::FieldDescription(ControlId id) const
{
    const FieldRow* row = FindField(id);
    if (!row)
        return std::string();
    std::string description = Tr("Field", FieldRoleWords(row->source));
    const std::string note = FieldNoteText(id);
    if (!note.empty())
        description += " " + FinishedSentence(RowOf(language_), note);
    return description;
}

std::string FlowSession::GasNote() const
{
    return GasNoteText(GasNotes(), [this](const char* words) { return Tr("Field", words); });
}

std::vector<FlowSession::GasItem> FlowSession::GasItems() const
{
    std::vector<GasItem> items;
    for (const ::Gas& gas : GasTable())
        items.push_back({gas.code, Tr("Gas", gas.name) + (*gas.formula ? " " : "") + gas.formula});
    items.push_back({kOtherGasCode, Tr("Gas", kOtherGasName)});
    return items;
}

std::string FlowSession::GasChoiceName() const { return Tr("Dialog", kGasChoiceWords); }
std::string FlowSession::GasGammaName() const { return Tr("Field", kGammaFieldWords); }
std::string FlowSession::GasMolarMassName() const { return Tr("Field", kMolarMassFieldWords); }

AboutWords FlowSession::About(AboutShell shell) const
{
    return AboutWordsIn(RowOf(language_), shell);
}

std::string FlowSession::PlotFactsText() const
{
    const PlotDescription d = PlotFacts();
    return Tr("Plot", PlotWordSource(d.words), d.values);
}
