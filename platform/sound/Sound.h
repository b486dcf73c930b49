// A loaded sound effect: PCM data held in one OpenAL buffer, shared through the sound cache and
// played on voices by the sound thread.
#pragma once

#include <mutex>

#include "core/Types.h"

namespace Corvale
{
class SoundSourceOpenAL;

// Index into the manager's volume table.
enum SoundUsage : i32
{
   SOUND_USAGE_EFFECTS = 0,
   SOUND_USAGE_MUSIC = 1,
   SOUND_USAGE_SPEECH = 2
};

class Sound
{
 public:
   Sound();
   virtual ~Sound();

   virtual void UseCountReset();
   // Main thread: stops every voice on the sound and releases its buffer.
   virtual void Deinit() = 0;
   // Sound thread: starts the sound on a voice that already holds an OpenAL source.
   virtual bool Play(SoundSourceOpenAL* voice, bool loop, i32 usage, i32 volume, const float* position,
                     const float* velocity) = 0;
   // Sound thread.
   virtual void Stop(SoundSourceOpenAL* voice) = 0;

   // Main thread: queues the sound to play, on source when one is given, else on a free voice of
   // the manager. Does not wait.
   static void Play(Sound* sound, SoundSourceOpenAL* source, bool loop, i32 usage);

   i32 UseCountGet();
   void UseCountAdd(i32 delta);

   i32 useCount;
   std::mutex lock;
   u8 loaded;
   i32 channels;
   i32 bitsPerSample;
   i32 frequency;
   i32 format;
   i32 dataSize;
   u32 buffer;
};
} // namespace Corvale
