// Sultan: the foundation map of the deal, the wrap and the 13-card limit, the centre King that
// takes nothing, the one-card stock turn with two redeals, and the losses after them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/solitaire/SultanSolitaire.h"
#include "tests/games/solitaire/StackedDeal.h"

namespace Corvale
{
namespace
{
using TestSupport::CardGameHarness;
using TestSupport::CardsFromStockPlace;
using TestSupport::SolitaireHarness;
using TestSupport::StackedDeal;

struct SultanHarness : SolitaireHarness
{
   SultanHarness() { SultanSolitaire::ReflectionRegister(); }
};

TEST(SultanSolitaireTest, TheDealMapsTheKingsBySuitAndOrderAndTakesOneAceOfHearts)
{
   StackedDeal<SultanSolitaire> game;
   game.top = {"KH", "AH", "KS", "KH", "AH", "KD", "KC", "KS", "KD", "KC"};
   SultanHarness harness;
   harness.SolitaireEnter(&game, 2);
   const char* const expected[SULTAN_FOUNDATION_COUNT] = {"KS*", "AH*", "KS*", "KD*", "KH*",
                                                          "KD*", "KC*", "KH*", "KC*"};
   for (i32 f = 0; f < SULTAN_FOUNDATION_COUNT; ++f)
   {
      EXPECT_EQ(CardGameHarness::PileText(harness.FoundationGet(f)), expected[f]) << f;
   }
   // Foundation 7 got the first King of Hearts, the centre the second.
   EXPECT_EQ(harness.FoundationGet(7)->cards[0], game.listed.back());
   EXPECT_EQ(harness.FoundationGet(4)->cards[0], game.listed[game.listed.size() - 4]);
   EXPECT_EQ(game.buildRank, RANK_KING) << "the stock's top card after the shuffle";
   for (i32 column = 0; column < SULTAN_COLUMN_COUNT; ++column)
   {
      ASSERT_EQ(harness.ColumnGet(column)->cards.count, 1) << column;
      EXPECT_TRUE(harness.ColumnGet(column)->cards[0]->faceUp);
   }
   EXPECT_EQ(harness.StockGet()->cards.count, 104 - 9 - 8);
   EXPECT_EQ(CardGameHarness::PileText(harness.ColumnGet(0)), "AH*")
       << "the second Ace of Hearts stays in the stock, on top for the first column";
   EXPECT_EQ(game.maxResets, SULTAN_MAX_RESETS);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(SultanSolitaireTest, FoundationsWrapBySuitUpToThirteenAndTheCentreTakesNothing)
{
   SultanSolitaire game;
   SultanHarness harness;
   harness.SolitaireEnter(&game, 2);
   struct Case
   {
      const char* what;
      i32 foundation;
      std::vector<std::string> under;
      const char* card;
      bool legal;
   };
   const std::vector<std::string> twelve = {"KS*", "AS*", "2S*", "3S*", "4S*", "5S*",
                                            "6S*", "7S*", "8S*", "9S*", "TS*", "JS*"};
   const std::vector<std::string> thirteen = {"KS*", "AS*", "2S*", "3S*", "4S*", "5S*", "6S*",
                                              "7S*", "8S*", "9S*", "TS*", "JS*", "QS*"};
   const Case cases[] = {
       {"a King takes the Ace of its suit", 0, {"KS*"}, "AS*", true},
       {"not another suit's Ace", 0, {"KS*"}, "AC*", false},
       {"not a Two", 0, {"KS*"}, "2S*", false},
       {"the centre takes nothing", SULTAN_CENTRE_FOUNDATION, {"KH*"}, "AH*", false},
       {"the Ace of Hearts takes the Two", SULTAN_ACE_FOUNDATION, {"AH*"}, "2H*", true},
       {"the Queen ends a King's pile", 0, twelve, "QS*", true},
       {"a full pile takes nothing", 2, thirteen, "KS*", false},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      harness.TableEmpty();
      CardsFromStockPlace(harness, harness.FoundationGet(c.foundation), c.under);
      CardsFromStockPlace(harness, harness.ColumnGet(0), {c.card});
      Card* card = harness.ColumnGet(0)->CardTopGet();
      EXPECT_TRUE(game.CardPickUpCheck(card));
      EXPECT_EQ(game.CardDropCheck(harness.FoundationGet(c.foundation), card), c.legal);
   }

   // Any talon card lifts; a card under the talon's top reaches only an empty pile.
   harness.TableEmpty();
   CardsFromStockPlace(harness, harness.FoundationGet(0), {"KS*"});
   CardsFromStockPlace(harness, harness.TalonGet(), {"AS*", "9D*"});
   CardsFromStockPlace(harness, harness.ColumnGet(1), {"4C*"});
   Card* deep = harness.TalonGet()->cards[0];
   EXPECT_TRUE(game.CardPickUpCheck(deep));
   EXPECT_FALSE(game.CardDropCheck(harness.FoundationGet(0), deep));
   EXPECT_TRUE(game.CardDropCheck(harness.ColumnGet(0), deep));
   EXPECT_FALSE(game.CardDropCheck(harness.ColumnGet(1), deep)) << "a held pile takes nothing";
   EXPECT_FALSE(game.CardDropCheck(harness.StockGet(), deep));
   EXPECT_FALSE(game.CardPickUpCheck(harness.FoundationGet(0)->CardTopGet()));
   EXPECT_FALSE(game.CardStackPickUpCheck(deep));
   EXPECT_TRUE(harness.DropAndSettle(deep, harness.ColumnGet(0)));
   EXPECT_EQ(CardGameHarness::PileText(harness.TalonGet()), "9D*") << "the card above stays";
}

// Turns the whole stock, one click a card.
void StockTurnOut(SolitaireHarness& harness)
{
   while (harness.StockGet()->cards.count > 0)
   {
      harness.Pick(harness.StockGet()->CardTopGet());
   }
}

TEST(SultanSolitaireTest, TwoRedealsThenTheGameIsLostWithoutAMove)
{
   SultanSolitaire game;
   SultanHarness harness;
   harness.SolitaireEnter(&game, 2);
   // Foundations that take nothing the talon holds: every other card waits in the stock.
   harness.TableEmpty();
   const char* kings[SULTAN_FOUNDATION_COUNT] = {"KS*", "AH*", "KS*", "KD*", "KH*",
                                                 "KD*", "KC*", "KH*", "KC*"};
   for (i32 f = 0; f < SULTAN_FOUNDATION_COUNT; ++f)
   {
      CardsFromStockPlace(harness, harness.FoundationGet(f), {kings[f]});
   }
   for (i32 column = 0; column < SULTAN_COLUMN_COUNT; ++column)
   {
      const char* fives[SULTAN_COLUMN_COUNT] = {"5S*", "5S*", "5C*", "5C*", "5H*", "5H*", "5D*", "5D*"};
      CardsFromStockPlace(harness, harness.ColumnGet(column), {fives[column]});
   }
   CardPile* stock = harness.StockGet();
   // Only the Sixes and Sevens stay in the stock: none of them can be played.
   for (i32 i = stock->cards.count - 1; i >= 0; --i)
   {
      Card* card = stock->cards[i];
      if (card->rank < 5 || card->rank > 7)
      {
         CardPile* away = harness.FoundationGet(SULTAN_CENTRE_FOUNDATION);
         away->CardInsert(0, card);
      }
   }
   ASSERT_GT(stock->cards.count, 0);
   game.RefreshMark();
   harness.Settle();
   for (i32 redeal = 0; redeal <= SULTAN_MAX_RESETS; ++redeal)
   {
      SCOPED_TRACE(redeal);
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
      StockTurnOut(harness);
      EXPECT_EQ(game.ResetAllowedCheck(), redeal < SULTAN_MAX_RESETS);
      if (redeal < SULTAN_MAX_RESETS)
      {
         EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING) << "a redeal is left";
         TalonSolitaire::ResetButtonHandler(nullptr, &game);
         harness.Settle();
         EXPECT_EQ(harness.TalonGet()->cards.count, 0);
         EXPECT_EQ(game.resetNum, redeal + 1);
      }
   }
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST(SultanSolitaireTest, AnEmptyStockAndTalonWithoutAMoveLoseWithRedealsLeft)
{
   SultanSolitaire game;
   SultanHarness harness;
   harness.SolitaireEnter(&game, 2);
   harness.TableEmpty();
   CardsFromStockPlace(harness, harness.FoundationGet(0), {"KS*"});
   CardsFromStockPlace(harness, harness.ColumnGet(0), {"5D*"});
   CardPile* stock = harness.StockGet();
   CardPile* away = harness.FoundationGet(SULTAN_CENTRE_FOUNDATION);
   while (stock->cards.count > 0)
   {
      away->CardInsert(0, stock->CardTopGet());
   }
   // Seven columns are empty, so the Five could move: fill them with cards that cannot move.
   for (i32 column = 1; column < SULTAN_COLUMN_COUNT; ++column)
   {
      harness.ColumnGet(column)->CardInsert(0, away->cards[0]);
      harness.ColumnGet(column)->CardTopGet()->FaceUpSet(true, false);
   }
   ASSERT_EQ(game.resetNum, 0);
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST) << "a redeal of an empty talon would bring nothing back";
}

TEST(SultanSolitaireTest, TheLastCardToTheFoundationsWins)
{
   SultanSolitaire game;
   SultanHarness harness;
   harness.SolitaireEnter(&game, 2);
   harness.TableEmpty();
   CardPile* stock = harness.StockGet();
   CardPile* away = harness.FoundationGet(SULTAN_CENTRE_FOUNDATION);
   while (stock->cards.count > 1)
   {
      away->CardInsert(0, stock->CardTopGet());
   }
   CardPile* talon = harness.TalonGet();
   Card* last = stock->CardTopGet();
   Card* below = nullptr;
   for (i32 i = 0; i < away->cards.count && !below; ++i)
   {
      if (away->cards[i]->suit == last->suit &&
          away->cards[i]->rank == CardRankAdd(last->rank, -1, false, nullptr))
      {
         below = away->cards[i];
      }
   }
   ASSERT_NE(below, nullptr);
   harness.FoundationGet(0)->CardInsert(0, below);
   talon->CardInsert(0, last);
   last->FaceUpSet(true, false);
   game.RefreshMark();
   harness.Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   harness.Pick(last);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
}
} // namespace
} // namespace Corvale
