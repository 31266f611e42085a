// Reading and writing the fields' number texts.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <stdexcept>
#include <string>

#include "model/number_text.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();

struct ReadCase {
    std::string text;
    double expected;
};

TEST(ReadNumber, PrefixRule)
{
    const ReadCase cases[] = {
        {"1,5", 1.5},   // a comma alone is the decimal point
        {"1,5.5", 1.0}, // not beside a point: there it ends the number
        {"100,000", 100.0},
        {"4,5e2", 450.0},
        {"100 000", 100000.0}, // spaces between groups of three digits
        {"1 000 000,5", 1000000.5},
        {"100\u00A0000", 100000.0}, // a no-break space
        {"100\u202F000", 100000.0}, // a narrow no-break space
        {"100  000", 100.0},
        {"1000 000", 1000.0},
        {"10 0000", 10.0},
        {"2e3", 2000.0},
        {"", 0.0},
        {"12abc", 12.0},
        {"  7", 7.0},
        {"\t\n\v\f\r 8", 8.0},
        {"0x10", 0.0}, // hexadecimal is not a number: its leading 0
        {"inf", 0.0},
        {"-inf", 0.0},
        {"infinity", 0.0},
        {"nan", 0.0},
        {"NAN(1)", 0.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"-.5e1", -5.0},
        {"+3", 3.0},
        {"1e", 1.0}, // an exponent needs a digit
        {"1e+", 1.0},
        {"1e-", 1.0},
        {"1E2", 100.0},
        {"1.5e3xyz", 1500.0},
        {"1e5.5", 100000.0},
        {"12 34", 12.0},
        {".", 0.0},
        {"-", 0.0},
        {"+", 0.0},
        {"e5", 0.0},
        {"+.e1", 0.0},
        {"--5", 0.0},
        {"abc", 0.0},
        {"273", 273.0},
        {"100000", 100000.0},
        {"-450", -450.0},
        {"0.1", 0.1},
        {"3.14159", 3.14159},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(ReadNumber(c.text), c.expected) << "text '" << c.text << "'";
}

TEST(ReadNumber, RangeEdges)
{
    EXPECT_EQ(ReadNumber("1e999"), inf);
    EXPECT_EQ(ReadNumber("-1e999"), -inf);
    EXPECT_EQ(ReadNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadNumber("1.7976931348623159e308"), inf); // rounds past the largest double
    EXPECT_EQ(ReadNumber("1e-400"), 0.0);
    EXPECT_FALSE(std::signbit(ReadNumber("1e-400")));
    EXPECT_EQ(ReadNumber("-1e-400"), 0.0);
    EXPECT_TRUE(std::signbit(ReadNumber("-1e-400")));
    EXPECT_EQ(ReadNumber("4.9406564584124654e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(ReadNumber("3e-324"), std::numeric_limits<double>::denorm_min());
    EXPECT_EQ(ReadNumber("2e-324"), 0.0); // below half the smallest subnormal
    const double sub = ReadNumber("1e-310");
    EXPECT_GT(sub, 0.0);
    EXPECT_NEAR(sub / 1e-310, 1.0, 1e-12);

    const double negZero = ReadNumber("-0");
    EXPECT_EQ(negZero, 0.0);
    EXPECT_TRUE(std::signbit(negZero));
    EXPECT_FALSE(std::signbit(ReadNumber("0")));
}

TEST(ReadNumber, LongDigitStringsAndHugeExponents)
{
    EXPECT_EQ(ReadNumber("1" + std::string(400, '0')), inf);
    EXPECT_EQ(ReadNumber("-1" + std::string(400, '0')), -inf);
    EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1e401"), 1.0);
    EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1e400"), 0.1);
    EXPECT_EQ(ReadNumber("1" + std::string(400, '0') + "e-400"), 1.0);
    EXPECT_EQ(ReadNumber(std::string(300, '0') + "42"), 42.0);
    EXPECT_EQ(ReadNumber("0.1" + std::string(500, '0') + "1"), 0.1);
    EXPECT_EQ(ReadNumber("123456789012345678901234567890"), 1.2345678901234568e29);
    EXPECT_EQ(ReadNumber(std::string(100000, '9')), inf);
    EXPECT_EQ(ReadNumber("1." + std::string(100000, '0') + "x"), 1.0);

    EXPECT_EQ(ReadNumber("1e99999999999999999999999"), inf);
    EXPECT_EQ(ReadNumber("-1e99999999999999999999999"), -inf);
    EXPECT_EQ(ReadNumber("1e-99999999999999999999999"), 0.0);
    EXPECT_EQ(ReadNumber("0e99999999999999999999999"), 0.0);
    EXPECT_EQ(ReadNumber("0.0000001e99999999999999999999"), inf);
    EXPECT_EQ(ReadNumber("1e2147483648"), inf);
    EXPECT_EQ(ReadNumber("1e-2147483649"), 0.0);
    EXPECT_EQ(ReadNumber("1e+0000000000000000000000000002"), 100.0);
}

// The C library's conversion is the reference for every text that is a plain decimal number.
TEST(ReadNumber, AgreesWithTheCLibraryOnDecimals)
{
    const char* texts[] = {
        "0.1",
        "0.2",
        "0.3",
        "1.4",
        "336.877",
        "2.2250738585072011e-308",
        "2.2250738585072014e-308",
        "9007199254740993",
        "9007199254740995",
        "1.00000000000000011102230246251565404236316680908203125",
        "1.00000000000000011102230246251565404236316680908203124",
        "7.9e-7",
        "123.456e-2",
        "-98765.4321e+3",
        "5e-324",
        "1e23",
        "8.98846567431158e307",
    };
    for (const char* t : texts)
        EXPECT_EQ(ReadNumber(t), std::strtod(t, nullptr)) << t;
}

struct FieldCase {
    double value;
    const char* text;
};

TEST(FormatFieldValue, FourCharacterRule)
{
    const FieldCase cases[] = {
        {0.0, "0.000"},    {1.4, "1.400"},     {0.7834, "0.783"},     {12.3456, "12.35"},
        {331.4, "331.4"},  {450.0, "450.0"},   {999.96, "1000"},      {100000.0, "100000"},
        {-0.25, "-0.25"},  {-5.0, "-5.00"},    {273.0, "273.0"},      {0.9996, "1.000"},
        {9.9996, "10.00"}, {99.996, "100.0"},  {1000.4, "1000"},      {-99.5, "-100"},
        {-99.4, "-99.4"},  {-999.6, "-1000"},  {1.233631, "1.234"},   {-0.0, "0.00"},
        {-0.0001, "0.00"}, {336.877, "336.9"}, {124579.28, "124579"}, {0.5, "0.500"},
    };
    for (const FieldCase& c : cases)
        EXPECT_EQ(FormatFieldValue(c.value), c.text) << "value " << c.value;
}

TEST(FormatFieldValue, ExtremeValues)
{
    EXPECT_EQ(FormatFieldValue(inf), "inf");
    EXPECT_EQ(FormatFieldValue(-inf), "-inf");
    EXPECT_EQ(FormatFieldValue(std::nan("")), "nan");
    EXPECT_EQ(FormatFieldValue(-std::nan("")), "nan");

    const std::string big = FormatFieldValue(1e300);
    EXPECT_EQ(big.size(), 301u);
    EXPECT_EQ(big.substr(0, 5), "10000");
    EXPECT_EQ(big.find('.'), std::string::npos);
    const std::string huge = FormatFieldValue(-std::numeric_limits<double>::max());
    EXPECT_EQ(huge.size(), 310u); // sign and 309 digits
    EXPECT_EQ(huge.substr(0, 6), "-17976");

    EXPECT_EQ(FormatFieldValue(1e-300), "0.000");
    EXPECT_EQ(FormatFieldValue(std::numeric_limits<double>::denorm_min()), "0.000");
}

// printf's "%.Nf" in the "C" locale is the reference the field rule is written in, but for the
// sign of a value that rounds to zero, which no field or label shows.
TEST(FormatFixed, AgreesWithPrintfInTheCLocale)
{
    const double values[] = {
        0.0,       0.5,      1.5,        2.5,    -2.5,       0.125,    0.0625,
        1.0005,    2.675,    1e15 + 0.5, 1e22,   123456.789, -0.0,     -1e-9,
        336.87702, 0.810615, 9.995,      5e-324, 1e100,      -7.77e-5, 4503599627370497.0};
    char buffer[512];
    for (const double v : values) {
        for (int d = 0; d <= 6; ++d) {
            std::snprintf(buffer, sizeof buffer, "%.*f", d, v);
            std::string expected = buffer;
            if (expected[0] == '-' && expected.find_first_of("123456789") == std::string::npos)
                expected.erase(0, 1);
            EXPECT_EQ(FormatFixed(v, d), expected) << "value " << v << " decimals " << d;
        }
    }
    EXPECT_EQ(FormatFixed(0.1, 17), "0.10000000000000001");
}

// Restores the C and C++ locales when a test ends, however it ends.
class LocaleGuard {
public:
    LocaleGuard() : cLocale_(std::setlocale(LC_ALL, nullptr)), cppLocale_() {}
    ~LocaleGuard()
    {
        std::setlocale(LC_ALL, cLocale_.c_str());
        std::locale::global(cppLocale_);
    }

private:
    std::string cLocale_;
    std::locale cppLocale_;
};

TEST(NumberText, IndependentOfTheRussianLocale)
{
    LocaleGuard guard;
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8"))
        GTEST_SKIP() << "locale ru_RU.UTF-8 is not installed";
    try {
        std::locale::global(std::locale("ru_RU.UTF-8"));
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "the C++ library cannot make locale ru_RU.UTF-8";
    }
    // The locale really uses the comma, so the checks below mean something.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");

    EXPECT_EQ(ReadNumber("1.5"), 1.5);
    EXPECT_EQ(ReadNumber("1,5"), 1.5);
    EXPECT_EQ(FormatReadValue(450.5), "450.5");
    EXPECT_EQ(ReadNumber("2.5e-1"), 0.25);
    EXPECT_EQ(FormatFixed(1.5, 3), "1.500");
    EXPECT_EQ(FormatFieldValue(1.5), "1.500");
    EXPECT_EQ(FormatFieldValue(12.3456), "12.35");
    EXPECT_EQ(FormatFieldValue(1234567.0), "1234567");
}

} // namespace

// A text not in the program's own form is read as people mean it, and flagged so that a field
// can show what was read: "100,000" from an English speaker is never taken silently as 100.
TEST(ReadNumberText, FlagsEveryTextNotInTheProgramsOwnForm)
{
    const struct {
        const char* text;
        double value;
        bool ownForm;
        const char* shown; // what the note says was read
    } cases[] = {
        {"450", 450.0, true, "450"},
        {" 450.5 ", 450.5, true, "450.5"},
        {"-4.5e2", -450.0, true, "-450"},
        {"1e-5", 1e-5, true, "1e-05"},
        {"450,5", 450.5, false, "450.5"},
        {"100 000", 100000.0, false, "100000"},
        {"4,5e2", 450.0, false, "450"},
        {"100,000", 100.0, false, "100"},
        {"450abc", 450.0, false, "450"},
        {"abc", 0.0, false, "0"},
        {"", 0.0, false, "0"},
        {"1e999", inf, true, "inf"},
        {"0.1", 0.1, true, "0.1"},
        {"1,000.5", 1.0, false, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const NumberReading r = ReadNumberText(c.text);
        EXPECT_EQ(r.value, c.value);
        EXPECT_EQ(r.ownForm, c.ownForm);
        EXPECT_EQ(FormatReadValue(r.value), c.shown);
        EXPECT_EQ(ReadNumber(c.text), r.value);
    }
}
