#include "corner/corner.h"

#include <algorithm>
#include <cmath>

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

std::string Corner::ChiLabel(const FlowState& fs) const
{
    return "\u03C7=" + TurnDegreesText(fs) + ", \u0394\u03C6=" + SpanDegreesText(fs);
}
