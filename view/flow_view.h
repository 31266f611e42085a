#pragma once
// The picture: the flow field with its off-screen buffer, the frame composition and the
// handlers of the mouse and the timer. Plain C++: a shell feeds it events, supplies the device
// context it draws through (by default the core's own, which leaves text out) and shows the
// frames it composes.
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "draw/dc.h"
#include "draw/frame_buffer.h"
#include "tracers/flow_field.h"

// What the view needs from the window that carries it.
class FlowViewHost {
public:
    virtual ~FlowViewHost() = default;
    // A frame has been composed into the window surface and should be shown as it is.
    virtual void FrameReady() = 0;
    // The pointer is over the picture at this region and polar angle code; the read-out has
    // been handled when this returns.
    virtual void PointerProbed(int region, int32_t angleCode) = 0;
};

class FlowView : public FlowField {
public:
    FlowView(FlowState& fs, Corner& corner);

    // The view's initialisation at picture size w x h: buffer, corner placement, seed and
    // population. scale is device pixels per picture pixel (the model always sees w x h).
    void Open(int w, int h, uint32_t seed, int scale = 1);

    // Composes one frame in the buffer and copies it (skipping the key colour) to target;
    // with no target, to the window surface, and then tells the host.
    void Render(FrameBuffer* target = nullptr);
    // RetraceFlow, then Render into the window surface.
    void RecomputeFlow();

    void PointerPressed(int x, int y);
    void PointerReleased();
    void PointerMoved(int x, int y);
    void TimerTicked();
    // One degree of wall turning from the keyboard: +1 toward +x (less turning), -1 back,
    // within the range a drag can reach.
    void TurnWall(int direction);

    FrameBuffer buffer;
    FrameBuffer windowSurface; // what the window shows
    Pen framePen;
    bool dragging = false;
    FlowViewHost* host = nullptr;
    // Makes the device context a frame is drawn through; without one, the core's RasterDC.
    std::function<std::unique_ptr<DC>(FrameBuffer&)> makeDC;

    // How many times the layers that do not move were composed (a tick composes none).
    long StaticCompositions() const { return staticCompositions_; }

private:
    // What the layers that do not move are drawn from; they are composed again when it changes.
    struct StaticStamp {
        FlowState flow;
        double wallAngle, separationAngle;
        int left, top, cornerWidth, cornerHeight;
        int width, height, scale;
        unsigned long traces;
        Colour framePen;
        int framePenWidth;
        PenStyle framePenStyle;
    };

    std::unique_ptr<DC> MakeDC(FrameBuffer& target);
    // Every drawing step of a frame, in order, into dc (used when there is no buffer).
    void Compose(DC& dc);
    StaticStamp Stamp() const;
    // The background with the overlay below the tracers, and the streamlines and the frame line
    // above them, each drawn once per change of what they show.
    void ComposeStaticLayers();

    FrameBuffer below_; // background and overlay
    FrameBuffer above_; // streamlines and frame line on the key colour
    std::vector<std::pair<size_t, size_t>>
        aboveRuns_; // (first pixel, count) of above_'s drawn runs
    StaticStamp stamp_{};
    bool staticValid_ = false;
    long staticCompositions_ = 0;
};
