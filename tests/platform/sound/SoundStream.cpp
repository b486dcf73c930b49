// ".snd" streams: headers refused before anything is sized from them, pages of decoded frames
// and silence, looping back to byte 24 inside a page, finishing, played milliseconds, and a Deinit
// that may be reached twice.
#include "tests/platform/SoundTestSupport.h"

#include "platform/sound/SoundStreamOpenALCelt.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace CorvaleTest;

namespace
{
// A stream file in memory that records where it was positioned.
class MemoryFile : public File
{
 public:
   explicit MemoryFile(Bytes contents) : bytes(std::move(contents)) {}
   u32 Read(void* buffer, u32 count) override
   {
      u32 available = position < bytes.size() ? static_cast<u32>(bytes.size() - position) : 0;
      u32 got = count < available ? count : available;
      std::memcpy(buffer, bytes.data() + position, got);
      position += got;
      reads.push_back(got);
      return got;
   }
   i64 SizeGet() override { return static_cast<i64>(bytes.size()); }
   i64 PositionGet() override { return static_cast<i64>(position); }
   bool PositionSet(i64 offset, i32 origin) override
   {
      if (origin == FILE_ORIGIN_START)
      {
         seeks.push_back(offset);
         position = static_cast<size_t>(offset);
      }
      return true;
   }
   bool EndCheck() override { return position >= bytes.size(); }

   Bytes bytes;
   size_t position = 0;
   std::vector<u32> reads;
   std::vector<i64> seeks;
};

// Closes nothing: the test owns the file.
class CountingManager : public FileManager
{
 public:
   File* Open(const char*, i32, i32) override { return nullptr; }
   bool Close(File*) override
   {
      closes++;
      return true;
   }
   bool Exists(const char*) override { return false; }
   int closes = 0;
};

// Streams driven directly on this thread: an OpenAL context of our own and the manager's table of
// free sources, with no sound thread running.
class SoundStreamDirect : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      LogFileSet(&log);
      device = alcOpenDevice(nullptr);
      ASSERT_NE(device, nullptr);
      context = alcCreateContext(device, nullptr);
      alcMakeContextCurrent(context);
      for (int i = 0; i < 4; i++)
      {
         ALuint name = 0;
         alGenSources(1, &name);
         soundManager.freeSourceIds.Add(name);
      }
   }
   void TearDown() override
   {
      for (int i = 0; i < soundManager.freeSourceIds.count; i++)
      {
         ALuint name = soundManager.freeSourceIds.items[i];
         alDeleteSources(1, &name);
      }
      soundManager.freeSourceIds.Clear();
      alcMakeContextCurrent(nullptr);
      alcDestroyContext(context);
      alcCloseDevice(device);
      LogFileSet(nullptr);
   }

   bool StreamInit(SoundStreamOpenALCelt* stream, MemoryFile* file, bool loop,
                   SoundStreamSource* source = nullptr)
   {
      const float zero[3] = {0.0f, 0.0f, 0.0f};
      return stream->Init(file, &manager, HEAP_SOUND_THREAD, source, loop, SOUND_USAGE_MUSIC, 100, zero,
                          zero);
   }

   static bool PageSilentFrameCheck(const SoundStreamOpenALCelt& stream, u32 frame)
   {
      const i16* samples = reinterpret_cast<const i16*>(stream.pagePCM + frame * stream.bytesPerFrame);
      for (u32 i = 0; i < stream.bytesPerFrame / 2; i++)
      {
         if (samples[i] != 0)
         {
            return false;
         }
      }
      return true;
   }

   LogSink log;
   CountingManager manager;
   ALCdevice* device = nullptr;
   ALCcontext* context = nullptr;
};

struct HeaderCase
{
   const char* title;
   Bytes file;
   const char* message;
};
} // namespace

TEST_F(SoundStreamDirect, HeadersAreCheckedBeforeAnythingIsSized)
{
   const HeaderCase cases[] = {
       {"ThreeChannels", StreamMake(0, 3), "Unsupported channel count (3)"},
       {"Rate44100", StreamMake(0, 2, 160, 1, 44100), "Unsupported mode (44100 Hz, 960 samples per frame)"},
       {"Frames128", StreamMake(0, 2, 160, 1, 48000, 128),
        "Unsupported mode (48000 Hz, 128 samples per frame)"},
       {"Rate16000", StreamMake(0, 2, 160, 1, 16000, 320),
        "Unsupported mode (16000 Hz, 320 samples per frame)"},
       {"FrameSizeZero", StreamMake(0, 2, 0), "Unsupported frame size (0)"},
       {"FrameSizeHuge", StreamMake(0, 2, 0x40000000), "Unsupported frame size (1073741824)"},
       {"RateZero", StreamMake(0, 2, 160, 1, 0), "SoundStreamOpenALCelt::Init -- Sample rate too low: 0\n"},
       {"RateNegative", StreamMake(0, 2, 160, 1, -48000), "Sample rate too low: -48000"},
       {"NoSamples", StreamMake(0, 2, 160, 1, 48000, 0), "Not enough samples per frame: 0\n"},
       {"ShortHeader", Bytes(10, 1), "Unable to read the stream header"},
   };
   for (const HeaderCase& headerCase : cases)
   {
      SCOPED_TRACE(headerCase.title);
      MemoryFile file(headerCase.file);
      SoundStreamSource source;
      source.state = SOUND_SOURCE_RESERVED;
      SoundStreamOpenALCelt stream;
      source.stream = &stream;
      EXPECT_FALSE(StreamInit(&stream, &file, false, &source));
      EXPECT_TRUE(log.Contains(headerCase.message)) << log.Text();
      EXPECT_EQ(stream.pagePCM, nullptr);
      stream.Deinit();
      stream.Deinit();
      EXPECT_EQ(source.state, SOUND_SOURCE_IDLE);
      EXPECT_EQ(source.stream, nullptr);
      EXPECT_EQ(soundManager.freeSourceIds.count, 4);
   }
}

TEST_F(SoundStreamDirect, FiveFramesFillOnePageThenSilenceAndFinish)
{
   MemoryFile file(StreamMake(5, 1));
   SoundStreamSource source;
   SoundStreamOpenALCelt stream;
   source.stream = &stream;
   source.state = SOUND_SOURCE_PLAYING;
   ASSERT_TRUE(StreamInit(&stream, &file, false, &source));
   EXPECT_EQ(stream.pageFrames, 13u);
   EXPECT_EQ(stream.framesRemaining, 0u);
   // The header, then exactly the five frames; nothing is read once they are gone.
   ASSERT_EQ(file.reads.size(), 6u);
   for (size_t i = 1; i < file.reads.size(); i++)
   {
      EXPECT_EQ(file.reads[i], 160u);
   }
   EXPECT_TRUE(PageSilentFrameCheck(stream, 0));
   EXPECT_EQ(soundManager.freeSourceIds.count, 3);

   // Four pages of a quarter second each play out in real time.
   EXPECT_TRUE(WaitFor(
       [&]
       {
          stream.Update();
          return stream.FinishedCheck();
       },
       3000));
   stream.Deinit();
   stream.Deinit();
   EXPECT_EQ(manager.closes, 1);
   EXPECT_EQ(source.state, SOUND_SOURCE_IDLE);
   EXPECT_EQ(source.stream, nullptr);
   EXPECT_EQ(soundManager.freeSourceIds.count, 4);
}

TEST_F(SoundStreamDirect, LoopingRestartsAtByte24WithoutAGap)
{
   MemoryFile file(StreamMake(5, 2));
   SoundStreamOpenALCelt stream;
   ASSERT_TRUE(StreamInit(&stream, &file, true));
   // Four pages of 13 frames from a 5-frame file: back to the first frame after every fifth.
   ASSERT_EQ(file.seeks.size(), 52u / 5u);
   for (i64 offset : file.seeks)
   {
      EXPECT_EQ(offset, 24);
   }
   for (size_t i = 1; i < file.reads.size(); i++)
   {
      EXPECT_EQ(file.reads[i], 160u) << "read " << i;
   }
   // The last page crosses the loop point twice and holds no silent frame.
   for (u32 frame = 0; frame < stream.pageFrames; frame++)
   {
      EXPECT_FALSE(PageSilentFrameCheck(stream, frame)) << "frame " << frame;
   }
   EXPECT_EQ(stream.PlayedMillisecondsGet(), 0u);
   stream.Deinit();
}

TEST_F(SoundStreamDirect, ATruncatedFileEndsTheStreamInsteadOfFailingEveryPage)
{
   Bytes bytes = StreamMake(20, 1);
   bytes.resize(24 + 160 * 7 + 50);
   MemoryFile file(bytes);
   SoundStreamOpenALCelt stream;
   ASSERT_TRUE(StreamInit(&stream, &file, false));
   EXPECT_EQ(stream.framesRemaining, 0u);
   const std::string text = log.Text();
   EXPECT_NE(
       text.find("SoundStreamOpenALCelt::PagePrepare -- Only read 50 bytes when expecting 160 bytes.\n"),
       std::string::npos);
   EXPECT_EQ(text.find("Only read 0 bytes"), std::string::npos);
   stream.Deinit();
}

namespace
{
class SoundStreamPlay : public SoundFixture
{
 protected:
   u32 PositionGet(SoundStreamSource* source)
   {
      u32 value = 12345;
      SoundCommand* command = soundManager.CommandGet();
      command->type = SOUND_COMMAND_STREAM_POSITION_GET;
      command->streamSource = source;
      command->resultValue = &value;
      soundManager.CommandQueueAdd(command);
      soundManager.CommandQueueWait();
      return value;
   }
};
} // namespace

TEST_F(SoundStreamPlay, WrongEncodingIsRefusedAndTheSourceStaysIdle)
{
   folder.Write("Speech/Bad.snd", StreamMake(3, 1, 160, 2));
   SoundStreamSource source;
   soundManager.StreamPlay("Speech/Bad", &source, false, SOUND_USAGE_SPEECH, fileManagerResource);
   soundManager.CommandQueueWait();
   EXPECT_EQ(source.StateGet(), SOUND_SOURCE_IDLE);
   EXPECT_FALSE(source.StreamActiveCheck());
   EXPECT_TRUE(log.Contains(
       "SoundManagerOpenAL::StreamPlayHelper -- Unsupported encoding (2) for file: Speech/Bad\n"));
   EXPECT_TRUE(soundManager.StreamExistsCheck("Speech/Bad"));
   EXPECT_FALSE(soundManager.StreamExistsCheck("Speech/Missing"));
}

TEST_F(SoundStreamPlay, PlayedMillisecondsClimbToTheEndAndTheStreamFinishes)
{
   // 40 frames of 20 ms.
   folder.Write("Speech/Line.snd", StreamMake(40, 1));
   SoundStreamSource source;
   soundManager.StreamPlay("Speech/Line", &source, false, SOUND_USAGE_SPEECH, fileManagerResource);
   soundManager.CommandQueueWait();
   ASSERT_EQ(source.StateGet(), SOUND_SOURCE_PLAYING);

   std::vector<u32> positions;
   EXPECT_TRUE(WaitFor(
       [&]
       {
          positions.push_back(PositionGet(&source));
          return source.StateGet() == SOUND_SOURCE_IDLE;
       },
       4000));
   // The last sample was taken once the stream had gone.
   positions.pop_back();
   ASSERT_GT(positions.size(), 10u);
   u32 highest = 0;
   for (size_t i = 1; i < positions.size(); i++)
   {
      EXPECT_GE(positions[i], positions[i - 1]) << "sample " << i;
      EXPECT_LE(positions[i], 800u);
      highest = std::max(highest, positions[i]);
   }
   EXPECT_GE(highest, 700u);
   EXPECT_EQ(PositionGet(&source), 0u);
   EXPECT_FALSE(source.StreamActiveCheck());
}

TEST_F(SoundStreamPlay, StoppingAStreamFreesItsSourceForVoices)
{
   folder.Write("Music/Loop.snd", StreamMake(10, 2));
   SoundStreamSource sources[3];
   for (SoundStreamSource& source : sources)
   {
      soundManager.StreamPlay("Music/Loop", &source, true, SOUND_USAGE_MUSIC, fileManagerResource);
   }
   soundManager.CommandQueueWait();
   for (SoundStreamSource& source : sources)
   {
      EXPECT_TRUE(source.StreamActiveCheck());
      source.Stop();
      EXPECT_EQ(source.StateGet(), SOUND_SOURCE_IDLE);
   }
   // All 32 sources are free again: 32 looping voices fit.
   WavSpec spec;
   spec.data = SineMake(300.0, 48000, 48000);
   folder.Write("Sounds/Hum.wav", WavMake(spec));
   Sound* sound = soundManager.Load("Sounds/Hum");
   for (int i = 0; i < SOUND_VOICE_COUNT; i++)
   {
      Sound::Play(sound, nullptr, true, SOUND_USAGE_EFFECTS);
   }
   soundManager.CommandQueueWait();
   EXPECT_EQ(sound->UseCountGet(), SOUND_VOICE_COUNT);
   soundManager.Unload(sound);
}

namespace
{
Bytes FileBytesRead(const std::string& path)
{
   std::ifstream in(path, std::ios::binary);
   return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// <build>/tests/<this test> gives <build>.
std::string BuildFolderGet()
{
   char path[4096] = {};
   const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
   std::string exe(path, length > 0 ? static_cast<size_t>(length) : 0);
   exe = exe.substr(0, exe.rfind('/'));
   return exe.substr(0, exe.rfind('/'));
}

// The interleaved 16-bit samples of a PCM WAV file's "data" chunk.
std::vector<i16> WavSamplesRead(const Bytes& wav)
{
   std::vector<i16> samples;
   for (size_t at = 12; at + 8 <= wav.size();)
   {
      const u32 size =
          wav[at + 4] | (wav[at + 5] << 8) | (wav[at + 6] << 16) | (static_cast<u32>(wav[at + 7]) << 24);
      if (std::memcmp(&wav[at], "data", 4) == 0 && at + 8 + size <= wav.size())
      {
         samples.resize(size / 2);
         std::memcpy(samples.data(), &wav[at + 8], samples.size() * 2);
         break;
      }
      at += 8 + size + (size & 1);
   }
   return samples;
}

// Pearson correlation of one channel of two interleaved stereo runs of count frames.
double ChannelCorrelation(const i16* a, const i16* b, size_t count, int channel)
{
   double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
   for (size_t i = 0; i < count; i++)
   {
      const double x = a[2 * i + channel];
      const double y = b[2 * i + channel];
      sa += x;
      sb += y;
      saa += x * x;
      sbb += y * y;
      sab += x * y;
   }
   const double n = static_cast<double>(count);
   const double covariance = sab - sa * sb / n;
   const double spread = std::sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
   return spread > 0 ? covariance / spread : 0.0;
}
} // namespace

// The generated tune through our stream path against the encoder's own source: a channel mix-up
// or a wrong frame size would decode into something else.
TEST_F(SoundStreamDirect, TheTuneDecodesToWhatWasEncoded)
{
   const std::string build = BuildFolderGet();
   const std::vector<i16> source =
       WavSamplesRead(FileBytesRead(build + "/tools/sndenc/scratch/TestTune.wav"));
   MemoryFile file(FileBytesRead(build + "/data/Music/TestTune.snd"));
   ASSERT_GT(source.size(), 0u) << "build the corvale-sounds target";
   ASSERT_GT(file.bytes.size(), SOUND_STREAM_HEADER_SIZE);

   SoundStreamOpenALCelt stream;
   ASSERT_TRUE(StreamInit(&stream, &file, false));
   ASSERT_EQ(stream.channels, 2u);
   // Start-up fills every buffer: the page in hand is the last of them.
   const size_t pageSamples = static_cast<size_t>(stream.pageFrames) * stream.samplesPerFrame;
   const size_t pageStart = pageSamples * (SOUND_STREAM_BUFFER_COUNT - 1);
   const i16* decoded = reinterpret_cast<const i16*>(stream.pagePCM);
   ASSERT_LE((pageStart + pageSamples + 4096) * 2, source.size());

   // The codec's delay is a few hundred samples at most: take the best alignment of the left
   // channel, then both channels must match there.
   int bestLag = 0;
   double best = -2.0;
   for (int lag = 0; lag < 2048; lag += 1)
   {
      const double c =
          ChannelCorrelation(decoded, &source[(pageStart - static_cast<size_t>(lag)) * 2], 2048, 0);
      if (c > best)
      {
         best = c;
         bestLag = lag;
      }
   }
   const i16* aligned = &source[(pageStart - static_cast<size_t>(bestLag)) * 2];
   EXPECT_GE(ChannelCorrelation(decoded, aligned, pageSamples, 0), 0.99) << "lag " << bestLag;
   EXPECT_GE(ChannelCorrelation(decoded, aligned, pageSamples, 1), 0.99) << "lag " << bestLag;
   stream.Deinit();
}

// The dialog lines spoken at build time: each decodes through our stream path into sound, not
// silence, lasting about as long as its words at a talking pace; two characters saying the same
// words sound apart.
TEST_F(SoundStreamDirect, SpokenLinesDecodeToSoundAsLongAsTheirWords)
{
   const std::string speech = BuildFolderGet() + "/data/Speech/";
   struct Line
   {
      const char* file;
      int words;
   };
   const Line lines[] = {{"English/MabelHello.snd", 9},
                         {"English/KofiWarTimeForWar.snd", 4},
                         {"English/TutorialKlondikeLayout.snd", 0},
                         {"German/MabelHello.snd", 0},
                         {"Russian/OswinWin.snd", 0}};
   for (const Line& line : lines)
   {
      SCOPED_TRACE(line.file);
      MemoryFile file(FileBytesRead(speech + line.file));
      ASSERT_GT(file.bytes.size(), SOUND_STREAM_HEADER_SIZE) << "build the corvale-speech target";
      SoundStreamOpenALCelt stream;
      ASSERT_TRUE(StreamInit(&stream, &file, false));
      EXPECT_EQ(stream.channels, 1u);
      const u32 frames = static_cast<u32>(file.bytes[8]) | static_cast<u32>(file.bytes[9]) << 8 |
                         static_cast<u32>(file.bytes[10]) << 16 | static_cast<u32>(file.bytes[11]) << 24;
      const double seconds = frames * static_cast<double>(stream.samplesPerFrame) / 48000.0;
      EXPECT_GT(seconds, 0.5);
      if (line.words > 0)
      {
         // A few hundred milliseconds a word, and a breath at the end.
         EXPECT_GT(seconds, 0.15 * line.words);
         EXPECT_LT(seconds, 0.7 * line.words + 0.8);
      }
      // The page in hand lies well inside the words: loud enough to hear.
      const i16* samples = reinterpret_cast<const i16*>(stream.pagePCM);
      int loudest = 0;
      for (u32 i = 0; i < stream.pageFrames * stream.samplesPerFrame; i++)
      {
         loudest = std::max(loudest, std::abs(static_cast<int>(samples[i])));
      }
      EXPECT_GT(loudest, 2000);
      stream.Deinit();
   }
   EXPECT_NE(FileBytesRead(speech + "English/MabelWarTimeForWar.snd"),
             FileBytesRead(speech + "English/OswinWarTimeForWar.snd"))
       << "each character speaks in a voice of its own";
}
