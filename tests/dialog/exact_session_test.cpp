// The session with the exact theory chosen: the wall turned into the flow by a drag, a finger
// and the keys (and the model's range as it was), the critical and probe fields of the exact
// theory (checked against the physics notes' reference values), the shock's label, and the
// model's texts given back exactly when it is chosen again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "base/constants.h"
#include "dialog/flow_session.h"
#include "model/number_text.h"
#include "tests/support/session_input.h"

namespace {

struct ExactSession : ::testing::Test {
    FlowSession s;
    void SetUp() override { start::Open(s, 4242u); }
    int ApexX() const { return s.Geometry().ApexX(); }
    int Top() const { return s.Geometry().top; }
    std::map<ControlId, std::string> Texts() const
    {
        std::map<ControlId, std::string> t;
        for (size_t i = 0; i < FieldCount(); ++i)
            t[FieldTable()[i].id] = s.FieldText(FieldTable()[i].id);
        return t;
    }
    // The flow read at the picture point r px from the corner at polar angle phi.
    void ReadAtPolar(double phi, double r)
    {
        s.PointerMoved(input::Mouse(ApexX() + r * std::cos(phi), Top() - r * std::sin(phi), false));
    }
};

TEST_F(ExactSession, TheDragRangeReachesIntoTheFlowWithTheExactTheoryOnly)
{
    const double most = s.Geometry().MostTurnedBack();
    // The model: a press up and to the right of the corner, the End key: as far as ever.
    s.PointerPressed(input::Mouse(ApexX() + 100, Top() - 100));
    s.PointerReleased(input::Mouse(ApexX() + 100, Top() - 100));
    EXPECT_EQ(s.Geometry().wallAngle, most);
    s.KeyPressed(input::Press(Key::End));
    EXPECT_EQ(s.Geometry().wallAngle, most);

    s.SetPhysics(Physics::Exact);
    s.PointerPressed(input::Mouse(ApexX() + 100, Top() - 100));
    s.PointerReleased(input::Mouse(ApexX() + 100, Top() - 100));
    EXPECT_DOUBLE_EQ(s.Geometry().wallAngle, 0.75 * kPi); // 45 degrees above the line
    s.KeyPressed(input::Press(Key::End));
    EXPECT_EQ(s.Geometry().wallAngle, kMostTurnedInto);
    s.KeyPressed(input::Press(Key::PageDown));
    EXPECT_NEAR(s.Geometry().wallAngle, kMostTurnedInto - 10.0 * kRadiansPerDegree, 1e-12);
    // A finger on the wall above the line takes hold of it, and turns it.
    const double a = s.Geometry().wallAngle;
    const double wx = ApexX() + 80.0 * std::sin(a), wy = Top() + 80.0 * std::cos(a);
    s.PointerPressed(input::Finger(wx, wy));
    EXPECT_TRUE(s.Dragging());
    s.PointerMoved(input::Finger(ApexX() + 100, Top() - 40));
    s.PointerReleased(input::Finger(ApexX() + 100, Top() - 40));
    EXPECT_NEAR(s.Geometry().wallAngle, std::atan2(100.0, -40.0), 1e-12);

    // The model again: the wall stays above the line, and the keys' range is the model's.
    const double raised = s.Geometry().wallAngle;
    s.SetPhysics(Physics::Model);
    EXPECT_EQ(s.Geometry().wallAngle, raised);
    s.KeyPressed(input::Press(Key::End));
    EXPECT_EQ(s.Geometry().wallAngle, most);
}

TEST_F(ExactSession, CriticalAndProbeFieldsFollowTheExactTheoryAndTheModelsComeBack)
{
    s.PointerMoved(input::Mouse(ApexX() + 60, Top() + 20, false)); // past the fan
    const auto model = Texts();
    s.SetPhysics(Physics::Exact);
    // The physics notes' start-up critical state: T* 308.688 K, p* 153727.5 Pa, rho* 1.677179,
    // written to the field rule's four figures.
    auto near = [&](ControlId id, double expected) {
        EXPECT_NEAR(std::stod(s.FieldText(id)), expected, 6e-4 * expected) << s.FieldText(id);
    };
    near(ControlId::CriticalTemperature, 308.688);
    near(ControlId::CriticalPressure, 153727.5);
    near(ControlId::CriticalDensity, 1.677179);
    near(ControlId::CriticalVolume, 1.0 / 1.677179);
    near(ControlId::CriticalSpeed, std::sqrt(1.4 * 8314.0 / 28.0 * 308.688));

    // The vacuum past the largest turn: no pressure, temperature, density or sound; no finite
    // Mach number or specific volume.
    s.SetBodyAngle(30.0);
    ExactFlow f = s.Geometry().ExactFlowOf(s.State());
    ASSERT_EQ(f.kind, ExactKind::FanToVacuum);
    ReadAtPolar(0.5 * (f.last + s.Geometry().wallAngle - kHalfPi), 80.0);
    for (ControlId id : {ControlId::ProbePressure, ControlId::ProbeTemperature,
                         ControlId::ProbeDensity, ControlId::ProbeSoundSpeed})
        EXPECT_EQ(s.FieldText(id), FormatFieldValue(0.0));
    EXPECT_EQ(s.FieldText(ControlId::ProbeMach), kNoValueText);
    EXPECT_EQ(s.FieldText(ControlId::ProbeVolume), kNoValueText);
    EXPECT_EQ(s.FieldText(ControlId::ProbeSpeed), FormatFieldValue(f.limitingSpeed));
    // Inside the body nothing is a number.
    ReadAtPolar(-2.9, 50.0); // the wall is at -150 degrees
    for (ControlId id : {ControlId::ProbeSpeed, ControlId::ProbePressure, ControlId::ProbeMach,
                         ControlId::ProbeSpeedR})
        EXPECT_EQ(s.FieldText(id), kNoValueText);

    // The model again, at the first reading's wall and point: every text as it was.
    s.SetBodyAngle(start::kBeta);
    s.PointerMoved(input::Mouse(ApexX() + 60, Top() + 20, false));
    s.SetPhysics(Physics::Model);
    EXPECT_EQ(Texts(), model);
}

TEST_F(ExactSession, TheShocksLabelAndTheLabelsADragMayDraw)
{
    // M1 2 (NACA 1135: theta 10 deg, sigma 39.314 deg).
    input::Leave(s, FormatFieldValue(2.0 * s.State().c1), "273", "100000");
    s.SetPhysics(Physics::Exact);
    s.SetBodyAngle(190.0);
    EXPECT_EQ(s.ChiLabel(), "\u03B8=10, \u03C3=39");
    EXPECT_EQ(s.AlphaLabel(), "");
    // Turned away from the flow: the exact fan's alpha and chi.
    s.SetBodyAngle(start::kBeta);
    const ExactFlow f = s.Geometry().ExactFlowOf(s.State());
    EXPECT_EQ(s.AlphaLabel(), "\u03B1=" + FormatFixed(f.first * kDegreesPerRadian, 0));
    EXPECT_EQ(s.ChiLabel(),
              "\u03C7=45, \u0394\u03C6=" + FormatFixed((f.first - f.last) * kDegreesPerRadian, 0));
    // A drag from here may reach a shock, past thetaMax a detached one: their labels are ahead.
    s.SetBodyAngle(188.0);
    const std::vector<std::string> ahead = s.Geometry().LabelsNear(s.State(), 0.5);
    auto has = [&](const std::string& text) {
        return std::find(ahead.begin(), ahead.end(), text) != ahead.end();
    };
    EXPECT_TRUE(has("\u03B8=10, \u03C3=39"));
    EXPECT_TRUE(has("\u03B2=210"));
    bool detached = false;
    for (const std::string& t : ahead)
        detached = detached || t.find("\u03B8max=23") != std::string::npos;
    EXPECT_TRUE(detached);
}

} // namespace
