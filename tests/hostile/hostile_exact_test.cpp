// The exact physics under hostile input: the matrix's texts in each input field, every gamma
// in range, a flow just above sonic and walls either way round the corner, up to the edge of
// detachment and past it, with the exact theory chosen. Each event finishes within a generous
// time, the picture and the plot keep their sizes, and what the exact flow reads is a state of
// a gas or no value at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/constants.h"
#include "dialog/flow_session.h"
#include "model/exact_flow.h"
#include "model/number_text.h"
#include "model/physics.h"
#include "res/ids.h"
#include "tests/support/start_up.h"

namespace {

const char* const kTexts[] = {"",    "0",     "-0",  "1e-300", "-450", "1e308", "1e999", "-1e999",
                              "abc", "12abc", "1,5", "0x10",   "inf",  "nan",   "  7"};
const ControlId kInputs[] = {ControlId::UpstreamSpeed, ControlId::UpstreamTemperature,
                             ControlId::UpstreamPressure};
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The most one event may take, ms: far above any real one, so only a hang trips it.
constexpr double kMostMs = 5000.0;

class ExactChain : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.Open(start::kWidth, start::kHeight, 1);
        s.SetPlotSize(start::kWidth, start::kHeight);
        s.SetPhysics(Physics::Exact);
    }

    template <class F> void Timed(const char* what, F f)
    {
        const auto t0 = std::chrono::steady_clock::now();
        f();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now()
                                                                    - t0)
                              .count();
        EXPECT_LT(ms, kMostMs) << what;
    }

    // The exact state read at a point is a state of a gas, or no value.
    void CheckRead(double x, double y)
    {
        const ExactPointState e = s.ReadExactAt(x, y);
        for (double v : {e.P, e.T, e.rho, e.c})
            EXPECT_TRUE(std::isnan(v) || v >= 0.0) << v << " at (" << x << ", " << y << ")";
        EXPECT_TRUE(std::isnan(e.M) || e.M >= 0.0);
        EXPECT_TRUE(std::isfinite(e.vx) && std::isfinite(e.vy));
    }

    // Walls either way, a drag's and those only a command sets, read and drawn at each.
    void RunWalls(const std::vector<double>& walls)
    {
        for (double wall : walls) {
            SCOPED_TRACE(wall);
            Timed("wall", [&] { s.SetWallAngle(wall); });
            Timed("tick", [&] { s.StepOnce(); });
            for (double x : {100.0, 420.0, 311.0, 600.0, -5e6, 1e7})
                for (double y : {50.0, 191.0, 192.0, 380.0, -1e7})
                    CheckRead(x, y);
            Timed("frame", [&] { s.ComposeFrame(); });
            EXPECT_EQ(s.Frame().width, start::kWidth);
            EXPECT_EQ(s.PlotFrame().width, start::kWidth);
            EXPECT_EQ(s.PlotFrame().height, start::kHeight);
        }
    }

    FlowSession s;
};

const std::vector<double> kWalls = {start::kWall,
                                    kHalfPi,
                                    kHalfPi + 0.35,
                                    kHalfPi + kPi / 3,
                                    -1.4,
                                    1.4,
                                    kHalfPi - 3,
                                    kHalfPi + 1e-12,
                                    kHalfPi - 1e-12,
                                    kNaN,
                                    kInf,
                                    -kInf,
                                    1e300,
                                    -1e300};

// Every text of the matrix in each input field, the others at their start values.
TEST_F(ExactChain, HostileTextsInEveryField)
{
    for (int field = 0; field < 3; ++field)
        for (const char* text : kTexts) {
            SCOPED_TRACE(testing::Message() << "field " << field << " \"" << text << "\"");
            s.Reset();
            s.SetPhysics(Physics::Exact);
            s.SetInputText(kInputs[field], text);
            Timed("leave", [&] { s.InputsLeft(); });
            RunWalls(kWalls);
        }
}

// Every gamma in range, the least and greatest molar masses, a flow just above sonic, and a
// wall at the largest deflection +- 1e-9 rad: attached within it, detached past it.
TEST_F(ExactChain, GasesSonicFlowAndTheEdgeOfDetachment)
{
    for (const char* gamma : {"1.0000001", "1.01", "1.4", "1.5", "1.6666666666666667"})
        for (const char* mu : {"1", "28.96", "1000"}) {
            SCOPED_TRACE(testing::Message() << "gamma " << gamma << ", mu " << mu);
            s.Reset();
            s.SetPhysics(Physics::Exact);
            ASSERT_TRUE(s.SetGasValues(gamma, mu));
            for (double m1 : {1.0 + 1e-9, 1.0 + 1e-6, 2.0, 25.0}) {
                SCOPED_TRACE(m1);
                s.SetInputText(ControlId::UpstreamSpeed, FormatRoundTrip(m1 * s.State().c1));
                s.InputsLeft();
                const double most = ComputeExactFlow(s.State(), -0.01).maxDeflection;
                ASSERT_TRUE(most >= 0.0) << most;
                RunWalls({kHalfPi + most - 1e-9, kHalfPi + most + 1e-9, kHalfPi + most,
                          kHalfPi - 1.0, kHalfPi - 3.0});
                if (most > 1e-6) {
                    EXPECT_EQ(ComputeExactFlow(s.State(), -(most - 1e-9)).kind, ExactKind::Shock);
                    EXPECT_EQ(ComputeExactFlow(s.State(), -(most + 1e-9)).kind,
                              ExactKind::Detached);
                }
            }
        }
}

} // namespace
