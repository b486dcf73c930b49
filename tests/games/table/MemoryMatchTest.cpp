// Memory Match headless: the decks and the grid per size, the turn, the score and its format
// guard, a load into a game entered with another grid, and many seeded games of random turns.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/table/MemoryMatch.h"
#include "games/table/MemoryMatchResultsPopup.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
std::string MatchConsts()
{
   return R"({"DelayCardDeal": 10, "DelayCardReveal": 300, "DelayGameOver": 100,
      "Settings": [{"Name": "GridSize", "Default": "4|4"}, {"Name": "DeckDifficulty", "Default": "Medium"},
                   {"Name": "CardBackStyle", "Default": "Blue"}],
      "TableauPileTemplate": {"Position": "400|362"},
      "CardSize": "80|112", "CardPadding": "8|6", "GridCenterPosition": "400|362",
      "CardFrontStyles": {"Easy": "MemoryMatchEasy", "Medium": "MemoryMatchNormal", "Hard": "MemoryMatchHard"},
      "CardPiles": [{"Type": "Draw", "Position": "820|300"}, {"Type": "Discard", "OwnerID": 0, "Position": "820|520"}]})";
}

class MatchTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      FrameworkTypesRegister();
      MemoryMatchPlayer::ReflectionRegister();
      MemoryMatch::ReflectionRegister();
      harness.FileWrite("Scripts/Minigames/MemoryMatch.json", MatchConsts());
      harness.enteredConsts = MatchConsts();
      Enter(game);
   }

   void TearDown() override
   {
      harness.Leave();
      ReflectionManager::Deinit();
   }

   void Enter(MemoryMatch& which)
   {
      harness.Enter(&which, 12345, 67890);
      harness.cardGame = &which;
   }

   JSONValue* Options() { return ProfileMinigameSettingsGet("MemoryMatch"); }
   MemoryMatchPlayer* Seat() { return dynamic_cast<MemoryMatchPlayer*>(game.players[0]); }

   // The grid cells that hold a face-down card, by cell index.
   std::vector<Card*> FaceDownCells(MemoryMatch& which)
   {
      std::vector<Card*> found;
      for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
      {
         const CardPile* cell = which.CellGet(i);
         Card* card = cell ? cell->CardTopGet() : nullptr;
         if (card && !card->faceUp)
         {
            found.push_back(card);
         }
      }
      return found;
   }

   // The other copy of the card on the grid.
   Card* TwinGet(const Card* card)
   {
      for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
      {
         Card* other = game.CellGet(i) ? game.CellGet(i)->CardTopGet() : nullptr;
         if (other && other != card && other->rank == card->rank && other->suit == card->suit)
         {
            return other;
         }
      }
      return nullptr;
   }

   void Turn(Card* card)
   {
      harness.ChoosePost(card);
      ASSERT_TRUE(harness.RunUntilSettled(200));
   }

   CardGameHarness harness;
   MemoryMatch game;
};

TEST_F(MatchTest, DecksAndCellsPerGridSize)
{
   const struct
   {
      const char* size;
      i32 columns, rows;
      std::vector<std::string> lastPairs;
   } cases[] = {
       {"4|4", 4, 4, {"8H"}},
       {"6|4", 6, 4, {"QH"}},
       {"6|6", 6, 6, {"KH", "5S"}},
       {"5|5", 4, 4, {"8H"}},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.size);
      Options()->ItemStringSet("GridSize", c.size);
      game.GameNew();
      ASSERT_TRUE(harness.RunUntilSettled(400));
      const i32 cells = c.columns * c.rows;
      EXPECT_EQ(game.cards.count, cells);
      std::map<std::pair<i32, i32>, i32> copies;
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         copies[{game.cards[i]->rank, game.cards[i]->suit}]++;
      }
      EXPECT_EQ(static_cast<i32>(copies.size()), cells / 2);
      for (const auto& entry : copies)
      {
         EXPECT_EQ(entry.second, 2);
      }
      for (const std::string& name : c.lastPairs)
      {
         static const std::string ranks = "XA23456789TJQK";
         static const std::string suits = "HSDC";
         EXPECT_EQ((copies[{static_cast<i32>(ranks.find(name[0])), static_cast<i32>(suits.find(name[1]))}]),
                   2)
             << name;
      }
      // Every used cell visible and holding one face-down card where the formula puts it.
      const float left = 400.0f - (80.0f * c.columns + 8.0f * (c.columns - 1)) / 2.0f + 40.0f;
      const float top = 362.0f - (112.0f * c.rows + 6.0f * (c.rows - 1)) / 2.0f + 56.0f;
      for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
      {
         const CardPile* cell = game.CellGet(i);
         ASSERT_NE(cell, nullptr);
         if (i >= cells)
         {
            EXPECT_FALSE(cell->visible) << i;
            EXPECT_EQ(cell->cards.count, 0) << i;
            continue;
         }
         EXPECT_TRUE(cell->visible) << i;
         ASSERT_EQ(cell->cards.count, 1) << i;
         EXPECT_FALSE(cell->cards[0]->faceUp);
         EXPECT_FLOAT_EQ(cell->position.x, left + 88.0f * (i % c.columns)) << i;
         EXPECT_FLOAT_EQ(cell->position.y, top + 118.0f * (i / c.columns)) << i;
      }
   }
   // 6 x 6 fits between the menu's rows: 11 to 713.
   EXPECT_FLOAT_EQ(game.CellPositionGet(0, 0, 6, 6).y - 56.0f, 11.0f);
   EXPECT_FLOAT_EQ(game.CellPositionGet(0, 5, 6, 6).y + 56.0f, 713.0f);
}

TEST_F(MatchTest, StylesFromTheOptions)
{
   const struct
   {
      const char* difficulty;
      const char* back;
      const char* frontStyle;
      const char* backStyle;
   } cases[] = {
       {"Easy", "Green", "MemoryMatchEasy", "MemoryMatchGreen"},
       {"Medium", "Yellow", "MemoryMatchNormal", "MemoryMatchYellow"},
       {"Hard", "Purple", "MemoryMatchHard", "MemoryMatchPurple"},
       // No entry in the constants, or an unknown option: the normal deck, blue backs.
       {"VeryHard", "Red", "MemoryMatchNormal", "MemoryMatchBlue"},
       {"Silly", "Blue", "MemoryMatchNormal", "MemoryMatchBlue"},
   };
   for (const auto& c : cases)
   {
      Options()->ItemStringSet("DeckDifficulty", c.difficulty);
      Options()->ItemStringSet("CardBackStyle", c.back);
      EXPECT_STREQ(game.CardFrontStyleGet(), c.frontStyle) << c.difficulty;
      EXPECT_STREQ(game.CardBackStyleGet(), c.backStyle) << c.back;
   }
   EXPECT_FALSE(game.CardStyleChoiceCheck());
   EXPECT_FALSE(game.GamesWonRecordCheck()) << "one player records no win";
}

TEST_F(MatchTest, TheTurn)
{
   ASSERT_TRUE(harness.RunUntilSettled(400));
   std::vector<Card*> down = FaceDownCells(game);
   ASSERT_EQ(down.size(), 16u);
   Card* first = down[0];
   Card* miss = nullptr;
   for (Card* card : down)
   {
      miss = !miss && card != first && (card->rank != first->rank || card->suit != first->suit) ? card : miss;
   }
   // The first card turns; clicking it again does nothing.
   Turn(first);
   EXPECT_TRUE(first->faceUp);
   Turn(first);
   EXPECT_TRUE(first->faceUp);
   EXPECT_EQ(Seat()->pairsAttempted, 0);
   // A miss: both turn back, the run is broken.
   game.matchesInARow = 2;
   Turn(miss);
   EXPECT_FALSE(first->faceUp);
   EXPECT_FALSE(miss->faceUp);
   EXPECT_EQ(Seat()->pairsAttempted, 1);
   EXPECT_EQ(Seat()->pairsMatched, 0);
   EXPECT_EQ(game.matchesInARow, 0);
   // Four pairs in a row: one triplet, and the fourth starts a new run.
   CardPile* pairs = game.CardPileGet(CARD_PILE_TYPE_DISCARD, -1, game.players[0]->id);
   for (i32 n = 1; n <= 4; ++n)
   {
      Card* card = FaceDownCells(game)[0];
      Card* twin = TwinGet(card);
      ASSERT_NE(twin, nullptr);
      Turn(card);
      Turn(twin);
      EXPECT_EQ(card->pile, pairs);
      EXPECT_EQ(twin->pile, pairs);
      EXPECT_FALSE(card->faceUp);
      EXPECT_EQ(Seat()->pairsMatched, n);
      EXPECT_EQ(Seat()->triplets, n >= 3 ? 1 : 0);
      EXPECT_EQ(game.matchesInARow, n % 3);
   }
   EXPECT_EQ(Seat()->pairsAttempted, 5);
   // A card off the grid is no choice.
   Turn(pairs->CardTopGet());
   EXPECT_FALSE(pairs->CardTopGet()->faceUp);
}

TEST_F(MatchTest, TheScoreAndItsFormatGuard)
{
   const struct
   {
      i32 pairs, triplets, misses, total;
   } cases[] = {{8, 1, 5, 28}, {0, 0, 0, 0}, {1, 0, 9, -14}, {18, 6, 0, 108}};
   MemoryMatchResultsPopup& popup = MemoryMatchResultsPopup::instance;
   popup.game = &game;
   for (const auto& c : cases)
   {
      Seat()->pairsMatched = c.pairs;
      Seat()->triplets = c.triplets;
      Seat()->pairsAttempted = c.pairs + c.misses;
      popup.ScoresSet(nullptr);
      EXPECT_EQ(game.players[0]->minigameScore, c.total) << c.pairs << " " << c.triplets << " " << c.misses;
   }
   popup.game = nullptr;
   const struct
   {
      const char* format;
      bool used;
   } formats[] = {{"%d x %d = %d", true}, {"%d × %d = %d%%", true}, {"%d x %s = %d", false},
                  {"%d x %d", false},     {"%d %d %d %d", false},   {nullptr, false}};
   for (const auto& f : formats)
   {
      EXPECT_EQ(IntegerFormatCheck(f.format, 3), f.used) << (f.format ? f.format : "null");
   }
}

TEST_F(MatchTest, ASixBySixGameLoadsIntoAFourByFourEntry)
{
   Options()->ItemStringSet("GridSize", "6|6");
   game.GameNew();
   ASSERT_TRUE(harness.RunUntilSettled(400));
   Turn(FaceDownCells(game)[3]);
   JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(saved.get()));
   std::vector<Point2F> places;
   for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
   {
      places.push_back(game.CellGet(i)->position);
   }
   Options()->ItemStringSet("GridSize", "4|4");
   MemoryMatch fresh;
   Enter(fresh);
   ASSERT_TRUE(harness.RunUntilSettled(400));
   ASSERT_FALSE(fresh.CellGet(20)->visible);
   ASSERT_TRUE(fresh.Load(saved.get()));
   EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get()));
   for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
   {
      const CardPile* cell = fresh.CellGet(i);
      EXPECT_TRUE(cell->visible) << i;
      EXPECT_EQ(cell->cards.count, 1) << i;
      EXPECT_FLOAT_EQ(cell->position.x, places[i].x) << i;
      EXPECT_FLOAT_EQ(cell->position.y, places[i].y) << i;
   }
   Enter(game);
}

// Random turns over the face-down grid cards until the game ends; every frame the cards are
// all there. False on a hang. stopFrame >= 0 returns there with the game running.
bool GamePlay(CardGameHarness& harness, MemoryMatch& game, u32* random, i32 maxFrames, i32 stopFrame = -1)
{
   for (i32 frame = 0; frame < maxFrames; ++frame)
   {
      if (frame == stopFrame || game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         return true;
      }
      harness.Frame();
      if (game.actionQueue.count > 0 || game.CardsAnimatingCheck() || game.refreshPending)
      {
         continue;
      }
      std::vector<Card*> down;
      for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
      {
         Card* card = game.CellGet(i) ? game.CellGet(i)->CardTopGet() : nullptr;
         if (card && !card->faceUp)
         {
            down.push_back(card);
         }
      }
      if (!down.empty())
      {
         *random = *random * 1103515245u + 12345u;
         harness.ChoosePost(down[(*random >> 8) % down.size()]);
      }
   }
   return false;
}

std::string FinalDocument(MemoryMatch& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

TEST_F(MatchTest, SeededGamesOfRandomTurns)
{
   harness.frameMilliseconds = 400;
   const char* const sizes[] = {"4|4", "6|4", "6|6"};
   const char* const difficulties[] = {"Easy", "Medium", "Hard", "VeryHard"};
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   i32 reloads = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      Options()->ItemStringSet("GridSize", sizes[seed % 3]);
      Options()->ItemStringSet("DeckDifficulty", difficulties[(seed / 3) % 4]);
      i32 cells = 0;
      u32 random = 0;
      auto begin = [&](MemoryMatch& which)
      {
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         i32 columns = 0;
         i32 rows = 0;
         which.GridSizeGet(&columns, &rows);
         cells = columns * rows;
         random = static_cast<u32>(seed);
      };
      harness.afterFrame = [&]()
      {
         MemoryMatch* current = static_cast<MemoryMatch*>(harness.cardGame);
         i32 held = 0;
         for (i32 p = 0; p < current->cardPiles.count; ++p)
         {
            held += current->cardPiles[p]->cards.count;
         }
         EXPECT_EQ(held, cells);
         EXPECT_EQ(current->cards.count, cells);
      };
      begin(game);
      ASSERT_TRUE(GamePlay(harness, game, &random, 20000)) << "the game hung";
      ASSERT_EQ(game.gameResult, MINIGAME_RESULT_DRAWN);
      // The pairs pile: identical twins, every pair of the deck.
      const CardPile* pairs = game.CardPileGet(CARD_PILE_TYPE_DISCARD, -1, game.players[0]->id);
      ASSERT_EQ(pairs->cards.count, cells);
      for (i32 i = 0; i + 1 < pairs->cards.count; i += 2)
      {
         EXPECT_EQ(pairs->cards[i]->rank, pairs->cards[i + 1]->rank);
         EXPECT_EQ(pairs->cards[i]->suit, pairs->cards[i + 1]->suit);
      }
      EXPECT_EQ(Seat()->pairsMatched, cells / 2);
      EXPECT_GE(Seat()->pairsAttempted, Seat()->pairsMatched);
      EXPECT_LE(Seat()->triplets, Seat()->pairsMatched / 3);
      EXPECT_TRUE(game.players[0]->minigameWinner);
      if (seed % 10 != 0)
      {
         continue;
      }
      const std::string uninterrupted = FinalDocument(game);
      begin(game);
      const i32 stop = 20 + (seed * 7919) % 150;
      ASSERT_TRUE(GamePlay(harness, game, &random, 20000, stop));
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      MemoryMatch fresh;
      Enter(fresh);
      ASSERT_TRUE(fresh.Load(saved.get()));
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      ASSERT_TRUE(GamePlay(harness, fresh, &random, 20000)) << "the loaded game hung";
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      reloads++;
      Enter(game);
   }
   harness.afterFrame = nullptr;
   EXPECT_EQ(reloads, games / 10);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d reloads, %.1f games per second\n", games, reloads, games / seconds);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
