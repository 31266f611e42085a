#include "draw/raster_dc.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/constants.h"
#include "base/saturate.h"
#include "base/vector_state.h"
#include "draw/clip.h"

namespace {

constexpr double kBias = 1.0 / 64.0; // breaks ties on pixel boundaries
constexpr int kMaxPenWidth = 1024;

double FirstPixel(double lo) { return std::ceil(lo - 0.5 - kBias); }
double LastPixel(double hi) { return std::floor(hi - 0.5 - kBias); }

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
        c = std::cos(a * kRadiansPerDegree);
        s = std::sin(a * kRadiansPerDegree);
    }
}

} // namespace

RasterDC::RasterDC(FrameBuffer& buffer, TextPainter* text) : buffer_(buffer), text_(text)
{
    memory_ = buffer.Memory();
    SelectPen(Pen{PenStyle::Solid, 1, Colour{0, 0, 0}});
}

void RasterDC::SelectPen(const Pen& pen)
{
    pen_.width = std::clamp(pen.width, 1, kMaxPenWidth);
    pen_.colour = pen.colour;
    pen_.patterned = pen.style != PenStyle::Solid && pen_.width == 1;
    pen_.dotFrom = 0.0;
    pen_.dotTo = 0.0;
    switch (pen.style) {
    case PenStyle::Dash:
        pen_.on = 18.0;
        pen_.period = 24.0;
        break;
    case PenStyle::DashDot:
        pen_.on = 12.0;
        pen_.dotFrom = 16.0;
        pen_.dotTo = 18.0;
        pen_.period = 22.0;
        break;
    default: // Dot (Solid draws no pattern)
        pen_.on = 3.0;
        pen_.period = 6.0;
        break;
    }
}

void RasterDC::SelectBrush(const Brush& brush) { brush_ = brush.colour; }

void RasterDC::SelectFont(const Font& font)
{
    font_.height = font.height;
    font_.face = font.face;
}

void RasterDC::MoveTo(int x, int y)
{
    curX_ = x;
    curY_ = y;
}

void RasterDC::LineTo(int x, int y)
{
    Segment(curX_, curY_, x, y);
    curX_ = x;
    curY_ = y;
}

void RasterDC::Arc(int x, int y, int radius, float startDegrees, float sweepDegrees)
{
    const double start = startDegrees;
    const double sweep = sweepDegrees;
    if (!std::isfinite(start) || !std::isfinite(sweep))
        return; // no such arc: nothing is drawn and the position stays
    if (radius <= 0) {
        Segment(curX_, curY_, x, y);
        curX_ = x;
        curY_ = y;
        return;
    }
    const double r = radius;
    const double a0 = std::fmod(start, 360.0);
    double c = 0.0;
    double s = 0.0;
    CosSinDegrees(a0, c, s);
    Segment(curX_, curY_, x + r * c, y - r * s);
    // More than a turn draws the whole circle once; the arc still ends at start + sweep.
    const double drawn = std::clamp(sweep, -360.0, 360.0);
    const double m = kMargin + pen_.width;
    const bool visible = !(x + r < -m || x - r > buffer_.width + m || y + r < -m
                           || y - r > buffer_.height + m);
    if (drawn != 0.0 && visible && buffer_.bits) {
        const double a = a0 * kRadiansPerDegree;
        ArcChords(x, y, r, a, a + drawn * kRadiansPerDegree, a, 0);
    }
    CosSinDegrees(a0 + std::fmod(sweep, 360.0), c, s);
    curX_ = x + r * c;
    curY_ = y - r * s;
}

void RasterDC::DrawText(int x, int y, const std::string& text)
{
    if (!text_ || !buffer_.bits || text.empty())
        return;
    if (x > buffer_.width + kMargin || y > buffer_.height + kMargin)
        return;
    text_->DrawText(memory_, x, y, text, font_);
    ClearUpperVectorState(); // the shell's fonts may have left the vector state in use
}

void RasterDC::Ellipse(int left, int top, int right, int bottom)
{
    if (!buffer_.bits)
        return;
    const double l = std::min(left, right);
    const double r = std::max(left, right);
    const double t = std::min(top, bottom);
    const double b = std::max(top, bottom);
    if (r - l < 1.0 || b - t < 1.0)
        return;
    const double m = kMargin + pen_.width;
    if (r < -m || l > buffer_.width + m || b < -m || t > buffer_.height + m)
        return; // misses the picture
    ScanEllipse(l, t, r, b);
}

void RasterDC::FillRect(int x, int y, int width, int height, Colour colour)
{
    if (!buffer_.bits || width <= 0 || height <= 0)
        return;
    const long long x0 = std::max(0LL, static_cast<long long>(x));
    const long long y0 = std::max(0LL, static_cast<long long>(y));
    const long long x1 = std::min<long long>(buffer_.width, static_cast<long long>(x) + width);
    const long long y1 = std::min<long long>(buffer_.height, static_cast<long long>(y) + height);
    if (x0 >= x1 || y0 >= y1)
        return;
    const uint32_t value = colour.Word(buffer_.order);
    const long long s = buffer_.scale;
    for (long long row = y0 * s; row < y1 * s; ++row) {
        uint32_t* p = buffer_.bits + static_cast<size_t>(row) * buffer_.deviceWidth;
        std::fill(p + x0 * s, p + x1 * s, value);
        if (memory_.drawn)
            memory_.drawn->Mark(static_cast<size_t>(row), static_cast<int>(x0 * s),
                                static_cast<int>(x1 * s - 1));
    }
}

void RasterDC::Polyline(const double* xy, int count)
{
    if (!xy || count <= 0)
        return;
    double along = 0.0;
    for (int i = 0; i + 1 < count; ++i) {
        const double x0 = xy[2 * i], y0 = xy[2 * i + 1];
        const double x1 = xy[2 * i + 2], y1 = xy[2 * i + 3];
        if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
            continue; // no such piece
        Segment(x0, y0, x1, y1, along);
        along += std::hypot(x1 - x0, y1 - y0);
        if (along > 1e15) // the pattern's phase has no meaning left; keep it finite
            along = std::fmod(along, pen_.period > 0.0 ? pen_.period : 1.0);
    }
    const double lx = xy[2 * count - 2], ly = xy[2 * count - 1];
    if (std::isfinite(lx) && std::isfinite(ly)) {
        curX_ = lx;
        curY_ = ly;
    }
}

void RasterDC::FillSpan(int row, double first, double last, uint32_t value)
{
    first = std::max(first, 0.0);
    last = std::min(last, static_cast<double>(buffer_.deviceWidth - 1));
    if (!(first <= last))
        return;
    uint32_t* p = buffer_.bits + static_cast<size_t>(row) * buffer_.deviceWidth;
    std::fill(p + TruncToInt(first), p + TruncToInt(last) + 1, value);
    if (memory_.drawn)
        memory_.drawn->Mark(static_cast<size_t>(row), TruncToInt(first), TruncToInt(last));
}

void RasterDC::RowRange(double top, double bottom, int& j0, int& j1) const
{
    j0 = TruncToInt(std::max(FirstPixel(top), 0.0));
    j1 = TruncToInt(std::min(LastPixel(bottom), static_cast<double>(buffer_.deviceHeight - 1)));
}

void RasterDC::Segment(double x0, double y0, double x1, double y1, double along)
{
    if (!buffer_.bits || (x0 == x1 && y0 == y1))
        return;
    const double m = kMargin + pen_.width;
    double t0 = 0.0;
    double t1 = 1.0;
    // A segment that only touches the box draws nothing.
    if (!ClipSegment(x0, y0, x1, y1, -m, -m, buffer_.width + m, buffer_.height + m, t0, t1)
        || !(t0 < t1))
        return;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double ax = t0 > 0.0 ? x0 + t0 * dx : x0;
    const double ay = t0 > 0.0 ? y0 + t0 * dy : y0;
    const double bx = t1 < 1.0 ? x0 + t1 * dx : x1;
    const double by = t1 < 1.0 ? y0 + t1 * dy : y1;
    if (pen_.width >= 2) {
        // Wide pens are solid with round ends: every device pixel within half the width of
        // the segment.
        const double s = buffer_.scale;
        FillCapsule(s * (ax + 0.5), s * (ay + 0.5), s * (bx + 0.5), s * (by + 0.5),
                    0.5 * s * pen_.width, pen_.colour.Word(buffer_.order));
        return;
    }
    ThinSegment(ax, ay, bx, by, t0 > 0.0 ? along + t0 * std::hypot(dx, dy) : along);
}

void RasterDC::ThinSegment(double ax, double ay, double bx, double by, double along)
{
    const double s = buffer_.scale;
    const double x0 = s * (ax + 0.5);
    const double y0 = s * (ay + 0.5);
    const double x1 = s * (bx + 0.5);
    const double y1 = s * (by + 0.5);
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const bool steep = std::fabs(dy) > std::fabs(dx);
    // Along the major axis u, one device pixel after another from a's up to b's (left out);
    // across it, the scale pixels centred on the line.
    const double u0 = steep ? y0 : x0;
    const double u1 = steep ? y1 : x1;
    const double v0 = steep ? x0 : y0;
    const double du = u1 - u0;
    if (du == 0.0)
        return;
    const double slope = (steep ? dx : dy) / du;
    const double perPixel = std::hypot(dx, dy) / std::fabs(du) / s; // picture units per step
    const int dir = du > 0 ? 1 : -1;
    const int first = TruncToInt(dir > 0 ? std::ceil(u0 - 0.5) : std::floor(u0 - 0.5));
    const int last = TruncToInt(dir > 0 ? std::ceil(u1 - 0.5) - 1 : std::floor(u1 - 0.5) + 1);
    const int majorLimit = steep ? buffer_.deviceHeight : buffer_.deviceWidth;
    const int minorLimit = steep ? buffer_.deviceWidth : buffer_.deviceHeight;
    const uint32_t value = pen_.colour.Word(buffer_.order);
    const int thick = buffer_.scale;
    for (int i = first; dir > 0 ? i <= last : i >= last; i += dir) {
        if (i < 0 || i >= majorLimit) {
            if ((dir > 0 && i >= majorLimit) || (dir < 0 && i < 0))
                break;
            continue;
        }
        const double u = i + 0.5;
        if (pen_.patterned) {
            const double d = along + std::fabs(u - u0) * perPixel;
            const double m = std::fmod(d, pen_.period);
            if (m >= pen_.on && !(m >= pen_.dotFrom && m < pen_.dotTo))
                continue;
        }
        // The scale pixels whose sample points lie within half the thickness of the line.
        const double v = v0 + (u - u0) * slope;
        const int j0 = TruncToInt(FirstPixel(v - 0.5 * thick));
        for (int j = std::max(j0, 0); j < j0 + thick && j < minorLimit; ++j) {
            const size_t index = steep ? static_cast<size_t>(i) * buffer_.deviceWidth + j
                                       : static_cast<size_t>(j) * buffer_.deviceWidth + i;
            buffer_.bits[index] = value;
            if (memory_.drawn)
                memory_.drawn->Mark(steep ? i : j, steep ? j : i, steep ? j : i);
        }
    }
}

// Every device pixel whose sample point lies within distance r of the segment a-b.
void RasterDC::FillCapsule(double ax, double ay, double bx, double by, double r, uint32_t value)
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

// Chords no further than an eighth of a device pixel from the arc, over the part near the
// picture only (picture units, angles in radians counter-clockwise on the screen). The dash
// pattern runs on along the arc from its start, the angle first: each chord starts it where
// the arc has it.
void RasterDC::ArcChords(double cx, double cy, double r, double a, double b, double first,
                         int depth)
{
    const double half = 0.5 * (b - a);
    if (std::fabs(half) <= kPi / 4.0) {
        const double ax = cx + r * std::cos(a);
        const double ay = cy - r * std::sin(a);
        const double bx = cx + r * std::cos(b);
        const double by = cy - r * std::sin(b);
        const double q = std::sin(0.5 * half);
        const double sagitta = 2.0 * r * q * q; // how far the arc leaves its chord
        const double m = kMargin + pen_.width + sagitta;
        if (std::max(ax, bx) < -m || std::min(ax, bx) > buffer_.width + m || std::max(ay, by) < -m
            || std::min(ay, by) > buffer_.height + m)
            return;
        if (sagitta <= 0.125 / buffer_.scale || depth >= 60) {
            Segment(ax, ay, bx, by, r * std::fabs(a - first));
            return;
        }
    }
    ArcChords(cx, cy, r, a, a + half, first, depth + 1);
    ArcChords(cx, cy, r, a + half, b, first, depth + 1);
}

// The ellipse inscribed in the box (right and bottom edges excluded), row by row over the
// picture only: the fill inside, the outline a pen's width wide inside the boundary.
void RasterDC::ScanEllipse(double l, double t, double r, double b)
{
    const double s = buffer_.scale;
    const double cx = 0.5 * s * (l + r);
    const double cy = 0.5 * s * (t + b);
    const double ax = 0.5 * s * (r - l);
    const double ay = 0.5 * s * (b - t);
    const double pw = s * pen_.width;
    const double ix = ax - pw;
    const double iy = ay - pw;
    const uint32_t penValue = pen_.colour.Word(buffer_.order);
    const uint32_t brushValue = brush_.Word(buffer_.order);
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

void BlendInk(const PixelMemory& memory, long long x0, long long y0, const unsigned char* coverage,
              int width, int height)
{
    const long long deviceW = static_cast<long long>(memory.width) * memory.scale;
    const long long deviceH = static_cast<long long>(memory.height) * memory.scale;
    for (int j = 0; j < height; ++j) {
        const long long row = y0 + j;
        if (row < 0 || row >= deviceH)
            continue;
        uint32_t* line = memory.bits + row * memory.stride;
        const unsigned char* cover = coverage + static_cast<size_t>(j) * width;
        if (memory.drawn) { // the image's columns on this row, as far as they are in the picture
            const long long c0 = std::max(x0, 0LL);
            const long long c1 = std::min(x0 + width - 1, deviceW - 1);
            if (c0 <= c1)
                memory.drawn->Mark(static_cast<size_t>(row), static_cast<int>(c0),
                                   static_cast<int>(c1));
        }
        // The image's columns that lie in the picture.
        const int i0 = static_cast<int>(std::clamp(-x0, 0LL, static_cast<long long>(width)));
        const int i1 = static_cast<int>(
            std::clamp(deviceW - x0, 0LL, static_cast<long long>(width)));
        for (int i = i0; i < i1; ++i) {
            const long long col = x0 + i;
            const unsigned a = cover[i];
            if (a == 0)
                continue;
            if (a == 255) { // full ink keeps none of any channel: (c * 0 + 127) / 255 is 0
                line[col] = 0xFF000000u;
                continue;
            }
            const uint32_t p = line[col];
            const unsigned keep = 255 - a;
            const uint32_t r = (((p >> 16) & 0xFF) * keep + 127) / 255;
            const uint32_t g = (((p >> 8) & 0xFF) * keep + 127) / 255;
            const uint32_t b = ((p & 0xFF) * keep + 127) / 255;
            line[col] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    }
}

void CropToInk(InkImage& image)
{
    int x0 = image.width, x1 = -1, y0 = image.height, y1 = -1;
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* row = image.coverage.data() + static_cast<size_t>(y) * image.width;
        for (int x = 0; x < image.width; ++x)
            if (row[x]) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = y;
            }
    }
    if (x1 < x0) { // no ink at all
        image.width = image.height = 0;
        image.coverage = std::vector<unsigned char>();
        return;
    }
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    std::vector<unsigned char> ink(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        std::copy_n(image.coverage.data() + static_cast<size_t>(y0 + y) * image.width + x0, w,
                    ink.data() + static_cast<size_t>(y) * w);
    image.left += x0;
    image.top += y0;
    image.width = w;
    image.height = h;
    image.coverage = std::move(ink);
}

std::unique_ptr<DC> MakeDrawingDC(const MakeDCFunction& makeDC, FrameBuffer& target)
{
    std::unique_ptr<DC> dc = makeDC ? makeDC(target) : std::make_unique<RasterDC>(target);
    ClearUpperVectorState();
    return dc;
}
