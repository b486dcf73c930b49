// Bristol: eight fans of three, three reserves the stock refills one card each, foundations
// built up.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class BristolSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static BristolSolitaire instance;

   i32 GameNumberGet() override { return 48; }
   const char* GameNameGet() override { return "BristolSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::BristolSolitaire"; }
   void Deal() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override { return true; }
   void StockClick() override;
};
} // namespace Corvale
