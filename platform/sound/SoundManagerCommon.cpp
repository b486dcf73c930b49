// The sound manager's command machinery: the record pool, the queue, the sound thread's loop and
// the operations of the main thread that only queue commands and wait for them.
#include "platform/sound/SoundManagerCommon.h"

#include "core/Event.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/sound/SoundStreamOpenAL.h"

namespace Corvale
{
SoundManagerCommon* SoundManagerCommon::threadOwner = nullptr;
SoundFocusCheckFunction SoundManagerCommon::focusCheckFunction = nullptr;

namespace
{
void VectorSet(float* vector, float x, float y, float z)
{
   vector[0] = x;
   vector[1] = y;
   vector[2] = z;
}
} // namespace

SoundManagerCommon::SoundManagerCommon()
    : pauseCount(0), musicFileManager(nullptr), objectHeapId(HEAP_DEFAULT), streamHeapId(HEAP_SOUND_THREAD),
      soundDataAllocator(nullptr), soundThread(nullptr), soundCache(HEAP_DEFAULT), queueHead(0),
      queueCount(0), soundThreadRunning(false)
{
   VectorSet(listenerPosition, 0.0f, 0.0f, 0.0f);
   VectorSet(listenerVelocity, 0.0f, 0.0f, 0.0f);
   VectorSet(listenerOrientationAt, 0.0f, 0.0f, -1.0f);
   VectorSet(listenerOrientationUp, 0.0f, 1.0f, 0.0f);
   for (i32 i = 0; i < SOUND_VOLUME_COUNT; i++)
   {
      volumes[i] = 100;
   }
   musicName[0] = 0;
   for (i32 i = 0; i < SOUND_COMMAND_COUNT; i++)
   {
      queue[i] = nullptr;
      records[i] = SoundCommand();
   }
}

SoundManagerCommon::~SoundManagerCommon() = default;

i32 SoundManagerCommon::PauseCountGet()
{
   return pauseCount.load();
}

void SoundManagerCommon::CommandExecute(SoundCommand*)
{
}

void SoundManagerCommon::VoicesUpdate()
{
}

void SoundManagerCommon::StreamsUpdate()
{
}

void SoundManagerCommon::FocusCheckFunctionSet(SoundFocusCheckFunction function)
{
   focusCheckFunction = function;
}

i32 SoundManagerCommon::UsageVolumeGet(i32 usage) const
{
   if (usage < 0 || usage >= SOUND_VOLUME_COUNT)
   {
      return 100;
   }
   return volumes[usage];
}

void SoundManagerCommon::VolumeSet(i32 usage, i32 volume)
{
   SoundCommand* command = CommandGet();
   command->type = SOUND_COMMAND_VOLUME_SET;
   command->usage = usage;
   command->volume = volume;
   CommandQueueAdd(command);
}

bool SoundManagerCommon::SoundThreadRunningCheck()
{
   std::lock_guard<std::mutex> guard(queueLock);
   return soundThreadRunning;
}

void SoundManagerCommon::Init(void*, void*, Allocator* soundDataAllocatorUsed)
{
   soundDataAllocator = soundDataAllocatorUsed;
   VectorSet(listenerPosition, 0.0f, 0.0f, 0.0f);
   VectorSet(listenerVelocity, 0.0f, 0.0f, 0.0f);
   VectorSet(listenerOrientationAt, 0.0f, 0.0f, -1.0f);
   VectorSet(listenerOrientationUp, 0.0f, 1.0f, 0.0f);
   for (i32 i = 0; i < SOUND_VOLUME_COUNT; i++)
   {
      volumes[i] = 100;
   }
   objectHeapId = HEAP_DEFAULT;
   streamHeapId = HEAP_SOUND_THREAD;
   musicSource.volume = 100;
   // Sound started while the window is in the background stays silent until the focus comes.
   bool focused = focusCheckFunction && focusCheckFunction();
   pauseCount = focused ? 0 : 1;
   soundCache.Clear();
   streams.Clear();
   tickerCallbacks.Clear();
   {
      std::lock_guard<std::mutex> guard(queueLock);
      queueHead = 0;
      queueCount = 0;
      soundThreadRunning = true;
   }
   {
      std::lock_guard<std::mutex> guard(poolLock);
      recordsFree.Clear();
      for (i32 i = 0; i < SOUND_COMMAND_COUNT; i++)
      {
         recordsFree.Add(&records[i]);
      }
   }
   threadOwner = this;
   soundThread = MemoryNew<Thread>(objectHeapId, &SoundManagerCommon::SoundThreadEntry);
   if (!soundThread || soundThread->FinishedCheck())
   {
      WarningPrintf("SoundManagerCommon::Init -- unable to start the sound thread\n");
      std::lock_guard<std::mutex> guard(queueLock);
      soundThreadRunning = false;
   }
   else
   {
      soundThread->PrioritySet(1);
   }
   EventRegister("OnOSFocusLose", &SoundManagerCommon::FocusLose);
   EventRegister("OnOSFocusGain", &SoundManagerCommon::FocusGain);
}

void SoundManagerCommon::Deinit()
{
   Event::OwnerEventUnregister("OnOSFocusLose", this);
   Event::OwnerEventUnregister("OnOSFocusGain", this);

   // Every cached sound goes, whatever references are left.
   for (;;)
   {
      ResourceCache<Sound>::EntryMap::Node* node = soundCache.map.First();
      if (node == soundCache.map.End())
      {
         break;
      }
      Sound* sound = soundCache.ResourceRelease(node->value->resource);
      if (sound)
      {
         sound->Deinit();
         MemoryDelete(sound);
      }
   }

   CommandPost(SOUND_COMMAND_STOP_ALL, true);
   SoundCommand* command = CommandGet();
   command->type = SOUND_COMMAND_STREAM_STOP;
   command->streamSource = &musicSource;
   CommandQueueAdd(command);
   CommandQueueWait();
   CommandPost(SOUND_COMMAND_QUIT, false);
   if (soundThread)
   {
      soundThread->Wait();
      MemoryDelete(soundThread);
      soundThread = nullptr;
   }
   {
      std::lock_guard<std::mutex> guard(queueLock);
      queueHead = 0;
      queueCount = 0;
      soundThreadRunning = false;
   }
   {
      std::lock_guard<std::mutex> guard(poolLock);
      recordsFree.Clear();
   }
   soundCache.Clear();
   if (threadOwner == this)
   {
      threadOwner = nullptr;
   }
}

SoundCommand* SoundManagerCommon::CommandGet()
{
   std::unique_lock<std::mutex> guard(poolLock);
   while (recordsFree.count == 0)
   {
      ThreadConditionWait(guard, poolCondition);
   }
   SoundCommand* command = recordsFree.Last();
   recordsFree.count--;
   *command = SoundCommand();
   return command;
}

void SoundManagerCommon::CommandQueueAdd(SoundCommand* command)
{
   if (!command)
   {
      return;
   }
   std::lock_guard<std::mutex> guard(queueLock);
   // A dropped record goes back to the pool, or the pool would shrink for good.
   if (!soundThreadRunning || queueCount >= SOUND_COMMAND_COUNT)
   {
      CommandRelease(command);
      return;
   }
   queue[(queueHead + queueCount) % SOUND_COMMAND_COUNT] = command;
   queueCount++;
   queueCondition.WakeAll();
}

void SoundManagerCommon::CommandQueueWait()
{
   std::unique_lock<std::mutex> guard(queueLock);
   // Records leave the queue only after they ran, and every release wakes the pool's waiters.
   while (queueCount > 0 && soundThreadRunning)
   {
      ThreadConditionWait(guard, poolCondition);
   }
}

void SoundManagerCommon::CommandRelease(SoundCommand* command)
{
   std::lock_guard<std::mutex> guard(poolLock);
   recordsFree.Add(command);
   poolCondition.WakeAll();
}

void SoundManagerCommon::CommandPost(i32 type, bool wait)
{
   SoundCommand* command = CommandGet();
   command->type = type;
   CommandQueueAdd(command);
   if (wait)
   {
      CommandQueueWait();
   }
}

void SoundManagerCommon::Unload(Sound* sound)
{
   if (!sound)
   {
      return;
   }
   CommandQueueWait();
   ResourceCache<Sound>::Iterator iterator;
   if (soundCache.ResourceFind(sound, &iterator) && !soundCache.ResourceRelease(sound))
   {
      // Others still hold it.
      return;
   }
   SoundDestroy(sound);
}

void SoundManagerCommon::SoundDestroy(Sound* sound)
{
   SoundCommand* command = CommandGet();
   command->type = SOUND_COMMAND_SOUND_STOP;
   command->sound = sound;
   CommandQueueAdd(command);
   CommandQueueWait();
   sound->Deinit();
   MemoryDelete(sound);
}

void SoundManagerCommon::FocusLose()
{
   CommandPost(SOUND_COMMAND_PAUSE_ALL, true);
   CommandPost(SOUND_COMMAND_PAUSE_COUNT_RAISE, true);
   CommandPost(SOUND_COMMAND_SYNC_FOCUS_LOSE, true);
}

void SoundManagerCommon::FocusGain()
{
   CommandPost(SOUND_COMMAND_SYNC, true);
   CommandPost(SOUND_COMMAND_RESUME_ALL, false);
   CommandPost(SOUND_COMMAND_PAUSE_COUNT_LOWER, false);
}

EventRegistration* SoundManagerCommon::EventRegister(const char* key, void (SoundManagerCommon::*method)())
{
   return EventMethodRegister(this, key, method);
}

void SoundManagerCommon::SoundThreadEntry(void*)
{
   if (threadOwner)
   {
      threadOwner->SoundThreadRun();
   }
}

void SoundManagerCommon::SoundThreadRun()
{
   SoundCommand* current = nullptr;
   bool running = true;
   for (;;)
   {
      {
         std::unique_lock<std::mutex> guard(queueLock);
         if (current)
         {
            queueHead = (queueHead + 1) % SOUND_COMMAND_COUNT;
            queueCount--;
            CommandRelease(current);
            current = nullptr;
         }
         if (!running)
         {
            // Whatever was queued after Quit never runs: hand the records back and let every
            // waiter of the main thread go.
            soundThreadRunning = false;
            while (queueCount > 0)
            {
               CommandRelease(queue[queueHead]);
               queueHead = (queueHead + 1) % SOUND_COMMAND_COUNT;
               queueCount--;
            }
            poolCondition.WakeAll();
            return;
         }
         if (queueCount == 0)
         {
            ThreadConditionWait(guard, queueCondition);
         }
         else
         {
            current = queue[queueHead];
         }
      }

      StreamsUpdate();
      VoicesUpdate();
      for (i32 i = 0; i < tickerCallbacks.count; i++)
      {
         tickerCallbacks.items[i].function(tickerCallbacks.items[i].argument);
      }

      if (!current)
      {
         continue;
      }
      switch (current->type)
      {
      case SOUND_COMMAND_QUIT:
         running = false;
         break;
      case SOUND_COMMAND_TICKER_CALLBACK_ADD:
         if (current->tickerFunction)
         {
            tickerCallbacks.Add({current->tickerFunction, current->argument});
         }
         break;
      case SOUND_COMMAND_TICKER_CALLBACK_REMOVE:
         while (tickerCallbacks.Remove({current->tickerFunction, current->argument}))
         {
         }
         break;
      default:
         CommandExecute(current);
         break;
      }
   }
}
} // namespace Corvale
