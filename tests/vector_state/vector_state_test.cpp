// The core's hot work runs with the upper halves of the AVX registers unused, after the desktop
// shell has started and painted, which can leave them in use (base/vector_state.h).
//
// Nothing is timed: the CPU reports the state itself. XGETBV with ECX = 1 returns which parts
// of the register state are in use (XINUSE); its bit 2 is the upper halves of the AVX
// registers. This program supplies its own atan, sin, cos, sincos, tan, pow and exp, which
// read that bit before they call the maths library's, so a test sees the state at every maths
// call of the core's code while it watches. Before each piece of work the test puts the state
// in use itself (and checks that it is), as Qt may or may not have done on this CPU.
#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QMouseEvent>

#include "app/flow_dialog.h"
#include "base/vector_state.h"
#include "corner/corner.h"
#include "draw/raster_dc.h"
#include "model/classify.h"
#include "model/flow_state.h"
#include "model/probe.h"
#include "platform/image_dc.h"

#if defined(__x86_64__) && defined(__GNUC__) && defined(__linux__)
#define CF_CAN_WATCH_VECTOR_STATE 1
#include <cpuid.h>
#include <dlfcn.h>
#else
// Elsewhere (other CPUs, other systems) the program has no test: the helper does nothing there.
#define CF_CAN_WATCH_VECTOR_STATE 0
#endif

namespace {

#if CF_CAN_WATCH_VECTOR_STATE

// CPUID: AVX, its state enabled by the system, and XGETBV with ECX = 1 (leaf 0xD, sub-leaf 1,
// EAX bit 2).
bool CpuReportsStateInUse()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid_max(0, nullptr) < 0xD || !__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return false;
    if ((ecx & (1u << 27)) == 0 || (ecx & (1u << 28)) == 0)
        return false;
    unsigned lo = 0, hi = 0;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(0));
    if ((lo & 6u) != 6u)
        return false;
    __cpuid_count(0xD, 1, eax, ebx, ecx, edx);
    return (eax & 4u) != 0;
}

// Bit 2 of XINUSE: the upper halves of the AVX registers are in use.
inline bool UpperStateInUse()
{
    unsigned lo = 0, hi = 0;
    __asm__ volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
    return (lo & 4u) != 0;
}

// Writes a value that is not zero into the upper half of ymm15, as AVX code outside the core
// leaves it (a zero would leave the state unused).
void PutUpperStateInUse()
{
    static const double kOne = 1.0;
    __asm__ volatile("vbroadcastsd %0, %%ymm15" : : "m"(kOne) : "xmm15");
}

// What the maths calls of this thread saw while it watches.
thread_local bool tWatching = false;
long gCalls = 0;
long gCallsInUse = 0;

inline void Note(bool inUse)
{
    if (tWatching) {
        ++gCalls;
        gCallsInUse += inUse ? 1 : 0;
    }
}

// The maths library's own functions, found before any test runs: a look-up during a watch
// would run code of the loader, which may change the state.
template <typename F> F Next(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
using Fn1 = double (*)(double);
using Fn2 = double (*)(double, double);
using FnSinCos = void (*)(double, double*, double*);
const Fn1 realAtan = Next<Fn1>("atan");
const Fn1 realSin = Next<Fn1>("sin");
const Fn1 realCos = Next<Fn1>("cos");
const Fn1 realTan = Next<Fn1>("tan");
const Fn1 realExp = Next<Fn1>("exp");
const Fn2 realPow = Next<Fn2>("pow");
const FnSinCos realSinCos = Next<FnSinCos>("sincos");

// How many maths calls run() made, and how many of them with the upper state in use; the state
// is put in use first, and whether that held is reported too.
struct Watched {
    bool inUseBefore = false;
    long calls = 0;
    long callsInUse = 0;
};

template <typename Work> Watched WatchAfterPuttingInUse(Work&& run)
{
    Watched w;
    gCalls = gCallsInUse = 0;
    PutUpperStateInUse();
    w.inUseBefore = UpperStateInUse();
    tWatching = true;
    run();
    tWatching = false;
    w.calls = gCalls;
    w.callsInUse = gCallsInUse;
    return w;
}

class VectorStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(realAtan && realSin && realCos && realTan && realExp && realPow && realSinCos);
        if (!CpuReportsStateInUse())
            GTEST_SKIP() << "this CPU does not report which register state is in use (XINUSE)";
        // The shell started and painted, as the desktop runs it: the dialog shown, a hundred
        // ticks so that the cloud reaches the fan, and the picture and the dialog painted.
        dlg = std::make_unique<FlowDialog>();
        dlg->SetSeed(20240611u);
        dlg->show();
        dlg->ViewWindow().Timer().stop();
        QApplication::processEvents();
        for (int i = 0; i < 100; ++i)
            dlg->Session().StepOnce();
        QApplication::processEvents();
        ASSERT_FALSE(dlg->grab().isNull());
    }
    void TearDown() override { dlg.reset(); }

    std::unique_ptr<FlowDialog> dlg;
};

TEST_F(VectorStateTest, ClearingLeavesTheUpperStateUnused)
{
    PutUpperStateInUse();
    ASSERT_TRUE(UpperStateInUse());
    ClearUpperVectorState();
    EXPECT_FALSE(UpperStateInUse());
}

// The tick's stepping, the frame's tracer loop, a drag's recompute and the probe read-out: each
// starts with the state in use, and none of their maths calls runs with it.
TEST_F(VectorStateTest, TheCoresHotWorkRunsWithTheUpperStateUnused)
{
    FlowSession& session = dlg->Session();
    const FlowState& fs = session.State();
    auto expectUnused = [](const Watched& w) {
        ASSERT_TRUE(w.inUseBefore) << "the state was not in use before the work";
        EXPECT_GT(w.calls, 0) << "no maths call was seen";
        EXPECT_EQ(w.callsInUse, 0) << "of " << w.calls << " maths calls";
    };

    {
        SCOPED_TRACE("a tick: its stepping, its frame and the step after it");
        expectUnused(WatchAfterPuttingInUse([&] { session.StepOnce(); }));
    }
    {
        // A device context whose start and whose text leave the state in use, as Qt's painter
        // may: the frame's layers and the marker are drawn after it.
        SCOPED_TRACE("the frame");
        struct DirtyText : TextPainter {
            void DrawText(const PixelMemory&, int, int, const std::string&, const Font&) override
            {
                PutUpperStateInUse();
            }
        };
        static DirtyText text;
        session.SetDrawing([](FrameBuffer& target) -> std::unique_ptr<DC> {
            auto dc = std::make_unique<RasterDC>(target, &text);
            PutUpperStateInUse();
            return dc;
        });
        session.KeyPressed(KeyEvent{Key::Right}); // the labels change: every layer is drawn
        expectUnused(WatchAfterPuttingInUse([&] { session.ComposeFrame(); }));
        session.SetDrawing(MakeImageDC);
    }
    {
        // A drag through the shell turns the wall and recomputes; the picture is painted; then
        // the next move's recompute is watched.
        SCOPED_TRACE("a drag's recompute");
        QWidget* picture = &dlg->ViewWindow();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(420, 300),
                          QPointF(picture->mapToGlobal(QPoint(420, 300))), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &press);
        QApplication::processEvents();
        ASSERT_FALSE(picture->grab().isNull());
        PointerEvent move;
        move.x = 430;
        move.y = 296;
        expectUnused(WatchAfterPuttingInUse([&] { session.PointerMoved(move); }));
        EXPECT_GT(session.Field().probeSteps, 0);
    }
    {
        SCOPED_TRACE("the probe read-out");
        const double phi = 0.5 * (fs.machAngle + fs.fanEndAngle);
        ProbeValues v;
        expectUnused(WatchAfterPuttingInUse([&] { v = ProbeReadout(fs, RegionFan, phi); }));
        EXPECT_LT(v.P, fs.p1); // read inside the fan, past the first characteristic
    }
}

#endif

} // namespace

#if CF_CAN_WATCH_VECTOR_STATE
// This program's maths functions: each reads the state first, then calls the library's.
extern "C" {
double atan(double x) noexcept
{
    const bool inUse = UpperStateInUse();
    Note(inUse);
    return realAtan(x);
}
double sin(double x) noexcept
{
    const bool inUse = UpperStateInUse();
    Note(inUse);
    return realSin(x);
}
double cos(double x) noexcept
{
    const bool inUse = UpperStateInUse();
    Note(inUse);
    return realCos(x);
}
double tan(double x) noexcept
{
    const bool inUse = UpperStateInUse();
    Note(inUse);
    return realTan(x);
}
double exp(double x) noexcept
{
    const bool inUse = UpperStateInUse();
    Note(inUse);
    return realExp(x);
}
double pow(double x, double y) noexcept
{
    const bool inUse = UpperStateInUse();
    Note(inUse);
    return realPow(x, y);
}
void sincos(double x, double* s, double* c) noexcept
{
    const bool inUse = UpperStateInUse();
    Note(inUse);
    realSinCos(x, s, c);
}
}
#endif
