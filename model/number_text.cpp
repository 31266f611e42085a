#include "model/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>
#if !defined(__cpp_lib_to_chars) || defined(CORNERFLOW_C_NUMBER_TEXT)
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#endif

namespace {

#if defined(__cpp_lib_to_chars) && !defined(CORNERFLOW_C_NUMBER_TEXT)

// A decimal number (sign, digits, point, exponent; nothing else) as the nearest double; false
// when it lies beyond the doubles (either way), value then unchanged.
bool DecimalToDouble(std::string_view number, double& value)
{
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    return result.ec != std::errc::result_out_of_range;
}

// printf("%.Nf") of a finite value.
std::string FixedText(double value, int decimals)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

#else

// C++ libraries without the floating-point <charconv> (the WebAssembly toolchain's): the C
// library's exact conversions, with the "C" locale made current on this thread for the call.
// Defining CORNERFLOW_C_NUMBER_TEXT picks this path on any library, to compare the two.
class ClassicLocaleScope {
public:
    ClassicLocaleScope() : previous_(c_ ? uselocale(c_) : nullptr) {}
    ~ClassicLocaleScope()
    {
        if (previous_)
            uselocale(previous_);
    }
    ClassicLocaleScope(const ClassicLocaleScope&) = delete;
    ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

private:
    static inline locale_t c_ = newlocale(LC_ALL_MASK, "C", locale_t(0));
    locale_t previous_;
};

bool DecimalToDouble(std::string_view number, double& value)
{
    const std::string text(number);
    double v;
    {
        ClassicLocaleScope c;
        v = std::strtod(text.c_str(), nullptr);
    }
    if (std::isinf(v))
        return false;
    if (v == 0.0 && text.find_first_of("123456789") < text.find_first_of("eE"))
        return false; // not zero, but smaller than the smallest double
    value = v;
    return true;
}

std::string FixedText(double value, int decimals)
{
    char buffer[400];
    int n;
    {
        ClassicLocaleScope c;
        n = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    }
    return std::string(buffer, n > 0 ? std::min<size_t>(size_t(n), sizeof buffer - 1) : 0);
}

#endif

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

double ReadNumber(std::string_view text)
{
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsSpace(text[i]))
        ++i;

    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t mantissaStart = i;
    size_t intDigits = 0;
    while (i < n && IsDigit(text[i])) {
        ++i;
        ++intDigits;
    }
    size_t fracDigits = 0;
    if (i < n && text[i] == '.') {
        size_t j = i + 1;
        while (j < n && IsDigit(text[j])) {
            ++j;
            ++fracDigits;
        }
        if (intDigits + fracDigits > 0)
            i = j;
    }
    if (intDigits + fracDigits == 0)
        return 0.0;
    const size_t mantissaEnd = i;

    // An exponent counts only when at least one digit follows the 'e' and its sign.
    size_t end = mantissaEnd;
    long long exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        bool expNegative = false;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            expNegative = text[j] == '-';
            ++j;
        }
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j])) {
                if (exponent < 100000000)
                    exponent = exponent * 10 + (text[j] - '0');
                ++j;
            }
            if (expNegative)
                exponent = -exponent;
            end = j;
        }
    }

    const std::string_view number = text.substr(mantissaStart, end - mantissaStart);
    double value = 0.0;
    if (!DecimalToDouble(number, value)) {
        // Out of range one way or the other: the decimal exponent of the first significant
        // digit tells which.
        long long firstDigitExponent = 0;
        bool seen = false;
        long long position = static_cast<long long>(intDigits);
        for (size_t k = mantissaStart; k < mantissaEnd; ++k) {
            const char c = text[k];
            if (c == '.')
                continue;
            --position;
            if (c != '0') {
                firstDigitExponent = position;
                seen = true;
                break;
            }
        }
        if (!seen)
            value = 0.0;
        else if (firstDigitExponent + exponent > 0)
            value = std::numeric_limits<double>::infinity();
        else
            value = 0.0;
    }
    return negative ? -value : value;
}

std::string FormatFixed(double value, int decimals)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (decimals < 0)
        decimals = 0;
    if (decimals > 17)
        decimals = 17;
    return FixedText(value, decimals);
}

std::string FormatFieldValue(double value)
{
    const size_t n = FormatFixed(value, 0).size();
    const int decimals = n <= 4 ? 4 - static_cast<int>(n) : 0;
    return FormatFixed(value, decimals);
}
