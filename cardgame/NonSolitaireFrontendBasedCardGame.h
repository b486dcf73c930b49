// The base of the card games played against others at the table.
#pragma once

#include "cardgame/FrontendBasedCardGame.h"

namespace Corvale
{
// The answers of CardSortingGet.
enum CardSorting : i32
{
   CARD_SORTING_ASCENDING = 0,
   CARD_SORTING_DESCENDING = 1,
   CARD_SORTING_UNSORTED = 2
};

class NonSolitaireFrontendBasedCardGame : public FrontendBasedCardGame
{
 public:
   static void ReflectionRegister();

   const char* ReflectionTypeNameGet() override { return "Corvale::NonSolitaireFrontendBasedCardGame"; }
   // Every seat at the table is taken.
   i32 PlayersCountGet() override { return PlayersMaximumGet(); }

   // The "CardSorting" option: descending unless it says otherwise.
   i32 CardSortingGet();
   // The "CardSorting" option as 0 for ascending, 1 for anything else; it knows no unsorted hand.
   i32 CardSortingDirectionGet();
   // The "Difficulty" option: 0 easy, 2 hard, 1 for medium, a missing option or another value.
   i32 DifficultyGet();
};
} // namespace Corvale
