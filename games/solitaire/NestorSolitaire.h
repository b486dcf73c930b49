// Nestor: pairs of equal rank leave the table from the tops of seven columns and a row of reserve
// cards; the game is won when the columns and cells are empty, lost when no pair is left.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 NESTOR_COLUMN_COUNT = 7;
constexpr i32 NESTOR_CELL_COUNT = 10;
constexpr i32 NESTOR_CELL_COUNT_SHORT = 4;
constexpr i32 NESTOR_COLUMN_CARDS = 6;

class NestorSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 70; }
   const char* GameNameGet() override { return "NestorSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::NestorSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override { return card != nullptr; }
   bool CardPlayableCheck(Card* card) override;
   void Undo() override;

   // A column's top card or a reserve card: the cards a pair may take.
   bool CardFreeCheck(const Card* card);
   // Two different free cards of equal rank, the stock's top counting as free.
   bool PairExistsCheck();

   // Saved: the ID of the selected card, -1 for none.
   i32 firstClickedCardID = -1;
};

extern NestorSolitaire nestorSolitaire;
} // namespace Corvale
