// The OpenAL sound manager: device set-up and shutdown, the ticker thread, and every command body
// that the sound thread runs against OpenAL.
#include "platform/sound/SoundManagerOpenAL.h"

#include <AL/al.h>
#include <chrono>
#include <cstring>
#include <thread>

#include "core/File.h"
#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "platform/sound/SoundManager.h"
#include "platform/sound/SoundOpenAL.h"
#include "platform/sound/SoundStreamOpenALCelt.h"

namespace Corvale
{
SoundManagerOpenAL soundManager;

namespace
{
// The manager whose ticker runs; the thread wrapper passes no argument.
SoundManagerOpenAL* tickerOwner = nullptr;

constexpr i32 TICKER_INTERVAL_MS = 16;

bool VoiceBusyCheck(SoundSourceOpenAL* voice)
{
   return voice && voice->StateGet() != SOUND_SOURCE_IDLE;
}

// The playing stream of a busy stream source, or null.
SoundStreamOpenAL* SourceStreamGet(SoundStreamSource* source)
{
   if (!source)
   {
      return nullptr;
   }
   std::lock_guard<std::mutex> guard(source->lock);
   if (source->state == SOUND_SOURCE_IDLE)
   {
      return nullptr;
   }
   return source->stream;
}
} // namespace

SoundManagerOpenAL::SoundManagerOpenAL()
    : initialised(0), tickerThread(nullptr), tickerRunning(0), device(nullptr), context(nullptr)
{
}

SoundManagerOpenAL::~SoundManagerOpenAL() = default;

void SoundManagerOpenAL::Init(Allocator* soundDataAllocatorUsed)
{
   if (initialised)
   {
      return;
   }
   device = alcOpenDevice(nullptr);
   if (!device)
   {
      ErrorPrintf("OpenAL failed to open device.  Make sure your computer has an audio device connected and "
                  "enabled.\n");
   }
   context = alcCreateContext(device, nullptr);
   if (!context)
   {
      ErrorPrintf("OpenAL failed to create a context.  Make sure your computer has an audio device connected "
                  "and enabled.\n");
   }
   alcMakeContextCurrent(context);

   freeSourceIds.Clear();
   activeVoices.Clear();
   freeVoices.Clear();
   alGetError();
   for (i32 i = 0; i < SOUND_VOICE_COUNT; i++)
   {
      ALuint name = 0;
      alGenSources(1, &name);
      if (alGetError() != AL_NO_ERROR)
      {
         break;
      }
      freeSourceIds.Add(name);
      voices[i].Reset();
      voices[i].managerOwned = 1;
      freeVoices.Add(&voices[i]);
   }
   const float zero[3] = {0.0f, 0.0f, 0.0f};
   const float orientation[6] = {0.0f, 0.0f, -1.0f, 0.0f, 1.0f, 0.0f};
   alListenerfv(AL_POSITION, zero);
   alListenerfv(AL_VELOCITY, zero);
   alListenerfv(AL_ORIENTATION, orientation);

   SoundManagerCommon::Init(nullptr, nullptr, soundDataAllocatorUsed);

   {
      std::lock_guard<std::mutex> guard(tickerLock);
      tickerRunning = 1;
   }
   tickerOwner = this;
   tickerThread = MemoryNew<Thread>(objectHeapId, &SoundManagerOpenAL::TickerEntry);
   if (tickerThread)
   {
      tickerThread->PrioritySet(1);
   }
   initialised = 1;
}

void SoundManagerOpenAL::Deinit()
{
   if (!initialised)
   {
      return;
   }
   initialised = 0;
   {
      std::lock_guard<std::mutex> guard(tickerLock);
      tickerRunning = 0;
   }
   if (tickerThread)
   {
      tickerThread->Wait();
      MemoryDelete(tickerThread);
      tickerThread = nullptr;
   }
   CommandPost(SOUND_COMMAND_STOP_ALL, true);
   for (i32 i = 0; i < SOUND_VOICE_COUNT; i++)
   {
      voices[i].Release();
   }
   freeVoices.Clear();
   for (i32 i = 0; i < freeSourceIds.count; i++)
   {
      ALuint name = freeSourceIds.items[i];
      alDeleteSources(1, &name);
   }
   freeSourceIds.Clear();
   SoundManagerCommon::Deinit();
   alcMakeContextCurrent(nullptr);
   alcDestroyContext(context);
   alcCloseDevice(device);
   context = nullptr;
   device = nullptr;
   if (tickerOwner == this)
   {
      tickerOwner = nullptr;
   }
}

void SoundManagerOpenAL::TickerEntry(void*)
{
   if (tickerOwner)
   {
      tickerOwner->TickerRun();
   }
}

void SoundManagerOpenAL::TickerRun()
{
   for (;;)
   {
      {
         std::lock_guard<std::mutex> guard(tickerLock);
         if (!tickerRunning)
         {
            return;
         }
      }
      // Wakes the sound thread only while it sleeps on an empty queue.
      queueCondition.WakeAll();
      std::this_thread::sleep_for(std::chrono::milliseconds(TICKER_INTERVAL_MS));
   }
}

Sound* SoundManagerOpenAL::Load(const char* name)
{
   FileManager* fileManager = fileManagerResource;
   if (!name || !fileManager)
   {
      return nullptr;
   }
   Sound* cached = soundCache.Get(name, fileManager);
   if (cached)
   {
      return cached;
   }
   char path[SOUND_NAME_SIZE];
   if (!NultSnprintf(path, sizeof(path), "%s%s", name, ".wav") || !fileManager->Exists(path))
   {
      WarningPrintf("SoundManagerOpenAL::Load -- unable to find sound file: \"%s\"\n", path);
      return nullptr;
   }
   SoundOpenAL* sound = nullptr;
   File* file = fileManager->Open(path, FILE_OPEN_READ, objectHeapId);
   if (file)
   {
      sound = SoundManager::WAVLoad(file, name);
      fileManager->Close(file);
   }
   if (!sound)
   {
      WarningPrintf("SoundManagerOpenAL::Load -- Failed to load %s.  The file is probably incompatible.\n",
                    name);
      return nullptr;
   }
   soundCache.Add(name, fileManager, sound);
   return sound;
}

Sound* SoundManagerOpenAL::SoundLoadedGet(const char* name)
{
   if (!name || !fileManagerResource)
   {
      return nullptr;
   }
   return soundCache.Find(name, fileManagerResource);
}

void SoundManagerOpenAL::NameUnload(const char* name)
{
   if (!name || !fileManagerResource)
   {
      return;
   }
   CommandQueueWait();
   Sound* sound = soundCache.Release(name, fileManagerResource);
   if (!sound)
   {
      return;
   }
   SoundDestroy(sound);
}

SoundSourceOpenAL* SoundManagerOpenAL::SourceCreate()
{
   SoundSourceOpenAL* source = MemoryNew<SoundSourceOpenAL>(objectHeapId);
   if (!source)
   {
      WarningPrintf("SoundManagerOpenAL::SourceCreate -- unable to allocate a voice\n");
   }
   return source;
}

void SoundManagerOpenAL::StreamPlay(const char* name, SoundStreamSource* source, bool loop, i32 usage,
                                    FileManager* fileManager)
{
   // Without the sound thread the pool is never filled and no command would run: the source stays idle.
   if (!fileManager || !name || !SoundThreadRunningCheck())
   {
      return;
   }
   if (source)
   {
      if (source->StateGet() != SOUND_SOURCE_IDLE)
      {
         source->Stop();
      }
      std::lock_guard<std::mutex> guard(source->lock);
      source->state = SOUND_SOURCE_RESERVED;
      source->loop = loop ? 1 : 0;
      source->volume = 100;
      for (i32 i = 0; i < 3; i++)
      {
         source->position[i] = 0.0f;
         source->velocity[i] = 0.0f;
      }
   }
   SoundCommand* command = CommandGet();
   command->type = SOUND_COMMAND_STREAM_PLAY;
   NultStrncpy(command->streamName, name, sizeof(command->streamName));
   command->fileManager = fileManager;
   command->streamSource = source;
   command->loop = loop ? 1 : 0;
   command->usage = usage;
   command->volume = 100;
   CommandQueueAdd(command);
}

void SoundManagerOpenAL::MusicPlay(const char* name, bool loop)
{
   if (!name)
   {
      return;
   }
   FileManager* fileManager = fileManagerResource;
   if (musicSource.StateGet() != SOUND_SOURCE_IDLE && musicFileManager == fileManager &&
       std::strcmp(musicName, name) == 0)
   {
      return;
   }
   NultStrncpy(musicName, name, sizeof(musicName));
   musicFileManager = fileManager;
   musicSource.Stop();
   StreamPlay(musicName, &musicSource, loop, SOUND_USAGE_MUSIC, fileManager);
}

bool SoundManagerOpenAL::StreamExistsCheck(const char* name)
{
   FileManager* fileManager = fileManagerResource;
   if (!name || !fileManager)
   {
      return false;
   }
   char path[SOUND_NAME_SIZE];
   return NultSnprintf(path, sizeof(path), "%s%s", name, ".snd") && fileManager->Exists(path);
}

void SoundManagerOpenAL::StreamPlayHelper(const char* name, FileManager* fileManager,
                                          SoundStreamSource* source, bool loop, i32 usage, i32 volume,
                                          const float* position, const float* velocity)
{
   char path[SOUND_NAME_SIZE];
   if (!NultSnprintf(path, sizeof(path), "%s%s", name, ".snd") || !fileManager->Exists(path))
   {
      if (source)
      {
         source->StateSet(SOUND_SOURCE_IDLE);
      }
      WarningPrintf("SoundManagerOpenAL::StreamPlayHelper -- unable to find sound stream file: \"%s\"\n",
                    path);
      return;
   }
   File* file = fileManager->Open(path, FILE_OPEN_READ, streamHeapId);
   if (!file)
   {
      if (source)
      {
         source->StateSet(SOUND_SOURCE_IDLE);
      }
      WarningPrintf("SoundManagerOpenAL::StreamPlayHelper -- unable to open sound stream file: \"%s\"\n",
                    path);
      return;
   }
   u8 word[4] = {0, 0, 0, 0};
   file->Read(word, sizeof(word));
   file->PositionSet(0, FILE_ORIGIN_START);
   u32 encoding = static_cast<u32>(word[0]) | static_cast<u32>(word[1]) << 8 |
                  static_cast<u32>(word[2]) << 16 | static_cast<u32>(word[3]) << 24;
   if (encoding != SOUND_STREAM_ENCODING_CELT)
   {
      WarningPrintf("SoundManagerOpenAL::StreamPlayHelper -- Unsupported encoding (%d) for file: %s\n",
                    static_cast<i32>(encoding), name);
      fileManager->Close(file);
      if (source)
      {
         source->StateSet(SOUND_SOURCE_IDLE);
      }
      return;
   }
   // A full table would lose the stream: it could never be updated or stopped.
   SoundStreamOpenALCelt* stream = nullptr;
   if (streams.count < SOUND_STREAM_COUNT)
   {
      stream = MemoryNew<SoundStreamOpenALCelt>(streamHeapId);
   }
   if (!stream)
   {
      WarningPrintf("SoundManagerOpenAL::StreamPlayHelper -- unable to start another stream: %s\n", name);
      fileManager->Close(file);
      if (source)
      {
         source->StateSet(SOUND_SOURCE_IDLE);
      }
      return;
   }
   if (source)
   {
      std::lock_guard<std::mutex> guard(source->lock);
      source->stream = stream;
   }
   if (!stream->Init(file, fileManager, streamHeapId, source, loop, usage, volume, position, velocity))
   {
      // Deinit closes the file and leaves the source idle.
      stream->Deinit();
      MemoryDelete(stream);
      return;
   }
   if (source)
   {
      source->StateSet(SOUND_SOURCE_PLAYING);
   }
   streams.Add(stream);
}

bool SoundManagerOpenAL::SourceNameTake(u32* name)
{
   if (freeSourceIds.count == 0)
   {
      return false;
   }
   *name = freeSourceIds.Last();
   freeSourceIds.count--;
   return true;
}

void SoundManagerOpenAL::SourceNameReturn(u32 name)
{
   freeSourceIds.Add(name);
}

void SoundManagerOpenAL::VoiceRelease(SoundSourceOpenAL* voice)
{
   voice->StateSet(SOUND_SOURCE_IDLE);
   // A source that still plays would refuse to drop its buffer.
   alSourceStop(voice->sourceName);
   alSourcei(voice->sourceName, AL_BUFFER, 0);
   if (voice->sound)
   {
      voice->sound->UseCountAdd(-1);
      voice->sound = nullptr;
   }
   freeSourceIds.Add(voice->sourceName);
   if (voice->managerOwned)
   {
      freeVoices.Add(voice);
   }
}

void SoundManagerOpenAL::VoiceStopAt(i32 index)
{
   SoundSourceOpenAL* voice = activeVoices.items[index];
   if (voice->sound)
   {
      voice->sound->Stop(voice);
   }
   activeVoices.RemoveAt(index);
   VoiceRelease(voice);
}

void SoundManagerOpenAL::StreamDestroy(SoundStreamOpenAL* stream)
{
   streams.Remove(stream);
   stream->Deinit();
   MemoryDelete(stream);
}

void SoundManagerOpenAL::VoicesUpdate()
{
   for (i32 i = activeVoices.count - 1; i >= 0; i--)
   {
      SoundSourceOpenAL* voice = activeVoices.items[i];
      ALint state = AL_STOPPED;
      alGetSourcei(voice->sourceName, AL_SOURCE_STATE, &state);
      if (state == AL_STOPPED)
      {
         activeVoices.RemoveAt(i);
         VoiceRelease(voice);
      }
   }
}

void SoundManagerOpenAL::StreamsUpdate()
{
   for (i32 i = streams.count - 1; i >= 0; i--)
   {
      SoundStreamOpenAL* stream = streams.items[i];
      stream->Update();
      if (stream->FinishedCheck())
      {
         stream->Deinit();
         MemoryDelete(stream);
         streams.RemoveAt(i);
      }
   }
}

void SoundManagerOpenAL::PlayExecute(SoundCommand* command)
{
   Sound* sound = command->sound;
   if (!sound)
   {
      return;
   }
   if (freeSourceIds.count == 0)
   {
      sound->UseCountAdd(-1);
      return;
   }
   SoundSourceOpenAL* voice = command->source;
   if (voice)
   {
      // A caller's voice that still plays gives up its old sound first.
      i32 index = activeVoices.Find(voice);
      if (index >= 0)
      {
         VoiceStopAt(index);
      }
   }
   else
   {
      if (freeVoices.count == 0)
      {
         sound->UseCountAdd(-1);
         return;
      }
      voice = freeVoices.Last();
      freeVoices.count--;
   }
   voice->sound = sound;
   voice->sourceName = freeSourceIds.Last();
   freeSourceIds.count--;
   if (!sound->Play(voice, command->loop != 0, command->usage, command->volume, command->position,
                    command->velocity))
   {
      VoiceRelease(voice);
      return;
   }
   activeVoices.Add(voice);
}

void SoundManagerOpenAL::CommandExecute(SoundCommand* command)
{
   SoundSourceOpenAL* voice = command->source;
   // Per-voice commands reach a voice only while it holds a source of its own.
   bool voiceActive = voice && VoiceBusyCheck(voice) && activeVoices.Find(voice) >= 0;
   switch (command->type)
   {
   case SOUND_COMMAND_STOP_ALL:
      for (i32 i = streams.count - 1; i >= 0; i--)
      {
         SoundStreamOpenAL* stream = streams.items[i];
         stream->Stop();
         StreamDestroy(stream);
      }
      for (i32 i = activeVoices.count - 1; i >= 0; i--)
      {
         VoiceStopAt(i);
      }
      break;
   case SOUND_COMMAND_PAUSE_ALL:
      for (i32 i = 0; i < streams.count; i++)
      {
         streams.items[i]->Pause();
      }
      for (i32 i = 0; i < activeVoices.count; i++)
      {
         SoundSourceOpenAL* active = activeVoices.items[i];
         if (VoiceBusyCheck(active) && ++active->pauseCount == 1)
         {
            alSourcePause(active->sourceName);
         }
      }
      break;
   case SOUND_COMMAND_RESUME_ALL:
      for (i32 i = 0; i < streams.count; i++)
      {
         streams.items[i]->Resume();
      }
      for (i32 i = 0; i < activeVoices.count; i++)
      {
         SoundSourceOpenAL* active = activeVoices.items[i];
         ALint state = AL_STOPPED;
         alGetSourcei(active->sourceName, AL_SOURCE_STATE, &state);
         if (VoiceBusyCheck(active) && state != AL_STOPPED && active->pauseCount > 0)
         {
            if (active->pauseCount-- == 1)
            {
               alSourcePlay(active->sourceName);
            }
         }
      }
      break;
   case SOUND_COMMAND_PAUSE_COUNT_RAISE:
      pauseCount++;
      break;
   case SOUND_COMMAND_PAUSE_COUNT_LOWER:
      if (pauseCount > 0)
      {
         pauseCount--;
      }
      break;
   case SOUND_COMMAND_ONE_SHOTS_STOP:
      for (i32 i = activeVoices.count - 1; i >= 0; i--)
      {
         if (!activeVoices.items[i]->loop)
         {
            VoiceStopAt(i);
         }
      }
      break;
   case SOUND_COMMAND_BUFFER_CREATE:
   {
      Sound* sound = command->sound;
      u8 made = 0;
      if (sound)
      {
         alGetError();
         ALuint buffer = 0;
         alGenBuffers(1, &buffer);
         if (alGetError() == AL_NO_ERROR)
         {
            alBufferData(buffer, sound->format, command->data, sound->dataSize, sound->frequency);
            if (alGetError() == AL_NO_ERROR)
            {
               sound->buffer = buffer;
               made = 1;
            }
            else
            {
               alDeleteBuffers(1, &buffer);
            }
         }
      }
      if (command->resultFlag)
      {
         *command->resultFlag = made;
      }
      break;
   }
   case SOUND_COMMAND_BUFFER_DELETE:
      if (command->sound)
      {
         ALuint buffer = command->sound->buffer;
         alDeleteBuffers(1, &buffer);
         command->sound->buffer = 0;
      }
      break;
   case SOUND_COMMAND_PLAY:
      PlayExecute(command);
      break;
   case SOUND_COMMAND_SOUND_STOP:
      for (i32 i = activeVoices.count - 1; i >= 0; i--)
      {
         if (command->sound && activeVoices.items[i]->sound == command->sound)
         {
            VoiceStopAt(i);
         }
      }
      break;
   case SOUND_COMMAND_VOICE_STOP:
   {
      i32 index = voice ? activeVoices.Find(voice) : -1;
      if (index >= 0)
      {
         VoiceStopAt(index);
      }
      break;
   }
   case SOUND_COMMAND_VOICE_PAUSE:
      if (voiceActive && ++voice->pauseCount == 1)
      {
         alSourcePause(voice->sourceName);
      }
      break;
   case SOUND_COMMAND_VOICE_RESUME:
      if (voiceActive && voice->pauseCount > 0)
      {
         ALint state = AL_STOPPED;
         alGetSourcei(voice->sourceName, AL_SOURCE_STATE, &state);
         if (state != AL_STOPPED && voice->pauseCount-- == 1)
         {
            alSourcePlay(voice->sourceName);
         }
      }
      break;
   case SOUND_COMMAND_VOICE_POSITION_SET:
      if (voiceActive)
      {
         alSourcefv(voice->sourceName, AL_POSITION, command->position);
      }
      break;
   case SOUND_COMMAND_VOICE_VELOCITY_SET:
      if (voiceActive)
      {
         alSourcefv(voice->sourceName, AL_VELOCITY, command->velocity);
      }
      break;
   case SOUND_COMMAND_VOICE_VOLUME_SET:
      if (voiceActive)
      {
         voice->volume = command->volume;
         voice->GainUpdate();
      }
      break;
   case SOUND_COMMAND_LISTENER_POSITION_SET:
      std::memcpy(listenerPosition, command->position, sizeof(listenerPosition));
      alListenerfv(AL_POSITION, listenerPosition);
      break;
   case SOUND_COMMAND_LISTENER_VELOCITY_SET:
      std::memcpy(listenerVelocity, command->velocity, sizeof(listenerVelocity));
      alListenerfv(AL_VELOCITY, listenerVelocity);
      break;
   case SOUND_COMMAND_LISTENER_ORIENTATION_SET:
   {
      std::memcpy(listenerOrientationAt, command->orientationAt, sizeof(listenerOrientationAt));
      std::memcpy(listenerOrientationUp, command->orientationUp, sizeof(listenerOrientationUp));
      float orientation[6];
      std::memcpy(orientation, listenerOrientationAt, sizeof(listenerOrientationAt));
      std::memcpy(orientation + 3, listenerOrientationUp, sizeof(listenerOrientationUp));
      alListenerfv(AL_ORIENTATION, orientation);
      break;
   }
   case SOUND_COMMAND_STREAM_PLAY:
      StreamPlayHelper(command->streamName, command->fileManager, command->streamSource, command->loop != 0,
                       command->usage, command->volume, command->position, command->velocity);
      break;
   case SOUND_COMMAND_STREAM_STOP:
   {
      SoundStreamOpenAL* stream = SourceStreamGet(command->streamSource);
      if (stream)
      {
         stream->Stop();
         StreamDestroy(stream);
      }
      break;
   }
   case SOUND_COMMAND_STREAM_PAUSE:
   {
      SoundStreamOpenAL* stream = SourceStreamGet(command->streamSource);
      if (stream)
      {
         stream->Pause();
      }
      break;
   }
   case SOUND_COMMAND_STREAM_RESUME:
   {
      SoundStreamOpenAL* stream = SourceStreamGet(command->streamSource);
      if (stream)
      {
         stream->Resume();
      }
      break;
   }
   case SOUND_COMMAND_STREAM_VELOCITY_SET:
   case SOUND_COMMAND_STREAM_POSITION_SET:
   {
      SoundStreamOpenAL* stream = SourceStreamGet(command->streamSource);
      if (stream && stream->hasSource)
      {
         bool position = command->type == SOUND_COMMAND_STREAM_POSITION_SET;
         alSourcefv(stream->sourceName, position ? AL_POSITION : AL_VELOCITY,
                    position ? command->position : command->velocity);
      }
      break;
   }
   case SOUND_COMMAND_STREAM_VOLUME_SET:
   {
      SoundStreamOpenAL* stream = SourceStreamGet(command->streamSource);
      if (stream)
      {
         stream->volume = command->volume;
         stream->GainApply();
      }
      break;
   }
   case SOUND_COMMAND_STREAM_POSITION_GET:
   {
      SoundStreamOpenAL* stream = SourceStreamGet(command->streamSource);
      if (command->resultValue)
      {
         *command->resultValue = stream ? stream->PlayedMillisecondsGet() : 0;
      }
      break;
   }
   case SOUND_COMMAND_VOLUME_SET:
      if (command->usage >= 0 && command->usage < SOUND_VOLUME_COUNT)
      {
         volumes[command->usage] = command->volume;
         for (i32 i = 0; i < streams.count; i++)
         {
            streams.items[i]->GainApply();
         }
         for (i32 i = 0; i < activeVoices.count; i++)
         {
            activeVoices.items[i]->GainUpdate();
         }
      }
      break;
   default:
      break;
   }
}
} // namespace Corvale
