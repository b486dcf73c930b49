// Four Seasons: five columns in a cross, foundations that begin at the rank of the first card
// dealt and turn the corner from King to Ace, and a stock turned once onto a waste.
#pragma once

#include "cardgame/CardNames.h"
#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class FourSeasonsSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static FourSeasonsSolitaire instance;

   i32 GameNumberGet() override { return 63; }
   const char* GameNameGet() override { return "FourSeasonsSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::FourSeasonsSolitaire"; }
   void Deal() override;
   bool PilePickUpCheck(const CardPile* pile) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override;
   void StockClick() override;

   // The rank with which every foundation starts.
   Rank buildRank = RANK_ACE;
};
} // namespace Corvale
