// Drop-down lists: a toggle button that shows the current choice and opens a scroll box of item
// buttons, chosen by click or by a keyboard highlight and Enter.
#pragma once

#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"
#include "platform/input/HoldTracker.h"

namespace Corvale
{
class DropDownListItemButtonWidget;
class DropDownListWidget;
class ScrollBoxWidget;

// Which of the label's text forms an item's text is.
enum DropDownListTextKind : i32
{
   DROP_DOWN_LIST_TEXT_PLAIN = 0,
   DROP_DOWN_LIST_TEXT_KEY = 1,
   DROP_DOWN_LIST_TEXT_EXPRESSION = 2
};

// The keys that move the highlight, in the order of the list's hold trackers.
enum DropDownListKey : i32
{
   DROP_DOWN_LIST_KEY_UP = 0,
   DROP_DOWN_LIST_KEY_DOWN = 1,
   DROP_DOWN_LIST_KEY_PAGE_UP = 2,
   DROP_DOWN_LIST_KEY_PAGE_DOWN = 3,
   DROP_DOWN_LIST_KEY_COUNT = 4
};

// byUser: a click on an item or Enter, as opposed to a change made by code.
typedef void (*DropDownListSelectionCallback)(DropDownListItemButtonWidget* newItem,
                                              DropDownListItemButtonWidget* oldItem, bool byUser,
                                              DropDownListWidget* list, void* userData);
typedef void (*DropDownListOpenChangeCallback)(bool open, DropDownListWidget* list, void* userData);

// The button that shows the choice; its on-state mirrors whether the list is open.
class DropDownListOpenButtonWidget : public ToggleButtonWidget
{
 public:
   const char* TypeNameGet() override { return "DropDownListOpenButtonWidget"; }
   void OnClick() override;
   bool EventHandlerTableWantedCheck() override { return false; }
};

// One choice; its on-state shows the keyboard highlight.
class DropDownListItemButtonWidget : public ToggleButtonWidget
{
 public:
   // Items are made by their list, through the Init that names it.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "DropDownListItemButtonWidget"; }
   void OnRelease() override;
   bool EventHandlerTableWantedCheck() override { return false; }

   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification,
                     DropDownListWidget* owner);

   DropDownListWidget* list = nullptr;
};

class DropDownListWidget : public ContainerWidget
{
 public:
   DropDownListWidget() = default;
   ~DropDownListWidget() override;

   // "ScrollBox", "OpenButton" and "ItemTemplate" are required objects; "ItemsOverOpenButton"
   // puts the open button under the items.
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "DropDownListWidget"; }
   bool LuaEventsEnabledCheck() override { return true; }

   virtual bool OpenCheck() { return open != 0; }
   virtual void OpenSet(bool value);
   // Notifies with byUser false.
   virtual void SelectionClear() { SelectionSet(nullptr, false); }
   // Always notifies "OnSelection"; "OnSelectionChange" only when the item differs.
   virtual void SelectionSet(DropDownListItemButtonWidget* item, bool byUser);
   virtual bool SelectionSetByIndex(i32 index, bool byUser);
   virtual bool SelectionSetByName(const char* itemName, bool byUser);
   virtual DropDownListItemButtonWidget* SelectionGet() { return selection; }
   virtual const char* SelectionNameGet();
   // -1 without a selection.
   virtual i32 SelectionIndexGet();
   virtual void HighlightSet(DropDownListItemButtonWidget* item);
   virtual void HighlightClear() { HighlightSet(nullptr); }
   virtual void OnSelection(DropDownListItemButtonWidget* newItem, DropDownListItemButtonWidget* oldItem,
                            bool byUser);
   virtual void OnSelectionChange(DropDownListItemButtonWidget* newItem,
                                  DropDownListItemButtonWidget* oldItem, bool byUser);
   virtual void OnOpenChange(bool value);
   // kind is a DropDownListTextKind; false when no item was made.
   virtual bool ItemAdd(const char* itemName, const char* text, i32 kind);
   // False when the item is not one of this list's.
   virtual bool ItemRemove(DropDownListItemButtonWidget* item);
   virtual bool ItemRemoveByName(const char* itemName);
   virtual i32 ItemCountGet();
   virtual void ItemsRemoveAll();
   // How far page up and page down move the highlight; 0 when nothing can be measured.
   virtual i32 PageSizeGet();
   // Made from the item template, not yet added; null without a template.
   virtual DropDownListItemButtonWidget* ItemCreate(const char* itemName, ContainerWidget* container,
                                                    const char* text, i32 kind);
   // Stacks the items from the top and sizes the content to them.
   virtual void ItemsLayout();
   // Clamped to the items; with nothing highlighted the first item is highlighted.
   virtual void HighlightMove(i32 delta);

   // Makes "DropDownList" known to the widget-type registry.
   static void TypeRegister();

   u8 open = 0;
   DropDownListItemButtonWidget* selection = nullptr;
   DropDownListItemButtonWidget* highlight = nullptr;
   ScrollBoxWidget* scrollBox = nullptr;
   DropDownListOpenButtonWidget* openButton = nullptr;
   JSONValue* itemTemplate = nullptr;
   DropDownListSelectionCallback onSelection = nullptr;
   void* onSelectionUserData = nullptr;
   DropDownListSelectionCallback onSelectionChange = nullptr;
   void* onSelectionChangeUserData = nullptr;
   DropDownListOpenChangeCallback onOpenChange = nullptr;
   void* onOpenChangeUserData = nullptr;
   HoldTracker keyTrackers[DROP_DOWN_LIST_KEY_COUNT];

 protected:
   // The scroll box's content, which holds the items; null before Init.
   ContainerWidget* ItemsContainerGet();
   // The item at the index of the content, null when out of range or not an item.
   DropDownListItemButtonWidget* ItemGetAt(i32 index);
   // Calls the named Lua handler with the quoted names and the flag.
   void SelectionEventCall(const char* eventName, DropDownListItemButtonWidget* newItem,
                           DropDownListItemButtonWidget* oldItem, bool byUser);
};
} // namespace Corvale
