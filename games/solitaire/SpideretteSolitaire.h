// Spiderette: Spider with one deck on seven columns, runs of any suit, and a choice of opening
// deals.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 SPIDERETTE_COLUMN_COUNT = 7;
constexpr i32 SPIDERETTE_PILE_CARDS_MAX = 25;

class SpideretteSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 82; }
   const char* GameNameGet() override { return "SpideretteSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::SpideretteSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   // Face-down cards per column in the opening deal from "DealStlye": 2, 3, or 0 for the Klondike
   // pattern; anything unknown deals two.
   i32 DealStyleGet();
   bool DealPossibleCheck();
};

extern SpideretteSolitaire spideretteSolitaire;
} // namespace Corvale
