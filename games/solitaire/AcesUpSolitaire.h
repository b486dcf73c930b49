// Aces Up: four columns fed a row at a time from the stock; the lower card of a suit showing twice
// is discarded until, at best, only the four Aces are left.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class AcesUpSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static AcesUpSolitaire instance;

   i32 GameNumberGet() override { return 39; }
   const char* GameNameGet() override { return "AcesUpSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::AcesUpSolitaire"; }
   void Deal() override;
   bool PilePickUpCheck(const CardPile* pile) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override;
   void StockClick() override;
   // With "AllowUndo" off nothing is taken back, by the button, the key or the command.
   void Undo() override;
   // The discarded cards, plus each column left holding a lone Ace.
   i32 ScoreGet() override;

   // Each column holds one card, an Ace.
   bool FourAcesCheck();
};
} // namespace Corvale
