// The classroom's controls on the desktop: pause, step and reset, the picture saved and
// copied, the names a screen reader reads, English beside Russian and the picture's focus mark.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/flow_dialog.h"
#include "app/snapshot_support.h"
#include "dialog/fields.h"
#include "platform/image_dc.h"
#include "res/ids.h"
#include "tests/support/session_input.h"

namespace {

class Classroom : public ::testing::Test {
protected:
    void SetUp() override { dlg = Open(7); }

    std::unique_ptr<FlowDialog> Open(uint32_t seed)
    {
        auto d = std::make_unique<FlowDialog>();
        d->SetSeed(seed);
        d->show();
        QApplication::setActiveWindow(d.get());
        QApplication::processEvents();
        return d;
    }
    void Key(Qt::Key key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&dlg->ViewWindow(), &press);
    }
    std::vector<double> TracerXs()
    {
        std::vector<double> xs;
        for (const Tracer& t : dlg->Session().Field().tracers)
            xs.push_back(t.x);
        return xs;
    }
    static QString AccessibleText(QObject* o, QAccessible::Text which)
    {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(o);
        return a ? a->text(which) : QString();
    }

    // The menu's action for a command.
    QAction* Action(Command command)
    {
        for (QAction* a : dlg->Menu().actions())
            if (!a->data().isNull() && a->data().toInt() == static_cast<int>(command))
                return a;
        return nullptr;
    }

    std::unique_ptr<FlowDialog> dlg;
};

TEST_F(Classroom, PauseStepAndTheMenuAgree)
{
    ASSERT_TRUE(dlg->ViewWindow().Timer().isActive());
    Key(Qt::Key_Space);
    EXPECT_TRUE(dlg->Session().Paused());
    EXPECT_FALSE(dlg->ViewWindow().Timer().isActive());
    ASSERT_NE(Action(Command::Pause), nullptr);
    EXPECT_TRUE(Action(Command::Pause)->isChecked());
    // One mark for the pause: the check mark; the words stay.
    EXPECT_TRUE(Action(Command::Pause)->text().startsWith(QStringLiteral("Пауза")));

    // Paused means paused: time, repaints, the menu opened and closed and a click into a field
    // move nothing.
    const std::vector<double> before = TracerXs();
    QTest::qWait(200); // four periods
    for (int i = 0; i < 5; ++i)
        dlg->ViewWindow().repaint();
    dlg->ShowMenu(dlg->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    dlg->Menu().close();
    QApplication::processEvents();
    QTest::mouseClick(dlg->Field(ControlId::ProbeTemperature), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(TracerXs(), before);

    // Step is exactly one tick, by the key or by the menu: between two ticks every tracer
    // makes two steps.
    const Marker& marker = dlg->Session().Field().marker;
    const unsigned long ticks = dlg->Session().Ticks();
    Key(Qt::Key_Period);
    EXPECT_EQ(dlg->Session().Ticks(), ticks + 1);
    EXPECT_NE(TracerXs(), before);
    const double x1 = marker.x, step = marker.stepX;
    Action(Command::Step)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(dlg->Session().Ticks(), ticks + 2);
    EXPECT_DOUBLE_EQ(marker.x, x1 + 2 * step) << "exactly one tick";

    // Paused, the picture still follows the wall and the inputs.
    const std::string beta = dlg->Session().BetaLabel();
    Key(Qt::Key_Right);
    EXPECT_NE(dlg->Session().BetaLabel(), beta);

    Action(Command::Pause)->trigger(); // the menu item starts it again
    EXPECT_FALSE(dlg->Session().Paused());
    EXPECT_TRUE(dlg->ViewWindow().Timer().isActive());
    EXPECT_TRUE(Action(Command::Pause)->text().startsWith(QStringLiteral("Пауза")));
}

TEST_F(Classroom, ResetGivesAFreshlyOpenedWindow)
{
    const std::unique_ptr<FlowDialog> fresh = Open(99);
    dlg->Field(ControlId::UpstreamSpeed)->setText(QStringLiteral("2000"));
    dlg->Field(ControlId::UpstreamPressure)->setText(QStringLiteral("3e5"));
    dlg->InputFieldLeft();
    dlg->Session().PointerPressed(input::Mouse(100, 300));
    dlg->Session().PointerMoved(input::Mouse(20, 390));
    for (int i = 0; i < 5; ++i)
        dlg->Session().StepOnce();
    dlg->MenuCommandChosen(Command::Reset);
    for (size_t i = 0; i < FieldCount(); ++i) {
        const ControlId id = FieldTable()[i].id;
        EXPECT_EQ(dlg->Field(id)->text(), fresh->Field(id)->text()) << id;
    }
    EXPECT_EQ(dlg->Field(ControlId::UpstreamSpeed)->text(), QStringLiteral("450.0"));
    EXPECT_EQ(dlg->Session().BetaLabel(), fresh->Session().BetaLabel());
    EXPECT_EQ(dlg->Session().ChiLabel(), fresh->Session().ChiLabel());
    EXPECT_EQ(dlg->Session().Geometry().wallAngle, fresh->Session().Geometry().wallAngle);
    EXPECT_EQ(dlg->Session().Field().tracers.count, 5000);
}

TEST_F(Classroom, PictureSavedWholeOrNotAtAll)
{
    EXPECT_EQ(dlg->Session().PictureFileName(), "cornerflow-\u03B2135.png");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.png"));
    QString error;
    // The picture saved after ticks, and after a paused turn of the wall away and back, is the
    // one the window shows.
    for (int i = 0; i < 20; ++i)
        dlg->Session().StepOnce();
    dlg->ViewWindow().repaint();
    const QImage shown = dlg->ViewWindow().grab().toImage().convertToFormat(QImage::Format_RGB32);
    dlg->Session().SetPaused(true);
    dlg->Session().SetWallAngle(0.3);
    dlg->Session().SetWallAngle(start::kWall);
    ASSERT_TRUE(dlg->SavePicture(path, &error)) << error.toStdString();
    const QImage saved(path);
    const QImage frame = ImageCopyOf(dlg->Session().Frame());
    EXPECT_EQ(saved.size(), frame.size());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              frame.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), shown);

    // A place that cannot be written: a clear reason, and the file there stays as it was.
    QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("keep");
    blocker.close();
    EXPECT_FALSE(dlg->SavePicture(dir.filePath(QStringLiteral("not-a-folder/p.png")), &error));
    EXPECT_EQ(error, QStringLiteral("такой папки нет")); // in the window's language
    dlg->SetLanguage(QStringLiteral("en"));
    EXPECT_FALSE(dlg->SavePicture(dir.filePath(QStringLiteral("not-a-folder/p.png")), &error));
    EXPECT_EQ(error, QStringLiteral("there is no such folder"));
    dlg->SetLanguage(QStringLiteral("ru"));
    QFile kept(dir.filePath(QStringLiteral("not-a-folder")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("keep"));

    dlg->CopyPicture();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              frame.convertToFormat(QImage::Format_RGB32));
}

TEST_F(Classroom, ScreenReaderNamesInBothLanguages)
{
    EXPECT_EQ(AccessibleText(dlg->Field(ControlId::UpstreamSpeed), QAccessible::Name),
              QStringLiteral("V1: скорость набегающего потока, м/с"));
    for (size_t i = 0; i < FieldCount(); ++i) {
        const ControlId id = FieldTable()[i].id;
        EXPECT_FALSE(AccessibleText(dlg->Field(id), QAccessible::Name).isEmpty()) << id;
        EXPECT_FALSE(AccessibleText(dlg->Field(id), QAccessible::Description).isEmpty()) << id;
    }
    QWidget* picture = &dlg->ViewWindow();
    EXPECT_EQ(AccessibleText(picture, QAccessible::Name), QStringLiteral("Картина течения"));
    EXPECT_TRUE(
        AccessibleText(picture, QAccessible::Description)
            .startsWith(QStringLiteral(
                "Стенка повёрнута на 45°, поток — на 45°, веер шириной 31°; поток прилегает к "
                "стенке. ")));
    const std::vector<QString> ruTexts = [&] {
        std::vector<QString> t;
        for (size_t i = 0; i < FieldCount(); ++i)
            t.push_back(dlg->Field(FieldTable()[i].id)->text());
        return t;
    }();

    dlg->SetLanguage(QStringLiteral("en"));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Flow round a convex corner"));
    EXPECT_EQ(AccessibleText(dlg->Field(ControlId::UpstreamSpeed), QAccessible::Name),
              QStringLiteral("V1: speed of the oncoming flow, m/s"));
    EXPECT_EQ(AccessibleText(dlg->Field(ControlId::CriticalTemperature), QAccessible::Name),
              QStringLiteral("Tcr: critical temperature, K"));
    EXPECT_TRUE(AccessibleText(picture, QAccessible::Description)
                    .startsWith(QStringLiteral(
                        "Wall turned 45°, flow turned 45°, fan 31° wide; the flow stays attached "
                        "to the wall. ")));
    for (size_t i = 0; i < FieldCount(); ++i)
        EXPECT_EQ(dlg->Field(FieldTable()[i].id)->text(), ruTexts[i]) << "numbers do not change";
    // The state the description follows: the wall turned back to straight.
    dlg->Session().SetBodyAngle(180.0);
    dlg->Session().StepOnce();
    EXPECT_TRUE(AccessibleText(picture, QAccessible::Description)
                    .startsWith(QStringLiteral(
                        "Wall turned 0°, flow turned 0°, fan 0° wide; the flow stays attached to "
                        "the wall. ")));

    dlg->SetLanguage(QStringLiteral("ru"));
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Обтекание тупого угла"));
}

TEST_F(Classroom, EnglishLabelImagesAndTheFocusMark)
{
    auto unitsImage = [&] {
        for (QLabel* l : dlg->findChildren<QLabel*>())
            if (l->property("imageId").toInt() == static_cast<int>(ImageId::UpstreamUnits))
                return l->pixmap().toImage();
        return QImage();
    };
    const QImage russian = unitsImage();
    dlg->SetLanguage(QStringLiteral("en"));
    const QImage english = unitsImage();
    EXPECT_EQ(english.size(), russian.size());
    EXPECT_NE(english, russian);

    // The mark lies in the strip above the picture, never in the picture itself.
    dlg->ViewWindow().setFocus();
    QApplication::processEvents();
    const QRect picture = dlg->ViewWindow().geometry();
    const QPoint strip(picture.center().x(), picture.top() - 2);
    const QColor highlight = dlg->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(dlg->grab().toImage().pixelColor(strip), highlight);
    dlg->Field(ControlId::UpstreamSpeed)->setFocus();
    QApplication::processEvents();
    EXPECT_NE(dlg->grab().toImage().pixelColor(strip), highlight);
}

} // namespace

// The save dialog offers the Pictures folder where there is one, else the home folder, never
// the working folder.
TEST(SaveFolder, PicturesWhereThereIsOneElseHome)
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldPictures = qgetenv("XDG_PICTURES_DIR");
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_PICTURES_DIR");
    const QString first = OfferedSaveFolder(QStandardPaths::PicturesLocation);
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("Pictures")));
    const QString second = OfferedSaveFolder(QStandardPaths::PicturesLocation);
    qputenv("HOME", oldHome);
    if (!oldPictures.isEmpty())
        qputenv("XDG_PICTURES_DIR", oldPictures);
    EXPECT_EQ(QDir(first).canonicalPath(), QDir(home.path()).canonicalPath());
    EXPECT_EQ(QDir(second).canonicalPath(),
              QDir(home.filePath(QStringLiteral("Pictures"))).canonicalPath());
}
