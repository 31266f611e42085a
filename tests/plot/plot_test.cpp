// The plot: where its axes put an angle and a ratio, that the curves are drawn there, its
// words and their English, and what a screen reader is told.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "base/constants.h"
#include "corner/corner.h"
#include "dialog/flow_session.h"
#include "draw/raster_dc.h"
#include "model/flow_state.h"
#include "model/profile.h"
#include "plot/plot.h"
#include "tests/support/start_up.h"

namespace {

FanProfile StartUpProfile(double wallAngle = start::kWall)
{
    FlowState fs;
    fs.t1 = 273.0;
    ComputeUpstreamState(fs);
    Corner corner;
    corner.SetWallAngle(wallAngle);
    corner.ComputeFanGeometry(fs);
    return ComputeFanProfile(fs, corner.wallAngle, corner.TurnAngle(fs));
}

uint32_t Rgb(Colour c) { return c.Rgb32() & 0xFFFFFFu; }

// The rows of a column where a colour was drawn.
std::vector<int> RowsOf(const FrameBuffer& b, int x, Colour c)
{
    std::vector<int> rows;
    for (int y = 0; y < b.height; ++y)
        if (b.At(x, y) == Rgb(c))
            rows.push_back(y);
    return rows;
}

} // namespace

// The x axis runs from the upstream wall's direction at the left edge to the downstream wall's
// at the right, decreasing; the y axis from 0 at the bottom; a column reads back its angle.
TEST(PlotLayout, AnglesRunFromLeftToRightAsTheFlowTurns)
{
    const FanProfile p = StartUpProfile();
    const PlotLayout l = LayoutPlot(start::kWidth, start::kHeight, p, kDefaultPlotQuantities);
    EXPECT_DOUBLE_EQ(l.X(kPi), l.left);
    EXPECT_DOUBLE_EQ(l.X(p.phiTo), l.right);
    EXPECT_LT(l.X(p.modelFirst), l.X(p.modelLast));
    EXPECT_LT(l.X(p.modelLast), l.X(p.exactLast));
    EXPECT_DOUBLE_EQ(l.Y(0.0), l.bottom);
    EXPECT_LT(l.Y(1.0), l.Y(0.5));
    for (double phi : {3.0, 0.5, 0.0, -0.7})
        EXPECT_NEAR(l.AngleAt(l.X(phi)), phi, 1e-12);
    // The exact Mach number past the fan (3.128 / 1.336 = 2.34 M1) is inside the axis.
    EXPECT_GT(l.ratioTop, 3.128 / 1.336);
    EXPECT_LT(l.ratioTop, 3.5);
}

// The model's curve (solid, two pixels wide) is drawn at the ratio the profile gives, column by
// column: level at 1 upstream, at the model's end value past its fan; the exact one (dashed)
// reaches the theory's end value past the exact fan.
TEST(PlotDrawing, CurvesLieWhereTheProfileSays)
{
    const FanProfile p = StartUpProfile();
    const QuantitySet shown = QuantityBit(Quantity::Pressure);
    const Colour blue = LookOf(Quantity::Pressure).colour;
    FrameBuffer b;
    b.Create(start::kWidth, start::kHeight, 1);
    const PlotLayout l = LayoutPlot(start::kWidth, start::kHeight, p, shown);
    {
        RasterDC dc(b); // no text painter: shapes only
        DrawPlot(dc, l, p, shown, PlotWords());
    }
    const auto near = [&](int x, double ratio) {
        const std::vector<int> rows = RowsOf(b, x, blue);
        for (int y : rows)
            if (std::fabs(y - l.Y(ratio)) <= 1.5)
                return true;
        return false;
    };
    const int upstream = static_cast<int>(std::lround(l.X(120.0 * kRadiansPerDegree)));
    EXPECT_TRUE(near(upstream, 1.0));
    const ProfileSample& last = p.samples.back();
    const int past = static_cast<int>(std::lround(l.X(-35.0 * kRadiansPerDegree)));
    EXPECT_TRUE(near(past, last.model.P / p.upstream.P)) << last.model.P;
    // The dashed exact curve: somewhere along the last stretch it is drawn at the theory's end.
    bool exactSeen = false;
    for (int x = past; x < l.right - 1 && !exactSeen; ++x)
        for (int y : RowsOf(b, x, blue))
            exactSeen = exactSeen || std::fabs(y - l.Y(p.exact.end.P / p.upstream.P)) <= 1.5;
    EXPECT_TRUE(exactSeen);
    // A quantity not shown is not drawn.
    EXPECT_TRUE(RowsOf(b, upstream, LookOf(Quantity::Mach).colour).empty());
}

// %1, %2, ... are filled wherever they stand, %1 never eats the start of %10.
TEST(PlotWords, FillWordsFillsEveryPlaceholder)
{
    EXPECT_EQ(FillWords("от %1 до %2, снова %1", {"a", "b"}), "от a до b, снова a");
    EXPECT_EQ(FillWords("%10 %1", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "X"}), "X 1");
    EXPECT_EQ(FillWords("%1 и %3", {"a"}), "a и %3");
}

// What a screen reader hears at the start-up inputs: the README's numbers, the model's
// pressure past its fan and the exact one; and a reason where there is no fan.
TEST(PlotWords, DescriptionFollowsTheProfile)
{
    const PlotDescription d = DescribePlot(StartUpProfile());
    EXPECT_EQ(FillWords(PlotWordSource(d.words), d.values),
              "Давление падает от 100000 до 84489 Па в веере модели; по точной теории — до "
              "6548 Па");
    const PlotDescription into = DescribePlot(StartUpProfile(kHalfPi + 0.2));
    EXPECT_EQ(into.words, PlotWord::DescribeIntoTheFlow);
    EXPECT_EQ(into.values, std::vector<std::string>{"100000"});
}

// Every word the plot asks for, the menu's and the picture's new words have their English in
// the translation file, in the context the shells look them up in.
TEST(PlotWords, EveryWordHasItsEnglish)
{
    std::ifstream in(CF_SOURCE_DIR "/res/translations/cornerflow_en.ts");
    ASSERT_TRUE(in);
    std::stringstream all;
    all << in.rdbuf();
    const std::string ts = all.str();
    const auto contextOf = [&](const std::string& name) {
        const size_t at = ts.find("<name>" + name + "</name>");
        if (at == std::string::npos)
            return std::string();
        return ts.substr(at, ts.find("</context>", at) - at);
    };
    const std::string plot = contextOf("Plot");
    ASSERT_FALSE(plot.empty());
    for (int i = 0; i < kPlotWordCount; ++i) {
        const std::string source = PlotWordSource(static_cast<PlotWord>(i));
        const size_t at = plot.find("<source>" + source + "</source>");
        ASSERT_NE(at, std::string::npos) << source;
        const size_t tr = plot.find("<translation>", at);
        EXPECT_NE(plot.substr(tr, 28), "<translation></translation>") << source;
    }
    EXPECT_NE(contextOf("Dialog").find("<source>" + std::string(kExactTheoryWords) + "</source>"),
              std::string::npos);
    EXPECT_NE(contextOf("Picture").find("<source>"
                                        + std::string(PictureWords(PictureFacts::Flow::IntoTheFlow))
                                        + "</source>"),
              std::string::npos);
}
