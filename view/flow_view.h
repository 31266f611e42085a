#pragma once
// The picture: frames composed from a flow field as it stands. Composing a frame moves nothing;
// the clock moves the field (tracers/flow_field.h), and a frame only shows it, so a frame may be
// composed for any reason (a repaint, a drag, a resize, a save) as often as wanted.
// Plain C++: text goes to the device context a shell supplies (by default the core's own,
// which leaves text out).
#include <cstddef>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "draw/dc.h"
#include "draw/frame_buffer.h"
#include "draw/raster_dc.h"
#include "tracers/flow_field.h"

// A rectangle of device pixels.
struct DeviceRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool Empty() const { return w <= 0 || h <= 0; }
};
// The smallest rectangle that holds both (an empty one adds nothing).
DeviceRect Union(const DeviceRect& a, const DeviceRect& b);

// The frame as layers a shell can stack, so that what does not move is neither copied nor
// shown again at every tick. Laid over each other in this order they are the composed frame,
// pixel for pixel: below (background and overlay, opaque), the tracers (one picture pixel
// each, at scale 1, to be enlarged without smoothing), above (the streamlines and the frame
// line) and the marker. In the tracers and the marker a pixel with alpha 0 is transparent; in
// above, a pixel of its keyColour. below and above are the composer's own layers, handed over
// without a copy: valid until the composer composes again.
struct FrameLayers {
    const FrameBuffer* below = nullptr;
    FrameBuffer tracers;
    const FrameBuffer* above = nullptr;
    FrameBuffer marker;
    // Moves on whenever below and above are composed again (0: never composed).
    unsigned long staticVersion = 0;
    // The runs (first pixel, count) of below other than white and of above other than its
    // key colour's fill: every other pixel of each is that one value.
    using Runs = std::vector<std::pair<size_t, size_t>>;
    const Runs* belowDrawn = nullptr;
    const Runs* aboveDrawn = nullptr;
    // The device pixels of the tracer and marker layers the last composition changed.
    DeviceRect tracersChanged;
    DeviceRect markerChanged;
    // What the marker layer holds, to clear it next time.
    DeviceRect markerBox;
    std::vector<size_t> tracerPixels;
};

class FlowView {
public:
    explicit FlowView(const FlowField& field);

    // Composes the frame of the field as it stands into target, made at the field's picture
    // size and scale device pixels per picture pixel (1..8) when it is not already: the
    // background and the overlay, every tracer as a red pixel, the streamlines, a grey line
    // along the bottom row and the marker on top.
    void Compose(FrameBuffer& target, int scale) const;
    // The same frame as layers, brought up to date: below and above only when what they show
    // changed, the tracer and marker layers always.
    void ComposeLayers(FrameLayers& layers, int scale) const;

    // Makes the device context a frame is drawn through; without one, the core's RasterDC.
    MakeDCFunction makeDC;
    Pen framePen{PenStyle::Solid, 1, Colour{128, 128, 128}};

    // The exact theory over the picture (off by default; off, the frame is exactly as without
    // it): the exact last characteristic and the exact streamlines from the green ones' start
    // points (model/exact_streamline.h), in exactPen, over the tracers with the streamlines.
    bool exactTheory = false;
    Pen exactPen{PenStyle::DashDot, 1, Colour{150, 40, 190}};

private:
    // What the layers that do not move are drawn from; they are composed again when it changes.
    struct StaticStamp {
        FlowState flow;
        double wallAngle, separationAngle;
        int left, top, cornerWidth, cornerHeight;
        int labelCell; // the labels' size follows the size the picture is shown at
        int width, height, scale;
        unsigned long traces;
        Colour framePen;
        int framePenWidth;
        PenStyle framePenStyle;
        bool exactTheory;
        Physics physics;
        Colour exactPen;
        int exactPenWidth;
        PenStyle exactPenStyle;
    };

    StaticStamp Stamp(int scale) const;
    // The exact theory's lines, in exactPen.
    void DrawExactTheory(DC& dc) const;
    // The background with the overlay below the tracers, and the streamlines and the frame line
    // above them, each drawn once per change of what they show.
    void ComposeStaticLayers(int scale) const;
    // The static layers up to date for scale; true when they were composed again.
    bool UpdateStaticLayers(int scale) const;

    const FlowField& field_;
    // Caches of the layers that do not move: what a frame is composed from, never what it shows.
    mutable FrameBuffer below_; // background and overlay
    mutable FrameBuffer above_; // streamlines and frame line on the key colour
    mutable std::vector<std::pair<size_t, size_t>> belowRuns_; // (first pixel, count) not white
    mutable std::vector<std::pair<size_t, size_t>> aboveRuns_; // (first pixel, count) drawn
    // (first pixel, count) other than the fill, and the fill: what the next composition of
    // above fills again.
    mutable std::vector<std::pair<size_t, size_t>> aboveResets_;
    mutable uint32_t aboveFill_ = 0;
    mutable DrawnRows drawnRows_; // what the last drawing on a still layer drew, row by row
    mutable StaticStamp stamp_{};
    mutable bool staticValid_ = false;
    mutable long staticCompositions_ = 0;
};
