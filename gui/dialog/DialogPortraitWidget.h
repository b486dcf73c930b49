// What the dialog manager needs of a face that speaks its lines: start and stop the talking
// animations, and a link back to the manager while a line plays through it.
#pragma once

#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class DialogManager;

class DialogPortraitWidget : public ContainerWidget
{
 public:
   DialogPortraitWidget() = default;

   // A portrait that goes while it speaks takes itself out of the manager, so that the manager
   // never talks to a freed widget.
   void Deinit() override;

   // Every part that has a "Talk" animation starts it.
   virtual void TalkStart() = 0;
   // Every part playing its "Talk" animation goes back to "Rest".
   virtual void TalkStop() = 0;

   virtual DialogManager* DialogManagerGet() { return dialogManager; }
   virtual void DialogManagerSet(DialogManager* manager) { dialogManager = manager; }

   // The manager speaking through this portrait, null when none.
   DialogManager* dialogManager = nullptr;
};
} // namespace Corvale
