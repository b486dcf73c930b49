// The message box that menus and games show: a text in "Panel.Text" and up to four buttons whose
// clicks report to the owner before the box closes with its exit transition.
#pragma once

#include "gui/popup/Popup.h"

namespace Corvale
{
class MessageBoxPopup;
class PressButtonWidget;

typedef void (*MessageBoxCallback)(MessageBoxPopup* popup, PressButtonWidget* button, void* userData);

// How the text reaches the text document.
enum MessageBoxTextKind : i32
{
   MESSAGE_BOX_TEXT_PLAIN = 0,
   MESSAGE_BOX_TEXT_KEY = 1,
   MESSAGE_BOX_TEXT_EXPRESSION = 2,
   MESSAGE_BOX_TEXT_FILENAME = 3
};

class MessageBoxPopup : public Popup
{
 public:
   MessageBoxPopup() = default;

   // A heap-owned box on the layer (none for a null name), opened and showing the text key; the
   // caller sets the callbacks afterwards. Null when it can't be made.
   static MessageBoxPopup* Show(const char* textKey, const char* layerName);

   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;

   // Keeps a copy and shows it.
   virtual void TextSet(const char* newText, i32 kind);
   virtual void TextApply();

   static void OnOKClick(PressButtonWidget* button, void* popup);
   static void OnCancelClick(PressButtonWidget* button, void* popup);
   static void OnYesClick(PressButtonWidget* button, void* popup);
   static void OnNoClick(PressButtonWidget* button, void* popup);

   char* text = nullptr;
   i32 textKind = MESSAGE_BOX_TEXT_PLAIN;
   MessageBoxCallback onOK = nullptr;
   void* onOKUserData = nullptr;
   MessageBoxCallback onCancel = nullptr;
   void* onCancelUserData = nullptr;
   MessageBoxCallback onYes = nullptr;
   void* onYesUserData = nullptr;
   MessageBoxCallback onNo = nullptr;
   void* onNoUserData = nullptr;

 private:
   // The owner's answer, then the close with the exit transition.
   static void ButtonForward(MessageBoxPopup* popup, PressButtonWidget* button, MessageBoxCallback function,
                             void* userData);
   void CallbacksClear();
};
} // namespace Corvale
