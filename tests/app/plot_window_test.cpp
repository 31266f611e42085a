// The plot's window on the desktop: opened and put away from the menu and remembered, showing
// the core's plot, following a drag and not a tick, its quantities, and the plot and its table
// saved whole or not at all.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/flow_dialog.h"
#include "dialog/start_state.h"
#include "platform/image_dc.h"
#include "tests/support/session_input.h"

namespace {

class PlotWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settings_.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
        QSettings().clear();
        dlg = Open();
    }
    std::unique_ptr<FlowDialog> Open()
    {
        auto d = std::make_unique<FlowDialog>();
        d->SetSeed(3);
        d->show();
        d->ViewWindow().Timer().stop();
        QApplication::processEvents();
        return d;
    }
    // Pixels of a colour in the plot as the window shows it.
    long Pixels(Colour c)
    {
        const FrameBuffer& f = dlg->Session().PlotFrame();
        long n = 0;
        for (uint32_t p : f.pixels)
            n += (p & 0xFFFFFFu) == (c.Rgb32() & 0xFFFFFFu);
        return n;
    }

    QTemporaryDir settings_;
    std::unique_ptr<FlowDialog> dlg;
};

TEST_F(PlotWindowTest, OpenedFromTheMenuFollowsTheFlowAndIsRemembered)
{
    EXPECT_EQ(dlg->Plot(), nullptr);
    dlg->MenuCommandChosen(Command::Plot);
    ASSERT_NE(dlg->Plot(), nullptr);
    EXPECT_TRUE(dlg->Plot()->isVisible());
    QApplication::processEvents();
    FlowSession& s = dlg->Session();
    ASSERT_FALSE(s.PlotFrame().Empty());
    // The window shows the core's plot at its own size.
    const QImage shown = dlg->Plot()->Canvas()->grab().toImage().convertToFormat(
        QImage::Format_RGB32);
    EXPECT_EQ(shown, ImageCopyOf(s.PlotFrame()).convertToFormat(QImage::Format_RGB32));

    // A drag turns the wall and the plot follows; a tick leaves it.
    const unsigned long plots = s.PlotCount();
    s.StepOnce();
    EXPECT_EQ(s.PlotCount(), plots) << "a tick drew the plot";
    s.PointerPressed(input::Mouse(420, 300));
    s.PointerMoved(input::Mouse(440, 280));
    s.PointerReleased(input::Mouse(440, 280));
    EXPECT_GT(s.PlotCount(), plots);

    // A quantity put away leaves the plot with its colour gone.
    const Colour mach = LookOf(Quantity::Mach).colour;
    ASSERT_GT(Pixels(mach), 50);
    dlg->Plot()->QuantityBox(Quantity::Mach)->setChecked(false);
    EXPECT_EQ(Pixels(mach), 0);

    // Put away from the menu, and the next start opens it again, with the exact theory.
    dlg->MenuCommandChosen(Command::ExactTheory);
    EXPECT_TRUE(s.ExactTheory());
    const std::unique_ptr<FlowDialog> again = Open();
    ApplyStartState(again->Session(), StartState{}); // as a start with no options opens
    again->ShowOpening();
    ASSERT_NE(again->Plot(), nullptr);
    EXPECT_TRUE(again->Plot()->isVisible());
    EXPECT_TRUE(again->Session().ExactTheory());
    EXPECT_FALSE(again->Plot()->QuantityBox(Quantity::Mach)->isChecked()) << "the quantities too";
    dlg->MenuCommandChosen(Command::Plot);
    EXPECT_FALSE(dlg->Plot()->isVisible());
    EXPECT_FALSE(QSettings().value(QStringLiteral("plot/open")).toBool());
}

TEST_F(PlotWindowTest, SavedWholeOrNotAtAll)
{
    dlg->ShowPlot(true);
    QApplication::processEvents();
    QTemporaryDir dir;
    QString error;
    const QString png = dir.filePath(QStringLiteral("plot.png"));
    ASSERT_TRUE(dlg->Plot()->SavePlot(png, &error)) << error.toStdString();
    EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32),
              dlg->Plot()->PlotImage().convertToFormat(QImage::Format_RGB32));
    const QString csv = dir.filePath(QStringLiteral("profile.csv"));
    ASSERT_TRUE(dlg->Plot()->SaveData(csv, &error)) << error.toStdString();
    QFile table(csv);
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = table.readAll().trimmed().split('\n');
    EXPECT_EQ(lines.size(), static_cast<qsizetype>(dlg->Session().Profile().samples.size()) + 1);
    EXPECT_TRUE(lines[0].startsWith("phi")) << lines[0].toStdString();

    // A folder that is not there: a reason in the window's language, and no file.
    EXPECT_FALSE(dlg->Plot()->SaveData(dir.filePath(QStringLiteral("none/p.csv")), &error));
    EXPECT_EQ(error, QStringLiteral("такой папки нет"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none/p.csv"))));
    dlg->SetLanguage(QStringLiteral("en"));
    EXPECT_FALSE(dlg->Plot()->SavePlot(dir.filePath(QStringLiteral("none/p.png")), &error));
    EXPECT_EQ(error, QStringLiteral("there is no such folder"));
    const QString title = dlg->Plot()->windowTitle();
    EXPECT_EQ(title, QCoreApplication::translate("Plot", PlotWordSource(PlotWord::Title)));
    for (const QChar c : title)
        EXPECT_FALSE(c.script() == QChar::Script_Cyrillic) << title.toStdString();
}

} // namespace
