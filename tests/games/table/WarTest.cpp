// War headless: the battle table, wars with short piles, the end conditions and the results'
// winner, the saved war counts, and many seeded games of two computer players checked against
// the rules at every battle.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "core/StringHelpers.h"
#include "games/table/War.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
std::string WarConsts()
{
   return R"({"DelayCardDeal": 10, "DelayAIAction": 50, "DelayAITurnBegin": 20, "DelayShowCards": 100,
      "DelayGameOver": 100,
      "Settings": [{"Name": "WarPeace", "Default": false}, {"Name": "GameEndCondition", "Default": "6Wars"}],
      "CardPiles": [{"Type": "Draw", "SecondaryID": 1, "Position": "400|230"},
                    {"Type": "Trick", "SecondaryID": 1, "Position": "540|230", "CardPositionOffset": "30|0"},
                    {"Type": "Draw", "SecondaryID": 0, "Position": "400|470"},
                    {"Type": "Trick", "SecondaryID": 0, "Position": "540|470", "CardPositionOffset": "30|0"},
                    {"Type": "Discard", "Position": "-200|-200"}]})";
}

// The rules' battle, written on its own: ranks 1 to 13, the ace above the king.
i32 RulesBattleWinner(i32 rank0, i32 rank1, bool peace)
{
   const i32 a = rank0 == RANK_ACE ? 14 : rank0;
   const i32 b = rank1 == RANK_ACE ? 14 : rank1;
   if (a == b)
   {
      return -1;
   }
   return (a > b) != peace ? 0 : 1;
}

// War, checked at every battle it decides: the rules name the winner from the two face-up cards,
// and once the table is cleared the winner's pile holds every card that lay there.
class CheckedWar : public War
{
 public:
   const char* LayerNameGet() override { return nullptr; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CheckedWar"; }

   void Refresh() override
   {
      const CardPile* t0 = TrickPileGet(0);
      const CardPile* t1 = TrickPileGet(1);
      const Card* c0 = t0 ? t0->CardTopGet() : nullptr;
      const Card* c1 = t1 ? t1->CardTopGet() : nullptr;
      if (expectedWinner < 0 && c0 && c1 && c0->faceUp && c1->faceUp)
      {
         expectedWinner = RulesBattleWinner(c0->rank, c1->rank, SettingBoolGet("WarPeace"));
         if (expectedWinner >= 0)
         {
            onTable = t0->cards.count + t1->cards.count;
            wasWar = t0->cards.count > 1;
            drawBefore[0] = DrawPileGet(0)->cards.count;
            drawBefore[1] = DrawPileGet(1)->cards.count;
            warsBefore[0] = WarsWonGet(0);
            warsBefore[1] = WarsWonGet(1);
         }
      }
      War::Refresh();
   }

   // After each frame: a decided battle whose cards have all gone home.
   void BattleCheck()
   {
      if (expectedWinner < 0 || TrickPileGet(0)->cards.count > 0 || TrickPileGet(1)->cards.count > 0)
      {
         return;
      }
      const i32 w = expectedWinner;
      EXPECT_EQ(DrawPileGet(w)->cards.count, drawBefore[w] + onTable) << "the winner takes the table";
      EXPECT_EQ(DrawPileGet(1 - w)->cards.count, drawBefore[1 - w]);
      EXPECT_EQ(WarsWonGet(w), warsBefore[w] + (wasWar ? 1 : 0));
      EXPECT_EQ(WarsWonGet(1 - w), warsBefore[1 - w]);
      battles++;
      expectedWinner = -1;
   }

   i32 expectedWinner = -1;
   i32 onTable = 0;
   bool wasWar = false;
   i32 drawBefore[2] = {0, 0};
   i32 warsBefore[2] = {0, 0};
   i32 battles = 0;
};

class WarTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      FrameworkTypesRegister();
      WarPlayer::ReflectionRegister();
      War::ReflectionRegister();
      auto* record = MemoryNew<ReflectionTypeObjectTyped<CheckedWar>>(HEAP_DEFAULT);
      record->Init("Corvale::CheckedWar");
      record->BaseAdd(typeid(War).name());
      ReflectionManager::TypeRegister(record);
      harness.FileWrite("Scripts/Minigames/War.json", WarConsts());
      harness.enteredConsts = WarConsts();
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }

   void TearDown() override
   {
      harness.Leave();
      ReflectionManager::Deinit();
   }

   JSONValue* Options() { return ProfileMinigameSettingsGet("War"); }
   WarPlayer* Seat(i32 i) { return dynamic_cast<WarPlayer*>(game.players[i]); }

   // Both seats human (nothing plays by itself), every card in the spare pile off the table, the
   // queue empty; then the named cards laid out, bottom first.
   void TableSet(const std::vector<std::string>& draw0, const std::vector<std::string>& draw1,
                 const std::vector<std::string>& trick0, const std::vector<std::string>& trick1, i32 active)
   {
      game.ActionQueueClear();
      game.CardAnimationsFinish();
      game.players[0]->human = true;
      game.players[1]->human = true;
      CardPile* spare = game.CardPileGet(CARD_PILE_TYPE_DISCARD, -1, -1);
      ASSERT_NE(spare, nullptr);
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         spare->CardInsert(spare->cards.count, game.cards[i]);
      }
      harness.CardsPlace(game.DrawPileGet(0), draw0);
      harness.CardsPlace(game.DrawPileGet(1), draw1);
      harness.CardsPlace(game.TrickPileGet(0), trick0);
      harness.CardsPlace(game.TrickPileGet(1), trick1);
      game.playerActiveID = game.players[active]->id;
      game.refreshPending = true;
   }

   std::string Text(CardPile* pile) { return CardGameHarness::PileText(pile); }

   CardGameHarness harness;
   CheckedWar game;
};

TEST_F(WarTest, BattleTable)
{
   const struct
   {
      i32 rank0, rank1;
      bool peace;
      i32 winner;
   } cases[] = {
       {RANK_KING, 5, false, 0},
       {5, RANK_KING, false, 1},
       {RANK_ACE, RANK_KING, false, 0},
       {RANK_ACE, 2, false, 0},
       {7, 7, false, -1},
       {RANK_KING, 5, true, 1},
       {RANK_ACE, 2, true, 1},
       {RANK_ACE, RANK_KING, true, 1},
       {2, RANK_KING, true, 0},
       {RANK_ACE, RANK_ACE, true, -1},
   };
   for (const auto& c : cases)
   {
      Options()->ItemBoolSet("WarPeace", c.peace);
      EXPECT_EQ(game.BattleWinnerGet(c.rank0, c.rank1), c.winner)
          << c.rank0 << " against " << c.rank1 << (c.peace ? " in peace" : "");
      EXPECT_EQ(game.WarCardsGet(), c.peace ? 5 : 3);
   }
}

TEST_F(WarTest, NewGameDealsTwentySixEach)
{
   EXPECT_EQ(game.DrawPileGet(0)->cards.count, 26);
   EXPECT_EQ(game.DrawPileGet(1)->cards.count, 26);
   EXPECT_FALSE(game.inWar);
   EXPECT_TRUE(harness.CardsConservedCheck());
   // The human's click plays the top card face up, and only the top card.
   game.players[0]->human = true;
   game.playerActiveID = game.players[0]->id;
   ASSERT_TRUE(harness.RunUntilSettled(100));
   game.playerActiveID = game.players[0]->id;
   Card* second = game.DrawPileGet(0)->cards[0];
   game.CardChoose(second);
   ASSERT_TRUE(harness.RunUntilSettled(100));
   EXPECT_EQ(game.TrickPileGet(0)->cards.count, 0) << "a card under the top is refused";
   Card* top = game.DrawPileGet(0)->CardTopGet();
   game.CardChoose(top);
   game.CardChoose(top);
   game.CardAnimationsFinish();
   for (i32 i = 0; i < 5 && game.TrickPileGet(0)->cards.count == 0; ++i)
   {
      harness.Frame();
   }
   ASSERT_EQ(game.TrickPileGet(0)->cards.count, 1);
   EXPECT_TRUE(top->faceUp);
}

TEST_F(WarTest, WarsWithShortPiles)
{
   // One card left: both bottom cards go face up at once and decide the war.
   TableSet({"2C"}, {"3C", "4C", "9D"}, {"7H*"}, {"7S*"}, 1);
   ASSERT_TRUE(harness.RunUntilIdle(200));
   EXPECT_EQ(game.DrawPileGet(0)->cards.count, 0);
   EXPECT_EQ(game.DrawPileGet(1)->cards.count, 6);
   EXPECT_EQ(game.WarsWonGet(1), 1);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_TRUE(game.players[1]->minigameWinner);

   // Three against two: one card each face down, one kept to play.
   harness.Enter(&game, 1, 2);
   TableSet({"2C", "3C", "4C"}, {"5C", "6C"}, {"7H*"}, {"7S*"}, 1);
   ASSERT_TRUE(harness.RunUntilIdle(200));
   EXPECT_EQ(Text(game.TrickPileGet(0)), "7H* 2C");
   EXPECT_EQ(Text(game.TrickPileGet(1)), "7S* 5C");
   EXPECT_EQ(Text(game.DrawPileGet(0)), "3C 4C");
   EXPECT_EQ(Text(game.DrawPileGet(1)), "6C");
   EXPECT_TRUE(game.inWar);

   // No card to fight with: both tricks go home, and the same player stays on turn.
   harness.Enter(&game, 1, 2);
   TableSet({}, {"5C"}, {"7H*"}, {"7S*"}, 1);
   ASSERT_TRUE(harness.RunUntilIdle(200));
   EXPECT_EQ(Text(game.DrawPileGet(0)), "7H");
   EXPECT_EQ(Text(game.DrawPileGet(1)), "7S 5C");
   EXPECT_EQ(game.playerActiveID, game.players[1]->id);
   EXPECT_FALSE(game.inWar);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
}

TEST_F(WarTest, AWarWonCountsAndPeaceLaysFive)
{
   Options()->ItemBoolSet("WarPeace", true);
   TableSet({"2C", "3C", "4C", "5C", "6C", "7C", "8C"}, {"2D", "3D", "4D", "5D", "6D", "7D", "8D"}, {"9H*"},
            {"9S*"}, 1);
   ASSERT_TRUE(harness.RunUntilIdle(200));
   EXPECT_EQ(Text(game.TrickPileGet(0)), "9H* 2C 3C 4C 5C 6C");
   EXPECT_EQ(Text(game.TrickPileGet(1)), "9S* 2D 3D 4D 5D 6D");
   // Both play their last card face up; the lower wins in peace.
   for (i32 seat : {0, 1})
   {
      game.playerActiveID = game.players[seat]->id;
      game.CardChoose(game.DrawPileGet(seat)->CardTopGet());
      ASSERT_TRUE(harness.RunUntilSettled(200));
   }
   ASSERT_TRUE(harness.RunUntilIdle(400));
   EXPECT_EQ(game.WarsWonGet(0), 0);
   EXPECT_EQ(game.WarsWonGet(1), 0);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
}

TEST_F(WarTest, EndConditionsAndTheResultsWinner)
{
   const struct
   {
      const char* condition;
      i32 wars0, wars1;
      std::vector<std::string> draw0, draw1;
      i32 result;
      i32 winner;
   } cases[] = {
       {"AllCards", 9, 9, {"2C"}, {"3C"}, MINIGAME_RESULT_RUNNING, -1},
       {"AllCards", 0, 0, {}, {"3C"}, MINIGAME_RESULT_LOST, 1},
       {"AllCards", 0, 0, {"2C"}, {}, MINIGAME_RESULT_WON, 0},
       {"3Wars", 3, 0, {"2C"}, {"3C"}, MINIGAME_RESULT_WON, 0},
       {"3Wars", 2, 2, {"2C"}, {"3C"}, MINIGAME_RESULT_RUNNING, -1},
       {"6Wars", 5, 6, {"2C"}, {"3C"}, MINIGAME_RESULT_LOST, 1},
       {"6Wars", 6, 6, {"2C"}, {"3C"}, MINIGAME_RESULT_LOST, 1},
       {"9Wars", 8, 8, {"2C"}, {"3C"}, MINIGAME_RESULT_RUNNING, -1},
       {"9Wars", 4, 0, {"2C"}, {}, MINIGAME_RESULT_WON, 0},
       {"9Wars", 9, 0, {"2C"}, {"3C"}, MINIGAME_RESULT_WON, 0},
       {"Unknown", 20, 0, {"2C"}, {"3C"}, MINIGAME_RESULT_RUNNING, -1},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::string(c.condition) + " " + std::to_string(c.wars0) + ":" + std::to_string(c.wars1));
      harness.Enter(&game, 3, 4);
      Options()->ItemStringSet("GameEndCondition", c.condition);
      TableSet(c.draw0, c.draw1, {}, {}, 0);
      Seat(0)->warsWon = c.wars0;
      Seat(1)->warsWon = c.wars1;
      ASSERT_TRUE(harness.RunUntilIdle(200));
      EXPECT_EQ(game.gameResult, c.result);
      EXPECT_EQ(game.WinnerSeatGet(), c.winner);
      if (c.winner >= 0)
      {
         EXPECT_TRUE(game.players[c.winner]->minigameWinner);
         EXPECT_FALSE(game.players[1 - c.winner]->minigameWinner);
      }
   }
}

TEST_F(WarTest, WarCountsSurviveALoad)
{
   Options()->ItemStringSet("GameEndCondition", "6Wars");
   TableSet({"2C", "3C"}, {"4C", "5C"}, {"7H*", "8C", "KH*"}, {"7S*", "8D", "2S*"}, 1);
   Seat(0)->warsWon = 5;
   Seat(1)->warsWon = 4;
   game.inWar = true;
   game.refreshPending = false;
   CheckedWar fresh;
   ASSERT_TRUE(harness.RoundTripCheck(&fresh));
   ASSERT_TRUE(fresh.inWar);
   ASSERT_EQ(fresh.WarsWonGet(0), 5);
   ASSERT_EQ(fresh.WarsWonGet(1), 4);
   fresh.players[0]->human = true;
   fresh.players[1]->human = true;
   fresh.refreshPending = true;
   ASSERT_TRUE(harness.RunUntilIdle(400));
   EXPECT_EQ(fresh.WarsWonGet(0), 6) << "the sixth war is the loaded game's";
   EXPECT_EQ(fresh.gameResult, MINIGAME_RESULT_WON);
   harness.Enter(&game, 5, 6);
}

// One game of two computers until it ends or the frame cap; false when no battle was decided for
// a long stretch (a hang). stopFrame >= 0 returns there with the game running.
bool GamePlay(CardGameHarness& harness, CheckedWar& game, i32 maxFrames, bool* capped, i32 stopFrame = -1)
{
   i32 quiet = 0;
   i32 battles = game.battles;
   *capped = false;
   for (i32 frame = 0; frame < maxFrames; ++frame)
   {
      if (frame == stopFrame || game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         return true;
      }
      harness.Frame();
      game.BattleCheck();
      quiet = game.battles == battles ? quiet + 1 : 0;
      battles = game.battles;
      if (quiet > 2000)
      {
         return false;
      }
   }
   // "AllCards" can go round and round; that is the game, not a fault.
   *capped = true;
   return true;
}

std::string FinalDocument(CheckedWar& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

TEST_F(WarTest, SeededGamesOfComputerPlayers)
{
   // The harness's check, lighter: IDs 0 to 51 each held once, by the pile the card names.
   harness.afterFrame = [this]()
   {
      const CardGame* current = harness.cardGame;
      bool held[52] = {};
      i32 count = 0;
      bool sound = current->cards.count == 52;
      for (i32 p = 0; sound && p < current->cardPiles.count; ++p)
      {
         const CardPile* pile = current->cardPiles[p];
         for (i32 i = 0; sound && i < pile->cards.count; ++i)
         {
            const Card* card = pile->cards[i];
            sound = card->id >= 0 && card->id < 52 && !held[card->id] && card->pile == pile;
            held[sound ? card->id : 0] = true;
            count++;
         }
      }
      if (!sound || count != 52)
      {
         ADD_FAILURE() << "cards lost or doubled after frame " << harness.frames << ": "
                       << harness.CardsConservedCheck().message();
      }
   };
   harness.frameMilliseconds = 400;
   const char* const conditions[] = {"AllCards", "3Wars", "6Wars", "9Wars"};
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   const i32 frameCap = 12000;
   i32 capped = 0;
   i32 reloads = 0;
   i32 results[4] = {0, 0, 0, 0};
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      Options()->ItemStringSet("GameEndCondition", conditions[seed % 4]);
      Options()->ItemBoolSet("WarPeace", (seed / 4) % 2 == 1);
      auto begin = [&](CheckedWar& which)
      {
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         which.players[0]->human = false;
         which.expectedWinner = -1;
      };
      begin(game);
      bool cut = false;
      ASSERT_TRUE(GamePlay(harness, game, frameCap, &cut)) << "no battle decided for a long time";
      capped += cut ? 1 : 0;
      if (!cut)
      {
         results[game.gameResult]++;
         const i32 winner = game.gameResult == MINIGAME_RESULT_WON ? 0 : 1;
         const i32 limit = game.WarLimitGet();
         EXPECT_TRUE(game.DrawPileGet(1 - winner)->cards.count == 0 ||
                     (limit > 0 && game.WarsWonGet(winner) >= limit))
             << "the rules end the game";
         EXPECT_TRUE(game.players[winner]->minigameWinner);
      }
      if (seed % 10 != 0 || cut)
      {
         continue;
      }
      // Again, saved at a frame drawn from the seed and loaded into a freshly entered game.
      const std::string uninterrupted = FinalDocument(game);
      begin(game);
      const i32 stop = 20 + (seed * 7919) % 400;
      ASSERT_TRUE(GamePlay(harness, game, frameCap, &cut, stop));
      if (game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      CheckedWar fresh;
      harness.Enter(&fresh, 99, 98);
      harness.cardGame = &fresh;
      ASSERT_TRUE(fresh.Load(saved.get()));
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      ASSERT_TRUE(GamePlay(harness, fresh, frameCap, &cut)) << "the loaded game hung";
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      reloads++;
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }
   harness.afterFrame = nullptr;
   EXPECT_GE(reloads, games / 20);
   EXPECT_GT(results[MINIGAME_RESULT_WON], 0);
   EXPECT_GT(results[MINIGAME_RESULT_LOST], 0);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games (%d at the frame cap), %d reloads, %.1f games per second\n", games, capped, reloads,
               games / seconds);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
