// The WAV reader. Chunks are walked from the end of the fmt chunk to the data chunk, honouring the
// pad byte after odd-sized chunks.
#include "platform/sound/SoundManager.h"

#include <AL/al.h>
#include <cstring>

#include "core/Allocator.h"
#include "core/File.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sound/SoundOpenAL.h"

namespace Corvale
{
namespace
{
constexpr u16 WAV_FORMAT_PCM = 1;
constexpr u16 WAV_FORMAT_ADPCM = 2;
constexpr u32 WAV_FMT_SIZE_MIN = 16;

u16 ReadU16(const u8* bytes)
{
   return static_cast<u16>(bytes[0] | bytes[1] << 8);
}

u32 ReadU32(const u8* bytes)
{
   return static_cast<u32>(bytes[0]) | static_cast<u32>(bytes[1]) << 8 | static_cast<u32>(bytes[2]) << 16 |
          static_cast<u32>(bytes[3]) << 24;
}

// RIFF chunks are padded to an even size.
i64 ChunkSpan(u32 size)
{
   return static_cast<i64>(size) + (size & 1);
}

// Everything after the headers, so that the sound is deleted on every failure.
bool WAVRead(File* file, const char* name, SoundOpenAL* sound)
{
   u8 header[20];
   if (file->Read(header, sizeof(header)) != sizeof(header) || std::memcmp(header, "RIFF", 4) != 0 ||
       std::memcmp(header + 8, "WAVE", 4) != 0 || std::memcmp(header + 12, "fmt ", 4) != 0)
   {
      return false;
   }
   u32 fmtSize = ReadU32(header + 16);
   if (fmtSize < WAV_FMT_SIZE_MIN)
   {
      WarningPrintf("SoundManager::WAVLoad -- fmt chunk too short (%u bytes).  filename: %s\n", fmtSize,
                    name);
      return false;
   }
   u8 fmt[16];
   if (file->Read(fmt, 14) != 14 || file->Read(fmt + 14, 2) != 2)
   {
      return false;
   }
   u16 formatTag = ReadU16(fmt);
   if (formatTag == WAV_FORMAT_ADPCM)
   {
      WarningPrintf("SoundManager::WAVLoad -- ADPCM not currently supported.  filename: %s\n", name);
      return false;
   }
   if (formatTag != WAV_FORMAT_PCM)
   {
      return false;
   }
   u16 channels = ReadU16(fmt + 2);
   u32 frequency = ReadU32(fmt + 4);
   u16 bitsPerSample = ReadU16(fmt + 14);
   // OpenAL takes only these; any other layout would be played as noise.
   if ((channels != 1 && channels != 2) || (bitsPerSample != 8 && bitsPerSample != 16) || frequency == 0 ||
       frequency > 0x7FFFFFFF)
   {
      WarningPrintf(
          "SoundManager::WAVLoad -- unsupported PCM layout (%u channels, %u bits, %u Hz).  filename: "
          "%s\n",
          channels, bitsPerSample, frequency, name);
      return false;
   }

   if (!file->PositionSet(20 + ChunkSpan(fmtSize), FILE_ORIGIN_START))
   {
      return false;
   }
   u32 dataSize = 0;
   for (;;)
   {
      u8 chunk[8];
      if (file->Read(chunk, sizeof(chunk)) != sizeof(chunk))
      {
         return false;
      }
      dataSize = ReadU32(chunk + 4);
      if (std::memcmp(chunk, "data", 4) == 0)
      {
         break;
      }
      if (!file->PositionSet(ChunkSpan(dataSize), FILE_ORIGIN_CURRENT))
      {
         return false;
      }
   }
   i64 position = file->PositionGet();
   i64 fileSize = file->SizeGet();
   if (dataSize == 0 || position < 0 || fileSize < 0 || static_cast<i64>(dataSize) > fileSize - position ||
       dataSize > 0x7FFFFFFF)
   {
      WarningPrintf(
          "SoundManager::WAVLoad -- data chunk is empty or shorter than its size (%u).  filename: %s\n",
          dataSize, name);
      return false;
   }

   sound->channels = channels;
   sound->frequency = static_cast<i32>(frequency);
   sound->bitsPerSample = bitsPerSample;
   if (channels == 1)
   {
      sound->format = bitsPerSample == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
   }
   else
   {
      sound->format = bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
   }

   Allocator* allocator = soundManager.soundDataAllocator;
   void* data = allocator ? allocator->Allocate(dataSize) : nullptr;
   if (!data)
   {
      WarningPrintf("SoundManager::WAVLoad -- unable to allocate %u bytes of samples.  filename: %s\n",
                    dataSize, name);
      return false;
   }
   if (file->Read(data, dataSize) != dataSize)
   {
      allocator->Free(data);
      return false;
   }
   sound->dataSize = static_cast<i32>(dataSize);

   u8 made = 0;
   SoundCommand* command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_BUFFER_CREATE;
   command->sound = sound;
   command->data = data;
   command->resultFlag = &made;
   soundManager.CommandQueueAdd(command);
   soundManager.CommandQueueWait();
   allocator->Free(data);
   return made != 0;
}
} // namespace

SoundOpenAL* SoundManager::WAVLoad(File* file, const char* name)
{
   if (!file)
   {
      return nullptr;
   }
   SoundOpenAL* sound = MemoryNew<SoundOpenAL>(HEAP_DEFAULT);
   if (!sound)
   {
      return nullptr;
   }
   sound->loaded = 0;
   if (!WAVRead(file, name ? name : "", sound))
   {
      MemoryDelete(sound);
      return nullptr;
   }
   sound->UseCountReset();
   sound->loaded = 1;
   return sound;
}
} // namespace Corvale
