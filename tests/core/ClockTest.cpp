// Clock: time since Start in milliseconds, across the wrap of the 32-bit system time.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/Clock.h"

using namespace Corvale;

namespace
{
// A clock whose system time the test sets.
class ManualClock : public Clock
{
 public:
   u32 now = 0;

 protected:
   u32 SystemTimeGet() override { return now; }
};
} // namespace

TEST(ClockTest, StartResetsAndTimeCountsAcrossTheWrap)
{
   ManualClock clock;
   clock.now = 0xFFFFFF00u;
   clock.counters[0] = 5;
   EXPECT_EQ(clock.Start(), 0u);
   EXPECT_EQ(clock.running, 1);
   EXPECT_EQ(clock.timeBase, 0xFFFFFF00u);
   EXPECT_EQ(clock.timeStart, 0u);
   EXPECT_EQ(clock.timeLast, 0u);
   EXPECT_EQ(clock.counters[0], 0u);
   clock.now = 0xFFFFFFFFu;
   EXPECT_EQ(clock.TimeGet(), 0xFFu);
   clock.now = 0x00000064u;
   EXPECT_EQ(clock.TimeGet(), 0x164u);
}

TEST(ClockTest, SystemClockAdvancesInMilliseconds)
{
   Clock clock;
   u32 started = clock.Start();
   EXPECT_LE(started, 5u);
   std::this_thread::sleep_for(std::chrono::milliseconds(30));
   u32 elapsed = clock.TimeGet();
   EXPECT_GE(elapsed, 29u);
   EXPECT_LT(elapsed, 5000u);
}
