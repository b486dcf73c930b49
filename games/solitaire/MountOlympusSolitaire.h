// Mount Olympus: two decks, sixteen foundations built up by twos from the Aces and the Twos, nine
// columns built down by twos in suit, and every empty column refilled from the stock.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class MountOlympusSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static MountOlympusSolitaire instance;

   i32 GameNumberGet() override { return 69; }
   const char* GameNameGet() override { return "MountOlympusSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::MountOlympusSolitaire"; }
   i32 DecksCountGet() override { return 2; }
   void Deal() override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
};
} // namespace Corvale
