// Beleaguered Castle: the Aces on the foundations, eight rows fanned out to both sides of them,
// built down regardless of suit; Streets and Alleys deals the Aces too, Siegecraft adds one cell.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class BeleagueredCastleSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static BeleagueredCastleSolitaire instance;

   i32 GameNumberGet() override { return 44; }
   const char* GameNameGet() override { return "BeleagueredCastleSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::BeleagueredCastleSolitaire"; }
   void Deal() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
};
} // namespace Corvale
