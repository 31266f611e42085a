#pragma once
// The device context the program draws through: pens, brushes and a font that stay selected,
// a current position for MoveTo/LineTo, arcs in degrees, text anchored at its top-left corner
// with no background, single pixels and ellipses by bounding box. This header uses no toolkit;
// draw/raster_dc.h draws every shape into the core's buffer.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "base/saturate.h"

// How a pixel's 32-bit word holds its channels: 0xAARRGGBB (the picture's, and every buffer's
// unless it says otherwise), or 0xAABBGGRR, which a little-endian machine stores as the bytes R,
// G, B, A that a browser's canvas takes. Drawing is the same either way, channel by channel.
enum class PixelOrder { Argb, Abgr };

// A pixel's red and blue changed over: one order's word to the other's.
constexpr uint32_t SwapRedBlue(uint32_t p)
{
    return (p & 0xFF00FF00u) | ((p & 0xFFu) << 16) | ((p >> 16) & 0xFFu);
}

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
    constexpr uint32_t Rgb32() const
    {
        return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
    }
    // The opaque pixel of this colour in a buffer of that order.
    constexpr uint32_t Word(PixelOrder order) const
    {
        return order == PixelOrder::Argb ? Rgb32() : SwapRedBlue(Rgb32());
    }
    constexpr bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
    constexpr bool operator!=(const Colour& o) const { return !(*this == o); }
};

// Dash: 18 picture pixels on, 6 off; Dot: 3 on, 3 off; DashDot: 12 on, 4 off, 2 on, 4 off.
// Patterns are drawn on one-pixel pens only.
enum class PenStyle { Solid, Dash, Dot, DashDot };

// Drawing objects are plain descriptions owned by the object that uses them; selecting one
// copies what the device context needs.
struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Colour colour;
};
struct Brush {
    Colour colour;
};
struct Font {
    int height = 20; // cell height in pixels: ascent plus descent
    std::string face = "Verdana";
};

// The device columns drawn in each device row since Start: from first to last (first > last:
// none). A composer whose buffer was all one value before drawing finds what was drawn by
// looking only there.
struct DrawnRows {
    std::vector<int> first;
    std::vector<int> last;
    void Start(int rows, int width)
    {
        first.assign(rows > 0 ? static_cast<size_t>(rows) : 0, width);
        last.assign(first.size(), -1);
    }
    // Columns x0..x1 of a row, both within the buffer.
    void Mark(size_t row, int x0, int x1)
    {
        if (x0 < first[row])
            first[row] = x0;
        if (x1 > last[row])
            last[row] = x1;
    }
};

// Pixel memory a device context may expose for direct writes (32-bit pixels in order).
// Logical pixel (x, y) covers scale x scale device pixels. Every write marks the rows it
// drew in drawn, when that is given.
struct PixelMemory {
    uint32_t* bits = nullptr;
    int stride = 0; // in pixels
    int width = 0;  // logical
    int height = 0; // logical
    int scale = 1;
    DrawnRows* drawn = nullptr;
    PixelOrder order = PixelOrder::Argb;
};

class DC {
public:
    virtual ~DC() = default;

    virtual void SelectPen(const Pen& pen) = 0;
    virtual void SelectBrush(const Brush& brush) = 0;
    virtual void SelectFont(const Font& font) = 0;

    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    // Arc about (x, y), start and sweep in degrees counter-clockwise from +x as seen on the
    // screen; first joins the current position to the arc's start, then leaves the current
    // position at the arc's end.
    virtual void Arc(int x, int y, int radius, float startDegrees, float sweepDegrees) = 0;
    // Text (UTF-8) with its top-left corner at (x, y), black, no background.
    virtual void DrawText(int x, int y, const std::string& text) = 0;
    // How wide a text (UTF-8) is in a font, picture pixels from its left edge to the right end of
    // its advance or its ink, whichever lies further, as DrawText draws it; 0 where this context
    // draws no text.
    virtual int TextWidth(const std::string& text, const Font& font)
    {
        (void)text;
        (void)font;
        return 0;
    }
    // Outline in the selected pen, fill in the selected brush.
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void FillRect(int x, int y, int width, int height, Colour colour) = 0;
    // A polyline through count points given as x, y pairs in picture pixels (logical pixel
    // (x, y) has its centre at the whole numbers x, y), in the selected pen; the dash pattern
    // runs on from piece to piece. Leaves the current position at the last point. This one
    // rounds the points and draws each piece with LineTo; RasterDC draws them unrounded.
    virtual void Polyline(const double* xy, int count);
    // Whether every pixel this context draws is marked in its memory's DrawnRows, when those
    // are given (RasterDC); a context that draws by other means answers false.
    virtual bool MarksDrawnRows() const { return false; }

    // One pixel; a pixel outside the surface is ignored.
    void SetPixel(int x, int y, Colour colour)
    {
        if (memory_.bits) {
            if (x < 0 || y < 0 || x >= memory_.width || y >= memory_.height)
                return;
            const uint32_t value = colour.Word(memory_.order);
            const int s = memory_.scale;
            uint32_t* row = memory_.bits + (size_t(y) * s) * memory_.stride + size_t(x) * s;
            for (int dy = 0; dy < s; ++dy, row += memory_.stride)
                for (int dx = 0; dx < s; ++dx)
                    row[dx] = value;
            if (memory_.drawn)
                for (int dy = 0; dy < s; ++dy)
                    memory_.drawn->Mark(size_t(y) * s + dy, x * s, x * s + s - 1);
            return;
        }
        SetPixelSlow(x, y, colour);
    }

protected:
    virtual void SetPixelSlow(int x, int y, Colour colour) = 0;
    PixelMemory memory_;
};

inline void DC::Polyline(const double* xy, int count)
{
    if (!xy || count <= 0)
        return;
    auto at = [](double v) { return TruncToInt(std::floor(v + 0.5)); };
    MoveTo(at(xy[0]), at(xy[1]));
    for (int i = 1; i < count; ++i)
        LineTo(at(xy[2 * i]), at(xy[2 * i + 1]));
}
