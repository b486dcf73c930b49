// The solitaire bases: the undo history and its replay, the game end with its records, the talon
// reset, the highlights and the time text of the results.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/profile/StatisticsStore.h"
#include "cardgame/CardNames.h"
#include "cardgame/Player.h"
#include "core/TextManager.h"
#include "platform/input/PlatformKeys.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/solitaire/TestTalonGame.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::TestTalonGame;

class TraditionalSolitaireGameTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      harness.CardGameEnter(&game, TestSupport::TEST_TALON_GAME_CONSTS);
      // The pile with the deck stays as the stock; a test lays out what it needs.
      ASSERT_EQ(harness.Pile(0)->cards.count, 52);
   }

   i32 Statistic(const char* key) { return StatisticGameGet(key, "TestTalonGame", "Player"); }

   CardPile* Stock() { return harness.Pile(0); }
   CardPile* Talon() { return harness.Pile(1); }
   CardPile* Foundation() { return harness.Pile(2); }
   CardPile* Column(i32 i) { return harness.Pile(3 + i); }
   CardPile* Discard() { return harness.Pile(5); }

   // The game outlives the harness, which leaves it.
   TestTalonGame game;
   CardGameHarness harness;
};

TEST(UndoHistoryTest, KeepsTheNewestRecordsWithinItsPool)
{
   UndoHistory history;
   history.CapacitySet(UNDO_HISTORY_CAPACITY);
   EXPECT_EQ(history.freeCount, UNDO_HISTORY_CAPACITY);
   for (i32 i = 0; i < 1100; ++i)
   {
      UndoRecord record;
      record.index = i;
      record.moveBegins = i == 0;
      history.Push(record);
      ASSERT_LE(history.count + history.freeCount, UNDO_HISTORY_CAPACITY);
   }
   EXPECT_EQ(history.count, UNDO_HISTORY_CAPACITY);
   // The oldest 76 went, with the only record that began a move.
   EXPECT_FALSE(history.MoveBeginsAnyCheck());
   std::vector<i32> indexes;
   while (history.NewestGet())
   {
      indexes.push_back(history.NewestGet()->index);
      history.NewestRemove();
   }
   ASSERT_EQ(indexes.size(), 1024u);
   EXPECT_EQ(indexes.front(), 1099);
   EXPECT_EQ(indexes.back(), 76);
   EXPECT_EQ(history.freeCount, UNDO_HISTORY_CAPACITY);
   history.CapacitySet(0);
   EXPECT_EQ(history.freeCount, 0);
}

TEST_F(TraditionalSolitaireGameTest, AMoveAndTheCardItTurnedAreTakenBackTogether)
{
   harness.CardsPlace(Column(0), {"5H", "9S*"});
   harness.CardsPlace(Column(1), {"TH*"});
   game.drop = [this](CardPile* pile, Card*) { return pile == Column(1); };
   Card* nine = Column(0)->cards[1];
   Card* five = Column(0)->cards[0];

   ASSERT_TRUE(harness.Drop(nine, Column(1)));
   ASSERT_TRUE(harness.RunUntilIdle(1000));
   // What a game's refresh does after the move: the uncovered card turns.
   game.CardFaceUpSet(five, true, false);
   EXPECT_EQ(CardGameHarness::PileText(Column(1)), "TH* 9S*");
   EXPECT_EQ(game.undoHistory.count, 2);

   // One more move to show that undo stops at the group's start.
   game.drop = [this](CardPile* pile, Card*) { return pile == Foundation(); };
   game.CardAddAndNotify(Foundation(), five);
   game.Undo();
   EXPECT_EQ(CardGameHarness::PileText(Column(0)), "5H*");
   game.Undo();
   EXPECT_EQ(CardGameHarness::PileText(Column(0)), "5H 9S*");
   EXPECT_EQ(CardGameHarness::PileText(Column(1)), "TH*");
   EXPECT_EQ(game.undoHistory.count, 0);
   EXPECT_EQ(Statistic("UndoUses"), 2);
   EXPECT_EQ(StatisticGeneralGet("UndoUses", "Player"), 2);
   EXPECT_TRUE(harness.CardsConservedCheck());

   // Nothing left: no undo, no count.
   game.Undo();
   EXPECT_EQ(Statistic("UndoUses"), 2);
}

TEST_F(TraditionalSolitaireGameTest, AStackMovedIsTakenBackWholeAndRecordsNothingWhileUndoing)
{
   harness.CardsPlace(Column(0), {"KS*", "QH*", "JS*"});
   game.stackPickUp = true;
   game.drop = [this](CardPile* pile, Card*) { return pile == Column(1); };
   game.CardStackAddAndNotify(Column(1), Column(0)->cards[1]);
   EXPECT_EQ(CardGameHarness::PileText(Column(1)), "QH* JS*");
   ASSERT_EQ(game.undoHistory.count, 1);
   game.Undo();
   EXPECT_EQ(CardGameHarness::PileText(Column(0)), "KS* QH* JS*");
   EXPECT_EQ(game.undoHistory.count, 0);
}

TEST_F(TraditionalSolitaireGameTest, AnUndoneShuffleRestoresTheOrderAndTheRandomState)
{
   const std::string before = CardGameHarness::PileText(Stock());
   const u32 seed1 = game.seed1;
   const u32 seed2 = game.seed2;
   game.undoMoveBegins = true;
   game.CardPileShuffle(Stock());
   const std::string shuffled = CardGameHarness::PileText(Stock());
   ASSERT_NE(shuffled, before);
   game.Undo();
   EXPECT_EQ(CardGameHarness::PileText(Stock()), before);
   EXPECT_EQ(game.seed1, seed1);
   EXPECT_EQ(game.seed2, seed2);
   game.CardPileShuffle(Stock());
   EXPECT_EQ(CardGameHarness::PileText(Stock()), shuffled);
}

TEST_F(TraditionalSolitaireGameTest, ControlZUndoesOnlyWhenNothingMoves)
{
   harness.CardsPlace(Column(0), {"9S*"});
   game.undoMoveBegins = true;
   game.CardMoveQueue(Column(1), Column(0)->cards[0], 0, true);
   // The card is flying: Ctrl+Z does nothing.
   for (i32 i = 0; i < 100 && !game.CardsAnimatingCheck(); ++i)
   {
      harness.Frame();
   }
   ASSERT_TRUE(game.CardsAnimatingCheck());
   harness.KeyPress(VK_LCONTROL);
   harness.KeyPress('Z');
   harness.Frame();
   EXPECT_EQ(game.undoHistory.count, 1);
   harness.KeyRelease('Z');
   ASSERT_TRUE(harness.RunUntilSettled(1000));
   EXPECT_EQ(CardGameHarness::PileText(Column(1)), "9S*");

   // Z alone does nothing either.
   harness.KeyRelease(VK_LCONTROL);
   harness.Frame();
   harness.KeyPress('Z');
   harness.Frame();
   harness.KeyRelease('Z');
   EXPECT_EQ(game.undoHistory.count, 1);

   harness.KeyPress(VK_RCONTROL);
   harness.Frame();
   harness.KeyPress('Z');
   harness.Frame();
   EXPECT_EQ(game.undoHistory.count, 0);
   EXPECT_EQ(CardGameHarness::PileText(Column(0)), "9S*");
}

TEST_F(TraditionalSolitaireGameTest, AWinIsRecordedScoredAndCanBeTakenBack)
{
   harness.CardsPlace(Column(0), {"AH*", "2H*"});
   game.drop = [this](CardPile* pile, Card*) { return pile == Foundation(); };
   game.CardAddAndNotify(Foundation(), Column(0)->cards[0]);
   game.CardAddAndNotify(Foundation(), Column(0)->cards[0]);
   game.GameWin();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   EXPECT_EQ(game.players[0]->minigameScore, 2);
   EXPECT_TRUE(game.players[0]->minigameWinner);
   EXPECT_EQ(Statistic("GamesWon"), 1);
   EXPECT_FALSE(game.UndoAllowedCheck()) << "the results are still queued";
   ASSERT_TRUE(harness.RunUntilSettled(1000));
   EXPECT_TRUE(game.UndoAllowedCheck()) << "a finished game can be taken back";

   game.OnUndoClick(nullptr, &game);
   ASSERT_TRUE(harness.RunUntilIdle(1000));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(CardGameHarness::PileText(Foundation()), "AH*");
   // The statistics stay counted; the undo is counted too.
   EXPECT_EQ(Statistic("GamesWon"), 1);
   EXPECT_EQ(Statistic("UndoUses"), 1);

   game.GameLose();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   game.CommandCodePost(COMMAND_UNDO, 0);
   ASSERT_TRUE(harness.RunUntilIdle(1000));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
}

TEST_F(TraditionalSolitaireGameTest, TheHistoryEmptiesAtTheFirstTurnOnLoadAndByItsAction)
{
   harness.CardsPlace(Column(0), {"9S*"});
   game.undoMoveBegins = true;
   game.CardAdd(Column(1), Column(0)->cards[0]);
   ASSERT_EQ(game.undoHistory.count, 1);
   game.UndoHistoryClearPost();
   ASSERT_TRUE(harness.RunUntilIdle(100));
   EXPECT_EQ(game.undoHistory.count, 0);

   game.CardAdd(Column(0), Column(1)->cards[0]);
   game.subgameFirstTurnBegan = true;
   game.TurnBegin();
   EXPECT_EQ(game.undoHistory.count, 1) << "only the deal's first turn empties it";
   game.subgameFirstTurnBegan = false;
   game.TurnBegin();
   EXPECT_EQ(game.undoHistory.count, 0);
}

TEST_F(TraditionalSolitaireGameTest, ATalonResetDealsTheWasteBackAndItsUndoGivesTheResetBack)
{
   harness.CardsPlace(Talon(), {"AH*", "2H*", "3H*"});
   // The rest of the deck out of the way.
   while (Stock()->cards.count > 0)
   {
      Discard()->CardInsert(Discard()->cards.count, Stock()->cards[0]);
   }
   game.maxResets = 1;
   game.undoMoveBegins = true;
   game.TalonReset();
   EXPECT_EQ(game.resetNum, 1);
   EXPECT_FALSE(game.ResetAllowedCheck());
   ASSERT_TRUE(harness.RunUntilSettled(1000));
   EXPECT_EQ(CardGameHarness::PileText(Stock()), "3H 2H AH");
   EXPECT_EQ(CardGameHarness::PileText(Talon()), "");
   game.Undo();
   EXPECT_EQ(game.resetNum, 0);
   EXPECT_TRUE(game.ResetAllowedCheck());
   EXPECT_EQ(CardGameHarness::PileText(Talon()), "AH* 2H* 3H*");
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(TraditionalSolitaireGameTest, ResetsAllowedFollowTheLimit)
{
   struct Case
   {
      i32 resetNum;
      i32 maxResets;
      bool allowed;
   };
   for (const Case& c : {Case{0, -1, false}, Case{0, 0, false}, Case{0, 1, true}, Case{1, 1, false},
                         Case{2, 3, true}, Case{3, 3, false}})
   {
      game.resetNum = c.resetNum;
      game.maxResets = c.maxResets;
      EXPECT_EQ(game.ResetAllowedCheck(), c.allowed) << c.resetNum << "/" << c.maxResets;
   }
}

TEST_F(TraditionalSolitaireGameTest, PlayableCardsAndDropTargetsLightUpOnlyWithTheOption)
{
   harness.CardsPlace(Column(0), {"9S*"});
   harness.CardsPlace(Column(1), {"8H*"});
   // The nine may go to the discard pile only, the eight to the first column.
   game.drop = [this](CardPile* pile, Card* card)
   { return (card->rank == 9 && pile == Discard()) || (card->rank == 8 && pile == Column(0)); };
   game.PlayableCardsHighlight();
   EXPECT_FALSE(Column(0)->cards[0]->highlighted) << "a discard pile does not make a card playable";
   EXPECT_TRUE(Column(1)->cards[0]->highlighted);

   game.DropTargetsHighlight(Column(1)->cards[0]);
   for (i32 i = 0; i < game.cardPiles.count; ++i)
   {
      EXPECT_EQ(game.cardPiles[i]->highlighted, game.cardPiles[i] == Column(0)) << i;
   }
   game.DropTargetsHighlight(nullptr);
   EXPECT_FALSE(Column(0)->highlighted);

   ProfileMinigameSettingsGet("TestTalonGame")->ItemBoolSet("ShowPlayableCards", false);
   game.PlayableCardsHighlight();
   game.DropTargetsHighlight(Column(1)->cards[0]);
   EXPECT_FALSE(Column(1)->cards[0]->highlighted);
   EXPECT_FALSE(Column(0)->highlighted);
}

TEST_F(TraditionalSolitaireGameTest, ACardIsCoveredWhileACoveringColumnHoldsCards)
{
   harness.CardsPlace(Column(0), {"9S*"});
   Card* card = Column(0)->cards[0];
   EXPECT_FALSE(game.CardCoveredCheck(card));
   EXPECT_FALSE(game.CardCoveredCheck(nullptr));
   game.covering = [](Card*, i32* first, i32* second)
   {
      *first = 1;
      *second = 7;
   };
   EXPECT_FALSE(game.CardCoveredCheck(card)) << "column 1 is empty and column 7 absent";
   harness.CardsPlace(Column(1), {"2D*"});
   EXPECT_TRUE(game.CardCoveredCheck(card));
}

TEST(TraditionalSolitaireTimeTextTest, WritesHoursMinutesAndSecondsRoundedUp)
{
   CardGameHarness harness;
   harness.FileWrite("Text/English/Text.json",
                     R"({"TraditionalSolitaireHours": "h", "TraditionalSolitaireMinutes": "min",
                         "TraditionalSolitaireSeconds": "s"})");
   u32 language = 0;
   textManager.LanguageSet(&language);
   textManager.FileNameAppend("Text");
   textManager.Init();
   textManager.OnLanguageChange();
   struct Case
   {
      double seconds;
      const char* text;
   };
   for (const Case& c :
        {Case{0.0, "0 s"}, Case{12.0, "12 s"}, Case{59.2, "1 min 0 s"}, Case{61.5, "1 min 2 s"},
         Case{3600.0, "1 h 0 min 0 s"}, Case{3725.0, "1 h 2 min 5 s"}})
   {
      char buffer[64];
      EXPECT_TRUE(TraditionalSolitaireTimeTextFormat(c.seconds, buffer, sizeof(buffer), nullptr));
      EXPECT_STREQ(buffer, c.text) << c.seconds;
   }
   char small[4];
   EXPECT_FALSE(TraditionalSolitaireTimeTextFormat(3725.0, small, sizeof(small), nullptr));

   // Without the unit words nothing is written.
   textManager.Deinit();
   char buffer[64] = "x";
   EXPECT_FALSE(TraditionalSolitaireTimeTextFormat(5.0, buffer, sizeof(buffer), nullptr));
   EXPECT_STREQ(buffer, "");
}
} // namespace
} // namespace Corvale
