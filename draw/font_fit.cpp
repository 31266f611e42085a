#include "draw/font_fit.h"

#include <algorithm>

int FontPixelsForHeight(int height, const std::function<int(int pixels)>& cellAt)
{
    const long long h = height;
    if (h < 0)
        return static_cast<int>(std::min<long long>(-h, kMaxFontCell));
    const int cell = h == 0 ? kDefaultFontCell
                            : static_cast<int>(std::min<long long>(h, kMaxFontCell));
    const int full = std::max(1, cellAt(cell));
    int px = std::max(1, static_cast<int>(static_cast<long long>(cell) * cell / full));
    px = std::min(px, kMaxFontCell);
    while (px > 1 && cellAt(px) > cell)
        --px;
    while (px < kMaxFontCell && cellAt(px + 1) <= cell)
        ++px;
    return px;
}
