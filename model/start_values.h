#pragma once
// The values the program starts from, in one place: the state as constructed, the texts the
// input fields show at start, the wall and the picture's size.
struct StartValues {
    // The state as constructed, before the input fields are read for the first time.
    double v1 = 450.0;
    double t1 = 300.0;
    double p1 = 100000.0;
    double gamma = 1.4;
    double molarMass = 28.0;
    // What the three input fields show at start; they are read back at once, so the first
    // state shown has T1 = 273.
    double fieldV1 = 450.0;
    double fieldT1 = 273.0;
    double fieldP1 = 100000.0;
    // The wall's direction from the downward vertical, rad: the body angle beta reads 135 deg.
    double wallAngle = 0.785375;
    double bodyAngle = 135.0; // deg, as the wall at wallAngle is labelled
    // The picture's size, px.
    int width = 622;
    int height = 384;
};

inline constexpr StartValues kStartValues{};

inline const StartValues& StartUpValues() { return kStartValues; }
