// Golf: the deal by the column option, the drop rule with and without Kings closed, the stock's
// card on one click, no end while the stock holds cards, and the score of the cards left.
#include <gtest/gtest.h>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "tests/games/solitaire/TableSolitaireHarness.h"

namespace Corvale
{
namespace
{
using TestSupport::TableSolitaireHarness;

class GolfTest : public ::testing::Test
{
 protected:
   void Enter(bool six = false, bool kingsClosed = false)
   {
      TableSolitaireHarness::OptionSet(&game, "SixTableaus", six);
      TableSolitaireHarness::OptionSet(&game, "CantPlayOnKings", kingsClosed);
      ASSERT_NO_FATAL_FAILURE(harness.GameEnter(&game));
   }
   CardPile* Column(i32 c) { return harness.Pile(CARD_PILE_TYPE_TABLEAU, c); }
   CardPile* Foundation() { return harness.Pile(CARD_PILE_TYPE_FOUNDATION); }

   GolfSolitaire game;
   TableSolitaireHarness harness;
};

TEST_F(GolfTest, TheDealFollowsTheColumnOption)
{
   for (bool six : {false, true})
   {
      SCOPED_TRACE(six);
      ASSERT_NO_FATAL_FAILURE(Enter(six));
      for (i32 c = 0; c < 7; ++c)
      {
         EXPECT_EQ(Column(c)->cards.count, six ? (c < 6 ? 6 : 0) : 5) << c;
         EXPECT_EQ(Column(c)->visible, !six || c < 6) << c;
      }
      EXPECT_EQ(harness.Stock()->cards.count, six ? 16 : 17);
      EXPECT_EQ(Foundation()->cards.count, 0);
      EXPECT_TRUE(game.CardChooseOnClickCheck(harness.Stock()->CardTopGet()));
      EXPECT_FALSE(game.CardChooseOnClickCheck(Column(0)->CardTopGet()));
   }
}

TEST_F(GolfTest, TheDropRule)
{
   const struct
   {
      const char* foundation;
      const char* card;
      bool kingsClosed;
      bool taken;
   } cases[] = {
       {"5H*", "6S*", false, true},  {"5H*", "4D*", false, true}, {"5H*", "7H*", false, false},
       {"5H*", "5S*", false, false}, {"KH*", "QC*", false, true}, {"KH*", "AC*", false, false},
       {"AH*", "KC*", false, false}, {"AH*", "2C*", false, true}, {"KH*", "QC*", true, false},
       {"QH*", "KC*", true, true},   {"", "KC*", true, true},     {"", "7D*", false, true},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::string(c.foundation) + " " + c.card);
      ASSERT_NO_FATAL_FAILURE(Enter(false, c.kingsClosed));
      harness.TableClear();
      harness.Lay(Foundation(), c.foundation);
      harness.Lay(Column(0), std::string("9D* ") + c.card);
      Card* card = Column(0)->CardTopGet();
      EXPECT_EQ(game.CardDropCheck(Foundation(), card), c.taken);
      EXPECT_TRUE(game.CardPickUpCheck(card));
      // Only the top card moves, and only to the Foundation.
      EXPECT_FALSE(game.CardPickUpCheck(Column(0)->cards[0]));
      EXPECT_FALSE(game.CardDropCheck(Column(1), card));
      harness.Lay(Column(1), "9C*");
      EXPECT_FALSE(game.CardDropCheck(Foundation(), Column(0)->cards[0]));
   }
}

TEST_F(GolfTest, TheGameEndsOnlyOnceTheStockIsUsed)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   harness.TableClear();
   // Columns cleared with two cards in the stock: the game goes on until they are turned.
   while (harness.Stock()->cards.count > 2)
   {
      Foundation()->CardInsert(Foundation()->cards.count, harness.Stock()->cards[0]);
   }
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   ASSERT_NO_FATAL_FAILURE(harness.Click(harness.Stock()->CardTopGet()));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(harness.Stock()->cards.count, 1);
   EXPECT_TRUE(Foundation()->CardTopGet()->faceUp);
   ASSERT_NO_FATAL_FAILURE(harness.Click(harness.Stock()->CardTopGet()));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   EXPECT_EQ(game.ScoreGet(), 0);
   EXPECT_EQ(game.players[0]->minigameScore, 0);
}

TEST_F(GolfTest, AStuckTableLosesWithTheCardsLeftAsItsScore)
{
   ASSERT_NO_FATAL_FAILURE(Enter());
   harness.TableClear();
   harness.Lay(Column(0), "9D* 5C*");
   harness.Lay(Column(3), "KS*");
   harness.Lay(Foundation(), "3H* 7H*");
   while (harness.Stock()->cards.count > 0)
   {
      Foundation()->CardInsert(0, harness.Stock()->cards[0]);
   }
   // The Six is the way out; with it played the stuck table remains.
   harness.Lay(Column(5), "6C*");
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   harness.DropPost(Foundation(), Column(5)->CardTopGet());
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   ASSERT_TRUE(harness.RunUntilIdle(1000));
   // 5C fits on 6C; then 9D and KS do not fit on the Five.
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   harness.DropPost(Foundation(), Column(0)->CardTopGet());
   ASSERT_NO_FATAL_FAILURE(harness.Settle());
   ASSERT_TRUE(harness.RunUntilIdle(1000));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_EQ(game.ScoreGet(), 2);
   EXPECT_EQ(game.players[0]->minigameScore, 2);
   EXPECT_TRUE(game.BestScoreLowerCheck());
   EXPECT_TRUE(game.ScoreShownCheck());
}
} // namespace
} // namespace Corvale
