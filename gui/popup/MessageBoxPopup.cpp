// The message box: its buttons, its text and the heap-owned boxes opened by Show.
#include "gui/popup/MessageBoxPopup.h"

#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TextDocumentWidget.h"

namespace Corvale
{
MessageBoxPopup* MessageBoxPopup::Show(const char* textKey, const char* layerName)
{
   MessageBoxPopup* popup = MemoryNew<MessageBoxPopup>(HEAP_DEFAULT);
   if (!popup)
   {
      WarningPrintf("MessageBoxPopup::Show -- unable to allocate a message box for \"%s\"\n",
                    textKey ? textKey : "");
      return nullptr;
   }
   if (layerName)
   {
      NultStrncpy(popup->layerName, layerName, sizeof(popup->layerName));
      popup->hasLayer = 1;
   }
   popup->customEnter = 1;
   NultStrncpy(popup->enterTransition, "Enter", sizeof(popup->enterTransition));
   popup->customExit = 1;
   NultStrncpy(popup->exitTransition, "Exit", sizeof(popup->exitTransition));
   popup->heapOwned = 1;
   PopupManager::Open(popup);
   popup->TextSet(textKey, MESSAGE_BOX_TEXT_KEY);
   return popup;
}

void MessageBoxPopup::LayerInit(LayerWidget* pushedLayer)
{
   if (!pushedLayer)
   {
      return;
   }
   struct Wiring
   {
      const char* path;
      PressButtonCallback forwarder;
   };
   const Wiring wirings[] = {{"Panel.OK", &MessageBoxPopup::OnOKClick},
                             {"Panel.Cancel", &MessageBoxPopup::OnCancelClick},
                             {"Panel.Yes", &MessageBoxPopup::OnYesClick},
                             {"Panel.No", &MessageBoxPopup::OnNoClick}};
   for (const Wiring& wiring : wirings)
   {
      PressButtonWidget* button =
          dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath(wiring.path));
      if (button)
      {
         button->onClick = wiring.forwarder;
         button->onClickUserData = this;
      }
   }
   TextApply();
}

void MessageBoxPopup::Deinit()
{
   Popup::Deinit();
   MemoryFree(text);
   text = nullptr;
   CallbacksClear();
}

void MessageBoxPopup::TextSet(const char* newText, i32 kind)
{
   // Copied before the old text goes, in case the caller handed back our own text.
   char* copy = newText ? StringDuplicate(newText, HEAP_DEFAULT) : nullptr;
   if (newText && !copy)
   {
      WarningPrintf("MessageBoxPopup::TextSet -- unable to copy the text \"%s\"\n", newText);
   }
   MemoryFree(text);
   text = copy;
   textKind = kind;
   TextApply();
}

void MessageBoxPopup::TextApply()
{
   if (!text || !layer)
   {
      return;
   }
   TextDocumentWidget* document = dynamic_cast<TextDocumentWidget*>(layer->DescendantGetByPath("Panel.Text"));
   if (!document)
   {
      return;
   }
   switch (textKind)
   {
   case MESSAGE_BOX_TEXT_KEY:
      document->TextKeySet(text);
      break;
   case MESSAGE_BOX_TEXT_EXPRESSION:
      document->TextExpressionSet(text);
      break;
   case MESSAGE_BOX_TEXT_FILENAME:
      document->TextFilenameSet(text);
      break;
   default:
      document->TextSet(text);
      break;
   }
}

void MessageBoxPopup::OnOKClick(PressButtonWidget* button, void* popup)
{
   MessageBoxPopup* box = static_cast<MessageBoxPopup*>(popup);
   if (box)
   {
      ButtonForward(box, button, box->onOK, box->onOKUserData);
   }
}

void MessageBoxPopup::OnCancelClick(PressButtonWidget* button, void* popup)
{
   MessageBoxPopup* box = static_cast<MessageBoxPopup*>(popup);
   if (box)
   {
      ButtonForward(box, button, box->onCancel, box->onCancelUserData);
   }
}

void MessageBoxPopup::OnYesClick(PressButtonWidget* button, void* popup)
{
   MessageBoxPopup* box = static_cast<MessageBoxPopup*>(popup);
   if (box)
   {
      ButtonForward(box, button, box->onYes, box->onYesUserData);
   }
}

void MessageBoxPopup::OnNoClick(PressButtonWidget* button, void* popup)
{
   MessageBoxPopup* box = static_cast<MessageBoxPopup*>(popup);
   if (box)
   {
      ButtonForward(box, button, box->onNo, box->onNoUserData);
   }
}

void MessageBoxPopup::ButtonForward(MessageBoxPopup* popup, PressButtonWidget* button,
                                    MessageBoxCallback function, void* userData)
{
   if (function)
   {
      // An answer often closes the box itself (and a heap-owned box is freed by its close).
      // Closes asked for during the callback wait for the popup manager's next update, so the box
      // is still here afterwards to see that it is already leaving.
      u8 wasIterating = PopupManager::iterating;
      PopupManager::iterating = 1;
      function(popup, button, userData);
      PopupManager::iterating = wasIterating;
      if (popup->removalPending)
      {
         return;
      }
   }
   popup->Close(true);
}

void MessageBoxPopup::CallbacksClear()
{
   onOK = nullptr;
   onOKUserData = nullptr;
   onCancel = nullptr;
   onCancelUserData = nullptr;
   onYes = nullptr;
   onYesUserData = nullptr;
   onNo = nullptr;
   onNoUserData = nullptr;
}
} // namespace Corvale
