// The shared base of the selectors: named items of which one is chosen, stepped through by next and
// previous buttons or the wheel, with the chosen item's detail text shown in a text document.
#pragma once

#include "gui/widgets/ContainerWidget.h"

namespace Corvale
{
class SelectorItemWidget;
class SelectorSelectionChangeButtonWidget;
class TextDocumentWidget;

// byUser: a step by a button or the wheel, as opposed to a change made by code or a click.
typedef void (*SelectorSelectionChangeCallback)(SelectorItemWidget* newItem, SelectorItemWidget* oldItem,
                                                bool byUser, void* userData);
typedef void (*SelectorItemClickCallback)(bool wasSelected, SelectorItemWidget* item, void* userData);

// Only the subclasses, which place the items, are made.
class SelectorWidget : public ContainerWidget
{
 public:
   SelectorWidget() = default;
   ~SelectorWidget() override;

   // "WrapAround", "NextButton", "PreviousButton", "DetailTextDocument" and "ItemTemplate".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   const char* TypeNameGet() override { return "SelectorWidget"; }
   // A positive amount steps backward.
   void OnMouseScroll(i32 notches) override;
   // The wheel stops here rather than climbing past the selector.
   bool MouseScrollTargetCheck() override { return true; }

   virtual void SelectionClear() { SelectionSet(nullptr, false); }
   virtual void SelectionSet(SelectorItemWidget* item, bool byUser);
   virtual bool SelectionSetByName(const char* itemName, bool byUser);
   virtual SelectorItemWidget* SelectionGet() { return selection; }
   virtual const char* SelectionNameGet();
   // Clamped to the items, or wrapped with "WrapAround"; with nothing chosen the first item is.
   virtual void SelectionStep(i32 delta, bool byUser);
   // Told after every step, for subclasses that follow the selection.
   virtual void OnSelectionStep() {}
   virtual void OnSelectionChange(SelectorItemWidget* newItem, SelectorItemWidget* oldItem, bool byUser);
   // The item made from the JSON object, added last; the first item added becomes the choice.
   virtual SelectorItemWidget* ItemAdd(const JSONValue* item);
   virtual void ItemsAddLast(const JSONValue* items);
   // False when the item is not one of this selector's.
   virtual bool ItemRemove(SelectorItemWidget* item);
   virtual bool ItemRemoveByName(const char* itemName);
   // The item's own keys over the template's; not yet added to the container.
   virtual SelectorItemWidget* ItemCreate(const char* itemName, ContainerWidget* container,
                                          const JSONValue* item);
   virtual void ItemsLayout() {}
   // Shows the chosen item's detail text in the detail document.
   virtual void DetailUpdate();
   // The container whose children are the items, in order; supplied by the subclasses.
   virtual ContainerWidget* ItemsContainerGet() { return nullptr; }
   // Ends the placement animations at once, items and cursor at their places.
   virtual void TransitionsFinish() {}

   SelectorItemWidget* selection = nullptr;
   JSONValue* itemTemplate = nullptr;
   TextDocumentWidget* detailTextDocument = nullptr;
   SelectorSelectionChangeButtonWidget* nextButton = nullptr;
   SelectorSelectionChangeButtonWidget* previousButton = nullptr;
   u8 wrapAround = 1;
   SelectorSelectionChangeCallback onSelectionChange = nullptr;
   void* onSelectionChangeUserData = nullptr;
   SelectorItemClickCallback onItemClick = nullptr;
   void* onItemClickUserData = nullptr;

 protected:
   // The item's index among the items, -1 when it is not one.
   i32 ItemIndexGet(SelectorItemWidget* item);
   // A change button from its key, added last; null when the key holds no object.
   SelectorSelectionChangeButtonWidget* ChangeButtonCreate(const char* key, const JSONValue* specification,
                                                           bool next);
   // A subclass's new items container (null when it could not be made, which is logged) set up
   // under parent as its last child; false without one.
   bool ItemsContainerAttach(ContainerWidget* container, ContainerWidget* parent);
   // "Items" of the specification, unless it is missing or null.
   void ItemsAddIfGiven(const JSONValue* specification);
};
} // namespace Corvale
