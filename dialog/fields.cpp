#include "dialog/fields.h"

#include "model/number_text.h"
#include "model/start_values.h"
#include "res/resource.h"

namespace {

using S = FieldSource;

const StartValues& kStart = StartUpValues();

// In the order the dialog writes the fields at start.
const FieldRow kFields[] = {
    {IDC_CRIT_SPEED, S::Upstream, "critSpeed", &FlowState::critSpeed, nullptr, FormatFieldValue, 0,
     IDB_CRIT_NAMES, "Cкр", "критическая скорость, м/с"},
    {IDC_CRIT_TEMP, S::Upstream, "critTemp", &FlowState::critTemp, nullptr, FormatFieldValue, 0,
     IDB_CRIT_NAMES, "Tкр", "критическая температура, К"},
    {IDC_CRIT_PRESSURE, S::Upstream, "critPressure", &FlowState::critPressure, nullptr,
     FormatFieldValue, 0, IDB_CRIT_NAMES, "Pкр", "критическое давление, Па"},
    {IDC_CRIT_DENSITY, S::Upstream, "critDensity", &FlowState::critDensity, nullptr,
     FormatFieldValue, 0, IDB_CRIT_NAMES, "ρкр", "критическая плотность, кг/м³"},
    {IDC_CRIT_VOLUME, S::Upstream, "critVolume", &FlowState::critVolume, nullptr, FormatFieldValue,
     0, IDB_CRIT_NAMES, "V0кр", "критический удельный объём, м³/кг"},
    {IDC_V1, S::Input, "v1", &FlowState::v1, nullptr, FormatFieldValue, kStart.fieldV1,
     IDB_UPSTREAM_NAMES, "V1", "скорость набегающего потока, м/с"},
    {IDC_T1, S::Input, "t1", &FlowState::t1, nullptr, FormatFieldValue, kStart.fieldT1,
     IDB_UPSTREAM_NAMES, "T1", "температура набегающего потока, К"},
    {IDC_P1, S::Input, "p1", &FlowState::p1, nullptr, FormatFieldValue, kStart.fieldP1,
     IDB_UPSTREAM_NAMES, "P1", "давление набегающего потока, Па"},
    {IDC_RHO1, S::Upstream, "rho1", &FlowState::rho1, nullptr, FormatFieldValue, 0,
     IDB_UPSTREAM_NAMES, "ρ1", "плотность набегающего потока, кг/м³"},
    {IDC_C1, S::Upstream, "c1", &FlowState::c1, nullptr, FormatFieldValue, 0, IDB_UPSTREAM_NAMES,
     "c1", "скорость звука в набегающем потоке, м/с"},
    {IDC_V, S::Probe, "V", nullptr, &ProbeValues::V, FormatFieldValue, 0, IDB_VELOCITY_NAMES, "V",
     "скорость в точке под указателем, м/с"},
    {IDC_T, S::Probe, "T", nullptr, &ProbeValues::T, FormatFieldValue, 0, IDB_PROBE_NAMES, "T",
     "температура в точке под указателем, К"},
    {IDC_P, S::Probe, "P", nullptr, &ProbeValues::P, FormatFieldValue, 0, IDB_PROBE_NAMES, "P",
     "давление в точке под указателем, Па"},
    {IDC_RHO, S::Probe, "rho", nullptr, &ProbeValues::rho, FormatFieldValue, 0, IDB_PROBE_NAMES,
     "ρ", "плотность в точке под указателем, кг/м³"},
    {IDC_M1, S::Upstream, "mach1", &FlowState::mach1, nullptr, FormatFieldValue, 0,
     IDB_UPSTREAM_NAMES, "M1", "число Маха набегающего потока"},
    {IDC_C, S::Probe, "c", nullptr, &ProbeValues::c, FormatFieldValue, 0, IDB_PROBE_NAMES, "c",
     "скорость звука в точке под указателем, м/с"},
    {IDC_M, S::Probe, "M", nullptr, &ProbeValues::M, FormatFieldValue, 0, IDB_PROBE_NAMES, "M",
     "число Маха в точке под указателем"},
    {IDC_VOL1, S::Upstream, "vol1", &FlowState::vol1, nullptr, FormatFieldValue, 0,
     IDB_UPSTREAM_NAMES, "V01", "удельный объём набегающего потока, м³/кг"},
    {IDC_VOL, S::Probe, "V0", nullptr, &ProbeValues::V0, FormatFieldValue, 0, IDB_PROBE_NAMES, "V0",
     "удельный объём в точке под указателем, м³/кг"},
    {IDC_VPHI, S::Probe, "Vphi", nullptr, &ProbeValues::Vphi, FormatFieldValue, 0,
     IDB_VELOCITY_NAMES, "Vφ", "окружная составляющая скорости в точке под указателем, м/с"},
    {IDC_VR, S::Probe, "Vr", nullptr, &ProbeValues::Vr, FormatFieldValue, 0, IDB_VELOCITY_NAMES,
     "Vr", "радиальная составляющая скорости в точке под указателем, м/с"},
};

} // namespace

const FieldRow* FieldTable() { return kFields; }
size_t FieldCount() { return sizeof(kFields) / sizeof(kFields[0]); }

const FieldRow* FindField(int id)
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
