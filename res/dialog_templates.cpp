#include "res/dialog_templates.h"

#include <ostream>

#include "res/ids.h"

namespace res {
namespace {

using K = ControlKind;

// The main dialog, in the order of its controls, which is also the tab order: the three inputs
// and the gas (its drop-down, then gamma and the molar mass of "other gas", in a row below the
// fields' groups, the one place the dialog grew by) first, then the picture, then the read-only fields in reading order, group by group; the label
// images last. The first control lies on top.
const ControlTemplate kMainControls[] = {
    {ControlId::UpstreamSpeed, {17, 214, 55, 12}, K::InputField, ImageId::None, nullptr},
    {ControlId::UpstreamTemperature, {17, 229, 55, 12}, K::InputField, ImageId::None, nullptr},
    {ControlId::UpstreamPressure, {17, 245, 55, 12}, K::InputField, ImageId::None, nullptr},
    // The drop-down wide enough for the longest gas name with its formula in every language
    // ("dióxido de carbono CO₂").
    {ControlId::GasChoice, {21, 333, 104, 13}, K::Choice, ImageId::None, nullptr},
    {ControlId::GasGamma, {153, 334, 55, 12}, K::GasField, ImageId::None, nullptr},
    {ControlId::GasMolarMass, {258, 334, 55, 12}, K::GasField, ImageId::None, nullptr},
    {ControlId::Picture, {0, 6, 415, 205}, K::View, ImageId::None, nullptr},
    {ControlId::UpstreamDensity, {17, 262, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::UpstreamSoundSpeed, {17, 278, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::UpstreamMach, {17, 293, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::UpstreamVolume, {17, 309, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::CriticalSpeed, {128, 214, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::CriticalTemperature, {128, 230, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::CriticalPressure, {128, 246, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::CriticalDensity, {128, 262, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::CriticalVolume, {128, 279, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbeTemperature, {233, 214, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbePressure, {233, 227, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbeDensity, {233, 241, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbeSoundSpeed, {233, 255, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbeMach, {233, 270, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbeVolume, {233, 287, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbeSpeed, {336, 214, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbeSpeedPhi, {336, 228, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::ProbeSpeedR, {336, 244, 55, 12}, K::ReadOnlyField, ImageId::None, nullptr},
    {ControlId::None, {1, 213, 13, 111}, K::LabelImage, ImageId::UpstreamNames, nullptr},
    {ControlId::None, {212, 214, 18, 81}, K::LabelImage, ImageId::ProbeNames, nullptr},
    {ControlId::None, {314, 213, 18, 46}, K::LabelImage, ImageId::VelocityNames, nullptr},
    {ControlId::None, {107, 212, 21, 83}, K::LabelImage, ImageId::CriticalNames, nullptr},
    {ControlId::None, {74, 213, 26, 108}, K::LabelImage, ImageId::UpstreamUnits, nullptr},
    {ControlId::None, {185, 213, 22, 67}, K::LabelImage, ImageId::CriticalUnits, nullptr},
    {ControlId::None, {289, 215, 22, 93}, K::LabelImage, ImageId::ProbeUnits, nullptr},
    {ControlId::None, {393, 213, 16, 42}, K::LabelImage, ImageId::VelocityUnits, nullptr},
    // The gas row's captions: those right of the drop-down go with "other gas"'s fields.
    {ControlId::None, {1, 335, 19, 9}, K::TextLeft, ImageId::None, "газ"},
    {ControlId::None, {137, 335, 14, 9}, K::TextLeft, ImageId::None, "γ"},
    {ControlId::None, {242, 335, 14, 9}, K::TextLeft, ImageId::None, "μ"},
    {ControlId::None, {315, 335, 30, 9}, K::TextLeft, ImageId::None, "г/моль"},
};

// The About box, its words in the program's Russian ("About" in the translation files; the page
// shows its own sentence in place of AboutToolkit's). "%1" in a text stands for the version.
const ControlTemplate kAboutControls[] = {
    {ControlId::AboutOk, {273, 7, 50, 16}, K::DefaultButton, ImageId::None, "OK"},
    {ControlId::AboutIcon, {9, 12, 20, 20}, K::IconImage, ImageId::AppIcon, nullptr},
    {ControlId::AboutTitle,
     {38, 8, 179, 22},
     K::TextCentred,
     ImageId::None,
     "Программа построения визуальной модели процесса обтекания тупого угла сверхзвуковым "
     "потоком"},
    {ControlId::AboutVersion,
     {34, 37, 188, 8},
     K::TextLeft,
     ImageId::None,
     "Cornerflow, версия %1"},
    {ControlId::AboutModel,
     {34, 46, 182, 8},
     K::TextLeft,
     ImageId::None,
     "Веер разрежения сверхзвукового потока у выпуклого угла"},
    {ControlId::AboutToolkit,
     {34, 58, 223, 30},
     K::TextLeft,
     ImageId::None,
     "Построена на инструментарии Qt 6. Свободная программа под лицензией MIT: её можно "
     "использовать, копировать и изменять."},
    {ControlId::AboutCopyright,
     {33, 86, 119, 8},
     K::TextLeft,
     ImageId::None,
     "© Разработчики Cornerflow"},
};

const DialogTemplate kMainDialog = {
    {0, 0, 415, 349},
    "Обтекание тупого угла",
    "Arial,Liberation Sans",
    9,
    {6, 15},
    kMainControls,
    sizeof(kMainControls) / sizeof(kMainControls[0]),
};

const DialogTemplate kAboutDialog = {
    {0, 0, 330, 117},
    "О программе Cornerflow",
    "MS Shell Dlg,Microsoft Sans Serif,Tahoma,Liberation Sans",
    8,
    {6, 13},
    kAboutControls,
    sizeof(kAboutControls) / sizeof(kAboutControls[0]),
};

struct ImageEntry {
    ImageId id;
    const char* path;
};

const ImageEntry kBitmaps[] = {
    {ImageId::UpstreamNames, ":/cornerflow/upstream_names.svg"},
    {ImageId::ProbeNames, ":/cornerflow/probe_names.svg"},
    {ImageId::VelocityNames, ":/cornerflow/velocity_names.svg"},
    {ImageId::CriticalNames, ":/cornerflow/critical_names.svg"},
    {ImageId::UpstreamUnits, ":/cornerflow/upstream_units.svg"},
    {ImageId::ProbeUnits, ":/cornerflow/probe_units.svg"},
    {ImageId::VelocityUnits, ":/cornerflow/velocity_units.svg"},
    {ImageId::CriticalUnits, ":/cornerflow/critical_units.svg"},
};

} // namespace

const ControlTemplate* DialogTemplate::Find(ControlId controlId) const
{
    if (controlId == ControlId::None)
        return nullptr; // shared by every label image
    for (const ControlTemplate& c : *this)
        if (c.id == controlId)
            return &c;
    return nullptr;
}

PixelRect DialogTemplate::ToPixels(const DlgRect& r) const
{
    return PixelRect{r.x * units.x / 4, r.y * units.y / 8, r.w * units.x / 4, r.h * units.y / 8};
}

const DialogTemplate& MainDialogTemplate() { return kMainDialog; }
const DialogTemplate& AboutDialogTemplate() { return kAboutDialog; }

const char* BitmapPath(ImageId image)
{
    for (const ImageEntry& e : kBitmaps)
        if (e.id == image)
            return e.path;
    return nullptr;
}

std::string LabelPath(ImageId image, const std::string& language)
{
    const char* path = BitmapPath(image);
    if (!path || language == "ru")
        return path ? path : "";
    const std::string russian = path;
    return russian.substr(0, russian.size() - 4) + "_" + language + ".svg"; // before ".svg"
}

const char* IconPath(ImageId icon)
{
    return icon == ImageId::AppIcon ? ":/cornerflow/cornerflow_icon.svg" : nullptr;
}

} // namespace res

std::ostream& operator<<(std::ostream& out, ControlId id) { return out << ToInt(id); }
std::ostream& operator<<(std::ostream& out, ImageId id) { return out << static_cast<int>(id); }
