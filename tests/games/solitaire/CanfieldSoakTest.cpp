// Seeded Canfield games played by the random player with both options drawn per seed, judged by
// Canfield's rules written out again here. One game in ten is also saved at a random step, loaded
// into a fresh game and played on to the same final document.
#include <gtest/gtest.h>

#include <string>

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

class CanfieldRules : public SoakRules
{
 public:
   explicit CanfieldRules(SolitaireHarness& harnessUsed) : harness(harnessUsed) {}

   CanfieldSolitaire* Game() { return static_cast<CanfieldSolitaire*>(harness.solitaire); }
   bool FullBuilds()
   {
      return ProfileMinigameSettingsGet("CanfieldSolitaire")->ItemGet("MoveOnlyFullBuilds")->BoolValueGet();
   }

   bool PickUpLegal(const Card* card) override
   {
      const CardPile* pile = card->pile;
      const bool top = pile->CardTopGet() == card;
      if (pile->type == CARD_PILE_TYPE_TALON)
      {
         return top;
      }
      if (pile->type != CARD_PILE_TYPE_TABLEAU || !card->faceUp)
      {
         return false;
      }
      if (pile->secondaryID == 4)
      {
         return top;
      }
      return top || pile->CardIndexGet(card) == 0 || !FullBuilds();
   }

   bool DropLegal(const CardPile* target, const Card* card) override
   {
      const i32 moving = card->pile->cards.count - card->pile->CardIndexGet(card);
      const Card* top = target->CardTopGet();
      if (target->type == CARD_PILE_TYPE_TABLEAU && target->secondaryID >= 0 && target->secondaryID < 4)
      {
         return moving + target->cards.count <= 25 &&
                (!top || (Red(top->suit) != Red(card->suit) && RankUp(card->rank) == top->rank));
      }
      if (target->type == CARD_PILE_TYPE_FOUNDATION)
      {
         return moving == 1 &&
                (top ? top->suit == card->suit && RankUp(top->rank) == card->rank : card->rank == firstRank);
      }
      return false;
   }

   std::string IdleFault() override
   {
      for (i32 f = 0; f < 4; ++f)
      {
         const CardPile* foundation = harness.FoundationGet(f);
         for (i32 i = 0; i < foundation->cards.count; ++i)
         {
            const Card* card = foundation->cards[i];
            const Card* under = i > 0 ? foundation->cards[i - 1] : nullptr;
            if (under ? card->suit != under->suit || card->rank != RankUp(under->rank)
                      : card->rank != firstRank)
            {
               return "foundation " + std::to_string(f) + " out of order at " + std::to_string(i);
            }
         }
      }
      for (i32 column = 0; column < 4 && harness.ColumnGet(4)->cards.count > 0; ++column)
      {
         if (harness.ColumnGet(column)->cards.count == 0)
         {
            return "column " + std::to_string(column) + " empty beside the reserve";
         }
      }
      if (Game()->buildRank != firstRank)
      {
         return "the build rank changed";
      }
      return "";
   }

   i32 ResultExpected() override
   {
      i32 founded = 0;
      for (i32 f = 0; f < 4; ++f)
      {
         founded += harness.FoundationGet(f)->cards.count;
      }
      return founded == 52 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_RUNNING;
   }

   bool StockAct(std::mt19937& random) override
   {
      (void)random;
      CardPile* stock = harness.StockGet();
      if (stock->cards.count > 0)
      {
         const i32 before = stock->cards.count;
         const i32 talonBefore = harness.TalonGet()->cards.count;
         harness.ChoosePost(stock->CardTopGet());
         EXPECT_TRUE(harness.RunUntilSettled(20000));
         const i32 turned = before < 3 ? before : 3;
         EXPECT_EQ(stock->cards.count, before - turned);
         EXPECT_EQ(harness.TalonGet()->cards.count, talonBefore + turned);
         return true;
      }
      if (harness.TalonGet()->cards.count == 0)
      {
         return false;
      }
      EXPECT_TRUE(Game()->ResetAllowedCheck());
      const i32 talon = harness.TalonGet()->cards.count;
      TalonSolitaire::ResetButtonHandler(nullptr, Game());
      EXPECT_TRUE(harness.RunUntilSettled(20000));
      EXPECT_EQ(stock->cards.count, talon);
      return true;
   }

   SolitaireHarness& harness;
   i32 firstRank = RANK_ACE;
};

TEST(CanfieldSoakTest, RandomGamesKeepTheRulesAndSavedGamesFinishTheSame)
{
   CanfieldSolitaire game;
   CanfieldSolitaire fresh;
   SolitaireHarness harness;
   harness.frameMilliseconds = 50;
   harness.SolitaireEnter(&game);
   harness.ConservedEveryFrame();
   CanfieldRules rules(harness);
   const SoakSetup setup = {
       "CanfieldSolitaire", 1,
       [](std::mt19937& options)
       {
          SolitaireHarness::OptionSet("CanfieldSolitaire", "ThirteenCardReserve", options() % 4 != 0);
          SolitaireHarness::OptionSet("CanfieldSolitaire", "MoveOnlyFullBuilds", options() % 3 == 0);
       },
       [&]()
       {
          rules.firstRank =
              harness.FoundationGet(0)->cards.count > 0 ? harness.FoundationGet(0)->cards[0]->rank : -1;
       }};
   SoakRun(rules, harness, game, fresh, setup, 300);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
