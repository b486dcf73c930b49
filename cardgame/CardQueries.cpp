// Finding, counting and judging cards in tables of cards.
#include "cardgame/CardQueries.h"

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

// The first card the filter accepts whose ace-high rank is best by better (strictly, so ties keep
// the first found).
template <class Filter, class Better>
Card* CardsBestGet(const Table<Card*>& cards, Filter filter, Better better)
{
   Card* best = nullptr;
   for (i32 i = 0; i < cards.count; i++)
   {
      Card* card = cards[i];
      if (card && filter(card) && (!best || better(RankAceHigh(card), RankAceHigh(best))))
      {
         best = card;
      }
   }
   return best;
}

bool Higher(i32 a, i32 b)
{
   return a > b;
}

bool Lower(i32 a, i32 b)
{
   return a < b;
}

template <class Filter> i32 CardsCount(const Table<Card*>& cards, Filter filter)
{
   i32 n = 0;
   for (i32 i = 0; i < cards.count; i++)
   {
      n += cards[i] && filter(cards[i]) ? 1 : 0;
   }
   return n;
}
} // namespace

Card* CardsCardFind(const Table<Card*>& cards, i32 rank, i32 suit)
{
   for (i32 i = 0; i < cards.count; i++)
   {
      if (cards[i] && cards[i]->rank == rank && cards[i]->suit == suit)
      {
         return cards[i];
      }
   }
   return nullptr;
}

Card* CardsRankFind(const Table<Card*>& cards, i32 rank)
{
   for (i32 i = 0; i < cards.count; i++)
   {
      if (cards[i] && cards[i]->rank == rank)
      {
         return cards[i];
      }
   }
   return nullptr;
}

i32 CardsRankCount(const Table<Card*>& cards, i32 rank)
{
   return CardsCount(cards, [rank](const Card* card) { return card->rank == rank; });
}

i32 CardsSuitCount(const Table<Card*>& cards, i32 suit)
{
   return CardsCount(cards, [suit](const Card* card) { return card->suit == suit; });
}

Card* CardsHighestGet(const Table<Card*>& cards)
{
   return CardsBestGet(
       cards, [](const Card*) { return true; }, Higher);
}

Card* CardsLowestGet(const Table<Card*>& cards)
{
   return CardsBestGet(
       cards, [](const Card*) { return true; }, Lower);
}

Card* CardsSuitHighestGet(const Table<Card*>& cards, i32 suit)
{
   return CardsBestGet(
       cards, [suit](const Card* card) { return card->suit == suit; }, Higher);
}

Card* CardsSuitLowestGet(const Table<Card*>& cards, i32 suit)
{
   return CardsBestGet(
       cards, [suit](const Card* card) { return card->suit == suit; }, Lower);
}

Card* CardsOffSuitHighestGet(const Table<Card*>& cards, i32 suit)
{
   return CardsBestGet(
       cards, [suit](const Card* card) { return card->suit != suit; }, Higher);
}

Card* CardsOffSuitLowestGet(const Table<Card*>& cards, i32 suit)
{
   return CardsBestGet(
       cards, [suit](const Card* card) { return card->suit != suit; }, Lower);
}

Card* CardsSuitHighestAboveGet(const Table<Card*>& cards, i32 rank, i32 suit)
{
   const i32 bar = rank == RANK_ACE ? RANK_ACE_HIGH : rank;
   return CardsBestGet(
       cards, [bar, suit](const Card* card) { return card->suit == suit && RankAceHigh(card) > bar; },
       Higher);
}

Card* CardsSuitHighestBelowGet(const Table<Card*>& cards, i32 rank, i32 suit)
{
   const i32 bar = rank == RANK_ACE ? RANK_ACE_HIGH : rank;
   return CardsBestGet(
       cards, [bar, suit](const Card* card) { return card->suit == suit && RankAceHigh(card) < bar; },
       Higher);
}

Card* CardsSuitLowestAboveGet(const Table<Card*>& cards, i32 rank, i32 suit)
{
   const i32 bar = rank == RANK_ACE ? RANK_ACE_HIGH : rank;
   return CardsBestGet(
       cards, [bar, suit](const Card* card) { return card->suit == suit && RankAceHigh(card) > bar; }, Lower);
}

bool CardsSequenceCheck(const Table<Card*>& cards, const Card* startCard, i32 direction, i32 suitRule,
                        bool aceHigh, bool wrapAllowed, i32 step, i32 endIndex)
{
   if (endIndex == -1)
   {
      endIndex = cards.count;
   }
   if (endIndex > cards.count || cards.count == 0 || !startCard)
   {
      return false;
   }
   i32 start = -1;
   for (i32 i = 0; i < cards.count && start < 0; i++)
   {
      start = cards[i] == startCard ? i : -1;
   }
   if (start < 0)
   {
      return false;
   }
   for (i32 i = start + 1; i < endIndex; i++)
   {
      if (!cards[i] || !cards[i - 1] ||
          !cards[i - 1]->FollowsCheck(cards[i], direction, suitRule, aceHigh, wrapAllowed, step))
      {
         return false;
      }
   }
   return true;
}

bool CardsFullRunCheck(const Table<Card*>& cards, const Card* card, i32 suitRule)
{
   if (!card || card->rank != RANK_KING)
   {
      return false;
   }
   i32 start = -1;
   for (i32 i = 0; i < cards.count && start < 0; i++)
   {
      start = cards[i] == card ? i : -1;
   }
   if (start < 0 || cards.count - start != 13)
   {
      return false;
   }
   return CardsSequenceCheck(cards, card, 1, suitRule, false, false, 1, -1);
}

i32 CardsTwentyOneValueGet(const Table<Card*>& cards)
{
   i32 total = 0;
   i32 aces = 0;
   for (i32 i = 0; i < cards.count; i++)
   {
      const Card* card = cards[i];
      if (!card)
      {
         continue;
      }
      if (card->rank == RANK_ACE)
      {
         aces++;
      }
      else
      {
         total += card->rank > RANK_TEN ? 10 : card->rank;
      }
   }
   // An ace counts 11 while the hand, with every ace still to come counted as 1, stays at 21 or less.
   for (i32 left = aces; left > 0; left--)
   {
      total += total + 10 + left < 22 ? 11 : 1;
   }
   return total > 21 ? 0 : total;
}

bool CardRankStepFollowsCheck(i32 topRank, i32 rank, i32 step)
{
   if (topRank < 1 || topRank >= 13 || step < 1 || step > 12)
   {
      return false;
   }
   const i32 next = topRank + step;
   return rank == (next > 13 ? next - 13 : next);
}
} // namespace Corvale
