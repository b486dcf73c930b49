// The shared part of a sound: its use count and the main thread's way of playing it.
#include "platform/sound/Sound.h"

#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
Sound::Sound()
    : useCount(0), loaded(0), channels(0), bitsPerSample(0), frequency(0), format(0), dataSize(0), buffer(0)
{
}

Sound::~Sound() = default;

void Sound::UseCountReset()
{
   std::lock_guard<std::mutex> guard(lock);
   useCount = 0;
}

i32 Sound::UseCountGet()
{
   std::lock_guard<std::mutex> guard(lock);
   return useCount;
}

void Sound::UseCountAdd(i32 delta)
{
   std::lock_guard<std::mutex> guard(lock);
   useCount += delta;
}

void Sound::Play(Sound* sound, SoundSourceOpenAL* source, bool loop, i32 usage)
{
   if (!sound)
   {
      return;
   }
   if (source)
   {
      if (source->StateGet() != SOUND_SOURCE_IDLE)
      {
         source->Stop();
      }
      std::lock_guard<std::mutex> guard(source->lock);
      source->state = SOUND_SOURCE_RESERVED;
      source->requestedLoop = loop ? 1 : 0;
      source->requestedVolume = 100;
      for (i32 i = 0; i < 3; i++)
      {
         source->position[i] = 0.0f;
         source->velocity[i] = 0.0f;
      }
   }
   sound->UseCountAdd(1);
   SoundCommand* command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_PLAY;
   command->loop = loop ? 1 : 0;
   command->usage = usage;
   command->volume = 100;
   command->sound = sound;
   command->source = source;
   soundManager.CommandQueueAdd(command);
}
} // namespace Corvale
