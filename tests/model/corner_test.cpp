// The corner object: turning the wall from a mouse point, its placement in the picture and
// the overlay's labels.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "corner/corner.h"
#include "model/flow_state.h"
#include "tests/support/start_up.h"

namespace {

const double halfPi = M_PI / 2.0;

// The corner as the view places it in a 622 x 384 picture.
Corner PlacedCorner(int w = start::kWidth, int h = start::kHeight)
{
    Corner c;
    c.left = 0;
    c.top = h / 2;
    c.width = w;
    c.height = h;
    c.wallAngle = start::kWall;
    return c;
}

FlowState StartUpState()
{
    FlowState fs;
    fs.t1 = 273.0;
    ComputeUpstreamState(fs);
    return fs;
}

TEST(Corner, ConstructedGeometry)
{
    const Corner c;
    EXPECT_EQ(c.left, 0);
    EXPECT_EQ(c.top, 0);
    EXPECT_EQ(c.width, 100);
    EXPECT_EQ(c.height, 100);
    EXPECT_EQ(c.wallAngle, 0.0);
    EXPECT_EQ(c.separationAngle, 0.0);
    EXPECT_EQ(c.ApexX(), 50);
}

TEST(SetWallFromPoint, FourCases)
{
    // Corner point at (311, 192).
    Corner c = PlacedCorner();

    c.SetWallFromPoint(411, 292); // below and downstream
    EXPECT_NEAR(c.wallAngle, M_PI / 4, 1e-15);
    c.SetWallFromPoint(311 + 300, 192 + 100);
    EXPECT_NEAR(c.wallAngle, std::atan(3.0), 1e-15);

    c.SetWallFromPoint(411, 192); // level with the upstream wall
    EXPECT_EQ(c.wallAngle, std::atan(20.0 * start::kWidth));
    c.wallAngle = 0.5;
    c.SetWallFromPoint(1000, 0); // above it
    EXPECT_EQ(c.wallAngle, std::atan(20.0 * start::kWidth));
    EXPECT_NEAR(c.wallAngle, halfPi, 1e-4);
    EXPECT_LT(c.wallAngle, halfPi);

    c.SetWallFromPoint(311, 292); // straight below the corner
    EXPECT_EQ(c.wallAngle, 0.0);
    c.SetWallFromPoint(211, 292); // below and upstream: the wall leans back
    EXPECT_NEAR(c.wallAngle, -M_PI / 4, 1e-15);

    // Up and to the left, and the corner point itself, change nothing.
    for (int x : {311, 211, 0, -5000}) {
        for (int y : {192, 100, 0, -5000}) {
            c.wallAngle = 0.123;
            c.SetWallFromPoint(x, y);
            EXPECT_EQ(c.wallAngle, 0.123) << x << "," << y;
        }
    }
}

TEST(SetWallFromPoint, HalfWidthIsExact)
{
    // Width 601: the wall's pivot is at x = 300.5, though the drawn corner point is at 300.
    Corner c = PlacedCorner(601, 40);
    ASSERT_EQ(c.top, 20);
    c.SetWallFromPoint(301, 120);
    EXPECT_NEAR(c.wallAngle, std::atan(0.5 / 100.0), 1e-15);
    c.SetWallFromPoint(300, 120);
    EXPECT_NEAR(c.wallAngle, std::atan(-0.5 / 100.0), 1e-15);
    c.wallAngle = 0.7;
    c.SetWallFromPoint(301, 20);
    EXPECT_EQ(c.wallAngle, std::atan(20.0 * 601));
}

TEST(SetWallFromPoint, FarPointsStayStrictlyInsideAHalfTurn)
{
    Corner c = PlacedCorner();
    const int below = c.top + 1;
    const int points[][2] = {
        {INT_MAX, below},   {INT_MIN, below},   {3000000, below}, {-3000000, below},
        {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}, {312, INT_MAX},   {310, INT_MAX},
        {INT_MAX, INT_MIN}, {INT_MAX, c.top},
    };
    for (const auto& p : points) {
        c.SetWallFromPoint(p[0], p[1]);
        EXPECT_LT(c.wallAngle, halfPi) << p[0] << "," << p[1];
        EXPECT_GT(c.wallAngle, -halfPi) << p[0] << "," << p[1];
        const double turning = halfPi - c.wallAngle;
        EXPECT_GT(turning, 0.0);
        EXPECT_LT(turning, M_PI);
    }
    // The largest possible width still keeps the wall below pi/2.
    c.width = INT_MAX;
    c.SetWallFromPoint(INT_MAX, INT_MIN);
    EXPECT_LT(c.wallAngle, halfPi);
}

TEST(CornerGeometry, PictureCoordinates)
{
    Corner c = PlacedCorner(601, 40);
    ASSERT_EQ(c.ApexX(), 300); // the halving rounds toward zero
    EXPECT_NEAR(c.PolarAngle(true, 300, 5), halfPi, 1e-15);
    EXPECT_NEAR(c.PolarAngle(true, 301, 5), std::atan2(15.0, 1.0), 1e-15);
    EXPECT_NEAR(c.PolarAngle(true, 200, -80), std::atan2(100.0, -100.0), 1e-15);
    EXPECT_EQ(c.PolarAngle(true, 100, 20), 0.0);
    EXPECT_NEAR(c.PolarAngle(false, 100, -100), M_PI / 4, 1e-15);

    FlowState fs = StartUpState();
    c.wallAngle = start::kWall;
    c.ComputeFanGeometry(fs);
    EXPECT_NEAR(fs.fanEndAngle, 0.310585, 0.5e-6);
    EXPECT_EQ(c.separationAngle, 0.0);
    EXPECT_EQ(c.ClassifyPoint(fs, true, 200, -80), 1);
    EXPECT_EQ(c.ClassifyPoint(fs, true, 400, -80), 2);
    EXPECT_EQ(c.ClassifyPoint(fs, true, 400, 10), 3);
    EXPECT_EQ(c.ClassifyPoint(fs, false, 100, -100), 2);
    EXPECT_EQ(c.ClassifyPoint(fs, false, -100, -100), 1);

    // A wall turned past the largest turning angle: the flow separates from it.
    c.wallAngle = -1.0;
    c.ComputeFanGeometry(fs);
    EXPECT_NEAR(c.separationAngle, -2.276853, 0.5e-6);
    c.wallAngle = 0.0;
    c.ComputeFanGeometry(fs);
    EXPECT_EQ(c.separationAngle, 0.0);
}

TEST(CornerLabels, StartUp)
{
    FlowState fs = StartUpState();
    Corner c = PlacedCorner();
    c.ComputeFanGeometry(fs);
    ASSERT_TRUE(Corner::HasFan(fs));
    EXPECT_EQ(c.BetaLabel(), "\u03B2=135");
    EXPECT_EQ(Corner::AlphaLabel(fs), "\u03B1=48");
    EXPECT_EQ(c.ChiLabel(fs), "\u03C7=45, \u0394\u03C6=31");
}

TEST(CornerLabels, WallStraightDownAndTurnedTooFar)
{
    FlowState fs = StartUpState();
    Corner c = PlacedCorner();

    c.SetWallFromPoint(c.ApexX(), c.top + 100);
    c.ComputeFanGeometry(fs);
    EXPECT_EQ(c.BetaLabel(), "\u03B2=90");
    // Turning pi/2; the fan spans 0.845971 + 0.224770 rad, about 61.3 degrees.
    EXPECT_EQ(c.ChiLabel(fs), "\u03C7=90, \u0394\u03C6=61");

    // Turned past the largest angle: chi shows the largest turning angle, 130.45 degrees,
    // and the fan spans 0.845971 + 0.706057 rad, about 88.9 degrees.
    c.wallAngle = -1.0;
    c.ComputeFanGeometry(fs);
    EXPECT_EQ(c.BetaLabel(), "\u03B2=33");
    EXPECT_EQ(c.ChiLabel(fs), "\u03C7=130, \u0394\u03C6=89");
    c.SetWallFromPoint(c.ApexX() - 1000, c.top + 1);
    c.ComputeFanGeometry(fs);
    EXPECT_EQ(c.ChiLabel(fs).substr(0, 8), "\u03C7=130, ");
}

TEST(CornerLabels, NoFanForSubsonicFlow)
{
    FlowState fs;
    fs.v1 = 200.0;
    fs.t1 = 273.0;
    ComputeUpstreamState(fs);
    Corner c = PlacedCorner();
    c.ComputeFanGeometry(fs);
    EXPECT_FALSE(Corner::HasFan(fs));
    EXPECT_EQ(c.BetaLabel(), "\u03B2=135");
    EXPECT_EQ(c.separationAngle, 0.0);
}

} // namespace
