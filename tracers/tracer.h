#pragma once
// A massless particle carried by the modelled velocity field. Positions are corner-relative
// pixels (x to the right, y downward); a displacement is a velocity times the time step kTimeStep.
#include <cmath>

#include "corner/corner.h"
#include "draw/dc.h"
#include "model/flow_state.h"

// The constants of the velocity field in the fan, for one flow state and wall angle. A run of
// many steps under the same flow computes them once.
// The time step of the animation: a displacement is a velocity times this.
constexpr double kTimeStep = 0.005;

struct FanVelocity {
    double span = 0.0; // machAngle - fanEndAngle
    double A = 0.0;    // radial velocity on the first characteristic
    double S = 0.0;    // cross velocity on the first characteristic
    double G = 0.0;    // the radial parabola: A + H*depth + G*depth^2
    double H = 0.0;
    double crossGain = 0.0; // cross velocity on the last characteristic less S

    // Computed from machAngle, fanEndAngle, v1, maxTurnAngle and wallAngle only; the last
    // result is kept and given again while those five are the same, bit for bit.
    static FanVelocity For(const FlowState& fs, const Corner& corner);

private:
    static FanVelocity Compute(const FlowState& fs, const Corner& corner);
};

// Which points are upstream of the fan (region 1) for certain, told without an arctangent:
// every point up and to the left of the corner, and a point up and to the right whose -y/x is
// well above tan(machAngle). Any other point may be in any region; so may every point when the
// first characteristic is too steep or too flat for the margins below.
class UpstreamBound {
public:
    static UpstreamBound For(const FlowState& fs);
    bool Certain(double x, double y) const
    {
        if (!(y < 0.0) || !usable_)
            return false;
        if (x < 0.0)
            return std::isfinite(x) || std::isfinite(y); // both infinite: y/x is no number
        return x > 0.0 && -y / x >= minRatio_;
    }

private:
    bool usable_ = false;
    double minRatio_ = 0.0; // -y/x at and above which a point right of the corner is upstream
};

class Tracer {
public:
    // The colour of a tracer's pixel (the legend shows it too).
    static constexpr Colour kColour{255, 0, 0};
    double stepX = 1.0;
    double stepY = 0.0;
    double x = -300.0;
    double y = -90.0;
    double speed = 0.0;
    double vPhi = 0.0;
    double vR = 0.0;
    double phi = 0.0;
    bool isProbe = false;
    double exitStepX = 0.0;
    double exitStepY = 0.0;
    double entryRadius = -1.0;
    // The exact theory's motion only (tracers/exact_motion.h): the height of the tracer's
    // streamline above the upstream wall upstream, px, and its upstream speed as a share of V1
    // (0.9 to 1.1, the random share of its speed).
    double streamHeight = 0.0;
    double speedShare = 1.0;
    // The polar angle of the point (exactPhiX, exactPhiY), kept by the exact step that put the
    // tracer there: a step from that very point takes it instead of an arctangent.
    // With it, cos(psi/K) of the fan's closed form on that ray (for the flow that step took).
    double exactPhi = 0.0;
    double exactPhiX = NAN, exactPhiY = NAN;
    double exactFanCos = NAN;

    // Draws the tracer as one red pixel where it stands; moves nothing.
    void Draw(DC& dc, const Corner& corner) const;

    // One time step through the velocity field. False: an ordinary tracer has left the
    // picture's extent, or a probe's run is over.
    bool Step(const FlowState& fs, const Corner& corner);
    // The same step with the fan's constants computed beforehand for fs and corner.
    bool Step(const FlowState& fs, const Corner& corner, const FanVelocity& fan);
    // The same step again, for a caller that has just taken the polar angle of the current
    // position: phiHere must be PolarAngle(x, y), exactly as the step would compute it.
    bool StepFrom(double phiHere, const FlowState& fs, const Corner& corner,
                  const FanVelocity& fan);

    // A step from a point certainly upstream of the fan to a point certainly upstream of it
    // (both Certain for up), which only the tracer's displacement moves: the same move and the
    // same keep-going test as Step, but phi is not taken. A step from the point it reaches is
    // also upstream and overwrites phi before anything reads it; the last step of a run must
    // be an ordinary Step if phi is to be that of the run's last position.
    bool StepWithinUpstream(const Corner& corner);
    // Whether the next step may be StepWithinUpstream.
    bool StaysUpstream(const UpstreamBound& up) const
    {
        return up.Certain(x, y) && up.Certain(x + stepX, y + stepY);
    }

    // The probe's run: Step until it returns false or maxSteps steps have been taken; the steps
    // taken are returned. The position, the displacement and the count are those of Step by
    // Step; the angle is taken only where a step can need it.
    // The run is a function of the tracer's state, fs's two fan angles, fan and the picture's
    // extent alone, so the last 64 runs on this thread are remembered and a run from the same
    // inputs, bit for bit, gives the remembered result without stepping: a drag back and
    // forth over the same wall angles retraces the flow at once.
    long RunProbe(const FlowState& fs, const Corner& corner, const FanVelocity& fan, long maxSteps);
    // Forgets the remembered runs of this thread (for timing a run from inputs never met).
    static void ForgetProbeRuns();

private:
    // Inline, and defined where every caller is (tracer.cpp): the body of each stepping loop.
    inline bool Advance(double phiHere, const FlowState& fs, const Corner& corner,
                        const FanVelocity* fan);
    inline bool KeepsGoing(const Corner& corner) const;
};
