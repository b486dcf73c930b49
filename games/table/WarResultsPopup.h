// The end of a game of War: who won, and OK for a new game.
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class War;

class WarResultsPopup : public MessageBoxPopup
{
 public:
   WarResultsPopup();

   static WarResultsPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;

   static void OnOK(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   War* game = nullptr;
};
} // namespace Corvale
