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

// printf("%.15g") of a finite value.
std::string ShortText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, 15);
    return std::string(buffer, result.ptr);
}

// The shortest text of a finite value that reads back to it.
std::string RoundTripText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
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

std::string ShortText(double value)
{
    char buffer[64];
    int n;
    {
        ClassicLocaleScope c;
        n = std::snprintf(buffer, sizeof buffer, "%.15g", value);
    }
    return std::string(buffer, n > 0 ? std::min<size_t>(size_t(n), sizeof buffer - 1) : 0);
}

// The fewest significant digits that read back to the value, written plain or with an
// exponent, whichever is shorter (plain on a tie): the text std::to_chars writes.
std::string RoundTripText(double value)
{
    char scientific[64];
    int n = 0;
    int digits = 1;
    {
        ClassicLocaleScope c;
        for (; digits <= 17; ++digits) {
            n = std::snprintf(scientific, sizeof scientific, "%.*e", digits - 1, value);
            if (std::strtod(scientific, nullptr) == value)
                break;
        }
    }
    std::string text(scientific, n > 0 ? std::min<size_t>(size_t(n), sizeof scientific - 1) : 0);
    const size_t e = text.find('e');
    if (e == std::string::npos)
        return text;
    const int exponent = std::atoi(text.c_str() + e + 1);
    const int decimals = std::max(0, std::min(digits, 17) - 1 - exponent);
    std::string plain = FixedText(value, decimals);
    return plain.size() <= text.size() ? plain : text;
}

#endif

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

namespace {

// A group separator between digits: a space, a no-break space (U+00A0) or a narrow no-break
// space (U+202F); its length in bytes, or 0.
size_t GroupSpaceAt(std::string_view t, size_t i)
{
    if (i < t.size() && t[i] == ' ')
        return 1;
    if (i + 1 < t.size() && t[i] == '\xC2' && t[i + 1] == '\xA0')
        return 2;
    if (i + 2 < t.size() && t[i] == '\xE2' && t[i + 1] == '\x80' && t[i + 2] == '\xAF')
        return 3;
    return 0;
}

size_t DigitsAt(std::string_view t, size_t i)
{
    size_t n = 0;
    while (i + n < t.size() && IsDigit(t[i + n]))
        ++n;
    return n;
}

} // namespace

namespace {

// A text being read: where the reader stands, and the number rebuilt in the program's own form
// (digits, a point, digits, then 'e' and the exponent's digits).
struct NumberScan {
    std::string_view text;
    size_t i = 0;
    std::string number;
    size_t intDigits = 0;   // the integer part's digits, group spaces left out
    size_t fracDigits = 0;  // the digits after the decimal point
    bool converted = false; // a comma or a group space was read as something else
    long long exponent = 0; // the exponent as written, its size capped near 1e8
};

// The integer part's digits, then groups of three digits after a space while the first group
// has at most three digits: "100 000", "1 000 000".
void ReadIntegerPart(NumberScan& s)
{
    const std::string_view t = s.text;
    const size_t n = t.size();
    s.intDigits = DigitsAt(t, s.i);
    s.number.append(t.substr(s.i, s.intDigits));
    s.i += s.intDigits;
    if (s.intDigits < 1 || s.intDigits > 3)
        return;
    for (;;) {
        const size_t space = GroupSpaceAt(t, s.i);
        if (space == 0 || DigitsAt(t, s.i + space) != 3
            || IsDigit(s.i + space + 3 < n ? t[s.i + space + 3] : ' '))
            break;
        s.number.append(t.substr(s.i + space, 3));
        s.intDigits += 3;
        s.i += space + 3;
        s.converted = true;
    }
}

// A decimal point ('.' or a lone comma) and the digits after it.
void ReadFraction(NumberScan& s)
{
    const std::string_view t = s.text;
    const size_t n = t.size();
    const size_t i = s.i;
    if (i >= n || (t[i] != '.' && t[i] != ','))
        return;
    const size_t more = DigitsAt(t, i + 1);
    // A comma is the decimal point only when it is the only separator: no point follows.
    const bool comma = t[i] == ',';
    const bool usable = s.intDigits + more > 0
                        && !(comma && (i + 1 + more < n && t[i + 1 + more] == '.'));
    if (!usable)
        return;
    s.number += '.';
    s.number.append(t.substr(i + 1, more));
    s.fracDigits = more;
    s.converted = s.converted || comma;
    s.i += 1 + more;
}

// An exponent: it counts only when at least one digit follows the 'e' and its sign.
void ReadExponent(NumberScan& s)
{
    const std::string_view t = s.text;
    const size_t n = t.size();
    if (s.i >= n || (t[s.i] != 'e' && t[s.i] != 'E'))
        return;
    size_t j = s.i + 1;
    bool expNegative = false;
    if (j < n && (t[j] == '+' || t[j] == '-')) {
        expNegative = t[j] == '-';
        ++j;
    }
    if (j >= n || !IsDigit(t[j]))
        return;
    const size_t digits = DigitsAt(t, j);
    s.number += 'e';
    if (expNegative)
        s.number += '-';
    s.number.append(t.substr(j, digits));
    for (size_t k = j; k < j + digits; ++k)
        if (s.exponent < 100000000)
            s.exponent = s.exponent * 10 + (t[k] - '0');
    if (expNegative)
        s.exponent = -s.exponent;
    s.i = j + digits;
}

// The value of a number beyond the doubles: infinity when its first significant digit's
// decimal exponent is above 0, otherwise 0. mantissaDigits: the length of s.number before
// its exponent.
double OutOfRangeValue(const NumberScan& s, size_t mantissaDigits)
{
    long long position = static_cast<long long>(s.intDigits);
    for (size_t k = 0; k < mantissaDigits; ++k) {
        const char c = s.number[k];
        if (c == '.')
            continue;
        --position;
        if (c != '0')
            return position + s.exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return 0.0;
}

} // namespace

NumberReading ReadNumberText(std::string_view text)
{
    NumberReading r;
    NumberScan s;
    s.text = text;
    const size_t n = text.size();
    while (s.i < n && IsSpace(text[s.i]))
        ++s.i;
    bool negative = false;
    if (s.i < n && (text[s.i] == '+' || text[s.i] == '-')) {
        negative = text[s.i] == '-';
        ++s.i;
    }
    ReadIntegerPart(s);
    ReadFraction(s);
    if (s.intDigits + s.fracDigits == 0) {
        r.value = 0.0;
        r.ownForm = false;
        return r;
    }
    const size_t mantissaDigits = s.number.size();
    ReadExponent(s);
    size_t rest = s.i;
    while (rest < n && IsSpace(text[rest]))
        ++rest;
    r.ownForm = !s.converted && rest == n;
    r.whole = rest == n;

    double value = 0.0;
    if (!DecimalToDouble(s.number, value))
        value = OutOfRangeValue(s, mantissaDigits);
    r.value = negative ? -value : value;
    return r;
}

double ReadNumber(std::string_view text) { return ReadNumberText(text).value; }

namespace {

// How every text writes a value that is no finite number.
const char* NonFiniteText(double value)
{
    return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
}

} // namespace

std::string FormatReadValue(double value)
{
    return std::isfinite(value) ? ShortText(value) : NonFiniteText(value);
}

std::string FormatRoundTrip(double value)
{
    return std::isfinite(value) ? RoundTripText(value) : NonFiniteText(value);
}

std::string FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (decimals < 0)
        decimals = 0;
    if (decimals > 17)
        decimals = 17;
    std::string text = FixedText(value, decimals);
    // A value that rounds to zero is written without a sign: no label or field shows "-0".
    if (!text.empty() && text[0] == '-' && text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string FormatFieldValue(double value)
{
    // The characters of "%.0f" as printf writes it, a minus sign of -0 included.
    const size_t n = std::isfinite(value) ? FixedText(value, 0).size()
                                          : FormatFixed(value, 0).size();
    const int decimals = n <= 4 ? 4 - static_cast<int>(n) : 0;
    return FormatFixed(value, decimals);
}
