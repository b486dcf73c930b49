// Drop-down lists: opening and closing, the selection and its notices, the keyboard highlight with
// hold repeat, and the item buttons stacked in the scroll box.
#include "gui/widgets/DropDownListWidget.h"

#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "gui/GUIManager.h"
#include "gui/widgets/ScrollBoxWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseState.h"
#include "platform/input/PlatformKeys.h"

namespace Corvale
{
namespace
{
const u8 highlightKeys[DROP_DOWN_LIST_KEY_COUNT] = {VK_UP, VK_DOWN, VK_PRIOR, VK_NEXT};

// The required child specifications: missing any of them is a broken layer file.
void RequiredObjectCheck(Widget* widget, const JSONValue* specification, const char* key)
{
   if (specification->ItemGet(key)->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      return;
   }
   if (widget->NameGet())
   {
      ErrorPrintf("%s::Init -- Missing \"%s\" for widget \"%s\"\n", widget->TypeNameGet(), key,
                  widget->NameGet());
   }
   ErrorPrintf("%s::Init -- Missing \"%s\"\n", widget->TypeNameGet(), key);
}
} // namespace

// ---------------------------------------------------------------------------------------------
// Open button

void DropDownListOpenButtonWidget::OnClick()
{
   ToggleButtonWidget::OnClick();
   DropDownListWidget* owner = dynamic_cast<DropDownListWidget*>(ParentGet());
   if (owner)
   {
      owner->OpenSet(OnGet());
   }
}

// ---------------------------------------------------------------------------------------------
// Item button

void DropDownListItemButtonWidget::Init(const char* widgetName, Widget* parentWidget,
                                        const JSONValue* specification)
{
   Init(widgetName, parentWidget, specification, nullptr);
}

void DropDownListItemButtonWidget::Init(const char* widgetName, Widget* parentWidget,
                                        const JSONValue* specification, DropDownListWidget* owner)
{
   list = nullptr;
   ToggleButtonWidget::Init(widgetName, parentWidget, specification);
   list = owner;
}

void DropDownListItemButtonWidget::Update(u32 elapsed)
{
   ToggleButtonWidget::Update(elapsed);
   if (!list || !InputAcceptableCheck())
   {
      return;
   }
   // Only a mouse that moves over the item takes the highlight, so that a still pointer does not
   // fight the arrow keys; touch has no hover to follow.
   for (i32 i = 0; i < GUIManager::pointerRecords.count; i++)
   {
      const PointerRecord& record = GUIManager::pointerRecords[i];
      const MouseState* pointer = record.mouseState;
      if (!pointer || !pointer->present || pointer->touchActive || record.hovered != this)
      {
         continue;
      }
      if (pointer->x != pointer->previousX || pointer->y != pointer->previousY)
      {
         list->HighlightSet(this);
      }
   }
}

void DropDownListItemButtonWidget::OnRelease()
{
   if (!list || !UsableCheck())
   {
      return;
   }
   // The list holds the pointer to this item; it stays valid through both calls.
   DropDownListWidget* owner = list;
   owner->OpenSet(false);
   owner->SelectionSet(this, true);
}

// ---------------------------------------------------------------------------------------------
// List

void DropDownListWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("DropDownList", &WidgetCreate<DropDownListWidget>);
}

DropDownListWidget::~DropDownListWidget()
{
   // Only a list destroyed without its Deinit still owns its template here.
   MemoryDelete(itemTemplate);
   itemTemplate = nullptr;
}

void DropDownListWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   open = 0;
   selection = nullptr;
   highlight = nullptr;
   scrollBox = nullptr;
   openButton = nullptr;
   MemoryDelete(itemTemplate);
   itemTemplate = nullptr;
   onSelection = nullptr;
   onSelectionUserData = nullptr;
   onSelectionChange = nullptr;
   onSelectionChangeUserData = nullptr;
   onOpenChange = nullptr;
   onOpenChangeUserData = nullptr;
   ContainerWidget::Init(widgetName, parentWidget, specification);
   ChildrenCapacitySet(children.count + 2);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   RequiredObjectCheck(this, specification, "ScrollBox");
   RequiredObjectCheck(this, specification, "OpenButton");
   RequiredObjectCheck(this, specification, "ItemTemplate");

   scrollBox = MemoryNew<ScrollBoxWidget>(HEAP_DEFAULT);
   openButton = MemoryNew<DropDownListOpenButtonWidget>(HEAP_DEFAULT);
   itemTemplate = specification->ItemGet("ItemTemplate")->Clone(HEAP_DEFAULT);
   if (!scrollBox || !openButton || !itemTemplate)
   {
      ErrorPrintf("%s::Init -- unable to allocate the parts of widget \"%s\"\n", TypeNameGet(),
                  NameGet() ? NameGet() : "");
   }
   scrollBox->Init("ScrollBox", this, specification->ItemGet("ScrollBox"));
   openButton->Init("OpenButton", this, specification->ItemGet("OpenButton"));
   openButton->TextSet("");

   bool itemsOverOpenButton = false;
   specification->BoolGet(&itemsOverOpenButton, "ItemsOverOpenButton", false);
   if (itemsOverOpenButton)
   {
      ChildAddLast(openButton);
      ChildAddLast(scrollBox);
   }
   else
   {
      ChildAddLast(scrollBox);
      ChildAddLast(openButton);
   }

   for (HoldTracker& tracker : keyTrackers)
   {
      tracker = HoldTracker();
      tracker.fireOnStart = true;
      tracker.startDelay = HoldStartDelayGet();
      tracker.remaining = tracker.startDelay;
      tracker.interval = HoldIntervalDurationGet();
   }

   // Forced through a change so that the scroll box and the button start in the closed state.
   open = 1;
   OpenSet(false);
}

void DropDownListWidget::Deinit()
{
   MemoryDelete(itemTemplate);
   itemTemplate = nullptr;
   ContainerWidget::Deinit();
   selection = nullptr;
   highlight = nullptr;
   scrollBox = nullptr;
   openButton = nullptr;
}

void DropDownListWidget::Update(u32 elapsed)
{
   ContainerWidget::Update(elapsed);

   bool held[DROP_DOWN_LIST_KEY_COUNT] = {};
   if (!InputAcceptableCheck())
   {
      OpenSet(false);
   }
   else
   {
      if (FocusCheck() && OpenCheck())
      {
         bool matched = false;
         for (i32 i = 0; i < DROP_DOWN_LIST_KEY_COUNT && !matched; i++)
         {
            matched = held[i] = KeyHeldCheck(highlightKeys[i]);
         }
         // Alt+Enter belongs to the window (full screen), not to the list.
         if (!matched && KeyPressedCheck(VK_RETURN) && !KeyHeldCheck(VK_LMENU) && !KeyHeldCheck(VK_RMENU))
         {
            OpenSet(false);
            if (highlight)
            {
               SelectionSet(highlight, true);
            }
         }
      }

      if (OpenCheck())
      {
         for (i32 i = 0; i < GUIManager::pointerRecords.count; i++)
         {
            MouseState* pointer = GUIManager::pointerRecords[i].mouseState;
            if (pointer && pointer->present && pointer->PressedCheck(MOUSE_BUTTON_LEFT) &&
                !HoveredByCheck(pointer) && !HoveredByDescendantCheck(pointer))
            {
               OpenSet(false);
               break;
            }
         }
      }
   }

   for (i32 i = 0; i < DROP_DOWN_LIST_KEY_COUNT; i++)
   {
      if (!keyTrackers[i].Step(held[i], elapsed))
      {
         continue;
      }
      switch (i)
      {
      case DROP_DOWN_LIST_KEY_UP:
         HighlightMove(-1);
         break;
      case DROP_DOWN_LIST_KEY_DOWN:
         HighlightMove(1);
         break;
      case DROP_DOWN_LIST_KEY_PAGE_UP:
         HighlightMove(-PageSizeGet());
         break;
      default:
         HighlightMove(PageSizeGet());
         break;
      }
   }
}

void DropDownListWidget::OpenSet(bool value)
{
   if ((open != 0) == value)
   {
      return;
   }
   open = value ? 1 : 0;
   if (scrollBox)
   {
      scrollBox->VisibleSet(value);
      scrollBox->EnabledSet(value);
   }
   if (openButton)
   {
      openButton->OnSet(value);
   }
   if (value && selection)
   {
      HighlightSet(selection);
   }
   OnOpenChange(value);
}

void DropDownListWidget::OnOpenChange(bool value)
{
   if (onOpenChange)
   {
      onOpenChange(value, this, onOpenChangeUserData);
   }
}

void DropDownListWidget::SelectionSet(DropDownListItemButtonWidget* item, bool byUser)
{
   DropDownListItemButtonWidget* old = selection;
   if (item != old)
   {
      selection = item;
      if (openButton)
      {
         // The button takes the item's own text form, so that keys and expressions still follow
         // the language.
         if (item && item->TextExpressionGet())
         {
            openButton->TextExpressionSet(item->TextExpressionGet());
         }
         else if (item && item->TextKeyGet())
         {
            openButton->TextKeySet(item->TextKeyGet());
         }
         else if (item && item->TextGet())
         {
            openButton->TextSet(item->TextGet());
         }
         else
         {
            openButton->TextSet("");
         }
      }
      OnSelectionChange(item, old, byUser);
   }
   OnSelection(item, old, byUser);
}

bool DropDownListWidget::SelectionSetByIndex(i32 index, bool byUser)
{
   DropDownListItemButtonWidget* item = ItemGetAt(index);
   if (!item)
   {
      return false;
   }
   SelectionSet(item, byUser);
   return true;
}

bool DropDownListWidget::SelectionSetByName(const char* itemName, bool byUser)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container || !itemName)
   {
      return false;
   }
   DropDownListItemButtonWidget* item =
       dynamic_cast<DropDownListItemButtonWidget*>(container->ChildGetByName(itemName));
   if (!item)
   {
      return false;
   }
   SelectionSet(item, byUser);
   return true;
}

const char* DropDownListWidget::SelectionNameGet()
{
   return selection ? selection->NameGet() : nullptr;
}

i32 DropDownListWidget::SelectionIndexGet()
{
   ContainerWidget* container = ItemsContainerGet();
   if (!selection || !container)
   {
      return -1;
   }
   return container->ChildIndexGet(selection);
}

void DropDownListWidget::SelectionEventCall(const char* eventName, DropDownListItemButtonWidget* newItem,
                                            DropDownListItemButtonWidget* oldItem, bool byUser)
{
   if (!GUIManager::scriptingEnabled)
   {
      return;
   }
   // Item names go into Lua source, so they are quoted as literals whatever they hold.
   char* newQuoted = ScriptManager::QuotedStringCreate(newItem ? newItem->NameGet() : nullptr);
   char* oldQuoted = ScriptManager::QuotedStringCreate(oldItem ? oldItem->NameGet() : nullptr);
   if (newQuoted && oldQuoted)
   {
      LuaEventCallf(eventName, "%s,%s,%s", newQuoted, oldQuoted, byUser ? "true" : "false");
   }
   MemoryFree(newQuoted);
   MemoryFree(oldQuoted);
}

void DropDownListWidget::OnSelection(DropDownListItemButtonWidget* newItem,
                                     DropDownListItemButtonWidget* oldItem, bool byUser)
{
   SelectionEventCall("OnSelection", newItem, oldItem, byUser);
   if (onSelection)
   {
      onSelection(newItem, oldItem, byUser, this, onSelectionUserData);
   }
}

void DropDownListWidget::OnSelectionChange(DropDownListItemButtonWidget* newItem,
                                           DropDownListItemButtonWidget* oldItem, bool byUser)
{
   SelectionEventCall("OnSelectionChange", newItem, oldItem, byUser);
   if (onSelectionChange)
   {
      onSelectionChange(newItem, oldItem, byUser, this, onSelectionChangeUserData);
   }
}

void DropDownListWidget::HighlightSet(DropDownListItemButtonWidget* item)
{
   if (item == highlight)
   {
      return;
   }
   if (highlight)
   {
      highlight->OnSet(false);
   }
   if (item)
   {
      item->OnSet(true);
      if (scrollBox)
      {
         Point2F at = item->PositionGet();
         Box2F box = item->BoundsGet();
         scrollBox->ScrollToShow(at.x + box.x, at.y + box.y, box.width, box.height);
      }
   }
   highlight = item;
}

void DropDownListWidget::HighlightMove(i32 delta)
{
   i32 count = ItemCountGet();
   if (count <= 0)
   {
      return;
   }
   i32 index = 0;
   if (highlight)
   {
      ContainerWidget* container = ItemsContainerGet();
      index = container->ChildIndexGet(highlight) + delta;
      index = index < 0 ? 0 : (index > count - 1 ? count - 1 : index);
   }
   DropDownListItemButtonWidget* item = ItemGetAt(index);
   if (item)
   {
      HighlightSet(item);
   }
}

i32 DropDownListWidget::PageSizeGet()
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container || container->ChildCountGet() == 0)
   {
      return 0;
   }
   i32 clipHeight = static_cast<i32>(container->ClipAreaGet().height);
   if (clipHeight == 0)
   {
      return 0;
   }
   i32 itemHeight = static_cast<i32>(container->ChildGetAt(0)->BoundsGet().height);
   // Items less than a unit high would divide by zero; a page is then one step.
   if (itemHeight <= 0)
   {
      return 1;
   }
   i32 size = clipHeight / itemHeight - 1;
   return size < 1 ? 1 : size;
}

ContainerWidget* DropDownListWidget::ItemsContainerGet()
{
   return scrollBox ? scrollBox->ClipContainerGet() : nullptr;
}

DropDownListItemButtonWidget* DropDownListWidget::ItemGetAt(i32 index)
{
   ContainerWidget* container = ItemsContainerGet();
   return container ? dynamic_cast<DropDownListItemButtonWidget*>(container->ChildGetAt(index)) : nullptr;
}

DropDownListItemButtonWidget* DropDownListWidget::ItemCreate(const char* itemName, ContainerWidget* container,
                                                             const char* text, i32 kind)
{
   if (!itemTemplate)
   {
      return nullptr;
   }
   DropDownListItemButtonWidget* item = MemoryNew<DropDownListItemButtonWidget>(HEAP_DEFAULT);
   if (!item)
   {
      WarningPrintf("DropDownListWidget::ItemCreate -- unable to allocate the item \"%s\"\n",
                    itemName ? itemName : "");
      return nullptr;
   }
   item->Init(itemName, container, itemTemplate, this);
   if (kind == DROP_DOWN_LIST_TEXT_EXPRESSION)
   {
      item->TextExpressionSet(text);
   }
   else if (kind == DROP_DOWN_LIST_TEXT_KEY)
   {
      item->TextKeySet(text);
   }
   else
   {
      item->TextSet(text);
   }
   return item;
}

bool DropDownListWidget::ItemAdd(const char* itemName, const char* text, i32 kind)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container)
   {
      return false;
   }
   DropDownListItemButtonWidget* item = ItemCreate(itemName, container, text, kind);
   if (!item)
   {
      return false;
   }
   container->ChildAddLast(item);
   ItemsLayout();
   return true;
}

void DropDownListWidget::ItemsLayout()
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container)
   {
      return;
   }
   float y = 0.0f;
   float width = 0.0f;
   for (i32 i = 0; i < container->ChildCountGet(); i++)
   {
      Widget* item = container->ChildGetAt(i);
      item->PositionSet(Point2F{0.0f, y});
      Box2F box = item->BoundsGet();
      if (i == 0)
      {
         width = box.width;
      }
      y += box.height;
   }
   container->BoundsSet(Box2F{0.0f, 0.0f, width, y});
}

bool DropDownListWidget::ItemRemove(DropDownListItemButtonWidget* item)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!item || !container || container->ChildIndexGet(item) < 0)
   {
      return false;
   }
   // Cleared through the selection so that the button's text goes and the owner hears that its
   // choice is gone; the flag says no one chose this.
   if (item == selection)
   {
      SelectionClear();
   }
   if (item == highlight)
   {
      HighlightClear();
   }
   container->ChildRemove(item);
   ItemsLayout();
   return true;
}

bool DropDownListWidget::ItemRemoveByName(const char* itemName)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container || !itemName)
   {
      return false;
   }
   return ItemRemove(dynamic_cast<DropDownListItemButtonWidget*>(container->ChildGetByName(itemName)));
}

i32 DropDownListWidget::ItemCountGet()
{
   ContainerWidget* container = ItemsContainerGet();
   return container ? container->ChildCountGet() : 0;
}

void DropDownListWidget::ItemsRemoveAll()
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container)
   {
      return;
   }
   for (i32 i = container->ChildCountGet() - 1; i >= 0; i--)
   {
      Widget* child = container->ChildGetAt(i);
      DropDownListItemButtonWidget* item = dynamic_cast<DropDownListItemButtonWidget*>(child);
      if (item)
      {
         ItemRemove(item);
      }
      else
      {
         container->ChildRemove(child);
      }
   }
   ItemsLayout();
}
} // namespace Corvale
