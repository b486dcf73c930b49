// The end of a game of Memory Match: the deck and grid played, the score lines and the total.
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class MemoryMatch;

class MemoryMatchResultsPopup : public MessageBoxPopup
{
 public:
   MemoryMatchResultsPopup();

   static MemoryMatchResultsPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;
   // Fills the layer's lines (none without a layer) and stores each player's total as his score.
   void ScoresSet(LayerWidget* pushedLayer);

   static void OKPress(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   MemoryMatch* game = nullptr;
};
} // namespace Corvale
