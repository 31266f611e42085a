#include "tracers/streamline.h"

#include <cmath>

#include "base/constants.h"
#include "base/saturate.h"
#include "model/exact_streamline.h"
#include "tracers/limits.h"

void Streamline::Append()
{
    points.Reserve(points.count + 1);
    points[points.count] = PathPoint{x, y};
    ++points.count;
}

void Streamline::Trace(double h, const FlowState& fs, const Corner& corner)
{
    points.Release();
    startY = -h;

    stepY = 0.0;
    vR = 0.0;
    vPhi = 0.0;
    x = TruncToInt(-corner.width * 0.5);
    y = TruncToInt(-h);
    entryRadius = -1.0;
    speed = 0.1 * fs.v1;
    stepX = kTimeStep * speed;
    upstreamSteps = fanSteps = downstreamSteps = 0;
    const FanVelocity fan = FanVelocity::For(fs, corner);

    Append();

    // The trace takes the polar angle of the position a step has reached; the next step,
    // which starts there, is given that angle instead of taking it again.
    bool angleKnown = false;
    double angle = 0.0;
    auto step = [&] {
        const bool going = angleKnown ? StepFrom(angle, fs, corner, fan) : Step(fs, corner, fan);
        angleKnown = false;
        return going;
    };
    auto angleHere = [&] {
        angle = corner.PolarAngle(false, x, y);
        angleKnown = true;
        return angle;
    };

    // Upstream, until the first characteristic is reached or the run ends. Every part of the
    // trace is bounded: a tracer that does not move, or moves away from the fan, would
    // otherwise never end.
    // A step that stays where the flow is certainly upstream takes no angle at all: the
    // position it reaches is certainly before the first characteristic.
    const UpstreamBound up = UpstreamBound::For(fs);
    while (upstreamSteps < kMaxTracePhaseSteps) {
        ++upstreamSteps;
        if (StaysUpstream(up)) {
            angleKnown = false;
            if (!StepWithinUpstream(corner))
                break;
            continue;
        }
        if (!step())
            break;
        if (angleHere() > fs.machAngle)
            continue;
        break;
    }
    Append(); // the fan entry, or where the run ended

    // Through the fan, one point per step.
    ++fanSteps;
    if (step()) {
        for (;;) {
            const double phiNow = angleHere();
            if (!(fs.fanEndAngle <= phiNow && phiNow <= fs.machAngle))
                break;
            Append();
            if (fanSteps >= kMaxTracePhaseSteps)
                break;
            ++fanSteps;
            if (!step())
                break;
        }
    }

    // On past the fan until the run ends; at least one step.
    do {
        ++downstreamSteps;
    } while (step() && downstreamSteps < kMaxTracePhaseSteps);
    Append();
}

void Streamline::TraceExact(double h, const ExactMotion& motion, const Corner& corner)
{
    points.Release();
    startY = -h;
    upstreamSteps = fanSteps = downstreamSteps = 0;
    // The model's start point, whose height is a whole pixel.
    x = TruncToInt(-corner.width * 0.5);
    y = TruncToInt(-h);
    const double height = -y;
    Append();
    if (!(height > 0.0))
        return;
    const ExactFlow& flow = motion.Flow();
    // Far enough to leave the picture from anywhere in it.
    const double reach = 4.0 * (static_cast<double>(corner.width) + corner.height) + 1000.0;
    auto pointAt = [&](double phi) {
        double px = 0.0, py = 0.0;
        if (!StreamPointAt(flow, height, phi, px, py))
            return false;
        x = px;
        y = py;
        Append();
        return true;
    };
    auto onAlong = [&](double direction) {
        const double c = std::cos(direction), s = std::sin(direction);
        if (!std::isfinite(c) || !std::isfinite(s))
            return;
        x += reach * c;
        y -= reach * s;
        Append();
    };
    switch (flow.kind) {
    case ExactKind::None: onAlong(0.0); return;
    case ExactKind::Detached:
    case ExactKind::Subsonic:
        // Level up to the vertical through the corner, where nothing is computed.
        if (x < 0.0) {
            x = 0.0;
            Append();
        }
        return;
    case ExactKind::Shock:
        if (pointAt(flow.shockAngle))
            onAlong(flow.flowAngle2);
        return;
    case ExactKind::Fan:
    case ExactKind::FanToVacuum: break;
    }
    // The fan: rays evenly spaced from the first Mach line to the last (toward the vacuum, to
    // where the streamline leaves the picture's reach).
    if (!pointAt(flow.first))
        return;
    for (int k = 1; k <= kExactFanSteps; ++k) {
        const double phi = flow.first + (flow.last - flow.first) * k / kExactFanSteps;
        ++fanSteps;
        if (!pointAt(phi))
            break; // the limiting Mach line, which a streamline reaches at infinity only
        if (std::hypot(x, y) > reach)
            return;
    }
    // Past the fan along the turned flow; toward the vacuum, along the limiting Mach line,
    // where the flow runs outward along the rays.
    onAlong(flow.kind == ExactKind::Fan ? flow.flowAngle2 : flow.last);
}

void Streamline::Draw(DC& dc, const Corner& corner) const
{
    dc.SelectPen(pen);
    const int ox = corner.ApexX();
    const int oy = corner.top;
    for (int i = 0; i + 1 < points.count; ++i) {
        dc.MoveTo(TruncToInt(ox + points[i].x), TruncToInt(oy + points[i].y));
        dc.LineTo(TruncToInt(ox + points[i + 1].x), TruncToInt(oy + points[i + 1].y));
    }
}
