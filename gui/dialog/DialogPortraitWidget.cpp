// The speaking face's side of the link with the dialog manager.
#include "gui/dialog/DialogPortraitWidget.h"

#include "gui/dialog/DialogManager.h"

namespace Corvale
{
void DialogPortraitWidget::Deinit()
{
   if (dialogManager)
   {
      dialogManager->SpeakerRelease(this);
      dialogManager = nullptr;
   }
   ContainerWidget::Deinit();
}
} // namespace Corvale
