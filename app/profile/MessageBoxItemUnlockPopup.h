// The message box that names an unlocked item: the unlock message in "Panel.Text" and the item's
// name in "Panel.ItemText".
#pragma once

#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class MessageBoxItemUnlockPopup : public MessageBoxPopup
{
 public:
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;

   // Keeps a copy of the key of the item's name and shows it at once when the layer is there.
   void ItemTextSet(const char* textKey);

   char* itemTextKey = nullptr;

 private:
   void ItemTextApply();
};
} // namespace Corvale
