// The plot: where its axes put an angle and a ratio, that the curves are drawn there, its
// words and their English, and what a screen reader is told.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "base/constants.h"
#include "base/text_fill.h"
#include "corner/corner.h"
#include "dialog/flow_session.h"
#include "dialog/plot_panel.h"
#include "draw/raster_dc.h"
#include "model/flow_state.h"
#include "model/number_text.h"
#include "model/profile.h"
#include "plot/plot.h"
#include "tests/support/start_up.h"

namespace {

FanProfile StartUpProfile(double wallAngle = start::kWall, double v1 = 450.0)
{
    FlowState fs;
    fs.t1 = 273.0;
    fs.v1 = v1;
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

// The wall at a body angle beta (degrees, as the picture labels it; 180 a straight wall).
double WallAtBeta(double beta) { return (beta - 90.0) * kRadiansPerDegree; }

// The plot's words in a language, from the translation file the shells use (ru: the source).
PlotWords WordsOf(const std::string& code)
{
    if (code == "ru")
        return PlotWords();
    std::ifstream in(CF_SOURCE_DIR "/res/translations/cornerflow_" + code + ".ts");
    std::stringstream all;
    all << in.rdbuf();
    const std::string ts = all.str();
    const size_t plot = ts.find("<name>Plot</name>");
    return PlotWords::Translated([&](const char* source) {
        const size_t at = ts.find("<source>" + std::string(source) + "</source>", plot);
        const size_t from = ts.find("<translation>", at) + 13;
        return at == std::string::npos ? std::string(source)
                                       : ts.substr(from, ts.find("</translation>", from) - from);
    });
}

// A picture that keeps every text drawn on it: where, and the box the plot takes it to fill.
struct Text {
    int x, y, w, h;
    std::string text;
};
class TextRecorder : public RasterDC {
public:
    using RasterDC::RasterDC;
    void SelectFont(const Font& font) override
    {
        cell_ = font.height;
        RasterDC::SelectFont(font);
    }
    void DrawText(int x, int y, const std::string& text) override
    {
        texts.push_back({x, y, PlotTextWidth(text, cell_), cell_, text});
    }
    std::vector<Text> texts;
    bool Has(const std::string& text) const
    {
        for (const Text& t : texts)
            if (t.text == text)
                return true;
        return false;
    }

private:
    int cell_ = 0;
};

// The plot's texts at a size, its cursor's too when at is given.
std::vector<Text> TextsOf(const FanProfile& p, int w, int h, const PlotWords& words,
                          const ProfileSample* at = nullptr)
{
    FrameBuffer b;
    b.Create(w, h, 1);
    TextRecorder dc(b);
    const PlotLayout l = LayoutPlot(w, h, p, kDefaultPlotQuantities, &words);
    DrawPlot(dc, l, p, kDefaultPlotQuantities, words);
    if (at) {
        dc.texts.clear();
        DrawPlotCursor(dc, l, *at, kDefaultPlotQuantities, words);
    }
    return dc.texts;
}

} // namespace

// Over walls from straight to past the exact largest turn and into the flow, slow and fast
// flows, sizes from a phone's to a wide window's and both languages: every text lies inside the
// plot and none meets another; the characteristics keep their labels where the plot has room.
TEST(PlotLayout, TextsNeverOverlapAndStayInside)
{
    const PlotWords languages[] = {PlotWords(), WordsOf("en")};
    ASSERT_EQ(languages[1][PlotWord::Vacuum], "vacuum");
    const int sizes[][2] = {{622, 384}, {900, 520}, {420, 384}, {300, 384}, {256, 328}};
    int cases = 0;
    for (double v1 : {300.0, 450.0, 1200.0, 3000.0})
        for (double beta : {180.0, 170.0, 150.0, 135.0, 110.0, 60.0, 200.0}) {
            const FanProfile p = StartUpProfile(WallAtBeta(beta), v1);
            for (const PlotWords& words : languages)
                for (const auto& size : sizes) {
                    const std::vector<Text> texts = TextsOf(p, size[0], size[1], words);
                    for (size_t i = 0; i < texts.size(); ++i) {
                        const Text& a = texts[i];
                        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= size[0]
                                    && a.y + a.h <= size[1])
                            << a.text << " at " << a.x << "," << a.y << " in " << size[0];
                        for (size_t j = i + 1; j < texts.size(); ++j) {
                            const Text& b = texts[j];
                            EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h
                                         && b.y < a.y + a.h)
                                << "«" << a.text << "» meets «" << b.text << "» at v1 " << v1
                                << ", beta " << beta << ", " << size[0] << "x" << size[1];
                        }
                    }
                    if (size[0] >= 420 && p.modelFan && p.exact.theory.turnDegrees > 0.0) {
                        for (PlotWord w : {PlotWord::FanStart, PlotWord::ModelEnd,
                                           PlotWord::TheoryEnd, PlotWord::TurnDirection})
                            EXPECT_TRUE(
                                std::find_if(texts.begin(), texts.end(),
                                             [&](const Text& t) { return t.text == words[w]; })
                                != texts.end())
                                << words[w] << " missing at v1 " << v1 << ", beta " << beta;
                    }
                    ++cases;
                }
        }
    EXPECT_EQ(cases, 4 * 7 * 2 * 5);
}

// Past the exact largest turn (V1 3000, M1 8.9: the exact flow turns at most about 28 degrees,
// the wall 45) the exact flow is a vacuum: the cursor and the description say so in words, the
// plot marks where it begins. A straight wall: a supersonic flow that does not turn, said so.
TEST(PlotWords, VacuumAndStraightWallInWords)
{
    const PlotWords words;
    const FanProfile fast = StartUpProfile(WallAtBeta(135.0), 3000.0);
    ASSERT_EQ(fast.exact.end.P, 0.0);
    const ProfileSample past = fast.samples.back(); // past the exact last characteristic
    ASSERT_LT(past.phi, fast.exactLast);
    const std::vector<Text> cursor = TextsOf(fast, 622, 384, words, &past);
    int vacuum = 0;
    for (const Text& t : cursor) {
        vacuum += t.text == words[PlotWord::Vacuum];
        EXPECT_EQ(t.text.find("inf"), std::string::npos) << t.text;
        EXPECT_NE(t.text, FormatFieldValue(0.0));
    }
    EXPECT_EQ(vacuum, 3); // M, P and T; the speed is the limiting speed, a number
    const std::vector<Text> plot = TextsOf(fast, 622, 384, words);
    EXPECT_TRUE(std::any_of(plot.begin(), plot.end(), [&](const Text& t) {
        return t.text == words[PlotWord::TheoryVacuum];
    }));
    const PlotDescription d = DescribePlot(fast);
    EXPECT_EQ(d.words, PlotWord::DescribeVacuum);
    EXPECT_EQ(d.values.size(), 2u);

    const FanProfile straight = StartUpProfile(WallAtBeta(180.0));
    EXPECT_EQ(DescribePlot(straight).words, PlotWord::DescribeNoTurn);
    const std::vector<Text> level = TextsOf(straight, 622, 384, words);
    for (PlotWord w : {PlotWord::FanStart, PlotWord::ModelEnd, PlotWord::TheoryEnd})
        EXPECT_FALSE(std::any_of(level.begin(), level.end(),
                                 [&](const Text& t) { return t.text == words[w]; }));
    EXPECT_TRUE(std::any_of(level.begin(), level.end(),
                            [&](const Text& t) { return t.text == words[PlotWord::NoTurn]; }));
}

// The y range as the composer keeps it: over a small drag across the point where a range fitted
// afresh would step, it stays; a curve that leaves it grows it at once; when every ratio would
// fit a much smaller range, it shrinks; a new oncoming flow gets its range afresh.
TEST(PlotLayout, RangeStaysOverASmallDrag)
{
    PlotComposer composer;
    const PlotWords words;
    FrameBuffer target;
    unsigned long version = 0;
    FanProfile p;
    auto compose = [&](double beta, double v1 = 450.0) {
        p = StartUpProfile(WallAtBeta(beta), v1);
        PlotComposer::Input in;
        in.profile = &p;
        in.profileVersion = ++version;
        in.width = 622;
        in.height = 384;
        in.words = &words;
        composer.Compose(target, in);
        return composer.Layout().ratioTop;
    };
    const auto fresh = [&] { return LayoutPlot(622, 384, p, kDefaultPlotQuantities).ratioTop; };
    const auto holdsEveryRatio = [&](double top) {
        for (const ProfileSample& s : p.samples)
            for (const StateValues* v : {&s.model, &s.exact})
                for (int q : {0, 1, 2}) {
                    const double r = v->Of(static_cast<Quantity>(q))
                                     / p.upstream.Of(static_cast<Quantity>(q));
                    if (std::isfinite(r) && std::min(r, 8.0) > top)
                        return false;
                }
        return true;
    };

    const double first = compose(130.0);
    std::vector<double> fits;
    for (int step = 0; step <= 40; ++step) { // 130 to 140 and back, half a degree a step
        const double beta = 130.0 + 0.5 * (step <= 20 ? step : 40 - step);
        EXPECT_EQ(compose(beta), first) << beta;
        fits.push_back(fresh());
    }
    // The drag does cross a step of the range fitted afresh.
    EXPECT_NE(*std::min_element(fits.begin(), fits.end()),
              *std::max_element(fits.begin(), fits.end()));

    // From a straight wall turned further a degree at a time: the range grows as the curves
    // reach it, never lets one out, never shrinks meanwhile.
    double top = compose(179.0);
    const double level = top;
    for (double beta = 178.0; beta >= 120.0; beta -= 1.0) {
        const double now = compose(beta);
        EXPECT_TRUE(holdsEveryRatio(now)) << beta;
        EXPECT_GE(now, top) << beta;
        top = now;
    }
    EXPECT_GT(top, level);
    // Back to straight a degree at a time: once every ratio fits a much smaller range, it
    // shrinks to that one.
    for (double beta = 121.0; beta <= 180.0; beta += 1.0)
        compose(beta);
    EXPECT_TRUE(holdsEveryRatio(composer.Layout().ratioTop));
    EXPECT_LT(composer.Layout().ratioTop, 2.0);

    // A new oncoming flow, or a wall set anew: as fitted afresh.
    compose(135.0);
    const double set = compose(150.0);
    EXPECT_EQ(set, fresh());
    compose(150.0, 600.0);
    EXPECT_EQ(composer.Layout().ratioTop, fresh());
}

namespace {

// Lays each text as a block of graded ink, six pixels a character wide and a cell high, from two
// device pixels left of and above its point: ink that reaches past where the text stands.
class BlockInk : public TextPainter {
public:
    void DrawText(const PixelMemory& m, int x, int y, const std::string& text,
                  const Font& font) override
    {
        const int w = 6 * m.scale * static_cast<int>(text.size()) + 4;
        const int h = font.height * m.scale + 4;
        std::vector<unsigned char> ink(static_cast<size_t>(w) * h);
        for (size_t i = 0; i < ink.size(); ++i)
            ink[i] = static_cast<unsigned char>(i * 37 % 256);
        BlendInk(m, static_cast<long long>(x) * m.scale - 2,
                 static_cast<long long>(y) * m.scale - 2, ink.data(), w, h);
    }
};

} // namespace

// Composers drawing with BlockInk, and their inputs: the profile of a wall, the cursor at one
// of its samples (none below 0).
class PlotComposerTest : public ::testing::Test {
protected:
    const PlotWords words;
    BlockInk ink;
    const MakeDCFunction makeDC = [this](FrameBuffer& b) {
        return std::unique_ptr<DC>(std::make_unique<RasterDC>(b, &ink));
    };
    PlotComposer::Input Input(const FanProfile& p, unsigned long version, int scale, int sample)
    {
        PlotComposer::Input in;
        in.profile = &p;
        in.profileVersion = version;
        in.width = 622;
        in.height = 384;
        in.scale = scale;
        in.words = &words;
        in.cursor = sample >= 0;
        if (in.cursor)
            in.at = p.samples[static_cast<size_t>(sample)];
        return in;
    }
};

// The cursor moved over the kept plot (the pixels under the last cursor given back, the new
// one laid over them) gives the plot a composer makes afresh: across the plot and back, off it
// and on again, with text, at scale 1 and 2.
TEST_F(PlotComposerTest, CursorMovedOverTheKeptPlotGivesTheFreshPlot)
{
    const FanProfile p = StartUpProfile();
    const int n = static_cast<int>(p.samples.size());
    for (int scale : {1, 2}) {
        PlotComposer kept;
        kept.makeDC = makeDC;
        FrameBuffer target;
        for (int sample : {0, n / 2, n / 2 + 1, n - 1, -1, n / 3, 0, n / 4}) {
            ASSERT_TRUE(kept.Compose(target, Input(p, 1, scale, sample)));
            PlotComposer fresh;
            fresh.makeDC = makeDC;
            FrameBuffer alone;
            ASSERT_TRUE(fresh.Compose(alone, Input(p, 1, scale, sample)));
            EXPECT_TRUE(target.pixels == alone.pixels)
                << "scale " << scale << ", sample " << sample;
        }
        EXPECT_EQ(kept.BaseCompositions(), 1);
    }
}

// A plot composed in the canvas's order, its changed rows counted, is the same plot as the
// picture's order gives, each pixel's red and blue changed over, and as it is drawn straight
// into a buffer; and a copy that takes only the rows counted stays equal to it, as the wall
// turns, the cursor moves over the kept plot, goes and comes back.
TEST_F(PlotComposerTest, EitherPixelOrderAndTheChangedRowsKeepACopyTrue)
{
    const FanProfile walls[] = {StartUpProfile(), StartUpProfile(start::kWall + 0.05),
                                StartUpProfile(start::kWall + 0.08)};
    PlotComposer argb, abgr;
    argb.makeDC = abgr.makeDC = makeDC;
    abgr.countRows = true;
    FrameBuffer a, b;
    b.order = PixelOrder::Abgr;
    std::vector<uint32_t> copy;
    const struct {
        int wall, sample;
    } steps[] = {{0, 3}, {1, 3}, {1, 40}, {1, -1}, {2, -1}, {2, 10}, {2, 11}, {0, 10}};
    for (const auto& step : steps) {
        const FanProfile& p = walls[step.wall];
        const int sample = std::min(step.sample, static_cast<int>(p.samples.size()) - 1);
        ASSERT_TRUE(argb.Compose(a, Input(p, step.wall + 1, 2, sample)));
        ASSERT_TRUE(abgr.Compose(b, Input(p, step.wall + 1, 2, sample)));
        ASSERT_EQ(a.pixels.size(), b.pixels.size());
        size_t swapped = 0;
        for (size_t i = 0; i < a.pixels.size(); ++i) {
            const uint32_t q = a.pixels[i];
            swapped += b.pixels[i]
                       == ((q & 0xFF00FF00u) | ((q & 0xFFu) << 16) | ((q >> 16) & 0xFFu));
        }
        EXPECT_EQ(swapped, a.pixels.size()) << "wall " << step.wall << ", sample " << sample;
        // The plot drawn straight into a buffer of its own, in the same layout.
        FrameBuffer alone;
        alone.Create(622, 384, 2);
        {
            RasterDC dc(alone, &ink);
            const PlotMarks marks = DrawPlot(dc, argb.Layout(), p, kDefaultPlotQuantities, words);
            if (sample >= 0)
                DrawPlotCursor(dc, argb.Layout(), p.samples[static_cast<size_t>(sample)],
                               kDefaultPlotQuantities, words, &marks);
        }
        EXPECT_TRUE(alone.pixels == a.pixels) << "wall " << step.wall << ", sample " << sample;
        const auto [first, end] = abgr.TakeChangedRows();
        const size_t w = static_cast<size_t>(b.deviceWidth);
        copy.resize(b.pixels.size());
        std::copy(b.pixels.begin() + first * w, b.pixels.begin() + end * w,
                  copy.begin() + first * w);
        EXPECT_TRUE(copy == b.pixels)
            << "rows " << first << ".." << end << ", wall " << step.wall << ", sample " << sample;
        EXPECT_EQ(abgr.TakeChangedRows(), std::make_pair(0, 0));
    }
    EXPECT_EQ(abgr.BaseCompositions(), 4);
}

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

// A wall turned 20 degrees into the flow at V1 900 m/s (an attached shock): the shock's line
// (dashed grey) stands in the column its angle maps to, the exact pressure climbs there as a
// vertical step from 1 to p2/p1 and runs on at p2/p1 to the wall, where the axis ends, and the
// line is named. Turned 35 degrees the shock detaches: the plot says so, and past the corner
// only the model's level line is drawn.
TEST(PlotDrawing, ShockIsAStepAtItsLine)
{
    const FanProfile p = StartUpProfile(WallAtBeta(200.0), 900.0);
    ASSERT_TRUE(p.exact.shock);
    const QuantitySet shown = QuantityBit(Quantity::Pressure);
    const Colour blue = LookOf(Quantity::Pressure).colour;
    FrameBuffer b;
    b.Create(start::kWidth, start::kHeight, 1);
    const PlotLayout l = LayoutPlot(start::kWidth, start::kHeight, p, shown);
    EXPECT_NEAR(l.phiTo, 20.0 * kRadiansPerDegree, 1e-12);
    {
        RasterDC dc(b);
        DrawPlot(dc, l, p, shown, PlotWords());
    }
    const int x = static_cast<int>(std::lround(l.X(p.exactShock)));
    const double ratio = p.exact.behind.P / p.upstream.P;
    ASSERT_GT(ratio, 2.0);
    // The dashed lines' dashes cover much of the column between the two levels.
    const int high = static_cast<int>(std::lround(l.Y(ratio)));
    const int low = static_cast<int>(std::lround(l.Y(1.0)));
    int grey = 0, step = 0;
    for (int y = l.top + 1; y < l.bottom; ++y) {
        grey += b.At(x, y) == Rgb(Colour{128, 128, 128});
        step += y > high && y < low && b.At(x, y) == Rgb(blue);
    }
    EXPECT_GT(grey, (l.bottom - l.top) / 4);
    EXPECT_GT(step, (low - high) / 3);
    // Not one column either side: the step is vertical, the line where the angle maps.
    for (int dx : {-3, 3}) {
        int off = 0;
        for (int y = high + 3; y < low - 3; ++y)
            off += b.At(x + dx, y) == Rgb(blue) || b.At(x + dx, y) == Rgb(Colour{128, 128, 128});
        EXPECT_EQ(off, 0) << dx;
    }
    bool behindSeen = false;
    for (int c = x + 2; c < l.right - 1 && !behindSeen; ++c)
        for (int y : RowsOf(b, c, blue))
            behindSeen = behindSeen || std::fabs(y - l.Y(ratio)) <= 1.5;
    EXPECT_TRUE(behindSeen);
    const PlotWords words;
    const std::vector<Text> texts = TextsOf(p, 622, 384, words);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [&](const Text& t) { return t.text == words[PlotWord::Shock]; }));
    EXPECT_EQ(DescribePlot(p).words, PlotWord::DescribeShock);

    const FanProfile detached = StartUpProfile(WallAtBeta(215.0), 900.0);
    ASSERT_TRUE(detached.exact.detached);
    const PlotLayout ld = LayoutPlot(start::kWidth, start::kHeight, detached, shown);
    FrameBuffer bd;
    bd.Create(start::kWidth, start::kHeight, 1);
    {
        RasterDC dc(bd);
        DrawPlot(dc, ld, detached, shown, PlotWords());
    }
    for (int c = static_cast<int>(ld.X(kHalfPi)) + 2; c < ld.right - 1; ++c)
        for (int y : RowsOf(bd, c, blue))
            EXPECT_LE(std::fabs(y - ld.Y(1.0)), 1.5) << c;
    const std::vector<Text> detachedTexts = TextsOf(detached, 622, 384, words);
    // The note, wrapped: its first line opens the word.
    EXPECT_TRUE(std::any_of(detachedTexts.begin(), detachedTexts.end(), [&](const Text& t) {
        return t.text.size() > 20 && words[PlotWord::Detached].rfind(t.text, 0) == 0;
    }));
}

// What a screen reader hears at the start-up inputs: the README's numbers, the model's
// pressure past its fan and the exact one; and a reason where there is no fan.
TEST(PlotWords, DescriptionFollowsTheProfile)
{
    const PlotDescription d = DescribePlot(StartUpProfile());
    EXPECT_EQ(FillPlaceholders(PlotWordSource(d.words), d.values),
              "Давление падает от 100000 до 84489 Па в веере модели; по точной теории — до "
              "6548 Па");
    const PlotDescription into = DescribePlot(StartUpProfile(kHalfPi + 0.2));
    EXPECT_EQ(into.words, PlotWord::DescribeDetached);
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

namespace {

// A picture that measures its texts as a shell's fonts do, a Chinese character a whole cell
// wide (wider than the plot's least width) and a Latin or a Cyrillic one narrower, and keeps
// where each text, each line (the curves, the characteristics, the axes, the cursor) and the
// cursor's box were drawn.
class MeasuringRecorder : public RasterDC {
public:
    using RasterDC::RasterDC;
    void SelectFont(const Font& font) override
    {
        font_ = font;
        RasterDC::SelectFont(font);
    }
    int TextWidth(const std::string& text, const Font& font) override
    {
        double w = 0.0;
        for (size_t i = 0; i < text.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text[i]);
            w += c < 0x80 ? 0.55 : c >= 0xE4 && c <= 0xE9 ? 1.0 : (c & 0xC0) == 0xC0 ? 0.6 : 0.0;
        }
        return static_cast<int>(std::ceil(w * font.height));
    }
    void DrawText(int x, int y, const std::string& text) override
    {
        texts.push_back({x, y, TextWidth(text, font_), font_.height, text});
        // A text drawn on white is crossed only by what was drawn after its white.
        size_t from = 0;
        for (const auto& white : whites)
            if (white.first.x <= x && white.first.y <= y
                && x + texts.back().w <= white.first.x + white.first.w
                && y + font_.height <= white.first.y + white.first.h)
                from = white.second;
        linesFrom.push_back(from);
    }
    void Polyline(const double* xy, int count) override
    {
        for (int i = 0; i + 1 < count; ++i)
            lines.push_back({xy[2 * i], xy[2 * i + 1], xy[2 * i + 2], xy[2 * i + 3]});
        RasterDC::Polyline(xy, count);
    }
    void FillRect(int x, int y, int w, int h, Colour c) override
    {
        if ((w == 1 || h == 1) && (c == kPlotAxis || c == kPlotGrey || c == kPlotCursor))
            lines.push_back({double(x), double(y), double(x + w - 1), double(y + h - 1)});
        if (c == kPlotWhite) {
            boxes.push_back({x, y, w, h, ""});
            whites.push_back({boxes.back(), lines.size()});
        }
        RasterDC::FillRect(x, y, w, h, c);
    }
    std::vector<Text> texts, boxes;
    std::vector<std::array<double, 4>> lines;
    std::vector<size_t> linesFrom; // for each text, the first line that may cross it
    std::vector<std::pair<Text, size_t>> whites;

private:
    Font font_;
};

// Whether a line passes through the inside of a text's box (its edge may touch it).
bool Crosses(const std::array<double, 4>& s, const Text& t)
{
    const double x0 = t.x + 0.5, y0 = t.y + 0.5, x1 = t.x + t.w - 0.5, y1 = t.y + t.h - 0.5;
    const double dx = s[2] - s[0], dy = s[3] - s[1];
    double lo = 0.0, hi = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s[0] - x0, x1 - s[0], s[1] - y0, y1 - s[1]};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double r = q[k] / p[k];
        (p[k] < 0.0 ? lo : hi) = p[k] < 0.0 ? std::max(lo, r) : std::min(hi, r);
    }
    return lo < hi;
}

bool Overlap(const Text& a, const Text& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

} // namespace

// In every language, for the start-up, a subsonic flow (V1 300), a wall past the exact largest
// turn (beta 40), a wall turned into the flow (beta 200, the exact theory), a fast flow (V1
// 900, beta 100) and a faster one whose lines crowd at the plot's end (V1 3000), at the desktop's
// size, a phone's and a projector's (its words grown as the picture's labels show): every word
// drawn, measured as the shell's font measures it, lies inside the plot and is crossed by no
// curve or line, and each characteristic's label stands beside its line; with the cursor anywhere along the plot, the
// state's key message is never under the cursor's values, which on a phone stand under the x
// axis's caption: clear of the curves' box, the title, the legend and every word.
TEST(PlotLayout, EveryWordInsideAndUncrossedInEveryLanguageStateAndSize)
{
    struct State {
        double beta, v1;
        bool exact;
        PlotWord key; // the state's key message
    };
    const State states[] = {{start::kBeta, 450.0, false, PlotWord::TheoryEnd},
                            {start::kBeta, 300.0, false, PlotWord::NoFan},
                            {40.0, 450.0, false, PlotWord::TheoryVacuum},
                            {200.0, 450.0, true, PlotWord::Detached},
                            {100.0, 900.0, false, PlotWord::TheoryEnd},
                            {start::kBeta, 3000.0, false, PlotWord::TheoryVacuum}};
    // The desktop's default, a phone's plot (390 CSS px wide page) and a projector's.
    const int sizes[][3] = {{622, 384, kPlotTextCell},
                            {370, 228 + 108, PlotTextCellFor(370.0 / 622.0, 622, 370)},
                            {1100, 680, PlotTextCellFor(1100.0 / 622.0, 622, 1100)}};
    EXPECT_GT(sizes[2][2], 20); // the projector's words grow with the picture's labels
    int checked = 0;
    for (const char* code : {"ru", "en", "de", "es", "zh"}) {
        const PlotWords words = WordsOf(code);
        for (const State& st : states) {
            FlowState fs;
            fs.t1 = 273.0;
            fs.v1 = st.v1;
            ComputeUpstreamState(fs);
            Corner corner;
            if (st.exact)
                corner.physics = Physics::Exact;
            corner.SetWallAngle(WallAtBeta(st.beta));
            corner.ComputeFanGeometry(fs);
            const FanProfile p = ComputeFanProfile(fs, corner.wallAngle, corner.TurnAngle(fs));
            for (const auto& size : sizes) {
                const std::string where = std::string(code) + ", beta " + std::to_string(st.beta)
                                          + ", V1 " + std::to_string(st.v1) + ", "
                                          + std::to_string(size[0]) + "x" + std::to_string(size[1]);
                FrameBuffer b;
                b.Create(size[0], size[1], 1);
                MeasuringRecorder dc(b);
                const PlotLayout l = LayoutPlot(size[0], size[1], p, kDefaultPlotQuantities, &words,
                                                nullptr, size[2], &dc);
                const PlotMarks marks = DrawPlot(dc, l, p, kDefaultPlotQuantities, words);
                std::vector<Text> key; // its lines
                int lowestWord = 0;    // the foot of the lowest word drawn: the caption's
                for (size_t n = 0; n < dc.texts.size(); ++n) {
                    const Text& t = dc.texts[n];
                    EXPECT_TRUE(t.x >= 0 && t.y >= 0 && t.x + t.w <= size[0]
                                && t.y + t.h <= size[1])
                        << "«" << t.text << "» at " << t.x << "," << t.y << " w " << t.w << ": "
                        << where;
                    for (size_t k = dc.linesFrom[n]; k < dc.lines.size(); ++k) {
                        const auto& s = dc.lines[k];
                        EXPECT_FALSE(Crosses(s, t))
                            << "«" << t.text << "» crossed by the line " << s[0] << "," << s[1]
                            << " - " << s[2] << "," << s[3] << ": " << where;
                    }
                    if (!t.text.empty() && t.y > l.top && t.y < l.bottom
                        && words[st.key].find(t.text) != std::string::npos)
                        key.push_back(t);
                    // A characteristic's label stands beside its own line, 3 px off it.
                    for (const auto& [word, phi] :
                         {std::pair{PlotWord::FanStart, p.modelFan ? p.modelFirst : p.exactFirst},
                          std::pair{PlotWord::ModelEnd, p.modelLast},
                          std::pair{PlotWord::TheoryEnd, p.exactLast},
                          std::pair{PlotWord::TheoryVacuum, p.exactLast}})
                        if (t.text == words[word]) {
                            const double x = std::round(l.X(phi));
                            EXPECT_TRUE(std::abs(t.x - (x + 3)) <= 1 || std::abs(t.x + t.w - (x - 3)) <= 1)
                                << "«" << t.text << "» at " << t.x << ".." << t.x + t.w
                                << ", its line at " << x << ": " << where;
                        }
                    lowestWord = std::max(lowestWord, t.y + t.h);
                    ++checked;
                }
                EXPECT_FALSE(key.empty()) << words[st.key] << " not drawn: " << where;
                for (size_t i = 0; i < p.samples.size(); i += 15) {
                    dc.texts.clear();
                    dc.boxes.clear();
                    dc.lines.clear();
                    dc.linesFrom.clear();
                    dc.whites.clear();
                    DrawPlotCursor(dc, l, p.samples[i], kDefaultPlotQuantities, words, &marks);
                    for (const Text& box : dc.boxes) {
                        for (const Text& line : key)
                            EXPECT_FALSE(Overlap(box, line))
                                << "the cursor at sample " << i << " covers «" << line.text
                                << "»: " << where;
                        EXPECT_TRUE(box.x >= 0 && box.x + box.w <= size[0] && box.y >= 0
                                    && box.y + box.h <= size[1])
                            << box.x << "," << box.y << " " << box.w << "x" << box.h << " top "
                            << l.top << ": " << where;
                        if (size[0] < 500) { // a phone: under the curves' box and every word
                            EXPECT_GE(box.y, std::max(l.bottom, lowestWord)) << where;
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(checked, 5 * 5 * 3 * 10);
}
