#include "platform/qt_text_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

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

// Texts kept drawn; and the widest a text is drawn, in logical pixels.
constexpr size_t kMaxKeptTexts = 512;
constexpr double kMaxTextWidth = 16384.0;

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

const QtTextPainter::Ink& QtTextPainter::InkOf(const std::string& text, const Font& font, int scale)
{
    const auto key = std::make_tuple(text, font.height, font.face, scale);
    auto it = inks_.find(key);
    if (it != inks_.end())
        return it->second;
    if (inks_.size() >= kMaxKeptTexts)
        inks_.clear(); // dragging makes a few hundred different labels at most

    // The text in black on a transparent image, its alpha the coverage.
    const Size& size = SizeOf(font);
    const QFont q = FaceAt(font.face, size.pixels);
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF fm(q);
    const int pad = 2; // glyphs may reach past their advance and their cell
    Ink ink;
    ink.left = -pad * scale;
    ink.top = -pad * scale;
    const double advance = std::min(fm.horizontalAdvance(s), static_cast<double>(kMaxTextWidth));
    ink.width = static_cast<int>(std::ceil(advance)) * scale + 2 * pad * scale;
    ink.height = (size.cell + 2 * pad) * scale;
    QImage image(ink.width, ink.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(scale);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setFont(q);
        painter.setPen(QColor(0, 0, 0));
        // The baseline lies one ascent below the top of the cell.
        painter.drawText(QPointF(pad, pad + static_cast<double>(size.ascent)), s);
    }
    ink.coverage.resize(static_cast<size_t>(ink.width) * ink.height);
    for (int j = 0; j < ink.height; ++j) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(j));
        for (int i = 0; i < ink.width; ++i)
            ink.coverage[static_cast<size_t>(j) * ink.width + i] = static_cast<unsigned char>(
                qAlpha(row[i]));
    }
    return inks_.emplace(key, std::move(ink)).first->second;
}

int QtTextPainter::TextWidth(const std::string& text, const Font& font)
{
    if (text.empty() || !HaveFonts())
        return 0;
    const QFont q = FaceAt(font.face, SizeOf(font).pixels);
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QFontMetricsF fm(q);
    const double right = std::max(fm.horizontalAdvance(s), fm.boundingRect(s).right());
    return static_cast<int>(std::ceil(std::min(right, static_cast<double>(kMaxTextWidth))));
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
    const int s = memory.scale;
    const Ink& ink = InkOf(text, font, s);
    if (x < -margin && x + static_cast<double>(ink.width) / s < -margin)
        return;
    BlendInk(memory, static_cast<long long>(x) * s + ink.left,
             static_cast<long long>(y) * s + ink.top, ink.coverage.data(), ink.width, ink.height);
}
