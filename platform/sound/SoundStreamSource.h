// The caller's handle of one stream: the music source, or a speech source of the dialogs and
// tutorials. The sound thread attaches the playing stream to it and detaches it at the end.
#pragma once

#include <mutex>

#include "core/Types.h"

namespace Corvale
{
class SoundStreamOpenAL;

class SoundStreamSource
{
 public:
   SoundStreamSource();
   virtual ~SoundStreamSource();

   // Main thread: queues the stream's stop and waits for it.
   void Stop();

   // Read under the lock, as the sound thread changes them.
   i32 StateGet();
   void StateSet(i32 newState);
   bool StreamActiveCheck();

   i32 state;
   std::mutex lock;
   i32 volume;
   float position[3];
   float velocity[3];
   u8 loop;
   SoundStreamOpenAL* stream;
};
} // namespace Corvale
