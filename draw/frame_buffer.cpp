#include "draw/frame_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
// The largest picture side, and the largest buffer in bytes (16384 x 16384 x 4): anything
// bigger is refused rather than left to fail half-way.
constexpr int kMaxSide = 16384;
constexpr unsigned long long kMaxBytes = 1ull << 30;
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

void FrameBuffer::Create(int w, int h, int s)
{
    if (bits && w == width && h == height && std::clamp(s, 1, kMaxFrameScale) == scale) {
        std::fill(pixels.begin(), pixels.end(), 0xFFFFFFFFu); // the same size: the same memory
        keyColour = Colour{254, 0, 254};
        return;
    }
    Release();
    if (w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide)
        return;
    s = std::clamp(s, 1, kMaxFrameScale);
    const unsigned long long dw = static_cast<unsigned long long>(w) * s;
    const unsigned long long dh = static_cast<unsigned long long>(h) * s;
    if (dw * dh * 4ull > kMaxBytes)
        return;
    try {
        pixels.assign(static_cast<size_t>(dw * dh), 0xFFFFFFFFu);
    } catch (const std::bad_alloc&) {
        pixels.clear();
        return; // the allocation failed
    }
    bits = pixels.data();
    width = w;
    height = h;
    scale = s;
    deviceWidth = static_cast<int>(dw);
    deviceHeight = static_cast<int>(dh);
}

void FrameBuffer::Release()
{
    std::vector<uint32_t>().swap(pixels);
    bits = nullptr;
    width = height = deviceWidth = deviceHeight = 0;
    scale = 1;
    keyColour = Colour{254, 0, 254};
}

uint32_t FrameBuffer::At(int x, int y) const
{
    if (!bits || x < 0 || y < 0 || x >= deviceWidth || y >= deviceHeight)
        return 0;
    return bits[static_cast<size_t>(y) * deviceWidth + x] & kRgbMask;
}

void FrameBuffer::Fill(Colour colour) { std::fill(pixels.begin(), pixels.end(), colour.Rgb32()); }

void FrameBuffer::TransparentCopyTo(FrameBuffer& target) const
{
    if (!bits)
        return;
    if (target.deviceWidth != deviceWidth || target.deviceHeight != deviceHeight
        || target.scale != scale) {
        target.Create(width, height, scale);
        if (!target.bits)
            return;
    }
    const uint32_t key = keyColour.Rgb32() & kRgbMask;
    for (int y = 0; y < deviceHeight; ++y) {
        const size_t row = static_cast<size_t>(y) * deviceWidth;
        CopyRowSkippingKey(bits + row, target.bits + row, deviceWidth, key);
    }
}
