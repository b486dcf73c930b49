// The sound manager's commands and threads: voices running out, one-shots stopped, focus pausing,
// the music replay rule, queue order, the record pool, ticker callbacks, and waits that end once
// the sound thread has gone.
#include "tests/platform/SoundTestSupport.h"

#include <atomic>

#include "platform/sound/SoundStreamOpenAL.h"

using namespace CorvaleTest;

namespace
{
class SoundManagerTest : public SoundFixture
{
 protected:
   // A two-second tone: long enough to be still playing when the test looks.
   Sound* ToneLoad(const char* name)
   {
      WavSpec spec;
      spec.rate = 8000;
      spec.data = SineMake(440.0, 8000, 16000);
      folder.Write(std::string(name) + ".wav", WavMake(spec));
      return soundManager.Load(name);
   }

   static ALint SourceStateGet(SoundSourceOpenAL* voice)
   {
      ALint state = 0;
      alGetSourcei(voice->sourceName, AL_SOURCE_STATE, &state);
      return state;
   }
};

class SoundManagerUnfocused : public SoundManagerTest
{
 protected:
   SoundManagerUnfocused() { focused = false; }
};
} // namespace

TEST_F(SoundManagerTest, TheThirtyThirdVoiceIsDroppedWithItsUseCountRestored)
{
   Sound* sound = ToneLoad("Sounds/Tone");
   ASSERT_NE(sound, nullptr);
   for (int i = 0; i < SOUND_VOICE_COUNT + 1; i++)
   {
      Sound::Play(sound, nullptr, true, SOUND_USAGE_EFFECTS);
   }
   soundManager.CommandQueueWait();
   EXPECT_EQ(sound->UseCountGet(), SOUND_VOICE_COUNT);

   Post(SOUND_COMMAND_STOP_ALL);
   EXPECT_EQ(sound->UseCountGet(), 0);
   soundManager.Unload(sound);
}

TEST_F(SoundManagerTest, OneShotsStopSparesLoopingVoices)
{
   Sound* looping = ToneLoad("Sounds/Loop");
   Sound* once = ToneLoad("Sounds/Once");
   Sound::Play(looping, nullptr, true, SOUND_USAGE_EFFECTS);
   Sound::Play(once, nullptr, false, SOUND_USAGE_EFFECTS);
   soundManager.CommandQueueWait();
   EXPECT_EQ(looping->UseCountGet(), 1);
   EXPECT_EQ(once->UseCountGet(), 1);

   Post(SOUND_COMMAND_ONE_SHOTS_STOP);
   EXPECT_EQ(looping->UseCountGet(), 1);
   EXPECT_EQ(once->UseCountGet(), 0);
   soundManager.Unload(looping);
   soundManager.Unload(once);
}

TEST_F(SoundManagerTest, PlaysRunInQueueOrder)
{
   Sound* first = ToneLoad("Sounds/First");
   Sound* second = ToneLoad("Sounds/Second");
   Sound::Play(first, nullptr, false, SOUND_USAGE_EFFECTS);
   Sound::Play(second, nullptr, false, SOUND_USAGE_EFFECTS);
   soundManager.CommandQueueWait();
   // Free voices are taken from the end of the table.
   EXPECT_EQ(soundManager.voices[SOUND_VOICE_COUNT - 1].sound, first);
   EXPECT_EQ(soundManager.voices[SOUND_VOICE_COUNT - 2].sound, second);
   soundManager.Unload(first);
   soundManager.Unload(second);
}

TEST_F(SoundManagerTest, OwnVoiceIsRestartedAndReleased)
{
   Sound* sound = ToneLoad("Sounds/Own");
   SoundSourceOpenAL* voice = soundManager.SourceCreate();
   ASSERT_NE(voice, nullptr);
   Sound::Play(sound, voice, true, SOUND_USAGE_SPEECH);
   Sound::Play(sound, voice, true, SOUND_USAGE_SPEECH);
   soundManager.CommandQueueWait();
   EXPECT_EQ(voice->StateGet(), SOUND_SOURCE_PLAYING);
   EXPECT_EQ(sound->UseCountGet(), 1);
   EXPECT_EQ(SourceStateGet(voice), AL_PLAYING);

   voice->Release();
   EXPECT_EQ(voice->StateGet(), SOUND_SOURCE_IDLE);
   EXPECT_EQ(sound->UseCountGet(), 0);
   MemoryDelete(voice);
   soundManager.Unload(sound);
}

TEST_F(SoundManagerUnfocused, SoundWaitsForTheFocusAndPausesWhenItGoes)
{
   EXPECT_EQ(soundManager.PauseCountGet(), 1);
   Sound* sound = ToneLoad("Sounds/Focus");
   SoundSourceOpenAL* voice = soundManager.SourceCreate();
   Sound::Play(sound, voice, true, SOUND_USAGE_EFFECTS);
   soundManager.CommandQueueWait();
   EXPECT_EQ(SourceStateGet(voice), AL_INITIAL);

   Event::Trigger("OnOSFocusGain", nullptr);
   Post(SOUND_COMMAND_SYNC);
   EXPECT_EQ(soundManager.PauseCountGet(), 0);
   EXPECT_EQ(SourceStateGet(voice), AL_PLAYING);

   Event::Trigger("OnOSFocusLose", nullptr);
   EXPECT_EQ(soundManager.PauseCountGet(), 1);
   EXPECT_EQ(SourceStateGet(voice), AL_PAUSED);

   voice->Release();
   MemoryDelete(voice);
   soundManager.Unload(sound);
}

TEST_F(SoundManagerTest, MusicPlayOfThePlayingSongDoesNotRestartIt)
{
   folder.Write("Music/Song.snd", StreamMake(100));
   soundManager.MusicPlay("Music/Song", true);
   soundManager.CommandQueueWait();
   ASSERT_TRUE(soundManager.musicSource.StreamActiveCheck());

   // With the file gone, a restart would fail and leave the source idle.
   std::filesystem::remove(folder.path + "/Music/Song.snd");
   soundManager.MusicPlay("Music/Song", true);
   soundManager.CommandQueueWait();
   EXPECT_TRUE(soundManager.musicSource.StreamActiveCheck());
   EXPECT_FALSE(log.Contains("unable to find sound stream file"));

   soundManager.MusicPlay("Music/Other", true);
   soundManager.CommandQueueWait();
   EXPECT_EQ(soundManager.musicSource.StateGet(), SOUND_SOURCE_IDLE);
   EXPECT_TRUE(log.Contains("SoundManagerOpenAL::StreamPlayHelper -- unable to find sound stream file: "
                            "\"Music/Other.snd\"\n"));
}

TEST_F(SoundManagerTest, RecordsComeBackToThePoolUnderLoad)
{
   // More commands than records: taking one must wait for the sound thread to free one.
   for (int i = 0; i < 3 * SOUND_COMMAND_COUNT; i++)
   {
      SoundCommand* command = soundManager.CommandGet();
      command->type = SOUND_COMMAND_SYNC;
      soundManager.CommandQueueAdd(command);
   }
   soundManager.CommandQueueWait();
   EXPECT_TRUE(WaitFor([] { return FreeRecordsCount() == SOUND_COMMAND_COUNT; }));
}

namespace
{
std::atomic<int> tickerCalls{0};

void TickerCount(void*)
{
   tickerCalls++;
}
} // namespace

TEST_F(SoundManagerTest, TickerCallbacksRunUntilRemoved)
{
   SoundCommand* command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_TICKER_CALLBACK_ADD;
   command->tickerFunction = &TickerCount;
   soundManager.CommandQueueAdd(command);
   soundManager.CommandQueueWait();
   // The ticker wakes the idle sound thread every 16 ms.
   EXPECT_TRUE(WaitFor([] { return tickerCalls.load() >= 5; }, 2000));

   command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_TICKER_CALLBACK_REMOVE;
   command->tickerFunction = &TickerCount;
   soundManager.CommandQueueAdd(command);
   soundManager.CommandQueueWait();
   Post(SOUND_COMMAND_SYNC);
   int calls = tickerCalls.load();
   std::this_thread::sleep_for(std::chrono::milliseconds(60));
   EXPECT_EQ(tickerCalls.load(), calls);
}

TEST_F(SoundManagerTest, WaitsEndOnceTheSoundThreadHasStopped)
{
   Sound* sound = ToneLoad("Sounds/Late");
   SoundCommand* command = soundManager.CommandGet();
   command->type = SOUND_COMMAND_QUIT;
   soundManager.CommandQueueAdd(command);
   ASSERT_TRUE(WaitFor([] { return !soundManager.SoundThreadRunningCheck(); }));

   // None of these may hang, and every record they take must come back.
   Post(SOUND_COMMAND_SYNC);
   Sound::Play(sound, nullptr, false, SOUND_USAGE_EFFECTS);
   soundManager.musicSource.Stop();
   soundManager.FocusLose();
   soundManager.FocusGain();
   soundManager.Unload(sound);
   EXPECT_EQ(FreeRecordsCount(), SOUND_COMMAND_COUNT);
}
