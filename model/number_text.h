#pragma once
// Reading and writing the numbers of the dialog's fields. Both are independent of the C
// library's locale: the decimal separator is always the point.
#include <string>
#include <string_view>

// Reads a field's text as a number: leading white space is skipped, then the longest prefix
// that is a decimal number (optional sign, digits, optional point and digits, optional decimal
// exponent) is converted; the rest is ignored. Text without such a prefix reads as 0.
// Hexadecimal, "inf" and "nan" are not numbers. Overflow gives an infinity, underflow a zero
// (or the nearest subnormal).
double ReadNumber(std::string_view text);

// printf("%.Nf") in the "C" locale, for 0 <= decimals <= 17. Infinities are written "inf" and
// "-inf", NaN as "nan".
std::string FormatFixed(double value, int decimals);

// The field rule: about four significant characters. The text of "%.0f" has n characters;
// the value is written with 4 - n decimals when n <= 4, with none otherwise.
std::string FormatFieldValue(double value);
