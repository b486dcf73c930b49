// Gaps: the deal with and without the Twos placed first, the move rule and where the playable
// check differs from it, the finished rows and the score, the reshuffles with their count, a
// loaded game's reshuffle button, the caption's format and the choice cleared by an undo.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/TextManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "tests/games/solitaire/TableSolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TableSolitaireHarness;

const char* const SUITS = "HSDC";
const char* const RANKS = "A23456789TJQK";

std::string Name(const Card* card)
{
   return std::string(1, RANKS[card->rank - 1]) + SUITS[card->suit];
}

// Row r holds suit r from Ace to King, then each pair of names trades places; Aces lie face down.
void RowsLay(TableSolitaireHarness& harness, const std::vector<std::pair<std::string, std::string>>& swaps,
             bool aceLast = false)
{
   std::vector<std::vector<std::string>> rows(4);
   for (i32 r = 0; r < 4; ++r)
   {
      for (i32 rank = aceLast ? 1 : 0; rank < (aceLast ? 14 : 13); ++rank)
      {
         rows[r].push_back(std::string(1, RANKS[rank % 13]) + SUITS[r]);
      }
   }
   for (const auto& [a, b] : swaps)
   {
      for (auto& row : rows)
      {
         for (auto& name : row)
         {
            name = name == a ? b : name == b ? a : name;
         }
      }
   }
   harness.TableClear();
   for (i32 r = 0; r < 4; ++r)
   {
      std::string names;
      for (const std::string& name : rows[r])
      {
         names += name + (name[0] == 'A' ? " " : "* ");
      }
      harness.Lay(harness.Pile(CARD_PILE_TYPE_TABLEAU, r), names);
   }
   harness.solitaire->UndoHistoryClear();
}

Card* CardNamed(TableSolitaireHarness& harness, const std::string& name)
{
   return harness.CardFind(static_cast<i32>(std::string(RANKS).find(name[0])) + 1,
                           static_cast<i32>(std::string(SUITS).find(name[1])));
}

std::string Where(const Card* card)
{
   return std::to_string(card->pile->secondaryID) + ":" + std::to_string(card->pile->CardIndexGet(card));
}

class GapsTest : public ::testing::Test
{
 protected:
   void SetUp() override { TextsLoad("Shuffle (%d)"); }
   void TearDown() override
   {
      harness.Leave();
      game.resetButton = nullptr;
      // The buttons a layer would destroy with itself.
      for (i32 i = 0; i < buttons.children.count; ++i)
      {
         buttons.children[i]->Deinit();
         MemoryDelete(buttons.children[i]);
      }
      buttons.children.SizeSet(0);
      textManager.Deinit();
   }
   void TextsLoad(const std::string& caption)
   {
      textManager.Deinit();
      harness.FileWrite("Text/English/Text.json", "{\"ShuffleWithNumber\": \"" + caption + "\"}");
      static u32 language = 0;
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("Text");
      textManager.Init();
      textManager.OnLanguageChange();
   }
   void Enter(bool twosFirst = false, bool leftOnly = false, bool resets = true)
   {
      TableSolitaireHarness::OptionSet(&game, "TwosAlwaysBeginRows", twosFirst);
      TableSolitaireHarness::OptionSet(&game, "LeftHighOnly", leftOnly);
      TableSolitaireHarness::OptionSet(&game, "AllowResets", resets);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
      ASSERT_NO_FATAL_FAILURE(ButtonGive(&game));
   }
   // The headless table has no layer: the button the table's layer would hold, and a new deal
   // that labels it.
   void ButtonGive(GapsSolitaire* which)
   {
      which->buttonContainer = &buttons;
      which->resetButton = which->ButtonCreate("ResetButtonIncluded", "ResetButton", "ResetButtonPosition",
                                               &TalonSolitaire::ResetButtonHandler);
      ASSERT_TRUE(which->resetButton);
      which->GameNew();
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      ASSERT_TRUE(harness.RunUntilIdle(1000));
   }
   CardPile* Row(i32 r) { return harness.Pile(CARD_PILE_TYPE_TABLEAU, r); }
   std::string Caption() { return game.resetButton ? game.resetButton->TextGet() : "<none>"; }
   bool ButtonShown() { return game.resetButton && game.resetButton->VisibleCheck(); }

   ContainerWidget buttons;
   GapsSolitaire game;
   TableSolitaireHarness harness;
};

TEST_F(GapsTest, TheDealFillsFourRowsWithTheAcesFaceDown)
{
   for (bool twosFirst : {false, true})
   {
      SCOPED_TRACE(twosFirst);
      ASSERT_NO_FATAL_FAILURE(Enter(twosFirst));
      EXPECT_EQ(harness.Stock()->cards.count, 0);
      for (i32 r = 0; r < 4; ++r)
      {
         ASSERT_EQ(Row(r)->cards.count, 13);
         for (i32 i = 0; i < Row(r)->cards.count; ++i)
         {
            const Card* card = Row(r)->cards[i];
            EXPECT_EQ(card->faceUp, card->rank != RANK_ACE) << Name(card);
         }
         if (twosFirst)
         {
            EXPECT_EQ(Row(r)->cards[0]->rank, RANK_TWO) << r;
         }
      }
      EXPECT_TRUE(harness.CardsConservedCheck());
      EXPECT_EQ(game.clicked, 0);
   }
}

TEST_F(GapsTest, TheMoveRuleAndThePlayableCheck)
{
   const struct
   {
      const char* what;
      std::vector<std::pair<std::string, std::string>> swaps;
      const char* selected;
      const char* gap;
      bool leftOnly;
      bool legal;
      bool playable;
   } cases[] = {
       {"one above its left neighbour", {{"AS", "5H"}}, "5H", "AS", false, true, true},
       {"another suit", {{"AS", "5H"}, {"5S", "5H"}}, "5S", "AS", false, false, false},
       {"one below its right neighbour", {{"AS", "5H"}, {"4H", "9S"}}, "5H", "AS", false, true, true},
       {"right neighbour, left-high only", {{"AS", "5H"}, {"4H", "9S"}}, "5H", "AS", true, false, false},
       {"column 0 by its right neighbour", {{"2D", "3C"}}, "2C", "AD", false, true, true},
       {"column 0, left-high only", {{"2D", "3C"}}, "2C", "AD", true, false, false},
       {"column 12", {{"AH", "KH"}}, "KH", "AH", false, true, true},
       // A Two fits right of its own suit's gap Ace; the playable check counts no gap neighbour.
       {"a Two right of its gap Ace", {{"2H", "AS"}, {"3H", "9C"}}, "2H", "AS", false, true, false},
       {"a Two right of its gap Ace, left-high only", {{"2H", "AS"}}, "2H", "AS", true, true, false},
       {"two apart", {{"AS", "6H"}}, "8H", "AS", false, false, false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.what);
      ASSERT_NO_FATAL_FAILURE(Enter(false, c.leftOnly));
      RowsLay(harness, c.swaps);
      Card* selected = CardNamed(harness, c.selected);
      Card* gap = CardNamed(harness, c.gap);
      EXPECT_EQ(game.CardPlayableCheck(selected), c.playable);
      const std::string selectedWas = Where(selected);
      const std::string gapWas = Where(gap);
      ASSERT_NO_FATAL_FAILURE(harness.Click(selected));
      EXPECT_EQ(game.clicked, selected->id);
      EXPECT_TRUE(selected->selected);
      ASSERT_NO_FATAL_FAILURE(harness.Click(gap));
      EXPECT_EQ(Where(selected), c.legal ? gapWas : selectedWas);
      EXPECT_EQ(Where(gap), c.legal ? selectedWas : gapWas);
      EXPECT_EQ(game.clicked, 0);
      EXPECT_FALSE(selected->selected);
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST_F(GapsTest, ChoosingGapsAndCardsOnlyMovesTheSelection)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   RowsLay(harness, {{"AS", "5H"}});
   Card* gap = CardNamed(harness, "AS");
   const std::string before = TableSolitaireHarness::TimersCleared(harness.SavedText(&game));
   ASSERT_NO_FATAL_FAILURE(harness.Click(gap));
   EXPECT_EQ(TableSolitaireHarness::TimersCleared(harness.SavedText(&game)), before);
   Card* first = CardNamed(harness, "9D");
   Card* second = CardNamed(harness, "5H");
   ASSERT_NO_FATAL_FAILURE(harness.Click(first));
   ASSERT_NO_FATAL_FAILURE(harness.Click(second));
   EXPECT_FALSE(first->selected);
   EXPECT_TRUE(second->selected);
   EXPECT_EQ(game.clicked, second->id);
   // No card is dragged here; a click is the whole move.
   EXPECT_FALSE(game.CardPickUpCheck(second));
   EXPECT_TRUE(game.CardChooseOnClickCheck(gap));
}

TEST_F(GapsTest, FinishedRowsWinAndScore)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   // Every row Ace then Two to King: finished from column 1, and no run from column 0.
   RowsLay(harness, {});
   EXPECT_EQ(game.ScoreGet(), 0);
   for (i32 r = 0; r < 4; ++r)
   {
      EXPECT_TRUE(game.RowFinishedCheck(Row(r))) << r;
   }
   // One row broken: no win.
   RowsLay(harness, {{"KH", "KS"}});
   EXPECT_FALSE(game.RowFinishedCheck(Row(0)));
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   // Two to King with the gap Ace last: the Ace continues the run.
   RowsLay(harness, {}, true);
   EXPECT_EQ(game.ScoreGet(), 52);
   RowsLay(harness, {{"5H", "5S"}}, true);
   EXPECT_EQ(game.ScoreGet(), 3 + 3 + 13 + 13);
   RowsLay(harness, {}, true);
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
}

TEST_F(GapsTest, ReshufflesKeepThePrefixesCountDownAndCannotBeUndone)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   EXPECT_TRUE(ButtonShown());
   EXPECT_EQ(Caption(), "Shuffle (3)");
   for (i32 left = 2; left >= 0; --left)
   {
      SCOPED_TRACE(left);
      // Row 0 begins Two, Three, Four of Hearts and breaks at its fifth card; the other rows
      // begin with no Two.
      RowsLay(harness, {{"AH", "KH"}, {"5H", "9C"}, {"2S", "TC"}, {"2D", "QC"}, {"2C", "KD"}}, true);
      Card* chosen = CardNamed(harness, "8D");
      ASSERT_NO_FATAL_FAILURE(harness.Click(chosen));
      TalonSolitaire::ResetButtonHandler(game.resetButton, &game);
      ASSERT_TRUE(harness.RunUntilSettled(20000));
      ASSERT_TRUE(harness.RunUntilIdle(1000));
      EXPECT_EQ(game.clicked, 0);
      EXPECT_FALSE(chosen->selected);
      EXPECT_EQ(harness.Stock()->cards.count, 0);
      for (i32 r = 0; r < 4; ++r)
      {
         EXPECT_EQ(Row(r)->cards.count, 13) << r;
         for (i32 i = 0; i < Row(r)->cards.count; ++i)
         {
            const Card* card = Row(r)->cards[i];
            EXPECT_EQ(card->faceUp, card->rank != RANK_ACE) << Name(card);
         }
      }
      EXPECT_EQ(TableSolitaireHarness::PileText(Row(0)).substr(0, 12), "2H* 3H* 4H* ");
      EXPECT_TRUE(harness.CardsConservedCheck());
      const std::string after = TableSolitaireHarness::TimersCleared(harness.SavedText(&game));
      game.Undo();
      EXPECT_EQ(TableSolitaireHarness::TimersCleared(harness.SavedText(&game)), after);
      EXPECT_EQ(ButtonShown(), left > 0);
      if (left > 0)
      {
         EXPECT_EQ(Caption(), "Shuffle (" + std::to_string(left) + ")");
      }
   }
   // A fourth, asked for anyway, changes nothing.
   const std::string before = TableSolitaireHarness::TimersCleared(harness.SavedText(&game));
   game.TalonReset();
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   EXPECT_EQ(TableSolitaireHarness::TimersCleared(harness.SavedText(&game)), before);
}

// A translation whose caption is no format with one count shows the count alone.
TEST_F(GapsTest, AMistranslatedCaptionShowsTheBareCount)
{
   TextsLoad("Shuffle %s");
   ASSERT_NO_FATAL_FAILURE(Enter());
   EXPECT_TRUE(ButtonShown());
   EXPECT_EQ(Caption(), "3");
}

TEST_F(GapsTest, WithoutResetsThereIsNoButton)
{
   ASSERT_NO_FATAL_FAILURE(Enter(false, false, false));
   EXPECT_FALSE(ButtonShown());
   EXPECT_EQ(game.maxResets, -1);
}

// A freshly entered game shows its own deal's button until the load; the loaded count decides.
TEST_F(GapsTest, ALoadedGameKeepsTheReshufflesItHadLeft)
{
   for (i32 used : {1, 3})
   {
      SCOPED_TRACE(used);
      ASSERT_NO_FATAL_FAILURE(Enter());
      for (i32 i = 0; i < used; ++i)
      {
         game.TalonReset();
         ASSERT_TRUE(harness.RunUntilSettled(20000));
         ASSERT_TRUE(harness.RunUntilIdle(1000));
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      const std::string text = TableSolitaireHarness::TimersCleared(JSONTest::TextWrite(saved.get()));
      GapsSolitaire fresh;
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&fresh, 999, 1000));
      ASSERT_NO_FATAL_FAILURE(ButtonGive(&fresh));
      ASSERT_TRUE(fresh.resetButton && fresh.resetButton->VisibleCheck());
      ASSERT_TRUE(fresh.Load(saved.get()));
      EXPECT_EQ(TableSolitaireHarness::TimersCleared(harness.SavedText(&fresh)), text);
      EXPECT_EQ(fresh.resetNum, used);
      ASSERT_TRUE(fresh.resetButton);
      EXPECT_EQ(fresh.resetButton->VisibleCheck(), used < 3);
      if (used < 3)
      {
         EXPECT_STREQ(fresh.resetButton->TextGet(), "Shuffle (2)");
         EXPECT_TRUE(fresh.resetButton->EnabledCheck());
      }
      else
      {
         const std::string before = TableSolitaireHarness::TimersCleared(harness.SavedText(&fresh));
         fresh.TalonReset();
         ASSERT_TRUE(harness.RunUntilSettled(20000));
         EXPECT_EQ(TableSolitaireHarness::TimersCleared(harness.SavedText(&fresh)), before);
      }
      harness.Leave();
   }
}

TEST(GapsCaptionTest, OnlyAFormatWithOneCountIsUsed)
{
   const struct
   {
      const char* format;
      const char* caption;
   } cases[] = {
       {"Shuffle (%d)", "Shuffle (2)"},
       {"100%% (%d)", "100% (2)"},
       {"%s (%d)", "2"},
       {"Shuffle", "2"},
       {"%d / %d", "2"},
       {nullptr, "2"},
   };
   for (const auto& c : cases)
   {
      char buffer[128];
      EXPECT_TRUE(GapsResetCaptionFormat(c.format, 2, buffer, sizeof(buffer)));
      EXPECT_STREQ(buffer, c.caption) << (c.format ? c.format : "null");
   }
   char small[4];
   EXPECT_FALSE(GapsResetCaptionFormat("Shuffle (%d)", 2, small, sizeof(small)));
}

TEST_F(GapsTest, AnUndoClearsTheChoice)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   RowsLay(harness, {{"AS", "5H"}});
   Card* five = CardNamed(harness, "5H");
   ASSERT_NO_FATAL_FAILURE(harness.Click(five));
   ASSERT_NO_FATAL_FAILURE(harness.Click(CardNamed(harness, "AS")));
   ASSERT_EQ(Where(five), "0:4");
   Card* other = CardNamed(harness, "9D");
   ASSERT_NO_FATAL_FAILURE(harness.Click(other));
   game.Undo();
   EXPECT_EQ(Where(five), "1:0");
   EXPECT_EQ(game.clicked, 0);
   EXPECT_FALSE(other->selected);
   // The gap now beside 4H takes nothing: no card is chosen.
   const std::string before = TableSolitaireHarness::TimersCleared(harness.SavedText(&game));
   ASSERT_NO_FATAL_FAILURE(harness.Click(CardNamed(harness, "AS")));
   EXPECT_EQ(TableSolitaireHarness::TimersCleared(harness.SavedText(&game)), before);
}
} // namespace
} // namespace Corvale
