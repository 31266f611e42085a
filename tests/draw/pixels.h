#pragma once
// A white picture to draw into, and ways to look at what was drawn.
#include <cstdint>
#include <set>
#include <utility>

#include "draw/frame_buffer.h"

using PixelSet = std::set<std::pair<int, int>>; // (x, y) on the device grid

struct Canvas {
    FrameBuffer buffer;
    Canvas(int w, int h, int scale = 1) { buffer.Create(w, h, scale); }
    // RGB of a device pixel.
    uint32_t At(int x, int y) const { return buffer.At(x, y); }
    // Every device pixel that is no longer white.
    PixelSet Ink() const
    {
        PixelSet out;
        for (int y = 0; y < buffer.deviceHeight; ++y)
            for (int x = 0; x < buffer.deviceWidth; ++x)
                if (At(x, y) != 0xFFFFFFu)
                    out.insert({x, y});
        return out;
    }
    PixelSet InkOf(uint32_t rgb) const
    {
        PixelSet out;
        for (const auto& p : Ink())
            if (At(p.first, p.second) == rgb)
                out.insert(p);
        return out;
    }
};

constexpr uint32_t kBlue = 0x0000FFu;
constexpr uint32_t kRed = 0xFF0000u;
constexpr uint32_t kWhite = 0xFFFFFFu;
