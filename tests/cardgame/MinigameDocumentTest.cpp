// The game state document of the game base: options completed with their defaults, a round trip
// into a freshly entered game, and malformed documents that are refused without changing anything.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <typeinfo>

#include "app/profile/ProfileStore.h"
#include "cardgame/Action.h"
#include "cardgame/Command.h"
#include "cardgame/Player.h"
#include "cardgame/Team.h"
#include "core/Random.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeBasic.h"
#include "core/ReflectionTypeObject.h"
#include "core/ReflectionTypeTable.h"
#include "tests/cardgame/DocumentTestSupport.h"
#include "tests/cardgame/GameHarness.h"
#include "tests/cardgame/TestGame.h"
#include "tests/core/JSONTestSupport.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
// The test game as a saved class, with a field of its own.
class SavedGame : public TestGame
{
 public:
   static void ReflectionRegister()
   {
      auto* record = MemoryNew<ReflectionTypeObjectTyped<SavedGame>>(HEAP_DEFAULT);
      record->Init("Corvale::SavedGame");
      record->BaseAdd(typeid(Minigame).name());
      record->FieldAdd(&SavedGame::round, "round");
      ReflectionManager::TypeRegister(record);
   }
   i32 round = 0;
};

const char* const Options = R"({"Settings": [
   {"Name": "Hard", "Default": true}, {"Name": "Rounds", "Default": 3}, {"Name": "Sort", "Default": "Up"},
   {"Name": "Hard", "Default": false}, {"Name": "NoDefault"}, "not an object"]})";

class MinigameDocumentTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      FrameworkTypesRegister();
      SavedGame::ReflectionRegister();
      harness.FileWrite("Scripts/Minigames/TestGame.json", Options);
   }

   void TearDown() override
   {
      harness.Leave();
      ReflectionManager::Deinit();
   }

   void Enter(SavedGame* game, i32 players = 3)
   {
      game->playerCount = players;
      harness.Enter(game);
      harness.Frame();
      game->GameNew();
   }

   std::string Saved(SavedGame* game)
   {
      JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
      EXPECT_TRUE(game->Save(document.get()));
      return JSONTest::TextWrite(document.get());
   }

   // Everything a failed load must leave alone, as text.
   std::string Everything(SavedGame* game)
   {
      const JSONValue* options = profileCurrent->ItemGet("MinigameSettings")->ItemGet("TestGame");
      return Saved(game) + JSONTest::TextWrite(options) + std::to_string(randomState0) + "/" +
             std::to_string(randomState1) + "/" + std::to_string(game->actionQueue.count) + "/" +
             std::to_string(game->gameResult) + std::to_string(game->statisticsRecorded);
   }

   GameHarness harness;
   SavedGame game;
};

TEST_F(MinigameDocumentTest, SavedOptionsHoldEveryDeclaredOptionWithTheRightType)
{
   Enter(&game);
   ASSERT_EQ(profileCurrent->ItemFind("MinigameSettings"), nullptr);
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   document->StringSet("made an object");
   ASSERT_TRUE(game.Save(document.get()));
   EXPECT_EQ(JSONTest::TextWrite(document->ItemGet("Frontend")->ItemGet("MinigameSettings")),
             JSONTest::TextWrite(JSONTest::TextParse(R"({"Hard": true, "Rounds": 3, "Sort": "Up"})").get()));
   EXPECT_EQ(profileCurrent->ItemFind("MinigameSettings"), nullptr) << "saving changes nothing";
   EXPECT_STREQ(document->ItemGet("Frontend")->ItemGet("Minigame")->ItemGet("___Type")->StringValueGet(),
                "Corvale::SavedGame");

   JSONValue* stored = ProfileMinigameSettingsGet("TestGame");
   stored->ItemNumberSet("Hard", 0);
   stored->ItemStringSet("Sort", "Down");
   stored->ItemBoolSet("Extra", true);
   ASSERT_TRUE(game.Save(document.get()));
   EXPECT_EQ(JSONTest::TextWrite(document->ItemGet("Frontend")->ItemGet("MinigameSettings")),
             JSONTest::TextWrite(
                 JSONTest::TextParse(R"({"Extra": true, "Hard": true, "Rounds": 3, "Sort": "Down"})").get()))
       << "a number for a bool option is saved as the declared default";
   EXPECT_FALSE(game.Save(nullptr));
}

TEST_F(MinigameDocumentTest, RoundTripIntoAFreshGameResumesTheSameState)
{
   Enter(&game);
   game.seed1 = 0x12345678;
   game.seed2 = 0x9ABCDEF0;
   game.round = 4;
   game.players[1]->minigameScore = 17;
   game.MarkPost(7, 250);
   game.MarkPost(8);
   ProfileMinigameSettingsGet("TestGame")->ItemBoolSet("Hard", false);
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(document.get()));
   const std::string first = JSONTest::TextWrite(document.get());
   const u32 nextDraw = game.RandomIntGet(52);

   SavedGame fresh;
   fresh.frameNow = &harness.frames;
   Enter(&fresh);
   ProfileMinigameSettingsGet("TestGame")->ItemBoolSet("Hard", true);
   randomState0 = 1;
   randomState1 = 2;
   ASSERT_TRUE(fresh.Load(document.get()));
   EXPECT_EQ(Saved(&fresh), first);
   EXPECT_EQ(fresh.round, 4);
   EXPECT_EQ(fresh.players[1]->minigameScore, 17);
   EXPECT_FALSE(fresh.SettingBoolGet("Hard")) << "the saved options become the player's";
   EXPECT_EQ(randomState0, 0x12345678u);
   EXPECT_EQ(randomState1, 0x9ABCDEF0u);
   EXPECT_EQ(fresh.RandomIntGet(52), nextDraw);
   ASSERT_EQ(fresh.actionQueue.count, 2);
   for (int frame = 0; frame < 100 && fresh.actionQueue.count > 0; frame++)
   {
      harness.Frame();
   }
   std::vector<std::string> marks;
   for (const std::string& entry : fresh.journal)
   {
      if (entry.rfind("mark", 0) == 0)
      {
         marks.push_back(entry.substr(0, 5));
      }
   }
   EXPECT_EQ(marks, (std::vector<std::string>{"mark7", "mark8"}));
   harness.Leave();
}

TEST_F(MinigameDocumentTest, MalformedDocumentsChangeNothing)
{
   Enter(&game);
   game.MarkPost(1, 5000);
   ProfileMinigameSettingsGet("TestGame")->ItemStringSet("Sort", "Down");
   JSONTest::ValuePointer good(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(good.get()));
   const std::string text = JSONTest::TextWrite(good.get());

   struct Case
   {
      const char* what;
      std::string from, to;
   };
   const Case cases[] = {
       {"not an object", text, "[1, 2]"},
       {"no Frontend", "\"Frontend\"", "\"Backend\""},
       {"settings not an object", "\"MinigameSettings\": {", "\"MinigameSettings\": 3, \"Unused\": {"},
       {"game not an object", "\"Minigame\": {", "\"Minigame\": [], \"Unused\": {"},
       {"a mistyped field", "\"seed1\": ", "\"seed1\": \"many\", \"x\": "},
       {"another game's type", "\"Corvale::SavedGame\"", "\"Corvale::OtherGame\""},
       {"a player that is no object", "\"players\": [", "\"players\": [7, "},
       {"a mistyped queued action", "\"startDelay\": 5000", "\"startDelay\": \"soon\""},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      std::string broken = text;
      const size_t at = broken.find(c.from);
      ASSERT_NE(at, std::string::npos);
      broken.replace(at, c.from.size(), c.to);
      JSONTest::ValuePointer document = JSONTest::TextParse(broken);
      ASSERT_TRUE(document) << broken;
      game.seed1 ^= 0x55;
      randomState0 = 99;
      const std::string before = Everything(&game);
      EXPECT_FALSE(game.Load(document.get()));
      EXPECT_EQ(Everything(&game), before);
   }
   EXPECT_FALSE(game.Load(nullptr));
}

// Members dropped, retyped and pushed out of range: each variant loads whole or changes nothing.
TEST_F(MinigameDocumentTest, MutatedDocumentsLoadWholeOrNotAtAll)
{
   Enter(&game);
   game.MarkPost(1, 5000);
   JSONTest::ValuePointer good(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(good.get()));
   const std::string text = JSONTest::TextWrite(good.get());
   MutationPass(
       text, 7, 2000, [&](JSONValue* document) { return game.Load(document); },
       [&]() { return Everything(&game); },
       [&]()
       {
          // Back to the good state for the next variant.
          ASSERT_TRUE(game.Load(good.get()));
       });
}
} // namespace
