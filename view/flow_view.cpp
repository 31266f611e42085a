#include "view/flow_view.h"

#include "model/probe.h"
#include "platform/image_dc.h"

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
    void AngleArc(int, int, int, float, float) override {}
    void TextOut(int, int, const std::string&) override {}
    void Ellipse(int, int, int, int) override {}
    void FillSolidRect(int, int, int, int, Colour) override {}

protected:
    void SetPixelSlow(int, int, Colour) override {}
};

} // namespace

CFlowView::CFlowView(FlowState& fs, CCorner& c) : FlowField(fs, c)
{
    framePen = Pen{PenStyle::Solid, 1, RGB(128, 128, 128), {}};
}

void CFlowView::PreSubclassWindow(int w, int h, uint32_t seed, int scale)
{
    buffer.Create(w, h, scale);
    width = w;
    height = h;
    if (buffer.bits) {
        windowSurface = QImage(buffer.image.size(), QImage::Format_RGB32);
        windowSurface.setDevicePixelRatio(buffer.image.devicePixelRatio());
        windowSurface.fill(Qt::white);
    } else {
        windowSurface = QImage();
    }

    corner.top = h / 2;
    corner.wallAngle = 0.785375;
    corner.left = 0;
    corner.width = w;
    corner.height = h;

    random.Seed(seed);
    UpdatePopulation();
}

void CFlowView::Compose(DC& dc)
{
    dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    corner.Draw(dc, flow);
    for (CTracer& t : tracers)
        t.Draw(dc, flow, corner);
    for (CStreamline& s : streamlines)
        s.Draw(dc, flow, corner);
    dc.SelectPen(framePen);
    dc.MoveTo(0, height - 1);
    dc.LineTo(width, height - 1);
    // The frame pen is still selected: it outlines the marker.
    marker.Draw(dc, flow, corner);
}

void CFlowView::Render(QImage* target)
{
    if (buffer.bits) {
        {
            ImageDC dc(buffer);
            Compose(dc);
        }
        buffer.TransparentCopyTo(target ? *target : windowSurface);
    } else {
        NullDC dc;
        Compose(dc);
    }
    if (!target && host)
        host->FrameReady();
}

void CFlowView::RecomputeFlow()
{
    RetraceFlow();
    Render();
}

void CFlowView::OnLButtonDown(int x, int y)
{
    corner.SetWallFromPoint(x, y);
    RecomputeFlow();
    dragging = true;
}

void CFlowView::OnLButtonUp() { dragging = false; }

void CFlowView::OnMouseMove(int x, int y)
{
    if (dragging) {
        corner.SetWallFromPoint(x, y);
        RecomputeFlow();
    }
    const double phi = corner.PolarAngle(true, x, y);
    const int region = corner.ClassifyPoint(flow, true, x, y);
    if (host)
        host->SendFlowProbe(region, ProbeAngleParam(phi));
}

void CFlowView::OnTimer(int)
{
    StepTracers();
    Render();
}
