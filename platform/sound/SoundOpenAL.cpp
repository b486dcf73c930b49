// The OpenAL sound: starting it on a voice's source, stopping it, and giving its buffer back.
#include "platform/sound/SoundOpenAL.h"

#include <AL/al.h>

#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
void SoundOpenAL::Deinit()
{
   if (!loaded)
   {
      return;
   }
   SoundCommand* command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_SOUND_STOP;
   command->sound = this;
   soundManager.CommandQueueAdd(command);
   soundManager.CommandQueueWait();
   command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_BUFFER_DELETE;
   command->sound = this;
   soundManager.CommandQueueAdd(command);
   soundManager.CommandQueueWait();
   loaded = 0;
}

bool SoundOpenAL::Play(SoundSourceOpenAL* voice, bool loop, i32 usage, i32 volume, const float* position,
                       const float* velocity)
{
   alGetError();
   voice->StateSet(SOUND_SOURCE_PLAYING);
   voice->pauseCount = soundManager.PauseCountGet();
   voice->usage = usage;
   voice->loop = loop ? 1 : 0;
   alSourcefv(voice->sourceName, AL_POSITION, position);
   alSourcefv(voice->sourceName, AL_VELOCITY, velocity);
   voice->volume = volume;
   voice->GainUpdate();
   alSourcei(voice->sourceName, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
   alSourcef(voice->sourceName, AL_PITCH, 1.0f);
   alSourcei(voice->sourceName, AL_BUFFER, static_cast<ALint>(buffer));
   // While sound is paused the voice is made ready but stays silent until the resume.
   if (voice->pauseCount > 0)
   {
      alSourceRewind(voice->sourceName);
   }
   else
   {
      alSourcePlay(voice->sourceName);
   }
   return alGetError() == AL_NO_ERROR;
}

void SoundOpenAL::Stop(SoundSourceOpenAL* voice)
{
   alSourceStop(voice->sourceName);
}
} // namespace Corvale
