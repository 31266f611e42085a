#pragma once
// How a shell sizes the font of a text the picture asks for, once for every shell: a Font's
// positive height is the height of its character cell (ascent plus descent) in pixels, and the
// font drawn is the largest pixel size whose cell fits it; 0 means a 16-pixel cell; a negative
// height is the pixel size itself. Heights are capped at kMaxFontCell pixels.
#include <functional>

constexpr int kMaxFontCell = 2048;
constexpr int kDefaultFontCell = 16;

// The pixel size for a Font::height; cellAt(px) is the shell's font's cell height at pixel size
// px (a font's cell grows with its pixel size). A bounded search: a first guess from the cell of
// the cell's own pixel size, then one pixel at a time.
int FontPixelsForHeight(int height, const std::function<int(int pixels)>& cellAt);
