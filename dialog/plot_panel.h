#pragma once
// The plot of the state through the fan as a shell shows it: its size, the quantities and the
// words it shows, the cursor at the probe's angle and the profile it draws, which is computed
// again only when the inputs or the wall changed. It is composed when what it shows changed,
// never on a tick, and only while it has a size.
#include "corner/corner.h"
#include "draw/frame_buffer.h"
#include "draw/raster_dc.h"
#include "model/flow_state.h"
#include "model/profile.h"
#include "plot/plot.h"

// The plot's words' cell height, px, for a plot width px wide beside a picture shown at
// unitsPerPixel display units per picture pixel (0: not known) and pictureWidth pixels wide: the
// plot's words grow as the picture's labels show on the screen (LabelCellFor), from
// kPlotTextCell where those show at their own size, but the plot stays kNarrowestCells cells
// wide at least.
constexpr int kNarrowestCells = 26;
int PlotTextCellFor(double unitsPerPixel, int pictureWidth, int width);

class PlotPanel {
public:
    PlotPanel(const FlowState& state, const Corner& corner) : state_(state), corner_(corner) {}
    PlotPanel(const PlotPanel&) = delete;
    PlotPanel& operator=(const PlotPanel&) = delete;

    // The size in display units and the device pixel ratio: composed at the size rounded
    // (1..kMaxPictureSize each) with frameScale device pixels per unit. A size that is not
    // positive stops composing it.
    void SetSize(double width, double height, int frameScale);
    // How the picture is shown (FlowSession::SetDisplaySize): the words' size follows it.
    void SetPictureShown(double unitsPerPixel, int pictureWidth)
    {
        unitsPerPixel_ = unitsPerPixel;
        pictureWidth_ = pictureWidth;
    }
    void SetQuantities(QuantitySet shown) { shown_ = shown & kAllQuantities; }
    QuantitySet Quantities() const { return shown_; }
    // True when the words changed.
    bool SetWords(const PlotWords& words);
    const PlotWords& Words() const { return words_; }
    void SetDrawing(const MakeDCFunction& makeDC);
    // The cursor at a polar angle (rad), from the last read-out of the flow; none after Clear.
    void SetCursor(double phi);
    void ClearCursor() { hasCursor_ = false; }
    bool HasCursor() const { return hasCursor_; }
    double CursorAngle() const { return cursorAngle_; }

    // The state through the fan for the inputs and the wall as they stand.
    const FanProfile& Profile() const;
    // Composes the plot when it has a size and what it shows changed; true when it did.
    bool Update();
    const FrameBuffer& Frame() const { return frame_; }
    unsigned long Count() const { return count_; }
    // Composed in this order from the next plot on, the rows that changed counted
    // (PlotComposer::countRows).
    void CountRowsInOrder(PixelOrder order)
    {
        frame_.order = order;
        composer_.countRows = true;
    }
    std::pair<int, int> TakeChangedRows() { return composer_.TakeChangedRows(); }
    long BaseCompositions() const { return composer_.BaseCompositions(); }

private:
    const FlowState& state_;
    const Corner& corner_;
    PlotComposer composer_;
    FrameBuffer frame_;
    unsigned long count_ = 0;
    int width_ = 0; // 0: no plot is composed
    int height_ = 0;
    int scale_ = 1;
    double unitsPerPixel_ = 0.0; // 0: not known
    int pictureWidth_ = 0;
    QuantitySet shown_ = kDefaultPlotQuantities;
    PlotWords words_;
    unsigned long wordsVersion_ = 0;
    bool hasCursor_ = false;
    double cursorAngle_ = 0.0;
    mutable FanProfile profile_;
    mutable FlowState profileState_{};
    mutable double profileWall_ = 0.0;
    mutable bool profileValid_ = false;
    mutable unsigned long profileVersion_ = 0;
};
