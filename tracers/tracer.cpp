#include "tracers/tracer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/constants.h"
#include "base/saturate.h"
#include "model/classify.h"
#include "tracers/screen.h"

namespace {
constexpr double kBumpFactor = 4.666666666666667; // 14/3
constexpr double kProbeFarLimit = 10000000.0;     // |x| + |y| at which a probe run is over
constexpr double kProbeWallLimit = 1000000.0;     // x at which a probe along the wall line stops
constexpr double kProbeWallBand = 0.1; // |y| up to which the probe counts as on the wall line
// The fan's speed curve: its middle runs up to kFanDip below the straight line between the
// speeds at the fan's edges, most when the fan turns the flow the most it can (falling as
// exp(-D^2) with D, rad, the turn left), and up to kNarrowFanRise above it for a narrow fan
// (falling as exp(-span^2) with the fan's span, rad).
constexpr double kFanDip = 550.0;       // m/s
constexpr double kNarrowFanRise = 10.0; // m/s
} // namespace

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The inputs of the last FanVelocity computed on this thread, and its result. Drawing steps
// every tracer without the fan's constants at hand; under one flow they are always the same.
struct FanVelocityMemo {
    bool valid = false;
    double machAngle = 0.0, fanEndAngle = 0.0, v1 = 0.0, maxTurnAngle = 0.0, wallAngle = 0.0;
    FanVelocity result;
};
thread_local FanVelocityMemo t_fanMemo;

} // namespace

FanVelocity FanVelocity::For(const FlowState& fs, const Corner& corner)
{
    FanVelocityMemo& m = t_fanMemo;
    if (m.valid && SameBits(m.machAngle, fs.machAngle) && SameBits(m.fanEndAngle, fs.fanEndAngle)
        && SameBits(m.v1, fs.v1) && SameBits(m.maxTurnAngle, fs.maxTurnAngle)
        && SameBits(m.wallAngle, corner.wallAngle))
        return m.result;
    m.result = Compute(fs, corner);
    m.machAngle = fs.machAngle;
    m.fanEndAngle = fs.fanEndAngle;
    m.v1 = fs.v1;
    m.maxTurnAngle = fs.maxTurnAngle;
    m.wallAngle = corner.wallAngle;
    m.valid = true;
    return m.result;
}

FanVelocity FanVelocity::Compute(const FlowState& fs, const Corner& corner)
{
    FanVelocity f;
    const double span = fs.machAngle - fs.fanEndAngle;
    const double v1 = fs.v1;
    const double A = v1 * std::cos(fs.machAngle);
    const double S = v1 * std::sin(fs.machAngle);
    // theta + pi/2 is pi less the wall's turn; past the largest turn the flow turns no further.
    const double beta = std::max(corner.wallAngle + kHalfPi, kPi - fs.maxTurnAngle) + span
                        - fs.machAngle;
    const double C = -2.0 * v1 * std::cos(beta);
    const double D = fs.maxTurnAngle - span;
    const double F = (A + C) / 2.0 - kFanDip * std::exp(-D * D)
                     + kNarrowFanRise * std::exp(-span * span);
    f.span = span;
    f.A = A;
    f.S = S;
    f.G = (2.0 * (A + C) - 4.0 * F) / (span * span);
    f.H = (4.0 * F - 3.0 * A - C) / span;
    f.crossGain = 2.0 * v1 * std::sin(beta) - S;
    return f;
}

// The step of every caller, inlined into each: the region from the angle of the current
// position, the fan's velocity field from the angle of the previous one. With fan null the
// fan's constants are looked up only for a step in the fan.
[[gnu::always_inline]] inline bool Tracer::Advance(double phiHere, const FlowState& fs,
                                                   const Corner& corner, const FanVelocity* fan)
{
    // The angle of the current position (phiHere) decides the region, and is the angle the
    // next step takes its direction from.
    const int region = ClassifyAngle(fs, phiHere);

    if (region == RegionFan) {
        FanVelocity computed;
        if (!fan) {
            computed = FanVelocity::For(fs, corner);
            fan = &computed;
        }
        const double span = fan->span;
        // A fan always has a width of at least kLeastFanWidth when its angles are numbers; a fan
        // of no width has no velocity field, and the tracer keeps its displacement.
        if (span > 0.0) {
            double depth = fs.machAngle - phi;
            if (depth < 0.0)
                depth = 0.0;
            if (entryRadius == -1.0)
                entryRadius = std::sqrt(x * x + y * y);

            vR = fan->A + fan->H * depth + fan->G * depth * depth
                 - kBumpFactor * entryRadius * depth * (depth - span);
            vPhi = fan->S + (depth / span) * fan->crossGain;

            // The direction comes from the angle of the previous position.
            stepX = kTimeStep * (std::sin(phi) * vPhi + std::cos(phi) * vR);
            stepY = kTimeStep * (std::cos(phi) * vPhi - std::sin(phi) * vR);
        }
    } else if (region == RegionDownstream) {
        if (isProbe)
            return false;
        if (std::fabs(exitStepX) + std::fabs(exitStepY) > 0.0) {
            stepX = exitStepX;
            stepY = exitStepY;
        }
    }
    // Upstream, or no region at all: the displacement stays as it is.

    phi = phiHere;
    x += stepX;
    y += stepY;
    return KeepsGoing(corner);
}

[[gnu::always_inline]] inline bool Tracer::KeepsGoing(const Corner& corner) const
{
    if (isProbe) {
        if (std::fabs(x) + std::fabs(y) >= kProbeFarLimit)
            return false;
        if (std::fabs(y) > kProbeWallBand)
            return true;
        return x < kProbeWallLimit;
    }
    return x < corner.width && y < corner.height;
}

bool Tracer::Step(const FlowState& fs, const Corner& corner)
{
    return Advance(PolarAngle(x, y), fs, corner, nullptr);
}

bool Tracer::Step(const FlowState& fs, const Corner& corner, const FanVelocity& fan)
{
    return Advance(PolarAngle(x, y), fs, corner, &fan);
}

bool Tracer::StepFrom(double phiHere, const FlowState& fs, const Corner& corner,
                      const FanVelocity& fan)
{
    return Advance(phiHere, fs, corner, &fan);
}

bool Tracer::StepWithinUpstream(const Corner& corner)
{
    // Upstream the displacement stays as it is (see Advance).
    x += stepX;
    y += stepY;
    return KeepsGoing(corner);
}

namespace {

// Every input of RunProbe: the tracer's whole state, the two angles ClassifyAngle and the fan's
// depth read, the fan's constants, the extent an ordinary tracer's run ends at, the bound.
// Compared bit for bit, so that a NaN matches itself and -0 does not match +0.
struct ProbeRunKey {
    double values[20];
    long maxSteps;
};

ProbeRunKey KeyOf(const Tracer& t, const FlowState& fs, const FanVelocity& fan, long maxSteps)
{
    return ProbeRunKey{{t.stepX,      t.stepY,        t.x,
                        t.y,          t.speed,        t.vPhi,
                        t.vR,         t.phi,          t.isProbe ? 1.0 : 0.0,
                        t.exitStepX,  t.exitStepY,    t.entryRadius,
                        fs.machAngle, fs.fanEndAngle, fan.span,
                        fan.A,        fan.S,          fan.G,
                        fan.H,        fan.crossGain},
                       maxSteps};
}

bool SameKey(const ProbeRunKey& a, const ProbeRunKey& b, const Corner& corner, int width,
             int height)
{
    return a.maxSteps == b.maxSteps && corner.width == width && corner.height == height
           && std::memcmp(a.values, b.values, sizeof a.values) == 0;
}

struct ProbeRunMemo {
    static constexpr int kEntries = 64;
    struct Entry {
        bool valid = false;
        ProbeRunKey key{};
        int width = 0, height = 0;
        Tracer after;
        long steps = 0;
    };
    Entry entries[kEntries];
    int next = 0; // the entry the next new run replaces: the oldest
};
thread_local ProbeRunMemo t_probeRuns;

} // namespace

void Tracer::ForgetProbeRuns()
{
    for (auto& e : t_probeRuns.entries)
        e.valid = false;
    t_probeRuns.next = 0;
}

long Tracer::RunProbe(const FlowState& fs, const Corner& corner, const FanVelocity& fan,
                      long maxSteps)
{
    ProbeRunMemo& memo = t_probeRuns;
    const ProbeRunKey key = KeyOf(*this, fs, fan, maxSteps);
    for (const auto& e : memo.entries) {
        if (e.valid && SameKey(e.key, key, corner, e.width, e.height)) {
            *this = e.after;
            return e.steps;
        }
    }

    const UpstreamBound up = UpstreamBound::For(fs);
    long steps = 0;
    while (steps < maxSteps) {
        ++steps;
        const bool going = StaysUpstream(up) ? StepWithinUpstream(corner)
                                             : Advance(PolarAngle(x, y), fs, corner, &fan);
        if (!going)
            break;
    }

    ProbeRunMemo::Entry& e = memo.entries[memo.next];
    memo.next = (memo.next + 1) % ProbeRunMemo::kEntries;
    e.valid = true;
    e.key = key;
    e.width = corner.width;
    e.height = corner.height;
    e.after = *this;
    e.steps = steps;
    return steps;
}

UpstreamBound UpstreamBound::For(const FlowState& fs)
{
    // Up and to the left of the corner the polar angle is pi - atan(y/x), at least pi/2 less
    // a rounding or two: upstream whenever machAngle is clearly below pi/2. Up and to the
    // right it is atan(-y/x), which never decreases as -y/x grows (but for a last-place
    // rounding); from a ratio whose arctangent lies well above machAngle on, every point is
    // upstream. The margins are far wider than any rounding of atan, tan or the division.
    UpstreamBound b;
    const double a = fs.machAngle;
    if (!(a > 0.001 && a < 1.5))
        return b;
    const double ratio = std::tan(a) * (1.0 + 1e-7);
    if (!(std::isfinite(ratio) && std::atan(ratio) > a + 1e-12))
        return b;
    b.usable_ = true;
    b.minRatio_ = ratio;
    return b;
}

void Tracer::Draw(DC& dc, const Corner& corner) const
{
    dc.SetPixel(ScreenCoord(TruncToInt(x), corner.ApexX()), ScreenCoord(TruncToInt(y), corner.top),
                kColour);
}
