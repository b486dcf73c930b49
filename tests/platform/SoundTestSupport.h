// Fixtures of the sound tests: WAV and ".snd" files made in memory, a temporary resource folder,
// a log sink, and a running sound manager whose window has the focus.
#pragma once

#include <gtest/gtest.h>

#include <AL/al.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <opus/opus_custom.h>
#include <string>
#include <thread>
#include <vector>

#include "core/Allocator.h"
#include "core/Event.h"
#include "core/File.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/Log.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "tests/TestSupport.h"

namespace CorvaleTest
{
using namespace Corvale;

typedef std::vector<unsigned char> Bytes;

inline void PutU16(Bytes* out, u32 value)
{
   out->push_back(static_cast<unsigned char>(value));
   out->push_back(static_cast<unsigned char>(value >> 8));
}

inline void PutU32(Bytes* out, u32 value)
{
   for (int i = 0; i < 4; i++)
   {
      out->push_back(static_cast<unsigned char>(value >> (8 * i)));
   }
}

inline void PutTag(Bytes* out, const char* tag)
{
   out->insert(out->end(), tag, tag + 4);
}

// Pieces of a WAV file; the defaults make a valid 16-bit mono file.
struct WavSpec
{
   u32 formatTag = 1;
   u32 channels = 1;
   u32 rate = 48000;
   u32 bits = 16;
   u32 fmtSize = 16;
   // Chunks between fmt and data, as {id, size} with size bytes of zeros (plus the pad byte).
   std::vector<std::pair<std::string, u32>> extraChunks;
   Bytes data = Bytes(64, 0);
   // The size written in the data chunk header; -1 for the real size.
   i64 dataSizeClaimed = -1;
};

inline Bytes WavMake(const WavSpec& spec)
{
   Bytes body;
   PutTag(&body, "WAVE");
   PutTag(&body, "fmt ");
   PutU32(&body, spec.fmtSize);
   PutU16(&body, spec.formatTag);
   PutU16(&body, spec.channels);
   PutU32(&body, spec.rate);
   PutU32(&body, spec.rate * spec.channels * spec.bits / 8);
   PutU16(&body, spec.channels * spec.bits / 8);
   PutU16(&body, spec.bits);
   for (u32 i = 16; i < spec.fmtSize; i++)
   {
      body.push_back(0);
   }
   if (spec.fmtSize & 1)
   {
      body.push_back(0);
   }
   for (const auto& chunk : spec.extraChunks)
   {
      PutTag(&body, chunk.first.c_str());
      PutU32(&body, chunk.second);
      body.insert(body.end(), chunk.second + (chunk.second & 1), 0xEE);
   }
   PutTag(&body, "data");
   PutU32(&body, spec.dataSizeClaimed < 0 ? static_cast<u32>(spec.data.size())
                                          : static_cast<u32>(spec.dataSizeClaimed));
   body.insert(body.end(), spec.data.begin(), spec.data.end());
   Bytes file;
   PutTag(&file, "RIFF");
   PutU32(&file, static_cast<u32>(body.size()));
   file.insert(file.end(), body.begin(), body.end());
   return file;
}

// Mono 16-bit sine samples.
inline Bytes SineMake(double frequency, u32 rate, u32 samples, double amplitude = 0.5)
{
   Bytes data;
   for (u32 i = 0; i < samples; i++)
   {
      double value = amplitude * std::sin(2.0 * 3.14159265358979323846 * frequency * i / rate);
      PutU16(&data, static_cast<u16>(static_cast<i16>(std::lround(value * 32767.0))));
   }
   return data;
}

// A ".snd" stream of frameCount frames of a tone, encoded here with the same codec.
inline Bytes StreamMake(u32 frameCount, u32 channels = 2, u32 frameSize = 160, u32 encoding = 1,
                        i32 rate = 48000, u32 samplesPerFrame = 960)
{
   Bytes file;
   PutU32(&file, encoding);
   PutU32(&file, static_cast<u32>(rate));
   PutU32(&file, frameCount);
   PutU32(&file, frameSize);
   PutU32(&file, samplesPerFrame);
   PutU32(&file, channels);
   if (frameCount == 0)
   {
      return file;
   }
   int error = 0;
   OpusCustomMode* mode = opus_custom_mode_create(48000, 960, &error);
   OpusCustomEncoder* encoder = opus_custom_encoder_create(mode, static_cast<int>(channels), &error);
   opus_custom_encoder_ctl(encoder, OPUS_SET_VBR(0));
   std::vector<opus_int16> pcm(960 * channels);
   std::vector<unsigned char> packet(frameSize);
   u32 t = 0;
   for (u32 frame = 0; frame < frameCount; frame++)
   {
      for (u32 i = 0; i < 960; i++, t++)
      {
         for (u32 c = 0; c < channels; c++)
         {
            pcm[i * channels + c] =
                static_cast<opus_int16>(12000.0 * std::sin(2.0 * 3.14159265 * 440.0 * t / 48000.0));
         }
      }
      int bytes = opus_custom_encode(encoder, pcm.data(), 960, packet.data(), static_cast<int>(frameSize));
      EXPECT_EQ(bytes, static_cast<int>(frameSize));
      file.insert(file.end(), packet.begin(), packet.end());
   }
   opus_custom_encoder_destroy(encoder);
   opus_custom_mode_destroy(mode);
   return file;
}

class TempFolder : public TestSupport::TempFolder
{
 public:
   TempFolder() : TestSupport::TempFolder("sound") {}
   void Write(const std::string& name, const Bytes& bytes) const
   {
      ASSERT_TRUE(FileWrite(name, std::string(bytes.begin(), bytes.end()))) << Join(name);
   }
};

// Keeps every log line; the sound thread writes here too.
class LogSink : public File
{
 public:
   u32 Read(void*, u32) override { return 0; }
   u32 Write(const void* buffer, u32 count) override
   {
      std::lock_guard<std::mutex> guard(lock);
      text.append(static_cast<const char*>(buffer), count);
      return count;
   }
   i64 SizeGet() override { return 0; }
   i64 PositionGet() override { return 0; }
   bool PositionSet(i64, i32) override { return false; }
   bool EndCheck() override { return true; }

   std::string Text()
   {
      std::lock_guard<std::mutex> guard(lock);
      return text;
   }
   bool Contains(const std::string& part) { return Text().find(part) != std::string::npos; }

 private:
   std::mutex lock;
   std::string text;
};

inline bool FocusYes()
{
   return true;
}

inline bool FocusNo()
{
   return false;
}

// Polls until done() or the time runs out; the back ends play in real time.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 3000)
{
   auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
   while (std::chrono::steady_clock::now() < end)
   {
      if (done())
      {
         return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
   }
   return done();
}

// The manager running over a temporary resource folder.
class SoundFixture : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      LogFileSet(&log);
      Event::SystemInit(HEAP_DEFAULT);
      fileManagerStdioResource.BaseFolderSet(folder.Base().c_str());
      savedResource = fileManagerResource;
      fileManagerResource = &fileManagerStdioResource;
      SoundManagerCommon::FocusCheckFunctionSet(focused ? &FocusYes : &FocusNo);
      soundManager.Init(allocatorDefault);
   }
   void TearDown() override
   {
      soundManager.Deinit();
      fileManagerResource = savedResource;
      fileManagerStdioResource.BaseFolderSet(nullptr);
      Event::SystemDeinit();
      LogFileSet(nullptr);
   }

   // Queues a command that carries only its type and waits for it.
   static void Post(i32 type)
   {
      SoundCommand* command = soundManager.CommandGet();
      command->type = type;
      soundManager.CommandQueueAdd(command);
      soundManager.CommandQueueWait();
   }

   static i32 FreeRecordsCount()
   {
      std::lock_guard<std::mutex> guard(soundManager.poolLock);
      return soundManager.recordsFree.count;
   }

   bool focused = true;
   TempFolder folder;
   LogSink log;
   FileManager* savedResource = nullptr;
};
} // namespace CorvaleTest
