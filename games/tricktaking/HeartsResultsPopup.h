// The scores after each hand of Hearts and at the game's end: each player's points of the hand
// and total, the way to the hand's review, and OK to play on.
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class Hearts;

class HeartsResultsPopup : public MessageBoxPopup
{
 public:
   HeartsResultsPopup();

   static HeartsResultsPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;

   // The OK: the next hand while the game runs, else a new game.
   static void OnContinue(MessageBoxPopup* popup, PressButtonWidget* button, void* game);
   static void OnTrickReviewHandClick(PressButtonWidget* button, void* popup);

   Hearts* game = nullptr;
};
} // namespace Corvale
