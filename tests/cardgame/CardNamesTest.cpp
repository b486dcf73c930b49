// Rank arithmetic, suit colours and the name lookups of suits, ranks, pile types and sort orders.
#include <gtest/gtest.h>

#include "cardgame/CardNames.h"
#include "core/Table.h"

using namespace Corvale;

TEST(CardNames, RankAddWrapsAroundTheCycle)
{
   struct Case
   {
      i32 rank, offset;
      bool aceHigh;
      i32 result;
      bool wrapped;
   };
   const Case cases[] = {
       {RANK_TWO, -1, true, RANK_ACE, true},
       {RANK_KING, 1, true, RANK_ACE, false},
       {RANK_ACE, 1, true, RANK_TWO, true},
       {RANK_ACE, -1, false, RANK_KING, true},
       {RANK_KING, 1, false, RANK_ACE, true},
       {RANK_QUEEN, 13, false, RANK_QUEEN, true},
       {RANK_TWO, -13, false, RANK_TWO, true},
       {RANK_ACE, 13, true, RANK_ACE, true},
       {5, 3, false, 8, false},
       {RANK_ACE, -1, true, RANK_KING, false},
       {RANK_TWO, -27, false, RANK_ACE, true},
   };
   for (const Case& c : cases)
   {
      bool wrapped = !c.wrapped;
      EXPECT_EQ(CardRankAdd(c.rank, c.offset, c.aceHigh, &wrapped), c.result)
          << c.rank << " + " << c.offset << (c.aceHigh ? " ace high" : "");
      EXPECT_EQ(wrapped, c.wrapped) << c.rank << " + " << c.offset;
   }
   EXPECT_EQ(CardRankAdd(RANK_KING, 1, false, nullptr), RANK_ACE);
}

TEST(CardNames, RankDifferencesCountTheAceHighOnlyWhenAsked)
{
   EXPECT_EQ(CardRankDifferenceGet(RANK_ACE, RANK_KING, true), 1);
   EXPECT_EQ(CardRankDifferenceGet(RANK_ACE, RANK_KING, false), -12);
   EXPECT_EQ(CardRankDifferenceGet(RANK_ACE, RANK_ACE, true), 0);
   EXPECT_EQ(CardRankDifferenceGet(RANK_TWO, RANK_ACE, true), -12);
   EXPECT_EQ(CardRankDifferenceGet(RANK_JACK, RANK_NINE, true), 2);
}

TEST(CardNames, SuitsSortShortestFirstKeepingTiesInOrder)
{
   Table<SuitCount> suits;
   for (SuitCount suit : {SuitCount{SUIT_HEARTS, 4}, SuitCount{SUIT_SPADES, 1}, SuitCount{SUIT_DIAMONDS, 4},
                          SuitCount{SUIT_CLUBS, 0}})
   {
      suits.Insert(suit, suits.count);
   }
   suits.Sort(SuitCountLessCheck);
   const i32 order[] = {SUIT_CLUBS, SUIT_SPADES, SUIT_HEARTS, SUIT_DIAMONDS};
   for (i32 i = 0; i < 4; i++)
   {
      EXPECT_EQ(suits[i].suit, order[i]) << i;
   }
}

TEST(CardNames, SuitColours)
{
   EXPECT_TRUE(CardSuitColorsMatchCheck(SUIT_HEARTS, SUIT_DIAMONDS));
   EXPECT_TRUE(CardSuitColorsMatchCheck(SUIT_CLUBS, SUIT_SPADES));
   EXPECT_FALSE(CardSuitColorsMatchCheck(SUIT_HEARTS, SUIT_SPADES));
   EXPECT_FALSE(CardSuitColorsMatchCheck(SUIT_NONE, SUIT_HEARTS));
   EXPECT_FALSE(CardSuitColorsMatchCheck(SUIT_NONE, SUIT_NONE));
}

TEST(CardNames, LookupsAreExactWithTheSortNameShift)
{
   EXPECT_EQ(CardSuitFromName("Diamonds"), SUIT_DIAMONDS);
   EXPECT_EQ(CardSuitFromName("diamonds"), -1);
   EXPECT_EQ(CardSuitFromName(nullptr), -1);
   EXPECT_EQ(CardRankFromName("Joker"), RANK_JOKER);
   EXPECT_EQ(CardRankFromName("Ten"), RANK_TEN);
   EXPECT_EQ(CardRankFromName("King"), RANK_KING);
   EXPECT_EQ(CardRankFromName("1"), -1);
   EXPECT_EQ(CardPileTypeFromName("Tableau"), CARD_PILE_TYPE_TABLEAU);
   EXPECT_EQ(CardPileTypeFromName("LayAway"), CARD_PILE_TYPE_LAY_AWAY);
   EXPECT_EQ(CardPileTypeFromName("tableau"), -1);
   EXPECT_EQ(CardPileTypeFromName(nullptr), -1);
   // Names select their place in the table, one below the order their words describe from 2 on.
   EXPECT_EQ(CardSortTypeFromName("DescendingSuitRankAceHigh"), 1);
   EXPECT_EQ(CardSortTypeFromName("AscendingSuitRankAceHigh"), 4);
   EXPECT_EQ(CardSortTypeFromName("SkatDescendingSuitRankHearts"), 10);
   EXPECT_EQ(CardSortTypeFromName("SkatDescendingValueSuit"), 23);
   EXPECT_EQ(CardSortTypeFromName("Hearts"), 0);
   EXPECT_EQ(CardSortTypeFromName("Tableau"), 0);
   EXPECT_EQ(CardSortTypeFromName(nullptr), 0);
}
