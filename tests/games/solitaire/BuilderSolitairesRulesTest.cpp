// The deals, move rules, stock clicks, ends and Scorpion's score of Forty Thieves, Four Seasons,
// Mount Olympus, Yukon, Scorpion and Seahaven Towers, as tables of small fixtures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/games/solitaire/BuilderSolitairesHarness.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
constexpr i32 T = CARD_PILE_TYPE_TABLEAU;
constexpr i32 F = CARD_PILE_TYPE_FOUNDATION;
constexpr i32 R = CARD_PILE_TYPE_RESERVE;
constexpr i32 S = CARD_PILE_TYPE_DRAW;
constexpr i32 W = CARD_PILE_TYPE_TALON;

using Options = std::vector<std::pair<const char*, bool>>;

struct PileCards
{
   i32 type;
   i32 id;
   std::vector<std::string> cards;
};

// One game entered with its options; fixtures laid on a cleared table.
struct Table
{
   explicit Table(const char* key, const Options& options = {}) : game(BuilderCreate(key))
   {
      harness.key = key;
      for (const auto& option : options)
      {
         harness.OptionSet(option.first, option.second);
      }
      harness.GameEnter(game.get());
   }
   // The named piles laid, then filler cards from the stock under the first column's cards
   // until it holds fill cards, and the rest of the stock left there or sunk onto sink.
   void Lay(const std::vector<PileCards>& piles, i32 fill = 0, CardPile* sink = nullptr)
   {
      harness.Clear();
      for (const PileCards& pile : piles)
      {
         harness.Lay(harness.Pile(pile.type, pile.id), pile.cards);
      }
      CardPile* filled = piles.empty() ? nullptr : harness.Pile(piles[0].type, piles[0].id);
      CardPile* stock = harness.StockGet();
      while (filled && filled->cards.count < fill && stock->cards.count > 0)
      {
         Card* card = stock->CardTopGet();
         filled->CardInsert(0, card);
         card->FaceUpSet(true, false);
      }
      if (sink)
      {
         harness.Sink(sink);
      }
      game->CardAnimationsFinish();
   }
   // The refresh of a still table, as after a move.
   void Refresh()
   {
      game->refreshPending = true;
      harness.Settle();
   }
   std::unique_ptr<OpenTableauSolitaire> game;
   BuilderHarness harness;
};

TEST(BuilderSolitairesRulesTest, DealsLayTheTablesOut)
{
   struct Case
   {
      const char* key;
      Options options;
      // Cards in each column, backs in each column, cards in each foundation and reserve; stock.
      std::vector<i32> columns;
      std::vector<i32> backs;
      i32 perFoundation;
      std::vector<i32> reserves;
      i32 stock;
   } cases[] = {
       {"FortyThievesSolitaire", {}, std::vector<i32>(10, 4), std::vector<i32>(10, 0), 0, {0}, 64},
       {"FourSeasonsSolitaire", {}, {1, 1, 1, 1, 1}, {0, 0, 0, 0, 0}, -1, {}, 46},
       {"MountOlympusSolitaire", {}, std::vector<i32>(9, 1), std::vector<i32>(9, 0), 1, {}, 79},
       {"YukonSolitaire", {}, {1, 6, 7, 8, 9, 10, 11}, {0, 1, 2, 3, 4, 5, 6}, 0, {}, 0},
       {"ScorpionSolitaire",
        {{"ThreeCardsFaceDown", true}},
        std::vector<i32>(7, 7),
        {3, 3, 3, 3, 0, 0, 0},
        0,
        {},
        3},
       {"ScorpionSolitaire",
        {{"ThreeCardsFaceDown", false}},
        std::vector<i32>(7, 7),
        {2, 2, 2, 2, 0, 0, 0},
        0,
        {},
        3},
       {"SeahavenTowersSolitaire", {}, std::vector<i32>(10, 5), std::vector<i32>(10, 0), 0, {1, 1, 0, 0}, 0},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.key);
      Table table(c.key, c.options);
      BuilderHarness& h = table.harness;
      EXPECT_EQ(h.game->gameResult, MINIGAME_RESULT_RUNNING);
      EXPECT_EQ(h.Pile(T, static_cast<i32>(c.columns.size())), nullptr);
      for (size_t i = 0; i < c.columns.size(); ++i)
      {
         const CardPile* column = h.ColumnGet(static_cast<i32>(i));
         ASSERT_EQ(column->cards.count, c.columns[i]) << "column " << i;
         for (i32 k = 0; k < column->cards.count; ++k)
         {
            EXPECT_EQ(column->cards[k]->faceUp, k >= c.backs[i]) << "column " << i << " card " << k;
         }
      }
      for (i32 f = 0; c.perFoundation >= 0 && h.FoundationGet(f); ++f)
      {
         EXPECT_EQ(h.FoundationGet(f)->cards.count, c.perFoundation) << "foundation " << f;
      }
      const i32 firstReserve = c.reserves.size() == 1 ? -1 : 0;
      for (size_t i = 0; i < c.reserves.size(); ++i)
      {
         ASSERT_NE(h.Pile(R, firstReserve + static_cast<i32>(i)), nullptr);
         EXPECT_EQ(h.Pile(R, firstReserve + static_cast<i32>(i))->cards.count, c.reserves[i]);
      }
      EXPECT_EQ(h.StockGet()->cards.count, c.stock);
      EXPECT_TRUE(h.CardsConservedCheck());
   }
}

TEST(BuilderSolitairesRulesTest, MountOlympusLaysEveryAceAndTwoBySuitAndFourSeasonsBuildsFromItsFirstCard)
{
   {
      Table table("MountOlympusSolitaire");
      BuilderHarness& h = table.harness;
      for (i32 suit = 0; suit < 4; ++suit)
      {
         for (i32 k = 0; k < 4; ++k)
         {
            const Card* card = h.FoundationGet(4 * suit + k)->CardTopGet();
            ASSERT_NE(card, nullptr) << suit << " " << k;
            EXPECT_EQ(card->suit, suit);
            EXPECT_EQ(card->rank, k % 2 == 0 ? RANK_TWO : RANK_ACE) << "foundation " << 4 * suit + k;
            EXPECT_TRUE(card->faceUp);
         }
      }
   }
   Table table("FourSeasonsSolitaire");
   auto* seasons = static_cast<FourSeasonsSolitaire*>(table.game.get());
   ASSERT_EQ(table.harness.FoundationGet(0)->cards.count, 1);
   EXPECT_EQ(seasons->buildRank, table.harness.FoundationGet(0)->cards[0]->rank);
   // The rank is part of the saved game.
   FourSeasonsSolitaire fresh;
   EXPECT_TRUE(table.harness.RoundTripCheck(&fresh));
   EXPECT_EQ(fresh.buildRank, seasons->buildRank);
   // fresh is the entered game now: left before it goes, not by the table after it went.
   table.harness.Leave();
}

// A card picked up (from pile "from", at index, -1 for its top) and dropped on a pile: whether
// the game lets it, through the pick-up and the drop questions.
struct DropCase
{
   const char* key;
   Options options;
   std::vector<PileCards> piles;
   i32 fromType;
   i32 fromId;
   i32 index;
   i32 toType;
   i32 toId;
   bool expected;
   const char* what;
   // Filler cards under the first pile's named cards, up to this count.
   i32 fill = 0;
};

TEST(BuilderSolitairesRulesTest, PickUpsAndDropsFollowEachGamesTable)
{
   const DropCase cases[] = {
       // Forty Thieves: down in suit, anything into a gap, any waste card, up to fifteen cards.
       {"FortyThievesSolitaire", {}, {{T, 0, {"9H"}}, {T, 1, {"8H"}}}, T, 1, -1, T, 0, true, "down in suit"},
       {"FortyThievesSolitaire", {}, {{T, 0, {"9H"}}, {T, 1, {"8D"}}}, T, 1, -1, T, 0, false, "suit kept"},
       {"FortyThievesSolitaire", {}, {{T, 0, {"AH"}}, {T, 1, {"KH"}}}, T, 1, -1, T, 0, false, "no wrap"},
       {"FortyThievesSolitaire", {}, {{T, 1, {"5C"}}}, T, 1, -1, T, 0, true, "any card into a gap"},
       {"FortyThievesSolitaire", {}, {{T, 0, {"9H", "3C"}}}, T, 0, 0, T, 2, false, "a covered card"},
       {"FortyThievesSolitaire",
        {},
        {{R, -1, {"3C", "8H", "KD"}}, {T, 0, {"9H"}}},
        R,
        -1,
        1,
        T,
        0,
        true,
        "a waste card under others"},
       {"FortyThievesSolitaire",
        {},
        {{F, 0, {"AS"}}, {R, -1, {"2S", "KD"}}},
        R,
        -1,
        0,
        F,
        0,
        true,
        "the waste's first card home"},
       {"FortyThievesSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8H"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "the 15th card",
        14},
       {"FortyThievesSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8H"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "a 16th card",
        15},
       // Four Seasons: down in any suit with the corner turned, foundations from the first rank.
       {"FourSeasonsSolitaire",
        {},
        {{T, 0, {"2H"}}, {T, 1, {"AS"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "a Two takes an Ace"},
       {"FourSeasonsSolitaire",
        {},
        {{T, 0, {"AH"}}, {T, 1, {"KS"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "an Ace takes a King"},
       {"FourSeasonsSolitaire", {}, {{T, 0, {"AH"}}, {T, 1, {"2S"}}}, T, 1, -1, T, 0, false, "not upwards"},
       {"FourSeasonsSolitaire",
        {},
        {{F, 1, {"KH"}}, {W, -1, {"AH"}}},
        W,
        -1,
        -1,
        F,
        1,
        true,
        "a King takes an Ace"},
       {"FourSeasonsSolitaire",
        {},
        {{F, 1, {"KH"}}, {W, -1, {"AH", "5C"}}},
        W,
        -1,
        0,
        F,
        1,
        false,
        "only the waste's top"},
       {"FourSeasonsSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8S"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "the 25th card",
        24},
       {"FourSeasonsSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8S"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "a 26th card",
        25},
       // Mount Olympus: down by twos in suit, runs carried, foundations up by twos, no empty one.
       {"MountOlympusSolitaire",
        {},
        {{T, 0, {"9S"}}, {T, 1, {"7S"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "two below in suit"},
       {"MountOlympusSolitaire", {}, {{T, 0, {"9S"}}, {T, 1, {"8S"}}}, T, 1, -1, T, 0, false, "one below"},
       {"MountOlympusSolitaire", {}, {{T, 0, {"9S"}}, {T, 1, {"7H"}}}, T, 1, -1, T, 0, false, "another suit"},
       {"MountOlympusSolitaire",
        {},
        {{T, 0, {"9S"}}, {T, 1, {"KD", "7S", "5S", "3S"}}},
        T,
        1,
        1,
        T,
        0,
        true,
        "a run by twos carried"},
       {"MountOlympusSolitaire",
        {},
        {{T, 0, {"9S"}}, {T, 1, {"7S", "6S", "3S"}}},
        T,
        1,
        0,
        T,
        0,
        false,
        "a broken run stays"},
       {"MountOlympusSolitaire", {}, {{T, 1, {"KD", "JD", "9D"}}}, T, 1, 1, T, 0, true, "a run into a gap"},
       {"MountOlympusSolitaire",
        {},
        {{F, 5, {"AS", "3S"}}, {T, 1, {"5S"}}},
        T,
        1,
        -1,
        F,
        5,
        true,
        "two above in suit"},
       {"MountOlympusSolitaire",
        {},
        {{F, 5, {"AS", "3S"}}, {T, 1, {"4S"}}},
        T,
        1,
        -1,
        F,
        5,
        false,
        "one above"},
       {"MountOlympusSolitaire",
        {},
        {{F, 1, {"AH", "3H"}}, {T, 1, {"5S"}}},
        T,
        1,
        -1,
        F,
        1,
        false,
        "another suit's pile"},
       {"MountOlympusSolitaire",
        {},
        {{F, 4, {"2S"}}, {T, 1, {"4S", "2S"}}},
        T,
        1,
        0,
        F,
        4,
        false,
        "a run never goes home whole"},
       {"MountOlympusSolitaire", {}, {{T, 1, {"AS"}}}, T, 1, -1, F, 5, false, "never an empty foundation"},
       // Yukon: any face-up card with what lies on it, by colour or by suit, Kings into gaps.
       {"YukonSolitaire",
        {{"ColumnsInAlternatingColors", true}},
        {{T, 0, {"8S"}}, {T, 1, {"4C-", "7H", "2C", "QD"}}},
        T,
        1,
        1,
        T,
        0,
        true,
        "a deep face-up card"},
       {"YukonSolitaire",
        {{"ColumnsInAlternatingColors", true}},
        {{T, 0, {"8S"}}, {T, 1, {"7H-", "2C"}}},
        T,
        1,
        0,
        T,
        0,
        false,
        "a face-down card"},
       {"YukonSolitaire",
        {{"ColumnsInAlternatingColors", true}},
        {{T, 0, {"8D"}}, {T, 1, {"7H"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "same colour"},
       {"YukonSolitaire",
        {{"ColumnsInAlternatingColors", false}},
        {{T, 0, {"8D"}}, {T, 1, {"7H"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "the other red suit"},
       {"YukonSolitaire",
        {{"ColumnsInAlternatingColors", false}},
        {{T, 0, {"8H"}}, {T, 1, {"7H"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "the same suit"},
       {"YukonSolitaire", {}, {{T, 1, {"QS", "JH"}}}, T, 1, 0, T, 0, false, "a Queen into a gap"},
       {"YukonSolitaire", {}, {{T, 1, {"3C-", "KS", "JH"}}}, T, 1, 1, T, 0, true, "a King into a gap"},
       {"YukonSolitaire",
        {},
        {{F, 0, {"AH"}}, {T, 1, {"2H", "9C"}}},
        T,
        1,
        0,
        F,
        0,
        false,
        "home only alone"},
       {"YukonSolitaire", {}, {{F, 0, {"AH"}}, {T, 1, {"2H"}}}, T, 1, -1, F, 0, true, "home alone"},
       {"YukonSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8S", "3D"}}},
        T,
        1,
        0,
        T,
        0,
        true,
        "the 25th card",
        23},
       {"YukonSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8S", "3D"}}},
        T,
        1,
        0,
        T,
        0,
        false,
        "a 26th card",
        24},
       // Scorpion: down in suit with what lies on it, no foundation, Kings into gaps by the option.
       {"ScorpionSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8H", "2C", "QD"}}},
        T,
        1,
        0,
        T,
        0,
        true,
        "a card with anything on it"},
       {"ScorpionSolitaire", {}, {{T, 0, {"9H"}}, {T, 1, {"8D"}}}, T, 1, -1, T, 0, false, "suit kept"},
       {"ScorpionSolitaire",
        {{"OnlyKingsInEmpty", true}},
        {{T, 1, {"QS"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "only Kings into a gap"},
       {"ScorpionSolitaire",
        {{"OnlyKingsInEmpty", false}},
        {{T, 1, {"QS"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "any card into a gap"},
       {"ScorpionSolitaire", {}, {{T, 0, {"9H"}}, {T, 1, {"8H"}}}, T, 1, -1, T, 0, true, "the 22nd card", 21},
       {"ScorpionSolitaire", {}, {{T, 0, {"9H"}}, {T, 1, {"8H"}}}, T, 1, -1, T, 0, false, "a 23rd card", 22},
       // Seahaven Towers: single cards down in suit, Kings into gaps, one card to a cell.
       {"SeahavenTowersSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8H"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "down in suit"},
       {"SeahavenTowersSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8H", "2C"}}},
        T,
        1,
        0,
        T,
        0,
        false,
        "single cards only"},
       {"SeahavenTowersSolitaire", {}, {{T, 1, {"QS"}}}, T, 1, -1, T, 0, false, "a Queen into a gap"},
       {"SeahavenTowersSolitaire", {}, {{T, 1, {"KS"}}}, T, 1, -1, T, 0, true, "a King into a gap"},
       {"SeahavenTowersSolitaire", {}, {{T, 1, {"5D"}}}, T, 1, -1, R, 2, true, "an empty cell"},
       {"SeahavenTowersSolitaire",
        {},
        {{T, 1, {"5D"}}, {R, 2, {"9C"}}},
        T,
        1,
        -1,
        R,
        2,
        false,
        "a full cell"},
       {"SeahavenTowersSolitaire", {}, {{R, 0, {"AC"}}}, R, 0, -1, F, 3, true, "an Ace home from a cell"},
       {"SeahavenTowersSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8H"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "the 18th card",
        17},
       {"SeahavenTowersSolitaire",
        {},
        {{T, 0, {"9H"}}, {T, 1, {"8H"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "a 19th card",
        18},
   };
   for (const DropCase& c : cases)
   {
      SCOPED_TRACE(std::string(c.key) + ": " + c.what);
      Table table(c.key, c.options);
      BuilderHarness& h = table.harness;
      table.Lay(c.piles, c.fill);
      CardPile* from = h.Pile(c.fromType, c.fromId);
      CardPile* to = h.Pile(c.toType, c.toId);
      ASSERT_NE(from, nullptr);
      ASSERT_NE(to, nullptr);
      Card* card = c.index < 0 ? from->CardTopGet() : from->cards[c.index];
      const bool legal = h.game->CardPickUpCheck(card) && h.game->CardDropCheck(to, card);
      EXPECT_EQ(legal, c.expected);
      // The oracle of the soak reads the rules the same way.
      BuilderRules rules(h);
      EXPECT_EQ(rules.PickUpLegal(card) && rules.DropLegal(to, card), c.expected);
      if (!legal)
      {
         continue;
      }
      // The drop itself: the card lands on top of the pile with what the game carries with it.
      const i32 index = from->CardIndexGet(card);
      const i32 carried = h.game->CardStackPickUpCheck(card) ? from->cards.count - index : 1;
      const i32 before = to->cards.count;
      EXPECT_TRUE(h.Drop(card, to));
      ASSERT_TRUE(h.RunUntilSettled(20000));
      EXPECT_EQ(to->cards.count, before + carried);
      EXPECT_EQ(to->cards[before], card);
   }
}

TEST(BuilderSolitairesRulesTest, StockClicksActOnlyWhenTheGameLetsThem)
{
   {
      // Forty Thieves turns one card onto the waste until a column holds fifteen.
      Table table("FortyThievesSolitaire");
      BuilderHarness& h = table.harness;
      Card* top = h.StockGet()->CardTopGet();
      EXPECT_TRUE(h.game->CardChooseOnClickCheck(top));
      h.Pick(top);
      EXPECT_EQ(h.Pile(R, -1)->CardTopGet(), top);
      EXPECT_TRUE(top->faceUp);
      table.Lay({{T, 0, {"9H"}}, {T, 1, {"8H"}}}, 15);
      EXPECT_FALSE(h.game->CardChooseOnClickCheck(h.StockGet()->CardTopGet()));
      const i32 stock = h.StockGet()->cards.count;
      h.Pick(h.StockGet()->CardTopGet());
      EXPECT_EQ(h.StockGet()->cards.count, stock);
   }
   {
      // Four Seasons turns one card at a time, and the stock is never turned back.
      Table table("FourSeasonsSolitaire");
      BuilderHarness& h = table.harness;
      EXPECT_TRUE(h.game->CardChooseOnClickCheck(h.StockGet()->CardTopGet()));
      for (i32 turned = 1; h.StockGet()->cards.count > 0; ++turned)
      {
         h.Pick(h.StockGet()->CardTopGet());
         ASSERT_EQ(h.TalonGet()->cards.count, turned);
      }
   }
   for (const bool threeDown : {true, false})
   {
      // Scorpion's last three cards go to the first three columns, and the stock is spent.
      Table table("ScorpionSolitaire", {{"ThreeCardsFaceDown", threeDown}});
      BuilderHarness& h = table.harness;
      const std::vector<Card*> kept = {h.StockGet()->cards[2], h.StockGet()->cards[1],
                                       h.StockGet()->cards[0]};
      EXPECT_TRUE(h.game->CardChooseOnClickCheck(kept[0]));
      h.Pick(kept[0]);
      for (i32 c = 0; c < 7; ++c)
      {
         EXPECT_EQ(h.ColumnGet(c)->cards.count, c < 3 ? 8 : 7);
         if (c < 3)
         {
            EXPECT_EQ(h.ColumnGet(c)->CardTopGet(), kept[c]);
            EXPECT_TRUE(kept[c]->faceUp);
         }
      }
      EXPECT_EQ(h.StockGet()->cards.count, 0);
      // One undo takes the whole deal back.
      h.game->Undo();
      h.Settle();
      EXPECT_EQ(h.StockGet()->cards.count, 3);
   }
   {
      // Yukon, Mount Olympus and Seahaven Towers have no stock to click.
      Table table("MountOlympusSolitaire");
      EXPECT_FALSE(table.game->CardChooseOnClickCheck(table.harness.StockGet()->CardTopGet()));
   }
}

TEST(BuilderSolitairesRulesTest, GamesEndWhenTheRulesSay)
{
   struct Case
   {
      const char* key;
      Options options;
      std::vector<PileCards> piles;
      // Where the rest of the stock goes: a foundation, a column, or nowhere (-1: it stays).
      i32 sinkType;
      i32 sinkId;
      i32 result;
      const char* what;
      i32 fill = 0;
   } cases[] = {
       // Mount Olympus: a table with no move is lost with cards still in the stock.
       {"MountOlympusSolitaire",
        {},
        {{T, 0, {"9S"}},
         {T, 1, {"9H"}},
         {T, 2, {"9D"}},
         {T, 3, {"9C"}},
         {T, 4, {"KS"}},
         {T, 5, {"KH"}},
         {T, 6, {"KD"}},
         {T, 7, {"KC"}},
         {T, 8, {"QS"}},
         {F, 0, {"2S"}},
         {F, 1, {"AS"}},
         {F, 4, {"2H"}}},
        -1,
        -1,
        MINIGAME_RESULT_LOST,
        "no move, stock or not"},
       {"MountOlympusSolitaire",
        {},
        {{T, 0, {"9S"}},
         {T, 1, {"7S"}},
         {T, 2, {"9D"}},
         {T, 3, {"9C"}},
         {T, 4, {"KS"}},
         {T, 5, {"KH"}},
         {T, 6, {"KD"}},
         {T, 7, {"KC"}},
         {T, 8, {"QS"}},
         {F, 0, {"2S"}}},
        -1,
        -1,
        MINIGAME_RESULT_RUNNING,
        "a move left"},
       // Forty Thieves: a full column stops the stock; with no move either, the game is lost.
       {"FortyThievesSolitaire",
        {},
        {{T, 0, {"9H"}},
         {T, 1, {"9C"}},
         {T, 2, {"9D"}},
         {T, 3, {"9S"}},
         {T, 4, {"KH"}},
         {T, 5, {"KS"}},
         {T, 6, {"KD"}},
         {T, 7, {"KC"}},
         {T, 8, {"5H"}},
         {T, 9, {"5C"}}},
        -1,
        -1,
        MINIGAME_RESULT_LOST,
        "stock blocked, no move",
        15},
       {"FortyThievesSolitaire",
        {},
        {{T, 0, {"9H"}},
         {T, 1, {"9C"}},
         {T, 2, {"9D"}},
         {T, 3, {"9S"}},
         {T, 4, {"KH"}},
         {T, 5, {"KS"}},
         {T, 6, {"KD"}},
         {T, 7, {"KC"}},
         {T, 8, {"5H"}},
         {T, 9, {"5C"}}},
        -1,
        -1,
        MINIGAME_RESULT_RUNNING,
        "the stock still turns",
        14},
       {"FortyThievesSolitaire",
        {},
        {{T, 0, {"9H"}},
         {T, 1, {"9C"}},
         {T, 2, {"9D"}},
         {T, 3, {"9S"}},
         {T, 4, {"KH"}},
         {T, 5, {"KS"}},
         {T, 6, {"KD"}},
         {T, 7, {"KC"}},
         {T, 8, {"5H"}},
         {T, 9, {"5C"}},
         {R, -1, {"8C", "3D"}}},
        -1,
        -1,
        MINIGAME_RESULT_RUNNING,
        "a waste card below the top still plays",
        15},
       // Scorpion: four runs and three empty columns win, with nothing on a foundation.
       {"ScorpionSolitaire",
        {},
        {{T, 0, {"KH", "QH", "JH", "TH", "9H", "8H", "7H", "6H", "5H", "4H", "3H", "2H", "AH"}},
         {T, 2, {"KS", "QS", "JS", "TS", "9S", "8S", "7S", "6S", "5S", "4S", "3S", "2S", "AS"}},
         {T, 4, {"KD", "QD", "JD", "TD", "9D", "8D", "7D", "6D", "5D", "4D", "3D", "2D", "AD"}},
         {T, 6, {"KC", "QC", "JC", "TC", "9C", "8C", "7C", "6C", "5C", "4C", "3C", "2C", "AC"}}},
        -1,
        -1,
        MINIGAME_RESULT_WON,
        "four runs"},
       {"ScorpionSolitaire",
        {},
        {{T, 0, {"KH", "QH", "JH", "TH", "9H", "8H", "7H", "6H", "5H", "4H", "3H", "2H"}},
         {T, 1, {"AH"}},
         {T, 2, {"KS", "QS", "JS", "TS", "9S", "8S", "7S", "6S", "5S", "4S", "3S", "2S", "AS"}},
         {T, 4, {"KD", "QD", "JD", "TD", "9D", "8D", "7D", "6D", "5D", "4D", "3D", "2D", "AD"}},
         {T, 6, {"KC", "QC", "JC", "TC", "9C", "8C", "7C", "6C", "5C", "4C", "3C", "2C", "AC"}}},
        -1,
        -1,
        MINIGAME_RESULT_RUNNING,
        "an Ace to go"},
       // Four Seasons: cards left on the waste keep the game open.
       {"FourSeasonsSolitaire",
        {},
        {{W, -1, {"3H"}}, {F, 0, {"2H"}}},
        F,
        1,
        MINIGAME_RESULT_RUNNING,
        "a card on the waste"},
       // Seahaven Towers: every cell full and no move.
       {"SeahavenTowersSolitaire",
        {},
        {{R, 0, {"2H"}},
         {R, 1, {"2S"}},
         {R, 2, {"2D"}},
         {R, 3, {"2C"}},
         {T, 0, {"3H", "5H"}},
         {T, 1, {"3S", "5S"}}},
        F,
        0,
        MINIGAME_RESULT_LOST,
        "cells full, no move"},
       {"YukonSolitaire",
        {},
        {{F, 0, {"AH"}}, {T, 0, {"2H"}}},
        F,
        1,
        MINIGAME_RESULT_RUNNING,
        "one card to go"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(std::string(c.key) + ": " + c.what);
      Table table(c.key, c.options);
      BuilderHarness& h = table.harness;
      table.Lay(c.piles, c.fill, c.sinkType >= 0 ? h.Pile(c.sinkType, c.sinkId) : nullptr);
      if (std::string(c.key) == "ScorpionSolitaire")
      {
         // The cards left over are not Scorpion's to place: Scorpion deals one deck fully here.
         EXPECT_EQ(h.StockGet()->cards.count, 0);
      }
      if (std::string(c.key) == "SeahavenTowersSolitaire")
      {
         // The rest of the deck lies on a foundation: a King on top takes nothing more.
         CardPile* sink = h.FoundationGet(0);
         for (i32 i = 0; i < sink->cards.count; ++i)
         {
            if (sink->cards[i]->rank == RANK_KING && sink->cards[i]->suit == SUIT_HEARTS)
            {
               sink->CardInsert(sink->cards.count, sink->cards[i]);
               break;
            }
         }
      }
      table.Refresh();
      EXPECT_EQ(h.game->gameResult, c.result);
   }
   // Four Seasons is won once the waste is played out too.
   Table table("FourSeasonsSolitaire");
   BuilderHarness& h = table.harness;
   table.Lay({{W, -1, {"3H"}}, {F, 0, {"AH", "2H"}}}, 0, h.FoundationGet(1));
   static_cast<FourSeasonsSolitaire*>(h.game)->buildRank = RANK_ACE;
   table.Refresh();
   ASSERT_EQ(h.game->gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_TRUE(h.DropAndSettle(h.TalonGet()->CardTopGet(), h.FoundationGet(0)));
   EXPECT_EQ(h.game->gameResult, MINIGAME_RESULT_WON);
}

TEST(BuilderSolitairesRulesTest, ScorpionScoresTheCardsInSequence)
{
   struct Case
   {
      std::vector<PileCards> piles;
      i32 score;
   } cases[] = {
       {{{T, 0, {"9H"}}}, 0},
       {{{T, 0, {"9H", "8H"}}}, 2},
       {{{T, 0, {"9H", "8H", "7H", "6H"}}}, 4},
       {{{T, 0, {"9H", "8D", "7D", "6D"}}}, 3},
       {{{T, 0, {"9H", "8H", "KS", "QS", "JS"}}}, 5},
       {{{T, 0, {"9H", "7H", "6H"}}, {T, 3, {"4C", "3C"}}}, 4},
       {{{T, 0, {"2S-", "AS"}}}, 2},
       {{{T, 0, {"KH", "QH", "JH", "TH", "9H", "8H", "7H", "6H", "5H", "4H", "3H", "2H", "AH"}}}, 13},
   };
   for (const Case& c : cases)
   {
      Table table("ScorpionSolitaire");
      table.Lay(c.piles);
      EXPECT_EQ(table.game->ScoreGet(), c.score) << c.piles[0].cards.size();
   }
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
