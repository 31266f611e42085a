// The core's off-screen picture: its creation limits and the copy that skips the key colour.
#include <gtest/gtest.h>

#include <climits>

#include "draw/font_fit.h"
#include "draw/frame_buffer.h"
#include "tests/support/start_up.h"

TEST(FrameBuffer, SizesThatCannotBeMadeLeaveItEmpty)
{
    const struct {
        int w, h;
    } bad[] = {{0, 10},     {10, 0},     {-5, 10},          {10, -1}, {INT_MIN, INT_MIN},
               {16385, 10}, {10, 16385}, {INT_MAX, INT_MAX}};
    for (const auto& c : bad) {
        FrameBuffer b;
        b.Create(c.w, c.h);
        EXPECT_EQ(b.bits, nullptr) << c.w << "x" << c.h;
        EXPECT_TRUE(b.pixels.empty()) << c.w << "x" << c.h;
        EXPECT_EQ(b.width, 0);
        EXPECT_EQ(b.height, 0);
    }
    // An existing buffer that is asked for an impossible size is released, not kept.
    FrameBuffer b;
    b.Create(20, 10);
    ASSERT_NE(b.bits, nullptr);
    b.Create(0, 10);
    EXPECT_EQ(b.bits, nullptr);
    EXPECT_TRUE(b.pixels.empty());
}

TEST(FrameBuffer, CreateMakesDevicePixelsAndReleaseEmpties)
{
    const struct {
        int w, h, scale, deviceW, deviceH;
    } cases[] = {{start::kWidth, start::kHeight, 1, start::kWidth, start::kHeight},
                 {start::kWidth, start::kHeight, 2, 1244, 768},
                 {1, 1, 1, 1, 1},
                 {16384, 1, 1, 16384, 1},
                 {5, 3, 0, 5, 3},
                 {5, 3, 99, 40, 24}};
    for (const auto& c : cases) {
        FrameBuffer b;
        b.Create(c.w, c.h, c.scale);
        ASSERT_NE(b.bits, nullptr) << c.w << "x" << c.h;
        EXPECT_EQ(b.deviceWidth, c.deviceW);
        EXPECT_EQ(b.deviceHeight, c.deviceH);
        EXPECT_EQ(b.pixels.size(), size_t(c.deviceW) * c.deviceH);
        EXPECT_EQ(b.width, c.w);
        EXPECT_EQ(b.height, c.h);
        EXPECT_EQ(b.scale, c.deviceW / c.w);
        EXPECT_EQ(b.At(c.deviceW - 1, c.deviceH - 1), 0xFFFFFFu) << "made white";
    }
    FrameBuffer b;
    b.Create(30, 20, 2);
    b.keyColour = Colour{1, 2, 3};
    b.Create(10, 5); // a second creation replaces the first
    EXPECT_EQ(b.deviceWidth, 10);
    EXPECT_EQ(b.scale, 1);
    b.Release();
    EXPECT_EQ(b.bits, nullptr);
    EXPECT_EQ(b.width, 0);
    EXPECT_EQ(b.height, 0);
    EXPECT_EQ(b.keyColour, (Colour{254, 0, 254}));
    EXPECT_EQ(b.At(0, 0), 0u);
    b.Release(); // releasing an empty buffer does nothing
    EXPECT_EQ(b.bits, nullptr);
}

// The font size rule every shell uses: the largest pixel size whose cell fits the height asked
// for, whatever the shell's font; a negative height is the pixel size; everything is capped.
TEST(FontFit, LargestPixelSizeWhoseCellFits)
{
    // A font whose cell is 1.2 times its pixel size, rounded up, as a sans-serif font's is.
    const auto cellAt = [](int px) { return (px * 12 + 9) / 10; };
    for (int height : {1, 2, 5, 16, 20, 33, 100, 2048}) {
        const int px = FontPixelsForHeight(height, cellAt);
        if (px > 1) { // one pixel is the least, even where its cell is too tall
            EXPECT_LE(cellAt(px), height) << height;
        }
        if (px < kMaxFontCell) {
            EXPECT_GT(cellAt(px + 1), height) << height;
        }
        EXPECT_GE(px, 1);
    }
    EXPECT_EQ(FontPixelsForHeight(0, cellAt), FontPixelsForHeight(16, cellAt));
    EXPECT_EQ(FontPixelsForHeight(-13, cellAt), 13);
    EXPECT_EQ(FontPixelsForHeight(-1000000, cellAt), kMaxFontCell);
    EXPECT_EQ(FontPixelsForHeight(1000000, cellAt), FontPixelsForHeight(kMaxFontCell, cellAt));
    // A font whose cell does not grow is taken as large as allowed, not searched for ever.
    EXPECT_EQ(FontPixelsForHeight(20, [](int) { return 1; }), kMaxFontCell);
}
