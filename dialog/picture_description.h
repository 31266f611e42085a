#pragma once
// What a screen reader hears of the picture, built as words and values so that every shell
// says the same: what the flow does, the labels, the pause and the keys; the status line under
// the picture; and the picture as a slider of the body angle beta. Each says which flow it
// describes: the program's model, or the exact inviscid theory (model/exact_flow.h), whichever
// the picture follows, and where they differ, what the other one does.
#include <string>
#include <vector>

#include "corner/corner.h"
#include "model/flow_state.h"
#include "model/physics.h"
#include "tracers/flow_field.h"

// What the model's picture shows: the wall's turn and the flow's turn in whole degrees (as the
// chi label writes the flow's), the fan's width, and what the flow does at the wall.
struct PictureFacts {
    // Attached: the flow turns with the wall and follows it. Separated: the wall is turned
    // past the model's largest turn, and the flow leaves it along the flow boundary.
    // LeavesWall: the model's flow past the fan runs in a direction other than the wall's
    // (FlowField::exitStepX/Y), away from it. IntoTheFlow: the flow is supersonic but the wall
    // turns into it, by turnDegrees (a compression: no fan). NoFan: the flow is not supersonic.
    // NotPhysical: the inputs are no state of a gas (V1 < 0, T1 <= 0 or P1 <= 0).
    enum class Flow { Attached, Separated, NoFan, IntoTheFlow, LeavesWall, NotPhysical };
    Flow flow = Flow::NoFan;
    // The wall's turn from straight (180 - beta); the flow's turn as the chi label writes it
    // (into the flow, the wall's); the fan's width; LeavesWall: the angle between the model's
    // flow past the fan and the wall.
    std::string wallDegrees;
    std::string turnDegrees;
    std::string spanDegrees;
    std::string exitDegrees;
};
PictureFacts FactsOf(const FlowField& field);

// The model's flow past the fan leaves the wall when its direction differs from the wall's
// (or, past the largest turn, from the flow boundary's) by more than this, rad.
constexpr double kLeavesWallAngle = 1.0 * 3.14159265358979323846 / 180.0;

// The description's first sentence for each kind of the model's flow (UTF-8, Russian; the
// shells translate in the "Picture" context): %1 the wall's turn, %2 the flow's, %3 the fan's
// width (LeavesWall: %2 the fan's width, %3 the angle between the flow past the fan and the
// wall); IntoTheFlow has the words of the
// exact theory's answer instead (kIntoFlowShockWords, kIntoFlowDetachedWords).
const char* PictureWords(PictureFacts::Flow flow);

// One sentence of the description. With words (Russian, translated in the "Picture" context)
// the values fill %1, %2, ... and the sentence begins with a capital; without words it is the
// values as they stand (the labels, whose small letters stay), joined by ", ". Every sentence
// ends with a full stop (one is added where it has none; "。" after a Chinese character).
struct SpokenSentence {
    const char* words = nullptr;
    std::vector<std::string> values;
};
// The sentences in the order they are said: the flow (as the status line says it), the labels
// as drawn (those not empty), the pause (when paused), the keys.
std::vector<SpokenSentence> DescribePicture(const FlowField& field, Physics physics, bool paused,
                                            const std::vector<std::string>& labels);

// The status line shown beside the picture: what the flow the picture follows is doing now, as
// sentences like the description's (words in the "Picture" context, values filled in by the
// shell). Inputs that are no state of a gas are said alone (with the model, the fields show
// what the program computes from them; with the exact theory nothing is computed). With the
// model: the wall's and the flow's turns apart, whether the flow follows the wall, and where
// the exact theory differs (a vacuum past its largest turn, the flow a model leaves the wall
// with, a wall turned into the flow). With the exact theory: its kind of flow and its numbers.
// exactTheory (the exact theory's lines over the model's picture) changes nothing: the exact
// theory's differences are always said.
std::vector<SpokenSentence> DescribeStatus(const FlowField& field, Physics physics);

// The status line's words. kNotPhysicalWords: %1 the inputs that are no physical state
// ("T1 ≤ 0, P1 ≤ 0"); kBackwardWords: V1 < 0.
constexpr const char* kNotPhysicalWords =
    "%1 — такого состояния газа не бывает; поля показывают то, что программа вычисляет из "
    "введённых чисел";
constexpr const char* kBackwardWords =
    "V1 < 0 — поток течёт назад; такого течения программа не описывает";
// With the model: %1 the exact theory's largest turn in degrees.
constexpr const char* kExactVacuumWords =
    "по точной теории поток поворачивает не более чем на ν(∞) − ν(M1) = %1°; стенка "
    "повёрнута дальше, и за последней характеристикой — вакуум";
// With the model, where the exact flow has a vacuum but the model's follows the wall: %1 the
// wall's turn, %2 the flow's, %3 the fan's width (a sentence kExactVacuumWords follows).
constexpr const char* kModelAlongWallWords =
    "стенка повёрнута на %1°, поток — на %2°, веер шириной %3°; по модели поток идёт вдоль "
    "стенки";
// With the model, the flow leaving the wall: %1 the exact theory's turn (the wall's).
constexpr const char* kExactFollowsWords =
    "по точной теории поток повернул бы на %1° и шёл бы вдоль стенки";
// With the model, a wall turned into the flow: %1 theta; %2 theta_max.
constexpr const char* kIntoFlowShockWords =
    "стенка повёрнута навстречу потоку на %1°: веера разрежения нет, модель программы такого "
    "течения не строит; его показывает точная теория — присоединённый косой скачок уплотнения";
constexpr const char* kIntoFlowDetachedWords =
    "стенка повёрнута навстречу потоку на %1°: веера разрежения нет; по точной теории "
    "θ = %1° > θmax = %2°, скачок уплотнения отходит от угла, и течение у угла не вычисляется";
// With the exact theory. Straight wall: %1 M1. Fan: %1 the turn, %2 M2, %3 P2/P1. To vacuum:
// %1 the wall's turn, %2 chi_max. Shock: %1 theta, %2 the shock's angle sigma, %3 M2,
// %4 P2/P1. Detached: %1 theta, %2 theta_max.
constexpr const char* kExactStraightWords =
    "точная теория: стенка прямая, поток не поворачивает, M = M1 = %1";
constexpr const char* kExactFanWords =
    "точная теория: стенка и поток повёрнуты на %1°, веер разрежения, за ним M2 = %2, "
    "P2/P1 = %3; поток прилегает к стенке";
constexpr const char* kExactFanToVacuumWords =
    "точная теория: стенка повёрнута на %1°, а поток — лишь на наибольший угол "
    "χmax = ν(∞) − ν(M1) = %2°; веер разрежения расширяет газ до вакуума, и между предельной "
    "линией тока и стенкой — вакуум";
constexpr const char* kExactShockWords =
    "точная теория: стенка повёрнута навстречу потоку на θ = %1°; присоединённый косой скачок "
    "уплотнения под углом σ = %2° к набегающему потоку, за ним M2 = %3, P2/P1 = %4";
constexpr const char* kExactDetachedWords =
    "точная теория: θ = %1° > θmax = %2°: скачок уплотнения отходит от угла; течение у угла не "
    "вычисляется";
// A flow the supersonic theory does not describe: kExactSubsonicWords for M1 < 1 (said alone),
// kExactNotApplicableWords after inputs that are no state of a gas.
constexpr const char* kExactSubsonicWords =
    "поток не сверхзвуковой (M1 < 1): точная теория сверхзвукового обтекания неприменима, за "
    "углом ничего не вычисляется";
constexpr const char* kExactNotApplicableWords =
    "точная теория сверхзвукового обтекания здесь неприменима: за углом ничего не вычисляется";

// The picture as a slider of the body angle beta: its value and range in whole degrees, and
// the value in words (words, kSliderWords or kSliderIntoWords, with %1 beta and %2 the wall's
// turn in degrees, away from the flow or into it).
struct WallSliderValue {
    double value = 0.0;
    double min = 0.0;
    double max = 180.0;
    std::string beta;
    std::string turn;
    const char* words = nullptr;
};
WallSliderValue WallSliderOf(const Corner& corner);
