// Baroness: five columns fed a row at a time; Kings leave alone and pairs adding up to thirteen
// leave together, chosen by clicks, until the table is clear.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class BaronessSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static BaronessSolitaire instance;

   i32 GameNumberGet() override { return 42; }
   const char* GameNameGet() override { return "BaronessSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::BaronessSolitaire"; }
   void Deal() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   bool CardPlayableCheck(Card* card) override;
   void RefreshSteps() override;
   bool StockClickActsCheck() override;
   void StockClick() override;
   // The base deselects every card; the remembered choice goes with it.
   void Undo() override;

   // The card is the top card of one of the seven columns.
   bool ColumnTopCheck(const Card* card);
   // Some column top is a King, or two column tops add up to thirteen.
   bool RemovalExistsCheck();

   // Saved: the ID of the selected card, -1 for none.
   i32 firstClicked = -1;

 private:
   void SelectionClear();
};
} // namespace Corvale
