#pragma once
// The desktop's text: the core's RasterDC draws every shape itself and hands text to this
// painter, which draws it in black, anti-aliased, with Qt's fonts straight into the picture's
// memory. Without a GUI application (no fonts) it draws nothing.
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <QFont>

#include "draw/raster_dc.h"

class QtTextPainter : public TextPainter {
public:
    // The top of the text's character cell at the logical point (x, y), at the memory's scale.
    void DrawText(const PixelMemory& memory, int x, int y, const std::string& text,
                  const Font& font) override;
    // The wider of the text's advance and its ink's right end, in the font DrawText draws with.
    int TextWidth(const std::string& text, const Font& font) override;

private:
    struct Size {
        int pixels = 0; // the font's pixel size
        int ascent = 0; // from the top of the cell to the baseline
        int cell = 0;   // ascent plus descent
    };
    // A text's ink at one scale: its coverage (0..255) over a box placed relative to the
    // character cell's top-left corner, in device pixels.
    using Ink = InkImage;
    const Size& SizeOf(const Font& font);
    const Ink& InkOf(const std::string& text, const Font& font, int scale);

    std::map<std::pair<int, std::string>, Size> sizes_; // found once per height and face
    // Texts drawn before, kept so that a label drawn again (a tick label, a legend) costs a
    // blend and not a layout; the oldest half goes when it grows past its bound.
    std::map<std::tuple<std::string, int, std::string, int>, Ink> inks_;
};

// The toolkit font for a Font (needs the GUI application). A positive height is the cell
// height (ascent plus descent) in pixels, and the font is the largest pixel size whose cell
// fits it; 0 is a 16-pixel cell; a negative height is the pixel size itself. Heights are
// capped at 2048 pixels. "Verdana", where it is missing, is drawn in DejaVu Sans, which has
// its metrics.
QFont FontForCell(const Font& font);
