#include "dialog/legend.h"

#include <cmath>

#include "base/constants.h"
#include "draw/raster_dc.h"

namespace {

// The sonic line stands nearly vertical (within this of 90 degrees) only at a low M1: it is at
// 90 degrees + nu(M1).
constexpr double kNearlyVertical = 20.0 * kRadiansPerDegree;

} // namespace

namespace {

using S = LegendItem::Sample;

LegendItem LineItem(const Pen& pen, const char* words)
{
    return LegendItem{S::Line, pen, Colour{}, words};
}

LegendItem SymbolItem(const char* words) { return LegendItem{S::Symbol, Pen{}, Colour{}, words}; }

// What a scene draws: whether its flow is the exact theory's, and whether it has a fan.
struct LegendFlow {
    bool exact;
    bool fan;
};

// The walls, the arcs and the lines from the corner, the shock, the vacuum and what is not
// computed, as the scene draws them.
void AddLines(std::vector<LegendItem>& items, const Corner& corner, const FlowState& state,
              const LegendPens& pens, const LegendScene& scene, LegendFlow flow)
{
    const bool exact = flow.exact;
    const bool fan = flow.fan;
    const auto line = LineItem;
    items.push_back(line(corner.wallPen, "стенки тела: вдоль верхней набегает поток, нижнюю "
                                         "поворачивают мышью, пальцем или клавишами"));
    items.push_back(line(corner.thinPen, fan ? "дуга угла β между стенками, продолжение верхней "
                                               "стенки за углом и дуга угла α"
                                             : "дуга угла β между стенками"));
    if (!exact && fan) {
        const bool vertical = std::fabs(state.sonicLineAngle - kHalfPi) < kNearlyVertical;
        items.push_back(line(
            corner.dashPen,
            vertical ? "штриховые линии из угла: почти вертикальная — звуковая линия, направление, "
                       "где центрированный веер был бы звуковым (набегающий поток там ещё "
                       "сверхзвуковой); первая характеристика, где начинается веер разрежения; "
                       "последняя характеристика, где он кончается"
                     : "штриховые линии из угла: звуковая линия — направление, где "
                       "центрированный веер был бы звуковым (набегающий поток там ещё "
                       "сверхзвуковой); первая характеристика, где начинается веер разрежения; "
                       "последняя характеристика, где он кончается"));
    }
    if (!exact && fan && corner.separationAngle < -0.0001)
        items.push_back(line(corner.dotPen,
                             "граница потока: стенка повёрнута дальше наибольшего угла поворота, "
                             "поток отрывается от неё и идёт вдоль этой линии"));
    if (exact && fan)
        items.push_back(line(corner.dashPen,
                             scene.sonicRay
                                 ? "штриховые линии из угла по точной теории: звуковая линия — "
                                   "направление, где центрированный веер был бы звуковым "
                                   "(набегающий поток там ещё сверхзвуковой); первая и последняя "
                                   "линии Маха веера разрежения"
                                 : "штриховые линии из угла: первая и последняя линии Маха веера "
                                   "разрежения по точной теории"));
    if (exact && scene.kind == ExactKind::Shock)
        items.push_back(line(pens.shock, "косой скачок уплотнения: на нём поток поворачивает "
                                         "вдоль стенки, давление и плотность возрастают"));
    if (exact && scene.kind == ExactKind::FanToVacuum) {
        items.push_back(line(corner.dotPen, "предельная линия тока: на ней газ расширился до "
                                            "нулевого давления"));
        items.push_back(LegendItem{S::Area, Pen{}, pens.vacuum,
                                   "вакуум: между предельной линией тока и стенкой газа нет"});
    }
    if (exact && (scene.kind == ExactKind::Detached || scene.kind == ExactKind::Subsonic))
        items.push_back(LegendItem{S::Area, Pen{}, pens.notComputed,
                                   "область, которую точная теория не вычисляет: скачок "
                                   "уплотнения отошёл от угла, или поток не сверхзвуковой"});
}

// The moving parts: the tracers, the streamlines, the marker, and the exact theory's lines over
// the model's picture, named as the shell offers them.
void AddMovingParts(std::vector<LegendItem>& items, const LegendPens& pens,
                    const LegendScene& scene, LegendFlow flow, LegendShell shell)
{
    const bool exact = flow.exact;
    const bool fan = flow.fan;
    const bool page = shell == LegendShell::Page;
    const auto line = LineItem;
    items.push_back(LegendItem{S::Dots, Pen{}, pens.tracer,
                               "частицы газа: их движение показывает скорость потока"});
    items.push_back(line(pens.streamline, fan ? "линии тока: пути, по которым частицы проходят веер"
                                              : "линии тока: пути частиц газа"));
    items.push_back(LegendItem{S::Disc, pens.frame, pens.marker,
                               "маркер — частица, чей радиус показывает давление: чем ниже "
                               "давление, тем больше круг"});
    if (!exact && scene.exactTheory)
        items.push_back(line(pens.exact, page ? "точная теория (кнопка «Точная теория»): её "
                                                "последняя характеристика и её линии тока"
                                              : "точная теория (меню «Точная теория»): её "
                                                "последняя характеристика и её линии тока"));
}

// The symbols of the labels and the fields.
void AddSymbols(std::vector<LegendItem>& items, const LegendScene& scene, LegendFlow flow)
{
    const bool exact = flow.exact;
    const bool fan = flow.fan;
    const auto symbol = SymbolItem;
    items.push_back(symbol("β — угол тела между стенками; при β = 180° стенка прямая"));
    if (fan) {
        items.push_back(symbol("α — угол Маха набегающего потока, sin α = 1/M1: между потоком и "
                               "первой характеристикой"));
        items.push_back(symbol("χ — угол, на который повернул поток; он не больше наибольшего "
                               "угла поворота, поэтому за ним β + χ меньше 180°"));
        items.push_back(symbol("Δφ — ширина веера: угол между первой и последней "
                               "характеристиками"));
    }
    if (exact && scene.kind == ExactKind::Shock)
        items.push_back(symbol("θ — угол, на который стенка повёрнута навстречу потоку; σ — угол "
                               "скачка уплотнения к набегающему потоку"));
    if (exact && scene.kind == ExactKind::Detached)
        items.push_back(symbol("θ — угол, на который стенка повёрнута навстречу потоку; θmax — "
                               "наибольший угол, на который поток поворачивает присоединённый "
                               "скачок уплотнения"));
    items.push_back(symbol("M1, V1, T1, P1, ρ1, c1 — число Маха, скорость, температура, давление, "
                           "плотность и скорость звука набегающего потока; V1, T1 и P1 вводятся"));
    items.push_back(symbol("V0 — удельный объём, 1/ρ; индекс «кр» — критическое состояние, где "
                           "скорость равна местной скорости звука"));
    items.push_back(symbol("M, V, T, P, ρ, c — поток в точке, которую указывают мышью, пальцем или "
                           "клавишами Shift со стрелками"));
}

} // namespace

std::vector<LegendItem> LegendOf(const Corner& corner, const FlowState& state,
                                 const LegendPens& pens, const LegendScene& scene,
                                 LegendShell shell)
{
    const bool exact = scene.physics == Physics::Exact;
    const LegendFlow flow{exact, exact ? scene.kind == ExactKind::Fan
                                             || scene.kind == ExactKind::FanToVacuum
                                       : Corner::HasFan(state)};
    std::vector<LegendItem> items;
    AddLines(items, corner, state, pens, scene, flow);
    AddMovingParts(items, pens, scene, flow, shell);
    AddSymbols(items, scene, flow);
    return items;
}

bool DrawLegendSample(const LegendItem& item, FrameBuffer& buffer, int scale)
{
    buffer.Release();
    if (item.sample == LegendItem::Sample::Symbol)
        return false;
    buffer.Create(kLegendSampleWidth, kLegendSampleHeight, scale);
    if (buffer.Empty())
        return false;
    RasterDC dc(buffer);
    const int mid = kLegendSampleHeight / 2;
    // The line's ends and the patch's edges stand this far in from the sample's sides, px.
    constexpr int kInset = 4;
    switch (item.sample) {
    case LegendItem::Sample::Line:
        dc.SelectPen(item.pen);
        dc.MoveTo(kInset, mid);
        dc.LineTo(kLegendSampleWidth - kInset, mid);
        break;
    case LegendItem::Sample::Dots:
        // A few tracers, one picture pixel each, a little off one row as they move.
        for (int x = 8; x < kLegendSampleWidth; x += 12)
            dc.SetPixel(x, mid - 1 + (x / 12) % 2 * 3, item.fill);
        break;
    case LegendItem::Sample::Disc:
        dc.SelectPen(item.pen);
        dc.SelectBrush(Brush{item.fill});
        dc.Ellipse(kLegendSampleWidth / 2 - kLegendDiscRadius, mid - kLegendDiscRadius,
                   kLegendSampleWidth / 2 + kLegendDiscRadius, mid + kLegendDiscRadius);
        break;
    case LegendItem::Sample::Area:
        dc.FillRect(kInset, mid - 6, kLegendSampleWidth - 2 * kInset, 12, item.fill);
        break;
    case LegendItem::Sample::Symbol: break;
    }
    return true;
}
