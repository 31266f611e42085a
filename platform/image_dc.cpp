#include "platform/image_dc.h"

#include "draw/raster_dc.h"
#include "platform/qt_text_painter.h"

std::unique_ptr<DC> MakeImageDC(FrameBuffer& buffer)
{
    // One painter for the program, so that each font's size is found once.
    static QtTextPainter text;
    return std::make_unique<RasterDC>(buffer, &text);
}

QImage ImageOf(const FrameBuffer& buffer)
{
    if (!buffer.bits)
        return QImage();
    QImage image(reinterpret_cast<uchar*>(buffer.bits), buffer.deviceWidth, buffer.deviceHeight,
                 static_cast<qsizetype>(buffer.deviceWidth) * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(buffer.scale);
    return image;
}

QImage ImageCopyOf(const FrameBuffer& buffer)
{
    QImage copy = ImageOf(buffer).copy();
    copy.setDevicePixelRatio(buffer.scale);
    return copy;
}

void PaintFrame(QPainter& painter, const QRect& area, const FrameBuffer& buffer,
                double devicePixelRatio)
{
    const QImage image = ImageOf(buffer);
    if (image.isNull()) {
        painter.fillRect(area, Qt::white);
        return;
    }
    if (devicePixelRatio != image.devicePixelRatio())
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(QRect(area.left(), area.top(), buffer.width, buffer.height), image);
}
