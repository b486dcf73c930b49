// The end of a game of Go Fish: who won, or a draw, and OK for a new game.
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class GoFish;

class GoFishResultsPopup : public MessageBoxPopup
{
 public:
   GoFishResultsPopup();

   static GoFishResultsPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;
   void TextRefresh();

   static void OnOK(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   GoFish* game = nullptr;
};
} // namespace Corvale
