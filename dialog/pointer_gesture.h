#pragma once
// What a pointer on the picture asks for, with no flow: which pointer holds the picture, the
// mark a finger leaves, the size the picture is shown at and the near-wall rule. The mouse
// reads on hover and turns the wall on a press and drag, reading the flow it made; a finger or pen that comes down near
// the downstream wall turns it as it moves, anywhere else it reads the flow where it is; only
// the first pointer down acts. The session carries out the intent.
#include <optional>

#include "dialog/input.h"

// Where a finger or a pen reads the flow, for the shell to mark (the mark is not part of the
// picture), in display units.
struct ReadMark {
    bool shown = false;
    double x = 0.0;
    double y = 0.0;
};

// The downstream wall as a pointer meets it: it leaves the corner point (apexX, apexY) at
// angle from the downward vertical (rad, positive toward +x) and runs to the picture's edge;
// picture pixels.
struct WallLine {
    double apexX = 0.0;
    double apexY = 0.0;
    double angle = 0.0;
    int width = 0;
    int height = 0;
};

// What a pointer event asks of the flow, at the picture pixel (x, y) that contains it.
struct PointerIntent {
    bool turnWall = false; // the wall turned toward the pixel
    bool read = false;     // the flow read at the pixel
    int x = 0;
    int y = 0;
};

// How near the downstream wall (or its end) a finger or a pen must come down to turn it, in
// display units: about a fingertip.
constexpr double kWallReach = 24.0;

class PointerGesture {
public:
    // The size the picture is shown at, in display units (0 or a size that is no number: the
    // picture's own size, one unit per pixel).
    void SetDisplaySize(double width, double height);
    // Display units per picture pixel for a picture of width x height pixels: the smaller of
    // the two directions' (1 without a display size or a picture).
    double UnitsPerPixel(int width, int height) const;
    PointerIntent Pressed(const PointerEvent& e, const WallLine& wall);
    PointerIntent Moved(const PointerEvent& e, const WallLine& wall);
    // A release or a cancel of the pointer that holds the picture ends its gesture; a finger's
    // mark stays where it was lifted.
    void Released(const PointerEvent& e);
    // A reading point moved by keys: the mark moves by (dx, dy) picture pixels from where it
    // stands (from the picture's middle when none is shown), kept on the picture, and the flow
    // is read at its pixel. Nothing while a pointer holds the picture.
    PointerIntent KeyMoved(int dx, int dy, const WallLine& wall);
    // No gesture and no mark (a reset).
    void Clear();
    bool Dragging() const { return active_ && active_->turnsWall; }
    ReadMark Mark() const { return mark_; }
    // The picture pixel that contains a point in display units: rounded down, saturated to the
    // ints (NaN gives 0).
    void PixelOf(const PointerEvent& e, const WallLine& wall, int& x, int& y) const;
    // Within kWallReach display units of the downstream wall.
    bool NearWall(const PointerEvent& e, const WallLine& wall) const;

private:
    struct ActivePointer {
        int id = 0;
        PointerKind kind = PointerKind::Mouse;
        bool turnsWall = false; // else it reads the flow
    };
    std::optional<ActivePointer> active_;
    ReadMark mark_;
    double displayWidth_ = 0.0; // 0: the picture's own size
    double displayHeight_ = 0.0;
};
