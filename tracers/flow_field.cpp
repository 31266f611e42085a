#include "tracers/flow_field.h"

#include <cmath>

#include "base/constants.h"
#include "base/saturate.h"
#include "base/vector_state.h"
#include "model/classify.h"
#include "model/start_values.h"

namespace {

// The body of a wall turned up above the upstream wall's line (wallAngle above pi/2, which no
// drag gives with the model): where no tracer may stand and no streamline runs. Off for every
// other wall, which leaves the model's tick as it is.
struct RaisedWall {
    bool on = false;
    double c = 0.0, s = 0.0; // the wall's direction (cos, sin of its polar angle)

    static RaisedWall For(const Corner& corner)
    {
        RaisedWall r;
        const double wallPhi = corner.wallAngle - kHalfPi;
        if (wallPhi > 0.0 && wallPhi < kPi) {
            r.on = true;
            r.c = std::cos(wallPhi);
            r.s = std::sin(wallPhi);
        }
        return r;
    }
    // Below the upstream wall's line, or clockwise of the downstream wall (picture y downward).
    bool Inside(double x, double y) const { return y > 0.0 || c * -y - s * x < 0.0; }
};

// A streamline's path cut where it first enters the body of a raised wall: the point where it
// meets the wall (found on the segment by halving) ends it.
void EndAtRaisedWall(Streamline& line, const RaisedWall& wall)
{
    DynArray<PathPoint>& p = line.points;
    for (int i = 1; i < p.count; ++i) {
        if (!wall.Inside(p[i].x, p[i].y))
            continue;
        PathPoint out = p[i - 1], in = p[i];
        for (int k = 0; k < 60; ++k) {
            const PathPoint mid{0.5 * (out.x + in.x), 0.5 * (out.y + in.y)};
            if (wall.Inside(mid.x, mid.y))
                in = mid;
            else
                out = mid;
        }
        p[i] = out;
        p.count = i + 1;
        return;
    }
}

// Tracers per pascal of upstream pressure (1/Pa): the population is p1 times this.
constexpr double kTracersPerPascal = 0.05;
// A tracer's speed is V1 times a share from kLeastSpeedShare up to kLeastSpeedShare + 0.2,
// rising by kSpeedSharePerRandom with each unit of its random number (0..32767; 0.2/32767).
constexpr double kLeastSpeedShare = 0.9;
constexpr double kSpeedSharePerRandom = 6.1037018951994385e-6;
// Where a tracer starts: above the wall's line by a share of the picture height per unit of its
// random number (the marker up to a quarter, 0.25/32767; a tracer up to a half, 0.5/32767), plus
// a few pixels (kMarkerLift, kTracerLift); left of the picture by half its width plus up to a
// third of it (1/3/32767 per unit).
constexpr double kMarkerHeightPerRandom = 7.629627368999298e-6;
constexpr double kTracerHeightPerRandom = 1.5259254737998596e-5;
constexpr double kMarkerLift = 10.0; // pixels
constexpr double kTracerLift = 5.0;  // pixels
constexpr double kStartLeadPerRandom = 1.0172836491999064e-5;
// The probe run's start height in picture heights: kProbeHighest for a fan that has not begun to
// turn, falling as (1 - span/fullFanSpan)^kProbeHeightPower while the fan opens, at least 1.
constexpr double kProbeHighest = 300.0;
constexpr double kProbeHeightPower = 18.0;
// The three streamlines start at (i + 1)/10 of the picture height less a thirtieth of it above
// the wall's line (i = 1, 2, 3).
constexpr double kStreamlineSpacing = 0.1;     // picture heights
constexpr double kStreamlineDrop = 1.0 / 30.0; // picture heights

} // namespace

FlowField::FlowField(FlowState& fs, Corner& c)
    : flow(fs), corner(c), streamlines(true), tracers(true)
{
    streamlines.Reserve(4);
    streamlines.count = 4;
}

void FlowField::Open(int w, int h, uint32_t seed)
{
    width = w;
    height = h;
    corner.top = h / 2;
    corner.SetWallAngle(StartUpValues().wallAngle);
    corner.left = 0;
    corner.width = w;
    corner.height = h;
    random.Seed(seed);
    UpdatePopulation();
}

int FlowField::PopulationFor(double p1)
{
    const double n = p1 * kTracersPerPascal;
    if (!std::isfinite(n))
        return 0;
    const int count = TruncToInt(n);
    if (count < 0)
        return 0;
    return count > kMaxTracers ? kMaxTracers : count;
}

void FlowField::UpdatePopulation()
{
    const int n = PopulationFor(flow.p1);
    if (n == tracers.count)
        return;
    if (n > tracers.capacity)
        tracers.Reserve(n);
    tracers.count = n;
    stepOwed_ = false; // the new population has not been shown yet
    RespawnTracer(-1);
    for (int i = 0; i < n; ++i)
        RespawnTracer(i);
}

void FlowField::RespawnTracer(int index)
{
    if (index < -1 || index >= tracers.count)
        return;
    const int r1 = random.Next();
    const int r2 = random.Next();
    const int r3 = random.Next();
    Tracer& t = index == -1 ? static_cast<Tracer&>(marker) : tracers[index];
    StartTracer(t, index == -1, r1, r2, r3);
    if (Exact())
        exact.Start(t, r1 * kSpeedSharePerRandom + kLeastSpeedShare); // StartTracer's share of V1
}

void FlowField::StartTracer(Tracer& t, bool isMarker, int r1, int r2, int r3) const
{
    t.speed = (r1 * kSpeedSharePerRandom + kLeastSpeedShare) * flow.v1;
    // r2*H and r3*W are integer products; 64 bits hold them for any picture size.
    const double r2H = static_cast<double>(static_cast<long long>(r2) * height);
    const double r3W = static_cast<double>(static_cast<long long>(r3) * width);
    if (isMarker)
        t.y = TruncToInt(-r2H * kMarkerHeightPerRandom - kMarkerLift);
    else
        t.y = TruncToInt(-r2H * kTracerHeightPerRandom - kTracerLift);
    t.x = TruncToInt(-width * 0.5 - r3W * kStartLeadPerRandom);
    t.stepY = 0.0;
    t.vR = 0.0;
    t.vPhi = 0.0;
    t.entryRadius = -1.0;
    t.stepX = kTimeStep * t.speed;
}

double FlowField::ProbeHeightFactor(double span, double fullFanSpan)
{
    double K = kProbeHighest * std::pow(1.0 - span / fullFanSpan, kProbeHeightPower);
    if (K < 1.0)
        K = 1.0;
    return K;
}

void FlowField::RetraceFlow()
{
    ClearUpperVectorState();
    ++traces;
    corner.ComputeFanGeometry(flow);
    if (Exact()) {
        exact = ExactMotion::For(corner.ExactFlowOf(flow), corner);
        probeSteps = 0;
        for (int i = 0; i < tracers.count; ++i)
            if (!exact.Seat(tracers[i]))
                RespawnTracer(i);
        if (!exact.Seat(marker))
            RespawnTracer(-1);
        for (int i = 1; i <= 3 && i < streamlines.count; ++i)
            streamlines[i].TraceExact((static_cast<double>(i + 1) * height) * kStreamlineSpacing
                                          - height * kStreamlineDrop,
                                      exact, corner);
        return;
    }

    const double span = flow.machAngle - flow.fanEndAngle;
    probeSteps = 0;
    if (span > 0.0) {
        const double K = ProbeHeightFactor(span, flow.fullFanSpan);
        Tracer probe;
        probe.x = TruncToInt(-width * 0.5);
        probe.y = TruncToInt(-height * K);
        probe.stepY = 0.0;
        probe.vR = 0.0;
        probe.vPhi = 0.0;
        probe.speed = flow.v1;
        probe.entryRadius = -1.0;
        probe.isProbe = true;
        probe.stepX = kTimeStep * flow.v1;
        // The run ends when the probe passes the fan or its far limits; the step bound ends
        // one that barely moves (a tiny V1) or moves away from the fan.
        const FanVelocity fan = FanVelocity::For(flow, corner);
        probeSteps = probe.RunProbe(flow, corner, fan, kMaxProbeSteps);
        exitStepX = probe.stepX;
        exitStepY = probe.stepY;
    } else {
        exitStepX = kTimeStep * flow.v1;
        exitStepY = 0.0;
    }

    for (Tracer& t : tracers) {
        t.exitStepX = exitStepX;
        t.exitStepY = exitStepY;
    }

    for (int i = 1; i <= 3 && i < streamlines.count; ++i) {
        Streamline& s = streamlines[i];
        s.exitStepX = exitStepX;
        s.exitStepY = exitStepY;
        s.Trace((static_cast<double>(i + 1) * height) * kStreamlineSpacing
                    - height * kStreamlineDrop,
                flow, corner);
    }
    const RaisedWall raised = RaisedWall::For(corner);
    if (raised.on)
        for (int i = 1; i <= 3 && i < streamlines.count; ++i)
            EndAtRaisedWall(streamlines[i], raised);
}

void FlowField::StepTracers()
{
    ClearUpperVectorState();
    if (Exact()) {
        StepExact(true);
        return;
    }
    const RaisedWall raised = RaisedWall::For(corner);
    const FanVelocity fan = FanVelocity::For(flow, corner);
    // A tracer whose step starts and ends where the flow is certainly upstream only moves: it
    // takes no angle, and keeps the phi of an earlier step. Its next Step (StepAfterFrame's,
    // which follows every StepTracers) starts certainly upstream, where phi is not read, and
    // sets it; so is phi set again after a restart, whose start point is upstream too.
    const UpstreamBound up = UpstreamBound::For(flow);
    for (int i = 0; i < tracers.count; ++i) {
        Tracer& t = tracers[i];
        const bool going = t.StaysUpstream(up) ? t.StepWithinUpstream(corner)
                                               : t.Step(flow, corner, fan);
        if (!going || (raised.on && raised.Inside(t.x, t.y)))
            RespawnTracer(i);
    }
    if (!marker.Step(flow, corner, fan) || (raised.on && raised.Inside(marker.x, marker.y)))
        RespawnTracer(-1);
}

void FlowField::StepAfterFrame()
{
    ClearUpperVectorState(); // the frame before it may have run a shell's text painter
    if (Exact()) {
        StepExact(false);
        return;
    }
    // A full Step for every tracer (it sets phi; see StepTracers) and no respawn.
    const FanVelocity fan = FanVelocity::For(flow, corner);
    for (Tracer& t : tracers)
        t.Step(flow, corner, fan);
    marker.Step(flow, corner, fan);
}

void FlowField::AdvanceToFrame()
{
    if (stepOwed_)
        StepAfterFrame();
    StepTracers();
    stepOwed_ = true;
}

void FlowField::StepExact(bool respawn)
{
    // A tracer that could not step stands where it was until the next StepTracers respawns
    // it: the frame shows live tracers only.
    for (int i = 0; i < tracers.count; ++i)
        if (!exact.Step(tracers[i]) && respawn)
            RespawnTracer(i);
    if (!exact.Step(marker) && respawn)
        RespawnTracer(-1);
}

int FlowField::MarkerRadius() const
{
    if (!Exact())
        return marker.Radius(flow, corner);
    return Marker::RadiusFor(exact.PressureAt(marker.x, marker.y), corner);
}
