#include "model/exact_flow.h"

#include <cmath>

#include "base/constants.h"
#include "model/theory.h"

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

bool UsableGamma(double g) { return g > 1.0 && g < inf; }
bool Positive(double v) { return v > 0.0 && v < inf; }

// The Mach angle as atan2(1, sqrt(M^2 - 1)): accurate also near M = 1, where asin(1/M) is not.
double MachAngle(double m)
{
    const double b = m <= 2.0 ? std::sqrt((m - 1.0) * (m + 1.0))
                              : m * std::sqrt((1.0 - 1.0 / m) * (1.0 + 1.0 / m));
    return std::atan2(1.0, b);
}

// The deflection of a shock at beta = mu + delta from the oncoming flow of Mach number m
// (x = 1/m^2), from tan theta = 2 cot beta (M^2 sin^2 beta - 1) / (M^2 (g + cos 2 beta) + 2),
// divided by M^2 and with sin^2 beta - sin^2 mu = sin(delta) sin(2 mu + delta), so that
// neither a weak shock (delta -> 0) nor a huge M loses its digits.
double Deflection(double mu, double delta, double x, double g)
{
    const double beta = mu + delta;
    const double num = 2.0 * std::cos(beta) * std::sin(delta) * std::sin(2.0 * mu + delta);
    const double den = std::sin(beta) * (g + std::cos(2.0 * beta) + 2.0 * x);
    return std::atan2(num, den);
}

// Normalises a polar angle into (-pi, pi]: -pi is the upstream wall's ray, pi.
double NormalAngle(double phi)
{
    if (phi > kPi || phi < -kPi)
        phi = std::remainder(phi, 2.0 * kPi);
    return phi == -kPi ? kPi : phi;
}

// A speed times a cosine or sine: 0 along a zero component also for an infinite speed (an
// oncoming speed near the largest double overflows behind a shock).
double Part(double v, double k) { return k == 0.0 ? 0.0 : v * k; }

// Velocity components at polar angle phi of a flow of speed v in direction delta.
void SetVelocity(ExactPointState& s, double v, double delta)
{
    s.Vr = Part(v, std::cos(s.phi - delta));
    s.Vphi = Part(v, std::sin(s.phi - delta));
    s.vx = Part(v, std::cos(delta));
    s.vy = -Part(v, std::sin(delta));
}

// Region of an angle already normalised.
ExactRegion RegionOf(const ExactFlow& f, double phi)
{
    if (std::isnan(phi))
        return ExactRegion::None;
    switch (f.kind) {
    case ExactKind::Subsonic: return ExactRegion::None;
    case ExactKind::None: return phi < f.wallPhi ? ExactRegion::Body : ExactRegion::Upstream;
    case ExactKind::Detached:
        if (phi < f.wallPhi)
            return ExactRegion::Body;
        return phi >= kHalfPi ? ExactRegion::Upstream : ExactRegion::None;
    case ExactKind::Shock:
        if (phi < f.wallPhi)
            return ExactRegion::Body;
        return phi >= f.shockAngle ? ExactRegion::Upstream : ExactRegion::Downstream;
    case ExactKind::Fan:
    case ExactKind::FanToVacuum:
        if (phi < f.wallPhi)
            return ExactRegion::Body;
        if (phi > f.first)
            return ExactRegion::Upstream;
        if (phi >= f.last)
            return ExactRegion::Fan;
        return f.kind == ExactKind::Fan ? ExactRegion::Downstream : ExactRegion::Vacuum;
    }
    return ExactRegion::None;
}

// ln cos(u) for 0 <= u < pi/2, to full relative accuracy at both ends.
double LnCos(double u)
{
    if (u > 0.25 * kPi)
        return std::log(std::cos(u));
    const double s = std::sin(u);
    return 0.5 * std::log1p(-s * s);
}

// (cos(psi1/K) / cos(psi/K))^(K^2): r / r0 on a streamline of the fan at phi. Taken as
// exp(K^2 (ln cos(psi1/K) - ln cos(psi/K))): for gamma near 1, K^2 is large and both cosines
// are near 1, where the power of their rounded ratio would lose K^2 times the rounding.
double FanRadiusRatio(const ExactFlow& f, double phi)
{
    const double a = (f.phiSonic - phi) / f.K;
    if (!(a < kHalfPi))
        return inf; // the limiting Mach line
    return std::exp(f.K * f.K * (LnCos(f.psi1 / f.K) - LnCos(a)));
}

} // namespace

const char* ExactKindName(ExactKind kind)
{
    switch (kind) {
    case ExactKind::None: return "none";
    case ExactKind::Fan: return "fan";
    case ExactKind::FanToVacuum: return "fan-to-vacuum";
    case ExactKind::Shock: return "shock";
    case ExactKind::Detached: return "detached";
    case ExactKind::Subsonic: return "subsonic";
    }
    return "subsonic";
}

const char* ExactRegionName(ExactRegion region)
{
    switch (region) {
    case ExactRegion::Upstream: return "upstream";
    case ExactRegion::Fan: return "fan";
    case ExactRegion::Downstream: return "downstream";
    case ExactRegion::Vacuum: return "vacuum";
    case ExactRegion::Body: return "body";
    case ExactRegion::None: return "none";
    }
    return "none";
}

CriticalState IsentropicCritical(const FlowState& fs)
{
    CriticalState c;
    const double g = fs.gamma;
    if (!UsableGamma(g) || !Positive(fs.t1) || !Positive(fs.p1) || !Positive(fs.rho1)
        || !Positive(fs.c1) || !std::isfinite(fs.v1))
        return c;
    // T*/T1 = 2 (1 + (g-1)/2 M1^2)/(g+1), with M1^2 = (V1/c1)^2.
    const double m = fs.v1 / fs.c1;
    const double ratio = (2.0 + (g - 1.0) * m * m) / (g + 1.0);
    c.T = fs.t1 * ratio;
    c.P = fs.p1 * std::pow(ratio, g / (g - 1.0));
    c.rho = fs.rho1 * std::pow(ratio, 1.0 / (g - 1.0));
    c.c = fs.c1 * std::sqrt(ratio);
    c.V0 = 1.0 / c.rho;
    return c;
}

namespace {

// The weak root delta = beta - mu (rad) of Deflection(mu, delta, x, g) = theta, for
// 0 < theta < thetaMax: theta(delta) rises from 0 at delta = 0 to thetaMax at deltaMax. Regula
// falsi (Illinois) inside a bracket, bisecting whenever it does not halve the bracket; the
// bracket always shrinks, and the number of steps is bounded.
double WeakShockDelta(double mu, double x, double g, double theta, double thetaMax, double deltaMax)
{
    double lo = 0.0, hi = deltaMax;
    double fLo = -theta, fHi = thetaMax - theta;
    int side = 0;
    double lastWidth = hi - lo;
    double best = deltaMax, bestF = thetaMax - theta; // the point nearest the root
    for (int i = 0; i < 400; ++i) {
        double next = lo - fLo * (hi - lo) / (fHi - fLo);
        if (!(next > lo && next < hi) || (i % 3 == 2 && hi - lo > 0.5 * lastWidth))
            next = lo + 0.5 * (hi - lo);
        if (i % 3 == 2)
            lastWidth = hi - lo;
        if (!(next > lo && next < hi))
            break; // no double between lo and hi
        const double f = Deflection(mu, next, x, g) - theta;
        if (std::fabs(f) < std::fabs(bestF)) {
            best = next;
            bestF = f;
        }
        if (f == 0.0)
            break;
        if (f < 0.0) {
            lo = next;
            fLo = f;
            if (side == -1)
                fHi *= 0.5;
            side = -1;
        } else {
            hi = next;
            fHi = f;
            if (side == 1)
                fLo *= 0.5;
            side = 1;
        }
        if (hi - lo <= 1e-17 * (mu + hi))
            break;
    }
    return theta < std::fabs(bestF) ? 0.0 : best;
}

} // namespace

ObliqueShock WeakObliqueShock(double m1, double theta, double g)
{
    ObliqueShock s;
    if (!UsableGamma(g) || !(m1 >= 1.0) || !(m1 < inf))
        return s;
    const double x = 1.0 / (m1 * m1);
    const double mu = MachAngle(m1);
    // The shock angle of the largest deflection: sin^2 and cos^2 of it in closed form, the
    // cosine's rationalised so that it keeps its digits as M1 -> 1 (where it goes to 0).
    const double root = std::sqrt((g + 1.0) * ((g + 1.0) + 8.0 * (g - 1.0) * x + 16.0 * x * x));
    const double sin2 = ((g + 1.0) - 4.0 * x + root) / (4.0 * g);
    const double oneMinusX = m1 <= 2.0 ? (m1 - 1.0) * (m1 + 1.0) * x
                                       : (1.0 - 1.0 / m1) * (1.0 + 1.0 / m1);
    const double cos2 = 2.0 * oneMinusX * ((g - 1.0) + 2.0 * x)
                        / ((3.0 * g - 1.0) + 4.0 * x + root);
    s.betaAtMax = std::atan2(std::sqrt(sin2), std::sqrt(cos2));
    const double deltaMax = std::fmax(s.betaAtMax - mu, 0.0);
    s.thetaMax = deltaMax > 0.0 ? Deflection(mu, deltaMax, x, g) : 0.0;
    if (!(theta >= 0.0) || !(theta <= s.thetaMax))
        return s;

    const double delta = theta == s.thetaMax ? deltaMax
                         : theta > 0.0       ? WeakShockDelta(mu, x, g, theta, s.thetaMax, deltaMax)
                                             : 0.0;
    const double beta = theta == s.thetaMax ? s.betaAtMax : mu + delta;
    // Mn1^2 = M1^2 sin^2 beta, and Mn1^2 - 1 = sin(delta) sin(2 mu + delta) / x.
    const double spread = delta > 0.0 ? std::sin(delta) * std::sin(2.0 * mu + delta) : 0.0;
    const double excess = spread * m1 * m1;
    const double mn1Sq = 1.0 + excess;
    s.attached = true;
    s.shockAngle = beta;
    s.pressureRatio = 1.0 + 2.0 * g / (g + 1.0) * excess;
    s.densityRatio = (g + 1.0) / ((g - 1.0) + 2.0 / mn1Sq);
    s.temperatureRatio = s.pressureRatio / s.densityRatio;
    const double h = 0.5 * (g - 1.0);
    const double mn2Sq = (1.0 / mn1Sq + h) / (g - h / mn1Sq);
    // M2 from its two components, each well conditioned: Mn2, and the tangential velocity
    // V1 cos(beta), which the shock keeps, over c2 = c1 sqrt(T2/T1). (Mn2 / sin(beta - theta)
    // would lose the digits of beta - theta, which is tiny for gamma near 1.) The tangential
    // part is formed as cos(beta) / sqrt((T2/T1) / M1^2) so that a huge M1 does not overflow.
    const double pressureOverMSq = x + 2.0 * g / (g + 1.0) * spread;
    const double mt2 = std::cos(beta) / std::sqrt(pressureOverMSq / s.densityRatio);
    s.mach2 = std::hypot(std::sqrt(mn2Sq), mt2);
    return s;
}

ExactFlow ComputeExactFlow(const FlowState& fs, double wallTurn)
{
    ExactFlow f;
    const double g = fs.gamma;
    f.gamma = g;
    f.wallTurn = wallTurn;
    f.wallPhi = -wallTurn;
    f.critical = IsentropicCritical(fs);
    if (UsableGamma(g)) {
        f.K = std::sqrt((g + 1.0) / (g - 1.0));
        f.nuMax = PrandtlMeyerNu(inf, g);
    }
    if (Positive(fs.molarMass))
        f.gasConstant = kGasConstantPerKilomole / fs.molarMass;
    f.m1 = fs.mach1;
    f.v1 = fs.v1;
    f.t1 = fs.t1;
    f.p1 = fs.p1;
    f.rho1 = fs.rho1;
    f.c1 = fs.c1;
    // As the fan takes it: a Mach number whose reciprocal rounds to 1 is sonic.
    const double m1 = fs.mach1 < 1.0 && 1.0 / fs.mach1 == 1.0 ? 1.0 : fs.mach1;
    const bool supersonic = UsableGamma(g) && m1 >= 1.0 && m1 < inf && Positive(fs.t1)
                            && Positive(fs.p1) && Positive(fs.rho1) && Positive(fs.c1)
                            && std::isfinite(fs.v1) && !std::isnan(f.gasConstant);
    if (!supersonic || std::isnan(wallTurn)) {
        f.kind = ExactKind::Subsonic;
        return f;
    }
    f.nu1 = PrandtlMeyerNu(m1, g);
    f.largestTurn = f.nuMax - f.nu1;
    f.limitingSpeed = std::hypot(fs.v1, fs.c1 * std::sqrt(2.0 / (g - 1.0)));
    const ObliqueShock limit = WeakObliqueShock(m1, 0.0, g);
    f.maxDeflection = limit.thetaMax;

    if (wallTurn == 0.0) {
        f.kind = ExactKind::None;
        f.wallPhi = 0.0;
        f.m2 = fs.mach1;
        f.p2 = fs.p1;
        f.t2 = fs.t1;
        f.rho2 = fs.rho1;
        f.v2 = fs.v1;
        f.flowAngle2 = 0.0;
        return f;
    }
    if (wallTurn > 0.0) {
        // The fan, from PrandtlMeyer and ExactFanFor themselves.
        const ExactFan fan = ExactFanFor(fs, wallTurn);
        const TheoryResult& t = fan.theory;
        f.kind = wallTurn > f.largestTurn ? ExactKind::FanToVacuum : ExactKind::Fan;
        f.first = fan.first;
        f.last = fan.last;
        f.phiSonic = fan.phiSonic;
        f.psi1 = fan.psi1;
        f.flowTurn = std::fmin(wallTurn, f.largestTurn);
        f.m2 = t.mach2;
        f.p2 = t.p2;
        f.t2 = t.t2;
        f.rho2 = t.rho2;
        f.v2 = t.v2;
        f.flowAngle2 = -f.flowTurn;
        return f;
    }
    const double theta = -wallTurn;
    const ObliqueShock shock = WeakObliqueShock(m1, theta, g);
    if (!shock.attached) {
        f.kind = ExactKind::Detached;
        return f;
    }
    f.kind = ExactKind::Shock;
    f.shockAngle = shock.shockAngle;
    f.m2 = shock.mach2;
    f.p2 = fs.p1 * shock.pressureRatio;
    f.t2 = fs.t1 * shock.temperatureRatio;
    f.rho2 = fs.rho1 * shock.densityRatio;
    f.v2 = shock.mach2 * fs.c1 * std::sqrt(shock.temperatureRatio);
    f.flowAngle2 = theta;
    return f;
}

ExactPointState ExactStateAtAngle(const ExactFlow& f, double phi)
{
    ExactPointState s;
    s.phi = NormalAngle(phi);
    s.region = RegionOf(f, s.phi);
    const auto gas = [&s, &f](double M, double P, double T, double rho, double V) {
        s.M = M;
        s.P = P;
        s.T = T;
        s.rho = rho;
        s.V = V;
        s.c = f.c1 * std::sqrt(T / f.t1);
        s.V0 = 1.0 / rho;
    };
    switch (s.region) {
    case ExactRegion::Upstream:
        gas(f.m1, f.p1, f.t1, f.rho1, f.v1);
        s.c = f.c1;
        SetVelocity(s, f.v1, 0.0);
        break;
    case ExactRegion::Downstream:
        gas(f.m2, f.p2, f.t2, f.rho2, f.v2);
        SetVelocity(s, f.v2, f.flowAngle2);
        break;
    case ExactRegion::Vacuum:
        s.M = inf;
        s.P = s.T = s.rho = s.c = 0.0;
        s.V0 = inf;
        s.V = f.limitingSpeed;
        // As on the limiting streamline, a ray from the corner: all along it, none across.
        s.Vr = s.V;
        s.Vphi = 0.0;
        break;
    case ExactRegion::Fan: {
        // The values of ExactStateAt on the ray; the components from the closed form
        // Vphi = c* cos(psi/K), Vr = K c* sin(psi/K), c* = c1 / cos(psi1/K).
        ExactFan fan;
        fan.fan = true;
        fan.K = f.K;
        fan.psi1 = f.psi1;
        fan.phiSonic = f.phiSonic;
        fan.first = f.first;
        fan.last = f.last;
        fan.gamma = f.gamma;
        fan.c1 = f.c1;
        fan.upstream = StateValues{f.m1, f.p1, f.t1, f.rho1, f.v1};
        fan.end = StateValues{f.m2, f.p2, f.t2, f.rho2, f.v2};
        const StateValues v = ExactStateAt(fan, s.phi);
        gas(v.M, v.P, v.T, v.rho, v.V);
        const double a = (f.phiSonic - s.phi) / f.K;
        if (!(a < kHalfPi) || !(v.T > 0.0)) { // within rounding of the vacuum
            s.c = 0.0;
            s.Vr = v.V;
            s.Vphi = 0.0;
        } else {
            const double cStar = f.c1 / std::cos(fan.psi1 / f.K);
            s.Vphi = cStar * std::cos(a);
            s.Vr = f.K * cStar * std::sin(a);
        }
        // The flow's direction delta = phi - atan2(Vphi, Vr) on screen.
        const double delta = s.phi - std::atan2(s.Vphi, s.Vr);
        s.vx = Part(s.V, std::cos(delta));
        s.vy = -Part(s.V, std::sin(delta));
        break;
    }
    case ExactRegion::Body:
    case ExactRegion::None: break;
    }
    return s;
}

bool StreamPointAt(const ExactFlow& f, double h, double phi, double& x, double& y)
{
    if (!(h > 0.0) || !(h < inf))
        return false;
    phi = NormalAngle(phi);
    const ExactRegion region = RegionOf(f, phi);
    double r = kNotComputed;
    switch (region) {
    case ExactRegion::Upstream:
        if (!(phi > 0.0))
            return false;
        x = h * std::cos(phi) / std::sin(phi);
        y = -h;
        return std::isfinite(x);
    case ExactRegion::Fan: r = h / std::sin(f.first) * FanRadiusRatio(f, phi); break;
    case ExactRegion::Downstream: {
        // The distance of the straight streamline from the wall's line through the corner.
        double distance = kNotComputed;
        if (f.kind == ExactKind::Shock) {
            distance = h * std::sin(f.shockAngle - f.flowAngle2) / std::sin(f.shockAngle);
        } else {
            const double rLast = h / std::sin(f.first) * FanRadiusRatio(f, f.last);
            distance = rLast * std::sin(f.last - f.flowAngle2);
        }
        const double s = std::sin(phi - f.flowAngle2);
        if (!(s > 0.0))
            return false;
        r = distance / s;
        break;
    }
    default: return false;
    }
    if (!(r >= 0.0) || !(r < inf))
        return false;
    x = r * std::cos(phi);
    y = -r * std::sin(phi);
    return std::isfinite(x) && std::isfinite(y);
}

double ExactPolarAngle(double x, double y)
{
    if (x == 0.0 && y == 0.0)
        return kHalfPi;
    return NormalAngle(std::atan2(-y, x));
}

double StreamHeightAt(const ExactFlow& f, double x, double y)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return kNotComputed;
    const double phi = ExactPolarAngle(x, y);
    switch (RegionOf(f, phi)) {
    case ExactRegion::Upstream: return -y;
    case ExactRegion::Fan: return std::hypot(x, y) * std::sin(f.first) / FanRadiusRatio(f, phi);
    case ExactRegion::Downstream: {
        // The distance from the wall's line: the cross product of its direction and the point.
        const double d = f.flowAngle2;
        const double distance = std::cos(d) * -y - std::sin(d) * x;
        if (f.kind == ExactKind::Shock)
            return distance * std::sin(f.shockAngle) / std::sin(f.shockAngle - d);
        return distance * std::sin(f.first) / (FanRadiusRatio(f, f.last) * std::sin(f.last - d));
    }
    default: return kNotComputed;
    }
}
