// Seeded games of Red and Black, Sultan, Strategy, Terrace and Shamrocks played by the random
// player with their options drawn per seed, judged by each game's rules written out again here.
// One game in ten is also saved at a random step, loaded into a fresh game and played on to the
// same final document.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "games/solitaire/RedAndBlackSolitaire.h"
#include "games/solitaire/ShamrocksSolitaire.h"
#include "games/solitaire/StrategySolitaire.h"
#include "games/solitaire/SultanSolitaire.h"
#include "games/solitaire/TerraceSolitaire.h"
#include "tests/games/solitaire/SolitaireSoak.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
bool Red(i32 suit)
{
   return suit == SUIT_HEARTS || suit == SUIT_DIAMONDS;
}

// The rank after rank going up, the King followed by the Ace.
i32 RankUp(i32 rank)
{
   return rank == RANK_KING ? RANK_ACE : rank + 1;
}

bool Top(const Card* card)
{
   return card->pile->CardTopGet() == card;
}

bool Option(const char* key, const char* name)
{
   const JSONValue* value = ProfileMinigameSettingsGet(key)->ItemGet(name);
   return value && value->BoolValueGet();
}

// What every game's judge shares: the piles by role, the cards that could move, and a pile's cards
// checked as a build.
class RulesBase : public SoakRules
{
 public:
   explicit RulesBase(SolitaireHarness& harnessUsed) : harness(harnessUsed) {}

   TraditionalSolitaireGame* Game() { return harness.solitaire; }
   CardPile* Pile(i32 type, i32 secondaryID = -1) { return Game()->CardPileGet(type, secondaryID, -1); }
   i32 Count(i32 type, i32 secondaryID = -1)
   {
      const CardPile* pile = Pile(type, secondaryID);
      return pile ? pile->cards.count : 0;
   }
   i32 TypeCount(i32 type)
   {
      i32 total = 0;
      for (i32 p = 0; p < Game()->cardPiles.count; ++p)
      {
         total += Game()->cardPiles[p]->type == type ? Game()->cardPiles[p]->cards.count : 0;
      }
      return total;
   }
   bool AnyMove()
   {
      for (i32 p = 0; p < Game()->cardPiles.count; ++p)
      {
         const CardPile* pile = Game()->cardPiles[p];
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            const Card* card = pile->cards[i];
            if (!card->faceUp || !PickUpLegal(card))
            {
               continue;
            }
            for (i32 t = 0; t < Game()->cardPiles.count; ++t)
            {
               if (Game()->cardPiles[t] != pile && DropLegal(Game()->cardPiles[t], card))
               {
                  return true;
               }
            }
         }
      }
      return false;
   }
   // A build from the bottom up: each card follows the one under it by step (same suit or other
   // colour, wrapping or not); the bottom card is of rank first (0: any).
   std::string BuildFault(const CardPile* pile, i32 first, bool sameSuit, bool wrap)
   {
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         const Card* card = pile->cards[i];
         const Card* under = i > 0 ? pile->cards[i - 1] : nullptr;
         const bool follows =
             under ? (sameSuit ? card->suit == under->suit : Red(card->suit) != Red(under->suit)) &&
                         (wrap ? card->rank == RankUp(under->rank) : card->rank == under->rank + 1)
                   : first == 0 || card->rank == first;
         if (!follows)
         {
            return "pile " + std::to_string(pile->id) + " out of order at " + std::to_string(i);
         }
      }
      return "";
   }
   // Clicks the stock's top card: count cards go from the stock to the pile.
   bool StockClick(CardPile* to, i32 count)
   {
      if (!Pile(CARD_PILE_TYPE_DRAW)->CardTopGet())
      {
         return false;
      }
      CardPile* stock = Pile(CARD_PILE_TYPE_DRAW);
      const i32 before = stock->cards.count;
      const i32 toBefore = to ? to->cards.count : 0;
      harness.ChoosePost(stock->CardTopGet());
      EXPECT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(stock->cards.count, before - count);
      if (to)
      {
         EXPECT_EQ(to->cards.count, toBefore + count);
      }
      return true;
   }

   SolitaireHarness& harness;
};

class RedAndBlackRules : public RulesBase
{
 public:
   using RulesBase::RulesBase;
   bool PickUpLegal(const Card* card) override
   {
      const i32 type = card->pile->type;
      return Top(card) && (type == CARD_PILE_TYPE_TABLEAU || type == CARD_PILE_TYPE_TALON);
   }
   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const Card* top = target->CardTopGet();
      if (!top || Red(top->suit) == Red(card->suit))
      {
         return false;
      }
      if (target->type == CARD_PILE_TYPE_FOUNDATION)
      {
         return card->rank == top->rank + 1;
      }
      const bool reverse = Option("RedAndBlackSolitaire", "ReversePlay");
      return target->type == CARD_PILE_TYPE_TABLEAU &&
             card->rank == (reverse ? top->rank + 1 : top->rank - 1);
   }
   std::string IdleFault() override
   {
      for (i32 f = 0; f < 8; ++f)
      {
         const std::string fault = BuildFault(Pile(CARD_PILE_TYPE_FOUNDATION, f), RANK_ACE, false, false);
         if (!fault.empty() || Count(CARD_PILE_TYPE_FOUNDATION, f) == 0)
         {
            return fault.empty() ? "an empty foundation" : fault;
         }
      }
      if (Count(CARD_PILE_TYPE_DRAW) > 0)
      {
         if (Count(CARD_PILE_TYPE_TALON) == 0)
         {
            return "the talon empty beside the stock";
         }
         for (i32 column = 0; column < 8; ++column)
         {
            if (Count(CARD_PILE_TYPE_TABLEAU, column) == 0)
            {
               return "column " + std::to_string(column) + " empty beside the stock";
            }
         }
      }
      return "";
   }
   i32 ResultExpected() override
   {
      return TypeCount(CARD_PILE_TYPE_FOUNDATION) == 104 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_RUNNING;
   }
   bool StockAct(std::mt19937& random) override
   {
      // A few clicks in a row, so that random games get through the long stock.
      bool clicked = false;
      for (u32 clicks = 1 + random() % 4; clicks > 0 && Count(CARD_PILE_TYPE_DRAW) > 0; --clicks)
      {
         clicked = StockClick(Pile(CARD_PILE_TYPE_TALON), 1);
         harness.Settle();
      }
      return clicked;
   }
};

class SultanRules : public RulesBase
{
 public:
   using RulesBase::RulesBase;
   SultanSolitaire* Sultan() { return static_cast<SultanSolitaire*>(Game()); }
   bool PickUpLegal(const Card* card) override
   {
      const i32 type = card->pile->type;
      return type == CARD_PILE_TYPE_TABLEAU || type == CARD_PILE_TYPE_TALON;
   }
   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const Card* top = target->CardTopGet();
      if (target->type == CARD_PILE_TYPE_TABLEAU)
      {
         return !top;
      }
      return target->type == CARD_PILE_TYPE_FOUNDATION && target->secondaryID != 4 && Top(card) && top &&
             top->suit == card->suit && card->rank == RankUp(top->rank) && target->cards.count < 13;
   }
   std::string IdleFault() override
   {
      for (i32 f = 0; f < 9; ++f)
      {
         const CardPile* pile = Pile(CARD_PILE_TYPE_FOUNDATION, f);
         const std::string fault = BuildFault(pile, f == 1 ? RANK_ACE : RANK_KING, true, true);
         if (!fault.empty() || pile->cards.count == 0 || pile->cards.count > 13 ||
             (f == 4 && pile->cards.count != 1))
         {
            return "foundation " + std::to_string(f) + ": " + fault;
         }
      }
      return Sultan()->resetNum > 2 ? "more than two redeals" : "";
   }
   i32 ResultExpected() override
   {
      if (Count(CARD_PILE_TYPE_DRAW) == 0 && Count(CARD_PILE_TYPE_TALON) == 0 &&
          TypeCount(CARD_PILE_TYPE_TABLEAU) == 0)
      {
         return MINIGAME_RESULT_WON;
      }
      const bool redeal = Sultan()->resetNum < 2 && Count(CARD_PILE_TYPE_TALON) > 0;
      return Count(CARD_PILE_TYPE_DRAW) > 0 || AnyMove() || redeal ? MINIGAME_RESULT_RUNNING
                                                                   : MINIGAME_RESULT_LOST;
   }
   bool StockAct(std::mt19937& random) override
   {
      if (Count(CARD_PILE_TYPE_DRAW) > 0)
      {
         for (u32 clicks = 1 + random() % 4; clicks > 1 && Count(CARD_PILE_TYPE_DRAW) > 1; --clicks)
         {
            StockClick(Pile(CARD_PILE_TYPE_TALON), 1);
            harness.Settle();
         }
         return StockClick(Pile(CARD_PILE_TYPE_TALON), 1);
      }
      const i32 talon = Count(CARD_PILE_TYPE_TALON);
      if (talon == 0 || Sultan()->resetNum >= 2)
      {
         return false;
      }
      EXPECT_TRUE(Sultan()->ResetAllowedCheck());
      TalonSolitaire::ResetButtonHandler(nullptr, Sultan());
      EXPECT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(Count(CARD_PILE_TYPE_DRAW), talon);
      return true;
   }
};

class StrategyRules : public RulesBase
{
 public:
   using RulesBase::RulesBase;
   bool Six() { return Option("StrategySolitaire", "SixTableaus"); }
   bool PickUpLegal(const Card* card) override
   {
      const i32 type = card->pile->type;
      return Top(card) && (type == CARD_PILE_TYPE_TABLEAU || type == CARD_PILE_TYPE_RESERVE);
   }
   bool DropLegal(const CardPile* target, const Card* card) override
   {
      if (card->pile->type == CARD_PILE_TYPE_RESERVE)
      {
         return target->type == CARD_PILE_TYPE_TABLEAU && target->cards.count < 13 &&
                (!Six() || target->secondaryID < 6);
      }
      const Card* top = target->CardTopGet();
      return card->pile->type == CARD_PILE_TYPE_TABLEAU && target->type == CARD_PILE_TYPE_FOUNDATION &&
             Count(CARD_PILE_TYPE_DRAW) == 0 && top && top->suit == card->suit && card->rank == top->rank + 1;
   }
   std::string IdleFault() override
   {
      for (i32 f = 0; f < 4; ++f)
      {
         const std::string fault = BuildFault(Pile(CARD_PILE_TYPE_FOUNDATION, f), RANK_ACE, true, false);
         if (!fault.empty())
         {
            return fault;
         }
      }
      if (Count(CARD_PILE_TYPE_DRAW) > 0 && Count(CARD_PILE_TYPE_RESERVE) != 1)
      {
         return "the reserve not refilled";
      }
      for (i32 column = 0; column < 8; ++column)
      {
         if (Count(CARD_PILE_TYPE_TABLEAU, column) > 13 ||
             (Six() && column >= 6 && Count(CARD_PILE_TYPE_TABLEAU, column) > 0))
         {
            return "column " + std::to_string(column) + " holds too much";
         }
      }
      return "";
   }
   i32 ResultExpected() override
   {
      if (TypeCount(CARD_PILE_TYPE_FOUNDATION) == 52)
      {
         return MINIGAME_RESULT_WON;
      }
      return AnyMove() ? MINIGAME_RESULT_RUNNING : MINIGAME_RESULT_LOST;
   }
   bool StockAct(std::mt19937&) override
   {
      // The reserve is full whenever the table is idle: a click turns nothing.
      return Count(CARD_PILE_TYPE_DRAW) > 0 && StockClick(nullptr, 0);
   }
};

class TerraceRules : public RulesBase
{
 public:
   using RulesBase::RulesBase;
   // The rank the first foundation card fixed; -1 while every foundation is empty.
   i32 Base()
   {
      for (i32 f = 0; f < 8; ++f)
      {
         const CardPile* pile = Pile(CARD_PILE_TYPE_FOUNDATION, f);
         if (pile->cards.count > 0)
         {
            return pile->cards[0]->rank;
         }
      }
      return -1;
   }
   bool PickUpLegal(const Card* card) override
   {
      const i32 type = card->pile->type;
      return Top(card) && (type == CARD_PILE_TYPE_TABLEAU || type == CARD_PILE_TYPE_TALON ||
                           (type == CARD_PILE_TYPE_RESERVE && Base() >= 0));
   }
   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const Card* top = target->CardTopGet();
      if (target->type == CARD_PILE_TYPE_FOUNDATION)
      {
         if (!top)
         {
            return Base() < 0 || card->rank == Base();
         }
         return Red(top->suit) != Red(card->suit) && card->rank == RankUp(top->rank) &&
                target->cards.count < 13;
      }
      const i32 from = card->pile->type;
      if (target->type != CARD_PILE_TYPE_TABLEAU || Base() < 0 ||
          (from != CARD_PILE_TYPE_TABLEAU && from != CARD_PILE_TYPE_TALON))
      {
         return false;
      }
      return !top || (target->cards.count < 25 && Red(top->suit) != Red(card->suit) &&
                      RankUp(card->rank) == top->rank);
   }
   std::string IdleFault() override
   {
      const i32 base = Base();
      if (static_cast<i32>(static_cast<TerraceSolitaire*>(Game())->buildRank) != base)
      {
         return "the base rank is not the first foundation card's";
      }
      for (i32 f = 0; f < 8; ++f)
      {
         const std::string fault = BuildFault(Pile(CARD_PILE_TYPE_FOUNDATION, f), base, false, true);
         if (!fault.empty())
         {
            return fault;
         }
      }
      const bool feeding = Count(CARD_PILE_TYPE_DRAW) + Count(CARD_PILE_TYPE_TALON) > 0;
      for (i32 column = 0; column < (base < 0 ? 3 : 9) && feeding; ++column)
      {
         if (Count(CARD_PILE_TYPE_TABLEAU, column) == 0)
         {
            return "column " + std::to_string(column) + " not refilled";
         }
      }
      return "";
   }
   i32 ResultExpected() override
   {
      if (TypeCount(CARD_PILE_TYPE_FOUNDATION) == 104)
      {
         return MINIGAME_RESULT_WON;
      }
      return Count(CARD_PILE_TYPE_DRAW) > 0 || AnyMove() ? MINIGAME_RESULT_RUNNING : MINIGAME_RESULT_LOST;
   }
   bool StockAct(std::mt19937& random) override
   {
      if (Count(CARD_PILE_TYPE_DRAW) == 0)
      {
         return false;
      }
      // Before the base the stock waits.
      for (u32 clicks = 1 + random() % 3; clicks > 1 && Base() >= 0 && Count(CARD_PILE_TYPE_DRAW) > 1;
           --clicks)
      {
         StockClick(Pile(CARD_PILE_TYPE_TALON), 1);
         harness.Settle();
      }
      return StockClick(Pile(CARD_PILE_TYPE_TALON), Base() < 0 ? 0 : 1);
   }
};

class ShamrocksRules : public RulesBase
{
 public:
   using RulesBase::RulesBase;
   i32 Base()
   {
      for (i32 f = 0; f < 4; ++f)
      {
         const CardPile* pile = Pile(CARD_PILE_TYPE_FOUNDATION, f);
         if (pile->cards.count > 0)
         {
            return pile->cards[0]->rank;
         }
      }
      return Option("ShamrocksSolitaire", "OnlyAcesStart") ? RANK_ACE : -1;
   }
   bool PickUpLegal(const Card* card) override
   {
      return Top(card) && card->pile->type == CARD_PILE_TYPE_TABLEAU;
   }
   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const Card* top = target->CardTopGet();
      if (target->type == CARD_PILE_TYPE_TABLEAU)
      {
         return top && target->cards.count < 3 &&
                (RankUp(top->rank) == card->rank || RankUp(card->rank) == top->rank);
      }
      if (target->type != CARD_PILE_TYPE_FOUNDATION)
      {
         return false;
      }
      return top ? top->suit == card->suit && card->rank == RankUp(top->rank)
                 : Base() < 0 || card->rank == Base();
   }
   std::string IdleFault() override
   {
      const i32 base = Base();
      if (static_cast<i32>(static_cast<ShamrocksSolitaire*>(Game())->buildRank) != base)
      {
         return "the base rank is not the first foundation card's";
      }
      for (i32 f = 0; f < 4; ++f)
      {
         const std::string fault =
             BuildFault(Pile(CARD_PILE_TYPE_FOUNDATION, f), base < 0 ? 0 : base, true, true);
         if (!fault.empty())
         {
            return fault;
         }
      }
      for (i32 fan = 0; fan < 18; ++fan)
      {
         if (Count(CARD_PILE_TYPE_TABLEAU, fan) > 3)
         {
            return "fan " + std::to_string(fan) + " holds more than three";
         }
      }
      return Count(CARD_PILE_TYPE_DRAW) == 0 ? "" : "a card on the stock";
   }
   i32 ResultExpected() override
   {
      if (TypeCount(CARD_PILE_TYPE_TABLEAU) == 0)
      {
         return MINIGAME_RESULT_WON;
      }
      return AnyMove() ? MINIGAME_RESULT_RUNNING : MINIGAME_RESULT_LOST;
   }
   bool StockAct(std::mt19937&) override { return false; }
};

// Plays the seeded games of one solitaire, each up to maxSteps actions; options sets the options
// drawn for a seed.
template <class Game, class Rules>
void SeededSoak(i32 decks, i32 maxSteps, const std::function<void(std::mt19937&)>& options)
{
   Game game;
   Game fresh;
   SolitaireHarness harness;
   Game::ReflectionRegister();
   // A card's move ends within one long frame.
   harness.frameMilliseconds = 250;
   harness.SolitaireEnter(&game, decks);
   harness.ConservedEveryFrame();
   Rules rules(harness);
#ifdef __SANITIZE_ADDRESS__
   const u32 games = 100;
#else
   const u32 games = 1000;
#endif
   const auto start = std::chrono::steady_clock::now();
   u32 won = 0;
   u32 lost = 0;
   i64 steps = 0;
   u32 roundTrips = 0;
   for (u32 seed = 1; seed <= games && !::testing::Test::HasFailure(); ++seed)
   {
      SCOPED_TRACE(seed);
      std::mt19937 drawn(seed);
      options(drawn);
      auto deal = [&]()
      {
         game.seed1 = seed * 7919u;
         game.seed2 = seed * 104729u;
         game.GameNew();
         harness.Settle();
      };
      deal();
      SolitaireSoak soak(harness, rules);
      soak.random.seed(seed);
      soak.undoAllowed = seed % 10 != 0;
      soak.Play(0, maxSteps, -1, nullptr);
      steps += soak.steps;
      won += game.gameResult == MINIGAME_RESULT_WON ? 1 : 0;
      lost += game.gameResult == MINIGAME_RESULT_LOST ? 1 : 0;
      if (seed % 10 != 0)
      {
         continue;
      }
      const std::string uninterrupted = SoakTimersCleared(harness.SavedText(&game));
      deal();
      SolitaireSoak resumed(harness, rules);
      resumed.random.seed(seed);
      resumed.undoAllowed = false;
      const i32 saveStep = 1 + static_cast<i32>(drawn() % 100);
      JSONTest::ValuePointer saved;
      resumed.Play(0, maxSteps, saveStep, &saved);
      if (saved)
      {
         harness.SolitaireEnter(&fresh, decks);
         ASSERT_TRUE(fresh.Load(saved.get()));
         resumed.Play(saveStep, maxSteps, -1, nullptr);
         EXPECT_EQ(SoakTimersCleared(harness.SavedText(&fresh)), uninterrupted);
         roundTrips++;
         harness.SolitaireEnter(&game, decks);
      }
   }
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%s: %u games, %lld steps, %u won, %u lost, %u saved and loaded, %.1f s\n", game.GameNameGet(),
               games, static_cast<long long>(steps), won, lost, roundTrips, seconds);
   EXPECT_GE(roundTrips, games / 20);
}

TEST(StockAndBaseSoakTest, RedAndBlack)
{
   SeededSoak<RedAndBlackSolitaire, RedAndBlackRules>(
       2, 170,
       [](std::mt19937& drawn)
       { SolitaireHarness::OptionSet("RedAndBlackSolitaire", "ReversePlay", drawn() % 2 == 0); });
}

TEST(StockAndBaseSoakTest, Sultan)
{
   SeededSoak<SultanSolitaire, SultanRules>(2, 170, [](std::mt19937&) {});
}

TEST(StockAndBaseSoakTest, Strategy)
{
   SeededSoak<StrategySolitaire, StrategyRules>(
       1, 200,
       [](std::mt19937& drawn)
       { SolitaireHarness::OptionSet("StrategySolitaire", "SixTableaus", drawn() % 3 == 0); });
}

TEST(StockAndBaseSoakTest, Terrace)
{
   SeededSoak<TerraceSolitaire, TerraceRules>(2, 200, [](std::mt19937&) {});
}

TEST(StockAndBaseSoakTest, Shamrocks)
{
   SeededSoak<ShamrocksSolitaire, ShamrocksRules>(
       1, 200,
       [](std::mt19937& drawn)
       { SolitaireHarness::OptionSet("ShamrocksSolitaire", "OnlyAcesStart", drawn() % 3 != 0); });
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
