// Cribbage hand scoring: fifteens, runs, pairs, flush and nobs over the four hand cards and the
// starter, with the score lines the games show.
#include "cardgame/CribbageHandScorer.h"

#include "cardgame/Card.h"
#include "cardgame/CardSort.h"
#include "core/Log.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"

namespace Corvale
{
namespace
{
constexpr i32 CARD_RANK_JACK = 11;
constexpr i32 CARD_RANK_KING = 13;
// Rank-ascending, ace-low, then suit.
constexpr i32 CARD_SORT_INDEX_RANK_ACE_LOW = 6;

// Cards outside Ace-King (jokers, unset cards) take no part, like a missing card.
bool CardScoresCheck(const Card* card)
{
   return card && card->rank >= 1 && card->rank <= CARD_RANK_KING;
}

i32 FifteenValueGet(i32 rank)
{
   return rank > 10 ? 10 : rank;
}

i32 RunPointsGet(i32 length, i32 doubled, i32 tripled)
{
   switch (length)
   {
   case 3:
      return doubled >= 2 ? 12 : tripled >= 1 ? 9 : doubled == 1 ? 6 : 3;
   case 4:
      return doubled >= 1 ? 8 : 4;
   case 5:
      return 5;
   default:
      return 0;
   }
}

i32 PairPointsGet(i32 count)
{
   // k cards of one rank make k (k - 1) / 2 pairs of 2 points each.
   return count >= 2 ? count * (count - 1) : 0;
}

const char* PairKeyGet(i32 count)
{
   switch (count)
   {
   case 2:
      return "TwoOfKindInHand";
   case 3:
      return "ThreeOfKindInHand";
   case 4:
      return "FourOfKindInHand";
   default:
      return nullptr;
   }
}

// Runs walking the cards sorted by rank: consecutive distinct ranks, with extra cards of a rank
// already in the run marking it doubled (one extra) or tripled (two or more). The first of the
// longest runs is kept.
i32 RunPointsFromSorted(const Table<Card*>& sorted)
{
   i32 bestLength = 0, bestDoubled = 0, bestTripled = 0;
   i32 length = 0, doubled = 0, tripled = 0, extras = 0;
   for (i32 i = 0; i <= sorted.count; i++)
   {
      i32 rank = i < sorted.count ? sorted[i]->rank : -1;
      i32 previous = i > 0 ? sorted[i - 1]->rank : -1;
      if (i > 0 && rank == previous)
      {
         extras++;
         continue;
      }
      // The rank before this one is complete: count its extras.
      doubled += extras == 1;
      tripled += extras >= 2;
      extras = 0;
      if (i > 0 && rank == previous + 1)
      {
         length++;
         continue;
      }
      if (length > bestLength)
      {
         bestLength = length;
         bestDoubled = doubled;
         bestTripled = tripled;
      }
      length = 1;
      doubled = tripled = 0;
   }
   return RunPointsGet(bestLength, bestDoubled, bestTripled);
}

// Whether the hand is a flush: all four hand cards present and of one suit.
bool HandFlushCheck(Card* const* hand)
{
   for (u32 i = 0; i < CRIBBAGE_HAND_SIZE; i++)
   {
      if (!CardScoresCheck(hand[i]) || hand[i]->suit != hand[0]->suit)
      {
         return false;
      }
   }
   return true;
}

i32 FlushPointsGet(Card* const* hand, const Card* starter)
{
   if (!HandFlushCheck(hand))
   {
      return 0;
   }
   return CardScoresCheck(starter) && starter->suit == hand[0]->suit ? 5 : 4;
}

i32 NobsGet(Card* const* hand, const Card* starter)
{
   if (!CardScoresCheck(starter))
   {
      return 0;
   }
   i32 nobs = 0;
   for (u32 i = 0; i < CRIBBAGE_HAND_SIZE; i++)
   {
      nobs += CardScoresCheck(hand[i]) && hand[i]->rank == CARD_RANK_JACK && hand[i]->suit == starter->suit;
   }
   return nobs;
}

// Combinations of two or more of the values that sum to exactly 15.
i32 FifteensCountGet(const i32* values, i32 valueCount)
{
   i32 fifteens = 0;
   for (u32 subset = 1; subset < (1u << valueCount); subset++)
   {
      if (!(subset & (subset - 1)))
      {
         continue;
      }
      i32 sum = 0;
      for (i32 i = 0; i < valueCount; i++)
      {
         sum += (subset >> i) & 1 ? values[i] : 0;
      }
      fifteens += sum == 15;
   }
   return fifteens;
}
} // namespace

bool CribbageLineFormatCheck(const char* format)
{
   return IntegerFormatCheck(format, 1);
}

// Counts instead of the sorted walk: rank bits give the runs, a table of ways to reach each sum
// gives the fifteens. Equal to Score on every hand, at a fraction of its cost.
i32 CribbageHandScorer::PointsGet() const
{
   u8 rankCounts[CARD_RANK_KING + 2] = {};
   u32 rankBits = 0;
   // ways[s]: the combinations of the cards so far whose values sum to s.
   u8 ways[16] = {1};
   i32 ranks[CRIBBAGE_HAND_SIZE + 1];
   i32 cardCount = 0;
   for (u32 i = 0; i <= CRIBBAGE_HAND_SIZE; i++)
   {
      const Card* card = i < CRIBBAGE_HAND_SIZE ? hand[i] : starter;
      if (!CardScoresCheck(card))
      {
         continue;
      }
      const i32 rank = card->rank;
      ranks[cardCount++] = rank;
      rankCounts[rank]++;
      rankBits |= 1u << rank;
      const i32 value = FifteenValueGet(rank);
      for (i32 sum = 15; sum >= value; sum--)
      {
         ways[sum] = static_cast<u8>(ways[sum] + ways[sum - value]);
      }
   }
   // No single card is worth 15, so every way counts two cards or more.
   i32 points = FlushPointsGet(hand, starter) + NobsGet(hand, starter) + 2 * ways[15];

   // The longest stretch of set rank bits; its lowest rank survives every step but the last.
   i32 runLength = 0;
   u32 runStarts = 0;
   for (u32 bits = rankBits; bits; bits &= bits >> 1)
   {
      runStarts = bits;
      runLength++;
   }
   if (runLength >= 3)
   {
      i32 doubled = 0, tripled = 0;
      const i32 lowest = __builtin_ctz(runStarts);
      for (i32 rank = lowest; rank < lowest + runLength; rank++)
      {
         doubled += rankCounts[rank] == 2;
         tripled += rankCounts[rank] > 2;
      }
      points += RunPointsGet(runLength, doubled, tripled);
   }

   for (i32 i = 0; i < cardCount; i++)
   {
      for (i32 j = i + 1; j < cardCount; j++)
      {
         points += ranks[i] == ranks[j] ? 2 : 0;
      }
   }
   return points;
}

void CribbageHandScorer::LineAdd(u32* lineCount, const char* key)
{
   const char* text = textManager.TextGet(key);
   if (!text || *lineCount >= CRIBBAGE_SCORE_LINE_COUNT)
   {
      return;
   }
   char* line = lines[*lineCount];
   bool fits = NultStrncpy(line, text, CRIBBAGE_SCORE_LINE_SIZE);
   UTF8Truncate(line, CRIBBAGE_SCORE_LINE_SIZE);
   if (fits)
   {
      (*lineCount)++;
   }
   else
   {
      line[0] = 0;
   }
}

void CribbageHandScorer::LineAddFormatted(u32* lineCount, const char* key, i32 points)
{
   const char* format = textManager.TextGet(key);
   if (!format || *lineCount >= CRIBBAGE_SCORE_LINE_COUNT)
   {
      return;
   }
   if (!CribbageLineFormatCheck(format))
   {
      WarningPrintf("CribbageHandScorer::Score -- text \"%s\" is not a format with one %%d\n", key);
      return;
   }
   char* line = lines[*lineCount];
   if (NultSnprintf(line, CRIBBAGE_SCORE_LINE_SIZE, format, points))
   {
      (*lineCount)++;
   }
   else
   {
      line[0] = 0;
   }
}

i32 CribbageHandScorer::Score()
{
   cards.Clear();
   if (CardScoresCheck(starter))
   {
      cards.Insert(starter, cards.count);
   }
   for (u32 i = 0; i < CRIBBAGE_HAND_SIZE; i++)
   {
      if (CardScoresCheck(hand[i]))
      {
         cards.Insert(hand[i], cards.count);
      }
   }
   CardSortFunction less = CardSortFunctionGet(CARD_SORT_INDEX_RANK_ACE_LOW);
   cards.QuickSort(less);
   for (char* line : lines)
   {
      line[0] = 0;
   }
   u32 lineCount = 0;

   i32 flush = FlushPointsGet(hand, starter);
   if (flush)
   {
      LineAdd(&lineCount, flush == 5 ? "Flush5InHand" : "Flush4InHand");
   }

   i32 nobs = NobsGet(hand, starter);
   if (nobs == 1)
   {
      LineAdd(&lineCount, "NobInHand");
   }

   i32 values[CRIBBAGE_HAND_SIZE + 1] = {};
   i32 rankCounts[CARD_RANK_KING + 1] = {};
   for (i32 i = 0; i < cards.count; i++)
   {
      values[i] = FifteenValueGet(cards.data[i]->rank);
      rankCounts[cards.data[i]->rank]++;
   }
   i32 fifteenPoints = 2 * FifteensCountGet(values, cards.count);
   if (fifteenPoints)
   {
      LineAddFormatted(&lineCount, "FifteenInHand", fifteenPoints);
   }

   i32 runPoints = RunPointsFromSorted(cards);
   if (runPoints)
   {
      LineAddFormatted(&lineCount, "RunInHand", runPoints);
   }

   i32 pairPoints = 0;
   for (i32 rank = 1; rank <= CARD_RANK_KING; rank++)
   {
      const char* key = PairKeyGet(rankCounts[rank]);
      if (key)
      {
         pairPoints += PairPointsGet(rankCounts[rank]);
         LineAdd(&lineCount, key);
      }
   }
   return flush + nobs + fifteenPoints + runPoints + pairPoints;
}
} // namespace Corvale
