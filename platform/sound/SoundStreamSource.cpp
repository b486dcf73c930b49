// The caller's handle of a stream: its state is shared with the sound thread under its lock.
#include "platform/sound/SoundStreamSource.h"

#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
SoundStreamSource::SoundStreamSource()
    : state(SOUND_SOURCE_IDLE), volume(100), position{0.0f, 0.0f, 0.0f}, velocity{0.0f, 0.0f, 0.0f}, loop(0),
      stream(nullptr)
{
}

SoundStreamSource::~SoundStreamSource() = default;

void SoundStreamSource::Stop()
{
   SoundCommand* command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_STREAM_STOP;
   command->streamSource = this;
   soundManager.CommandQueueAdd(command);
   soundManager.CommandQueueWait();
}

i32 SoundStreamSource::StateGet()
{
   std::lock_guard<std::mutex> guard(lock);
   return state;
}

void SoundStreamSource::StateSet(i32 newState)
{
   std::lock_guard<std::mutex> guard(lock);
   state = newState;
}

bool SoundStreamSource::StreamActiveCheck()
{
   std::lock_guard<std::mutex> guard(lock);
   return stream != nullptr;
}
} // namespace Corvale
