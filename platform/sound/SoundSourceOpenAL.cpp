// The OpenAL voice: gain from the usage volume, and the main thread's stop and release.
#include "platform/sound/SoundSourceOpenAL.h"

#include <AL/al.h>

#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
void SoundSourceOpenAL::GainUpdate()
{
   if (StateGet() == SOUND_SOURCE_IDLE)
   {
      return;
   }
   float gain = soundManager.UsageVolumeGet(usage) / 100.0f * volume / 100.0f;
   alSourcef(sourceName, AL_GAIN, gain);
}

void SoundSourceOpenAL::Stop()
{
   SoundCommand* command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_VOICE_STOP;
   command->source = this;
   soundManager.CommandQueueAdd(command);
   soundManager.CommandQueueWait();
}

void SoundSourceOpenAL::Release()
{
   Stop();
}
} // namespace Corvale
