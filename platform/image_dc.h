#pragma once
// The desktop's pictures: the device context its frames are composed through, and the core's
// buffer as a Qt image for showing, copying and saving.
#include <memory>

#include <QImage>
#include <QPainter>
#include <QRect>

#include "draw/dc.h"
#include "draw/frame_buffer.h"

// What a view draws its frames through on the desktop: the core's RasterDC over the buffer,
// which draws every shape, with Qt's fonts for the text (platform/qt_text_painter.h).
std::unique_ptr<DC> MakeImageDC(FrameBuffer& buffer);

// The buffer's pixels as an image that shares its memory (valid while the buffer is unchanged),
// and as an image of its own.
QImage ImageOf(const FrameBuffer& buffer);
QImage ImageCopyOf(const FrameBuffer& buffer);

// Paints the buffer at the top-left of area, on a widget shown at devicePixelRatio: pixel for
// pixel at its own scale, and at a fractional ratio (1.5, composed at the next whole scale)
// filtered down rather than sampled. Without pixels, area is painted white.
void PaintFrame(QPainter& painter, const QRect& area, const FrameBuffer& buffer,
                double devicePixelRatio);
