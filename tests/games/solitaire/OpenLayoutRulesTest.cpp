// The rules of Aces Up, Aces and Kings, Baroness and the open-layout builders on small fixtures:
// the deals, the pick-up and drop tables, the click flows, the redeals and the ends of game.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cardgame/Command.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "platform/input/PlatformKeys.h"
#include "tests/games/solitaire/OpenLayoutHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
constexpr i32 H = SUIT_HEARTS;
constexpr i32 S = SUIT_SPADES;
constexpr i32 D = SUIT_DIAMONDS;
constexpr i32 C = SUIT_CLUBS;
constexpr i32 A = RANK_ACE;
constexpr i32 J = RANK_JACK;
constexpr i32 Q = RANK_QUEEN;
constexpr i32 K = RANK_KING;

class OpenLayoutRulesTest : public ::testing::Test
{
 protected:
   // Enters the game of that key with the options given, on a fresh instance.
   void Enter(const char* key, std::initializer_list<std::pair<const char*, bool>> options = {})
   {
      // The games entered before stay alive until the harness has left the last one.
      entered.emplace_back(OpenLayoutCreate(key));
      game = entered.back().get();
      harness.key = key;
      for (const auto& option : options)
      {
         harness.OptionSet(option.first, option.second);
      }
      harness.LayoutEnter(game);
   }

   // Runs the refresh on the still table and answers the result: 0 on, 1 won, 2 lost.
   i32 End()
   {
      game->refreshPending = true;
      harness.Settle();
      return game->gameResult == MINIGAME_RESULT_WON ? 1 : game->gameResult == MINIGAME_RESULT_LOST ? 2 : 0;
   }

   void Choose(Card* card)
   {
      ASSERT_NE(card, nullptr);
      harness.ChoosePost(card);
      harness.Settle();
   }

   // Empties the stock onto a pile the rules never look at.
   void StockEmpty(CardPile* into)
   {
      while (harness.Stock()->cards.count > 0)
      {
         into->CardInsert(into->cards.count, harness.Stock()->CardTopGet());
      }
   }

   // The headless table has no layer: the buttons the table's layer would hold, and a new deal
   // that sets them up.
   void ButtonsGive()
   {
      game->buttonContainer = &buttons;
      game->undoButton = game->ButtonCreate("UndoButtonIncluded", "UndoButton", "UndoButtonPosition",
                                            &Minigame::OnUndoClick);
      ASSERT_TRUE(game->undoButton);
      if (harness.Is("LaBelleLucieSolitaire"))
      {
         auto* lucie = static_cast<LaBelleLucieSolitaire*>(game);
         lucie->resetButton = game->ButtonCreate("ResetButtonIncluded", "ResetButton", "ResetButtonPosition",
                                                 &TalonSolitaire::ResetButtonHandler);
         ASSERT_TRUE(lucie->resetButton);
      }
      game->GameNew();
      harness.Settle();
   }

   // The buttons have no layer to free them: freed here once the last game has left.
   void TearDown() override
   {
      harness.Leave();
      while (buttons.ChildCountGet() > 0)
      {
         Widget* button = buttons.ChildGetAt(buttons.ChildCountGet() - 1);
         buttons.ChildDetach(button);
         button->Deinit();
         MemoryDelete(button);
      }
   }

   ContainerWidget buttons;
   std::vector<std::unique_ptr<TraditionalSolitaireGame>> entered;
   OpenLayoutHarness harness;
   TraditionalSolitaireGame* game = nullptr;
};

// ---- Aces Up ----

TEST_F(OpenLayoutRulesTest, AcesUpDiscardsTheLowerCardOfASuitShowingTwice)
{
   Enter("AcesUpSolitaire", {{"NoWastePile", true}, {"AllowUndo", true}});
   const struct
   {
      i32 rank;
      i32 suit;
      // The top of column 1; column 0 holds the card.
      i32 otherRank;
      i32 otherSuit;
      bool discarded;
   } cases[] = {
       {2, H, 5, H, true},  // a higher card of the suit
       {2, H, 5, S, false}, // another suit
       {5, H, 2, H, false}, // a lower card of the suit
       {K, H, A, H, true},  // the Ace counts 14
       {A, H, K, H, false}, // an Ace is never discarded
       {Q, C, K, C, true},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(testing::Message() << c.rank << "/" << c.suit << " against " << c.otherRank);
      harness.Clear();
      Card* card = harness.Put(harness.Column(0), c.rank, c.suit);
      harness.Put(harness.Column(1), c.otherRank, c.otherSuit);
      EXPECT_EQ(game->CardDropCheck(harness.Foundation(-1), card), c.discarded);
   }
   // The higher card must show on another column: lying under the card itself it does not count.
   harness.Clear();
   harness.Put(harness.Column(0), 9, D);
   Card* two = harness.Put(harness.Column(0), 2, D);
   EXPECT_FALSE(game->CardDropCheck(harness.Foundation(-1), two));
   // Nor does a higher card under another column's top.
   harness.Put(harness.Column(1), 10, D);
   harness.Put(harness.Column(1), 3, S);
   EXPECT_FALSE(game->CardDropCheck(harness.Foundation(-1), two));
   // An empty column takes any top card, a filled one nothing.
   EXPECT_TRUE(game->CardDropCheck(harness.Column(2), two));
   EXPECT_FALSE(game->CardDropCheck(harness.Column(1), two));
}

TEST_F(OpenLayoutRulesTest, AcesUpWasteHoldsFiveAndKeepsThem)
{
   Enter("AcesUpSolitaire", {{"NoWastePile", false}, {"AllowUndo", true}});
   CardPile* waste = harness.Pile(CARD_PILE_TYPE_WASTE, -1);
   ASSERT_TRUE(waste->visible);
   harness.Clear();
   const i32 ranks[] = {2, 3, 4, 5, 6};
   for (i32 rank : ranks)
   {
      Card* card = harness.Put(harness.Column(0), rank, S);
      ASSERT_TRUE(game->CardDropCheck(waste, card));
      ASSERT_TRUE(harness.Drop(card, waste));
      harness.Settle();
      EXPECT_FALSE(game->CardPickUpCheck(waste->CardTopGet())) << "a card left the waste";
   }
   EXPECT_EQ(waste->cards.count, 5);
   EXPECT_FALSE(game->CardDropCheck(waste, harness.Put(harness.Column(0), 7, S)));
   harness.Clear();
   EXPECT_FALSE(game->CardDropCheck(waste, harness.Put(harness.Column(0), A, S))) << "an Ace on the waste";

   // Hidden, the waste takes nothing.
   Enter("AcesUpSolitaire", {{"NoWastePile", true}, {"AllowUndo", true}});
   waste = harness.Pile(CARD_PILE_TYPE_WASTE, -1);
   EXPECT_FALSE(waste->visible);
   harness.Clear();
   EXPECT_FALSE(game->CardDropCheck(waste, harness.Put(harness.Column(0), 7, S)));
}

TEST_F(OpenLayoutRulesTest, AcesUpStockDealsARowAndTheEndWaitsForIt)
{
   Enter("AcesUpSolitaire", {{"NoWastePile", true}, {"AllowUndo", true}});
   for (i32 id = 0; id < 4; ++id)
   {
      EXPECT_EQ(harness.Column(id)->cards.count, 1);
   }
   EXPECT_EQ(harness.Stock()->cards.count, 48);
   EXPECT_TRUE(game->CardChooseOnClickCheck(harness.Stock()->CardTopGet()));
   Choose(harness.Stock()->CardTopGet());
   for (i32 id = 0; id < 4; ++id)
   {
      EXPECT_EQ(harness.Column(id)->cards.count, 2);
      EXPECT_TRUE(harness.Column(id)->CardTopGet()->faceUp);
   }

   // Four lone Aces with cards still in the stock: not over yet.
   harness.Clear();
   for (i32 id = 0; id < 4; ++id)
   {
      harness.Put(harness.Column(id), A, id);
   }
   EXPECT_EQ(End(), 0);
   StockEmpty(harness.Foundation(-1));
   EXPECT_EQ(End(), 1);
   // Score: the 48 discarded cards and the four Aces.
   EXPECT_EQ(game->ScoreGet(), 52);

   // An Ace on a King is no lone Ace: with no move left the game is lost.
   harness.Clear();
   harness.Put(harness.Column(3), K, S);
   for (i32 id = 0; id < 4; ++id)
   {
      harness.Put(harness.Column(id), A, id);
   }
   harness.Put(harness.Foundation(-1), 5, D);
   StockEmpty(harness.Pile(CARD_PILE_TYPE_WASTE, -1));
   EXPECT_EQ(game->ScoreGet(), 1 + 3);
   EXPECT_EQ(End(), 2);
}

TEST_F(OpenLayoutRulesTest, AcesUpWithoutUndoTakesNothingBack)
{
   for (const bool allowed : {true, false})
   {
      SCOPED_TRACE(allowed);
      Enter("AcesUpSolitaire", {{"NoWastePile", true}, {"AllowUndo", allowed}});
      ASSERT_NO_FATAL_FAILURE(ButtonsGive());
      EXPECT_EQ(game->undoButton->VisibleCheck(), allowed);
      Choose(harness.Stock()->CardTopGet());
      ASSERT_EQ(harness.Stock()->cards.count, 44);
      // The command, as the button posts it.
      game->CommandCodePost(COMMAND_UNDO, 0);
      harness.Settle();
      EXPECT_EQ(harness.Stock()->cards.count, allowed ? 48 : 44);
      if (allowed)
      {
         Choose(harness.Stock()->CardTopGet());
      }
      // Ctrl+Z.
      harness.KeyPress(VK_LCONTROL);
      harness.Frame();
      harness.KeyPress('Z');
      harness.Frame();
      harness.KeyRelease('Z');
      harness.KeyRelease(VK_LCONTROL);
      harness.Settle();
      EXPECT_EQ(harness.Stock()->cards.count, allowed ? 48 : 44);
   }
}

// ---- Aces and Kings ----

TEST_F(OpenLayoutRulesTest, AcesAndKingsBuildsUpAndDownInAnySuit)
{
   Enter("AcesAndKingsSolitaire");
   EXPECT_EQ(harness.Pile(CARD_PILE_TYPE_RESERVE, 0)->cards.count, 13);
   EXPECT_EQ(harness.Pile(CARD_PILE_TYPE_RESERVE, 1)->cards.count, 13);
   harness.Clear();
   CardPile* up = harness.Foundation(0);
   CardPile* down = harness.Foundation(4);
   const struct
   {
      CardPile* foundation;
      // Rank on the foundation, 0 for empty.
      i32 onRank;
      i32 rank;
      i32 suit;
      bool taken;
   } cases[] = {
       {up, 0, A, H, true},   {up, 0, 2, H, false},   {up, 0, K, S, false},   {up, J, Q, S, true},
       {up, J, 10, S, false}, {up, K, A, S, false},   {down, 0, K, D, true},  {down, 0, A, D, false},
       {down, 5, 4, C, true}, {down, 5, 6, C, false}, {down, A, K, C, false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(testing::Message() << c.onRank << " then " << c.rank);
      harness.Clear();
      if (c.onRank)
      {
         harness.Put(c.foundation, c.onRank, H);
      }
      Card* card = harness.Put(harness.Pile(CARD_PILE_TYPE_RESERVE, 0), c.rank, c.suit);
      EXPECT_EQ(game->CardDropCheck(c.foundation, card), c.taken);
   }
   // A column takes a card only when empty, and never one from a foundation.
   harness.Clear();
   Card* queen = harness.Put(harness.Pile(CARD_PILE_TYPE_RESERVE, 0), Q, H);
   Card* ace = harness.Put(up, A, S);
   EXPECT_TRUE(game->CardDropCheck(harness.Column(0), queen));
   EXPECT_FALSE(game->CardDropCheck(harness.Column(0), ace));
   harness.Put(harness.Column(1), 3, C);
   EXPECT_FALSE(game->CardDropCheck(harness.Column(1), queen));
}

TEST_F(OpenLayoutRulesTest, AcesAndKingsRefillsColumnsFromTheTalonThenTheStock)
{
   Enter("AcesAndKingsSolitaire");
   harness.Clear();
   CardPile* talon = harness.Pile(CARD_PILE_TYPE_TALON, -1);
   harness.Put(harness.Pile(CARD_PILE_TYPE_RESERVE, 0), 7, H);
   for (i32 id = 1; id < 4; ++id)
   {
      harness.Put(harness.Column(id), 9, id);
   }
   Card* fromTalon = harness.Put(talon, 4, S);
   // Column 0 is empty: the talon's top fills it.
   EXPECT_EQ(End(), 0);
   EXPECT_EQ(harness.Column(0)->CardTopGet(), fromTalon);
   // Emptied again with the talon empty: the stock's top fills it.
   harness.Foundation(0)->CardInsert(0, fromTalon);
   Card* stockTop = harness.Stock()->CardTopGet();
   EXPECT_EQ(End(), 0);
   EXPECT_EQ(harness.Column(0)->CardTopGet(), stockTop);
   EXPECT_TRUE(stockTop->faceUp);

   // Stock empty, cards on the columns and a reserve, and no move: lost.
   harness.Clear();
   for (i32 id = 0; id < 4; ++id)
   {
      harness.Put(harness.Column(id), 7, id);
   }
   harness.Put(harness.Pile(CARD_PILE_TYPE_RESERVE, 0), 7, H);
   Card* three = harness.Put(talon, 3, C);
   StockEmpty(harness.Foundation(0));
   harness.Foundation(0)->CardInsert(harness.Foundation(0)->cards.count, three);
   EXPECT_EQ(End(), 2);
   // Everything but the foundations empty: won.
   harness.Clear();
   StockEmpty(harness.Foundation(0));
   EXPECT_EQ(End(), 1);
}

// ---- Baroness ----

TEST_F(OpenLayoutRulesTest, BaronessPlaysByClicks)
{
   Enter("BaronessSolitaire");
   auto* baroness = static_cast<BaronessSolitaire*>(game);
   for (i32 id = 0; id < 7; ++id)
   {
      EXPECT_EQ(harness.Column(id)->cards.count, id < 5 ? 1 : 0);
   }
   CardPile* discard = harness.Foundation(-1);
   const struct
   {
      const char* name;
      // Ranks put on columns 0-2, 0 for none.
      i32 ranks[3];
      // Columns clicked in turn.
      std::vector<i32> clicks;
      i32 discarded;
      // The column whose top is chosen afterwards, -1 for none.
      i32 selected;
   } cases[] = {
       {"a King alone", {K, 0, 0}, {0}, 1, -1},
       {"a Queen and an Ace", {Q, A, 0}, {0, 1}, 2, -1},
       {"a Jack and a Two", {J, 2, 0}, {1, 0}, 2, -1},
       {"another card chosen", {5, 6, 0}, {0, 1}, 0, 1},
       {"the same card again", {5, 6, 0}, {0, 0}, 0, -1},
       {"a King while a card is chosen", {5, K, 8}, {0, 1}, 1, -1},
       {"a pair after a change of mind", {5, 6, 7}, {0, 1, 2}, 2, -1},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      harness.Clear();
      for (i32 id = 0; id < 3; ++id)
      {
         if (c.ranks[id])
         {
            harness.Put(harness.Column(id), c.ranks[id], id == 1 ? S : H);
         }
      }
      for (i32 column : c.clicks)
      {
         Card* top = harness.Column(column)->CardTopGet();
         ASSERT_TRUE(game->CardChooseOnClickCheck(top));
         EXPECT_FALSE(game->CardPickUpCheck(top)) << "a Baroness card can be dragged";
         Choose(top);
      }
      EXPECT_EQ(discard->cards.count, c.discarded);
      const Card* selected = c.selected >= 0 ? harness.Column(c.selected)->CardTopGet() : nullptr;
      EXPECT_EQ(baroness->firstClicked, selected ? selected->id : -1);
      for (i32 i = 0; i < game->cards.count; ++i)
      {
         EXPECT_EQ(game->cards[i]->selected, game->cards[i] == selected);
      }
   }
   // A covered card is not acted on.
   harness.Clear();
   Card* covered = harness.Put(harness.Column(0), K, H);
   harness.Put(harness.Column(0), 3, H);
   Choose(covered);
   EXPECT_EQ(discard->cards.count, 0);
}

TEST_F(OpenLayoutRulesTest, BaronessLastTwoCardsGoBesideAndALoneKingIsStillAMove)
{
   Enter("BaronessSolitaire");
   harness.Clear();
   // Two cards left in the stock: its top to column 5, the next to column 6.
   harness.Put(harness.Column(0), 4, D);
   StockEmpty(harness.Foundation(-1));
   harness.Stock()->CardInsert(0, harness.Foundation(-1)->cards[0]);
   harness.Stock()->CardInsert(1, harness.Foundation(-1)->cards[0]);
   Card* second = harness.Stock()->cards[0];
   Card* first = harness.Stock()->cards[1];
   Choose(harness.Stock()->CardTopGet());
   EXPECT_EQ(harness.Column(5)->CardTopGet(), first);
   EXPECT_EQ(harness.Column(6)->CardTopGet(), second);

   // A lone King on the last column keeps the game open; removed, the table is clear: won.
   harness.Clear();
   StockEmpty(harness.Foundation(-1));
   Card* king = harness.Foundation(-1)->cards[0];
   for (i32 i = 0; king->rank != K; ++i)
   {
      king = harness.Foundation(-1)->cards[i];
   }
   harness.Column(6)->CardInsert(0, king);
   king->FaceUpSet(true, false);
   EXPECT_TRUE(game->CardPlayableCheck(king));
   EXPECT_EQ(End(), 0);
   Choose(king);
   EXPECT_EQ(game->gameResult, MINIGAME_RESULT_WON);

   // Tops with no King and no pair of thirteen: lost.
   Enter("BaronessSolitaire");
   harness.Clear();
   harness.Put(harness.Column(0), 5, D);
   harness.Put(harness.Column(1), 5, H);
   StockEmpty(harness.Foundation(-1));
   EXPECT_FALSE(game->CardPlayableCheck(harness.Column(0)->CardTopGet()));
   EXPECT_EQ(End(), 2);
}

TEST_F(OpenLayoutRulesTest, BaronessUndoForgetsTheChosenCard)
{
   Enter("BaronessSolitaire");
   auto* baroness = static_cast<BaronessSolitaire*>(game);
   harness.Clear();
   harness.Put(harness.Column(0), 5, D);
   Card* eight = harness.Put(harness.Column(1), 8, S);
   Card* king = harness.Put(harness.Column(2), K, S);
   Card* five = harness.Column(0)->CardTopGet();
   Choose(king);
   Choose(eight);
   ASSERT_EQ(baroness->firstClicked, eight->id);
   game->Undo();
   harness.Settle();
   EXPECT_EQ(baroness->firstClicked, -1);
   EXPECT_FALSE(eight->selected);
   // The five makes 13 with the eight, but the eight is no longer chosen: it is chosen now.
   Choose(five);
   EXPECT_EQ(harness.Foundation(-1)->cards.count, 0);
   EXPECT_EQ(baroness->firstClicked, five->id);
}

// ---- Four Free ----

TEST_F(OpenLayoutRulesTest, FourFreeColumnsCellsAndItsEnd)
{
   Enter("FourFreeSolitaire");
   for (i32 id = 0; id < 8; ++id)
   {
      EXPECT_EQ(harness.Column(id)->cards.count, id < 4 ? 7 : 6);
   }
   harness.Clear();
   Card* seven = harness.Put(harness.Column(0), 7, H);
   harness.Put(harness.Column(1), 8, S);
   harness.Put(harness.Column(2), 8, D);
   EXPECT_TRUE(game->CardDropCheck(harness.Column(1), seven));
   EXPECT_FALSE(game->CardDropCheck(harness.Column(2), seven)) << "same colour";
   EXPECT_TRUE(game->CardDropCheck(harness.Column(3), seven)) << "an empty column takes any card";
   EXPECT_TRUE(game->CardDropCheck(harness.Pile(CARD_PILE_TYPE_RESERVE, 0), seven));
   harness.Put(harness.Pile(CARD_PILE_TYPE_RESERVE, 1), 2, C);
   EXPECT_FALSE(game->CardDropCheck(harness.Pile(CARD_PILE_TYPE_RESERVE, 1), seven));

   // A column of 18 takes no more.
   harness.Clear();
   CardPile* column = harness.Column(4);
   for (i32 i = 0; i < 16; ++i)
   {
      harness.Put(column, 2 + i / 4, i % 4);
   }
   harness.Put(column, 9, C);
   ASSERT_EQ(column->cards.count, 17);
   Card* eight = harness.Put(harness.Column(0), 8, H);
   EXPECT_TRUE(game->CardDropCheck(column, eight));
   harness.Put(column, 8, D);
   Card* sevenClubs = harness.Put(harness.Column(1), 7, C);
   EXPECT_FALSE(game->CardDropCheck(column, sevenClubs));

   // The columns empty with a card in a cell: not won; that card to its foundation: won.
   harness.Clear();
   for (i32 rank = A; rank <= K; ++rank)
   {
      for (i32 suit = 0; suit < 4; ++suit)
      {
         if (!(rank == K && suit == S))
         {
            harness.Put(harness.Foundation(suit), rank, suit);
         }
      }
   }
   Card* last = harness.Put(harness.Pile(CARD_PILE_TYPE_RESERVE, 2), K, S);
   EXPECT_EQ(End(), 0);
   Choose(last);
   EXPECT_EQ(game->gameResult, MINIGAME_RESULT_WON);
}

TEST_F(OpenLayoutRulesTest, FourFreeLosesWhenOnlyUselessMovesAreLeft)
{
   Enter("FourFreeSolitaire");
   harness.Clear();
   // Every cell full and one move left, which only swaps the Eight of Hearts between two Nines.
   for (i32 cell = 0; cell < 4; ++cell)
   {
      harness.Put(harness.Pile(CARD_PILE_TYPE_RESERVE, cell), K, cell);
   }
   harness.Put(harness.Column(0), 9, S);
   Card* eight = harness.Put(harness.Column(0), 8, H);
   harness.Put(harness.Column(1), 9, C);
   const i32 tops[][2] = {{5, S}, {5, C}, {3, S}, {3, C}, {Q, S}, {Q, C}};
   for (i32 id = 2; id < 8; ++id)
   {
      harness.Put(harness.Column(id), tops[id - 2][0], tops[id - 2][1]);
   }
   EXPECT_TRUE(game->CardDropCheck(harness.Column(1), eight));
   // So the game is lost.
   EXPECT_EQ(End(), 2);
}

// ---- Fortress ----

TEST_F(OpenLayoutRulesTest, FortressDealAndTheFirstFoundationChoosesTheStartRank)
{
   Enter("FortressSolitaire", {{"OnlyKingsInEmpty", false}, {"AcesStartFoundations", false}});
   for (i32 id = 0; id < 10; ++id)
   {
      EXPECT_EQ(harness.Column(id)->cards.count, id == 0 || id == 5 ? 6 : 5) << id;
   }
   harness.Clear();
   Card* seven = harness.Put(harness.Column(0), 7, H);
   Card* five = harness.Put(harness.Column(1), 5, S);
   EXPECT_TRUE(game->CardDropCheck(harness.Foundation(2), five));
   ASSERT_TRUE(harness.Drop(seven, harness.Foundation(2)));
   harness.Settle();
   EXPECT_FALSE(game->CardDropCheck(harness.Foundation(0), five)) << "the start rank is Seven now";
   EXPECT_TRUE(game->CardDropCheck(harness.Foundation(0), harness.Put(harness.Column(2), 7, S)));
   EXPECT_FALSE(game->CardDropCheck(harness.Foundation(0), harness.Put(harness.Column(3), 8, H)))
       << "a second Hearts foundation";
   // Hearts from Seven run on to the King, the Ace and the Two.
   harness.Clear();
   CardPile* hearts = harness.Foundation(0);
   harness.Put(hearts, 7, H);
   for (i32 rank = 8; rank <= K; ++rank)
   {
      harness.Put(hearts, rank, H);
   }
   Card* ace = harness.Put(harness.Column(0), A, H);
   EXPECT_TRUE(game->CardDropCheck(hearts, ace));
   hearts->CardInsert(hearts->cards.count, ace);
   EXPECT_TRUE(game->CardDropCheck(hearts, harness.Put(harness.Column(0), 2, H)));
   EXPECT_FALSE(game->CardDropCheck(hearts, harness.Put(harness.Column(1), 3, H)));

   // With the Aces option only an Ace starts a foundation.
   Enter("FortressSolitaire", {{"OnlyKingsInEmpty", true}, {"AcesStartFoundations", true}});
   harness.Clear();
   EXPECT_FALSE(game->CardDropCheck(harness.Foundation(0), harness.Put(harness.Column(0), 7, H)));
   EXPECT_TRUE(game->CardDropCheck(harness.Foundation(0), harness.Put(harness.Column(1), A, H)));
   // Only a King fills an empty column; columns build either way, King and Ace touching.
   EXPECT_FALSE(game->CardDropCheck(harness.Column(5), harness.Column(0)->CardTopGet()));
   Card* king = harness.Put(harness.Column(2), K, C);
   EXPECT_TRUE(game->CardDropCheck(harness.Column(5), king));
   EXPECT_TRUE(game->CardDropCheck(harness.Column(1), king)) << "a King on an Ace";
   EXPECT_TRUE(game->CardDropCheck(harness.Column(0), harness.Put(harness.Column(3), 6, S)));
   EXPECT_TRUE(game->CardDropCheck(harness.Column(0), harness.Put(harness.Column(4), 8, D)));
}

// ---- Flower Garden ----

TEST_F(OpenLayoutRulesTest, FlowerGardenReserveFoundationTopsAndTheColumnLimit)
{
   for (const bool sixteen : {true, false})
   {
      Enter("FlowerGardenSolitaire", {{"SixteenCardReserve", sixteen}});
      EXPECT_EQ(harness.Pile(CARD_PILE_TYPE_RESERVE, -1)->cards.count, sixteen ? 16 : 22);
      for (i32 id = 0; id < 6; ++id)
      {
         EXPECT_EQ(harness.Column(id)->cards.count, sixteen ? 6 : 5);
      }
   }
   harness.Clear();
   CardPile* reserve = harness.Pile(CARD_PILE_TYPE_RESERVE, -1);
   Card* deep = harness.Put(reserve, 4, C);
   harness.Put(reserve, 9, D);
   harness.Put(harness.Column(0), 5, H);
   EXPECT_TRUE(game->CardPickUpCheck(deep)) << "any reserve card";
   EXPECT_TRUE(game->CardDropCheck(harness.Column(0), deep));
   ASSERT_TRUE(harness.Drop(deep, harness.Column(0)));
   harness.Settle();

   // From a foundation only the top card goes back.
   CardPile* foundation = harness.Foundation(0);
   Card* ace = harness.Put(foundation, A, S);
   Card* two = harness.Put(foundation, 2, S);
   harness.Put(harness.Column(1), 3, D);
   EXPECT_FALSE(game->CardPickUpCheck(ace));
   EXPECT_TRUE(game->CardPickUpCheck(two));
   EXPECT_TRUE(game->CardDropCheck(harness.Column(1), two));

   // A column holds at most 14 cards.
   harness.Clear();
   CardPile* column = harness.Column(2);
   for (i32 rank = K; rank >= 2; --rank)
   {
      harness.Put(column, rank, rank % 4);
   }
   ASSERT_EQ(column->cards.count, 12);
   EXPECT_TRUE(game->CardDropCheck(column, harness.Put(reserve, A, C)));
   harness.Put(column, A, D);
   harness.Put(column, K, D);
   EXPECT_FALSE(game->CardDropCheck(column, harness.Put(reserve, Q, C)));
}

// ---- Penguin ----

TEST_F(OpenLayoutRulesTest, PenguinDealsItsStartersAndTheFourthFirst)
{
   for (const bool first : {true, false})
   {
      SCOPED_TRACE(first);
      Enter("PenguinSolitaire", {{"FillEmptyRestricted", true}, {"FourthStarterDealtFirst", first}});
      auto* penguin = static_cast<PenguinSolitaire*>(game);
      for (i32 id = 0; id < 3; ++id)
      {
         ASSERT_EQ(harness.Foundation(id)->cards.count, 1);
         EXPECT_EQ(harness.Foundation(id)->cards[0]->rank, penguin->buildRank);
      }
      EXPECT_EQ(harness.Foundation(3)->cards.count, 0);
      for (i32 id = 0; id < 7; ++id)
      {
         EXPECT_EQ(harness.Column(id)->cards.count, 7);
      }
      // For seed 12345 the fourth starter does not lie first by chance.
      EXPECT_EQ(harness.Column(0)->cards[0]->rank == penguin->buildRank, first);
   }
}

TEST_F(OpenLayoutRulesTest, PenguinRunsWrapAndEmptyColumnsTakeTheRankBelow)
{
   Enter("PenguinSolitaire", {{"FillEmptyRestricted", true}, {"FourthStarterDealtFirst", true}});
   auto* penguin = static_cast<PenguinSolitaire*>(game);
   harness.Clear();
   penguin->buildRank = RANK_ACE;
   CardPile* column = harness.Column(0);
   harness.Put(column, 9, H);
   Card* two = harness.Put(column, 2, S);
   harness.Put(column, A, S);
   harness.Put(column, K, S);
   harness.Put(harness.Column(1), 3, S);
   EXPECT_TRUE(game->CardPickUpCheck(two)) << "Two, Ace, King of one suit is one run";
   EXPECT_TRUE(game->CardStackPickUpCheck(two));
   EXPECT_FALSE(game->CardPickUpCheck(column->cards[0]));
   EXPECT_TRUE(game->CardDropCheck(harness.Column(1), two));
   EXPECT_FALSE(game->CardDropCheck(harness.Pile(CARD_PILE_TYPE_RESERVE, 0), two)) << "a run in a cell";
   // Empty columns take only a King when Aces start the foundations.
   EXPECT_FALSE(game->CardDropCheck(harness.Column(2), two));
   ASSERT_TRUE(harness.Drop(two, harness.Column(1)));
   harness.Settle();
   EXPECT_EQ(harness.Column(1)->cards.count, 4);
   Card* king = harness.Column(1)->CardTopGet();
   EXPECT_TRUE(game->CardDropCheck(harness.Column(2), king));
   Card* nine = harness.Column(0)->CardTopGet();
   EXPECT_FALSE(game->CardDropCheck(harness.Column(2), nine));
   // An Ace on the foundation takes the Two; a King foundation takes the Ace.
   harness.Clear();
   penguin->buildRank = static_cast<Rank>(RANK_KING);
   harness.Put(harness.Foundation(0), K, H);
   EXPECT_TRUE(game->CardDropCheck(harness.Foundation(0), harness.Put(harness.Column(0), A, H)));
   EXPECT_TRUE(game->CardDropCheck(harness.Foundation(1), harness.Put(harness.Column(1), K, C)));
   EXPECT_TRUE(game->CardDropCheck(harness.Column(3), harness.Put(harness.Column(2), Q, D)));

   // Unrestricted, any card fills an empty column.
   Enter("PenguinSolitaire", {{"FillEmptyRestricted", false}, {"FourthStarterDealtFirst", true}});
   harness.Clear();
   EXPECT_TRUE(game->CardDropCheck(harness.Column(2), harness.Put(harness.Column(0), 5, H)));
}

// ---- La Belle Lucie ----

TEST_F(OpenLayoutRulesTest, LaBelleLucieDealsFansAndRedealsToItsLimit)
{
   for (const bool two : {true, false})
   {
      SCOPED_TRACE(two);
      Enter("LaBelleLucieSolitaire", {{"TwoRedeals", two}});
      ASSERT_NO_FATAL_FAILURE(ButtonsGive());
      auto* lucie = static_cast<LaBelleLucieSolitaire*>(game);
      for (i32 suit = 0; suit < 4; ++suit)
      {
         ASSERT_EQ(harness.Foundation(suit)->cards.count, 1);
         EXPECT_EQ(harness.Foundation(suit)->cards[0]->rank, A);
         EXPECT_EQ(harness.Foundation(suit)->cards[0]->suit, suit);
      }
      for (i32 id = 0; id < 16; ++id)
      {
         EXPECT_EQ(harness.Column(id)->cards.count, 3);
      }
      for (i32 redeal = 0; redeal < (two ? 2 : 3); ++redeal)
      {
         EXPECT_TRUE(lucie->resetButton->VisibleCheck());
         EXPECT_TRUE(lucie->resetButton->EnabledCheck());
         TalonSolitaire::ResetButtonHandler(lucie->resetButton, lucie);
         harness.Settle();
         EXPECT_EQ(game->undoHistory.count, 0) << "a redeal can be undone";
      }
      EXPECT_FALSE(lucie->resetButton->VisibleCheck());
      EXPECT_EQ(lucie->resetNum, two ? 2 : 3);
      // Once more does nothing.
      lucie->TalonReset();
      harness.Settle();
      EXPECT_EQ(lucie->resetNum, two ? 2 : 3);
   }
}

TEST_F(OpenLayoutRulesTest, LaBelleLucieFansRefillsAndEnd)
{
   Enter("LaBelleLucieSolitaire", {{"TwoRedeals", true}});
   auto* lucie = static_cast<LaBelleLucieSolitaire*>(game);
   harness.Clear();
   // Hearts up to the Five on their foundation; 20 cards on the fans.
   for (i32 rank = A; rank <= 5; ++rank)
   {
      harness.Put(harness.Foundation(H), rank, H);
   }
   CardPile* fan = harness.Column(0);
   for (i32 rank = K; rank >= 7; --rank)
   {
      harness.Put(fan, rank, H);
   }
   ASSERT_EQ(fan->cards.count, 7);
   Card* six = harness.Put(harness.Column(1), 6, H);
   EXPECT_FALSE(game->CardDropCheck(fan, six)) << "a fan of 7 takes no more";
   EXPECT_TRUE(game->CardDropCheck(harness.Foundation(H), six));
   EXPECT_FALSE(game->CardDropCheck(harness.Column(5), six)) << "an empty fan takes nothing";
   for (i32 i = 0; i < 13; ++i)
   {
      harness.Put(harness.Column(2 + i % 3), 2 + i % 12, i < 12 ? C : S);
   }
   StockEmpty(harness.Foundation(S));
   // The redeal deals the 21 fan cards round-robin: the first five fans get two, the rest one.
   lucie->resetNum = 0;
   lucie->maxResets = 2;
   TalonSolitaire::ResetButtonHandler(nullptr, lucie);
   harness.Settle();
   for (i32 id = 0; id < 16; ++id)
   {
      EXPECT_EQ(harness.Column(id)->cards.count, id < 5 ? 2 : 1) << id;
   }
   EXPECT_EQ(harness.Foundation(H)->cards.count, 5);

   // No move with a redeal left: on; with the redeals used up: lost.
   harness.Clear();
   harness.Put(harness.Column(0), 9, S);
   harness.Put(harness.Column(1), 9, C);
   lucie->resetNum = 1;
   EXPECT_EQ(End(), 0);
   lucie->resetNum = 2;
   EXPECT_EQ(End(), 2);
   harness.Clear();
   StockEmpty(harness.Foundation(D));
   lucie->resetNum = 2;
   EXPECT_EQ(End(), 1);
}

TEST_F(OpenLayoutRulesTest, LaBelleLucieButtonAfterALoad)
{
   Enter("LaBelleLucieSolitaire", {{"TwoRedeals", true}});
   auto* lucie = static_cast<LaBelleLucieSolitaire*>(game);
   JSONTest::ValuePointer early(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game->Save(early.get()));
   TalonSolitaire::ResetButtonHandler(nullptr, lucie);
   harness.Settle();
   TalonSolitaire::ResetButtonHandler(nullptr, lucie);
   harness.Settle();
   JSONTest::ValuePointer late(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game->Save(late.get()));

   // A fresh instance loads either: the button shows while redeals remain.
   Enter("LaBelleLucieSolitaire", {{"TwoRedeals", true}});
   ASSERT_NO_FATAL_FAILURE(ButtonsGive());
   auto* loaded = static_cast<LaBelleLucieSolitaire*>(game);
   ASSERT_TRUE(loaded->Load(late.get()));
   EXPECT_FALSE(loaded->resetButton->VisibleCheck());
   ASSERT_TRUE(loaded->Load(early.get()));
   EXPECT_TRUE(loaded->resetButton->VisibleCheck());
   EXPECT_TRUE(loaded->resetButton->EnabledCheck());
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
