#include "text_painter.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "draw/font_fit.h"

// JavaScript inside EM_JS is left as written: the formatter would read it as C++.
// clang-format off
// The canvas the texts are drawn on, off the page, and the font family they are drawn in.
// Without a 2-D context (a very old browser) texts are left out of the picture.
EM_JS(void, cf_js_text_setup, (const char* face), {
    var canvas = null;
    var ctx = null;
    if (typeof OffscreenCanvas !== "undefined") {
        canvas = new OffscreenCanvas(64, 32);
        ctx = canvas.getContext("2d", {willReadFrequently: true});
    }
    if (!ctx && typeof document !== "undefined") {
        canvas = document.createElement("canvas");
        ctx = canvas.getContext("2d", {willReadFrequently: true});
    }
    // The font is set only when it changes: setting it parses it again each time.
    Module.cfText = {canvas: canvas, ctx: ctx, face: UTF8ToString(face), font: null,
                     useFont: function (px) {
                         var f = px + "px " + this.face;
                         if (this.font !== f) { this.ctx.font = f; this.font = f; }
                     }};
});

// The font's ascent and descent in whole pixels at a pixel size, as the canvas measures them.
EM_JS(void, cf_js_font_metrics, (int px, int* out), {
    var ctx = Module.cfText.ctx;
    if (!ctx) return;
    Module.cfText.useFont(px);
    var m = ctx.measureText("Hg");
    var ascent = m.fontBoundingBoxAscent;
    var descent = m.fontBoundingBoxDescent;
    if (!(ascent >= 0) || !(descent >= 0)) { // no font metrics: the glyphs' own extent
        ascent = m.actualBoundingBoxAscent;
        descent = m.actualBoundingBoxDescent;
    }
    HEAP32[out >> 2] = Math.round(ascent) | 0;
    HEAP32[(out >> 2) + 1] = Math.round(descent) | 0;
});

// The advance width of a text in whole device pixels at a pixel size, and its ink's box about
// the point it is drawn from, in whole pixels outward: ink[0] left (negative: left of the
// point), ink[1] right, ink[2] up, ink[3] down; ink[4] is 0 when the canvas gave no box.
EM_JS(int, cf_js_text_measure, (const char* text, int px, int* ink), {
    var ctx = Module.cfText.ctx;
    HEAP32[(ink >> 2) + 4] = 0;
    if (!ctx) return 0;
    Module.cfText.useFont(px);
    var m = ctx.measureText(UTF8ToString(text));
    var box = [Math.floor(-m.actualBoundingBoxLeft), Math.ceil(m.actualBoundingBoxRight),
               Math.ceil(m.actualBoundingBoxAscent), Math.ceil(m.actualBoundingBoxDescent)];
    if (box.every(Number.isFinite)) {
        for (var i = 0; i < 4; ++i) HEAP32[(ink >> 2) + i] = box[i];
        HEAP32[(ink >> 2) + 4] = 1;
    }
    var w = Math.ceil(m.width);
    return w > 0 ? w : 0;
});

// Draws a text in black on a transparent canvas of w x h with its baseline at (left, baseline)
// and copies the coverage (the alpha channel) into dst, w x h bytes, which hold zeros. Only the
// ink's box (cf_js_text_measure), two pixels wider each way, is read back: reading back is most
// of a text's cost, and no pixel outside that box is inked. Without a box, all of it is.
EM_JS(void, cf_js_text_coverage, (const char* text, int px, int left, int baseline, const int* ink, uint8_t* dst, int w, int h), {
    var canvas = Module.cfText.canvas;
    if (!Module.cfText.ctx || w <= 0 || h <= 0) return;
    if (canvas.width < w || canvas.height < h) {
        canvas.width = Math.max(canvas.width, w);  // a resized canvas forgets its font
        canvas.height = Math.max(canvas.height, h);
        Module.cfText.font = null;
    }
    var ctx = Module.cfText.ctx;
    ctx.clearRect(0, 0, w, h);
    Module.cfText.useFont(px);
    ctx.fillStyle = "#000";
    ctx.textBaseline = "alphabetic";
    ctx.textAlign = "left";
    ctx.fillText(UTF8ToString(text), left, baseline);
    var i4 = ink >> 2;
    var x0 = 0, x1 = w, y0 = 0, y1 = h;
    if (HEAP32[i4 + 4]) {
        x0 = Math.max(left + HEAP32[i4] - 2, 0);
        x1 = Math.min(left + HEAP32[i4 + 1] + 2, w);
        y0 = Math.max(baseline - HEAP32[i4 + 2] - 2, 0);
        y1 = Math.min(baseline + HEAP32[i4 + 3] + 2, h);
    }
    if (x0 >= x1 || y0 >= y1) return; // no ink inside
    var bw = x1 - x0;
    var rgba = ctx.getImageData(x0, y0, bw, y1 - y0).data;
    for (var y = y0; y < y1; ++y) {
        var from = (y - y0) * bw * 4 + 3;
        var to = dst + y * w + x0;
        for (var x = 0; x < bw; ++x)
            HEAPU8[to + x] = rgba[from + 4 * x];
    }
});
// clang-format on

namespace {

// Texts wider than this many device pixels are cut (a canvas side may not exceed 32767): the
// page's picture (kStartValues.width) at kMaxFrameScale is far narrower.
constexpr int kMaxTextWidth = 16384;
// At most this many coverage bytes per text; a wider text is cut.
constexpr long long kMaxTextArea = 16LL << 20;
// The rendered texts kept, in coverage bytes: the labels of every wall a drag reaches (some 430
// texts, cropped to their ink about 9 MB at a phone's or a projector's size) fit, with room for
// more. A text that finds no room makes it by forgetting those used longest ago, down to three
// quarters of this.
constexpr size_t kStoreBytes = 16u << 20;

} // namespace

CanvasTextPainter::FontMetrics CanvasTextPainter::MeasureFont(int px)
{
    int out[2] = {0, 0};
    cf_js_font_metrics(px, out);
    return FontMetrics{px, out[0], out[1]};
}

const CanvasTextPainter::FontMetrics& CanvasTextPainter::Measured(int px)
{
    auto it = measured_.find(px);
    if (it == measured_.end())
        it = measured_.emplace(px, MeasureFont(px)).first;
    return it->second;
}

// The family asked for first, then the font with the same metrics that free systems have.
void CanvasTextPainter::Start() { cf_js_text_setup("Verdana, 'DejaVu Sans', sans-serif"); }

void CanvasTextPainter::DrawText(const PixelMemory& memory, int x, int y, const std::string& text,
                                 const Font& font)
{
    if (!memory.bits || text.empty() || memory.scale < 1)
        return;
    const TextImage* image = Rendered(text, font.height, memory.scale, kKeepNone);
    const int s = memory.scale;
    BlendInk(memory, static_cast<long long>(x) * s + image->left,
             static_cast<long long>(y) * s + image->top, image->coverage.data(), image->width,
             image->height);
}

int CanvasTextPainter::TextWidth(const std::string& text, const Font& font)
{
    if (text.empty())
        return 0;
    const FontMetrics& f = FontFor(font.height);
    int ink[5] = {0, 0, 0, 0, 0}; // the ink's box, see cf_js_text_measure
    const int advance = cf_js_text_measure(text.c_str(), f.px, ink);
    return std::max(advance, ink[4] ? ink[1] : 0);
}

bool CanvasTextPainter::RenderAhead(const std::string& text, const Font& font, int scale,
                                    unsigned long long keepFrom)
{
    return text.empty() || scale < 1 || Rendered(text, font.height, scale, keepFrom) != nullptr;
}

// The font for a Font's height by the core's rule (draw/font_fit.h), as the desktop sizes its
// own: the cell the rule tries at each pixel size is the canvas's ascent plus descent there.
const CanvasTextPainter::FontMetrics& CanvasTextPainter::FontFor(int height)
{
    auto it = fonts_.find(height);
    if (it == fonts_.end()) {
        const int px = FontPixelsForHeight(height, [this](int pixels) {
            const FontMetrics& m = Measured(pixels);
            return m.ascent + m.descent;
        });
        it = fonts_.emplace(height, Measured(px)).first;
    }
    return it->second;
}

const CanvasTextPainter::TextImage* CanvasTextPainter::Rendered(const std::string& text, int height,
                                                                int scale,
                                                                unsigned long long keepFrom)
{
    const Key key{text, height, scale};
    auto it = cache_.find(key);
    if (it != cache_.end()) {
        it->second.used = ++uses_;
        return &it->second;
    }

    const FontMetrics& f = FontFor(height);
    const int px = f.px * scale;
    const int pad = 2 * scale; // room for glyphs that reach past their advance
    TextImage image;
    image.left = -pad;
    image.top = -pad;
    image.height = (f.ascent + f.descent) * scale + 2 * pad;
    const long long widest = std::min<long long>(kMaxTextWidth, kMaxTextArea / image.height);
    int ink[5] = {0, 0, 0, 0, 0}; // the ink's box, see cf_js_text_measure
    image.width = static_cast<int>(
        std::min<long long>(cf_js_text_measure(text.c_str(), px, ink) + 2LL * pad, widest));
    image.coverage.assign(static_cast<size_t>(image.width) * image.height, 0);
    // The baseline lies one ascent below the cell's top.
    cf_js_text_coverage(text.c_str(), px, pad, pad + f.ascent * scale, ink, image.coverage.data(),
                        image.width, image.height);
    ++renders_;
    CropToInk(image);

    const size_t bytes = image.coverage.size();
    if (storedBytes_ + bytes > kStoreBytes) {
        Forget(kStoreBytes / 4 * 3 - std::min(bytes, kStoreBytes / 4 * 3), keepFrom);
        if (storedBytes_ + bytes > kStoreBytes && keepFrom != kKeepNone)
            return nullptr; // no room without forgetting what is to be kept
    }
    image.used = ++uses_;
    storedBytes_ += bytes;
    return &cache_.emplace(key, std::move(image)).first->second;
}

void CanvasTextPainter::Forget(size_t downTo, unsigned long long keepFrom)
{
    std::vector<std::pair<unsigned long long, Key>> old;
    for (const auto& [key, image] : cache_)
        if (image.used < keepFrom)
            old.emplace_back(image.used, key);
    std::sort(old.begin(), old.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : old) {
        if (storedBytes_ <= downTo)
            break;
        auto it = cache_.find(entry.second);
        storedBytes_ -= it->second.coverage.size();
        cache_.erase(it);
    }
}
