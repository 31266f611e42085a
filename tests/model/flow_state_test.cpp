// The upstream and critical state and the geometry of the expansion fan.
#include <gtest/gtest.h>

#include <cmath>

#include "model/flow_state.h"
#include "tests/support/start_up.h"

namespace {

const double halfPi = M_PI / 2.0;

FlowState Upstream(double v1, double t1, double p1)
{
    FlowState fs;
    fs.v1 = v1;
    fs.t1 = t1;
    fs.p1 = p1;
    ComputeUpstreamState(fs);
    return fs;
}

FlowState StartUp() { return Upstream(450.0, 273.0, 100000.0); }

TEST(FlowState, ConstructedValues)
{
    const FlowState fs;
    EXPECT_EQ(fs.v1, 450.0);
    EXPECT_EQ(fs.t1, 300.0);
    EXPECT_EQ(fs.p1, 100000.0);
    EXPECT_EQ(fs.gamma, 1.4);
    EXPECT_EQ(fs.molarMass, 28.0);
    EXPECT_EQ(fs.rho1, 0.0);
    EXPECT_EQ(fs.machAngle, 0.0);
    EXPECT_EQ(fs.fanEndAngle, 0.0);
}

TEST(UpstreamState, StartUpInputs)
{
    const FlowState fs = StartUp();
    EXPECT_EQ(fs.v1, 450.0);
    EXPECT_EQ(fs.t1, 273.0);
    EXPECT_EQ(fs.p1, 100000.0);
    EXPECT_NEAR(fs.rho1, 1.233631, 0.5e-6);
    EXPECT_NEAR(fs.c1, 336.8770, 0.5e-4);
    EXPECT_NEAR(fs.mach1, 1.335799, 0.5e-6);
    EXPECT_NEAR(fs.machAngle, 0.845971, 0.5e-6);
    EXPECT_NEAR(fs.k, 0.408248, 0.5e-6);
    EXPECT_NEAR(fs.k2, 1.0 / 6.0, 1e-15);
    EXPECT_NEAR(fs.critSpeed, 358.2203, 0.5e-4);
    EXPECT_NEAR(fs.critTemp, 308.6884, 0.5e-4);
    EXPECT_NEAR(fs.critPressure, 124579.28, 0.5e-2);
    EXPECT_NEAR(fs.critDensity, 1.443314, 0.5e-6);
    EXPECT_NEAR(fs.vol1, 0.810615, 0.5e-6);
    EXPECT_NEAR(fs.critVolume, 0.692850, 0.5e-6);
}

TEST(UpstreamState, ConstructedTemperature300)
{
    FlowState fs;
    ComputeUpstreamState(fs);
    EXPECT_NEAR(fs.rho1, 1.122604, 0.5e-6);
    EXPECT_NEAR(fs.c1, 353.1430, 0.5e-4);
    EXPECT_NEAR(fs.mach1, 1.274271, 0.5e-6);
    EXPECT_NEAR(fs.critSpeed, 371.0458, 0.5e-4);
    EXPECT_NEAR(fs.critTemp, 331.1884, 0.5e-4);
    EXPECT_NEAR(fs.critPressure, 119844.05, 0.5e-2);
    EXPECT_NEAR(fs.critDensity, 1.277560, 0.5e-6);
}

TEST(UpstreamState, SpecialInputs)
{
    // Sonic: V1 = c1.
    FlowState sonic = StartUp();
    sonic.v1 = sonic.c1;
    ComputeUpstreamState(sonic);
    EXPECT_EQ(sonic.mach1, 1.0);
    EXPECT_DOUBLE_EQ(sonic.machAngle, halfPi);

    // Subsonic: no Mach angle, but the upstream and critical state stay finite.
    const FlowState sub = Upstream(200.0, 273.0, 100000.0);
    EXPECT_LT(sub.mach1, 1.0);
    EXPECT_TRUE(std::isnan(sub.machAngle));
    for (double v : {sub.rho1, sub.c1, sub.mach1, sub.vol1, sub.critSpeed, sub.critTemp,
                     sub.critPressure, sub.critDensity, sub.critVolume})
        EXPECT_TRUE(std::isfinite(v));

    // V1 = 0: 1/M1 is infinite.
    const FlowState still = Upstream(0.0, 273.0, 100000.0);
    EXPECT_EQ(still.mach1, 0.0);
    EXPECT_TRUE(std::isnan(still.machAngle));

    // T1 = 0.
    const FlowState cold = Upstream(450.0, 0.0, 100000.0);
    EXPECT_TRUE(std::isinf(cold.rho1) && cold.rho1 > 0);
    EXPECT_EQ(cold.c1, 0.0);
    EXPECT_TRUE(std::isinf(cold.mach1) && cold.mach1 > 0);
    EXPECT_EQ(cold.machAngle, 0.0);

    // P1 = 0.
    const FlowState empty = Upstream(450.0, 273.0, 0.0);
    EXPECT_EQ(empty.rho1, 0.0);
    EXPECT_TRUE(std::isinf(empty.vol1) && empty.vol1 > 0);
}

TEST(UpstreamState, PressureAloneChangesOnlyTheDensitiesAndPressures)
{
    const FlowState a = StartUp();
    const FlowState b = Upstream(450.0, 273.0, 50000.0);
    EXPECT_EQ(a.c1, b.c1);
    EXPECT_EQ(a.mach1, b.mach1);
    EXPECT_EQ(a.machAngle, b.machAngle);
    EXPECT_EQ(a.critSpeed, b.critSpeed);
    EXPECT_EQ(a.critTemp, b.critTemp);
    EXPECT_NEAR(b.rho1, a.rho1 / 2.0, 1e-12);
    EXPECT_NEAR(b.vol1, a.vol1 * 2.0, 1e-12);
    EXPECT_NE(a.critPressure, b.critPressure);
    EXPECT_NE(a.critDensity, b.critDensity);
    EXPECT_NE(a.critVolume, b.critVolume);
}

FlowState FanAt(double wallAngle, double* separation = nullptr, FlowState fs = StartUp())
{
    const double s = ComputeFanGeometry(fs, wallAngle);
    if (separation)
        *separation = s;
    return fs;
}

TEST(FanGeometry, ConstantsOfTheStartUpState)
{
    for (double theta : {start::kWall, 0.0, -1.0, 1.5}) {
        const FlowState fs = FanAt(theta);
        EXPECT_NEAR(fs.maxTurnAngle, 2.276853, 0.5e-6) << theta;
        EXPECT_NEAR(fs.fullFanSpan, 3.847649, 0.5e-6) << theta;
        EXPECT_NEAR(fs.sonicLineAngle - fs.machAngle, 0.849819, 0.5e-6) << theta;
        EXPECT_NEAR(fs.sonicLineAngle, 1.695790, 0.5e-6) << theta;
        EXPECT_DOUBLE_EQ(fs.maxTurnAngle, fs.fullFanSpan - halfPi);
    }
}

TEST(FanGeometry, LastCharacteristicForWallAngles)
{
    double sep = 1.0;
    EXPECT_NEAR(FanAt(start::kWall, &sep).fanEndAngle, 0.310585, 0.5e-6);
    EXPECT_EQ(sep, 0.0);

    // A tiny turning: the fan keeps its minimum width of 0.003.
    const FlowState tiny = FanAt(halfPi - 0.001, &sep);
    EXPECT_NEAR(tiny.fanEndAngle, 0.842971, 0.5e-6);
    EXPECT_DOUBLE_EQ(tiny.fanEndAngle, tiny.machAngle - 0.003);
    EXPECT_EQ(sep, 0.0);

    EXPECT_NEAR(FanAt(0.0, &sep).fanEndAngle, -0.224770, 0.5e-6);
    EXPECT_EQ(sep, 0.0);

    // Turned past the largest turning angle: clamped, and the flow separates.
    const FlowState far = FanAt(-1.0, &sep);
    EXPECT_NEAR(far.fanEndAngle, -0.706057, 0.5e-6);
    EXPECT_DOUBLE_EQ(far.fanEndAngle, halfPi - far.maxTurnAngle);
    EXPECT_NEAR(sep, -2.276853, 0.5e-6);
}

TEST(FanGeometry, TurningByExactlyTheLargestAngle)
{
    const double maxTurn = FanAt(0.0).maxTurnAngle;
    double sep = 1.0;
    const FlowState fs = FanAt(halfPi - maxTurn, &sep);
    EXPECT_NEAR(fs.fanEndAngle, halfPi - maxTurn, 1e-12);
    // On the limit the clamp may or may not apply through rounding, nothing else.
    EXPECT_TRUE(sep == 0.0 || std::fabs(sep + maxTurn) < 1e-12) << sep;

    // Just inside and just past the limit.
    FanAt(halfPi - maxTurn + 1e-6, &sep);
    EXPECT_EQ(sep, 0.0);
    const FlowState past = FanAt(halfPi - maxTurn - 1e-6, &sep);
    EXPECT_DOUBLE_EQ(sep, -maxTurn);
    EXPECT_DOUBLE_EQ(past.fanEndAngle, halfPi - maxTurn);
}

TEST(FanGeometry, TemperatureAloneMovesTheFanButNotItsLimits)
{
    const FlowState a = FanAt(start::kWall);
    const FlowState b = FanAt(start::kWall, nullptr, Upstream(450.0, 250.0, 100000.0));
    EXPECT_NE(a.machAngle, b.machAngle);
    EXPECT_NE(a.sonicLineAngle - a.machAngle, b.sonicLineAngle - b.machAngle);
    EXPECT_NE(a.fanEndAngle, b.fanEndAngle);
    EXPECT_EQ(a.maxTurnAngle, b.maxTurnAngle);
    EXPECT_EQ(a.fullFanSpan, b.fullFanSpan);
}

// For every supersonic input and every wall angle the mouse can set, the fan is at least
// 0.003 wide and never turns further than the largest turning angle.
TEST(FanGeometry, WidthAndClampInvariants)
{
    for (double v1 : {345.0, 400.0, 450.0, 700.0, 1500.0, 5000.0}) {
        for (double t1 : {150.0, 273.0, 280.0}) {
            const FlowState up = Upstream(v1, t1, 100000.0);
            ASSERT_GT(up.mach1, 1.0);
            for (double theta = -1.5707; theta < halfPi; theta += 0.01) {
                double sep = 0.0;
                const FlowState fs = FanAt(theta, &sep, up);
                EXPECT_GT(fs.machAngle, 0.0);
                EXPECT_LT(fs.machAngle, halfPi);
                EXPECT_LE(fs.fanEndAngle, fs.machAngle - 0.003 + 1e-12) << v1 << " " << theta;
                EXPECT_GE(fs.fanEndAngle, halfPi - fs.maxTurnAngle - 1e-12) << v1 << " " << theta;
                const bool turnedTooFar = halfPi - theta > fs.maxTurnAngle;
                EXPECT_EQ(sep != 0.0, turnedTooFar) << v1 << " " << theta;
            }
            // The line's other end: no turning at all gives the narrowest fan.
            EXPECT_DOUBLE_EQ(FanAt(halfPi, nullptr, up).fanEndAngle, up.machAngle - 0.003);
        }
    }
}

TEST(FanGeometry, SubsonicInputHasNoFan)
{
    double sep = 1.0;
    const FlowState fs = FanAt(start::kWall, &sep, Upstream(200.0, 273.0, 100000.0));
    EXPECT_TRUE(std::isnan(fs.sonicLineAngle));
    EXPECT_TRUE(std::isnan(fs.fanEndAngle));
    EXPECT_EQ(sep, 0.0);
    EXPECT_NEAR(fs.maxTurnAngle, 2.276853, 0.5e-6);
    EXPECT_NEAR(fs.fullFanSpan, 3.847649, 0.5e-6);
}

TEST(FanGeometry, SameInputsSameOutputs)
{
    FlowState fs = StartUp();
    ComputeFanGeometry(fs, -1.0);
    ComputeFanGeometry(fs, start::kWall);
    const FlowState fresh = FanAt(start::kWall);
    EXPECT_EQ(fs.fanEndAngle, fresh.fanEndAngle);
    EXPECT_EQ(fs.sonicLineAngle, fresh.sonicLineAngle);
}

} // namespace
