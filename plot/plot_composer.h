#pragma once
// The plot composed into a frame: the plot without its cursor kept, the cursor laid over it.
#include <cstdint>
#include <utility>

#include "draw/dc.h"
#include "draw/frame_buffer.h"
#include "draw/raster_dc.h"
#include "model/profile.h"
#include "plot/plot_draw.h"
#include "plot/plot_layout.h"
#include "plot/plot_look.h"
#include "plot/plot_words.h"

// Composes plots into a frame: the plot without its cursor is kept, and drawn again only when
// what it shows changes (the profile, the size, the scale, the quantities or the words); the
// cursor is laid over a copy of it, or, in a frame that still holds the last composition, over
// the kept plot's pixels given back where the last cursor drew. It keeps the y range from one
// plot to the next (see LayoutPlot) while the oncoming flow stays the same and the wall turns by
// less than 5 degrees between them; a new oncoming flow or a wall set anew gets its range fitted
// afresh.
class PlotComposer {
public:
    // The device context the plot is drawn through; without one, the core's RasterDC (no text).
    MakeDCFunction makeDC;
    // Whether the kept plot is copied into the target only where a row differs, those rows
    // counted for TakeChangedRows: for a shell that puts only them on its screen. Otherwise it
    // is copied whole, which costs less.
    bool countRows = false;

    // What is drawn. profileVersion moves on whenever the profile changes.
    struct Input {
        const FanProfile* profile = nullptr;
        unsigned long profileVersion = 0;
        int width = 0, height = 0, scale = 1;
        QuantitySet shown = kDefaultPlotQuantities;
        int textCell = kPlotTextCell; // the words' cell height, px (PlotTextCellFor)
        const PlotWords* words = nullptr;
        unsigned long wordsVersion = 0;
        bool cursor = false;
        ProfileSample at; // the cursor's direction and states, when cursor
    };
    // The plot into target (made at the size and scale when it is not already); false, with
    // target left as it is, when nothing it shows changed since the last call composed it.
    bool Compose(FrameBuffer& target, const Input& in);
    const PlotLayout& Layout() const { return layout_; }
    // How many times the plot without its cursor was drawn.
    long BaseCompositions() const { return baseCompositions_; }
    // Forget the kept plot (another device context).
    void Invalidate() { baseValid_ = false; }
    // The device rows [first, end) of the target that may differ from what they held when this
    // was last called (first == end: none), counted over every composition since (with
    // countRows; without, every composition counts them all); a shell that keeps a copy of the
    // plot brings only these up to date.
    std::pair<int, int> TakeChangedRows();

private:
    struct Stamp {
        unsigned long profileVersion = 0, wordsVersion = 0;
        int width = 0, height = 0, scale = 0;
        QuantitySet shown = 0;
        int textCell = 0;
        bool operator==(const Stamp& o) const
        {
            return profileVersion == o.profileVersion && wordsVersion == o.wordsVersion
                   && width == o.width && height == o.height && scale == o.scale && shown == o.shown
                   && textCell == o.textCell;
        }
    };

    FrameBuffer base_;
    PlotLayout layout_;
    PlotMarks marks_; // what the kept plot drew that its cursor keeps clear of
    Stamp stamp_;
    bool baseValid_ = false;
    bool rangeKept_ = false; // layout_ holds the y range shown last, for this oncoming flow
    StateValues rangeUpstream_;
    double rangeWall_ = 0.0; // the downstream wall's direction then (FanProfile::phiTo)
    long baseCompositions_ = 0;
    // The last composed plot's cursor (its angle, when there is one).
    bool composed_ = false;
    bool cursor_ = false;
    double cursorAngle_ = 0.0;
    // Where that cursor drew in the target, row by row, when its context marked every pixel it
    // drew (cursorMarked_), and the target's pixels then.
    DrawnRows cursorRows_;
    bool cursorMarked_ = false;
    const uint32_t* composedBits_ = nullptr;
    // The target's rows changed since TakeChangedRows, [first, end).
    int changedFirst_ = 0, changedEnd_ = 0;
    void RowsChanged(int first, int end);
    // The plot without its cursor drawn again into base_ (false: no memory for it).
    bool DrawBase(const Input& in, int scale);
    // The kept plot into the target: where the last cursor drew (onlyCursor), or whole.
    void CopyBase(FrameBuffer& target, bool onlyCursor);
    // The cursor over the target, where it drew marked.
    void DrawCursor(FrameBuffer& target, const Input& in);
};
