#pragma once
// The picture: the flow field with its off-screen buffer, the frame composition and the
// handlers of the mouse and the timer. Plain C++: a shell feeds it events, supplies the device
// context it draws through (by default the core's own, which leaves text out) and shows the
// frames it composes.
#include <cstdint>
#include <functional>
#include <memory>

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
    virtual void SendFlowProbe(int region, int32_t lParam) = 0;
};

class CFlowView : public FlowField {
public:
    CFlowView(FlowState& fs, CCorner& corner);

    // The view's initialisation at picture size w x h: buffer, corner placement, seed and
    // population. scale is device pixels per picture pixel (the model always sees w x h).
    void PreSubclassWindow(int w, int h, uint32_t seed, int scale = 1);

    // Composes one frame in the buffer and copies it (skipping the key colour) to target;
    // with no target, to the window surface, and then tells the host.
    void Render(FrameBuffer* target = nullptr);
    // RetraceFlow, then Render into the window surface.
    void RecomputeFlow();

    void OnLButtonDown(int x, int y);
    void OnLButtonUp();
    void OnMouseMove(int x, int y);
    void OnTimer(int timerId = 0);
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

private:
    // Every drawing step of a frame, in order, into dc.
    void Compose(DC& dc);
};
