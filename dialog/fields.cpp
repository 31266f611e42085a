#include "dialog/fields.h"

#include "model/number_text.h"
#include "model/start_values.h"
#include "res/ids.h"

namespace {

using S = FieldSource;

const StartValues& kStart = StartUpValues();

// In the order the dialog writes the fields at start.
const FieldRow kFields[] = {
    {ControlId::CriticalSpeed, S::Upstream, "critSpeed", &FlowState::critSpeed, nullptr,
     FormatFieldValue, 0, ImageId::CriticalNames, "Cкр", "критическая скорость, м/с"},
    {ControlId::CriticalTemperature, S::Upstream, "critTemp", &FlowState::critTemp, nullptr,
     FormatFieldValue, 0, ImageId::CriticalNames, "Tкр", "критическая температура, К"},
    {ControlId::CriticalPressure, S::Upstream, "critPressure", &FlowState::critPressure, nullptr,
     FormatFieldValue, 0, ImageId::CriticalNames, "Pкр", "критическое давление, Па"},
    {ControlId::CriticalDensity, S::Upstream, "critDensity", &FlowState::critDensity, nullptr,
     FormatFieldValue, 0, ImageId::CriticalNames, "ρкр", "критическая плотность, кг/м³"},
    {ControlId::CriticalVolume, S::Upstream, "critVolume", &FlowState::critVolume, nullptr,
     FormatFieldValue, 0, ImageId::CriticalNames, "V0кр", "критический удельный объём, м³/кг"},
    {ControlId::UpstreamSpeed, S::Input, "v1", &FlowState::v1, nullptr, FormatFieldValue,
     kStart.fieldV1, ImageId::UpstreamNames, "V1", "скорость набегающего потока, м/с"},
    {ControlId::UpstreamTemperature, S::Input, "t1", &FlowState::t1, nullptr, FormatFieldValue,
     kStart.fieldT1, ImageId::UpstreamNames, "T1", "температура набегающего потока, К"},
    {ControlId::UpstreamPressure, S::Input, "p1", &FlowState::p1, nullptr, FormatFieldValue,
     kStart.fieldP1, ImageId::UpstreamNames, "P1", "давление набегающего потока, Па"},
    {ControlId::UpstreamDensity, S::Upstream, "rho1", &FlowState::rho1, nullptr, FormatFieldValue,
     0, ImageId::UpstreamNames, "ρ1", "плотность набегающего потока, кг/м³"},
    {ControlId::UpstreamSoundSpeed, S::Upstream, "c1", &FlowState::c1, nullptr, FormatFieldValue, 0,
     ImageId::UpstreamNames, "c1", "скорость звука в набегающем потоке, м/с"},
    {ControlId::ProbeSpeed, S::Probe, "V", nullptr, &ProbeValues::V, FormatFieldValue, 0,
     ImageId::VelocityNames, "V", "скорость в точке под указателем, м/с"},
    {ControlId::ProbeTemperature, S::Probe, "T", nullptr, &ProbeValues::T, FormatFieldValue, 0,
     ImageId::ProbeNames, "T", "температура в точке под указателем, К"},
    {ControlId::ProbePressure, S::Probe, "P", nullptr, &ProbeValues::P, FormatFieldValue, 0,
     ImageId::ProbeNames, "P", "давление в точке под указателем, Па"},
    {ControlId::ProbeDensity, S::Probe, "rho", nullptr, &ProbeValues::rho, FormatFieldValue, 0,
     ImageId::ProbeNames, "ρ", "плотность в точке под указателем, кг/м³"},
    {ControlId::UpstreamMach, S::Upstream, "mach1", &FlowState::mach1, nullptr, FormatFieldValue, 0,
     ImageId::UpstreamNames, "M1", "число Маха набегающего потока"},
    {ControlId::ProbeSoundSpeed, S::Probe, "c", nullptr, &ProbeValues::c, FormatFieldValue, 0,
     ImageId::ProbeNames, "c", "скорость звука в точке под указателем, м/с"},
    {ControlId::ProbeMach, S::Probe, "M", nullptr, &ProbeValues::M, FormatFieldValue, 0,
     ImageId::ProbeNames, "M", "число Маха в точке под указателем"},
    {ControlId::UpstreamVolume, S::Upstream, "vol1", &FlowState::vol1, nullptr, FormatFieldValue, 0,
     ImageId::UpstreamNames, "V01", "удельный объём набегающего потока, м³/кг"},
    {ControlId::ProbeVolume, S::Probe, "V0", nullptr, &ProbeValues::V0, FormatFieldValue, 0,
     ImageId::ProbeNames, "V0", "удельный объём в точке под указателем, м³/кг"},
    {ControlId::ProbeSpeedPhi, S::Probe, "Vphi", nullptr, &ProbeValues::Vphi, FormatFieldValue, 0,
     ImageId::VelocityNames, "Vφ", "окружная составляющая скорости в точке под указателем, м/с"},
    {ControlId::ProbeSpeedR, S::Probe, "Vr", nullptr, &ProbeValues::Vr, FormatFieldValue, 0,
     ImageId::VelocityNames, "Vr", "радиальная составляющая скорости в точке под указателем, м/с"},
};

} // namespace

const FieldRow* FieldTable() { return kFields; }
size_t FieldCount() { return sizeof(kFields) / sizeof(kFields[0]); }

const FieldRow* FindField(ControlId id)
{
    for (const FieldRow& row : kFields)
        if (row.id == id)
            return &row;
    return nullptr;
}

const char* FieldRoleWords(FieldSource source)
{
    switch (source) {
    case FieldSource::Input: return "Введите число и покиньте поле: всё пересчитается.";
    case FieldSource::Upstream: return "Вычисляется по V1, T1 и P1.";
    default: return "Поток в точке под указателем.";
    }
}

std::string FieldAccessibleName(const FieldRow& row, const std::string& words)
{
    return std::string(row.symbol) + ": " + words;
}
