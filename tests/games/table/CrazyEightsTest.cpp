// Crazy Eights headless: the legal plays, Very Crazy Eights' special cards, the drawing options,
// blocked hands and the reshuffle, scoring, the suit choice and its popup, and many seeded games of
// four computer players judged by the rules at every card and suit they choose.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardSort.h"
#include "cardgame/Command.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "games/table/CrazyEights.h"
#include "games/table/CrazyEightsPopups.h"
#include "gui/popup/PopupManager.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
std::string CrazyEightsConsts()
{
   return R"({"DelayCardDeal": 10, "DelayAIAction": 50, "DelayAITurnBegin": 20, "DelayGameOver": 100,
      "DelayDialog": 10,
      "Settings": [{"Name": "Variation", "Default": "CrazyEights"}, {"Name": "GameOverCondition", "Default": "1Hand"},
                   {"Name": "CardDrawing", "Default": "Manual"}, {"Name": "ReshuffleDiscards", "Default": true},
                   {"Name": "OnlyDrawIfNecessary", "Default": false}, {"Name": "DrawOneOnly", "Default": false},
                   {"Name": "CardSorting", "Default": "Descending"}],
      "CardPiles": [{"Type": "Draw", "Position": "430|390"},
                    {"Type": "Discard", "Position": "530|390"},
                    {"Type": "Hand", "OwnerID": 0, "Position": "300|646", "CardPositionOffset": "32|0"},
                    {"Type": "Hand", "OwnerID": 1, "Position": "60|422", "CardPositionOffset": "12|0"},
                    {"Type": "Hand", "OwnerID": 2, "Position": "380|210", "CardPositionOffset": "12|0"},
                    {"Type": "Hand", "OwnerID": 3, "Position": "680|422", "CardPositionOffset": "12|0"},
                    {"Type": "Reserve", "Position": "-300|-300"}]})";
}

constexpr i32 EIGHT = 8;

// The rules, written apart from the game: what a card on the discard pile lets follow.
bool RulesMatch(const Card* card, const Card* top)
{
   return card->rank == EIGHT || card->rank == top->rank || card->suit == top->suit;
}

i32 PrintedSuit(const Card* card)
{
   return (card->id % 52) / 13;
}

// Crazy Eights judged by the rules before every card and suit chosen (Command 16 and 12). The
// judge keeps its own account of the turn: the penalty handed on by the last special card, the
// cards drawn, and whether a suit is owed after an eight.
class CheckedCrazyEights : public CrazyEights
{
 public:
   const char* LayerNameGet() override { return nullptr; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CheckedCrazyEights"; }

   void SubgameNew() override
   {
      CrazyEights::SubgameNew();
      JudgeReset();
   }

   void JudgeReset()
   {
      facingTwo = facingQueen = nextFacingTwo = nextFacingQueen = suitOwed = false;
      penalty = nextPenalty = drawn = 0;
   }

   void TurnBegin() override
   {
      CrazyEights::TurnBegin();
      if (!judging)
      {
         return;
      }
      facingTwo = nextFacingTwo;
      facingQueen = nextFacingQueen;
      penalty = nextPenalty;
      nextFacingTwo = nextFacingQueen = false;
      nextPenalty = 0;
      drawn = 0;
      suitOwed = false;
      if (penalty != penaltyDrawCount || facingTwo != respondToTwo || facingQueen != respondToQueenOfHearts)
      {
         ADD_FAILURE() << "the turn starts with penalty " << penaltyDrawCount << ", the rules say "
                       << penalty;
      }
   }

   bool Playable(const CardPile* hand, const Card* top)
   {
      if (drawn < penalty)
      {
         return false;
      }
      for (i32 i = 0; !facingQueen && i < hand->cards.count; ++i)
      {
         if (RulesMatch(hand->cards[i], top))
         {
            return true;
         }
      }
      return false;
   }

   bool CommandExecute(const Command& command) override
   {
      if (!judging || (command.type != COMMAND_CARD_CHOOSE && command.type != COMMAND_CRAZY_EIGHTS_SUIT))
      {
         return CrazyEights::CommandExecute(command);
      }
      CardPile* hand = ActiveHandGet();
      CardPile* draw = DrawPileGet();
      CardPile* discard = DiscardPileGet();
      const Card* top = discard->CardTopGet();
      if (command.type == COMMAND_CRAZY_EIGHTS_SUIT)
      {
         commands++;
         if (!suitOwed || command.intParam0 < 0 || command.intParam0 > 3)
         {
            ADD_FAILURE() << "a suit named when none is owed";
         }
         suitOwed = false;
         return CrazyEights::CommandExecute(command);
      }
      Card* card = CardGet(command.intParam0);
      if (!card || !hand || !top)
      {
         ADD_FAILURE() << "a choice without a card, hand or discard";
         return CrazyEights::CommandExecute(command);
      }
      commands++;
      if (card->pile == draw)
      {
         const bool penaltyOwed = drawn < penalty;
         EXPECT_EQ(card, draw->CardTopGet()) << "only the top card is drawn";
         if (SettingBoolGet("OnlyDrawIfNecessary") && !facingTwo && !penaltyOwed)
         {
            EXPECT_FALSE(Playable(hand, top)) << "a draw with a playable card";
         }
         if (SettingBoolGet("DrawOneOnly") && !facingTwo && !penaltyOwed)
         {
            EXPECT_EQ(drawn, 0) << "a second draw in one turn";
         }
         EXPECT_FALSE(facingQueen && !penaltyOwed) << "a draw after the Queen's five";
         const i32 before = hand->cards.count;
         const bool result = CrazyEights::CommandExecute(command);
         drawn += hand->cards.count - before;
         return result;
      }
      if (card->pile != hand)
      {
         ADD_FAILURE() << "a card chosen from elsewhere";
         return CrazyEights::CommandExecute(command);
      }
      const bool answer = facingTwo && drawn == 0 && card->rank == RANK_TWO;
      const bool legal = !facingQueen && (answer || (drawn >= penalty && RulesMatch(card, top)));
      EXPECT_TRUE(legal) << "rank " << card->rank << " suit " << card->suit << " on rank " << top->rank
                         << " suit " << top->suit << ", penalty " << penalty << ", drawn " << drawn;
      const bool result = CrazyEights::CommandExecute(command);
      if (card->pile == discard)
      {
         plays++;
         suitOwed = card->rank == EIGHT && hand->cards.count > 0;
         if (VeryCrazyCheck() && card->rank == RANK_TWO)
         {
            nextFacingTwo = true;
            nextPenalty = answer ? penalty + 2 : 2;
         }
         else if (VeryCrazyCheck() && card->rank == RANK_QUEEN && card->suit == SUIT_HEARTS)
         {
            nextFacingQueen = true;
            nextPenalty = 5;
         }
      }
      return result;
   }

   bool judging = true;
   bool facingTwo = false, facingQueen = false, nextFacingTwo = false, nextFacingQueen = false;
   bool suitOwed = false;
   i32 penalty = 0, nextPenalty = 0, drawn = 0;
   i32 commands = 0, plays = 0;
};

class CrazyEightsTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      FrameworkTypesRegister();
      CrazyEights::ReflectionRegister();
      auto* record = MemoryNew<ReflectionTypeObjectTyped<CheckedCrazyEights>>(HEAP_DEFAULT);
      record->Init("Corvale::CheckedCrazyEights");
      record->BaseAdd(typeid(CrazyEights).name());
      ReflectionManager::TypeRegister(record);
      harness.FileWrite("Scripts/Minigames/CrazyEights.json", CrazyEightsConsts());
      harness.enteredConsts = CrazyEightsConsts();
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }

   void TearDown() override
   {
      harness.Leave();
      ReflectionManager::Deinit();
   }

   JSONValue* Options() { return ProfileMinigameSettingsGet("CrazyEights"); }
   CardPile* Hand(i32 seat) { return game.PlayerHandGet(game.players[seat]); }

   // Every seat human and unsorted (nothing plays by itself), every card in the spare pile with
   // its printed suit, then the named cards laid out bottom first and seat `active` on turn with
   // a fresh turn.
   void TableSet(const std::vector<std::vector<std::string>>& hands, const std::vector<std::string>& discard,
                 const std::vector<std::string>& draw, i32 active)
   {
      game.ActionQueueClear();
      game.CardAnimationsFinish();
      game.judging = false;
      CardPile* spare = game.CardPileGet(CARD_PILE_TYPE_RESERVE, -1, -1);
      ASSERT_NE(spare, nullptr);
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         CrazyEights::CardPrintedSuitRestore(game.cards[i]);
         spare->CardInsert(spare->cards.count, game.cards[i]);
      }
      for (i32 seat = 0; seat < game.players.count; ++seat)
      {
         game.players[seat]->human = true;
         Hand(seat)->sortType = CARD_SORT_TYPE_UNSORTED;
         if (seat < static_cast<i32>(hands.size()))
         {
            harness.CardsPlace(Hand(seat), hands[seat]);
         }
      }
      harness.CardsPlace(game.DiscardPileGet(), discard);
      harness.CardsPlace(game.DrawPileGet(), draw);
      game.JudgeReset();
      game.choosingSuit = game.lastTurnWasPassed = game.cardDiscarded = game.playProceedsRight = false;
      game.skipNextPlayer = game.respondToTwo = game.nextPlayerRespondToTwo = false;
      game.respondToQueenOfHearts = game.nextPlayerRespondToQueenOfHearts = false;
      game.consecutivePassCount = game.cardDrawCount = game.penaltyDrawCount = 0;
      game.nextPlayerPenaltyDrawCount = 0;
      game.playerActiveID = game.players[active]->id;
      game.subgameFirstTurnBegan = true;
      game.refreshPending = false;
   }

   Card* Find(const std::string& name)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      return harness.CardFind(static_cast<i32>(ranks.find(name[0])), static_cast<i32>(suits.find(name[1])));
   }

   // The active player chooses the card (as Command 16 does), then the table settles.
   void Choose(const std::string& name)
   {
      game.CardChoose(name == "draw" ? game.DrawPileGet()->CardTopGet() : Find(name));
      harness.RunUntilIdle(400);
   }

   i32 Seat() { return game.PlayerIndexGet(game.PlayerActiveGet()); }
   std::string Text(CardPile* pile) { return CardGameHarness::PileText(pile); }

   CardGameHarness harness;
   CheckedCrazyEights game;
};

TEST_F(CrazyEightsTest, NewHandDealsFiveEachAndTurnsUpAStarter)
{
   ASSERT_TRUE(harness.RunUntilSettled(400));
   for (i32 seat = 0; seat < 4; ++seat)
   {
      EXPECT_EQ(Hand(seat)->cards.count, 5);
   }
   ASSERT_EQ(game.DiscardPileGet()->cards.count, 1);
   EXPECT_TRUE(game.DiscardPileGet()->CardTopGet()->faceUp);
   EXPECT_EQ(game.DrawPileGet()->cards.count, 31);
   EXPECT_TRUE(harness.CardsConservedCheck());
   // The human's hand is face up and in the default order, by suit with ranks descending.
   const CardPile* human = Hand(0);
   for (i32 i = 0; i < human->cards.count; ++i)
   {
      EXPECT_TRUE(human->cards[i]->faceUp);
   }
   EXPECT_EQ(human->sortType, 2);
   EXPECT_STREQ(game.DisplayNameGet(), "CrazyEights");
   Options()->ItemStringSet("Variation", "VeryCrazyEights");
   EXPECT_STREQ(game.DisplayNameGet(), "VeryCrazyEights");
}

TEST_F(CrazyEightsTest, HandOrderBySortingOption)
{
   const struct
   {
      const char* sorting;
      bool firstTurnBegan;
      i32 sortType;
   } cases[] = {{"Ascending", true, 6},
                {"Descending", true, 2},
                {"Unsorted", false, 7},
                {"Unsorted", true, 0},
                {"Other", true, 2}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.sorting);
      Options()->ItemStringSet("CardSorting", c.sorting);
      game.players[0]->human = true;
      game.players[1]->human = false;
      game.subgameFirstTurnBegan = c.firstTurnBegan;
      game.HandsSort();
      EXPECT_EQ(Hand(0)->sortType, c.sortType);
      EXPECT_EQ(Hand(1)->sortType, 0) << "a computer's hand stays as dealt";
   }
}

TEST_F(CrazyEightsTest, LegalPlays)
{
   const struct
   {
      const char* what;
      const char* card;
      const char* top;
      i32 penalty, drawn;
      bool two, queen;
      bool legal;
   } cases[] = {
       {"same rank", "5C", "5H", 0, 0, false, false, true},
       {"same suit", "KH", "5H", 0, 0, false, false, true},
       {"neither", "KC", "5H", 0, 0, false, false, false},
       {"an eight on anything", "8C", "5H", 0, 0, false, false, true},
       {"on a named eight, its suit", "KD", "8D", 0, 0, false, false, true},
       {"on an eight, an eight", "8S", "8D", 0, 0, false, false, true},
       {"facing a Two, a Two", "2C", "2H", 2, 0, true, false, true},
       {"facing a Two, a match", "5H", "2H", 2, 0, true, false, false},
       {"facing a Two, an eight", "8C", "2H", 2, 0, true, false, false},
       {"a Two after one draw", "2C", "2H", 2, 1, true, false, false},
       {"a match once the penalty is drawn", "5H", "2H", 2, 2, true, false, true},
       {"facing the Queen of Hearts", "QS", "QH", 5, 0, false, true, false},
       {"after the Queen's five", "5H", "QH", 5, 5, false, true, false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.what);
      TableSet({{c.card, "9S"}}, {std::string(c.top) + "*"}, {"3D", "4D"}, 0);
      game.penaltyDrawCount = c.penalty;
      game.cardDrawCount = c.drawn;
      game.respondToTwo = c.two;
      game.respondToQueenOfHearts = c.queen;
      Card* card = Find(c.card);
      EXPECT_EQ(game.CardDropCheck(game.DiscardPileGet(), card), c.legal);
      EXPECT_FALSE(game.CardDropCheck(game.DrawPileGet(), card)) << "only the discard pile takes cards";
      // After a play the turn is over: nothing more goes down.
      game.cardDiscarded = true;
      EXPECT_FALSE(game.CardDropCheck(game.DiscardPileGet(), card));
   }
   // Another player's card never goes down.
   TableSet({{"9S"}, {"5H"}}, {"5C*"}, {"3D"}, 0);
   EXPECT_FALSE(game.CardDropCheck(game.DiscardPileGet(), Find("5H")));
}

TEST_F(CrazyEightsTest, PlayChooseAndTheSuitChoice)
{
   // A matching card before the eight, in the hand's order; the eight when nothing else fits; the
   // draw when neither does.
   TableSet({{"8H", "KC", "5D", "5S"}}, {"5H*"}, {"3D"}, 0);
   EXPECT_EQ(game.PlayChoose(), Find("5D"));
   TableSet({{"KC", "8H", "8S"}}, {"5H*"}, {"3D"}, 0);
   EXPECT_EQ(game.PlayChoose(), Find("8H"));
   TableSet({{"KC"}}, {"5H*"}, {"3D"}, 0);
   EXPECT_EQ(game.PlayChoose(), Find("3D"));
   TableSet({{"KC"}}, {"5H*"}, {}, 0);
   EXPECT_EQ(game.PlayChoose(), nullptr);
   // Facing a Two: the first Two, else the draw.
   TableSet({{"5H", "2S", "2C"}}, {"2H*"}, {"3D"}, 0);
   game.respondToTwo = true;
   game.penaltyDrawCount = 2;
   EXPECT_EQ(game.PlayChoose(), Find("2S"));
   game.cardDrawCount = 1;
   EXPECT_EQ(game.PlayChoose(), Find("3D"));

   // Suits counted over the hand; ties go to the lower suit (Hearts, Spades, Diamonds, Clubs).
   const struct
   {
      std::vector<std::string> hand;
      i32 suit;
   } suits[] = {{{"KC", "3C", "4S"}, SUIT_CLUBS},
                {{"KD", "3S"}, SUIT_SPADES},
                {{"KC", "3D", "4D", "5C"}, SUIT_DIAMONDS},
                {{}, SUIT_HEARTS},
                {{"KH", "5C"}, SUIT_HEARTS}};
   for (const auto& c : suits)
   {
      TableSet({c.hand}, {"8H*"}, {"9S"}, 0);
      EXPECT_EQ(game.SuitChoiceGet(), c.suit);
   }
   // The popup's counts leave the eights out.
   TableSet({{"8C", "KC", "8D", "3D", "4D"}}, {"8H*"}, {"9S"}, 0);
   EXPECT_EQ(CrazyEights::SuitCountGet(Hand(0), SUIT_CLUBS), 1);
   EXPECT_EQ(CrazyEights::SuitCountGet(Hand(0), SUIT_DIAMONDS), 2);
   EXPECT_EQ(CrazyEights::SuitCountGet(Hand(0), SUIT_HEARTS), 0);
}

TEST_F(CrazyEightsTest, EightsNameASuitOrEndTheHand)
{
   TableSet({{"8S", "KC", "4D"}, {"9C"}, {"9H"}, {"9D"}}, {"5H*"}, {"3D", "3C"}, 0);
   Choose("8S");
   EXPECT_TRUE(game.choosingSuit);
   EXPECT_EQ(Seat(), 0) << "the turn waits for the suit";
   // Cancelling returns the eight and starts the turn again.
   game.cardDrawCount = 1;
   Command cancel;
   cancel.type = COMMAND_CRAZY_EIGHTS_SUIT_CANCEL;
   game.CommandPost(cancel, 0);
   harness.RunUntilIdle(400);
   EXPECT_EQ(Text(Hand(0)), "KC 4D 8S*");
   EXPECT_FALSE(game.choosingSuit);
   EXPECT_FALSE(game.cardDiscarded);
   EXPECT_EQ(game.cardDrawCount, 0);
   EXPECT_EQ(Seat(), 0);
   // Named: the eight takes the suit, the turn passes on.
   Choose("8S");
   game.Command12Post(SUIT_CLUBS, 0);
   harness.RunUntilIdle(400);
   EXPECT_EQ(game.DiscardPileGet()->CardTopGet()->suit, SUIT_CLUBS);
   EXPECT_EQ(Seat(), 1);
   EXPECT_TRUE(game.CardDropCheck(game.DiscardPileGet(), Find("9C")));
   EXPECT_FALSE(game.CardDropCheck(game.DiscardPileGet(), Find("3D")));
   // A second suit finds no choice pending.
   game.Command12Post(SUIT_HEARTS, 0);
   harness.RunUntilIdle(400);
   EXPECT_EQ(game.DiscardPileGet()->CardTopGet()->suit, SUIT_CLUBS);

   // An eight as the last card ends the hand without a suit.
   TableSet({{"8S"}, {"9C"}, {"9H"}, {"9D"}}, {"5H*"}, {"3D"}, 0);
   Choose("8S");
   EXPECT_FALSE(game.choosingSuit);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   EXPECT_TRUE(game.players[0]->minigameWinner);
}

TEST_F(CrazyEightsTest, VeryCrazyEightsSpecialCards)
{
   Options()->ItemStringSet("Variation", "VeryCrazyEights");
   // The Two chain: 2, then 4 for an answer, then 6; a player who draws plays after his penalty.
   TableSet({{"2S", "KC"}, {"2C", "KD"}, {"2D", "KS"}, {"5H", "6H", "9D"}}, {"2H*"},
            {"3C", "4C", "5C", "6C", "7C", "9C", "TC", "JC"}, 0);
   Choose("2S");
   EXPECT_EQ(Seat(), 1);
   EXPECT_EQ(game.penaltyDrawCount, 2);
   Choose("2C");
   EXPECT_EQ(game.penaltyDrawCount, 4);
   Choose("2D");
   ASSERT_EQ(Seat(), 3);
   EXPECT_EQ(game.penaltyDrawCount, 6);
   EXPECT_FALSE(game.CardDropCheck(game.DiscardPileGet(), Find("5H")));
   for (i32 i = 0; i < 6; ++i)
   {
      Choose("draw");
   }
   EXPECT_EQ(Hand(3)->cards.count, 9);
   EXPECT_EQ(game.cardDrawCount, 6);
   Choose("9D");
   EXPECT_EQ(game.DiscardPileGet()->CardTopGet(), Find("9D")) << "after the penalty a matching card";

   // The Jack skips the next player; the King reverses, a second King restores the order.
   TableSet({{"JH", "5C"}, {"TH", "5S"}, {"9H", "KS", "5D"}, {"KH", "9D"}}, {"4H*"}, {"3D", "3C"}, 0);
   Choose("JH");
   EXPECT_EQ(Seat(), 2);
   Choose("9H");
   EXPECT_EQ(Seat(), 3);
   TableSet({{"KH", "5C"}, {"KC", "5S"}, {"9S", "5D"}, {"KS", "9D"}}, {"4H*"}, {"3D", "3C"}, 0);
   Choose("KH");
   EXPECT_EQ(Seat(), 3) << "reversed";
   Choose("KS");
   EXPECT_EQ(Seat(), 0) << "restored";

   // The Queen of Hearts: five draws, no play, the turn passes on.
   TableSet({{"QH", "5C"}, {"5H", "QS", "8D"}, {"9S"}, {"9D"}}, {"4H*"}, {"3D", "3C", "4C", "5D", "6D", "7D"},
            0);
   Choose("QH");
   ASSERT_EQ(Seat(), 1);
   EXPECT_TRUE(game.respondToQueenOfHearts);
   EXPECT_EQ(game.PlayChoose(), game.DrawPileGet()->CardTopGet());
   for (i32 i = 0; i < 4; ++i)
   {
      EXPECT_FALSE(game.CardDropCheck(game.DiscardPileGet(), Find("QS")));
      Choose("draw");
      EXPECT_EQ(Seat(), 1);
   }
   Choose("draw");
   EXPECT_EQ(Hand(1)->cards.count, 8);
   EXPECT_EQ(Seat(), 2);
   EXPECT_EQ(Text(game.DiscardPileGet()), "4H* QH*");

   // A special card as the last one still ends the hand.
   TableSet({{"2H"}, {"5C"}, {"9S"}, {"9D"}}, {"4H*"}, {"3D"}, 0);
   Choose("2H");
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   // In the plain game a Two is a plain card.
   Options()->ItemStringSet("Variation", "CrazyEights");
   harness.Enter(&game, 3, 4);
   TableSet({{"2H", "5C"}, {"5S"}, {"9S"}, {"9D"}}, {"4H*"}, {"3D"}, 0);
   Choose("2H");
   EXPECT_EQ(game.penaltyDrawCount, 0);
   EXPECT_FALSE(game.respondToTwo);
}

TEST_F(CrazyEightsTest, DrawingOptions)
{
   Options()->ItemStringSet("Variation", "VeryCrazyEights");
   // Whether the draw is allowed after 0, 1 and 2 draws this turn, with a playable card in hand.
   const struct
   {
      bool onlyIfNecessary, oneOnly;
      const char* facing; // "", "two" (penalty 2), "queen" (penalty 5)
      bool after[3];
   } cases[] = {
       {false, false, "", {true, true, true}},     {true, false, "", {false, false, false}},
       {false, true, "", {true, false, false}},    {true, true, "", {false, false, false}},
       {false, false, "two", {true, true, true}},  {true, true, "two", {true, true, true}},
       {false, true, "queen", {true, true, true}}, {true, true, "queen", {true, true, true}},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::string(c.facing) + (c.onlyIfNecessary ? " only-if-necessary" : "") +
                   (c.oneOnly ? " one-only" : ""));
      Options()->ItemBoolSet("OnlyDrawIfNecessary", c.onlyIfNecessary);
      Options()->ItemBoolSet("DrawOneOnly", c.oneOnly);
      TableSet({{"5H", "KC"}}, {std::strcmp(c.facing, "queen") == 0 ? "QH*" : "2H*"},
               {"3D", "4D", "6D", "7D", "9D", "TD"}, 0);
      game.respondToTwo = std::strcmp(c.facing, "two") == 0;
      game.respondToQueenOfHearts = std::strcmp(c.facing, "queen") == 0;
      game.penaltyDrawCount = game.respondToTwo ? 2 : (game.respondToQueenOfHearts ? 5 : 0);
      for (i32 drawn = 0; drawn < 3; ++drawn)
      {
         game.cardDrawCount = drawn;
         EXPECT_EQ(game.DrawAllowedCheck(), c.after[drawn]) << "after " << drawn;
         EXPECT_EQ(game.CardChooseOnClickCheck(game.DrawPileGet()->CardTopGet()), c.after[drawn]);
      }
      EXPECT_FALSE(game.CardChooseOnClickCheck(Find("5H"))) << "hand cards play by a double click";
   }

   // One draw only, and it does not fit: the turn passes by itself.
   Options()->ItemBoolSet("OnlyDrawIfNecessary", false);
   Options()->ItemBoolSet("DrawOneOnly", true);
   TableSet({{"KC"}, {"5S"}, {"9S"}, {"9D"}}, {"5H*"}, {"3D", "4D"}, 0);
   Choose("draw");
   EXPECT_EQ(Seat(), 1);
   EXPECT_EQ(Hand(0)->cards.count, 2);

   // Automatic drawing draws for the human until a card fits.
   Options()->ItemBoolSet("DrawOneOnly", false);
   Options()->ItemStringSet("CardDrawing", "Automatic");
   TableSet({{"KC"}, {"5S"}, {"9S"}, {"9D"}}, {"5H*"}, {"7H", "3D", "4D"}, 0);
   game.refreshPending = true;
   harness.RunUntilIdle(400);
   EXPECT_EQ(Text(Hand(0)), "KC 4D* 3D* 7H*");
   EXPECT_EQ(Seat(), 0) << "the human plays the card that fits himself";
}

TEST_F(CrazyEightsTest, BlockedHandsAndTheReshuffle)
{
   // Nobody can play and nothing is left to draw: after a whole round of passes, a draw.
   TableSet({{"KC"}, {"KS"}, {"KD"}, {"QC"}}, {"5H*"}, {}, 0);
   game.refreshPending = true;
   harness.RunUntilIdle(2000);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_DRAWN);
   for (i32 i = 0; i < 4; ++i)
   {
      EXPECT_FALSE(game.players[i]->minigameWinner);
   }
   // In a points game a blocked hand scores nothing and the game goes on.
   harness.Enter(&game, 5, 6);
   Options()->ItemStringSet("GameOverCondition", "100Points");
   TableSet({{"KC"}, {"KS"}, {"KD"}, {"QC"}}, {"5H*"}, {}, 0);
   game.refreshPending = true;
   harness.RunUntilIdle(2000);
   EXPECT_TRUE(game.subgameOver);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(game.players[1]->minigameScore, 0);

   // The stock runs out: the discards go back under the kept top card, eights with their printed
   // suit, face down.
   harness.Enter(&game, 7, 8);
   Options()->ItemStringSet("GameOverCondition", "1Hand");
   TableSet({{"KC", "2C"}, {"KS"}, {"KD"}, {"QC"}}, {"5H*", "8S*", "6H*", "7H*"}, {}, 0);
   Find("8S")->suit = SUIT_HEARTS;
   game.refreshPending = true;
   harness.RunUntilSettled(400);
   harness.RunUntilIdle(400);
   EXPECT_EQ(Text(game.DiscardPileGet()), "7H*");
   EXPECT_EQ(game.DrawPileGet()->cards.count, 3);
   EXPECT_EQ(Find("8S")->suit, SUIT_SPADES);
   EXPECT_EQ(Find("8S")->pile, game.DrawPileGet());
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(CrazyEightsTest, Scoring)
{
   const struct
   {
      const char* card;
      i32 value;
   } values[] = {{"8H", 50}, {"KS", 10}, {"QD", 10}, {"JC", 10}, {"TH", 10}, {"AH", 1}, {"2S", 2}, {"9D", 9}};
   for (const auto& v : values)
   {
      EXPECT_EQ(CrazyEights::CardValueGet(Find(v.card)), v.value) << v.card;
   }
   const struct
   {
      const char* condition;
      i32 before;
      i32 result;
   } cases[] = {{"100Points", 0, MINIGAME_RESULT_LOST},   {"200Points", 69, MINIGAME_RESULT_RUNNING},
                {"200Points", 70, MINIGAME_RESULT_LOST},  {"300Points", 100, MINIGAME_RESULT_RUNNING},
                {"400Points", 270, MINIGAME_RESULT_LOST}, {"400Points", 0, MINIGAME_RESULT_RUNNING}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::string(c.condition) + " from " + std::to_string(c.before));
      harness.Enter(&game, 9, 10);
      Options()->ItemStringSet("GameOverCondition", c.condition);
      // Seat 1 goes out and scores the hands left: 50 + 10, 1 + 5 + 10, 50 + 4.
      TableSet({{"8H", "KS"}, {"5C"}, {"AD", "5D", "QS"}, {"8C", "4S"}}, {"5H*"}, {"3D"}, 1);
      game.players[1]->human = false;
      game.players[1]->minigameScore = c.before;
      game.players[1]->minigameScoreSubgameBegin = c.before;
      Choose("5C");
      EXPECT_EQ(game.players[1]->minigameScore, c.before + 60 + 16 + 54);
      EXPECT_EQ(game.gameResult, c.result);
      EXPECT_EQ(game.players[1]->minigameWinner, c.result != MINIGAME_RESULT_RUNNING);
      EXPECT_EQ(game.subgameOver, c.result == MINIGAME_RESULT_RUNNING);
      EXPECT_EQ(game.PlayerPanelNameLineGet(), 0);
   }
   Options()->ItemStringSet("GameOverCondition", "1Hand");
   EXPECT_EQ(game.PlayerPanelNameLineGet(), 1);
}

TEST_F(CrazyEightsTest, SuitPopupOpensForTheHumanAndSurvivesALoad)
{
   // The hands as laid out, which a load keeps.
   Options()->ItemStringSet("CardSorting", "Unsorted");
   TableSet({{"8S", "KC", "4D"}, {"9C"}, {"9H"}, {"9D"}}, {"5H*"}, {"3D", "3C"}, 0);
   CrazyEightsSuitPopup& popup = CrazyEightsSuitPopup::instance;
   Choose("8S");
   harness.Frame();
   ASSERT_GE(PopupManager::IndexGet(&popup), 0) << "the human names the suit in the popup";
   // Saved while the human names the suit: the loaded game asks again.
   CheckedCrazyEights fresh;
   fresh.judging = false;
   ASSERT_TRUE(harness.RoundTripCheck(&fresh));
   fresh.players[0]->human = true;
   EXPECT_TRUE(fresh.choosingSuit);
   EXPECT_LT(PopupManager::IndexGet(&popup), 0) << "a load closes the popup";
   harness.Frame();
   ASSERT_GE(PopupManager::IndexGet(&popup), 0) << "and the loaded choice opens it again";
   EXPECT_EQ(popup.game, &fresh);
   // Two presses while it leaves: two commands, one exit; the second finds no choice pending.
   i32 clubs = SUIT_CLUBS;
   i32 diamonds = SUIT_DIAMONDS;
   CrazyEightsSuitPopup::SuitChoose(nullptr, &clubs);
   EXPECT_TRUE(popup.ClosingCheck());
   CrazyEightsSuitPopup::SuitChoose(nullptr, &diamonds);
   EXPECT_EQ(fresh.actionQueue.count, 2);
   harness.RunUntilIdle(400);
   EXPECT_EQ(fresh.DiscardPileGet()->CardTopGet()->suit, SUIT_CLUBS);
   EXPECT_LT(PopupManager::IndexGet(&popup), 0);
   EXPECT_EQ(fresh.PlayerIndexGet(fresh.PlayerActiveGet()), 1);
   harness.Enter(&game, 11, 12);
}

// One game until it ends or the frame cap; the results' OK starts each next hand. stopFrame >= 0
// returns there with the game running. False at the cap: four computer players can circle for
// ever when the stock holds nothing but eights and each names a suit the next one lacks.
bool GamePlay(CardGameHarness& harness, CheckedCrazyEights& game, i32 maxFrames, i32 stopFrame = -1)
{
   for (i32 frame = 0; frame < maxFrames; ++frame)
   {
      if (frame == stopFrame || game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         return true;
      }
      if (game.subgameOver && game.actionQueue.count == 0)
      {
         CrazyEightsResultsPopup::ResultsContinue(nullptr, nullptr, &game);
      }
      harness.Frame();
   }
   return false;
}

std::string FinalDocument(CheckedCrazyEights& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

TEST_F(CrazyEightsTest, SeededGamesOfComputerPlayers)
{
   // 52 cards, each once, and every card off the discard pile with its printed suit.
   harness.afterFrame = [this]()
   {
      CardGame* current = harness.cardGame;
      const CardPile* discard = current->CardPileGet(CARD_PILE_TYPE_DISCARD, -1, -1);
      bool held[52] = {};
      i32 count = 0;
      bool sound = current->cards.count == 52;
      for (i32 p = 0; sound && p < current->cardPiles.count; ++p)
      {
         const CardPile* pile = current->cardPiles[p];
         for (i32 i = 0; sound && i < pile->cards.count; ++i)
         {
            const Card* card = pile->cards[i];
            sound = card->id >= 0 && card->id < 52 && !held[card->id] && card->pile == pile &&
                    (pile == discard || card->suit == PrintedSuit(card));
            held[sound ? card->id : 0] = true;
            count++;
         }
      }
      if (!sound || count != 52)
      {
         ADD_FAILURE() << "cards lost, doubled or renamed after frame " << harness.frames;
      }
   };
   harness.frameMilliseconds = 400;
   const char* const conditions[] = {"1Hand", "1Hand", "100Points", "1Hand", "200Points"};
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   const i32 frameCap = 20000;
   i32 reloads = 0;
   i32 capped = 0;
   i32 results[4] = {0, 0, 0, 0};
   i32 commands = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      Options()->ItemStringSet("Variation", seed % 2 ? "VeryCrazyEights" : "CrazyEights");
      Options()->ItemStringSet("GameOverCondition", conditions[(seed / 2) % 5]);
      Options()->ItemBoolSet("ReshuffleDiscards", (seed / 3) % 3 != 0);
      Options()->ItemBoolSet("OnlyDrawIfNecessary", (seed / 5) % 2 == 1);
      Options()->ItemBoolSet("DrawOneOnly", (seed / 7) % 2 == 1);
      auto begin = [&](CheckedCrazyEights& which)
      {
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.judging = true;
         which.GameNew();
         which.players[0]->human = false;
      };
      begin(game);
      const i32 before = game.commands;
      const bool ended = GamePlay(harness, game, frameCap);
      commands += game.commands - before;
      if (!ended)
      {
         capped++;
         continue;
      }
      results[game.gameResult]++;
      // The end the rules give: an empty hand for the winner, or no card left to draw.
      i32 winners = 0;
      for (i32 i = 0; i < 4; ++i)
      {
         winners += game.players[i]->minigameWinner ? 1 : 0;
         if (game.players[i]->minigameWinner)
         {
            EXPECT_EQ(game.PlayerHandGet(game.players[i])->cards.count, 0);
         }
      }
      EXPECT_EQ(winners, game.gameResult == MINIGAME_RESULT_DRAWN ? 0 : 1);
      if (game.gameResult == MINIGAME_RESULT_DRAWN)
      {
         EXPECT_EQ(game.DrawPileGet()->cards.count, 0);
      }
      if (seed % 10 != 0)
      {
         continue;
      }
      // Again, saved at a frame drawn from the seed and loaded into a freshly entered game.
      const std::string uninterrupted = FinalDocument(game);
      begin(game);
      const i32 stop = 20 + (seed * 7919) % 300;
      GamePlay(harness, game, frameCap, stop);
      if (game.gameResult != MINIGAME_RESULT_RUNNING || game.subgameOver)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      CheckedCrazyEights fresh;
      harness.Enter(&fresh, 99, 98);
      harness.cardGame = &fresh;
      fresh.judging = false;
      ASSERT_TRUE(fresh.Load(saved.get()));
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      GamePlay(harness, fresh, frameCap);
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      reloads++;
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }
   harness.afterFrame = nullptr;
   // About one game in ten is reloaded; the first hundred seeds (the sanitizer run) reach two.
   EXPECT_GE(reloads, games / 50);
   EXPECT_LE(capped, games / 20) << "games circling until the frame cap";
   // Seat 0 plays as a computer here, so a winner is always reported as the human's loss.
   EXPECT_EQ(results[MINIGAME_RESULT_WON], 0);
   EXPECT_GT(results[MINIGAME_RESULT_LOST], games / 2);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf(
       "%d games (%d won, %d lost, %d drawn), %d commands judged, %d reloads, %.1f games per second\n", games,
       results[1], results[2], results[3], commands, reloads, games / seconds);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
