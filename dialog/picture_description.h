#pragma once
// What a screen reader hears of the picture, built as words and values so that every shell
// says the same: what the flow does, the labels, the pause and the keys; and the picture as a
// slider of the body angle beta.
#include <string>
#include <vector>

#include "corner/corner.h"
#include "model/flow_state.h"

// What the picture shows: the turn chi and the fan's width in whole degrees (as the chi label
// writes them) and whether the flow follows the wall.
struct PictureFacts {
    // IntoTheFlow: the flow is supersonic but the wall turns into it, by turnDegrees (a
    // compression, which the program does not show: no fan).
    enum class Flow { Attached, Separated, NoFan, IntoTheFlow };
    Flow flow = Flow::NoFan;
    std::string turnDegrees;
    std::string spanDegrees;
};
PictureFacts FactsOf(const FlowState& state, const Corner& corner);

// The description for each kind of flow, with %1 the turn and %2 the fan's width in degrees
// (UTF-8, Russian; the shells translate in the "Picture" context).
const char* PictureWords(PictureFacts::Flow flow);

// One sentence of the description. With words (Russian, translated in the "Picture" context)
// the values fill %1, %2, ... and the sentence begins with a capital; without words it is the
// values as they stand (the labels, whose small letters stay), joined by ", ". Every sentence
// ends with a full stop (one is added where it has none).
struct SpokenSentence {
    const char* words = nullptr;
    std::vector<std::string> values;
};
// The sentences in the order they are said: the flow, the labels, the pause (when paused),
// the keys.
std::vector<SpokenSentence> DescribePicture(const FlowState& state, const Corner& corner,
                                            bool paused);

// The status line shown beside the picture: what the flow is doing now, as sentences like the
// description's (words in the "Picture" context, values filled in by the shell): the flow (the
// description's first sentence); the inputs that describe no physical gas (V1 < 0, T1 <= 0,
// P1 <= 0), whose numbers still are what the program computes from them; and, with the exact
// theory shown, the exact flow's largest turn when the wall is turned past it (a vacuum there,
// where the model's flow still follows the wall).
std::vector<SpokenSentence> DescribeStatus(const FlowState& state, const Corner& corner,
                                           bool exactTheory);
// The status line's words: %1 the inputs that are no physical state ("V1 < 0, T1 ≤ 0"), and
// %1 the exact theory's largest turn in degrees.
constexpr const char* kNotPhysicalWords =
    "%1 — такого состояния газа не бывает; поля показывают то, что программа вычисляет из "
    "введённых чисел";
constexpr const char* kExactVacuumWords =
    "по точной теории поток поворачивает не более чем на ν(∞) − ν(M1) = %1°; стенка "
    "повёрнута дальше, и за последней характеристикой — вакуум";

// The picture as a slider of the body angle beta: its value and range in whole degrees, and
// the value in words (kSliderWords with %1 beta and %2 the wall's turn, in degrees).
struct WallSliderValue {
    double value = 0.0;
    double min = 0.0;
    double max = 180.0;
    std::string beta;
    std::string turn;
};
WallSliderValue WallSliderOf(const Corner& corner);
