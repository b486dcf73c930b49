// Seeded games of Clock, Calculation, Eagle Wing, Betsy Ross and Alhambra played by the random
// player with their options drawn per seed, each judged by its rules written out again here. One
// game in ten is also saved at a random step, loaded into a fresh game and played on to the same
// final document.
#include <gtest/gtest.h>

#include <string>

#include "tests/games/solitaire/SolitaireSoak.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
i32 RankUp(i32 rank)
{
   return rank == RANK_KING ? RANK_ACE : rank + 1;
}

i32 RankDown(i32 rank)
{
   return rank == RANK_ACE ? RANK_KING : rank - 1;
}

// The rank after top on a pile that builds by step with the Ace after the King; none after a King.
bool StepFollows(i32 top, i32 rank, i32 step)
{
   if (top == RANK_KING)
   {
      return false;
   }
   i32 next = top;
   for (i32 i = 0; i < step; ++i)
   {
      next = RankUp(next);
   }
   return rank == next;
}

bool TopOf(const Card* card)
{
   return card->pile->CardTopGet() == card;
}

i32 Count(SolitaireHarness& harness, i32 type)
{
   i32 total = 0;
   for (i32 p = 0; p < harness.solitaire->cardPiles.count; ++p)
   {
      const CardPile* pile = harness.solitaire->cardPiles[p];
      total += pile->type == type ? pile->cards.count : 0;
   }
   return total;
}

// The rules' shared parts: whether any move is left, and a click on the stock or the reset.
class StockRules : public SoakRules
{
 public:
   explicit StockRules(SolitaireHarness& harnessUsed) : harness(harnessUsed) {}

   bool MoveLeft()
   {
      TraditionalSolitaireGame* game = harness.solitaire;
      for (i32 p = 0; p < game->cardPiles.count; ++p)
      {
         const CardPile* from = game->cardPiles[p];
         for (i32 i = 0; from->type != CARD_PILE_TYPE_DRAW && i < from->cards.count; ++i)
         {
            const Card* card = from->cards[i];
            if (!card->faceUp || !PickUpLegal(card))
            {
               continue;
            }
            for (i32 q = 0; q < game->cardPiles.count; ++q)
            {
               if (q != p && DropLegal(game->cardPiles[q], card))
               {
                  return true;
               }
            }
         }
      }
      return false;
   }

   TalonSolitaire* Talon() { return static_cast<TalonSolitaire*>(harness.solitaire); }

   // A turn of one stock card to the turned-card pile, or a reset while one is left.
   bool TurnOrReset(CardPile* turned, bool resetsAllowed)
   {
      CardPile* stock = harness.StockGet();
      if (stock->cards.count > 0)
      {
         if (turned->cards.count > 0 && turned->type == CARD_PILE_TYPE_FLIP)
         {
            return false;
         }
         const i32 before = turned->cards.count;
         harness.ChoosePost(stock->CardTopGet());
         EXPECT_TRUE(harness.RunUntilSettled(20000));
         EXPECT_EQ(turned->cards.count, before + 1) << "one card turned";
         return true;
      }
      CardPile* talon = harness.TalonGet();
      if (!resetsAllowed || talon->cards.count == 0 || Talon()->resetNum >= 2)
      {
         return false;
      }
      EXPECT_TRUE(Talon()->ResetAllowedCheck());
      const i32 cards = talon->cards.count;
      TalonSolitaire::ResetButtonHandler(nullptr, Talon());
      EXPECT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(stock->cards.count, cards);
      return true;
   }

   SolitaireHarness& harness;
};

class ClockRules : public StockRules
{
 public:
   using StockRules::StockRules;

   bool PickUpLegal(const Card* card) override
   {
      return card->faceUp && TopOf(card) &&
             (card->pile->type == CARD_PILE_TYPE_TABLEAU || card->pile->type == CARD_PILE_TYPE_FLIP);
   }

   bool DropLegal(const CardPile* target, const Card* card) override
   {
      if (target->type == CARD_PILE_TYPE_WASTE && target->secondaryID == 0)
      {
         return card->rank == RANK_KING;
      }
      return target->type == CARD_PILE_TYPE_TABLEAU && target->secondaryID + 1 == card->rank;
   }

   std::string IdleFault() override
   {
      bool faceUpTop = false;
      for (i32 hour = 0; hour < 12; ++hour)
      {
         const CardPile* pile = harness.ColumnGet(hour);
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            const Card* card = pile->cards[i];
            if (card->faceUp && i + 1 < pile->cards.count)
            {
               return "a face-up card under another on hour " + std::to_string(hour);
            }
            if (card->faceUp && card->rank == hour + 1)
            {
               return "a card left on its own hour " + std::to_string(hour);
            }
            faceUpTop = faceUpTop || card->faceUp;
         }
      }
      const CardPile* kings = harness.PileGet(CARD_PILE_TYPE_WASTE, 0);
      for (i32 i = 0; i < kings->cards.count; ++i)
      {
         if (kings->cards[i]->rank != RANK_KING)
         {
            return "not a King on the King pile";
         }
      }
      const CardPile* flip = harness.PileGet(CARD_PILE_TYPE_FLIP, 0);
      if (flip->cards.count > 1)
      {
         return "more than one turned card";
      }
      if (harness.solitaire->gameResult == MINIGAME_RESULT_RUNNING && !faceUpTop && flip->cards.count == 0)
      {
         return "nothing to carry and no card turned";
      }
      if (harness.solitaire->ScoreGet() != 52 - Count(harness, CARD_PILE_TYPE_TABLEAU))
      {
         return "the score is not the cards off the hours";
      }
      return "";
   }

   i32 ResultExpected() override
   {
      if (Count(harness, CARD_PILE_TYPE_TABLEAU) == 0)
      {
         return MINIGAME_RESULT_WON;
      }
      return harness.PileGet(CARD_PILE_TYPE_WASTE, 0)->cards.count >= 4 ? MINIGAME_RESULT_LOST
                                                                        : MINIGAME_RESULT_RUNNING;
   }

   bool StockAct(std::mt19937& random) override
   {
      (void)random;
      return false;
   }

   // A card carried to its hour goes on to the finished pile at once.
   bool MovedOnCheck(const Card* card, const CardPile* target) override
   {
      return target->type == CARD_PILE_TYPE_TABLEAU && card->pile == harness.PileGet(CARD_PILE_TYPE_WASTE, 1);
   }
};

class CalculationRules : public StockRules
{
 public:
   using StockRules::StockRules;

   bool PickUpLegal(const Card* card) override
   {
      return card->faceUp && TopOf(card) &&
             (card->pile->type == CARD_PILE_TYPE_TALON || card->pile->type == CARD_PILE_TYPE_TABLEAU);
   }

   bool DropLegal(const CardPile* target, const Card* card) override
   {
      if (target->type == CARD_PILE_TYPE_TABLEAU)
      {
         return card->pile->type == CARD_PILE_TYPE_TALON && (target->secondaryID < 4 || !fourColumns);
      }
      if (target->type != CARD_PILE_TYPE_FOUNDATION)
      {
         return false;
      }
      const i32 step = target->secondaryID + 1;
      const Card* top = target->CardTopGet();
      return top ? StepFollows(top->rank, card->rank, step) : card->rank == 2 * step;
   }

   std::string IdleFault() override
   {
      for (i32 k = 0; k < 4; ++k)
      {
         const CardPile* base = harness.PileGet(CARD_PILE_TYPE_RESERVE, k);
         if (base->cards.count != 1 || base->cards[0]->rank != k + 1)
         {
            return "base " + std::to_string(k) + " moved";
         }
         const CardPile* foundation = harness.FoundationGet(k);
         i32 rank = k + 1;
         for (i32 i = 0; i < foundation->cards.count; ++i)
         {
            if (!StepFollows(rank, foundation->cards[i]->rank, k + 1))
            {
               return "foundation " + std::to_string(k) + " out of order";
            }
            rank = foundation->cards[i]->rank;
         }
      }
      if (harness.TalonGet()->cards.count > 1)
      {
         return "more than one turned card";
      }
      if (fourColumns && harness.ColumnGet(4)->cards.count > 0)
      {
         return "cards on the hidden column";
      }
      return "";
   }

   i32 ResultExpected() override
   {
      if (Count(harness, CARD_PILE_TYPE_FOUNDATION) == 48)
      {
         return MINIGAME_RESULT_WON;
      }
      return harness.StockGet()->cards.count == 0 && !MoveLeft() ? MINIGAME_RESULT_LOST
                                                                 : MINIGAME_RESULT_RUNNING;
   }

   bool StockAct(std::mt19937& random) override
   {
      (void)random;
      CardPile* stock = harness.StockGet();
      if (stock->cards.count == 0 || harness.TalonGet()->cards.count > 0)
      {
         return false;
      }
      harness.ChoosePost(stock->CardTopGet());
      EXPECT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(harness.TalonGet()->cards.count, 1);
      return true;
   }

   bool fourColumns = true;
};

class EagleWingRules : public StockRules
{
 public:
   using StockRules::StockRules;

   bool PickUpLegal(const Card* card) override
   {
      switch (card->pile->type)
      {
      case CARD_PILE_TYPE_TABLEAU:
         return card->faceUp;
      case CARD_PILE_TYPE_RESERVE:
      case CARD_PILE_TYPE_TALON:
         return card->faceUp && TopOf(card);
      default:
         return false;
      }
   }

   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const Card* top = target->CardTopGet();
      if (target->type == CARD_PILE_TYPE_TABLEAU)
      {
         const i32 moving = card->pile->type == CARD_PILE_TYPE_TABLEAU
                                ? card->pile->cards.count - card->pile->CardIndexGet(card)
                                : 1;
         return moving + target->cards.count <= 3 &&
                (!top || (top->suit == card->suit && RankDown(top->rank) == card->rank));
      }
      if (target->type == CARD_PILE_TYPE_FOUNDATION)
      {
         return TopOf(card) &&
                (top ? top->suit == card->suit && RankUp(top->rank) == card->rank : card->rank == firstRank);
      }
      return false;
   }

   std::string IdleFault() override
   {
      const bool trunkHolds = harness.PileGet(CARD_PILE_TYPE_RESERVE, -1)->cards.count > 0;
      for (i32 wing = 0; wing < 8; ++wing)
      {
         const i32 cards = harness.ColumnGet(wing)->cards.count;
         if (cards > 3 || (cards == 0 && trunkHolds))
         {
            return "wing " + std::to_string(wing) + " holds " + std::to_string(cards);
         }
      }
      for (i32 f = 0; f < 4; ++f)
      {
         const CardPile* foundation = harness.FoundationGet(f);
         for (i32 i = 0; i < foundation->cards.count; ++i)
         {
            const Card* under = i > 0 ? foundation->cards[i - 1] : nullptr;
            const Card* card = foundation->cards[i];
            if (under ? under->suit != card->suit || RankUp(under->rank) != card->rank
                      : card->rank != firstRank)
            {
               return "foundation " + std::to_string(f) + " out of order";
            }
         }
      }
      return Talon()->resetNum > 2 ? "more than two resets" : "";
   }

   i32 ResultExpected() override
   {
      return Count(harness, CARD_PILE_TYPE_FOUNDATION) == 52 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_RUNNING;
   }

   bool StockAct(std::mt19937& random) override
   {
      (void)random;
      return TurnOrReset(harness.TalonGet(), true);
   }

   i32 firstRank = RANK_ACE;
};

class BetsyRossRules : public StockRules
{
 public:
   using StockRules::StockRules;

   bool PickUpLegal(const Card* card) override
   {
      return card->faceUp && TopOf(card) && card->pile->type == CARD_PILE_TYPE_TALON;
   }

   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const Card* top = target->CardTopGet();
      return target->type == CARD_PILE_TYPE_FOUNDATION && top &&
             StepFollows(top->rank, card->rank, target->secondaryID + 1);
   }

   std::string IdleFault() override
   {
      for (i32 k = 0; k < 4; ++k)
      {
         const CardPile* base = harness.PileGet(CARD_PILE_TYPE_RESERVE, k);
         if (base->cards.count != 1 || base->cards[0]->rank != k + 1)
         {
            return "base " + std::to_string(k) + " moved";
         }
         const CardPile* foundation = harness.FoundationGet(k);
         if (foundation->cards.count == 0 || foundation->cards[0]->rank != 2 * (k + 1))
         {
            return "foundation " + std::to_string(k) + " lost its first card";
         }
         for (i32 i = 1; i < foundation->cards.count; ++i)
         {
            if (!StepFollows(foundation->cards[i - 1]->rank, foundation->cards[i]->rank, k + 1))
            {
               return "foundation " + std::to_string(k) + " out of order";
            }
         }
      }
      return "";
   }

   i32 ResultExpected() override
   {
      if (harness.StockGet()->cards.count == 0 && harness.TalonGet()->cards.count == 0)
      {
         return MINIGAME_RESULT_WON;
      }
      return harness.StockGet()->cards.count == 0 && Talon()->resetNum >= 2 && !MoveLeft()
                 ? MINIGAME_RESULT_LOST
                 : MINIGAME_RESULT_RUNNING;
   }

   bool StockAct(std::mt19937& random) override
   {
      (void)random;
      return TurnOrReset(harness.TalonGet(), true);
   }
};

class AlhambraRules : public StockRules
{
 public:
   using StockRules::StockRules;

   bool PickUpLegal(const Card* card) override
   {
      const i32 type = card->pile->type;
      return card->faceUp && TopOf(card) &&
             (type == CARD_PILE_TYPE_TALON || type == CARD_PILE_TYPE_RESERVE || type == CARD_PILE_TYPE_FLIP);
   }

   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const Card* top = target->CardTopGet();
      if (target->type == CARD_PILE_TYPE_FOUNDATION)
      {
         if (!top || top->suit != card->suit)
         {
            return false;
         }
         return target->secondaryID < 4 ? top->rank != RANK_KING && card->rank == top->rank + 1
                                        : top->rank != RANK_ACE && card->rank == top->rank - 1;
      }
      if (target->type == CARD_PILE_TYPE_TALON)
      {
         return card->pile->type == CARD_PILE_TYPE_FLIP ||
                (top && top->suit == card->suit &&
                 (RankUp(top->rank) == card->rank || RankDown(top->rank) == card->rank));
      }
      return false;
   }

   std::string IdleFault() override
   {
      for (i32 f = 0; f < 8; ++f)
      {
         const CardPile* foundation = harness.FoundationGet(f);
         if (foundation->cards.count == 0 || foundation->cards[0]->suit != f % 4 ||
             foundation->cards[0]->rank != (f < 4 ? RANK_ACE : RANK_KING))
         {
            return "foundation " + std::to_string(f) + " lost its first card";
         }
         for (i32 i = 1; i < foundation->cards.count; ++i)
         {
            const Card* under = foundation->cards[i - 1];
            const Card* card = foundation->cards[i];
            if (card->suit != under->suit || card->rank != under->rank + (f < 4 ? 1 : -1))
            {
               return "foundation " + std::to_string(f) + " out of order";
            }
         }
      }
      if (harness.PileGet(CARD_PILE_TYPE_FLIP, -1)->cards.count > 1)
      {
         return "more than one turned card";
      }
      return Talon()->resetNum > 2 ? "more than two resets" : "";
   }

   i32 ResultExpected() override
   {
      if (Count(harness, CARD_PILE_TYPE_FOUNDATION) == 104)
      {
         return MINIGAME_RESULT_WON;
      }
      const bool resetsUseless = Talon()->resetNum >= 2 || harness.TalonGet()->cards.count == 0;
      return harness.StockGet()->cards.count == 0 && resetsUseless && !MoveLeft() ? MINIGAME_RESULT_LOST
                                                                                  : MINIGAME_RESULT_RUNNING;
   }

   bool StockAct(std::mt19937& random) override
   {
      (void)random;
      return TurnOrReset(harness.PileGet(CARD_PILE_TYPE_FLIP, -1), true);
   }
};

TEST(StockTurnSoakTest, Clock)
{
   ClockSolitaire game;
   ClockSolitaire fresh;
   SolitaireHarness harness;
   harness.frameMilliseconds = 50;
   harness.SolitaireEnter(&game);
   harness.ConservedEveryFrame();
   ClockRules rules(harness);
   const SoakSetup setup = {
       "ClockSolitaire", 1,
       [](std::mt19937& options)
       { SolitaireHarness::OptionSet("ClockSolitaire", "DealWinnableHand", options() % 3 == 0); },
       nullptr};
   SoakRun(rules, harness, game, fresh, setup, 200);
}

TEST(StockTurnSoakTest, Calculation)
{
   CalculationSolitaire game;
   CalculationSolitaire fresh;
   SolitaireHarness harness;
   harness.frameMilliseconds = 50;
   harness.SolitaireEnter(&game);
   harness.ConservedEveryFrame();
   CalculationRules rules(harness);
   const SoakSetup setup = {"CalculationSolitaire", 1,
                            [&](std::mt19937& options)
                            {
                               rules.fourColumns = options() % 4 != 0;
                               SolitaireHarness::OptionSet("CalculationSolitaire", "FourColumns",
                                                           rules.fourColumns);
                            },
                            nullptr};
   SoakRun(rules, harness, game, fresh, setup, 400);
}

TEST(StockTurnSoakTest, EagleWing)
{
   EagleWingSolitaire game;
   EagleWingSolitaire fresh;
   SolitaireHarness harness;
   harness.frameMilliseconds = 50;
   harness.SolitaireEnter(&game);
   harness.ConservedEveryFrame();
   EagleWingRules rules(harness);
   const SoakSetup setup = {
       "EagleWingSolitaire", 1,
       [](std::mt19937& options)
       { SolitaireHarness::OptionSet("EagleWingSolitaire", "SeventeenCardReserve", options() % 2 == 0); },
       [&]()
       {
          rules.firstRank =
              harness.FoundationGet(0)->cards.count > 0 ? harness.FoundationGet(0)->cards[0]->rank : -1;
       }};
   SoakRun(rules, harness, game, fresh, setup, 250);
}

TEST(StockTurnSoakTest, BetsyRoss)
{
   BetsyRossSolitaire game;
   BetsyRossSolitaire fresh;
   SolitaireHarness harness;
   harness.frameMilliseconds = 50;
   harness.SolitaireEnter(&game);
   harness.ConservedEveryFrame();
   BetsyRossRules rules(harness);
   const SoakSetup setup = {"BetsyRossSolitaire", 1, [](std::mt19937&) {}, nullptr};
   SoakRun(rules, harness, game, fresh, setup, 700);
}

TEST(StockTurnSoakTest, Alhambra)
{
   AlhambraSolitaire game;
   AlhambraSolitaire fresh;
   SolitaireHarness harness;
   harness.frameMilliseconds = 50;
   harness.SolitaireEnter(&game, 2);
   harness.ConservedEveryFrame();
   AlhambraRules rules(harness);
   const SoakSetup setup = {"AlhambraSolitaire", 2, [](std::mt19937&) {}, nullptr};
   SoakRun(rules, harness, game, fresh, setup, 300);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
