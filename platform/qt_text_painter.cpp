#include "platform/qt_text_painter.h"

#include <algorithm>

#include <QColor>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QString>

#include "draw/font_fit.h"

namespace {

int CellOf(const QFont& font)
{
    const QFontMetrics fm(font);
    return fm.ascent() + fm.descent();
}

bool HaveFonts() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

QFont FaceAt(const std::string& face, int pixels)
{
    QFont q;
    q.setFamily(QString::fromStdString(face));
    q.setStyleHint(QFont::SansSerif);
    q.setPixelSize(pixels);
    return q;
}

} // namespace

QFont FontForCell(const Font& font)
{
    static const bool substituted = [] {
        // The face the program asks for, where it is missing: DejaVu Sans has Verdana's metrics.
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
        return true;
    }();
    (void)substituted;

    // The size rule is the core's (draw/font_fit.h); the cell is Qt's for this face.
    const int pixels = FontPixelsForHeight(font.height,
                                           [&](int px) { return CellOf(FaceAt(font.face, px)); });
    return FaceAt(font.face, pixels);
}

const QtTextPainter::Size& QtTextPainter::SizeOf(const Font& font)
{
    const auto key = std::make_pair(font.height, font.face);
    auto it = sizes_.find(key);
    if (it == sizes_.end()) {
        const QFont q = FontForCell(font);
        const QFontMetrics fm(q);
        it =
            sizes_.emplace(key, Size{q.pixelSize(), fm.ascent(), fm.ascent() + fm.descent()}).first;
    }
    return it->second;
}

void QtTextPainter::DrawText(const PixelMemory& memory, int x, int y, const std::string& text,
                             const Font& font)
{
    if (!memory.bits || text.empty() || memory.scale < 1 || memory.width <= 0 || memory.height <= 0
        || !HaveFonts())
        return;
    const Size& size = SizeOf(font);
    const double margin = RasterDC::kMargin;
    if (x > memory.width + margin || y > memory.height + margin
        || y + static_cast<double>(size.cell) < -margin)
        return;
    const QFont q = FaceAt(font.face, size.pixels);
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (x < -margin && x + QFontMetricsF(q).horizontalAdvance(s) < -margin)
        return;

    // The picture's memory as an image at its scale: the painter works in logical pixels.
    const int scale = memory.scale;
    QImage image(reinterpret_cast<uchar*>(memory.bits), memory.width * scale, memory.height * scale,
                 static_cast<qsizetype>(memory.stride) * 4, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(q);
    painter.setPen(QColor(0, 0, 0));
    // The baseline lies one ascent below the top of the cell.
    painter.drawText(QPointF(x, y + static_cast<double>(size.ascent)), s);
}
