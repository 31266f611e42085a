#pragma once
// The tracers' motion in the exact flow (model/exact_flow.h), beside the model's stepping
// (tracers/tracer.h), which it leaves as it is. A tracer moves with the exact velocity at its
// position times kTimeStep and is put back, after each step, on the exact streamline of its
// upstream height (Tracer::streamHeight). Every region but the fan has one velocity, so only a
// tracer in the fan, or one that crosses from region to region, takes more than a polar angle.
#include "corner/corner.h"
#include "model/exact_flow.h"
#include "tracers/tracer.h"

class ExactMotion {
public:
    // The constants of a flow for the corner as it stands.
    static ExactMotion For(const ExactFlow& flow, const Corner& corner);

    const ExactFlow& Flow() const { return flow_; }
    // The region at polar angle phi, told from the flow's angles alone (ExactStateAtAngle's
    // regions). Detached and Subsonic flows: the oncoming flow left of the vertical through
    // the corner (phi >= pi/2), where the tracers move with V1, and None between it and the
    // wall (for a subsonic flow the theory computes nothing; the tracers still come in).
    ExactRegion RegionAt(double phi) const;
    // Where gas flows that a tracer may move through.
    static bool Moves(ExactRegion r)
    {
        return r == ExactRegion::Upstream || r == ExactRegion::Fan || r == ExactRegion::Downstream;
    }
    // The displacement in the fan at polar angle phi (the closed form: psi = phiSonic - phi,
    // Vphi = c* cos(psi/K), Vr = K c* sin(psi/K)).
    void FanStep(double phi, double& stepX, double& stepY) const;
    // A point where the flow is certainly the oncoming one, told without an arctangent.
    bool CertainlyUpstream(double x, double y) const;
    // One step of t: the exact velocity at its position times kTimeStep (upstream its share
    // of V1, see Start), then back onto the
    // streamline of its height. False when it has left the picture's extent (more than a
    // picture above the corner or to its left, or past its right or bottom edge) or has come
    // where no gas moves (vacuum, body, a region not computed), or its streamline does not
    // reach where it came: the caller respawns it.
    bool Step(Tracer& t) const;
    // A tracer started upstream (FlowField::StartTracer): on the streamline of its height,
    // moving with speedShare times V1. Upstream each tracer keeps its own share of V1, as the
    // model's tracers keep their random speeds there, which spreads the cloud along the flow;
    // from the first Mach line or the shock on, every tracer moves with the exact velocity.
    void Start(Tracer& t, double speedShare) const;
    // A tracer kept where it stands under a new flow: on the streamline through its position.
    // False when that point is in no gas that moves.
    bool Seat(Tracer& t) const;
    // The pressure at a corner-relative point (the marker's radius), Pa; NaN where there is no
    // gas.
    double PressureAt(double x, double y) const;

private:
    ExactFlow flow_;
    double wallPhi_ = 0.0;
    double upStepX_ = 0.0;   // kTimeStep * V1
    double downStepX_ = 0.0; // the uniform flow past the fan or behind the shock
    double downStepY_ = 0.0;
    double fanScale_ = 0.0; // kTimeStep * c*
    // The fan's streamline: r = h / sin(mu1) (cos(psi1/K) / cos(psi/K))^(K^2).
    double cosPsi1_ = 0.0, kSquared_ = 0.0, perHeight_ = 0.0;
    // The certain upstream region: every point above the corner's level left of it (leftUp_),
    // and right of it those whose -y/x is at least minRatio_ (rightUp_); anything above the
    // level for a straight wall (allUp_).
    bool leftUp_ = false, rightUp_ = false, allUp_ = false;
    double minRatio_ = 0.0;
    double width_ = 0.0, height_ = 0.0;
    // A step within the fan by the tracer's polar angle along its streamline's closed form:
    // the angle turns by Vphi kTimeStep / r and the radius is the closed form's on the new ray.
    // False, with t untouched, where that angle leaves the fan (the ordinary step then runs).
    // kept: t stands where its last step put it (its exactFanCos is that step's, if any).
    bool StepInFan(Tracer& t, double phi, bool kept) const;
    bool KeepsGoing(const Tracer& t) const
    {
        return t.x < width_ && t.y < height_ && t.x > -2.0 * width_ && t.y > -height_;
    }
};
