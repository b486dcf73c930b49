// A ".snd" stream: fixed-size compressed frames decoded page by page into four OpenAL buffers
// that rotate on one source. The file is a six-word header followed by the frames.
#pragma once

#include "platform/sound/SoundStreamOpenAL.h"

struct OpusCustomMode;
struct OpusCustomDecoder;

namespace Corvale
{
// Bytes before the first frame.
constexpr u32 SOUND_STREAM_HEADER_SIZE = 24;
constexpr i32 SOUND_STREAM_BUFFER_COUNT = 4;
// The encoding word of a ".snd" file; no other is read.
constexpr u32 SOUND_STREAM_ENCODING_CELT = 1;

// The six header words, as stored.
struct SoundStreamHeader
{
   u32 encoding;
   i32 sampleRate;
   u32 frameCount;
   u32 frameSize;
   u32 samplesPerFrame;
   u32 channels;
};

class SoundStreamOpenALCelt : public SoundStreamOpenAL
{
 public:
   struct BufferEntry
   {
      u8 created;
      u32 name;
   };

   SoundStreamOpenALCelt();
   ~SoundStreamOpenALCelt() override;

   bool Init(File* file, FileManager* fileManager, i32 heapId, SoundStreamSource* source, bool loop,
             i32 usage, i32 volume, const float* position, const float* velocity) override;
   void Deinit() override;
   void Update() override;
   void Stop() override;
   void Pause() override;
   void Resume() override;
   bool FinishedCheck() override;
   u32 PlayedMillisecondsGet() override;

   // Whether the decoder takes this header safely; logs why not.
   static bool HeaderCheck(const SoundStreamHeader& header);

   File* file;
   FileManager* fileManager;
   i32 heapId;
   u8 loop;
   OpusCustomMode* mode;
   OpusCustomDecoder* decoder;
   u32 encoding;
   i32 sampleRate;
   u32 frameCount;
   u32 frameSize;
   u32 samplesPerFrame;
   u32 channels;
   u32 bytesPerFrame;
   u8* compressedFrame;
   u8* pagePCM;
   BufferEntry buffers[SOUND_STREAM_BUFFER_COUNT];
   u32 pageFrames;
   u32 framesRemaining;
   u32 pagesPlayed;
   u8 finished;

 private:
   bool PagePrepare(BufferEntry* entry);
   bool PageRecycle();
};
} // namespace Corvale
