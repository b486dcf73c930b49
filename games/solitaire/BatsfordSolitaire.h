// Batsford: two decks, a staircase of ten columns built down in alternating colours, runs moved
// as a whole, a talon turned one card at a time and a reserve for up to three Kings.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class BatsfordSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static BatsfordSolitaire instance;

   i32 GameNumberGet() override { return 43; }
   const char* GameNameGet() override { return "BatsfordSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::BatsfordSolitaire"; }
   i32 DecksCountGet() override { return 2; }
   void Deal() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override { return true; }
   void StockClick() override;

   // Batsford's own operations, in their virtual order.
   virtual bool UsefulMoveExistsCheck() { return UsefulMoveAnyCheck(); }
};
} // namespace Corvale
