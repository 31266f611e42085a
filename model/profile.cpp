#include "model/profile.h"

#include <algorithm>
#include <cmath>

#include "base/constants.h"
#include "base/vector_state.h"
#include "model/classify.h"
#include "model/exact_flow.h"
#include "model/number_text.h"
#include "model/probe.h"

double StateValues::Of(Quantity q) const
{
    switch (q) {
    case Quantity::Mach: return M;
    case Quantity::Pressure: return P;
    case Quantity::Temperature: return T;
    case Quantity::Density: return rho;
    case Quantity::Speed: return V;
    }
    return kNoValue;
}

ExactFan ExactFanFor(const FlowState& fs, double turn)
{
    ExactFan f;
    f.theory = PrandtlMeyer(fs, turn);
    f.upstream = StateValues{fs.mach1, fs.p1, fs.t1, fs.rho1, fs.v1};
    if (f.theory.kind == TheoryCase::IntoTheFlow) {
        // The shock's states are the exact flow's own.
        const ExactFlow e = ComputeExactFlow(fs, turn);
        f.wall = e.wallPhi;
        if (e.kind == ExactKind::Shock) {
            f.shock = true;
            f.shockAngle = e.shockAngle;
            f.behind = StateValues{e.m2, e.p2, e.t2, e.rho2, e.v2};
        } else if (e.kind == ExactKind::Detached) {
            f.detached = true;
        }
    }
    if (!f.theory.valid)
        return f;
    const TheoryResult& t = f.theory;
    const double g = fs.gamma;
    f.fan = true;
    f.gamma = g;
    f.c1 = fs.c1;
    f.K = std::sqrt((g + 1.0) / (g - 1.0));
    // beta1 = sqrt(M1^2 - 1), 0 for sonic flow (and for a Mach number that rounds to it).
    const double m1 = fs.mach1;
    const double beta1 = m1 > 1.0 ? std::sqrt((m1 - 1.0) * (m1 + 1.0)) : 0.0;
    f.psi1 = f.K * std::atan(beta1 / f.K);
    f.first = std::asin(1.0 / m1);
    if (std::isnan(f.first)) // a Mach number just below 1 whose reciprocal rounds to 1
        f.first = kHalfPi;
    f.phiSonic = f.first + f.psi1;
    f.last = t.lastCharacteristicAngle;
    f.turn = t.turnDegrees * kRadiansPerDegree;
    f.end = StateValues{t.mach2, t.p2, t.t2, t.rho2, t.v2};
    return f;
}

StateValues ExactStateAt(const ExactFan& f, double phi, int* region)
{
    int where = RegionNone;
    StateValues v;
    if (f.shock || f.detached) {
        // A wall turned into the flow: the regions of ExactStateAtAngle.
        if (!(phi >= f.wall && phi <= kPi)) {
            // the body, or no angle
        } else if (phi >= (f.shock ? f.shockAngle : kHalfPi)) {
            where = RegionUpstream;
            v = f.upstream;
        } else if (f.shock) {
            where = RegionDownstream;
            v = f.behind;
        }
    } else if (!f.fan || std::isnan(phi)) {
        // no answer
    } else if (phi >= f.first) {
        where = RegionUpstream;
        v = f.upstream;
    } else if (phi <= f.last) {
        where = RegionDownstream;
        v = f.end;
    } else {
        where = RegionFan;
        // On the ray psi from the sonic ray: M^2 = 1 + K^2 tan^2(psi/K), T/T* = cos^2(psi/K).
        const double a = (f.phiSonic - phi) / f.K;
        const double g = f.gamma;
        if (!(a < kHalfPi)) { // within rounding of the vacuum the largest turn reaches
            v = StateValues{HUGE_VAL, 0.0, 0.0, 0.0, f.end.V};
        } else {
            const double c = std::cos(a) / std::cos(f.psi1 / f.K);
            const double tRatio = c * c; // T/T1
            const double t = std::tan(a);
            v.M = std::sqrt(1.0 + f.K * f.K * t * t);
            v.T = f.upstream.T * tRatio;
            v.P = f.upstream.P * std::pow(tRatio, g / (g - 1.0));
            v.rho = f.upstream.rho * std::pow(tRatio, 1.0 / (g - 1.0));
            v.V = v.M * f.c1 * std::sqrt(tRatio);
        }
    }
    if (region)
        *region = where;
    return v;
}

ProfileSample ProfileAt(const FlowState& fs, const ExactFan& fan, double phi)
{
    ProfileSample s;
    s.phi = phi;
    // The probe read-out's own path: the region of the angle, then the read-out there.
    s.modelRegion = ClassifyAngle(fs, phi);
    const ProbeValues v = ProbeReadout(fs, s.modelRegion, phi);
    s.model = StateValues{v.M, v.P, v.T, v.rho, v.V};
    s.exact = ExactStateAt(fan, phi, &s.exactRegion);
    return s;
}

namespace {

// Samples over the whole range, and within each fan.
constexpr int kRangeIntervals = 120;
constexpr int kFanIntervals = 48;

} // namespace

FanProfile ComputeFanProfile(const FlowState& fs, double wallAngle, double turn)
{
    ClearUpperVectorState();
    FanProfile p;
    p.exact = ExactFanFor(fs, turn);
    p.upstream = p.exact.upstream;
    p.modelFan = fs.machAngle > fs.fanEndAngle;
    if (p.modelFan) {
        p.modelFirst = fs.machAngle;
        p.modelLast = fs.fanEndAngle;
    }
    if (p.exact.fan) {
        p.exactFirst = p.exact.first;
        p.exactLast = p.exact.last;
    }
    if (p.exact.shock)
        p.exactShock = p.exact.shockAngle;

    const double from = kPi;
    double to = wallAngle - kHalfPi;
    if (!std::isfinite(to)) {
        double lowest = HUGE_VAL;
        for (double a : {p.modelFirst, p.modelLast, p.exactFirst, p.exactLast})
            if (std::isfinite(a))
                lowest = std::min(lowest, a);
        to = std::isfinite(lowest) ? lowest - 30.0 * kRadiansPerDegree : -kHalfPi;
    }
    to = std::clamp(to, -kPi, kPi - kRadiansPerDegree);
    p.phiFrom = from;
    p.phiTo = to;

    std::vector<double> phis;
    phis.reserve(kRangeIntervals + 2 * kFanIntervals + 8);
    for (int i = 0; i < kRangeIntervals; ++i)
        phis.push_back(from + (to - from) * i / kRangeIntervals);
    phis.push_back(to);
    const auto within = [&](double a) { return a >= to && a <= from; };
    const auto fan = [&](double last, double first) {
        if (!(std::isfinite(last) && std::isfinite(first)))
            return;
        const double hi = std::min(first, from);
        const double lo = std::max(last, to);
        if (!(lo < hi))
            return;
        for (int i = 1; i < kFanIntervals; ++i)
            phis.push_back(hi + (lo - hi) * i / kFanIntervals);
    };
    fan(p.modelLast, p.modelFirst);
    fan(p.exactLast, p.exactFirst);
    for (double a : {p.modelFirst, p.modelLast, p.exactFirst, p.exactLast})
        if (within(a))
            phis.push_back(a);
    if (within(p.exactShock)) {
        phis.push_back(p.exactShock);
        const double behind = std::nextafter(p.exactShock, -HUGE_VAL);
        if (within(behind))
            phis.push_back(behind);
    }
    std::sort(phis.begin(), phis.end(), [](double a, double b) { return a > b; });
    phis.erase(std::unique(phis.begin(), phis.end()), phis.end());

    p.samples.reserve(phis.size());
    for (double phi : phis)
        p.samples.push_back(ProfileAt(fs, p.exact, phi));
    return p;
}

std::string ProfileCsv(const FanProfile& p)
{
    std::string out = "phi_deg,M_model,M_theory,P_model_Pa,P_theory_Pa,T_model_K,T_theory_K,"
                      "rho_model_kg_m3,rho_theory_kg_m3,V_model_m_s,V_theory_m_s\n";
    out.reserve(out.size() + p.samples.size() * 240);
    for (const ProfileSample& s : p.samples) {
        out += FormatRoundTrip(s.phi * kDegreesPerRadian);
        for (int q = 0; q < kQuantityCount; ++q) {
            out += ',';
            out += FormatRoundTrip(s.model.Of(static_cast<Quantity>(q)));
            out += ',';
            out += FormatRoundTrip(s.exact.Of(static_cast<Quantity>(q)));
        }
        out += '\n';
    }
    return out;
}
