#include "view/flow_view.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "draw/raster_dc.h"
#include "model/probe.h"
#include "model/start_values.h"

namespace {

// Stands in for the buffer when it could not be made: the frame is composed into nothing, but
// the tracers still take the step that drawing gives them.
class NullDC : public DC {
public:
    void SelectPen(const Pen&) override {}
    void SelectBrush(const Brush&) override {}
    void SelectFont(const Font&) override {}
    void MoveTo(int, int) override {}
    void LineTo(int, int) override {}
    void Arc(int, int, int, float, float) override {}
    void DrawText(int, int, const std::string&) override {}
    void Ellipse(int, int, int, int) override {}
    void FillRect(int, int, int, int, Colour) override {}

protected:
    void SetPixelSlow(int, int, Colour) override {}
};

} // namespace

FlowView::FlowView(FlowState& fs, Corner& c) : FlowField(fs, c)
{
    framePen = Pen{PenStyle::Solid, 1, Colour{128, 128, 128}};
}

void FlowView::Open(int w, int h, uint32_t seed, int scale)
{
    buffer.Create(w, h, scale);
    width = w;
    height = h;
    if (buffer.bits)
        windowSurface.Create(w, h, buffer.scale);
    else
        windowSurface.Release();

    corner.top = h / 2;
    corner.SetWallAngle(StartUpValues().wallAngle);
    corner.left = 0;
    corner.width = w;
    corner.height = h;

    random.Seed(seed);
    UpdatePopulation();
    staticValid_ = false;
}

std::unique_ptr<DC> FlowView::MakeDC(FrameBuffer& target)
{
    return makeDC ? makeDC(target) : std::make_unique<RasterDC>(target);
}

FlowView::StaticStamp FlowView::Stamp() const
{
    StaticStamp s;
    std::memset(&s, 0, sizeof s); // the padding too: stamps are compared byte by byte
    s.flow = flow;
    s.wallAngle = corner.wallAngle;
    s.separationAngle = corner.separationAngle;
    s.left = corner.left;
    s.top = corner.top;
    s.cornerWidth = corner.width;
    s.cornerHeight = corner.height;
    s.width = width;
    s.height = height;
    s.scale = buffer.scale;
    s.traces = traces;
    s.framePen = framePen.colour;
    s.framePenWidth = framePen.width;
    s.framePenStyle = framePen.style;
    return s;
}

void FlowView::ComposeStaticLayers()
{
    ++staticCompositions_;
    below_.Create(width, height, buffer.scale);
    above_.Create(width, height, buffer.scale);
    aboveRuns_.clear();
    if (!below_.bits || !above_.bits)
        return;
    {
        const std::unique_ptr<DC> dc = MakeDC(below_);
        dc->FillRect(0, 0, width, height, Colour{255, 255, 255});
        corner.Draw(*dc, flow);
    }
    above_.Fill(above_.keyColour);
    {
        const std::unique_ptr<DC> dc = MakeDC(above_);
        for (Streamline& s : streamlines)
            s.Draw(*dc, flow, corner);
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

void FlowView::Compose(DC& dc)
{
    dc.FillRect(0, 0, width, height, Colour{255, 255, 255});
    corner.Draw(dc, flow);
    for (Tracer& t : tracers)
        t.Draw(dc, flow, corner);
    for (Streamline& s : streamlines)
        s.Draw(dc, flow, corner);
    dc.SelectPen(framePen);
    dc.MoveTo(0, height - 1);
    dc.LineTo(width, height - 1);
    // The frame pen is still selected: it outlines the marker.
    marker.Draw(dc, flow, corner);
}

void FlowView::Render(FrameBuffer* target)
{
    if (buffer.bits) {
        const StaticStamp now = Stamp();
        if (!staticValid_ || std::memcmp(&now, &stamp_, sizeof now) != 0) {
            ComposeStaticLayers();
            stamp_ = now;
            staticValid_ = true;
        }
        // The same layers in the same order as a frame drawn whole: background and overlay,
        // the tracers, the streamlines and the frame line, the marker on top.
        if (below_.bits)
            std::copy(below_.pixels.begin(), below_.pixels.end(), buffer.pixels.begin());
        {
            const std::unique_ptr<DC> dc = MakeDC(buffer);
            for (Tracer& t : tracers)
                t.Draw(*dc, flow, corner);
            for (const auto& run : aboveRuns_)
                std::copy_n(above_.bits + run.first, run.second, buffer.bits + run.first);
            dc->SelectPen(framePen); // the frame pen outlines the marker
            marker.Draw(*dc, flow, corner);
        }
        buffer.TransparentCopyTo(target ? *target : windowSurface);
    } else {
        NullDC dc;
        Compose(dc);
    }
    if (!target && host)
        host->FrameReady();
}

void FlowView::RecomputeFlow()
{
    RetraceFlow();
    Render();
}

void FlowView::PointerPressed(int x, int y)
{
    corner.SetWallFromPoint(x, y);
    RecomputeFlow();
    dragging = true;
}

void FlowView::PointerReleased() { dragging = false; }

void FlowView::PointerMoved(int x, int y)
{
    if (dragging) {
        corner.SetWallFromPoint(x, y);
        RecomputeFlow();
    }
    const double phi = corner.PolarAngle(true, x, y);
    const int region = corner.ClassifyPoint(flow, true, x, y);
    if (host)
        host->PointerProbed(region, ProbeAngleParam(phi));
}

void FlowView::TimerTicked()
{
    StepTracers();
    Render();
}

void FlowView::TurnWall(int direction)
{
    constexpr double kOneDegree = 3.14159265358979323846 / 180.0;
    // The range a drag can reach: above -pi/2 (a point far upstream, one pixel below the
    // corner) and at most atan(20 * width) (a point right of the corner, level with it).
    const double upper = std::atan(20.0 * corner.width);
    const double lower = -upper;
    double angle = corner.wallAngle + (direction > 0 ? kOneDegree : -kOneDegree);
    if (!(angle <= upper))
        angle = upper;
    if (!(angle >= lower))
        angle = lower;
    corner.SetWallAngle(angle);
    RecomputeFlow();
}
