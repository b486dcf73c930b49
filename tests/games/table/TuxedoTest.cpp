// Tuxedo headless: the sum search, the checks and the buttons they enable, a turn's matches,
// builds, discards and bonuses, the computer's choices, the redeals and the end, the results
// popup, and many seeded games of two computer players judged by the rules at every move.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/Command.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "games/table/Tuxedo.h"
#include "games/table/TuxedoResultsPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/PressButtonWidget.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
std::string TuxedoConsts()
{
   return R"({"DelayCardDeal": 10, "DelayCardFlip": 5, "DelayAIAction": 50, "DelayAITurnBegin": 20,
      "DelayGameOver": 100, "DelayDialog": 10,
      "Settings": [{"Name": "CardSorting", "Default": "Ascending"}],
      "CardPiles": [{"Type": "Draw", "Position": "110|360"},
                    {"Type": "Take", "Position": "560|240", "CardPositionOffset": "70|0",
                     "CardRowPositionOffset": "0|78", "CardsPerRowMax": 8, "CardsCentered": true},
                    {"Type": "Hand", "OwnerID": 1, "Position": "560|92", "CardPositionOffset": "32|0"},
                    {"Type": "Discard", "SecondaryID": 1, "Position": "360|92"},
                    {"Type": "Hand", "OwnerID": 0, "Position": "560|640", "CardPositionOffset": "32|0"},
                    {"Type": "Discard", "SecondaryID": 0, "Position": "360|640"},
                    {"Type": "Discard", "SecondaryID": 9, "Position": "-300|-300"}]})";
}

// Whether some table cards (any of them, in any order) add up to target: the rules' match,
// written as a subset sum apart from the game's ordered search.
bool SubsetSumCheck(const CardPile* table, i32 target)
{
   if (target <= 0)
   {
      return false;
   }
   std::vector<bool> reach(static_cast<size_t>(target) + 1, false);
   reach[0] = true;
   for (i32 i = 0; i < table->cards.count; ++i)
   {
      const i32 rank = table->cards[i]->rank;
      for (i32 s = target; s >= rank && rank > 0; --s)
      {
         reach[static_cast<size_t>(s)] =
             reach[static_cast<size_t>(s)] || reach[static_cast<size_t>(s - rank)];
      }
   }
   return reach[static_cast<size_t>(target)];
}

// The rules' "some move exists" for a hand against the table.
bool RulesMoveExists(const CardPile* hand, const CardPile* table)
{
   for (i32 a = 0; a < hand->cards.count; ++a)
   {
      if (SubsetSumCheck(table, hand->cards[a]->rank))
      {
         return true;
      }
      for (i32 t = 0; t < table->cards.count; ++t)
      {
         for (i32 b = 0; b < hand->cards.count; ++b)
         {
            if (hand->cards[b]->rank == hand->cards[a]->rank + table->cards[t]->rank)
            {
               return true;
            }
         }
      }
   }
   return false;
}

std::vector<Card*> Selected(const CardPile* pile)
{
   std::vector<Card*> out;
   for (i32 i = 0; i < pile->cards.count; ++i)
   {
      if (pile->cards[i]->selected)
      {
         out.push_back(pile->cards[i]);
      }
   }
   return out;
}

// Tuxedo with every Command 18, 19 and 20 judged by the rules before it runs, and each player's
// score followed from the rules' points.
class CheckedTuxedo : public Tuxedo
{
 public:
   const char* LayerNameGet() override { return nullptr; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CheckedTuxedo"; }

   void TurnBegin() override
   {
      Tuxedo::TurnBegin();
      committedID = -1;
      hearts = diamonds = false;
      tableAtStart = TablePileGet()->cards.count;
   }

   bool CommandExecute(const Command& command) override
   {
      if (!judging || command.type < TUXEDO_COMMAND_BUILD || command.type > TUXEDO_COMMAND_MATCH)
      {
         return Tuxedo::CommandExecute(command);
      }
      const i32 seat = PlayerIndexGet(PlayerActiveGet());
      CardPile* hand = PlayerHandGet(PlayerActiveGet());
      CardPile* table = TablePileGet();
      const std::vector<Card*> handPicked = Selected(hand);
      const std::vector<Card*> tablePicked = Selected(table);
      const i32 scoreBefore = PlayerActiveGet()->minigameScore;
      moves++;
      if (command.type == TUXEDO_COMMAND_MATCH)
      {
         EXPECT_EQ(handPicked.size(), 1u) << "one hand card matches";
         EXPECT_FALSE(tablePicked.empty());
         if (handPicked.size() != 1 || tablePicked.empty())
         {
            return Tuxedo::CommandExecute(command);
         }
         Card* card = handPicked[0];
         i32 sum = 0;
         for (Card* t : tablePicked)
         {
            sum += t->rank;
            hearts = hearts || t->suit == SUIT_HEARTS;
            diamonds = diamonds || t->suit == SUIT_DIAMONDS;
         }
         EXPECT_EQ(sum, card->rank) << "the table cards add up to the hand card";
         EXPECT_TRUE(committedID < 0 || committedID == card->id) << "the turn's committed card";
         const bool result = Tuxedo::CommandExecute(command);
         const bool goesOn = card->pile == hand;
         EXPECT_EQ(goesOn, SubsetSumCheck(table, card->rank)) << "the turn goes on exactly while it can";
         i32 points = static_cast<i32>(tablePicked.size());
         if (goesOn)
         {
            committedID = card->id;
         }
         else
         {
            points += 1;
            points += table->cards.count == 0 ? (tableAtStart < 4 ? 5 : 10) : 0;
            points += hearts && diamonds ? 10 : 0;
            sweeps += table->cards.count == 0 ? 1 : 0;
            redBonuses += hearts && diamonds ? 1 : 0;
         }
         expected[seat] += points;
         EXPECT_EQ(PlayerActiveGet()->minigameScore - scoreBefore, points);
         matches++;
         return result;
      }
      if (command.type == TUXEDO_COMMAND_BUILD)
      {
         EXPECT_TRUE(mayChooseHandCard) << "no build after a match";
         EXPECT_EQ(handPicked.size(), 1u);
         EXPECT_EQ(tablePicked.size(), 1u);
         if (handPicked.size() == 1 && tablePicked.size() == 1)
         {
            const i32 target = handPicked[0]->rank + tablePicked[0]->rank;
            bool held = false;
            for (i32 i = 0; i < hand->cards.count; ++i)
            {
               held = held || (hand->cards[i] != handPicked[0] && hand->cards[i]->rank == target);
            }
            EXPECT_TRUE(held) << "a build's sum is held in hand";
            const bool result = Tuxedo::CommandExecute(command);
            EXPECT_EQ(tablePicked[0]->rank, target);
            EXPECT_EQ(PlayerActiveGet()->minigameScore, scoreBefore) << "a build scores nothing";
            builds++;
            return result;
         }
         return Tuxedo::CommandExecute(command);
      }
      EXPECT_EQ(handPicked.size(), 1u);
      EXPECT_FALSE(RulesMoveExists(hand, table)) << "a discard only with no move";
      discards++;
      const bool result = Tuxedo::CommandExecute(command);
      EXPECT_EQ(PlayerActiveGet()->minigameScore, scoreBefore);
      return result;
   }

   void OracleCopy(const CheckedTuxedo& other)
   {
      expected[0] = other.expected[0];
      expected[1] = other.expected[1];
      committedID = other.committedID;
      hearts = other.hearts;
      diamonds = other.diamonds;
      tableAtStart = other.tableAtStart;
      judging = other.judging;
   }

   bool judging = true;
   i32 expected[2] = {0, 0};
   i32 committedID = -1;
   bool hearts = false;
   bool diamonds = false;
   i32 tableAtStart = 0;
   i32 moves = 0;
   i32 matches = 0;
   i32 builds = 0;
   i32 discards = 0;
   i32 sweeps = 0;
   i32 redBonuses = 0;
};

class TuxedoTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      FrameworkTypesRegister();
      TuxedoPlayer::ReflectionRegister();
      Tuxedo::ReflectionRegister();
      auto* record = MemoryNew<ReflectionTypeObjectTyped<CheckedTuxedo>>(HEAP_DEFAULT);
      record->Init("Corvale::CheckedTuxedo");
      record->BaseAdd(typeid(Tuxedo).name());
      ReflectionManager::TypeRegister(record);
      harness.FileWrite("Scripts/Minigames/Tuxedo.json", TuxedoConsts());
      harness.enteredConsts = TuxedoConsts();
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }

   void TearDown() override
   {
      game.buildButton = game.matchButton = nullptr;
      game.discardButton = nullptr;
      PopupManager::CloseAll();
      harness.Leave();
      ReflectionManager::Deinit();
   }

   JSONValue* Options() { return ProfileMinigameSettingsGet("Tuxedo"); }
   CardPile* Hand(i32 seat) { return game.HandGet(seat); }
   CardPile* Table() { return game.TablePileGet(); }
   CardPile* Captured(i32 seat) { return game.CapturedPileGet(seat); }
   CardPile* Spare() { return game.CardPileGet(CARD_PILE_TYPE_DISCARD, 9, -1); }
   std::string Text(CardPile* pile) { return CardGameHarness::PileText(pile); }

   // Both seats human (nothing plays by itself), the queue empty, every card in the spare pile;
   // then the named cards laid out ("7H", "TS" a ten), the stock holding draw, and the seat on
   // turn beginning its turn.
   void TableSet(const std::vector<std::string>& hand0, const std::vector<std::string>& hand1,
                 const std::vector<std::string>& table, i32 active, const std::vector<std::string>& draw = {})
   {
      harness.RunUntilSettled(400);
      game.ActionQueueClear();
      game.CardAnimationsFinish();
      game.players[0]->human = true;
      game.players[1]->human = true;
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         // Built cards go back to the rank they were made with: ranks 1 to 10, four suits each.
         game.cards[i]->rank = game.cards[i]->id / 4 + 1;
         game.cards[i]->SpriteUpdate();
         game.cards[i]->SelectedSet(false);
         Spare()->CardInsert(Spare()->cards.count, game.cards[i]);
      }
      harness.CardsPlace(Hand(0), hand0);
      harness.CardsPlace(Hand(1), hand1);
      std::vector<std::string> faceUp;
      for (const std::string& name : table)
      {
         faceUp.push_back(name + "*");
      }
      harness.CardsPlace(Table(), faceUp);
      harness.CardsPlace(game.DrawPileGet(), draw);
      game.players[0]->minigameScore = 0;
      game.players[1]->minigameScore = 0;
      game.playerActiveID = game.players[active]->id;
      game.judging = true;
      game.TurnBegin();
      game.refreshPending = false;
   }

   Card* In(CardPile* pile, const std::string& name)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         Card* card = pile->cards[i];
         if (card->rank == static_cast<i32>(ranks.find(name[0])) &&
             card->suit == static_cast<i32>(suits.find(name[1])))
         {
            return card;
         }
      }
      ADD_FAILURE() << name << " not in the pile";
      return nullptr;
   }

   static std::string Name(const Card* card)
   {
      static const char ranks[] = "XA23456789TJQK";
      static const char suits[] = "HSDC";
      return std::string(1, ranks[card->rank]) + suits[card->suit];
   }

   static std::string Names(const std::vector<Card*>& cards)
   {
      std::string text;
      for (const Card* card : cards)
      {
         text += (text.empty() ? "" : " ") + Name(card);
      }
      return text;
   }

   // Saved, loaded into fresh (entered anew, so it dealt a game of its own first) and saved again:
   // the same document. fresh becomes the harness's game.
   void RoundTrip(CheckedTuxedo& fresh)
   {
      // As a load leaves them: the human hands in their order.
      game.HandsSort();
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      harness.Enter(&fresh, 99, 98);
      harness.cardGame = &fresh;
      ASSERT_TRUE(fresh.Load(saved.get()));
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get()));
      EXPECT_EQ(fresh.cards.count, 40);
   }

   void Run(i32 type)
   {
      Command command;
      command.type = type;
      game.CommandPost(command, 0);
      harness.RunUntilIdle(400);
   }

   CardGameHarness harness;
   CheckedTuxedo game;
};

TEST_F(TuxedoTest, NewGameDealsFortyCards)
{
   // Nothing plays by itself; the deal was queued with the computer's hand face down.
   game.players[1]->human = true;
   harness.RunUntilSettled(400);
   EXPECT_EQ(game.cards.count, 40);
   EXPECT_EQ(Hand(0)->cards.count, 4);
   EXPECT_EQ(Hand(1)->cards.count, 4);
   EXPECT_EQ(Table()->cards.count, 4);
   EXPECT_EQ(game.DrawPileGet()->cards.count, 28);
   for (i32 i = 0; i < game.cards.count; ++i)
   {
      EXPECT_LE(game.cards[i]->rank, 10);
      EXPECT_GE(game.cards[i]->rank, 1);
   }
   for (i32 i = 0; i < 4; ++i)
   {
      EXPECT_TRUE(Hand(0)->cards[i]->faceUp);
      EXPECT_FALSE(Hand(1)->cards[i]->faceUp);
      EXPECT_TRUE(Table()->cards[i]->faceUp);
   }
   // The human dealt, the computer begins; the human's hand ascends, then by suit.
   EXPECT_EQ(game.dealerPlayerID, game.players[0]->id);
   EXPECT_EQ(game.playerActiveID, game.players[1]->id);
   for (i32 i = 1; i < 4; ++i)
   {
      const Card* a = Hand(0)->cards[i - 1];
      const Card* b = Hand(0)->cards[i];
      EXPECT_TRUE(a->rank < b->rank || (a->rank == b->rank && a->suit < b->suit));
   }
   Options()->ItemStringSet("CardSorting", "Descending");
   game.players[1]->human = false;
   game.HandsSort();
   EXPECT_EQ(Hand(0)->sortType, 4);
   EXPECT_EQ(Hand(1)->sortType, 0);
   EXPECT_GE(Hand(0)->cards[0]->rank, Hand(0)->cards[3]->rank);
   Options()->ItemStringSet("CardSorting", "Anything");
   EXPECT_EQ(game.CardSortingDirectionGet(), 1);
   Options()->ItemStringSet("CardSorting", "Ascending");
   EXPECT_EQ(game.CardSortingDirectionGet(), 0);
}

TEST_F(TuxedoTest, SumCombinationsInTableOrder)
{
   const struct
   {
      std::vector<std::string> table;
      i32 target, start;
      bool found;
      i32 count;
      std::string picked;
   } cases[] = {
       {{"3H", "4S", "2D"}, 7, 0, true, 2, "3H 4S"},
       {{"3H", "4S", "2D"}, 7, 1, false, 0, ""},
       {{"4H", "5S", "9D"}, 9, 0, true, 2, "4H 5S"},
       {{"4H", "5S", "9D"}, 9, 2, true, 1, "9D"},
       {{"4H", "5S", "9D"}, 9, 1, false, 0, ""},
       // The first card alone too big, or the last card short of the target.
       {{"8H", "AS"}, 7, 0, false, 0, ""},
       {{"2H", "3S"}, 7, 0, false, 0, ""},
       // Depth first: 1+2+3 is found before 1+5.
       {{"AH", "2S", "3D", "5C"}, 6, 0, true, 3, "AH 2S 3D"},
       {{"AH", "5S", "2D", "3C"}, 6, 0, true, 2, "AH 5S"},
       // A skipped card in the middle.
       {{"2H", "9S", "5D"}, 7, 0, true, 2, "2H 5D"},
       {{"AH", "AS", "AD", "AC", "2H", "2S", "2D", "2C"}, 10, 0, true, 7, "AH AS AD AC 2H 2S 2D"},
       {{}, 5, 0, false, 0, ""},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::to_string(c.target) + " from " + std::to_string(c.start));
      TableSet({}, {}, c.table, 0);
      i32 counter = 3;
      EXPECT_EQ(Tuxedo::SumCombinationFind(c.target, 0, Table(), c.start, &counter), c.found);
      EXPECT_EQ(counter, 3 + c.count) << "the counter grows by the combination's cards only";
      EXPECT_EQ(game.SumCombinationSelect(c.target, Table(), c.start), c.found);
      EXPECT_EQ(Names(Selected(Table())), c.picked);
   }
   // Every even card on the table and an odd target: the search must not explode.
   std::vector<std::string> evens;
   for (i32 i = 0; i < 4; ++i)
   {
      for (const char* rank : {"2", "4", "6", "8", "T"})
      {
         evens.push_back(std::string(rank) + "HSDC"[i]);
      }
   }
   TableSet({"9H"}, {}, evens, 0);
   const auto start = std::chrono::steady_clock::now();
   EXPECT_FALSE(game.MovePossibleCheck());
   EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
}

TEST_F(TuxedoTest, ChecksAndTheButtonsTheyEnable)
{
   PressButtonWidget build, match, discard;
   game.buildButton = &build;
   game.matchButton = &match;
   game.discardButton = &discard;
   auto buttons = [&]()
   {
      return std::string(build.enabled ? "B" : "-") + (match.enabled ? "M" : "-") +
             (discard.enabled ? "D" : "-");
   };

   TableSet({"7H", "2S", "9D"}, {"AC"}, {"3C", "4D", "5S"}, 0);
   EXPECT_EQ(buttons(), "---") << "nothing chosen yet";
   EXPECT_FALSE(game.noMove);
   EXPECT_TRUE(game.MovePossibleCheck());
   EXPECT_FALSE(game.MatchCheck());
   game.CardChoose(In(Hand(0), "7H"));
   EXPECT_TRUE(game.MatchWithSelectedPossible());
   EXPECT_EQ(buttons(), "---");
   game.CardChoose(In(Table(), "3C"));
   EXPECT_EQ(buttons(), "---") << "3 is not 7";
   game.CardChoose(In(Table(), "4D"));
   EXPECT_EQ(buttons(), "-M-");
   game.CardChoose(In(Table(), "5S"));
   EXPECT_EQ(buttons(), "---") << "12 is not 7";
   game.CardChoose(In(Table(), "5S"));
   game.CardChoose(In(Table(), "4D"));
   // Choosing another hand card moves the choice: 2 on 5 builds the 7 held.
   game.CardChoose(In(Hand(0), "2S"));
   EXPECT_EQ(Selected(Hand(0)).size(), 1u);
   EXPECT_EQ(buttons(), "---") << "2 + 3 = 5 is not held";
   game.CardChoose(In(Table(), "3C"));
   game.CardChoose(In(Table(), "5S"));
   EXPECT_TRUE(game.BuildCheck());
   EXPECT_EQ(buttons(), "B--");
   game.CardChoose(In(Table(), "4D"));
   EXPECT_FALSE(game.BuildCheck()) << "a build takes exactly one table card";
   EXPECT_EQ(buttons(), "---");
   // A card of the other hand is no choice.
   game.CardChoose(In(Hand(1), "AC"));
   EXPECT_FALSE(In(Hand(1), "AC")->selected);

   // No move: only Discard, and only with a hand card chosen.
   TableSet({"TH", "9S"}, {"AC"}, {"2C", "2D"}, 0);
   EXPECT_TRUE(game.noMove);
   EXPECT_FALSE(game.MovePossibleCheck());
   game.CardChoose(In(Table(), "2C"));
   EXPECT_EQ(buttons(), "---");
   game.CardChoose(In(Hand(0), "9S"));
   EXPECT_EQ(buttons(), "--D");

   // The rule holds each frame while the human may act; otherwise all three are off.
   harness.Frame();
   EXPECT_EQ(buttons(), "--D");
   game.playerActiveID = game.players[1]->id;
   game.players[1]->human = false;
   harness.Frame();
   EXPECT_EQ(buttons(), "---");

   const struct
   {
      std::vector<std::string> hand, table, pickedTable;
      std::string pickedHand;
      bool match, build, possible, withSelected;
   } cases[] = {
       {{"7H"}, {"3C", "4D"}, {"3C", "4D"}, "7H", true, false, true, true},
       {{"7H"}, {}, {}, "7H", false, false, false, false},
       {{"7H", "9S"}, {"2C"}, {"2C"}, "7H", false, true, true, false},
       {{"7H", "9S"}, {"2C"}, {}, "", false, false, true, false},
       {{"5H", "TS"}, {"5C"}, {"5C"}, "5H", true, true, true, true},
       {{"3H"}, {"AC", "AD", "AS"}, {"AC", "AD"}, "3H", false, false, true, true},
       {{"TH", "9H"}, {"2C", "3D"}, {"2C"}, "TH", false, false, false, false},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.pickedHand + " on " + std::to_string(c.table.size()) + " cards");
      TableSet(c.hand, {}, c.table, 0);
      if (!c.pickedHand.empty())
      {
         game.CardSelectedSet(In(Hand(0), c.pickedHand), true);
      }
      for (const std::string& name : c.pickedTable)
      {
         game.CardSelectedSet(In(Table(), name), true);
      }
      EXPECT_EQ(game.MatchCheck(), c.match);
      EXPECT_EQ(game.BuildCheck(), c.build);
      EXPECT_EQ(game.MovePossibleCheck(), c.possible);
      EXPECT_EQ(game.MatchWithSelectedPossible(), c.withSelected);
   }
}

TEST_F(TuxedoTest, AMatchGoesOnWithTheSameCardThenEnds)
{
   // 7 takes 3 and 4; the 2 left is no match, so the 7 is captured and the turn passes.
   TableSet({"7H", "9S"}, {"AC"}, {"3C", "4D", "2S"}, 0, {"8C", "8D"});
   game.CardChoose(In(Hand(0), "7H"));
   game.CardChoose(In(Table(), "3C"));
   game.CardChoose(In(Table(), "4D"));
   Run(TUXEDO_COMMAND_MATCH);
   EXPECT_EQ(Text(Captured(0)), "4D* 3C* 7H*");
   EXPECT_EQ(Text(Table()), "2S*");
   EXPECT_EQ(game.players[0]->minigameScore, 3) << "three cards, no sweep, no red pair";
   EXPECT_EQ(game.playerActiveID, game.players[1]->id);

   // 9 takes 4 and 5 and goes on with the 9 left: the hand card is committed meanwhile.
   TableSet({"9H", "3S"}, {"AC"}, {"4C", "5S", "9C", "3D"}, 0, {"8C", "8D"});
   game.CardChoose(In(Hand(0), "9H"));
   game.CardChoose(In(Table(), "4C"));
   game.CardChoose(In(Table(), "5S"));
   Run(TUXEDO_COMMAND_MATCH);
   EXPECT_EQ(Text(Captured(0)), "5S* 4C*");
   EXPECT_EQ(game.playerActiveID, game.players[0]->id) << "the turn goes on";
   EXPECT_FALSE(game.mayChooseHandCard);
   game.CardChoose(In(Hand(0), "3S"));
   EXPECT_TRUE(In(Hand(0), "9H")->selected) << "the committed card stays chosen";
   EXPECT_FALSE(In(Hand(0), "3S")->selected);
   game.CardChoose(In(Table(), "9C"));
   Run(TUXEDO_COMMAND_MATCH);
   EXPECT_EQ(Text(Captured(0)), "5S* 4C* 9C* 9H*");
   EXPECT_EQ(Text(Table()), "3D*");
   EXPECT_EQ(game.players[0]->minigameScore, 4);
   EXPECT_EQ(game.playerActiveID, game.players[1]->id);
}

TEST_F(TuxedoTest, SweepsAndTheRedPairScore)
{
   const struct
   {
      std::vector<std::string> hand, table, taken;
      std::string card;
      i32 score;
   } cases[] = {
       // 2 and 5 with a 7: three cards began the turn, so the sweep adds 5.
       {{"7S", "9S"}, {"2C", "5S"}, {"2C", "5S"}, "7S", 3 + 5},
       {{"7S", "9S"}, {"2C", "5S", "AC", "AS"}, {"2C", "5S"}, "7S", 3},
       // Four at the start: 10.
       {{"6S"}, {"AC", "AS", "2C", "2S"}, {"AC", "AS", "2C", "2S"}, "6S", 5 + 10},
       // A Heart and a Diamond in one turn: 10, with or without a sweep.
       {{"7S"}, {"3H", "4D", "9C"}, {"3H", "4D"}, "7S", 3 + 10},
       {{"7S"}, {"3H", "4D"}, {"3H", "4D"}, "7S", 3 + 5 + 10},
       // The hand card's own suit does not count.
       {{"7D"}, {"3H", "4S", "9C"}, {"3H", "4S"}, "7D", 3},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.card + " takes " + std::to_string(c.taken.size()));
      TableSet(c.hand, {"AD"}, c.table, 0, {"8C", "8D"});
      game.CardChoose(In(Hand(0), c.card));
      for (const std::string& name : c.taken)
      {
         game.CardChoose(In(Table(), name));
      }
      Run(TUXEDO_COMMAND_MATCH);
      EXPECT_EQ(game.players[0]->minigameScore, c.score);
      EXPECT_EQ(game.playerActiveID, game.players[1]->id);
   }
   // Two matches of one turn, a Heart in the first and a Diamond in the second: the bonus once.
   TableSet({"5C"}, {"AD"}, {"5H", "5D", "9S"}, 0, {"8C", "8D"});
   game.CardChoose(In(Hand(0), "5C"));
   game.CardChoose(In(Table(), "5H"));
   Run(TUXEDO_COMMAND_MATCH);
   EXPECT_TRUE(game.capturedHeart);
   game.CardChoose(In(Table(), "5D"));
   Run(TUXEDO_COMMAND_MATCH);
   EXPECT_EQ(game.players[0]->minigameScore, 3 + 10);
}

TEST_F(TuxedoTest, BuildsAndDiscards)
{
   // 4 on 3 with a 7 held: the 3 becomes a 7 of clubs, the 4 is laid aside without points.
   TableSet({"4H", "7S", "9S"}, {"7D", "AC"}, {"3C", "8H"}, 0, {"8C", "8D"});
   game.CardChoose(In(Hand(0), "4H"));
   game.CardChoose(In(Table(), "3C"));
   Run(TUXEDO_COMMAND_BUILD);
   EXPECT_EQ(Text(Table()), "7C* 8H*");
   EXPECT_EQ(Text(Captured(0)), "4H*");
   EXPECT_EQ(game.players[0]->minigameScore, 0);
   EXPECT_EQ(game.playerActiveID, game.players[1]->id);
   // The other player captures the built card with its own 7.
   game.TurnBegin();
   game.CardSelectedSet(In(Hand(1), "7D"), true);
   game.CardSelectedSet(In(Table(), "7C"), true);
   Run(TUXEDO_COMMAND_MATCH);
   EXPECT_EQ(Text(Captured(1)), "7C* 7D*");
   EXPECT_EQ(game.players[1]->minigameScore, 2);
   // A built card survives a save and a load with its new rank.
   TableSet({"4H", "7S", "9S"}, {"7D", "AC"}, {"3C", "8H"}, 0, {"8C", "8D"});
   game.CardChoose(In(Hand(0), "4H"));
   game.CardChoose(In(Table(), "3C"));
   Run(TUXEDO_COMMAND_BUILD);
   {
      CheckedTuxedo fresh;
      RoundTrip(fresh);
      EXPECT_EQ(CardGameHarness::PileText(fresh.TablePileGet()), "7C* 8H*");
      // Left while the loaded game still lives.
      harness.Enter(&game, 5, 6);
      harness.cardGame = &game;
   }

   // Discard refused while a move exists; allowed, face up onto the table, when none does.
   TableSet({"TH", "9S"}, {"AC"}, {"2C", "7D"}, 0, {"8C", "8D"});
   game.judging = false;
   game.CardChoose(In(Hand(0), "TH"));
   Run(TUXEDO_COMMAND_DISCARD);
   EXPECT_EQ(Hand(0)->cards.count, 2) << "9 = 2 + 7 is a match";
   TableSet({"TH", "9S"}, {"AC"}, {"2C", "2D"}, 0, {"8C", "8D"});
   game.CardChoose(In(Table(), "2C"));
   game.CardChoose(In(Hand(0), "TH"));
   Run(TUXEDO_COMMAND_DISCARD);
   EXPECT_EQ(Text(Table()), "2C* 2D* TH*");
   EXPECT_TRUE(Selected(Table()).empty());
   EXPECT_EQ(game.players[0]->minigameScore, 0);
   EXPECT_EQ(game.playerActiveID, game.players[1]->id);
   // A match whose cards do not add up is refused and changes nothing.
   TableSet({"7H"}, {"AC"}, {"3C", "5D"}, 0, {"8C", "8D"});
   game.judging = false;
   game.CardChoose(In(Hand(0), "7H"));
   game.CardChoose(In(Table(), "3C"));
   game.CardChoose(In(Table(), "5D"));
   Run(TUXEDO_COMMAND_MATCH);
   EXPECT_EQ(Text(Table()), "3C* 5D*");
   EXPECT_EQ(game.playerActiveID, game.players[0]->id);
}

TEST_F(TuxedoTest, TheComputersChoices)
{
   const struct
   {
      std::vector<std::string> hand, table;
      std::string hand0, tableChosen;
      i32 command;
   } cases[] = {
       // 9 from the 4 counts two cards, from the 9 one: it takes 4 and 5.
       {{"9H"}, {"4C", "5S", "9C"}, "9H", "4C 5S", TUXEDO_COMMAND_MATCH},
       // The largest count over every hand card, the earliest on equal counts.
       {{"5H", "6H"}, {"AC", "5S", "4C", "2D"}, "5H", "AC 4C", TUXEDO_COMMAND_MATCH},
       {{"6H", "5H"}, {"AC", "5S", "4C", "2D"}, "6H", "AC 5S", TUXEDO_COMMAND_MATCH},
       {{"5H", "6H"}, {"5S", "6S"}, "5H", "5S", TUXEDO_COMMAND_MATCH},
       // No match: 2 on 5 builds the 7 held.
       {{"2H", "7H"}, {"5C"}, "2H", "5C", TUXEDO_COMMAND_BUILD},
       // No move: the rank held most often goes.
       {{"3H", "8H", "3S"}, {"TC"}, "3H", "", TUXEDO_COMMAND_DISCARD},
       {{"8H", "9H"}, {"TC"}, "8H", "", TUXEDO_COMMAND_DISCARD},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.hand0 + " " + c.tableChosen);
      TableSet({"AC"}, c.hand, c.table, 1, {"8C", "8D"});
      game.players[1]->human = false;
      game.judging = false;
      game.AITurnTake();
      ASSERT_EQ(game.actionQueue.count, 1);
      EXPECT_EQ(game.actionQueue[0].command.type, c.command);
      const std::vector<Card*> hand = Selected(Hand(1));
      ASSERT_EQ(hand.size(), 1u);
      EXPECT_EQ(hand[0], In(Hand(1), c.hand0));
      EXPECT_EQ(Names(Selected(Table())), c.tableChosen);
      game.ActionQueueClear();
   }
   // A committed card matches alone, though the 9 would take three cards.
   TableSet({"AC"}, {"5H", "9S"}, {"5C", "2D", "3D", "4D"}, 1, {"8C", "8D"});
   game.mayChooseHandCard = false;
   game.CardSelectedSet(In(Hand(1), "5H"), true);
   game.AITurnTake();
   EXPECT_EQ(Names(Selected(Hand(1))), "5H");
   EXPECT_EQ(Names(Selected(Table())), "2D 3D");
}

TEST_F(TuxedoTest, RedealsAndTheEnd)
{
   // Both hands empty: four more each, the player after the dealer first; four left: two each.
   TableSet({}, {}, {"TC"}, 1, {"AH", "2H", "3H", "4H", "5H", "6H", "7H", "8H", "9H", "TH", "AS", "2S"});
   game.DealerSet(game.players[0]);
   game.refreshPending = true;
   ASSERT_TRUE(harness.RunUntilIdle(400));
   EXPECT_EQ(Hand(0)->cards.count, 4);
   EXPECT_EQ(Hand(1)->cards.count, 4);
   EXPECT_EQ(In(Hand(1), "2S")->pile, Hand(1)) << "the top card to the player after the dealer";
   TableSet({}, {}, {"TC"}, 1, {"AH", "2H", "3H", "4H"});
   game.DealerSet(game.players[0]);
   game.refreshPending = true;
   ASSERT_TRUE(harness.RunUntilIdle(400));
   EXPECT_EQ(Hand(0)->cards.count, 2);
   EXPECT_EQ(Hand(1)->cards.count, 2);

   const struct
   {
      i32 score0, score1;
      i32 result, winner;
   } cases[] = {
       {12, 9, MINIGAME_RESULT_WON, 0}, {9, 12, MINIGAME_RESULT_LOST, 1}, {10, 10, MINIGAME_RESULT_WON, 0}};
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::to_string(c.score0) + ":" + std::to_string(c.score1));
      harness.Enter(&game, 7, 8);
      harness.cardGame = &game;
      TableSet({}, {}, {"TC", "9C"}, 1);
      game.players[0]->minigameScore = c.score0;
      game.players[1]->minigameScore = c.score1;
      // Won or lost is the human's view: the computer's win is the human's loss.
      game.players[1]->human = false;
      game.refreshPending = true;
      ASSERT_TRUE(harness.RunUntilIdle(400));
      EXPECT_EQ(game.gameResult, c.result);
      EXPECT_TRUE(game.players[c.winner]->minigameWinner);
      EXPECT_FALSE(game.players[1 - c.winner]->minigameWinner);
      EXPECT_EQ(Table()->cards.count, 2) << "left on the table for nobody";
      EXPECT_EQ(game.players[0]->minigameScore, c.score0);
      // The results name the winner once, however often they are shown.
      game.ResultsShow();
      game.ResultsShow();
      i32 open = 0;
      for (i32 i = 0; i < PopupManager::popups.count; ++i)
      {
         open += PopupManager::popups[i] == &TuxedoResultsPopup::instance ? 1 : 0;
      }
      EXPECT_EQ(open, 1);
      EXPECT_EQ(TuxedoResultsPopup::instance.game, &game);
      EXPECT_EQ(game.WinnerSeatGet(), c.winner);
      game.ResultsHide();
      PopupManager::CloseAll();
   }
}

TEST_F(TuxedoTest, TheTurnStateSurvivesALoadBetweenTwoMatches)
{
   TableSet({"5C", "TS"}, {"AD"}, {"5H", "5D", "9S"}, 0, {"8C", "8D"});
   game.CardChoose(In(Hand(0), "5C"));
   game.CardChoose(In(Table(), "5H"));
   Run(TUXEDO_COMMAND_MATCH);
   ASSERT_FALSE(game.mayChooseHandCard);
   ASSERT_TRUE(game.capturedHeart);
   CheckedTuxedo fresh;
   RoundTrip(fresh);
   EXPECT_FALSE(fresh.mayChooseHandCard);
   EXPECT_TRUE(fresh.capturedHeart);
   EXPECT_EQ(fresh.tableCountTurnBegin, 3);
   fresh.players[0]->human = true;
   fresh.players[1]->human = true;
   fresh.judging = false;
   // The committed card stays the one chosen after the load.
   fresh.CardChoose(fresh.PlayerHandGet(fresh.players[0])->cards[1]);
   EXPECT_TRUE(fresh.HandCardSelectedGet() && fresh.HandCardSelectedGet()->rank == 5);
   fresh.CardChoose(fresh.TablePileGet()->cards[0]);
   Command command;
   command.type = TUXEDO_COMMAND_MATCH;
   fresh.CommandPost(command, 0);
   harness.RunUntilIdle(400);
   EXPECT_EQ(fresh.players[0]->minigameScore, 3 + 10) << "the Heart before the load counts";
   harness.Enter(&game, 5, 6);
   harness.cardGame = &game;
}

// One game of two computers until it ends or the frame cap; stopAt decides where to stop early.
template <class Stop> bool GamePlay(CardGameHarness& harness, CheckedTuxedo& game, i32 maxFrames, Stop stopAt)
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

std::string FinalDocument(CheckedTuxedo& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

TEST_F(TuxedoTest, SeededGamesOfComputerPlayers)
{
   harness.afterFrame = [this]()
   {
      const CardGame* current = harness.cardGame;
      bool held[40] = {};
      i32 count = 0;
      bool sound = current->cards.count == 40;
      for (i32 p = 0; sound && p < current->cardPiles.count; ++p)
      {
         const CardPile* pile = current->cardPiles[p];
         for (i32 i = 0; sound && i < pile->cards.count; ++i)
         {
            const Card* card = pile->cards[i];
            sound = card->id >= 0 && card->id < 40 && !held[card->id] && card->pile == pile;
            held[sound ? card->id : 0] = true;
            count++;
         }
      }
      if (!sound || count != 40)
      {
         ADD_FAILURE() << "cards lost or doubled after frame " << harness.frames;
      }
   };
   harness.frameMilliseconds = 400;
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   const i32 frameCap = 4000;
   i32 reloads = 0;
   i32 midTurnReloads = 0;
   i32 winners[2] = {0, 0};
   i32 matches = 0, builds = 0, discards = 0, sweeps = 0, redBonuses = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      Options()->ItemStringSet("CardSorting", seed % 2 ? "Ascending" : "Descending");
      auto begin = [&](CheckedTuxedo& which)
      {
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.playerActiveID = which.players[seed % 2]->id;
         which.expected[0] = which.expected[1] = 0;
         which.judging = true;
         which.GameNew();
         which.players[0]->human = false;
      };
      begin(game);
      ASSERT_TRUE(GamePlay(harness, game, frameCap, [](i32) { return false; })) << "the game hung";
      matches += game.matches;
      builds += game.builds;
      discards += game.discards;
      sweeps += game.sweeps;
      redBonuses += game.redBonuses;
      game.matches = game.builds = game.discards = game.sweeps = game.redBonuses = 0;
      // The rules' points: the cards each captured by matches and its bonuses.
      EXPECT_EQ(game.players[0]->minigameScore, game.expected[0]);
      EXPECT_EQ(game.players[1]->minigameScore, game.expected[1]);
      EXPECT_EQ(game.DrawPileGet()->cards.count, 0);
      EXPECT_EQ(game.HandGet(0)->cards.count + game.HandGet(1)->cards.count, 0);
      const i32 winner = game.players[1]->minigameScore > game.players[0]->minigameScore ? 1 : 0;
      EXPECT_TRUE(game.players[winner]->minigameWinner);
      // No human at the table: every end is a loss for the local human.
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST);
      winners[winner]++;
      if (seed % 10 != 0)
      {
         continue;
      }
      // Again, saved at a frame drawn from the seed (every other time between two matches of a
      // turn) and loaded into a freshly entered game.
      const std::string uninterrupted = FinalDocument(game);
      begin(game);
      const i32 stop = 10 + (seed * 7919) % 120;
      const bool midTurn = seed % 20 == 0;
      ASSERT_TRUE(GamePlay(harness, game, frameCap,
                           [&](i32 frame)
                           { return midTurn ? frame >= 4 && !game.mayChooseHandCard : frame >= stop; }));
      if (game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         continue;
      }
      midTurnReloads += midTurn ? 1 : 0;
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      CheckedTuxedo fresh;
      harness.Enter(&fresh, 99, 98);
      harness.cardGame = &fresh;
      ASSERT_TRUE(fresh.Load(saved.get()));
      fresh.OracleCopy(game);
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      ASSERT_TRUE(GamePlay(harness, fresh, frameCap, [](i32) { return false; })) << "the loaded game hung";
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      EXPECT_EQ(fresh.players[0]->minigameScore, fresh.expected[0]);
      EXPECT_EQ(fresh.players[1]->minigameScore, fresh.expected[1]);
      reloads++;
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }
   harness.afterFrame = nullptr;
   EXPECT_GE(reloads, games / 20);
   EXPECT_GT(midTurnReloads, 0);
   EXPECT_GT(winners[0], 0);
   EXPECT_GT(winners[1], 0);
   EXPECT_GT(builds, 0);
   EXPECT_GT(discards, 0);
   EXPECT_GT(sweeps, 0);
   EXPECT_GT(redBonuses, 0);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf(
       "%d games, %d matches, %d builds, %d discards, %d sweeps, %d red pairs, %d reloads (%d mid-turn), "
       "%.1f games per second\n",
       games, matches, builds, discards, sweeps, redBonuses, reloads, midTurnReloads, games / seconds);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
