// A playing stream on the sound thread: the OpenAL source it holds and the volume and usage that
// set its gain. The decoding kind derives from it.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class File;
class FileManager;
class SoundStreamSource;

class SoundStreamOpenAL
{
 public:
   SoundStreamOpenAL();
   virtual ~SoundStreamOpenAL();

   virtual bool Init(File* file, FileManager* fileManager, i32 heapId, SoundStreamSource* source, bool loop,
                     i32 usage, i32 volume, const float* position, const float* velocity) = 0;
   // Safe to call more than once.
   virtual void Deinit() = 0;
   virtual void Update() = 0;
   virtual void Stop() = 0;
   virtual void Pause() = 0;
   virtual void Resume() = 0;
   virtual bool FinishedCheck() = 0;
   virtual u32 PlayedMillisecondsGet() = 0;

   // Applies the usage volume times the stream volume to the source, when there is one.
   void GainApply();

   i32 usage;
   i32 volume;
   u8 hasSource;
   u32 sourceName;
   SoundStreamSource* streamSource;
   i32 pauseCount;
};
} // namespace Corvale
