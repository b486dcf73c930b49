// Hearts headless: scoring, passing directions, the legal play, the game's end, the computer
// player's choices, and many seeded games of four computer players checked at every step.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/CardNames.h"
#include "cardgame/Command.h"
#include "games/tricktaking/Hearts.h"
#include "gui/popup/PopupManager.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/tricktaking/TestTrickGame.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
// The rules of play written out on their own, to judge every card the game accepts: from the cards
// on the table alone (the hands, this trick's piles, the tricks taken) and the options.
bool RulesAllowPlayCheck(Hearts& game, const Card* card)
{
   Player* active = game.PlayerActiveGet();
   const CardPile* hand = game.PlayerHandGet(active);
   const CardPile* own = active ? game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, active->id) : nullptr;
   // One card per seat and trick, from the player's own hand.
   if (!card || !hand || card->pile != hand || !own || own->cards.count > 0)
   {
      return false;
   }
   const bool queenBreaks = game.SettingBoolGet("QueenOfSpadesBreaksHearts");
   const bool pointsInFirstTrick = game.SettingBoolGet("CanPlayPointsInFirstTrick");
   const char* leaderOption = game.SettingStringGet("FirstTrickLeader");
   const bool twoOfClubsLeads = !leaderOption || std::string(leaderOption) != "LeftOfDealer";
   const auto isQueenOfSpades = [](const Card* c) { return c->suit == SUIT_SPADES && c->rank == RANK_QUEEN; };

   i32 onTable = 0;
   bool anyTaken = false;
   bool broken = false;
   for (i32 i = 0; i < game.cardPiles.count; ++i)
   {
      const CardPile* pile = game.cardPiles[i];
      if (pile->type != CARD_PILE_TYPE_TRICK && pile->type != CARD_PILE_TYPE_TAKE)
      {
         continue;
      }
      onTable += pile->type == CARD_PILE_TYPE_TRICK ? pile->cards.count : 0;
      anyTaken = anyTaken || (pile->type == CARD_PILE_TYPE_TAKE && pile->cards.count > 0);
      for (i32 j = 0; j < pile->cards.count; ++j)
      {
         const Card* played = pile->cards[j];
         broken = broken || played->suit == SUIT_HEARTS || (queenBreaks && isQueenOfSpades(played));
      }
   }
   const bool firstTrick = !anyTaken;
   // Play goes round in table order, so the leader sits as many seats before the active player as
   // there are cards on the table.
   const Card* lead = nullptr;
   if (onTable > 0)
   {
      const i32 seats = game.players.count;
      i32 activeSeat = 0;
      while (activeSeat < seats && game.players[activeSeat] != active)
      {
         ++activeSeat;
      }
      const Player* leader = game.players[((activeSeat - onTable) % seats + seats) % seats];
      const CardPile* leaderPile = game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, leader->id);
      lead = leaderPile ? leaderPile->CardTopGet() : nullptr;
      if (!lead)
      {
         return false;
      }
   }
   const auto holds = [hand](const std::function<bool(const Card*)>& test)
   {
      for (i32 i = 0; i < hand->cards.count; ++i)
      {
         if (test(hand->cards[i]))
         {
            return true;
         }
      }
      return false;
   };
   const bool onlyHearts = !holds([](const Card* c) { return c->suit != SUIT_HEARTS; });
   const auto allowed = [&](const Card* c)
   {
      if (firstTrick && !pointsInFirstTrick && (c->suit == SUIT_HEARTS || isQueenOfSpades(c)))
      {
         return false;
      }
      if (lead)
      {
         return c->suit == lead->suit || !holds([lead](const Card* h) { return h->suit == lead->suit; });
      }
      if (firstTrick && twoOfClubsLeads)
      {
         return c->suit == SUIT_CLUBS && c->rank == RANK_TWO;
      }
      return c->suit != SUIT_HEARTS || broken || onlyHearts;
   };
   // A hand that the rules leave without a card may play any of them.
   return allowed(card) || !holds(allowed);
}

// Hearts without its GUI layer; every command is checked against the rules before it runs.
class CheckedHearts : public Hearts
{
 public:
   const char* LayerNameGet() override { return nullptr; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CheckedHearts"; }

   bool CommandExecute(const Command& command) override
   {
      const CardPile* hand = PlayerHandGet(PlayerActiveGet());
      if (command.type == COMMAND_CARD_CHOOSE)
      {
         const Card* card = CardGet(command.intParam0);
         const bool fine =
             passingComplete ? RulesAllowPlayCheck(*this, card) : card && hand && card->pile == hand;
         violations += fine ? 0 : 1;
      }
      else if (command.type == COMMAND_PASS_CARDS)
      {
         violations += !passingComplete && hand && hand->CardsSelectedCount() == 3 ? 0 : 1;
      }
      return Hearts::CommandExecute(command);
   }

   i32 violations = 0;
};

std::string HeartsConsts()
{
   std::string text = TestTrickGameConsts();
   const std::string settings = R"([{"Name": "CardSorting", "Default": "Descending"}])";
   text.replace(
       text.find(settings), settings.size(),
       R"([{"Name": "CardSorting", "Default": "Descending"}, {"Name": "Passing", "Default": "Alternates"},
                    {"Name": "FirstTrickLeader", "Default": "TwoOfClubs"},
                    {"Name": "QueenOfSpadesBreaksHearts", "Default": false},
                    {"Name": "JackOfDiamondsWorthNegative10Points", "Default": false},
                    {"Name": "CanPlayPointsInFirstTrick", "Default": false}])");
   return text;
}

class HeartsTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      TestTrickGameTypesRegister();
      HeartsPlayer::ReflectionRegister();
      Hearts::ReflectionRegister();
      auto* record = MemoryNew<ReflectionTypeObjectTyped<CheckedHearts>>(HEAP_DEFAULT);
      record->Init("Corvale::CheckedHearts");
      record->BaseAdd(typeid(Hearts).name());
      ReflectionManager::TypeRegister(record);
      harness.FileWrite("Scripts/Minigames/Hearts.json", HeartsConsts());
      harness.enteredConsts = HeartsConsts();
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }

   void TearDown() override
   {
      harness.Leave();
      ReflectionManager::Deinit();
   }

   JSONValue* Options() { return ProfileMinigameSettingsGet("Hearts"); }
   HeartsPlayer* Seat(i32 i) { return dynamic_cast<HeartsPlayer*>(game.players[i]); }
   CardPile* Hand(i32 i) { return game.PlayerHandGet(game.players[i]); }
   Card* Find(const std::string& name)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      return harness.CardFind(static_cast<i32>(ranks.find(name[0])), static_cast<i32>(suits.find(name[1])));
   }

   // Every card back to the Draw pile, the hand's records empty, no actions waiting.
   void TableClear()
   {
      game.ActionQueueClear();
      game.CardAnimationsFinish();
      game.CardsGather(game.CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1));
      game.CardAnimationsFinish();
      game.HandBegin();
      game.ActionQueueClear();
      game.passingComplete = true;
   }

   // Trick t of the hand: the cards each seat gave (table order, "-" none) and its winner.
   void TrickRecord(i32 t, const std::vector<std::string>& cards, i32 winner)
   {
      for (i32 p = 0; p < 4; ++p)
      {
         while (Seat(p)->trickHistory.count <= t)
         {
            TrickTakingGamePlayerHistoryEntry entry;
            Seat(p)->trickHistory.Insert(entry, Seat(p)->trickHistory.count);
         }
         Seat(p)->trickHistory[t].cardID = cards[p] == "-" ? -1 : Find(cards[p])->id;
         Seat(p)->trickHistory[t].winner = p == winner;
      }
      game.trickIndexCurrent = t;
   }

   CardGameHarness harness;
   CheckedHearts game;
};

TEST_F(HeartsTest, HandScoringTable)
{
   struct Case
   {
      const char* what;
      bool jackOption;
      // Cards taken by each seat; dealt into tricks of four.
      std::vector<std::vector<std::string>> taken;
      std::vector<i32> change;
   };
   const std::vector<std::string> allHearts = {"AH", "2H", "3H", "4H", "5H", "6H", "7H",
                                               "8H", "9H", "TH", "JH", "QH", "KH"};
   std::vector<std::string> moon = allHearts;
   moon.push_back("QS");
   std::vector<std::string> moonJack = moon;
   moonJack.push_back("JD");
   const Case cases[] = {
       {"a plain hand",
        false,
        {{"AH", "2H", "3H"}, {"4H", "QS"}, {"5H", "6H", "7H", "8H", "9H"}, {"TH", "JH", "QH", "KH"}},
        {3, 14, 5, 4}},
       {"thirteen hearts without the queen", false, {allHearts, {"QS"}, {}, {}}, {13, 13, 0, 0}},
       {"a moon", false, {{}, moon, {}, {}}, {26, 0, 26, 26}},
       {"a moon with the jack", true, {{}, moonJack, {}, {}}, {26, -10, 26, 26}},
       {"the jack alone", true, {{"JD"}, {}, {}, allHearts}, {-10, 0, 0, 13}},
       {"the jack without its option", false, {{"JD"}, {}, {}, {}}, {0, 0, 0, 0}},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      Options()->ItemBoolSet("JackOfDiamondsWorthNegative10Points", c.jackOption);
      TableClear();
      i32 t = 0;
      for (i32 p = 0; p < 4; ++p)
      {
         for (size_t i = 0; i < c.taken[p].size(); i += 4, ++t)
         {
            std::vector<std::string> trick(4, "-");
            for (size_t k = 0; k < 4 && i + k < c.taken[p].size(); ++k)
            {
               trick[k] = c.taken[p][i + k];
            }
            TrickRecord(t, trick, p);
         }
      }
      std::vector<i32> before;
      for (i32 p = 0; p < 4; ++p)
      {
         before.push_back(game.players[p]->minigameScore);
      }
      game.HandScore();
      for (i32 p = 0; p < 4; ++p)
      {
         EXPECT_EQ(game.players[p]->minigameScore - before[p], c.change[p]) << "seat " << p;
      }
   }
}

TEST_F(HeartsTest, PassDirectionsOverFiveHands)
{
   struct Case
   {
      const char* passing;
      std::vector<i32> directions;
   };
   const Case cases[] = {
       {"Alternates", {0, 1, 2, 3, 0}},
       {"AlwaysLeft", {0, 0, 0, 0, 0}},
       {"Never", {3, 3, 3, 3, 3}},
       {"Sideways", {0, 1, 2, 3, 0}},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.passing);
      Options()->ItemStringSet("Passing", c.passing);
      game.GameNew();
      std::vector<i32> seen = {game.passDirection};
      for (i32 hand = 1; hand < 5; ++hand)
      {
         game.SubgameNew();
         seen.push_back(game.passDirection);
      }
      EXPECT_EQ(seen, c.directions);
      EXPECT_EQ(game.passingComplete, c.directions.back() == HEARTS_PASS_NONE);
   }
   // Targets: left is the next seat, right the previous, across two on.
   game.passDirection = HEARTS_PASS_RIGHT;
   EXPECT_EQ(game.PassTargetGet(game.players[0]), game.players[3]);
   game.passDirection = HEARTS_PASS_ACROSS;
   EXPECT_EQ(game.PassTargetGet(game.players[1]), game.players[3]);
   game.passDirection = HEARTS_PASS_NONE;
   EXPECT_EQ(game.PassTargetGet(game.players[2]), game.players[2]);
}

TEST_F(HeartsTest, LegalPlayTable)
{
   struct Case
   {
      const char* what;
      bool pointsInFirstTrick;
      bool queenBreaks;
      i32 trick;
      std::vector<std::string> hand;
      // Earlier tricks' cards (given by seat 1) and this trick's lead (seat 1; "-" none).
      std::vector<std::string> played;
      std::string lead;
      std::string legal;
   };
   const Case cases[] = {
       {"the two of clubs leads", false, false, 0, {"2C", "5C", "AD"}, {}, "-", "2C"},
       {"first trick: no points when void", false, false, 0, {"AH", "QS", "3D"}, {}, "5C", "3D"},
       {"first trick: points allowed by option", true, false, 0, {"AH", "QS", "3D"}, {}, "5C", "AH QS 3D"},
       {"follow suit", false, false, 2, {"4C", "9C", "AD"}, {"3D"}, "5C", "4C 9C"},
       {"hearts unbroken", false, false, 2, {"4H", "9C"}, {"3D"}, "-", "9C"},
       {"hearts broken", false, false, 2, {"4H", "9C"}, {"3H"}, "-", "4H 9C"},
       {"only hearts held", false, false, 2, {"4H", "9H"}, {"3D"}, "-", "4H 9H"},
       {"the queen breaks hearts", false, true, 2, {"4H", "9C"}, {"QS"}, "-", "4H 9C"},
       {"the queen breaks nothing without the option", false, false, 2, {"4H", "9C"}, {"QS"}, "-", "9C"},
       {"void: anything", false, false, 2, {"4H", "QS"}, {"3D"}, "5C", "4H QS"},
       {"no legal card: all are", false, false, 0, {"4H", "QS"}, {}, "5C", "4H QS"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      Options()->ItemBoolSet("CanPlayPointsInFirstTrick", c.pointsInFirstTrick);
      Options()->ItemBoolSet("QueenOfSpadesBreaksHearts", c.queenBreaks);
      TableClear();
      for (i32 t = 0; t < c.trick; ++t)
      {
         TrickRecord(t, {"-", t < static_cast<i32>(c.played.size()) ? c.played[t] : "-", "-", "-"}, 1);
      }
      game.playerActiveID = 1;
      game.TrickBegin();
      game.trickIndexCurrent = c.trick;
      if (c.lead != "-")
      {
         harness.CardsPlace(game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, 1), {c.lead + "*"});
         Seat(1)->HistoryCardSet(c.trick, Find(c.lead));
      }
      harness.CardsPlace(Hand(0), c.hand);
      game.playerActiveID = 0;
      std::string legal;
      for (const std::string& name : c.hand)
      {
         if (game.CardLegalCheck(Find(name)))
         {
            legal += (legal.empty() ? "" : " ") + name;
         }
      }
      EXPECT_EQ(legal, c.legal);
      EXPECT_FALSE(game.CardLegalCheck(Find(c.lead == "-" ? "KS" : c.lead))) << "outside the hand";
   }
}

TEST_F(HeartsTest, TheRefusedFirstLeadAloneExplainsItself)
{
   auto boxes = []() { return PopupManager::popups.count; };
   TableClear();
   game.playerActiveID = 1;
   game.TrickBegin();
   harness.CardsPlace(Hand(1), {"2C", "5D", "4H"});
   game.CardChoose(Find("5D"));
   EXPECT_EQ(boxes(), 1) << "the first lead must be the two of clubs";
   PopupManager::CloseAll();
   game.CardChoose(Find("2C"));
   EXPECT_EQ(boxes(), 0);
   EXPECT_EQ(Find("2C")->pile, game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, 1));
   EXPECT_EQ(Seat(1)->HistoryCardGet(0), Find("2C")->id);

   // Following, a refused card says nothing.
   harness.CardsPlace(Hand(2), {"3C", "6D"});
   game.playerActiveID = 2;
   game.CardChoose(Find("6D"));
   EXPECT_EQ(boxes(), 0);
   EXPECT_EQ(Find("6D")->pile, Hand(2));

   // Nor does a refused lead when any card may open the first trick.
   Options()->ItemStringSet("FirstTrickLeader", "LeftOfDealer");
   TableClear();
   game.playerActiveID = 1;
   game.TrickBegin();
   harness.CardsPlace(Hand(1), {"5D", "4H"});
   game.CardChoose(Find("4H"));
   EXPECT_EQ(boxes(), 0);
   EXPECT_EQ(Find("4H")->pile, Hand(1));
}

TEST_F(HeartsTest, GameEndAndWinner)
{
   struct Case
   {
      const char* what;
      std::vector<i32> scores;
      i32 action;
   };
   const Case cases[] = {
       {"99 plays on", {99, 10, 20, 30}, ACTION_SUBGAME_OVER},
       {"100 ends, the human lowest alone", {5, 100, 20, 30}, ACTION_GAME_WIN},
       {"100 ends, a computer lowest", {50, 100, 20, 30}, ACTION_GAME_LOSE},
       {"a shared lowest is a draw", {20, 100, 20, 30}, ACTION_GAME_DRAW},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      TableClear();
      for (i32 p = 0; p < 4; ++p)
      {
         game.players[p]->minigameScore = c.scores[p];
         game.players[p]->minigameWinner = false;
      }
      game.delayGameOver = 700;
      game.HandScore();
      ASSERT_GT(game.actionQueue.count, 0);
      EXPECT_EQ(game.actionQueue[0].type, c.action);
      u32 waited = 0;
      for (i32 i = 0; i < game.actionQueue.count; ++i)
      {
         waited += game.actionQueue[i].startDelay;
      }
      EXPECT_EQ(waited, 700u) << "DelayGameOver once";
      EXPECT_EQ(game.players[0]->minigameWinner, c.action == ACTION_GAME_WIN);
      EXPECT_EQ(game.players[2]->minigameWinner, c.action == ACTION_GAME_LOSE);
   }
}

TEST_F(HeartsTest, ComputerPlayerChoices)
{
   // Passing: the commands posted name the cards chosen.
   struct PassCase
   {
      const char* what;
      std::vector<std::string> hand;
      std::set<std::string> passed;
   };
   const PassCase passCases[] = {
       {"ace, king and queen of spades",
        {"AS", "KS", "QS", "2S", "3S", "AH", "KD", "2C"},
        {"AS", "KS", "QS"}},
       {"a covered queen: the three highest",
        {"QS", "2S", "3S", "4S", "5S", "6S", "7S", "JH", "TD", "2C"},
        {"QS", "JH", "TD"}},
       {"no spades forced: highest others", {"2S", "AH", "KD", "3C", "KC"}, {"AH", "KD", "KC"}},
   };
   for (const PassCase& c : passCases)
   {
      SCOPED_TRACE(c.what);
      TableClear();
      game.passingComplete = false;
      game.passDirection = HEARTS_PASS_LEFT;
      harness.CardsPlace(Hand(1), c.hand);
      game.playerActiveID = 1;
      game.AITurnTake();
      std::set<std::string> chosen;
      bool passPosted = false;
      for (i32 i = 0; i < game.actionQueue.count; ++i)
      {
         const Command& command = game.actionQueue[i].command;
         if (command.type == COMMAND_CARD_CHOOSE)
         {
            const Card* card = game.CardGet(command.intParam0);
            chosen.insert(std::string(1, "XA23456789TJQK"[card->rank]) + "HSDC"[card->suit]);
         }
         passPosted = passPosted || command.type == COMMAND_PASS_CARDS;
      }
      EXPECT_EQ(chosen, c.passed);
      EXPECT_TRUE(passPosted);
   }

   struct PlayCase
   {
      const char* what;
      bool jackOption;
      std::vector<std::string> hand;
      // Cards already in the trick, seats 1, 2, 3 (seat 1 leads; "-" none).
      std::vector<std::string> trick;
      std::string expected;
   };
   const PlayCase playCases[] = {
       {"leads the two of clubs", false, {"2C", "3D", "AS"}, {"-", "-", "-"}, "2C"},
       {"void: discards the queen", false, {"QS", "AH", "3D"}, {"5C", "-", "-"}, "QS"},
       {"queen under the king of spades", false, {"QS", "2S", "AH"}, {"KS", "-", "-"}, "QS"},
       {"last to a diamond trick: the jack", true, {"JD", "3D", "AH"}, {"TD", "4D", "5D"}, "JD"},
       {"ducks under the winner", false, {"3C", "9C", "KC"}, {"TC", "-", "-"}, "9C"},
       {"last and cannot duck: highest but the queen", false, {"QC", "KC"}, {"2C", "TC", "JC"}, "KC"},
   };
   for (const PlayCase& c : playCases)
   {
      SCOPED_TRACE(c.what);
      Options()->ItemBoolSet("JackOfDiamondsWorthNegative10Points", c.jackOption);
      TableClear();
      TrickRecord(0, {"-", "8H", "-", "-"}, 1);
      game.playerActiveID = c.trick[0] == "-" ? 0 : 1;
      game.TrickBegin();
      for (i32 s = 0; s < 3; ++s)
      {
         if (c.trick[s] != "-")
         {
            harness.CardsPlace(game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, s + 1), {c.trick[s] + "*"});
            Seat(s + 1)->HistoryCardSet(game.trickIndexCurrent, Find(c.trick[s]));
         }
      }
      if (c.expected == "2C")
      {
         // The first trick.
         TableClear();
         game.playerActiveID = 0;
         game.TrickBegin();
      }
      harness.CardsPlace(Hand(0), c.hand);
      game.playerActiveID = 0;
      game.AITurnTake();
      ASSERT_EQ(game.actionQueue.count, 1);
      EXPECT_EQ(game.actionQueue[0].command.intParam0, Find(c.expected)->id);
   }
}

TEST_F(HeartsTest, PassingByTheHuman)
{
   Options()->ItemStringSet("Passing", "AlwaysLeft");
   game.GameNew();
   game.players[0]->human = true;
   ASSERT_TRUE(harness.RunUntilIdle(20000) || game.players[0]->id == game.playerActiveID);
   // Computer seats pass on their turns until the human's comes.
   for (i32 frame = 0; frame < 20000 && !(game.playerActiveID == 0 && game.actionQueue.count == 0); ++frame)
   {
      harness.Frame();
   }
   ASSERT_EQ(game.playerActiveID, 0);
   ASSERT_FALSE(game.passingComplete);
   CardPile* hand = Hand(0);
   for (i32 i = 0; i < 4; ++i)
   {
      game.CardChoose(hand->cards[i]);
   }
   EXPECT_EQ(hand->CardsSelectedCount(), 3) << "a fourth selection is refused";
   std::vector<i32> chosen;
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      if (hand->cards[i]->selected)
      {
         chosen.push_back(hand->cards[i]->id);
      }
   }
   harness.document.reset(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(harness.document.get()));
   game.CommandCodePost(COMMAND_PASS_CARDS, 0);
   for (i32 frame = 0; frame < 20000 && !game.passingComplete; ++frame)
   {
      harness.Frame();
   }
   ASSERT_TRUE(game.passingComplete);
   std::vector<i32> passed;
   for (i32 i = 0; i < Seat(0)->cardsPassedIDs.count; ++i)
   {
      passed.push_back(Seat(0)->cardsPassedIDs[i]);
   }
   EXPECT_EQ(passed, chosen);
   for (i32 id : chosen)
   {
      EXPECT_EQ(game.CardGet(id)->pile, Hand(1)) << "passed left";
      EXPECT_FALSE(game.CardGet(id)->selected);
   }
   for (i32 p = 0; p < 4; ++p)
   {
      EXPECT_EQ(Seat(p)->cardsPassedIDs.count, 3);
      EXPECT_EQ(Hand(p)->cards.count, 13);
   }
   ASSERT_TRUE(harness.RunUntilSettled(20000));
   for (i32 i = 0; i < Hand(0)->cards.count; ++i)
   {
      EXPECT_TRUE(Hand(0)->cards[i]->faceUp) << "the human's cards face up";
   }
   const Card* two = Find("2C");
   EXPECT_EQ(game.playerActiveID, two->pile->ownerID) << "the two of clubs leads after the passing";
   EXPECT_TRUE(harness.CardsConservedCheck());
}

// One game of four computer players to its end; every hand checked as it ends, and the results'
// OK pressed as its callback does. stopFrame >= 0 returns after that many frames with the game
// still running. False on a hang.
bool GamePlay(CardGameHarness& harness, CheckedHearts& game, i32 maxFrames, i32* hands, i32 stopFrame = -1)
{
   for (i32 frame = 0; frame < maxFrames; ++frame)
   {
      if (frame == stopFrame)
      {
         return true;
      }
      harness.Frame();
      if (game.actionQueue.count != 0 || game.CardsAnimatingCheck())
      {
         continue;
      }
      if (game.gameResult != MINIGAME_RESULT_RUNNING || game.subgameOver)
      {
         std::set<i32> given;
         i32 change = 0;
         bool jackOut = false;
         for (i32 p = 0; p < 4; ++p)
         {
            const TrickTakingGamePlayer* seat = game.TrickPlayerGet(p);
            EXPECT_EQ(seat->trickHistory.count, 13);
            for (i32 t = 0; t < seat->trickHistory.count; ++t)
            {
               given.insert(seat->HistoryCardGet(t));
               const Card* card = game.CardGet(seat->HistoryCardGet(t));
               jackOut = jackOut || (card && card->rank == RANK_JACK && card->suit == SUIT_DIAMONDS);
            }
            change += game.players[p]->minigameScore - game.players[p]->minigameScoreSubgameBegin;
         }
         EXPECT_EQ(given.size(), 52u);
         EXPECT_EQ(given.count(-1), 0u);
         const i32 jack = jackOut && game.SettingBoolGet("JackOfDiamondsWorthNegative10Points") ? 10 : 0;
         EXPECT_TRUE(change == 26 - jack || change == 78 - jack) << change;
         (*hands)++;
         if (game.gameResult != MINIGAME_RESULT_RUNNING)
         {
            return true;
         }
         game.ResultsContinue();
      }
   }
   return false;
}

// The finished game's document without its clock, which a load's shorter moves change.
std::string FinalDocument(CheckedHearts& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

TEST_F(HeartsTest, SeededGamesOfComputerPlayers)
{
   harness.ConservedEveryFrame();
   harness.frameMilliseconds = 400;
   const char* const passings[] = {"Alternates", "AlwaysLeft", "Never"};
   const char* const leaders[] = {"TwoOfClubs", "LeftOfDealer"};
   i32 hands = 0;
   i32 reloads = 0;
   const auto start = std::chrono::steady_clock::now();
#ifdef __SANITIZE_ADDRESS__
   // The sanitizer is some twenty times slower; its share still reaches four reloads.
   const i32 games = 40;
#else
   const i32 games = 400;
#endif
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      Options()->ItemStringSet("Passing", passings[seed % 3]);
      Options()->ItemStringSet("FirstTrickLeader", leaders[(seed / 3) % 2]);
      Options()->ItemBoolSet("QueenOfSpadesBreaksHearts", (seed / 6) % 2 == 1);
      Options()->ItemBoolSet("JackOfDiamondsWorthNegative10Points", (seed / 12) % 2 == 1);
      Options()->ItemBoolSet("CanPlayPointsInFirstTrick", (seed / 24) % 2 == 1);
      auto begin = [&](CheckedHearts& which)
      {
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         which.players[0]->human = false;
      };
      begin(game);
      ASSERT_TRUE(GamePlay(harness, game, 400000, &hands)) << "the game hung";
      ASSERT_EQ(game.violations, 0);
      if (seed % 10 != 0)
      {
         continue;
      }
      // Again, saved at a frame drawn from the seed and loaded into a freshly entered game.
      const std::string uninterrupted = FinalDocument(game);
      begin(game);
      i32 ignored = 0;
      const i32 stop = 200 + (seed * 7919) % 3000;
      ASSERT_TRUE(GamePlay(harness, game, 400000, &ignored, stop));
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      CheckedHearts fresh;
      harness.Enter(&fresh, 99, 98);
      harness.cardGame = &fresh;
      ASSERT_TRUE(fresh.Load(saved.get()));
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      ASSERT_TRUE(GamePlay(harness, fresh, 400000, &ignored)) << "the loaded game hung";
      EXPECT_EQ(fresh.violations, 0);
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      reloads++;
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }
   EXPECT_EQ(reloads, games / 10);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games, %d hands, %.1f games per second\n", games, hands, games / seconds);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
