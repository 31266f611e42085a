// The picture with the exact theory chosen, and with the model past a straight wall: what the
// frame shows where there is no gas (the body, the vacuum, a region not computed), the shock
// in its own pen, and the tracers and streamlines kept out of the body.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "base/constants.h"
#include "corner/corner.h"
#include "platform/image_dc.h"
#include "tests/support/start_up.h"
#include "view/flow_view.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x149B00;

uint32_t Rgb(Colour c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }

// The start-up picture (V1 450, or M1 given) with a wall and a physics, run for some ticks.
struct Scene {
    FlowState fs;
    Corner corner;
    FlowField field{fs, corner};
    FlowView view{field};
    FrameBuffer frame;
    Scene(Physics physics, double betaDegrees, int ticks, double mach1 = 0.0)
    {
        fs.v1 = 450.0;
        fs.t1 = 273.0;
        fs.p1 = 100000.0;
        ComputeUpstreamState(fs);
        if (mach1 > 0.0) {
            fs.v1 = mach1 * fs.c1;
            ComputeUpstreamState(fs);
        }
        corner.physics = physics;
        field.Open(start::kWidth, start::kHeight, 777u);
        corner.SetWallAngle(Corner::WallAngleOfBodyAngle(betaDegrees));
        field.RetraceFlow();
        for (int i = 0; i < ticks; ++i)
            field.AdvanceToFrame();
        view.Compose(frame, 1);
    }
    int ApexX() const { return corner.ApexX(); }
    // The pixel at polar angle phi and r px from the corner.
    uint32_t AtPolar(double phi, double r) const
    {
        return frame.At(static_cast<int>(std::floor(ApexX() + r * std::cos(phi))),
                        static_cast<int>(std::floor(corner.top - r * std::sin(phi))));
    }
    // How far a pixel's centre lies inside the body of a wall at or above the upstream wall's
    // line (<= 0: in the gas).
    double DepthInBody(int px, int py) const
    {
        const double X = px + 0.5 - ApexX(), Y = corner.top - (py + 0.5);
        const double wallPhi = corner.wallAngle - kHalfPi;
        const double across = -(std::cos(wallPhi) * Y - std::sin(wallPhi) * X);
        return Y < 0.0 ? -Y : across;
    }
    // Saves the frame for a look (CF_SAVE_PICTURES=dir).
    void Save(const std::string& name) const
    {
        if (const char* dir = std::getenv("CF_SAVE_PICTURES"))
            ImageOf(frame).save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
    }
};

TEST(ModelPastAStraightWall, NoTracerOrStreamlinePixelInsideTheBody)
{
    Scene s(Physics::Model, 200.0, 300);
    s.Save("model-beta200");
    int right = 0;
    for (int y = 0; y < start::kHeight; ++y)
        for (int x = 0; x < start::kWidth; ++x) {
            const uint32_t c = s.frame.At(x, y);
            if (c == kRed) {
                EXPECT_LT(s.DepthInBody(x, y), 1.0) << x << "," << y;
                right += x > s.ApexX();
            }
            if (c == kGreen) {
                EXPECT_LT(s.DepthInBody(x, y), 2.0) << x << "," << y;
            }
        }
    EXPECT_GT(right, 0); // the cloud reached the raised wall
}

TEST(ExactOverlay, TheShockInItsOwnPenAndNoGasTinted)
{
    // M1 2, a wall turned 10 degrees into the flow: the shock at 39.3 degrees.
    Scene shock(Physics::Exact, 190.0, 600, 2.0);
    shock.Save("exact-shock");
    const ExactFlow f = shock.corner.ExactFlowOf(shock.fs);
    ASSERT_EQ(f.kind, ExactKind::Shock);
    const uint32_t pen = Rgb(shock.corner.shockPen.colour);
    int onShock = 0;
    for (double r = 40.0; r < 180.0; r += 10.0)
        for (double d : {-0.01, 0.0, 0.01})
            if (shock.AtPolar(f.shockAngle + d, r) == pen) {
                ++onShock;
                break;
            }
    EXPECT_GE(onShock, 12);

    // Past the largest turn: the vacuum between the limiting streamline and the wall tinted,
    // and no tracer in it.
    Scene vacuum(Physics::Exact, 30.0, 600); // turned by 150 degrees, past the largest turn
    vacuum.Save("exact-vacuum");
    const ExactFlow v = vacuum.corner.ExactFlowOf(vacuum.fs);
    ASSERT_EQ(v.kind, ExactKind::FanToVacuum);
    const double wallPhi = vacuum.corner.wallAngle - kHalfPi;
    EXPECT_EQ(vacuum.AtPolar(0.5 * (wallPhi + v.last), 100.0), Rgb(Corner::kVacuumTint));

    // A detached shock: the region between the wall and the vertical is shown not computed,
    // and nothing moves into it.
    Scene detached(Physics::Exact, 230.0, 200);
    detached.Save("exact-detached");
    ASSERT_EQ(detached.corner.ExactFlowOf(detached.fs).kind, ExactKind::Detached);
    const double dPhi = detached.corner.wallAngle - kHalfPi;
    EXPECT_EQ(detached.AtPolar(0.5 * (dPhi + kHalfPi), 100.0), Rgb(Corner::kNotComputedTint));
    for (int y = 0; y < start::kHeight; ++y)
        for (int x = detached.ApexX() + 2; x < start::kWidth; ++x)
            ASSERT_NE(detached.frame.At(x, y), kRed) << x << "," << y;
}

} // namespace
