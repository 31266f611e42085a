#pragma once
// The desktop's device context: the core's RasterDC over a FrameBuffer, with Qt's painter for
// one-pixel lines, arcs, ellipses and text. The painter works on an image that wraps the
// buffer's own memory, so the core's direct pixel writes and the painter share one picture.
#include <memory>

#include <QImage>

#include "draw/frame_buffer.h"
#include "draw/raster_dc.h"

class ImageDC : public RasterDC {
public:
    explicit ImageDC(FrameBuffer& buffer); // painting begins here and ends with the object
    ~ImageDC() override;

    void SelectPen(const Pen& pen) override;
    void SelectBrush(const Brush& brush) override;
    void SelectFont(const Font& font) override;
    void DrawText(int x, int y, const std::string& text) override;

    // How many toolkit pens, brushes and fonts have been made since the program started:
    // a steady frame makes none.
    static long NativeObjectsCreated();

protected:
    void ThinSegment(double ax, double ay, double bx, double by, double along) override;
    void DrawArc(double cx, double cy, double r, double startDegrees, double sweepDegrees) override;
    void DrawEllipse(double l, double t, double r, double b) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// What a view draws its frames through on the desktop.
std::unique_ptr<DC> MakeImageDC(FrameBuffer& buffer);

// The buffer's pixels as an image that shares its memory (valid while the buffer is unchanged),
// and as an image of its own.
QImage ImageOf(const FrameBuffer& buffer);
QImage ImageCopyOf(const FrameBuffer& buffer);
