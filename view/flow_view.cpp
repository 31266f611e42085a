#include "view/flow_view.h"

#include <algorithm>
#include <cstring>

#include "base/vector_state.h"
#include "draw/raster_dc.h"

FlowView::FlowView(const FlowField& field) : field_(field) {}

std::unique_ptr<DC> FlowView::MakeDC(FrameBuffer& target) const
{
    std::unique_ptr<DC> dc = makeDC ? makeDC(target) : std::make_unique<RasterDC>(target);
    // A shell's device context may have run the toolkit's vector code as it was made.
    ClearUpperVectorState();
    return dc;
}

FlowView::StaticStamp FlowView::Stamp(int scale) const
{
    StaticStamp s;
    std::memset(&s, 0, sizeof s); // the padding too: stamps are compared byte by byte
    const Corner& corner = field_.corner;
    s.flow = field_.flow;
    s.wallAngle = corner.wallAngle;
    s.separationAngle = corner.separationAngle;
    s.left = corner.left;
    s.top = corner.top;
    s.cornerWidth = corner.width;
    s.cornerHeight = corner.height;
    s.width = field_.width;
    s.height = field_.height;
    s.scale = scale;
    s.traces = field_.traces;
    s.framePen = framePen.colour;
    s.framePenWidth = framePen.width;
    s.framePenStyle = framePen.style;
    return s;
}

void FlowView::ComposeStaticLayers(int scale) const
{
    ++staticCompositions_;
    const int width = field_.width;
    const int height = field_.height;
    below_.Create(width, height, scale);
    above_.Create(width, height, scale);
    aboveRuns_.clear();
    if (!below_.bits || !above_.bits)
        return;
    {
        const std::unique_ptr<DC> dc = MakeDC(below_);
        dc->FillRect(0, 0, width, height, Colour{255, 255, 255});
        field_.corner.Draw(*dc, field_.flow);
    }
    above_.Fill(above_.keyColour);
    {
        const std::unique_ptr<DC> dc = MakeDC(above_);
        for (const Streamline& s : field_.streamlines)
            s.Draw(*dc, field_.corner);
        dc->SelectPen(framePen);
        dc->MoveTo(0, height - 1);
        dc->LineTo(width, height - 1);
    }
    // The drawn pixels as runs, so a frame lays them over the tracers without a full scan.
    const uint32_t key = above_.keyColour.Rgb32() & 0xFFFFFFu;
    const size_t n = above_.pixels.size();
    for (size_t i = 0; i < n;) {
        if ((above_.bits[i] & 0xFFFFFFu) == key) {
            ++i;
            continue;
        }
        const size_t first = i;
        while (i < n && (above_.bits[i] & 0xFFFFFFu) != key)
            ++i;
        aboveRuns_.emplace_back(first, i - first);
    }
}

void FlowView::Compose(FrameBuffer& target, int scale) const
{
    ClearUpperVectorState();
    scale = std::clamp(scale, 1, 8);
    if (target.width != field_.width || target.height != field_.height || target.scale != scale
        || !target.bits)
        target.Create(field_.width, field_.height, scale);
    if (!target.bits)
        return; // no memory for the picture: nothing to show
    const StaticStamp now = Stamp(scale);
    if (!staticValid_ || std::memcmp(&now, &stamp_, sizeof now) != 0) {
        ComposeStaticLayers(scale);
        stamp_ = now;
        staticValid_ = true;
    }
    // The layers in order: background and overlay, the tracers, the streamlines and the frame
    // line, the marker on top.
    if (below_.bits)
        std::copy(below_.pixels.begin(), below_.pixels.end(), target.pixels.begin());
    const std::unique_ptr<DC> dc = MakeDC(target);
    for (const Tracer& t : field_.tracers)
        t.Draw(*dc, field_.corner);
    for (const auto& run : aboveRuns_)
        std::copy_n(above_.bits + run.first, run.second, target.bits + run.first);
    dc->SelectPen(framePen); // the frame pen outlines the marker
    field_.marker.Draw(*dc, field_.flow, field_.corner);
}
