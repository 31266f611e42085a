#pragma once
// A device context that paints into a BackBuffer with Qt. Lines are clipped in doubles to a
// margin round the picture first, so end points millions of pixels away draw the same visible
// segment without overflowing the rasteriser.
#include <memory>

#include "platform/back_buffer.h"
#include "platform/dc.h"

class ImageDC : public DC {
public:
    explicit ImageDC(BackBuffer& buffer); // painting begins here and ends with the object
    ~ImageDC() override;

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SelectFont(const Font& font) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void AngleArc(int x, int y, int radius, float startDegrees, float sweepDegrees) override;
    void TextOut(int x, int y, const std::string& text) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void FillSolidRect(int x, int y, int width, int height, Colour colour) override;

    // How many toolkit pens, brushes and fonts have been made since the program started:
    // a steady frame makes none.
    static long NativeObjectsCreated();

protected:
    void SetPixelSlow(int x, int y, Colour colour) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
