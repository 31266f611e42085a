#pragma once
// The controls of the program's dialogs and its images, by name.
#include <iosfwd>

// A control, named for what it shows. The numbers are the controls' own and stay fixed: the page
// and the tests find a control by its number.
enum class ControlId : int {
    None = -1, // a label image, which has no control of its own
    // The main dialog: the picture and the 21 numeric fields.
    Picture = 1000,
    UpstreamSpeed = 1002, // V1
    UpstreamTemperature = 1003,
    UpstreamPressure = 1004,
    ProbeSpeed = 1005, // V at the point under the pointer
    ProbeTemperature = 1006,
    ProbePressure = 1007,
    ProbeSpeedPhi = 1008, // the speed's component along phi
    UpstreamDensity = 1009,
    ProbeDensity = 1010,
    UpstreamSoundSpeed = 1011,
    UpstreamMach = 1012,
    ProbeSoundSpeed = 1013,
    ProbeMach = 1014,
    UpstreamVolume = 1015, // specific volume
    ProbeVolume = 1016,
    CriticalSpeed = 1017,
    CriticalTemperature = 1018,
    CriticalPressure = 1019,
    CriticalDensity = 1020,
    CriticalVolume = 1021,
    ProbeSpeedR = 1022, // the speed's radial component
    // The gas: the drop-down of the list, and the typed gamma and molar mass of "other gas"
    // (shown only for it).
    GasChoice = 1023,
    GasGamma = 1024,
    GasMolarMass = 1025,
    // The About box.
    AboutOk = 1,
    AboutIcon = 1100,
    AboutTitle = 1101,
    AboutVersion = 1102,
    AboutModel = 1103,
    AboutToolkit = 1104,
    AboutCopyright = 1105,
};

constexpr int ToInt(ControlId id) { return static_cast<int>(id); }
// Written as its number, in messages.
std::ostream& operator<<(std::ostream& out, ControlId id);

// An image: the label images beside the fields' groups (names and units) and the icon.
enum class ImageId : int {
    None = 0,
    UpstreamNames,
    UpstreamUnits,
    CriticalNames,
    CriticalUnits,
    ProbeNames,
    ProbeUnits,
    VelocityNames,
    VelocityUnits,
    AppIcon,
};

std::ostream& operator<<(std::ostream& out, ImageId id);
