// Poker hand categories and the order they leave a hand in, hands of fewer than five cards, a null
// card, and every five-card hand of a deck counted against the published category counts.
#include "cardgame/PokerHandEvaluator.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "cardgame/Card.h"
#include "tests/TestSupport.h"
#include "tests/cardgame/CardTestSupport.h"

using namespace Corvale;

namespace
{
// "KH QS" style hands, built fresh for every case.
class PokerHandEvaluatorTest : public ::testing::Test
{
 protected:
   Table<Card*> Hand(const std::string& text)
   {
      Table<Card*> hand;
      for (std::size_t at = 0; at + 1 < text.size(); at += 3)
      {
         hand.Insert(cards.Make(CardTest::RankOf(text[at]), CardTest::SuitOf(text[at + 1])), hand.count);
      }
      return hand;
   }

   static std::string Names(const Table<Card*>& hand)
   {
      std::string names;
      for (i32 i = 0; i < hand.count; ++i)
      {
         names += (i ? " " : "") + CardTest::CardName(hand[i]);
      }
      return names;
   }

   CardTest::LooseCards cards;
};

TEST_F(PokerHandEvaluatorTest, CategoriesLeaveTheMakingCardsFirstAndTheKickersFromTheHighestDown)
{
   struct Case
   {
      const char* hand;
      PokerHandType type;
      const char* order;
   };
   const Case cases[] = {
       {"9C 2H KD 5S AH", POKER_HAND_TYPE_HIGH_CARD, "AH KD 9C 5S 2H"},
       {"4D 9C KH 4S 3H", POKER_HAND_TYPE_PAIR, "4S 4D KH 9C 3H"},
       {"KH 4C 9D 4H KS", POKER_HAND_TYPE_TWO_PAIR, "KH KS 4H 4C 9D"},
       {"AC 2D 2S AS 2H", POKER_HAND_TYPE_FULL_HOUSE, "2H 2S 2D AS AC"},
       {"7H 7C QD 7S 3D", POKER_HAND_TYPE_THREE_OF_A_KIND, "7H 7S 7C QD 3D"},
       {"9D TH 6C 8S 7H", POKER_HAND_TYPE_STRAIGHT, "TH 9D 8S 7H 6C"},
       {"TS AH QD KC JH", POKER_HAND_TYPE_STRAIGHT, "AH KC QD JH TS"},
       // The wheel: the ace ends it at the bottom.
       {"3D AS 5H 2C 4H", POKER_HAND_TYPE_STRAIGHT, "5H 4H 3D 2C AS"},
       // No run turns the corner from King to Two.
       {"QH KS AD 2C 3H", POKER_HAND_TYPE_HIGH_CARD, "AD KS QH 3H 2C"},
       {"2C 9C JC 4C KC", POKER_HAND_TYPE_FLUSH, "KC JC 9C 4C 2C"},
       {"8H 8D 3C 8S 8C", POKER_HAND_TYPE_FOUR_OF_A_KIND, "8H 8S 8D 8C 3C"},
       {"9S 5S 7S 6S 8S", POKER_HAND_TYPE_STRAIGHT_FLUSH, "9S 8S 7S 6S 5S"},
       // A five-high straight flush starts with the five: no royal flush.
       {"4D 2D AD 5D 3D", POKER_HAND_TYPE_STRAIGHT_FLUSH, "5D 4D 3D 2D AD"},
       {"QH TH AH JH KH", POKER_HAND_TYPE_ROYAL_FLUSH, "AH KH QH JH TH"},
       // Seven cards: the best of them first, the rest behind from the highest down.
       {"2H 9D 9S KC 4H 9C KH", POKER_HAND_TYPE_FULL_HOUSE, "9S 9D 9C KH KC 4H 2H"},
       {"3H 8H AS JH 2H 5H 6H", POKER_HAND_TYPE_FLUSH, "JH 8H 6H 5H 3H 2H AS"},
       {"6C 7D 8H 9S TD 2C KH", POKER_HAND_TYPE_STRAIGHT, "TD 9S 8H 7D 6C KH 2C"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.hand);
      Table<Card*> hand = Hand(c.hand);
      EXPECT_EQ(pokerHandEvaluator.HandRankGet(hand), c.type);
      EXPECT_EQ(Names(hand), c.order);
   }
}

TEST_F(PokerHandEvaluatorTest, HandsOfFewerThanFiveCardsMakeOnlyTheSameRankCategories)
{
   struct Case
   {
      const char* hand;
      PokerHandType type;
      const char* order;
   };
   const Case cases[] = {
       {"", POKER_HAND_TYPE_HIGH_CARD, ""},
       {"5C", POKER_HAND_TYPE_HIGH_CARD, "5C"},
       {"5C AD", POKER_HAND_TYPE_HIGH_CARD, "AD 5C"},
       {"3D KS 3H", POKER_HAND_TYPE_PAIR, "3H 3D KS"},
       {"3D 8S 3H 8C", POKER_HAND_TYPE_TWO_PAIR, "8S 8C 3H 3D"},
       {"JD JS JH", POKER_HAND_TYPE_THREE_OF_A_KIND, "JH JS JD"},
       {"JD JS JH JC", POKER_HAND_TYPE_FOUR_OF_A_KIND, "JH JS JD JC"},
       // Four of a suit in a run: neither flush nor straight.
       {"6H 7H 8H 9H", POKER_HAND_TYPE_HIGH_CARD, "9H 8H 7H 6H"},
       {"QC KD QD", POKER_HAND_TYPE_PAIR, "QD QC KD"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.hand);
      Table<Card*> hand = Hand(c.hand);
      EXPECT_EQ(pokerHandEvaluator.HandRankGet(hand), c.type);
      EXPECT_EQ(Names(hand), c.order);
   }
}

TEST_F(PokerHandEvaluatorTest, FindersAnswerTheirCombinationOnlyAndAThreeIsNoPair)
{
   struct Case
   {
      const char* hand;
      const char* finder;
      bool found;
      const char* order;
   };
   const Case cases[] = {
       // A rank held three times is no pair, so the pair below it is found.
       {"KH KS KD 4C 4H", "Pair", true, "4H 4C KH KS KD"},
       {"KH KS KD 4C 9H", "Pair", false, "KH KS KD 9H 4C"},
       {"KH KS KD 4C 9H", "ThreeOfAKind", true, "KH KS KD 9H 4C"},
       {"KH KS KD KC 9H", "ThreeOfAKind", false, "KH KS KD KC 9H"},
       {"KH KS 9D 4C 9H", "TwoPair", true, "KH KS 9H 9D 4C"},
       {"KH KS KD 9C 9H", "FullHouse", true, "KH KS KD 9H 9C"},
       {"KH KS KD 9C 2H", "FullHouse", false, "KH KS KD 9C 2H"},
       {"KH 2H 9H 4H 3S", "Flush", false, "KH 9H 4H 3S 2H"},
       {"9H 8H 7H 6H 5S", "StraightFlush", false, "9H 8H 7H 6H 5S"},
       {"9H 8H 7H 6H 5S", "Straight", true, "9H 8H 7H 6H 5S"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(std::string(c.finder) + ": " + c.hand);
      Table<Card*> hand = Hand(c.hand);
      const std::string finder = c.finder;
      const bool found = finder == "Pair"            ? pokerHandEvaluator.PairFind(hand)
                         : finder == "TwoPair"       ? pokerHandEvaluator.TwoPairFind(hand)
                         : finder == "ThreeOfAKind"  ? pokerHandEvaluator.ThreeOfAKindFind(hand)
                         : finder == "FullHouse"     ? pokerHandEvaluator.FullHouseFind(hand)
                         : finder == "Flush"         ? pokerHandEvaluator.FlushFind(hand)
                         : finder == "Straight"      ? pokerHandEvaluator.StraightFind(hand)
                         : finder == "StraightFlush" ? pokerHandEvaluator.StraightFlushFind(hand)
                                                     : pokerHandEvaluator.FourOfAKindFind(hand);
      EXPECT_EQ(found, c.found);
      if (c.found)
      {
         EXPECT_EQ(Names(hand), c.order);
      }
   }
}

TEST_F(PokerHandEvaluatorTest, AHandHoldingANullCardIsLeftAloneWithOneLogLine)
{
   TestSupport::LogCapture log;
   Table<Card*> hand = Hand("KH KS 9D");
   hand.Insert(nullptr, 1);
   EXPECT_EQ(pokerHandEvaluator.HandRankGet(hand), POKER_HAND_TYPE_NONE);
   EXPECT_TRUE(log.Contains("PokerHandEvaluator::HandRankGet -- the hand holds no card at 1\n"));
   EXPECT_EQ(hand[0]->rank, 13);
   EXPECT_EQ(hand[1], nullptr);
   EXPECT_FALSE(pokerHandEvaluator.PairFind(hand));
}

TEST_F(PokerHandEvaluatorTest, EveryFiveCardHandFallsInItsPublishedCategoryCount)
{
#ifdef __SANITIZE_ADDRESS__
   // Some ninety seconds under the sanitizer; the tables above run the same code there.
   GTEST_SKIP() << "the whole deck's hands are counted in the normal build";
#endif
   Card deck[52];
   for (i32 i = 0; i < 52; ++i)
   {
      deck[i].suit = i / 13;
      deck[i].rank = i % 13 + 1;
   }
   std::map<i32, i64> counted;
   Table<Card*> hand;
   hand.Reserve(5);
   for (i32 a = 0; a < 52; ++a)
      for (i32 b = a + 1; b < 52; ++b)
         for (i32 c = b + 1; c < 52; ++c)
            for (i32 d = c + 1; d < 52; ++d)
               for (i32 e = d + 1; e < 52; ++e)
               {
                  hand.Clear();
                  for (i32 card : {a, b, c, d, e})
                  {
                     hand.Insert(&deck[card], hand.count);
                  }
                  counted[pokerHandEvaluator.HandRankGet(hand)]++;
               }
   const std::map<i32, i64> published = {
       {POKER_HAND_TYPE_HIGH_CARD, 1302540}, {POKER_HAND_TYPE_PAIR, 1098240},
       {POKER_HAND_TYPE_TWO_PAIR, 123552},   {POKER_HAND_TYPE_THREE_OF_A_KIND, 54912},
       {POKER_HAND_TYPE_STRAIGHT, 10200},    {POKER_HAND_TYPE_FLUSH, 5108},
       {POKER_HAND_TYPE_FULL_HOUSE, 3744},   {POKER_HAND_TYPE_FOUR_OF_A_KIND, 624},
       {POKER_HAND_TYPE_STRAIGHT_FLUSH, 36}, {POKER_HAND_TYPE_ROYAL_FLUSH, 4},
   };
   EXPECT_EQ(counted, published);
}
} // namespace
