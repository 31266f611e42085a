#include "platform/image_dc.h"

#include <algorithm>
#include <cmath>

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "base/saturate.h"

// The painter draws on the device grid of the buffer's scale: QPainter's aliased rasteriser
// maps a logical point to its pixel centre at scale 1, and at larger scales a small translation
// keeps it there, so painter shapes and the core's own land on the same pixels.

namespace {

long g_nativeObjects = 0;

constexpr int kMaxPenWidth = 1024;
constexpr int kMaxFontCell = 2048;

QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

struct NativePen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Colour colour;
    int drawWidth = 1;      // 1..kMaxPenWidth
    bool patterned = false; // dashes and dots exist only on one-pixel pens
    double patternLength = 0.0;
    QPen qpen;
};
struct NativeBrush {
    Colour colour;
    QBrush qbrush;
};
struct NativeFont {
    int height = 0;
    std::string face;
    bool ready = false; // the toolkit font is made on first use: it needs the GUI application
    QFont qfont;
    int ascent = 0;
    int cell = 0;
};

struct PenDeleter {
    void operator()(NativePen* p) const { delete p; }
};
struct BrushDeleter {
    void operator()(NativeBrush* p) const { delete p; }
};
struct FontDeleter {
    void operator()(NativeFont* p) const { delete p; }
};

// The native object behind a descriptor, if it is one of ours (the deleter tells its type).
template <class Native, class Deleter> Native* NativeOf(const std::shared_ptr<void>& holder)
{
    return std::get_deleter<Deleter>(holder) ? static_cast<Native*>(holder.get()) : nullptr;
}

NativePen* PenNative(const Pen& pen)
{
    NativePen* n = NativeOf<NativePen, PenDeleter>(pen.native);
    if (n && n->style == pen.style && n->width == pen.width && n->colour == pen.colour)
        return n;
    n = new NativePen;
    pen.native = std::shared_ptr<void>(n, PenDeleter{});
    ++g_nativeObjects;
    n->style = pen.style;
    n->width = pen.width;
    n->colour = pen.colour;
    n->drawWidth = std::clamp(pen.width, 1, kMaxPenWidth);
    n->patterned = pen.style != PenStyle::Solid && n->drawWidth == 1;
    n->qpen = QPen(ToQColor(pen.colour));
    n->qpen.setWidth(n->drawWidth);
    n->qpen.setJoinStyle(Qt::MiterJoin);
    if (n->drawWidth == 1) {
        // At scale 1 this is the rasteriser's one-pixel line, which leaves out its last pixel.
        n->qpen.setCapStyle(Qt::FlatCap);
        if (pen.style == PenStyle::Dash) {
            n->qpen.setDashPattern({18.0, 6.0});
            n->patternLength = 24.0;
        } else if (pen.style == PenStyle::Dot) {
            n->qpen.setDashPattern({3.0, 3.0});
            n->patternLength = 6.0;
        }
    } else {
        n->qpen.setCapStyle(Qt::RoundCap);
    }
    return n;
}

NativeBrush* BrushNative(const Brush& brush)
{
    NativeBrush* n = NativeOf<NativeBrush, BrushDeleter>(brush.native);
    if (n && n->colour == brush.colour)
        return n;
    n = new NativeBrush;
    brush.native = std::shared_ptr<void>(n, BrushDeleter{});
    ++g_nativeObjects;
    n->colour = brush.colour;
    n->qbrush = QBrush(ToQColor(brush.colour));
    return n;
}

NativeFont* FontNative(const Font& font)
{
    NativeFont* n = NativeOf<NativeFont, FontDeleter>(font.native);
    if (n && n->height == font.height && n->face == font.face)
        return n;
    n = new NativeFont;
    font.native = std::shared_ptr<void>(n, FontDeleter{});
    ++g_nativeObjects;
    n->height = font.height;
    n->face = font.face;
    return n;
}

int CellOf(const QFont& font)
{
    const QFontMetrics fm(font);
    return fm.ascent() + fm.descent();
}

// Makes the toolkit font. A positive height is the cell height (ascent + descent) as the
// program means it (a cell of that many pixels), so the pixel size is the largest whose cell fits; a negative
// one is the character height (the pixel size itself); 0 is a default 16-pixel cell.
void PrepareFont(NativeFont& f)
{
    if (f.ready)
        return;
    static const bool substituted = [] {
        // The face the program asks for, where it is missing: DejaVu Sans has Verdana's metrics.
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
        return true;
    }();
    (void)substituted;

    QFont q;
    q.setFamily(QString::fromStdString(f.face));
    q.setStyleHint(QFont::SansSerif);
    const long long h = f.height;
    if (h < 0) {
        q.setPixelSize(static_cast<int>(std::min<long long>(-h, kMaxFontCell)));
    } else {
        const int cell = h == 0 ? 16 : static_cast<int>(std::min<long long>(h, kMaxFontCell));
        q.setPixelSize(cell);
        const int full = std::max(1, CellOf(q));
        int px = std::max(1, static_cast<int>(static_cast<long long>(cell) * cell / full));
        q.setPixelSize(px);
        while (px > 1 && CellOf(q) > cell)
            q.setPixelSize(--px);
        for (;;) {
            QFont bigger = q;
            bigger.setPixelSize(px + 1);
            if (px >= kMaxFontCell || CellOf(bigger) > cell)
                break;
            q = bigger;
            ++px;
        }
    }
    const QFontMetrics fm(q);
    f.qfont = q;
    f.ascent = fm.ascent();
    f.cell = fm.ascent() + fm.descent();
    f.ready = true;
}

const Pen& DefaultPen()
{
    static const Pen pen{PenStyle::Solid, 1, Colour{0, 0, 0}, {}};
    return pen;
}
const Brush& DefaultBrush()
{
    static const Brush brush{Colour{255, 255, 255}, {}};
    return brush;
}
const Font& DefaultFont()
{
    static const Font font{};
    return font;
}

} // namespace

struct ImageDC::Impl {
    QImage image; // shares the buffer's memory
    QPainter painter;
    bool painting = false;
    double offset = 0.0; // logical translation that puts the painter's geometry on the device grid
    int width = 0;
    int height = 0;
    NativePen* pen = nullptr;
    NativeBrush* brush = nullptr;
    NativeFont* font = nullptr;
    std::shared_ptr<void> penHold; // keeps the selected objects alive with the selection
    std::shared_ptr<void> brushHold;
    std::shared_ptr<void> fontHold;
    QPen textPen{QColor(0, 0, 0)};
};

ImageDC::ImageDC(FrameBuffer& buffer) : RasterDC(buffer), impl_(std::make_unique<Impl>())
{
    Impl& d = *impl_;
    if (buffer.bits) {
        d.image = ImageOf(buffer);
        d.width = buffer.width;
        d.height = buffer.height;
        d.painting = d.painter.begin(&d.image);
        if (d.painting) {
            d.painter.setRenderHint(QPainter::Antialiasing, false);
            d.painter.setRenderHint(QPainter::TextAntialiasing, true);
            d.offset = (buffer.scale - 1) / (2.0 * buffer.scale);
            d.painter.translate(d.offset, d.offset);
        }
    }
    ImageDC::SelectPen(DefaultPen());
    ImageDC::SelectBrush(DefaultBrush());
}

ImageDC::~ImageDC()
{
    if (impl_->painting)
        impl_->painter.end();
}

long ImageDC::NativeObjectsCreated() { return g_nativeObjects; }

void ImageDC::SelectPen(const Pen& pen)
{
    RasterDC::SelectPen(pen);
    Impl& d = *impl_;
    d.pen = PenNative(pen);
    d.penHold = pen.native;
    if (d.painting)
        d.painter.setPen(d.pen->qpen);
}

void ImageDC::SelectBrush(const Brush& brush)
{
    RasterDC::SelectBrush(brush);
    Impl& d = *impl_;
    d.brush = BrushNative(brush);
    d.brushHold = brush.native;
    if (d.painting)
        d.painter.setBrush(d.brush->qbrush);
}

void ImageDC::SelectFont(const Font& font)
{
    RasterDC::SelectFont(font);
    Impl& d = *impl_;
    d.font = FontNative(font);
    d.fontHold = font.native;
}

void ImageDC::ThinSegment(double ax, double ay, double bx, double by, double along)
{
    Impl& d = *impl_;
    if (!d.painting)
        return;
    const NativePen& p = *d.pen;
    if (p.patterned && along > 0.0) {
        // Keep the dashes where they would be on the whole line.
        QPen shifted = p.qpen;
        shifted.setDashOffset(std::fmod(along, p.patternLength));
        d.painter.setPen(shifted);
        d.painter.drawLine(QLineF(ax, ay, bx, by));
        d.painter.setPen(p.qpen);
        return;
    }
    d.painter.drawLine(QLineF(ax, ay, bx, by));
}

void ImageDC::DrawArc(double cx, double cy, double r, double startDegrees, double sweepDegrees)
{
    Impl& d = *impl_;
    if (!d.painting)
        return;
    // The painter counts in sixteenths of a degree, counter-clockwise from 3 o'clock.
    d.painter.drawArc(QRectF(cx - r, cy - r, 2.0 * r, 2.0 * r),
                      TruncToInt(std::floor(startDegrees * 16.0 + 0.5)),
                      TruncToInt(std::floor(sweepDegrees * 16.0 + 0.5)));
}

void ImageDC::DrawEllipse(double l, double t, double r, double b)
{
    Impl& d = *impl_;
    if (d.painting)
        d.painter.drawEllipse(QRectF(l + 0.5, t + 0.5, r - l - 1.0, b - t - 1.0));
}

void ImageDC::DrawText(int x, int y, const std::string& text)
{
    Impl& d = *impl_;
    if (!d.painting || text.empty())
        return;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return; // fonts need the GUI application
    if (!d.font)
        SelectFont(DefaultFont());
    NativeFont& f = *d.font;
    PrepareFont(f);
    if (x > d.width + kMargin || y > d.height + kMargin
        || y + static_cast<double>(f.cell) < -kMargin)
        return;
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (x < -kMargin && x + QFontMetricsF(f.qfont).horizontalAdvance(s) < -kMargin)
        return;
    d.painter.setFont(f.qfont);
    d.painter.setPen(d.textPen);
    // The top of the character cell at y: the baseline lies one ascent below it.
    d.painter.drawText(QPointF(x - d.offset, y + static_cast<double>(f.ascent) - d.offset), s);
    d.painter.setPen(d.pen->qpen);
}

std::unique_ptr<DC> MakeImageDC(FrameBuffer& buffer) { return std::make_unique<ImageDC>(buffer); }

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
