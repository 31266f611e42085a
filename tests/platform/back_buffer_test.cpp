// The off-screen picture: its creation limits and the copy that skips the key colour.
#include <gtest/gtest.h>

#include <climits>

#include "platform/back_buffer.h"

TEST(BackBuffer, SizesThatCannotBeMadeLeaveItEmpty)
{
    const struct {
        int w, h;
    } bad[] = {{0, 10}, {10, 0}, {-5, 10}, {10, -1}, {INT_MIN, INT_MIN}, {16385, 10},
               {10, 16385}, {INT_MAX, INT_MAX}};
    for (const auto& c : bad) {
        BackBuffer b;
        b.Create(c.w, c.h);
        EXPECT_EQ(b.bits, nullptr) << c.w << "x" << c.h;
        EXPECT_TRUE(b.image.isNull()) << c.w << "x" << c.h;
        EXPECT_EQ(b.width, 0);
        EXPECT_EQ(b.height, 0);
    }
    // An existing buffer that is asked for an impossible size is released, not kept.
    BackBuffer b;
    b.Create(20, 10);
    ASSERT_NE(b.bits, nullptr);
    b.Create(0, 10);
    EXPECT_EQ(b.bits, nullptr);
    EXPECT_TRUE(b.image.isNull());
}

TEST(BackBuffer, CreateMakesDevicePixelsAndReleaseEmpties)
{
    const struct {
        int w, h, scale, deviceW, deviceH;
    } cases[] = {{622, 384, 1, 622, 384}, {622, 384, 2, 1244, 768}, {1, 1, 1, 1, 1},
                 {16384, 1, 1, 16384, 1}, {5, 3, 0, 5, 3}};
    for (const auto& c : cases) {
        BackBuffer b;
        b.Create(c.w, c.h, c.scale);
        ASSERT_NE(b.bits, nullptr) << c.w << "x" << c.h;
        EXPECT_EQ(b.image.format(), QImage::Format_RGB32);
        EXPECT_EQ(b.image.width(), c.deviceW);
        EXPECT_EQ(b.image.height(), c.deviceH);
        EXPECT_EQ(b.width, c.w);
        EXPECT_EQ(b.height, c.h);
        EXPECT_EQ(b.image.devicePixelRatio(), double(c.deviceW / c.w));
        EXPECT_EQ(static_cast<const void*>(b.bits), static_cast<const void*>(b.image.constBits()));
    }
    BackBuffer b;
    b.Create(30, 20, 2);
    b.keyColour = RGB(1, 2, 3);
    b.Create(10, 5); // a second creation replaces the first
    EXPECT_EQ(b.image.width(), 10);
    EXPECT_EQ(b.scale, 1);
    b.Release();
    EXPECT_EQ(b.bits, nullptr);
    EXPECT_TRUE(b.image.isNull());
    EXPECT_EQ(b.width, 0);
    EXPECT_EQ(b.height, 0);
    EXPECT_EQ(b.keyColour, RGB(254, 0, 254));
    b.Release(); // releasing an empty buffer does nothing
    EXPECT_EQ(b.bits, nullptr);
}

TEST(BackBuffer, TransparentCopySkipsExactlyTheKeyColour)
{
    BackBuffer b;
    b.Create(4, 2);
    ASSERT_NE(b.bits, nullptr);
    const int stride = b.image.bytesPerLine() / 4;
    auto src = [&](int x, int y) -> uint32_t& { return b.bits[y * stride + x]; };
    src(0, 0) = 0xFFFE00FEu; // the key colour
    src(1, 0) = 0x00FE00FEu; // the key colour with other alpha bits: still skipped
    src(2, 0) = 0xFFFE00FDu; // one step off the key: copied
    src(3, 0) = 0xFF123456u;
    src(0, 1) = 0xFFFF00FEu; // one step off in red
    src(1, 1) = 0xFFFE01FEu; // in green
    src(2, 1) = 0xFF000000u;
    src(3, 1) = 0xFFFE00FEu;

    QImage target(4, 2, QImage::Format_RGB32);
    target.fill(0xFF0A0B0Cu);
    b.TransparentCopyTo(target);
    const uint32_t expected[2][4] = {{0x0A0B0C, 0x0A0B0C, 0xFE00FD, 0x123456},
                                     {0xFF00FE, 0xFE01FE, 0x000000, 0x0A0B0C}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(target.pixel(x, y) & 0xFFFFFFu, expected[y][x]) << x << "," << y;
}

TEST(BackBuffer, TransparentCopyMakesTheTargetFit)
{
    BackBuffer b;
    b.Create(3, 2, 2);
    ASSERT_NE(b.bits, nullptr);
    b.image.fill(0xFF00FF00u);

    QImage wrongSize(1, 1, QImage::Format_ARGB32);
    b.TransparentCopyTo(wrongSize);
    EXPECT_EQ(wrongSize.size(), QSize(6, 4));
    EXPECT_EQ(wrongSize.format(), QImage::Format_RGB32);
    EXPECT_EQ(wrongSize.devicePixelRatio(), 2.0);
    EXPECT_EQ(wrongSize.pixel(5, 3) & 0xFFFFFFu, 0x00FF00u);

    // The right size in another format keeps its pixels where the key colour is.
    QImage otherFormat(6, 4, QImage::Format_ARGB32);
    otherFormat.fill(0xFF112233u);
    b.bits[0] = 0xFFFE00FEu;
    b.TransparentCopyTo(otherFormat);
    EXPECT_EQ(otherFormat.format(), QImage::Format_RGB32);
    EXPECT_EQ(otherFormat.pixel(0, 0) & 0xFFFFFFu, 0x112233u);
    EXPECT_EQ(otherFormat.pixel(1, 0) & 0xFFFFFFu, 0x00FF00u);

    // An empty buffer copies nothing and leaves the target alone.
    BackBuffer empty;
    QImage untouched(2, 2, QImage::Format_RGB32);
    untouched.fill(0xFF445566u);
    empty.TransparentCopyTo(untouched);
    EXPECT_EQ(untouched.size(), QSize(2, 2));
    EXPECT_EQ(untouched.pixel(1, 1) & 0xFFFFFFu, 0x445566u);
}

TEST(BackBuffer, CopyDoesNotDisturbAnImageSharedWithTheTarget)
{
    BackBuffer b;
    b.Create(2, 2);
    b.image.fill(0xFF0000FFu);
    QImage target = b.image; // shares the buffer's pixels
    b.bits[0] = 0xFFFE00FEu;
    target.fill(0xFF00FF00u); // detaches the target
    b.TransparentCopyTo(target);
    EXPECT_EQ(target.pixel(0, 0) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_EQ(target.pixel(1, 0) & 0xFFFFFFu, 0x0000FFu);
    EXPECT_EQ(static_cast<const void*>(b.bits), static_cast<const void*>(b.image.constBits()));
}
