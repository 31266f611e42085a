#pragma once
// The page's side of the core: one FlowSession with the canvas's text painter, and the frame's
// layers as the canvas wants their pixels (RGBA bytes), converted only where they changed. The
// page reaches it through the bindings (bindings.cpp).
#include <cstdint>
#include <string>
#include <vector>

#include "dialog/flow_session.h"
#include "text_painter.h"
#include "view/flow_view.h"

// The browser's storage for what the user chose (dialog/kept_choices.h): the page's
// Cornerflow.store (the browser's local storage, which a private window may refuse), each key
// under "cornerflow.".
class BrowserStore : public ChoiceStore {
public:
    std::string Read(const std::string& key) const override;
    void Write(const std::string& key, const std::string& text) override;
};

class Page {
public:
    Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // Opens the session once, at the picture's size from the dialog table, with scale device
    // pixels per picture pixel, composing layers for stacked canvases; labels false leaves the
    // angle labels out (no text painter at all). False when it was open.
    bool Open(uint32_t seed, int scale, bool labels);

    FlowSession& Session() { return session_; }
    const FlowSession& Session() const { return session_; }

    // Ticks run since opening, however they were asked for (the session counts them).
    double Ticks() const { return static_cast<double>(session_.Ticks()); }

    // A text typed into an input field, cut to the field's length as the browser counts it.
    void SetInputText(int id, const std::string& text);

    // How often field texts changed and frames were composed: the page reads again only when
    // they moved on.
    unsigned FieldsSerial() const { return fieldsSerial_; }
    unsigned FrameSerial() const { return frameSerial_; }

    // The layers brought into their RGBA copies: below and above only when they were composed
    // again since the last call, the tracers at the pixels that changed, the marker within the
    // rectangle its compositions since the last call touched.
    struct LayerChanges {
        bool staticChanged = false;
        DeviceRect marker; // in the marker layer's device pixels
    };
    LayerChanges PrepareLayers();
    // The RGBA bytes of each layer as PrepareLayers left them (0xAARRGGBB words written as the
    // bytes R, G, B, A): below, above and the marker at the frame's scale, the tracers at the
    // picture's own size.
    std::vector<uint32_t>& Below() { return below_; }
    std::vector<uint32_t>& Above() { return above_; }
    std::vector<uint32_t>& Tracers() { return tracers_; }
    std::vector<uint32_t>& Marker() { return marker_; }
    // Where below and above changed at the last PrepareLayers that changed them: rectangles
    // (x, y, w, h) of device pixels, four numbers each, that hold every pixel that changed.
    std::vector<int32_t>& BelowRects() { return belowRects_; }
    std::vector<int32_t>& AboveRects() { return aboveRects_; }

    // The whole frame composed as the state stands, as opaque RGBA bytes (saving, copying, the
    // tests' comparisons).
    std::vector<uint32_t>& FramePixels();

    // The core's last plot (FlowSession::PlotFrame), opaque RGBA bytes as the core composed
    // them: the page asks after the plot's count moved on, and puts rows [firstRow, endRow) on
    // the canvas, those that changed since the last call (all after a change of size). A drag
    // redraws the curves, while the plot's title and legend stay as they were.
    const std::vector<uint32_t>& PlotPixels(int& firstRow, int& endRow);
    // A copy of the same plot (the tests' comparisons); the rows PlotPixels gives are left as
    // they are.
    std::vector<uint32_t>& PlotComposed();

    // Renders ahead, while the page is idle, at most `most` of the labels a drag may draw
    // (Corner::LabelsNear: at every wall a drag reaches, those of the walls nearest the one
    // standing first), so that the drag finds them rendered: rendering a new label is most of a
    // drag move's cost on a phone. Returns how many are left to look at (0: all are rendered,
    // or the picture has no labels). The list is made again when the flow's inputs, the
    // picture's size or scale or the labels' font changed, or, between drags, when the wall
    // stands 30 degrees from where it was made.
    int RenderLabelsAhead(int most);
    static constexpr double kLabelsAheadReach = kPi;
    // How many texts were rendered on the canvas since the page opened (ahead or when drawn).
    double TextsRendered() const { return static_cast<double>(text_.Renders()); }

private:
    BrowserStore store_;
    FlowSession session_;
    CanvasTextPainter text_;
    unsigned fieldsSerial_ = 0;
    unsigned frameSerial_ = 0;

    unsigned long convertedStatic_ = 0;
    FrameLayers::Runs shownBelow_, shownAbove_; // what the copies hold other than plain pixels
    DeviceRect pendingMarker_; // what the marker's compositions touched since PrepareLayers
    std::vector<size_t> shownTracers_;
    std::vector<uint32_t> below_;
    std::vector<uint32_t> above_;
    std::vector<uint32_t> tracers_;
    std::vector<uint32_t> marker_;
    std::vector<int32_t> belowRects_;
    std::vector<int32_t> aboveRects_;
    std::vector<uint8_t> bandCells_; // AddBands's room
    std::vector<uint32_t> frame_;
    std::vector<uint32_t> plotComposed_;

    // The labels rendered ahead, and what their list was made for.
    struct AheadFor {
        double v1 = 0.0, t1 = 0.0, p1 = 0.0, gamma = 0.0, molarMass = 0.0;
        int width = 0, height = 0, font = 0, scale = 0;
    };
    static_assert(sizeof(AheadFor) == 5 * sizeof(double) + 4 * sizeof(int),
                  "compared byte for byte: no padding");
    bool labels_ = false;
    bool aheadMade_ = false;
    AheadFor aheadFor_;
    double aheadWall_ = 0.0;
    std::vector<std::string> ahead_;
    size_t aheadNext_ = 0;                 // the first not looked at yet
    unsigned long long aheadKeepFrom_ = 0; // the text painter's use at which the list was made
};
