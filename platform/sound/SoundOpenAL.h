// The OpenAL form of a sound effect: its buffer is made, played and deleted by the sound thread.
#pragma once

#include "platform/sound/Sound.h"

namespace Corvale
{
class SoundOpenAL : public Sound
{
 public:
   using Sound::Play;

   void Deinit() override;
   bool Play(SoundSourceOpenAL* voice, bool loop, i32 usage, i32 volume, const float* position,
             const float* velocity) override;
   void Stop(SoundSourceOpenAL* voice) override;
};
} // namespace Corvale
