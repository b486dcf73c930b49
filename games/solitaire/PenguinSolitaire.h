// Penguin: seven columns built down in suit, King under Ace, runs moved whole, seven cells, and
// foundations starting at the rank of the first card turned.
#pragma once

#include "cardgame/CardNames.h"
#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class PenguinSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static PenguinSolitaire instance;

   i32 GameNumberGet() override { return 71; }
   const char* GameNameGet() override { return "PenguinSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::PenguinSolitaire"; }
   void Deal() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;

   // Saved: the rank every foundation starts with.
   Rank buildRank = RANK_ACE;
};
} // namespace Corvale
