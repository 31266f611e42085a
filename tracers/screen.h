#pragma once
// Picture coordinates from corner-relative ones. A position far outside the picture can be
// near the int range already; the sum saturates there instead of overflowing, which keeps it
// outside the picture, where drawing ignores it.
#include <climits>

inline int ScreenCoord(int relative, int origin)
{
    const long long sum = static_cast<long long>(relative) + origin;
    if (sum > INT_MAX)
        return INT_MAX;
    if (sum < INT_MIN)
        return INT_MIN;
    return static_cast<int>(sum);
}
