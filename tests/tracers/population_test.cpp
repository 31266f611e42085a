// The growable array, the tracer population, the random respawn and the timer's stepping.
#include <cmath>
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "tests/support/start_up.h"
#include "tests/tracers/flow_fixture.h"
#include "tracers/dyn_array.h"
#include "tracers/flow_field.h"
#include "tracers/limits.h"
#include "tracers/streamline.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// The generator's sequence, written out independently: x = x*214013 + 2531011 (mod 2^32),
// output bits 16..30.
struct Lcg {
    uint32_t state;
    int Next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

struct Field {
    FlowState fs;
    Corner corner;
    FlowField field{fs, corner};
    Field(int w, int h, double p1 = 100000.0)
    {
        SetInputs(fs, 450.0, 273.0, p1);
        PlaceCorner(corner, w, h);
        field.width = w;
        field.height = h;
    }
};

TEST(DynArrayGrowth, DoublingRequestAndShrinking)
{
    struct Case {
        int from, to, capacity;
    } cases[] = {{5000, 5001, 10000},
                 {5000, 7777, 10000},
                 {5000, 10000, 10000},
                 {5000, 10001, 10001},
                 {5000, 25000, 25000},
                 {5000, 3000, 5000},
                 {5000, 5000, 5000},
                 {0, 1, 1},
                 {1, 2, 2},
                 {2, 3, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        DynArray<Tracer> a;
        a.Reserve(c.from);
        ASSERT_EQ(a.capacity, c.from);
        a.count = c.from;
        if (c.from > 0)
            a[c.from - 1].x = 12.5; // a marked element in use
        a.Reserve(c.to);
        EXPECT_EQ(a.capacity, c.to <= c.from ? c.from : c.capacity);
        EXPECT_EQ(a.count, c.from); // reserving never changes the count
        if (c.from > 0) {
            EXPECT_EQ(a[c.from - 1].x, 12.5);
        }
        if (a.capacity > c.from) {
            EXPECT_EQ(a[a.capacity - 1].x, -300.0); // new slots are fresh tracers
        }
    }
    // Without doubling the request is exact; points are zero-filled.
    DynArray<PathPoint> p(false);
    p.Reserve(3);
    p.Reserve(5);
    EXPECT_EQ(p.capacity, 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(p[i].x, 0.0);
        EXPECT_EQ(p[i].y, 0.0);
    }
}

TEST(Population, CountFollowsThePressureWithinBounds)
{
    struct Case {
        double p1;
        int n;
    } cases[] = {
        {100000.0, 5000},    {100019.0, 5000},    {100020.0, 5001}, {19.99, 0},      {20.0, 1},
        {2000000.0, 100000}, {2000020.0, 100000}, {1e12, 100000},   {1e300, 100000}, {-5.0, 0},
        {-1e12, 0},          {kNaN, 0},           {kInf, 0},        {-kInf, 0},      {0.0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.p1);
        EXPECT_EQ(FlowField::PopulationFor(c.p1), c.n);
    }
    EXPECT_EQ(kMaxTracers, 100000);
}

TEST(Population, RestartsEverythingOnlyWhenTheCountChanges)
{
    Field f(start::kWidth, start::kHeight);
    f.field.UpdatePopulation();
    ASSERT_EQ(f.field.tracers.count, 5000);
    EXPECT_EQ(f.field.tracers.capacity, 5000);

    // Sentinels show whether anything was restarted.
    auto mark = [&] {
        f.field.marker.x = 7777.0;
        for (Tracer& t : f.field.tracers)
            t.x = 7777.0;
    };
    auto restartedAll = [&] {
        if (f.field.marker.x == 7777.0)
            return false;
        for (const Tracer& t : f.field.tracers)
            if (t.x == 7777.0)
                return false;
        return true;
    };

    mark();
    f.fs.p1 = 100019.0; // less than 20 Pa more: nothing happens
    f.field.UpdatePopulation();
    EXPECT_EQ(f.field.tracers.count, 5000);
    EXPECT_EQ(f.field.marker.x, 7777.0);
    EXPECT_EQ(f.field.tracers[4999].x, 7777.0);

    f.fs.p1 = 100020.0; // 5001: grows by doubling and restarts all
    f.field.UpdatePopulation();
    EXPECT_EQ(f.field.tracers.count, 5001);
    EXPECT_EQ(f.field.tracers.capacity, 10000);
    EXPECT_TRUE(restartedAll());

    mark();
    f.fs.p1 = 60000.0; // shrinking keeps the storage, restarts the rest and the marker
    f.field.UpdatePopulation();
    EXPECT_EQ(f.field.tracers.count, 3000);
    EXPECT_EQ(f.field.tracers.capacity, 10000);
    EXPECT_TRUE(restartedAll());

    f.fs.p1 = 10.0; // an empty cloud; the marker still restarts
    f.field.marker.x = 7777.0;
    f.field.UpdatePopulation();
    EXPECT_EQ(f.field.tracers.count, 0);
    EXPECT_NE(f.field.marker.x, 7777.0);

    f.fs.p1 = 1e12; // capped
    f.field.UpdatePopulation();
    EXPECT_EQ(f.field.tracers.count, 100000);
    f.fs.p1 = kNaN;
    f.field.UpdatePopulation();
    EXPECT_EQ(f.field.tracers.count, 0);
}

TEST(Respawn, StartRangesAtBothEndsOfTheGenerator)
{
    Field f(600, 300);
    struct Case {
        bool marker;
        int r;
        double speedFactor, x, y;
    } cases[] = {
        {false, 0, 0.9, -300.0, -5.0},
        {false, 32767, 1.1, -500.0, -155.0},
        {true, 0, 0.9, -300.0, -10.0},
        {true, 32767, 1.1, -500.0, -85.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "marker " << c.marker << " r " << c.r);
        Tracer t;
        t.phi = 0.75;
        t.isProbe = true;
        t.exitStepX = 1.25;
        t.exitStepY = -0.5;
        t.vR = t.vPhi = 3.0;
        t.stepY = 2.0;
        t.entryRadius = 50.0;
        f.field.StartTracer(t, c.marker, c.r, c.r, c.r);
        EXPECT_NEAR(t.speed, c.speedFactor * 450.0, 1e-9);
        EXPECT_EQ(t.x, c.x);
        EXPECT_EQ(t.y, c.y);
        EXPECT_DOUBLE_EQ(t.stepX, 0.005 * t.speed);
        EXPECT_EQ(t.stepY, 0.0);
        EXPECT_EQ(t.vR, 0.0);
        EXPECT_EQ(t.vPhi, 0.0);
        EXPECT_EQ(t.entryRadius, -1.0);
        // What a start does not touch:
        EXPECT_EQ(t.phi, 0.75);
        EXPECT_TRUE(t.isProbe);
        EXPECT_EQ(t.exitStepX, 1.25);
        EXPECT_EQ(t.exitStepY, -0.5);
    }
    // With W = 622 every start lies in [-5W/6, -W/2] (x truncated toward zero).
    Field g(start::kWidth, start::kHeight);
    Tracer far, near;
    g.field.StartTracer(near, false, 0, 0, 0);
    g.field.StartTracer(far, false, 0, 0, 32767);
    EXPECT_EQ(near.x, -311.0);
    EXPECT_EQ(far.x, -518.0); // -311 - 207.33
}

TEST(Respawn, IntegerProductsOfHugePicturesDoNotOverflow)
{
    Field f(100000, 100000); // r*W is beyond the int range
    Tracer t;
    f.field.StartTracer(t, false, 0, 32767, 32767);
    EXPECT_EQ(t.x, std::trunc(-50000.0 - 3276700000.0 * 1.0172836491999064e-5)); // -83333.3
    EXPECT_EQ(t.y, std::trunc(-3276700000.0 * 1.5259254737998596e-5 - 5.0));     // -50005
    EXPECT_NEAR(t.x, -83333.0, 1.0);
    EXPECT_NEAR(t.y, -50005.0, 1.0);
}

TEST(Respawn, DrawsSpeedHeightAndDistanceInThatOrder)
{
    Field f(start::kWidth, start::kHeight);
    f.field.UpdatePopulation(); // gives tracers to restart
    for (uint32_t seed : {1u, 12345u, 4000000000u}) {
        SCOPED_TRACE(seed);
        f.field.random.Seed(seed);
        Lcg lcg{seed};
        for (int index : {-1, 0, 4999}) {
            const int r1 = lcg.Next(), r2 = lcg.Next(), r3 = lcg.Next();
            f.field.RespawnTracer(index);
            const Tracer& t = index < 0 ? f.field.marker : f.field.tracers[index];
            EXPECT_DOUBLE_EQ(t.speed, (r1 * 6.1037018951994385e-6 + 0.9) * 450.0);
            const double expectedY = index < 0
                                         ? std::trunc(-(r2 * 384.0) * 7.629627368999298e-6 - 10.0)
                                         : std::trunc(-(r2 * 384.0) * 1.5259254737998596e-5 - 5.0);
            EXPECT_EQ(t.y, expectedY);
            EXPECT_EQ(t.x, std::trunc(-311.0 - (r3 * 622.0) * 1.0172836491999064e-5));
        }
    }
    // An index outside the array restarts nothing and draws nothing.
    f.field.random.Seed(9);
    f.field.RespawnTracer(5000);
    f.field.RespawnTracer(-2);
    Lcg lcg{9};
    EXPECT_EQ(f.field.random.Next(), lcg.Next());
}

TEST(StepTracers, StepsEveryTracerAndRestartsThoseThatLeft)
{
    Field f(start::kWidth, start::kHeight, 1000.0); // 50 tracers
    f.field.UpdatePopulation();
    f.corner.ComputeFanGeometry(f.fs);
    ASSERT_EQ(f.field.tracers.count, 50);
    f.field.tracers[0].x = 700.0; // beyond the right limit after any step
    f.field.tracers[1].x = -400.0;
    f.field.tracers[1].y = -100.0;
    f.field.marker.x = 10.0;
    f.field.marker.y = 500.0; // below the bottom limit
    const double step1 = f.field.tracers[1].stepX;
    f.field.StepTracers();
    EXPECT_LE(f.field.tracers[0].x, -311.0); // restarted at the left
    EXPECT_DOUBLE_EQ(f.field.tracers[1].x, -400.0 + step1);
    EXPECT_LT(f.field.marker.y, 0.0);
    EXPECT_GE(f.field.marker.y, -(384 / 4) - 10);
}

} // namespace
