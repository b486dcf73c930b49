// Yukon: Klondike's columns with every card dealt, any face-up card moving with the cards above
// it, built down by colour or by suit.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class YukonSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static YukonSolitaire instance;

   i32 GameNumberGet() override { return 92; }
   const char* GameNameGet() override { return "YukonSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::YukonSolitaire"; }
   void Deal() override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
};
} // namespace Corvale
