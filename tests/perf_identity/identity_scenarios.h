#pragma once
// Fixed-seed states of the picture and digests of what they hold: every pixel of the frame
// and the bits of every number the flow field keeps (tracers, marker, streamline paths, exit
// displacements). Two builds that give the same digests for every state draw the same frames
// and move the tracers through the same numbers.
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "corner/corner.h"
#include "model/flow_state.h"
#include "tests/support/start_up.h"
#include "view/flow_view.h"

namespace identity {

// FNV-1a, 64 bits.
class Digest {
public:
    void Bytes(const void* data, size_t n)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < n; ++i) {
            h_ ^= p[i];
            h_ *= 1099511628211ull;
        }
    }
    void Double(double v)
    {
        uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        Bytes(&bits, sizeof bits);
    }
    void Int(long long v) { Bytes(&v, sizeof v); }
    uint64_t Value() const { return h_; }

private:
    uint64_t h_ = 14695981039346656037ull;
};

// The frame's colours, row by row over its device pixels (the alpha byte is left out).
inline uint64_t FrameDigest(const FrameBuffer& frame)
{
    Digest d;
    d.Int(frame.deviceWidth);
    d.Int(frame.deviceHeight);
    for (uint32_t p : frame.pixels) {
        const uint32_t rgb = p & 0xFFFFFFu;
        d.Bytes(&rgb, sizeof rgb);
    }
    return d.Value();
}

inline void TracerInto(Digest& d, const Tracer& t)
{
    for (double v : {t.stepX, t.stepY, t.x, t.y, t.speed, t.vPhi, t.vR, t.phi, t.exitStepX,
                     t.exitStepY, t.entryRadius})
        d.Double(v);
    d.Int(t.isProbe);
}

inline uint64_t StateDigest(const FlowField& view)
{
    Digest d;
    d.Int(view.tracers.count);
    for (const Tracer& t : view.tracers)
        TracerInto(d, t);
    TracerInto(d, view.marker);
    for (const Streamline& s : view.streamlines) {
        TracerInto(d, s);
        d.Double(s.startY);
        d.Int(s.points.count);
        for (const PathPoint& p : s.points) {
            d.Double(p.x);
            d.Double(p.y);
        }
    }
    d.Double(view.exitStepX);
    d.Double(view.exitStepY);
    d.Int(view.probeSteps);
    const FlowState& fs = view.flow;
    for (double v : {fs.machAngle, fs.fanEndAngle, fs.maxTurnAngle, fs.fullFanSpan,
                     fs.sonicLineAngle, view.corner.wallAngle, view.corner.separationAngle})
        d.Double(v);
    return d.Value();
}

// The picture's parts without the dialog: the field, the composer and the last frame, moved
// and drawn as the session does it.
struct Rig {
    FlowState fs;
    Corner corner;
    FlowField field{fs, corner};
    FlowView view{field};
    FrameBuffer frame;
    int scale = 1;

    void Compose() { view.Compose(frame, scale); }
    // Fan geometry, probe run and streamlines, then a frame.
    void Recompute()
    {
        field.RetraceFlow();
        Compose();
    }
    // The tick as the session runs it: the steps up to the frame, then the frame.
    void Tick()
    {
        field.AdvanceToFrame();
        Compose();
    }
    // A mouse press or drag at a picture pixel turns the wall toward it.
    void TurnToward(int x, int y)
    {
        corner.SetWallFromPoint(x, y);
        Recompute();
    }
};

// One state: inputs, picture, and what is done to it after start-up.
struct Scenario {
    std::string name;
    double v1 = 450.0, t1 = 273.0, p1 = 100000.0;
    int width = start::kWidth, height = start::kHeight, scale = 1;
    uint32_t seed = 20240611u;
    std::function<void(Rig&)> act; // after the start-up recompute
};

struct Outcome {
    uint64_t frame = 0;
    uint64_t state = 0;
};

// The picture as the dialog starts it (population, first recompute with its frame), then the
// scenario's own actions; the frame is the last one composed.
inline Outcome Run(const Scenario& s)
{
    Rig r;
    r.fs.v1 = s.v1;
    r.fs.t1 = s.t1;
    r.fs.p1 = s.p1;
    ComputeUpstreamState(r.fs);
    r.scale = s.scale;
    r.field.Open(s.width, s.height, s.seed);
    r.Recompute();
    if (s.act)
        s.act(r);
    return Outcome{FrameDigest(r.frame), StateDigest(r.field)};
}

inline void Ticks(Rig& r, int n)
{
    for (int i = 0; i < n; ++i)
        r.Tick();
}

inline std::vector<Scenario> Scenarios()
{
    std::vector<Scenario> list;
    list.push_back(
        {"start-up", 450, 273, 100000, start::kWidth, start::kHeight, 1, 20240611u, nullptr});
    list.push_back({"fifty-ticks", 450, 273, 100000, start::kWidth, start::kHeight, 1, 20240611u,
                    [](Rig& r) { Ticks(r, 50); }});
    list.push_back({"steady-cloud", 450, 273, 100000, start::kWidth, start::kHeight, 1, 777u,
                    [](Rig& r) { Ticks(r, 400); }});
    list.push_back({"past-max-turn", 450, 273, 100000, start::kWidth, start::kHeight, 1, 20240611u,
                    [](Rig& r) {
                        r.corner.wallAngle = -1.2;
                        r.Recompute();
                        Ticks(r, 150);
                    }});
    list.push_back({"narrowest-fan", 450, 273, 100000, start::kWidth, start::kHeight, 1, 20240611u,
                    [](Rig& r) {
                        // A press right of the corner, level with it: the wall in line with
                        // the upstream wall, as far as a drag can turn it back.
                        r.TurnToward(621, 192);
                        Ticks(r, 150);
                    }});
    list.push_back(
        {"drag-sweep", 450, 273, 100000, start::kWidth, start::kHeight, 1, 99u, [](Rig& r) {
             r.TurnToward(500, 300);
             for (int i = 0; i < 40; ++i) {
                 r.TurnToward(600 - 15 * i, 200 + 5 * i);
                 r.Tick();
             }
         }});
    list.push_back({"hundred-thousand", 450, 273, 2000000, start::kWidth, start::kHeight, 1, 4242u,
                    [](Rig& r) { Ticks(r, 120); }});
    list.push_back({"scale-two", 450, 273, 100000, start::kWidth, start::kHeight, 2, 20240611u,
                    [](Rig& r) { Ticks(r, 120); }});
    list.push_back({"fast-hot", 1800, 900, 60000, start::kWidth, start::kHeight, 1, 5u, [](Rig& r) {
                        r.corner.wallAngle = 0.2;
                        r.Recompute();
                        Ticks(r, 150);
                    }});
    list.push_back({"slow-cold", 300, 100, 150000, 400, 300, 1, 6u, [](Rig& r) {
                        r.corner.wallAngle = 1.3;
                        r.Recompute();
                        Ticks(r, 150);
                    }});
    list.push_back({"subsonic", 200, 273, 100000, start::kWidth, start::kHeight, 1, 7u,
                    [](Rig& r) { Ticks(r, 100); }});
    return list;
}

} // namespace identity
