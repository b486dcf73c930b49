// One voice: an OpenAL source while it plays a sound. The manager owns 32 of them; callers that
// want a voice of their own make one with SoundManagerOpenAL::SourceCreate.
#pragma once

#include <mutex>

#include "core/Types.h"

namespace Corvale
{
class Sound;

// States shared by voices and stream sources.
enum SoundSourceState : i32
{
   SOUND_SOURCE_IDLE = 0,
   SOUND_SOURCE_RESERVED = 1,
   SOUND_SOURCE_PLAYING = 2
};

class SoundSourceCommon
{
 public:
   SoundSourceCommon();
   virtual ~SoundSourceCommon();

   virtual void Reset();
   // Main thread: stops the voice and waits until the sound thread has let it go.
   virtual void Release();
   // Sound thread: applies the usage volume times the voice volume.
   virtual void GainUpdate();

   i32 StateGet();
   void StateSet(i32 newState);

   i32 state;
   std::mutex lock;
   i32 requestedVolume;
   float position[3];
   float velocity[3];
   u8 requestedLoop;
   Sound* sound;
   i32 volume;
   i32 usage;
   i32 pauseCount;
   u8 loop;
   u32 sourceName;
   u8 managerOwned;
};
} // namespace Corvale
