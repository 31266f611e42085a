// At a display scale of 2 the dialog composes its picture, the picture's text and the label
// images at device pixels, while the flow model still sees a 622 x 384 picture: every number
// the window shows is the one the calculator (which has no window) computes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include "app/flow_dialog.h"
#include "corner/corner.h"
#include "model/flow_state.h"
#include "platform/image_dc.h"
#include "res/dialog_templates.h"
#include "res/ids.h"
#include "tests/support/start_up.h"

namespace {

constexpr uint32_t kRgb = 0x00FFFFFFu;
constexpr uint32_t kRed = 0xFF0000u;

// Runs the program; scale 0 runs it without any display scale.
struct RunResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};
RunResult Cornerflow(const QStringList& args, int scale)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    if (scale > 0)
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(CORNERFLOW_EXE), args);
    RunResult r;
    if (!p.waitForFinished(120000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// The dialog as it opens, with a fixed seed and the timer stopped.
struct OpenDialog {
    FlowDialog dlg;
    const FlowState& fs = dlg.Session().State();
    const Corner& corner = dlg.Session().Geometry();
    OpenDialog()
    {
        dlg.SetSeed(7);
        dlg.setAttribute(Qt::WA_DontShowOnScreen);
        dlg.show();
        dlg.ViewWindow().Timer().stop();
    }
};

void SendMouse(QWidget& w, QEvent::Type type, QPointF pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w.mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

QString Text(FlowDialog& dlg, ControlId id)
{
    NumberEdit* e = dlg.Field(id);
    return e ? e->text() : QStringLiteral("<no field>");
}

// The 2 x 2 device-pixel blocks of a region (in logical pixels) whose four pixels are not all
// the same. A picture drawn at one pixel per logical pixel and stretched has none.
int MixedBlocks(const QImage& image, int x0, int y0, int w, int h)
{
    int mixed = 0;
    for (int y = 2 * y0; y < 2 * (y0 + h); y += 2)
        for (int x = 2 * x0; x < 2 * (x0 + w); x += 2) {
            const uint32_t a = image.pixel(x, y) & kRgb;
            mixed += (image.pixel(x + 1, y) & kRgb) != a || (image.pixel(x, y + 1) & kRgb) != a
                     || (image.pixel(x + 1, y + 1) & kRgb) != a;
        }
    return mixed;
}

bool BlockIs(const QImage& image, int lx, int ly, uint32_t rgb)
{
    for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx)
            if ((image.pixel(2 * lx + dx, 2 * ly + dy) & kRgb) != rgb)
                return false;
    return true;
}

res::PixelRect PictureRect()
{
    const res::DialogTemplate& t = res::MainDialogTemplate();
    return t.ToPixels(t.Find(ControlId::Picture)->rect);
}

} // namespace

TEST(HiDpi, DialogComposesAtDevicePixelsWhileTheModelSeesTheSamePicture)
{
    OpenDialog o;
    ASSERT_EQ(o.dlg.devicePixelRatioF(), 2.0);

    // The model's picture, the corner's rectangle and the window's logical size are those of
    // the template's control 1000 (415 x 205 dialog units, 622 x 384 pixels).
    const FlowField& field = o.dlg.Session().Field();
    EXPECT_EQ(field.width, start::kWidth);
    EXPECT_EQ(field.height, 384);
    EXPECT_EQ(o.corner.left, 0);
    EXPECT_EQ(o.corner.top, 192);
    EXPECT_EQ(o.corner.width, start::kWidth);
    EXPECT_EQ(o.corner.height, 384);
    EXPECT_EQ(o.dlg.ViewWindow().size(), QSize(start::kWidth, start::kHeight));
    EXPECT_EQ(o.dlg.size(), QSize(622, 702)); // the template and the status line under it

    // The frame is composed at two device pixels per picture pixel.
    const FrameBuffer& frame = o.dlg.Session().Frame();
    EXPECT_EQ(frame.scale, 2);
    EXPECT_EQ(ImageOf(frame).size(), QSize(1244, 768));
    EXPECT_EQ(ImageOf(frame).devicePixelRatio(), 2.0);

    // The label images keep their sizes in pixels and are drawn at the device pixel ratio.
    const struct {
        ImageId id;
        int w, h;
    } bitmaps[] = {{ImageId::UpstreamNames, 22, 209}, {ImageId::UpstreamUnits, 46, 203},
                   {ImageId::CriticalNames, 37, 156}, {ImageId::CriticalUnits, 38, 160},
                   {ImageId::ProbeNames, 32, 152},    {ImageId::ProbeUnits, 38, 175},
                   {ImageId::VelocityNames, 32, 86},  {ImageId::VelocityUnits, 28, 79}};
    int found = 0;
    for (QLabel* label : o.dlg.findChildren<QLabel*>()) {
        const QVariant id = label->property("imageId");
        if (!id.isValid())
            continue;
        for (const auto& b : bitmaps) {
            if (static_cast<int>(b.id) != id.toInt())
                continue;
            ++found;
            const QPixmap pixmap = label->pixmap();
            EXPECT_EQ(pixmap.devicePixelRatio(), 2.0) << static_cast<int>(b.id);
            EXPECT_EQ(pixmap.size(), QSize(2 * b.w, 2 * b.h)) << static_cast<int>(b.id);
            EXPECT_EQ(label->size(), QSize(b.w, b.h)) << static_cast<int>(b.id);
        }
    }
    EXPECT_EQ(found, 8);
}

TEST(HiDpi, FieldsAndProbesAreTheCalculatorsNumbers)
{
    // The calculator runs without a window and without a scale: the reference.
    const RunResult calc = Cornerflow({QStringLiteral("--calc"), QStringLiteral("--probe"),
                                       QStringLiteral("100,100"), QStringLiteral("--probe"),
                                       QStringLiteral("400,100"), QStringLiteral("--probe"),
                                       QStringLiteral("500,150")},
                                      0);
    ASSERT_EQ(calc.exitCode, 0) << calc.err.constData();
    const QJsonObject doc = QJsonDocument::fromJson(calc.out).object();
    const QJsonObject fields = doc.value(QStringLiteral("fields")).toObject();
    const QJsonArray probes = doc.value(QStringLiteral("probes")).toArray();
    ASSERT_EQ(fields.size(), 9);
    ASSERT_EQ(probes.size(), 3);

    OpenDialog o;
    ASSERT_EQ(o.dlg.devicePixelRatioF(), 2.0);
    const struct {
        const char* key;
        ControlId id;
    } upstream[] = {{"rho1", ControlId::UpstreamDensity},
                    {"c1", ControlId::UpstreamSoundSpeed},
                    {"mach1", ControlId::UpstreamMach},
                    {"vol1", ControlId::UpstreamVolume},
                    {"critSpeed", ControlId::CriticalSpeed},
                    {"critTemp", ControlId::CriticalTemperature},
                    {"critPressure", ControlId::CriticalPressure},
                    {"critDensity", ControlId::CriticalDensity},
                    {"critVolume", ControlId::CriticalVolume}};
    for (const auto& f : upstream)
        EXPECT_EQ(Text(o.dlg, f.id), fields.value(QLatin1String(f.key)).toString()) << f.key;

    // The mouse over the picture probes the same points: upstream, in the fan, past it.
    const struct {
        const char* key;
        ControlId id;
    } probeFields[] = {{"T", ControlId::ProbeTemperature}, {"P", ControlId::ProbePressure},
                       {"rho", ControlId::ProbeDensity},   {"c", ControlId::ProbeSoundSpeed},
                       {"M", ControlId::ProbeMach},        {"V0", ControlId::ProbeVolume},
                       {"V", ControlId::ProbeSpeed},       {"Vphi", ControlId::ProbeSpeedPhi},
                       {"Vr", ControlId::ProbeSpeedR}};
    QWidget& picture = o.dlg.ViewWindow();
    std::vector<int> regions;
    for (const QJsonValue& value : probes) {
        const QJsonObject probe = value.toObject();
        const QPointF at(probe.value(QStringLiteral("x")).toInt(),
                         probe.value(QStringLiteral("y")).toInt());
        regions.push_back(probe.value(QStringLiteral("region")).toInt());
        SendMouse(picture, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        const QJsonObject texts = probe.value(QStringLiteral("texts")).toObject();
        for (const auto& f : probeFields)
            EXPECT_EQ(Text(o.dlg, f.id), texts.value(QLatin1String(f.key)).toString())
                << f.key << " at " << at.x() << "," << at.y();
    }
    EXPECT_EQ(regions, (std::vector<int>{1, 2, 3}));

    // A press turns the wall toward the logical point: straight below the corner (311, 192)
    // gives 0, a point 100 px right and 100 px below gives pi/4.
    SendMouse(picture, QEvent::MouseButtonPress, QPointF(311, 292), Qt::LeftButton, Qt::LeftButton);
    SendMouse(picture, QEvent::MouseButtonRelease, QPointF(311, 292), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(o.corner.wallAngle, 0.0);
    SendMouse(picture, QEvent::MouseButtonPress, QPointF(411, 292), Qt::LeftButton, Qt::LeftButton);
    SendMouse(picture, QEvent::MouseButtonRelease, QPointF(411, 292), Qt::LeftButton, Qt::NoButton);
    EXPECT_DOUBLE_EQ(o.corner.wallAngle, kPi / 4);
}

TEST(HiDpi, WindowSnapshotIsSharpAtDevicePixels)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString one = dir.filePath(QStringLiteral("one.png"));
    const QString two = dir.filePath(QStringLiteral("two.png"));
    const QStringList common = {QStringLiteral("--seed"), QStringLiteral("7"),
                                QStringLiteral("--ticks"), QStringLiteral("60")};
    const RunResult r1 = Cornerflow(QStringList{QStringLiteral("--snapshot-window"), one} + common,
                                    0);
    const RunResult r2 = Cornerflow(QStringList{QStringLiteral("--snapshot-window"), two} + common,
                                    2);
    ASSERT_EQ(r1.exitCode, 0) << r1.err.constData();
    ASSERT_EQ(r2.exitCode, 0) << r2.err.constData();
    const QImage a = QImage(one).convertToFormat(QImage::Format_RGB32);
    const QImage b = QImage(two).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(a.size(), QSize(622, 702));
    ASSERT_EQ(b.size(), QSize(1244, 1404));

    const res::PixelRect pic = PictureRect();
    ASSERT_EQ(pic.y, 11);
    ASSERT_EQ(pic.h, 384);

    // The grey bottom line of the picture (row 383) is exactly two device rows of pure grey,
    // with no blurred grey beside it.
    const int lineRow = 2 * (pic.y + pic.h - 1);
    int grey[4] = {0, 0, 0, 0};
    int blurred = 0;
    for (int x = 0; x < b.width(); ++x) {
        for (int k = 0; k < 4; ++k)
            grey[k] += (b.pixel(x, lineRow - 1 + k) & kRgb) == 0x808080u;
        for (int y = lineRow - 2; y <= lineRow + 3; ++y) {
            const QColor c = b.pixelColor(x, y);
            blurred += c.red() == c.green() && c.green() == c.blue() && c.red() > 128
                       && c.red() < 255;
        }
    }
    EXPECT_EQ(grey[0], 0);                    // the row above the line
    EXPECT_GE(grey[1], b.width() * 95 / 100); // the line's two rows (the marker may cover some)
    EXPECT_GE(grey[2], b.width() * 95 / 100);
    EXPECT_EQ(grey[3], 0); // the dialog below the picture
    EXPECT_EQ(blurred, 0);

    // Tracers are 2 x 2 device blocks at the places the same seed puts them at scale 1.
    int redAtOne = 0, redBlockAtTwo = 0;
    for (int y = pic.y; y < pic.y + pic.h; ++y)
        for (int x = 0; x < pic.w; ++x)
            if ((a.pixel(x, y) & kRgb) == kRed) {
                ++redAtOne;
                redBlockAtTwo += BlockIs(b, x, y, kRed);
            }
    EXPECT_GT(redAtOne, 2000);
    EXPECT_GE(redBlockAtTwo, redAtOne * 97 / 100);
    int redPixels = 0, inRedBlocks = 0;
    for (int y = 2 * pic.y; y < 2 * (pic.y + pic.h); ++y)
        for (int x = 0; x < 2 * pic.w; ++x)
            if ((b.pixel(x, y) & kRgb) == kRed) {
                ++redPixels;
                inRedBlocks += BlockIs(b, x / 2, y / 2, kRed);
            }
    EXPECT_GE(inRedBlocks, redPixels * 97 / 100);
    EXPECT_LE(redPixels, 4 * redAtOne * 103 / 100);

    // The labels' text is drawn at device pixels: the beta label below the upstream wall
    // (picture (241, 194)) and the first label image (V1 ... V01) have detail finer than a
    // logical pixel. The same places at scale 1 do hold the text.
    auto dark = [](const QImage& image, int x0, int y0, int w, int h, int s) {
        int n = 0;
        for (int y = s * y0; y < s * (y0 + h); ++y)
            for (int x = s * x0; x < s * (x0 + w); ++x)
                n += qGray(image.pixel(x, y)) < 96 || (image.pixel(x, y) & kRgb) == 0x0000FFu;
        return n;
    };
    const int betaX = 241, betaY = pic.y + 194;
    EXPECT_GT(dark(a, betaX, betaY, 80, 22, 1), 50);
    EXPECT_GT(MixedBlocks(b, betaX, betaY, 80, 22), 40);
    const res::DialogTemplate& t = res::MainDialogTemplate();
    const res::ControlTemplate* names = nullptr;
    for (const res::ControlTemplate& c : t)
        if (c.kind == res::ControlKind::LabelImage && c.image == ImageId::UpstreamNames)
            names = &c;
    ASSERT_NE(names, nullptr);
    const res::PixelRect n = t.ToPixels(names->rect);
    EXPECT_GT(dark(a, n.x, n.y, 22, 209, 1), 100);
    EXPECT_GT(MixedBlocks(b, n.x, n.y, 22, 209), 60);
}
