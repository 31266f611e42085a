// Texts a keyboard or a clipboard can put into an input field beyond the matrix's: other
// scripts' digits, signs and separators, exponents cut short, and pastes of millions of
// characters, which are cut at the field's length so that every keystroke stays prompt.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>

#include <QClipboard>

#include "model/number_text.h"
#include "tests/hostile/dialog_driver.h"
#include "tests/hostile/reference_model.h"

namespace {

TEST(HostileTyping, OddTextsReadByTheNumberRule)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"\u0663", 0.0},   // an Arabic-Indic three is not a digit here
        {"\uff17", 0.0},   // nor a full-width seven
        {"\u22125", 0.0},  // a minus sign that is not the hyphen-minus
        {"1 000", 1000.0}, // a space between groups of three digits is left out
        {"1 00", 1.0},     // any other space ends the number
        {"+12.5e3xyz", 12500.0},
        {"1e", 1.0}, // an exponent without digits is not part of the number
        {"1e+", 1.0},
        {"--1", 0.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"0.000000001e9", 1.0},
        {"1.7976931348623159e308", HUGE_VAL}, // just past the largest double
    };
    DialogDriver d;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        d.TypeAndLeave(ControlId::UpstreamSpeed, QString::fromUtf8(c.text));
        EXPECT_EQ(d.Text(ControlId::UpstreamSpeed), c.text) << "the text stays as typed";
        EXPECT_EQ(d.fs.v1, c.value);
        const reference::Upstream u = reference::UpstreamState(c.value, 273.0, 100000.0);
        EXPECT_EQ(d.Text(ControlId::UpstreamMach), FormatFieldValue(d.fs.mach1));
        EXPECT_TRUE(reference::ShownAs(d.Text(ControlId::UpstreamMach), u.mach1))
            << d.Text(ControlId::UpstreamMach);
    }

    // Below the smallest normal double: zero or the nearest subnormal, never garbage.
    for (const char* tiny : {"1e-320", "4.9e-324", "1e-400"}) {
        d.TypeAndLeave(ControlId::UpstreamPressure, QString::fromUtf8(tiny));
        EXPECT_GE(d.fs.p1, 0.0) << tiny;
        EXPECT_LT(d.fs.p1, DBL_MIN) << tiny;
        EXPECT_EQ(d.Field().tracers.count, 0) << tiny;
    }
}

TEST(HostileTyping, LongPastesAreCutAtTheFieldsLength)
{
    DialogDriver d;
    const int limit = NumberEdit::kMaxTextLength;
    ASSERT_GE(limit, 40000) << "far more than any number needs";

    const struct {
        QString pasted;
        double value; // what the field then reads
        int tracers;
    } cases[] = {
        {QString(10000000, QLatin1Char('7')), HUGE_VAL, 0}, // digits enough to overflow
        {QStringLiteral("12") + QString(3000000, QLatin1Char('x')), 12.0, 0},
        {QStringLiteral("250000") + QString(limit, QLatin1Char(' ')), 250000.0, 12500},
    };
    for (const auto& c : cases) {
        NumberEdit* field = d.dlg->Field(ControlId::UpstreamPressure);
        QApplication::clipboard()->setText(c.pasted);
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        field->paste();
        EXPECT_EQ(field->text().size(), limit) << "a paste is cut at the field's length";
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_9); // a full field takes no more
        EXPECT_EQ(field->text().size(), limit);
        QTest::keyClick(field, Qt::Key_Tab);
        EXPECT_EQ(d.fs.p1, c.value);
        EXPECT_EQ(d.Field().tracers.count, c.tracers);
        EXPECT_EQ(d.Text(ControlId::UpstreamDensity), FormatFieldValue(d.fs.rho1));
    }
    // The field still takes an ordinary number afterwards.
    d.TypeAndLeave(ControlId::UpstreamPressure, QStringLiteral("100000"));
    EXPECT_EQ(d.Field().tracers.count, 5000);
    EXPECT_EQ(d.Text(ControlId::UpstreamDensity), "1.234");
}

} // namespace
