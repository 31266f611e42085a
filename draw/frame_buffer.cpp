#include "draw/frame_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace {
// The largest picture side, and the largest buffer in bytes (16384 x 16384 x 4): anything
// bigger is refused rather than left to fail half-way.
constexpr int kMaxSide = 16384;
constexpr unsigned long long kMaxBytes = 1ull << 30;
constexpr uint32_t kRgbMask = 0x00FFFFFFu;

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
    const uint32_t p = bits[static_cast<size_t>(y) * deviceWidth + x];
    return (order == PixelOrder::Abgr ? SwapRedBlue(p) : p) & kRgbMask;
}

void FrameBuffer::Fill(Colour colour)
{
    std::fill(pixels.begin(), pixels.end(), colour.Word(order));
}

int FrameScaleFor(double devicePixelRatio)
{
    if (!(devicePixelRatio > 1.0))
        return 1;
    if (devicePixelRatio >= kMaxFrameScale)
        return kMaxFrameScale;
    return static_cast<int>(std::ceil(devicePixelRatio));
}
