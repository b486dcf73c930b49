// On-screen keyboards: binding the key buttons by name, the text limit in bytes, and the key
// handlers that write into the display entry.
#include "gui/widgets/KeyboardWidget.h"

#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TextEntryWidget.h"

namespace Corvale
{
namespace
{
bool NameIs(const char* name, const char* wanted)
{
   return name && std::strcmp(name, wanted) == 0;
}

bool LetterNameCheck(const char* name)
{
   return name && name[0] && !name[1] &&
          ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
}
} // namespace

void KeyboardWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("Keyboard", &WidgetCreate<KeyboardWidget>);
}

KeyboardWidget::~KeyboardWidget()
{
   MemoryFree(text);
   text = nullptr;
}

void KeyboardWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   MemoryFree(text);
   text = nullptr;
   textLengthMax = 0;
   textDisplay = nullptr;
   keySet = nullptr;
   if (!specification)
   {
      WarningPrintf("KeyboardWidget::Init -- %s No specifications were given.\n",
                    widgetName ? widgetName : "");
      // Still a valid, empty widget in the tree.
      ContainerWidget::InitWithoutSpecification(widgetName, parentWidget);
      return;
   }
   ContainerWidget::Init(widgetName, parentWidget, specification);
   KeysBind(this);
   if (!textDisplay)
   {
      WarningPrintf("KeyboardWidget::Init -- %s No TextEntryWidget was given.\n", name ? name : "");
      return;
   }
   TextLengthMaxSet(TextEntryWidget::TextLengthMaxRead(this, specification));
   textDisplay->CanHaveFocusSet(false);
   textDisplay->VisibleSet(true);
   const char* initial = specification->ItemGet("Text")->StringValueGet();
   if (text)
   {
      NultStrncpy(text, initial ? initial : "", static_cast<u32>(textLengthMax + 1));
      UTF8Truncate(text, static_cast<u32>(textLengthMax + 1));
      TextShow();
   }
}

void KeyboardWidget::Deinit()
{
   MemoryFree(text);
   text = nullptr;
   ContainerWidget::Deinit();
   textDisplay = nullptr;
   keySet = nullptr;
}

void KeyboardWidget::TextLengthMaxSet(i32 count)
{
   if (count < 1)
   {
      count = 0;
   }
   if (count > TEXT_ENTRY_LENGTH_MAX_LIMIT)
   {
      count = TEXT_ENTRY_LENGTH_MAX_LIMIT;
   }
   MemoryFree(text);
   textLengthMax = count;
   text = static_cast<char*>(MemoryAllocate(static_cast<u32>(count + 1), HEAP_DEFAULT, MEMORY_ALIGNMENT_MIN));
   if (!text)
   {
      WarningPrintf("KeyboardWidget::TextLengthMaxSet -- unable to allocate %d bytes for widget \"%s\"\n",
                    count + 1, name ? name : "");
      return;
   }
   text[0] = 0;
   if (textDisplay)
   {
      textDisplay->TextLengthMaxSet(count);
      NultStrncpy(text, textDisplay->TextGet(), static_cast<u32>(count + 1));
      UTF8Truncate(text, static_cast<u32>(count + 1));
   }
}

void KeyboardWidget::KeysBind(ContainerWidget* container)
{
   for (i32 i = 0; i < container->ChildCountGet(); i++)
   {
      Widget* child = container->ChildGetAt(i);
      const char* childName = child->NameGet();
      if (NameIs(childName, "KeySet"))
      {
         keySet = dynamic_cast<StateContainerWidget*>(child);
         if (keySet)
         {
            KeysBind(keySet);
         }
         continue;
      }
      ContainerWidget* inner = dynamic_cast<ContainerWidget*>(child);
      if (inner && (NameIs(childName, "Uppercase") || NameIs(childName, "Lowercase")))
      {
         KeysBind(inner);
         continue;
      }
      if (NameIs(childName, "TextDisplay"))
      {
         textDisplay = dynamic_cast<TextEntryWidget*>(child);
         continue;
      }
      PressButtonWidget* button = dynamic_cast<PressButtonWidget*>(child);
      if (!button)
      {
         continue;
      }
      PressButtonCallback handler = nullptr;
      if (NameIs(childName, "Space"))
      {
         handler = &OnSpaceClick;
      }
      else if (NameIs(childName, "Backspace"))
      {
         handler = &OnBackspaceClick;
      }
      else if (NameIs(childName, "Clear"))
      {
         handler = &OnClearClick;
      }
      else if (NameIs(childName, "CapsLock"))
      {
         handler = &OnCapsLockClick;
      }
      else if (LetterNameCheck(childName))
      {
         handler = &OnLetterClick;
      }
      if (handler)
      {
         button->onClick = handler;
         button->onClickUserData = this;
      }
   }
}

void KeyboardWidget::TextShow()
{
   textDisplay->TextSet(text);
}

void KeyboardWidget::TextAppend(const char* addition)
{
   const u32 size = static_cast<u32>(textLengthMax + 1);
   // The display is what the player sees; the keyboard starts from it.
   NultStrncpy(text, textDisplay->TextGet(), size);
   UTF8Truncate(text, size);
   if (std::strlen(addition) + std::strlen(text) > static_cast<size_t>(textLengthMax))
   {
      return;
   }
   if (NultStrncat(text, addition, size) && UTF8Truncate(text, size))
   {
      TextShow();
   }
}

void KeyboardWidget::OnLetterClick(PressButtonWidget* button, void* userData)
{
   KeyboardWidget* keyboard = static_cast<KeyboardWidget*>(userData);
   if (keyboard && keyboard->ReadyCheck() && button && button->NameGet())
   {
      keyboard->TextAppend(button->NameGet());
   }
}

void KeyboardWidget::OnSpaceClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   KeyboardWidget* keyboard = static_cast<KeyboardWidget*>(userData);
   if (keyboard && keyboard->ReadyCheck())
   {
      keyboard->TextAppend(" ");
   }
}

void KeyboardWidget::OnBackspaceClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   KeyboardWidget* keyboard = static_cast<KeyboardWidget*>(userData);
   if (keyboard && keyboard->ReadyCheck())
   {
      TextEntryWidget::LastCharacterRemove(keyboard->text);
      keyboard->TextShow();
   }
}

void KeyboardWidget::OnClearClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   KeyboardWidget* keyboard = static_cast<KeyboardWidget*>(userData);
   if (keyboard && keyboard->ReadyCheck())
   {
      keyboard->text[0] = 0;
      keyboard->TextShow();
   }
}

void KeyboardWidget::OnCapsLockClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   KeyboardWidget* keyboard = static_cast<KeyboardWidget*>(userData);
   if (!keyboard || !keyboard->keySet)
   {
      return;
   }
   const char* current = keyboard->keySet->StateNameGet();
   keyboard->keySet->StateSetByName(NameIs(current, "Uppercase") ? "Lowercase" : "Uppercase");
}
} // namespace Corvale
