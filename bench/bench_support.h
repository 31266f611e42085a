#pragma once
// The picture as the dialog starts it, without a window: the start-up inputs (V1 450, T1 273,
// P1 100000), a 622 x 384 picture (the dialog's picture control), a fixed seed, and the first
// recompute with its frame, as after the dialog's first computation.
#include <cmath>
#include <cstdint>

#include "corner/corner.h"
#include "model/flow_state.h"
#include "view/flow_view.h"

namespace bench {

constexpr int kPictureWidth = 622;
constexpr int kPictureHeight = 384;
constexpr double kStartUpWall = 0.785375;

// Wall angles of interest at the start-up inputs.
// The wall in line with the upstream wall, as far as a drag can turn it (a point right of the
// corner, level with it): the narrowest fan, where the probe starts about 300 heights up.
inline double NarrowestWall() { return std::atan(20.0 * kPictureWidth); }
// Turned by 2.77 rad, past the largest turning angle (2.28 rad at 450 m/s and 273 K).
constexpr double kPastMaxTurnWall = -1.2;

// The picture's parts moved and drawn as the session does it, without a session.
struct HeadlessView {
    FlowState fs;
    Corner corner;
    FlowField field{fs, corner};
    FlowView view{field};
    FrameBuffer frame;

    explicit HeadlessView(double p1 = 100000.0, uint32_t seed = 20240611u)
    {
        fs.v1 = 450.0;
        fs.t1 = 273.0;
        fs.p1 = p1;
        ComputeUpstreamState(fs);
        field.Open(kPictureWidth, kPictureHeight, seed);
        RecomputeFlow();
    }
    // What a tick does: the tracers brought to the next frame, and the frame.
    void Tick()
    {
        field.AdvanceToFrame();
        view.Compose(frame, 1);
    }
    // What a drag move does: the retrace and a frame.
    void RecomputeFlow()
    {
        field.RetraceFlow();
        view.Compose(frame, 1);
    }
};

} // namespace bench
