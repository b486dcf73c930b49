// Go Fish headless: asking and fishing on stacked hands, the speech by count, books, refills, the
// turn and the end, the record of asks, the sorted hand, the computer's memory and its random
// choice, the results text, and many seeded games of four computers checked against the rules.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/Action.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardSort.h"
#include "cardgame/Command.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeBasic.h"
#include "core/ReflectionTypeObject.h"
#include "games/table/GoFish.h"
#include "games/table/GoFishResultsPopup.h"
#include "gui/dialog/DialogManager.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
std::string GoFishConsts(bool memory = true)
{
   return std::string(
              R"({"DelayCardDeal": 10, "DelayAIAction": 50, "DelayAITurnBegin": 20, "DelayGameOver": 100,
      "Settings": [{"Name": "CardSorting", "Default": "Ascending"}, {"Name": "Difficulty", "Default": "Medium"}],)") +
          (memory ? R"("AIHistoryLengths": {"Easy": 1, "Medium": 4, "Hard": 25},)" : "") +
          R"("CardPiles": [{"Type": "Draw", "Position": "440|386"},
                    {"Type": "Discard", "Position": "560|386"},
                    {"Type": "Hand", "OwnerID": 0, "Position": "354|646", "CardPositionOffset": "32|0"},
                    {"Type": "Hand", "OwnerID": 1, "Position": "60|422", "CardPositionOffset": "12|0"},
                    {"Type": "Hand", "OwnerID": 2, "Position": "420|210", "CardPositionOffset": "12|0"},
                    {"Type": "Hand", "OwnerID": 3, "Position": "680|422", "CardPositionOffset": "12|0"},
                    {"Type": "Tableau", "Position": "-300|-300"}]})";
}

// Go Fish watched by the rules: every Command 16 a computer posts is checked in its pair (its own
// card, then a card of another player's non-empty hand), and each ask, once its cards have moved,
// against what the rules give: the asked cards, else the stock's top, and who is on turn.
class CheckedGoFish : public GoFish
{
 public:
   const char* LayerNameGet() override { return nullptr; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CheckedGoFish"; }

   bool CommandExecute(const Command& command) override
   {
      const Player* active = PlayerActiveGet();
      Card* card = command.type == COMMAND_CARD_CHOOSE ? CardGet(command.intParam0) : nullptr;
      if (card && active && !active->human)
      {
         const CardPile* pile = card->pile;
         if (!choiceOwn)
         {
            EXPECT_TRUE(pile && pile->type == CARD_PILE_TYPE_HAND && pile->ownerID == active->id)
                << "a computer's first choice is a card of its own hand";
            choiceOwn = card;
         }
         else
         {
            EXPECT_TRUE(pile && pile->type == CARD_PILE_TYPE_HAND && pile->ownerID != active->id &&
                        pile->cards.count > 0)
                << "the second choice is a card of another player's hand";
            AskExpect(active->id, pile->ownerID, choiceOwn->rank);
            choiceOwn = nullptr;
            pairs++;
         }
      }
      return GoFish::CommandExecute(command);
   }

   void AskExpect(i32 asker, i32 asked, i32 rank)
   {
      ask.pending = true;
      ask.asker = asker;
      ask.rank = rank;
      ask.given = PlayerHandGet(PlayerGet(asked))->CardsOfRankCount(rank);
      ask.askedHand = PlayerHandGet(PlayerGet(asked));
      ask.askerBefore = PlayerHandGet(PlayerGet(asker))->cards.count;
      const CardPile* stock = StockGet();
      ask.drawn = ask.given == 0 && stock ? stock->CardTopGet() : nullptr;
      ask.stockBefore = stock ? stock->cards.count : 0;
   }

   void Refresh() override
   {
      if (ask.pending)
      {
         ask.pending = false;
         const CardPile* hand = PlayerHandGet(PlayerGet(ask.asker));
         EXPECT_EQ(ask.askedHand->CardsOfRankCount(ask.rank), 0) << "the asked player gives every card";
         if (ask.given > 0)
         {
            EXPECT_EQ(hand->cards.count, ask.askerBefore + ask.given);
            EXPECT_EQ(playerActiveID, ask.asker) << "cards given keep the turn";
         }
         else if (ask.drawn)
         {
            EXPECT_EQ(ask.drawn->pile, hand) << "the stock's top is drawn";
            EXPECT_EQ(StockGet()->cards.count, ask.stockBefore - 1);
            EXPECT_EQ(playerActiveID == ask.asker, ask.drawn->rank == ask.rank)
                << "a lucky draw keeps the turn";
         }
         else
         {
            EXPECT_NE(playerActiveID, ask.asker) << "an empty stock passes the turn";
         }
         asks++;
      }
      // Every laid book is four cards of one rank.
      const CardPile* books = BooksGet();
      for (i32 i = 0; i + 3 < books->cards.count; i += 4)
      {
         for (i32 k = 1; k < 4; ++k)
         {
            EXPECT_EQ(books->cards[i + k]->rank, books->cards[i]->rank) << "book " << i / 4;
         }
      }
      GoFish::Refresh();
   }

   // The watch by IDs, so that a loaded game can take it over: a pair half made, an ask not yet
   // settled.
   struct Watch
   {
      i32 choiceOwnID = -1;
      i32 askedHandID = -1;
      i32 drawnID = -1;
   };
   Watch WatchGet() const
   {
      return {choiceOwn ? choiceOwn->id : -1, ask.askedHand ? ask.askedHand->id : -1,
              ask.drawn ? ask.drawn->id : -1};
   }
   void WatchAdopt(const Watch& watch, const CheckedGoFish& from)
   {
      ask = from.ask;
      choiceOwn = watch.choiceOwnID >= 0 ? CardGet(watch.choiceOwnID) : nullptr;
      ask.askedHand = watch.askedHandID >= 0 ? CardPileByIDGet(watch.askedHandID) : nullptr;
      ask.drawn = watch.drawnID >= 0 ? CardGet(watch.drawnID) : nullptr;
   }

   struct
   {
      bool pending = false;
      i32 asker = -1;
      i32 rank = 0;
      i32 given = 0;
      i32 askerBefore = 0;
      i32 stockBefore = 0;
      const CardPile* askedHand = nullptr;
      const Card* drawn = nullptr;
   } ask;
   const Card* choiceOwn = nullptr;
   i32 pairs = 0;
   i32 asks = 0;
};

class GoFishTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      FrameworkTypesRegister();
      ReflectionTypeInt::EnumerationRegister<Rank>("Corvale::Rank");
      GoFishPlayer::ReflectionRegister();
      GoFish::ReflectionRegister();
      auto* record = MemoryNew<ReflectionTypeObjectTyped<CheckedGoFish>>(HEAP_DEFAULT);
      record->Init("Corvale::CheckedGoFish");
      record->BaseAdd(typeid(GoFish).name());
      ReflectionManager::TypeRegister(record);
      Enter(GoFishConsts());
   }

   void TearDown() override
   {
      harness.Leave();
      dialogManager.Deinit();
      ReflectionManager::Deinit();
   }

   void Enter(const std::string& consts)
   {
      harness.FileWrite("Scripts/Minigames/GoFish.json", consts);
      harness.enteredConsts = consts;
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }

   JSONValue* Options() { return ProfileMinigameSettingsGet("GoFish"); }
   GoFishPlayer* Seat(i32 i) { return dynamic_cast<GoFishPlayer*>(game.players[i]); }
   CardPile* Hand(i32 i) { return game.PlayerHandGet(game.players[i]); }
   CardPile* Spare() { return game.CardPileGet(CARD_PILE_TYPE_TABLEAU, -1, -1); }
   std::string Text(const CardPile* pile) { return CardGameHarness::PileText(pile); }

   // Seat 0 the local human, the others remote (nothing plays by itself, nothing sorts or turns
   // their hands); every card in the spare pile; then the named cards laid out, bottom first.
   void TableSet(const std::vector<std::vector<std::string>>& hands, const std::vector<std::string>& stock,
                 const std::vector<std::string>& books, i32 active)
   {
      game.ActionQueueClear();
      game.CardAnimationsFinish();
      for (i32 i = 0; i < 4; ++i)
      {
         game.players[i]->human = true;
         game.players[i]->local = i == 0;
         game.players[i]->minigameScore = 0;
         Hand(i)->sortType = CARD_SORT_TYPE_UNSORTED;
         Seat(i)->rankAsks.SizeSet(0);
      }
      CardPile* spare = Spare();
      ASSERT_NE(spare, nullptr);
      for (i32 i = 0; i < game.cards.count; ++i)
      {
         game.cards[i]->SelectedSet(false);
         spare->CardInsert(spare->cards.count, game.cards[i]);
      }
      game.selectedCardID = -1;
      for (i32 i = 0; i < 4; ++i)
      {
         harness.CardsPlace(Hand(i), hands[i]);
      }
      harness.CardsPlace(game.StockGet(), stock);
      harness.CardsPlace(game.BooksGet(), books);
      game.playerActiveID = game.players[active]->id;
      game.refreshPending = false;
   }

   CardGameHarness harness;
   CheckedGoFish game;
};

TEST_F(GoFishTest, NewGameDealsFiveEachAndShowsTheHumanHand)
{
   game.players[1]->human = false;
   ASSERT_TRUE(harness.RunUntilSettled(400));
   EXPECT_EQ(game.StockGet()->cards.count, 32);
   for (i32 i = 0; i < 4; ++i)
   {
      // A computer on turn may already have asked; nobody has fewer than one card or more than nine.
      const CardPile* hand = Hand(i);
      EXPECT_GT(hand->cards.count, 0);
      for (i32 c = 0; c < hand->cards.count; ++c)
      {
         EXPECT_EQ(hand->cards[c]->faceUp, i == 0) << "seat " << i;
      }
   }
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(GoFishTest, AskingGivesTheCardsOrSendsFishing)
{
   const struct
   {
      const char* what;
      i32 asker, asked, rank;
      std::vector<std::string> askerHand, askedHand, stock;
      std::string askerAfter, askedAfter, stockAfter;
      i32 activeAfter;
   } cases[] = {
       {"cards given in hand order",
        1,
        2,
        7,
        {"2C", "7D"},
        {"7H", "3C", "7S", "9D"},
        {"KD"},
        "2C 7D 7H 7S",
        "3C 9D",
        "KD",
        1},
       {"none: the asked rank drawn", 1, 2, 5, {"5C"}, {"3C"}, {"KD", "5D"}, "5C 5D", "3C", "KD", 1},
       {"none: another rank drawn", 1, 2, 5, {"5C"}, {"3C"}, {"5D", "KD"}, "5C KD", "3C", "5D", 2},
       {"none and an empty stock", 3, 0, 5, {"5C"}, {"3C"}, {}, "5C", "3C*", "", 0},
       {"the human draws face up", 0, 3, 4, {"4C"}, {"3C"}, {"JD"}, "4C* JD*", "3C", "", 1},
       {"the human receives face up",
        0,
        1,
        4,
        {"4C"},
        {"4S", "JC", "4D"},
        {"JD"},
        "4C* 4S* 4D*",
        "JC",
        "JD",
        0},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.what);
      std::vector<std::vector<std::string>> hands = {{"QH"}, {"QS"}, {"QD"}, {"QC"}};
      hands[static_cast<size_t>(c.asker)] = c.askerHand;
      hands[static_cast<size_t>(c.asked)] = c.askedHand;
      TableSet(hands, c.stock, {}, c.asker);
      if (c.asked == 0)
      {
         Hand(0)->cards[0]->FaceUpSet(true, false);
      }
      if (c.asker == 0)
      {
         for (i32 i = 0; i < Hand(0)->cards.count; ++i)
         {
            Hand(0)->cards[i]->FaceUpSet(true, false);
         }
      }
      Seat(c.asked)->rankAsks.Insert(c.rank, 0);
      Seat(c.asked)->rankAsks.Insert(2, 1);
      Seat(c.asked)->rankAsks.Insert(c.rank, 2);
      // The two choices, as a click on one's own card and a click on the other hand.
      Card* own = nullptr;
      for (i32 i = 0; i < Hand(c.asker)->cards.count; ++i)
      {
         own = Hand(c.asker)->cards[i]->rank == c.rank ? Hand(c.asker)->cards[i] : own;
      }
      ASSERT_NE(own, nullptr);
      harness.ChoosePost(own);
      harness.ChoosePost(Hand(c.asked)->CardTopGet());
      ASSERT_TRUE(harness.RunUntilIdle(400));
      game.CardAnimationsFinish();
      EXPECT_EQ(Text(Hand(c.asker)), c.askerAfter);
      EXPECT_EQ(Text(Hand(c.asked)), c.askedAfter);
      EXPECT_EQ(Text(game.StockGet()), c.stockAfter);
      EXPECT_EQ(game.playerActiveID, game.players[c.activeAfter]->id);
      const Table<i32>& asks = Seat(c.asked)->rankAsks;
      ASSERT_EQ(asks.count, 3);
      EXPECT_EQ(asks[0], -1) << "being asked erases that rank from one's record";
      EXPECT_EQ(asks[1], 2);
      EXPECT_EQ(asks[2], -1);
      ASSERT_GT(Seat(c.asker)->rankAsks.count, 0);
      EXPECT_EQ(Seat(c.asker)->rankAsks[Seat(c.asker)->rankAsks.count - 1], c.rank);
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

TEST_F(GoFishTest, ChoicesOutOfTurnOrWithoutASelectionAskNothing)
{
   TableSet({{"7C"}, {"7D"}, {"7H"}, {"2C"}}, {"KD"}, {}, 0);
   // No card selected: a click on another hand asks nothing.
   game.CardChoose(Hand(1)->cards[0]);
   // A card of a hand not on turn selects nothing either.
   game.CardChoose(Hand(2)->cards[0]);
   EXPECT_EQ(game.selectedCardID, -1);
   EXPECT_EQ(game.actionQueue.count, 0);
   game.CardChoose(Hand(0)->cards[0]);
   EXPECT_EQ(game.selectedCardID, Hand(0)->cards[0]->id);
   EXPECT_TRUE(Hand(0)->cards[0]->selected);
   EXPECT_TRUE(game.CardChooseOnClickCheck(Hand(3)->cards[0]));
   EXPECT_FALSE(game.CardChooseOnClickCheck(game.StockGet()->cards[0]));
   // A Pass hands the turn on and the new turn clears the selection.
   game.CommandPassPost(0);
   ASSERT_TRUE(harness.RunUntilIdle(100));
   EXPECT_EQ(game.playerActiveID, game.players[1]->id);
   EXPECT_EQ(game.selectedCardID, -1);
   EXPECT_FALSE(Hand(0)->cards[0]->selected);
}

TEST_F(GoFishTest, TheAnswerIsSpokenByCount)
{
   harness.CardGlobalConstsSet(std::string(CARD_GAME_HARNESS_CONSTS)
                                   .insert(1, R"("Characters": {"Ann": {"AddressDialogGroupSuffix": "TO_ANN"},
                                         "Bob": {"AddressDialogGroupSuffix": "TO_BOB"}},)"));
   JSONTest::ValuePointer dialogs = JSONTest::TextParse(R"({"Dialogs": {}, "DialogGroups": {
       "Ann_TO_BOB": ["AnnToBob"], "Ann_GO_FISH_I_ASK_FOR_SEVENS": ["AnnSevens"],
       "Bob_GO_FISH_I_SAY_GO_FISH": ["BobFish"], "Bob_GO_FISH_I_HAVE_ONE": ["BobOne"],
       "Bob_GO_FISH_I_HAVE_TWO": ["BobTwo"], "Bob_GO_FISH_I_HAVE_THREE": ["BobThree"]}})");
   u32 language = 0;
   dialogManager.Init(dialogs.get(), &language);
   const struct
   {
      std::vector<std::string> asked;
      const char* answer;
   } cases[] = {{{"2C"}, "BobFish"},
                {{"7C", "2C"}, "BobOne"},
                {{"7C", "7D"}, "BobTwo"},
                {{"7C", "7D", "7H"}, "BobThree"}};
   for (const auto& c : cases)
   {
      TableSet({{"AS"}, {"7S"}, c.asked, {"2D"}}, {"KD"}, {}, 1);
      game.players[1]->human = false;
      game.players[2]->human = false;
      game.players[1]->NameSet("Ann");
      game.players[2]->NameSet("Bob");
      game.AskResolve(game.players[2]->id, 7);
      std::string said;
      for (i32 i = game.actionQueue.count - 1; i >= 0; --i)
      {
         const Action& action = game.actionQueue[i];
         if (action.type == ACTION_SPEAK)
         {
            said += std::string(said.empty() ? "" : " ") + (action.string0 ? action.string0 : "?");
         }
      }
      EXPECT_EQ(said, std::string("AnnToBob AnnSevens ") + c.answer);
      game.ActionQueueClear();
   }
}

TEST_F(GoFishTest, RefreshLaysBooksRefillsAndPassesTheTurn)
{
   // Two books in one hand: one per refresh, each in hand order, face up.
   TableSet({{"2C"}, {"4C", "9S", "4D", "9C", "4H", "9D", "4S", "9H", "KC"}, {"3C"}, {"5C"}}, {"QD"}, {}, 1);
   game.refreshPending = true;
   ASSERT_TRUE(harness.RunUntilIdle(600));
   game.CardAnimationsFinish();
   EXPECT_EQ(Text(game.BooksGet()), "4C* 4D* 4H* 4S* 9S* 9C* 9D* 9H*");
   EXPECT_EQ(Text(Hand(1)), "KC");
   EXPECT_EQ(game.players[1]->minigameScore, 2);
   EXPECT_EQ(game.playerActiveID, game.players[1]->id);

   // Two empty hands: the first takes the stock's five bottom cards, the next the rest; the
   // active hand was empty, so the turn passes.
   TableSet({{"2C"}, {}, {}, {"5C"}}, {"AC", "2D", "3C", "4C", "5D", "6C", "7C"}, {}, 1);
   game.refreshPending = true;
   ASSERT_TRUE(harness.RunUntilIdle(600));
   game.CardAnimationsFinish();
   EXPECT_EQ(Text(Hand(1)), "AC 2D 3C 4C 5D");
   EXPECT_EQ(Text(Hand(2)), "6C 7C");
   EXPECT_EQ(Text(game.StockGet()), "");
   EXPECT_EQ(game.playerActiveID, game.players[2]->id);
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);

   // The human's refilled hand is shown.
   TableSet({{}, {"2C"}, {"3C"}, {"5C"}}, {"AC", "2D"}, {}, 1);
   game.refreshPending = true;
   ASSERT_TRUE(harness.RunUntilIdle(600));
   game.CardAnimationsFinish();
   EXPECT_EQ(Text(Hand(0)), "AC* 2D*");
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(GoFishTest, TheEndNamesTheMostBooksOrNobody)
{
   const struct
   {
      i32 books[4];
      i32 result;
      i32 winner;
      const char* shown;
   } cases[] = {
       {{5, 3, 3, 2}, MINIGAME_RESULT_WON, 0, "was"},
       {{3, 5, 2, 3}, MINIGAME_RESULT_LOST, 1, "was"},
       {{4, 4, 3, 2}, MINIGAME_RESULT_LOST, -1, "DefaultDraw"},
       {{2, 3, 3, 5}, MINIGAME_RESULT_LOST, 3, "was"},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.winner);
      harness.Enter(&game, 3, 4);
      TableSet({{}, {}, {}, {}}, {}, {}, 0);
      for (i32 i = 0; i < 4; ++i)
      {
         game.players[i]->minigameScore = c.books[i];
      }
      game.refreshPending = true;
      ASSERT_TRUE(harness.RunUntilIdle(200));
      EXPECT_EQ(game.gameResult, c.result);
      for (i32 i = 0; i < 4; ++i)
      {
         EXPECT_EQ(game.players[i]->minigameWinner, i == c.winner) << "seat " << i;
      }
      // The results: a shared lead is a draw; without the texts a winner leaves the text alone.
      GoFishResultsPopup popup;
      popup.game = &game;
      popup.TextSet("was", MESSAGE_BOX_TEXT_PLAIN);
      popup.TextRefresh();
      ASSERT_NE(popup.text, nullptr);
      EXPECT_STREQ(popup.text, c.shown);
      popup.TextSet(nullptr, MESSAGE_BOX_TEXT_PLAIN);
   }
   // Cards still in a hand: the game goes on.
   harness.Enter(&game, 3, 4);
   TableSet({{}, {"2C"}, {}, {}}, {}, {}, 1);
   game.refreshPending = true;
   ASSERT_TRUE(harness.RunUntilIdle(200));
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
}

TEST_F(GoFishTest, TheRecordOfAsks)
{
   GoFishPlayer* player = Seat(1);
   player->rankAsks.SizeSet(0);
   for (i32 rank : {5, 7, 9})
   {
      player->RankAskAdd(rank);
   }
   const struct
   {
      i32 rank, length;
      bool asked;
   } cases[] = {{9, 1, true},  {7, 1, false}, {7, 2, true},   {9, 0, false}, {5, -1, true},
                {5, 25, true}, {5, 2, false}, {4, -1, false}, {4, 25, false}};
   for (const auto& c : cases)
   {
      EXPECT_EQ(player->RankAskedRecentlyCheck(c.rank, c.length), c.asked)
          << c.rank << " within " << c.length;
   }
   player->rankAsks.SizeSet(0);
   for (i32 i = 0; i < 26; ++i)
   {
      player->RankAskAdd(1 + i % 13);
   }
   ASSERT_EQ(player->rankAsks.count, GO_FISH_RANK_ASKS_MAX);
   EXPECT_EQ(player->rankAsks[0], 2) << "the 26th ask drops the oldest";
   EXPECT_EQ(player->rankAsks[24], RANK_KING);
}

TEST_F(GoFishTest, TheHumanHandIsSortedByTheOption)
{
   const struct
   {
      const char* sorting;
      const char* ranks;
   } cases[] = {{"Ascending", "2 2 K A"}, {"Descending", "A K 2 2"}, {"Unknown", "A K 2 2"}};
   for (const auto& c : cases)
   {
      Options()->ItemStringSet("CardSorting", c.sorting);
      TableSet({{"KD", "2C", "AS", "2H"}, {"KC", "2D", "AH"}, {"3C"}, {"4C"}}, {}, {}, 0);
      game.HandsSort();
      std::string ranks;
      for (i32 i = 0; i < Hand(0)->cards.count; ++i)
      {
         static const char* const names[] = {"",  "A", "2", "3", "4", "5", "6",
                                             "7", "8", "9", "T", "J", "Q", "K"};
         ranks += std::string(ranks.empty() ? "" : " ") + names[Hand(0)->cards[i]->rank];
      }
      EXPECT_EQ(ranks, c.ranks) << c.sorting;
      EXPECT_EQ(Text(Hand(1)), "KC 2D AH") << "a hand not the local human's stays unsorted";
      // A card received joins the sorted hand in its place.
      Hand(0)->CardInsert(Hand(0)->cards.count, harness.CardFind(RANK_QUEEN, SUIT_SPADES));
      EXPECT_EQ(Hand(0)->CardIndexGet(harness.CardFind(RANK_QUEEN, SUIT_SPADES)), 2);
   }
}

TEST_F(GoFishTest, TheComputerRemembersByDifficulty)
{
   // Seat 2 asked for eights five asks ago and for jacks lately; seat 3 asked for eights but was
   // asked for them since.
   const struct
   {
      const char* difficulty;
      bool memory;
      i32 rank, player;
   } cases[] = {
       {"Easy", true, RANK_JACK, 2},  {"Medium", true, RANK_JACK, 2}, {"Hard", true, 8, 2},
       {"Other", true, RANK_JACK, 2}, {"Hard", false, -1, -1},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::string(c.difficulty) + (c.memory ? "" : " without lengths"));
      Enter(GoFishConsts(c.memory));
      Options()->ItemStringSet("Difficulty", c.difficulty);
      bool remembered = true;
      for (u32 seed = 1; seed <= 20; ++seed)
      {
         TableSet({{"AS", "5C"}, {"8D", "JD", "3C"}, {"QC", "8C", "JC"}, {"8H"}}, {"KD"}, {}, 1);
         game.players[1]->human = false;
         game.players[1]->local = true;
         for (i32 rank : {8, 4, 4, 4, static_cast<i32>(RANK_JACK)})
         {
            Seat(2)->RankAskAdd(rank);
         }
         Seat(3)->RankAskAdd(-1);
         game.seed1 = seed * 7919u;
         game.seed2 = seed * 104729u;
         game.AITurnTake();
         if (c.rank >= 0)
         {
            EXPECT_EQ(Seat(1)->lastAskedRank, c.rank);
            EXPECT_EQ(Seat(1)->lastAskedPlayerID, game.players[c.player]->id);
         }
         remembered =
             remembered && Seat(1)->lastAskedRank == 8 && Seat(1)->lastAskedPlayerID == game.players[2]->id;
         game.ActionQueueClear();
      }
      if (c.rank < 0)
      {
         EXPECT_FALSE(remembered) << "without the lengths every ask is drawn at random";
      }
   }
   // Without the lengths the memory is off.
   EXPECT_EQ(game.AIHistoryLengthGet(), 0);
}

TEST_F(GoFishTest, TheRandomAskAvoidsTheLastAskWhenItCan)
{
   Options()->ItemStringSet("Difficulty", "Hard");
   Seat(1)->rankAsks.SizeSet(0);
   const struct
   {
      std::vector<std::vector<std::string>> hands;
      i32 avoidedRank, avoidedPlayer;
      bool rankAvoidable, playerAvoidable;
   } cases[] = {
       {{{"AS"}, {"3C", "3D", "8D", "9D"}, {"QC"}, {"KH"}}, 3, 2, true, true},
       {{{}, {"3C", "3D", "8D"}, {"QC"}, {}}, 3, 2, true, false},
       {{{"AS"}, {"3C", "3D"}, {"QC"}, {"KH"}}, 3, 0, false, true},
   };
   for (const auto& c : cases)
   {
      std::string first;
      for (i32 round = 0; round < 2; ++round)
      {
         std::string choices;
         for (u32 seed = 1; seed <= 40; ++seed)
         {
            TableSet(c.hands, {"KD"}, {}, 1);
            game.players[1]->human = false;
            game.players[1]->local = true;
            Seat(1)->lastAskedRank = static_cast<Rank>(c.avoidedRank);
            Seat(1)->lastAskedPlayerID = game.players[c.avoidedPlayer]->id;
            game.seed1 = seed * 31u;
            game.seed2 = seed * 131u;
            game.AITurnTake();
            const i32 rank = Seat(1)->lastAskedRank;
            const i32 player = Seat(1)->lastAskedPlayerID;
            EXPECT_EQ(rank != c.avoidedRank, c.rankAvoidable) << "seed " << seed;
            EXPECT_EQ(player != c.avoidedPlayer, c.playerAvoidable) << "seed " << seed;
            EXPECT_NE(player, 1);
            EXPECT_GT(Hand(player)->cards.count, 0) << "only a hand that holds cards is asked";
            choices += std::to_string(rank) + "/" + std::to_string(player) + " ";
            game.ActionQueueClear();
         }
         if (round == 0)
         {
            first = choices;
         }
         else
         {
            EXPECT_EQ(choices, first) << "the same seeds, the same asks";
         }
      }
   }
}

// One game until it ends or the frame cap; stopFrame >= 0 returns there with the game running.
bool GamePlay(CardGameHarness& harness, CheckedGoFish& game, i32 maxFrames, i32 stopFrame = -1)
{
   for (i32 frame = 0; frame < maxFrames; ++frame)
   {
      if (frame == stopFrame || game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         return true;
      }
      harness.Frame();
   }
   return false;
}

std::string FinalDocument(CheckedGoFish& game)
{
   JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
   if (!game.Save(document.get()))
   {
      return "<failed>";
   }
   document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
   return JSONTest::TextWrite(document.get());
}

TEST_F(GoFishTest, SeededGamesOfComputerPlayers)
{
   harness.afterFrame = [this]()
   {
      const CardGame* current = harness.cardGame;
      bool held[52] = {};
      i32 count = 0;
      bool sound = current->cards.count == 52;
      for (i32 p = 0; sound && p < current->cardPiles.count; ++p)
      {
         const CardPile* pile = current->cardPiles[p];
         for (i32 i = 0; sound && i < pile->cards.count; ++i)
         {
            const Card* card = pile->cards[i];
            sound = card->id >= 0 && card->id < 52 && !held[card->id] && card->pile == pile;
            held[sound ? card->id : 0] = true;
            count++;
         }
      }
      if (!sound || count != 52)
      {
         ADD_FAILURE() << "cards lost or doubled after frame " << harness.frames << ": "
                       << harness.CardsConservedCheck().message();
      }
   };
   harness.frameMilliseconds = 400;
   const char* const difficulties[] = {"Easy", "Medium", "Hard"};
#ifdef __SANITIZE_ADDRESS__
   const i32 games = 100;
#else
   const i32 games = 1000;
#endif
   const i32 frameCap = 20000;
   i32 reloads = 0;
   i32 draws = 0;
   const auto start = std::chrono::steady_clock::now();
   for (i32 seed = 1; seed <= games; ++seed)
   {
      SCOPED_TRACE(seed);
      auto begin = [&](CheckedGoFish& which)
      {
         Options()->ItemStringSet("Difficulty", difficulties[(seed * 7) % 3]);
         which.seed1 = static_cast<u32>(seed) * 7919u;
         which.seed2 = static_cast<u32>(seed) * 104729u;
         which.GameNew();
         which.players[0]->human = false;
         which.choiceOwn = nullptr;
         which.ask.pending = false;
      };
      begin(game);
      ASSERT_TRUE(GamePlay(harness, game, frameCap)) << "the game did not end";
      EXPECT_EQ(game.gameResult, MINIGAME_RESULT_LOST) << "no human at the table";
      EXPECT_EQ(game.BooksGet()->cards.count, 52);
      i32 books = 0;
      i32 most = 0;
      for (i32 i = 0; i < 4; ++i)
      {
         books += game.players[i]->minigameScore;
         most = game.players[i]->minigameScore > most ? game.players[i]->minigameScore : most;
      }
      EXPECT_EQ(books, 13);
      i32 winners = 0;
      for (i32 i = 0; i < 4; ++i)
      {
         winners += game.players[i]->minigameWinner ? 1 : 0;
         if (game.players[i]->minigameWinner)
         {
            EXPECT_EQ(game.players[i]->minigameScore, most);
         }
      }
      EXPECT_LE(winners, 1);
      draws += winners == 0 ? 1 : 0;
      if (seed % 10 != 0)
      {
         continue;
      }
      // Again, saved at a frame drawn from the seed and loaded into a freshly entered game.
      const std::string uninterrupted = FinalDocument(game);
      begin(game);
      const i32 stop = 20 + (seed * 7919) % 300;
      ASSERT_TRUE(GamePlay(harness, game, frameCap, stop));
      if (game.gameResult != MINIGAME_RESULT_RUNNING)
      {
         continue;
      }
      JSONTest::ValuePointer saved(JSONValue::New(HEAP_DEFAULT));
      ASSERT_TRUE(game.Save(saved.get()));
      const CheckedGoFish::Watch watch = game.WatchGet();
      CheckedGoFish fresh;
      harness.Enter(&fresh, 99, 98);
      harness.cardGame = &fresh;
      ASSERT_TRUE(fresh.Load(saved.get()));
      fresh.WatchAdopt(watch, game);
      EXPECT_EQ(harness.SavedText(&fresh), JSONTest::TextWrite(saved.get())) << "load, then save";
      SCOPED_TRACE("loaded");
      ASSERT_TRUE(GamePlay(harness, fresh, frameCap)) << "the loaded game did not end";
      EXPECT_EQ(FinalDocument(fresh), uninterrupted);
      reloads++;
      harness.Enter(&game, 12345, 67890);
      harness.cardGame = &game;
   }
   harness.afterFrame = nullptr;
   EXPECT_GE(reloads, games / 20);
   EXPECT_GT(game.pairs, 0);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   std::printf("%d games (%d without a winner), %d reloads, %.1f games per second\n", games, draws, reloads,
               games / seconds);
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
