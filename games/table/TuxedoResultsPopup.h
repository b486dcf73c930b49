// The end of a game of Tuxedo: who won on points, and OK for a new game.
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class Tuxedo;

class TuxedoResultsPopup : public MessageBoxPopup
{
 public:
   TuxedoResultsPopup();

   static TuxedoResultsPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;
   // The winner's name and "DefaultWins"; player 0 wins a tie.
   void TextRefresh();

   static void OnOK(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   Tuxedo* game = nullptr;
};
} // namespace Corvale
