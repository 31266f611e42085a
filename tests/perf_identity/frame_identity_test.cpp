// Pixel and number identity of fixed-seed states of the picture.
//
// The expected digests below pin what the picture draws and how the tracers move: a change made
// for speed must leave every frame pixel-identical and every tracer, marker and streamline
// number bit-identical. A change that is meant to alter what is drawn or how the tracers move
// must record new digests, and say why. They were last recorded when composing a frame stopped
// stepping the tracers: only the clock moves them now, so the start-up frame no longer takes a
// step, and every later state is one step behind (and a drag 41 steps fewer) than before. The
// frames were recorded again when the core's one-pixel lines were put on the pixel their sample
// points lie within half a pixel of, and dashed arcs kept their pattern from chord to chord.
// The states after ticks were recorded again when a tick's second step moved to the start of
// the next tick, so that between ticks the tracers stand where the last frame shows them:
// every frame is the same, and every state after a tick is the one its frame shows, one step
// behind the state recorded before.
//
// The frames are composed by the core's own rasteriser with no text painter, so the labels
// (whose pixels depend on the fonts installed) are not drawn: the digests depend only on the
// program's own drawing and arithmetic.
#include <cstdint>
#include <map>
#include <string>

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
        {"start-up", {0x78e3a37e627d277full, 0x362ee95f19dbeeb0ull}},
        {"fifty-ticks", {0xd6502d76fc5b7e51ull, 0xfff73a71ff180fd1ull}},
        {"steady-cloud", {0x7273f66acb4268f7ull, 0x2bc41e4632dc9f00ull}},
        {"past-max-turn", {0x256b5513d967fd75ull, 0xd03491720a1ab68aull}},
        {"narrowest-fan", {0x78abc803f3976e5cull, 0xc2e272a3e11d0ef6ull}},
        {"drag-sweep", {0xb925e29487ea7cf3ull, 0x364e05e6dc41d286ull}},
        {"hundred-thousand", {0x72be286f57618502ull, 0x9567a2961348ca8eull}},
        {"scale-two", {0x471cbed1bb04485aull, 0xc8483657d776d358ull}},
        {"fast-hot", {0x884db4399335cc36ull, 0x25b4cf2ee1d40be0ull}},
        {"slow-cold", {0xc507babfc1fd4f22ull, 0xb0376e0fc66faeb1ull}},
        {"subsonic", {0xeff224752471e876ull, 0x38ba6159b3964593ull}},
    };
    return recorded;
}

TEST(PerfIdentity, EveryStateAsRecorded)
{
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
