// The page's number texts come from the C library's conversions (its C++ library has no
// floating-point std::to_chars); a value kept or linked must read the same in both shells.

#include "model/number_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>

namespace {

std::string ToChars(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

TEST(NumberTextCPath, RoundTripTextIsToCharsText)
{
    // Whole numbers (a molar mass of 30 once read "3e+01" on the page), powers of ten either
    // side of where the plain form stops being the shorter, and the doubles' far ends.
    for (double v :
         {30.0, 28.0, 1.4, 5.0 / 3.0, 1e5, 123456.0, 1e15, 1e16, 1e22, 0.001, 1e-4, 1e-5, 0.1 + 0.2,
          -30.0, 0.0, -0.0, 1.7976931348623157e308, 5e-324, 2.2250738585072014e-308})
        EXPECT_EQ(FormatRoundTrip(v), ToChars(v)) << v;

    std::mt19937_64 random(7);
    for (int i = 0; i < 20000; ++i) {
        double v;
        const uint64_t bits = random();
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v))
            continue;
        ASSERT_EQ(FormatRoundTrip(v), ToChars(v)) << bits;
        const double round = std::round(std::ldexp(double(random() >> 11), -int(random() % 40)));
        ASSERT_EQ(FormatRoundTrip(round), ToChars(round)) << round;
    }
}

} // namespace
