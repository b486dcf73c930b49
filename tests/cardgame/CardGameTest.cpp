// The card game base headless: its card actions and their order in the queue, deals, the drop
// decision, choosing, the input gates, the immediate pile operations, and random command streams
// that must never lose or double a card.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "app/profile/SettingsApply.h"
#include "cardgame/CardNames.h"
#include "cardgame/Player.h"
#include "core/Random.h"
#include "gui/state/GameStateManager.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/TestCardGame.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
// Pile 0 the stock (Draw), 1-4 Tableau with secondary IDs 0-3, 5 a Foundation, 6 a Reserve that
// takes cards at a position, 7 a sorted Reserve that would too.
const char* const TABLE_CONSTS = R"({
   "DelayCardDeal": 30, "DelayCardFlip": 20,
   "CardPiles": [
      {"Type": "Draw", "Position": "0|0"},
      {"Type": "Tableau", "SecondaryID": 0, "Position": "100|0", "CardPositionOffset": "0|20"},
      {"Type": "Tableau", "SecondaryID": 1, "Position": "200|0", "CardPositionOffset": "0|20"},
      {"Type": "Tableau", "SecondaryID": 2, "Position": "300|0", "CardPositionOffset": "0|20"},
      {"Type": "Tableau", "SecondaryID": 3, "Position": "400|0", "CardPositionOffset": "0|20"},
      {"Type": "Foundation", "Position": "500|0"},
      {"Type": "Reserve", "Position": "0|300", "CardPositionOffset": "20|0", "CanDragWithin": true},
      {"Type": "Reserve", "Position": "0|500", "CardPositionOffset": "20|0", "CanDragWithin": true,
       "Sort": "AscendingSuitRankAceHigh"},
      7,
      null
   ]})";

class CardGameTest : public ::testing::Test
{
 protected:
   void SetUp() override { harness.CardGameEnter(&game, TABLE_CONSTS); }
   void TearDown() override { harness.Leave(); }

   // The queued card actions in the order they will run: "type:int0/int1/int2".
   std::vector<std::string> QueueInRunOrder()
   {
      std::vector<std::string> out;
      for (i32 i = game.actionQueue.count - 1; i >= 0; --i)
      {
         const Action& a = game.actionQueue[i];
         out.push_back(std::to_string(a.type) + ":" + std::to_string(a.int0) + "/" + std::to_string(a.int1) +
                       "/" + std::to_string(a.int2));
      }
      return out;
   }

   // Destination pile IDs of the queued moves, in run order.
   std::vector<i32> DealDestinations()
   {
      std::vector<i32> out;
      for (i32 i = game.actionQueue.count - 1; i >= 0; --i)
      {
         out.push_back(game.actionQueue[i].int2);
      }
      return out;
   }

   CardGameHarness harness;
   TestCardGame game;
};

TEST_F(CardGameTest, PilesComeFromTheConstantsAndRefuseNonObjects)
{
   ASSERT_EQ(game.cardPiles.count, 8);
   EXPECT_EQ(game.delayCardDeal, 30);
   EXPECT_EQ(game.delayCardFlip, 20);
   EXPECT_EQ(game.CardPileGet(CARD_PILE_TYPE_TABLEAU, 2, -1), harness.Pile(3));
   EXPECT_EQ(game.CardPileGet(CARD_PILE_TYPE_TABLEAU, 9, -1), nullptr);
   EXPECT_EQ(game.CardPileByIDGet(5), harness.Pile(5));
   EXPECT_EQ(game.CardGet(-1), nullptr);
   EXPECT_EQ(game.CardGet(51)->id, 51);
   EXPECT_EQ(game.TableauEmptyPileGet(), harness.Pile(1));
   EXPECT_TRUE(game.CardPilesOfTypeEmpty(CARD_PILE_TYPE_FOUNDATION));
   EXPECT_FALSE(game.CardPilesOfTypeEmpty(CARD_PILE_TYPE_DRAW));
   EXPECT_TRUE(game.CardPilesOfTypeEmpty(CARD_PILE_TYPE_CRIB));
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(CardGameTest, WholePileTurnQueuesOneTurnPerFaceDownCardJustBehindItself)
{
   CardPile* pile = harness.Pile(1);
   harness.CardsPlace(pile, {"AH", "2H*", "3H", "4H"});
   game.CardPileFaceUpQueue(pile, 0);
   // Queued after the whole-pile turn: it must wait for the single turns.
   game.CardPileShuffleQueue(harness.Pile(5));
   harness.Frame();
   const std::string ace = std::to_string(harness.CardFind(1, SUIT_HEARTS)->id);
   const std::string three = std::to_string(harness.CardFind(3, SUIT_HEARTS)->id);
   const std::string four = std::to_string(harness.CardFind(4, SUIT_HEARTS)->id);
   EXPECT_EQ(QueueInRunOrder(), (std::vector<std::string>{"5:0/" + ace + "/0", "5:0/" + three + "/0",
                                                          "5:0/" + four + "/0", "17:0/0/5"}));
   for (i32 i = 1; i < game.actionQueue.count; ++i)
   {
      EXPECT_EQ(game.actionQueue[i].startDelay, 20u);
      EXPECT_TRUE(game.actionQueue[i].bool0);
   }
   ASSERT_TRUE(harness.RunUntilSettled(500));
   EXPECT_EQ(CardGameHarness::PileText(pile), "AH* 2H* 3H* 4H*");
}

TEST_F(CardGameTest, AnimationWaitHoldsWhileACardMovesAndStaleActionsDrain)
{
   Card* card = harness.CardFind(13, SUIT_SPADES);
   game.CardFaceUpSet(card, true, true);
   game.ActionAnimationsWaitPost();
   game.CardPileShuffleQueue(harness.Pile(1));
   harness.Frame();
   ASSERT_TRUE(game.CardsAnimatingCheck());
   EXPECT_EQ(game.actionQueue.count, 2) << "the wait ran while a card turned";
   ASSERT_TRUE(harness.RunUntilSettled(200));
   EXPECT_TRUE(card->faceUp);

   // Cards and piles that no longer exist: every such action is done without effect.
   const struct
   {
      i32 type, int0, int1, int2;
   } stale[] = {{ACTION_CARD_MOVE, -1, 999, 1},        {ACTION_CARD_MOVE, -1, 0, 999},
                {ACTION_CARD_MOVE_TOP, 999, -1, 1},    {ACTION_CARD_MOVE_TOP, 5, -1, 1},
                {ACTION_CARD_FLIP, 0, 999, 0},         {ACTION_PILE_FLIP, 0, 0, 999},
                {ACTION_CARD_MOVE_BOTTOM, -1, 999, 1}, {ACTION_PILE_SHUFFLE, 0, 0, 999},
                {ACTION_TOP_CARD_FLIP, 0, 0, 999},     {ACTION_PILE_SORT, 0, 3, 999},
                {ACTION_PILE_SHOW, 0, 0, 999}};
   for (const auto& s : stale)
   {
      Action action;
      action.Clear();
      action.type = s.type;
      action.int0 = s.int0;
      action.int1 = s.int1;
      action.int2 = s.int2;
      game.ActionPush(action, 0);
   }
   const std::string before = CardGameHarness::PileText(harness.Pile(0));
   ASSERT_TRUE(harness.RunUntilSettled(100));
   EXPECT_EQ(CardGameHarness::PileText(harness.Pile(0)), before);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(CardGameTest, DealsWalkThePilesOfTheirType)
{
   struct Case
   {
      const char* name;
      i32 type;
      i32 source;
      i32 count;
      i32 firstSecondaryID;
      bool eachPile;
      std::vector<i32> destinations;
   };
   const Case cases[] = {
       {"cyclic from the first", CARD_PILE_TYPE_TABLEAU, 0, 6, -1, false, {1, 2, 3, 4, 1, 2}},
       {"from a secondary ID", CARD_PILE_TYPE_TABLEAU, 0, 5, 2, false, {3, 4, 1, 2, 3}},
       {"unknown secondary ID starts at the first", CARD_PILE_TYPE_TABLEAU, 0, 2, 9, false, {1, 2}},
       {"never into the source", CARD_PILE_TYPE_TABLEAU, 2, 4, -1, false, {1, 3, 4, 1}},
       {"each pile counts the source", CARD_PILE_TYPE_TABLEAU, 2, 1, -1, true, {1, 3, 4, 1}},
       {"each pile", CARD_PILE_TYPE_TABLEAU, 0, 2, -1, true, {1, 2, 3, 4, 1, 2, 3, 4}},
       {"only the source has the type", CARD_PILE_TYPE_FOUNDATION, 5, 3, -1, false, {}},
       {"no pile of the type", CARD_PILE_TYPE_CRIB, 0, 3, -1, false, {}},
       {"no card", CARD_PILE_TYPE_TABLEAU, 0, 0, -1, false, {}},
   };
   for (const Case& c : cases)
   {
      game.ActionQueueClear();
      if (c.eachPile)
      {
         game.CardsDealToEachPile(c.type, harness.Pile(c.source), c.count, true);
      }
      else
      {
         game.CardsDeal(c.type, harness.Pile(c.source), c.count, true, c.firstSecondaryID);
      }
      EXPECT_EQ(DealDestinations(), c.destinations) << c.name;
      for (i32 i = 0; i < game.actionQueue.count; ++i)
      {
         EXPECT_EQ(game.actionQueue[i].type, ACTION_CARD_MOVE_TOP) << c.name;
         EXPECT_EQ(game.actionQueue[i].int0, c.source) << c.name;
         EXPECT_EQ(game.actionQueue[i].startDelay, 30u) << c.name;
      }
   }
   game.ActionQueueClear();
   game.CardsDeal(CARD_PILE_TYPE_TABLEAU, nullptr, 3, true, -1);
   EXPECT_EQ(game.actionQueue.count, 0);

   // The deal runs through the queue and animates; nothing is lost on the way.
   harness.ConservedEveryFrame();
   game.CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, harness.Pile(0), 3, true);
   ASSERT_TRUE(harness.RunUntilSettled(2000));
   for (i32 p = 1; p <= 4; ++p)
   {
      EXPECT_EQ(harness.Pile(p)->cards.count, 3);
      EXPECT_TRUE(harness.Pile(p)->CardTopGet()->faceUp);
   }
   EXPECT_EQ(harness.Pile(0)->cards.count, 40);
}

TEST(CardGameDealToPlayers, FaceDownToThePlayersInPlayFromTheFirst)
{
   CardGameHarness harness;
   TestCardGame game;
   game.playerCount = 4;
   harness.CardGameEnter(&game, R"({"DelayCardDeal": 10, "CardPiles": [
      {"Type": "Draw"}, {"Type": "Hand", "OwnerID": 0}, {"Type": "Hand", "OwnerID": 1},
      {"Type": "Hand", "OwnerID": 2}, {"Type": "Hand", "OwnerID": 3}]})");
   ASSERT_EQ(game.players.count, 4);
   game.players[1]->subgameIn = false;
   game.players[3]->minigameIn = false;
   game.CardsDealToEachPlayer(harness.Pile(0), 3, 2);
   std::vector<i32> destinations;
   for (i32 i = game.actionQueue.count - 1; i >= 0; --i)
   {
      destinations.push_back(game.actionQueue[i].int2);
      EXPECT_FALSE(game.actionQueue[i].bool0);
      EXPECT_EQ(game.actionQueue[i].startDelay, 10u);
   }
   // Hands of players 2 and 0 are piles 3 and 1.
   EXPECT_EQ(destinations, (std::vector<i32>{3, 1, 3, 1, 3, 1}));

   game.ActionQueueClear();
   game.CardsDealToPlayers(harness.Pile(0), 3, 7);
   EXPECT_EQ(game.actionQueue.count, 0) << "no player has the first ID";
   harness.Leave();
}

TEST_F(CardGameTest, DropDecisions)
{
   enum Outcome
   {
      MOVED,
      QUEUED,
      REFUSED,
      NOTHING
   };
   struct Case
   {
      const char* name;
      i32 from;
      i32 fromIndex;
      i32 target;
      i32 dropIndex;
      bool dropCheck;
      bool stack;
      bool insertCheck;
      Outcome outcome;
      i32 index;
   };
   const Case cases[] = {
       {"other pile, accepted, alone", 1, 2, 2, 0, true, false, false, QUEUED, 0},
       {"other pile, accepted, with the cards above", 1, 1, 2, 0, true, true, false, MOVED, 1},
       {"other pile, refused", 1, 2, 2, 0, false, false, false, REFUSED, 0},
       {"own pile without drag within", 1, 2, 1, 0, true, true, true, NOTHING, 0},
       {"sorted pile never uses an index", 1, 2, 7, 0, true, true, true, MOVED, -1},
       {"sorted pile, refused", 1, 2, 7, 0, false, false, true, REFUSED, 0},
       {"drag within, own pile, lower index", 6, 0, 6, 2, false, false, false, MOVED, 1},
       {"drag within, own pile, higher index", 6, 2, 6, 0, false, false, false, MOVED, 0},
       {"drag within, other pile, insert agreed", 1, 2, 6, 1, false, false, true, MOVED, 1},
       {"drag within, other pile, insert refused", 1, 2, 6, 1, true, true, false, NOTHING, 0},
       {"no target", 1, 2, -1, 0, true, true, true, NOTHING, 0},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.name);
      harness.CardsPlace(harness.Pile(0), {});
      game.CardsGather(harness.Pile(0));
      harness.CardsPlace(harness.Pile(1), {"AS*", "2S*", "3S*"});
      harness.CardsPlace(harness.Pile(2), {"KH*"});
      harness.CardsPlace(harness.Pile(6), {"AD*", "2D*", "3D*"});
      harness.CardsPlace(harness.Pile(7), {"5C*"});
      game.ActionQueueClear();
      game.journal.clear();
      game.drop = [&](CardPile*, Card*) { return c.dropCheck; };
      game.stackPickUp = [&](Card*) { return c.stack; };
      game.insert = [&](CardPile*, i32, Card*) { return c.insertCheck; };
      CardPile* from = harness.Pile(c.from);
      Card* card = from->cards[c.fromIndex];
      CardPile* target = c.target >= 0 ? harness.Pile(c.target) : nullptr;
      const Point2F point = target ? target->CardPositionGet(c.dropIndex) : Point2F();
      const i32 soundsBefore = game.moveSoundCalls;
      const std::string fromBefore = CardGameHarness::PileText(from);

      const bool dropped = harness.Drop(card, target, point);

      EXPECT_EQ(dropped, c.outcome == MOVED || c.outcome == QUEUED);
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         EXPECT_EQ(game.cards[i]->dragLead, nullptr) << "the drag group ends in every case";
      }
      EXPECT_TRUE(game.cardPilesLayoutPending);
      switch (c.outcome)
      {
      case MOVED:
         EXPECT_EQ(card->pile, target);
         if (c.index >= 0)
         {
            EXPECT_EQ(target->CardIndexGet(card), c.index);
         }
         EXPECT_EQ(game.actionQueue.count, 0);
         break;
      case QUEUED:
         EXPECT_EQ(card->pile, from);
         ASSERT_EQ(game.actionQueue.count, 1);
         EXPECT_EQ(game.actionQueue[0].type, ACTION_COMMAND);
         EXPECT_EQ(game.actionQueue[0].command.type, COMMAND_CARD_DROP);
         EXPECT_EQ(game.actionQueue[0].command.intParam0, target->id);
         EXPECT_EQ(game.actionQueue[0].command.intParam1, card->id);
         ASSERT_TRUE(harness.RunUntilSettled(200));
         EXPECT_EQ(card->pile, target);
         EXPECT_EQ(game.journal,
                   (std::vector<std::string>{"command17", "added " + std::to_string(target->id)}));
         break;
      case REFUSED:
      case NOTHING:
         EXPECT_EQ(CardGameHarness::PileText(from), fromBefore);
         EXPECT_EQ(game.actionQueue.count, 0);
         EXPECT_EQ(game.moveSoundCalls, soundsBefore + 1) << "the card flies back with a sound";
         EXPECT_EQ(game.journal, c.outcome == REFUSED
                                     ? std::vector<std::string>{"refused " + std::to_string(target->id)}
                                     : std::vector<std::string>{});
         break;
      }
      if (c.outcome == MOVED && c.stack && c.target != 6 && c.target != 7)
      {
         EXPECT_EQ(CardGameHarness::PileText(target), "KH* 2S* 3S*");
      }
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST_F(CardGameTest, ChoosingMovesToTheFirstAcceptingPile)
{
   harness.CardsPlace(harness.Pile(1), {"AS*", "2S*", "3S*"});
   game.pickUp = [](Card* card) { return card->faceUp; };
   game.drop = [&](CardPile* pile, Card*) { return pile == harness.Pile(4) || pile == harness.Pile(5); };
   Card* ace = harness.CardFind(1, SUIT_SPADES);
   Card* three = harness.CardFind(3, SUIT_SPADES);

   // Not on top and the game does not carry cards along: the card goes alone.
   harness.ChoosePost(ace);
   ASSERT_TRUE(harness.RunUntilSettled(200));
   EXPECT_EQ(CardGameHarness::PileText(harness.Pile(4)), "AS*");
   EXPECT_EQ(game.journal, (std::vector<std::string>{"command16", "added 4"}));

   // Carrying: the card takes the cards above it.
   game.journal.clear();
   game.stackPickUp = [](Card*) { return true; };
   harness.CardsPlace(harness.Pile(2), {"5H*", "6H*", "7H*"});
   harness.ChoosePost(harness.CardFind(6, SUIT_HEARTS));
   ASSERT_TRUE(harness.RunUntilSettled(200));
   EXPECT_EQ(CardGameHarness::PileText(harness.Pile(4)), "AS* 6H* 7H*");
   EXPECT_EQ(game.journal, (std::vector<std::string>{"command16", "stacked 4"}));

   // A card the game will not pick up stays; so does one without any accepting pile.
   game.journal.clear();
   three->FaceUpSet(false, false);
   harness.ChoosePost(three);
   game.drop = [](CardPile*, Card*) { return false; };
   harness.ChoosePost(harness.CardFind(5, SUIT_HEARTS));
   ASSERT_TRUE(harness.RunUntilSettled(200));
   EXPECT_EQ(CardGameHarness::PileText(harness.Pile(1)), "2S* 3S");
   EXPECT_EQ(game.journal, (std::vector<std::string>{"command16", "command16"}));
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(CardGameTest, InputGates)
{
   struct Case
   {
      const char* name;
      std::function<void(TestCardGame&)> set;
      bool inputAllowed;
      bool humanMayAct;
      bool busy;
   };
   const Case cases[] = {
       {"idle hand, human to act", [](TestCardGame&) {}, true, true, false},
       {"an action queued", [](TestCardGame& g) { g.HandsSortQueue(); }, false, false, true},
       {"a card animates", [](TestCardGame& g) { g.CardFaceUpSet(g.cards[0], true, true); }, false, false,
        true},
       {"first turn not begun", [](TestCardGame& g) { g.subgameFirstTurnBegan = false; }, false, true, false},
       {"game won", [](TestCardGame& g) { g.gameResult = MINIGAME_RESULT_WON; }, false, false, false},
       {"hand over", [](TestCardGame& g) { g.subgameOver = true; }, false, false, false},
       {"computer to act", [](TestCardGame& g) { g.players[0]->human = false; }, true, false, false},
       {"state switch pending", [](TestCardGame&) { GameStateManager::switchPending = 1; }, false, false,
        true},
   };
   for (const Case& c : cases)
   {
      c.set(game);
      EXPECT_EQ(game.InputAllowedCheck(), c.inputAllowed) << c.name;
      EXPECT_EQ(game.HumanMayActCheck(), c.humanMayAct) << c.name;
      EXPECT_EQ(game.BusyCheck(), c.busy) << c.name;
      GameStateManager::switchPending = 0;
      game.ActionQueueClear();
      game.CardAnimationsFinish();
      game.subgameFirstTurnBegan = true;
      game.gameResult = MINIGAME_RESULT_RUNNING;
      game.subgameOver = false;
      game.players[0]->human = true;
   }
}

TEST_F(CardGameTest, ImmediatePileOperations)
{
   CardPile* a = harness.Pile(1);
   CardPile* b = harness.Pile(2);
   harness.CardsPlace(a, {"AH", "2H", "3H", "4H", "5H"});

   // One pile as both ends returns at once instead of looping for ever.
   game.CardPileCardsMove(a, a);
   game.CardPileCardsMoveToBottom(a, a);
   EXPECT_EQ(CardGameHarness::PileText(a), "AH 2H 3H 4H 5H");

   game.CardPileCardsMove(b, a);
   EXPECT_EQ(CardGameHarness::PileText(b), "AH 2H 3H 4H 5H");
   game.CardPileCardsMoveToBottom(a, b);
   EXPECT_EQ(CardGameHarness::PileText(a), "5H 4H 3H 2H AH");

   // Every other card, each to the bottom of the destination.
   game.CardPileCardsInsert(a, b, 3);
   EXPECT_EQ(CardGameHarness::PileText(b), "AH 3H 5H");
   EXPECT_EQ(CardGameHarness::PileText(a), "4H 2H");
   game.CardPileCardsInsert(a, b, 0);
   game.CardPileCardsInsert(nullptr, b, 2);
   EXPECT_EQ(b->cards.count, 3);

   game.CardPileFaceUpSet(b, true, false);
   EXPECT_EQ(CardGameHarness::PileText(b), "AH* 3H* 5H*");

   game.CardsGather(harness.Pile(5));
   EXPECT_EQ(harness.Pile(5)->cards.count, 52);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

// The settings menu's messy-cards choice reaches a running game through the settings apply: the
// cards take new offsets within the pile's bounds and move there; the tidy choice takes them back.
TEST_F(CardGameTest, TheMessyCardsChoiceReLaysTheRunningGamesPiles)
{
   CardPile* column = harness.Pile(1);
   column->cardPositionOffsetRandomLengthMin = 4.0f;
   column->cardPositionOffsetRandomLengthMax = 8.0f;
   harness.CardsPlace(column, {"AH", "2H", "3H*"});
   const auto offsetLength = [](const Card* card)
   {
      return std::sqrt(card->randomOffset.x * card->randomOffset.x +
                       card->randomOffset.y * card->randomOffset.y);
   };

   for (const bool messy : {true, false})
   {
      SCOPED_TRACE(messy ? "messy" : "tidy");
      profileCurrent->ItemBoolSet("CardsMessy", messy);
      SettingsApply();
      ASSERT_EQ(cardsMessy, messy);
      EXPECT_TRUE(game.cardPilesLayoutPending);
      harness.Frame();
      ASSERT_TRUE(harness.RunUntilSettled(2000));
      for (i32 i = 0; i < column->cards.count; ++i)
      {
         const Card* card = column->cards[i];
         if (messy)
         {
            EXPECT_GE(offsetLength(card), 4.0f - 0.01f) << "card " << i;
            EXPECT_LE(offsetLength(card), 8.0f + 0.01f) << "card " << i;
         }
         else
         {
            EXPECT_EQ(offsetLength(card), 0.0f) << "card " << i;
         }
         EXPECT_FLOAT_EQ(card->position.x, column->CardPositionGet(i).x) << "card " << i;
         EXPECT_FLOAT_EQ(card->position.y, column->CardPositionGet(i).y) << "card " << i;
      }
   }
}

TEST_F(CardGameTest, TableauCollectWalksBackFromThePilesPassed)
{
   CardPile* foundation = harness.Pile(5);
   harness.CardsPlace(harness.Pile(1), {"AH*"});
   harness.CardsPlace(harness.Pile(2), {"2H*"});
   harness.CardsPlace(harness.Pile(3), {"3H*"});
   harness.CardsPlace(harness.Pile(4), {"4H*"});
   // Two Tableau piles passed: the walk stands at pile 3 and looks back from there.
   game.TableauCardsCollect(foundation, 2);
   EXPECT_EQ(CardGameHarness::PileText(foundation), "3H 2H");
}

TEST(CardGameTableauCollect, TheOnlyTableauAsDestinationTakesNothing)
{
   CardGameHarness harness;
   TestCardGame game;
   harness.CardGameEnter(&game, R"({"CardPiles": [{"Type": "Draw"}, {"Type": "Tableau"}]})");
   game.TableauCardsCollect(harness.Pile(1), 3);
   EXPECT_EQ(harness.Pile(1)->cards.count, 0);
   EXPECT_EQ(harness.Pile(0)->cards.count, 52);
   harness.Leave();
}

TEST_F(CardGameTest, MoveExistsAsksTheRulesForEveryCard)
{
   harness.CardsPlace(harness.Pile(1), {"AS*", "2S*"});
   struct Case
   {
      const char* name;
      bool pickUpFaceUpOnly;
      bool stack;
      bool acceptBuried;
      bool acceptTop;
      bool exists;
   };
   const Case cases[] = {
       {"nothing may be picked up", true, false, false, false, false},
       {"top card has a place", true, false, false, true, true},
       {"buried card without carrying", true, false, true, false, false},
       {"buried card carried", true, true, true, false, true},
   };
   Card* buried = harness.CardFind(1, SUIT_SPADES);
   Card* top = harness.CardFind(2, SUIT_SPADES);
   for (const Case& c : cases)
   {
      game.pickUp = [&](Card* card) { return card == buried || card == top; };
      if (std::string(c.name) == "nothing may be picked up")
      {
         game.pickUp = [](Card*) { return false; };
      }
      game.stackPickUp = [&](Card*) { return c.stack; };
      game.drop = [&](CardPile* pile, Card* card) {
         return pile == harness.Pile(5) &&
                ((card == buried && c.acceptBuried) || (card == top && c.acceptTop));
      };
      EXPECT_EQ(game.MoveExists(), c.exists) << c.name;
   }
}

TEST_F(CardGameTest, TrumpIndicationKeepsOnlyTheSuits)
{
   const i32 values[] = {0, 3, 4, 5, 8, -1, 9};
   const i32 kept[] = {0, 3, 3, 3, 3, 3, 3};
   for (i32 i = 0; i < 7; ++i)
   {
      game.TrumpIndicationSet(values[i]);
      EXPECT_EQ(game.trumpIndication, kept[i]) << values[i];
   }
   game.DealerSet(game.players[0]);
   EXPECT_EQ(game.DealerGet(), game.players[0]);
   game.DealerSet(nullptr);
   EXPECT_EQ(game.dealerPlayerID, -1);
   EXPECT_EQ(game.DealerGet(), nullptr);
}

TEST_F(CardGameTest, SeededRandomCommandsKeepTheCardsConserved)
{
   game.pickUp = [](Card*) { return true; };
   game.stackPickUp = [](Card* card) { return card->rank % 2 == 0; };
   game.drop = [](CardPile* pile, Card* card) { return (pile->id + card->rank) % 3 != 0; };
   game.insert = [](CardPile*, i32 index, Card*) { return index % 2 == 0; };
   harness.ConservedEveryFrame();
   game.CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, harness.Pile(0), 4, true);
   ASSERT_TRUE(harness.RunUntilSettled(3000));
   u32 s0 = 2024;
   u32 s1 = 77;
   for (i32 step = 0; step < 300; ++step)
   {
      randomState0 = s0;
      randomState1 = s1;
      Card* card = game.cards[static_cast<i32>(RandomIntegerGet(static_cast<u32>(game.cards.count)))];
      CardPile* pile =
          game.cardPiles[static_cast<i32>(RandomIntegerGet(static_cast<u32>(game.cardPiles.count)))];
      const u32 kind = RandomIntegerGet(4);
      const i32 index = static_cast<i32>(RandomIntegerGet(6));
      s0 = randomState0;
      s1 = randomState1;
      switch (kind)
      {
      case 0:
         harness.ChoosePost(card);
         break;
      case 1:
         harness.DropPost(pile, card);
         break;
      case 2:
         harness.Drop(card, pile, pile->CardPositionGet(index));
         break;
      default:
         game.CardPileTopCardMoveQueue(pile, card->pile, 0, index % 2 == 0);
         break;
      }
      if (step % 7 == 0)
      {
         ASSERT_TRUE(harness.RunUntilSettled(500)) << "step " << step;
      }
   }
   ASSERT_TRUE(harness.RunUntilSettled(3000));
   EXPECT_TRUE(harness.CardsConservedCheck());
}
} // namespace
