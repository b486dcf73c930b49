// Hold-repeat timelines of the press-and-hold tracker.
#include <gtest/gtest.h>

#include <vector>

#include "platform/input/HoldTracker.h"

namespace Corvale
{
namespace
{
struct Notification
{
   u32 time;
   i32 count;
   bool operator==(const Notification& other) const { return time == other.time && count == other.count; }
};

// Steps of `step` ms from 0 while time < heldUntil, then one released step; returns the notifications.
std::vector<Notification> HoldRun(HoldTracker& tracker, u32 step, u32 heldUntil)
{
   std::vector<Notification> seen;
   u32 time = 0;
   for (; time < heldUntil; time += step)
   {
      if (tracker.Step(true, time == 0 ? 0 : step))
      {
         seen.push_back({time, tracker.count});
      }
   }
   EXPECT_FALSE(tracker.Step(false, step));
   EXPECT_EQ(tracker.count, 0);
   return seen;
}
} // namespace

TEST(HoldTracker, DefaultsNotifyAtStartAfterTheDelayAndEveryInterval)
{
   HoldTracker tracker;
   const std::vector<Notification> seen = HoldRun(tracker, 10, 1000);
   ASSERT_EQ(seen.size(), 11u);
   EXPECT_EQ(seen[0], (Notification{0, 1}));
   EXPECT_EQ(seen[1], (Notification{500, 2}));
   EXPECT_EQ(seen[2], (Notification{550, 3}));
   EXPECT_EQ(seen[10], (Notification{950, 11}));
}

TEST(HoldTracker, WithoutFireOnStartTheFirstNotificationWaitsForTheDelay)
{
   HoldTracker tracker;
   tracker.fireOnStart = false;
   const std::vector<Notification> seen = HoldRun(tracker, 10, 1000);
   ASSERT_EQ(seen.size(), 10u);
   EXPECT_EQ(seen.front(), (Notification{500, 1}));
   EXPECT_EQ(seen.back(), (Notification{950, 10}));
}

TEST(HoldTracker, ShortHoldsLongFramesAndRestarts)
{
   HoldTracker tracker;
   // Shorter than a frame: one notification, no repeat.
   EXPECT_TRUE(tracker.Step(true, 16));
   EXPECT_FALSE(tracker.Step(false, 16));

   // Restarting counts from 1 again.
   EXPECT_TRUE(tracker.Step(true, 16));
   EXPECT_EQ(tracker.count, 1);
   // A 700 ms frame gives one notification, and the overshoot is not carried over.
   EXPECT_TRUE(tracker.Step(true, 700));
   EXPECT_EQ(tracker.count, 2);
   EXPECT_FALSE(tracker.Step(true, 49));
   EXPECT_TRUE(tracker.Step(true, 1));
   EXPECT_EQ(tracker.count, 3);
}
} // namespace Corvale
