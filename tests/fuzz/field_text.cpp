#include "tests/fuzz/field_text.h"

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <QString>

#include "app/number_edit.h"
#include "model/gas.h"
#include "model/number_text.h"

namespace fuzzfield {

namespace {

bool Space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool Digit(char c) { return c >= '0' && c <= '9'; }

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A reading agrees with the oracle: the same double, or, for a value below the smallest
// normal double, zero of the same sign instead of the subnormal.
bool Agrees(double read, double oracle)
{
    if (SameBits(read, oracle))
        return true;
    return read == 0.0 && std::fabs(oracle) < DBL_MIN && std::signbit(read) == std::signbit(oracle);
}

// The text a field shows: "nan", "inf", "-inf", or a plain decimal with 4 - n decimals, n
// being the length of the value written without decimals, its sign counted even where it
// rounds to zero (none when n > 4); zero is written without a sign.
bool ShownFollowsRule(const std::string& shown, double v)
{
    if (std::isnan(v))
        return shown == "nan";
    if (std::isinf(v))
        return shown == (v > 0 ? "inf" : "-inf");
    const std::string whole = FormatFixed(v, 0);
    const size_t n = whole.size() + (std::signbit(v) && whole[0] != '-' ? 1 : 0);
    const size_t decimals = n <= 4 ? 4 - n : 0;
    const size_t point = shown.find('.');
    const size_t got = point == std::string::npos ? 0 : shown.size() - point - 1;
    if (got != decimals)
        return false;
    size_t i = shown[0] == '-' ? 1 : 0;
    for (; i < shown.size(); ++i)
        if (!Digit(shown[i]) && i != point)
            return false;
    return true;
}

} // namespace

double OracleRead(const std::string& s)
{
    // The number's characters gathered into the C library's form, then strtod in the C locale
    // of this process: a sign, digits (groups of three after a space, U+00A0 or U+202F, when
    // the first group has at most three), a point or a lone comma, digits, an exponent.
    auto groupSpace = [&](size_t i) -> size_t {
        if (s.compare(i, 1, " ") == 0)
            return 1;
        if (s.compare(i, 2, "\xC2\xA0") == 0)
            return 2;
        if (s.compare(i, 3, "\xE2\x80\xAF") == 0)
            return 3;
        return 0;
    };
    auto digitsAt = [&](size_t i) {
        size_t n = 0;
        while (i + n < s.size() && Digit(s[i + n]))
            ++n;
        return n;
    };
    size_t i = 0;
    while (i < s.size() && Space(s[i]))
        ++i;
    std::string c;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        c += s[i++];
    size_t digits = digitsAt(i);
    c += s.substr(i, digits);
    i += digits;
    if (digits >= 1 && digits <= 3) {
        for (size_t g = groupSpace(i); g != 0 && digitsAt(i + g) == 3; g = groupSpace(i)) {
            c += s.substr(i + g, 3);
            i += g + 3;
            digits += 3;
        }
    }
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        const size_t frac = digitsAt(i + 1);
        const bool pointAfter = i + 1 + frac < s.size() && s[i + 1 + frac] == '.';
        if (digits + frac > 0 && !(s[i] == ',' && pointAfter)) {
            c += '.';
            c += s.substr(i + 1, frac);
            i += 1 + frac;
            digits += frac;
        }
    }
    if (digits == 0)
        return 0.0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && Digit(s[j])) {
            const size_t e = digitsAt(j);
            c += s.substr(i, j + e - i);
        }
    }
    return std::strtod(c.c_str(), nullptr);
}

std::vector<std::string> Check(const uint8_t* data, size_t size, NumberEdit& field)
{
    std::vector<std::string> problems;
    if (size > kMaxBytes)
        size = kMaxBytes;
    const std::string raw(reinterpret_cast<const char*>(data), size);

    // Reading the bytes themselves.
    const double read = ReadNumber(raw);
    if (!Agrees(read, OracleRead(raw)))
        problems.push_back("ReadNumber differs from the decimal prefix's value");
    if (std::isnan(read))
        problems.push_back("a text read as NaN");
    // As "other gas"'s gamma or molar mass: taken exactly when in range, else refused with the
    // range's note. A gamma is read as a teacher types it: 5/3 as shown (1.667) or as a
    // fraction; nothing else differs from the fields' reading.
    const double gammaRead = ReadGammaText(raw).value;
    if (gammaRead != read && gammaRead != kGreatestGamma && raw.find('/') == std::string::npos)
        problems.push_back("a typed gamma read otherwise than the fields read it");
    for (const bool gamma : {true, false}) {
        const GasReading g = gamma ? ReadGasTexts(raw, "28") : ReadGasTexts("1.4", raw);
        const double value = gamma ? gammaRead : read;
        const bool inRange = gamma ? GammaInRange(value) : MolarMassInRange(value);
        if (g.ok != inRange || (gamma ? g.gamma : g.molarMass) != value)
            problems.push_back("a typed gas is not taken exactly when it is in range");
        if (!g.ok
            && (g.notes.size() != 1
                || std::string(g.notes[0].words)
                       != (gamma ? kGammaRangeNote : kMolarMassRangeNote)))
            problems.push_back("a typed gas out of range has not its one note");
    }

    // Typed into a field, which keeps it as typed; the program reads the field's text.
    const auto fieldValue = [&field] {
        const QByteArray utf8 = field.text().toUtf8();
        return ReadNumber(std::string(utf8.constData(), static_cast<size_t>(utf8.size())));
    };
    field.setText(QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size())));
    const double value = fieldValue();

    // Written back by the four-character rule, shown as written, and read again.
    const std::string written = FormatFieldValue(value);
    field.setText(QString::fromStdString(written));
    const std::string shown = field.text().toStdString();
    if (shown != written)
        problems.push_back("the field does not show the text written into it");
    if (!ShownFollowsRule(shown, value))
        problems.push_back("the shown text breaks the four-character rule: " + shown);
    const double again = fieldValue();
    if (!std::isfinite(value)) {
        if (again != 0.0)
            problems.push_back("the words nan and inf read as a number");
    } else {
        // The decimals the rule gives: its whole-number text's length, the sign counted.
        const std::string whole = FormatFixed(value, 0);
        const size_t n = whole.size() + (std::signbit(value) && whole[0] != '-' ? 1 : 0);
        const double unit = std::pow(10.0, -static_cast<double>(n <= 4 ? 4 - n : 0));
        if (!(std::fabs(again - value) <= 0.5 * unit * (1 + 1e-12) + 1e-15 * std::fabs(value)))
            problems.push_back("reading the shown text does not give the value back: " + shown);
    }

    // The first bytes as a double of any bit pattern, written with 0..17 decimals.
    if (size >= 9) {
        double x;
        std::memcpy(&x, data + 1, sizeof x);
        const int decimals = data[0] % 18;
        const std::string text = FormatFixed(x, decimals);
        if (text.size() > 1 + 309 + 1 + 17)
            problems.push_back("FormatFixed wrote too long a text");
        if (std::isnan(x)) {
            if (text != "nan")
                problems.push_back("NaN is not written nan");
        } else if (std::isinf(x)) {
            if (text != (x > 0 ? "inf" : "-inf"))
                problems.push_back("an infinity is not written inf");
        } else {
            const double back = ReadNumber(text);
            const double unit = std::pow(10.0, -decimals);
            if (!(std::fabs(back - x) <= 0.5 * unit * (1 + 1e-12) + 1e-15 * std::fabs(x)))
                problems.push_back("FormatFixed's text does not read back: " + text);
            // The sign shows unless the text is zero, which never has one.
            const bool zero = text.find_first_of("123456789") == std::string::npos;
            if ((std::signbit(x) && !zero) != (text[0] == '-'))
                problems.push_back("FormatFixed lost the sign, or wrote a negative zero");
        }
        if (!ShownFollowsRule(FormatFieldValue(x), x))
            problems.push_back("FormatFieldValue breaks the rule for " + text);
    }
    return problems;
}

} // namespace fuzzfield
