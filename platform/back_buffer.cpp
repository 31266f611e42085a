#include "platform/back_buffer.h"

#include <cstddef>
#include <cstring>

namespace {
// The largest picture side, and the largest image in bytes (16384 x 16384 x 4): anything
// bigger is refused rather than left to fail half-way.
constexpr int kMaxSide = 16384;
constexpr unsigned long long kMaxBytes = 1ull << 30;
constexpr int kMaxScale = 8;
constexpr uint32_t kRgbMask = 0x00FFFFFFu;
constexpr uint32_t kOpaque = 0xFF000000u;

// One row of the transparent copy: every source pixel whose colour is not key goes to dst,
// made opaque; a key-coloured one leaves dst's pixel as it was. Four pixels at a time where
// the compiler has vector types (the same selection, lane by lane), the rest one by one.
void CopyRowSkippingKey(const uint32_t* src, uint32_t* dst, int w, uint32_t key)
{
    int x = 0;
#if defined(__GNUC__)
    typedef uint32_t Lanes __attribute__((vector_size(16)));
    const Lanes mask = {kRgbMask, kRgbMask, kRgbMask, kRgbMask};
    const Lanes keys = {key, key, key, key};
    const Lanes opaque = {kOpaque, kOpaque, kOpaque, kOpaque};
    for (; x + 4 <= w; x += 4) {
        Lanes pixels;
        Lanes old;
        std::memcpy(&pixels, src + x, sizeof pixels);
        std::memcpy(&old, dst + x, sizeof old);
        const Lanes isKey = reinterpret_cast<Lanes>((pixels & mask) == keys); // all ones or 0
        const Lanes out = ((pixels | opaque) & ~isKey) | (old & isKey);
        std::memcpy(dst + x, &out, sizeof out);
    }
#endif
    for (; x < w; ++x) {
        const uint32_t pixel = src[x];
        if ((pixel & kRgbMask) != key)
            dst[x] = pixel | kOpaque;
    }
}
} // namespace

void BackBuffer::Create(int w, int h, int s)
{
    if (bits)
        Release();
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
        return;
    if (s < 1)
        s = 1;
    if (s > kMaxScale)
        s = kMaxScale;
    const unsigned long long deviceW = static_cast<unsigned long long>(w) * s;
    const unsigned long long deviceH = static_cast<unsigned long long>(h) * s;
    if (deviceW * deviceH * 4ull > kMaxBytes)
        return;

    QImage made(static_cast<int>(deviceW), static_cast<int>(deviceH), QImage::Format_RGB32);
    if (made.isNull())
        return; // the allocation failed
    made.setDevicePixelRatio(s);
    image = std::move(made);
    // Taken once: the image is not shared, so it never detaches while the buffer owns it.
    bits = reinterpret_cast<uint32_t*>(image.bits());
    width = w;
    height = h;
    scale = s;
}

void BackBuffer::Release()
{
    image = QImage();
    bits = nullptr;
    width = 0;
    height = 0;
    scale = 1;
    keyColour = RGB(254, 0, 254);
}

void BackBuffer::TransparentCopyTo(QImage& target) const
{
    if (!bits || image.isNull())
        return;
    const QSize size = image.size();
    if (target.size() != size) {
        QImage fresh(size, QImage::Format_RGB32);
        if (fresh.isNull())
            return;
        fresh.fill(Qt::white);
        target = std::move(fresh);
    } else if (target.format() != QImage::Format_RGB32) {
        target = target.convertToFormat(QImage::Format_RGB32);
        if (target.isNull())
            return;
    }
    if (target.devicePixelRatio() != image.devicePixelRatio())
        target.setDevicePixelRatio(image.devicePixelRatio());

    const uint32_t key = keyColour.Rgb32() & kRgbMask;
    const int w = size.width();
    for (int y = 0; y < size.height(); ++y) {
        const uint32_t* src = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
        // scanLine() makes the target's memory its own and marks it changed.
        uint32_t* dst = reinterpret_cast<uint32_t*>(target.scanLine(y));
        CopyRowSkippingKey(src, dst, w, key);
    }
}
