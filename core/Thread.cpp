// The worker-thread wrapper over std::thread, and the two-event condition.
#include "core/Thread.h"

#include <exception>
#include <system_error>

#include "core/Log.h"

namespace Corvale
{
Thread::Thread(EntryFunction entry)
{
   std::lock_guard<std::mutex> guard(lock);
   start.entry = entry;
   start.argument = nullptr;
   start.thread = this;
   finished = 0;
   if (!entry)
   {
      WarningPrintf("Thread::Thread -- no entry function\n");
      finished = 1;
      return;
   }
   try
   {
      handle = std::thread(&Thread::EntryWrapper, this);
      threadId = handle.get_id();
   }
   catch (const std::system_error& error)
   {
      WarningPrintf("Thread::Thread -- unable to start a thread: %s\n", error.what());
      finished = 1;
   }
}

Thread::~Thread()
{
   bool done;
   {
      std::lock_guard<std::mutex> guard(lock);
      done = finished != 0;
   }
   if (!done)
   {
      std::terminate();
   }
   // The function has returned; the thread itself may still be on its way out.
   if (handle.joinable())
   {
      handle.join();
   }
}

bool Thread::FinishedCheck()
{
   std::lock_guard<std::mutex> guard(lock);
   return finished != 0;
}

void Thread::Wait()
{
   if (handle.joinable() && std::this_thread::get_id() != handle.get_id())
   {
      handle.join();
   }
}

bool Thread::PrioritySet(i32 priorityRequested)
{
   priority = priorityRequested;
   // The standard library has no thread priorities; normal priority serves the sound thread well
   // enough on a desktop scheduler.
   return priorityRequested == 0;
}

void Thread::EntryWrapper(Thread* thread)
{
   EntryFunction entry;
   void* argument;
   {
      // The constructor holds the lock until the record is complete.
      std::lock_guard<std::mutex> guard(thread->lock);
      entry = thread->start.entry;
      argument = thread->start.argument;
   }
   entry(argument);
   std::lock_guard<std::mutex> guard(thread->lock);
   thread->finished = 1;
}

void ThreadCondition::WakeOne()
{
   std::lock_guard<std::mutex> guard(lock);
   events[0] = true;
   signal.notify_all();
}

void ThreadCondition::WakeAll()
{
   std::lock_guard<std::mutex> guard(lock);
   if (waiters > 0)
   {
      events[1] = true;
      signal.notify_all();
   }
}
} // namespace Corvale
