// Scorpion: seven columns built down in suit, any face-up card moving with the cards above it,
// three cards kept back for one last deal, and a win when every column holds a King-to-Ace run.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class ScorpionSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static ScorpionSolitaire instance;

   i32 GameNumberGet() override { return 76; }
   const char* GameNameGet() override { return "ScorpionSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::ScorpionSolitaire"; }
   void Deal() override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override;
   void StockClick() override;
   // The cards in sequence on the columns: a run of n cards counts n.
   i32 ScoreGet() override;

   // Each column empty or one run from a face-up King down to the Ace in suit.
   bool RunsCompleteCheck();
};
} // namespace Corvale
