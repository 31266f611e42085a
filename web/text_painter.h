#pragma once
// Text through the browser's canvas: the labels of the picture drawn with the canvas's fillText
// in the page's fonts and blended into the core's frame buffer. The core draws every other
// shape itself; text needs fonts, which only the browser has.
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "draw/raster_dc.h"

class CanvasTextPainter : public TextPainter {
public:
    // Makes the canvas the texts are drawn on; once, before the first text.
    void Start();

    void DrawText(const PixelMemory& memory, int x, int y, const std::string& text,
                  const Font& font) override;
    // The wider of the text's advance and its ink's right end, as the canvas measures them.
    int TextWidth(const std::string& text, const Font& font) override;

    // Renders a text now as DrawText would at scale, to be drawn later without the canvas
    // (nothing when it is rendered already; either way it counts as used now). Texts used at or
    // after use number keepFrom are not forgotten to make room: false when there is none then.
    bool RenderAhead(const std::string& text, const Font& font, int scale,
                     unsigned long long keepFrom);
    // The number the next use of a text gets.
    unsigned long long NextUse() const { return uses_ + 1; }
    // How many texts were rendered on the canvas so far.
    unsigned long Renders() const { return renders_; }

private:
    struct FontMetrics {
        int px = 0;
        int ascent = 0;
        int descent = 0;
    };
    // The coverage of one text at one scale, ready to blend: cropped to its ink.
    struct TextImage : InkImage {
        unsigned long long used = 0; // when it was last drawn or rendered (uses_)
    };

    // The font drawn for a Font's height, and the canvas's metrics at a pixel size (measured
    // once each).
    const FontMetrics& FontFor(int height);
    const FontMetrics& Measured(int px);
    // The text rendered, from the store or now; null when there is no room for it without
    // forgetting a text used at or after keepFrom (kKeepNone: there always is).
    const TextImage* Rendered(const std::string& text, int height, int scale,
                              unsigned long long keepFrom);
    static constexpr unsigned long long kKeepNone = ~0ull;
    static FontMetrics MeasureFont(int px);
    // Forgets texts used before keepFrom, those used longest ago first, until the store holds
    // downTo bytes or fewer.
    void Forget(size_t downTo, unsigned long long keepFrom);

    using Key = std::tuple<std::string, int, int>;
    std::map<int, FontMetrics> fonts_;    // by Font::height
    std::map<int, FontMetrics> measured_; // by pixel size
    std::map<Key, TextImage> cache_;
    size_t storedBytes_ = 0; // the coverage the store holds
    unsigned long long uses_ = 0;
    unsigned long renders_ = 0;
};
