#include "plot/plot_look.h"

const QuantityLook& LookOf(Quantity q)
{
    static const QuantityLook looks[kQuantityCount] = {
        {"M/M1", "M", Colour{214, 39, 40}},   // red
        {"P/P1", "P", Colour{31, 119, 180}},  // blue
        {"T/T1", "T", Colour{230, 120, 0}},   // orange
        {"ρ/ρ1", "ρ", Colour{44, 160, 44}},   // green
        {"V/V1", "V", Colour{148, 103, 189}}, // violet
    };
    const int i = static_cast<int>(q);
    return looks[i >= 0 && i < kQuantityCount ? i : 0];
}
