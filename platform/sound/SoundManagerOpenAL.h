// The OpenAL sound manager: the device and context, the 32 voices and their sources, the ticker
// thread, and the bodies of the commands that the sound thread executes.
#pragma once

#include <AL/alc.h>

#include "platform/sound/SoundManagerCommon.h"
#include "platform/sound/SoundSourceOpenAL.h"

namespace Corvale
{
class SoundOpenAL;

constexpr i32 SOUND_VOICE_COUNT = 32;

class SoundManagerOpenAL : public SoundManagerCommon
{
 public:
   SoundManagerOpenAL();
   ~SoundManagerOpenAL() override;

   void CommandExecute(SoundCommand* command) override;
   void VoicesUpdate() override;
   void StreamsUpdate() override;

   // Opens the default device; without one the program ends with a message.
   void Init(Allocator* soundDataAllocatorUsed);
   void Deinit();

   // Main thread. A cached sound gets one more reference; else the ".wav" of that name is loaded
   // from the current resource manager. Each load needs its Unload (or NameUnload).
   Sound* Load(const char* name);
   // The cached sound without taking a reference.
   Sound* SoundLoadedGet(const char* name);
   void NameUnload(const char* name);
   // A voice of the caller's own, from the object heap; delete it with MemoryDelete after Release.
   SoundSourceOpenAL* SourceCreate();

   // Main thread: queues name + ".snd" from fileManager on source (may be null). Does not wait.
   void StreamPlay(const char* name, SoundStreamSource* source, bool loop, i32 usage,
                   FileManager* fileManager);
   // Starts a song on the music source unless that very song already plays from the current
   // resource manager.
   void MusicPlay(const char* name, bool loop);
   bool StreamExistsCheck(const char* name);

   // Sound thread.
   void StreamPlayHelper(const char* name, FileManager* fileManager, SoundStreamSource* source, bool loop,
                         i32 usage, i32 volume, const float* position, const float* velocity);
   // Sound thread: lends a free OpenAL source to a stream, and takes it back.
   bool SourceNameTake(u32* name);
   void SourceNameReturn(u32 name);

   u8 initialised;
   Thread* tickerThread;
   u8 tickerRunning;
   std::mutex tickerLock;
   ALCdevice* device;
   ALCcontext* context;
   TableFixed<u32, SOUND_VOICE_COUNT> freeSourceIds;
   TableFixed<SoundSourceOpenAL*, SOUND_VOICE_COUNT> activeVoices;
   TableFixed<SoundSourceOpenAL*, SOUND_VOICE_COUNT> freeVoices;
   SoundSourceOpenAL voices[SOUND_VOICE_COUNT];

 private:
   // Sound thread: the voice goes idle and gives back its source (and itself, when it is ours).
   void VoiceRelease(SoundSourceOpenAL* voice);
   // Sound thread: stops, removes and releases the active voice at index.
   void VoiceStopAt(i32 index);
   void StreamDestroy(SoundStreamOpenAL* stream);
   void PlayExecute(SoundCommand* command);
   static void TickerEntry(void* argument);
   void TickerRun();
};

// The program's one sound manager.
extern SoundManagerOpenAL soundManager;
} // namespace Corvale
