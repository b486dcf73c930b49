// WAV sounds: the formats OpenAL gets, the files refused (with or without a message), the pad
// byte after odd chunks, and the sound cache's counting through Load and Unload.
#include "tests/platform/SoundTestSupport.h"

#include "platform/sound/SoundOpenAL.h"

using namespace CorvaleTest;

namespace
{
class SoundWAV : public SoundFixture
{
};

struct WavCase
{
   const char* title;
   WavSpec spec;
   bool loads;
   i32 format;
   const char* message;
};

WavSpec Spec(u32 channels, u32 bits)
{
   WavSpec spec;
   spec.channels = channels;
   spec.bits = bits;
   spec.data = Bytes(channels * bits / 8 * 100, 0x40);
   return spec;
}

std::vector<WavCase> Cases()
{
   std::vector<WavCase> cases;
   cases.push_back({"Mono8", Spec(1, 8), true, AL_FORMAT_MONO8, nullptr});
   cases.push_back({"Mono16", Spec(1, 16), true, AL_FORMAT_MONO16, nullptr});
   cases.push_back({"Stereo8", Spec(2, 8), true, AL_FORMAT_STEREO8, nullptr});
   cases.push_back({"Stereo16", Spec(2, 16), true, AL_FORMAT_STEREO16, nullptr});

   WavSpec padded = Spec(1, 16);
   padded.extraChunks = {{"LIST", 5}, {"fact", 4}};
   cases.push_back({"OddChunkPadded", padded, true, AL_FORMAT_MONO16, nullptr});
   WavSpec longFmt = Spec(2, 16);
   longFmt.fmtSize = 18;
   cases.push_back({"LongFmtChunk", longFmt, true, AL_FORMAT_STEREO16, nullptr});

   WavSpec adpcm = Spec(1, 16);
   adpcm.formatTag = 2;
   cases.push_back(
       {"AdpcmRefused", adpcm, false, 0, "ADPCM not currently supported.  filename: Sounds/Case"});
   WavSpec floating = Spec(1, 32);
   floating.formatTag = 3;
   cases.push_back({"FloatRefused", floating, false, 0, nullptr});
   WavSpec shortData = Spec(1, 16);
   shortData.dataSizeClaimed = 400;
   cases.push_back({"ShortDataRefused", shortData, false, 0, "shorter than its size"});
   WavSpec wide = Spec(1, 24);
   cases.push_back({"TwentyFourBitRefused", wide, false, 0, "unsupported PCM layout"});
   WavSpec surround = Spec(6, 16);
   cases.push_back({"SixChannelsRefused", surround, false, 0, "unsupported PCM layout"});
   WavSpec shortFmt = Spec(1, 16);
   shortFmt.fmtSize = 12;
   cases.push_back({"ShortFmtRefused", shortFmt, false, 0, "fmt chunk too short"});
   return cases;
}
} // namespace

TEST_F(SoundWAV, FormatsAndRefusals)
{
   for (const WavCase& wavCase : Cases())
   {
      SCOPED_TRACE(wavCase.title);
      std::string name = std::string("Sounds/Case") + wavCase.title;
      folder.Write(name + ".wav", WavMake(wavCase.spec));
      Sound* sound = soundManager.Load(name.c_str());
      if (wavCase.loads)
      {
         ASSERT_NE(sound, nullptr);
         EXPECT_EQ(sound->format, wavCase.format);
         EXPECT_EQ(sound->dataSize, static_cast<i32>(wavCase.spec.data.size()));
         EXPECT_EQ(sound->loaded, 1);
         EXPECT_NE(sound->buffer, 0u);
         soundManager.Unload(sound);
      }
      else
      {
         EXPECT_EQ(sound, nullptr);
         EXPECT_TRUE(log.Contains("SoundManagerOpenAL::Load -- Failed to load " + name +
                                  ".  The file is probably incompatible.\n"));
         if (wavCase.message)
         {
            EXPECT_TRUE(log.Contains(wavCase.message)) << log.Text();
         }
      }
   }
   // The float file is refused without a line of the reader's own.
   EXPECT_EQ(log.Text().find("filename: Sounds/CaseFloatRefused"), std::string::npos) << log.Text();
}

TEST_F(SoundWAV, MissingFileIsReported)
{
   EXPECT_EQ(soundManager.Load("Sounds/Nothing"), nullptr);
   EXPECT_TRUE(
       log.Contains("SoundManagerOpenAL::Load -- unable to find sound file: \"Sounds/Nothing.wav\"\n"));
   EXPECT_EQ(soundManager.Load(nullptr), nullptr);
}

TEST_F(SoundWAV, CacheCountsReferencesUntilTheLastUnload)
{
   folder.Write("Sounds/Flip.wav", WavMake(Spec(1, 16)));
   Sound* first = soundManager.Load("Sounds/Flip");
   Sound* second = soundManager.Load("Sounds/Flip");
   ASSERT_NE(first, nullptr);
   EXPECT_EQ(first, second);
   EXPECT_EQ(soundManager.SoundLoadedGet("Sounds/Flip"), first);

   soundManager.Unload(first);
   EXPECT_EQ(soundManager.SoundLoadedGet("Sounds/Flip"), first);
   soundManager.NameUnload("Sounds/Flip");
   EXPECT_EQ(soundManager.SoundLoadedGet("Sounds/Flip"), nullptr);
}

TEST_F(SoundWAV, ShutdownReleasesSoundsStillCached)
{
   folder.Write("Sounds/Kept.wav", WavMake(Spec(2, 16)));
   ASSERT_NE(soundManager.Load("Sounds/Kept"), nullptr);
   ASSERT_NE(soundManager.Load("Sounds/Kept"), nullptr);
   // TearDown's Deinit frees it; the sanitizer build reports a leak otherwise.
}
