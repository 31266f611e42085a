#pragma once
// A massless particle carried by the modelled velocity field. Positions are corner-relative
// pixels (x to the right, y downward); a displacement is a velocity times the time step 0.005.
#include "model/flow_state.h"
#include "platform/dc.h"
#include "view/corner.h"

// The constants of the velocity field in the fan, for one flow state and wall angle. A run of
// many steps under the same flow computes them once.
struct FanVelocity {
    double span = 0.0; // machAngle - fanEndAngle
    double A = 0.0;    // radial velocity on the first characteristic
    double S = 0.0;    // cross velocity on the first characteristic
    double G = 0.0;    // the radial parabola: A + H*depth + G*depth^2
    double H = 0.0;
    double crossGain = 0.0; // cross velocity on the last characteristic less S

    static FanVelocity For(const FlowState& fs, const CCorner& corner);
};

class CTracer {
public:
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

    // Draws the tracer as one red pixel, then takes one Step.
    virtual void Draw(DC& dc, const FlowState& fs, const CCorner& corner);

    // One time step through the velocity field. False: an ordinary tracer has left the
    // picture's extent, or a probe's run is over.
    bool Step(const FlowState& fs, const CCorner& corner);
    // The same step with the fan's constants computed beforehand for fs and corner.
    bool Step(const FlowState& fs, const CCorner& corner, const FanVelocity& fan);

private:
    bool Advance(const FlowState& fs, const CCorner& corner, const FanVelocity* fan);
};
