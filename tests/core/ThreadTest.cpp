// Thread: start, finish and wait; the two-event condition: wake one, wake all, no lost wake-ups.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <vector>

#include "core/Thread.h"

using namespace Corvale;

namespace
{
// Shared state of a small producer/consumer queue guarded like the sound queue.
struct Queue
{
   std::mutex lock;
   ThreadCondition condition;
   i32 items = 0;
   i32 taken = 0;
   bool running = true;
};

Queue* queue = nullptr;
std::atomic<i32> entered{0};

void Consumer(void*)
{
   entered++;
   std::unique_lock<std::mutex> guard(queue->lock);
   for (;;)
   {
      while (queue->running && queue->items == 0)
      {
         ThreadConditionWait(guard, queue->condition);
      }
      if (queue->items > 0)
      {
         queue->items--;
         queue->taken++;
         continue;
      }
      break;
   }
}

void Quick(void*)
{
   entered++;
}
} // namespace

TEST(ThreadTest, RunsTheEntryAndReportsItsEnd)
{
   entered = 0;
   Thread* thread = new Thread(&Quick);
   thread->Wait();
   EXPECT_TRUE(thread->FinishedCheck());
   EXPECT_EQ(entered.load(), 1);
   EXPECT_FALSE(thread->PrioritySet(1));
   EXPECT_EQ(thread->priority, 1);
   delete thread;

   // Without an entry the thread never starts and counts as finished, so nobody waits on it.
   Thread none(nullptr);
   EXPECT_TRUE(none.FinishedCheck());
   EXPECT_FALSE(none.handle.joinable());
   none.Wait();
}

TEST(ThreadTest, WorkersSleepUntilWokenAndAllLeaveOnWakeAll)
{
   Queue shared;
   queue = &shared;
   entered = 0;
   std::vector<Thread*> workers;
   for (i32 i = 0; i < 3; i++)
   {
      workers.push_back(new Thread(&Consumer));
   }
   for (i32 round = 0; round < 200; round++)
   {
      std::lock_guard<std::mutex> guard(shared.lock);
      shared.items++;
      shared.condition.WakeOne();
   }
   // Wait until everything produced was consumed, then stop everyone at once.
   for (i32 spin = 0; spin < 5000; spin++)
   {
      {
         std::lock_guard<std::mutex> guard(shared.lock);
         if (shared.taken == 200)
         {
            break;
         }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
   }
   {
      std::lock_guard<std::mutex> guard(shared.lock);
      EXPECT_EQ(shared.taken, 200);
      shared.running = false;
   }
   // Workers may still be on their way into the wait: wake-all is repeated until all are out.
   for (Thread* worker : workers)
   {
      while (!worker->FinishedCheck())
      {
         shared.condition.WakeAll();
         std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      worker->Wait();
      delete worker;
   }
   EXPECT_EQ(entered.load(), 3);
   std::lock_guard<std::mutex> guard(shared.condition.lock);
   EXPECT_EQ(shared.condition.waiters, 0);
   EXPECT_FALSE(shared.condition.events[1]);
}

TEST(ThreadTest, WakeOneBeforeTheWaitIsNotLost)
{
   ThreadCondition condition;
   std::mutex lock;
   condition.WakeOne();
   std::unique_lock<std::mutex> guard(lock);
   ThreadConditionWait(guard, condition);
   EXPECT_TRUE(guard.owns_lock());
   EXPECT_FALSE(condition.events[0]);
   // Wake-all with nobody waiting sets nothing.
   condition.WakeAll();
   EXPECT_FALSE(condition.events[1]);
}

TEST(ThreadDeathTest, DestroyingARunningThreadEndsTheProgram)
{
   GTEST_FLAG_SET(death_test_style, "threadsafe");
   EXPECT_DEATH(
       {
          static std::mutex block;
          block.lock();
          Thread running([](void*) { std::lock_guard<std::mutex> wait(block); });
       },
       "");
}
