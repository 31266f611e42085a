// The state through the fan: the model's samples against the probe read-out, the exact ones
// against the theory section's end state and published tables, and the exact streamlines
// against mass conservation and the flow's direction.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "base/constants.h"
#include "corner/corner.h"
#include "model/classify.h"
#include "model/exact_flow.h"
#include "model/exact_streamline.h"
#include "model/flow_state.h"
#include "model/probe.h"
#include "model/profile.h"
#include "model/theory.h"
#include "tests/support/start_up.h"

namespace {

constexpr double D2R = kRadiansPerDegree;
constexpr double R2D = kDegreesPerRadian;

// The picture's state for inputs and a wall, as the session computes it.
struct Picture {
    FlowState fs;
    Corner corner;
    Picture(double v1, double t1, double wallAngle)
    {
        fs.v1 = v1;
        fs.t1 = t1;
        fs.p1 = 100000.0;
        ComputeUpstreamState(fs);
        corner.left = 0;
        corner.top = 192;
        corner.width = start::kWidth;
        corner.height = 384;
        corner.SetWallAngle(wallAngle);
        corner.ComputeFanGeometry(fs);
    }
    FanProfile Profile() const
    {
        return ComputeFanProfile(fs, corner.wallAngle, corner.TurnAngle(fs));
    }
};

// A wall turned by chi degrees from straight.
double Turned(double chiDegrees) { return kHalfPi - chiDegrees * D2R; }

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The model's value of every sample is what the probe reads at a point of the picture at that
// angle: a point on the sample's ray whose angle, as the probe measures it, lies in the same
// region and the same step of the read-out's resolution (1e-5 rad) as the sample's (a ray's
// points measure within a few units of the last place of its angle, so one is found; the
// characteristics themselves need the point on their own side). The probe's region and
// read-out are taken there as the session takes them.
TEST(FanProfile, ModelSamplesAreTheProbeReadout)
{
    const Picture pictures[] = {
        {450.0, 273.0, start::kWall}, // start-up
        {450.0, 273.0, Turned(10)},   // a narrow fan
        {450.0, 273.0, -1.2},         // past the largest turn: the flow separates
        {673.7, 283.0, Turned(30)},   // M1 = 1.96
        {200.0, 273.0, start::kWall}, // subsonic: no fan, the upstream state everywhere
        {450.0, 273.0, Turned(-10)},  // a wall turned into the flow
    };
    for (const Picture& pic : pictures) {
        SCOPED_TRACE(pic.fs.v1);
        SCOPED_TRACE(pic.corner.wallAngle);
        const FanProfile p = pic.Profile();
        ASSERT_GT(p.samples.size(), 100u);
        int fanSamples = 0;
        for (const ProfileSample& s : p.samples) {
            // A point at the sample's angle, at some radius where the probe measures it so.
            double x = 0.0, y = 0.0;
            bool found = false;
            for (double r = 100.0; r < 400.0 && !found; r += 0.37) {
                x = r * std::cos(s.phi);
                y = -r * std::sin(s.phi);
                const double phi = pic.corner.PolarAngle(false, x, y);
                found = ClassifyAngle(pic.fs, phi) == ClassifyAngle(pic.fs, s.phi)
                        && ProbeAngleSteps(phi) == ProbeAngleSteps(s.phi)
                        && std::fabs(phi - s.phi) < 1e-12;
            }
            ASSERT_TRUE(found) << s.phi;
            const int region = pic.corner.ClassifyPoint(pic.fs, false, x, y);
            const ProbeValues v = ProbeReadout(pic.fs, region, pic.corner.PolarAngle(false, x, y));
            EXPECT_EQ(s.modelRegion, region) << s.phi;
            EXPECT_TRUE(SameBits(s.model.M, v.M)) << s.phi;
            EXPECT_TRUE(SameBits(s.model.P, v.P)) << s.phi;
            EXPECT_TRUE(SameBits(s.model.T, v.T)) << s.phi;
            EXPECT_TRUE(SameBits(s.model.rho, v.rho)) << s.phi;
            EXPECT_TRUE(SameBits(s.model.V, v.V)) << s.phi;
            fanSamples += region == RegionFan;
        }
        if (p.modelFan) {
            EXPECT_GE(fanSamples, 40);
        }
    }
}

// The range runs from the upstream wall to the downstream wall, in order, and holds each
// characteristic in it as a sample.
TEST(FanProfile, RangeOrderAndCharacteristics)
{
    const Picture start(450.0, 273.0, start::kWall);
    const FanProfile p = start.Profile();
    EXPECT_EQ(p.phiFrom, kPi);
    EXPECT_EQ(p.phiTo, start.corner.wallAngle - kHalfPi);
    EXPECT_EQ(p.samples.front().phi, kPi);
    EXPECT_EQ(p.samples.back().phi, p.phiTo);
    for (size_t i = 1; i < p.samples.size(); ++i)
        ASSERT_LT(p.samples[i].phi, p.samples[i - 1].phi) << i;
    // The angles at start-up (the README's): the fan from 48.47 degrees, its end at 17.8
    // degrees in the model and at -26.4 degrees in the exact expansion.
    EXPECT_NEAR(p.modelFirst * R2D, 48.47, 0.005);
    EXPECT_EQ(p.exactFirst, p.modelFirst);
    EXPECT_NEAR(p.modelLast * R2D, 17.8, 0.05);
    EXPECT_NEAR(p.exactLast * R2D, -26.4, 0.05);
    for (double a : {p.modelFirst, p.modelLast, p.exactFirst, p.exactLast}) {
        bool present = false;
        for (const ProfileSample& s : p.samples)
            present = present || s.phi == a;
        EXPECT_TRUE(present) << a;
    }
}

// The exact values at the ends are the upstream state and, at and past the exact last
// characteristic, the theory section's end state, to the bit; in between they join them
// continuously.
TEST(FanProfile, ExactEndsAreTheTheorySection)
{
    for (double chi : {10.0, 45.0, 100.0}) {
        SCOPED_TRACE(chi);
        const Picture pic(450.0, 273.0, Turned(chi));
        const FanProfile p = pic.Profile();
        const TheoryResult t = PrandtlMeyer(pic.fs, pic.corner.TurnAngle(pic.fs));
        ASSERT_TRUE(t.valid);
        ASSERT_EQ(p.exactLast, t.lastCharacteristicAngle);
        int past = 0;
        for (const ProfileSample& s : p.samples) {
            if (s.phi >= p.exactFirst) {
                EXPECT_EQ(s.exactRegion, RegionUpstream);
                EXPECT_EQ(s.exact.P, pic.fs.p1);
                EXPECT_EQ(s.exact.M, pic.fs.mach1);
            } else if (s.phi <= p.exactLast) {
                ++past;
                EXPECT_EQ(s.exactRegion, RegionDownstream);
                EXPECT_EQ(s.exact.M, t.mach2);
                EXPECT_EQ(s.exact.P, t.p2);
                EXPECT_EQ(s.exact.T, t.t2);
                EXPECT_EQ(s.exact.rho, t.rho2);
                EXPECT_EQ(s.exact.V, t.v2);
            } else {
                EXPECT_EQ(s.exactRegion, RegionFan);
            }
        }
        EXPECT_GT(past, 0);
        // Continuous at both characteristics.
        const double eps = 1e-9;
        const StateValues in1 = ExactStateAt(p.exact, p.exactFirst - eps);
        const StateValues in2 = ExactStateAt(p.exact, p.exactLast + eps);
        EXPECT_NEAR(in1.P / pic.fs.p1, 1.0, 1e-7);
        EXPECT_NEAR(in1.M / pic.fs.mach1, 1.0, 1e-7);
        EXPECT_NEAR(in2.P / t.p2, 1.0, 1e-6);
        EXPECT_NEAR(in2.M / t.mach2, 1.0, 1e-7);
        EXPECT_NEAR(in2.V / t.v2, 1.0, 1e-7);
    }
}

// The closed form of the fan against published Prandtl-Meyer tables (gamma 1.4) at rays chosen
// from the tables alone: Mach 2 turned by 10 degrees reaches M = 2.385, whose Mach angle is
// 24.79 degrees, so on the ray at 24.79 - 10 degrees; and M = 3 (nu = 49.757 degrees, Mach angle
// 19.471 degrees) lies where Mach 2 (nu = 26.380 degrees) has turned by 23.377 degrees. Every
// fan sample satisfies phi = mu(M) - theta with nu(M) = nu1 + theta.
TEST(FanProfile, ExactFanAgreesWithPublishedTables)
{
    FlowState m2;
    ComputeUpstreamState(m2);
    m2.v1 = 2.0 * m2.c1;
    ComputeUpstreamState(m2);
    const ExactFan fan = ExactFanFor(m2, 40.0 * D2R);
    int region = 0;
    const StateValues a = ExactStateAt(fan, (24.79 - 10.0) * D2R, &region);
    EXPECT_EQ(region, RegionFan);
    EXPECT_NEAR(a.M, 2.385, 0.0005);
    const StateValues b = ExactStateAt(fan, (19.471 - (49.757 - 26.380)) * D2R, &region);
    EXPECT_EQ(region, RegionFan);
    EXPECT_NEAR(b.M, 3.000, 0.0005);
    // p/p0 at M = 3 is 0.02722 in the tables; p1/p0 at M = 2 is 0.1278.
    EXPECT_NEAR(b.P / m2.p1 * 0.12780, 0.02722, 0.00003);

    const FanProfile p = Picture(673.7, 283.0, Turned(30)).Profile();
    const double nu1 = PrandtlMeyerNu(p.upstream.M, 1.4);
    int checked = 0;
    for (const ProfileSample& s : p.samples) {
        if (s.exactRegion != RegionFan)
            continue;
        const double theta = PrandtlMeyerNu(s.exact.M, 1.4) - nu1;
        EXPECT_NEAR(std::asin(1.0 / s.exact.M) - theta, s.phi, 1e-12) << s.phi;
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

// Where the flow is not supersonic, the theory gives no values, and the model its own; a wall
// turned into the flow beyond the largest deflection (a detached shock) has the oncoming flow
// left of the vertical through the corner and no exact value past it.
TEST(FanProfile, NoExactValuesWithoutAComputedFlow)
{
    const Picture subsonic(200.0, 273.0, start::kWall);
    const Picture detached(450.0, 273.0, Turned(-10)); // M1 1.36: theta_max about 8 degrees
    for (const Picture* pic : {&subsonic, &detached}) {
        const FanProfile p = pic->Profile();
        EXPECT_FALSE(p.exact.fan);
        EXPECT_FALSE(p.exact.shock);
        EXPECT_TRUE(std::isnan(p.exactLast));
        EXPECT_TRUE(std::isnan(p.exactShock));
        int past = 0;
        for (const ProfileSample& s : p.samples) {
            EXPECT_EQ(s.model.P, pic->fs.p1);
            if (pic == &detached && s.phi >= kHalfPi) {
                EXPECT_EQ(s.exactRegion, RegionUpstream);
                EXPECT_EQ(s.exact.P, pic->fs.p1);
                continue;
            }
            EXPECT_EQ(s.exactRegion, RegionNone);
            EXPECT_TRUE(std::isnan(s.exact.P) && std::isnan(s.exact.M) && std::isnan(s.exact.V));
            past += s.phi < kHalfPi;
        }
        EXPECT_GT(past, 20);
    }
    EXPECT_TRUE(detached.Profile().exact.detached);
    EXPECT_EQ(detached.Profile().exact.theory.kind, TheoryCase::IntoTheFlow);
    EXPECT_EQ(subsonic.Profile().exact.theory.kind, TheoryCase::NotSupersonic);
}

// A wall turned 10 degrees into a flow at M1 = 2 (NACA Report 1135, chart 2: shock angle
// 39.31 degrees, p2/p1 1.7066, rho2/rho1 1.4584, M2 1.6405): the oncoming flow down to the
// shock's ray, the state behind it one step below and on to the wall, where the range ends;
// every sample as the exact flow has it at that angle.
TEST(FanProfile, ExactShockJumpsAtItsAngle)
{
    FlowState probe;
    probe.t1 = 273.0;
    ComputeUpstreamState(probe);
    const Picture pic(2.0 * probe.c1, 273.0, Turned(-10));
    ASSERT_NEAR(pic.fs.mach1, 2.0, 1e-12);
    const FanProfile p = pic.Profile();
    ASSERT_TRUE(p.exact.shock);
    EXPECT_NEAR(p.exactShock * R2D, 39.3139, 1e-3);
    EXPECT_NEAR(p.phiTo, 10.0 * D2R, 1e-12);
    EXPECT_NEAR(p.exact.behind.P / pic.fs.p1, 1.70658, 1e-5);
    EXPECT_NEAR(p.exact.behind.rho / pic.fs.rho1, 1.45843, 1e-5);
    EXPECT_NEAR(p.exact.behind.M, 1.64052, 1e-5);
    const ExactFlow flow = ComputeExactFlow(pic.fs, kHalfPi - pic.corner.wallAngle);
    size_t at = p.samples.size();
    for (size_t i = 0; i < p.samples.size(); ++i) {
        const ProfileSample& s = p.samples[i];
        const ExactPointState e = ExactStateAtAngle(flow, s.phi);
        for (double difference : {s.exact.M - e.M, s.exact.P - e.P, s.exact.T - e.T,
                                  s.exact.rho - e.rho, s.exact.V - e.V})
            EXPECT_EQ(difference, 0.0) << s.phi;
        EXPECT_EQ(s.exactRegion, s.phi >= p.exactShock ? RegionUpstream : RegionDownstream);
        if (s.phi == p.exactShock)
            at = i;
    }
    ASSERT_LT(at + 1, p.samples.size());
    EXPECT_EQ(p.samples[at].exact.P, pic.fs.p1);
    EXPECT_EQ(p.samples[at + 1].phi, std::nextafter(p.exactShock, 0.0));
    EXPECT_EQ(p.samples[at + 1].exact.P, p.exact.behind.P);
    EXPECT_EQ(p.samples.back().phi, p.phiTo);
    EXPECT_EQ(p.samples.back().exact.P, p.exact.behind.P);
}

// Sonic flow (M1 = 1, as typed with V1 = c1): the fan starts at 90 degrees and every value is a
// number; so is every value of a wall that cannot be read (an infinite angle).
TEST(FanProfile, SonicFlowAndUnreadableWallsGiveNumbers)
{
    FlowState probe;
    probe.t1 = 273.0;
    ComputeUpstreamState(probe);
    Picture sonic(probe.c1, 273.0, start::kWall);
    ASSERT_EQ(sonic.fs.mach1, 1.0);
    const FanProfile p = sonic.Profile();
    ASSERT_TRUE(p.exact.fan);
    EXPECT_EQ(p.exactFirst, kHalfPi);
    int inFan = 0;
    for (const ProfileSample& s : p.samples) {
        for (int q = 0; q < kQuantityCount; ++q)
            EXPECT_FALSE(std::isnan(s.exact.Of(static_cast<Quantity>(q)))) << s.phi;
        inFan += s.exactRegion == RegionFan;
    }
    EXPECT_GT(inFan, 40);

    Picture wild(450.0, 273.0, start::kWall);
    wild.corner.SetWallAngle(HUGE_VAL);
    wild.corner.ComputeFanGeometry(wild.fs);
    const FanProfile w = wild.Profile();
    EXPECT_TRUE(std::isfinite(w.phiTo));
    EXPECT_LT(w.phiTo, w.phiFrom);
    EXPECT_GT(w.samples.size(), 100u);
}

// The exact streamlines: the gas between each pair carries the same mass flow upstream, across
// every ray of the fan and past it (the state from the profile, the radii from the paths), each
// path runs along the local flow direction in the fan, and leaves it parallel to the wall.
TEST(ExactStreamlines, CarryTheSameMassFlowAndLeaveParallelToTheWall)
{
    for (double chi : {10.0, 45.0, 80.0}) {
        for (double v1 : {450.0, 673.7}) {
            SCOPED_TRACE(chi);
            SCOPED_TRACE(v1);
            const Picture pic(v1, 273.0, Turned(chi));
            const FanProfile p = pic.Profile();
            ASSERT_TRUE(p.exact.fan);
            const double heights[] = {64.0, 102.4, 140.8};
            std::vector<ExactPoint> paths[3];
            for (int i = 0; i < 3; ++i) {
                paths[i] = TraceExactStreamline(p.exact, -311.0, heights[i], 1e12);
                ASSERT_EQ(paths[i].size(), static_cast<size_t>(kExactFanSteps + 3));
            }
            const double rho1 = pic.fs.rho1, v = pic.fs.v1;
            for (int i = 0; i + 1 < 3; ++i) {
                const double upstream = rho1 * v * (heights[i + 1] - heights[i]);
                // Across each ray of the fan: rho c (r2 - r1), c = V / M.
                for (int k = 1; k <= kExactFanSteps + 1; ++k) {
                    const ExactPoint a = paths[i][k], b = paths[i + 1][k];
                    const double phi = PolarAngle(a.x, a.y);
                    ASSERT_NEAR(PolarAngle(b.x, b.y), phi, 1e-12);
                    // On the last ray the state just inside the fan, as the ray belongs to it.
                    const StateValues s = ExactStateAt(
                        p.exact, k == kExactFanSteps + 1 ? std::nextafter(phi, 10.0) : phi);
                    const double across = s.rho * s.V / s.M
                                          * (std::hypot(b.x, b.y) - std::hypot(a.x, a.y));
                    EXPECT_NEAR(across / upstream, 1.0, 1e-6) << "ray " << k;
                }
                // Past the fan, across the flow: rho2 V2 times the distance between the lines.
                const ExactPoint a = paths[i][kExactFanSteps + 1];
                const ExactPoint b = paths[i + 1][kExactFanSteps + 1];
                const double turn = pic.corner.TurnAngle(pic.fs);
                const double gap = std::fabs((b.x - a.x) * std::sin(turn)
                                             - (b.y - a.y) * std::cos(turn));
                const TheoryResult t = p.exact.theory;
                EXPECT_NEAR(t.rho2 * t.v2 * gap / upstream, 1.0, 1e-6);
            }
            const double wallDirection = pic.corner.wallAngle - kHalfPi;
            for (const auto& path : paths) {
                // Level upstream.
                EXPECT_EQ(path[0].y, path[1].y);
                // Past the fan, along the wall.
                const ExactPoint e = path[kExactFanSteps + 1], f = path.back();
                EXPECT_NEAR(PolarAngle(f.x - e.x, f.y - e.y), wallDirection, 1e-9);
                // In the fan each chord runs along the flow at its middle ray, whose direction is
                // -theta = phi - mu(M), to the chord's own second-order error.
                const double step = (p.exactFirst - p.exactLast) / kExactFanSteps;
                for (int k = 1; k <= kExactFanSteps; ++k) {
                    const ExactPoint a = path[k], b = path[k + 1];
                    const double mid = 0.5 * (PolarAngle(a.x, a.y) + PolarAngle(b.x, b.y));
                    const StateValues s = ExactStateAt(p.exact, mid);
                    EXPECT_NEAR(PolarAngle(b.x - a.x, b.y - a.y), mid - std::asin(1.0 / s.M),
                                step * step)
                        << k;
                }
            }
        }
    }
}

} // namespace
