// What is heard: OpenAL Soft's wave back end writes the mix to a file, and a 440 Hz WAV played
// through the manager must come out at 440 Hz.
#include "tests/platform/SoundTestSupport.h"

using namespace CorvaleTest;

namespace
{
// OpenAL Soft reads its configuration once, at its first call: point it at ours before any test.
struct WaveBackEnd
{
   WaveBackEnd()
   {
      char pattern[] = "/tmp/corvale-wave-XXXXXX";
      const char* made = mkdtemp(pattern);
      folder = made ? made : "/tmp";
      output = folder + "/mix.wav";
      std::string conf = folder + "/alsoft.conf";
      FILE* stream = std::fopen(conf.c_str(), "w");
      if (stream)
      {
         std::fprintf(stream,
                      "[general]\ndither = false\noutput-limiter = false\nfrequency = 48000\n"
                      "channels = stereo\nsample-type = int16\n[wave]\nfile = %s\n",
                      output.c_str());
         std::fclose(stream);
      }
      setenv("ALSOFT_CONF", conf.c_str(), 1);
      setenv("ALSOFT_DRIVERS", "wave", 1);
   }
   ~WaveBackEnd()
   {
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
   }
   std::string folder;
   std::string output;
};

WaveBackEnd waveBackEnd;

class SoundWaveOutput : public SoundFixture
{
};

// The left channel of the 16-bit stereo mix the back end wrote.
std::vector<i16> MixLeftRead(const std::string& path)
{
   std::vector<i16> left;
   FILE* stream = std::fopen(path.c_str(), "rb");
   if (!stream)
   {
      return left;
   }
   Bytes bytes;
   unsigned char piece[65536];
   size_t got;
   while ((got = std::fread(piece, 1, sizeof(piece), stream)) > 0)
   {
      bytes.insert(bytes.end(), piece, piece + got);
   }
   std::fclose(stream);
   // The data chunk follows the header; find it rather than assume the header's length.
   for (size_t at = 12; at + 8 <= bytes.size();)
   {
      u32 size = static_cast<u32>(bytes[at + 4] | bytes[at + 5] << 8 | bytes[at + 6] << 16) |
                 static_cast<u32>(bytes[at + 7]) << 24;
      if (std::memcmp(&bytes[at], "data", 4) == 0)
      {
         size_t end = std::min(bytes.size(), at + 8 + static_cast<size_t>(size));
         for (size_t i = at + 8; i + 4 <= end; i += 4)
         {
            left.push_back(static_cast<i16>(bytes[i] | bytes[i + 1] << 8));
         }
         break;
      }
      at += 8 + size + (size & 1);
   }
   return left;
}
} // namespace

TEST_F(SoundWaveOutput, A440HzSoundIsHeardAt440Hz)
{
   WavSpec spec;
   spec.data = SineMake(440.0, 48000, 48000 / 2);
   folder.Write("Sounds/A440.wav", WavMake(spec));
   Sound* sound = soundManager.Load("Sounds/A440");
   ASSERT_NE(sound, nullptr);
   Sound::Play(sound, nullptr, false, SOUND_USAGE_EFFECTS);
   soundManager.CommandQueueWait();
   std::this_thread::sleep_for(std::chrono::milliseconds(400));
   soundManager.Unload(sound);
   // Closing the device finishes the file.
   soundManager.Deinit();

   std::vector<i16> left = MixLeftRead(waveBackEnd.output);
   ASSERT_GT(left.size(), 48000u / 4);
   // Rising zero crossings over the span where the tone is loud.
   i64 first = -1;
   i64 last = -1;
   int crossings = 0;
   for (size_t i = 1; i < left.size(); i++)
   {
      if (left[i - 1] < 0 && left[i] >= 0 && std::abs(left[i] - left[i - 1]) > 500)
      {
         if (first < 0)
         {
            first = static_cast<i64>(i);
         }
         else
         {
            crossings++;
         }
         last = static_cast<i64>(i);
      }
   }
   ASSERT_GT(crossings, 50);
   double frequency = crossings * 48000.0 / static_cast<double>(last - first);
   EXPECT_NEAR(frequency, 440.0, 2.0);
}
