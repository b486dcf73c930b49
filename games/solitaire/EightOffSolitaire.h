// Eight Off: eight columns built down in suit, eight free cells, foundations up by suit.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class EightOffSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static EightOffSolitaire instance;

   i32 GameNumberGet() override { return 55; }
   const char* GameNameGet() override { return "EightOffSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::EightOffSolitaire"; }
   void Deal() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
};
} // namespace Corvale
