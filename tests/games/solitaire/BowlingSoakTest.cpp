// Seeded games of Bowling solitaire played by a random player: presses on the stock, drops the
// rules take and refuse, double clicks, and now and then an Undo, also of a finished game. The
// rules are written here on their own: the drops they allow, and a bowling account that turns the
// pins counted on the table into balls and scores them as bowling does. It must match the throws
// the game records, its score and the ball that ends the game. No card is lost or doubled in any
// frame. One game in ten is also saved at an idle frame, loaded into a fresh game and played on to
// the same document.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tests/games/solitaire/ScoreSheetHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
// The balls bowled so far and the rack in play.
struct Lane
{
   std::vector<i32> balls;
   bool secondBall = false;
   i32 rackDown = 0;
};

// Bowling's score of a finished list of balls, frame by frame.
i32 BowlingScoreGet(const std::vector<i32>& balls)
{
   i32 score = 0;
   size_t i = 0;
   auto at = [&](size_t k) { return k < balls.size() ? balls[k] : 0; };
   for (i32 frame = 0; frame < 10; ++frame)
   {
      if (at(i) == 10)
      {
         score += 10 + at(i + 1) + at(i + 2);
         i += 1;
      }
      else if (at(i) + at(i + 1) == 10)
      {
         score += 10 + at(i + 2);
         i += 2;
      }
      else
      {
         score += at(i) + at(i + 1);
         i += 2;
      }
   }
   return score;
}

// Whether ten frames with their bonus balls have been bowled.
bool BowlingOverCheck(const std::vector<i32>& balls)
{
   size_t i = 0;
   for (i32 frame = 0; frame < 9; ++frame)
   {
      if (i >= balls.size())
      {
         return false;
      }
      i += balls[i] == 10 ? 1 : 2;
   }
   if (i + 1 >= balls.size())
   {
      return false;
   }
   const bool bonus = balls[i] == 10 || balls[i] + balls[i + 1] == 10;
   return balls.size() >= i + (bonus ? 3 : 2);
}

std::vector<i32> RecordedBallsGet(const BowlingSolitaire& game)
{
   std::vector<i32> balls;
   for (i32 i = 0; i < game.throws.count; ++i)
   {
      if (game.throws[i] >= 0)
      {
         balls.push_back(game.throws[i]);
      }
   }
   return balls;
}

struct Table
{
   ScoreSheetHarness& harness;
   i32 size;
   CardPile* Pin(i32 i) { return harness.PileGet(CARD_PILE_TYPE_TABLEAU, i); }
   CardPile* Ball(i32 i) { return harness.PileGet(CARD_PILE_TYPE_WASTE, i); }

   i32 PinsDownGet()
   {
      i32 down = 0;
      for (i32 i = 0; i < 10; ++i)
      {
         down += Pin(i)->cards.count > 0;
      }
      return down;
   }

   // The rules' answer, from the piles alone.
   bool TakesCheck(CardPile* pile, const Card* card)
   {
      if (pile->type == CARD_PILE_TYPE_WASTE)
      {
         return pile->secondaryID == 0 ? pile->cards.count < size
                                       : Ball(0)->cards.count == size && pile->cards.count < size;
      }
      if (pile->type != CARD_PILE_TYPE_TABLEAU)
      {
         return false;
      }
      if (pile->cards.count > 0)
      {
         return pile->CardTopGet()->rank == card->rank;
      }
      for (i32 i = 0; i < 10; ++i)
      {
         const Card* top = Pin(i)->CardTopGet();
         if (top && ((i < pile->secondaryID && top->rank >= card->rank) ||
                     (i > pile->secondaryID && top->rank <= card->rank)))
         {
            return false;
         }
      }
      return true;
   }

   // The card lands on pile: the balls it bowls, as bowling counts the pins down.
   void Account(Lane& lane, CardPile* pile)
   {
      const i32 down = PinsDownGet() + (pile->type == CARD_PILE_TYPE_TABLEAU && pile->cards.count == 0);
      const i32 first = Ball(0)->cards.count + (pile == Ball(0));
      const i32 second = Ball(1)->cards.count + (pile == Ball(1));
      if (down == 10)
      {
         lane.balls.push_back(10 - lane.rackDown);
      }
      else if (!lane.secondBall && first == size)
      {
         lane.balls.push_back(down);
         lane.secondBall = true;
         lane.rackDown = down;
         return;
      }
      else if (second == size)
      {
         lane.balls.push_back(down - lane.rackDown);
      }
      else
      {
         return;
      }
      lane.secondBall = false;
      lane.rackDown = 0;
   }
};

struct Totals
{
   i32 wins = 0;
   i32 moves = 0;
   i32 undos = 0;
   i64 scores = 0;
   i32 idleFrames = 0;
};

bool GamePlay(ScoreSheetHarness& harness, BowlingSolitaire& game, std::mt19937& random, Lane& lane,
              Totals& totals, bool undoAllowed, i32 stopAt = -1, bool* stopped = nullptr)
{
   Table table{harness, game.BallSizeGet()};
   std::vector<Lane> before;
   std::vector<CardPile*> piles;
   CardPile* turned = harness.PileGet(CARD_PILE_TYPE_FLIP);
   for (i32 step = 0; step < 2000; ++step)
   {
      EXPECT_EQ(RecordedBallsGet(game), lane.balls);
      const bool over = BowlingOverCheck(lane.balls);
      EXPECT_EQ(game.gameResult != MINIGAME_RESULT_RUNNING, over);
      if (over)
      {
         const i32 score = BowlingScoreGet(lane.balls);
         EXPECT_EQ(game.ScoreGet(), score);
         EXPECT_EQ(game.players[0]->minigameScore, score);
         EXPECT_EQ(game.gameResult, score >= 230 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_LOST);
         if (undoAllowed && !before.empty() && random() % 4 == 0)
         {
            harness.UndoAndSettle();
            lane = before.back();
            before.pop_back();
            totals.undos++;
            continue;
         }
         totals.wins += game.gameResult == MINIGAME_RESULT_WON;
         totals.scores += score;
         return true;
      }
      if (::testing::Test::HasFailure())
      {
         return false;
      }
      if (!game.MayActCheck())
      {
         ADD_FAILURE() << "a running game that is not idle";
         return false;
      }
      if (totals.idleFrames++ == stopAt)
      {
         *stopped = true;
         return true;
      }
      const u32 choice = random() % 100;
      totals.moves++;
      if (choice < 5 && undoAllowed)
      {
         if (!before.empty())
         {
            lane = before.back();
            before.pop_back();
            totals.undos++;
         }
         harness.UndoAndSettle();
         continue;
      }
      Card* card = turned->CardTopGet();
      if (!card)
      {
         before.push_back(lane);
         harness.ChooseAndSettle(harness.Stock()->CardTopGet());
         EXPECT_EQ(turned->cards.count, 1) << "the press turns a card";
         continue;
      }
      if (choice < 10)
      {
         // A press on the stock while a card is turned does nothing.
         harness.ChooseAndSettle(harness.Stock()->CardTopGet());
         EXPECT_EQ(turned->CardTopGet(), card);
         continue;
      }
      CardPile* target = nullptr;
      if (choice < 20)
      {
         // A double click: the first pile in order that the rules let take it.
         for (i32 i = 0; i < game.cardPiles.count && !target; ++i)
         {
            CardPile* pile = game.cardPiles[i];
            target = pile != turned && table.TakesCheck(pile, card) ? pile : nullptr;
         }
         before.push_back(lane);
         table.Account(lane, target);
         harness.ChooseAndSettle(card);
         continue;
      }
      piles.clear();
      for (i32 i = 0; i < game.cardPiles.count; ++i)
      {
         CardPile* pile = game.cardPiles[i];
         // Mostly a pin, now and then any pile at all.
         if (pile != turned && (choice < 28 || table.TakesCheck(pile, card)) &&
             (choice < 28 || pile->type == CARD_PILE_TYPE_TABLEAU || random() % 3 == 0))
         {
            piles.push_back(pile);
         }
      }
      if (piles.empty())
      {
         continue;
      }
      target = piles[random() % piles.size()];
      const bool taken = table.TakesCheck(target, card);
      if (taken)
      {
         before.push_back(lane);
         table.Account(lane, target);
      }
      EXPECT_EQ(harness.DropAndSettle(card, target), taken);
   }
   ADD_FAILURE() << "the game did not end";
   return false;
}

TEST(BowlingSoakTest, SeededGames)
{
   BowlingSolitaire game;
   ScoreSheetHarness harness;
   ScoreSheetHarness::OptionSet("BowlingSolitaire", "WasteHoldsTwo", false);
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   harness.ConservedEveryFrame();
   harness.frameMilliseconds = 250;
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   Totals totals;
   i32 reloads = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      const bool reload = seed % 10 == 0;
      auto begin = [&](BowlingSolitaire& which, std::mt19937& random, Lane& lane)
      {
         // One game in four with two-card balls.
         ScoreSheetHarness::OptionSet("BowlingSolitaire", "WasteHoldsTwo", seed % 4 == 1);
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         harness.Settle();
         random.seed(static_cast<u32>(seed));
         lane = Lane();
         // A head start of eight strikes in one game of three, so that wins and the 230 line are
         // played too.
         if (seed % 3 == 0)
         {
            for (i32 frame = 0; frame < 8; ++frame)
            {
               which.throws[2 * frame] = 10;
               lane.balls.push_back(10);
            }
            which.throwIndex = 16;
         }
      };
      std::mt19937 random;
      Lane lane;
      begin(game, random, lane);
      ASSERT_TRUE(GamePlay(harness, game, random, lane, totals, !reload));
      if (!reload)
      {
         continue;
      }
      const std::string uninterrupted = ScoreSheetHarness::FinalDocument(game);
      begin(game, random, lane);
      bool stopped = false;
      Totals partial;
      ASSERT_TRUE(GamePlay(harness, game, random, lane, partial, false, 1 + (seed * 7919) % 60, &stopped));
      ASSERT_TRUE(stopped);
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      BowlingSolitaire fresh;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&fresh, 99, 98));
      ASSERT_TRUE(fresh.Load(saved.get()));
      harness.Settle();
      ASSERT_TRUE(GamePlay(harness, fresh, random, lane, partial, false));
      EXPECT_EQ(ScoreSheetHarness::FinalDocument(fresh), uninterrupted);
      reloads++;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }
   EXPECT_EQ(reloads, games / 10);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d won, mean score %lld, %d moves, %d undos, %d reloads, %.1f games per second\n",
               games, totals.wins, static_cast<long long>(totals.scores / games), totals.moves, totals.undos,
               reloads, games / seconds);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
