#pragma once
// Everything that moves in the picture: the ordinary tracers, the marker and the four
// streamlines, with the population that follows P1, the random respawn and the retrace of
// the fan after every change of the flow. Only the clock moves them (AdvanceToFrame, once
// a tick); drawing them (view/flow_view.h) reads them
// and moves nothing.
#include <cstdint>

#include "corner/corner.h"
#include "model/flow_state.h"
#include "tracers/dyn_array.h"
#include "tracers/exact_motion.h"
#include "tracers/limits.h"
#include "tracers/marker.h"
#include "tracers/random.h"
#include "tracers/streamline.h"
#include "tracers/tracer.h"

class FlowField {
public:
    FlowField(FlowState& fs, Corner& corner);
    FlowField(const FlowField&) = delete;
    FlowField& operator=(const FlowField&) = delete;

    // The picture at w x h: the corner at its middle with the start-up wall, the random
    // generator seeded, and the population for the state's p1.
    void Open(int w, int h, uint32_t seed);

    FlowState& flow;
    Corner& corner;

    int width = 0; // picture size, px
    int height = 0;
    DynArray<Streamline> streamlines; // exactly four; 0 is never traced
    DynArray<Tracer> tracers;
    double exitStepX = 0.0; // displacement per step past the fan
    double exitStepY = 0.0;
    Marker marker;
    Random random;
    // The exact flow the tracers, the marker and the streamlines follow while the corner's
    // physics is Exact (set by RetraceFlow then; the model's stepping reads nothing of it).
    ExactMotion exact;
    bool Exact() const { return corner.physics == Physics::Exact; }

    // Sizes the tracer array from p1 (capped, never negative); restarts everything when the
    // size changes.
    void UpdatePopulation();
    // index >= 0: ordinary tracer index; -1: the marker.
    void RespawnTracer(int index);
    // Fan geometry, probe run, exit displacements and the traced streamlines (1 to 3): every
    // part of recomputing the flow except drawing the frame. With the exact theory: the fan
    // geometry, the exact flow (no probe run), every tracer and the marker put on the exact
    // streamline through where it stands (respawned where no gas moves), and the exact
    // streamlines from the same start heights.
    void RetraceFlow();
    // The marker's radius, px: the model's (Marker::Radius), or 1000000/P of the exact pressure
    // where the marker stands; 0 where nothing is drawn.
    int MarkerRadius() const;
    // A tick is two steps of every tracer and the marker, and its frame shows them between the
    // two. The first, StepTracers, respawns those that have left the picture, so the frame
    // shows live tracers only; the second, StepAfterFrame, respawns none (a tracer that has
    // left waits for the next tick's first step). The speed of the animation and the density of
    // the cloud are those of the two steps together.
    //
    // StepTracers: every tracer, then the marker, respawning those that have left. A tracer
    // that stays certainly upstream keeps the phi of an earlier step until the following
    // StepAfterFrame sets it (see the definition); its position and displacement are those of
    // Step.
    void StepTracers();
    void StepAfterFrame();
    // The clock's tick up to its frame: the second step the last tick owes, then StepTracers.
    // The second step is taken at the start of the next tick rather than after the frame, so
    // that between ticks the tracers stand where the last frame showed them and a frame
    // composed between ticks (a paused drag, a save, a resize) shows them there too. The frames
    // of a run of ticks are those of the two steps with the frame between them. A population
    // that starts afresh owes no step.
    void AdvanceToFrame();
    bool StepOwed() const { return stepOwed_; }

    // Starts t from the three random numbers r1 (speed), r2 (height) and r3 (distance), each
    // 0..32767, for a picture of width x height.
    void StartTracer(Tracer& t, bool isMarker, int r1, int r2, int r3) const;
    // The number of tracers for an upstream pressure: p1*0.05, 0 when that is negative or not
    // a number, at most kMaxTracers.
    static int PopulationFor(double p1);
    // How many picture heights above the wall the probe starts: 300*(1 - span/fullFanSpan)^18,
    // at least 1.
    static double ProbeHeightFactor(double span, double fullFanSpan);

    long probeSteps = 0;      // steps of the last probe run (0 when none was run)
    unsigned long traces = 0; // how many times the flow was retraced

private:
    // The exact theory's tick: as StepTracers and StepAfterFrame, each tracer along its exact
    // streamline (ExactMotion::Step).
    void StepExact(bool respawn);
    bool stepOwed_ = false; // the last tick's second step, taken by the next AdvanceToFrame
};
