// Card piles: specifications with templates, moves between piles, seeded shuffles, layout and the
// queries over card tables.
#include <gtest/gtest.h>

#include "cardgame/CardNames.h"
#include "cardgame/CardQueries.h"
#include "core/Random.h"
#include "tests/MemoryEnvironment.h"
#include "tests/cardgame/CardTestSupport.h"

using namespace CardTest;

namespace
{
const ::testing::Environment* const memory =
    ::testing::AddGlobalTestEnvironment(new TestSupport::MemoryEnvironment);

class CardPileTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      consts = Parse(R"({"CardSizeDefault": "Medium", "CardPileHighlightPadding": 4.9,
         "CardPileTemplates": {"A": {"Inherited": "B", "Position": "0|0", "CardPositionOffset": "0|25"},
                               "B": {"Type": "Tableau", "CardPositionOffset": "0|5", "CardSize": "Small"},
                               "Shared": {"Type": "Foundation"},
                               "Loop1": {"Inherited": "Loop2", "Type": "Waste"},
                               "Loop2": {"Inherited": "Loop1", "SecondaryID": 4}}})");
      Card::ConstsLoad(consts.get());
   }
   void TearDown() override
   {
      for (CardPile* pile : piles)
      {
         pile->Deinit();
         delete pile;
      }
      Card::ConstsLoad(nullptr);
   }

   CardPile* PileMake(const std::string& specification)
   {
      ValuePointer value = Parse(specification);
      piles.push_back(new CardPile);
      piles.back()->Init(&game, value.get());
      return piles.back();
   }

   // Cards named "AH 2S ..." created in the pile, in order.
   void CardsAdd(CardPile* pile, const char* names)
   {
      for (const char* p = names; p[0] && p[1]; p += p[2] ? 3 : 2)
      {
         pile->CardCreate(RankOf(p[0]), SuitOf(p[1]));
      }
   }

   static std::string Names(const CardPile* pile)
   {
      std::string result;
      for (i32 i = 0; i < pile->cards.count; i++)
      {
         result += (i ? " " : "") + CardName(pile->cards[i]);
      }
      return result;
   }

   ValuePointer consts;
   CountingGame game;
   std::vector<CardPile*> piles;
   TestSupport::LogCapture log;
};

TEST_F(CardPileTest, SpecificationDefaultsAndTemplateChains)
{
   CardPile* plain = PileMake(R"({"Type": "Tableau"})");
   EXPECT_EQ(plain->type, CARD_PILE_TYPE_TABLEAU);
   EXPECT_EQ(plain->sortType, 0);
   EXPECT_EQ(plain->ownerID, -1);
   EXPECT_EQ(plain->position.x, 0.0f);
   EXPECT_STREQ(plain->cardSize, "Medium");
   EXPECT_EQ(plain->cardPositionOffset.y, 0.0f);
   EXPECT_EQ(plain->cardsPerRowMax, -1);
   EXPECT_EQ(plain->cardsSpanLengthMax, -1.0f);
   EXPECT_EQ(plain->highlightPadding, 4);
   EXPECT_EQ(plain->highlightColor.a, 255);
   EXPECT_EQ(plain->highlightColor.r, 0);

   // Own items over A's over B's.
   CardPile* chained =
       PileMake(R"({"Inherited": "A", "Position": "10|20", "OwnerID": "2", "Sort": "Hearts"})");
   EXPECT_EQ(chained->type, CARD_PILE_TYPE_TABLEAU);
   EXPECT_EQ(chained->position.x, 10.0f);
   EXPECT_EQ(chained->position.y, 20.0f);
   EXPECT_EQ(chained->cardPositionOffset.y, 25.0f);
   EXPECT_STREQ(chained->cardSize, "Small");
   EXPECT_EQ(chained->ownerID, -1);
   EXPECT_EQ(chained->sortType, 0);

   // The game's template of a name hides the global one.
   game.gameConsts =
       Parse(R"({"CardPileTemplates": {"Shared": {"Type": "Hand", "Sort": "AscendingSuitRankAceHigh"}}})");
   game.constants = game.gameConsts.get();
   CardPile* hidden = PileMake(R"({"Inherited": "Shared", "SecondaryID": 3.7})");
   EXPECT_EQ(hidden->type, CARD_PILE_TYPE_HAND);
   EXPECT_EQ(hidden->sortType, 4);
   EXPECT_EQ(hidden->secondaryID, 3);

   // A chain that returns to a template already applied stops there with one line.
   CardPile* looped = PileMake(R"({"Inherited": "Loop1"})");
   EXPECT_EQ(looped->type, CARD_PILE_TYPE_WASTE);
   EXPECT_EQ(looped->secondaryID, 4);
   EXPECT_TRUE(log.Contains(
       "CardPile::SpecificationInheritanceHelper -- Card pile template chain returns to: Loop1\n"));

   PileMake(R"({"Type": "tableau"})");
   EXPECT_TRUE(log.Contains("CardPile::Init -- Card pile type is unspecified or invalid.\n"));
   PileMake(R"({"Inherited": "Nowhere", "Type": "Draw"})");
   EXPECT_TRUE(log.Contains(
       "CardPile::SpecificationInheritanceHelper -- Unable to find card pile template: Nowhere\n"));
   PileMake(R"([1])");
   EXPECT_TRUE(log.Contains("CardPile::Init -- specifications must be a JSON object.\n"));
}

TEST_F(CardPileTest, InsertAndStackMovesWithTheirSounds)
{
   CardPile* from = PileMake(R"({"Type": "Tableau"})");
   CardPile* to = PileMake(R"({"Type": "Foundation"})");
   CardsAdd(from, "AH 2H 3H 4H 5H");
   CardsAdd(to, "AS 2S 3S");
   const int soundsBefore = game.moveSounds;

   to->CardInsert(99, from->cards[0]);
   EXPECT_EQ(Names(to), "AS 2S 3S AH");
   EXPECT_EQ(Names(from), "2H 3H 4H 5H");
   EXPECT_EQ(to->cards[3]->pile, to);
   to->CardInsert(99, to->cards[0]);
   EXPECT_EQ(Names(to), "2S 3S AH AS");
   to->CardInsert(-4, to->cards[3]);
   EXPECT_EQ(Names(to), "AS 2S 3S AH");

   to->CardStackAdd(from->cards[1]);
   EXPECT_EQ(Names(to), "AS 2S 3S AH 3H 4H 5H");
   EXPECT_EQ(Names(from), "2H");
   EXPECT_EQ(game.moveSounds, soundsBefore + 4);
   EXPECT_TRUE(game.cardPilesLayoutPending);
   EXPECT_EQ(to->CardDepthGet(to->cards[4]), 2);
   EXPECT_EQ(to->CardDepthGet(from->cards[0]), 0);
   EXPECT_EQ(to->CardTopGet()->rank, 5);
   EXPECT_TRUE(to->CardTopGet()->IsOnTop());

   // Melds laid out of the movement pile go quietly; a sorted pile sorts what joins it.
   CardPile* movement = PileMake(R"({"Type": "MeldMovement"})");
   CardPile* meld = PileMake(R"({"Type": "Meld", "Sort": "AscendingSuitRankAceLow"})");
   CardsAdd(movement, "KD QD");
   const int soundsMeld = game.moveSounds;
   meld->CardStackAdd(movement->cards[0]);
   EXPECT_EQ(game.moveSounds, soundsMeld);
   EXPECT_EQ(Names(meld), "QD KD");
   meld->CardInsert(0, from->cards[0]);
   EXPECT_EQ(game.moveSounds, soundsMeld + 1);
}

TEST_F(CardPileTest, ShuffleFromTheGameSeedsAndUnshuffle)
{
   CardPile* pile = PileMake(R"({"Type": "Draw"})");
   pile->DecksAdd(1);
   randomState0 = 1234;
   randomState1 = 5678;
   game.seed1 = 0;
   game.seed2 = 0;
   pile->Shuffle();
   const i32 expected[] = {16, 23, 3, 36, 24, 7, 40, 37, 44, 48};
   for (i32 i = 0; i < 10; i++)
   {
      EXPECT_EQ(pile->cards[i]->id, expected[i]) << "index " << i;
   }
   EXPECT_EQ(game.seed1, 1603585342u);
   EXPECT_EQ(game.seed2, 2938043586u);
   EXPECT_EQ(randomState0, 1234u);
   EXPECT_EQ(randomState1, 5678u);

   for (i32 n = 0; n <= 60; n++)
   {
      CardPile* deck = PileMake(R"({"Type": "Draw"})");
      for (i32 i = 0; i < n; i++)
      {
         deck->CardCreate(i % 13 + 1, i % 4);
      }
      std::string before = Names(deck);
      std::vector<Card*> order(deck->cards.data, deck->cards.data + n);
      game.seed1 = 77u * static_cast<u32>(n);
      game.seed2 = 9u;
      deck->Shuffle();
      game.seed1 = 77u * static_cast<u32>(n);
      game.seed2 = 9u;
      deck->Unshuffle();
      EXPECT_TRUE(std::equal(order.begin(), order.end(), deck->cards.data)) << n << " cards";
   }

   // One card still costs one step of the game's generator.
   CardPile* single = PileMake(R"({"Type": "Waste"})");
   CardsAdd(single, "QS");
   game.seed1 = 0;
   game.seed2 = 0;
   single->Shuffle();
   EXPECT_EQ(game.seed1, 46906481u);
   EXPECT_EQ(game.seed2, 103995407u ^ 46906481u);

   // A sorted pile is never shuffled and draws nothing.
   CardPile* hand = PileMake(R"({"Type": "Hand", "Sort": "DescendingSuitRankAceHigh"})");
   CardsAdd(hand, "2C AH");
   game.seed1 = 5;
   hand->Shuffle();
   hand->Unshuffle();
   EXPECT_EQ(game.seed1, 5u);
   EXPECT_EQ(Names(hand), "AH 2C");
}

TEST_F(CardPileTest, LayoutAndTheIndexAtAPoint)
{
   CardPile* rows =
       PileMake(R"({"Type": "Tableau", "CardPositionOffset": "10|0", "CardRowPositionOffset": "0|30",
                                 "CardsPerRowMax": 3})");
   CardsAdd(rows, "AH 2H 3H 4H 5H 6H 7H");
   EXPECT_EQ(rows->CardPositionGet(4).x, 10.0f);
   EXPECT_EQ(rows->CardPositionGet(4).y, 30.0f);
   EXPECT_EQ(rows->CardIndexAtPointGet(Point2F{100.0f, 60.0f}), 9);
   EXPECT_EQ(rows->CardIndexAtPointGet(Point2F{5.0f, 31.0f}), 4);
   EXPECT_EQ(rows->SpanLengthGet(), 20.0f);

   // Six cards 30 apart (span 150) squeezed into 100 units, centred on the position.
   CardPile* limited = PileMake(R"({"Type": "Hand", "Position": "200|300", "CardPositionOffset": "0|30",
                                    "CardsSpanLengthMax": 100, "CardsCentered": true})");
   CardsAdd(limited, "AH 2H 3H 4H 5H 6H");
   for (i32 i = 0; i < 6; i++)
   {
      const Point2F place = limited->CardPositionGet(i);
      EXPECT_FLOAT_EQ(place.x, 200.0f);
      EXPECT_FLOAT_EQ(place.y, 250.0f + 20.0f * i) << "card " << i;
      EXPECT_EQ(limited->CardIndexAtPointGet(Point2F{place.x, place.y - 1.0f}), i) << "before card " << i;
      EXPECT_EQ(limited->CardIndexAtPointGet(Point2F{place.x, place.y + 1.0f}), i + 1) << "after card " << i;
   }
   EXPECT_EQ(limited->CardPositionGet(6).y, 300.0f);

   CardPile* sameRank = PileMake(R"({"Type": "Meld", "CardPositionOffset": "0|20",
                                     "CardSameRankPositionOffsetEnabled": true, "CardSameRankPositionOffset": "5|0"})");
   CardsAdd(sameRank, "5H 5S 9D 9C 9H KS");
   const float expected[][2] = {{0, 0}, {5, 0}, {0, 20}, {5, 20}, {10, 20}, {0, 40}};
   for (i32 i = 0; i < 6; i++)
   {
      EXPECT_EQ(sameRank->CardPositionGet(i).x, expected[i][0]) << "card " << i;
      EXPECT_EQ(sameRank->CardPositionGet(i).y, expected[i][1]) << "card " << i;
   }
   EXPECT_EQ(sameRank->SpanLengthGet(), 40.0f);

   // A draw-three waste: only the top three spread, whole steps apart, the rest lie under the first
   // of them; fewer cards spread from the position as an unlimited line does.
   CardPile* waste = PileMake(R"({"Type": "Talon", "Position": "100|50", "CardPositionOffset": "30|0",
                                  "CardsFannedMax": 3})");
   CardsAdd(waste, "AH 2H");
   EXPECT_EQ(waste->CardPositionGet(1).x, 130.0f);
   EXPECT_EQ(waste->SpanLengthGet(), 30.0f);
   CardsAdd(waste, "3H 4H 5H 6H");
   const float spread[] = {100, 100, 100, 100, 130, 160};
   for (i32 i = 0; i < 6; i++)
   {
      EXPECT_EQ(waste->CardPositionGet(i).x, spread[i]) << "card " << i;
      EXPECT_EQ(waste->CardPositionGet(i).y, 50.0f) << "card " << i;
   }
   EXPECT_EQ(waste->SpanLengthGet(), 60.0f);
   EXPECT_EQ(waste->CardIndexAtPointGet(Point2F{145.0f, 50.0f}), 5);
   EXPECT_EQ(waste->CardIndexAtPointGet(Point2F{500.0f, 50.0f}), 6);
   EXPECT_EQ(waste->CardIndexAtPointGet(Point2F{90.0f, 50.0f}), 0);

   // Stacked cards: every drop goes on top.
   CardPile* stacked = PileMake(R"({"Type": "Draw"})");
   CardsAdd(stacked, "AH 2H");
   EXPECT_EQ(stacked->CardIndexAtPointGet(Point2F{-50.0f, -50.0f}), 2);
   EXPECT_EQ(stacked->CardPositionGet(1).x, 0.0f);
}

TEST_F(CardPileTest, QueriesOverCardTables)
{
   CardPile* pile = PileMake(R"({"Type": "Hand"})");
   CardsAdd(pile, "AH 9S KS 2H JD 5S");
   Table<Card*> cards;
   pile->CardsGet(cards);
   EXPECT_EQ(CardName(CardsHighestGet(cards)), "AH");
   EXPECT_EQ(CardName(CardsLowestGet(cards)), "2H");
   EXPECT_EQ(CardName(CardsSuitLowestGet(cards, SUIT_SPADES)), "5S");
   EXPECT_EQ(CardName(CardsOffSuitHighestGet(cards, SUIT_HEARTS)), "KS");
   EXPECT_EQ(CardName(CardsSuitHighestBelowGet(cards, RANK_KING, SUIT_SPADES)), "9S");
   EXPECT_EQ(CardName(CardsSuitLowestAboveGet(cards, 6, SUIT_SPADES)), "9S");
   EXPECT_EQ(CardsSuitHighestAboveGet(cards, RANK_ACE, SUIT_HEARTS), nullptr);
   EXPECT_EQ(CardsSuitCount(cards, SUIT_SPADES), 3);
   EXPECT_EQ(pile->CardsNotOfSuitCount(SUIT_SPADES), 3);
   EXPECT_EQ(CardName(pile->CardByRankAndSuitGet(RANK_JACK, SUIT_DIAMONDS)), "JD");
   CardPile* skat = PileMake(R"({"Type": "Hand"})");
   CardsAdd(skat, "JH TH 7H AS");
   EXPECT_EQ(skat->SuitCardCountGet(RANK_JACK, SUIT_HEARTS), 2);
   EXPECT_EQ(skat->SuitCardCountGet(RANK_JACK, SUIT_SPADES), 1);
   EXPECT_EQ(PileMake(R"({"Type": "Hand"})")->SuitCardCountGet(RANK_JACK, SUIT_HEARTS), 0);

   struct Hand
   {
      const char* cards;
      i32 value;
   };
   const Hand hands[] = {{"AH AS 9D", 21}, {"KH QS 2D", 0},  {"AH AS AD AC", 14},
                         {"AH KS", 21},    {"AH 5S AD", 17}, {"TH 5S AD 5C", 21},
                         {"", 0}};
   for (const Hand& hand : hands)
   {
      LooseCards loose;
      Table<Card*> table;
      for (const char* p = hand.cards; p[0] && p[1]; p += p[2] ? 3 : 2)
      {
         table.Insert(loose.Make(RankOf(p[0]), SuitOf(p[1])), table.count);
      }
      EXPECT_EQ(CardsTwentyOneValueGet(table), hand.value) << hand.cards;
   }
}

TEST_F(CardPileTest, FollowingAndRuns)
{
   struct Case
   {
      const char* pair;
      i32 direction, suitRule;
      bool aceHigh, wrapAllowed, follows;
   };
   const Case cases[] = {
       {"5H 4S", 1, 4, false, false, true},  {"5H 4D", 1, 4, false, false, false},
       {"5H 4D", 1, 3, false, false, true},  {"5H 6H", 0, 1, false, false, true},
       {"5H 6H", 0, 2, false, false, false}, {"KH AH", 0, 0, false, false, false},
       {"KH AH", 0, 0, false, true, true},   {"KH AH", 0, 0, true, false, true},
       {"5H 4C", 2, 0, false, false, true},  {"5H 6C", 2, 0, false, false, true},
       {"5H 7C", 2, 0, false, false, false}, {"5H 4C", 3, 0, false, false, false},
       {"5H 4C", 1, 5, false, false, false},
   };
   for (const Case& c : cases)
   {
      LooseCards loose;
      Card* a = loose.Make(RankOf(c.pair[0]), SuitOf(c.pair[1]));
      Card* b = loose.Make(RankOf(c.pair[3]), SuitOf(c.pair[4]));
      EXPECT_EQ(a->FollowsCheck(b, c.direction, c.suitRule, c.aceHigh, c.wrapAllowed, 1), c.follows)
          << c.pair << " direction " << c.direction << " suit rule " << c.suitRule;
   }
   CardPile* column = PileMake(R"({"Type": "Tableau"})");
   CardsAdd(column, "2C KH QH JH TH 9H 8H 7H 6H 5H 4H 3H 2H AH");
   EXPECT_TRUE(CardsFullRunCheck(column->cards, column->cards[1], 1));
   EXPECT_FALSE(CardsFullRunCheck(column->cards, column->cards[0], 1));
   EXPECT_TRUE(CardsSequenceCheck(column->cards, column->cards[3], 1, 1, false, false, 1, 6));
   EXPECT_FALSE(CardsSequenceCheck(column->cards, column->cards[0], 1, 0, false, false, 1, -1));
   EXPECT_FALSE(CardsSequenceCheck(column->cards, column->cards[3], 1, 1, false, false, 1, 15));
}
} // namespace
