// The end of a hand of Euchre solitaire: each side's tricks, game score and points from the hand;
// its button deals the next hand, or a new game once a side has reached 10.
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class EuchreSolitaire;

class EuchreSolitaireResultsPopup : public MessageBoxPopup
{
 public:
   EuchreSolitaireResultsPopup();

   static EuchreSolitaireResultsPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;
   // Fills the two rows from the game.
   void RowsFill(LayerWidget* pushedLayer);

   static void OKPress(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   EuchreSolitaire* game = nullptr;
};
} // namespace Corvale
