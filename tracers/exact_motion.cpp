#include "tracers/exact_motion.h"

#include <cmath>

#include "base/constants.h"

ExactMotion ExactMotion::For(const ExactFlow& flow, const Corner& corner)
{
    ExactMotion m;
    m.flow_ = flow;
    m.wallPhi_ = corner.wallAngle - kHalfPi;
    m.width_ = corner.width;
    m.height_ = corner.height;
    m.upStepX_ = kTimeStep * flow.v1;
    if (!std::isfinite(m.upStepX_))
        m.upStepX_ = 0.0;
    if (flow.kind == ExactKind::Fan || flow.kind == ExactKind::Shock) {
        m.downStepX_ = kTimeStep * flow.v2 * std::cos(flow.flowAngle2);
        m.downStepY_ = -kTimeStep * flow.v2 * std::sin(flow.flowAngle2);
    }
    // c* as ExactStateAtAngle takes it in the fan.
    m.fanScale_ = kTimeStep * flow.c1 / std::cos(flow.psi1 / flow.K);
    m.cosPsi1_ = std::cos(flow.psi1 / flow.K);
    m.kSquared_ = flow.K * flow.K;
    m.perHeight_ = 1.0 / std::sin(flow.first);

    // The edge of the oncoming flow, and whether the wall lies below it.
    double edge = kNotComputed;
    switch (flow.kind) {
    case ExactKind::Fan:
    case ExactKind::FanToVacuum: edge = flow.first; break;
    case ExactKind::Shock: edge = flow.shockAngle; break;
    case ExactKind::Detached:
    case ExactKind::Subsonic: edge = kHalfPi; break;
    case ExactKind::None: edge = 0.0; break;
    }
    if (!(m.wallPhi_ <= edge))
        return m; // no certain region (a wall above the edge, or no numbers)
    if (flow.kind == ExactKind::None) {
        m.allUp_ = true;
        return m;
    }
    m.leftUp_ = edge <= kHalfPi;
    // Right of the corner: as UpstreamBound, with margins far wider than any rounding.
    if (edge > 0.001 && edge < 1.5) {
        const double ratio = std::tan(edge) * (1.0 + 1e-7);
        if (std::isfinite(ratio) && std::atan(ratio) > edge + 1e-12) {
            m.rightUp_ = true;
            m.minRatio_ = ratio;
        }
    }
    return m;
}

ExactRegion ExactMotion::RegionAt(double phi) const
{
    if (!(phi == phi))
        return ExactRegion::None;
    if (phi < wallPhi_)
        return ExactRegion::Body;
    switch (flow_.kind) {
    case ExactKind::None: return ExactRegion::Upstream;
    case ExactKind::Fan:
        if (phi > flow_.first)
            return ExactRegion::Upstream;
        return phi >= flow_.last ? ExactRegion::Fan : ExactRegion::Downstream;
    case ExactKind::FanToVacuum:
        if (phi > flow_.first)
            return ExactRegion::Upstream;
        return phi >= flow_.last ? ExactRegion::Fan : ExactRegion::Vacuum;
    case ExactKind::Shock:
        return phi >= flow_.shockAngle ? ExactRegion::Upstream : ExactRegion::Downstream;
    case ExactKind::Detached:
    case ExactKind::Subsonic: return phi >= kHalfPi ? ExactRegion::Upstream : ExactRegion::None;
    }
    return ExactRegion::None;
}

void ExactMotion::FanStep(double phi, double& stepX, double& stepY) const
{
    const double a = (flow_.phiSonic - phi) / flow_.K;
    const double vPhi = fanScale_ * std::cos(a);
    const double vR = fanScale_ * flow_.K * std::sin(a);
    const double s = std::sin(phi), c = std::cos(phi);
    stepX = vR * c + vPhi * s;
    stepY = -vR * s + vPhi * c;
}

bool ExactMotion::CertainlyUpstream(double x, double y) const
{
    if (!(y < 0.0))
        return false;
    if (allUp_)
        return std::isfinite(x) && std::isfinite(y);
    if (x < 0.0)
        return leftUp_ && std::isfinite(x) && std::isfinite(y);
    return rightUp_ && x > 0.0 && -y / x >= minRatio_;
}

void ExactMotion::Start(Tracer& t, double speedShare) const
{
    t.streamHeight = -t.y;
    t.speedShare = speedShare;
    t.exactPhiX = NAN; // nothing kept from a flow before
    t.stepX = upStepX_ * speedShare;
    t.stepY = 0.0;
}

bool ExactMotion::Seat(Tracer& t) const
{
    t.exactFanCos = NAN; // of the flow before
    if (CertainlyUpstream(t.x, t.y)) {
        Start(t, t.speedShare);
        return true;
    }
    if (!Moves(RegionAt(ExactPolarAngle(t.x, t.y))))
        return false;
    const double h = StreamHeightAt(flow_, t.x, t.y);
    if (!(h > 0.0 && h < HUGE_VAL))
        return false;
    t.streamHeight = h;
    return true;
}

bool ExactMotion::Step(Tracer& t) const
{
    const double upStep = upStepX_ * t.speedShare;
    if (CertainlyUpstream(t.x, t.y) && CertainlyUpstream(t.x + upStep, t.y)) {
        t.stepX = upStep;
        t.stepY = 0.0;
        t.x += upStep;
        return KeepsGoing(t);
    }
    // The angle the last step kept, while the tracer stands where that step put it.
    const bool kept = t.x == t.exactPhiX && t.y == t.exactPhiY;
    const double phi = kept ? t.exactPhi : ExactPolarAngle(t.x, t.y);
    const ExactRegion from = RegionAt(phi);
    if (from == ExactRegion::Fan && StepInFan(t, phi, kept))
        return KeepsGoing(t);
    switch (from) {
    case ExactRegion::Upstream:
        t.stepX = upStep;
        t.stepY = 0.0;
        break;
    case ExactRegion::Fan: FanStep(phi, t.stepX, t.stepY); break;
    case ExactRegion::Downstream:
        t.stepX = downStepX_;
        t.stepY = downStepY_;
        break;
    default: return false;
    }
    t.phi = phi;
    const double x = t.x + t.stepX;
    const double y = t.y + t.stepY;
    const double phiThere = ExactPolarAngle(x, y);
    const ExactRegion to = RegionAt(phiThere);
    if (!Moves(to))
        return false;
    t.x = x;
    t.y = y;
    // In the fan, the closed form's radius on the ray the step reached.
    if (to == ExactRegion::Fan && from == ExactRegion::Fan) {
        const double c = std::cos((flow_.phiSonic - phiThere) / flow_.K);
        const double r = t.streamHeight * perHeight_ * std::pow(cosPsi1_ / c, kSquared_);
        const double scale = r / std::hypot(x, y);
        if (!(c > 0.0) || !std::isfinite(scale))
            return false;
        t.x = x * scale;
        t.y = y * scale;
        return KeepsGoing(t);
    }
    // Within a region of one velocity the step runs along the streamline already.
    if (to == ExactRegion::Fan || to != from) {
        double px = 0.0, py = 0.0;
        if (!StreamPointAt(flow_, t.streamHeight, phiThere, px, py))
            return false;
        t.x = px;
        t.y = py;
    }
    return KeepsGoing(t);
}

bool ExactMotion::StepInFan(Tracer& t, double phi, bool kept) const
{
    const double r = std::sqrt(t.x * t.x + t.y * t.y);
    const double here = kept && t.exactFanCos == t.exactFanCos
                            ? t.exactFanCos
                            : std::cos((flow_.phiSonic - phi) / flow_.K);
    const double vPhi = fanScale_ * here;
    const double next = phi - vPhi / r;
    if (!(next < phi) || RegionAt(next) != ExactRegion::Fan)
        return false;
    const double c = std::cos((flow_.phiSonic - next) / flow_.K);
    const double rNext = t.streamHeight * perHeight_ * std::pow(cosPsi1_ / c, kSquared_);
    if (!(c > 0.0) || !(rNext < HUGE_VAL))
        return false;
    const double x = rNext * std::cos(next);
    const double y = -rNext * std::sin(next);
    t.stepX = x - t.x;
    t.stepY = y - t.y;
    t.phi = phi;
    t.x = x;
    t.y = y;
    t.exactPhi = next;
    t.exactPhiX = x;
    t.exactPhiY = y;
    t.exactFanCos = c;
    return true;
}

double ExactMotion::PressureAt(double x, double y) const
{
    const double phi = ExactPolarAngle(x, y);
    const ExactRegion r = RegionAt(phi);
    if (r == ExactRegion::Upstream)
        return flow_.p1;
    if (r == ExactRegion::Downstream)
        return flow_.p2;
    if (r == ExactRegion::Fan)
        return ExactStateAtAngle(flow_, phi).P;
    return kNotComputed;
}
