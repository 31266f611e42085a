#include "view/flow_view.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "base/vector_state.h"
#include "draw/raster_dc.h"
#include "model/exact_streamline.h"
#include "model/profile.h"

namespace {

// Whether the eight pixels from p are each half of two, taken as four 64-bit words at once
// (the scans over a layer that is nearly all one value).
inline bool AllOf(const uint32_t* p, uint64_t two)
{
    uint64_t w[4];
    std::memcpy(w, p, sizeof w);
    return ((w[0] ^ two) | (w[1] ^ two) | (w[2] ^ two) | (w[3] ^ two)) == 0u;
}

constexpr uint32_t kWhite = 0xFFFFFFFFu; // a white pixel as the layers hold it

// The runs (first pixel, count) of pixels other than fill among pixels first..end - 1 of a
// layer that is nearly all fill, passed over eight pixels at a time.
void AddRuns(const FrameBuffer& layer, size_t first, size_t end, uint32_t fill,
             std::vector<std::pair<size_t, size_t>>& runs)
{
    const uint64_t fill2 = (static_cast<uint64_t>(fill) << 32) | fill;
    const uint32_t* px = layer.bits;
    for (size_t i = first; i < end;) {
        if (i + 8 <= end && AllOf(px + i, fill2)) {
            i += 8;
            continue;
        }
        if (px[i] == fill) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < end && px[i] != fill)
            ++i;
        runs.emplace_back(start, i - start);
    }
}

// Draws on a layer that is all fill, with a device context made by makeDC, and finds the runs
// of pixels other than fill that the drawing left: where the context marks what it draws, only
// in those columns of each row (a run then ends at its row's end), else in the whole layer.
template <typename DrawFunction>
void DrawAndFindRuns(FrameBuffer& layer, DrawnRows& rows, const MakeDCFunction& makeDC,
                     uint32_t fill, std::vector<std::pair<size_t, size_t>>& runs, DrawFunction draw)
{
    rows.Start(layer.deviceHeight, layer.deviceWidth);
    layer.drawnRows = &rows;
    bool marked = false;
    {
        const std::unique_ptr<DC> dc = MakeDrawingDC(makeDC, layer);
        draw(*dc);
        marked = dc->MarksDrawnRows();
    }
    layer.drawnRows = nullptr;
    if (!marked) {
        AddRuns(layer, 0, layer.pixels.size(), fill, runs);
        return;
    }
    const size_t w = static_cast<size_t>(layer.deviceWidth);
    for (size_t row = 0; row < rows.first.size(); ++row)
        if (rows.first[row] <= rows.last[row])
            AddRuns(layer, row * w + rows.first[row], row * w + rows.last[row] + 1, fill, runs);
}

} // namespace

FlowView::FlowView(const FlowField& field) : field_(field) {}

FlowView::StaticStamp FlowView::Stamp(int scale) const
{
    StaticStamp s;
    // The padding too: stamps are compared byte by byte.
    std::memset(static_cast<void*>(&s), 0, sizeof s);
    const Corner& corner = field_.corner;
    s.flow = field_.flow;
    s.wallAngle = corner.wallAngle;
    s.separationAngle = corner.separationAngle;
    s.left = corner.left;
    s.top = corner.top;
    s.cornerWidth = corner.width;
    s.cornerHeight = corner.height;
    s.labelCell = corner.labelFont.height;
    s.width = field_.width;
    s.height = field_.height;
    s.scale = scale;
    s.traces = field_.traces;
    s.framePen = framePen.colour;
    s.framePenWidth = framePen.width;
    s.framePenStyle = framePen.style;
    s.exactTheory = exactTheory;
    s.physics = corner.physics;
    if (exactTheory) {
        s.exactPen = exactPen.colour;
        s.exactPenWidth = exactPen.width;
        s.exactPenStyle = exactPen.style;
    }
    return s;
}

void FlowView::ComposeStaticLayers(int scale) const
{
    ++staticCompositions_;
    const int width = field_.width;
    const int height = field_.height;
    // Below is white but for what the overlay drew on it: of the same size it is kept and only
    // those pixels are made white again, which gives the same layer as a fill of the whole.
    const bool belowKept = below_.bits && below_.width == width && below_.height == height
                           && below_.scale == scale;
    if (belowKept)
        for (const auto& run : belowRuns_)
            std::fill_n(below_.bits + run.first, run.second, kWhite);
    else
        below_.Create(width, height, scale); // white
    belowRuns_.clear();
    // Above is all key colour but for what was drawn on it: of the same size it is kept, and
    // only the pixels the last composition left other than the fill are filled again, which
    // gives the same layer as a fill of the whole at a small part of the cost.
    const bool aboveKept = above_.bits && above_.width == width && above_.height == height
                           && above_.scale == scale;
    if (!aboveKept)
        above_.Create(width, height, scale);
    aboveRuns_.clear();
    if (!below_.bits || !above_.bits) {
        aboveResets_.clear();
        return;
    }
    // What the upper layer draws over the overlay (the streamlines, the exact theory's lines,
    // the frame line), which the overlay's labels keep clear of.
    const Corner::DrawnOver drawnOver = [&](DC& dc) {
        for (const Streamline& s : field_.streamlines)
            s.Draw(dc, field_.corner);
        if (exactTheory)
            DrawExactTheory(dc);
        dc.SelectPen(framePen);
        dc.MoveTo(0, height - 1);
        dc.LineTo(width, height - 1);
    };
    DrawAndFindRuns(below_, drawnRows_, makeDC, kWhite, belowRuns_,
                    [&](DC& dc) { field_.corner.Draw(dc, field_.flow, drawnOver); }); // on white
    const uint32_t fill = above_.keyColour.Rgb32();
    if (aboveKept && fill == aboveFill_) {
        for (const auto& run : aboveResets_)
            std::fill_n(above_.bits + run.first, run.second, fill);
    } else {
        above_.Fill(above_.keyColour);
    }
    aboveFill_ = fill;
    aboveResets_.clear();
    // The runs of pixels other than the fill (the drawn ones, and any drawn in the key's
    // colour), which the next composition fills again; and among them the drawn pixels as runs,
    // so a frame lays them over the tracers without a full scan.
    DrawAndFindRuns(above_, drawnRows_, makeDC, fill, aboveResets_, drawnOver);
    const uint32_t key = fill & 0xFFFFFFu;
    const uint32_t* px = above_.bits;
    for (const auto& [first, count] : aboveResets_) {
        for (size_t i = first, end = first + count; i < end;) {
            if ((px[i] & 0xFFFFFFu) == key) {
                ++i;
                continue;
            }
            const size_t start = i;
            while (i < end && (px[i] & 0xFFFFFFu) != key)
                ++i;
            aboveRuns_.emplace_back(start, i - start);
        }
    }
}

void FlowView::DrawExactTheory(DC& dc) const
{
    const FlowState& fs = field_.flow;
    const Corner& corner = field_.corner;
    const ExactFan fan = ExactFanFor(fs, corner.TurnAngle(fs));
    if (!fan.fan)
        return; // not supersonic, or a wall turned into the flow: no expansion to show
    dc.SelectPen(exactPen);
    const double ox = corner.ApexX();
    const double oy = corner.top;
    // Far enough to leave the picture from anywhere in it; the device context clips.
    const double reach = 4.0 * (static_cast<double>(field_.width) + field_.height) + 1000.0;
    const double ray[] = {ox, oy, ox + reach * std::cos(fan.last), oy - reach * std::sin(fan.last)};
    dc.Polyline(ray, 2);
    std::vector<double> xy;
    for (int i = 1; i <= 3 && i < field_.streamlines.count; ++i) {
        const Streamline& green = field_.streamlines[i];
        if (green.points.count == 0)
            continue;
        const PathPoint start = green.points[0];
        const std::vector<ExactPoint> path = TraceExactStreamline(fan, start.x, -start.y, reach);
        xy.clear();
        for (const ExactPoint& p : path) {
            xy.push_back(ox + p.x);
            xy.push_back(oy + p.y);
        }
        dc.Polyline(xy.data(), static_cast<int>(path.size()));
    }
}

bool FlowView::UpdateStaticLayers(int scale) const
{
    const StaticStamp now = Stamp(scale);
    if (staticValid_ && std::memcmp(&now, &stamp_, sizeof now) == 0)
        return false;
    ComposeStaticLayers(scale);
    stamp_ = now;
    staticValid_ = true;
    return true;
}

void FlowView::Compose(FrameBuffer& target, int scale) const
{
    ClearUpperVectorState();
    scale = std::clamp(scale, 1, kMaxFrameScale);
    if (target.width != field_.width || target.height != field_.height || target.scale != scale
        || !target.bits)
        target.Create(field_.width, field_.height, scale);
    if (!target.bits)
        return; // no memory for the picture: nothing to show
    UpdateStaticLayers(scale);
    // The layers in order: background and overlay, the tracers, the streamlines and the frame
    // line, the marker on top.
    if (below_.bits)
        std::copy(below_.pixels.begin(), below_.pixels.end(), target.pixels.begin());
    const std::unique_ptr<DC> dc = MakeDrawingDC(makeDC, target);
    for (const Tracer& t : field_.tracers)
        t.Draw(*dc, field_.corner);
    for (const auto& run : aboveRuns_)
        std::copy_n(above_.bits + run.first, run.second, target.bits + run.first);
    dc->SelectPen(framePen); // the frame pen outlines the marker
    field_.marker.DrawWithRadius(*dc, field_.corner, field_.MarkerRadius());
}

namespace {

// Makes a layer of the picture's size at scale, every pixel transparent, unless it is one.
bool MakeClearLayer(FrameBuffer& layer, int w, int h, int scale)
{
    if (layer.bits && layer.width == w && layer.height == h && layer.scale == scale)
        return false;
    layer.Create(w, h, scale);
    std::fill(layer.pixels.begin(), layer.pixels.end(), 0u);
    return true;
}

} // namespace

DeviceRect Union(const DeviceRect& a, const DeviceRect& b)
{
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
    return DeviceRect{x0, y0, x1 - x0, y1 - y0};
}

void FlowView::ComposeLayers(FrameLayers& layers, int scale) const
{
    ClearUpperVectorState();
    scale = std::clamp(scale, 1, kMaxFrameScale);
    const int w = field_.width;
    const int h = field_.height;
    layers.tracersChanged = DeviceRect();
    layers.markerChanged = DeviceRect();

    // Below and above: the composer's static layers themselves.
    const bool tracersMade = MakeClearLayer(layers.tracers, w, h, 1);
    const bool resized = MakeClearLayer(layers.marker, w, h, scale) || tracersMade;
    if (resized) {
        layers.tracerPixels.clear();
        layers.markerBox = DeviceRect();
    }
    UpdateStaticLayers(scale);
    layers.below = &below_;
    layers.above = &above_;
    layers.belowDrawn = &belowRuns_;
    layers.aboveDrawn = &aboveResets_;
    layers.staticVersion = static_cast<unsigned long>(staticCompositions_);
    if (!layers.tracers.bits || !layers.marker.bits)
        return;

    // The tracers: last tick's pixels cleared, this tick's set, one picture pixel each.
    for (size_t i : layers.tracerPixels)
        layers.tracers.bits[i] = 0u;
    layers.tracerPixels.clear();
    {
        const std::unique_ptr<DC> dc = std::make_unique<RasterDC>(layers.tracers);
        for (const Tracer& t : field_.tracers)
            t.Draw(*dc, field_.corner);
    }
    // Nearly every pixel is clear: passed over eight at a time.
    const uint32_t* p = layers.tracers.bits;
    for (size_t i = 0, n = layers.tracers.pixels.size(); i < n;) {
        if (i + 8 <= n && AllOf(p + i, 0u)) {
            i += 8;
            continue;
        }
        if (p[i] != 0u)
            layers.tracerPixels.push_back(i);
        ++i;
    }
    layers.tracersChanged = DeviceRect{0, 0, w, h};

    // The marker: the box it held cleared, the circle drawn where it is now, outlined in the
    // frame's pen; every pixel it does not draw stays transparent.
    FrameBuffer& m = layers.marker;
    const DeviceRect old = layers.markerBox;
    for (int y = old.y; y < old.y + old.h; ++y)
        std::fill_n(m.bits + static_cast<size_t>(y) * m.deviceWidth + old.x, old.w, 0u);
    {
        const std::unique_ptr<DC> dc = std::make_unique<RasterDC>(m);
        dc->SelectPen(framePen);
        field_.marker.DrawWithRadius(*dc, field_.corner, field_.MarkerRadius());
    }
    // The drawn pixels' box: the marker's own box, widened by the pen and clipped.
    DeviceRect box;
    const int R = field_.MarkerRadius();
    if (R > 0) {
        const double sx = field_.marker.CentreX(field_.corner);
        const double sy = field_.marker.CentreY(field_.corner);
        const long long margin = 2 + framePen.width;
        const long long x0 = (static_cast<long long>(std::floor(sx)) - R - margin) * scale;
        const long long y0 = (static_cast<long long>(std::floor(sy)) - R - margin) * scale;
        const long long x1 = (static_cast<long long>(std::ceil(sx)) + R + margin) * scale;
        const long long y1 = (static_cast<long long>(std::ceil(sy)) + R + margin) * scale;
        const long long cx0 = std::max(0LL, x0), cy0 = std::max(0LL, y0);
        const long long cx1 = std::min<long long>(m.deviceWidth, x1);
        const long long cy1 = std::min<long long>(m.deviceHeight, y1);
        if (cx0 < cx1 && cy0 < cy1)
            box = DeviceRect{static_cast<int>(cx0), static_cast<int>(cy0),
                             static_cast<int>(cx1 - cx0), static_cast<int>(cy1 - cy0)};
    }
    layers.markerBox = box;
    layers.markerChanged = Union(old, box);
}
