// The dialog templates, the string table, the label images and the icon.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "dialog/languages.h"
#include "res/dialog_templates.h"
#include "res/ids.h"

namespace {

QImage Render(const QString& path, QSize* size = nullptr)
{
    QSvgRenderer renderer{path};
    const QSize s = renderer.defaultSize();
    if (size)
        *size = s;
    QImage image(s, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

bool IsInk(QRgb p) { return qAlpha(p) == 255 && qRed(p) < 200; }

} // namespace

TEST(DialogTemplate, MainDialogHasThirtySevenControlsOfTheRightKinds)
{
    const res::DialogTemplate& t = res::MainDialogTemplate();
    ASSERT_EQ(t.count, 37u);
    std::map<res::ControlKind, int> kinds;
    std::set<ControlId> ids;
    for (const res::ControlTemplate& c : t) {
        ++kinds[c.kind];
        if (c.id != ControlId::None) { // the label images and the captions share None
            EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
        }
    }
    EXPECT_EQ(kinds[res::ControlKind::View], 1);
    EXPECT_EQ(kinds[res::ControlKind::InputField], 3);
    EXPECT_EQ(kinds[res::ControlKind::ReadOnlyField], 18);
    EXPECT_EQ(kinds[res::ControlKind::LabelImage], 8);
    EXPECT_EQ(kinds[res::ControlKind::Choice], 1);
    EXPECT_EQ(kinds[res::ControlKind::GasField], 2);
    EXPECT_EQ(kinds[res::ControlKind::TextLeft], 4);
    for (int number = 1002; number <= 1022; ++number)
        EXPECT_TRUE(ids.count(static_cast<ControlId>(number))) << "missing field " << number;
    for (ControlId id :
         {ControlId::UpstreamSpeed, ControlId::UpstreamTemperature, ControlId::UpstreamPressure})
        EXPECT_EQ(t.Find(id)->kind, res::ControlKind::InputField);
    EXPECT_EQ(t.begin()->id, ControlId::UpstreamSpeed); // first in the tab order
    // The gas after the three inputs, then the picture.
    EXPECT_EQ(t.begin()[3].id, ControlId::GasChoice);
    EXPECT_EQ(t.begin()[4].id, ControlId::GasGamma);
    EXPECT_EQ(t.begin()[5].id, ControlId::GasMolarMass);
    EXPECT_EQ(t.begin()[6].id, ControlId::Picture);
    EXPECT_STREQ(t.caption, "Обтекание тупого угла");
    EXPECT_EQ(t.fontPoints, 9);
}

TEST(Resources, UnknownIds)
{
    EXPECT_EQ(res::MainDialogTemplate().Find(ControlId::None), nullptr);
    EXPECT_EQ(res::MainDialogTemplate().Find(static_cast<ControlId>(4242)), nullptr);
    EXPECT_EQ(res::BitmapPath(ImageId::None), nullptr);
    EXPECT_EQ(res::BitmapPath(static_cast<ImageId>(999)), nullptr);
    EXPECT_EQ(res::IconPath(ImageId::UpstreamNames), nullptr);
}

// Every label image: its size, its colours (blue ink on white only), and rows level with the
// fields beside it: ink near every field's centre line, none where a row has no unit, and
// no ink far from every field.
TEST(LabelImages, SizesColoursAndRowsLevelWithTheirFields)
{
    struct Image {
        ImageId bitmap;
        QSize size;
        std::vector<int> rows;      // the fields beside it, top to bottom
        std::vector<int> emptyRows; // fields whose row stays empty
    };
    const Image images[] = {
        {ImageId::UpstreamNames, {22, 209}, {1002, 1003, 1004, 1009, 1011, 1012, 1015}, {}},
        {ImageId::UpstreamUnits, {46, 203}, {1002, 1003, 1004, 1009, 1011, 1012, 1015}, {1012}},
        {ImageId::CriticalNames, {37, 156}, {1017, 1018, 1019, 1020, 1021}, {}},
        {ImageId::CriticalUnits, {38, 160}, {1017, 1018, 1019, 1020, 1021}, {}},
        {ImageId::ProbeNames, {32, 152}, {1006, 1007, 1010, 1013, 1014, 1016}, {}},
        {ImageId::ProbeUnits, {38, 175}, {1006, 1007, 1010, 1013, 1014, 1016}, {1014}},
        {ImageId::VelocityNames, {32, 86}, {1005, 1008, 1022}, {}},
        {ImageId::VelocityUnits, {28, 79}, {1005, 1008, 1022}, {}},
    };
    const res::DialogTemplate& t = res::MainDialogTemplate();
    for (const Image& im : images) {
        SCOPED_TRACE(im.bitmap);
        const res::ControlTemplate* label = nullptr;
        for (const res::ControlTemplate& c : t)
            if (c.kind == res::ControlKind::LabelImage && c.image == im.bitmap)
                label = &c;
        ASSERT_NE(label, nullptr);
        ASSERT_NE(res::BitmapPath(im.bitmap), nullptr);
        // The image in every language, made with the language's words, passes the same checks.
        std::vector<QString> paths;
        for (const Language* l = LanguagesBegin(); l != LanguagesEnd(); ++l)
            paths.push_back(QString::fromStdString(res::LabelPath(im.bitmap, l->code)));
        for (const QString& path : paths) {
            SCOPED_TRACE(path.toStdString());
            QSize size;
            const QImage image = Render(path, &size);
            EXPECT_EQ(size, im.size);

            int inkPixels = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb p = image.pixel(x, y);
                    ASSERT_EQ(qAlpha(p), 255) << "transparent pixel at " << x << "," << y;
                    // White, pure blue, or a blend of the two.
                    ASSERT_EQ(qBlue(p), 255) << x << "," << y;
                    ASSERT_EQ(qRed(p), qGreen(p)) << x << "," << y;
                    inkPixels += IsInk(p);
                }
            EXPECT_GT(inkPixels, 20);

            const int top = t.ToPixels(label->rect).y;
            std::vector<int> centres;
            for (int field : im.rows) {
                const res::PixelRect r = t.ToPixels(t.Find(static_cast<ControlId>(field))->rect);
                centres.push_back(r.y + r.h / 2 - top);
            }
            auto inkInBand = [&](int from, int to) {
                for (int y = std::max(from, 0); y <= std::min(to, image.height() - 1); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        if (IsInk(image.pixel(x, y)))
                            return true;
                return false;
            };
            for (size_t i = 0; i < im.rows.size(); ++i) {
                const int row = im.rows[i];
                const bool empty = std::count(im.emptyRows.begin(), im.emptyRows.end(), row) > 0;
                if (empty) {
                    EXPECT_FALSE(inkInBand(centres[i] - 8, centres[i] + 8)) << "row of " << row;
                } else {
                    EXPECT_TRUE(inkInBand(centres[i] - 3, centres[i] + 3)) << "row of " << row;
                }
            }
            for (int y = 0; y < image.height(); ++y) {
                int nearest = 1 << 20;
                for (int c : centres)
                    nearest = std::min(nearest, std::abs(c - y));
                if (nearest > 12) {
                    EXPECT_FALSE(inkInBand(y, y)) << "stray ink in row " << y;
                }
            }
        }
    }
}

TEST(Icon, ThirtyTwoPixelsWithWallAndTracers)
{
    ASSERT_NE(res::IconPath(ImageId::AppIcon), nullptr);
    QSize size;
    const QImage icon = Render(res::IconPath(ImageId::AppIcon), &size);
    EXPECT_EQ(size, QSize(32, 32));
    int blue = 0, red = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = icon.pixel(x, y);
            blue += qBlue(p) > 200 && qRed(p) < 60 && qGreen(p) < 60 && qAlpha(p) == 255;
            red += qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60 && qAlpha(p) == 255;
        }
    EXPECT_GT(blue, 20); // the walls
    EXPECT_GT(red, 4);   // tracers
}
