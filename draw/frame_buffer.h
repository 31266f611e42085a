#pragma once
// The picture's pixel memory, owned by the core: 32-bit pixels, 0xAARRGGBB unless the buffer's
// order says otherwise, made once at the picture size. Frames are composed into one buffer and
// copied out in one piece; a shell shows the copy without converting it.
#include <cstdint>
#include <vector>

#include "draw/dc.h"

// The largest scale a frame is composed at, device pixels per picture pixel.
constexpr int kMaxFrameScale = 8;
// Device pixels per picture pixel for a screen's device pixel ratio: the next whole number,
// 1 to kMaxFrameScale.
int FrameScaleFor(double devicePixelRatio);
// The largest picture or plot a user may ask for, picture pixels each way.
constexpr int kMaxPictureSize = 4096;

struct FrameBuffer {
    std::vector<uint32_t> pixels; // deviceWidth x deviceHeight, row after row
    uint32_t* bits = nullptr;     // pixels.data() exactly while the buffer exists
    int width = 0;                // picture pixels
    int height = 0;
    int scale = 1; // device pixels per picture pixel
    int deviceWidth = 0;
    int deviceHeight = 0;
    Colour keyColour = Colour{254, 0, 254}; // never copied out
    // While set, the device contexts made over this buffer mark the rows they draw in here.
    DrawnRows* drawnRows = nullptr;
    // How each pixel holds its channels; a setting of the buffer, kept by Create and Release.
    PixelOrder order = PixelOrder::Argb;

    FrameBuffer() = default;
    FrameBuffer(const FrameBuffer&) = delete;
    FrameBuffer& operator=(const FrameBuffer&) = delete;

    // Makes the memory, white; sizes that are not positive (or too large to allocate) leave it
    // empty. The scale is kept within 1..kMaxFrameScale.
    void Create(int w, int h, int scale = 1);
    void Release();
    bool Empty() const { return bits == nullptr; }

    PixelMemory Memory() const
    {
        return PixelMemory{bits, deviceWidth, width, height, scale, drawnRows, order};
    }
    // RGB (no alpha, 0xRRGGBB in either order) of a device pixel; 0 outside.
    uint32_t At(int x, int y) const;
    void Fill(Colour colour);
};
