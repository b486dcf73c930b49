// Poker hand categories: each finder sorts the hand from the highest card down and pulls the cards
// of its combination to the front, so that the order left behind is the order hands compare by.
#include "cardgame/PokerHandEvaluator.h"

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "core/Log.h"

namespace Corvale
{
PokerHandEvaluator pokerHandEvaluator;

namespace
{
constexpr i32 STRAIGHT_LENGTH = 5;
constexpr i32 FLUSH_LENGTH = 5;

i32 RankValueGet(const Card* card, bool aceHigh)
{
   return aceHigh && card->rank == RANK_ACE ? RANK_ACE_HIGH : card->rank;
}

bool CardBeforeAceLowCheck(const Card* a, const Card* b)
{
   return a->rank != b->rank ? a->rank > b->rank : a->suit < b->suit;
}
} // namespace

bool PokerHandEvaluator::CardBeforeCheck(const Card* a, const Card* b)
{
   const i32 rankA = RankValueGet(a, true);
   const i32 rankB = RankValueGet(b, true);
   return rankA != rankB ? rankA > rankB : a->suit < b->suit;
}

bool PokerHandEvaluator::HandCardsCheck(const Table<Card*>& hand, const char* caller)
{
   for (i32 i = 0; i < hand.count; ++i)
   {
      if (!hand[i])
      {
         WarningPrintf("%s -- the hand holds no card at %d\n", caller, i);
         return false;
      }
   }
   return true;
}

bool PokerHandEvaluator::HandSort(Table<Card*>& hand, bool aceHigh, const char* caller) const
{
   if (!HandCardsCheck(hand, caller))
   {
      return false;
   }
   if (aceHigh)
   {
      hand.Sort(&PokerHandEvaluator::CardBeforeCheck);
   }
   else
   {
      hand.Sort(&CardBeforeAceLowCheck);
   }
   return true;
}

bool PokerHandEvaluator::SameRankFind(Table<Card*>& hand, i32 first, i32 count) const
{
   for (i32 i = first; i < hand.count; ++i)
   {
      const i32 rank = hand[i]->rank;
      i32 held = 0;
      for (i32 j = first; j < hand.count; ++j)
      {
         held += hand[j]->rank == rank ? 1 : 0;
      }
      if (held != count)
      {
         continue;
      }
      i32 to = first;
      for (i32 j = i; j < hand.count; ++j)
      {
         if (hand[j]->rank == rank)
         {
            hand.Move(to++, j);
         }
      }
      return true;
   }
   return false;
}

bool PokerHandEvaluator::PairFind(Table<Card*>& hand) const
{
   return HandSort(hand, true, "PokerHandEvaluator::PairFind") && SameRankFind(hand, 0, 2);
}

bool PokerHandEvaluator::ThreeOfAKindFind(Table<Card*>& hand) const
{
   return HandSort(hand, true, "PokerHandEvaluator::ThreeOfAKindFind") && SameRankFind(hand, 0, 3);
}

bool PokerHandEvaluator::FourOfAKindFind(Table<Card*>& hand) const
{
   return HandSort(hand, true, "PokerHandEvaluator::FourOfAKindFind") && SameRankFind(hand, 0, 4);
}

bool PokerHandEvaluator::TwoPairFind(Table<Card*>& hand) const
{
   // The rest behind the first pair is still sorted, so the second pair is looked for in place.
   return HandSort(hand, true, "PokerHandEvaluator::TwoPairFind") && SameRankFind(hand, 0, 2) &&
          SameRankFind(hand, 2, 2);
}

bool PokerHandEvaluator::FullHouseFind(Table<Card*>& hand) const
{
   return HandSort(hand, true, "PokerHandEvaluator::FullHouseFind") && SameRankFind(hand, 0, 3) &&
          SameRankFind(hand, 3, 2);
}

bool PokerHandEvaluator::FlushFind(Table<Card*>& hand) const
{
   if (!HandSort(hand, true, "PokerHandEvaluator::FlushFind"))
   {
      return false;
   }
   for (i32 i = 0; i < hand.count; ++i)
   {
      const i32 suit = hand[i]->suit;
      i32 held = 0;
      for (i32 j = 0; j < hand.count; ++j)
      {
         held += hand[j]->suit == suit ? 1 : 0;
      }
      if (held < FLUSH_LENGTH)
      {
         continue;
      }
      i32 to = 0;
      for (i32 j = 0; j < hand.count; ++j)
      {
         if (hand[j]->suit == suit)
         {
            hand.Move(to++, j);
         }
      }
      return true;
   }
   return false;
}

bool PokerHandEvaluator::RunFind(Table<Card*>& hand, bool suited, const char* caller) const
{
   // The ace ends a run at the top in the first pass and starts one at the bottom in the second;
   // no run turns the corner from King to Two.
   for (i32 pass = 0; pass < 2; ++pass)
   {
      const bool aceHigh = pass == 0;
      if (!HandSort(hand, aceHigh, caller))
      {
         return false;
      }
      i32 run = 0;
      for (i32 i = 0; i < hand.count; ++i)
      {
         const Card* previous = i > 0 ? hand[i - 1] : nullptr;
         const bool extends = previous &&
                              RankValueGet(hand[i], aceHigh) + 1 == RankValueGet(previous, aceHigh) &&
                              (!suited || hand[i]->suit == previous->suit);
         run = extends ? run + 1 : 1;
         if (run == STRAIGHT_LENGTH)
         {
            for (i32 k = 0; k < STRAIGHT_LENGTH; ++k)
            {
               hand.Move(k, i - STRAIGHT_LENGTH + 1 + k);
            }
            return true;
         }
      }
   }
   return false;
}

bool PokerHandEvaluator::StraightFind(Table<Card*>& hand) const
{
   return RunFind(hand, false, "PokerHandEvaluator::StraightFind");
}

bool PokerHandEvaluator::StraightFlushFind(Table<Card*>& hand) const
{
   return RunFind(hand, true, "PokerHandEvaluator::StraightFlushFind");
}

PokerHandType PokerHandEvaluator::HandRankGet(Table<Card*>& hand) const
{
   if (!HandCardsCheck(hand, "PokerHandEvaluator::HandRankGet"))
   {
      return POKER_HAND_TYPE_NONE;
   }
   const bool five = hand.count >= STRAIGHT_LENGTH;
   if (five && StraightFlushFind(hand))
   {
      return hand[0]->rank == RANK_ACE ? POKER_HAND_TYPE_ROYAL_FLUSH : POKER_HAND_TYPE_STRAIGHT_FLUSH;
   }
   if (FourOfAKindFind(hand))
   {
      return POKER_HAND_TYPE_FOUR_OF_A_KIND;
   }
   if (FullHouseFind(hand))
   {
      return POKER_HAND_TYPE_FULL_HOUSE;
   }
   if (FlushFind(hand))
   {
      return POKER_HAND_TYPE_FLUSH;
   }
   if (five && StraightFind(hand))
   {
      return POKER_HAND_TYPE_STRAIGHT;
   }
   if (ThreeOfAKindFind(hand))
   {
      return POKER_HAND_TYPE_THREE_OF_A_KIND;
   }
   if (TwoPairFind(hand))
   {
      return POKER_HAND_TYPE_TWO_PAIR;
   }
   if (PairFind(hand))
   {
      return POKER_HAND_TYPE_PAIR;
   }
   HandSort(hand, true, "PokerHandEvaluator::HandRankGet");
   return POKER_HAND_TYPE_HIGH_CARD;
}
} // namespace Corvale
