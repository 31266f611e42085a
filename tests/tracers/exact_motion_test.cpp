// The tracers in the exact theory (tracers/exact_motion.h): they move with the exact velocity
// and stay on the exact streamline of their upstream height, speed up through a fan, slow down
// and crowd behind a shock, and never stand where no gas moves. The checks use the physics'
// own relations (the closed-form fan, the mass flux across a shock) and the exact flow's
// regions by angle (ExactStateAtAngle), not the stepping's.
#include <gtest/gtest.h>

#include <cmath>

#include "base/constants.h"
#include "model/classify.h"
#include "tests/tracers/flow_fixture.h"
#include "tracers/exact_motion.h"

namespace {

// A flow field at the start-up inputs (or others) with the exact theory chosen.
struct ExactField : ::testing::Test {
    FlowState fs;
    Corner corner;
    FlowField field{fs, corner};

    void Open(double wallAngle, double v1 = 450.0)
    {
        SetInputs(fs, v1, 273.0, 100000.0);
        corner.physics = Physics::Exact;
        field.Open(start::kWidth, start::kHeight, 20240611u);
        corner.SetWallAngle(wallAngle);
        field.RetraceFlow();
    }
    const ExactFlow& Flow() const { return field.exact.Flow(); }
    // A lone tracer started upstream, h px above the wall, a picture's half left of the corner.
    Tracer Upstream(double h) const
    {
        Tracer t;
        t.x = -start::kWidth * 0.5;
        t.y = -h;
        field.exact.Start(t, 1.0);
        return t;
    }
    // The region of the exact flow where a tracer stands.
    ExactRegion RegionOf(double x, double y) const
    {
        return ExactStateAtAngle(Flow(), ExactPolarAngle(x, y)).region;
    }
    static double Speed(const Tracer& t) { return std::hypot(t.stepX, t.stepY) / kTimeStep; }
};

TEST_F(ExactField, ATracerThroughTheFanStaysOnItsStreamlineAndSpeedsUp)
{
    Open(start::kWall); // the start-up wall: a fan
    ASSERT_EQ(Flow().kind, ExactKind::Fan);
    const double h = 20.0; // low enough to leave the fan inside the picture
    Tracer t = Upstream(h);
    // The closed form (the physics notes): r / r0 = (cos(psi1/K) / cos(psi/K))^(K^2) with
    // r0 = h / sin(mu1) and psi = phiSonic - phi.
    const double K = Flow().K;
    const double r0 = h / std::sin(Flow().first);
    const double c1 = std::cos((Flow().phiSonic - Flow().first) / K);
    int fanSteps = 0;
    double lastSpeed = 0.0;
    for (int i = 0; i < 20000 && fanSteps < 100000; ++i) {
        ASSERT_TRUE(field.exact.Step(t));
        const double phi = ExactPolarAngle(t.x, t.y);
        if (phi > Flow().first) {
            EXPECT_EQ(t.y, -h); // upstream: level
            continue;
        }
        if (phi < Flow().last)
            break;
        ++fanSteps;
        const double r = std::hypot(t.x, t.y);
        const double expected = r0 * std::pow(c1 / std::cos((Flow().phiSonic - phi) / K), K * K);
        EXPECT_NEAR(r, expected, 1e-9 * expected);
        EXPECT_GE(Speed(t), lastSpeed);
        lastSpeed = Speed(t);
    }
    EXPECT_GT(fanSteps, 5);
    // Past the fan: the end state's speed, along the turned flow, on the same streamline.
    ASSERT_TRUE(field.exact.Step(t));
    ASSERT_TRUE(field.exact.Step(t));
    EXPECT_NEAR(Speed(t), Flow().v2, 1e-9 * Flow().v2);
    EXPECT_NEAR(std::atan2(-t.stepY, t.stepX), Flow().flowAngle2, 1e-9);
    EXPECT_GT(Flow().v2, Flow().v1);
    EXPECT_NEAR(StreamHeightAt(Flow(), t.x, t.y), h, 1e-6 * h);
}

TEST_F(ExactField, BehindAShockTracersRunAlongTheWallSlowerAndCloserByTheDensityRatio)
{
    // M1 2 and a wall turned 10 degrees into the flow (NACA 1135: sigma 39.314 deg).
    SetInputs(fs, 450.0, 273.0, 100000.0);
    Open(kHalfPi + 10.0 * kRadiansPerDegree, 2.0 * fs.c1);
    ASSERT_EQ(Flow().kind, ExactKind::Shock);
    EXPECT_NEAR(Flow().shockAngle * kDegreesPerRadian, 39.314, 1e-3);
    const double h1 = 40.0, h2 = 70.0;
    Tracer a = Upstream(h1), b = Upstream(h2);
    // Each stepped until well behind the shock.
    auto behind = [&](Tracer& t) {
        for (int i = 0; i < 20000; ++i) {
            ASSERT_TRUE(field.exact.Step(t));
            if (RegionOf(t.x, t.y) == ExactRegion::Downstream && std::hypot(t.x, t.y) > 150.0)
                return;
        }
        FAIL() << "never behind the shock";
    };
    behind(a);
    behind(b);
    const double theta = corner.wallAngle - kHalfPi; // the wall's direction
    for (const Tracer* t : {&a, &b}) {
        EXPECT_NEAR(Speed(*t), Flow().v2, 1e-9 * Flow().v2);
        EXPECT_NEAR(std::atan2(-t->stepY, t->stepX), theta, 1e-9);
    }
    // Their distance across the flow: the mass flux between them is the same on both sides,
    // rho1 V1 (h2 - h1) = rho2 V2 d.
    const double ux = std::cos(theta), uy = -std::sin(theta); // along the flow, on screen
    const double d = std::fabs((b.x - a.x) * uy - (b.y - a.y) * ux);
    EXPECT_NEAR(d * Flow().rho2 * Flow().v2, (h2 - h1) * Flow().rho1 * Flow().v1,
                1e-6 * (h2 - h1) * Flow().rho1 * Flow().v1);
    // Slower and closer across: the area per tracer shrinks by the density ratio.
    EXPECT_LT(Flow().v2, Flow().v1);
    EXPECT_NEAR((d / (h2 - h1)) * (Flow().v2 / Flow().v1), Flow().rho1 / Flow().rho2, 1e-6);
}

TEST_F(ExactField, NoTracerEverStandsWhereNoGasMoves)
{
    struct Case {
        double wallAngle;
        ExactKind kind;
    };
    // Past the largest turn (a vacuum at the wall), a shock, a detached shock.
    for (const Case c : {Case{-1.2, ExactKind::FanToVacuum},
                         Case{kHalfPi + 5.0 * kRadiansPerDegree, ExactKind::Shock},
                         Case{kHalfPi + 40.0 * kRadiansPerDegree, ExactKind::Detached}}) {
        Open(c.wallAngle);
        ASSERT_EQ(Flow().kind, c.kind);
        long inFan = 0, behind = 0;
        for (int tick = 0; tick < 400; ++tick) {
            field.AdvanceToFrame();
            for (const Tracer& t : field.tracers) {
                const ExactRegion r = RegionOf(t.x, t.y);
                ASSERT_TRUE(r == ExactRegion::Upstream || r == ExactRegion::Fan
                            || r == ExactRegion::Downstream)
                    << ExactRegionName(r) << " at " << t.x << ", " << t.y;
                inFan += r == ExactRegion::Fan;
                behind += r == ExactRegion::Downstream;
            }
            const ExactRegion m = RegionOf(field.marker.x, field.marker.y);
            ASSERT_TRUE(m == ExactRegion::Upstream || m == ExactRegion::Fan
                        || m == ExactRegion::Downstream);
        }
        // The flow did reach the fan or the shock's far side.
        if (c.kind == ExactKind::FanToVacuum) {
            EXPECT_GT(inFan, 0);
        }
        if (c.kind == ExactKind::Shock) {
            EXPECT_GT(behind, 0);
        }
    }
}

} // namespace
