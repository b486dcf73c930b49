// Baker's Dozen: thirteen columns of four, Kings sent to the bottom of their columns before play,
// and every card built down regardless of suit.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class BakersDozenSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static BakersDozenSolitaire instance;

   i32 GameNumberGet() override { return 41; }
   const char* GameNameGet() override { return "BakersDozenSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::BakersDozenSolitaire"; }
   void Deal() override;
   bool PilePickUpCheck(const CardPile* pile) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;

   // Baker's Dozen's own operations, in their virtual order.
   // The face-down cards per column from "CardsFaceDown": 0, 1 or 2; unknown reads 1.
   virtual i32 CardsFaceDownGet();

   // Saved: the deal still waits for its Kings to go to the bottom.
   bool checkForKings = false;

 private:
   void KingsToBottom();
};
} // namespace Corvale
