// The numeric edit field: reading keeps the text, writing follows the four-character rule,
// and no typed or pasted character is lost.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "app/number_edit.h"

TEST(NumEdit, ReadsTheLeadingNumberAndKeepsTheText)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"1,5", 1.5}, {"2e3", 2000.0}, {"", 0.0},    {"12abc", 12.0}, {"  -3.5", -3.5},
        {"abc", 0.0}, {"0x10", 0.0},   {"inf", 0.0}, {".5", 0.5},     {"7e", 7.0},
    };
    NumberEdit edit;
    for (const auto& c : cases) {
        edit.setText(QString::fromUtf8(c.text));
        EXPECT_DOUBLE_EQ(edit.GetValue(), c.value) << c.text;
        EXPECT_EQ(edit.text(), QString::fromUtf8(c.text)) << "reading changed the text";
    }
}

TEST(NumEdit, WritesAboutFourSignificantCharacters)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0.000"},       {1.4, "1.400"},   {0.7834, "0.783"}, {12.3456, "12.35"},
        {331.4, "331.4"},   {450, "450.0"},   {273, "273.0"},    {999.96, "1000"},
        {100000, "100000"}, {-0.25, "-0.25"}, {-5, "-5.00"},
    };
    NumberEdit edit;
    for (const auto& c : cases) {
        edit.SetValue(c.value);
        EXPECT_EQ(edit.text().toStdString(), c.text) << c.value;
    }
}

TEST(NumEdit, KeepsEveryCharacterOfLongTexts)
{
    NumberEdit edit;
    const QString longText(40000, QLatin1Char('7'));
    edit.setText(longText);
    EXPECT_EQ(edit.text().size(), 40000);
    edit.insert(QStringLiteral("123")); // as a paste does
    EXPECT_EQ(edit.text().size(), 40003);

    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("12,5 m/s"));
    QKeyEvent cyrillic(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("м"));
    QApplication::sendEvent(&edit, &cyrillic);
    EXPECT_EQ(edit.text(), QStringLiteral("12,5 m/sм"));
    EXPECT_DOUBLE_EQ(edit.GetValue(), 12.5);
}
