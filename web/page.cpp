#include "page.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>

#include <emscripten/val.h>

#include "dialog/fields.h"
#include "draw/raster_dc.h"
#include "res/dialog_templates.h"
#include "res/ids.h"

namespace {

// 0xAARRGGBB to the bytes R, G, B, A in memory (the little-endian word 0xAABBGGRR,
// SwapRedBlue), for two pixels held in one 64-bit word.
inline uint64_t RgbaPair(uint64_t p)
{
    return (p & 0xFF00FF00FF00FF00ull) | ((p & 0x000000FF000000FFull) << 16)
           | ((p >> 16) & 0x000000FF000000FFull);
}

// A layer's RGBA copy brought up to date where it changed: the runs drawn last time back to
// the layer's plain value (plain, as RGBA), then the runs drawn now converted.
void ConvertRuns(const FrameBuffer& layer, std::vector<uint32_t>& out, const FrameLayers::Runs& was,
                 const FrameLayers::Runs& now, uint32_t plain)
{
    for (const auto& run : was)
        if (run.first + run.second <= out.size())
            std::fill_n(out.data() + run.first, run.second, plain);
    for (const auto& run : now)
        if (run.first + run.second <= out.size())
            for (size_t i = run.first; i < run.first + run.second; ++i)
                out[i] = SwapRedBlue(layer.bits[i]);
}

// What changed in a still layer is handed to the canvas in bands of kBandRows device rows, and
// within a band as the stretches of columns it reaches, kCellColumns at a time; stretches fewer
// than kBridgedCells cells apart go as one. A drag's thin lines, spread over the picture, are so
// copied with little around them and in few calls.
constexpr int kBandRows = 32;
constexpr int kCellColumns = 16;
constexpr int kBridgedCells = 4;

// The rectangles (x, y, w, h, in device pixels) that hold every pixel of the runs given, in
// bands of kBandRows rows, one per stretch of columns the runs reach in a band. cells is room
// for the work.
void AddBands(const FrameLayers::Runs& was, const FrameLayers::Runs& now, int width, int height,
              std::vector<int32_t>& rects, std::vector<uint8_t>& cells)
{
    rects.clear();
    if (width <= 0 || height <= 0)
        return;
    const size_t bands = (static_cast<size_t>(height) + kBandRows - 1) / kBandRows;
    const size_t perBand = (static_cast<size_t>(width) + kCellColumns - 1) / kCellColumns;
    cells.assign(bands * perBand, 0);
    const size_t w = static_cast<size_t>(width);
    const size_t n = w * static_cast<size_t>(height);
    for (const FrameLayers::Runs* runs : {&was, &now}) {
        for (const auto& [first, count] : *runs) {
            // A run may go on past the end of a row into the next.
            for (size_t i = first, end = std::min(first + count, n); i < end;) {
                const size_t row = i / w;
                const size_t last = std::min(end, (row + 1) * w) - 1; // on this row
                uint8_t* band = cells.data() + row / kBandRows * perBand;
                std::fill(band + (i % w) / kCellColumns, band + (last % w) / kCellColumns + 1, 1);
                i = last + 1;
            }
        }
    }
    for (size_t b = 0; b < bands; ++b) {
        const uint8_t* band = cells.data() + b * perBand;
        const int y = static_cast<int>(b) * kBandRows;
        const int h = std::min(kBandRows, height - y);
        for (size_t c = 0; c < perBand;) {
            if (!band[c]) {
                ++c;
                continue;
            }
            size_t last = c; // the stretch's last cell reached
            for (size_t k = c + 1; k < perBand && k <= last + kBridgedCells; ++k)
                if (band[k])
                    last = k;
            const int x0 = static_cast<int>(c) * kCellColumns;
            const int x1 = std::min(width, static_cast<int>(last + 1) * kCellColumns);
            rects.insert(rects.end(), {x0, y, x1 - x0, h});
            c = last + 1;
        }
    }
}

// With kKeyed, a pixel that is key once converted becomes transparent in the same pass.
template <bool kKeyed = false>
void ConvertAll(const FrameBuffer& layer, std::vector<uint32_t>& out, uint32_t key = 0u)
{
    const size_t n = layer.pixels.size();
    out.resize(n);
    const uint32_t* src = layer.pixels.data();
    uint32_t* dst = out.data();
    // Two pixels at a time in one 64-bit word: the whole layer is converted after every change
    // of the wall, so this loop is a good part of a drag's move.
    size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        uint64_t p;
        std::memcpy(&p, src + i, sizeof p);
        uint64_t q = RgbaPair(p);
        if (kKeyed) {
            if (static_cast<uint32_t>(q) == key)
                q &= 0xFFFFFFFF00000000ull;
            if (static_cast<uint32_t>(q >> 32) == key)
                q &= 0x00000000FFFFFFFFull;
        }
        std::memcpy(dst + i, &q, sizeof q);
    }
    for (; i < n; ++i) {
        const uint32_t q = SwapRedBlue(src[i]);
        dst[i] = kKeyed && q == key ? 0u : q;
    }
}

// The text cut to kFieldMaxLength UTF-16 code units (as the page counts a field's length), at
// a character boundary: a longer text is cut, as typing or pasting it would be.
std::string CutToFieldLength(const std::string& text)
{
    size_t units = 0;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const size_t bytes = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const size_t width = bytes == 4 ? 2 : 1;
        if (units + width > static_cast<size_t>(kFieldMaxLength))
            break;
        i = std::min(text.size(), i + bytes);
        units += width;
    }
    return text.substr(0, i);
}

} // namespace

namespace {

// The page's Cornerflow.store, or undefined before its scripts ran (nothing is kept then).
emscripten::val PageStore()
{
    const emscripten::val cf = emscripten::val::global("Cornerflow");
    return cf.isUndefined() || cf.isNull() ? emscripten::val::undefined() : cf["store"];
}

const char* const kStorePrefix = "cornerflow.";

} // namespace

std::string BrowserStore::Read(const std::string& key) const
{
    const emscripten::val store = PageStore();
    if (store.isUndefined())
        return std::string();
    const emscripten::val text = store.call<emscripten::val>("get", kStorePrefix + key);
    return text.isString() ? text.as<std::string>() : std::string();
}

void BrowserStore::Write(const std::string& key, const std::string& text)
{
    const emscripten::val store = PageStore();
    if (!store.isUndefined())
        store.call<void>("set", kStorePrefix + key, text);
}

Page::Page()
{
    session_.KeepChoicesIn(&store_);
    session_.fieldsChanged = [this] { ++fieldsSerial_; };
    session_.frameReady = [this] {
        ++frameSerial_;
        pendingMarker_ = Union(pendingMarker_, session_.Layers().markerChanged);
    };
    // The plot is composed as the canvas takes it (WebAssembly is little-endian), so that the
    // rows that changed are put as they are.
    session_.CountPlotRowsInOrder(PixelOrder::Abgr);
}

bool Page::Open(uint32_t seed, int scale, bool labels)
{
    if (session_.IsOpen())
        return false;
    const res::DialogTemplate& t = res::MainDialogTemplate();
    const res::PixelRect picture = t.ToPixels(t.Find(ControlId::Picture)->rect);
    text_.Start();
    labels_ = labels;
    TextPainter* text = labels ? &text_ : nullptr;
    session_.SetDrawing([text](FrameBuffer& buffer) -> std::unique_ptr<DC> {
        return std::make_unique<RasterDC>(buffer, text);
    });
    session_.UseLayers(true);
    session_.Open(picture.w, picture.h, seed, scale);
    return true;
}

void Page::SetInputText(int id, const std::string& text)
{
    session_.SetInputText(static_cast<ControlId>(id), CutToFieldLength(text));
}

Page::LayerChanges Page::PrepareLayers()
{
    LayerChanges changes;
    const FrameLayers& layers = session_.Layers();
    if (!layers.below || !layers.above)
        return changes; // no picture yet
    if (layers.staticVersion != convertedStatic_ || below_.size() != layers.below->pixels.size()) {
        if (below_.size() == layers.below->pixels.size()
            && above_.size() == layers.above->pixels.size() && layers.belowDrawn
            && layers.aboveDrawn) {
            // Of the same size: only the pixels drawn last time and this time, since every other
            // pixel is white below and transparent above (the key colour) both times.
            ConvertRuns(*layers.below, below_, shownBelow_, *layers.belowDrawn, 0xFFFFFFFFu);
            ConvertRuns(*layers.above, above_, shownAbove_, *layers.aboveDrawn, 0u);
            const int w = layers.below->deviceWidth;
            const int h = layers.below->deviceHeight;
            AddBands(shownBelow_, *layers.belowDrawn, w, h, belowRects_, bandCells_);
            AddBands(shownAbove_, *layers.aboveDrawn, w, h, aboveRects_, bandCells_);
        } else {
            ConvertAll(*layers.below, below_);
            // Above the tracers, the key colour is what lets them show through.
            ConvertAll<true>(*layers.above, above_, layers.above->keyColour.Word(PixelOrder::Abgr));
            belowRects_ = {0, 0, layers.below->deviceWidth, layers.below->deviceHeight};
            aboveRects_ = belowRects_;
        }
        shownBelow_ = layers.belowDrawn ? *layers.belowDrawn : FrameLayers::Runs();
        shownAbove_ = layers.aboveDrawn ? *layers.aboveDrawn : FrameLayers::Runs();
        convertedStatic_ = layers.staticVersion;
        changes.staticChanged = true;
    }

    // The tracers: only the pixels that were set last time and are set now.
    if (tracers_.size() != layers.tracers.pixels.size()) {
        tracers_.assign(layers.tracers.pixels.size(), 0u);
        shownTracers_.clear();
    }
    for (size_t i : shownTracers_)
        tracers_[i] = 0u;
    shownTracers_.assign(layers.tracerPixels.begin(), layers.tracerPixels.end());
    for (size_t i : shownTracers_)
        if (i < tracers_.size())
            tracers_[i] = SwapRedBlue(layers.tracers.bits[i]);

    // The marker: within what its compositions touched, or whole when its size changed.
    const FrameBuffer& m = layers.marker;
    DeviceRect r = pendingMarker_;
    if (marker_.size() != m.pixels.size()) {
        marker_.assign(m.pixels.size(), 0u);
        r = DeviceRect{0, 0, m.deviceWidth, m.deviceHeight};
    }
    pendingMarker_ = DeviceRect();
    const int x0 = std::clamp(r.x, 0, m.deviceWidth);
    const int y0 = std::clamp(r.y, 0, m.deviceHeight);
    const int x1 = std::clamp(r.x + r.w, x0, m.deviceWidth);
    const int y1 = std::clamp(r.y + r.h, y0, m.deviceHeight);
    for (int y = y0; y < y1; ++y) {
        const size_t row = static_cast<size_t>(y) * m.deviceWidth;
        for (int x = x0; x < x1; ++x)
            marker_[row + x] = SwapRedBlue(m.bits[row + x]);
    }
    changes.marker = DeviceRect{x0, y0, x1 - x0, y1 - y0};
    return changes;
}

std::vector<uint32_t>& Page::FramePixels()
{
    session_.ComposeFrame();
    const FrameBuffer& frame = session_.Frame();
    ConvertAll(frame, frame_);
    for (uint32_t& p : frame_)
        p |= 0xFF000000u; // the frame is opaque
    return frame_;
}

const std::vector<uint32_t>& Page::PlotPixels(int& firstRow, int& endRow)
{
    const std::pair<int, int> rows = session_.TakePlotChangedRows();
    firstRow = rows.first;
    endRow = rows.second;
    return session_.PlotFrame().pixels;
}

std::vector<uint32_t>& Page::PlotComposed()
{
    plotComposed_ = session_.PlotFrame().pixels;
    return plotComposed_;
}

int Page::RenderLabelsAhead(int most)
{
    if (!labels_ || !session_.IsOpen())
        return 0;
    const FlowState& fs = session_.State();
    const Corner& corner = session_.Geometry();
    AheadFor now;
    now.v1 = fs.v1;
    now.t1 = fs.t1;
    now.p1 = fs.p1;
    now.gamma = fs.gamma;
    now.molarMass = fs.molarMass;
    now.width = corner.width;
    now.height = corner.height;
    now.font = corner.labelFont.height;
    now.scale = session_.FrameScale();
    const bool sameFlow = aheadMade_ && std::memcmp(&now, &aheadFor_, sizeof now) == 0;
    const bool wallMoved = !(std::fabs(corner.wallAngle - aheadWall_) <= kPi / 6.0);
    if (!sameFlow || (wallMoved && !session_.Dragging())) {
        ahead_ = corner.LabelsNear(fs, kLabelsAheadReach);
        aheadNext_ = 0;
        aheadKeepFrom_ = text_.NextUse();
        aheadFor_ = now;
        aheadWall_ = corner.wallAngle;
        aheadMade_ = true;
    }
    for (int looked = 0; looked < most && aheadNext_ < ahead_.size(); ++looked, ++aheadNext_)
        if (!text_.RenderAhead(ahead_[aheadNext_], corner.labelFont, now.scale, aheadKeepFrom_)) {
            aheadNext_ = ahead_.size(); // the store is full of nearer ones: the rest when drawn
            break;
        }
    return static_cast<int>(ahead_.size() - aheadNext_);
}
