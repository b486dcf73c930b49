// Aces and Kings: two decks played from two reserves, four columns and a talon onto foundations
// built up from Aces and down from Kings, any suit following any suit.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class AcesAndKingSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static AcesAndKingSolitaire instance;

   i32 GameNumberGet() override { return 38; }
   const char* GameNameGet() override { return "AcesAndKingsSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::AcesAndKingSolitaire"; }
   i32 DecksCountGet() override { return 2; }
   void Deal() override;
   bool PilePickUpCheck(const CardPile* pile) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override;
   void StockClick() override;

 private:
   // Fills the empty columns from the talon, else from the stock; true when a card was sent.
   bool ColumnsRefill();
};
} // namespace Corvale
