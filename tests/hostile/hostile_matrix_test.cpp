// Whatever a student types into V1, T1 and P1 and wherever the mouse goes, the dialog keeps
// running, every event's work stays within the program's bounds, and the fields show the
// numbers the rules give for the model's values.
//
// Fifteen hostile texts per input field, combined over a covering set: every pair of texts
// meets in every pair of fields (225 cases; the full product would be 3375). Each case types
// the three texts and leaves each field, sets the wall from extreme points (the corner itself,
// far left, far below, far right, the ends of the int range), ticks, probes at extreme points
// and renders a frame. Work is bounded by counting steps, never by the clock; the durations
// are printed for the record only.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <QImage>

#include "model/number_text.h"
#include "tests/hostile/dialog_driver.h"
#include "tests/hostile/reference_model.h"
#include "tests/support/session_input.h"
#include "tests/support/start_up.h"
#include "tracers/limits.h"

namespace {

using reference::kPi;

// A field text and the number the reading rule gives for it.
struct Reading {
    const char* text;
    double value;
    const char* name; // for the test's name
};

const double kInf = std::numeric_limits<double>::infinity();

const Reading kTexts[] = {
    {"", 0.0, "empty"},
    {"0", 0.0, "zero"},
    {"-0", -0.0, "minus_zero"},
    {"1e-300", 1e-300, "tiny"},
    {"-450", -450.0, "minus_450"},
    {"1e308", 1e308, "huge"},
    {"1e999", kInf, "overflow"},
    {"-1e999", -kInf, "minus_overflow"},
    {"abc", 0.0, "letters"},
    {"12abc", 12.0, "digits_then_letters"},
    {"1,5", 1.5, "decimal_comma"},
    {"0x10", 0.0, "hex"},
    {"inf", 0.0, "word_inf"},
    {"nan", 0.0, "word_nan"},
    {"  7", 7.0, "leading_spaces"},
};
constexpr int kTextCount = sizeof kTexts / sizeof kTexts[0];

// The covering set: case (i, j) takes text i for V1, j for T1 and (i + j) mod 15 for P1. For a
// fixed V1 every T1 and, through the sum, every P1 occurs; for a fixed T1 every P1 occurs.
struct Case {
    int v1, t1, p1;
};
std::vector<Case> CasesForV1(int i)
{
    std::vector<Case> cases;
    for (int j = 0; j < kTextCount; ++j)
        cases.push_back({i, j, (i + j) % kTextCount});
    return cases;
}

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The picture is 622 x 384 and the corner point lies at its middle.
constexpr int kApexX = 311;
constexpr int kTop = 192;
constexpr int kWidth = start::kWidth;

enum class Path { Window, Far, Direct };
enum class Action { Press, Drag, Release, Hover };

struct MouseStep {
    Action action;
    Path path;
    double x, y;
    double wall; // the wall angle it sets; NaN: the angle stays as it was
    double tolerance;
};

const double kKeep = std::numeric_limits<double>::quiet_NaN();

const std::vector<MouseStep>& WallSteps()
{
    static const std::vector<MouseStep> steps = {
        {Action::Press, Path::Window, kApexX, kTop, kKeep, 0.0},   // the corner point itself
        {Action::Drag, Path::Far, -5e6, kTop + 1, -kPi / 2, 1e-6}, // far left, just below
        {Action::Drag, Path::Far, kApexX, 5e6, 0.0, 0.0},          // far below the corner
        {Action::Drag, Path::Far, 5e6, kTop, std::atan(20.0 * kWidth), 1e-12}, // far right
        {Action::Drag, Path::Direct, INT_MAX, INT_MAX, kPi / 4, 1e-6},
        {Action::Drag, Path::Direct, INT_MIN, INT_MAX, -kPi / 4, 1e-6},
        {Action::Drag, Path::Direct, INT_MIN, INT_MIN, kKeep, 0.0}, // up and to the left
        {Action::Drag, Path::Window, 600, 380, std::atan(289.0 / 188.0), 1e-12},
        {Action::Release, Path::Far, -3e6, -3e6, kKeep, 0.0},
        {Action::Press, Path::Direct, INT_MAX, kTop, std::atan(20.0 * kWidth), 1e-12},
        {Action::Release, Path::Direct, INT_MAX, kTop, kKeep, 0.0},
        {Action::Press, Path::Window, 0, 383, std::atan(-311.0 / 191.0), 1e-12},
        {Action::Release, Path::Window, 0, 383, kKeep, 0.0},
    };
    return steps;
}

// Probe points: inside the picture, on the axes through the corner, and far away.
const std::vector<MouseStep>& ProbeSteps()
{
    static const std::vector<MouseStep> steps = {
        {Action::Hover, Path::Window, 100, 50, kKeep, 0},
        {Action::Hover, Path::Window, 600, 380, kKeep, 0},
        {Action::Hover, Path::Window, kApexX, kTop, kKeep, 0},
        {Action::Hover, Path::Window, kApexX, 0, kKeep, 0},
        {Action::Hover, Path::Window, 420, 120, kKeep, 0},
        {Action::Hover, Path::Far, -5e6, kTop, kKeep, 0},
        {Action::Hover, Path::Far, 1e7, -1e7, kKeep, 0},
        {Action::Hover, Path::Direct, INT_MIN, INT_MIN, kKeep, 0},
        {Action::Hover, Path::Direct, INT_MAX, INT_MAX, kKeep, 0},
    };
    return steps;
}

// The longest time of each kind of event, for the record.
struct Durations {
    double leave = 0, wall = 0, tick = 0, probe = 0, frame = 0;
    long longestProbeRun = 0;
};

class MatrixCase {
public:
    MatrixCase(const Reading& v1, const Reading& t1, const Reading& p1, Durations& durations)
        : v1_(v1), t1_(t1), p1_(p1), d_(durations)
    {
    }

    void Run()
    {
        ASSERT_EQ(drv_.corner.ApexX(), kApexX);
        ASSERT_EQ(drv_.corner.top, kTop);
        ASSERT_EQ(drv_.Field().width, kWidth);

        Leave(ControlId::UpstreamSpeed, v1_);
        Leave(ControlId::UpstreamTemperature, t1_);
        Leave(ControlId::UpstreamPressure, p1_);
        CheckInputsAndShownState();
        CheckFlowWork("after the inputs");

        for (const MouseStep& s : WallSteps())
            Wall(s);

        for (int i = 0; i < 3; ++i) {
            const unsigned long frames = drv_.Session().FrameCount();
            d_.tick = std::max(d_.tick, MillisecondsOf([&] { drv_.Tick(); }));
            EXPECT_EQ(drv_.Session().FrameCount(), frames + 1) << "tick " << i << " draws";
            EXPECT_EQ(drv_.Field().tracers.count, expectedTracers_);
        }
        drv_.Show();

        for (const MouseStep& s : ProbeSteps())
            Probe(s);

        FrameBuffer frame;
        d_.frame = std::max(d_.frame,
                            MillisecondsOf([&] { drv_.Session().View().Compose(frame, 1); }));
        ASSERT_EQ(frame.width, 622);
        ASSERT_EQ(frame.height, 384);
        long keyPixels = 0;
        for (int y = 0; y < frame.deviceHeight; ++y)
            for (int x = 0; x < frame.deviceWidth; ++x)
                keyPixels += frame.At(x, y) == 0xFE00FEu;
        EXPECT_EQ(keyPixels, 0) << "nothing draws the key colour";
        drv_.ViewWidget()->repaint(); // a paint the window system asks for composes a frame
    }

private:
    void Leave(ControlId id, const Reading& r)
    {
        d_.leave = std::max(
            d_.leave, MillisecondsOf([&] { drv_.TypeAndLeave(id, QString::fromUtf8(r.text)); }));
        EXPECT_NE(QApplication::focusWidget(), drv_.dlg->Field(id)) << "Tab leaves the field";
        CheckFlowWork("after leaving a field");
    }

    void CheckInputsAndShownState()
    {
        const FlowState& fs = drv_.fs;
        // The texts stay as typed; the model holds what the reading rule gives.
        EXPECT_EQ(drv_.Text(ControlId::UpstreamSpeed), v1_.text);
        EXPECT_EQ(drv_.Text(ControlId::UpstreamTemperature), t1_.text);
        EXPECT_EQ(drv_.Text(ControlId::UpstreamPressure), p1_.text);
        EXPECT_TRUE(SameBits(fs.v1, v1_.value)) << fs.v1;
        EXPECT_TRUE(SameBits(fs.t1, t1_.value)) << fs.t1;
        EXPECT_TRUE(SameBits(fs.p1, p1_.value)) << fs.p1;

        const reference::Upstream u = reference::UpstreamState(v1_.value, t1_.value, p1_.value);
        const struct {
            ControlId id;
            double model;
            double expected;
            const char* name;
        } shown[] = {
            {ControlId::UpstreamDensity, fs.rho1, u.rho1, "rho1"},
            {ControlId::UpstreamSoundSpeed, fs.c1, u.c1, "c1"},
            {ControlId::UpstreamVolume, fs.vol1, u.vol1, "vol1"},
            {ControlId::UpstreamMach, fs.mach1, u.mach1, "mach1"},
            {ControlId::CriticalSpeed, fs.critSpeed, u.critSpeed, "critSpeed"},
            {ControlId::CriticalTemperature, fs.critTemp, u.critTemp, "critTemp"},
            {ControlId::CriticalPressure, fs.critPressure, u.critPressure, "critPressure"},
            {ControlId::CriticalDensity, fs.critDensity, u.critDensity, "critDensity"},
            {ControlId::CriticalVolume, fs.critVolume, u.critVolume, "critVolume"},
        };
        for (const auto& s : shown) {
            EXPECT_TRUE(reference::Same(s.model, s.expected))
                << s.name << ": model " << s.model << ", formulas " << s.expected;
            const std::string text = drv_.Text(s.id);
            EXPECT_EQ(text, FormatFieldValue(s.model)) << s.name;
            EXPECT_TRUE(reference::ShownAs(text, s.expected)) << s.name << " shows " << text;
        }
        EXPECT_TRUE(reference::Same(fs.machAngle, u.machAngle));
        EXPECT_TRUE(reference::Same(fs.maxTurnAngle, (1.0 / u.k - 1.0) * kPi / 2));

        expectedTracers_ = reference::Population(p1_.value, kMaxTracers);
        EXPECT_EQ(drv_.Field().tracers.count, expectedTracers_);
    }

    // The work of the last recompute stayed within the program's bounds, and its results
    // follow the fan.
    void CheckFlowWork(const char* when)
    {
        SCOPED_TRACE(when);
        const FlowState& fs = drv_.fs;
        const FlowField& view = drv_.Field();
        d_.longestProbeRun = std::max(d_.longestProbeRun, view.probeSteps);
        EXPECT_LE(view.probeSteps, kMaxProbeSteps);
        EXPECT_LE(view.tracers.count, kMaxTracers);
        EXPECT_LE(view.tracers.capacity, 2 * kMaxTracers);
        EXPECT_EQ(view.streamlines.count, 4);
        EXPECT_EQ(view.streamlines[0].points.count, 0);
        for (int i = 1; i < 4; ++i) {
            const Streamline& s = view.streamlines[i];
            EXPECT_LE(s.upstreamSteps, kMaxTracePhaseSteps);
            EXPECT_LE(s.fanSteps, kMaxTracePhaseSteps);
            EXPECT_LE(s.downstreamSteps, kMaxTracePhaseSteps);
            // Start, fan entry, a point per step in the fan, end.
            EXPECT_GE(s.points.count, 3);
            EXPECT_LE(s.points.count, 3 + kMaxTracePhaseSteps);
        }

        // The last characteristic, from the turning angle by the straight-line rule.
        const double a = fs.machAngle;
        const double m = fs.maxTurnAngle;
        const double delta = kPi / 2 - drv_.corner.wallAngle;
        double end = a - delta * (a + m - kPi / 2) / m;
        if (std::fabs(end - a) < 0.003)
            end = a - 0.003;
        const bool separated = end < kPi / 2 - m;
        if (separated)
            end = kPi / 2 - m;
        if (std::isnan(a)) {
            EXPECT_TRUE(std::isnan(fs.fanEndAngle));
        } else {
            EXPECT_NEAR(fs.fanEndAngle, end, 1e-9);
            // Where the rule's slope is positive (a supersonic flow, or one whose first
            // characteristic lies above the clamp), a fan is never narrower than 0.003 rad.
            if (a + m - kPi / 2 > 0.0) {
                EXPECT_GE(a - fs.fanEndAngle, 0.003 - 1e-12);
            }
        }
        if (separated)
            EXPECT_NEAR(drv_.corner.separationAngle, -m, 1e-12);
        else
            EXPECT_EQ(drv_.corner.separationAngle, 0.0);

        const double span = fs.machAngle - fs.fanEndAngle;
        if (!(span > 0.0)) {
            EXPECT_EQ(view.probeSteps, 0) << "no fan, no probe run";
            EXPECT_TRUE(SameBits(view.exitStepX, 0.005 * fs.v1));
            EXPECT_EQ(view.exitStepY, 0.0);
        } else {
            EXPECT_GE(view.probeSteps, 1);
        }
        if (view.tracers.count > 0) {
            const Tracer& last = view.tracers[view.tracers.count - 1];
            EXPECT_TRUE(SameBits(last.exitStepX, view.exitStepX));
            EXPECT_TRUE(SameBits(last.exitStepY, view.exitStepY));
        }
    }

    void Wall(const MouseStep& s)
    {
        SCOPED_TRACE(testing::Message() << "wall from (" << s.x << ", " << s.y << ")");
        const double before = drv_.corner.wallAngle;
        const bool wasDragging = drv_.Session().Dragging();
        const unsigned long frames = drv_.Session().FrameCount();
        const double ms = MillisecondsOf([&] { Deliver(s); });
        d_.wall = std::max(d_.wall, ms);

        const double wall = drv_.corner.wallAngle;
        if (std::isnan(s.wall))
            EXPECT_EQ(wall, before);
        else
            EXPECT_NEAR(wall, s.wall, s.tolerance);
        EXPECT_GT(wall, -kPi / 2);
        EXPECT_LT(wall, kPi / 2);

        const bool dragging = s.action == Action::Press
                              || (s.action == Action::Drag && wasDragging);
        EXPECT_EQ(drv_.Session().Dragging(), dragging);
        if (s.action != Action::Release) {
            EXPECT_EQ(drv_.Session().FrameCount(), frames + 1) << "every press and drag redraws";
            CheckFlowWork("after a wall step");
        }
        drv_.Show();
    }

    void Probe(const MouseStep& s)
    {
        SCOPED_TRACE(testing::Message() << "probe at (" << s.x << ", " << s.y << ")");
        const double wall = drv_.corner.wallAngle;
        d_.probe = std::max(d_.probe, MillisecondsOf([&] { Deliver(s); }));
        EXPECT_EQ(drv_.corner.wallAngle, wall) << "a move without the button leaves the wall";

        // The point as the handler received it: whole pixels, made relative to the corner.
        const double X = std::floor(s.x) - kApexX;
        const double Y = std::floor(s.y) - kTop;
        const FlowState& fs = drv_.fs;
        const double phi = reference::PolarAngle(X, Y);
        const int region = reference::Region(phi, fs.machAngle, fs.fanEndAngle);
        const double sent = std::trunc(phi * 100000.0) * 0.00001;
        const reference::Probe p = reference::ProbeAt(v1_.value, t1_.value, p1_.value, region, sent,
                                                      fs.machAngle, fs.fanEndAngle);
        const struct {
            ControlId id;
            double value;
            const char* name;
        } fields[] = {
            {ControlId::ProbeTemperature, p.T, "T"}, {ControlId::ProbePressure, p.P, "P"},
            {ControlId::ProbeDensity, p.rho, "rho"}, {ControlId::ProbeSoundSpeed, p.c, "c"},
            {ControlId::ProbeMach, p.M, "M"},        {ControlId::ProbeVolume, p.V0, "V0"},
            {ControlId::ProbeSpeed, p.V, "V"},       {ControlId::ProbeSpeedPhi, p.Vphi, "Vphi"},
            {ControlId::ProbeSpeedR, p.Vr, "Vr"},
        };
        for (const auto& f : fields) {
            const std::string text = drv_.Text(f.id);
            EXPECT_TRUE(reference::ShownAs(text, f.value))
                << f.name << " shows " << text << ", expected " << f.value << " (region " << region
                << ")";
        }
        if (region == 1 || fs.machAngle <= fs.fanEndAngle) {
            // Upstream the inputs themselves are shown.
            EXPECT_EQ(drv_.Text(ControlId::ProbeTemperature), FormatFieldValue(t1_.value));
            EXPECT_EQ(drv_.Text(ControlId::ProbePressure), FormatFieldValue(p1_.value));
            EXPECT_EQ(drv_.Text(ControlId::ProbeSpeed), FormatFieldValue(v1_.value));
        }
    }

    void Deliver(const MouseStep& s)
    {
        switch (s.path) {
        case Path::Window: {
            const QPoint p(static_cast<int>(s.x), static_cast<int>(s.y));
            if (s.action == Action::Press)
                QTest::mousePress(drv_.ViewWidget(), Qt::LeftButton, Qt::NoModifier, p);
            else if (s.action == Action::Release)
                QTest::mouseRelease(drv_.ViewWidget(), Qt::LeftButton, Qt::NoModifier, p);
            else if (s.action == Action::Drag)
                drv_.DragTo(QPointF(p));
            else
                drv_.Hover(QPointF(p));
            break;
        }
        case Path::Far:
            if (s.action == Action::Press)
                drv_.Press({s.x, s.y});
            else if (s.action == Action::Release)
                drv_.Release({s.x, s.y});
            else if (s.action == Action::Drag)
                drv_.DragTo({s.x, s.y});
            else
                drv_.Hover({s.x, s.y});
            break;
        case Path::Direct: {
            const int x = static_cast<int>(s.x);
            const int y = static_cast<int>(s.y);
            if (s.action == Action::Press)
                drv_.Session().PointerPressed(input::Mouse(x, y));
            else if (s.action == Action::Release)
                drv_.Session().PointerReleased(input::Mouse(x, y));
            else
                drv_.Session().PointerMoved(input::Mouse(x, y, drv_.Session().Dragging()));
            break;
        }
        }
    }

    const Reading& v1_;
    const Reading& t1_;
    const Reading& p1_;
    Durations& d_;
    DialogDriver drv_;
    int expectedTracers_ = 0;
};

class HostileMatrix : public ::testing::TestWithParam<int> {};

TEST_P(HostileMatrix, EveryCombinationRunsTheWholeChain)
{
    Durations d;
    const std::vector<Case> cases = CasesForV1(GetParam());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "V1 \"" << kTexts[c.v1].text << "\", T1 \"" << kTexts[c.t1].text
                     << "\", P1 \"" << kTexts[c.p1].text << "\"");
        MatrixCase(kTexts[c.v1], kTexts[c.t1], kTexts[c.p1], d).Run();
    }
    std::printf("[ record ] V1 \"%s\": %zu cases; longest leave %.1f ms, wall step %.1f ms, "
                "tick %.1f ms, probe %.1f ms, frame %.1f ms; longest probe run %ld steps\n",
                kTexts[GetParam()].text, cases.size(), d.leave, d.wall, d.tick, d.probe, d.frame,
                d.longestProbeRun);
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileMatrix, ::testing::Range(0, kTextCount),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string("V1_") + kTexts[info.param].name;
                         });

TEST(HostileMatrixCases, EveryPairOfTextsMeetsInEveryPairOfFields)
{
    std::vector<Case> all;
    for (int i = 0; i < kTextCount; ++i)
        for (const Case& c : CasesForV1(i))
            all.push_back(c);
    EXPECT_EQ(all.size(), 225u);
    const int n = kTextCount;
    std::vector<int> vt(n * n), vp(n * n), tp(n * n);
    for (const Case& c : all) {
        ++vt[c.v1 * n + c.t1];
        ++vp[c.v1 * n + c.p1];
        ++tp[c.t1 * n + c.p1];
    }
    for (int k = 0; k < n * n; ++k) {
        EXPECT_EQ(vt[k], 1) << "V1/T1 pair " << k;
        EXPECT_EQ(vp[k], 1) << "V1/P1 pair " << k;
        EXPECT_EQ(tp[k], 1) << "T1/P1 pair " << k;
    }
    // The texts read as the rule says (the cases rely on these values).
    for (const Reading& r : kTexts)
        EXPECT_TRUE(SameBits(ReadNumber(r.text), r.value)) << '"' << r.text << '"';
}

} // namespace
