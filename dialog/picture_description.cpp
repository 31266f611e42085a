#include "dialog/picture_description.h"

#include <cmath>

#include "base/constants.h"
#include "dialog/words.h"
#include "model/number_text.h"
#include "model/theory.h"

const char* PictureWords(PictureFacts::Flow flow)
{
    switch (flow) {
    case PictureFacts::Flow::Attached:
        return "стенка повёрнута на %1°, веер шириной %2°, поток прилегает к стенке";
    case PictureFacts::Flow::Separated:
        return "стенка повёрнута на %1°, веер шириной %2°, поток отрывается от стенки";
    case PictureFacts::Flow::IntoTheFlow:
        return "стенка повёрнута навстречу потоку на %1°: это сжатие, которого программа не "
               "показывает; веера разрежения нет";
    default: return "поток не сверхзвуковой, веера нет";
    }
}

PictureFacts FactsOf(const FlowState& state, const Corner& corner)
{
    PictureFacts f;
    if (!Corner::HasFan(state)) {
        // A supersonic flow without a fan: the wall turns into it (a compression).
        const double turn = corner.TurnAngle(state);
        if (PrandtlMeyer(state, turn).kind == TheoryCase::IntoTheFlow) {
            f.flow = PictureFacts::Flow::IntoTheFlow;
            f.turnDegrees = FormatFixed(-turn * kDegreesPerRadian, 0);
        }
        return f;
    }
    f.flow = corner.separationAngle != 0.0 ? PictureFacts::Flow::Separated
                                           : PictureFacts::Flow::Attached;
    f.turnDegrees = corner.TurnDegreesText(state);
    f.spanDegrees = Corner::SpanDegreesText(state);
    return f;
}

std::vector<SpokenSentence> DescribePicture(const FlowState& state, const Corner& corner,
                                            bool paused)
{
    const PictureFacts f = FactsOf(state, corner);
    std::vector<SpokenSentence> out;
    out.push_back(SpokenSentence{PictureWords(f.flow), {f.turnDegrees, f.spanDegrees}});
    SpokenSentence labels;
    labels.values.push_back(corner.BetaLabel());
    if (Corner::HasFan(state)) {
        labels.values.push_back(Corner::AlphaLabel(state));
        labels.values.push_back(corner.ChiLabel(state));
    }
    out.push_back(labels);
    if (paused)
        out.push_back(SpokenSentence{kPausedWords, {}});
    out.push_back(SpokenSentence{kPictureKeysWords, {}});
    return out;
}

std::vector<SpokenSentence> DescribeStatus(const FlowState& state, const Corner& corner,
                                           bool exactTheory)
{
    const PictureFacts f = FactsOf(state, corner);
    std::vector<SpokenSentence> out;
    out.push_back(SpokenSentence{PictureWords(f.flow), {f.turnDegrees, f.spanDegrees}});
    // The inputs as typed: a negative speed, or a temperature or pressure not above zero (a NaN
    // counts as none of these being a state either).
    std::string wrong;
    const auto add = [&wrong](const char* text) {
        wrong += (wrong.empty() ? "" : ", ") + std::string(text);
    };
    if (!(state.v1 >= 0.0))
        add("V1 < 0");
    if (!(state.t1 > 0.0))
        add("T1 \u2264 0");
    if (!(state.p1 > 0.0))
        add("P1 \u2264 0");
    if (!wrong.empty())
        out.push_back(SpokenSentence{kNotPhysicalWords, {wrong}});
    if (exactTheory && Corner::HasFan(state)) {
        const TheoryResult t = PrandtlMeyer(state, corner.TurnAngle(state));
        if (t.kind == TheoryCase::Expansion && std::isinf(t.mach2))
            out.push_back(SpokenSentence{kExactVacuumWords,
                                         {FormatFixed(t.maxTurnDegrees - t.nu1Degrees, 1)}});
    }
    return out;
}

WallSliderValue WallSliderOf(const Corner& corner)
{
    // beta as the label writes it, within the range a drag reaches (0 and 180 rounded); the
    // wall's turn from straight is what beta lacks of 180, so the two always add up to 180.
    WallSliderValue s;
    s.beta = FormatFixed(corner.BetaDegrees(), 0);
    s.value = ReadNumber(s.beta);
    s.turn = FormatFixed(180.0 - s.value, 0);
    return s;
}
