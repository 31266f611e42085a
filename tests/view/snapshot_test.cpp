// cornerflow --snapshot: the picture as a PNG, and a clean failure for a path that cannot be
// written.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "app/modes.h"
#include "app/options.h"
#include "tests/support/gui_app.h"
#include "tests/support/start_up.h"

namespace {

Options SnapshotOptions(const QString& path)
{
    Options o;
    o.mode = Options::Mode::Snapshot;
    o.file = path.toStdString();
    o.seed = 7u;
    o.ticks = 100; // long enough for the cloud to come in from the left
    return o;
}

int CountRgb(const QImage& image, uint32_t rgb)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFFu) == rgb;
    return n;
}

TEST(Snapshot, WritesThePictureAsPng)
{
    EnsureGuiApp();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString a = dir.filePath("a.png"), b = dir.filePath("b.png");
    EXPECT_EQ(RunSnapshot(SnapshotOptions(a)), 0);
    EXPECT_EQ(RunSnapshot(SnapshotOptions(b)), 0);
    QImage first(a, "PNG"), second(b, "PNG");
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(first.width(), start::kWidth);
    EXPECT_EQ(first.height(), 384);
    EXPECT_GT(CountRgb(first, 0xFF0000), 1000); // the cloud of tracers
    EXPECT_EQ(CountRgb(first, 0xFE00FE), 0);
    EXPECT_EQ(first.convertToFormat(QImage::Format_RGB32),
              second.convertToFormat(QImage::Format_RGB32));
    // No temporary file is left beside the target.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);

    // Another seed, another cloud; the inputs and the size come from the options.
    Options o = SnapshotOptions(dir.filePath("c.png"));
    o.seed = 8u;
    o.width = 300;
    o.height = 200;
    o.v1 = "900";
    o.p1 = "20000"; // 1000 tracers
    o.wall = 0.0;
    EXPECT_EQ(RunSnapshot(o), 0);
    QImage third(dir.filePath("c.png"), "PNG");
    EXPECT_EQ(third.width(), 300);
    EXPECT_EQ(third.height(), 200);
    EXPECT_GT(CountRgb(third, 0xFF0000), 100);
    EXPECT_LT(CountRgb(third, 0xFF0000), 1001);
}

TEST(Snapshot, AnUnwritablePathFailsCleanly)
{
    EnsureGuiApp();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missingFolder = dir.filePath("no/such/folder/pic.png");
    const QString aFolder = dir.filePath("folder");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));

    for (const QString& path : {missingFolder, aFolder}) {
        SCOPED_TRACE(path.toStdString());
        testing::internal::CaptureStderr();
        const int status = RunSnapshot(SnapshotOptions(path));
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 1);
        const std::string head = "cornerflow: cannot write '" + path.toStdString() + "': ";
        EXPECT_EQ(err.compare(0, head.size(), head), 0) << err;
        EXPECT_GT(err.size(), head.size() + 1); // a reason follows
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
        EXPECT_EQ(err.back(), '\n');
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("no")));
    EXPECT_TRUE(QFileInfo(aFolder).isDir());
    EXPECT_TRUE(QDir(aFolder).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0); // nothing left behind

    // An existing file in a place where no temporary file can be made stays as it was.
    QFile existing("/proc/version");
    if (!existing.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no /proc/version";
    const QByteArray before = existing.readAll();
    existing.close();
    testing::internal::CaptureStderr();
    EXPECT_EQ(RunSnapshot(SnapshotOptions("/proc/version")), 1);
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), before);
}

} // namespace
