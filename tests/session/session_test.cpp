// The dialog's logic on its own: every control has its row, reset is a fresh start, and the
// body angle sets the wall a teacher expects.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>

#include "dialog/fields.h"
#include "dialog/flow_session.h"
#include "model/number_text.h"
#include "res/dialog_templates.h"
#include "res/ids.h"

namespace {

struct Snapshot {
    std::map<ControlId, std::string> texts;
    std::string beta, alpha, chi;
    double wall = 0.0;
    int tracers = 0;
    bool operator==(const Snapshot& o) const
    {
        return texts == o.texts && beta == o.beta && alpha == o.alpha && chi == o.chi
               && wall == o.wall && tracers == o.tracers;
    }
};

Snapshot Take(const FlowSession& s)
{
    Snapshot out;
    for (size_t i = 0; i < FieldCount(); ++i)
        out.texts[FieldTable()[i].id] = s.FieldText(FieldTable()[i].id);
    out.beta = s.BetaLabel();
    out.alpha = s.AlphaLabel();
    out.chi = s.ChiLabel();
    out.wall = s.Geometry().wallAngle;
    out.tracers = const_cast<FlowSession&>(s).View().tracers.count;
    return out;
}

} // namespace

TEST(FieldTable, EveryNumericControlHasExactlyOneRow)
{
    std::set<ControlId> controls;
    for (const res::ControlTemplate& c : res::MainDialogTemplate())
        if (c.kind == res::ControlKind::InputField || c.kind == res::ControlKind::ReadOnlyField)
            EXPECT_TRUE(controls.insert(c.id).second) << "control " << ToInt(c.id) << " twice";
    std::set<ControlId> rows;
    std::set<std::string> keys;
    for (size_t i = 0; i < FieldCount(); ++i) {
        const FieldRow& row = FieldTable()[i];
        EXPECT_TRUE(rows.insert(row.id).second) << "row " << ToInt(row.id) << " twice";
        EXPECT_TRUE(keys.insert(row.key).second) << "key " << row.key << " twice";
        EXPECT_EQ(FindField(row.id), &row);
        // Editable exactly when the control is, and each row names one quantity.
        const res::ControlTemplate* c = res::MainDialogTemplate().Find(row.id);
        ASSERT_NE(c, nullptr) << "row " << ToInt(row.id) << " has no control";
        EXPECT_EQ(c->kind == res::ControlKind::InputField, row.source == FieldSource::Input)
            << ToInt(row.id);
        EXPECT_NE(row.state == nullptr, row.probe == nullptr) << ToInt(row.id);
        EXPECT_EQ(row.probe != nullptr, row.source == FieldSource::Probe) << ToInt(row.id);
        // The label image beside it is one of the dialog's.
        bool shown = false;
        for (const res::ControlTemplate& l : res::MainDialogTemplate())
            shown = shown || (l.kind == res::ControlKind::LabelImage && l.image == row.labelImage);
        EXPECT_TRUE(shown) << ToInt(row.id);
    }
    EXPECT_EQ(rows, controls);
    EXPECT_EQ(FieldCount(), 21u);
    EXPECT_EQ(FindField(ControlId::Picture), nullptr);
}

TEST(FlowSession, ResetAfterAnyLessonIsAFreshStart)
{
    FlowSession fresh;
    fresh.Open(622, 384, 11);
    const Snapshot start = Take(fresh);
    EXPECT_EQ(start.texts.at(ControlId::UpstreamSpeed), "450.0");
    EXPECT_EQ(start.texts.at(ControlId::UpstreamTemperature), "273.0");
    EXPECT_EQ(start.texts.at(ControlId::UpstreamPressure), "100000");
    EXPECT_EQ(start.beta, "\u03B2=135");

    FlowSession s;
    s.Open(622, 384, 99);
    s.InputsLeft("2000", "100", "1e6");
    s.PointerPress(100, 300);
    s.PointerMove(500, 390); // a drag, still held at reset
    for (int i = 0; i < 7; ++i)
        s.Tick();
    s.TurnWall(-1);
    s.PointerMove(40, 20); // probe fields now show upstream values
    ASSERT_FALSE(Take(s) == start);
    s.Reset();
    EXPECT_TRUE(Take(s) == start);
    EXPECT_FALSE(s.Dragging());
    // The picture is the start-up one again, up to the tracers the generator places anew.
    EXPECT_EQ(s.View().streamlines[1].points.count, fresh.View().streamlines[1].points.count);
    EXPECT_EQ(s.View().exitStepX, fresh.View().exitStepX);
    s.Reset(); // twice is the same as once
    EXPECT_TRUE(Take(s) == start);
}

TEST(FlowSession, BodyAngleSetsTheWallTheLabelReads)
{
    FlowSession s;
    s.Open(622, 384, 1);
    const double startWall = s.Geometry().wallAngle;
    s.SetBodyAngle(135.0);
    EXPECT_EQ(s.Geometry().wallAngle, startWall);
    s.SetBodyAngle(180.0);
    EXPECT_EQ(s.Geometry().wallAngle, M_PI / 2.0);
    EXPECT_EQ(s.ChiLabel(), "\u03C7=0, \u0394\u03C6=0");
    for (int beta = 60; beta <= 180; beta += 7) {
        s.SetBodyAngle(beta);
        EXPECT_EQ(s.BetaLabel(), "\u03B2=" + std::to_string(beta)) << beta;
    }
    // An angle that is no number leaves the wall where it is.
    s.SetBodyAngle(150.0);
    const double wall = s.Geometry().wallAngle;
    const double hostile[] = {NAN, INFINITY, -INFINITY};
    for (double beta : hostile) {
        s.SetBodyAngle(beta);
        EXPECT_EQ(s.Geometry().wallAngle, wall) << beta;
    }
}
