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
   // The "CardSorting" option as a direction: 0 for "Ascending", else 1; it knows no unsorted.
   i32 CardSortingDirectionGet();
};
} // namespace Corvale
