#pragma once
// The body in the picture: where the corner point lies, how far the downstream wall is
// turned, and the overlay that draws the walls, the fan's lines, the arcs and the labels.
// Plain C++: drawing goes through the device context of draw/dc.h.
#include <functional>
#include <string>
#include <vector>

#include "base/constants.h"
#include "draw/dc.h"
#include "model/classify.h"
#include "model/exact_flow.h"
#include "model/flow_state.h"
#include "model/physics.h"

// Beta of a wall straight down from the corner, deg: beta is the wall's angle plus this.
constexpr double kBetaOfDownwardWall = 90.0;
// A press right of the corner and level with it turns the wall as a point this many picture
// widths below it would: atan(20 * width), short of a straight line with the upstream wall.
constexpr double kLevelPointSlope = 20.0;

// The labels' font cell (ascent plus descent), picture pixels, where the picture is shown at one
// display unit per picture pixel or larger.
constexpr int kLabelCell = 20;
// How high the labels' digits stand on the screen at least, display units (CSS px on a page): a
// picture shown smaller than one unit per pixel (a phone) gets a larger font cell for them.
constexpr double kLeastLabelDigits = 12.0;
// The digits' ink height as a share of the font cell, at least, in the fonts both shells draw the
// labels with (about 0.6 in the sans-serif fonts, less a pixel lost to the fit of the font size).
constexpr double kDigitsPerCell = 0.55;

// The labels' font cell, picture pixels, for a picture pictureWidth pixels wide shown at
// unitsPerPixel display units per picture pixel: kLabelCell from one unit per pixel up (and for a
// scale that is no number), else the smallest cell, not below kLabelCell, whose digits are
// kLeastLabelDigits units high, but at most an eighth of the picture's width, which holds the
// longest label (chi's, about seven cells) inside the picture.
int LabelCellFor(double unitsPerPixel, int pictureWidth);

// A label as the overlay writes it: its text, the top-left corner of its font cell (picture
// pixels) and the box its text takes at most, from that corner: LabelTextWidth wide, a cell high.
// A label of two parts written on two lines has its first part as text and its second as
// second, a cell below; its box is two cells high and as wide as the wider line. cell is the
// height of the font it is written in: the overlay's label font's, or less where the label
// found no clear place at that size.
struct LabelPlace {
    std::string text;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string second;
    int cell = 0;
};

// How wide a label's text is taken to be at most in a font cell of cell pixels: the core has no
// fonts, so each character is taken as wide as the widest of its kind in the sans-serif fonts
// both shells draw the labels with ('=', '>' and 'm' wider, ',' and ' ' narrower), rounded up.
int LabelTextWidth(const std::string& text, int cell);

// A label of two parts ("χ=…, Δφ=…", "θ=…, σ=…") as its first part and its second, written on
// two lines where one line finds no place; false for a label of one part.
bool SplitLabel(const std::string& text, std::string& first, std::string& second);

// The exact theory chosen lets a drag and the keys turn the wall into the flow, above the
// upstream wall's line, up to 60 degrees above it: the largest wall angle then, rad.
constexpr double kMostTurnedInto = kHalfPi + kPi / 3.0;

class Corner {
public:
    Corner();

    // Which flow the overlay draws and the drag's range follows: the model's (the default) or
    // the exact theory's (model/exact_flow.h).
    Physics physics = Physics::Model;
    // The exact theory's own marks: the shock, and the tints of the vacuum past the limiting
    // streamline and of the region the theory does not compute (a detached shock, a subsonic
    // flow).
    Pen shockPen{PenStyle::Solid, 2, Colour{200, 0, 120}};
    static constexpr Colour kVacuumTint{228, 218, 255};
    static constexpr Colour kNotComputedTint{212, 212, 212};

    // Direction of the downstream wall from the downward vertical through the corner,
    // positive toward +x, rad. pi/2 continues the upstream wall.
    double wallAngle = 0.0;
    // -maxTurnAngle when the wall is turned past the largest turning angle, else 0.0.
    double separationAngle = 0.0;
    int left = 0;
    int top = 0;
    int width = 100;
    int height = 100;

    Pen wallPen;
    Pen dashPen;
    Pen dotPen;
    // Its height is the cell LabelCellFor gives for the size the picture is shown at; a label
    // larger than kLabelCell is placed so that it stays inside the picture and off its arc.
    Font labelFont;
    Pen thinPen;

    // The corner point is (ApexX(), top).
    int ApexX() const { return left + width / 2; }

    // The body angle beta in degrees for the wall as it stands: a wall straight down
    // (wallAngle 0) is kBetaOfDownwardWall.
    double BetaDegrees() const;
    // The wall turned back as far as a drag can turn it: toward a point right of the corner
    // and level with it, atan(kLevelPointSlope * width).
    double MostTurnedBack() const;

    // The largest wall angle a drag reaches: MostTurnedBack() with the model, kMostTurnedInto
    // with the exact theory.
    double MostTurnedUp() const;
    // The wall angle within the range a drag can reach: above -pi/2 (a point far upstream, one
    // pixel below the corner, -MostTurnedBack()) and at most MostTurnedUp(); an angle out of it
    // (or no number) lands on the nearer end.
    double WithinDragRange(double angle) const;
    // The wall angle for a body angle beta in degrees, as a start state or a link names it, and
    // back: linear in beta, exact at both ends a teacher types most (the start-up body angle
    // gives the start-up wall, 180 a straight wall, pi/2). Each degree of beta is then
    // 1.0000295 degrees of the wall, and the label reads back the beta typed.
    static double WallAngleOfBodyAngle(double betaDegrees);
    double BodyAngle() const;

    // The one way the wall is turned: sets wallAngle (recomputes nothing else).
    void SetWallAngle(double angle) { wallAngle = angle; }
    // Sets wallAngle from a picture point, or leaves it (a point up and to the left of the
    // corner). A point up and to the right turns the wall back to MostTurnedBack() with the
    // model, and toward it (up to kMostTurnedInto) with the exact theory. Recomputes nothing
    // else.
    void SetWallFromPoint(int px, int py);

    // The fan angles of fs for the current wall angle; writes separationAngle.
    void ComputeFanGeometry(FlowState& fs);

    // With viewCoords the point is in picture pixels, otherwise already corner-relative.
    double PolarAngle(bool viewCoords, double x, double y) const;
    int ClassifyPoint(const FlowState& fs, bool viewCoords, double x, double y) const;

    // The overlay's three labels, as drawn. Alpha and chi are drawn only when the fan angles
    // are numbers (HasFan).
    static bool HasFan(const FlowState& fs) { return fs.machAngle > fs.fanEndAngle; }
    std::string BetaLabel() const;
    static std::string AlphaLabel(const FlowState& fs);
    std::string ChiLabel(const FlowState& fs) const;
    // The turn chi the flow makes, rad: the wall's turning, at most the largest turning angle;
    // and chi and the fan's width in whole degrees, as the chi label writes them.
    double TurnAngle(const FlowState& fs) const;
    std::string TurnDegreesText(const FlowState& fs) const;
    static std::string SpanDegreesText(const FlowState& fs);
    // The exact theory's flow round this wall for the upstream state in fs.
    ExactFlow ExactFlowOf(const FlowState& fs) const;
    // The exact theory's labels, as drawn: alpha (the first Mach line's angle, for a fan) and
    // the label at chi's place: "χ=…, Δφ=…" of the exact fan (chi the flow's turn), "θ=…, σ=…"
    // for a shock (the deflection and the shock's angle), "θ=… > θmax=…" for a detached shock;
    // "" where there is none.
    static std::string ExactAlphaLabel(const ExactFlow& flow);
    static std::string ExactChiLabel(const ExactFlow& flow);
    // The labels Draw writes at the walls a drag reaches within reach rad either side of the
    // wall as it stands (fs at any wall: its fan geometry is computed again for each), each
    // text once, those of the nearer walls first: what a drag from here may draw. A shell that
    // renders texts slowly renders these ahead while it is idle; where a label may be written
    // on two lines (a larger label, or the exact theory's), each of two parts is followed by
    // its parts. The walls are taken kLabelsNearStep rad apart, finer than a label's whole
    // degree.
    std::vector<std::string> LabelsNear(const FlowState& fs, double reach) const;
    static constexpr double kLabelsNearStep = 0.25 * kPi / 180.0;

    // Where Draw writes its labels: beta's, then alpha's and chi's (the exact theory's when
    // physics is Exact), those it draws only. The model's labels at kLabelCell stand where they
    // always have; a larger label, and every exact label, stands at the place nearest its own
    // (inside the picture, kLabelInset from its edges) whose box no line or arc of the overlay
    // crosses, nor any line drawnOver draws (what the picture lays over the overlay: the
    // streamlines, the frame line), and no other label takes, kLabelClearance pixels clear of
    // each line's edge; where there is none, a label of two parts (SplitLabel) is written on
    // two lines at the place nearest its own that is so clear for both; where there is none
    // (the smallest phones, whose labels are the largest against the picture), the same in a
    // font kLabelShrinkStep pixels smaller at a time, down to kLeastShrink of the label font's
    // height but never below kLabelCell; where there is none, on one line in the label font
    // where the fewest line pixels cross it, or at its own.
    using DrawnOver = std::function<void(DC&)>;
    std::vector<LabelPlace> LabelPlaces(const FlowState& fs,
                                        const DrawnOver& drawnOver = nullptr) const;
    // How far a moved label stays inside the picture's edges, picture pixels.
    static constexpr int kLabelInset = 10;
    // How far a moved label's box stays from a line's edge, picture pixels.
    static constexpr int kLabelClearance = 2;
    // A label that finds no clear place is looked for in a font this many pixels smaller at a
    // time, down to this share of the label font's height (on a phone 320 CSS px wide, 36 px
    // for 48: digits about 12 CSS px high).
    static constexpr int kLabelShrinkStep = 2;
    static constexpr double kLeastShrink = 0.75;

    // Draws the whole overlay (the exact theory's when physics is Exact), its labels where
    // LabelPlaces(fs, drawnOver) puts them; leaves its last pen and the font selected.
    void Draw(DC& dc, const FlowState& fs, const DrawnOver& drawnOver = nullptr) const;

private:
    // Draws the overlay with its labels at places (beta, alpha, chi, as LabelPlaces gives
    // them), or without labels when places is null.
    void DrawOverlay(DC& dc, const FlowState& fs, const std::vector<LabelPlace>* places) const;
    // The walls, beta's arc and its label (when a place is given).
    void DrawWallsAndBeta(DC& dc, const LabelPlace* beta) const;
    void DrawExact(DC& dc, const ExactFlow& flow, const std::vector<LabelPlace>* places) const;
    // The labels at their own places, before any is moved off a line.
    std::vector<LabelPlace> OwnLabelPlaces(const FlowState& fs) const;
};
