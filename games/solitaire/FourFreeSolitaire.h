// Four Free: the whole deck in eight columns built down in alternating colours, four free cells,
// foundations up by suit.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class FourFreeSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static FourFreeSolitaire instance;

   i32 GameNumberGet() override { return 62; }
   const char* GameNameGet() override { return "FourFreeSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::FourFreeSolitaire"; }
   void Deal() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;

   // Four Free's own operations, in their virtual order.
   // A move that changes more than which of two equal cards lies where.
   virtual bool FourFreeMoveExistsCheck() { return UsefulMoveAnyCheck(); }
};
} // namespace Corvale
