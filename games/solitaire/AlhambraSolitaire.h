// Alhambra: two decks; eight foundations up from the Aces and down from the Kings, eight reserves
// of four, and a stock turned one card at a time onto a flip pile, from which the talon builds up
// or down by suit, with two resets.
#pragma once

#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
constexpr i32 ALHAMBRA_SUIT_COUNT = 4;
constexpr i32 ALHAMBRA_RESERVE_COUNT = 8;
constexpr i32 ALHAMBRA_RESERVE_SIZE = 4;
constexpr i32 ALHAMBRA_MAX_RESETS = 2;

class AlhambraSolitaire : public TalonSolitaire
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 40; }
   const char* GameNameGet() override { return "AlhambraSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::AlhambraSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   CardPile* StockGet();
   CardPile* FlipGet();
};

extern AlhambraSolitaire alhambraSolitaire;
} // namespace Corvale
