// Placing points against the fan, the probe's angle parameter and its read-out, and the one
// double-to-int conversion.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "base/saturate.h"
#include "model/classify.h"
#include "model/flow_state.h"
#include "model/probe.h"
#include "tests/support/start_up.h"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

FlowState StartUpWithFan(double wallAngle = start::kWall, double v1 = 450.0)
{
    FlowState fs;
    fs.v1 = v1;
    fs.t1 = 273.0;
    ComputeUpstreamState(fs);
    ComputeFanGeometry(fs, wallAngle);
    return fs;
}

TEST(TruncToInt, TruncatesAndSaturates)
{
    EXPECT_EQ(TruncToInt(nan), 0);
    EXPECT_EQ(TruncToInt(-nan), 0);
    EXPECT_EQ(TruncToInt(inf), INT_MAX);
    EXPECT_EQ(TruncToInt(-inf), INT_MIN);
    EXPECT_EQ(TruncToInt(1e300), INT_MAX);
    EXPECT_EQ(TruncToInt(-1e300), INT_MIN);
    EXPECT_EQ(TruncToInt(2147483647.5), INT_MAX);
    EXPECT_EQ(TruncToInt(2147483646.9), 2147483646);
    EXPECT_EQ(TruncToInt(2147483647.0), INT_MAX);
    EXPECT_EQ(TruncToInt(2147483648.0), INT_MAX);
    EXPECT_EQ(TruncToInt(-2147483648.5), INT_MIN);
    EXPECT_EQ(TruncToInt(-2147483648.0), INT_MIN);
    EXPECT_EQ(TruncToInt(-2147483647.9), -2147483647);
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(0.999), 0);
    EXPECT_EQ(TruncToInt(-0.999), 0);
    EXPECT_EQ(TruncToInt(-0.0), 0);
    EXPECT_EQ(Half(7), 3);
    EXPECT_EQ(Half(-7), -3);
}

TEST(PolarAngle, QuadrantsAndAxes)
{
    struct Case {
        double x, y, phi;
    };
    const Case cases[] = {
        {-100, -100, 3 * M_PI / 4},
        {100, -100, M_PI / 4},
        {100, -10, 0.099669},
        {100, 100, -M_PI / 4},
        {-100, 100, -3 * M_PI / 4},
        {0, 50, M_PI / 2},
        {0, 0, M_PI / 2},
        {0, -50, M_PI / 2},
        {-50, 0, 0.0},
        {50, 0, 0.0},
        {-1e-300, 0, 0.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(PolarAngle(c.x, c.y), c.phi, 0.5e-6) << c.x << "," << c.y;

    // Off the axes it is the usual angle of (X, -Y).
    for (double x = -1000; x <= 1000; x += 37.5) {
        for (double y = -1000; y <= 1000; y += 41.25) {
            if (x == 0 || y == 0)
                continue;
            EXPECT_NEAR(PolarAngle(x, y), std::atan2(-y, x), 1e-12) << x << "," << y;
        }
    }
}

TEST(ClassifyPoint, RegionsOfTheStartUpFan)
{
    const FlowState fs = StartUpWithFan();
    ASSERT_NEAR(fs.machAngle, 0.845971, 0.5e-6);
    ASSERT_NEAR(fs.fanEndAngle, 0.310585, 0.5e-6);
    struct Case {
        double x, y;
        int region;
    };
    const Case cases[] = {
        {-100, -100, 1}, {100, -100, 2}, {100, -10, 3}, {100, 100, 3},  {-100, 100, 3},
        {0, 50, 1},      {0, 0, 1},      {-50, 0, 3},   {100, -120, 1}, {100, -35, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyPoint(fs, c.x, c.y), c.region) << c.x << "," << c.y;

    // When the last characteristic lies below the horizontal, the upstream wall line is in
    // the fan.
    const FlowState down = StartUpWithFan(0.0);
    ASSERT_LE(down.fanEndAngle, 0.0);
    EXPECT_EQ(ClassifyPoint(down, -50, 0), 2);
}

TEST(ClassifyPoint, BoundariesBelongToTheFan)
{
    const FlowState fs = StartUpWithFan();
    EXPECT_EQ(ClassifyAngle(fs, fs.machAngle), RegionFan);
    EXPECT_EQ(ClassifyAngle(fs, std::nextafter(fs.machAngle, 10.0)), RegionUpstream);
    EXPECT_EQ(ClassifyAngle(fs, fs.fanEndAngle), RegionFan);
    EXPECT_EQ(ClassifyAngle(fs, std::nextafter(fs.fanEndAngle, -10.0)), RegionDownstream);
}

TEST(ClassifyPoint, SubsonicFlowHasNoRegions)
{
    const FlowState fs = StartUpWithFan(start::kWall, 200.0);
    for (double x : {-100.0, 0.0, 100.0}) {
        for (double y : {-100.0, 0.0, 100.0}) {
            const int r = ClassifyPoint(fs, x, y);
            EXPECT_TRUE(r != 1 && r != 2 && r != 3) << x << "," << y << " region " << r;
        }
    }
    EXPECT_NE(ClassifyAngle(fs, nan), 1);
}

TEST(ProbeAngleSteps, TruncatesTowardZeroAndSaturates)
{
    EXPECT_EQ(ProbeAngleSteps(0.6), 60000);
    EXPECT_EQ(ProbeAngleSteps(0.123456789), 12345);
    EXPECT_EQ(ProbeAngleSteps(-0.123456789), -12345);
    EXPECT_EQ(ProbeAngleSteps(0.000009), 0);
    EXPECT_EQ(ProbeAngleSteps(-0.000009), 0);
    EXPECT_EQ(ProbeAngleSteps(M_PI / 2), 157079);
    EXPECT_EQ(ProbeAngleSteps(-3 * M_PI / 4), -235619);
    EXPECT_EQ(ProbeAngleSteps(nan), 0);
    EXPECT_EQ(ProbeAngleSteps(inf), INT32_MAX);
    EXPECT_EQ(ProbeAngleSteps(-inf), INT32_MIN);
    EXPECT_EQ(ProbeAngleSteps(1e300), INT32_MAX);
    EXPECT_EQ(ProbeAngleSteps(-1e300), INT32_MIN);
    EXPECT_EQ(ProbeAngleSteps(21474.83648), INT32_MAX);
}

struct Expected {
    double T, P, rho, c, M, V0, V, Vphi, Vr;
};

// Tolerances of half a unit in the last digit each value is given to.
void ExpectReadout(const ProbeValues& v, const Expected& e, const Expected& tol)
{
    EXPECT_NEAR(v.T, e.T, tol.T);
    EXPECT_NEAR(v.P, e.P, tol.P);
    EXPECT_NEAR(v.rho, e.rho, tol.rho);
    EXPECT_NEAR(v.c, e.c, tol.c);
    EXPECT_NEAR(v.M, e.M, tol.M);
    EXPECT_NEAR(v.V0, e.V0, tol.V0);
    EXPECT_NEAR(v.V, e.V, tol.V);
    EXPECT_NEAR(v.Vphi, e.Vphi, tol.Vphi);
    EXPECT_NEAR(v.Vr, e.Vr, tol.Vr);
}

const Expected upstream = {273, 100000, 1.233631, 336.877, 1.335799, 0.810615, 450, 450, 0};
const Expected upstreamTol = {0, 0, 0.5e-6, 0.5e-3, 0.5e-6, 0.5e-6, 0, 0, 0};
const Expected pastFan = {260.164, 84488.5, 1.0937,  328.862, 1.5207,
                          0.9143,  500.105, 439.294, 239.010};
const Expected pastFanTol = {0.5e-3, 0.05, 0.5e-4, 0.5e-3, 0.5e-4, 0.5e-4, 0.5e-3, 0.5e-3, 0.5e-3};

TEST(ProbeReadout, UpstreamAndPastTheFan)
{
    const FlowState fs = StartUpWithFan();
    for (double phi : {2.35619, 1.0, 0.0, -0.5}) {
        SCOPED_TRACE(phi);
        ExpectReadout(ProbeReadout(fs, RegionUpstream, phi), upstream, upstreamTol);
        ExpectReadout(ProbeReadout(fs, RegionDownstream, phi), pastFan, pastFanTol);
    }
    // Past the fan the state is that of the last characteristic.
    const ProbeValues edge = ProbeReadout(fs, RegionFan, fs.fanEndAngle);
    const ProbeValues past = ProbeReadout(fs, RegionDownstream, 0.0);
    EXPECT_NEAR(edge.P, past.P, 1.0);
    EXPECT_NEAR(edge.T, past.T, 0.01);
    EXPECT_NEAR(edge.V, past.V, 0.01);
    EXPECT_NEAR(edge.Vr, past.Vr, 0.01);
}

TEST(ProbeReadout, InsideTheFan)
{
    const FlowState fs = StartUpWithFan();
    const Expected inFan = {270.256, 96526.5, 1.2029,  335.180, 1.3759,
                            0.8313,  461.168, 447.733, 110.501};
    const Expected inFanTol = {0.5e-3, 0.05, 0.5e-4, 0.5e-3, 0.5e-4, 0.5e-4, 1e-3, 0.5e-3, 0.5e-3};
    ExpectReadout(ProbeReadout(fs, RegionFan, 0.6), inFan, inFanTol);
    // The read-out's resolution is 1e-5 rad: an angle within one step reads the same.
    const ProbeValues within = ProbeReadout(fs, RegionFan, 0.600009);
    EXPECT_EQ(within.P, ProbeReadout(fs, RegionFan, 0.6).P);

    // On the first characteristic the fan begins with the upstream state (c recomputed).
    const ProbeValues first = ProbeReadout(fs, RegionFan, fs.machAngle);
    const Expected nearUpstreamTol = {0.01, 1.0, 1e-5, 0.01, 1e-5, 1e-5, 0.01, 0.01, 0.02};
    ExpectReadout(first, upstream, nearUpstreamTol);
    EXPECT_NEAR(first.c, fs.c1, 0.01);
}

// Whatever the depth, the read-out is an isentropic state with consistent velocities.
TEST(ProbeReadout, BelowTheCornerLine)
{
    const FlowState fs = StartUpWithFan(0.0);
    const double g = fs.gamma;
    for (int32_t angleCode : {-10000, -20000}) {
        SCOPED_TRACE(angleCode);
        // Half a step past the code: the read-out's resolution truncates it back.
        const ProbeValues v = ProbeReadout(fs, RegionFan, (angleCode - 0.5) * 1e-5);
        const double depth = std::acos(v.Vphi / fs.v1) / fs.k;
        EXPECT_NEAR(depth, fs.machAngle - angleCode * 1e-5, 1e-9);
        EXPECT_GT(depth, fs.machAngle);
        EXPECT_LT(v.P, fs.p1);
        EXPECT_NEAR(v.T / fs.t1, std::pow(v.P / fs.p1, (g - 1) / g), 1e-12);
        EXPECT_NEAR(v.rho / fs.rho1, std::pow(v.P / fs.p1, 1 / g), 1e-12);
        EXPECT_NEAR(v.V * v.V, v.Vphi * v.Vphi + v.Vr * v.Vr, 1e-6);
        EXPECT_NEAR(v.c, std::sqrt(g * 8314.0 * v.T / fs.molarMass), 1e-9);
        EXPECT_NEAR(v.M, v.V / v.c, 1e-12);
        EXPECT_NEAR(v.V0, 1 / v.rho, 1e-12);
    }
}

TEST(ProbeReadout, NoFanGivesTheUpstreamState)
{
    // Subsonic: no region, and the state is the upstream one with c from t1.
    const FlowState sub = StartUpWithFan(start::kWall, 200.0);
    const int region = ClassifyPoint(sub, 100, -100);
    const ProbeValues v = ProbeReadout(sub, region, 0.78539);
    EXPECT_EQ(v.T, 273.0);
    EXPECT_EQ(v.P, 100000.0);
    EXPECT_EQ(v.V, 200.0);
    EXPECT_EQ(v.Vphi, 200.0);
    EXPECT_EQ(v.Vr, 0.0);
    EXPECT_NEAR(v.c, 336.877, 0.5e-3);
    EXPECT_NEAR(v.rho, 1.233631, 0.5e-6);
    EXPECT_NEAR(v.M, 200.0 / 336.877, 1e-6);

    // A wall turned back into the flow puts the last characteristic above the first:
    // every region reads the upstream state.
    const FlowState back = StartUpWithFan(3.0);
    ASSERT_LE(back.machAngle, back.fanEndAngle);
    for (int r : {1, 2, 3, 0}) {
        const ProbeValues u = ProbeReadout(back, r, 0.3);
        EXPECT_EQ(u.P, 100000.0) << r;
        EXPECT_EQ(u.V, 450.0) << r;
        EXPECT_EQ(u.Vr, 0.0) << r;
    }
}

} // namespace
