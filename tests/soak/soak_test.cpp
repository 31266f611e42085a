// The dialog under a long lesson, headless: timer ticks with random drags, probes, focus
// changes and typed inputs between them. After a warm-up that meets every kind of input once
// (the largest tracer population among them, the exact physics and walls turned into the flow),
// resident memory stays flat, no picture buffer is made per frame, and the dialog still shows
// the right numbers at the end. The lesson also switches the physics and sets walls above the
// upstream wall's line.
//
// The length is a number of ticks (CORNERFLOW_SOAK_TICKS; 36000 is half an hour of animation
// at 50 ms a tick); the test run by the test command uses a short one. The work is bounded by
// that count; the duration is printed for the record, never asserted.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/constants.h"
#include "model/physics.h"
#include "tests/hostile/dialog_driver.h"
#include "tracers/limits.h"

#if defined(__SANITIZE_ADDRESS__)
// Freed memory waits in a quarantine before it is used again, and the quarantine's memory
// stays resident: a small one lets resident memory settle during the warm-up, so that growth
// after it means memory kept.
extern "C" const char* __asan_default_options()
{
    return "quarantine_size_mb=1:thread_local_quarantine_size_kb=64";
}
#endif

namespace {

long EnvNumber(const char* name, long fallback)
{
    const char* v = std::getenv(name);
    if (!v || !*v)
        return fallback;
    const long n = std::strtol(v, nullptr, 10);
    return n > 0 ? n : fallback;
}

// Resident memory of this process in bytes.
long long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long long pages = 0;
    long long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

double MiB(long long bytes) { return bytes / (1024.0 * 1024.0); }

const char* const kHostileTexts[] = {"",      "0",     "-0",     "1e-300", "-450",
                                     "1e308", "1e999", "-1e999", "abc",    "12abc",
                                     "1,5",   "0x10",  "inf",    "nan",    "  7"};
const ControlId kInputIds[3] = {ControlId::UpstreamSpeed, ControlId::UpstreamTemperature,
                                ControlId::UpstreamPressure};

class Lesson {
public:
    explicit Lesson(uint32_t seed) : rng_(seed) {}

    DialogDriver d{777};
    long events = 0;
    long recomputes = 0;

    // What a student does between two ticks, then the tick.
    void Step()
    {
        const uint32_t r = Next() % 1000;
        if (dragsLeft_ > 0) {
            if (--dragsLeft_ == 0) {
                d.Release(Point());
            } else {
                d.DragTo(Point());
                ++recomputes;
            }
            ++events;
        } else if (r < 600) {
            d.Hover(Point());
            ++events;
        } else if (r < 620) {
            d.Press(Point());
            dragsLeft_ = 3 + static_cast<int>(Next() % 12);
            ++recomputes;
            ++events;
        } else if (r < 625) {
            TypeSomething();
        } else if (r < 628) {
            // Into a field and out again without typing: still a recompute.
            d.dlg->Field(kInputIds[Next() % 3])->setFocus(Qt::TabFocusReason);
            d.FocusPicture();
            ++recomputes;
            ++events;
        } else if (r < 632) {
            d.FocusPicture();
            QTest::keyClick(d.ViewWidget(), (Next() & 1) ? Qt::Key_Left : Qt::Key_Right);
            ++recomputes;
            ++events;
        } else if (r < 636) {
            // The other physics chosen.
            const bool exact = d.Session().PhysicsShown() == Physics::Model;
            d.Session().SetPhysics(exact ? Physics::Exact : Physics::Model);
            ++recomputes;
            ++events;
        } else if (r < 640) {
            // A wall above the upstream wall's line, as only a command sets it: by the body
            // angle or the wall angle, up to pi/3 into the flow.
            if (Next() & 1)
                d.Session().SetBodyAngle(180.0 + static_cast<double>(Next() % 6000) / 100.0);
            else
                d.Session().SetWallAngle(kHalfPi + kPi / 3 * (Next() % 1001) / 1000.0);
            ++recomputes;
            ++events;
        }
        d.Tick();
        if (++ticks_ % 5 == 0)
            d.Show();
    }

    // Every kind of input once, the largest population among them, and every part of the
    // overlay (the flow boundary of a wall turned past the largest turning angle too).
    void MeetEveryInput()
    {
        for (QPointF p : {QPointF(-5e6, 193), QPointF(311, 5e6), QPointF(5e6, 192),
                          QPointF(600, 380), QPointF(-5e6, -5e6)}) {
            d.Press(p);
            d.DragTo(p);
            d.Release(p);
            d.Tick();
            recomputes += 2;
            events += 3;
        }
        for (int field = 0; field < 3; ++field)
            for (const char* t : kHostileTexts) {
                d.TypeAndLeave(kInputIds[field], QString::fromUtf8(t));
                d.Tick();
                d.TypeAndLeave(kInputIds[field], QString::fromUtf8(kStart[field]));
                d.Tick();
                ++recomputes;
                ++events;
            }
        // The exact physics with walls either way round the corner, the shock's too.
        d.Session().SetPhysics(Physics::Exact);
        for (double beta : {135.0, 200.0, 215.0, 240.0, 180.0}) {
            d.Session().SetBodyAngle(beta);
            d.Tick();
            d.Hover(QPointF(500, 150));
            recomputes += 1;
            events += 2;
        }
        d.Session().SetWallAngle(kHalfPi + kPi / 3);
        d.Tick();
        d.Session().SetPhysics(Physics::Model);
        d.Show();
    }

    static constexpr const char* kStart[3] = {"450", "273", "100000"};

private:
    uint32_t Next() { return static_cast<uint32_t>(rng_()); }

    // Mostly inside the picture, sometimes a long way outside it.
    QPointF Point()
    {
        if (Next() % 20 == 0) {
            const double far = 1e6 * (1 + Next() % 5);
            return QPointF((Next() & 1) ? far : -far, (Next() & 1) ? far : -far);
        }
        return QPointF(static_cast<int>(Next() % 700) - 40, static_cast<int>(Next() % 460) - 40);
    }

    void TypeSomething()
    {
        const int field = static_cast<int>(Next() % 3);
        QString text;
        if (Next() % 5 == 0) {
            text = QString::fromUtf8(kHostileTexts[Next() % 15]);
        } else {
            // A sensible number of the teaching range.
            static const int lo[3] = {300, 100, 10000};
            static const int span[3] = {2700, 900, 290000};
            text = QString::number(lo[field] + static_cast<int>(Next() % span[field]));
        }
        if (Next() & 1) {
            d.TypeAndLeave(kInputIds[field], text);
        } else {
            d.Type(kInputIds[field], text);
            d.FocusPicture(); // a click elsewhere ends the typing
        }
        ++recomputes;
        ++events;
    }

    std::mt19937 rng_;
    int dragsLeft_ = 0;
    long ticks_ = 0;
};

TEST(Soak, MemoryAndPictureBuffersStayFlatThroughALesson)
{
    const long ticks = EnvNumber("CORNERFLOW_SOAK_TICKS", 800);
    const long allowedGrowth = EnvNumber("CORNERFLOW_SOAK_MAX_GROWTH_MIB", 8) * 1024 * 1024;

    Lesson lesson(20240501u);
    DialogDriver& d = lesson.d;
    double warmMs = MillisecondsOf([&] {
        lesson.MeetEveryInput();
        for (long i = 0; i < std::max(200L, ticks / 10); ++i)
            lesson.Step();
    });

    const long long residentWarm = ResidentBytes();
    const void* frameBits = d.Session().Frame().bits;
    long long residentMax = residentWarm;
    ASSERT_NE(frameBits, nullptr);

    const double runMs = MillisecondsOf([&] {
        for (long i = 0; i < ticks; ++i) {
            lesson.Step();
            if (i % 250 == 0) {
                residentMax = std::max(residentMax, ResidentBytes());
                EXPECT_EQ(d.Session().Frame().bits, frameBits) << "tick " << i;
                EXPECT_LE(d.Field().tracers.count, kMaxTracers);
                EXPECT_LE(d.Field().probeSteps, kMaxProbeSteps);
            }
        }
    });
    const long long residentEnd = ResidentBytes();
    residentMax = std::max(residentMax, residentEnd);

    std::printf("[ record ] soak: %ld ticks after a warm-up of %.0f ms, %ld events, %ld "
                "recomputes in %.1f s; resident %.1f MiB after the warm-up, %.1f MiB at the end "
                "(growth %+.2f MiB, highest %.1f MiB)\n",
                ticks, warmMs, lesson.events, lesson.recomputes, runMs / 1000.0, MiB(residentWarm),
                MiB(residentEnd), MiB(residentEnd - residentWarm), MiB(residentMax));

    EXPECT_LT(residentEnd - residentWarm, allowedGrowth);
    EXPECT_LT(residentMax - residentWarm, allowedGrowth);
    EXPECT_EQ(d.Session().Frame().bits, frameBits) << "the frame's memory is made once";
    EXPECT_GT(lesson.recomputes, ticks / 20) << "the lesson did drag and type";

    // After all that the dialog still computes: the start-up inputs give the start-up state.
    d.Session().PointerReleased(PointerEvent());
    d.Session().SetPhysics(Physics::Model);
    for (int i = 0; i < 3; ++i)
        d.TypeAndLeave(kInputIds[i], QString::fromUtf8(Lesson::kStart[i]));
    EXPECT_EQ(d.Text(ControlId::UpstreamMach), "1.336");
    EXPECT_EQ(d.Text(ControlId::UpstreamSoundSpeed), "336.9");
    EXPECT_EQ(d.Text(ControlId::CriticalPressure), "124579");
    EXPECT_EQ(d.Field().tracers.count, 5000);
}

} // namespace
