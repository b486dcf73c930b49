// Betsy Ross: four foundations over a Two, Four, Six and Eight built by ones, twos, threes and
// fours to the King, fed from a stock turned one card at a time with two resets.
#pragma once

#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
constexpr i32 BETSY_ROSS_FOUNDATION_COUNT = 4;
constexpr i32 BETSY_ROSS_MAX_RESETS = 2;

class BetsyRossSolitaire : public TalonSolitaire
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 46; }
   const char* GameNameGet() override { return "BetsyRossSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::BetsyRossSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   CardPile* StockGet();
};

extern BetsyRossSolitaire betsyRossSolitaire;
} // namespace Corvale
