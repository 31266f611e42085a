#pragma once
// Reading and writing the numbers of the dialog's fields. Both are independent of the C
// library's locale: the decimal separator is always the point.
#include <string>
#include <string_view>

// What a field's text reads as, and whether it was written in the program's own form.
struct NumberReading {
    double value = 0.0;
    // The text is an optional sign, digits with at most one point, an optional exponent, and
    // white space around them, nothing else. Otherwise (a decimal comma, spaces between digit
    // groups, other characters, no number at all) a user should be shown what was read.
    bool ownForm = false;
    // The whole text is a number in a form the field reads (the program's own, a decimal
    // comma, group spaces), with nothing but white space around it: what a link and the
    // command line take as a number.
    bool whole = false;
};

// Reads a field's text as a number, as people type numbers: leading white space is skipped,
// then the longest prefix that is a decimal number is converted and the rest is ignored; text
// without such a prefix reads as 0. In the number, a comma is the decimal point when it is the
// only separator (Russian writes 450,5), and a space or a no-break space between digit groups
// of three is left out (100 000). Hexadecimal, "inf" and "nan" are not numbers. Overflow gives
// an infinity, underflow a zero (or the nearest subnormal).
NumberReading ReadNumberText(std::string_view text);
double ReadNumber(std::string_view text);

// A value as short as it can be written and read back to 15 significant digits, in the
// program's own form ("450.5", "100000", "1e-05"): what a field's note says was read.
std::string FormatReadValue(double value);

// A value as short as it can be written and read back to the same double, '.' as the point
// ("450.5", "1e-05"); infinities as "inf" and "-inf", NaN as "nan". What a CSV file holds.
std::string FormatRoundTrip(double value);

// printf("%.Nf") in the "C" locale, for 0 <= decimals <= 17, but that a value which rounds to
// zero has no minus sign ("0", never "-0"). Infinities are written "inf" and "-inf", NaN as
// "nan".
std::string FormatFixed(double value, int decimals);

// The field rule: about four significant characters. The text of "%.0f" has n characters;
// the value is written with 4 - n decimals when n <= 4, with none otherwise.
std::string FormatFieldValue(double value);
