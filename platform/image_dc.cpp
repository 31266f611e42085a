#include "platform/image_dc.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

#include "model/saturate.h"

// Coordinates: logical pixel (x, y) is the picture pixel whose centre lies at (x + 0.5, y + 0.5)
// in picture units, that is at (s*(x + 0.5), s*(y + 0.5)) on the device grid of scale s.
// QPainter's aliased rasteriser already maps a logical point to its pixel centre at scale 1;
// at larger scales a small translation keeps it there. The shapes drawn here directly (wide
// lines, enormous ellipses) sample device pixel (i, j) at (i + 0.5 + kBias, j + 0.5 + kBias), as
// the aliased rasteriser does, so both kinds of drawing land on the same pixels.

namespace {

long g_nativeObjects = 0;

constexpr double kMargin = 64.0;          // picture pixels drawn beyond each edge
constexpr double kBias = 1.0 / 64.0;      // breaks ties on pixel boundaries
constexpr double kPainterExtent = 16384.0; // shapes up to this size go to QPainter
constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxPenWidth = 1024;
constexpr int kMaxFontCell = 2048;

QColor ToQColor(Colour c) { return QColor(c.r, c.g, c.b); }

struct NativePen {
    PenStyle style = PenStyle::Solid;
    int width = 1;
    Colour colour;
    int drawWidth = 1;      // 1..kMaxPenWidth
    bool patterned = false; // dashes and dots exist only on one-pixel pens, as on Windows
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
template <class Native, class Deleter>
Native* NativeOf(const std::shared_ptr<void>& holder)
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
// Windows font mapper reads it, so the pixel size is the largest whose cell fits; a negative
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
    static const Pen pen{PenStyle::Solid, 1, RGB(0, 0, 0), {}};
    return pen;
}
const Brush& DefaultBrush()
{
    static const Brush brush{RGB(255, 255, 255), {}};
    return brush;
}
const Font& DefaultFont()
{
    static const Font font{};
    return font;
}

// Liang-Barsky: the parameter range [t0, t1] of the segment inside the rectangle.
bool ClipSegment(double x0, double y0, double x1, double y1, double xmin, double ymin,
                 double xmax, double ymax, double& t0, double& t1)
{
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - xmin, xmax - x0, y0 - ymin, ymax - y0};
    t0 = 0.0;
    t1 = 1.0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
    }
    return t0 < t1;
}

// cos and sin of an angle in degrees, exact at the quarter turns.
void CosSinDegrees(double degrees, double& c, double& s)
{
    double a = std::fmod(degrees, 360.0);
    if (a < 0.0)
        a += 360.0;
    if (a == 0.0) {
        c = 1.0, s = 0.0;
    } else if (a == 90.0) {
        c = 0.0, s = 1.0;
    } else if (a == 180.0) {
        c = -1.0, s = 0.0;
    } else if (a == 270.0) {
        c = 0.0, s = -1.0;
    } else {
        c = std::cos(a * (kPi / 180.0));
        s = std::sin(a * (kPi / 180.0));
    }
}

} // namespace

struct ImageDC::Impl {
    explicit Impl(BackBuffer& b) : buffer(b) {}

    BackBuffer& buffer;
    QPainter painter;
    bool painting = false;
    uint32_t* bits = nullptr;
    int stride = 0;
    int scale = 1;
    int width = 0; // logical
    int height = 0;
    int deviceWidth = 0;
    int deviceHeight = 0;
    double offset = 0.0; // logical translation that puts QPainter's geometry on the device grid
    double curX = 0.0;   // current position, never clipped
    double curY = 0.0;

    NativePen* pen = nullptr;
    NativeBrush* brush = nullptr;
    NativeFont* font = nullptr;
    std::shared_ptr<void> penHold; // keeps the selected objects alive with the selection
    std::shared_ptr<void> brushHold;
    std::shared_ptr<void> fontHold;
    QPen textPen{QColor(0, 0, 0)};

    double DeviceX(double x) const { return scale * (x + 0.5); }
    double DeviceY(double y) const { return scale * (y + 0.5); }

    // First and last device pixel whose sample point lies in [lo, hi] (may be empty).
    static double FirstPixel(double lo) { return std::ceil(lo - 0.5 - kBias); }
    static double LastPixel(double hi) { return std::floor(hi - 0.5 - kBias); }

    void FillSpan(int row, double first, double last, uint32_t value)
    {
        first = std::max(first, 0.0);
        last = std::min(last, static_cast<double>(deviceWidth - 1));
        if (!(first <= last))
            return;
        uint32_t* p = bits + static_cast<size_t>(row) * stride;
        std::fill(p + TruncToInt(first), p + TruncToInt(last) + 1, value);
    }

    void RowRange(double top, double bottom, int& j0, int& j1) const
    {
        j0 = TruncToInt(std::max(FirstPixel(top), 0.0));
        j1 = TruncToInt(std::min(LastPixel(bottom), static_cast<double>(deviceHeight - 1)));
    }

    void Segment(double x0, double y0, double x1, double y1);
    void FillCapsule(double ax, double ay, double bx, double by, double r, uint32_t value);
    void Arc(double cx, double cy, double r, double startDegrees, double sweepDegrees);
    void ArcChords(double cx, double cy, double r, double a, double b, int depth);
    void ScanEllipse(double l, double t, double r, double b);
};

// One straight piece in the selected pen, clipped first to a margin round the picture so
// that the visible part is the same line whatever the end points.
void ImageDC::Impl::Segment(double x0, double y0, double x1, double y1)
{
    if (!bits || (x0 == x1 && y0 == y1))
        return;
    const NativePen& p = *pen;
    const double m = kMargin + p.drawWidth;
    double t0 = 0.0;
    double t1 = 1.0;
    if (!ClipSegment(x0, y0, x1, y1, -m, -m, width + m, height + m, t0, t1))
        return;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double ax = t0 > 0.0 ? x0 + t0 * dx : x0;
    const double ay = t0 > 0.0 ? y0 + t0 * dy : y0;
    const double bx = t1 < 1.0 ? x0 + t1 * dx : x1;
    const double by = t1 < 1.0 ? y0 + t1 * dy : y1;

    if (p.drawWidth >= 2) {
        // Wide pens are solid with round ends, as on Windows; drawn here directly, which is
        // exact and far quicker than stroking the many short pieces of a streamline.
        FillCapsule(DeviceX(ax), DeviceY(ay), DeviceX(bx), DeviceY(by),
                    0.5 * scale * p.drawWidth, p.colour.Rgb32());
        return;
    }
    if (!painting)
        return;
    if (p.patterned && t0 > 0.0) {
        // Keep the dashes where they would be on the whole line.
        QPen shifted = p.qpen;
        shifted.setDashOffset(std::fmod(t0 * std::hypot(dx, dy), p.patternLength));
        painter.setPen(shifted);
        painter.drawLine(QLineF(ax, ay, bx, by));
        painter.setPen(p.qpen);
        return;
    }
    painter.drawLine(QLineF(ax, ay, bx, by));
}

// Every device pixel whose sample point lies within distance r of the segment a-b.
void ImageDC::Impl::FillCapsule(double ax, double ay, double bx, double by, double r,
                                uint32_t value)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    const double len = std::sqrt(len2);
    int j0 = 0;
    int j1 = -1;
    RowRange(std::min(ay, by) - r, std::max(ay, by) + r, j0, j1);
    constexpr double inf = std::numeric_limits<double>::infinity();
    for (int j = j0; j <= j1; ++j) {
        const double yc = j + 0.5 + kBias;
        double lo = inf;
        double hi = -inf;
        auto disc = [&](double px, double py) {
            const double d = yc - py;
            if (std::fabs(d) <= r) {
                const double h = std::sqrt((r - d) * (r + d));
                lo = std::min(lo, px - h);
                hi = std::max(hi, px + h);
            }
        };
        disc(ax, ay);
        disc(bx, by);
        if (len > 1e-9) {
            // The band along the segment: lower <= coef*u + c <= upper, with u = x - ax.
            double slo = -inf;
            double shi = inf;
            auto limit = [&](double coef, double c, double lower, double upper) {
                if (coef == 0.0) {
                    if (c < lower || c > upper) {
                        slo = inf;
                        shi = -inf;
                    }
                    return;
                }
                double u1 = (lower - c) / coef;
                double u2 = (upper - c) / coef;
                if (u1 > u2)
                    std::swap(u1, u2);
                slo = std::max(slo, u1);
                shi = std::min(shi, u2);
            };
            limit(-dy, dx * (yc - ay), -r * len, r * len); // distance from the line
            limit(dx, dy * (yc - ay), 0.0, len2);          // between the two ends
            if (slo <= shi) {
                lo = std::min(lo, ax + slo);
                hi = std::max(hi, ax + shi);
            }
        }
        if (lo <= hi)
            FillSpan(j, FirstPixel(lo), LastPixel(hi), value);
    }
}

void ImageDC::Impl::Arc(double cx, double cy, double r, double startDegrees, double sweepDegrees)
{
    const double m = kMargin + pen->drawWidth;
    if (cx + r < -m || cx - r > width + m || cy + r < -m || cy - r > height + m)
        return; // the whole circle lies outside
    if (2.0 * r <= kPainterExtent) {
        if (!painting)
            return;
        // QPainter counts in sixteenths of a degree, counter-clockwise from 3 o'clock.
        painter.drawArc(QRectF(cx - r, cy - r, 2.0 * r, 2.0 * r),
                        TruncToInt(std::floor(startDegrees * 16.0 + 0.5)),
                        TruncToInt(std::floor(sweepDegrees * 16.0 + 0.5)));
        return;
    }
    // Far too big for the rasteriser: chords, over the part near the picture only.
    const double a = startDegrees * (kPi / 180.0);
    ArcChords(cx, cy, r, a, a + sweepDegrees * (kPi / 180.0), 0);
}

void ImageDC::Impl::ArcChords(double cx, double cy, double r, double a, double b, int depth)
{
    const double half = 0.5 * (b - a);
    if (std::fabs(half) <= kPi / 4.0) {
        const double ax = cx + r * std::cos(a);
        const double ay = cy - r * std::sin(a);
        const double bx = cx + r * std::cos(b);
        const double by = cy - r * std::sin(b);
        const double q = std::sin(0.5 * half);
        const double sagitta = 2.0 * r * q * q; // how far the arc leaves its chord
        const double m = kMargin + pen->drawWidth + sagitta;
        if (std::max(ax, bx) < -m || std::min(ax, bx) > width + m || std::max(ay, by) < -m
            || std::min(ay, by) > height + m)
            return;
        if (sagitta <= 0.125 / scale || depth >= 60) {
            Segment(ax, ay, bx, by);
            return;
        }
    }
    ArcChords(cx, cy, r, a, a + half, depth + 1);
    ArcChords(cx, cy, r, a + half, b, depth + 1);
}

// The ellipse inscribed in the box (right and bottom edges excluded), row by row over the
// picture only: the fill inside, the outline a pen's width wide inside the boundary.
void ImageDC::Impl::ScanEllipse(double l, double t, double r, double b)
{
    const double s = scale;
    const double cx = 0.5 * s * (l + r);
    const double cy = 0.5 * s * (t + b);
    const double ax = 0.5 * s * (r - l);
    const double ay = 0.5 * s * (b - t);
    const double pw = s * pen->drawWidth;
    const double ix = ax - pw;
    const double iy = ay - pw;
    const uint32_t penValue = pen->colour.Rgb32();
    const uint32_t brushValue = brush->colour.Rgb32();
    int j0 = 0;
    int j1 = -1;
    RowRange(cy - ay, cy + ay, j0, j1);
    for (int j = j0; j <= j1; ++j) {
        const double d = std::fabs(j + 0.5 + kBias - cy);
        if (d > ay)
            continue;
        const double ho = ax * (std::sqrt((ay - d) * (ay + d)) / ay);
        const double o0 = FirstPixel(cx - ho);
        const double o1 = LastPixel(cx + ho);
        if (ix > 0.0 && iy > 0.0 && d < iy) {
            const double hi = ix * (std::sqrt((iy - d) * (iy + d)) / iy);
            const double i0 = FirstPixel(cx - hi);
            const double i1 = LastPixel(cx + hi);
            FillSpan(j, o0, i0 - 1.0, penValue);
            FillSpan(j, i0, i1, brushValue);
            FillSpan(j, i1 + 1.0, o1, penValue);
        } else {
            FillSpan(j, o0, o1, penValue);
        }
    }
}

ImageDC::ImageDC(BackBuffer& buffer) : impl_(std::make_unique<Impl>(buffer))
{
    Impl& d = *impl_;
    if (buffer.bits && !buffer.image.isNull()) {
        // Make sure the image is ours alone before painting, so that the painter and the
        // direct pixel writes go to the same memory.
        buffer.bits = reinterpret_cast<uint32_t*>(buffer.image.bits());
        d.scale = std::max(1, buffer.scale);
        d.deviceWidth = buffer.image.width();
        d.deviceHeight = buffer.image.height();
        d.width = std::clamp(buffer.width, 0, d.deviceWidth / d.scale);
        d.height = std::clamp(buffer.height, 0, d.deviceHeight / d.scale);
        d.stride = static_cast<int>(buffer.image.bytesPerLine() / 4);
        d.painting = d.painter.begin(&buffer.image);
        if (d.painting) {
            d.painter.setRenderHint(QPainter::Antialiasing, false);
            d.painter.setRenderHint(QPainter::TextAntialiasing, true);
            d.offset = (d.scale - 1) / (2.0 * d.scale);
            d.painter.translate(d.offset, d.offset);
        }
        buffer.bits = reinterpret_cast<uint32_t*>(buffer.image.bits());
        d.bits = buffer.bits;
        memory_ = PixelMemory{d.bits, d.stride, d.width, d.height, d.scale};
    }
    SelectPen(DefaultPen());
    SelectBrush(DefaultBrush());
}

ImageDC::~ImageDC()
{
    if (impl_->painting)
        impl_->painter.end();
}

long ImageDC::NativeObjectsCreated() { return g_nativeObjects; }

void ImageDC::SelectPen(const Pen& pen)
{
    Impl& d = *impl_;
    d.pen = PenNative(pen);
    d.penHold = pen.native;
    if (d.painting)
        d.painter.setPen(d.pen->qpen);
}

void ImageDC::SelectBrush(const Brush& brush)
{
    Impl& d = *impl_;
    d.brush = BrushNative(brush);
    d.brushHold = brush.native;
    if (d.painting)
        d.painter.setBrush(d.brush->qbrush);
}

void ImageDC::SelectFont(const Font& font)
{
    Impl& d = *impl_;
    d.font = FontNative(font);
    d.fontHold = font.native;
}

void ImageDC::MoveTo(int x, int y)
{
    impl_->curX = x;
    impl_->curY = y;
}

void ImageDC::LineTo(int x, int y)
{
    Impl& d = *impl_;
    d.Segment(d.curX, d.curY, x, y);
    d.curX = x;
    d.curY = y;
}

void ImageDC::AngleArc(int x, int y, int radius, float startDegrees, float sweepDegrees)
{
    Impl& d = *impl_;
    const double start = startDegrees;
    const double sweep = sweepDegrees;
    if (!std::isfinite(start) || !std::isfinite(sweep))
        return; // no such arc: nothing is drawn and the position stays
    if (radius <= 0) {
        d.Segment(d.curX, d.curY, x, y);
        d.curX = x;
        d.curY = y;
        return;
    }
    const double r = radius;
    const double a0 = std::fmod(start, 360.0);
    double c = 0.0;
    double s = 0.0;
    CosSinDegrees(a0, c, s);
    const double sx = x + r * c;
    const double sy = y - r * s;
    d.Segment(d.curX, d.curY, sx, sy);
    // More than a turn draws the whole circle once; the arc still ends at start + sweep.
    const double drawn = std::clamp(sweep, -360.0, 360.0);
    if (drawn != 0.0)
        d.Arc(x, y, r, a0, drawn);
    CosSinDegrees(a0 + std::fmod(sweep, 360.0), c, s);
    d.curX = x + r * c;
    d.curY = y - r * s;
}

void ImageDC::TextOut(int x, int y, const std::string& text)
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
    if (x > d.width + kMargin || y > d.height + kMargin || y + static_cast<double>(f.cell) < -kMargin)
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

void ImageDC::Ellipse(int left, int top, int right, int bottom)
{
    Impl& d = *impl_;
    if (!d.bits)
        return;
    const double l = std::min(left, right);
    const double r = std::max(left, right);
    const double t = std::min(top, bottom);
    const double b = std::max(top, bottom);
    if (r - l < 1.0 || b - t < 1.0)
        return;
    const double m = kMargin + d.pen->drawWidth;
    if (r < -m || l > d.width + m || b < -m || t > d.height + m)
        return; // misses the picture
    if (r - l <= kPainterExtent && b - t <= kPainterExtent) {
        if (d.painting)
            d.painter.drawEllipse(QRectF(l + 0.5, t + 0.5, r - l - 1.0, b - t - 1.0));
        return;
    }
    d.ScanEllipse(l, t, r, b);
}

void ImageDC::FillSolidRect(int x, int y, int width, int height, Colour colour)
{
    Impl& d = *impl_;
    if (!d.bits || width <= 0 || height <= 0)
        return;
    const long long x0 = std::max(0LL, static_cast<long long>(x));
    const long long y0 = std::max(0LL, static_cast<long long>(y));
    const long long x1 = std::min(static_cast<long long>(d.width), static_cast<long long>(x) + width);
    const long long y1 = std::min(static_cast<long long>(d.height), static_cast<long long>(y) + height);
    if (x0 >= x1 || y0 >= y1)
        return;
    const uint32_t value = colour.Rgb32();
    const long long s = d.scale;
    for (long long row = y0 * s; row < y1 * s; ++row) {
        uint32_t* p = d.bits + static_cast<size_t>(row) * d.stride;
        std::fill(p + x0 * s, p + x1 * s, value);
    }
}

void ImageDC::SetPixelSlow(int x, int y, Colour colour)
{
    // Only reached when no pixel memory is exposed; write through the image if there is one.
    Impl& d = *impl_;
    QImage& image = d.buffer.image;
    if (image.isNull() || x < 0 || y < 0 || x >= d.width || y >= d.height)
        return;
    const uint32_t value = colour.Rgb32();
    for (int dy = 0; dy < d.scale; ++dy) {
        uint32_t* row = reinterpret_cast<uint32_t*>(image.scanLine(y * d.scale + dy));
        for (int dx = 0; dx < d.scale; ++dx)
            row[x * d.scale + dx] = value;
    }
}
