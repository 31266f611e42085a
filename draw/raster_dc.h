#pragma once
// The device context of the core: it draws every shape into a FrameBuffer itself, so any shell
// (or none) gets the same picture. Lines are clipped in doubles to a margin round the picture
// first, so end points millions of pixels away draw the same visible segment. Text needs fonts,
// which only a shell has: it goes to the TextPainter given, or is left out.
//
// Coordinates: logical pixel (x, y) is the picture pixel whose centre lies at (x + 0.5, y + 0.5)
// in picture units, that is at (s*(x + 0.5), s*(y + 0.5)) on the device grid of scale s. Device
// pixel (i, j) is sampled at (i + 0.5 + kBias, j + 0.5 + kBias).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "draw/dc.h"
#include "draw/frame_buffer.h"

// Draws a text (UTF-8) in black with the top-left corner of its character cell at the logical
// point (x, y) of the picture behind memory.
class TextPainter {
public:
    virtual ~TextPainter() = default;
    virtual void DrawText(const PixelMemory& memory, int x, int y, const std::string& text,
                          const Font& font) = 0;
    // How wide the text is drawn at scale 1, picture pixels (see DC::TextWidth); 0 when not known.
    virtual int TextWidth(const std::string& text, const Font& font)
    {
        (void)text;
        (void)font;
        return 0;
    }
};

// A text's ink laid into the picture as both shells' painters lay it: black over each device
// pixel by its coverage (0..255), from a width x height image whose top-left corner lies at the
// device pixel (x0, y0); clipped to the picture.
void BlendInk(const PixelMemory& memory, long long x0, long long y0, const unsigned char* coverage,
              int width, int height);

// A text's ink as a painter keeps it: width x height coverage bytes (see BlendInk) whose top-left
// corner lies left, top device pixels from the point the text is drawn at.
struct InkImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<unsigned char> coverage;
};

// Cuts an ink image down to the rows and columns that hold ink (none when none do), moving its
// corner by what was cut: blended, it lays the same ink.
void CropToInk(InkImage& image);

class RasterDC : public DC {
public:
    explicit RasterDC(FrameBuffer& buffer, TextPainter* text = nullptr);

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SelectFont(const Font& font) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Arc(int x, int y, int radius, float startDegrees, float sweepDegrees) override;
    void DrawText(int x, int y, const std::string& text) override;
    int TextWidth(const std::string& text, const Font& font) override
    {
        return text_ ? text_->TextWidth(text, font) : 0;
    }
    void Ellipse(int left, int top, int right, int bottom) override;
    void FillRect(int x, int y, int width, int height, Colour colour) override;
    void Polyline(const double* xy, int count) override;
    bool MarksDrawnRows() const override { return true; }

    // Picture pixels drawn beyond each edge, so that clipped shapes keep their ends.
    static constexpr double kMargin = 64.0;

private:
    // The selected pen as drawn: width 1..1024; dashes and dots only on one-pixel pens.
    struct PenShape {
        int width = 1;
        Colour colour;
        bool patterned = false;
        double on = 0.0; // pattern, picture pixels: on from 0 to on, and from dotFrom to dotTo
        double dotFrom = 0.0;
        double dotTo = 0.0;
        double period = 0.0;
    };

    // Both in picture pixels; one straight piece in the selected pen, its dash pattern
    // already along by along picture pixels at (x0, y0).
    void Segment(double x0, double y0, double x1, double y1, double along = 0.0);
    // A one-pixel piece from a to b (picture units, already clipped near the picture; b's
    // pixel is left out). along is how far a lies from the start of the whole line, for the
    // dash pattern. Drawn on the device grid, scale pixels thick.
    void ThinSegment(double ax, double ay, double bx, double by, double along);
    void ArcChords(double cx, double cy, double r, double a, double b, double first, int depth);
    void ScanEllipse(double l, double t, double r, double b);
    void SetPixelSlow(int, int, Colour) override {}
    void FillSpan(int row, double first, double last, uint32_t value);
    void RowRange(double top, double bottom, int& j0, int& j1) const;
    void FillCapsule(double ax, double ay, double bx, double by, double r, uint32_t value);

    FrameBuffer& buffer_;
    TextPainter* text_;
    PenShape pen_;
    Colour brush_ = Colour{255, 255, 255};
    Font font_;
    double curX_ = 0.0; // current position, never clipped
    double curY_ = 0.0;
};

// How frames and plots are drawn: a shell's device context over the buffer (with its fonts for
// the text).
using MakeDCFunction = std::function<std::unique_ptr<DC>(FrameBuffer&)>;
// The device context makeDC makes over target, or without one the core's RasterDC (no text);
// the vector state the shell's code may have left in use is cleared.
std::unique_ptr<DC> MakeDrawingDC(const MakeDCFunction& makeDC, FrameBuffer& target);
