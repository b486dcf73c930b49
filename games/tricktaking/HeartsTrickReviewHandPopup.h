// Hearts' review of a hand with one more page: the three cards each player passed before it.
#pragma once

#include "cardgame/tricktaking/TrickReviewPopup.h"

namespace Corvale
{
class ToggleButtonWidget;

class HeartsTrickReviewHandPopup : public TrickReviewHandPopup
{
 public:
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   void Update(u32 elapsed) override;

   ContainerWidget* passingContainer = nullptr;
   ToggleButtonWidget* passingButton = nullptr;
};
} // namespace Corvale
