// The OpenAL voice: the gain of its source follows the usage volume and its own volume.
#pragma once

#include "platform/sound/SoundSourceCommon.h"

namespace Corvale
{
class SoundSourceOpenAL : public SoundSourceCommon
{
 public:
   void GainUpdate() override;
   // Main thread: queues the voice's stop and waits for it.
   void Stop();
   void Release() override;
};
} // namespace Corvale
