// The desktop's text: the core's RasterDC with Qt's fonts. Where a text lands, in what, and the
// font a cell height asks for.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include <QFontInfo>
#include <QFontMetrics>

#include "platform/image_dc.h"
#include "platform/qt_text_painter.h"
#include "tests/draw/pixels.h"
#include "tests/support/gui_app.h"

namespace {

const Pen kBlue1{PenStyle::Solid, 1, Colour{0, 0, 255}};

PixelSet Row(int y, int x0, int x1)
{
    PixelSet s;
    for (int x = x0; x <= x1; ++x)
        s.insert({x, y});
    return s;
}

int CellOf(const QFont& font)
{
    const QFontMetrics fm(font);
    return fm.ascent() + fm.descent();
}

} // namespace

TEST(QtText, TextHangsBelowItsAnchorInBlack)
{
    EnsureGuiApp();
    const Font font{20, "Verdana"};
    for (int scale : {1, 2}) {
        Canvas c(200, 100, scale);
        {
            const std::unique_ptr<DC> dc = MakeImageDC(c.buffer);
            dc->SelectFont(font);
            dc->SelectPen(kBlue1); // text is black whatever pen is selected
            dc->DrawText(20, 30, "\u03B2=135");
        }
        const PixelSet ink = c.Ink();
        ASSERT_FALSE(ink.empty()) << scale;
        int minY = INT_MAX, maxY = INT_MIN, minX = INT_MAX, darkest = 255;
        for (const auto& p : ink) {
            minY = std::min(minY, p.second);
            maxY = std::max(maxY, p.second);
            minX = std::min(minX, p.first);
            const uint32_t rgb = c.At(p.first, p.second);
            const int r = rgb >> 16, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
            EXPECT_TRUE(r == g && g == b) << "not grey at " << p.first << "," << p.second;
            darkest = std::min(darkest, r);
        }
        EXPECT_LT(darkest, 64);
        // The 20-pixel cell begins at y = 30: ink lies inside it, the beta's ascender near its
        // top and its descender near its bottom.
        EXPECT_GE(minY, 30 * scale);
        EXPECT_LE(minY, 37 * scale);
        EXPECT_GE(maxY, 44 * scale);
        EXPECT_LT(maxY, 50 * scale);
        EXPECT_GE(minX, 20 * scale);
        EXPECT_LE(minX, 23 * scale);
    }
}

TEST(QtText, TextKeepsTheSelectedPenAndFarTextIsSkipped)
{
    EnsureGuiApp();
    const Font font{20, "Verdana"};
    Canvas c(200, 100);
    {
        const std::unique_ptr<DC> dc = MakeImageDC(c.buffer);
        dc->SelectFont(font);
        dc->SelectPen(kBlue1);
        dc->DrawText(10, 10, "x");
        dc->MoveTo(0, 90);
        dc->LineTo(100, 90);
        for (int x : {INT_MIN, -1000000, INT_MAX})
            for (int y : {INT_MIN, -1000, INT_MAX})
                dc->DrawText(x, y, "far away");
        dc->DrawText(50, 50, ""); // nothing to draw
        dc->DrawText(120, 40, std::string("\xFF\xFE bad utf-8", 12));
    }
    EXPECT_EQ(c.InkOf(kBlue), Row(90, 0, 99));
    for (const auto& p : c.Ink()) {
        if (p.second != 90) {
            EXPECT_TRUE((p.first < 40 && p.second < 40) || (p.first >= 120 && p.second >= 40))
                << p.first << "," << p.second;
        }
    }
}

TEST(QtText, ACellHeightGetsTheLargestFontWhoseCellFits)
{
    EnsureGuiApp();
    for (int height : {7, 12, 16, 20, 33, 100}) {
        const QFont f = FontForCell(Font{height, "Verdana"});
        QFont bigger = f;
        bigger.setPixelSize(f.pixelSize() + 1);
        EXPECT_LE(CellOf(f), height);
        EXPECT_GT(CellOf(bigger), height) << height;
        // Verdana is drawn in the font with its metrics where it is missing.
        const QString family = QFontInfo(f).family();
        EXPECT_TRUE(family == QLatin1String("Verdana") || family == QLatin1String("DejaVu Sans"))
            << family.toStdString();
    }
    EXPECT_EQ(FontForCell(Font{0, "Verdana"}).pixelSize(),
              FontForCell(Font{16, "Verdana"}).pixelSize());
    EXPECT_EQ(FontForCell(Font{-13, "Verdana"}).pixelSize(), 13);
    EXPECT_EQ(FontForCell(Font{INT_MIN, "Verdana"}).pixelSize(), 2048);
    const QFont capped = FontForCell(Font{INT_MAX, "Verdana"});
    EXPECT_EQ(capped.pixelSize(), FontForCell(Font{2048, "Verdana"}).pixelSize());
    EXPECT_LE(CellOf(capped), 2048);
}

// The width a text is measured at (what the plot lays its words out with) holds all its ink, in
// every language's letters; a Chinese text of as many characters measures wider than a Latin
// one, as its ink is.
TEST(QtText, MeasuredWidthHoldsTheInk)
{
    EnsureGuiApp();
    QtTextPainter qt;
    const Font font{14, "Verdana"};
    int latin = 0, chinese = 0;
    for (const char* text :
         {"end: theory", "конец: теория", "终止：理论", "Ende: Theorie →", "气流偏转方向 →", "W"}) {
        FrameBuffer b;
        b.Create(400, 40, 1);
        RasterDC dc(b, &qt);
        dc.SelectFont(font);
        const int w = dc.TextWidth(text, font);
        EXPECT_GT(w, 0) << text;
        dc.DrawText(10, 10, text);
        int right = -1;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < b.width; ++x)
                if ((b.At(x, y) & 0xFFFFFFu) != 0xFFFFFFu)
                    right = std::max(right, x);
        EXPECT_GE(right, 10) << text;
        EXPECT_LT(right, 10 + w) << text << ": ink to " << right << ", measured " << w;
        if (std::string(text) == "end: theory")
            latin = w;
        if (std::string(text) == "终止：理论")
            chinese = w;
    }
    // Five Chinese characters against eleven Latin ones: wider per character by far.
    EXPECT_GT(chinese * 11, latin * 5 * 3 / 2);
}
