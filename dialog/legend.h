#pragma once
// The legend: every line, colour and mark the picture shows now, and every symbol its labels
// and fields use, each with a sentence (Russian, translated in the "Legend" context). Each
// item's sample is drawn by the core (DrawLegendSample) in the pen the picture draws it with, and
// both shells show those pixels, so the legend cannot show a line the picture does not; a line
// the picture does not draw now is not listed.
#include <vector>

#include "corner/corner.h"
#include "draw/dc.h"
#include "draw/frame_buffer.h"
#include "model/exact_flow.h"
#include "model/flow_state.h"
#include "model/physics.h"

struct LegendItem {
    // What the sample before the words shows: a short line in pen, red dots (the tracers), a
    // disc in fill outlined in pen (the marker), a patch of fill (a region), or nothing (a
    // symbol).
    enum class Sample { Line, Dots, Disc, Symbol, Area };
    Sample sample = Sample::Symbol;
    Pen pen;
    Colour fill;
    const char* words = nullptr;
};

// The pens and colours the picture draws with, gathered from the parts that own them.
struct LegendPens {
    Pen streamline;
    Pen exact;
    Pen frame;
    Colour tracer;
    Colour marker;
    // The exact theory's own marks when the picture follows it (the overlay's, corner/): the
    // oblique shock, the vacuum's tint and the tint of the region it does not compute
    // (Corner::shockPen, kVacuumTint, kNotComputedTint). The limiting streamline is drawn in the
    // flow boundary's dotted pen.
    Pen shock;
    Colour vacuum;
    Colour notComputed;
};

// Which shell shows the legend: the words name a command as it is shown there (the desktop's
// menu item, the page's button).
enum class LegendShell { Desktop, Page };

// What the picture draws now: the model's flow (with the exact theory's lines over it when
// exactTheory) or the exact theory's (kind, from model/exact_flow.h).
struct LegendScene {
    Physics physics = Physics::Model;
    bool exactTheory = false;
    ExactKind kind = ExactKind::Subsonic;
    bool sonicRay = false; // the exact fan's sonic ray is drawn (above the upstream wall)
};
std::vector<LegendItem> LegendOf(const Corner& corner, const FlowState& state,
                                 const LegendPens& pens, const LegendScene& scene,
                                 LegendShell shell);

// A sample's size, picture pixels (CSS pixels on the page).
constexpr int kLegendSampleWidth = 48;
constexpr int kLegendSampleHeight = 20;
// The marker's radius in its sample, picture pixels.
constexpr int kLegendDiscRadius = 7;

// Draws item's sample into buffer, made kLegendSampleWidth x kLegendSampleHeight picture pixels
// at scale device pixels each (1..kMaxFrameScale) in the buffer's pixel order, by the core's
// RasterDC as the picture draws the same thing: on white, a line across in the item's pen, the
// tracers' single pixels in their colour, the marker's disc in its fill outlined in its pen, a
// patch of a tint. A symbol has no sample: the buffer is left empty and the answer is false.
bool DrawLegendSample(const LegendItem& item, FrameBuffer& buffer, int scale);
