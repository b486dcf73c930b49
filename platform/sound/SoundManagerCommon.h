// The platform-neutral half of the sound manager: the command records, their pool and queue, the
// sound thread that executes them, volumes by usage, focus pausing and the sound cache.
#pragma once

#include <atomic>
#include <mutex>

#include "core/ResourceCache.h"
#include "core/Thread.h"
#include "core/TableFixed.h"
#include "core/Types.h"
#include "platform/sound/Sound.h"
#include "platform/sound/SoundStreamSource.h"

namespace Corvale
{
class Allocator;
class FileManager;
class SoundSourceOpenAL;
class SoundStreamOpenAL;
class EventRegistration;

constexpr i32 SOUND_COMMAND_COUNT = 256;
constexpr i32 SOUND_STREAM_COUNT = 64;
constexpr i32 SOUND_TICKER_CALLBACK_COUNT = 64;
constexpr i32 SOUND_VOLUME_COUNT = 6;
constexpr u32 SOUND_NAME_SIZE = 261;

enum SoundCommandType : i32
{
   SOUND_COMMAND_QUIT = 0,
   SOUND_COMMAND_STOP_ALL = 1,
   SOUND_COMMAND_PAUSE_ALL = 2,
   SOUND_COMMAND_RESUME_ALL = 3,
   SOUND_COMMAND_PAUSE_COUNT_RAISE = 4,
   SOUND_COMMAND_PAUSE_COUNT_LOWER = 5,
   SOUND_COMMAND_ONE_SHOTS_STOP = 6,
   SOUND_COMMAND_BUFFER_CREATE = 7,
   SOUND_COMMAND_BUFFER_DELETE = 8,
   SOUND_COMMAND_PLAY = 9,
   SOUND_COMMAND_SOUND_STOP = 10,
   SOUND_COMMAND_VOICE_STOP = 11,
   SOUND_COMMAND_VOICE_PAUSE = 12,
   SOUND_COMMAND_VOICE_RESUME = 13,
   SOUND_COMMAND_VOICE_POSITION_SET = 14,
   SOUND_COMMAND_VOICE_VELOCITY_SET = 15,
   SOUND_COMMAND_VOICE_VOLUME_SET = 16,
   SOUND_COMMAND_LISTENER_POSITION_SET = 17,
   SOUND_COMMAND_LISTENER_VELOCITY_SET = 18,
   SOUND_COMMAND_LISTENER_ORIENTATION_SET = 19,
   SOUND_COMMAND_STREAM_PLAY = 20,
   SOUND_COMMAND_STREAM_STOP = 21,
   SOUND_COMMAND_STREAM_PAUSE = 22,
   SOUND_COMMAND_STREAM_RESUME = 23,
   SOUND_COMMAND_STREAM_VELOCITY_SET = 24,
   SOUND_COMMAND_STREAM_POSITION_SET = 25,
   SOUND_COMMAND_STREAM_VOLUME_SET = 26,
   SOUND_COMMAND_STREAM_POSITION_GET = 27,
   SOUND_COMMAND_NONE = 28,
   SOUND_COMMAND_VOLUME_SET = 29,
   SOUND_COMMAND_SYNC = 30,
   SOUND_COMMAND_SYNC_FOCUS_LOSE = 31,
   SOUND_COMMAND_TICKER_CALLBACK_ADD = 32,
   SOUND_COMMAND_TICKER_CALLBACK_REMOVE = 33
};

typedef void (*SoundTickerFunction)(void* argument);
// Answers whether the application window has the focus.
typedef bool (*SoundFocusCheckFunction)();

// One request from the main thread to the sound thread. Records come from the manager's pool
// (CommandGet) and go back to it once executed.
struct SoundCommand
{
   i32 type;
   i32 loop;
   i32 usage;
   i32 volume;
   Sound* sound;
   SoundSourceOpenAL* source;
   SoundStreamSource* streamSource;
   FileManager* fileManager;
   float position[3];
   float velocity[3];
   float orientationAt[3];
   float orientationUp[3];
   // BufferCreate: the PCM data.
   const void* data;
   // TickerCallbackAdd and TickerCallbackRemove: the callback and its argument.
   SoundTickerFunction tickerFunction;
   void* argument;
   u8* resultFlag;
   u32* resultValue;
   char streamName[SOUND_NAME_SIZE];
};

class SoundManagerCommon
{
 public:
   struct TickerCallback
   {
      SoundTickerFunction function;
      void* argument;
      bool operator==(const TickerCallback& other) const
      {
         return function == other.function && argument == other.argument;
      }
   };

   SoundManagerCommon();
   virtual ~SoundManagerCommon();

   virtual i32 PauseCountGet();
   // Sound thread: every command but Quit and the ticker callbacks.
   virtual void CommandExecute(SoundCommand* command);
   // Sound thread: releases the voices that have stopped.
   virtual void VoicesUpdate();
   // Sound thread: feeds the streams and deletes the finished ones.
   virtual void StreamsUpdate();

   // The first two arguments are not used.
   void Init(void* unused0, void* unused1, Allocator* soundDataAllocatorUsed);
   void Deinit();

   // Takes a record from the pool, waiting while none is free; the record comes back cleared.
   SoundCommand* CommandGet();
   // Queues the record; a full queue, or a sound thread that has ended, returns it to the pool.
   void CommandQueueAdd(SoundCommand* command);
   // Waits until every queued command has run, or the sound thread has ended.
   void CommandQueueWait();
   void CommandRelease(SoundCommand* command);

   // Drops one reference of a sound; the last one stops it, deinitialises it and deletes it.
   void Unload(Sound* sound);

   void FocusLose();
   void FocusGain();
   EventRegistration* EventRegister(const char* key, void (SoundManagerCommon::*method)());

   // Where Init learns whether the window has the focus; without one it counts as unfocused.
   static void FocusCheckFunctionSet(SoundFocusCheckFunction function);

   // The percentage of a usage; 100 for a usage outside the table.
   i32 UsageVolumeGet(i32 usage) const;
   // Main thread: queues a usage's percentage; the sound thread stores it and applies it to
   // everything playing. Does not wait.
   void VolumeSet(i32 usage, i32 volume);
   bool SoundThreadRunningCheck();

   std::atomic<i32> pauseCount;
   float listenerPosition[3];
   float listenerVelocity[3];
   float listenerOrientationAt[3];
   float listenerOrientationUp[3];
   i32 volumes[SOUND_VOLUME_COUNT];
   SoundStreamSource musicSource;
   char musicName[SOUND_NAME_SIZE];
   FileManager* musicFileManager;
   i32 objectHeapId;
   i32 streamHeapId;
   Allocator* soundDataAllocator;
   Thread* soundThread;
   ResourceCache<Sound> soundCache;

   // The queue: a ring of record pointers; the record at its head stays queued while it runs.
   SoundCommand* queue[SOUND_COMMAND_COUNT];
   i32 queueHead;
   i32 queueCount;
   std::mutex queueLock;
   ThreadCondition queueCondition;
   // False until Init starts the sound thread and once it has ended; guarded by queueLock.
   bool soundThreadRunning;

   SoundCommand records[SOUND_COMMAND_COUNT];
   TableFixed<SoundCommand*, SOUND_COMMAND_COUNT> recordsFree;
   std::mutex poolLock;
   ThreadCondition poolCondition;

   TableFixed<SoundStreamOpenAL*, SOUND_STREAM_COUNT> streams;
   TableFixed<TickerCallback, SOUND_TICKER_CALLBACK_COUNT> tickerCallbacks;

 protected:
   // Queues a record that carries only its type, and waits for it when asked.
   void CommandPost(i32 type, bool wait);
   // Stops every voice playing a sound whose last reference is gone, then deletes it; the sound
   // thread must be done with it first.
   void SoundDestroy(Sound* sound);

 private:
   static void SoundThreadEntry(void* argument);
   void SoundThreadRun();

   // The manager whose sound thread runs; the thread wrapper passes no argument.
   static SoundManagerCommon* threadOwner;
   static SoundFocusCheckFunction focusCheckFunction;
};
} // namespace Corvale
