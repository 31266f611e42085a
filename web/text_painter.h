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

    // The font drawn for a Font's height, and the canvas's metrics at a pixel size (measured
    // once each).
    const FontMetrics& FontFor(int height);
    const FontMetrics& Measured(int px);
    const TextImage& Rendered(const std::string& text, int height, int scale);
    static FontMetrics MeasureFont(int px);

    using Key = std::tuple<std::string, int, int>;
    std::map<int, FontMetrics> fonts_;    // by Font::height
    std::map<int, FontMetrics> measured_; // by pixel size
    std::map<Key, TextImage> cache_;
};
