// What a user reads of the window: the list of keys.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "app/flow_dialog.h"
#include "app/keys_dialog.h"

namespace {

bool HasCyrillic(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF)
            return true;
    return false;
}

class Reading : public ::testing::Test {
protected:
    void SetUp() override
    {
        dlg = std::make_unique<FlowDialog>();
        dlg->SetSeed(7);
        dlg->show();
        dlg->ViewWindow().Timer().stop();
        QApplication::setActiveWindow(dlg.get());
        QApplication::processEvents();
    }
    void TearDown() override { dlg.reset(); }

    QWidget* View() { return &dlg->ViewWindow(); }

    std::unique_ptr<FlowDialog> dlg;
};

// The menu's "Keys…" lists every key the picture answers, in the window's language.
TEST_F(Reading, TheMenuListsThePicturesKeys)
{
    for (const bool english : {false, true}) {
        SCOPED_TRACE(english ? "en" : "ru");
        dlg->MenuCommandChosen(english ? Command::English : Command::Russian);
        QAction* item = nullptr;
        for (QAction* a : dlg->Menu().actions())
            if (a->data().isValid() && a->data().toInt() == static_cast<int>(Command::Keys))
                item = a;
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), english ? QStringLiteral("Keys…") : QStringLiteral("Клавиши…"));

        int opened = 0;
        QTimer closer;
        closer.setInterval(0);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* keys = dynamic_cast<KeysDialog*>(QApplication::activeModalWidget());
            if (!keys)
                return;
            ++opened;
            EXPECT_EQ(keys->Rows().size(), FlowSession::PictureKeys().size());
            QStringList shown;
            for (const KeysDialog::Row& row : keys->Rows()) {
                shown << row.keys->text() << row.words->text();
                EXPECT_TRUE(keys->rect().contains(row.words->geometry())) << "cut off";
                EXPECT_EQ(HasCyrillic(row.words->text()), !english)
                    << row.words->text().toStdString();
                if (english)
                    EXPECT_FALSE(HasCyrillic(row.keys->text())) << row.keys->text().toStdString();
            }
            EXPECT_EQ(HasCyrillic(keys->windowTitle()), !english);
            const int step = static_cast<int>(shown.indexOf(QStringLiteral(".")));
            ASSERT_GT(step, 0);
            EXPECT_EQ(shown[step + 1], english ? QStringLiteral("one step of the animation")
                                               : QStringLiteral("один шаг анимации"));
            keys->reject();
        });
        closer.start();
        item->trigger();
        QApplication::processEvents();
        EXPECT_EQ(opened, 1);
    }
}

} // namespace
