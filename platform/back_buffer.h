#pragma once
// The off-screen picture: a 32-bit image made once at the picture size, into which every frame
// is composed before it is copied out in one piece.
#include <cstdint>

#include <QImage>

#include "platform/dc.h"

struct BackBuffer {
    QImage image;          // Format_RGB32, (width*scale) x (height*scale) device pixels
    uint32_t* bits = nullptr; // the image's pixel memory; non-null exactly while it exists
    int width = 0;         // picture pixels
    int height = 0;
    int scale = 1;         // device pixels per picture pixel
    Colour keyColour = RGB(254, 0, 254); // never copied out

    BackBuffer() = default;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    ~BackBuffer() { Release(); }

    // Makes the image; sizes that are not positive (or too large to allocate) leave it empty.
    void Create(int w, int h, int scale = 1);
    void Release();

    // Copies every pixel that is not keyColour onto target, which has the buffer's device
    // size (it is made so if it has not).
    void TransparentCopyTo(QImage& target) const;
};
