// The exact flow round the corner both ways: published values (NACA Report 1135), the
// invariants of a perfect gas across every region, the fan built from PrandtlMeyer to the bit,
// the streamlines against the velocity and the mass flux, and hostile inputs.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "base/constants.h"
#include "model/exact_flow.h"
#include "model/profile.h"
#include "model/theory.h"

namespace {

constexpr double D2R = kRadiansPerDegree;
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Gas {
    double gamma, molarMass;
};

// |a - b| within rel of the larger magnitude.
::testing::AssertionResult Close(double a, double b, double rel)
{
    if (std::fabs(a - b) <= rel * std::fmax(std::fabs(a), std::fabs(b)))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << a << " vs " << b << " (rel " << rel << ")";
}

class ExactFlowTest : public ::testing::Test {
protected:
    // Gases from nearly isothermal to monatomic, light and heavy.
    const std::vector<Gas> gases{{1.4, 28.0},  {5.0 / 3.0, 4.0}, {1.3, 44.0},
                                 {1.1, 100.0}, {1.02, 2.0},      {1.000001, 30.0}};

    static FlowState State(double v1, double t1, double p1, Gas gas = {1.4, 28.0})
    {
        FlowState fs;
        fs.v1 = v1;
        fs.t1 = t1;
        fs.p1 = p1;
        fs.gamma = gas.gamma;
        fs.molarMass = gas.molarMass;
        ComputeUpstreamState(fs);
        return fs;
    }
    // The gas at 273 K and 1 bar flowing at Mach number m.
    static FlowState AtMach(double m, Gas gas = {1.4, 28.0})
    {
        FlowState fs = State(0.0, 273.0, 100000.0, gas);
        fs.v1 = m * fs.c1;
        ComputeUpstreamState(fs);
        return fs;
    }
    // Walls for a state: fans, a fan to vacuum, attached shocks, detached.
    static std::vector<double> Turns(const ExactFlow& f)
    {
        return {10.0 * D2R,          0.6 * f.largestTurn,    f.largestTurn,
                f.largestTurn + 0.3, -0.3 * f.maxDeflection, -0.999 * f.maxDeflection,
                -f.maxDeflection};
    }
    // Polar angles from the upstream wall down past the downstream wall.
    static std::vector<double> Angles(const ExactFlow& f)
    {
        std::vector<double> phis;
        for (int i = 0; i <= 200; ++i)
            phis.push_back(kPi - i * (kPi - f.wallPhi + 0.2) / 200.0);
        for (double a : {f.first, f.last, f.shockAngle, f.wallPhi})
            if (std::isfinite(a))
                phis.push_back(a);
        return phis;
    }
};

TEST_F(ExactFlowTest, PublishedValues)
{
    const ObliqueShock s = WeakObliqueShock(2.0, 10.0 * D2R, 1.4);
    ASSERT_TRUE(s.attached);
    EXPECT_NEAR(s.shockAngle / D2R, 39.314, 0.0005);
    EXPECT_NEAR(s.mach2, 1.64052, 0.000005);
    EXPECT_NEAR(s.pressureRatio, 1.70658, 0.000005);
    EXPECT_NEAR(s.densityRatio, 1.45843, 0.000005);
    EXPECT_NEAR(s.temperatureRatio, 1.17015, 0.000005);
    EXPECT_NEAR(s.thetaMax / D2R, 22.9735, 0.00005);
    EXPECT_NEAR(s.betaAtMax / D2R, 64.669, 0.0005);
    const ObliqueShock s3 = WeakObliqueShock(3.0, 20.0 * D2R, 1.4);
    EXPECT_NEAR(s3.shockAngle / D2R, 37.76, 0.005);
    EXPECT_NEAR(s3.mach2, 1.994, 0.0005);
    EXPECT_NEAR(s3.pressureRatio, 3.771, 0.0005);

    // The start-up state: its largest deflection, its fan and its critical state.
    const FlowState start = State(450.0, 273.0, 100000.0);
    const ExactFlow f = ComputeExactFlow(start, kHalfPi - 0.785375);
    EXPECT_EQ(f.kind, ExactKind::Fan);
    EXPECT_NEAR(f.m1, 1.335799, 5e-7);
    EXPECT_NEAR(f.maxDeflection / D2R, 7.6548, 0.00005);
    EXPECT_NEAR(f.nuMax / D2R, 130.4541, 0.00005);
    EXPECT_NEAR(ComputeExactFlow(AtMach(2.0), 0.1).nu1 / D2R, 26.3798, 0.00005);
    EXPECT_NEAR(f.largestTurn / D2R, 123.29, 0.005);
    EXPECT_NEAR(f.critical.T, 308.688, 0.0005);
    EXPECT_NEAR(f.critical.P, 153727.5, 0.05);
    EXPECT_NEAR(f.critical.rho, 1.677179, 5e-7);
    EXPECT_TRUE(Close(f.critical.P, f.critical.rho * f.gasConstant * f.critical.T, 1e-12));
    EXPECT_TRUE(Close(f.critical.c, std::sqrt(1.4 * f.gasConstant * f.critical.T), 1e-12));
    EXPECT_EQ(f.critical.V0, 1.0 / f.critical.rho);
}

// The largest deflection is the top of theta(beta) (the textbook form, beside the program's),
// and the weak solution ends there: attached up to it, detached past it by one rounding.
TEST_F(ExactFlowTest, DetachmentFromBothSides)
{
    const auto theta = [](double m, double b, double g) {
        return std::atan(2.0 / std::tan(b) * (m * m * std::sin(b) * std::sin(b) - 1.0)
                         / (m * m * (g + std::cos(2.0 * b)) + 2.0));
    };
    for (const Gas& gas : gases)
        for (double m : {1.05, 1.335799, 2.0, 7.0, 40.0}) {
            const ObliqueShock top = WeakObliqueShock(m, 0.0, gas.gamma);
            const double b = top.betaAtMax;
            EXPECT_TRUE(Close(theta(m, b, gas.gamma), top.thetaMax, 1e-12)) << m;
            EXPECT_LT(theta(m, b - 1e-4, gas.gamma), top.thetaMax);
            EXPECT_LT(theta(m, b + 1e-4, gas.gamma), top.thetaMax);

            const ObliqueShock at = WeakObliqueShock(m, top.thetaMax, gas.gamma);
            ASSERT_TRUE(at.attached);
            EXPECT_EQ(at.shockAngle, b);
            const ObliqueShock below = WeakObliqueShock(m, top.thetaMax * (1.0 - 1e-9), gas.gamma);
            ASSERT_TRUE(below.attached);
            EXPECT_LT(below.shockAngle, b);
            EXPECT_NEAR(below.shockAngle, b, 1e-3);
            EXPECT_FALSE(
                WeakObliqueShock(m, std::nextafter(top.thetaMax, inf), gas.gamma).attached);

            const FlowState fs = AtMach(m, gas);
            const double limit = ComputeExactFlow(fs, 0.1).maxDeflection;
            EXPECT_EQ(ComputeExactFlow(fs, -limit).kind, ExactKind::Shock);
            EXPECT_EQ(ComputeExactFlow(fs, -std::nextafter(limit, inf)).kind, ExactKind::Detached);
        }
}

// At every probe of every region, for several gases and walls both ways: the gas law, one
// total enthalpy, the entropy kept through the fan and raised by the shock, the velocity's
// components agreeing with each other and, on the fan's rays, Vphi = c and the flow turned by
// nu(M) - nu1; across the shock the mass flux and the tangential velocity kept.
TEST_F(ExactFlowTest, InvariantsInEveryRegion)
{
    for (const Gas& gas : gases)
        for (double m : {1.2, 2.5, 6.0, 1e4}) {
            const FlowState fs = AtMach(m, gas);
            const double g = gas.gamma;
            for (double turn : Turns(ComputeExactFlow(fs, 0.1))) {
                const ExactFlow f = ComputeExactFlow(fs, turn);
                ASSERT_NE(f.kind, ExactKind::Subsonic);
                ASSERT_NE(f.kind, ExactKind::Detached);
                const double R = f.gasConstant;
                const double cp = g * R / (g - 1.0);
                const double h0 = cp * f.t1 + 0.5 * f.v1 * f.v1;
                const double s1 = f.p1 / std::pow(f.rho1, g);
                for (double phi : Angles(f)) {
                    const ExactPointState p = ExactStateAtAngle(f, phi);
                    SCOPED_TRACE(testing::Message()
                                 << "g " << g << " M1 " << m << " turn " << turn << " phi " << phi
                                 << " " << ExactRegionName(p.region));
                    if (p.region == ExactRegion::Body) {
                        EXPECT_TRUE(std::isnan(p.P) && std::isnan(p.M) && std::isnan(p.Vphi));
                        continue;
                    }
                    ASSERT_NE(p.region, ExactRegion::None);
                    if (p.region == ExactRegion::Vacuum || p.M == inf) { // also the limiting line
                        EXPECT_EQ(p.P, 0.0);
                        EXPECT_EQ(p.M, inf);
                        EXPECT_TRUE(Close(p.V, std::sqrt(2.0 * h0), 1e-12));
                        EXPECT_EQ(p.Vphi, 0.0); // along the limiting streamline, a ray
                        EXPECT_EQ(p.Vr, p.V);
                        continue;
                    }
                    EXPECT_TRUE(Close(p.P, p.rho * R * p.T, 1e-11));
                    EXPECT_TRUE(Close(p.c, std::sqrt(g * R * p.T), 1e-11));
                    EXPECT_TRUE(Close(cp * p.T + 0.5 * p.V * p.V, h0, 1e-12));
                    EXPECT_TRUE(Close(p.V, p.M * p.c, 1e-12));
                    EXPECT_TRUE(Close(std::hypot(p.Vr, p.Vphi), p.V, 1e-12));
                    EXPECT_TRUE(Close(std::hypot(p.vx, p.vy), p.V, 1e-12));
                    // Vr and Vphi are the components of (vx, -vy) along and across the ray.
                    const double ux = p.vx, uy = -p.vy;
                    EXPECT_NEAR(ux * std::cos(p.phi) + uy * std::sin(p.phi), p.Vr, 1e-12 * p.V);
                    EXPECT_NEAR(ux * std::sin(p.phi) - uy * std::cos(p.phi), p.Vphi, 1e-12 * p.V);
                    if (p.P == 0.0) // underflowed deep in the fan of a gas with g near 1
                        continue;
                    const double entropy = p.P / std::pow(p.rho, g);
                    // A weak shock raises the entropy by the cube of its strength: beyond
                    // rounding only for the strong ones.
                    if (f.kind == ExactKind::Shock && p.region == ExactRegion::Downstream)
                        EXPECT_GT(entropy,
                                  s1 * (turn < -0.9 * f.maxDeflection ? 1.0 + 1e-9 : 1.0 - 1e-12));
                    else
                        EXPECT_TRUE(Close(entropy, s1, 1e-10));
                    if (p.region == ExactRegion::Fan) {
                        EXPECT_TRUE(Close(p.Vphi, p.c, 1e-11));
                        const double turned = PrandtlMeyerNu(p.M, g) - f.nu1;
                        EXPECT_NEAR(std::remainder(std::atan2(-p.vy, p.vx) + turned, 2.0 * kPi),
                                    0.0, 1e-9);
                    }
                }
                if (f.kind == ExactKind::Shock) {
                    const ExactPointState a = ExactStateAtAngle(f, f.shockAngle);
                    const ExactPointState b = ExactStateAtAngle(f,
                                                                std::nextafter(f.shockAngle, 0.0));
                    ASSERT_EQ(a.region, ExactRegion::Upstream);
                    ASSERT_EQ(b.region, ExactRegion::Downstream);
                    // (beta - theta, the flow's angle behind the shock, carries rho2/rho1 times
                    // the rounding of beta: a strong shock of a gas with g near 1 compresses a lot.)
                    EXPECT_TRUE(
                        Close(a.rho * a.Vphi, b.rho * b.Vphi, 1e-12 + 1e-15 * b.rho / a.rho));
                    EXPECT_TRUE(Close(a.Vr, b.Vr, 1e-12));
                    EXPECT_TRUE(
                        Close(a.P + a.rho * a.Vphi * a.Vphi, b.P + b.rho * b.Vphi * b.Vphi, 1e-12));
                }
            }
        }
}

// A turn away from the flow: the numbers of PrandtlMeyer and ExactFanFor, to the bit.
TEST_F(ExactFlowTest, FanIsPrandtlMeyerToTheBit)
{
    for (const Gas& gas : gases)
        for (double m : {1.0, 1.335799, 3.0})
            for (double turn : {1e-9, 0.2, 1.0, 3.0, 1e6}) {
                const FlowState fs = AtMach(m, gas);
                const ExactFlow f = ComputeExactFlow(fs, turn);
                const TheoryResult t = PrandtlMeyer(fs, turn);
                const ExactFan fan = ExactFanFor(fs, turn);
                ASSERT_EQ(f.kind, turn > f.largestTurn ? ExactKind::FanToVacuum : ExactKind::Fan);
                EXPECT_EQ(f.nu1 * kDegreesPerRadian, t.nu1Degrees);
                EXPECT_EQ(f.nuMax * kDegreesPerRadian, t.maxTurnDegrees);
                EXPECT_EQ(f.flowTurn * kDegreesPerRadian, t.turnDegrees);
                EXPECT_EQ(f.m2, t.mach2);
                EXPECT_EQ(f.p2, t.p2);
                EXPECT_EQ(f.t2, t.t2);
                EXPECT_EQ(f.rho2, t.rho2);
                EXPECT_EQ(f.v2, t.v2);
                EXPECT_EQ(f.last, t.lastCharacteristicAngle);
                EXPECT_EQ(f.first, fan.first);
                EXPECT_EQ(f.phiSonic, fan.phiSonic);
                EXPECT_EQ(f.K, fan.K);
                for (double phi : Angles(f)) {
                    const ExactPointState p = ExactStateAtAngle(f, phi);
                    if (p.region == ExactRegion::Body || p.region == ExactRegion::Vacuum)
                        continue;
                    const StateValues v = ExactStateAt(fan, p.phi);
                    EXPECT_EQ(p.M, v.M);
                    EXPECT_EQ(p.P, v.P);
                    EXPECT_EQ(p.T, v.T);
                    EXPECT_EQ(p.rho, v.rho);
                    EXPECT_EQ(p.V, v.V);
                }
            }
}

// A streamline and the height it came from are each other's inverse; its tangent is the
// velocity; the gas between it and the wall, rho Vphi r across every ray, is what it carried
// upstream, rho1 V1 h.
TEST_F(ExactFlowTest, StreamlinesFollowTheVelocity)
{
    for (const Gas& gas : gases) {
        const FlowState fs = AtMach(2.2, gas);
        for (double turn : Turns(ComputeExactFlow(fs, 0.1))) {
            const ExactFlow f = ComputeExactFlow(fs, turn);
            for (double h : {0.5, 37.5, 300.0})
                for (double phi : Angles(f)) {
                    double x = 0.0, y = 0.0;
                    const ExactPointState p = ExactStateAtAngle(f, phi);
                    const bool reached = StreamPointAt(f, h, phi, x, y);
                    if (p.region == ExactRegion::Body || p.region == ExactRegion::Vacuum) {
                        EXPECT_FALSE(reached);
                        continue;
                    }
                    if (p.P == 0.0)
                        continue; // the limiting line, where the streamlines run out to infinity
                    if (!reached)
                        continue; // out to infinity (the wall's own ray, the vacuum's edge)
                    SCOPED_TRACE(testing::Message() << "g " << gas.gamma << " turn " << turn
                                                    << " h " << h << " phi " << phi);
                    EXPECT_NEAR(ExactPolarAngle(x, y), p.phi, 1e-12);
                    EXPECT_TRUE(Close(StreamHeightAt(f, x, y), h, 1e-11));
                    // (The fan's density carries 1/(g-1) times its rounding.)
                    EXPECT_TRUE(Close(p.rho * p.Vphi * std::hypot(x, y), f.rho1 * f.v1 * h,
                                      1e-11 + 1e-15 / (gas.gamma - 1.0)));
                    double xa = 0, ya = 0, xb = 0, yb = 0;
                    const double e = 1e-6;
                    if (StreamPointAt(f, h, p.phi + e, xa, ya)
                        && StreamPointAt(f, h, p.phi - e, xb, yb)
                        && ExactStateAtAngle(f, p.phi + e).region == p.region
                        && ExactStateAtAngle(f, p.phi - e).region == p.region) {
                        const double tx = xb - xa, ty = yb - ya;
                        EXPECT_NEAR((tx * p.vy - ty * p.vx) / (std::hypot(tx, ty) * p.V), 0.0,
                                    1e-8);
                        EXPECT_GT(tx * p.vx + ty * p.vy, 0.0) << "downstream as phi falls";
                    }
                }
        }
    }
}

TEST_F(ExactFlowTest, RegionsAndHostileInputs)
{
    const FlowState air = AtMach(2.0);
    // Straight wall, detached shock, wrap-around at -pi, a wall turned past every ray.
    const ExactFlow none = ComputeExactFlow(air, -0.0);
    EXPECT_EQ(none.kind, ExactKind::None);
    EXPECT_EQ(ExactStateAtAngle(none, 0.3).P, air.p1);
    EXPECT_EQ(ExactStateAtAngle(none, -0.1).region, ExactRegion::Body);
    EXPECT_EQ(ExactStateAtAngle(none, -kPi).region, ExactRegion::Upstream);
    const ExactFlow detached = ComputeExactFlow(air, -0.5);
    EXPECT_EQ(detached.kind, ExactKind::Detached);
    EXPECT_EQ(ExactStateAtAngle(detached, kHalfPi).region, ExactRegion::Upstream);
    EXPECT_EQ(ExactStateAtAngle(detached, 1.0).region, ExactRegion::None);
    EXPECT_TRUE(std::isnan(ExactStateAtAngle(detached, 1.0).P));
    EXPECT_EQ(ExactStateAtAngle(detached, 0.2).region, ExactRegion::Body);
    EXPECT_EQ(ExactPolarAngle(-5.0, -0.0), kPi);
    EXPECT_EQ(ExactPolarAngle(-5.0, 0.0), kPi);
    EXPECT_EQ(ExactStateAtAngle(ComputeExactFlow(air, 0.4), 3.0 * kPi).region,
              ExactRegion::Upstream);

    // No state of a gas, or no turn: Subsonic, every probe None.
    const auto subsonic = [](const FlowState& fs, double turn) {
        const ExactFlow f = ComputeExactFlow(fs, turn);
        return f.kind == ExactKind::Subsonic
               && ExactStateAtAngle(f, 1.0).region == ExactRegion::None
               && std::isnan(StreamHeightAt(f, -3.0, -4.0));
    };
    EXPECT_TRUE(subsonic(AtMach(0.9), 0.2));
    EXPECT_TRUE(subsonic(air, kNaN));
    EXPECT_TRUE(subsonic(State(kNaN, 273.0, 1e5), 0.2));
    EXPECT_TRUE(subsonic(State(inf, 273.0, 1e5), 0.2));
    EXPECT_TRUE(subsonic(State(900.0, 0.0, 1e5), 0.2));
    EXPECT_TRUE(subsonic(State(900.0, 273.0, 0.0), -0.01));
    EXPECT_TRUE(subsonic(State(900.0, 273.0, -5.0), 0.2));
    EXPECT_TRUE(subsonic(State(900.0, 273.0, 1e5, {1.0, 28.0}), 0.2));
    EXPECT_TRUE(std::isnan(IsentropicCritical(State(kNaN, 273.0, 1e5)).T));
    EXPECT_FALSE(WeakObliqueShock(kNaN, 0.1, 1.4).attached);
    EXPECT_FALSE(WeakObliqueShock(2.0, kNaN, 1.4).attached);
    EXPECT_FALSE(WeakObliqueShock(inf, 0.1, 1.4).attached);
    // A speed that overflows behind the shock: infinite, but no component on the wall's ray is NaN.
    const ExactFlow overflow = ComputeExactFlow(State(1e300, 273.0, 1e5), -0.3);
    ASSERT_EQ(overflow.kind, ExactKind::Shock);
    EXPECT_EQ(overflow.v2, inf);
    EXPECT_EQ(ExactStateAtAngle(overflow, 0.3).Vphi, 0.0);

    // Edges of the supersonic range: every number promised is a number.
    struct Edge {
        double m;
        Gas gas;
    };
    for (const Edge& e :
         {Edge{1.0, {1.4, 28}}, Edge{1.0 + 1e-15, {1.4, 28}}, Edge{1.0 + 1e-9, {5.0 / 3.0, 4}},
          Edge{3.0, {1.0 + 1e-9, 28}}, Edge{2.0, {5.0 / 3.0, 40}}, Edge{1e7, {1.4, 2}},
          Edge{1e150, {1.3, 28}}}) {
        const FlowState fs = AtMach(e.m, e.gas);
        const ExactFlow base = ComputeExactFlow(fs, 0.1);
        SCOPED_TRACE(testing::Message() << "M1 " << e.m << " g " << e.gas.gamma);
        ASSERT_TRUE(base.kind == ExactKind::Fan || base.kind == ExactKind::FanToVacuum);
        for (double v : {base.nu1, base.largestTurn, base.maxDeflection, base.limitingSpeed,
                         base.critical.T, base.critical.P, base.critical.rho, base.critical.c})
            EXPECT_FALSE(std::isnan(v));
        for (double turn : {-base.maxDeflection, -0.5 * base.maxDeflection, -1e-12, 1e-12, 0.5,
                            base.largestTurn, 2.0 * kPi}) {
            const ExactFlow f = ComputeExactFlow(fs, turn);
            if (f.kind == ExactKind::Shock) {
                for (double v : {f.shockAngle, f.m2, f.p2, f.t2, f.rho2, f.v2})
                    EXPECT_FALSE(std::isnan(v)) << turn;
            }
            for (double phi : Angles(f)) {
                const ExactPointState p = ExactStateAtAngle(f, phi);
                if (p.region == ExactRegion::Body || p.region == ExactRegion::None)
                    continue;
                for (double v : {p.M, p.P, p.T, p.rho, p.c, p.V, p.Vphi, p.Vr, p.V0, p.vx, p.vy})
                    EXPECT_FALSE(std::isnan(v)) << turn << " " << phi;
            }
        }
    }
}

} // namespace
