// Seahaven Towers: fifty cards over ten columns built down in suit, two in the four free cells,
// single cards only, and Kings alone into empty columns.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class SeahavenTowersSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static SeahavenTowersSolitaire instance;

   i32 GameNumberGet() override { return 77; }
   const char* GameNameGet() override { return "SeahavenTowersSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::SeahavenTowersSolitaire"; }
   void Deal() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
};
} // namespace Corvale
