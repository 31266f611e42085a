#include "dialog/pointer_gesture.h"

#include <algorithm>
#include <cmath>

#include "base/saturate.h"

void PointerGesture::SetDisplaySize(double width, double height)
{
    const bool usable = std::isfinite(width) && std::isfinite(height) && width > 0.0
                        && height > 0.0;
    displayWidth_ = usable ? width : 0.0;
    displayHeight_ = usable ? height : 0.0;
}

double PointerGesture::UnitsPerPixel(int width, int height) const
{
    if (displayWidth_ <= 0.0 || width <= 0 || height <= 0)
        return 1.0;
    return std::min(displayWidth_ / width, displayHeight_ / height);
}

void PointerGesture::Clear()
{
    active_.reset();
    mark_ = ReadMark();
}

void PointerGesture::PixelOf(const PointerEvent& e, const WallLine& wall, int& x, int& y) const
{
    const double sx = displayWidth_ > 0.0 ? wall.width / displayWidth_ : 1.0;
    const double sy = displayHeight_ > 0.0 ? wall.height / displayHeight_ : 1.0;
    x = TruncToInt(std::floor(e.x * sx));
    y = TruncToInt(std::floor(e.y * sy));
}

bool PointerGesture::NearWall(const PointerEvent& e, const WallLine& wall) const
{
    const double ux = std::sin(wall.angle);
    const double uy = std::cos(wall.angle);
    if (!std::isfinite(ux) || !std::isfinite(uy) || !std::isfinite(e.x) || !std::isfinite(e.y))
        return false;
    const double ax = wall.apexX;
    const double ay = wall.apexY;
    const double w = wall.width;
    const double h = wall.height;
    const double inf = HUGE_VAL;
    const double tx = ux > 0.0 ? (w - ax) / ux : ux < 0.0 ? -ax / ux : inf;
    const double ty = uy > 0.0 ? (h - ay) / uy : uy < 0.0 ? -ay / uy : inf;
    const double length = std::max(0.0, std::min(tx, ty));
    // Measured in display units, so that the reach is a fingertip's at any size the picture
    // is shown at.
    const double sx = displayWidth_ > 0.0 ? displayWidth_ / w : 1.0;
    const double sy = displayHeight_ > 0.0 ? displayHeight_ / h : 1.0;
    const double dx = ux * sx;
    const double dy = uy * sy;
    const double len2 = dx * dx + dy * dy;
    if (!(len2 > 0.0))
        return false;
    const double t = std::clamp(((e.x - ax * sx) * dx + (e.y - ay * sy) * dy) / len2, 0.0, length);
    const double px = ax * sx + t * dx - e.x;
    const double py = ay * sy + t * dy - e.y;
    return px * px + py * py <= kWallReach * kWallReach;
}

PointerIntent PointerGesture::Pressed(const PointerEvent& e, const WallLine& wall)
{
    PointerIntent intent;
    if (!e.mainButton || active_)
        return intent; // another button, or another pointer already holds the picture
    PixelOf(e, wall, intent.x, intent.y);
    ActivePointer a;
    a.id = e.id;
    a.kind = e.kind;
    if (e.kind == PointerKind::Mouse) {
        // The press turns the wall toward the pointer at once and reads the flow there, as it
        // now is.
        mark_ = ReadMark();
        a.turnsWall = true;
        active_ = a;
        intent.turnWall = true;
        intent.read = true;
        return intent;
    }
    // A finger or a pen near the wall takes hold of it and turns it as it moves.
    a.turnsWall = NearWall(e, wall);
    active_ = a;
    if (a.turnsWall) {
        mark_ = ReadMark();
        return intent;
    }
    mark_ = ReadMark{true, e.x, e.y};
    intent.read = true;
    return intent;
}

PointerIntent PointerGesture::KeyMoved(int dx, int dy, const WallLine& wall)
{
    PointerIntent intent;
    if (active_ || wall.width <= 0 || wall.height <= 0)
        return intent;
    // Display units per picture pixel.
    const double sx = displayWidth_ > 0.0 ? displayWidth_ / wall.width : 1.0;
    const double sy = displayHeight_ > 0.0 ? displayHeight_ / wall.height : 1.0;
    int x = wall.width / 2;
    int y = wall.height / 2;
    if (mark_.shown) {
        PointerEvent at;
        at.x = mark_.x;
        at.y = mark_.y;
        PixelOf(at, wall, x, y);
    }
    x = std::clamp(x + dx, 0, wall.width - 1);
    y = std::clamp(y + dy, 0, wall.height - 1);
    // The mark at the pixel's middle, so that it names that pixel at any display size.
    mark_ = ReadMark{true, (x + 0.5) * sx, (y + 0.5) * sy};
    intent.read = true;
    intent.x = x;
    intent.y = y;
    return intent;
}

PointerIntent PointerGesture::Moved(const PointerEvent& e, const WallLine& wall)
{
    PointerIntent intent;
    if (active_ && active_->id != e.id)
        return intent; // a second finger: the first one holds the picture
    // A mouse drag whose release went elsewhere ends at the first move without the button, so
    // a plain move never turns the wall.
    if (active_ && active_->kind == PointerKind::Mouse && !e.mainButton)
        active_.reset();
    PixelOf(e, wall, intent.x, intent.y);
    if (!active_) {
        // Hovering: a mouse or a pen above the picture reads the flow; a finger cannot hover.
        if (e.kind == PointerKind::Touch)
            return intent;
        mark_ = ReadMark();
        intent.read = true;
        return intent;
    }
    if (active_->turnsWall)
        intent.turnWall = true;
    else
        mark_ = ReadMark{true, e.x, e.y};
    intent.read = true;
    return intent;
}

void PointerGesture::Released(const PointerEvent& e)
{
    if (active_ && active_->id == e.id)
        active_.reset();
}
