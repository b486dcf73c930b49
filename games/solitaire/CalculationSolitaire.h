// Calculation: four foundations built over an Ace, Two, Three and Four by ones, twos, threes and
// fours, fed one stock card at a time directly or through four (or five) waste columns.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 CALCULATION_FOUNDATION_COUNT = 4;
// The fifth column is played only with "FourColumns" off.
constexpr i32 CALCULATION_COLUMN_COUNT = 5;

class CalculationSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 49; }
   const char* GameNameGet() override { return "CalculationSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CalculationSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   CardPile* StockGet();
   CardPile* TurnedGet();
};

extern CalculationSolitaire calculationSolitaire;
} // namespace Corvale
