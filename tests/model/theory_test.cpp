// The exact Prandtl–Meyer expansion, against published gas-dynamics tables (NACA Report 1135)
// and against the invariants of an isentropic expansion.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/flow_state.h"
#include "model/theory.h"

namespace {

constexpr double D2R = M_PI / 180.0;
constexpr double R2D = 180.0 / M_PI;
constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Air at 300 K and 1 bar flowing at Mach number `mach`.
FlowState AtMach(double mach)
{
    FlowState fs;
    ComputeUpstreamState(fs);
    fs.v1 = mach * fs.c1;
    ComputeUpstreamState(fs);
    return fs;
}

TEST(Theory, PublishedPrandtlMeyerFunction)
{
    EXPECT_NEAR(PrandtlMeyerNu(2.0, 1.4) * R2D, 26.380, 0.0005);
    EXPECT_NEAR(PrandtlMeyerNu(3.0, 1.4) * R2D, 49.757, 0.0005);
    EXPECT_NEAR(PrandtlMeyerNu(1.5, 1.4) * R2D, 11.905, 0.0005);
    EXPECT_EQ(PrandtlMeyerNu(1.0, 1.4), 0.0);

    // The largest turning angle, 130.45 deg for gamma 1.4: the limit of nu, and the model's
    // own maxTurnAngle, which the picture derives from k.
    FlowState fs = AtMach(2.0);
    ComputeFanGeometry(fs, 0.5);
    const TheoryResult r = PrandtlMeyer(fs, 0.0);
    EXPECT_NEAR(r.maxTurnDegrees, 130.454, 0.0005);
    EXPECT_NEAR(r.maxTurnDegrees, fs.maxTurnAngle * R2D, 1e-9);
    EXPECT_EQ(PrandtlMeyerNu(inf, 1.4) * R2D, r.maxTurnDegrees);
}

TEST(Theory, PublishedTurnAndIsentropicInvariants)
{
    // Mach 2 turned by 10 deg: nu2 = 36.380 deg, M2 = 2.385.
    const FlowState fs = AtMach(2.0);
    const TheoryResult r = PrandtlMeyer(fs, 10.0 * D2R);
    ASSERT_TRUE(r.valid);
    EXPECT_NEAR(r.turnDegrees, 10.0, 1e-12);
    EXPECT_NEAR(r.nu1Degrees, 26.380, 0.0005);
    EXPECT_NEAR(r.nu2Degrees, 36.380, 0.0005);
    EXPECT_NEAR(r.mach2, 2.385, 0.0005);
    EXPECT_NEAR(PrandtlMeyerNu(2.385, 1.4) * R2D, 36.38, 0.005);
    // The last characteristic: the Mach angle at M2 (24.79 deg) above the turned flow.
    EXPECT_NEAR(r.lastCharacteristicAngle * R2D, 24.79 - 10.0, 0.005);

    // An expansion keeps the entropy (p/rho^g), the gas law (p/(rho T)) and the total
    // enthalpy (v^2/2 + c^2/(g-1), c^2 = g p/rho).
    const double g = fs.gamma;
    EXPECT_NEAR(r.p2 / std::pow(r.rho2, g) / (fs.p1 / std::pow(fs.rho1, g)), 1.0, 1e-12);
    EXPECT_NEAR(r.p2 / (r.rho2 * r.t2) / (fs.p1 / (fs.rho1 * fs.t1)), 1.0, 1e-12);
    const auto enthalpy = [g](double v, double p, double rho) {
        return v * v / 2.0 + g * p / rho / (g - 1.0);
    };
    EXPECT_NEAR(enthalpy(r.v2, r.p2, r.rho2) / enthalpy(fs.v1, fs.p1, fs.rho1), 1.0, 1e-12);
    EXPECT_LT(r.p2, fs.p1);
    EXPECT_GT(r.v2, fs.v1);
}

TEST(Theory, PublishedIsentropicRatiosAtMach2)
{
    // Mach 1.5 turned by nu(2) - nu(1.5) = 26.380 - 11.905 deg reaches Mach 2, where the
    // tables give p/p0 = 0.1278, rho/rho0 = 0.2300, T/T0 = 0.5556.
    const FlowState fs = AtMach(1.5);
    const TheoryResult r = PrandtlMeyer(fs, (26.380 - 11.905) * D2R);
    ASSERT_TRUE(r.valid);
    EXPECT_NEAR(r.mach2, 2.000, 0.0005);
    const double total = 1.0 + 0.5 * (fs.gamma - 1.0) * fs.mach1 * fs.mach1; // T0/T1
    EXPECT_NEAR(r.p2 / (fs.p1 * std::pow(total, 3.5)), 0.1278, 0.00005);
    EXPECT_NEAR(r.rho2 / (fs.rho1 * std::pow(total, 2.5)), 0.2300, 0.00005);
    EXPECT_NEAR(r.t2 / (fs.t1 * total), 0.5556, 0.00005);
}

TEST(Theory, NoTurnGivesTheUpstreamStateAndTheFirstCharacteristic)
{
    const FlowState fs = AtMach(1.8);
    for (double turn : {0.0, -0.0}) {
        const TheoryResult r = PrandtlMeyer(fs, turn);
        ASSERT_TRUE(r.valid);
        EXPECT_EQ(r.kind, TheoryCase::Expansion);
        EXPECT_EQ(r.turnDegrees, 0.0);
        EXPECT_FALSE(std::signbit(r.turnDegrees));
        EXPECT_EQ(r.mach2, fs.mach1);
        EXPECT_EQ(r.p2, fs.p1);
        EXPECT_EQ(r.t2, fs.t1);
        EXPECT_EQ(r.rho2, fs.rho1);
        EXPECT_EQ(r.v2, fs.v1);
        EXPECT_EQ(r.nu2Degrees, r.nu1Degrees);
        EXPECT_EQ(r.lastCharacteristicAngle, fs.machAngle);
    }
    // A wall turned into the flow compresses it (an oblique shock): the theory of the fan has
    // no state past it to give, and does not pass the upstream state off as one.
    for (double turn : {-0.3, -1e-12, -inf}) {
        const TheoryResult r = PrandtlMeyer(fs, turn);
        EXPECT_FALSE(r.valid);
        EXPECT_EQ(r.kind, TheoryCase::IntoTheFlow);
        EXPECT_EQ(r.turnDegrees, turn * R2D);
        EXPECT_NEAR(r.nu1Degrees, PrandtlMeyerNu(fs.mach1, 1.4) * R2D, 1e-12);
        EXPECT_TRUE(std::isnan(r.mach2));
        EXPECT_TRUE(std::isnan(r.p2));
        EXPECT_TRUE(std::isnan(r.lastCharacteristicAngle));
    }
    // The smallest turns join the unturned state continuously.
    const TheoryResult tiny = PrandtlMeyer(fs, 1e-9);
    EXPECT_GT(tiny.mach2, fs.mach1);
    EXPECT_NEAR(tiny.mach2, fs.mach1, 1e-8);
    EXPECT_NEAR(tiny.p2, fs.p1, 1e-8 * fs.p1);
    EXPECT_NEAR(tiny.lastCharacteristicAngle, fs.machAngle, 1e-8);
}

TEST(Theory, TurnsAtAndBeyondTheLimitExpandToVacuum)
{
    const FlowState fs = AtMach(2.0);
    const double room = (PrandtlMeyer(fs, 0.0).maxTurnDegrees - 26.379760813416457) * D2R;
    const double vMax = std::sqrt(fs.v1 * fs.v1 + 2.0 * fs.c1 * fs.c1 / (fs.gamma - 1.0));
    for (double turn : {room, room + 0.1, 3.0, inf}) {
        const TheoryResult r = PrandtlMeyer(fs, turn);
        ASSERT_TRUE(r.valid);
        EXPECT_NEAR(r.turnDegrees, room * R2D, 1e-9);
        EXPECT_EQ(r.mach2, inf);
        EXPECT_EQ(r.p2, 0.0);
        EXPECT_EQ(r.t2, 0.0);
        EXPECT_EQ(r.rho2, 0.0);
        EXPECT_NEAR(r.v2, vMax, 1e-9 * vMax);
        EXPECT_NEAR(r.lastCharacteristicAngle, -room, 1e-12);
    }
    // Just short of the limit the state is finite and approaches it.
    const TheoryResult near = PrandtlMeyer(fs, room - 1e-6);
    EXPECT_TRUE(std::isfinite(near.mach2));
    EXPECT_GT(near.mach2, 1e4);
    EXPECT_LT(near.v2, vMax);
    EXPECT_GT(near.v2, 0.999 * vMax);

    // A flow arriving just above sonic speed reaches its limit along the picture's flow
    // boundary of a wall turned too far, at polar angle -maxTurnAngle.
    FlowState sonic = AtMach(1.0 + 1e-9);
    const double separation = ComputeFanGeometry(sonic, -1.0);
    EXPECT_NEAR(PrandtlMeyer(sonic, inf).lastCharacteristicAngle, separation, 1e-6);
}

TEST(Theory, InvalidInputsAreFlaggedAndNeverHang)
{
    FlowState subsonic = AtMach(0.5);
    FlowState notANumber = AtMach(2.0);
    notANumber.v1 = kNaN;
    ComputeUpstreamState(notANumber);
    FlowState frozen = AtMach(2.0); // T1 = 0: c1 = 0, M1 = inf
    frozen.t1 = 0.0;
    ComputeUpstreamState(frozen);
    FlowState badGamma = AtMach(2.0);
    badGamma.gamma = 1.0;
    for (const FlowState& fs : {subsonic, notANumber, frozen, badGamma}) {
        const TheoryResult r = PrandtlMeyer(fs, 0.2);
        EXPECT_FALSE(r.valid);
        EXPECT_EQ(r.kind, TheoryCase::NotSupersonic);
        EXPECT_TRUE(std::isnan(r.mach2));
        EXPECT_TRUE(std::isnan(r.p2));
        EXPECT_TRUE(std::isnan(r.lastCharacteristicAngle));
    }
    EXPECT_FALSE(PrandtlMeyer(AtMach(2.0), kNaN).valid);

    // A flow so fast that nu1 rounds to nu_max has no turning left, and stays finite.
    const TheoryResult fast = PrandtlMeyer(AtMach(1e200), 0.5);
    EXPECT_TRUE(fast.valid);
    EXPECT_EQ(fast.turnDegrees, 0.0);
    EXPECT_TRUE(std::isfinite(fast.p2));

    EXPECT_TRUE(std::isnan(PrandtlMeyerNu(0.99, 1.4)));
    EXPECT_TRUE(std::isnan(PrandtlMeyerNu(kNaN, 1.4)));
    EXPECT_TRUE(std::isnan(PrandtlMeyerNu(2.0, kNaN)));
    EXPECT_TRUE(std::isnan(MachFromNu(kNaN, 1.4)));
    EXPECT_TRUE(std::isnan(MachFromNu(0.5, 0.7)));
    EXPECT_TRUE(std::isnan(MachFromNu(0.5, inf)));
    EXPECT_EQ(MachFromNu(-1.0, 1.4), 1.0);
    EXPECT_EQ(MachFromNu(0.0, 1.4), 1.0);
    EXPECT_EQ(MachFromNu(PrandtlMeyerNu(inf, 1.4), 1.4), inf);
    EXPECT_EQ(MachFromNu(inf, 1.4), inf);
    const double justBelowMax = std::nextafter(PrandtlMeyerNu(inf, 1.4), 0.0);
    EXPECT_GT(MachFromNu(justBelowMax, 1.4), 1e10);
    EXPECT_NEAR(PrandtlMeyerNu(MachFromNu(1e-12, 1.4), 1.4), 1e-12, 1e-19);
    EXPECT_EQ(MachFromNu(1e-300, 1.4), 1.0); // 1 + 1e-200 rounds to 1
}

// Sonic flow, the textbook start of an expansion: nu1 = 0, and a turn of nu(2) = 26.380 deg
// reaches Mach 2 with the tables' p/p0 = 0.1278 (T0/T1 = 1.2 at M1 = 1). The picture draws its
// fan there (the Mach angle is 90 deg), so the theory answers there too, without a division
// by zero.
TEST(Theory, SonicFlowExpands)
{
    FlowState fs = AtMach(2.0);
    fs.v1 = fs.c1;
    ComputeUpstreamState(fs);
    ASSERT_EQ(fs.mach1, 1.0);
    ASSERT_EQ(fs.machAngle, M_PI / 2);
    const TheoryResult r = PrandtlMeyer(fs, 26.380 * D2R);
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.nu1Degrees, 0.0);
    EXPECT_NEAR(r.mach2, 2.000, 0.0005);
    EXPECT_NEAR(r.p2 / (fs.p1 * std::pow(1.2, 3.5)), 0.1278, 0.00005);
    EXPECT_NEAR(r.lastCharacteristicAngle * R2D, 30.0 - 26.380, 0.01);
    for (double turn : {0.0, 1e-9, 0.5, 3.0}) {
        const TheoryResult t = PrandtlMeyer(fs, turn);
        EXPECT_TRUE(t.valid) << turn;
        EXPECT_FALSE(std::isnan(t.p2)) << turn;
        EXPECT_FALSE(std::isnan(t.lastCharacteristicAngle)) << turn;
    }
    // A speed whose Mach number rounds just below 1 but whose Mach angle is still 90 deg.
    FlowState below = fs;
    below.v1 = std::nextafter(fs.c1, 0.0);
    ComputeUpstreamState(below);
    if (below.mach1 < 1.0 && !std::isnan(below.machAngle)) {
        EXPECT_TRUE(PrandtlMeyer(below, 0.5).valid);
    }
}

TEST(Theory, InversionRoundTripsAndIsMonotonic)
{
    for (double gamma : {1.4, 1.1, 5.0 / 3.0}) {
        double previous = 0.0;
        for (double d = 1e-12; d < 1e6; d *= 1.37) {
            const double mach = 1.0 + d;
            const double nu = PrandtlMeyerNu(mach, gamma);
            ASSERT_GT(nu, previous) << "gamma " << gamma << " M " << mach;
            previous = nu;
            EXPECT_NEAR(MachFromNu(nu, gamma), mach, 1e-9 * mach) << "gamma " << gamma;
        }
    }
}

} // namespace
