#include "dialog/plot_panel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/saturate.h"
#include "base/vector_state.h"

int PlotTextCellFor(double unitsPerPixel, int pictureWidth, int width)
{
    if (!(unitsPerPixel > 0.0) || !std::isfinite(unitsPerPixel))
        return kPlotTextCell;
    // The height the picture's labels show at, display units, against their own cell.
    const double shown = LabelCellFor(unitsPerPixel, pictureWidth) * unitsPerPixel;
    const double cell = std::floor(kPlotTextCell * shown / kLabelCell + 0.5);
    const int most = std::max(kPlotTextCell, width / kNarrowestCells);
    return std::clamp(cell >= most ? most : static_cast<int>(cell), kPlotTextCell, most);
}

void PlotPanel::SetSize(double width, double height, int frameScale)
{
    const bool usable = std::isfinite(width) && std::isfinite(height) && width >= 0.5
                        && height >= 0.5;
    const auto rounded = [](double v) {
        return std::clamp(TruncToInt(std::floor(v + 0.5)), 1, kMaxPictureSize);
    };
    width_ = usable ? rounded(width) : 0;
    height_ = usable ? rounded(height) : 0;
    scale_ = frameScale;
}

bool PlotPanel::SetWords(const PlotWords& words)
{
    if (words == words_)
        return false;
    words_ = words;
    ++wordsVersion_;
    return true;
}

void PlotPanel::SetDrawing(const MakeDCFunction& makeDC)
{
    composer_.makeDC = makeDC;
    composer_.Invalidate();
}

void PlotPanel::SetCursor(double phi)
{
    hasCursor_ = true;
    cursorAngle_ = phi;
}

const FanProfile& PlotPanel::Profile() const
{
    // Computed again when the state or the wall changed (the state holds the fan's angles).
    if (!profileValid_ || std::memcmp(&profileState_, &state_, sizeof state_) != 0
        || std::memcmp(&profileWall_, &corner_.wallAngle, sizeof profileWall_) != 0) {
        profile_ = ComputeFanProfile(state_, corner_.wallAngle, corner_.TurnAngle(state_));
        profileState_ = state_;
        profileWall_ = corner_.wallAngle;
        profileValid_ = true;
        ++profileVersion_;
    }
    return profile_;
}

bool PlotPanel::Update()
{
    if (width_ <= 0 || height_ <= 0)
        return false;
    ClearUpperVectorState(); // a shell ran just before
    const FanProfile& profile = Profile();
    PlotComposer::Input in;
    in.profile = &profile;
    in.profileVersion = profileVersion_;
    in.width = width_;
    in.height = height_;
    in.scale = scale_;
    in.shown = shown_;
    in.textCell = PlotTextCellFor(unitsPerPixel_, pictureWidth_, width_);
    in.words = &words_;
    in.wordsVersion = wordsVersion_;
    in.cursor = hasCursor_;
    if (hasCursor_)
        in.at = ProfileAt(state_, profile.exact, cursorAngle_);
    if (!composer_.Compose(frame_, in))
        return false; // nothing it shows has changed
    ++count_;
    return true;
}
