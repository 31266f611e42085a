// The core's own rasteriser (what the browser draws with) against the desktop's painter: the
// same frame from the same state, up to the painter's way of placing one-pixel lines and the
// text, which the core leaves to a shell.
#include <gtest/gtest.h>

#include "dialog/flow_session.h"
#include "platform/image_dc.h"
#include "tests/support/gui_app.h"
#include "tests/support/session_input.h"

TEST(RasterAgreement, TheCoreDrawsTheDesktopsPicture)
{
    EnsureGuiApp();
    for (const char* v1 : {"450", "2000"}) {
        FlowSession desktop;
        desktop.SetDrawing(MakeImageDC);
        FlowSession core; // RasterDC, no text
        for (FlowSession* s : {&desktop, &core}) {
            s->Open(622, 384, 4242);
            input::Leave(*s, v1, "273", "100000");
            s->SetWallFromPoint(500, 380);
            for (int i = 0; i < 20; ++i)
                s->StepOnce();
        }
        const FrameBuffer& a = desktop.Frame();
        const FrameBuffer& b = core.Frame();
        ASSERT_EQ(a.pixels.size(), b.pixels.size());
        long same = 0, redA = 0, redBoth = 0;
        for (size_t i = 0; i < a.pixels.size(); ++i) {
            const uint32_t pa = a.pixels[i] & 0xFFFFFFu, pb = b.pixels[i] & 0xFFFFFFu;
            same += pa == pb;
            redA += pa == 0xFF0000u;
            redBoth += pa == 0xFF0000u && pb == 0xFF0000u;
        }
        // Every tracer pixel where the desktop has it, but for the odd one on the rim of the
        // marker, whose outline the two draw a pixel apart; all but the text and a few line
        // pixels alike.
        EXPECT_GE(redBoth, redA - 4) << v1;
        EXPECT_GT(redA, 1000) << v1;
        EXPECT_GT(same, static_cast<long>(a.pixels.size() * 0.98)) << v1 << ": " << same;
    }
}
