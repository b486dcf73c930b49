// The WAV reader: turns a RIFF file of PCM samples into a sound whose buffer the sound thread made.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class File;
class SoundOpenAL;

class SoundManager
{
 public:
   // Reads 8- or 16-bit PCM, mono or stereo; null (and the sound deleted) on any failure. name is
   // used in messages only.
   static SoundOpenAL* WAVLoad(File* file, const char* name);
};
} // namespace Corvale
