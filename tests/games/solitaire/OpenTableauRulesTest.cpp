// The open tableau solitaires' deals, drop rules, ends and scores as tables of small fixtures.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/games/solitaire/OpenTableauHarness.h"

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

struct PileCards
{
   i32 type;
   i32 id;
   std::vector<std::string> cards;
};

using Options = std::vector<std::pair<const char*, bool>>;

// One game entered per test, options set before its deal, fixtures laid on a cleared table.
struct Table
{
   explicit Table(const char* key, const Options& options = {}, const char* faceDown = nullptr)
       : game(OpenTableauCreate(key))
   {
      harness.key = key;
      for (const auto& option : options)
      {
         harness.OptionSet(option.first, option.second);
      }
      if (faceDown)
      {
         harness.OptionSet("CardsFaceDown", faceDown);
      }
      harness.TableauEnter(game.get());
   }
   // Each card named ("AH", "KD*" face up) comes from the stock, so a second deck's twin is
   // taken for a name used twice.
   void Lay(const std::vector<PileCards>& piles)
   {
      harness.Clear();
      for (const PileCards& pile : piles)
      {
         for (const std::string& name : pile.cards)
         {
            Card* card = StockCardTake(name);
            ASSERT_NE(card, nullptr) << name;
            harness.Pile(pile.type, pile.id)->CardInsert(harness.Pile(pile.type, pile.id)->cards.count, card);
            card->FaceUpSet(name.size() > 2, false);
         }
      }
      harness.tableau->CardAnimationsFinish();
   }
   Card* StockCardTake(const std::string& name)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      const CardPile* stock = harness.Pile(S, -1);
      for (i32 i = 0; i < stock->cards.count; ++i)
      {
         Card* card = stock->cards[i];
         if (card->rank == static_cast<i32>(ranks.find(name[0])) &&
             card->suit == static_cast<i32>(suits.find(name[1])))
         {
            return card;
         }
      }
      return nullptr;
   }
   // The cards left in the stock out of play on the pile, face up, the named card on top.
   void Sink(CardPile* sink, const char* top)
   {
      Card* last = top ? StockCardTake(top) : nullptr;
      CardPile* stock = harness.Pile(S, -1);
      while (stock->cards.count > 0)
      {
         Card* card = stock->CardTopGet();
         sink->CardInsert(0, card);
         card->FaceUpSet(true, false);
      }
      if (last)
      {
         sink->CardInsert(sink->cards.count, last);
      }
      harness.tableau->CardAnimationsFinish();
   }
   std::unique_ptr<OpenTableauSolitaire> game;
   OpenTableauHarness harness;
};

std::string Texts(OpenTableauHarness& harness)
{
   std::string text;
   for (i32 p = 0; p < harness.tableau->cardPiles.count; ++p)
   {
      text += CardGameHarness::PileText(harness.tableau->cardPiles[p]) + "|";
   }
   return text;
}

TEST(OpenTableauRulesTest, DealsLayTheTablesOut)
{
   struct Case
   {
      const char* key;
      Options options;
      // Cards in each column, in each foundation (all alike) and in each reserve pile; the stock.
      std::vector<i32> columns;
      i32 perFoundation;
      std::vector<i32> reserves;
      i32 stock;
   } cases[] = {
       {"BeleagueredCastleSolitaire", {{"StreetsAndAlleys", false}}, {6, 6, 6, 6, 6, 6, 6, 6}, 1, {0}, 0},
       {"BeleagueredCastleSolitaire", {{"StreetsAndAlleys", true}}, {7, 7, 7, 7, 6, 6, 6, 6}, 0, {0}, 0},
       {"BristolSolitaire", {}, {3, 3, 3, 3, 3, 3, 3, 3}, 0, {0, 0, 0}, 28},
       {"EightOffSolitaire",
        {{"FourCardsDealtToReserve", true}},
        {6, 6, 6, 6, 6, 6, 6, 6},
        0,
        {1, 1, 1, 1, 0, 0, 0, 0},
        0},
       {"EightOffSolitaire",
        {{"FourCardsDealtToReserve", false}},
        {7, 7, 7, 7, 6, 6, 6, 6},
        0,
        {0, 0, 0, 0, 0, 0, 0, 0},
        0},
       {"EliminatorSolitaire", {}, {13, 13, 13, 13}, 0, {0}, 0},
       {"ColoradoSolitaire", {}, std::vector<i32>(20, 1), 0, {0}, 84},
       {"BatsfordSolitaire", {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 0, {0}, 49},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.key);
      Table table(c.key, c.options);
      OpenTableauHarness& h = table.harness;
      EXPECT_EQ(h.tableau->gameResult, MINIGAME_RESULT_RUNNING);
      for (size_t i = 0; i < c.columns.size(); ++i)
      {
         const CardPile* column = h.Column(static_cast<i32>(i));
         ASSERT_EQ(column->cards.count, c.columns[i]) << "column " << i;
         for (i32 k = 0; k < column->cards.count; ++k)
         {
            // Only Batsford's staircase deals backs: column k has k of them under one face.
            const bool down = h.key == "BatsfordSolitaire" && k < column->cards.count - 1;
            EXPECT_EQ(column->cards[k]->faceUp, !down) << "column " << i << " card " << k;
         }
      }
      for (i32 f = 0; h.Foundation(f); ++f)
      {
         EXPECT_EQ(h.Foundation(f)->cards.count, c.perFoundation) << "foundation " << f;
         if (c.perFoundation)
         {
            EXPECT_EQ(h.Foundation(f)->CardTopGet()->rank, RANK_ACE);
         }
      }
      const i32 firstReserve = c.reserves.size() == 1 ? -1 : 0;
      for (size_t i = 0; i < c.reserves.size(); ++i)
      {
         ASSERT_NE(h.Pile(R, firstReserve + static_cast<i32>(i)), nullptr);
         EXPECT_EQ(h.Pile(R, firstReserve + static_cast<i32>(i))->cards.count, c.reserves[i]);
      }
      EXPECT_EQ(h.Pile(S, -1)->cards.count, c.stock);
      EXPECT_TRUE(h.CardsConservedCheck());
   }
}

TEST(OpenTableauRulesTest, BakersDozenSendsItsKingsDownAndItsDealCannotBeUndone)
{
   for (const char* faceDown : {"None", "One", "Two", "Unheard"})
   {
      SCOPED_TRACE(faceDown);
      Table table("BakersDozenSolitaire", {}, faceDown);
      OpenTableauHarness& h = table.harness;
      const i32 down = std::string(faceDown) == "None" ? 0 : std::string(faceDown) == "Two" ? 2 : 1;
      EXPECT_EQ(static_cast<BakersDozenSolitaire*>(h.tableau)->CardsFaceDownGet(), down);
      EXPECT_FALSE(static_cast<BakersDozenSolitaire*>(h.tableau)->checkForKings);
      for (i32 c = 0; c < 13; ++c)
      {
         const CardPile* column = h.Column(c);
         ASSERT_EQ(column->cards.count, 4);
         i32 kings = 0;
         i32 backs = 0;
         bool nonKingSeen = false;
         for (i32 k = 0; k < 4; ++k)
         {
            const Card* card = column->cards[k];
            backs += card->faceUp ? 0 : 1;
            if (card->rank == RANK_KING && card->faceUp)
            {
               EXPECT_FALSE(nonKingSeen) << "a face-up King above another card in column " << c;
               kings++;
            }
            nonKingSeen = nonKingSeen || card->rank != RANK_KING || !card->faceUp;
         }
         // A column that sent no King down keeps its backs, at the bottom.
         if (kings == 0)
         {
            EXPECT_EQ(backs, down) << "column " << c;
            for (i32 k = 0; k < down; ++k)
            {
               EXPECT_FALSE(column->cards[k]->faceUp);
            }
         }
         EXPECT_LE(backs, down);
      }
      const std::string dealt = Texts(h);
      h.tableau->Undo();
      h.Settle();
      EXPECT_EQ(Texts(h), dealt) << "the undo took back part of the deal";
   }
}

struct DropCase
{
   const char* key;
   Options options;
   std::vector<PileCards> piles;
   // The moving card: its pile and index (-1: the top).
   i32 fromType;
   i32 fromID;
   i32 fromIndex;
   i32 toType;
   i32 toID;
   bool takes;
   const char* why;
};

TEST(OpenTableauRulesTest, DropsFollowEachGamesTable)
{
   std::vector<std::string> twentyFive;
   for (i32 i = 0; i < 25; ++i)
   {
      static const char* const ranks[] = {"K", "Q", "J", "T", "9", "8", "7", "6", "5", "4", "3", "2", "A"};
      static const char* const suits[] = {"H", "S"};
      twentyFive.push_back(std::string(ranks[i % 13]) + suits[i / 13] + "*");
   }
   const DropCase cases[] = {
       {"BakersDozenSolitaire",
        {},
        {{T, 0, {"2H*"}}, {T, 1, {"AS*"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "down, any suit"},
       {"BakersDozenSolitaire",
        {},
        {{T, 0, {"AH*"}}, {T, 1, {"KS*"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "wrap: King on Ace"},
       {"BakersDozenSolitaire",
        {},
        {{T, 0, twentyFive}, {T, 1, {"QD*"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "25 at most"},
       {"BakersDozenSolitaire", {}, {{T, 1, {"QD*"}}}, T, 1, -1, T, 0, false, "empty: a King only"},
       {"BakersDozenSolitaire", {}, {{T, 1, {"KD*"}}}, T, 1, -1, T, 0, true, "empty takes a King"},
       {"BakersDozenSolitaire", {}, {{F, 0, {"AH*"}}, {T, 1, {"2H*"}}}, T, 1, -1, F, 0, true, "up in suit"},
       {"BakersDozenSolitaire",
        {},
        {{F, 0, {"AH*"}}, {T, 1, {"2S*"}}},
        T,
        1,
        -1,
        F,
        0,
        false,
        "in suit only"},
       {"BeleagueredCastleSolitaire", {}, {{T, 1, {"QD*"}}}, T, 1, -1, T, 0, false, "empty: a King only"},
       {"BeleagueredCastleSolitaire",
        {{"Siegecraft", false}},
        {{T, 1, {"QD*"}}},
        T,
        1,
        -1,
        R,
        -1,
        false,
        "no cell without Siegecraft"},
       {"BeleagueredCastleSolitaire",
        {{"Siegecraft", true}},
        {{T, 1, {"QD*"}}},
        T,
        1,
        -1,
        R,
        -1,
        true,
        "Siegecraft's cell"},
       {"BeleagueredCastleSolitaire",
        {{"Siegecraft", true}},
        {{T, 1, {"QD*"}}, {R, -1, {"3C*"}}},
        T,
        1,
        -1,
        R,
        -1,
        false,
        "one card in the cell"},
       {"BeleagueredCastleSolitaire",
        {{"BuildInSuit", false}},
        {{F, 0, {"AH*"}}, {T, 1, {"2S*"}}},
        T,
        1,
        -1,
        F,
        0,
        true,
        "any suit up"},
       {"BeleagueredCastleSolitaire",
        {{"BuildInSuit", true}},
        {{F, 0, {"AH*"}}, {T, 1, {"2S*"}}},
        T,
        1,
        -1,
        F,
        0,
        false,
        "suit kept"},
       {"BristolSolitaire",
        {{"KingsInEmpty", false}},
        {{T, 1, {"KD*"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "an emptied column stays empty"},
       {"BristolSolitaire", {{"KingsInEmpty", true}}, {{T, 1, {"KD*"}}}, T, 1, -1, T, 0, true, "a King in"},
       {"BristolSolitaire", {}, {{T, 0, {"AH*"}}, {T, 1, {"KS*"}}}, T, 1, -1, T, 0, false, "no wrap"},
       {"BristolSolitaire", {}, {{T, 0, {"3H*"}}, {R, 0, {"2S*"}}}, R, 0, -1, T, 0, true, "from a reserve"},
       {"BristolSolitaire",
        {},
        {{T, 0, {"3H*"}}, {T, 1, {"2S*"}}},
        T,
        1,
        -1,
        R,
        0,
        false,
        "reserves take none"},
       {"EightOffSolitaire",
        {},
        {{T, 0, {"KH*", "QH*", "JH*", "TH*", "9H*", "8H*", "7H*", "6H*", "5H*", "4H*", "3H*"}},
         {T, 1, {"2H*"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "eleven at most"},
       {"EightOffSolitaire",
        {},
        {{T, 0, {"KH*", "QH*", "JH*", "TH*", "9H*", "8H*", "7H*", "6H*", "5H*", "4H*"}}, {T, 1, {"3H*"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "the eleventh"},
       {"EightOffSolitaire", {}, {{T, 0, {"4H*"}}, {T, 1, {"3S*"}}}, T, 1, -1, T, 0, false, "in suit"},
       {"EightOffSolitaire",
        {{"OnlyKingsInEmpty", true}},
        {{T, 1, {"3S*"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "Kings only"},
       {"EightOffSolitaire",
        {{"OnlyKingsInEmpty", false}},
        {{T, 1, {"3S*"}}},
        T,
        1,
        -1,
        T,
        0,
        true,
        "any card"},
       {"EightOffSolitaire", {}, {{T, 1, {"3S*"}}, {R, 5, {"4S*"}}}, T, 1, -1, R, 5, false, "a full cell"},
       {"EightOffSolitaire", {}, {{T, 1, {"3S*"}}}, T, 1, -1, R, 7, true, "an empty cell"},
       {"EliminatorSolitaire", {}, {{T, 1, {"7S*"}}}, T, 1, -1, F, 3, true, "empty takes any card"},
       {"EliminatorSolitaire", {}, {{F, 0, {"KH*"}}, {T, 1, {"QS*"}}}, T, 1, -1, F, 0, true, "Queen on King"},
       {"EliminatorSolitaire", {}, {{F, 0, {"JH*"}}, {T, 1, {"QS*"}}}, T, 1, -1, F, 0, true, "Queen on Jack"},
       {"EliminatorSolitaire",
        {},
        {{F, 0, {"KH*"}}, {T, 1, {"AS*"}}},
        T,
        1,
        -1,
        F,
        0,
        true,
        "King and Ace touch"},
       {"EliminatorSolitaire", {}, {{F, 0, {"KH*"}}, {T, 1, {"JS*"}}}, T, 1, -1, F, 0, false, "two apart"},
       {"EliminatorSolitaire",
        {{"FoundationsInAlternatingColors", true}},
        {{F, 0, {"KH*"}}, {T, 1, {"QD*"}}},
        T,
        1,
        -1,
        F,
        0,
        false,
        "colours alternate"},
       {"EliminatorSolitaire",
        {{"6Foundations", true}},
        {{T, 1, {"7S*"}}},
        T,
        1,
        -1,
        F,
        6,
        false,
        "hidden foundation"},
       {"EliminatorSolitaire", {{"6Foundations", true}}, {{T, 1, {"7S*"}}}, T, 1, -1, F, 5, true, "sixth"},
       {"EliminatorSolitaire",
        {},
        {{T, 0, {"8S*"}}, {T, 1, {"7H*"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "columns take none"},
       {"EliminatorSolitaire",
        {{"OneCardReserve", false}},
        {{T, 1, {"7H*"}}},
        T,
        1,
        -1,
        R,
        -1,
        false,
        "no cell"},
       {"EliminatorSolitaire",
        {{"OneCardReserve", true}},
        {{T, 1, {"7H*"}}},
        T,
        1,
        -1,
        R,
        -1,
        true,
        "the cell"},
       {"ColoradoSolitaire",
        {},
        {{F, 0, {"AH*"}}, {T, 1, {"AH*"}}},
        T,
        1,
        -1,
        F,
        1,
        false,
        "a second Ace of a started suit"},
       {"ColoradoSolitaire", {}, {{F, 0, {"AH*"}}, {T, 1, {"AS*"}}}, T, 1, -1, F, 1, true, "another suit"},
       {"ColoradoSolitaire",
        {},
        {{F, 4, {"KH*"}}, {T, 1, {"QH*"}}},
        T,
        1,
        -1,
        F,
        4,
        true,
        "down from the King"},
       {"ColoradoSolitaire",
        {},
        {{F, 4, {"KH*"}}, {T, 1, {"QH*"}}},
        T,
        1,
        -1,
        F,
        0,
        false,
        "up needs an Ace"},
       {"ColoradoSolitaire", {}, {{T, 1, {"KH*"}}}, T, 1, -1, F, 0, false, "a King opens no Ace pile"},
       {"ColoradoSolitaire",
        {},
        {{T, 0, {"3C*"}}, {R, -1, {"9D*"}}},
        R,
        -1,
        -1,
        T,
        0,
        true,
        "the turned card on any column"},
       {"ColoradoSolitaire",
        {},
        {{T, 0, {"3C*"}}, {T, 1, {"2D*"}}},
        T,
        1,
        -1,
        T,
        0,
        false,
        "columns take only the turned card"},
       {"BatsfordSolitaire",
        {},
        {{T, 0, {"8S*"}}, {T, 1, {"9D", "7H*", "6S*"}}},
        T,
        1,
        1,
        T,
        0,
        true,
        "a run in alternating colours"},
       {"BatsfordSolitaire", {}, {{T, 0, {"7S*"}}, {T, 1, {"6C*"}}}, T, 1, -1, T, 0, false, "same colour"},
       {"BatsfordSolitaire",
        {},
        {{F, 0, {"AH*"}}, {T, 1, {"3S*", "2H*"}}},
        T,
        1,
        -1,
        F,
        0,
        true,
        "a top card up"},
       {"BatsfordSolitaire",
        {},
        {{F, 0, {"AH*"}}, {T, 1, {"2H*", "AS*"}}},
        T,
        1,
        0,
        F,
        0,
        false,
        "no run onto a foundation"},
       {"BatsfordSolitaire",
        {},
        {{R, -1, {"KH*", "KS*"}}, {T, 1, {"KD*"}}},
        T,
        1,
        -1,
        R,
        -1,
        true,
        "a third King"},
       {"BatsfordSolitaire",
        {},
        {{R, -1, {"KH*", "KS*", "KC*"}}, {T, 1, {"KD*"}}},
        T,
        1,
        -1,
        R,
        -1,
        false,
        "no fourth King"},
       {"BatsfordSolitaire", {}, {{T, 1, {"KD*", "QS*"}}}, T, 1, 0, R, -1, false, "a King under a card"},
       {"BatsfordSolitaire", {}, {{W, -1, {"QH*"}}}, W, -1, -1, T, 2, false, "empty: a King only"},
   };
   for (const DropCase& c : cases)
   {
      SCOPED_TRACE(std::string(c.key) + ": " + c.why);
      Table table(c.key, c.options);
      table.Lay(c.piles);
      OpenTableauHarness& h = table.harness;
      CardPile* from = h.Pile(c.fromType, c.fromID);
      ASSERT_NE(from, nullptr);
      Card* card = c.fromIndex < 0 ? from->CardTopGet() : from->cards[c.fromIndex];
      CardPile* to = h.Pile(c.toType, c.toID);
      ASSERT_NE(to, nullptr);
      EXPECT_EQ(h.tableau->CardMoveToPileCheck(to, card), c.takes);
      EXPECT_EQ(h.OracleTakes(card) && h.OracleAccepts(to, card), c.takes) << "the soak's oracle";
      // Dropped through the pointer's path, the card lands or flies home.
      const i32 before = to->cards.count;
      if (h.tableau->CardPickUpCheck(card))
      {
         h.Drop(card, to);
         h.Settle();
         EXPECT_EQ(to->cards.count > before, c.takes);
      }
      EXPECT_TRUE(h.CardsConservedCheck());
   }
}

TEST(OpenTableauRulesTest, EndsComeWhenTheRulesSay)
{
   const Options eliminator = {{"OneCardReserve", true}, {"6Foundations", true}};
   const std::vector<PileCards> eliminatorFoundations = {
       {F, 1, {"4S*"}}, {F, 2, {"2D*"}}, {F, 3, {"2C*"}}, {F, 4, {"3S*"}}, {F, 5, {"3D*"}}};
   auto with = [](std::vector<PileCards> piles, const std::vector<PileCards>& more)
   {
      piles.insert(piles.end(), more.begin(), more.end());
      return piles;
   };
   struct Case
   {
      const char* key;
      Options options;
      std::vector<PileCards> piles;
      // The rest of the cards, out of play on this foundation under this card.
      i32 sink;
      const char* sinkTop;
      // The card chosen (double-click) from this pile's top, then the result.
      i32 fromType;
      i32 fromID;
      i32 result;
      const char* why;
   } cases[] = {
       {"EliminatorSolitaire", eliminator,
        with({{T, 0, {"5H*"}}, {R, -1, {"9C*"}}, {F, 0, {"6S*"}}}, eliminatorFoundations), 7, nullptr, T, 0,
        MINIGAME_RESULT_LOST, "a card left in the cell: no win, and no move"},
       {"EliminatorSolitaire", eliminator,
        with({{T, 0, {"5H*"}}, {R, -1, {"8C*"}}, {F, 0, {"7S*"}}}, eliminatorFoundations), 7, nullptr, R, -1,
        MINIGAME_RESULT_RUNNING, "the cell's card played, the column's still goes"},
       {"EliminatorSolitaire", eliminator, with({{T, 0, {"6H*"}}, {F, 0, {"7S*"}}}, eliminatorFoundations), 7,
        nullptr, T, 0, MINIGAME_RESULT_WON, "all played"},
       {"BristolSolitaire",
        {{"KingsInEmpty", false}},
        {{T, 0, {"5H*", "KS*"}}, {T, 1, {"QH*"}}},
        3,
        nullptr,
        T,
        1,
        MINIGAME_RESULT_LOST,
        "a King on a Five, the Queen on it"},
       {"EightOffSolitaire",
        {},
        {{T, 0, {"2H*"}}, {F, 0, {"AH*"}}, {R, 0, {"9C*"}}},
        3,
        nullptr,
        T,
        0,
        MINIGAME_RESULT_WON,
        "columns empty"},
       {"BakersDozenSolitaire",
        {},
        {{T, 0, {"2H*"}}, {F, 0, {"AH*"}}, {T, 1, {"9C*"}}},
        3,
        "5D",
        T,
        0,
        MINIGAME_RESULT_LOST,
        "a Nine left alone"},
       {"BeleagueredCastleSolitaire",
        {{"Siegecraft", true}},
        {{T, 0, {"2H*"}}, {F, 0, {"AH*"}}},
        3,
        nullptr,
        T,
        0,
        MINIGAME_RESULT_WON,
        "cleared"},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(std::string(c.key) + ": " + c.why);
      Table table(c.key, c.options);
      OpenTableauHarness& h = table.harness;
      table.Lay(c.piles);
      table.Sink(h.Foundation(c.sink), c.sinkTop);
      Card* card = h.Pile(c.fromType, c.fromID)->CardTopGet();
      ASSERT_NE(card, nullptr);
      h.ChoosePost(card);
      h.Settle();
      EXPECT_EQ(h.tableau->gameResult, c.result);
      EXPECT_EQ(h.OracleEnd(), c.result);
      if (c.result != MINIGAME_RESULT_RUNNING)
      {
         // The end joins the move that made it: one undo opens the game again.
         h.tableau->Undo();
         h.Settle();
         EXPECT_EQ(h.tableau->gameResult, MINIGAME_RESULT_RUNNING);
      }
   }
}

TEST(OpenTableauRulesTest, EliminatorCountsEmptyFoundationsTenEach)
{
   struct Case
   {
      Options options;
      std::vector<PileCards> piles;
      i32 score;
   } cases[] = {
       {{}, {}, 80},
       {{{"6Foundations", true}}, {}, 80},
       {{{"6Foundations", true}}, {{F, 0, {"5H*", "6S*", "7D*"}}, {F, 5, {"KC*"}}}, 3 + 1 + 6 * 10},
       {{}, {{F, 7, {"AH*"}}}, 1 + 70},
   };
   for (const auto& c : cases)
   {
      Table table("EliminatorSolitaire", c.options);
      table.Lay(c.piles);
      EXPECT_EQ(table.game->ScoreGet(), c.score);
      EXPECT_TRUE(table.game->ScoreShownCheck());
   }
}

TEST(OpenTableauRulesTest, BatsfordLosesOnlyWhenNoUsefulMoveIsLeft)
{
   struct Case
   {
      std::vector<PileCards> piles;
      bool useful;
      const char* why;
   } cases[] = {
       {{{T, 0, {"KH*"}}}, false, "a lone King to an empty column"},
       {{{T, 0, {"KH*"}}, {R, -1, {"KS*"}}}, true, "a lone King onto the reserve's King"},
       {{{T, 0, {"9C*", "8H*"}}, {T, 1, {"9S*"}}}, false, "the same Nine under both"},
       {{{T, 0, {"9C*", "8H*"}},
         {T, 1, {"9S*"}},
         {F, 0, {"AC*", "2C*", "3C*", "4C*", "5C*", "6C*", "7C*", "8C*"}}},
        true,
        "the Nine left behind goes up"},
       {{{T, 0, {"TC*", "8H*"}}, {T, 1, {"9S*"}}}, true, "a different rank under it"},
       {{{T, 0, {"5D*", "4C*"}}, {T, 1, {}}}, false, "nothing takes a Four"},
       {{{T, 0, {"AD", "QH*"}}, {T, 1, {"KC*"}}}, true, "a Queen onto a King, a back under it"},
   };
   for (const auto& c : cases)
   {
      SCOPED_TRACE(c.why);
      Table table("BatsfordSolitaire");
      table.Lay(c.piles);
      // The stock emptied out of play, onto a foundation of its own, under a card no case needs.
      table.Sink(table.harness.Foundation(7), "2D");
      auto* batsford = static_cast<BatsfordSolitaire*>(table.game.get());
      EXPECT_EQ(batsford->UsefulMoveExistsCheck(), c.useful);
      EXPECT_EQ(table.harness.OracleUsefulMove(), c.useful);
   }
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
