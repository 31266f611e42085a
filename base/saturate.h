#pragma once
// The one way a double becomes an int in this program: truncation toward zero, saturated at
// the int range, with 0 for NaN. A plain cast of a value outside the range is undefined.
#include <climits>
#include <cstdint>

inline int TruncToInt(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

// Integer halving that rounds toward zero (C++ division already does), kept as a name so the
// drawing code reads like the geometry it implements.
inline int Half(int v) { return v / 2; }
