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

private:
    struct FontMetrics {
        int px = 0;
        int ascent = 0;
        int descent = 0;
    };
    // The coverage of one text at one scale, ready to blend.
    struct TextImage {
        int left = 0; // device pixels from the cell's left edge to the image's left edge
        int top = 0;  // device pixels from the cell's top to the image's top
        int width = 0;
        int height = 0;
        std::vector<uint8_t> coverage;
    };

    const FontMetrics& FontFor(int height);
    const TextImage& Rendered(const std::string& text, int height, int scale);
    static FontMetrics MeasureFont(int px);
    static FontMetrics FontForCell(int height);

    using Key = std::tuple<std::string, int, int>;
    std::map<int, FontMetrics> fonts_;
    std::map<Key, TextImage> cache_;
};
