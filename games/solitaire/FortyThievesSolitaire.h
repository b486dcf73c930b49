// Forty Thieves: two decks, ten columns built down in suit, a stock turned one card at a time onto
// a waste whose every card is in play, and eight foundations up by suit.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class FortyThievesSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static FortyThievesSolitaire instance;

   i32 GameNumberGet() override { return 61; }
   const char* GameNameGet() override { return "FortyThievesSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::FortyThievesSolitaire"; }
   i32 DecksCountGet() override { return 2; }
   void Deal() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override;
   void StockClick() override;

   // Some card may move: a waste card below the top moves alone, which the framework's search skips.
   bool MoveAnyCheck();
};
} // namespace Corvale
