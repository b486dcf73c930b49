// An on-screen keyboard made of ordinary widgets: letter, space, backspace, clear and caps-lock
// buttons found by name, a state container of key sets and a text entry that shows the text.
#pragma once

#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class PressButtonWidget;
class StateContainerWidget;
class TextEntryWidget;

class KeyboardWidget : public ContainerWidget
{
 public:
   KeyboardWidget() = default;
   ~KeyboardWidget() override;

   // After the container's keys: "TextLengthMax" (bytes) and "Text".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "KeyboardWidget"; }

   // Below 1 becomes 0; the display takes the same limit and the text is read back from it.
   virtual void TextLengthMaxSet(i32 count);

   // Makes "Keyboard" known to the widget-type registry.
   static void TypeRegister();

   char* text = nullptr;
   i32 textLengthMax = 64;
   TextEntryWidget* textDisplay = nullptr;
   StateContainerWidget* keySet = nullptr;

 private:
   // Finds the display and the key set and hands the key buttons their click handlers.
   void KeysBind(ContainerWidget* container);
   // Appends the text when it fits the limit, then shows it.
   void TextAppend(const char* addition);
   // The text and the display without which the keys do nothing.
   bool ReadyCheck() { return text && textDisplay; }
   void TextShow();

   static void OnLetterClick(PressButtonWidget* button, void* userData);
   static void OnSpaceClick(PressButtonWidget* button, void* userData);
   static void OnBackspaceClick(PressButtonWidget* button, void* userData);
   static void OnClearClick(PressButtonWidget* button, void* userData);
   static void OnCapsLockClick(PressButtonWidget* button, void* userData);
};
} // namespace Corvale
