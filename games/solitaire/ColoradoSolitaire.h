// Colorado: two decks, twenty columns that the stock refills, foundations up from the Aces and
// down from the Kings, and a turned card that goes onto any column.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class ColoradoSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static ColoradoSolitaire instance;

   i32 GameNumberGet() override { return 52; }
   const char* GameNameGet() override { return "ColoradoSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::ColoradoSolitaire"; }
   i32 DecksCountGet() override { return 2; }
   void Deal() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override;
   void StockClick() override;

 private:
   // No other foundation of the range shows a card of the suit on top.
   bool SuitFreeCheck(const CardPile* pile, i32 suit, i32 first);
};
} // namespace Corvale
