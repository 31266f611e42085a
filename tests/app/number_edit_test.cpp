// The numeric edit field: no typed or pasted character is lost.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "app/number_edit.h"

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
}
