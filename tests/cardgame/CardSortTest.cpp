// The card sort orders over one mixed hand, written out by hand, and the stability of pile sorts.
#include <gtest/gtest.h>

#include "cardgame/CardNames.h"
#include "cardgame/CardSort.h"
#include "core/QuickSort.h"
#include "tests/MemoryEnvironment.h"
#include "tests/cardgame/CardTestSupport.h"

using namespace CardTest;

namespace
{
const ::testing::Environment* const memory =
    ::testing::AddGlobalTestEnvironment(new TestSupport::MemoryEnvironment);

std::string Sorted(i32 sortType, const char* hand)
{
   LooseCards loose;
   Table<Card*> cards;
   for (const char* p = hand; p[0] && p[1]; p += p[2] ? 3 : 2)
   {
      cards.Insert(loose.Make(RankOf(p[0]), SuitOf(p[1])), cards.count);
   }
   CardSortFunction less = CardSortFunctionGet(sortType - 1);
   cards.Sort([less](Card* a, Card* b) { return less(a, b); });
   std::string result;
   for (i32 i = 0; i < cards.count; i++)
   {
      result += (i ? " " : "") + CardName(cards[i]);
   }
   return result;
}

const char* const HAND = "AH KH 2H TH JH 3S JS AD JD 9D QC JC";

TEST(CardSort, EachOrderOverAMixedHand)
{
   struct Case
   {
      i32 type;
      const char* expected;
   };
   const Case cases[] = {
       {1, "AH KH JH TH 2H JS 3S AD JD 9D QC JC"},
       {2, "KH JH TH 2H AH JS 3S JD 9D AD QC JC"},
       {3, "AH AD KH QC JH JS JD JC TH 9D 3S 2H"},
       {4, "KH QC JH JS JD JC TH 9D 3S 2H AH AD"},
       {5, "2H TH JH KH AH 3S JS 9D JD AD JC QC"},
       {6, "AH 2H TH JH KH 3S JS AD 9D JD JC QC"},
       {7, "AH AD 2H 3S 9D TH JH JS JD JC QC KH"},
       {8, "2H 3S 9D TH JH JS JD JC QC KH AH AD"},
       {9, "AH TH KH JH 2H JS 3S AD JD 9D QC JC"},
       {10, "2H JH KH TH AH 3S JS 9D JD AD JC QC"},
       // Skat, Hearts trump: the Jacks by suit, then the Hearts by strength, then the other suits.
       {11, "JC JS JH JD AH TH KH 2H 3S AD 9D QC"},
       {15, "QC 9D AD 3S 2H KH TH AH JD JH JS JC"},
       {19, "JC JS JH JD AH TH KH 2H AD QC 9D 3S"},
       {23, "JC JS JH JD AH AD TH KH QC 9D 3S 2H"},
       {24, "AH AD TH KH QC JH JS JD JC 9D 3S 2H"},
       // Euchre: the left bower joins the trump suit right after the right bower.
       {25, "JC QC 9D AD 3S JS 2H TH KH AH JD JH"},
       {26, "JH JD AH KH TH 2H JS 3S AD 9D QC JC"},
       {28, "JD JH AD 9D QC JC AH KH TH 2H JS 3S"},
       {30, "JS JC 3S AD JD 9D QC AH KH JH TH 2H"},
       {32, "JC JS QC AH KH JH TH 2H 3S AD JD 9D"},
   };
   for (const Case& c : cases)
   {
      EXPECT_EQ(Sorted(c.type, HAND), c.expected) << "sort type " << c.type;
   }
   EXPECT_EQ(CardSortFunctionGet(-1), nullptr);
   EXPECT_EQ(CardSortFunctionGet(32), nullptr);
}

TEST(CardSort, StrengthDifferences)
{
   LooseCards loose;
   Card* jackClubs = loose.Make(RANK_JACK, SUIT_CLUBS);
   Card* jackDiamonds = loose.Make(RANK_JACK, SUIT_DIAMONDS);
   Card* aceHearts = loose.Make(RANK_ACE, SUIT_HEARTS);
   Card* tenHearts = loose.Make(RANK_TEN, SUIT_HEARTS);
   EXPECT_EQ(SkatCardStrengthDifferenceGet(jackClubs, jackDiamonds), 3);
   EXPECT_EQ(SkatCardStrengthDifferenceGet(jackDiamonds, aceHearts), 1);
   EXPECT_EQ(SkatCardStrengthDifferenceGet(tenHearts, aceHearts), -1);
   // With Diamonds trump the Jack of Hearts is the left bower.
   Card* jackHearts = loose.Make(RANK_JACK, SUIT_HEARTS);
   EXPECT_EQ(EuchreTrumpStrengthDifferenceGet(jackDiamonds, jackHearts, SUIT_DIAMONDS), 1);
   EXPECT_EQ(EuchreTrumpStrengthDifferenceGet(jackHearts, aceHearts, SUIT_DIAMONDS), 1);
   EXPECT_EQ(EuchreTrumpStrengthDifferenceGet(jackClubs, aceHearts, SUIT_DIAMONDS), -3);
}

TEST(CardSort, PileSortKeepsDoubleDeckTwinsInOrder)
{
   CountingGame game;
   CardPile pile;
   pile.game = &game;
   pile.DecksAdd(2);
   pile.SortOnce(6);
   ASSERT_EQ(pile.cards.count, 104);
   for (i32 i = 0; i < 104; i += 2)
   {
      // The first deck's card came first and stays first.
      EXPECT_EQ(pile.cards[i]->rank, pile.cards[i + 1]->rank);
      EXPECT_EQ(pile.cards[i]->suit, pile.cards[i + 1]->suit);
      EXPECT_LT(pile.cards[i]->id, pile.cards[i + 1]->id);
   }
   EXPECT_EQ(CardName(pile.cards[0]), "AH");
   EXPECT_EQ(CardName(pile.cards[103]), "KC");
   EXPECT_EQ(pile.sortType, 0);
   pile.Deinit();
}

TEST(CardSort, QuickSortOrdersCardPointers)
{
   LooseCards loose;
   std::vector<Card*> cards;
   for (const char* p = HAND; p[0]; p += p[2] ? 3 : 2)
   {
      cards.push_back(loose.Make(RankOf(p[0]), SuitOf(p[1])));
   }
   CardSortFunction less = CardSortFunctionGet(0);
   QuickSort(cards.data(), cards.data() + cards.size() - 1, less);
   std::string result;
   for (Card* card : cards)
   {
      result += (result.empty() ? "" : " ") + CardName(card);
   }
   EXPECT_EQ(result, "AH KH JH TH 2H JS 3S AD JD 9D QC JC");
}
} // namespace
