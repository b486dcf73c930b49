// Fortress: ten columns built up or down in any suit, King and Ace touching, and foundations that
// all start at the rank of the first card played to one.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class FortressSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static FortressSolitaire instance;

   i32 GameNumberGet() override { return 60; }
   const char* GameNameGet() override { return "FortressSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::FortressSolitaire"; }
   void Deal() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;

   // Fortress's own operations, in their virtual order.
   // Whether the card may start an empty foundation.
   virtual bool FoundationStartCheck(const Card* card);
};
} // namespace Corvale
