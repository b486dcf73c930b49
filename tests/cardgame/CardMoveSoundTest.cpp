// The card move sound on a running sound manager (null OpenAL device): the pool read from the
// constants, the cooldown, every source busy, and the game's own random words left alone.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "core/Random.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sound/SoundSourceCommon.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/TestCardGame.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
bool FocusYes()
{
   return true;
}

// A mono 16-bit WAV of that many milliseconds of a quiet square wave.
std::string WavMake(u32 milliseconds)
{
   const u32 rate = 48000;
   const u32 samples = rate * milliseconds / 1000;
   std::string data;
   for (u32 i = 0; i < samples; ++i)
   {
      const i16 value = (i / 40) % 2 ? 800 : -800;
      data += static_cast<char>(value & 0xFF);
      data += static_cast<char>((value >> 8) & 0xFF);
   }
   auto u32le = [](u32 v)
   {
      return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                         static_cast<char>((v >> 16) & 0xFF), static_cast<char>((v >> 24) & 0xFF)};
   };
   auto u16le = [](u32 v) {
      return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
   };
   return "RIFF" + u32le(36 + static_cast<u32>(data.size())) + "WAVEfmt " + u32le(16) + u16le(1) + u16le(1) +
          u32le(rate) + u32le(rate * 2) + u16le(2) + u16le(16) + "data" +
          u32le(static_cast<u32>(data.size())) + data;
}

class CardMoveSoundTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      harness.FileWrite("Sounds/TapOne.wav", WavMake(1500));
      harness.FileWrite("Sounds/TapTwo.wav", WavMake(1500));
      harness.CardGlobalConstsSet(
          std::string(CARD_GAME_HARNESS_CONSTS).substr(0, 1) +
          R"("CardMoveSounds": ["Sounds/TapOne", "Sounds/Missing", 7, "Sounds/TapTwo"],
                                     "CardMoveSoundsConcurrentMax": 2, "CardMoveSoundCooldown": 100.9,)" +
          std::string(CARD_GAME_HARNESS_CONSTS).substr(1));
      SoundManagerCommon::FocusCheckFunctionSet(&FocusYes);
      soundManager.Init(allocatorDefault);
      harness.CardGameEnter(&game, R"({"CardPiles": [{"Type": "Draw"}]})");
   }
   void TearDown() override
   {
      harness.Leave();
      soundManager.Deinit();
   }

   // Waits (up to a generous deadline) until every move sound source is playing.
   bool AllSourcesBusyWait()
   {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
      while (std::chrono::steady_clock::now() < deadline)
      {
         bool busy = true;
         for (i32 i = 0; i < game.cardMoveSoundSources.count; ++i)
         {
            busy = busy && game.cardMoveSoundSources[i]->StateGet() != SOUND_SOURCE_IDLE;
         }
         if (busy)
         {
            return true;
         }
         std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
      return false;
   }

   CardGameHarness harness;
   TestCardGame game;
};

TEST_F(CardMoveSoundTest, CooldownBusySourcesAndTheGameSeeds)
{
   ASSERT_TRUE(soundManager.initialised);
   EXPECT_EQ(game.cardMoveSounds.count, 2) << "a missing sound and a non-string are skipped";
   ASSERT_EQ(game.cardMoveSoundSources.count, 2);

   const u32 seed1 = game.seed1;
   const u32 seed2 = game.seed2;
   const u32 engine0 = randomState0;
   game.CardMoveSoundPlay();
   EXPECT_EQ(game.cardMoveSoundCooldown, 100u);
   EXPECT_NE(randomState0, engine0) << "the sound is drawn from the engine's generator";
   EXPECT_EQ(game.seed1, seed1);
   EXPECT_EQ(game.seed2, seed2);

   // Within the cooldown nothing is drawn and nothing plays.
   const u32 engineAfter = randomState0;
   game.CardMoveSoundPlay();
   EXPECT_EQ(randomState0, engineAfter);

   // The cooldown runs down with the frames.
   for (i32 i = 0; i < 7; ++i)
   {
      harness.Frame();
   }
   EXPECT_EQ(game.cardMoveSoundCooldown, 0u);
   game.CardMoveSoundPlay();
   EXPECT_EQ(game.cardMoveSoundCooldown, 100u);

   // Both sources sound: a third sound finds none idle and leaves the cooldown unset.
   ASSERT_TRUE(AllSourcesBusyWait());
   game.cardMoveSoundCooldown = 0;
   game.CardMoveSoundPlay();
   EXPECT_EQ(game.cardMoveSoundCooldown, 0u);
}

TEST(CardMoveSoundAbsent, NoSourcesMeansNoSound)
{
   CardGameHarness harness;
   TestCardGame game;
   harness.CardGlobalConstsSet(R"({"CardMoveSounds": ["Sounds/TapOne"]})");
   harness.CardGameEnter(&game, R"({"CardPiles": [{"Type": "Draw"}]})");
   EXPECT_EQ(game.cardMoveSoundSources.count, 0);
   game.CardMoveSoundPlay();
   EXPECT_EQ(game.cardMoveSoundCooldown, 0u);
   harness.Leave();
}
} // namespace
