#pragma once
// A flow at the start-up state (V1 450, T1 273, P1 100000) round a corner placed as the view
// places it in a picture of the given size.
#include <string>
#include <vector>

#include "corner/corner.h"
#include "draw/dc.h"
#include "model/flow_state.h"
#include "tests/support/start_up.h"
#include "tracers/flow_field.h"

inline void PlaceCorner(Corner& corner, int w, int h, double wallAngle = start::kWall)
{
    corner.left = 0;
    corner.top = h / 2;
    corner.width = w;
    corner.height = h;
    corner.wallAngle = wallAngle;
}

inline void SetInputs(FlowState& fs, double v1, double t1, double p1)
{
    fs.v1 = v1;
    fs.t1 = t1;
    fs.p1 = p1;
    ComputeUpstreamState(fs);
}

struct StartUpFlow {
    FlowState fs;
    Corner corner;
    explicit StartUpFlow(int w = start::kWidth, int h = start::kHeight)
    {
        SetInputs(fs, 450.0, 273.0, 100000.0);
        PlaceCorner(corner, w, h);
        corner.ComputeFanGeometry(fs);
    }
};

// Records what is drawn; exposes no pixel memory, so every pixel reaches SetPixelSlow.
class RecordingDC : public DC {
public:
    struct Pixel {
        int x, y;
        Colour colour;
    };
    struct Box {
        int left, top, right, bottom;
    };
    struct Segment {
        int x0, y0, x1, y1;
    };
    std::vector<Pixel> pixels;
    std::vector<Box> ellipses;
    std::vector<Segment> lines;
    std::vector<const Pen*> pens;
    std::vector<const Brush*> brushes;

    void SelectPen(const Pen& pen) override { pens.push_back(&pen); }
    void SelectBrush(const Brush& brush) override { brushes.push_back(&brush); }
    void SelectFont(const Font&) override {}
    void MoveTo(int x, int y) override
    {
        cx_ = x;
        cy_ = y;
    }
    void LineTo(int x, int y) override
    {
        lines.push_back({cx_, cy_, x, y});
        cx_ = x;
        cy_ = y;
    }
    void Arc(int, int, int, float, float) override {}
    void DrawText(int, int, const std::string&) override {}
    void Ellipse(int l, int t, int r, int b) override { ellipses.push_back({l, t, r, b}); }
    void FillRect(int, int, int, int, Colour) override {}

protected:
    void SetPixelSlow(int x, int y, Colour colour) override { pixels.push_back({x, y, colour}); }

private:
    int cx_ = 0, cy_ = 0;
};
