// Crazy Eights' popups: the results after every hand, and the suit the human names after an eight.
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class CrazyEights;

class CrazyEightsResultsPopup : public MessageBoxPopup
{
 public:
   CrazyEightsResultsPopup();

   static CrazyEightsResultsPopup instance;

   // The score table in a points game, the plain box in a one-hand game.
   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;
   void TextsRefresh() override;

   static void ResultsContinue(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   CrazyEights* game = nullptr;
};

class CrazyEightsSuitPopup : public Popup
{
 public:
   CrazyEightsSuitPopup();

   static CrazyEightsSuitPopup instance;

   void LayerInit(LayerWidget* pushedLayer) override;

   // Posts the suit (or the cancel) at once, then leaves with the exit transition, once.
   static void SuitChoose(PressButtonWidget* button, void* suit);
   static void Cancel(PressButtonWidget* button, void* popup);

   CrazyEights* game = nullptr;

 protected:
   void Leave();
};
} // namespace Corvale
