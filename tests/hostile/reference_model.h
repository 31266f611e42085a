#pragma once
// The flow model written out once more from its formulas, apart from the program's code, so
// that what the dialog shows for any input can be checked against an independent source; and
// the checks that a shown text is the number the rules give for a value.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/number_text.h"

namespace reference {

constexpr double kPi = 3.14159265358979323846;
constexpr double kGamma = 1.4;
constexpr double kMolarMass = 28.0;

struct Upstream {
    double rho1, c1, mach1, vol1, machAngle, k, critSpeed, critTemp, critPressure, critDensity,
        critVolume;
};

inline Upstream UpstreamState(double v1, double t1, double p1)
{
    const double g = kGamma;
    const double mu = kMolarMass;
    Upstream u{};
    u.rho1 = mu * p1 / (8.314 * t1) * 0.001;
    u.c1 = std::sqrt(g / mu * t1 * 8314.0);
    u.mach1 = v1 / u.c1;
    const double k2 = (g - 1.0) / (g + 1.0);
    u.k = std::sqrt(k2);
    u.machAngle = std::asin(1.0 / u.mach1);
    u.critSpeed = std::sqrt(2.0 * u.c1 * u.c1 / (g + 1.0) + k2 * v1 * v1);
    u.critTemp = u.critSpeed * u.critSpeed * mu / (g * 8.314) * 0.001;
    u.critPressure = std::pow(std::pow(p1, 1.0 / g)
                                  * (p1 / u.rho1 + v1 * v1 / 2.0 - u.critSpeed * u.critSpeed / 2.0)
                                  * u.rho1,
                              g / (g + 1.0));
    u.critDensity = std::pow(u.critPressure / p1, 1.0 / g) * u.rho1;
    u.vol1 = 1.0 / u.rho1;
    u.critVolume = 1.0 / u.critDensity;
    return u;
}

// Tracers for an upstream pressure: p1*0.05 truncated, none for a negative or non-finite
// count, never more than the cap.
inline int Population(double p1, int cap)
{
    const double n = p1 * 0.05;
    if (!(n >= 0.0) || std::isinf(n))
        return 0;
    if (n >= cap)
        return cap;
    return static_cast<int>(n);
}

// The polar angle of the corner-relative point (X, Y): the angle of (X, -Y), with pi/2 on the
// vertical through the corner and 0 on the horizontal.
inline double PolarAngle(double X, double Y)
{
    if (X == 0.0)
        return kPi / 2.0;
    if (Y == 0.0)
        return 0.0;
    return std::atan2(-Y, X);
}

inline int Region(double phi, double machAngle, double fanEndAngle)
{
    if (phi > machAngle)
        return 1;
    if (phi >= fanEndAngle)
        return 2;
    if (phi < machAngle)
        return 3;
    return 0;
}

struct Probe {
    double T, P, rho, c, M, V0, V, Vphi, Vr;
};

// What the probe fields show for a region and the polar angle as the probe message carries it
// (to 0.00001 rad).
inline Probe ProbeAt(double v1, double t1, double p1, int region, double phi, double machAngle,
                     double fanEndAngle)
{
    const Upstream u = UpstreamState(v1, t1, p1);
    if (machAngle <= fanEndAngle || region == 1)
        return Probe{t1, p1, u.rho1, u.c1, u.mach1, u.vol1, v1, v1, 0.0};
    double depth = 0.0;
    if (region == 2)
        depth = machAngle - phi;
    else if (region == 3)
        depth = machAngle - fanEndAngle;
    const double b = u.k * depth;
    const double cb = std::cos(b);
    Probe p{};
    p.P = p1 * std::pow(cb, 2.0 * kGamma / (kGamma - 1.0));
    p.T = t1 * cb * cb;
    p.rho = u.rho1 * std::pow(cb, 2.0 / (kGamma - 1.0));
    p.Vphi = v1 * cb;
    p.Vr = v1 / u.k * std::sin(b);
    p.V = std::sqrt(p.Vr * p.Vr + p.Vphi * p.Vphi);
    p.c = std::sqrt(kGamma / kMolarMass * p.T * 8314.0);
    p.M = p.V / p.c;
    p.V0 = 1.0 / p.rho;
    return p;
}

// Two results of the same formulas: both NaN, equal, or equal to 1e-9 relative.
inline bool Same(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    if (a == b)
        return true;
    if (std::isinf(a) || std::isinf(b))
        return false;
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

// Decimals of a shown number: four characters in all, none when the whole part is longer.
inline int DecimalsOf(const std::string& text)
{
    const size_t point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// Whether text is how a field shows value: "nan", "inf" and "-inf" for those; otherwise a
// plain decimal ("-", digits, optionally a point and at most three digits) within half a unit
// of its last decimal of value (a little more for rounding in the value's last bits).
inline bool ShownAs(const std::string& text, double value)
{
    if (std::isnan(value))
        return text == "nan";
    if (std::isinf(value))
        return text == (value > 0 ? "inf" : "-inf");
    if (text.empty())
        return false;
    size_t i = text[0] == '-' ? 1 : 0;
    const size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digits)
        return false;
    if (i < text.size()) {
        if (text[i] != '.')
            return false;
        const size_t point = i++;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        if (i != text.size() || i - point - 1 < 1 || i - point - 1 > 3)
            return false;
    }
    const double shown = ReadNumber(text);
    const double unit = std::pow(10.0, -DecimalsOf(text));
    return std::fabs(shown - value) <= 0.5 * unit * (1.0 + 1e-9) + 1e-12 * std::fabs(value);
}

} // namespace reference
