// Klondike: the deal, the variations and their stock turns and resets, the money total, the move
// rules, undo of moves and resets, the useful-move check and resigning.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/profile/StatisticsStore.h"
#include "cardgame/Player.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::KlondikeHarness;

i32 Statistic(const char* key)
{
   return StatisticGameGet(key, "KlondikeSolitaire", "Player");
}

// Every card onto its foundation, the foundations in suit order.
void AllToFoundations(KlondikeHarness& harness)
{
   static const char* const suits[] = {"H", "S", "D", "C"};
   static const char* const ranks = "A23456789TJQK";
   for (i32 suit = 0; suit < 4; ++suit)
   {
      std::vector<std::string> names;
      for (i32 rank = 0; rank < 13; ++rank)
      {
         names.push_back(std::string(1, ranks[rank]) + suits[suit] + "*");
      }
      harness.CardsPlace(harness.Foundation(suit), names);
   }
   harness.klondike->RefreshMark();
}

TEST(KlondikeSolitaireTest, TheDealLeavesTwentyFourInTheStockAndTheColumnTopsFaceUp)
{
   for (const bool allFaceUp : {false, true})
   {
      KlondikeSolitaire game;
      KlondikeHarness harness;
      KlondikeHarness::OptionSet("AllCardsFaceUp", allFaceUp);
      harness.KlondikeEnter(&game);
      EXPECT_EQ(harness.Stock()->cards.count, 24);
      EXPECT_EQ(harness.Waste()->cards.count, 0);
      for (i32 column = 0; column < 7; ++column)
      {
         const CardPile* pile = harness.Column(column);
         ASSERT_EQ(pile->cards.count, column + 1) << column;
         for (i32 i = 0; i < pile->cards.count; ++i)
         {
            EXPECT_EQ(pile->cards[i]->faceUp, allFaceUp || i == column) << column << "/" << i;
         }
      }
      for (i32 i = 0; i < harness.Stock()->cards.count; ++i)
      {
         EXPECT_FALSE(harness.Stock()->cards[i]->faceUp);
      }
      EXPECT_EQ(game.undoHistory.count, 0) << "the deal cannot be taken back";
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST(KlondikeSolitaireTest, EachVariationTurnsItsCardsAndAllowsItsResets)
{
   struct Case
   {
      const char* variation;
      i32 turned;
      i32 maxResets;
      bool money;
      const char* displayName;
   };
   const Case cases[] = {
       {"FlipThreeInfiniteResets", 3, 9999, false, "KlondikeSolitaireFlipThreeInfiniteResets"},
       {"FlipOneNoResets", 1, 0, false, "KlondikeSolitaireFlipOneNoResets"},
       {"FlipOneOneReset", 1, 1, false, "KlondikeSolitaireFlipOneOneReset"},
       {"MoneyKlondikeF3", 3, 3, true, "KlondikeSolitaireMoneyKlondike"},
       {"MoneyKlondikeF1", 1, 0, true, "KlondikeSolitaireMoneyKlondike"},
       {"moneyklondikef1", 3, 9999, false, "KlondikeSolitaireFlipThreeInfiniteResets"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.variation);
      KlondikeSolitaire game;
      KlondikeHarness harness;
      KlondikeHarness::OptionSet("Variation", c.variation);
      harness.KlondikeEnter(&game);
      EXPECT_EQ(game.maxResets, c.maxResets);
      EXPECT_EQ(game.MoneyCheck(), c.money);
      EXPECT_EQ(game.ScoreShownCheck(), c.money);
      EXPECT_STREQ(game.DisplayNameGet(), c.displayName);
      EXPECT_STREQ(game.BestScoreKeyGet(), c.money ? "BestMoneyScore" : "BestScore");

      const std::string stockBefore = CardGameHarness::PileText(harness.Stock());
      harness.StockTurn();
      EXPECT_EQ(harness.Waste()->cards.count, c.turned);
      EXPECT_EQ(harness.Stock()->cards.count, 24 - c.turned);
      EXPECT_TRUE(harness.Waste()->CardTopGet()->faceUp);
      // The button that offers the reset needs the table's layer: the table window test checks it.
      while (harness.Stock()->cards.count > 0)
      {
         harness.StockTurn();
      }
      EXPECT_EQ(game.ResetAllowedCheck(), c.maxResets >= 1);
      EXPECT_EQ(harness.Waste()->cards.count, 24);
      if (c.maxResets >= 1)
      {
         game.ResetButtonHandler(nullptr, &game);
         ASSERT_TRUE(harness.RunUntilSettled(5000));
         EXPECT_EQ(CardGameHarness::PileText(harness.Stock()), stockBefore)
             << "the stock comes back in its order";
         EXPECT_EQ(game.resetNum, 1);
         EXPECT_TRUE(game.resetOnce);
         EXPECT_FALSE(game.moveWasAvailable);
      }
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST(KlondikeSolitaireTest, TheMoneyTotalCarriesFromDealToDealUntilTheVariationChanges)
{
   KlondikeSolitaire game;
   KlondikeHarness harness;
   KlondikeHarness::OptionSet("Variation", "MoneyKlondikeF3");
   harness.KlondikeEnter(&game);
   EXPECT_EQ(game.currentScore, -52);
   EXPECT_EQ(game.ScoreGet(), -52);

   AllToFoundations(harness);
   ASSERT_TRUE(harness.RunUntilIdle(1000));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON) << "won even with every card face up";
   EXPECT_EQ(game.currentScore, 208);
   EXPECT_EQ(game.players[0]->minigameScore, 208);
   EXPECT_EQ(Statistic("BestMoneyScore"), 208);
   EXPECT_EQ(Statistic("BestScoreDefined"), 0);

   game.GameNew();
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   EXPECT_EQ(game.currentScore, 156);
   EXPECT_EQ(game.scoreAtStartOfGame, 156);

   // A lost deal costs its 52: the total goes on below the last.
   game.GameNew();
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   EXPECT_EQ(game.currentScore, 104);

   KlondikeHarness::OptionSet("Variation", "MoneyKlondikeF1");
   game.GameNew();
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   EXPECT_EQ(game.currentScore, -52);

   KlondikeHarness::OptionSet("Variation", "FlipOneOneReset");
   game.GameNew();
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   ASSERT_TRUE(harness.RunUntilIdle(1000));
   EXPECT_EQ(game.currentScore, 0);
   harness.CardsPlace(harness.Foundation(0), {"AH*", "2H*"});
   EXPECT_EQ(game.ScoreGet(), 2);
}

TEST(KlondikeSolitaireTest, CardsMoveByColourRankSuitAndTheTwentyCardLimit)
{
   KlondikeSolitaire game;
   KlondikeHarness harness;
   harness.KlondikeEnter(&game);
   harness.TableClear();
   // Column 0: a run under a hidden card; column 1: a ten of hearts; column 2 empty.
   harness.CardsPlace(harness.Column(0), {"3C", "9S*", "8H*", "7S*"});
   harness.CardsPlace(harness.Column(1), {"TH*"});
   harness.CardsPlace(harness.Column(3), {"TD*", "9C*", "8D*"});
   harness.CardsPlace(harness.Foundation(0), {"AH*", "2H*"});
   harness.CardsPlace(harness.Waste(), {"KD*", "3H*"});
   harness.CardsPlace(harness.Column(4), {"QS*"});
   auto card = [&](i32 rank, i32 suit) { return harness.CardFind(rank, suit); };
   struct Case
   {
      const char* what;
      Card* card;
      CardPile* pile;
      bool allowed;
   };
   const Case drops[] = {
       {"a black nine on a red ten", card(9, SUIT_SPADES), harness.Column(1), true},
       {"a black eight run on a red nine", card(8, SUIT_HEARTS), harness.Column(1), false},
       {"a red eight of the same colour as the nine below", card(8, SUIT_DIAMONDS), harness.Column(0), false},
       {"a queen on an empty column", card(12, SUIT_SPADES), harness.Column(2), false},
       {"a king on an empty column", card(13, SUIT_DIAMONDS), harness.Column(2), true},
       {"the next heart on its foundation", card(3, SUIT_HEARTS), harness.Foundation(0), true},
       {"another suit on the foundation", card(3, SUIT_CLUBS), harness.Foundation(0), false},
       {"a card with others above it on a foundation", card(9, SUIT_SPADES), harness.Foundation(1), false},
       {"a non-ace on an empty foundation", card(7, SUIT_SPADES), harness.Foundation(1), false},
       {"nothing goes to the waste", card(7, SUIT_SPADES), harness.Waste(), false},
       {"nothing goes to the stock", card(7, SUIT_SPADES), harness.Stock(), false},
   };
   for (const Case& c : drops)
   {
      EXPECT_EQ(game.CardDropCheck(c.pile, c.card), c.allowed) << c.what;
   }
   const Case pickUps[] = {
       {"a face-up run", card(9, SUIT_SPADES), nullptr, true},
       {"a face-down card", card(3, SUIT_CLUBS), nullptr, false},
       {"the waste's top", card(3, SUIT_HEARTS), nullptr, true},
       {"the waste below its top", card(13, SUIT_DIAMONDS), nullptr, false},
       {"a stock card", harness.Stock()->CardTopGet(), nullptr, false},
       {"a foundation's top", card(2, SUIT_HEARTS), nullptr, true},
       {"a foundation below its top", card(1, SUIT_HEARTS), nullptr, false},
   };
   for (const Case& c : pickUps)
   {
      EXPECT_EQ(game.CardPickUpCheck(c.card), c.allowed) << c.what;
   }
   KlondikeHarness::OptionSet("CanMoveFoundationCards", false);
   EXPECT_FALSE(game.CardPickUpCheck(card(2, SUIT_HEARTS)));
   // A broken run is no run.
   harness.CardsPlace(harness.Column(0), {"6S*"});
   EXPECT_FALSE(game.CardPickUpCheck(card(9, SUIT_SPADES)));
   EXPECT_TRUE(game.CardPickUpCheck(card(6, SUIT_SPADES)));
   EXPECT_TRUE(game.CardStackPickUpCheck(card(9, SUIT_SPADES)));
   EXPECT_TRUE(game.CardChooseOnClickCheck(harness.Stock()->CardTopGet()));
   EXPECT_FALSE(game.CardChooseOnClickCheck(card(3, SUIT_HEARTS)));
}

TEST(KlondikeSolitaireTest, AColumnHoldsTwentyCardsAtMost)
{
   KlondikeSolitaire game;
   KlondikeHarness harness;
   harness.KlondikeEnter(&game);
   const std::vector<std::string> fillers = {"AC", "2C", "3C", "4C", "5C", "6C", "7C", "8C", "9C", "TC",
                                             "AD", "2D", "3D", "4D", "5D", "6D", "7D", "8D", "9D"};
   struct Case
   {
      i32 columnCards;
      i32 runCards;
      bool allowed;
   };
   for (const Case& c : {Case{18, 3, false}, Case{18, 2, true}, Case{19, 1, true}, Case{20, 1, false},
                         Case{20, 2, false}, Case{1, 3, true}})
   {
      harness.TableClear();
      std::vector<std::string> column(fillers.begin(), fillers.begin() + (c.columnCards - 1));
      column.push_back("JH*");
      harness.CardsPlace(harness.Column(0), column);
      const std::vector<std::string> run = {"TS*", "9H*", "8S*"};
      harness.CardsPlace(harness.Column(1), std::vector<std::string>(run.begin(), run.begin() + c.runCards));
      ASSERT_EQ(harness.Column(0)->cards.count, c.columnCards);
      EXPECT_EQ(game.CardDropCheck(harness.Column(0), harness.Column(1)->cards[0]), c.allowed)
          << c.runCards << " cards onto " << c.columnCards;
   }
}

TEST(KlondikeSolitaireTest, AMoveWithTheCardItUncoveredAndAResetWithItsTurnAreUndoneAsOne)
{
   KlondikeSolitaire game;
   KlondikeHarness harness;
   harness.KlondikeEnter(&game);
   harness.TableClear();
   harness.CardsPlace(harness.Column(0), {"5H", "9S*"});
   harness.CardsPlace(harness.Column(1), {"TH*"});
   Card* nine = harness.Column(0)->cards[1];
   ASSERT_TRUE(harness.Drop(nine, harness.Column(1)));
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   ASSERT_TRUE(harness.RunUntilIdle(1000));
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   EXPECT_EQ(CardGameHarness::PileText(harness.Column(0)), "5H*") << "the refresh turns the uncovered card";
   game.CommandCodePost(COMMAND_UNDO, 0);
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   EXPECT_EQ(CardGameHarness::PileText(harness.Column(0)), "5H 9S*");
   EXPECT_EQ(CardGameHarness::PileText(harness.Column(1)), "TH*");

   // Empty the stock, reset it, and take the reset back: the turn that emptied it goes too.
   while (harness.Stock()->cards.count > 0)
   {
      harness.StockTurn();
   }
   const i32 lastTurn = harness.Waste()->cards.count % 3 == 0 ? 3 : harness.Waste()->cards.count % 3;
   game.ResetButtonHandler(nullptr, &game);
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   ASSERT_EQ(harness.Waste()->cards.count, 0);
   game.Undo();
   EXPECT_EQ(game.resetNum, 0);
   EXPECT_EQ(harness.Stock()->cards.count, lastTurn);
   game.Undo();
   EXPECT_EQ(harness.Stock()->cards.count, lastTurn + 3);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(KlondikeSolitaireTest, AUsefulMoveChangesThePosition)
{
   KlondikeSolitaire game;
   KlondikeHarness harness;
   harness.KlondikeEnter(&game);
   struct Case
   {
      const char* what;
      std::vector<std::string> column0;
      std::vector<std::string> column1;
      std::vector<std::string> foundation;
      bool useful;
   };
   const Case cases[] = {
       {"a king alone to an empty column", {"KS*"}, {}, {}, false},
       {"a king with a card under it to an empty column", {"4D", "KS*"}, {}, {}, false},
       {"a run from the bottom of its column", {"9S*", "8H*"}, {"TD*"}, {}, true},
       {"a run whose under card matches the destination's top", {"TC*", "9H*"}, {"TD*"}, {}, false},
       {"the same, its under card free for a foundation",
        {"TC*", "9H*"},
        {"TD*"},
        {"AC*", "2C*", "3C*", "4C*", "5C*", "6C*", "7C*", "8C*", "9C*"},
        true},
       {"a run whose under card differs from the destination's top", {"4D", "9S*", "8H*"}, {"TD*"}, {}, true},
       {"a top card to a foundation", {"4D", "AS*"}, {}, {}, true},
   };
   for (const Case& c : cases)
   {
      harness.TableClear();
      harness.CardsPlace(harness.Column(0), c.column0);
      harness.CardsPlace(harness.Column(1), c.column1);
      harness.CardsPlace(harness.Foundation(0), c.foundation);
      EXPECT_EQ(game.UsefulMoveExistsCheck(), c.useful) << c.what;
   }
}

TEST(KlondikeSolitaireTest, ResigningLosesTheGameForGood)
{
   KlondikeSolitaire game;
   KlondikeHarness harness;
   harness.KlondikeEnter(&game);
   harness.StockTurn();
   game.ResignButtonHandler(nullptr, &game);
   harness.MessageBoxYes(harness.MessageBoxGet());
   ASSERT_TRUE(harness.RunUntilSettled(5000));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_EQ(game.undoHistory.count, 0);
   game.Undo();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_EQ(Statistic("GamesLost"), 1);
   EXPECT_EQ(Statistic("GamesPlayed"), 1);
   // A finished game has nothing to resign.
   game.ResignButtonHandler(nullptr, &game);
   EXPECT_EQ(harness.MessageBoxGet(), nullptr);
}
} // namespace
} // namespace Corvale
