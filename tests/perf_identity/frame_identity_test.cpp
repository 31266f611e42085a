// Pixel and number identity of fixed-seed states of the picture.
//
// The expected digests below were recorded from the program as it stood before its tick,
// frame and recompute were made faster, and pin that behaviour: a change made for speed must
// leave every frame pixel-identical and every tracer, marker and streamline number
// bit-identical. A change that is meant to alter what is drawn or how the tracers move must
// record new digests, and say why. The frame digests were recorded again when the desktop
// began to draw its one-pixel lines, arcs and ellipses with the core's rasteriser, as the
// browser does, instead of Qt's painter; the state digests did not change.
//
// The test runs without a GUI application, so the labels (whose pixels depend on the fonts
// installed) are not drawn: the digests depend only on the program's own drawing and
// arithmetic. bench/cf_frame_digest prints the digests of the same states with the labels.
#include <cstdint>
#include <map>
#include <string>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "tests/perf_identity/identity_scenarios.h"

namespace {

struct Expected {
    uint64_t frame;
    uint64_t state;
};

const std::map<std::string, Expected>& Recorded()
{
    static const std::map<std::string, Expected> recorded = {
        {"start-up", {0x78e3a37e627d277full, 0x7da4a0030d3a0ae4ull}},
        {"fifty-ticks", {0x95d00df28dbb7de9ull, 0xc501415e8ff44020ull}},
        {"steady-cloud", {0xe11da079f61bed48ull, 0xdb2cf16d570f915cull}},
        {"past-max-turn", {0xd643be65f4a4652aull, 0xa2430e75b867bd14ull}},
        {"narrowest-fan", {0x32f06923f7dd40ecull, 0x42a9b17232ca951aull}},
        {"drag-sweep", {0x027881bb1d731717ull, 0x92d76888b273dfd4ull}},
        {"hundred-thousand", {0xed45f38b32648b4aull, 0x060df8ebde53d9d8ull}},
        {"scale-two", {0xbc65bd352169f8e0ull, 0x48458831cc0da64aull}},
        {"fast-hot", {0x0c8e0aefef67523eull, 0x121e47d4a44eff84ull}},
        {"slow-cold", {0xeec5c46737ef5314ull, 0xdfc2e756c9446d67ull}},
        {"subsonic", {0x77dac0a81f53942eull, 0x1ab4366273fe43b8ull}},
    };
    return recorded;
}

TEST(PerfIdentity, EveryStateAsRecorded)
{
    ASSERT_EQ(QCoreApplication::instance(), nullptr) << "the labels would be drawn";
    for (const identity::Scenario& s : identity::Scenarios()) {
        SCOPED_TRACE(s.name);
        const identity::Outcome o = identity::Run(s);
        const auto it = Recorded().find(s.name);
        ASSERT_NE(it, Recorded().end());
        EXPECT_EQ(o.frame, it->second.frame) << std::hex << o.frame;
        EXPECT_EQ(o.state, it->second.state) << std::hex << o.state;
    }
}

TEST(PerfIdentity, DigestsAreRepeatableAndSeeTheSeed)
{
    const auto list = identity::Scenarios();
    for (const identity::Scenario& s : {list[1], list[3]}) {
        SCOPED_TRACE(s.name);
        const identity::Outcome a = identity::Run(s);
        const identity::Outcome b = identity::Run(s);
        EXPECT_EQ(a.frame, b.frame);
        EXPECT_EQ(a.state, b.state);
        identity::Scenario reseeded = s;
        reseeded.seed = s.seed + 1;
        const identity::Outcome c = identity::Run(reseeded);
        EXPECT_NE(a.frame, c.frame);
        EXPECT_NE(a.state, c.state);
    }
}

} // namespace
