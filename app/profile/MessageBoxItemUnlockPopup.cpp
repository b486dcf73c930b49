// The unlock box with the item's name below the message.
#include "app/profile/MessageBoxItemUnlockPopup.h"

#include "core/Log.h"
#include "core/Memory.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/TextDocumentWidget.h"

namespace Corvale
{
void MessageBoxItemUnlockPopup::LayerInit(LayerWidget* pushedLayer)
{
   MessageBoxPopup::LayerInit(pushedLayer);
   ItemTextApply();
}

void MessageBoxItemUnlockPopup::Deinit()
{
   MemoryFree(itemTextKey);
   itemTextKey = nullptr;
   MessageBoxPopup::Deinit();
}

void MessageBoxItemUnlockPopup::ItemTextSet(const char* textKey)
{
   // Copied before the old key goes, in case the caller handed back our own.
   char* copy = textKey ? StringDuplicate(textKey, HEAP_DEFAULT) : nullptr;
   if (textKey && !copy)
   {
      WarningPrintf("MessageBoxItemUnlockPopup::ItemTextSet -- unable to copy the text key \"%s\"\n",
                    textKey);
   }
   MemoryFree(itemTextKey);
   itemTextKey = copy;
   ItemTextApply();
}

void MessageBoxItemUnlockPopup::ItemTextApply()
{
   if (!itemTextKey || !layer)
   {
      return;
   }
   TextDocumentWidget* document =
       dynamic_cast<TextDocumentWidget*>(layer->DescendantGetByPath("Panel.ItemText"));
   if (document)
   {
      document->TextKeySet(itemTextKey);
   }
}
} // namespace Corvale
