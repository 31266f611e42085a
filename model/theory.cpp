#include "model/theory.h"
#include "base/constants.h"

#include <cmath>

// Directions in the picture. The oncoming flow runs along +x (polar angle 0); the downstream
// wall turns it downward, clockwise on the screen, so after a turn chi the flow runs at polar
// angle -chi. A Mach line makes the Mach angle mu = asin(1/M) with the flow, on the side away
// from the wall, the upper side here: the first characteristic lies at +mu1 (as machAngle
// does), and the last one at mu2 - chi. The picture agrees with this sense of rotation: its
// fan runs from machAngle down to fanEndAngle < machAngle, a fanEndAngle below zero is drawn
// below the upstream wall's line, and the flow boundary of a wall turned too far is drawn at
// polar angle -maxTurnAngle, the direction -chi of a flow turned by the largest angle. At a
// turn of nu_max - nu1 the exact Mach line reaches that flow direction (mu2 = 0). In between,
// the picture's fanEndAngle is a straight line in the turn and differs from mu2 - chi.

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

bool UsableGamma(double g) { return g > 1.0 && g < inf; }

// K = sqrt((g+1)/(g-1)), the ratio of the two angular scales in nu.
double Scale(double g) { return std::sqrt((g + 1.0) / (g - 1.0)); }

// nu_max = (K - 1)*pi/2, written as the limit of NuOfBeta so that the two agree to the bit.
double NuMax(double K) { return K * std::atan(inf) - std::atan(inf); }

// nu as a function of beta = sqrt(M^2 - 1) >= 0: K*atan(beta/K) - atan(beta). For small beta
// the two terms nearly cancel, so there it is summed as its series
// sum_{n>=1} (-1)^(n+1) beta^(2n+1)/(2n+1) * (1 - K^-2n), which keeps full relative accuracy.
double NuOfBeta(double beta, double K)
{
    if (beta < 0.2) {
        const double b2 = beta * beta;
        const double invK2 = 1.0 / (K * K);
        double sum = 0.0;
        double power = beta * b2; // beta^(2n+1)
        double kPower = invK2;    // K^-2n
        double sign = 1.0;
        for (int n = 1; n <= 14; ++n) {
            sum += sign * power / (2 * n + 1) * (1.0 - kPower);
            power *= b2;
            kPower *= invK2;
            sign = -sign;
        }
        return sum;
    }
    return K * std::atan(beta / K) - std::atan(beta);
}

// d nu / d beta = beta^2 (1 - 1/K^2) / ((1 + beta^2/K^2)(1 + beta^2)).
double NuSlope(double beta, double K)
{
    const double b2 = beta * beta;
    return b2 * (1.0 - 1.0 / (K * K)) / ((1.0 + b2 / (K * K)) * (1.0 + b2));
}

// The beta with NuOfBeta(beta) = nu, for 0 < nu < nu_max: Newton steps kept inside a bracket
// that every step narrows. Every loop is bounded, so the search always ends.
double BetaFromNu(double nu, double K, double nuMax)
{
    const double c = 1.0 - 1.0 / (K * K);
    // First guesses from the two ends: nu ~ c beta^3/3 near M = 1, nu_max - nu ~ (K^2-1)/beta
    // for large beta.
    double hi = nu < 0.5 * nuMax ? std::cbrt(3.0 * nu / c) : (K * K - 1.0) / (nuMax - nu);
    hi = std::fmax(hi, 1e-300);
    double lo = 0.0;
    for (int i = 0; i < 2100 && hi < inf && NuOfBeta(hi, K) < nu; ++i) {
        lo = hi;
        hi *= 2.0;
    }
    if (!(hi < inf))
        return inf; // nu lies within rounding of nu_max
    // nu(beta) is convex below beta = sqrt(K) and concave above it, so Newton approaches the
    // root from one side without overshooting when it starts from the right there and from
    // the left here.
    double x = lo >= std::sqrt(K) ? lo : hi;
    bool pulledIn = false;
    for (int i = 0; i < 200; ++i) {
        const double f = NuOfBeta(x, K) - nu;
        // Done once f is as small as its own rounding can show (near nu_max the two terms
        // of nu are large beside their difference, so f cannot shrink to the last bits of x).
        const double noise = 4e-16 * (x < 0.2 ? nu : K * std::atan(x / K) + std::atan(x));
        if (std::fabs(f) <= noise)
            return x;
        if (f < 0.0)
            lo = x;
        else
            hi = x;
        if (hi - lo <= 4e-16 * hi)
            return x;
        const double step = f / NuSlope(x, K);
        if (std::fabs(step) <= 4e-16 * x) // converged to the last bits (false for NaN)
            return x - step;
        double next = x - step;
        if (!(next > lo && next < hi)) { // also a NaN or infinite step
            // Newton points past an end of the bracket: usually the root lies within rounding
            // of that end, so try a point just inside it; if that does not settle it, bisect.
            if (!pulledIn && next <= lo)
                next = lo + (hi - lo) / 1024.0;
            else if (!pulledIn && next >= hi)
                next = hi - (hi - lo) / 1024.0;
            else
                next = lo + 0.5 * (hi - lo);
            pulledIn = !pulledIn;
        } else {
            pulledIn = false;
        }
        x = next;
    }
    return x;
}

} // namespace

double PrandtlMeyerNu(double mach, double gamma)
{
    if (!UsableGamma(gamma) || !(mach >= 1.0))
        return notANumber;
    // beta = sqrt(M^2 - 1), formed without cancellation near 1 and without overflow far out.
    const double beta = mach <= 2.0 ? std::sqrt((mach - 1.0) * (mach + 1.0))
                                    : mach * std::sqrt((1.0 - 1.0 / mach) * (1.0 + 1.0 / mach));
    return NuOfBeta(beta, Scale(gamma));
}

double MachFromNu(double nu, double gamma)
{
    if (!UsableGamma(gamma) || std::isnan(nu))
        return notANumber;
    if (nu <= 0.0)
        return 1.0;
    const double K = Scale(gamma);
    const double nuMax = NuMax(K);
    if (nu >= nuMax)
        return inf;
    return std::hypot(1.0, BetaFromNu(nu, K, nuMax));
}

TheoryResult PrandtlMeyer(const FlowState& fs, double turnRadians)
{
    TheoryResult r;
    const double g = fs.gamma;
    if (!UsableGamma(g))
        return r;
    const double nuMax = NuMax(Scale(g));
    r.maxTurnDegrees = nuMax * kDegreesPerRadian;

    // The picture has a fan wherever asin(1/M1) is a number, sonic flow included; a Mach number
    // whose reciprocal rounds to 1 is sonic.
    const double m1 = fs.mach1 < 1.0 && 1.0 / fs.mach1 == 1.0 ? 1.0 : fs.mach1;
    const bool upstreamUsable = m1 >= 1.0 && m1 < inf && fs.t1 > 0.0 && fs.t1 < inf && fs.p1 >= 0.0
                                && fs.p1 < inf && fs.rho1 >= 0.0 && fs.rho1 < inf && fs.c1 > 0.0
                                && fs.c1 < inf && std::isfinite(fs.v1);
    if (!upstreamUsable || std::isnan(turnRadians))
        return r;

    const double nu1 = PrandtlMeyerNu(m1, g);
    r.nu1Degrees = nu1 * kDegreesPerRadian;
    if (turnRadians < 0.0) { // into the flow: a compression, which has no fan
        r.kind = TheoryCase::IntoTheFlow;
        r.turnDegrees = turnRadians * kDegreesPerRadian;
        return r;
    }
    const double room = nuMax - nu1; // >= 0: nu1 never exceeds nu_max
    const double turn = turnRadians > 0.0 ? std::fmin(turnRadians, room) : 0.0;
    r.kind = TheoryCase::Expansion;
    r.valid = true;
    r.turnDegrees = turn * kDegreesPerRadian;

    if (turn == 0.0) { // no turning: the upstream state itself, exactly
        r.nu2Degrees = r.nu1Degrees;
        r.mach2 = fs.mach1;
        r.p2 = fs.p1;
        r.t2 = fs.t1;
        r.rho2 = fs.rho1;
        r.v2 = fs.v1;
        r.lastCharacteristicAngle = std::asin(1.0 / fs.mach1);
        return r;
    }

    const double m2 = turn < room ? MachFromNu(nu1 + turn, g) : inf;
    if (!(m2 < inf)) {
        // Expanded to vacuum: all enthalpy has become speed, v^2/2 + c^2/(g-1) = v2^2/2.
        r.nu2Degrees = nuMax * kDegreesPerRadian;
        r.mach2 = inf;
        r.p2 = 0.0;
        r.t2 = 0.0;
        r.rho2 = 0.0;
        r.v2 = std::hypot(fs.v1, fs.c1 * std::sqrt(2.0 / (g - 1.0)));
        r.lastCharacteristicAngle = -turn;
        return r;
    }

    // T2/T1 = (1 + h M1^2)/(1 + h M2^2), h = (g-1)/2, written so that no square overflows
    // (M2 > M1 > 1).
    const double h = 0.5 * (g - 1.0);
    const double q = m1 / m2;
    const double ratio = q * q * (1.0 / (m1 * m1) + h) / (1.0 / (m2 * m2) + h);
    r.nu2Degrees = (nu1 + turn) * kDegreesPerRadian;
    r.mach2 = m2;
    r.t2 = fs.t1 * ratio;
    r.p2 = fs.p1 * std::pow(ratio, g / (g - 1.0));
    r.rho2 = fs.rho1 * std::pow(ratio, 1.0 / (g - 1.0));
    r.v2 = m2 * fs.c1 * std::sqrt(ratio);
    r.lastCharacteristicAngle = std::asin(1.0 / m2) - turn;
    return r;
}
