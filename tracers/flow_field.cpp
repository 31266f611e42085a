#include "tracers/flow_field.h"

#include <cmath>

#include "base/saturate.h"
#include "base/vector_state.h"
#include "model/start_values.h"

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
    const double n = p1 * 0.05;
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
    if (index == -1)
        StartTracer(marker, true, r1, r2, r3);
    else
        StartTracer(tracers[index], false, r1, r2, r3);
}

void FlowField::StartTracer(Tracer& t, bool isMarker, int r1, int r2, int r3) const
{
    t.speed = (r1 * 6.1037018951994385e-6 + 0.9) * flow.v1;
    // r2*H and r3*W are integer products; 64 bits hold them for any picture size.
    const double r2H = static_cast<double>(static_cast<long long>(r2) * height);
    const double r3W = static_cast<double>(static_cast<long long>(r3) * width);
    if (isMarker)
        t.y = TruncToInt(-r2H * 7.629627368999298e-6 - 10.0);
    else
        t.y = TruncToInt(-r2H * 1.5259254737998596e-5 - 5.0);
    t.x = TruncToInt(-width * 0.5 - r3W * 1.0172836491999064e-5);
    t.stepY = 0.0;
    t.vR = 0.0;
    t.vPhi = 0.0;
    t.entryRadius = -1.0;
    t.stepX = kTimeStep * t.speed;
}

double FlowField::ProbeHeightFactor(double span, double fullFanSpan)
{
    double K = 300.0 * std::pow(1.0 - span / fullFanSpan, 18.0);
    if (K < 1.0)
        K = 1.0;
    return K;
}

void FlowField::RetraceFlow()
{
    ClearUpperVectorState();
    ++traces;
    corner.ComputeFanGeometry(flow);

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
        s.Trace((static_cast<double>(i + 1) * height) * 0.1 - height * (1.0 / 30.0), flow, corner);
    }
}

void FlowField::StepTracers()
{
    ClearUpperVectorState();
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
        if (!going)
            RespawnTracer(i);
    }
    if (!marker.Step(flow, corner, fan))
        RespawnTracer(-1);
}

void FlowField::StepAfterFrame()
{
    ClearUpperVectorState(); // the frame before it may have run a shell's text painter
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
