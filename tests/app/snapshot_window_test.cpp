// cornerflow --snapshot-window: the whole dialog after start-up as a PNG, reproducible from
// its seed, and a clean failure for a target that cannot be written.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "app/flow_dialog.h"
#include "res/ids.h"
#include "tests/support/start_up.h"

namespace {

struct RunResult {
    int exitCode = -1;
    QString err;
};

RunResult Cornerflow(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM")); // the mode must choose offscreen itself
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CORNERFLOW_EXE), args);
    RunResult r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

TEST(SnapshotWindow, WritesTheWholeDialogReproducibly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString a = dir.filePath(QStringLiteral("a.png"));
    const QString b = dir.filePath(QStringLiteral("b.png"));
    const QStringList common = {QStringLiteral("--ticks"), QStringLiteral("60"),
                                QStringLiteral("--seed"),  QStringLiteral("7"),
                                QStringLiteral("--v1"),    QStringLiteral("600")};
    ASSERT_EQ(Cornerflow(QStringList{QStringLiteral("--snapshot-window"), a} + common).exitCode, 0);
    ASSERT_EQ(Cornerflow(QStringList{QStringLiteral("--snapshot-window"), b} + common).exitCode, 0);
    const QImage first(a), second(b);
    ASSERT_FALSE(first.isNull());
    // The template's 622 x 620 and the status line's three lines under it.
    EXPECT_EQ(first.width(), 622);
    EXPECT_GE(first.height(), 620 + 3 * 12);
    EXPECT_EQ(first.convertToFormat(QImage::Format_RGB32),
              second.convertToFormat(QImage::Format_RGB32));

    // Red tracers in the picture, and the picture's grey bottom line at row 11 + 383.
    int red = 0;
    for (int y = 11; y < 11 + 384; ++y)
        for (int x = 0; x < start::kWidth; ++x) {
            const QColor c = first.pixelColor(x, y);
            red += c.red() == 255 && c.green() == 0 && c.blue() == 0;
        }
    EXPECT_GT(red, 2000); // most of the 5000 tracers have entered the picture
    EXPECT_EQ(first.pixelColor(300, 11 + 383), QColor(128, 128, 128));

    // Another seed gives another cloud.
    const QString c = dir.filePath(QStringLiteral("c.png"));
    QStringList otherSeed = common;
    otherSeed[3] = QStringLiteral("8");
    ASSERT_EQ(Cornerflow(QStringList{QStringLiteral("--snapshot-window"), c} + otherSeed).exitCode,
              0);
    EXPECT_NE(QImage(c).convertToFormat(QImage::Format_RGB32),
              first.convertToFormat(QImage::Format_RGB32));
}

// The picture snapshot goes through the dialog's start-up step for step: with the same seed,
// inputs, wall and ticks it is exactly the window's picture control.
TEST(SnapshotWindow, PictureSnapshotMatchesThePictureInTheDialog)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString window = dir.filePath(QStringLiteral("window.png"));
    const QString picture = dir.filePath(QStringLiteral("picture.png"));
    const QStringList common = {QStringLiteral("--ticks"),      QStringLiteral("45"),
                                QStringLiteral("--seed"),       QStringLiteral("11"),
                                QStringLiteral("--p1"),         QStringLiteral("150000"),
                                QStringLiteral("--wall-point"), QStringLiteral("200,380")};
    ASSERT_EQ(
        Cornerflow(QStringList{QStringLiteral("--snapshot-window"), window} + common).exitCode, 0);
    ASSERT_EQ(Cornerflow(QStringList{QStringLiteral("--snapshot"), picture} + common).exitCode, 0);
    const QImage shown = QImage(window)
                             .convertToFormat(QImage::Format_RGB32)
                             .copy(0, 11, start::kWidth, start::kHeight);
    const QImage alone = QImage(picture).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(alone.size(), QSize(start::kWidth, start::kHeight));
    EXPECT_EQ(shown, alone);
}

TEST(SnapshotWindow, UnwritableTargetFailsAndIsLeftAlone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A target whose parent is a file, and a target that is a directory.
    const QString file = dir.filePath(QStringLiteral("plain"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    const QString targets[] = {file + QStringLiteral("/out.png"), dir.path()};
    for (const QString& target : targets) {
        const RunResult r = Cornerflow({QStringLiteral("--snapshot-window"), target,
                                        QStringLiteral("--seed"), QStringLiteral("1")});
        EXPECT_EQ(r.exitCode, 1) << target.toStdString();
        EXPECT_TRUE(r.err.contains(target)) << r.err.toStdString();
        int ownLines = 0;
        for (const QString& line : r.err.split(QLatin1Char('\n')))
            ownLines += line.startsWith(QStringLiteral("cornerflow:"));
        EXPECT_EQ(ownLines, 1) << r.err.toStdString();
    }
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("keep"));
    EXPECT_TRUE(QFileInfo(dir.path()).isDir());
}

// --snapshot-window takes --lang as the window does: its label images are the English ones the
// window shows in English (the title bar, the one other place of words, is not in the image),
// every other label and the picture as in Russian.
TEST(SnapshotWindow, SpeaksTheLanguageGiven)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString ru = dir.filePath(QStringLiteral("ru.png"));
    const QString en = dir.filePath(QStringLiteral("en.png"));
    const QStringList common = {QStringLiteral("--seed"), QStringLiteral("3"),
                                QStringLiteral("--paused")};
    ASSERT_EQ(Cornerflow(QStringList{QStringLiteral("--snapshot-window"), ru} + common).exitCode,
              0);
    ASSERT_EQ(Cornerflow(QStringList{QStringLiteral("--snapshot-window"), en,
                                     QStringLiteral("--lang"), QStringLiteral("en")}
                         + common)
                  .exitCode,
              0);
    const QImage russian = QImage(ru).convertToFormat(QImage::Format_RGB32);
    const QImage english = QImage(en).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(english.size(), russian.size()); // the language changes no size
    ASSERT_EQ(english.width(), 622);

    // The window in English, here.
    FlowDialog dlg;
    dlg.SetSeed(3);
    dlg.SetLanguage(QStringLiteral("en"));
    dlg.show();
    dlg.ViewWindow().Timer().stop();
    QApplication::processEvents();
    const QImage shown = dlg.grab().toImage().convertToFormat(QImage::Format_RGB32);
    int labels = 0, differing = 0;
    for (QLabel* label : dlg.findChildren<QLabel*>()) {
        if (!label->property("imageId").isValid())
            continue;
        ++labels;
        const QRect r = label->geometry();
        EXPECT_EQ(english.copy(r), shown.copy(r))
            << "label image " << label->property("imageId").toInt();
        differing += english.copy(r) != russian.copy(r);
    }
    EXPECT_EQ(labels, 8);
    EXPECT_GE(differing, 4) << "the units and the critical state's names are English";
    const QRect picture = dlg.ViewWindow().geometry();
    EXPECT_EQ(english.copy(picture), russian.copy(picture));
}
