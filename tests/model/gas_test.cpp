// The gases of the list: published values for gases other than air, and the model's and the
// exact theory's own invariants for every gas a student can choose.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "base/constants.h"
#include "model/flow_state.h"
#include "model/gas.h"
#include "model/start_values.h"
#include "model/theory.h"

namespace {

// A gas at T1 and 1 bar flowing at Mach number `mach`.
FlowState GasAtMach(const Gas& gas, double mach, double t1 = 300.0)
{
    FlowState fs;
    fs.gamma = gas.gamma;
    fs.molarMass = gas.molarMass;
    fs.t1 = t1;
    ComputeUpstreamState(fs);
    fs.v1 = mach * fs.c1;
    ComputeUpstreamState(fs);
    return fs;
}

TEST(Gas, PublishedValuesForOtherGases)
{
    const Gas& helium = *FindGas("he");
    // A monatomic gas turns through at most 90 degrees: nu_max = (sqrt(4) - 1) * 90.
    EXPECT_NEAR(PrandtlMeyerNu(INFINITY, helium.gamma) * kDegreesPerRadian, 90.0, 1e-9);
    EXPECT_NEAR(PrandtlMeyerNu(2.0, 1.4) * kDegreesPerRadian, 26.38, 0.005);
    // For gamma 5/3 nu(2) = 2 atan(sqrt(3)/2) - 60 deg = 21.787 deg (tables print 21.78).
    EXPECT_NEAR(PrandtlMeyerNu(2.0, helium.gamma) * kDegreesPerRadian, 21.787, 0.0005);
    // The speed of sound in helium at 273 K is 972 m/s (the model's c1 at rest).
    FlowState fs;
    fs.gamma = helium.gamma;
    fs.molarMass = helium.molarMass;
    fs.t1 = 273.0;
    ComputeUpstreamState(fs);
    EXPECT_NEAR(fs.c1, 972.0, 0.5);
    // Carbon dioxide turns through about 163 degrees, more than a half turn can show.
    FlowState co2 = GasAtMach(*FindGas("co2"), 2.0);
    ComputeFanGeometry(co2, 0.0);
    EXPECT_NEAR(co2.maxTurnAngle * kDegreesPerRadian, 163.0, 0.5);
}

TEST(Gas, TheListStartsWithTheProgramsOwnAirAndIsUsable)
{
    const auto& table = GasTable();
    ASSERT_FALSE(table.empty());
    EXPECT_STREQ(table.front().code, "air");
    EXPECT_EQ(table.front().gamma, kStartValues.gamma);
    EXPECT_EQ(table.front().molarMass, kStartValues.molarMass);
    EXPECT_EQ(GasCodes(), "air, n2, o2, he, ar, co2, h2o, ch4, h2");
    std::set<std::string> codes;
    for (const Gas& g : table) {
        EXPECT_TRUE(codes.insert(g.code).second) << g.code;
        EXPECT_TRUE(GammaInRange(g.gamma)) << g.code;
        EXPECT_TRUE(MolarMassInRange(g.molarMass)) << g.code;
        EXPECT_EQ(GasOf(g.gamma, g.molarMass), &g) << g.code;
        EXPECT_EQ(FindGas(g.code), &g);
    }
    EXPECT_EQ(FindGas("other"), nullptr);
    EXPECT_EQ(FindGas("He"), nullptr); // codes are written as listed
    EXPECT_EQ(GasOf(1.3, 44.0), nullptr);
    // The edges of what may be typed.
    EXPECT_FALSE(GammaInRange(1.0));
    EXPECT_TRUE(GammaInRange(std::nextafter(1.0, 2.0)));
    EXPECT_TRUE(GammaInRange(5.0 / 3.0));
    EXPECT_FALSE(GammaInRange(1.667));
    EXPECT_FALSE(GammaInRange(NAN));
    EXPECT_FALSE(MolarMassInRange(0.999));
    EXPECT_TRUE(MolarMassInRange(1.0));
    EXPECT_TRUE(MolarMassInRange(1000.0));
    EXPECT_FALSE(MolarMassInRange(INFINITY));
}

TEST(Gas, EveryGasKeepsTheModelsAndTheTheorysInvariants)
{
    for (const Gas& gas : GasTable()) {
        SCOPED_TRACE(gas.code);
        const double g = gas.gamma;
        const FlowState fs = GasAtMach(gas, 2.0);
        // The gas law, and the critical speed as the speed where V equals c in an isentropic
        // flow of the same total enthalpy: a*^2 = 2/(g+1) c1^2 + (g-1)/(g+1) V1^2.
        EXPECT_NEAR(fs.p1 / (fs.rho1 * fs.t1), kGasConstantPerKilomole / gas.molarMass,
                    1e-9 * fs.p1);
        EXPECT_NEAR(fs.mach1, 2.0, 1e-12);
        const double critSpeed2 = 2.0 / (g + 1.0) * fs.c1 * fs.c1
                                  + (g - 1.0) / (g + 1.0) * fs.v1 * fs.v1;
        EXPECT_NEAR(fs.critSpeed * fs.critSpeed / critSpeed2, 1.0, 1e-12);
        // The critical temperature is where the speed of sound equals the critical speed.
        EXPECT_NEAR(std::sqrt(g * kGasConstantPerKilomole * fs.critTemp / gas.molarMass)
                        / fs.critSpeed,
                    1.0, 1e-12);
        // The model's largest turn is the theory's nu_max for the same gas.
        FlowState geometry = fs;
        ComputeFanGeometry(geometry, 0.5);
        const TheoryResult unturned = PrandtlMeyer(fs, 0.0);
        EXPECT_NEAR(unturned.maxTurnDegrees, geometry.maxTurnAngle * kDegreesPerRadian, 1e-9);
        EXPECT_NEAR(unturned.maxTurnDegrees, (std::sqrt((g + 1.0) / (g - 1.0)) - 1.0) * 90.0, 1e-9);
        // An expansion by 10 degrees keeps the entropy and the total enthalpy of this gas, and
        // nu2 - nu1 is the turn.
        const TheoryResult r = PrandtlMeyer(fs, 10.0 * kRadiansPerDegree);
        ASSERT_TRUE(r.valid);
        EXPECT_NEAR(r.nu2Degrees - r.nu1Degrees, 10.0, 1e-9);
        EXPECT_NEAR(PrandtlMeyerNu(r.mach2, g) * kDegreesPerRadian, r.nu2Degrees, 1e-9);
        EXPECT_NEAR(r.p2 / std::pow(r.rho2, g) / (fs.p1 / std::pow(fs.rho1, g)), 1.0, 1e-12);
        const auto enthalpy = [g](double v, double p, double rho) {
            return v * v / 2.0 + g * p / rho / (g - 1.0);
        };
        EXPECT_NEAR(enthalpy(r.v2, r.p2, r.rho2) / enthalpy(fs.v1, fs.p1, fs.rho1), 1.0, 1e-12);
        EXPECT_NEAR(MachFromNu(PrandtlMeyerNu(3.0, g), g), 3.0, 1e-9);
    }
}

} // namespace
