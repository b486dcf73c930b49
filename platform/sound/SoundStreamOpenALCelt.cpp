// The ".snd" stream: reads fixed-size frames, decodes them with the Opus Custom (CELT) decoder
// and keeps four OpenAL buffers of about a quarter of a second each queued on its source.
#include "platform/sound/SoundStreamOpenALCelt.h"

#include <AL/al.h>
#include <cmath>
#include <cstring>
#include <opus/opus_custom.h>

#include "core/File.h"
#include "core/FileManager.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sound/SoundStreamSource.h"

namespace Corvale
{
namespace
{
// The largest packet the decoder takes.
constexpr u32 FRAME_SIZE_MAX = 1275;
constexpr float PAGE_MILLISECONDS = 250.0f;

// Debian's libopus aborts, crashes or hangs inside the decoder for many custom modes when a frame
// is damaged (most modes with more than 21 bands, and some lower rates such as 16000 Hz at 320 or
// 32000 Hz at 400 samples). These 48000 Hz modes survive every frame size with arbitrary bytes,
// and our encoder writes the last of them.
bool ModeSafeCheck(i32 sampleRate, u32 samplesPerFrame)
{
   return sampleRate == 48000 && (samplesPerFrame == 120 || samplesPerFrame == 240 ||
                                  samplesPerFrame == 480 || samplesPerFrame == 960);
}

u32 ReadU32(const u8* bytes)
{
   return static_cast<u32>(bytes[0]) | static_cast<u32>(bytes[1]) << 8 | static_cast<u32>(bytes[2]) << 16 |
          static_cast<u32>(bytes[3]) << 24;
}
} // namespace

SoundStreamOpenALCelt::SoundStreamOpenALCelt()
    : file(nullptr), fileManager(nullptr), heapId(HEAP_SOUND_THREAD), loop(0), mode(nullptr),
      decoder(nullptr), encoding(0), sampleRate(0), frameCount(0), frameSize(0), samplesPerFrame(0),
      channels(0), bytesPerFrame(0), compressedFrame(nullptr), pagePCM(nullptr), buffers{}, pageFrames(0),
      framesRemaining(0), pagesPlayed(0), finished(0)
{
}

SoundStreamOpenALCelt::~SoundStreamOpenALCelt()
{
   Deinit();
}

bool SoundStreamOpenALCelt::HeaderCheck(const SoundStreamHeader& header)
{
   if (header.encoding != SOUND_STREAM_ENCODING_CELT)
   {
      WarningPrintf("SoundStreamOpenALCelt::HeaderCheck -- Unsupported encoding (%u)\n", header.encoding);
      return false;
   }
   if (header.channels != 1 && header.channels != 2)
   {
      WarningPrintf("SoundStreamOpenALCelt::HeaderCheck -- Unsupported channel count (%u)\n",
                    header.channels);
      return false;
   }
   if (header.frameSize == 0 || header.frameSize > FRAME_SIZE_MAX)
   {
      WarningPrintf("SoundStreamOpenALCelt::HeaderCheck -- Unsupported frame size (%u)\n", header.frameSize);
      return false;
   }
   if (!ModeSafeCheck(header.sampleRate, header.samplesPerFrame))
   {
      WarningPrintf("SoundStreamOpenALCelt::HeaderCheck -- Unsupported mode (%d Hz, %u samples per frame)\n",
                    header.sampleRate, header.samplesPerFrame);
      return false;
   }
   return true;
}

bool SoundStreamOpenALCelt::Init(File* fileUsed, FileManager* fileManagerUsed, i32 heapIdUsed,
                                 SoundStreamSource* source, bool loopUsed, i32 usageUsed, i32 volumeUsed,
                                 const float* position, const float* velocity)
{
   finished = 0;
   pauseCount = soundManager.PauseCountGet();
   file = fileUsed;
   fileManager = fileManagerUsed;
   heapId = heapIdUsed;
   streamSource = source;
   loop = loopUsed ? 1 : 0;
   usage = usageUsed;
   volume = volumeUsed;
   pagesPlayed = 0;

   u8 words[SOUND_STREAM_HEADER_SIZE];
   if (!file || file->Read(words, sizeof(words)) != sizeof(words))
   {
      WarningPrintf("SoundStreamOpenALCelt::Init -- Unable to read the stream header.\n");
      return false;
   }
   SoundStreamHeader header;
   header.encoding = ReadU32(words);
   header.sampleRate = static_cast<i32>(ReadU32(words + 4));
   header.frameCount = ReadU32(words + 8);
   header.frameSize = ReadU32(words + 12);
   header.samplesPerFrame = ReadU32(words + 16);
   header.channels = ReadU32(words + 20);
   encoding = header.encoding;
   sampleRate = header.sampleRate;
   frameCount = header.frameCount;
   frameSize = header.frameSize;
   samplesPerFrame = header.samplesPerFrame;
   channels = header.channels;
   framesRemaining = frameCount;

   float samplesPerMillisecond = static_cast<float>(sampleRate) / 1000.0f;
   if (samplesPerMillisecond <= 0.0f)
   {
      WarningPrintf("SoundStreamOpenALCelt::Init -- Sample rate too low: %d\n", sampleRate);
      return false;
   }
   float frameMilliseconds = static_cast<float>(samplesPerFrame) / samplesPerMillisecond;
   if (frameMilliseconds <= 0.0f)
   {
      WarningPrintf("SoundStreamOpenALCelt::Init -- Not enough samples per frame: %d\n",
                    static_cast<i32>(samplesPerFrame));
      return false;
   }
   // Nothing is sized from the header before it is known to be safe.
   if (!HeaderCheck(header))
   {
      return false;
   }
   bytesPerFrame = channels * samplesPerFrame * 2;
   pageFrames = static_cast<u32>(std::ceil(PAGE_MILLISECONDS / frameMilliseconds));

   if (!soundManager.SourceNameTake(&sourceName))
   {
      return false;
   }
   hasSource = 1;

   compressedFrame = static_cast<u8*>(Memory::Allocate(frameSize, heapId, MEMORY_ALIGNMENT_MIN));
   if (!compressedFrame)
   {
      WarningPrintf("SoundStreamOpenALCelt::Init -- Unable to allocate compressedFrame buffer. size: %d\n",
                    static_cast<i32>(frameSize));
      return false;
   }
   u32 pageBytes = bytesPerFrame * pageFrames;
   pagePCM = static_cast<u8*>(Memory::Allocate(pageBytes, heapId, MEMORY_ALIGNMENT_MIN));
   if (!pagePCM)
   {
      WarningPrintf("SoundStreamOpenALCelt::Init -- Unable to allocate pageSoundData buffer. size: %d\n",
                    static_cast<i32>(pageBytes));
      return false;
   }

   int error = 0;
   mode = opus_custom_mode_create(sampleRate, static_cast<int>(samplesPerFrame), &error);
   if (!mode)
   {
      WarningPrintf("SoundStreamOpenALCelt::Init -- Unable to create Celt mode.\n");
      return false;
   }
   decoder = opus_custom_decoder_create(mode, static_cast<int>(channels), &error);
   if (!decoder)
   {
      WarningPrintf("SoundStreamOpenALCelt::Init -- Unable to create Celt decoder.\n");
      return false;
   }

   GainApply();
   alSourcefv(sourceName, AL_POSITION, position);
   alSourcefv(sourceName, AL_VELOCITY, velocity);
   // Looping is done by rereading the file, so that the loop point falls inside a page.
   alSourcei(sourceName, AL_LOOPING, AL_FALSE);
   alSourcef(sourceName, AL_PITCH, 1.0f);

   for (BufferEntry& entry : buffers)
   {
      alGetError();
      ALuint name = 0;
      alGenBuffers(1, &name);
      ALenum alError = alGetError();
      if (alError != AL_NO_ERROR)
      {
         WarningPrintf("SoundStreamOpenALCelt::Init -- Failed to create OpenAL buffer.  error: %d\n",
                       alError);
         return false;
      }
      entry.created = 1;
      entry.name = name;
      PagePrepare(&entry);
   }

   if (pauseCount > 0)
   {
      alSourceRewind(sourceName);
   }
   else
   {
      alSourcePlay(sourceName);
   }
   return true;
}

bool SoundStreamOpenALCelt::PagePrepare(BufferEntry* entry)
{
   for (u32 i = 0; i < pageFrames; i++)
   {
      u8* out = pagePCM + static_cast<size_t>(i) * bytesPerFrame;
      u32 rest = (pageFrames - i) * bytesPerFrame;
      if (framesRemaining == 0 && loop)
      {
         framesRemaining = frameCount;
         file->PositionSet(SOUND_STREAM_HEADER_SIZE, FILE_ORIGIN_START);
      }
      if (framesRemaining == 0)
      {
         std::memset(out, 0, rest);
         break;
      }
      framesRemaining--;
      u32 got = file->Read(compressedFrame, frameSize);
      if (got != frameSize)
      {
         WarningPrintf("SoundStreamOpenALCelt::PagePrepare -- Only read %d bytes when expecting %d bytes.\n",
                       static_cast<i32>(got), static_cast<i32>(frameSize));
         // The file ends early: treat that as its end rather than failing again on every page.
         framesRemaining = 0;
         std::memset(out, 0, rest);
         break;
      }
      int decoded = opus_custom_decode(decoder, compressedFrame, static_cast<int>(frameSize),
                                       reinterpret_cast<opus_int16*>(out), static_cast<int>(samplesPerFrame));
      if (decoded < 0)
      {
         WarningPrintf(
             "SoundStreamOpenALCelt::PagePrepare -- Unable to decode frame with %d frames remaining\n",
             static_cast<i32>(framesRemaining));
         std::memset(out, 0, rest);
         break;
      }
   }

   alGetError();
   alBufferData(entry->name, channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16, pagePCM,
                static_cast<ALsizei>(bytesPerFrame * pageFrames), sampleRate);
   ALenum alError = alGetError();
   if (alError != AL_NO_ERROR)
   {
      WarningPrintf(
          "SoundStreamOpenALCelt::PagePrepare -- Failed to set sound data for OpenAL buffer.  error: %d\n",
          alError);
      return false;
   }
   ALuint name = entry->name;
   alSourceQueueBuffers(sourceName, 1, &name);
   alError = alGetError();
   if (alError != AL_NO_ERROR)
   {
      WarningPrintf("SoundStreamOpenALCelt::PagePrepare -- Failed to enqueue OpenAL buffer.  error: %d\n",
                    alError);
      return false;
   }
   return true;
}

// Takes the oldest page off the queue as heard and refills it while the file has frames left;
// false when the stream had to stop.
bool SoundStreamOpenALCelt::PageRecycle()
{
   ALuint name = 0;
   alSourceUnqueueBuffers(sourceName, 1, &name);
   pagesPlayed++;
   if (!loop && framesRemaining == 0)
   {
      return true;
   }
   BufferEntry* entry = nullptr;
   for (BufferEntry& candidate : buffers)
   {
      if (candidate.created && candidate.name == name)
      {
         entry = &candidate;
      }
   }
   if (!entry)
   {
      WarningPrintf("SoundStreamOpenALCelt::Update -- Unable to get next page.\n");
      Stop();
      Deinit();
      return false;
   }
   PagePrepare(entry);
   return true;
}

void SoundStreamOpenALCelt::Update()
{
   if (finished || !hasSource)
   {
      return;
   }
   ALint processed = 0;
   ALint queued = 0;
   ALint state = AL_STOPPED;
   alGetSourcei(sourceName, AL_BUFFERS_PROCESSED, &processed);
   alGetSourcei(sourceName, AL_BUFFERS_QUEUED, &queued);
   for (ALint i = 0; i < processed; i++)
   {
      if (!loop && framesRemaining == 0 && processed == queued)
      {
         Stop();
         finished = 1;
         return;
      }
      if (!PageRecycle())
      {
         return;
      }
   }
   alGetSourcei(sourceName, AL_SOURCE_STATE, &state);
   if (pauseCount != 0 || state == AL_PLAYING)
   {
      return;
   }
   // The queue ran dry, perhaps while it was being refilled: the pages still queued from before
   // were heard too. Playing the source again would replay them, so they go first.
   for (ALint i = processed; i < queued; i++)
   {
      if (!PageRecycle())
      {
         return;
      }
   }
   alGetSourcei(sourceName, AL_BUFFERS_QUEUED, &queued);
   if (queued == 0)
   {
      Stop();
      finished = 1;
      return;
   }
   alSourcePlay(sourceName);
}

void SoundStreamOpenALCelt::Deinit()
{
   if (file)
   {
      if (fileManager)
      {
         fileManager->Close(file);
      }
      file = nullptr;
   }
   if (decoder)
   {
      opus_custom_decoder_destroy(decoder);
      decoder = nullptr;
   }
   if (mode)
   {
      opus_custom_mode_destroy(mode);
      mode = nullptr;
   }
   if (compressedFrame)
   {
      MemoryFree(compressedFrame);
      compressedFrame = nullptr;
   }
   if (pagePCM)
   {
      MemoryFree(pagePCM);
      pagePCM = nullptr;
   }
   if (hasSource)
   {
      Stop();
      alSourcei(sourceName, AL_BUFFER, 0);
      soundManager.SourceNameReturn(sourceName);
      hasSource = 0;
   }
   for (BufferEntry& entry : buffers)
   {
      if (entry.created)
      {
         ALuint name = entry.name;
         alDeleteBuffers(1, &name);
         entry.created = 0;
      }
   }
   if (streamSource)
   {
      std::lock_guard<std::mutex> guard(streamSource->lock);
      if (streamSource->stream == this)
      {
         streamSource->stream = nullptr;
         streamSource->state = SOUND_SOURCE_IDLE;
      }
      streamSource = nullptr;
   }
   finished = 1;
}

void SoundStreamOpenALCelt::Stop()
{
   if (hasSource)
   {
      alSourceStop(sourceName);
   }
}

void SoundStreamOpenALCelt::Pause()
{
   if (++pauseCount == 1 && hasSource)
   {
      alSourcePause(sourceName);
   }
}

void SoundStreamOpenALCelt::Resume()
{
   if (pauseCount <= 0)
   {
      return;
   }
   if (pauseCount-- == 1 && hasSource)
   {
      alSourcePlay(sourceName);
   }
}

bool SoundStreamOpenALCelt::FinishedCheck()
{
   return finished != 0;
}

u32 SoundStreamOpenALCelt::PlayedMillisecondsGet()
{
   if (!hasSource || loop || sampleRate <= 0)
   {
      return 0;
   }
   ALint processed = 0;
   ALint processedAgain = -1;
   ALint offset = 0;
   // The offset belongs to the buffer playing now: read it between two equal processed counts.
   while (processed != processedAgain)
   {
      alGetSourcei(sourceName, AL_BUFFERS_PROCESSED, &processed);
      alGetSourcei(sourceName, AL_SAMPLE_OFFSET, &offset);
      alGetSourcei(sourceName, AL_BUFFERS_PROCESSED, &processedAgain);
   }
   u64 samples =
       (static_cast<u64>(pagesPlayed) + static_cast<u64>(processed)) * pageFrames * samplesPerFrame +
       static_cast<u64>(offset);
   u64 total = static_cast<u64>(frameCount) * samplesPerFrame;
   if (samples > total)
   {
      samples = total;
   }
   return static_cast<u32>(samples * 1000 / static_cast<u64>(sampleRate));
}
} // namespace Corvale
