// The session's parts on their own: what a pointer asks for, with no flow; the one reader of a
// start state; the picture's description.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/constants.h"
#include "dialog/fields.h"
#include "dialog/flow_session.h"
#include "dialog/kept_choices.h"
#include "dialog/pointer_gesture.h"
#include "dialog/start_link.h"
#include "dialog/start_state.h"
#include "tests/support/session_input.h"
#include "tests/support/start_up.h"

namespace {

// The start-up wall, shown at half the picture's size.
struct HalfSize {
    WallLine wall{start::kWidth / 2, start::kHeight / 2, start::kWall, start::kWidth,
                  start::kHeight};
    PointerGesture g;
    HalfSize() { g.SetDisplaySize(start::kWidth / 2.0, start::kHeight / 2.0); }
    // A point on the wall, t picture pixels from the corner, in display units.
    std::pair<double, double> OnWall(double t) const
    {
        return {(wall.apexX + t * std::sin(wall.angle)) / 2,
                (wall.apexY + t * std::cos(wall.angle)) / 2};
    }
};

// The names of the pairs a reader left out.
std::vector<std::string> NamesOf(const std::vector<StartProblem>& problems)
{
    std::vector<std::string> names;
    for (const StartProblem& p : problems)
        names.push_back(p.values.at(0));
    return names;
}

} // namespace

TEST(PointerGesture, FingersAndTheMouseWithoutAFlow)
{
    HalfSize h;
    // A finger far from the wall reads where it is, in picture pixels, and leaves a mark.
    PointerIntent i = h.g.Pressed(input::Finger(10.75, 20.25), h.wall);
    EXPECT_TRUE(i.read && !i.turnWall);
    EXPECT_EQ(std::make_pair(i.x, i.y), std::make_pair(21, 40));
    EXPECT_TRUE(h.g.Mark().shown);
    // A second finger is ignored while the first holds the picture; the first moves the mark.
    i = h.g.Moved(input::Finger(100, 100, 2), h.wall);
    EXPECT_FALSE(i.read || i.turnWall);
    i = h.g.Moved(input::Finger(12, 30), h.wall);
    EXPECT_TRUE(i.read && !i.turnWall);
    EXPECT_EQ(h.g.Mark().x, 12.0);
    h.g.Released(input::Finger(12, 30));
    EXPECT_TRUE(h.g.Mark().shown); // the read-out stays where it was lifted
    EXPECT_FALSE(h.g.Moved(input::Finger(50, 50), h.wall).read); // a finger cannot hover

    // Near the wall, measured in display units (30 units across x is 21 from the line; 40 is
    // 28, beyond a fingertip's reach): the finger takes hold of the wall and turns it as it
    // moves.
    const auto [wx, wy] = h.OnWall(100);
    EXPECT_TRUE(h.g.NearWall(input::Finger(wx + 30, wy), h.wall));
    EXPECT_FALSE(h.g.NearWall(input::Finger(wx + 40, wy), h.wall));
    i = h.g.Pressed(input::Finger(wx + 30, wy), h.wall);
    EXPECT_FALSE(i.read || i.turnWall);
    EXPECT_TRUE(h.g.Dragging());
    EXPECT_FALSE(h.g.Mark().shown);
    i = h.g.Moved(input::Finger(wx, wy + 50), h.wall);
    EXPECT_TRUE(i.turnWall && i.read);
    h.g.Released(input::Finger(wx, wy + 50));
    EXPECT_FALSE(h.g.Dragging());

    // The mouse: a press turns the wall at once and reads there; a move without the button
    // after a release elsewhere ends the drag and reads.
    i = h.g.Pressed(input::Mouse(200, 150), h.wall);
    EXPECT_TRUE(i.turnWall && i.read);
    EXPECT_EQ(std::make_pair(i.x, i.y), std::make_pair(400, 300));
    i = h.g.Moved(input::Mouse(210, 150, false), h.wall);
    EXPECT_TRUE(i.read && !i.turnWall);
    EXPECT_FALSE(h.g.Dragging());

    // A point that is no number is no crash: no wall is near it, and its pixel is 0.
    EXPECT_FALSE(h.g.NearWall(input::Finger(NAN, 5), h.wall));
    i = h.g.Pressed(input::Finger(NAN, INFINITY), h.wall);
    EXPECT_EQ(i.x, 0);
}

TEST(StartPairs, OneReaderForEveryShell)
{
    const std::string longName(50, 'x');
    const std::vector<std::pair<std::string, std::string>> pairs = {
        {"v1", "600"},          {"t1", " 1,5"},     {"gamma", std::string(65, '1')},
        {"beta", "150.5"},      {"lang", "xx"},     {"paused", "1"},
        {"seed", "4294967295"}, {"ticks", "10001"}, {"theory", "2"},
        {"labels", "0"},        {"wall", "1"},      {"wall", "2"},
        {longName, "1"},        {"ticks", "3"},     {"physics", "Exact"},
    };
    std::vector<StartProblem> problems;
    const StartState s = ReadStartPairs(pairs, problems);
    EXPECT_EQ(s.v1, std::optional<std::string>("600"));
    EXPECT_EQ(s.t1, std::optional<std::string>(" 1,5")) << "a text as typed into the field";
    EXPECT_FALSE(s.gamma) << "longer than a number a link carries";
    EXPECT_EQ(s.beta, std::optional<double>(150.5));
    EXPECT_FALSE(s.language);
    EXPECT_EQ(s.paused, std::optional<bool>(true));
    EXPECT_EQ(s.seed, std::optional<uint32_t>(4294967295u));
    EXPECT_EQ(s.ticks, 3);
    EXPECT_FALSE(s.exactTheory);
    EXPECT_EQ(s.labels, std::optional<bool>(false));
    const std::vector<std::string> expected = {
        "gamma", "lang", "ticks", "theory", "wall", std::string(40, 'x') + "…", "physics"};
    EXPECT_EQ(NamesOf(problems), expected);
    // One message per problem, with the name and the value as given.
    EXPECT_EQ(StartProblemText(problems[0]),
              "gamma: «" + std::string(40, '1') + "…» — слишком длинное значение");
    EXPECT_EQ(StartProblemText(problems[2]), "ticks: «10001» — нужно целое число 0..10000");
    EXPECT_EQ(StartProblemText(problems[6]), "physics: «Exact» — нужно одно из: model, exact");

    // Put into a session: the inputs, the wall, the ticks, the pause.
    FlowSession session;
    start::Open(session, 5);
    EXPECT_EQ(ApplyStartPairs(session, {{"v1", "600"},
                                        {"beta", "150"},
                                        {"ticks", "3"},
                                        {"paused", "1"},
                                        {"theory", "1"},
                                        {"physics", "exact"}})
                  .size(),
              0u);
    EXPECT_EQ(session.FieldText(ControlId::UpstreamSpeed), "600");
    EXPECT_EQ(session.BetaLabel(), "\u03B2=150");
    EXPECT_EQ(session.Ticks(), 3u);
    EXPECT_TRUE(session.Paused());
    EXPECT_TRUE(session.ExactTheory());
    EXPECT_EQ(session.PhysicsShown(), Physics::Exact);
}

// The link the page copies is written by the core and read back by the same reader: a state
// made of a typed comma, a gas typed as 5/3 shows (1.667: 5/3, with the field's note), a wall
// off the whole degrees, the pause and the exact physics opens again as it stood.
TEST(StartPairs, AWrittenLinkOpensTheSameState)
{
    const std::vector<std::pair<std::string, std::string>> opened = {{"seed", "8"}, {"ticks", "4"}};
    FlowSession a;
    start::Open(a, 5);
    EXPECT_EQ(ApplyStartPairs(a, {{"t1", "300,5"},
                                  {"gamma", "1.667"},
                                  {"mu", "4"},
                                  {"beta", "150.25"},
                                  {"paused", "1"},
                                  {"physics", "exact"},
                                  {"ticks", "4"}})
                  .size(),
              0u);
    EXPECT_EQ(a.State().gamma, 5.0 / 3.0);
    EXPECT_EQ(a.GasNote(), kGammaFiveThirdsNote);
    std::vector<StartProblem> problems;
    const auto link = StartLinkPairs(a, ReadStartPairs(opened, problems));
    EXPECT_NE(std::find(link.begin(), link.end(),
                        std::make_pair(std::string("t1"), std::string("300.5"))),
              link.end());
    EXPECT_NE(std::find(link.begin(), link.end(), opened[0]), link.end());

    FlowSession b;
    start::Open(b, 5);
    EXPECT_EQ(ApplyStartPairs(b, link).size(), 0u);
    // The inputs as read ("300,5" is written 300.5), every computed field the same.
    for (size_t i = 0; i < FieldCount(); ++i) {
        if (FieldTable()[i].source != FieldSource::Input) {
            EXPECT_EQ(b.FieldText(FieldTable()[i].id), a.FieldText(FieldTable()[i].id)) << i;
        }
    }
    EXPECT_EQ(std::make_tuple(b.State().gamma, b.State().molarMass, b.BodyAngle(), b.Paused(),
                              b.PhysicsShown(), b.ExactTheory(), b.Ticks()),
              std::make_tuple(a.State().gamma, a.State().molarMass, a.BodyAngle(), a.Paused(),
                              a.PhysicsShown(), a.ExactTheory(), a.Ticks()));
}

// What a screen reader hears is built in the core: the flow as the status line says it, the
// labels as drawn, the pause when paused, the keys.
TEST(PictureDescription, WordsAndValuesForEveryShell)
{
    FlowSession s;
    start::Open(s, 5);
    std::vector<SpokenSentence> d = s.Description();
    ASSERT_EQ(d.size(), 3u);
    EXPECT_STREQ(d[0].words, PictureWords(PictureFacts::Flow::Attached));
    EXPECT_EQ(d[0].values,
              (std::vector<std::string>{"45", s.Facts().turnDegrees, s.Facts().spanDegrees}));
    EXPECT_EQ(d[1].words, nullptr);
    EXPECT_EQ(d[1].values, (std::vector<std::string>{s.BetaLabel(), s.AlphaLabel(), s.ChiLabel()}));
    EXPECT_STREQ(d[2].words, kPictureKeysWords);
    s.SetPaused(true);
    input::Leave(s, "200", "273", "100000"); // subsonic: no fan, no alpha or chi
    d = s.Description();
    ASSERT_EQ(d.size(), 4u);
    EXPECT_STREQ(d[0].words, PictureWords(PictureFacts::Flow::NoFan));
    EXPECT_EQ(d[1].values, std::vector<std::string>{s.BetaLabel()});
    EXPECT_STREQ(d[2].words, kPausedWords);
    s.SetPhysics(Physics::Exact); // the description follows the flow the picture follows
    EXPECT_STREQ(s.Description()[0].words, kExactSubsonicWords);
}

namespace {

// A session at the start-up state, with the status line's sentences at hand.
struct Status {
    FlowSession s;
    Status() { start::Open(s, 5); }
    std::vector<SpokenSentence> Now() const { return s.Status(); }
    std::string Words(size_t i) const { return Now().size() > i ? Now()[i].words : ""; }
    std::vector<std::string> Values(size_t i) const
    {
        return Now().size() > i ? Now()[i].values : std::vector<std::string>{};
    }
};

// nu(M), degrees, from its definition.
double NuDegrees(double m, double g)
{
    const double r = std::sqrt((g + 1) / (g - 1));
    return (r * std::atan(std::sqrt((m * m - 1) / (r * r))) - std::atan(std::sqrt(m * m - 1)))
           * kDegreesPerRadian;
}

} // namespace

// The model's status line names the wall's turn and the flow's apart, and says what the exact
// theory does where it differs: at beta 40 the wall is turned 140 degrees, the model's flow
// only nu_max = 130, and the exact flow has a vacuum past nu_max - nu(M1).
TEST(StatusLine, TheModelsFlowAndWhereTheExactTheoryDiffers)
{
    Status t;
    EXPECT_EQ(t.Words(0), PictureWords(PictureFacts::Flow::Attached));
    EXPECT_EQ(t.Now().size(), 1u);
    t.s.SetBodyAngle(40.0);
    EXPECT_EQ(t.Words(0), PictureWords(PictureFacts::Flow::Separated));
    EXPECT_EQ(t.Values(0).at(0), "140");
    EXPECT_EQ(t.Values(0).at(1), "130");
    ASSERT_EQ(t.Now().size(), 2u);
    EXPECT_EQ(t.Words(1), kExactVacuumWords);
    const double g = t.s.State().gamma, m = t.s.State().mach1;
    const double chiMax = (std::sqrt((g + 1) / (g - 1)) - 1) * 90.0 - NuDegrees(m, g);
    EXPECT_NEAR(std::stod(t.Values(1).at(0)), chiMax, 0.006);
    EXPECT_NEAR(chiMax, 123.29, 0.01); // the published value at the start-up state

    // Between nu_max - nu(M1) and nu_max the model's flow follows the wall; the exact one
    // already has a vacuum, and the status says so instead of "attached".
    t.s.SetBodyAngle(180.0 - (chiMax + 3.0));
    EXPECT_NE(t.Words(0), PictureWords(PictureFacts::Flow::Attached));
    EXPECT_EQ(t.Words(1), kExactVacuumWords);

    // Where the model's flow past the fan (the probe run's last step) runs other than along
    // the wall: air at V1 3000 (the exact flow has a vacuum there), CO2 at V1 900 (the exact
    // flow follows the wall).
    input::Leave(t.s, "3000", "273", "100000");
    t.s.SetBodyAngle(135.0);
    EXPECT_EQ(t.Words(0), PictureWords(PictureFacts::Flow::LeavesWall));
    EXPECT_EQ(t.Words(1), kExactVacuumWords);
    const FlowField& field = t.s.Field();
    const double exit = std::atan2(-field.exitStepY, field.exitStepX) * kDegreesPerRadian;
    EXPECT_EQ(t.Values(0).at(2), FormatFixed(std::fabs(exit + 45.0), 0));
    EXPECT_GT(std::fabs(exit + 45.0), 10.0);
    ASSERT_TRUE(t.s.SetGas("co2"));
    input::Leave(t.s, "900", "273", "100000");
    EXPECT_EQ(t.Words(0), PictureWords(PictureFacts::Flow::LeavesWall));
    EXPECT_EQ(t.Words(1), kExactFollowsWords);
    EXPECT_EQ(t.Values(1), std::vector<std::string>{"45"});
    t.s.SetGas("air");
    input::Leave(t.s, "450", "273", "100000");

    // A wall turned into the flow: the exact theory's oblique shock, or past theta_max
    // (7.65 degrees at the start-up M1) its detached shock.
    t.s.SetBodyAngle(200.0);
    EXPECT_EQ(t.Words(0), kIntoFlowDetachedWords);
    EXPECT_EQ(t.Values(0), (std::vector<std::string>{"20", "7.65"}));
    input::Leave(t.s, "900", "273", "100000");
    EXPECT_EQ(t.Words(0), kIntoFlowShockWords);
    EXPECT_EQ(t.Values(0), std::vector<std::string>{"20"});

    // Not supersonic: not computed; inputs that are no state of a gas: said alone.
    input::Leave(t.s, "300", "273", "100000");
    EXPECT_EQ(t.Words(0), PictureWords(PictureFacts::Flow::NoFan));
    EXPECT_EQ(t.Now().size(), 1u);
    input::Leave(t.s, "-300", "0", "-5");
    ASSERT_EQ(t.Now().size(), 2u);
    EXPECT_EQ(t.Words(0), kBackwardWords);
    EXPECT_EQ(t.Words(1), kNotPhysicalWords);
    EXPECT_EQ(t.Values(1), std::vector<std::string>{"T1 \u2264 0, P1 \u2264 0"});
    input::Leave(t.s, "450", "273", "0");
    EXPECT_EQ(t.Now().size(), 1u);
    EXPECT_EQ(t.Values(0), std::vector<std::string>{"P1 \u2264 0"});
    input::Leave(t.s, "0", "273", "100000"); // a gas at rest is a state: not supersonic
    EXPECT_EQ(t.Words(0), PictureWords(PictureFacts::Flow::NoFan));
}

// With the exact theory chosen, the status line gives its kind of flow and its numbers, which
// are checked here against the textbook relations themselves.
TEST(StatusLine, TheExactTheorysFlow)
{
    Status t;
    t.s.SetPhysics(Physics::Exact);
    // The fan at start-up: turned 45 degrees, M2 from nu(M2) = nu(M1) + 45, p2/p1 isentropic.
    ASSERT_EQ(t.Words(0), kExactFanWords);
    const double g = t.s.State().gamma, m1 = t.s.State().mach1;
    const std::vector<std::string> fan = t.Values(0);
    ASSERT_EQ(fan.size(), 3u);
    EXPECT_EQ(fan[0], "45");
    const double m2 = std::stod(fan[1]);
    EXPECT_NEAR(NuDegrees(m2, g), NuDegrees(m1, g) + 45.0, 0.05);
    const auto f = [g](double m) { return 1 + (g - 1) / 2 * m * m; };
    EXPECT_NEAR(std::stod(fan[2]), std::pow(f(m1) / f(m2), g / (g - 1)), 0.002);

    // Past the largest turn: the fan to vacuum.
    t.s.SetBodyAngle(40.0);
    EXPECT_EQ(t.Words(0), kExactFanToVacuumWords);
    EXPECT_EQ(t.Values(0).at(0), "140");
    EXPECT_NEAR(std::stod(t.Values(0).at(1)), 123.29, 0.006);

    // Detached at the start-up M1 with beta 200: theta 20 > theta_max 7.65 (NACA 1135).
    t.s.SetBodyAngle(200.0);
    EXPECT_EQ(t.Words(0), kExactDetachedWords);
    EXPECT_EQ(t.Values(0), (std::vector<std::string>{"20", "7.65"}));

    // Attached at V1 900: the shock angle sigma satisfies the theta-beta-M relation for
    // theta 20, and p2/p1 the normal shock's relation at M1 sin(sigma).
    input::Leave(t.s, "900", "273", "100000");
    ASSERT_EQ(t.Words(0), kExactShockWords);
    const std::vector<std::string> shock = t.Values(0);
    ASSERT_EQ(shock.size(), 4u);
    EXPECT_EQ(shock[0], "20");
    const double m = t.s.State().mach1, sigma = std::stod(shock[1]) * kRadiansPerDegree;
    const double mn2 = m * m * std::sin(sigma) * std::sin(sigma);
    const double theta = std::atan(2 / std::tan(sigma) * (mn2 - 1)
                                   / (m * m * (g + std::cos(2 * sigma)) + 2));
    EXPECT_NEAR(theta * kDegreesPerRadian, 20.0, 0.01);
    EXPECT_NEAR(std::stod(shock[3]), 1 + 2 * g / (g + 1) * (mn2 - 1), 0.002);
    EXPECT_LT(std::stod(shock[2]), m);

    // No supersonic state: the theory does not apply, said alone.
    input::Leave(t.s, "300", "273", "100000");
    EXPECT_EQ(t.Words(0), kExactSubsonicWords);
    EXPECT_EQ(t.Now().size(), 1u);
    input::Leave(t.s, "450", "-1", "100000");
    ASSERT_EQ(t.Now().size(), 2u);
    EXPECT_EQ(t.Words(0), kNotPhysicalWords);
    EXPECT_EQ(t.Words(1), kExactNotApplicableWords);
}

// The legend lists what the picture draws now, each line in the picture's own pen: at
// start-up neither the flow boundary nor the exact theory's lines; the exact theory's lines
// once shown (named as the shell shows the command); the boundary past the largest turn.
TEST(Legend, WhatThePictureDrawsNow)
{
    FlowSession s;
    start::Open(s, 5);
    const auto hasLine = [](const std::vector<LegendItem>& items, const Pen& pen) {
        for (const LegendItem& i : items)
            if (i.sample == LegendItem::Sample::Line && i.pen.colour == pen.colour
                && i.pen.style == pen.style && i.pen.width == pen.width)
                return true;
        return false;
    };
    Corner c;
    const std::vector<LegendItem> atStart = s.Legend();
    for (const Pen& pen : {c.wallPen, c.thinPen, c.dashPen, s.Field().streamlines[1].pen})
        EXPECT_TRUE(hasLine(atStart, pen));
    EXPECT_FALSE(hasLine(atStart, c.dotPen));
    EXPECT_FALSE(hasLine(atStart, s.View().exactPen));
    int marks = 0;
    for (const LegendItem& i : atStart) {
        ASSERT_NE(i.words, nullptr);
        if (i.sample == LegendItem::Sample::Dots)
            marks += i.fill == Tracer::kColour;
        if (i.sample == LegendItem::Sample::Disc)
            marks += i.fill == s.Field().marker.brush.colour;
    }
    EXPECT_EQ(marks, 2);

    s.SetExactTheory(true);
    const std::vector<LegendItem> shown = s.Legend();
    EXPECT_LT(atStart.size(), shown.size());
    EXPECT_TRUE(hasLine(shown, s.View().exactPen));
    const std::vector<LegendItem> page = s.Legend(LegendShell::Page);
    ASSERT_EQ(page.size(), shown.size());
    int differ = 0;
    for (size_t i = 0; i < page.size(); ++i)
        differ += std::string(page[i].words) != shown[i].words;
    EXPECT_EQ(differ, 1); // "menu" on the desktop, "button" on the page

    s.SetBodyAngle(10.0);
    EXPECT_TRUE(hasLine(s.Legend(), c.dotPen));
    // Without a fan: no alpha, chi or delta-phi, no fan's lines.
    input::Leave(s, "300", "273", "100000");
    EXPECT_FALSE(hasLine(s.Legend(), c.dashPen));
    EXPECT_LT(s.Legend().size(), atStart.size());

    // The exact theory's flow: past its largest turn the limiting streamline and the vacuum;
    // a wall turned into the flow, the shock; no model's boundary, no overlay of its own.
    const auto hasArea = [](const std::vector<LegendItem>& items, Colour fill) {
        for (const LegendItem& i : items)
            if (i.sample == LegendItem::Sample::Area && i.fill == fill)
                return true;
        return false;
    };
    LegendPens pens;
    pens.shock = c.shockPen;
    pens.vacuum = Corner::kVacuumTint;
    pens.notComputed = Corner::kNotComputedTint;
    s.SetPhysics(Physics::Exact);
    input::Leave(s, "450", "273", "100000");
    s.SetBodyAngle(40.0);
    EXPECT_TRUE(hasLine(s.Legend(), c.dotPen));
    EXPECT_TRUE(hasArea(s.Legend(), pens.vacuum));
    EXPECT_FALSE(hasLine(s.Legend(), s.View().exactPen));
    s.SetBodyAngle(200.0); // detached at the start-up M1: not computed
    EXPECT_TRUE(hasArea(s.Legend(), pens.notComputed));
    EXPECT_FALSE(hasLine(s.Legend(), pens.shock));
    input::Leave(s, "900", "273", "100000");
    EXPECT_TRUE(hasLine(s.Legend(), pens.shock));
    EXPECT_FALSE(hasArea(s.Legend(), pens.vacuum));
}

// Each item's sample is drawn by the core in the picture's own pen, and the shells show those
// pixels: a dashed line in the dash pattern the picture's lines carry (18 pixels on, 6 off, from
// its first pixel), the wall three pixels thick, the tracers as single pixels, the marker's disc
// outlined in the frame's pen, a tint's patch; a symbol has none. At twice the scale (a screen
// of two device pixels per CSS pixel) the same sample at its device pixels.
TEST(Legend, SamplesAreDrawnInThePicturesPens)
{
    FlowSession s;
    start::Open(s, 5);
    s.SetExactTheory(true);
    const std::vector<LegendItem> items = s.Legend();
    const Corner& c = s.Geometry();
    const int mid = kLegendSampleHeight / 2;
    int checked = 0;
    for (const LegendItem& item : items) {
        FrameBuffer one, two;
        const bool drawn = DrawLegendSample(item, one, 1);
        EXPECT_EQ(drawn, DrawLegendSample(item, two, 2));
        if (item.sample == LegendItem::Sample::Symbol) {
            EXPECT_FALSE(drawn);
            EXPECT_TRUE(one.Empty());
            continue;
        }
        ASSERT_TRUE(drawn);
        ASSERT_EQ(one.width, kLegendSampleWidth);
        ASSERT_EQ(two.deviceWidth, 2 * kLegendSampleWidth);
        EXPECT_EQ(two.At(2 * 24 + 1, 2 * mid + 1), one.At(24, mid)); // the sample's middle
        const uint32_t white = 0xFFFFFFu;
        const uint32_t pen = item.pen.colour.Rgb32() & 0xFFFFFFu;
        const uint32_t fill = item.fill.Rgb32() & 0xFFFFFFu;
        if (item.sample == LegendItem::Sample::Line && item.pen.style == PenStyle::Dash) {
            for (int x = 4; x < 44; ++x)
                EXPECT_EQ(one.At(x, mid), (x - 4) % 24 < 18 ? pen : white) << x;
            ++checked;
        } else if (item.sample == LegendItem::Sample::Line && item.pen.width == c.wallPen.width
                   && item.pen.colour == c.wallPen.colour) {
            for (int y = mid - 1; y <= mid + 1; ++y)
                EXPECT_EQ(one.At(24, y), pen) << y;
            EXPECT_EQ(one.At(24, mid - 3), white);
            ++checked;
        } else if (item.sample == LegendItem::Sample::Dots) {
            int dots = 0;
            for (int y = 0; y < kLegendSampleHeight; ++y)
                for (int x = 0; x < kLegendSampleWidth; ++x)
                    if (one.At(x, y) == fill)
                        ++dots;
                    else
                        EXPECT_EQ(one.At(x, y), white) << x << "," << y;
            EXPECT_EQ(dots, 4);
            ++checked;
        } else if (item.sample == LegendItem::Sample::Disc) {
            EXPECT_EQ(one.At(kLegendSampleWidth / 2, mid), fill);
            // The disc's rightmost pixel on its middle row is the outline's, at its radius.
            int right = kLegendSampleWidth - 1;
            while (right > 0 && one.At(right, mid) == white)
                --right;
            EXPECT_EQ(one.At(right, mid), pen);
            EXPECT_NEAR(right, kLegendSampleWidth / 2 + kLegendDiscRadius, 1);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 4); // the fan's dashed lines, the walls, the tracers, the marker
}

// The flow the picture follows is the user's choice: the menu's command and the key E turn it
// over, its check mark follows, it is kept and recalled at the next opening; with the model
// chosen the menu is as it was.
TEST(PhysicsChoice, MenuKeyAndKept)
{
    struct Store : ChoiceStore {
        std::map<std::string, std::string> kept;
        std::string Read(const std::string& key) const override
        {
            const auto it = kept.find(key);
            return it == kept.end() ? "" : it->second;
        }
        void Write(const std::string& key, const std::string& text) override { kept[key] = text; }
    } store;
    const auto checked = [](const FlowSession& s) {
        for (const MenuItem& item : s.Menu())
            if (item.command == Command::Physics)
                return item.checkable && item.checked;
        return false;
    };
    {
        FlowSession s;
        s.KeepChoicesIn(&store);
        start::Open(s, 5);
        EXPECT_EQ(s.PhysicsShown(), Physics::Model);
        EXPECT_FALSE(checked(s));
        EXPECT_EQ(s.KeyPressed(input::Press(Key::E)), ShellAction::None);
        EXPECT_EQ(s.PhysicsShown(), Physics::Exact);
        EXPECT_TRUE(checked(s));
        EXPECT_EQ(store.kept.at(kKeptPhysics), "exact");
        KeyEvent withControl = input::Press(Key::E);
        withControl.control = true;
        EXPECT_EQ(s.KeyPressed(withControl), ShellAction::Ignored);
        EXPECT_EQ(s.PhysicsShown(), Physics::Exact);
    }
    {
        FlowSession s;
        s.KeepChoicesIn(&store);
        start::Open(s, 5);
        RecallKeptChoices(s, s.Kept(), true);
        EXPECT_EQ(s.PhysicsShown(), Physics::Exact);
        EXPECT_EQ(s.Choose(Command::Physics), ShellAction::None);
        EXPECT_EQ(s.PhysicsShown(), Physics::Model);
        EXPECT_EQ(store.kept.at(kKeptPhysics), "model");
        s.SetPhysics(Physics::Exact); // a start state's: not kept
        EXPECT_EQ(store.kept.at(kKeptPhysics), "model");
    }
    store.kept[kKeptPhysics] = "vacuum"; // no such choice: nothing recalled
    EXPECT_FALSE(ReadKeptChoices(store).physics.has_value());
}

// The gas is an input of the session: chosen from the list, typed, or read from a link; a bad
// value is refused with its note and changes nothing; Reset returns to air.
TEST(SessionGas, ChosenTypedLinkedAndReset)
{
    FlowSession s;
    start::Open(s, 5);
    const std::string airC1 = s.FieldText(ControlId::UpstreamSoundSpeed);
    const double airTurn = s.State().maxTurnAngle;

    EXPECT_FALSE(s.SetGas("xenon"));
    EXPECT_EQ(s.Gas(), "air");
    ASSERT_TRUE(s.SetGas("he"));
    // Helium at 273 K: c = sqrt(gamma R T / mu) = 972 m/s; the largest turn is 90 degrees.
    EXPECT_NEAR(s.State().c1, 972.0, 0.5);
    EXPECT_EQ(s.FieldText(ControlId::UpstreamSoundSpeed), "972.2");
    EXPECT_NEAR(s.State().maxTurnAngle, kHalfPi, 1e-12);
    EXPECT_EQ(s.PictureFileName(), "cornerflow-He-\u03B2135.png");
    EXPECT_EQ(s.PlotFileName(), "cornerflow-plot-He-\u03B2135.png");

    // "Other gas" keeps helium's numbers until others are typed; 5/3 itself is in range.
    ASSERT_TRUE(s.SetGas(kOtherGasCode));
    EXPECT_EQ(s.State().gamma, 5.0 / 3.0);
    // 5/3 is written as the fields write their values, and reads back to helium.
    EXPECT_EQ(s.GasGammaText(), "1.667");
    EXPECT_TRUE(s.SetGasValues(s.GasGammaText(), s.GasMolarMassText()));
    EXPECT_EQ(GasOf(s.State().gamma, s.State().molarMass), FindGas("he"));
    EXPECT_EQ(s.GasNote(), kGammaFiveThirdsNote);
    // Out of range, or no number at all: the note says why and nothing changes.
    for (const auto& [gamma, mu] : std::vector<std::pair<std::string, std::string>>{
             {"1", "28"}, {"1.7", "28"}, {"abc", "28"}, {"1e999", "28"}}) {
        EXPECT_FALSE(s.SetGasValues(gamma, mu)) << gamma;
        EXPECT_EQ(s.GasNote(), kGammaRangeNote) << gamma;
        EXPECT_EQ(s.State().gamma, 5.0 / 3.0) << gamma;
    }
    EXPECT_FALSE(s.SetGasValues("1.3", "0.5"));
    EXPECT_EQ(s.GasNote(), kMolarMassRangeNote);
    EXPECT_FALSE(s.SetGasValues("1", "1001"));
    EXPECT_EQ(s.GasNote(), std::string(kGammaRangeNote) + "; " + kMolarMassRangeNote);
    EXPECT_EQ(s.State().molarMass, 4.0026);
    // A comma is read and said; a gamma below about 1.27 turns the flow past 180 degrees.
    EXPECT_TRUE(s.SetGasValues("1,1", "44"));
    EXPECT_EQ(s.GasNote(), "\u03B3 прочитано: 1.1");
    EXPECT_EQ(s.State().gamma, 1.1);
    EXPECT_GT(s.State().maxTurnAngle, kPi);
    // The wall turned back as far as it goes and the tracers moved: nothing breaks. The
    // model's flow past the fan does not run along the wall there, and the status says so.
    s.KeyPressed(input::Press(Key::Home));
    for (int i = 0; i < 20; ++i)
        s.StepOnce();
    EXPECT_EQ(s.Facts().flow, PictureFacts::Flow::LeavesWall);
    EXPECT_EQ(
        s.PictureFileName(), "cornerflow-gamma1.1-mu44-" + [&] {
            std::string b = s.BetaLabel();
            return b.erase(b.find('='), 1);
        }() + ".png");

    s.Reset();
    EXPECT_EQ(s.Gas(), "air");
    EXPECT_EQ(s.State().gamma, 1.4);
    EXPECT_EQ(s.FieldText(ControlId::UpstreamSoundSpeed), airC1);
    EXPECT_EQ(s.State().maxTurnAngle, airTurn);

    // A link: a gas of the list, or typed numbers; a bad one is named and left out.
    EXPECT_EQ(NamesOf(ApplyStartPairs(s, {{"gas", "co2"}, {"gamma", "1.7"}, {"mu", "0"}})),
              (std::vector<std::string>{"gamma", "mu"}));
    EXPECT_EQ(s.Gas(), "co2");
    EXPECT_EQ(NamesOf(ApplyStartPairs(s, {{"gas", "neon"}, {"gamma", "1.3"}, {"mu", "44"}})),
              std::vector<std::string>{"gas"});
    EXPECT_EQ(s.Gas(), kOtherGasCode);
    EXPECT_EQ(s.State().gamma, 1.3);
    EXPECT_EQ(s.State().molarMass, 44.0);
    // Helium with another molar mass keeps gamma at exactly 5/3.
    s.Reset();
    EXPECT_EQ(ApplyStartPairs(s, {{"gas", "he"}, {"mu", "20"}}).size(), 0u);
    EXPECT_EQ(s.State().gamma, 5.0 / 3.0);
    EXPECT_EQ(s.State().molarMass, 20.0);
}

namespace {

// A storage in memory, as a shell's settings file or the browser's storage holds the texts.
struct MemoryStore : ChoiceStore {
    std::map<std::string, std::string> kept;
    int writes = 0;
    std::string Read(const std::string& key) const override
    {
        const auto it = kept.find(key);
        return it == kept.end() ? std::string() : it->second;
    }
    void Write(const std::string& key, const std::string& text) override
    {
        kept[key] = text;
        ++writes;
    }
};

} // namespace

// What is kept is what the user chose, written as it is chosen; the opening state (a link,
// the command line, the program's own set-up) writes nothing, and the next opening takes the
// choices back under the state it names.
TEST(KeptChoices, OnlyTheUsersChoicesAndBackAtTheNextOpening)
{
    MemoryStore store;
    {
        FlowSession s;
        s.KeepChoicesIn(&store);
        start::Open(s, 5);
        ApplyStartPairs(s, {{"gas", "ar"}, {"theory", "1"}, {"lang", "en"}, {"v1", "600"}});
        s.SetGas("he");
        s.SetPlotQuantities(kAllQuantities);
        s.SetLanguage("de");
        s.Reset();
        EXPECT_EQ(store.writes, 0) << "the program's own settings were kept";

        s.Choose(Command::ExactTheory); // was on from the link: now off, and that is kept
        s.Choose(Command::Plot);
        s.Choose(Command::Language, "es");
        s.ChoosePlotQuantities(QuantityBit(Quantity::Pressure));
        EXPECT_FALSE(s.ChooseGasValues("1.9", "44")) << "out of range";
        EXPECT_EQ(store.Read(kKeptGas), "");
        EXPECT_TRUE(s.ChooseGasValues("1,3", "44"));
    }
    EXPECT_EQ(store.kept, (std::map<std::string, std::string>{{kKeptExactTheory, "false"},
                                                              {kKeptPlotOpen, "true"},
                                                              {kKeptLanguage, "es"},
                                                              {kKeptPlotQuantities, "2"},
                                                              {kKeptGas, kOtherGasCode},
                                                              {kKeptGamma, "1.3"},
                                                              {kKeptMolarMass, "44"}}));
    ASSERT_EQ(QuantityBit(Quantity::Pressure), 2u) << "the kept text above";

    // Both shells' forms of a yes read alike; the next opening takes everything back.
    store.kept[kKeptExactTheory] = "1";
    FlowSession again;
    again.KeepChoicesIn(&store);
    start::Open(again, 5);
    ApplyStartState(again, StartState{});
    EXPECT_EQ(again.Kept().language, "es");
    EXPECT_TRUE(again.ExactTheory());
    EXPECT_TRUE(again.PlotOpen());
    EXPECT_EQ(again.PlotQuantities(), QuantityBit(Quantity::Pressure));
    EXPECT_EQ(again.Gas(), kOtherGasCode);
    EXPECT_EQ(again.State().gamma, 1.3);

    // A state that names the flow opens in air (a shared link shows the same everywhere); its
    // own theory=0 holds over the kept one. Nothing of it is written.
    const int writes = store.writes;
    FlowSession linked;
    linked.KeepChoicesIn(&store);
    start::Open(linked, 5);
    ApplyStartPairs(linked, {{"v1", "600"}, {"theory", "0"}});
    EXPECT_EQ(linked.Gas(), "air");
    EXPECT_FALSE(linked.ExactTheory());
    EXPECT_TRUE(linked.PlotOpen());
    EXPECT_EQ(store.writes, writes);

    // Texts no shell writes (a file edited by hand) are nothing: the defaults stay.
    MemoryStore edited;
    edited.kept = {{kKeptExactTheory, "yes"},
                   {kKeptPlotQuantities, "x1"},
                   {kKeptGas, kOtherGasCode},
                   {kKeptGamma, "7"},
                   {kKeptMolarMass, "44"}};
    FlowSession hand;
    hand.KeepChoicesIn(&edited);
    start::Open(hand, 5);
    ApplyStartState(hand, StartState{});
    EXPECT_FALSE(hand.ExactTheory());
    EXPECT_EQ(hand.PlotQuantities(), kDefaultPlotQuantities);
    EXPECT_EQ(hand.Gas(), "air");
    EXPECT_EQ(hand.State().gamma, 1.4);
}
