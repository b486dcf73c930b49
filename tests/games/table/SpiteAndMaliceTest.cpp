// Spite and Malice headless: the drop rules with wild Kings, completed build piles, refills and the
// recycled completed pile, single games and matches, the dead end, the computer's choices, the
// expand buttons, the results popup, and many seeded games of two computers judged by the rules.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/Command.h"
#include "cardgame/Player.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "games/table/SpiteAndMalice.h"
#include "games/table/SpiteAndMaliceResultsPopup.h"
#include "gui/popup/PopupManager.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
std::string SpiteConsts()
{
   std::string piles = R"({"Type": "Draw", "SecondaryID": 0, "Position": "420|386"},)";
   for (i32 i = 0; i < 4; ++i)
   {
      piles +=
          R"({"Type": "Foundation", "SecondaryID": )" + std::to_string(i) + R"(, "Position": "550|386"},)";
   }
   piles += R"({"Type": "Discard", "Position": "120|386"},)";
   for (i32 seat = 0; seat < 2; ++seat)
   {
      const std::string s = std::to_string(seat);
      piles += R"({"Type": "Reserve", "SecondaryID": )" + s + R"(, "Position": "420|550"},)";
      for (i32 j = 0; j < 4; ++j)
      {
         piles += R"({"Type": "Tableau", "SecondaryID": )" + std::to_string(seat * 4 + j) +
                  R"(, "OwnerID": )" + s + R"(, "Position": "550|550"},)";
      }
      piles += R"({"Type": "Hand", "OwnerID": )" + s +
               R"(, "Position": "560|662", "CardPositionOffset": "32|0"},)";
   }
   piles += R"({"Type": "Waste", "SecondaryID": 9, "Position": "-300|-300"})";
   return R"({"DelayCardDeal": 10, "DelayCardFlip": 5, "DelayAIAction": 50, "DelayAITurnBegin": 20,
      "DelayGameOver": 100, "DelayDialog": 10,
      "Settings": [{"Name": "Variation", "Default": "SingleGame"}, {"Name": "Difficulty", "Default": "Medium"}],
      "CardPiles": [)" +
          piles + "]}";
}

bool RulesBuildTakes(const CardPile* build, const Card* card)
{
   const Card* top = build->CardTopGet();
   if (top && top->rank >= RANK_QUEEN)
   {
      return false;
   }
   return card->rank == RANK_KING || card->rank == (top ? top->rank + 1 : RANK_ACE);
}

// The game with every drop the computer posts judged by the rules before it runs.
class CheckedSpite : public SpiteAndMalice
{
 public:
   const char* LayerNameGet() override { return nullptr; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CheckedSpite"; }

   bool CommandExecute(const Command& command) override
   {
      if (!judging || command.type != COMMAND_CARD_DROP)
      {
         return SpiteAndMalice::CommandExecute(command);
      }
      Card* card = CardGet(command.intParam1);
      CardPile* pile = CardPileByIDGet(command.intParam0);
      const i32 seat = playerActiveID;
      EXPECT_TRUE(card && pile);
      if (!card || !pile)
      {
         return SpiteAndMalice::CommandExecute(command);
      }
      const CardPile* source = card->pile;
      if (pile == HandGet(seat))
      {
         EXPECT_EQ(source, DrawPileGet()) << "a hand takes cards from the draw pile only";
         refills++;
      }
      else
      {
         const bool fromGoal = source == GoalPileGet(seat) && source->CardTopGet() == card;
         const bool fromHand = source == HandGet(seat);
         bool fromDiscard = false;
         for (i32 j = 0; j < 4; ++j)
         {
            fromDiscard = fromDiscard || (source == DiscardPileGet(seat, j) && source->CardTopGet() == card);
         }
         EXPECT_TRUE(fromGoal || fromHand || fromDiscard) << "the player's own goal top, hand or discard top";
         bool toBuild = false;
         for (i32 i = 0; i < 4; ++i)
         {
            toBuild = toBuild || pile == BuildPileGet(i);
         }
         bool toOwnDiscard = false;
         for (i32 j = 0; j < 4; ++j)
         {
            toOwnDiscard = toOwnDiscard || pile == DiscardPileGet(seat, j);
         }
         if (toBuild)
         {
            EXPECT_TRUE(RulesBuildTakes(pile, card)) << "rank " << card->rank;
            plays++;
         }
         else
         {
            EXPECT_TRUE(toOwnDiscard && fromHand) << "a turn ends with a hand card on an own discard pile";
            discards++;
         }
      }
      return SpiteAndMalice::CommandExecute(command);
   }

   bool judging = true;
   i32 plays = 0;
   i32 discards = 0;
   i32 refills = 0;
};

class SpiteAndMaliceTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      FrameworkTypesRegister();
      SpiteAndMalice::ReflectionRegister();
      auto* record = MemoryNew<ReflectionTypeObjectTyped<CheckedSpite>>(HEAP_DEFAULT);
      record->Init("Corvale::CheckedSpite");
      record->BaseAdd(typeid(SpiteAndMalice).name());
      ReflectionManager::TypeRegister(record);
      harness.FileWrite("Scripts/Minigames/SpiteAndMalice.json", SpiteConsts());
      harness.enteredConsts = SpiteConsts();
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
      harness.decks = 2;
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         ranks.push_back(game.cards[i]->rank);
      }
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      harness.Leave();
      ReflectionManager::Deinit();
      SpiteAndMalice::discardPileExpandedIndex = -1;
   }

   JSONValue* Options() { return ProfileMinigameSettingsGet("SpiteAndMalice"); }
   CardPile* Spare() { return game.CardPileGet(CARD_PILE_TYPE_WASTE, 9, -1); }
   CardPile* Build(i32 i) { return game.BuildPileGet(i); }
   CardPile* Goal(i32 seat) { return game.GoalPileGet(seat); }
   CardPile* Hand(i32 seat) { return game.HandGet(seat); }
   CardPile* Discard(i32 seat, i32 j) { return game.DiscardPileGet(seat, j); }

   // Every card to the spare pile as it was made; nothing plays by itself; seat active.
   void Clear(i32 active)
   {
      harness.RunUntilSettled(2000);
      game.ActionQueueClear();
      game.CardAnimationsFinish();
      game.players[0]->human = true;
      game.players[1]->human = true;
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         Card* card = game.cards[i];
         card->rank = ranks[static_cast<size_t>(card->id)];
         card->SpriteUpdate();
         Spare()->CardInsert(Spare()->cards.count, card);
         card->FaceUpSet(false, false);
      }
      game.playerActiveID = active;
      game.refreshPending = false;
      game.judging = false;
   }

   // Cards from the spare pile by name ("7H", "KS", "TD"), on top of the pile in order, face up.
   std::vector<Card*> Put(CardPile* pile, const std::vector<std::string>& names, bool faceUp = true)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      std::vector<Card*> out;
      for (const std::string& name : names)
      {
         Card* found = nullptr;
         for (i32 i = 0; i < Spare()->cards.count && !found; ++i)
         {
            Card* card = Spare()->cards[i];
            found = card->rank == static_cast<i32>(ranks.find(name[0])) &&
                            card->suit == static_cast<i32>(suits.find(name[1]))
                        ? card
                        : nullptr;
         }
         EXPECT_NE(found, nullptr) << name;
         if (!found)
         {
            continue;
         }
         pile->CardInsert(pile->cards.count, found);
         found->FaceUpSet(faceUp, false);
         out.push_back(found);
      }
      return out;
   }

   // Goal piles need a card each, or the next refresh ends the hand.
   void GoalsFill()
   {
      for (i32 seat = 0; seat < 2; ++seat)
      {
         if (Goal(seat)->cards.count == 0)
         {
            Put(Goal(seat), {seat == 0 ? "QH" : "QS"});
         }
      }
   }

   void Drop(CardPile* pile, Card* card)
   {
      game.CardDropCommandQueue(pile, card, 0);
      harness.RunUntilIdle(400);
   }

   // n cards from the spare pile, face down, onto the pile.
   void Fill(CardPile* pile, i32 n)
   {
      for (i32 i = 0; i < n; ++i)
      {
         pile->CardInsert(pile->cards.count, Spare()->cards[Spare()->cards.count - 1]);
      }
   }

   static std::string Name(const Card* card)
   {
      return std::string(1, "XA23456789TJQK"[card->rank]) + "HSDC"[card->suit];
   }

   CardGameHarness harness;
   CheckedSpite game;
   std::vector<i32> ranks;
};

TEST_F(SpiteAndMaliceTest, NewGameDealsGoalsAndHands)
{
   game.players[1]->human = true;
   ASSERT_TRUE(harness.RunUntilIdle(2000));
   EXPECT_EQ(game.cards.count, 104);
   EXPECT_TRUE(harness.CardsConservedCheck());
   for (i32 seat = 0; seat < 2; ++seat)
   {
      EXPECT_EQ(Goal(seat)->cards.count, 20);
      EXPECT_TRUE(Goal(seat)->CardTopGet()->faceUp) << "the goal top is in play";
      EXPECT_FALSE(Goal(seat)->cards[0]->faceUp);
      EXPECT_EQ(Hand(seat)->cards.count, 5);
      for (i32 i = 0; i < 5; ++i)
      {
         EXPECT_EQ(Hand(seat)->cards[i]->faceUp, seat == 0);
      }
   }
   EXPECT_EQ(game.DrawPileGet()->cards.count, 104 - 50);
   std::set<i32> kings(game.kingsID.data, game.kingsID.data + game.kingsID.count);
   EXPECT_EQ(kings.size(), 8u);
   for (i32 id : kings)
   {
      ASSERT_NE(game.CardGet(id), nullptr);
      EXPECT_EQ(game.CardGet(id)->rank, RANK_KING);
   }
}

TEST_F(SpiteAndMaliceTest, DropRules)
{
   enum Source
   {
      HAND,
      GOAL,
      DISCARD
   };
   enum Target
   {
      BUILD,
      OWN_DISCARD,
      OTHER_DISCARD,
      HAND_PILE
   };
   const struct
   {
      Source source;
      const char* card;
      Target target;
      const char* top; // the build pile's top, "" empty
      bool allowed;
   } cases[] = {
       {HAND, "AH", BUILD, "", true},          {HAND, "2H", BUILD, "", false},
       {HAND, "KH", BUILD, "", true},          {HAND, "8H", BUILD, "7D", true},
       {HAND, "9H", BUILD, "7D", false},       {HAND, "KH", BUILD, "7D", true},
       {GOAL, "8H", BUILD, "7D", true},        {GOAL, "8H", OWN_DISCARD, "", false},
       {DISCARD, "8H", BUILD, "7D", true},     {DISCARD, "8H", OWN_DISCARD, "", false},
       {DISCARD, "AH", BUILD, "", true},       {HAND, "5H", OWN_DISCARD, "", true},
       {HAND, "5H", OTHER_DISCARD, "", false}, {HAND, "5H", HAND_PILE, "", false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::string(c.card) + " from " + std::to_string(c.source) + " to " +
                   std::to_string(c.target) + " on " + c.top);
      Clear(0);
      GoalsFill();
      CardPile* from = c.source == HAND ? Hand(0) : (c.source == GOAL ? Goal(0) : Discard(0, 1));
      Card* card = Put(from, {c.card})[0];
      if (*c.top)
      {
         Put(Build(2), {c.top});
      }
      CardPile* to = c.target == BUILD           ? Build(2)
                     : c.target == OWN_DISCARD   ? Discard(0, 3)
                     : c.target == OTHER_DISCARD ? Discard(1, 3)
                                                 : Hand(1);
      EXPECT_TRUE(game.CardPickUpCheck(card));
      EXPECT_EQ(game.CardDropCheck(to, card), c.allowed);
   }
   // Only the player on turn picks up: the other's cards stay put.
   Clear(1);
   Card* theirs = Put(Hand(0), {"AH"})[0];
   Card* goal = Put(Goal(1), {"3S"})[0];
   EXPECT_FALSE(game.CardPickUpCheck(theirs));
   EXPECT_TRUE(game.CardPickUpCheck(goal));
   Card* under = Put(Discard(1, 0), {"4S", "5S"})[0];
   EXPECT_FALSE(game.CardPickUpCheck(under)) << "a discard pile gives its top only";
}

TEST_F(SpiteAndMaliceTest, WildKingsAndCompletedPiles)
{
   Clear(0);
   GoalsFill();
   std::vector<Card*> hand = Put(Hand(0), {"KH", "KS", "9D", "KD", "3C"});
   Put(Discard(0, 0), {"2C"});
   Drop(Build(0), hand[0]);
   EXPECT_EQ(hand[0]->rank, RANK_ACE) << "a King on an empty pile is an Ace";
   Put(Build(1), {"AH", "2H", "3H", "4H", "5H", "6H", "7H"});
   Drop(Build(1), hand[1]);
   EXPECT_EQ(hand[1]->rank, 8);
   EXPECT_TRUE(game.CardDropCheck(Build(1), hand[2])) << "a 9 follows the King standing for an 8";
   Drop(Build(1), hand[2]);
   EXPECT_EQ(Build(1)->cards.count, 9);
   // A King standing for a Queen completes its pile: all of it goes to the completed pile.
   Put(Build(1), {"TH", "JH"});
   Drop(Build(1), hand[3]);
   EXPECT_EQ(Build(1)->cards.count, 0);
   EXPECT_EQ(game.CompletedPileGet()->cards.count, 12);
   EXPECT_EQ(hand[3]->rank, RANK_QUEEN) << "it keeps its rank until it is recycled";
   EXPECT_EQ(game.playerActiveID, 0) << "plays on build piles keep the turn";
   // The King on the first pile stands for an Ace: a 2 goes on it.
   Drop(Build(0), game.CardGet(Discard(0, 0)->CardTopGet()->id));
   EXPECT_EQ(Build(0)->cards.count, 2);
}

TEST_F(SpiteAndMaliceTest, RefillsFromTheDrawPileAndTheRecycledCompletedPile)
{
   // Three cards to draw, then the completed pile (with a King that stood for a 5) comes back.
   Clear(0);
   GoalsFill();
   Card* last = Put(Hand(0), {"9C"})[0];
   Put(Hand(1), {"9S"}, false);
   std::vector<Card*> draw = Put(game.DrawPileGet(), {"2D", "3D", "4D"}, false);
   std::vector<Card*> completed = Put(game.CompletedPileGet(), {"AC", "2C", "3C", "4C", "KC", "6C"});
   completed[4]->rank = 5;
   game.kingsID[0] = completed[4]->id;
   Drop(Discard(0, 2), last);
   EXPECT_EQ(Hand(0)->cards.count, 5);
   EXPECT_EQ(Hand(0)->cards[0], draw[0]) << "drawn from the bottom of the draw pile";
   EXPECT_EQ(Hand(0)->cards[1], draw[1]);
   EXPECT_EQ(Hand(0)->cards[2], draw[2]);
   EXPECT_EQ(game.DrawPileGet()->cards.count, 3 + 6 - 5);
   EXPECT_EQ(game.CompletedPileGet()->cards.count, 0);
   EXPECT_EQ(completed[4]->rank, RANK_KING) << "Kings are Kings again";
   std::set<Card*> distinct(Hand(0)->cards.data, Hand(0)->cards.data + Hand(0)->cards.count);
   EXPECT_EQ(distinct.size(), 5u) << "no card taken twice";
   for (i32 i = 0; i < game.DrawPileGet()->cards.count; ++i)
   {
      EXPECT_FALSE(game.DrawPileGet()->cards[i]->faceUp);
   }
   EXPECT_EQ(game.playerActiveID, 1) << "the discard ended the turn";

   // Both piles empty: the hand stays short.
   Clear(1);
   GoalsFill();
   Card* only = Put(Hand(1), {"9C"})[0];
   Put(Hand(0), {"9S"});
   Put(game.DrawPileGet(), {"2D", "3D"}, false);
   Drop(Discard(1, 0), only);
   EXPECT_EQ(Hand(1)->cards.count, 2);
   EXPECT_FALSE(Hand(1)->cards[0]->faceUp) << "the computer's drawn cards stay face down";

   // The last hand card played on a build pile: the hand is refilled and the turn passes.
   Clear(0);
   GoalsFill();
   Card* ace = Put(Hand(0), {"AD"})[0];
   Put(Hand(1), {"9S"}, false);
   Put(game.DrawPileGet(), {"2D", "3D", "4D", "5D", "6D", "7D"}, false);
   Drop(Build(3), ace);
   EXPECT_EQ(Hand(0)->cards.count, 5);
   EXPECT_EQ(game.playerActiveID, 1);
}

TEST_F(SpiteAndMaliceTest, SingleGamesAndMatches)
{
   const struct
   {
      const char* variation;
      i32 winner;
      i32 loserGoal;
      i32 totalBefore;
      i32 score;
      bool over;
   } cases[] = {
       {nullptr, 0, 20, 0, 0, true},       {"SingleGame", 1, 3, 0, 0, true},
       {"Match25", 0, 20, 0, 25, true},    {"Match25", 1, 1, 0, 6, false},
       {"Match25", 1, 4, 16, 25, true},    {"Match50", 0, 20, 0, 25, false},
       {"Match100", 0, 12, 80, 97, false}, {"Match100", 1, 15, 80, 100, true},
       {"Bogus", 1, 5, 0, 0, true},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::string(c.variation ? c.variation : "missing") + " seat " + std::to_string(c.winner));
      harness.Enter(&game, 7, 8);
      harness.cardGame = &game;
      if (c.variation)
      {
         Options()->ItemStringSet("Variation", c.variation);
      }
      else
      {
         Options()->ItemRemove("Variation");
      }
      // Both seats human, so that a new hand waits for its first move.
      Clear(c.winner);
      game.matchTotals[c.winner] = c.totalBefore;
      game.players[c.winner]->minigameScore = c.totalBefore;
      Fill(Goal(1 - c.winner), c.loserGoal);
      ASSERT_EQ(Goal(1 - c.winner)->cards.count, c.loserGoal);
      Put(Hand(0), {"9C"});
      Put(Hand(1), {"9S"});
      game.refreshPending = true;
      harness.RunUntilIdle(2000);
      EXPECT_EQ(game.players[c.winner]->minigameScore, c.score);
      EXPECT_EQ(game.players[1 - c.winner]->minigameScore, 0);
      if (c.over)
      {
         EXPECT_EQ(game.gameResult, c.winner == 0 ? MINIGAME_RESULT_WON : MINIGAME_RESULT_LOST);
         EXPECT_TRUE(game.players[c.winner]->minigameWinner);
         EXPECT_FALSE(game.players[1 - c.winner]->minigameWinner);
      }
      else
      {
         EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
         EXPECT_EQ(Goal(0)->cards.count, 20) << "a new hand is dealt";
         EXPECT_EQ(Goal(1)->cards.count, 20);
      }
      PopupManager::CloseAll();
   }
   Options()->ItemStringSet("Variation", "SingleGame");
}

TEST_F(SpiteAndMaliceTest, AMatchLoadedAfterAWonHandKeepsItsTotal)
{
   Options()->ItemStringSet("Variation", "Match50");
   harness.Enter(&game, 3, 4);
   harness.cardGame = &game;
   Clear(0);
   Put(Goal(1), {"2S", "3S", "4S", "5S"}, false);
   Put(Hand(0), {"9C"});
   game.refreshPending = true;
   harness.RunUntilIdle(2000);
   ASSERT_EQ(game.players[0]->minigameScore, 9);
   game.players[1]->human = true;
   harness.RunUntilIdle(2000);
   JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(saved.get()));

   CheckedSpite fresh;
   harness.Enter(&fresh, 99, 98);
   harness.cardGame = &fresh;
   ASSERT_TRUE(fresh.Load(saved.get()));
   EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get()));
   harness.RunUntilIdle(2000);
   fresh.ActionQueueClear();
   // The human wins the next hand too, the computer's goal holding 20: 9 + 25.
   for (i32 seat = 0; seat < 2; ++seat)
   {
      fresh.players[seat]->human = true;
   }
   CardPile* goal = fresh.GoalPileGet(0);
   CardPile* other = fresh.GoalPileGet(1);
   while (goal->cards.count > 0)
   {
      other->CardInsert(other->cards.count, goal->cards[0]);
   }
   while (other->cards.count > 20)
   {
      fresh.DrawPileGet()->CardInsert(0, other->cards[other->cards.count - 1]);
   }
   fresh.refreshPending = true;
   harness.RunUntilIdle(2000);
   EXPECT_EQ(fresh.players[0]->minigameScore, 34);
   EXPECT_EQ(fresh.gameResult, MINIGAME_RESULT_RUNNING);
   harness.Enter(&game, 5, 6);
   harness.cardGame = &game;
   Options()->ItemStringSet("Variation", "SingleGame");
}

TEST_F(SpiteAndMaliceTest, ADeadEndIsDrawnOrRedealt)
{
   for (const char* variation : {"SingleGame", "Match25"})
   {
      SCOPED_TRACE(variation);
      Options()->ItemStringSet("Variation", variation);
      harness.Enter(&game, 7, 8);
      harness.cardGame = &game;
      Clear(0);
      GoalsFill();
      // Everything left lies on discard piles, where nothing plays.
      while (Spare()->cards.count > 0)
      {
         Discard(0, 0)->CardInsert(Discard(0, 0)->cards.count, Spare()->cards[0]);
      }
      game.refreshPending = true;
      harness.RunUntilIdle(4000);
      if (std::string(variation) == "SingleGame")
      {
         EXPECT_EQ(game.gameResult, MINIGAME_RESULT_DRAWN);
         EXPECT_FALSE(game.players[0]->minigameWinner);
         EXPECT_FALSE(game.players[1]->minigameWinner);
         game.ResultsShow();
         EXPECT_GE(PopupManager::IndexGet(&SpiteAndMaliceResultsPopup::instance), 0);
      }
      else
      {
         EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
         EXPECT_EQ(Goal(0)->cards.count, 20);
         EXPECT_EQ(game.players[0]->minigameScore + game.players[1]->minigameScore, 0) << "no score";
      }
      PopupManager::CloseAll();
   }
   Options()->ItemStringSet("Variation", "SingleGame");
}

TEST_F(SpiteAndMaliceTest, TheComputersChoices)
{
   const struct
   {
      const char* name;
      std::vector<std::string> goal, hand, builds[4], discards[4];
      const char* played; // the card posted
      i32 pile;           // build pile index, or 10 + own discard pile index
   } cases[] = {
       {"goal card", {"5H"}, {"9C"}, {{"AH", "2H", "3H", "4H"}, {}, {}, {}}, {}, "5H", 0},
       {"chain to the goal", {"5H"}, {"4C", "3C", "9C"}, {{"AS"}, {"AD", "2D"}, {}, {}}, {}, "3C", 1},
       {"chain through a discard",
        {"5H"},
        {"4C", "9C"},
        {{"AD", "2D"}, {}, {}, {}},
        {{"3S"}, {}, {}, {}},
        "3S",
        0},
       {"wild King", {"5H"}, {"KC", "9C"}, {{"AD", "2D", "3D"}, {}, {}, {}}, {}, "KC", 0},
       {"plain hand play", {"9H"}, {"QC", "AC"}, {{"AD", "2D"}, {}, {}, {}}, {}, "AC", 1},
       {"plain discard play",
        {"9H"},
        {"QC", "JC"},
        {{"AD", "2D"}, {}, {}, {}},
        {{}, {"3S"}, {}, {}},
        "3S",
        0},
       {"discard on the same rank",
        {"9H"},
        {"QC", "8C", "JC"},
        {{"AD", "2D", "3D"}, {"AS"}, {"AC"}, {"AH"}},
        {{"6S"}, {"8S"}, {}, {}},
        "8C",
        11},
       {"discard a high card on an empty pile",
        {"9H"},
        {"6C", "JC", "QC"},
        {{"AD", "2D", "3D"}, {"AS"}, {"AC"}, {"AH"}},
        {{"7S"}, {}, {}, {}},
        "JC",
        11},
       {"discard below a top",
        {"9H"},
        {"TC", "6C"},
        {{"AD", "2D", "3D"}, {"AS"}, {"AC"}, {"AH"}},
        {{"5S"}, {"8S"}, {"QS"}, {"9S"}},
        "6C",
        11},
   };
   Options()->ItemStringSet("Difficulty", "Hard");
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.name);
      Clear(1);
      game.players[1]->human = false;
      Put(Goal(0), {"QH"});
      Put(Goal(1), c.goal);
      Put(Hand(1), c.hand, false);
      for (i32 i = 0; i < 4; ++i)
      {
         Put(Build(i), c.builds[i]);
         Put(Discard(1, i), c.discards[i]);
      }
      game.AITurnTake();
      ASSERT_EQ(game.actionQueue.count, 1);
      const Command& posted = game.actionQueue[0].command;
      ASSERT_EQ(posted.type, COMMAND_CARD_DROP);
      const Card* card = game.CardGet(posted.intParam1);
      CardPile* target = game.CardPileByIDGet(posted.intParam0);
      EXPECT_EQ(Name(card), c.played);
      EXPECT_EQ(target, c.pile >= 10 ? Discard(1, c.pile - 10) : Build(c.pile));
      game.ActionQueueClear();
   }
   // A goal King goes at once, onto some build pile.
   Clear(1);
   game.players[1]->human = false;
   Put(Goal(0), {"QH"});
   Put(Goal(1), {"KH"});
   Put(Hand(1), {"9C"}, false);
   game.AITurnTake();
   ASSERT_EQ(game.actionQueue.count, 1);
   EXPECT_EQ(game.CardGet(game.actionQueue[0].command.intParam1)->rank, RANK_KING);
   EXPECT_EQ(game.CardPileByIDGet(game.actionQueue[0].command.intParam0)->type, CARD_PILE_TYPE_FOUNDATION);
   game.ActionQueueClear();

   // On Easy the plain plays are skipped about three times in ten: the Ace that fits stays in hand
   // and a card is discarded instead.
   Options()->ItemStringSet("Difficulty", "Easy");
   i32 discarded = 0;
   for (i32 i = 0; i < 400; ++i)
   {
      Clear(1);
      game.players[1]->human = false;
      Put(Goal(0), {"QH"});
      Put(Goal(1), {"9H"});
      Put(Hand(1), {"QC", "AC"}, false);
      game.AITurnTake();
      discarded +=
          game.CardPileByIDGet(game.actionQueue[0].command.intParam0)->type == CARD_PILE_TYPE_TABLEAU;
      game.ActionQueueClear();
   }
   EXPECT_GT(discarded, 80);
   EXPECT_LT(discarded, 160);
   Options()->ItemStringSet("Difficulty", "Medium");
}

// The chain search keeps to its budget of calls per decision: once spent, no chain is found, so a
// position that once took half a minute ends its decision at once.
TEST_F(SpiteAndMaliceTest, TheChainSearchStopsWhenItsBudgetIsSpent)
{
   Clear(1);
   game.players[1]->human = false;
   Put(Goal(0), {"QH"});
   Put(Goal(1), {"5H"});
   Put(Hand(1), {"4C", "3C", "9C"}, false);
   Put(Build(0), {"AS"});
   Put(Build(1), {"AD", "2D"});
   Table<Card*> available(allocatorTemp);
   Hand(1)->CardsGet(available);
   Card* goal = Goal(1)->CardTopGet();
   game.goalChainCalls = 0;
   EXPECT_EQ(game.GoalChainFind(goal, available, false), 1);
   game.goalChainCalls = 1 << 30;
   EXPECT_EQ(game.GoalChainFind(goal, available, false), -1);
   EXPECT_EQ(available.count, 3) << "the hand's cards are all still available";
   EXPECT_EQ(goal->rank, 5);
}

TEST_F(SpiteAndMaliceTest, ExpandButtons)
{
   for (i32 j = 0; j < 4; ++j)
   {
      Discard(0, j)->position = Point2F{550.0f + 115.0f * static_cast<float>(j), 550.0f};
   }
   game.DiscardPileExpandToggle(0);
   EXPECT_EQ(SpiteAndMalice::discardPileExpandedIndex, 0);
   EXPECT_TRUE(Discard(0, 0)->visible);
   EXPECT_FLOAT_EQ(Discard(0, 0)->cardPositionOffset.x, 35.0f);
   for (i32 j = 1; j < 4; ++j)
   {
      EXPECT_FALSE(Discard(0, j)->visible);
      EXPECT_FALSE(Discard(0, j)->helpLabelsEnabled);
   }
   game.DiscardPileExpandToggle(2);
   EXPECT_EQ(SpiteAndMalice::discardPileExpandedIndex, 2);
   EXPECT_FALSE(Discard(0, 0)->visible);
   EXPECT_TRUE(Discard(0, 2)->visible);
   EXPECT_FLOAT_EQ(Discard(0, 2)->position.x, 550.0f);
   game.DiscardPileExpandToggle(2);
   EXPECT_EQ(SpiteAndMalice::discardPileExpandedIndex, -1);
   for (i32 j = 0; j < 4; ++j)
   {
      EXPECT_TRUE(Discard(0, j)->visible);
      EXPECT_FLOAT_EQ(Discard(0, j)->position.x, 550.0f + 115.0f * static_cast<float>(j));
      EXPECT_FLOAT_EQ(Discard(0, j)->position.y, 550.0f);
      EXPECT_FLOAT_EQ(Discard(0, j)->cardPositionOffset.x, 0.0f);
   }
}

TEST_F(SpiteAndMaliceTest, ResultsNameTheWinnerOnce)
{
   Clear(0);
   Put(Goal(1), {"5S"});
   game.players[0]->human = true;
   game.gameResult = MINIGAME_RESULT_WON;
   game.ResultsShow();
   game.ResultsShow();
   i32 open = 0;
   for (i32 i = 0; i < PopupManager::popups.count; ++i)
   {
      open += PopupManager::popups[i] == &SpiteAndMaliceResultsPopup::instance ? 1 : 0;
   }
   EXPECT_EQ(open, 1);
   EXPECT_EQ(SpiteAndMaliceResultsPopup::instance.game, &game);
   game.ResultsHide();
   PopupManager::CloseAll();
}

// One game of two computers until it ends or the frame cap; stopAt decides where to stop early.
template <class Stop> bool GamePlay(CardGameHarness& harness, CheckedSpite& game, i32 maxFrames, Stop stopAt)
{
   for (i32 frame = 0; frame < maxFrames; ++frame)
   {
      if (game.gameResult != MINIGAME_RESULT_RUNNING || stopAt(frame))
      {
         return true;
      }
      harness.Frame();
   }
   return false;
}

std::string FinalDocument(CheckedSpite& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

TEST_F(SpiteAndMaliceTest, SeededGamesOfComputerPlayers)
{
   harness.afterFrame = [this]()
   {
      CheckedSpite* current = static_cast<CheckedSpite*>(harness.cardGame);
      bool held[104] = {};
      i32 count = 0;
      bool sound = current->cards.count == 104;
      for (i32 p = 0; sound && p < current->cardPiles.count; ++p)
      {
         const CardPile* pile = current->cardPiles[p];
         for (i32 c = 0; sound && c < pile->cards.count; ++c)
         {
            const Card* card = pile->cards[c];
            sound = card->id >= 0 && card->id < 104 && !held[card->id] && card->pile == pile;
            held[sound ? card->id : 0] = true;
            count++;
         }
      }
      if (!sound || count != 104)
      {
         ADD_FAILURE() << "cards lost or doubled after frame " << harness.frames;
      }
      for (i32 i = 0; i < 4; ++i)
      {
         const CardPile* build = current->BuildPileGet(i);
         // Rising by one from an Ace; a complete pile leaves from the bottom, one card at a time.
         const i32 count = build->cards.count;
         const bool leaving = count > 0 && build->cards[count - 1]->rank == RANK_QUEEN;
         for (i32 c = 0; c < count; ++c)
         {
            const i32 rank = build->cards[c]->rank;
            const bool sound =
                rank == (c == 0 ? (leaving ? 13 - count : RANK_ACE) : build->cards[c - 1]->rank + 1);
            if (!sound)
            {
               ADD_FAILURE() << "build pile " << i << " holds rank " << rank << " at " << c;
               break;
            }
         }
      }
      for (i32 seat = 0; seat < 2; ++seat)
      {
         if (current->HandGet(seat)->cards.count > 5)
         {
            ADD_FAILURE() << "a hand above five cards";
         }
      }
   };
   harness.frameMilliseconds = 400;
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 3;
#else
   const i32 games = 100;
#endif
   const i32 frameCap = 40000;
   const char* variations[] = {"SingleGame", "SingleGame", "Match25", "SingleGame", "Match50",
                               "SingleGame", "SingleGame", "Match25", "SingleGame", "Match100"};
   const char* difficulties[] = {"Easy", "Medium", "Hard"};
   i32 reloads = 0;
   i32 results[4] = {0, 0, 0, 0};
   i32 plays = 0, discards = 0, refills = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      Options()->ItemStringSet("Variation", variations[seed % 10]);
      Options()->ItemStringSet("Difficulty", difficulties[seed % 3]);
      auto begin = [&](CheckedSpite& which)
      {
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.playerActiveID = seed % 2;
         which.judging = true;
         which.GameNew();
         which.players[0]->human = false;
         which.players[1]->human = false;
      };
      begin(game);
      ASSERT_TRUE(GamePlay(harness, game, frameCap, [](i32) { return false; })) << "the game hung";
      results[game.gameResult]++;
      plays += game.plays;
      discards += game.discards;
      refills += game.refills;
      game.plays = game.discards = game.refills = 0;
      if (game.gameResult != MINIGAME_RESULT_DRAWN)
      {
         const i32 winner = game.players[0]->minigameWinner ? 0 : 1;
         EXPECT_TRUE(game.players[winner]->minigameWinner);
         EXPECT_FALSE(game.players[1 - winner]->minigameWinner);
         EXPECT_EQ(game.GoalPileGet(winner)->cards.count, 0);
      }
      // One game in ten, and the last, again with a save and load part of the way.
      if (seed % 10 != 0 && seed != games)
      {
         continue;
      }
      const std::string uninterrupted = FinalDocument(game);
      begin(game);
      const i32 stop = 10 + (seed * 7919) % 400;
      ASSERT_TRUE(GamePlay(harness, game, frameCap, [&](i32 frame) { return frame >= stop; }));
      if (game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      CheckedSpite fresh;
      harness.Enter(&fresh, 99, 98);
      harness.cardGame = &fresh;
      ASSERT_TRUE(fresh.Load(saved.get()));
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      ASSERT_TRUE(GamePlay(harness, fresh, frameCap, [](i32) { return false; })) << "the loaded game hung";
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      reloads++;
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }
   harness.afterFrame = nullptr;
   EXPECT_GE(reloads, 1);
   EXPECT_GT(results[MINIGAME_RESULT_WON], 0);
   EXPECT_GT(results[MINIGAME_RESULT_LOST], 0);
   EXPECT_GT(plays, 0);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games (%d won by seat 0, %d by seat 1, %d drawn), %d plays, %d discards, %d cards drawn, "
               "%d reloads, %.1f games per second\n",
               games, results[MINIGAME_RESULT_WON], results[MINIGAME_RESULT_LOST],
               results[MINIGAME_RESULT_DRAWN], plays, discards, refills, reloads, games / seconds);
   Options()->ItemStringSet("Variation", "SingleGame");
   Options()->ItemStringSet("Difficulty", "Medium");
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
