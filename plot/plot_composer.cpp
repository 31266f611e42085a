#include "plot/plot_composer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "base/constants.h"
#include "base/vector_state.h"

namespace {

// The most the wall may turn between two plots that keep one y range: a drag's step or a key's
// turn, not a wall set anew.
constexpr double kKeptTurn = 5.0 * kRadiansPerDegree;

// Whether n pixels at a and b are the same, two at a time (the rows compared are long, and most
// differ early or not at all).
bool SameRow(const uint32_t* a, const uint32_t* b, size_t n)
{
    size_t i = 0;
    for (; i + 2 <= n; i += 2) {
        uint64_t x, y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        if (x != y)
            return false;
    }
    return i == n || a[i] == b[i];
}

// The rows [first, end) in which drawn marks any column (first == end: none).
std::pair<int, int> MarkedRows(const DrawnRows& drawn)
{
    int first = -1, last = -1;
    for (size_t row = 0; row < drawn.first.size(); ++row)
        if (drawn.first[row] <= drawn.last[row]) {
            if (first < 0)
                first = static_cast<int>(row);
            last = static_cast<int>(row);
        }
    return first < 0 ? std::make_pair(0, 0) : std::make_pair(first, last + 1);
}

} // namespace

void PlotComposer::RowsChanged(int first, int end)
{
    if (first >= end)
        return;
    if (changedFirst_ >= changedEnd_) {
        changedFirst_ = first;
        changedEnd_ = end;
    } else {
        changedFirst_ = std::min(changedFirst_, first);
        changedEnd_ = std::max(changedEnd_, end);
    }
}

std::pair<int, int> PlotComposer::TakeChangedRows()
{
    const std::pair<int, int> rows{changedFirst_, changedEnd_};
    changedFirst_ = changedEnd_ = 0;
    return rows;
}

bool PlotComposer::Compose(FrameBuffer& target, const Input& in)
{
    ClearUpperVectorState();
    if (!in.profile || !in.words || in.width <= 0 || in.height <= 0)
        return false;
    if (base_.order != target.order) { // the plot is drawn in the target's channel order
        base_.order = target.order;
        baseValid_ = false;
    }
    const int scale = std::clamp(in.scale, 1, kMaxFrameScale);
    Stamp now;
    now.profileVersion = in.profileVersion;
    now.wordsVersion = in.wordsVersion;
    now.width = in.width;
    now.height = in.height;
    now.scale = scale;
    now.shown = in.shown;
    now.textCell = in.textCell;
    const bool baseKept = baseValid_ && now == stamp_ && base_.bits;
    const double angle = in.cursor ? in.at.phi : 0.0;
    if (baseKept && composed_ && target.bits && in.cursor == cursor_
        && std::memcmp(&angle, &cursorAngle_, sizeof angle) == 0)
        return false; // nothing it shows has changed
    // When only the cursor moved and target still holds the last composition, the base's
    // pixels go back only where the last cursor drew.
    const bool onlyCursor = baseKept && composed_ && cursorMarked_ && target.bits
                            && target.bits == composedBits_ && target.width == in.width
                            && target.height == in.height && target.scale == scale;
    composed_ = false;
    if (!baseKept && !DrawBase(in, scale))
        return false;
    stamp_ = now;
    if (target.width != in.width || target.height != in.height || target.scale != scale
        || !target.bits) {
        target.Create(in.width, in.height, scale);
        RowsChanged(0, target.deviceHeight);
    }
    if (!target.bits)
        return false;
    CopyBase(target, onlyCursor);
    DrawCursor(target, in);
    composedBits_ = target.bits;
    composed_ = true;
    cursor_ = in.cursor;
    cursorAngle_ = angle;
    return true;
}

bool PlotComposer::DrawBase(const Input& in, int scale)
{
    base_.Create(in.width, in.height, scale); // white
    if (!base_.bits)
        return false;
    ++baseCompositions_;
    // The range is kept while only the wall moves, and by small steps (a drag, a key's
    // turn): a new oncoming flow (typed inputs, another gas) or a wall set anew is a new
    // experiment and gets its range fitted afresh, so the plot of a state is the same
    // however it was reached but for the wall's last small moves.
    const StateValues& upstream = in.profile->upstream;
    const bool sameFlow = rangeKept_
                          && std::memcmp(&upstream, &rangeUpstream_, sizeof upstream) == 0
                          && std::fabs(in.profile->phiTo - rangeWall_) < kKeptTurn;
    const std::unique_ptr<DC> dc = MakeDrawingDC(makeDC, base_);
    layout_ = LayoutPlot(in.width, in.height, *in.profile, in.shown, in.words,
                         sameFlow ? &layout_ : nullptr, in.textCell, dc.get());
    rangeKept_ = true;
    rangeWall_ = in.profile->phiTo;
    rangeUpstream_ = upstream;
    marks_ = DrawPlot(*dc, layout_, *in.profile, in.shown, *in.words);
    baseValid_ = true;
    return true;
}

void PlotComposer::CopyBase(FrameBuffer& target, bool onlyCursor)
{
    const size_t w = static_cast<size_t>(target.deviceWidth);
    if (onlyCursor) {
        for (size_t row = 0; row < cursorRows_.first.size(); ++row)
            if (cursorRows_.first[row] <= cursorRows_.last[row])
                std::copy(base_.bits + row * w + cursorRows_.first[row],
                          base_.bits + row * w + cursorRows_.last[row] + 1,
                          target.bits + row * w + cursorRows_.first[row]);
        const std::pair<int, int> rows = MarkedRows(cursorRows_);
        RowsChanged(rows.first, rows.second);
    } else if (!countRows) {
        std::copy(base_.pixels.begin(), base_.pixels.end(), target.pixels.begin());
        RowsChanged(0, target.deviceHeight);
    } else {
        // Only the rows that differ are copied and counted, each stretch of them at once: a drag
        // leaves the title and the legend as they were.
        const int rows = target.deviceHeight;
        for (int row = 0; row < rows;) {
            if (SameRow(base_.bits + row * w, target.bits + row * w, w)) {
                ++row;
                continue;
            }
            int end = row + 1;
            while (end < rows && !SameRow(base_.bits + end * w, target.bits + end * w, w))
                ++end;
            std::copy(base_.bits + row * w, base_.bits + end * w, target.bits + row * w);
            RowsChanged(row, end);
            row = end;
        }
    }
}

void PlotComposer::DrawCursor(FrameBuffer& target, const Input& in)
{
    cursorRows_.Start(target.deviceHeight, target.deviceWidth); // nothing drawn yet
    cursorMarked_ = true;
    if (!in.cursor)
        return;
    target.drawnRows = &cursorRows_;
    {
        const std::unique_ptr<DC> dc = MakeDrawingDC(makeDC, target);
        DrawPlotCursor(*dc, layout_, in.at, in.shown, *in.words, &marks_);
        cursorMarked_ = dc->MarksDrawnRows();
    }
    target.drawnRows = nullptr;
    const std::pair<int, int> rows = cursorMarked_ ? MarkedRows(cursorRows_)
                                                   : std::make_pair(0, target.deviceHeight);
    RowsChanged(rows.first, rows.second);
}
