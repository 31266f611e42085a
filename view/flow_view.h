#pragma once
// The picture: the flow field with its off-screen buffer, the frame composition and the
// handlers of the mouse and the timer. The window (view/flow_view_widget.h) feeds it events
// and shows the frames it composes; without a window it renders snapshots.
#include <cstdint>

#include <QImage>

#include "platform/back_buffer.h"
#include "platform/dc.h"
#include "tracers/flow_field.h"

// What the view needs from the window that carries it.
class FlowViewHost {
public:
    virtual ~FlowViewHost() = default;
    // A frame has been composed into the window surface and should be shown as it is.
    virtual void FrameReady() = 0;
    // The probe message to the dialog; it has been handled when this returns.
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
    void Render(QImage* target = nullptr);
    // RetraceFlow, then Render into the window surface.
    void RecomputeFlow();

    void OnLButtonDown(int x, int y);
    void OnLButtonUp();
    void OnMouseMove(int x, int y);
    void OnTimer(int timerId = 0);

    BackBuffer buffer;
    QImage windowSurface; // what the window shows
    Pen framePen;
    bool dragging = false;
    FlowViewHost* host = nullptr;

private:
    // Every drawing step of a frame, in order, into dc.
    void Compose(DC& dc);
};
