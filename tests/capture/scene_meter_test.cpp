// The scene meter: sums what happens inside its spans, reads the allocation counter only when
// a counting build installed one.
#include "capture/scene_meter.h"

#include <gtest/gtest.h>

#include "platform/allocation_count.h"

namespace {

int64_t g_count = 0;
int64_t fakeCounter() { return g_count; }

// Installs the fake counter for one test; the test program itself counts nothing.
struct FakeCounter {
    FakeCounter() {
        g_count = 100;
        platform::allocationCounter = fakeCounter;
    }
    ~FakeCounter() { platform::allocationCounter = nullptr; }
};

}  // namespace

TEST(SceneMeter, SumsAllocationsInsideItsSpansOnly) {
    FakeCounter counter;
    EXPECT_TRUE(SceneMeter::countsAllocations());
    SceneMeter meter;
    {
        SceneMeter::Span update(&meter);
        g_count += 3;
    }
    g_count += 50;  // between the spans: the sequencer's own work
    {
        SceneMeter::Span render(&meter);
        g_count += 4;
    }
    EXPECT_EQ(meter.allocations, 7);
    EXPECT_GE(meter.wallSeconds, 0.0);
    EXPECT_GE(meter.cpuSeconds, 0.0);

    meter.reset();
    EXPECT_EQ(meter.allocations, 0);
    EXPECT_EQ(meter.wallSeconds, 0.0);
    EXPECT_EQ(meter.cpuSeconds, 0.0);
}

TEST(SceneMeter, WithoutACountingBuildAllocationsStayZero) {
    ASSERT_EQ(platform::allocationCounter, nullptr);
    EXPECT_FALSE(SceneMeter::countsAllocations());
    EXPECT_EQ(platform::threadAllocations(), -1);
    SceneMeter meter;
    { SceneMeter::Span span(&meter); }
    EXPECT_EQ(meter.allocations, 0);
}
