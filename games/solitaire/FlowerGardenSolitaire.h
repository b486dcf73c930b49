// Flower Garden: six columns built down in any suit and a reserve whose every card may be played.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class FlowerGardenSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static FlowerGardenSolitaire instance;

   i32 GameNumberGet() override { return 59; }
   const char* GameNameGet() override { return "FlowerGardenSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::FlowerGardenSolitaire"; }
   void Deal() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;

   // Flower Garden's own operations, in their virtual order.
   // Some card that may be picked up is taken by another pile.
   virtual bool FlowerGardenMoveExistsCheck();
};
} // namespace Corvale
