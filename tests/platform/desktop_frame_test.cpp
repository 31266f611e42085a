// The desktop composes its frames with the core's rasteriser and paints only the text with Qt:
// its frame is the core's frame, pixel for pixel, but where the text's own ink lies.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "dialog/flow_session.h"
#include "draw/raster_dc.h"
#include "platform/image_dc.h"
#include "platform/qt_text_painter.h"
#include "tests/support/gui_app.h"
#include "tests/support/session_input.h"
#include "tests/support/start_up.h"

namespace {

// Draws the texts of each composition with the desktop's painter into a white picture of its
// own, one per target the view composes into, and leaves the target itself without text. The
// non-white pixels of the pictures are where the last composition of each target put text.
class InkRecorder : public TextPainter {
public:
    std::unique_ptr<DC> MakeDC(FrameBuffer& target)
    {
        current_ = &inks_[&target];
        current_->Create(target.width, target.height, target.scale);
        return std::make_unique<RasterDC>(target, this);
    }
    void DrawText(const PixelMemory&, int x, int y, const std::string& text,
                  const Font& font) override
    {
        if (current_ && current_->bits)
            qt_.DrawText(current_->Memory(), x, y, text, font);
    }
    // Whether any target's last composition put text's ink at a device pixel.
    bool Inked(size_t index) const
    {
        for (const auto& ink : inks_)
            if (index < ink.second.pixels.size()
                && (ink.second.pixels[index] & 0xFFFFFFu) != 0xFFFFFFu)
                return true;
        return false;
    }

private:
    QtTextPainter qt_;
    std::map<const FrameBuffer*, FrameBuffer> inks_;
    FrameBuffer* current_ = nullptr;
};

} // namespace

TEST(DesktopFrame, IsTheCoresFrameButForTheTextsInk)
{
    EnsureGuiApp();
    for (int scale : {1, 2}) {
        for (const char* v1 : {"450", "2000"}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << ", V1 " << v1);
            FlowSession desktop;
            desktop.SetDrawing(MakeImageDC);
            FlowSession core;
            InkRecorder recorder;
            core.SetDrawing([&recorder](FrameBuffer& b) { return recorder.MakeDC(b); });
            for (FlowSession* s : {&desktop, &core}) {
                s->Open(start::kWidth, start::kHeight, 4242, scale);
                input::Leave(*s, v1, "273", "100000");
                s->SetWallFromPoint(500, 380);
                for (int i = 0; i < 20; ++i)
                    s->StepOnce();
            }
            const FrameBuffer& a = desktop.Frame();
            const FrameBuffer& b = core.Frame();
            ASSERT_EQ(a.pixels.size(), b.pixels.size());
            long differ = 0, differOffInk = 0, ink = 0, red = 0;
            for (size_t i = 0; i < a.pixels.size(); ++i) {
                const bool inked = recorder.Inked(i);
                ink += inked;
                red += (a.pixels[i] & 0xFFFFFFu) == 0xFF0000u;
                if ((a.pixels[i] & 0xFFFFFFu) != (b.pixels[i] & 0xFFFFFFu)) {
                    ++differ;
                    differOffInk += !inked;
                }
            }
            EXPECT_EQ(differOffInk, 0) << "of " << differ << " differing pixels";
            // The labels were drawn, and they are a small part of the picture.
            EXPECT_GT(differ, 100);
            EXPECT_LT(ink, static_cast<long>(a.pixels.size() / 100));
            EXPECT_GT(red, 1000L * scale * scale) << "tracers";
        }
    }
}
