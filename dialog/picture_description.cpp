#include "dialog/picture_description.h"

#include <cmath>

#include "base/constants.h"
#include "dialog/words.h"
#include "model/exact_flow.h"
#include "model/number_text.h"
#include "model/theory.h"

namespace {

std::string Degrees(double radians, int decimals)
{
    return FormatFixed(radians * kDegreesPerRadian, decimals);
}

// The wall's turn from straight, rad: positive away from the flow, negative into it.
double WallTurn(const Corner& corner) { return kHalfPi - corner.wallAngle; }

bool Physical(const FlowState& s) { return s.v1 >= 0.0 && s.t1 > 0.0 && s.p1 > 0.0; }

// The inputs that are no state of a gas, each in its own sentence: a flow running backwards,
// and a temperature or pressure not above zero (a NaN counts as none of these being a state).
void AddNotPhysical(std::vector<SpokenSentence>& out, const FlowState& s)
{
    if (!(s.v1 >= 0.0))
        out.push_back(SpokenSentence{kBackwardWords, {}});
    std::string wrong;
    if (!(s.t1 > 0.0))
        wrong = "T1 \u2264 0";
    if (!(s.p1 > 0.0))
        wrong += (wrong.empty() ? "" : ", ") + std::string("P1 \u2264 0");
    if (!wrong.empty())
        out.push_back(SpokenSentence{kNotPhysicalWords, {wrong}});
}

// What the model's flow does, and where the exact theory differs from it.
void AddModelFlow(std::vector<SpokenSentence>& out, const FlowField& field)
{
    const FlowState& state = field.flow;
    const PictureFacts f = FactsOf(field);
    switch (f.flow) {
    case PictureFacts::Flow::NotPhysical: AddNotPhysical(out, state); return;
    case PictureFacts::Flow::NoFan: out.push_back(SpokenSentence{PictureWords(f.flow), {}}); return;
    case PictureFacts::Flow::IntoTheFlow: {
        const ExactFlow e = ComputeExactFlow(state, WallTurn(field.corner));
        if (e.kind == ExactKind::Detached)
            out.push_back(SpokenSentence{kIntoFlowDetachedWords,
                                         {f.turnDegrees, Degrees(e.maxDeflection, 2)}});
        else
            out.push_back(SpokenSentence{kIntoFlowShockWords, {f.turnDegrees}});
        return;
    }
    default: break;
    }
    // The exact theory: a vacuum past its largest turn, nu_max - nu(M1), which is less than the
    // model's, nu_max (where the model's flow still follows the wall); below it the exact flow
    // follows the wall, which the model's may leave.
    const ExactFlow e = ComputeExactFlow(state, WallTurn(field.corner));
    const bool vacuum = e.kind == ExactKind::FanToVacuum;
    const char* words = f.flow == PictureFacts::Flow::Attached && vacuum ? kModelAlongWallWords
                                                                         : PictureWords(f.flow);
    if (f.flow == PictureFacts::Flow::LeavesWall)
        out.push_back(SpokenSentence{words, {f.wallDegrees, f.spanDegrees, f.exitDegrees}});
    else
        out.push_back(SpokenSentence{words, {f.wallDegrees, f.turnDegrees, f.spanDegrees}});
    if (vacuum)
        out.push_back(SpokenSentence{kExactVacuumWords, {Degrees(e.largestTurn, 2)}});
    else if (f.flow == PictureFacts::Flow::LeavesWall && e.kind == ExactKind::Fan)
        out.push_back(SpokenSentence{kExactFollowsWords, {Degrees(e.flowTurn, 0)}});
}

// What the exact theory has for the state and the wall.
void AddExactFlow(std::vector<SpokenSentence>& out, const FlowField& field)
{
    const FlowState& state = field.flow;
    if (!Physical(state)) {
        AddNotPhysical(out, state);
        out.push_back(SpokenSentence{kExactNotApplicableWords, {}});
        return;
    }
    const ExactFlow e = ComputeExactFlow(state, WallTurn(field.corner));
    switch (e.kind) {
    case ExactKind::None:
        out.push_back(SpokenSentence{kExactStraightWords, {FormatFieldValue(e.m1)}});
        break;
    case ExactKind::Fan:
        out.push_back(SpokenSentence{
            kExactFanWords,
            {Degrees(e.flowTurn, 0), FormatFieldValue(e.m2), FormatFieldValue(e.p2 / e.p1)}});
        break;
    case ExactKind::FanToVacuum:
        out.push_back(SpokenSentence{kExactFanToVacuumWords,
                                     {Degrees(e.wallTurn, 0), Degrees(e.largestTurn, 2)}});
        break;
    case ExactKind::Shock:
        out.push_back(SpokenSentence{kExactShockWords,
                                     {Degrees(-e.wallTurn, 0), Degrees(e.shockAngle, 2),
                                      FormatFieldValue(e.m2), FormatFieldValue(e.p2 / e.p1)}});
        break;
    case ExactKind::Detached:
        out.push_back(SpokenSentence{kExactDetachedWords,
                                     {Degrees(-e.wallTurn, 0), Degrees(e.maxDeflection, 2)}});
        break;
    case ExactKind::Subsonic: out.push_back(SpokenSentence{kExactSubsonicWords, {}}); break;
    }
}

std::vector<SpokenSentence> FlowSentences(const FlowField& field, Physics physics)
{
    std::vector<SpokenSentence> out;
    if (physics == Physics::Exact)
        AddExactFlow(out, field);
    else
        AddModelFlow(out, field);
    return out;
}

} // namespace

const char* PictureWords(PictureFacts::Flow flow)
{
    switch (flow) {
    case PictureFacts::Flow::Attached:
        return "стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; поток прилегает к "
               "стенке";
    case PictureFacts::Flow::Separated:
        return "стенка повёрнута на %1°, поток — лишь на %2°, наибольший угол поворота модели, "
               "веер шириной %3°; поток отрывается от стенки";
    case PictureFacts::Flow::LeavesWall:
        return "стенка повёрнута на %1°, веер шириной %2°; за веером поток модели идёт не вдоль "
               "стенки, а под углом %3° к ней";
    case PictureFacts::Flow::IntoTheFlow: return kIntoFlowShockWords;
    case PictureFacts::Flow::NotPhysical: return kNotPhysicalWords;
    case PictureFacts::Flow::NoFan: break;
    }
    return "поток не сверхзвуковой (M1 < 1): течение за углом не вычисляется, линии показывают "
           "только набегающий поток";
}

PictureFacts FactsOf(const FlowField& field)
{
    const FlowState& state = field.flow;
    const Corner& corner = field.corner;
    PictureFacts f;
    if (!Physical(state)) {
        f.flow = PictureFacts::Flow::NotPhysical;
        return f;
    }
    const double wall = WallTurn(corner);
    f.wallDegrees = Degrees(wall, 0);
    if (!Corner::HasFan(state)) {
        // A supersonic flow without a fan: the wall turns into it (a compression).
        const double turn = corner.TurnAngle(state);
        if (PrandtlMeyer(state, turn).kind == TheoryCase::IntoTheFlow) {
            f.flow = PictureFacts::Flow::IntoTheFlow;
            f.turnDegrees = Degrees(-turn, 0);
        }
        return f;
    }
    f.turnDegrees = corner.TurnDegreesText(state);
    f.spanDegrees = Corner::SpanDegreesText(state);
    f.flow = corner.separationAngle != 0.0 ? PictureFacts::Flow::Separated
                                           : PictureFacts::Flow::Attached;
    // The direction the model's flow takes past the fan (the probe run's last step), against
    // the wall's, or the flow boundary's past the largest turn: the model's own claim.
    const double exit = std::atan2(-field.exitStepY, field.exitStepX);
    const double claimed = -corner.TurnAngle(state);
    if (std::isfinite(exit) && std::fabs(exit - claimed) > kLeavesWallAngle) {
        f.flow = PictureFacts::Flow::LeavesWall;
        f.exitDegrees = Degrees(std::fabs(exit - claimed), 0);
    }
    return f;
}

std::vector<SpokenSentence> DescribePicture(const FlowField& field, Physics physics, bool paused,
                                            const std::vector<std::string>& labels)
{
    std::vector<SpokenSentence> out = FlowSentences(field, physics);
    SpokenSentence drawn;
    for (const std::string& label : labels)
        if (!label.empty())
            drawn.values.push_back(label);
    out.push_back(drawn);
    if (paused)
        out.push_back(SpokenSentence{kPausedWords, {}});
    out.push_back(SpokenSentence{kPictureKeysWords, {}});
    return out;
}

std::vector<SpokenSentence> DescribeStatus(const FlowField& field, Physics physics)
{
    return FlowSentences(field, physics);
}

WallSliderValue WallSliderOf(const Corner& corner)
{
    // beta as the label writes it, within the range a drag reaches (0 and 180 rounded); the
    // wall's turn from straight is what beta lacks of 180, so the two always add up to 180.
    // Past 180 (a start state's wall) the wall is turned into the flow by beta - 180.
    WallSliderValue s;
    s.beta = FormatFixed(corner.BetaDegrees(), 0);
    s.value = ReadNumber(s.beta);
    const bool into = s.value > 180.0;
    s.turn = FormatFixed(into ? s.value - 180.0 : 180.0 - s.value, 0);
    s.words = into ? kSliderIntoWords : kSliderWords;
    return s;
}
