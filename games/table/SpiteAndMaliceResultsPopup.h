// The end of a game of Spite and Malice: who emptied a goal pile first, and OK for a new game.
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class SpiteAndMalice;

class SpiteAndMaliceResultsPopup : public MessageBoxPopup
{
 public:
   SpiteAndMaliceResultsPopup();

   static SpiteAndMaliceResultsPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;
   // The winner's name and "DefaultWins"; "DefaultDraw" when no goal pile was emptied.
   void TextRefresh();

   static void OKPress(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   SpiteAndMalice* game = nullptr;
};
} // namespace Corvale
