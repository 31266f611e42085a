// The browser's shell round the core: one FlowSession, driven by the page through the plain C
// functions below (called from web/cornerflow.js with cwrap). The core composes every frame into
// its FrameBuffer with RasterDC; the page only copies the pixels onto a canvas. Text, which needs
// fonts, is drawn by the browser's canvas and blended into the core's buffer here.
//
// Strings go out as pointers to UTF-8 kept alive by this file until the next call of the same
// function; strings come in as pointers the page allocates with malloc and frees itself.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/saturate.h"
#include "dialog/fields.h"
#include "dialog/flow_session.h"
#include "draw/raster_dc.h"
#include "res/dialog_templates.h"
#include "res/ids.h"
#include "web_images.h"

#ifndef CORNERFLOW_VERSION
#error "CORNERFLOW_VERSION must be defined by the build"
#endif

// ---- Text through the browser's canvas --------------------------------------------------------

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
    Module.cfText = {canvas: canvas, ctx: ctx, face: UTF8ToString(face)};
});

// The font's ascent and descent in whole pixels at a pixel size, as the canvas measures them.
EM_JS(void, cf_js_font_metrics, (int px, int* out), {
    var ctx = Module.cfText.ctx;
    if (!ctx) return;
    ctx.font = px + "px " + Module.cfText.face;
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

// The advance width of a text in whole device pixels at a pixel size.
EM_JS(int, cf_js_text_width, (const char* text, int px), {
    var ctx = Module.cfText.ctx;
    if (!ctx) return 0;
    ctx.font = px + "px " + Module.cfText.face;
    var w = Math.ceil(ctx.measureText(UTF8ToString(text)).width);
    return w > 0 ? w : 0;
});

// Draws a text in black on a transparent canvas of w x h with its baseline at (left, baseline)
// and copies the coverage (the alpha channel) into dst, w x h bytes.
EM_JS(void, cf_js_text_coverage, (const char* text, int px, int left, int baseline, uint8_t* dst, int w, int h), {
    var canvas = Module.cfText.canvas;
    if (!Module.cfText.ctx || w <= 0 || h <= 0) return;
    if (canvas.width < w) canvas.width = w;  // a resized canvas forgets its font: set below
    if (canvas.height < h) canvas.height = h;
    var ctx = Module.cfText.ctx;
    ctx.clearRect(0, 0, w, h);
    ctx.font = px + "px " + Module.cfText.face;
    ctx.fillStyle = "#000";
    ctx.textBaseline = "alphabetic";
    ctx.textAlign = "left";
    ctx.fillText(UTF8ToString(text), left, baseline);
    var rgba = ctx.getImageData(0, 0, w, h).data;
    var n = w * h;
    for (var i = 0; i < n; ++i)
        HEAPU8[dst + i] = rgba[4 * i + 3];
});
// clang-format on

namespace {

// Fonts asked for as a cell height larger than this are drawn at this height.
constexpr int kMaxFontCell = 2048;
// Texts wider than this many device pixels are cut (a canvas side may not exceed 32767): the
// widest picture, 622 pixels at 4x, is far narrower.
constexpr int kMaxTextWidth = 16384;
// At most this many coverage bytes per text; a wider text is cut.
constexpr long long kMaxTextArea = 16LL << 20;
// Rendered texts kept; dragging makes a few hundred different labels at most.
constexpr size_t kMaxCachedTexts = 512;

struct FontMetrics {
    int px = 0;
    int ascent = 0;
    int descent = 0;
};

FontMetrics MeasureFont(int px)
{
    int out[2] = {0, 0};
    cf_js_font_metrics(px, out);
    return FontMetrics{px, out[0], out[1]};
}

// The font for a cell height (ascent + descent) in pixels: the largest pixel size whose cell
// fits, as the desktop picks its font. 0 means a 16-pixel cell, a negative height the pixel
// size itself.
FontMetrics FontForCell(int height)
{
    if (height < 0)
        return MeasureFont(
            static_cast<int>(std::min(-static_cast<long long>(height), 0LL + kMaxFontCell)));
    const int cell = height == 0 ? 16 : std::min(height, kMaxFontCell);
    FontMetrics f = MeasureFont(cell);
    const int full = std::max(1, f.ascent + f.descent);
    int px = std::max(1, static_cast<int>(static_cast<long long>(cell) * cell / full));
    f = MeasureFont(px);
    while (px > 1 && f.ascent + f.descent > cell)
        f = MeasureFont(--px);
    while (px < kMaxFontCell) {
        const FontMetrics bigger = MeasureFont(px + 1);
        if (bigger.ascent + bigger.descent > cell)
            break;
        f = bigger;
        ++px;
    }
    return f;
}

// The coverage of one text at one scale, ready to blend.
struct TextImage {
    int left = 0; // device pixels from the cell's left edge to the image's left edge
    int top = 0;  // device pixels from the cell's top to the image's top
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
};

class CanvasTextPainter : public TextPainter {
public:
    // The family asked for first, then the font with the same metrics that free systems have.
    void Start() { cf_js_text_setup("Verdana, 'DejaVu Sans', sans-serif"); }

    void DrawText(const PixelMemory& memory, int x, int y, const std::string& text,
                  const Font& font) override
    {
        if (!memory.bits || text.empty() || memory.scale < 1)
            return;
        const TextImage& image = Rendered(text, font.height, memory.scale);
        const int s = memory.scale;
        const long long deviceW = static_cast<long long>(memory.width) * s;
        const long long deviceH = static_cast<long long>(memory.height) * s;
        const long long x0 = static_cast<long long>(x) * s + image.left;
        const long long y0 = static_cast<long long>(y) * s + image.top;
        for (int j = 0; j < image.height; ++j) {
            const long long row = y0 + j;
            if (row < 0 || row >= deviceH)
                continue;
            uint32_t* line = memory.bits + row * memory.stride;
            const uint8_t* cover = image.coverage.data() + static_cast<size_t>(j) * image.width;
            for (int i = 0; i < image.width; ++i) {
                const long long col = x0 + i;
                const unsigned a = cover[i];
                if (a == 0 || col < 0 || col >= deviceW)
                    continue;
                // Black over the pixel with the glyph's coverage.
                const uint32_t p = line[col];
                const unsigned keep = 255 - a;
                const uint32_t r = (((p >> 16) & 0xFF) * keep + 127) / 255;
                const uint32_t g = (((p >> 8) & 0xFF) * keep + 127) / 255;
                const uint32_t b = ((p & 0xFF) * keep + 127) / 255;
                line[col] = 0xFF000000u | (r << 16) | (g << 8) | b;
            }
        }
    }

private:
    const FontMetrics& FontFor(int height)
    {
        auto it = fonts_.find(height);
        if (it == fonts_.end())
            it = fonts_.emplace(height, FontForCell(height)).first;
        return it->second;
    }

    const TextImage& Rendered(const std::string& text, int height, int scale)
    {
        const Key key{text, height, scale};
        auto it = cache_.find(key);
        if (it != cache_.end())
            return it->second;
        if (cache_.size() >= kMaxCachedTexts)
            cache_.clear();

        const FontMetrics& f = FontFor(height);
        const int px = f.px * scale;
        const int pad = 2 * scale; // room for glyphs that reach past their advance
        TextImage image;
        image.left = -pad;
        image.top = -pad;
        image.height = (f.ascent + f.descent) * scale + 2 * pad;
        const long long widest = std::min<long long>(kMaxTextWidth, kMaxTextArea / image.height);
        image.width = static_cast<int>(
            std::min<long long>(cf_js_text_width(text.c_str(), px) + 2LL * pad, widest));
        image.coverage.assign(static_cast<size_t>(image.width) * image.height, 0);
        // The baseline lies one ascent below the cell's top.
        cf_js_text_coverage(text.c_str(), px, pad, pad + f.ascent * scale, image.coverage.data(),
                            image.width, image.height);
        return cache_.emplace(key, std::move(image)).first->second;
    }

    using Key = std::tuple<std::string, int, int>;
    std::map<int, FontMetrics> fonts_;
    std::map<Key, TextImage> cache_;
};

// ---- The page's view of the layout ------------------------------------------------------------

void AppendJsonString(std::string& out, const char* s)
{
    out += '"';
    for (const char* p = s; p && *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void AppendJsonString(std::string& out, const std::string& s) { AppendJsonString(out, s.c_str()); }

const char* KindName(res::ControlKind kind)
{
    switch (kind) {
    case res::ControlKind::View: return "View";
    case res::ControlKind::InputField: return "InputField";
    case res::ControlKind::ReadOnlyField: return "ReadOnlyField";
    case res::ControlKind::LabelImage: return "LabelImage";
    case res::ControlKind::DefaultButton: return "DefaultButton";
    case res::ControlKind::IconImage: return "IconImage";
    case res::ControlKind::TextCentred: return "TextCentred";
    case res::ControlKind::TextLeft: return "TextLeft";
    }
    return "";
}

// The image of a resource path as SVG text, or nullptr; with a suffix ("_en"), the image's
// twin of that name (critical_names_en.svg beside critical_names.svg), or nullptr where there is none.
const char* ImageSvg(const char* resourcePath, const char* suffix = "")
{
    if (!resourcePath)
        return nullptr;
    const std::string path(resourcePath);
    std::string name = path.substr(path.find_last_of('/') + 1);
    const size_t dot = name.rfind(".svg");
    if (dot == std::string::npos)
        return nullptr;
    name.insert(dot, suffix);
    for (size_t i = 0; i < kWebImageCount; ++i)
        if (name == kWebImages[i].name)
            return kWebImages[i].svg;
    return nullptr;
}

void AppendRect(std::string& out, const res::PixelRect& r)
{
    out += "\"x\":" + std::to_string(r.x) + ",\"y\":" + std::to_string(r.y)
           + ",\"w\":" + std::to_string(r.w) + ",\"h\":" + std::to_string(r.h);
}

// The text of an About control as the page shows it: the version in place of %1, and the line
// about how the program was built told for this build.
std::string AboutText(const res::ControlTemplate& c)
{
    if (c.id == ControlId::AboutToolkit)
        return "Compiled to WebAssembly; runs in the browser. Free software under the MIT licence: "
               "use, copy and change it as you like.";
    std::string text = c.text ? c.text : "";
    const size_t at = text.find("%1");
    if (at != std::string::npos)
        text.replace(at, 2, CORNERFLOW_VERSION);
    return text;
}

const char* SourceName(FieldSource s)
{
    switch (s) {
    case FieldSource::Input: return "Input";
    case FieldSource::Upstream: return "Upstream";
    case FieldSource::Probe: return "Probe";
    }
    return "";
}

std::string DialogJson(const res::DialogTemplate& t, bool about)
{
    std::string out = "{\"caption\":";
    AppendJsonString(out, t.caption);
    out += ",\"fontFaces\":";
    AppendJsonString(out, t.fontFaces);
    out += ",\"fontPoints\":" + std::to_string(t.fontPoints) + ",";
    AppendRect(out, t.ToPixels(t.rect));
    out += ",\"controls\":[";
    bool first = true;
    for (const res::ControlTemplate& c : t) {
        if (!first)
            out += ',';
        first = false;
        out += "{\"id\":" + std::to_string(ToInt(c.id)) + ",\"kind\":\"" + KindName(c.kind) + "\",";
        AppendRect(out, t.ToPixels(c.rect));
        if (c.image != ImageId::None) {
            const char* svg = ImageSvg(c.kind == res::ControlKind::IconImage
                                           ? res::IconPath(c.image)
                                           : res::BitmapPath(c.image));
            out += ",\"svg\":";
            AppendJsonString(out, svg ? svg : "");
            // The label's English twin, where there is one.
            if (c.kind == res::ControlKind::LabelImage) {
                const char* twin = res::EnglishBitmapPath(c.image);
                const char* en = twin != res::BitmapPath(c.image) ? ImageSvg(twin) : nullptr;
                if (en) {
                    out += ",\"svgEn\":";
                    AppendJsonString(out, en);
                }
            }
        }
        if (c.text) {
            out += ",\"text\":";
            AppendJsonString(out, about ? AboutText(c) : std::string(c.text));
        }
        if (const FieldRow* row = FindField(c.id)) {
            out += ",\"key\":";
            AppendJsonString(out, row->key);
            out += ",\"source\":\"" + std::string(SourceName(row->source)) + "\"";
            // What a screen reader says of the field, in Russian; the page translates both.
            out += ",\"symbol\":";
            AppendJsonString(out, row->symbol);
            out += ",\"words\":";
            AppendJsonString(out, row->words);
        }
        out += '}';
    }
    out += "]}";
    return out;
}

// ---- The session --------------------------------------------------------------------------

// The text cut to kFieldMaxLength UTF-16 code units (as the page counts a field's length), at a
// character boundary: a longer text is cut, as typing or pasting it would be.
std::string CutToFieldLength(const char* text)
{
    size_t units = 0;
    const char* p = text;
    while (*p) {
        const unsigned char lead = static_cast<unsigned char>(*p);
        const size_t bytes = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const size_t width = bytes == 4 ? 2 : 1;
        if (units + width > static_cast<size_t>(kFieldMaxLength))
            break;
        size_t n = 1;
        while (n < bytes && p[n])
            ++n;
        p += n;
        units += width;
    }
    return std::string(text, p);
}

struct Shell {
    FlowSession session;
    CanvasTextPainter text;
    unsigned fieldsSerial = 0;
    unsigned frameSerial = 0;
    long long ticks = 0;
    std::vector<uint32_t> rgba; // the last frame as RGBA bytes, for the canvas
    std::string out;            // the last string handed to the page
};

Shell& TheShell()
{
    static Shell* shell = new Shell; // lives as long as the page
    return *shell;
}

const char* Out(std::string text)
{
    Shell& s = TheShell();
    s.out = std::move(text);
    return s.out.c_str();
}

} // namespace

extern "C" {

// Everything the page builds its controls from: both dialogs' tables with pixel rectangles,
// label images, field keys, the version and the tick interval.
EMSCRIPTEN_KEEPALIVE const char* cf_layout_json()
{
    std::string out = "{\"version\":";
    AppendJsonString(out, CORNERFLOW_VERSION);
    out += ",\"tickMilliseconds\":" + std::to_string(kTickMilliseconds);
    out += ",\"fieldMaxLength\":" + std::to_string(kFieldMaxLength);
    out += ",\"main\":" + DialogJson(res::MainDialogTemplate(), false);
    out += ",\"about\":" + DialogJson(res::AboutDialogTemplate(), true);
    out += ",\"aboutMenuItem\":";
    AppendJsonString(out, res::kAboutMenuItem);
    // The words a screen reader hears, in the program's Russian; the page translates them.
    out += ",\"roleWords\":{\"Input\":";
    AppendJsonString(out, FieldRoleWords(FieldSource::Input));
    out += ",\"Upstream\":";
    AppendJsonString(out, FieldRoleWords(FieldSource::Upstream));
    out += ",\"Probe\":";
    AppendJsonString(out, FieldRoleWords(FieldSource::Probe));
    out += "},\"pictureName\":";
    AppendJsonString(out, kPictureName);
    out += ",\"pictureWords\":{\"Attached\":";
    AppendJsonString(out, PictureWords(PictureFacts::Flow::Attached));
    out += ",\"Separated\":";
    AppendJsonString(out, PictureWords(PictureFacts::Flow::Separated));
    out += ",\"NoFan\":";
    AppendJsonString(out, PictureWords(PictureFacts::Flow::NoFan));
    out += '}';
    out += '}';
    return Out(std::move(out));
}

// Opens the session once, at the picture's size from the dialog table, with scale device pixels
// per picture pixel (1..8); labels 0 leaves the angle labels out (no text painter at all).
EMSCRIPTEN_KEEPALIVE int cf_open(unsigned seed, int scale, int labels)
{
    Shell& s = TheShell();
    if (s.session.IsOpen())
        return 0;
    const res::DialogTemplate& t = res::MainDialogTemplate();
    const res::PixelRect picture = t.ToPixels(t.Find(ControlId::Picture)->rect);
    s.text.Start();
    s.session.fieldsChanged = [&s] { ++s.fieldsSerial; };
    s.session.frameReady = [&s] { ++s.frameSerial; };
    TextPainter* text = labels ? &s.text : nullptr;
    s.session.SetDrawing([text](FrameBuffer& buffer) -> std::unique_ptr<DC> {
        return std::make_unique<RasterDC>(buffer, text);
    });
    s.session.Open(picture.w, picture.h, seed, std::clamp(scale, 1, 8));
    return 1;
}

EMSCRIPTEN_KEEPALIVE const char* cf_field_text(int id)
{
    return TheShell().session.FieldText(static_cast<ControlId>(id)).c_str();
}
// How often the session has written a field: the page reads a text again only when it moved on.
EMSCRIPTEN_KEEPALIVE unsigned cf_field_version(int id)
{
    return TheShell().session.FieldVersion(static_cast<ControlId>(id));
}

EMSCRIPTEN_KEEPALIVE void cf_set_input_text(int id, const char* text)
{
    TheShell().session.SetInputText(static_cast<ControlId>(id),
                                    text ? CutToFieldLength(text) : std::string());
}

EMSCRIPTEN_KEEPALIVE void cf_inputs_left() { TheShell().session.InputsLeft(); }

// The accessible name of a field from its symbol and words in the page's language (the layout's
// own, or their translations); "" for an id that is no field.
EMSCRIPTEN_KEEPALIVE const char* cf_field_name(int id, const char* symbol, const char* words)
{
    const FieldRow* row = FindField(static_cast<ControlId>(id));
    if (!row)
        return Out(std::string());
    FieldRow named = *row;
    named.symbol = symbol ? symbol : row->symbol;
    return Out(FieldAccessibleName(named, words ? words : row->words));
}

// Back to the start: the three inputs' start texts, the wall, a new population, the streamlines.
EMSCRIPTEN_KEEPALIVE void cf_reset() { TheShell().session.Reset(); }

// What the picture shows, for its description: {"flow":"Attached"|"Separated"|"NoFan",
// "turn":"45","span":"30"} (whole degrees as the chi label writes them; "" without a fan).
EMSCRIPTEN_KEEPALIVE const char* cf_facts()
{
    const PictureFacts f = TheShell().session.Facts();
    const char* flow = f.flow == PictureFacts::Flow::Attached    ? "Attached"
                       : f.flow == PictureFacts::Flow::Separated ? "Separated"
                                                                 : "NoFan";
    std::string out = "{\"flow\":\"" + std::string(flow) + "\",\"turn\":";
    AppendJsonString(out, f.turnDegrees);
    out += ",\"span\":";
    AppendJsonString(out, f.spanDegrees);
    out += '}';
    return Out(std::move(out));
}
// The pointer at (x, y) in picture units (any double: a pointer may be far outside).
// leftDown: the main button or a finger is down.
EMSCRIPTEN_KEEPALIVE void cf_pointer_move(double x, double y, int leftDown)
{
    PointerEvent e;
    e.x = x;
    e.y = y;
    e.mainButton = leftDown != 0;
    TheShell().session.PointerMoved(e);
}

EMSCRIPTEN_KEEPALIVE void cf_pointer_press(double x, double y)
{
    PointerEvent e;
    e.x = x;
    e.y = y;
    TheShell().session.PointerPressed(e);
}

EMSCRIPTEN_KEEPALIVE void cf_pointer_release()
{
    TheShell().session.PointerReleased(PointerEvent());
}
EMSCRIPTEN_KEEPALIVE void cf_turn_wall(int direction)
{
    KeyEvent k;
    k.key = direction > 0 ? Key::Right : Key::Left;
    TheShell().session.KeyPressed(k);
}

EMSCRIPTEN_KEEPALIVE void cf_tick()
{
    Shell& s = TheShell();
    s.session.StepOnce();
    ++s.ticks;
}

EMSCRIPTEN_KEEPALIVE double cf_ticks() { return static_cast<double>(TheShell().ticks); }
EMSCRIPTEN_KEEPALIVE unsigned cf_fields_serial() { return TheShell().fieldsSerial; }
EMSCRIPTEN_KEEPALIVE unsigned cf_frame_serial() { return TheShell().frameSerial; }
EMSCRIPTEN_KEEPALIVE int cf_tracer_count() { return TheShell().session.Field().tracers.count; }

// The overlay's labels: 0 beta, 1 alpha, 2 chi ("" for alpha and chi without a fan).
EMSCRIPTEN_KEEPALIVE const char* cf_label(int which)
{
    const FlowSession& session = TheShell().session;
    switch (which) {
    case 0: return Out(session.BetaLabel());
    case 1: return Out(session.AlphaLabel());
    case 2: return Out(session.ChiLabel());
    }
    return Out(std::string());
}

EMSCRIPTEN_KEEPALIVE int cf_frame_width() { return TheShell().session.Frame().deviceWidth; }
EMSCRIPTEN_KEEPALIVE int cf_frame_height() { return TheShell().session.Frame().deviceHeight; }
EMSCRIPTEN_KEEPALIVE int cf_frame_scale() { return TheShell().session.Frame().scale; }

// The last frame as RGBA bytes (width x height x 4, row after row), or nullptr before the first.
EMSCRIPTEN_KEEPALIVE const uint8_t* cf_frame_rgba()
{
    Shell& s = TheShell();
    const FrameBuffer& frame = s.session.Frame();
    if (frame.Empty())
        return nullptr;
    const size_t n = static_cast<size_t>(frame.deviceWidth) * frame.deviceHeight;
    s.rgba.resize(n);
    const uint32_t* src = frame.bits;
    uint32_t* dst = s.rgba.data();
    // 0xAARRGGBB to the bytes R, G, B, A in memory (a little-endian word 0xAABBGGRR), opaque.
    for (size_t i = 0; i < n; ++i) {
        const uint32_t p = src[i];
        dst[i] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
    }
    return reinterpret_cast<const uint8_t*>(s.rgba.data());
}

} // extern "C"
