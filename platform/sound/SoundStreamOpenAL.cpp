// The shared part of a playing stream: its source's gain.
#include "platform/sound/SoundStreamOpenAL.h"

#include <AL/al.h>

#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
SoundStreamOpenAL::SoundStreamOpenAL()
    : usage(0), volume(100), hasSource(0), sourceName(0), streamSource(nullptr), pauseCount(0)
{
}

SoundStreamOpenAL::~SoundStreamOpenAL() = default;

void SoundStreamOpenAL::GainApply()
{
   if (!hasSource)
   {
      return;
   }
   float gain = soundManager.UsageVolumeGet(usage) / 100.0f * volume / 100.0f;
   alSourcef(sourceName, AL_GAIN, gain);
}
} // namespace Corvale
