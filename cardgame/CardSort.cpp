// The 32 card sort orders. Each is a strict ordering, so the stable pile sort keeps equal cards
// (a double deck's twins) in the order they had.
#include "cardgame/CardSort.h"

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"

namespace Corvale
{
namespace
{
i32 RankAceHigh(const Card* card)
{
   return card->rank == RANK_ACE ? RANK_ACE_HIGH : card->rank;
}

// Ace 15, Ten 14, King 13, Queen 12, Jack 11, the rest their value: Pinochle's key and Skat's
// card values in one order.
i32 PinochleKey(const Card* card)
{
   switch (card->rank)
   {
   case RANK_ACE:
      return 15;
   case RANK_TEN:
      return 14;
   case RANK_KING:
      return 13;
   case RANK_QUEEN:
      return 12;
   case RANK_JACK:
      return 11;
   default:
      return card->rank;
   }
}

i32 SkatStrength(const Card* card)
{
   switch (card->rank)
   {
   case RANK_QUEEN:
      return 10;
   case RANK_KING:
      return 11;
   case RANK_TEN:
      return 12;
   case RANK_ACE:
      return 13;
   case RANK_JACK:
      break;
   default:
      if (card->rank >= RANK_TWO && card->rank <= RANK_NINE)
      {
         return card->rank;
      }
      break;
   }
   switch (card->suit)
   {
   case SUIT_DIAMONDS:
      return 14;
   case SUIT_HEARTS:
      return 15;
   case SUIT_SPADES:
      return 16;
   default:
      return 17;
   }
}

i32 EuchreLeftBowerSuit(i32 trumpSuit)
{
   return trumpSuit ^ 2;
}

i32 EuchreStrength(const Card* card, i32 trumpSuit)
{
   if (card->rank == RANK_JACK && card->suit == trumpSuit)
   {
      return 16;
   }
   if (card->rank == RANK_JACK && card->suit == EuchreLeftBowerSuit(trumpSuit))
   {
      return 15;
   }
   return RankAceHigh(card);
}

i32 EuchreSuitEffective(const Card* card, i32 trumpSuit)
{
   if (card->rank == RANK_JACK && card->suit == EuchreLeftBowerSuit(trumpSuit))
   {
      return trumpSuit;
   }
   return card->suit;
}

// Cards' keys compared one after the other; the first key that differs decides.
bool Before(i32 a, i32 b, bool descending)
{
   return descending ? a > b : a < b;
}

template <bool RANK_FIRST, bool DESCENDING, bool ACE_HIGH> bool SuitRank(const Card* a, const Card* b)
{
   const i32 rankA = ACE_HIGH ? RankAceHigh(a) : a->rank;
   const i32 rankB = ACE_HIGH ? RankAceHigh(b) : b->rank;
   if (RANK_FIRST)
   {
      if (rankA != rankB)
      {
         return Before(rankA, rankB, DESCENDING);
      }
      return a->suit < b->suit;
   }
   if (a->suit != b->suit)
   {
      return a->suit < b->suit;
   }
   return Before(rankA, rankB, DESCENDING);
}

template <bool DESCENDING> bool Pinochle(const Card* a, const Card* b)
{
   if (a->suit != b->suit)
   {
      return a->suit < b->suit;
   }
   return Before(PinochleKey(a), PinochleKey(b), DESCENDING);
}

// Skat: every Jack belongs to the trump suit; groups in the cyclic suit order from the trump on.
template <i32 TRUMP> i32 SkatGroup(const Card* card)
{
   const i32 suit = card->rank == RANK_JACK ? TRUMP : card->suit;
   return ((suit - TRUMP) % 4 + 4) % 4;
}

template <i32 TRUMP, bool TRUMP_FIRST> bool SkatSuitRank(const Card* a, const Card* b)
{
   const i32 groupA = SkatGroup<TRUMP>(a);
   const i32 groupB = SkatGroup<TRUMP>(b);
   if (groupA != groupB)
   {
      return Before(groupA, groupB, !TRUMP_FIRST);
   }
   return Before(SkatStrength(a), SkatStrength(b), TRUMP_FIRST);
}

template <i32 TRUMP> bool SkatStrengthSuit(const Card* a, const Card* b)
{
   const bool trumpA = SkatGroup<TRUMP>(a) == 0;
   const bool trumpB = SkatGroup<TRUMP>(b) == 0;
   if (trumpA != trumpB)
   {
      return trumpA;
   }
   const i32 difference = SkatCardStrengthDifferenceGet(a, b);
   if (difference != 0)
   {
      return difference > 0;
   }
   const i32 suitA = a->rank == RANK_JACK ? TRUMP : a->suit;
   const i32 suitB = b->rank == RANK_JACK ? TRUMP : b->suit;
   return suitA < suitB;
}

bool SkatGrand(const Card* a, const Card* b)
{
   const bool jackA = a->rank == RANK_JACK;
   const bool jackB = b->rank == RANK_JACK;
   if (jackA != jackB)
   {
      return jackA;
   }
   const i32 difference = SkatCardStrengthDifferenceGet(a, b);
   if (difference != 0)
   {
      return difference > 0;
   }
   return a->suit < b->suit;
}

bool SkatValue(const Card* a, const Card* b)
{
   if (PinochleKey(a) != PinochleKey(b))
   {
      return PinochleKey(a) > PinochleKey(b);
   }
   return a->suit < b->suit;
}

// Euchre: the left bower joins the trump suit; groups keyed (suit - trump) mod 4, the trump group
// ranked by bower strength, the others by rank with the ace high.
template <i32 TRUMP, bool DESCENDING> bool Euchre(const Card* a, const Card* b)
{
   const i32 suitA = EuchreSuitEffective(a, TRUMP);
   const i32 suitB = EuchreSuitEffective(b, TRUMP);
   const i32 groupA = ((suitA - TRUMP) % 4 + 4) % 4;
   const i32 groupB = ((suitB - TRUMP) % 4 + 4) % 4;
   if (groupA != groupB)
   {
      return Before(groupA, groupB, !DESCENDING);
   }
   if (groupA == 0)
   {
      return Before(EuchreStrength(a, TRUMP), EuchreStrength(b, TRUMP), DESCENDING);
   }
   if (a->suit != b->suit)
   {
      return a->suit < b->suit;
   }
   return Before(RankAceHigh(a), RankAceHigh(b), DESCENDING);
}

const CardSortFunction SORT_FUNCTIONS[CARD_SORT_TYPE_COUNT] = {SuitRank<false, true, true>,
                                                               SuitRank<false, true, false>,
                                                               SuitRank<true, true, true>,
                                                               SuitRank<true, true, false>,
                                                               SuitRank<false, false, true>,
                                                               SuitRank<false, false, false>,
                                                               SuitRank<true, false, false>,
                                                               SuitRank<true, false, true>,
                                                               Pinochle<true>,
                                                               Pinochle<false>,
                                                               SkatSuitRank<SUIT_HEARTS, true>,
                                                               SkatSuitRank<SUIT_SPADES, true>,
                                                               SkatSuitRank<SUIT_DIAMONDS, true>,
                                                               SkatSuitRank<SUIT_CLUBS, true>,
                                                               SkatSuitRank<SUIT_HEARTS, false>,
                                                               SkatSuitRank<SUIT_SPADES, false>,
                                                               SkatSuitRank<SUIT_DIAMONDS, false>,
                                                               SkatSuitRank<SUIT_CLUBS, false>,
                                                               SkatStrengthSuit<SUIT_HEARTS>,
                                                               SkatStrengthSuit<SUIT_SPADES>,
                                                               SkatStrengthSuit<SUIT_DIAMONDS>,
                                                               SkatStrengthSuit<SUIT_CLUBS>,
                                                               SkatGrand,
                                                               SkatValue,
                                                               Euchre<SUIT_HEARTS, false>,
                                                               Euchre<SUIT_HEARTS, true>,
                                                               Euchre<SUIT_DIAMONDS, false>,
                                                               Euchre<SUIT_DIAMONDS, true>,
                                                               Euchre<SUIT_SPADES, false>,
                                                               Euchre<SUIT_SPADES, true>,
                                                               Euchre<SUIT_CLUBS, false>,
                                                               Euchre<SUIT_CLUBS, true>};
} // namespace

CardSortFunction CardSortFunctionGet(i32 index)
{
   if (index < 0 || index >= CARD_SORT_TYPE_COUNT)
   {
      return nullptr;
   }
   return SORT_FUNCTIONS[index];
}

i32 SkatCardStrengthDifferenceGet(const Card* a, const Card* b)
{
   return SkatStrength(a) - SkatStrength(b);
}

i32 EuchreTrumpStrengthDifferenceGet(const Card* a, const Card* b, i32 trumpSuit)
{
   return EuchreStrength(a, trumpSuit) - EuchreStrength(b, trumpSuit);
}
} // namespace Corvale
