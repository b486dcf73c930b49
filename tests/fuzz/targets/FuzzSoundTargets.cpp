// Fuzz targets of the sound readers: ".wav" effects loaded through the running sound manager,
// and ".snd" streams whose header is checked and whose first pages are decoded.
#include <AL/al.h>
#include <AL/alc.h>

#include <cstdlib>

#include "core/File.h"
#include "core/FileManagerStdio.h"
#include "core/Memory.h"
#include "platform/sound/SoundManagerCommon.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sound/SoundStreamOpenALCelt.h"
#include "tests/fuzz/harness/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargetList.h"

namespace Corvale
{
namespace Fuzz
{
namespace
{
bool FocusYes()
{
   return true;
}

void SoundManagerStop()
{
   soundManager.Deinit();
}

// The manager with its threads, started once: effects are buffered by its sound thread. It
// stops at exit as the program stops it, before its static object goes.
bool SoundManagerStart()
{
   static bool started = false;
   if (!started)
   {
      started = true;
      SoundManagerCommon::FocusCheckFunctionSet(&FocusYes);
      soundManager.Init(allocatorDefault);
      std::atexit(&SoundManagerStop);
   }
   return true;
}

// A device and context of our own with a few sources and no sound thread, so that the stream
// is driven from here alone.
bool StreamDeviceOpen()
{
   static bool opened = false;
   if (!opened)
   {
      opened = true;
      ALCdevice* device = alcOpenDevice(nullptr);
      ALCcontext* context = device ? alcCreateContext(device, nullptr) : nullptr;
      if (!context || !alcMakeContextCurrent(context))
      {
         return false;
      }
      for (int i = 0; i < 4; i++)
      {
         ALuint name = 0;
         alGenSources(1, &name);
         soundManager.freeSourceIds.Add(name);
      }
   }
   return soundManager.freeSourceIds.count > 0;
}
} // namespace

void FuzzWAV(const u8* data, size_t size)
{
   if (!FuzzEnvironment::RootFileWrite("FuzzSound.wav", data, size) || !SoundManagerStart())
   {
      return;
   }
   Sound* sound = soundManager.Load("FuzzSound");
   if (sound)
   {
      soundManager.Unload(sound);
   }
}

void FuzzSND(const u8* data, size_t size)
{
   if (!FuzzEnvironment::RootFileWrite("FuzzStream.snd", data, size) || !StreamDeviceOpen())
   {
      return;
   }
   File* file = fileManagerStdioResource.Open("FuzzStream.snd", FILE_OPEN_READ, HEAP_SOUND_THREAD);
   if (!file)
   {
      return;
   }
   const float zero[3] = {0.0f, 0.0f, 0.0f};
   SoundStreamOpenALCelt stream;
   // Init reads the header and decodes the first pages; a few updates decode more as they play.
   if (stream.Init(file, &fileManagerStdioResource, HEAP_SOUND_THREAD, nullptr, true, SOUND_USAGE_MUSIC, 100,
                   zero, zero))
   {
      for (int i = 0; i < 4; i++)
      {
         stream.Update();
      }
   }
   stream.Deinit();
}
} // namespace Fuzz
} // namespace Corvale
