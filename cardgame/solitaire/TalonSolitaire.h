// The base of the solitaires whose waste (the Talon) can be put back into the stock: the Reset
// button, the count of resets and the undo of a reset.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
class TalonSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();

   const char* ReflectionTypeNameGet() override { return "Corvale::TalonSolitaire"; }
   void Init() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   // A loaded game whose stock is empty shows the Reset button as the turn that emptied it did.
   bool Load(JSONValue* document) override;
   void UndoRecordReplay(const UndoRecord& record) override;

   // The talon solitaire's own operations, in their virtual order.
   virtual void TalonReset();
   virtual bool DrawPileAtMostCheck(i32 count);

   static void ResetButtonHandler(PressButtonWidget* button, void* game);
   // A click on the stock: count cards face up onto each pile of pileType (the talon by default),
   // and the Reset button shown by the turn that empties the stock.
   void StockCardsTurn(i32 count, i32 pileType = CARD_PILE_TYPE_TALON);
   // Shows the Reset button, enabled while resets remain.
   void ResetButtonRefresh();
   bool ResetAllowedCheck() { return resetNum < maxResets && maxResets >= 1; }
   void ResetButtonShow(bool shown);

   i32 resetNum = 0;
   i32 maxResets = -1;
   PressButtonWidget* resetButton = nullptr;
};
} // namespace Corvale
