#pragma once
// A device context that draws nothing and records every call, in order, with its arguments,
// so that drawing code can be checked call by call. It exposes no pixel memory: every
// SetPixel arrives as a recorded call.
#include <string>
#include <vector>

#include "draw/dc.h"

struct DrawCall {
    enum Kind {
        SelectPen,
        SelectBrush,
        SelectFont,
        MoveTo,
        LineTo,
        Arc,
        DrawText,
        Ellipse,
        FillRect,
        SetPixel
    };
    Kind kind = SelectPen;
    int a = 0, b = 0, c = 0, d = 0;   // coordinates: x, y (LineTo/MoveTo/DrawText), x, y, radius
                                      // (Arc), l, t, r, b (Ellipse), x, y, w, h (fill)
    float start = 0.0f, sweep = 0.0f; // Arc
    std::string text;                 // DrawText
    Colour colour;                    // SetPixel, FillRect; the pen's or brush's colour
    const void* object = nullptr;     // the descriptor selected
    PenStyle style = PenStyle::Solid; // SelectPen
    int width = 0;                    // SelectPen
};

class RecordingDC : public DC {
public:
    std::vector<DrawCall> calls;

    void SelectPen(const Pen& pen) override
    {
        DrawCall c = Make(DrawCall::SelectPen);
        c.object = &pen;
        c.style = pen.style;
        c.width = pen.width;
        c.colour = pen.colour;
        calls.push_back(c);
    }
    void SelectBrush(const Brush& brush) override
    {
        DrawCall c = Make(DrawCall::SelectBrush);
        c.object = &brush;
        c.colour = brush.colour;
        calls.push_back(c);
    }
    void SelectFont(const Font& font) override
    {
        DrawCall c = Make(DrawCall::SelectFont);
        c.object = &font;
        c.text = font.face;
        c.a = font.height;
        calls.push_back(c);
    }
    void MoveTo(int x, int y) override { Push(DrawCall::MoveTo, x, y); }
    void LineTo(int x, int y) override { Push(DrawCall::LineTo, x, y); }
    void Arc(int x, int y, int radius, float start, float sweep) override
    {
        DrawCall c = Make(DrawCall::Arc, x, y, radius);
        c.start = start;
        c.sweep = sweep;
        calls.push_back(c);
    }
    void DrawText(int x, int y, const std::string& text) override
    {
        DrawCall c = Make(DrawCall::DrawText, x, y);
        c.text = text;
        calls.push_back(c);
    }
    void Ellipse(int l, int t, int r, int b) override { Push(DrawCall::Ellipse, l, t, r, b); }
    void FillRect(int x, int y, int w, int h, Colour colour) override
    {
        DrawCall c = Make(DrawCall::FillRect, x, y, w, h);
        c.colour = colour;
        calls.push_back(c);
    }

    // The calls of one kind, in order.
    std::vector<DrawCall> Of(DrawCall::Kind kind) const
    {
        std::vector<DrawCall> out;
        for (const DrawCall& c : calls)
            if (c.kind == kind)
                out.push_back(c);
        return out;
    }

protected:
    void SetPixelSlow(int x, int y, Colour colour) override
    {
        DrawCall c = Make(DrawCall::SetPixel, x, y);
        c.colour = colour;
        calls.push_back(c);
    }

private:
    static DrawCall Make(DrawCall::Kind kind, int a = 0, int b = 0, int c = 0, int d = 0)
    {
        DrawCall call;
        call.kind = kind;
        call.a = a;
        call.b = b;
        call.c = c;
        call.d = d;
        return call;
    }
    void Push(DrawCall::Kind kind, int a, int b, int c = 0, int d = 0)
    {
        calls.push_back(Make(kind, a, b, c, d));
    }
};
