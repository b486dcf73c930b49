// The worker-thread wrapper (it tells its owner when the thread function has returned) and a
// condition made of a wake-one and a wake-all event, on which a thread sleeps while it gives up
// its caller's lock.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "core/Types.h"

namespace Corvale
{
class Thread
{
 public:
   typedef void (*EntryFunction)(void* argument);

   struct StartRecord
   {
      EntryFunction entry = nullptr;
      void* argument = nullptr;
      Thread* thread = nullptr;
   };

   // Not joinable when the thread could not be started.
   std::thread handle;
   std::mutex lock;
   // Set when the entry function has returned, or at once when the thread could not start.
   u8 finished = 0;
   std::thread::id threadId;
   StartRecord start;
   i32 priority = 0;

   explicit Thread(EntryFunction entry);
   Thread(const Thread&) = delete;
   Thread& operator=(const Thread&) = delete;
   // Ends the program when the thread function has not returned: owners stop it and Wait first.
   ~Thread();

   bool FinishedCheck();
   // Blocks until the thread function has returned.
   void Wait();
   // 1 asks for above-normal priority. Best effort: the request is recorded, and false says that
   // it could not be applied.
   bool PrioritySet(i32 priorityRequested);

 private:
   static void EntryWrapper(Thread* thread);
};

// Event [0] wakes one waiter and resets itself; event [1] wakes every waiter and is reset by the
// last one to leave.
class ThreadCondition
{
 public:
   std::mutex lock;
   std::condition_variable signal;
   bool events[2] = {false, false};
   i32 waiters = 0;

   void WakeOne();
   // Only when someone waits, so that a later waiter does not pass straight through.
   void WakeAll();
};

// Leaves the caller's held lock, sleeps until the condition is signalled and takes the lock again
// before returning. Callers loop on their own state around it.
template <class Lockable> void ThreadConditionWait(Lockable& held, ThreadCondition& condition)
{
   {
      std::lock_guard<std::mutex> guard(condition.lock);
      condition.waiters++;
   }
   held.unlock();
   {
      std::unique_lock<std::mutex> guard(condition.lock);
      condition.signal.wait(guard, [&condition] { return condition.events[0] || condition.events[1]; });
      // Like waiting on both events at once: the wake-one event wins when both are set.
      bool byAll = !condition.events[0];
      condition.events[0] = false;
      condition.waiters--;
      if (byAll && condition.waiters == 0)
      {
         condition.events[1] = false;
      }
   }
   held.lock();
}
} // namespace Corvale
