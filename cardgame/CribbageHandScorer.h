// Counts a cribbage hand of four cards with the starter and writes one localised line per scoring
// item. It reads only suits and ranks, so the table game, its computer players and the cribbage
// solitaire share it.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Card;

constexpr u32 CRIBBAGE_HAND_SIZE = 4;
constexpr u32 CRIBBAGE_SCORE_LINE_COUNT = 6;
constexpr u32 CRIBBAGE_SCORE_LINE_SIZE = 128;

class CribbageHandScorer
{
 public:
   // The hand's points; fills the lines in the order flush, nobs, fifteens, runs, pairs by rank.
   i32 Score();
   // The same points without lines or sorting, for callers that judge many hands.
   i32 PointsGet() const;

   Card* starter = nullptr;
   Card* hand[CRIBBAGE_HAND_SIZE] = {};
   char lines[CRIBBAGE_SCORE_LINE_COUNT][CRIBBAGE_SCORE_LINE_SIZE] = {};
   Table<Card*> cards;

 private:
   void LineAdd(u32* lineCount, const char* key);
   void LineAddFormatted(u32* lineCount, const char* key, i32 points);
};

// True when the text is a printf format whose only conversion is one "%d" ("%%" allowed): the
// translated score lines are formats, and anything else would read arguments that are not there.
bool CribbageLineFormatCheck(const char* format);
} // namespace Corvale
