// Seeded games of Gaps, Golf and Nestor with options drawn per seed, played by a random player
// through clicks, drops, reshuffles and now and then an undo. Oracles written from the rules check
// each move and each end; no card is lost or doubled in any frame. One game in ten is also saved
// at a step drawn from the seed, loaded into a freshly entered game and played on to the same
// final document (those games use no undo: the history is not part of a saved game).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "tests/games/solitaire/TableSolitaireHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
#ifdef __SANITIZE_ADDRESS__
constexpr i32 GAMES = 100;
#else
constexpr i32 GAMES = 1000;
#endif

struct Player
{
   TableSolitaireHarness& harness;
   std::mt19937 random;
   bool undoAllowed = true;

   i32 Draw(i32 n) { return static_cast<i32>(random() % static_cast<u32>(n)); }
   template <class T> T Pick(const std::vector<T>& items)
   {
      return items[Draw(static_cast<i32>(items.size()))];
   }
   bool Settle()
   {
      return harness.RunUntilSettled(20000) && harness.RunUntilIdle(2000) && harness.RunUntilSettled(20000);
   }
};

// ---- Gaps ----

bool GapsGap(const Card* card)
{
   return card->rank == RANK_ACE;
}

// The move rule, from the rules alone.
bool GapsTakes(bool leftOnly, const CardPile* row, i32 column, const Card* card)
{
   const Card* left = column > 0 ? row->cards[column - 1] : nullptr;
   if (left && left->suit == card->suit && left->rank + 1 == card->rank)
   {
      return true;
   }
   const Card* right = column + 1 < row->cards.count ? row->cards[column + 1] : nullptr;
   return !leftOnly && right && right->suit == card->suit && right->rank == card->rank + 1;
}

bool GapsRowFinished(const CardPile* row)
{
   for (i32 start = 0; start < 2; ++start)
   {
      bool run = row->cards.count >= start + 12;
      for (i32 c = 0; run && c < 12; ++c)
      {
         run = row->cards[start + c]->rank == RANK_TWO + c &&
               row->cards[start + c]->suit == row->cards[start]->suit;
      }
      if (run)
      {
         return true;
      }
   }
   return false;
}

i32 GapsPrefix(const CardPile* row)
{
   i32 kept = 0;
   while (kept < row->cards.count && row->cards[kept]->rank == kept + RANK_TWO &&
          row->cards[kept]->suit == row->cards[0]->suit)
   {
      kept++;
   }
   return kept;
}

// One step of Gaps; false when the player is stuck for good (no move, no reshuffle left).
bool GapsStep(Player& player, GapsSolitaire& game, i32 seed)
{
   const bool leftOnly = seed & 2;
   std::vector<CardPile*> rows;
   std::vector<Card*> cards;
   std::vector<Card*> gaps;
   std::vector<std::pair<Card*, Card*>> moves;
   for (i32 r = 0; r < 4; ++r)
   {
      rows.push_back(player.harness.Pile(CARD_PILE_TYPE_TABLEAU, r));
      EXPECT_EQ(rows[r]->cards.count, 13) << "row " << r;
   }
   for (CardPile* row : rows)
   {
      for (i32 c = 0; c < row->cards.count; ++c)
      {
         (GapsGap(row->cards[c]) ? gaps : cards).push_back(row->cards[c]);
      }
   }
   for (Card* gap : gaps)
   {
      for (Card* card : cards)
      {
         if (GapsTakes(leftOnly, gap->pile, gap->pile->CardIndexGet(gap), card))
         {
            moves.push_back({card, gap});
         }
      }
   }
   const bool resetLeft = game.resetNum < game.maxResets;
   if (moves.empty() && !resetLeft)
   {
      return false;
   }
   const i32 choice = player.Draw(100);
   if (player.undoAllowed && choice < 5)
   {
      game.Undo();
      EXPECT_EQ(game.clicked, 0);
      return player.Settle();
   }
   if (resetLeft && (moves.empty() || choice < 12))
   {
      i32 kept[4];
      for (i32 r = 0; r < 4; ++r)
      {
         kept[r] = GapsPrefix(rows[r]);
      }
      std::vector<std::string> prefixes;
      for (i32 r = 0; r < 4; ++r)
      {
         prefixes.push_back(TableSolitaireHarness::PileText(rows[r]).substr(0, 4 * kept[r]));
      }
      const i32 used = game.resetNum;
      TalonSolitaire::ResetButtonHandler(nullptr, &game);
      if (!player.Settle())
      {
         return false;
      }
      EXPECT_EQ(game.resetNum, used + 1);
      for (i32 r = 0; r < 4; ++r)
      {
         EXPECT_EQ(rows[r]->cards.count, 13);
         EXPECT_EQ(TableSolitaireHarness::PileText(rows[r]).substr(0, 4 * kept[r]), prefixes[r])
             << "row " << r;
      }
      EXPECT_EQ(player.harness.Stock()->cards.count, 0);
      return true;
   }
   auto [card, gap] = choice < 70 && !moves.empty() ? player.Pick(moves)
                                                    : std::make_pair(player.Pick(cards), player.Pick(gaps));
   CardPile* cardRow = card->pile;
   CardPile* gapRow = gap->pile;
   const i32 cardColumn = cardRow->CardIndexGet(card);
   const i32 gapColumn = gapRow->CardIndexGet(gap);
   const bool legal = GapsTakes(leftOnly, gapRow, gapColumn, card);
   player.harness.ChoosePost(card);
   player.harness.ChoosePost(gap);
   if (!player.Settle())
   {
      return false;
   }
   EXPECT_EQ(card->pile, legal ? gapRow : cardRow);
   EXPECT_EQ(card->pile->CardIndexGet(card), legal ? gapColumn : cardColumn);
   EXPECT_EQ(gap->pile->CardIndexGet(gap), legal ? cardColumn : gapColumn);
   EXPECT_EQ(game.clicked, 0);
   return true;
}

void GapsEndCheck(TableSolitaireHarness& harness, GapsSolitaire& game)
{
   bool won = true;
   for (i32 r = 0; r < 4; ++r)
   {
      won = won && GapsRowFinished(harness.Pile(CARD_PILE_TYPE_TABLEAU, r));
   }
   EXPECT_EQ(game.gameResult, won ? MINIGAME_RESULT_WON : MINIGAME_RESULT_RUNNING);
}

// ---- Golf ----

bool GolfFits(const Card* top, const Card* card, bool kingsClosed)
{
   return !top || (!(kingsClosed && top->rank == RANK_KING) &&
                   (card->rank == top->rank + 1 || card->rank + 1 == top->rank));
}

bool GolfStep(Player& player, GolfSolitaire& game, i32 seed)
{
   const bool kingsClosed = seed & 2;
   CardPile* foundation = player.harness.Pile(CARD_PILE_TYPE_FOUNDATION);
   CardPile* stock = player.harness.Stock();
   std::vector<Card*> tops;
   std::vector<Card*> fitting;
   for (i32 c = 0; c < GOLF_COLUMN_COUNT; ++c)
   {
      Card* top = player.harness.Pile(CARD_PILE_TYPE_TABLEAU, c)->CardTopGet();
      if (top)
      {
         tops.push_back(top);
         if (GolfFits(foundation->CardTopGet(), top, kingsClosed))
         {
            fitting.push_back(top);
         }
      }
   }
   const i32 choice = player.Draw(100);
   if (player.undoAllowed && choice < 5)
   {
      game.Undo();
      return player.Settle();
   }
   const i32 before = foundation->cards.count;
   const Card* under = foundation->CardTopGet();
   Card* played = nullptr;
   if (choice < 20 && !tops.empty())
   {
      played = player.Pick(tops);
   }
   else if (!fitting.empty() && (choice < 85 || stock->cards.count == 0))
   {
      played = player.Pick(fitting);
   }
   if (played)
   {
      const bool fits = GolfFits(under, played, kingsClosed);
      // By a drop, or by a double-click's choice.
      if (choice % 2)
      {
         EXPECT_EQ(player.harness.Drop(played, foundation), fits);
      }
      else
      {
         player.harness.ChoosePost(played);
      }
      if (!player.Settle())
      {
         return false;
      }
      EXPECT_EQ(foundation->cards.count, before + (fits ? 1 : 0));
      EXPECT_EQ(foundation->CardTopGet(), fits ? played : under);
      return true;
   }
   if (stock->cards.count == 0)
   {
      return false;
   }
   Card* turned = stock->CardTopGet();
   player.harness.ChoosePost(turned);
   if (!player.Settle())
   {
      return false;
   }
   EXPECT_EQ(foundation->CardTopGet(), turned);
   EXPECT_TRUE(turned->faceUp);
   return true;
}

void GolfEndCheck(TableSolitaireHarness& harness, GolfSolitaire& game, i32 seed)
{
   const CardPile* foundation = harness.Pile(CARD_PILE_TYPE_FOUNDATION);
   i32 left = 0;
   bool move = false;
   for (i32 c = 0; c < GOLF_COLUMN_COUNT; ++c)
   {
      const CardPile* column = harness.Pile(CARD_PILE_TYPE_TABLEAU, c);
      left += column->cards.count;
      move = move ||
             (column->CardTopGet() && GolfFits(foundation->CardTopGet(), column->CardTopGet(), seed & 2));
   }
   const i32 expected = harness.Stock()->cards.count > 0 ? MINIGAME_RESULT_RUNNING
                        : left == 0                      ? MINIGAME_RESULT_WON
                        : move                           ? MINIGAME_RESULT_RUNNING
                                                         : MINIGAME_RESULT_LOST;
   EXPECT_EQ(game.gameResult, expected);
   if (expected != MINIGAME_RESULT_RUNNING)
   {
      EXPECT_EQ(game.players[0]->minigameScore, left);
   }
}

// ---- Nestor ----

std::vector<Card*> NestorFree(TableSolitaireHarness& harness)
{
   std::vector<Card*> free;
   for (i32 i = 0; i < harness.solitaire->cardPiles.count; ++i)
   {
      CardPile* pile = harness.solitaire->cardPiles[i];
      if ((pile->type == CARD_PILE_TYPE_TABLEAU || pile->type == CARD_PILE_TYPE_RESERVE) &&
          pile->CardTopGet())
      {
         free.push_back(pile->CardTopGet());
      }
   }
   return free;
}

bool NestorStep(Player& player, NestorSolitaire& game, i32 seed)
{
   (void)seed;
   // Each step begins with nothing chosen.
   if (game.firstClickedCardID >= 0)
   {
      player.harness.ChoosePost(game.CardGet(game.firstClickedCardID));
      if (!player.Settle())
      {
         return false;
      }
      EXPECT_EQ(game.firstClickedCardID, -1);
   }
   const std::vector<Card*> free = NestorFree(player.harness);
   bool pairLeft = false;
   for (size_t i = 0; i < free.size(); ++i)
   {
      for (size_t j = i + 1; j < free.size(); ++j)
      {
         pairLeft = pairLeft || free[i]->rank == free[j]->rank;
      }
   }
   // Stuck: the stock's top may still hold the only partner, which keeps the game open.
   if (!pairLeft)
   {
      return false;
   }
   const i32 choice = player.Draw(100);
   if (player.undoAllowed && choice < 5)
   {
      game.Undo();
      EXPECT_EQ(game.firstClickedCardID, -1);
      return player.Settle();
   }
   CardPile* foundation = player.harness.Pile(CARD_PILE_TYPE_FOUNDATION);
   const i32 before = foundation->cards.count;
   Card* first = player.Pick(free);
   std::vector<Card*> partners;
   std::vector<Card*> others;
   for (Card* card : free)
   {
      if (card != first)
      {
         (card->rank == first->rank ? partners : others).push_back(card);
      }
   }
   // Now and then a covered card, which is never chosen.
   Card* covered = nullptr;
   if (choice < 10 && first->pile->type == CARD_PILE_TYPE_TABLEAU && first->pile->cards.count > 1)
   {
      covered = first->pile->cards[0];
   }
   Card* second = !partners.empty() && choice < 75 ? player.Pick(partners)
                  : !others.empty()                ? player.Pick(others)
                                                   : first;
   player.harness.ChoosePost(first);
   if (covered)
   {
      player.harness.ChoosePost(covered);
   }
   player.harness.ChoosePost(second);
   if (!player.Settle())
   {
      return false;
   }
   const bool pair = second != first && second->rank == first->rank;
   EXPECT_EQ(foundation->cards.count, before + (pair ? 2 : 0));
   if (pair)
   {
      EXPECT_EQ(game.firstClickedCardID, -1);
      EXPECT_EQ(foundation->cards[before + 1]->rank, foundation->cards[before]->rank);
   }
   else
   {
      EXPECT_EQ(game.firstClickedCardID, second == first ? -1 : second->id);
   }
   return true;
}

void NestorEndCheck(TableSolitaireHarness& harness, NestorSolitaire& game)
{
   bool empty = true;
   i32 ranks[14] = {};
   bool pair = false;
   for (i32 i = 0; i < harness.solitaire->cardPiles.count; ++i)
   {
      const CardPile* pile = harness.solitaire->cardPiles[i];
      if (pile->type == CARD_PILE_TYPE_FOUNDATION)
      {
         continue;
      }
      empty = empty && (pile->type == CARD_PILE_TYPE_DRAW || pile->cards.count == 0);
      pair = pair || (pile->CardTopGet() && ++ranks[pile->CardTopGet()->rank] == 2);
   }
   EXPECT_EQ(game.gameResult, empty  ? MINIGAME_RESULT_WON
                              : pair ? MINIGAME_RESULT_RUNNING
                                     : MINIGAME_RESULT_LOST);
}

// ---- The driver ----

std::string FinalDocument(TableSolitaireHarness& harness, CardGame& game)
{
   return TableSolitaireHarness::TimersCleared(harness.SavedText(&game));
}

template <class Game> struct Rules
{
   std::vector<const char*> options;
   std::function<bool(Player&, Game&, i32)> step;
   std::function<void(TableSolitaireHarness&, Game&, i32)> endCheck;
   // Whether a game must reach its end under the step cap.
   bool ends;
};

// Plays until the end, the oracle's stuck table, the step cap or the step stopAt (stopped set).
template <class Game>
bool GamePlay(Player& player, Game& game, const Rules<Game>& rules, i32 seed, i32 stopAt = -1,
              bool* stopped = nullptr, i32 firstStep = 0)
{
   for (i32 step = firstStep; step < 400; ++step)
   {
      rules.endCheck(player.harness, game, seed);
      if (game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         return true;
      }
      if (step == stopAt)
      {
         *stopped = true;
         return true;
      }
      if (!rules.step(player, game, seed))
      {
         return !rules.ends;
      }
      if (::testing::Test::HasFailure())
      {
         return false;
      }
   }
   return !rules.ends;
}

template <class Game> void SeededGamesPlay(const Rules<Game>& rules)
{
   Game game;
   TableSolitaireHarness harness;
   ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   harness.ConservedEveryFrame();
   harness.frameMilliseconds = 250;
   i32 won = 0;
   i32 reloads = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= GAMES; ++seed)
   {
      SCOPED_TRACE(seed);
      auto begin = [&](Game& which, Player& player)
      {
         for (size_t i = 0; i < rules.options.size(); ++i)
         {
            TableSolitaireHarness::OptionSet(&which, rules.options[i], (seed >> i) & 1);
         }
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         player.random.seed(static_cast<u32>(seed));
         player.undoAllowed = seed % 10 != 0;
         ASSERT_TRUE(player.Settle());
      };
      Player player{harness, std::mt19937(), true};
      ASSERT_NO_FATAL_FAILURE(begin(game, player));
      ASSERT_TRUE(GamePlay(player, game, rules, seed)) << "the game hung or broke a rule";
      won += game.gameResult == MINIGAME_RESULT_WON;
      if (seed % 10 != 0)
      {
         continue;
      }
      const std::string uninterrupted = FinalDocument(harness, game);
      ASSERT_NO_FATAL_FAILURE(begin(game, player));
      bool stopped = false;
      const i32 stop = 1 + (seed * 7919) % 40;
      ASSERT_TRUE(GamePlay(player, game, rules, seed, stop, &stopped));
      if (!stopped)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      Game fresh;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&fresh, 99, 98));
      ASSERT_TRUE(fresh.Load(saved.get()));
      ASSERT_TRUE(player.Settle());
      ASSERT_TRUE(GamePlay(player, fresh, rules, seed, -1, nullptr, stop))
          << "the loaded game hung or broke a rule";
      EXPECT_EQ(FinalDocument(harness, fresh), uninterrupted);
      reloads++;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }
   EXPECT_GE(reloads, GAMES / 20);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d won, %d reloads, %.1f s\n", GAMES, won, reloads, seconds);
}

TEST(TableSolitaireSoakTest, SeededGamesOfGaps)
{
   SeededGamesPlay<GapsSolitaire>(
       {{"TwosAlwaysBeginRows", "LeftHighOnly", "AllowResets", "ShowPlayableCards"},
        &GapsStep,
        [](TableSolitaireHarness& h, GapsSolitaire& g, i32) { GapsEndCheck(h, g); },
        false});
}

TEST(TableSolitaireSoakTest, SeededGamesOfGolf)
{
   SeededGamesPlay<GolfSolitaire>(
       {{"SixTableaus", "CantPlayOnKings", "ShowPlayableCards"}, &GolfStep, &GolfEndCheck, true});
}

TEST(TableSolitaireSoakTest, SeededGamesOfNestor)
{
   SeededGamesPlay<NestorSolitaire>({{"OnlyFourReserveCards", "ShowPlayableCards"},
                                     &NestorStep,
                                     [](TableSolitaireHarness& h, NestorSolitaire& g, i32)
                                     { NestorEndCheck(h, g); },
                                     false});
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
