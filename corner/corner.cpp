#include "corner/corner.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "base/constants.h"
#include "draw/font_fit.h"
#include "model/number_text.h"
#include "model/start_values.h"

Corner::Corner()
{
    wallPen = Pen{PenStyle::Solid, 3, Colour{0, 0, 255}};
    thinPen = Pen{PenStyle::Solid, 1, Colour{0, 0, 255}};
    dashPen = Pen{PenStyle::Dash, 1, Colour{0, 0, 0}};
    dotPen = Pen{PenStyle::Dot, 1, Colour{0, 0, 255}};
    labelFont = Font{kLabelCell, "Verdana"};
}

int LabelCellFor(double unitsPerPixel, int pictureWidth)
{
    if (!(unitsPerPixel > 0.0) || unitsPerPixel >= 1.0)
        return kLabelCell; // 0 or no number: no display size known
    const int most = std::max(kLabelCell, std::min(kMaxFontCell, pictureWidth / 8));
    // Digits of kDigitsPerCell * cell picture pixels are that times unitsPerPixel units high.
    const double cell = std::ceil(kLeastLabelDigits / (kDigitsPerCell * unitsPerPixel));
    return cell >= most ? most : std::max(kLabelCell, static_cast<int>(cell));
}

void Corner::SetWallFromPoint(int px, int py)
{
    const double dx = px - (left + 0.5 * width);
    const double dy = static_cast<double>(py) - top;
    if (dx > 0 && dy > 0)
        SetWallAngle(std::atan(dx / dy));
    else if (dx > 0 && dy <= 0 && physics == Physics::Exact)
        SetWallAngle(std::min(std::atan2(dx, dy), kMostTurnedInto)); // pi/2 for a level point
    else if (dx > 0 && dy <= 0)
        SetWallAngle(MostTurnedBack());
    else if (dx <= 0 && dy > 0)
        SetWallAngle(std::atan(dx / dy));
}

void Corner::ComputeFanGeometry(FlowState& fs)
{
    separationAngle = ::ComputeFanGeometry(fs, wallAngle);
}

double Corner::PolarAngle(bool viewCoords, double x, double y) const
{
    if (viewCoords) {
        x -= ApexX();
        y -= top;
    }
    return ::PolarAngle(x, y);
}

int Corner::ClassifyPoint(const FlowState& fs, bool viewCoords, double x, double y) const
{
    return ClassifyAngle(fs, PolarAngle(viewCoords, x, y));
}

double Corner::BetaDegrees() const { return wallAngle * kDegreesPerRadian + kBetaOfDownwardWall; }

double Corner::MostTurnedBack() const { return std::atan(kLevelPointSlope * width); }

double Corner::MostTurnedUp() const
{
    return physics == Physics::Exact ? kMostTurnedInto : MostTurnedBack();
}

double Corner::WithinDragRange(double angle) const
{
    const double upper = MostTurnedUp();
    const double lower = -MostTurnedBack();
    if (!(angle <= upper))
        return upper;
    if (!(angle >= lower))
        return lower;
    return angle;
}

double Corner::WallAngleOfBodyAngle(double betaDegrees)
{
    const StartValues& start = StartUpValues();
    const double t = (betaDegrees - start.bodyAngle) / (180.0 - start.bodyAngle);
    return (1.0 - t) * start.wallAngle + t * kHalfPi;
}

double Corner::BodyAngle() const
{
    const StartValues& start = StartUpValues();
    const double t = (wallAngle - start.wallAngle) / (kHalfPi - start.wallAngle);
    return start.bodyAngle + t * (180.0 - start.bodyAngle);
}

std::string Corner::BetaLabel() const { return "\u03B2=" + FormatFixed(BetaDegrees(), 0); }

std::string Corner::AlphaLabel(const FlowState& fs)
{
    return "\u03B1=" + FormatFixed(fs.machAngle * kDegreesPerRadian, 0);
}

double Corner::TurnAngle(const FlowState& fs) const
{
    const double turn = kHalfPi - wallAngle;
    return turn > fs.maxTurnAngle ? fs.maxTurnAngle : turn;
}

std::string Corner::TurnDegreesText(const FlowState& fs) const
{
    return FormatFixed(TurnAngle(fs) * kDegreesPerRadian, 0);
}

std::string Corner::SpanDegreesText(const FlowState& fs)
{
    return FormatFixed((fs.machAngle - fs.fanEndAngle) * kDegreesPerRadian, 0);
}

namespace {

std::string ChiText(const std::string& turnDegrees, const std::string& spanDegrees)
{
    return "\u03C7=" + turnDegrees + ", \u0394\u03C6=" + spanDegrees;
}

std::string Degrees(double rad) { return FormatFixed(rad * kDegreesPerRadian, 0); }

// The label at chi's place, of two parts written in whole degrees: which form it takes.
enum class ChiForm { None, Fan, Shock, Detached };

std::string ChiFormText(ChiForm form, const std::string& a, const std::string& b)
{
    switch (form) {
    case ChiForm::Fan: return ChiText(a, b);
    case ChiForm::Shock: return "\u03B8=" + a + ", \u03C3=" + b;
    case ChiForm::Detached: return "\u03B8=" + a + " > \u03B8max=" + b;
    case ChiForm::None: break;
    }
    return std::string();
}

// The exact label at chi's place as its form and two parts.
ChiForm ExactChiParts(const ExactFlow& flow, std::string& a, std::string& b)
{
    switch (flow.kind) {
    case ExactKind::Fan:
    case ExactKind::FanToVacuum:
        a = Degrees(flow.flowTurn);
        b = Degrees(flow.first - flow.last);
        return ChiForm::Fan;
    case ExactKind::Shock:
        a = Degrees(-flow.wallTurn);
        b = Degrees(flow.shockAngle);
        return ChiForm::Shock;
    case ExactKind::Detached:
        a = Degrees(-flow.wallTurn);
        b = Degrees(flow.maxDeflection);
        return ChiForm::Detached;
    case ExactKind::None:
    case ExactKind::Subsonic: break;
    }
    return ChiForm::None;
}

bool ExactHasFan(const ExactFlow& flow)
{
    return flow.kind == ExactKind::Fan || flow.kind == ExactKind::FanToVacuum;
}

} // namespace

ExactFlow Corner::ExactFlowOf(const FlowState& fs) const
{
    return ComputeExactFlow(fs, kHalfPi - wallAngle);
}

std::string Corner::ExactAlphaLabel(const ExactFlow& flow)
{
    return ExactHasFan(flow) ? "\u03B1=" + Degrees(flow.first) : std::string();
}

std::string Corner::ExactChiLabel(const ExactFlow& flow)
{
    std::string a, b;
    const ChiForm form = ExactChiParts(flow, a, b);
    return ChiFormText(form, a, b);
}

std::string Corner::ChiLabel(const FlowState& fs) const
{
    return ChiText(TurnDegreesText(fs), SpanDegreesText(fs));
}

std::vector<std::string> Corner::LabelsNear(const FlowState& fs, double reach) const
{
    std::vector<std::string> labels;
    if (!(reach >= 0.0))
        return labels;
    std::unordered_set<std::string> seen;
    // The model's labels at kLabelCell stand where they always have, on one line.
    const bool twoLines = physics == Physics::Exact || labelFont.height > kLabelCell;
    auto add = [&](const std::string& text) {
        if (!seen.insert(text).second)
            return;
        labels.push_back(text);
        std::string first, second;
        if (twoLines && SplitLabel(text, first, second)) {
            if (seen.insert(first).second)
                labels.push_back(first);
            if (seen.insert(second).second)
                labels.push_back(second);
        }
    };
    // What one wall's labels are made of: beta, alpha, and the label at chi's place in its
    // form, of two parts (the model's: chi and the fan's width).
    struct Parts {
        ChiForm form = ChiForm::None;
        std::string beta, alpha, turn, span;
    };
    Corner at = *this;
    FlowState flow = fs;
    auto partsAt = [&](double angle) {
        at.SetWallAngle(angle);
        at.ComputeFanGeometry(flow);
        Parts p;
        p.beta = at.BetaLabel();
        if (physics == Physics::Exact) {
            const ExactFlow exact = at.ExactFlowOf(flow);
            p.form = ExactChiParts(exact, p.turn, p.span);
            p.alpha = ExactAlphaLabel(exact);
        } else if (HasFan(flow)) {
            p.form = ChiForm::Fan;
            p.alpha = AlphaLabel(flow);
            p.turn = at.TurnDegreesText(flow);
            p.span = SpanDegreesText(flow);
        }
        return p;
    };
    auto addParts = [&](const Parts& p) {
        add(p.beta);
        if (!p.alpha.empty())
            add(p.alpha);
        if (p.form != ChiForm::None)
            add(ChiFormText(p.form, p.turn, p.span));
    };
    const double most = MostTurnedUp();
    const double least = -MostTurnedBack();
    const double from = WithinDragRange(wallAngle);
    const Parts here = partsAt(from);
    addParts(here);
    Parts last[2] = {here, here};   // the last wall looked at on each side
    bool ended[2] = {false, false}; // the side's end of the drag's range was looked at
    // Outward from the wall as it stands, a step each way in turn, up to the first wall at
    // reach or past it, or the range's end.
    const long steps = static_cast<long>(std::ceil(std::min(reach, kPi) / kLabelsNearStep));
    for (long k = 1; k <= steps; ++k) {
        for (int side = 0; side < 2; ++side) {
            if (ended[side])
                continue;
            double angle = from + static_cast<double>(side == 0 ? k : -k) * kLabelsNearStep;
            if (!(angle < most && angle > least)) {
                angle = side == 0 ? most : least;
                ended[side] = true;
            }
            const Parts p = partsAt(angle);
            addParts(p);
            // From one wall looked at to the next, each of chi's whole degrees moves by one at
            // most (chi as fast as the wall, the fan's width at most as fast for every gas in
            // range), but not always at the same wall: the label with one moved and the other
            // not may stand between them.
            const Parts& before = last[side];
            if (p.form != ChiForm::None && p.form == before.form) {
                add(ChiFormText(p.form, p.turn, before.span));
                add(ChiFormText(p.form, before.turn, p.span));
            }
            last[side] = p;
        }
    }
    return labels;
}
