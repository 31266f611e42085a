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

double Corner::WithinDragRange(double angle) const
{
    const double upper = MostTurnedBack();
    if (!(angle <= upper))
        return upper;
    if (!(angle >= -upper))
        return -upper;
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

} // namespace

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
    auto add = [&](std::string text) {
        if (seen.insert(text).second)
            labels.push_back(std::move(text));
    };
    // What one wall's labels are made of.
    struct Parts {
        bool fan = false;
        std::string beta, alpha, turn, span;
    };
    Corner at = *this;
    FlowState flow = fs;
    auto partsAt = [&](double angle) {
        at.SetWallAngle(angle);
        at.ComputeFanGeometry(flow);
        Parts p;
        p.beta = at.BetaLabel();
        p.fan = HasFan(flow);
        if (p.fan) {
            p.alpha = AlphaLabel(flow);
            p.turn = at.TurnDegreesText(flow);
            p.span = SpanDegreesText(flow);
        }
        return p;
    };
    auto addParts = [&](const Parts& p) {
        add(p.beta);
        if (p.fan) {
            add(p.alpha);
            add(ChiText(p.turn, p.span));
        }
    };
    const double most = MostTurnedBack();
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
            if (!(angle < most && angle > -most)) {
                angle = side == 0 ? most : -most;
                ended[side] = true;
            }
            const Parts p = partsAt(angle);
            addParts(p);
            // From one wall looked at to the next, each of chi's whole degrees moves by one at
            // most (chi as fast as the wall, the fan's width at most as fast for every gas in
            // range), but not always at the same wall: the label with one moved and the other
            // not may stand between them.
            const Parts& before = last[side];
            if (p.fan && before.fan) {
                add(ChiText(p.turn, before.span));
                add(ChiText(before.turn, p.span));
            }
            last[side] = p;
        }
    }
    return labels;
}
