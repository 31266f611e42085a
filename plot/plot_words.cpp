#include "plot/plot_words.h"

#include <cmath>
#include <utility>

#include "base/constants.h"
#include "model/classify.h"
#include "model/number_text.h"

const char* PlotWordSource(PlotWord word)
{
    switch (word) {
    case PlotWord::Title: return "Поток в веере: модель и точная теория";
    case PlotWord::AngleAxis: return "φ, °: направление от угла (0 — по набегающему потоку)";
    case PlotWord::RatioAxis: return "отношение к набегающему потоку";
    case PlotWord::Model: return "модель";
    case PlotWord::Theory: return "точная теория";
    case PlotWord::FanStart: return "начало веера";
    case PlotWord::ModelEnd: return "конец: модель";
    case PlotWord::TheoryEnd: return "конец: теория";
    case PlotWord::CursorAngle: return "φ = %1°";
    case PlotWord::NoFan: return "поток не сверхзвуковой, веера нет";
    case PlotWord::IntoTheFlow: return "стенка повёрнута навстречу потоку: это сжатие, веера нет";
    case PlotWord::MachRow: return "M";
    case PlotWord::PressureRow: return "P, Па";
    case PlotWord::TemperatureRow: return "T, К";
    case PlotWord::DensityRow: return "ρ, кг/м³";
    case PlotWord::SpeedRow: return "V, м/с";
    case PlotWord::AccessibleName: return "График состояния в веере";
    case PlotWord::DescribeExpansion:
        return "Давление падает от %1 до %2 Па в веере модели; по точной теории — до %3 Па";
    case PlotWord::DescribeNoFan:
        return "Поток не сверхзвуковой: такое течение программа не рассчитывает; давление "
               "набегающего потока %1 Па";
    case PlotWord::DescribeIntoTheFlow:
        return "Стенка повёрнута навстречу потоку: это сжатие, его модель не рассчитывает; "
               "давление набегающего потока %1 Па";
    case PlotWord::TurnDirection: return "поворот потока →";
    case PlotWord::Vacuum: return "вакуум";
    case PlotWord::TheoryVacuum: return "точная теория: дальше вакуум →";
    case PlotWord::NoTurn: return "стенка не повёрнута: поток не поворачивает, веера нет";
    case PlotWord::DescribeVacuum:
        return "Давление падает от %1 до %2 Па в веере модели; по точной теории поток "
               "расширяется до вакуума";
    case PlotWord::DescribeNoTurn:
        return "Стенка не повёрнута, поток не поворачивает, веера нет: давление везде %1 Па";
    case PlotWord::ModelNote:
        return "Сплошные линии — упрощённая модель рисунка: состояние в её веере меняется по "
               "собственному профилю, а не по теории Прандтля — Майера, и край веера берётся "
               "интерполяцией по углу поворота; поэтому её числа расходятся с точной теорией "
               "(пунктир) во всём веере и за ним.";
    case PlotWord::Shock: return "косой скачок";
    case PlotWord::Detached:
        return "стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, "
               "течение у угла не вычисляется";
    case PlotWord::DescribeShock:
        return "Стенка повёрнута навстречу потоку: по точной теории на косом скачке под углом "
               "%3° давление растёт от %1 до %2 Па";
    case PlotWord::DescribeDetached:
        return "Стенка повёрнута навстречу потоку больше предельного угла: скачок отходит, "
               "течение у угла не вычисляется; давление набегающего потока %1 Па";
    case PlotWord::Count: break;
    }
    return "";
}

PlotWords::PlotWords()
{
    for (int i = 0; i < kPlotWordCount; ++i)
        text[i] = PlotWordSource(static_cast<PlotWord>(i));
}

PlotWords PlotWords::Translated(const std::function<std::string(const char* source)>& translate)
{
    PlotWords w;
    if (!translate)
        return w;
    for (int i = 0; i < kPlotWordCount; ++i)
        w.text[i] = translate(PlotWordSource(static_cast<PlotWord>(i)));
    return w;
}

bool ProfileHasNoTurn(const FanProfile& p)
{
    return p.exact.theory.kind == TheoryCase::Expansion && !(p.exact.theory.turnDegrees > 0.0);
}

bool ExactFlowIsVacuum(const FanProfile& p) { return p.exact.fan && p.exact.end.P == 0.0; }

PlotDescription DescribePlot(const FanProfile& p)
{
    PlotDescription d;
    const std::string p1 = FormatFieldValue(p.upstream.P);
    if (p.exact.shock) {
        d.words = PlotWord::DescribeShock;
        d.values = {p1, FormatFieldValue(p.exact.behind.P),
                    FormatFixed(p.exact.shockAngle * kDegreesPerRadian, 1)};
    } else if (p.exact.detached) {
        d.words = PlotWord::DescribeDetached;
        d.values = {p1};
    } else if (p.exact.theory.kind == TheoryCase::IntoTheFlow) {
        d.words = PlotWord::DescribeIntoTheFlow;
        d.values = {p1};
    } else if (ProfileHasNoTurn(p)) {
        d.words = PlotWord::DescribeNoTurn;
        d.values = {p1};
    } else if (!p.modelFan || !p.exact.fan) {
        d.words = PlotWord::DescribeNoFan;
        d.values = {p1};
    } else {
        // The model past its fan: the last sample past its last characteristic (the read-out
        // just past the fan), else the last one.
        double modelEnd = p.samples.empty() ? kNoValue : p.samples.back().model.P;
        for (auto it = p.samples.rbegin(); it != p.samples.rend(); ++it)
            if (it->modelRegion == RegionDownstream) {
                modelEnd = it->model.P;
                break;
            }
        if (ExactFlowIsVacuum(p)) {
            d.words = PlotWord::DescribeVacuum;
            d.values = {p1, FormatFieldValue(modelEnd)};
        } else {
            d.words = PlotWord::DescribeExpansion;
            d.values = {p1, FormatFieldValue(modelEnd), FormatFieldValue(p.exact.end.P)};
        }
    }
    return d;
}
