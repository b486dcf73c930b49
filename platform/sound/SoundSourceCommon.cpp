// The voice's shared state: what its owner asked for and what the sound thread is playing.
#include "platform/sound/SoundSourceCommon.h"

namespace Corvale
{
SoundSourceCommon::SoundSourceCommon()
    : state(SOUND_SOURCE_IDLE), requestedVolume(100), position{0.0f, 0.0f, 0.0f}, velocity{0.0f, 0.0f, 0.0f},
      requestedLoop(0), sound(nullptr), volume(100), usage(0), pauseCount(0), loop(0), sourceName(0),
      managerOwned(0)
{
}

SoundSourceCommon::~SoundSourceCommon() = default;

void SoundSourceCommon::Reset()
{
   std::lock_guard<std::mutex> guard(lock);
   requestedLoop = 0;
   requestedVolume = 100;
   volume = 100;
   for (i32 i = 0; i < 3; i++)
   {
      position[i] = 0.0f;
      velocity[i] = 0.0f;
   }
   usage = 0;
   state = SOUND_SOURCE_IDLE;
   pauseCount = 0;
}

void SoundSourceCommon::Release()
{
}

void SoundSourceCommon::GainUpdate()
{
}

i32 SoundSourceCommon::StateGet()
{
   std::lock_guard<std::mutex> guard(lock);
   return state;
}

void SoundSourceCommon::StateSet(i32 newState)
{
   std::lock_guard<std::mutex> guard(lock);
   state = newState;
}
} // namespace Corvale
