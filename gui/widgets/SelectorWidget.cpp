// The selector base: its buttons and detail document, the choice and its notices, stepping with
// wrap-around, and items made from JSON over the item template.
#include "gui/widgets/SelectorWidget.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "gui/GUIManager.h"
#include "gui/widgets/SelectorItemWidget.h"
#include "gui/widgets/SelectorSelectionChangeButtonWidget.h"
#include "gui/widgets/TextDocumentWidget.h"

namespace Corvale
{
SelectorWidget::~SelectorWidget()
{
   // Only a selector destroyed without its Deinit still owns its template here.
   MemoryDelete(itemTemplate);
   itemTemplate = nullptr;
}

SelectorSelectionChangeButtonWidget*
SelectorWidget::ChangeButtonCreate(const char* key, const JSONValue* specification, bool next)
{
   const JSONValue* item = specification->ItemGet(key);
   if (item->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   SelectorSelectionChangeButtonWidget* button = MemoryNew<SelectorSelectionChangeButtonWidget>(HEAP_DEFAULT);
   if (!button)
   {
      WarningPrintf("SelectorWidget::Init -- unable to allocate \"%s\"\n", key);
      return nullptr;
   }
   button->Init(key, this, item, next);
   ChildAddLast(button);
   return button;
}

void SelectorWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   selection = nullptr;
   MemoryDelete(itemTemplate);
   itemTemplate = nullptr;
   detailTextDocument = nullptr;
   nextButton = nullptr;
   previousButton = nullptr;
   wrapAround = 1;
   onSelectionChange = nullptr;
   onSelectionChangeUserData = nullptr;
   onItemClick = nullptr;
   onItemClickUserData = nullptr;
   ContainerWidget::Init(widgetName, parentWidget, specification);
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   ChildrenCapacitySet(children.count + 4);

   bool wrap = true;
   specification->BoolGet(&wrap, "WrapAround", true);
   wrapAround = wrap ? 1 : 0;

   nextButton = ChangeButtonCreate("NextButton", specification, true);
   previousButton = ChangeButtonCreate("PreviousButton", specification, false);

   const JSONValue* item = specification->ItemGet("DetailTextDocument");
   if (item->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      detailTextDocument = MemoryNew<TextDocumentWidget>(HEAP_DEFAULT);
      if (detailTextDocument)
      {
         detailTextDocument->Init("DetailTextDocument", this, item);
         ChildAddLast(detailTextDocument);
      }
      else
      {
         WarningPrintf("SelectorWidget::Init -- unable to allocate \"DetailTextDocument\"\n");
      }
   }

   item = specification->ItemGet("ItemTemplate");
   if (item->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      itemTemplate = item->Clone(HEAP_DEFAULT);
   }
}

void SelectorWidget::Deinit()
{
   MemoryDelete(itemTemplate);
   itemTemplate = nullptr;
   ContainerWidget::Deinit();
   selection = nullptr;
   detailTextDocument = nullptr;
   nextButton = nullptr;
   previousButton = nullptr;
}

void SelectorWidget::SelectionSet(SelectorItemWidget* item, bool byUser)
{
   if (item == selection)
   {
      return;
   }
   SelectorItemWidget* old = selection;
   if (old)
   {
      old->OnSet(false);
   }
   selection = item;
   DetailUpdate();
   // The item comes back here through its OnSet and finds itself already chosen.
   if (item)
   {
      item->OnSet(true);
   }
   OnSelectionChange(item, old, byUser);
}

bool SelectorWidget::SelectionSetByName(const char* itemName, bool byUser)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container || !itemName)
   {
      return false;
   }
   SelectorItemWidget* item = dynamic_cast<SelectorItemWidget*>(container->ChildGetByName(itemName));
   if (!item)
   {
      return false;
   }
   SelectionSet(item, byUser);
   return true;
}

const char* SelectorWidget::SelectionNameGet()
{
   return selection ? selection->NameGet() : nullptr;
}

i32 SelectorWidget::ItemIndexGet(SelectorItemWidget* item)
{
   ContainerWidget* container = ItemsContainerGet();
   return container && item ? container->ChildIndexGet(item) : -1;
}

void SelectorWidget::SelectionStep(i32 delta, bool byUser)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container)
   {
      return;
   }
   i32 count = container->ChildCountGet();
   if (count <= 0)
   {
      return;
   }
   i32 index = 0;
   i32 current = ItemIndexGet(selection);
   if (current >= 0)
   {
      if (wrapAround)
      {
         index = (current + delta) % count;
         if (index < 0)
         {
            index += count;
         }
      }
      else
      {
         index = current + delta;
         index = index < 0 ? 0 : (index > count - 1 ? count - 1 : index);
      }
   }
   SelectorItemWidget* item = dynamic_cast<SelectorItemWidget*>(container->ChildGetAt(index));
   if (item)
   {
      SelectionSet(item, byUser);
   }
   OnSelectionStep();
}

void SelectorWidget::OnSelectionChange(SelectorItemWidget* newItem, SelectorItemWidget* oldItem, bool byUser)
{
   if (GUIManager::scriptingEnabled)
   {
      // Item names go into Lua source, so they are quoted as literals whatever they hold.
      char* newQuoted = ScriptManager::QuotedStringCreate(newItem ? newItem->NameGet() : nullptr);
      char* oldQuoted = ScriptManager::QuotedStringCreate(oldItem ? oldItem->NameGet() : nullptr);
      if (newQuoted && oldQuoted)
      {
         LuaEventCallf("OnSelectionChange", "%s,%s,%s", newQuoted, oldQuoted, byUser ? "true" : "false");
      }
      MemoryFree(newQuoted);
      MemoryFree(oldQuoted);
   }
   if (onSelectionChange)
   {
      onSelectionChange(newItem, oldItem, byUser, onSelectionChangeUserData);
   }
}

void SelectorWidget::ItemsAddLast(const JSONValue* items)
{
   if (!items || items->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      if (NameGet())
      {
         WarningPrintf(
             "SelectorWidget::ItemsAddLast -- Items not specified as a JSON array for selector %s.\n",
             NameGet());
      }
      else
      {
         WarningPrintf("SelectorWidget::ItemsAddLast -- Items not specified as a JSON array.\n");
      }
      return;
   }
   i32 count = items->CountGet();
   for (i32 i = 0; i < count; i++)
   {
      ItemAdd(items->ElementGet(i));
   }
}

SelectorItemWidget* SelectorWidget::ItemAdd(const JSONValue* item)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container)
   {
      WarningPrintf("SelectorWidget::ItemAdd -- selector \"%s\" has no items container\n",
                    NameGet() ? NameGet() : "");
      return nullptr;
   }
   const char* itemName = item ? item->ItemGet("Name")->StringValueGet() : nullptr;
   SelectorItemWidget* made = ItemCreate(itemName, container, item);
   if (!made)
   {
      return nullptr;
   }
   container->ChildAddLast(made);
   ItemsLayout();
   if (container->ChildCountGet() == 1)
   {
      SelectionSet(made, false);
   }
   return made;
}

SelectorItemWidget* SelectorWidget::ItemCreate(const char* itemName, ContainerWidget* container,
                                               const JSONValue* item)
{
   if (!item || item->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      if (NameGet())
      {
         WarningPrintf("SelectorWidget::ItemCreate -- Item not specified as a JSON object for selector %s.\n",
                       NameGet());
      }
      else
      {
         WarningPrintf("SelectorWidget::ItemCreate -- Item not specified as a JSON object.\n");
      }
      return nullptr;
   }
   if (!itemName)
   {
      if (NameGet())
      {
         WarningPrintf("SelectorWidget::ItemCreate -- Name not specified for item for selector %s.\n",
                       NameGet());
      }
      else
      {
         WarningPrintf("SelectorWidget::ItemCreate -- Name not specified for item.\n");
      }
      return nullptr;
   }

   JSONValue* merged = nullptr;
   if (itemTemplate)
   {
      merged = itemTemplate->Clone(HEAP_DEFAULT);
      JSONValue* own = item->Clone(HEAP_DEFAULT);
      // The merge takes the copy of the item's members; when it cannot, the copy is ours to free.
      if (!merged || !own || !merged->ItemsMerge(own))
      {
         MemoryDelete(own);
      }
   }
   SelectorItemWidget* made = MemoryNew<SelectorItemWidget>(HEAP_DEFAULT);
   if (made)
   {
      made->Init(itemName, container, merged ? merged : item, this);
   }
   else
   {
      WarningPrintf("SelectorWidget::ItemCreate -- unable to allocate the item \"%s\"\n", itemName);
   }
   MemoryDelete(merged);
   return made;
}

bool SelectorWidget::ItemRemove(SelectorItemWidget* item)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container || !item || container->ChildIndexGet(item) < 0)
   {
      return false;
   }
   if (item == selection)
   {
      SelectionClear();
   }
   container->ChildRemove(item);
   ItemsLayout();
   DetailUpdate();
   return true;
}

bool SelectorWidget::ItemRemoveByName(const char* itemName)
{
   ContainerWidget* container = ItemsContainerGet();
   if (!container || !itemName)
   {
      return false;
   }
   return ItemRemove(dynamic_cast<SelectorItemWidget*>(container->ChildGetByName(itemName)));
}

void SelectorWidget::DetailUpdate()
{
   if (!detailTextDocument)
   {
      return;
   }
   detailTextDocument->TextSet(nullptr);
   const char* text = selection ? selection->DetailTextGet() : nullptr;
   if (!text)
   {
      return;
   }
   switch (selection->DetailKindGet())
   {
   case SELECTOR_DETAIL_TEXT_EXPRESSION:
      detailTextDocument->TextExpressionSet(text);
      break;
   case SELECTOR_DETAIL_TEXT_KEY:
      detailTextDocument->TextKeySet(text);
      break;
   case SELECTOR_DETAIL_TEXT_FILENAME:
      detailTextDocument->TextFilenameSet(text);
      break;
   default:
      detailTextDocument->TextSet(text);
      break;
   }
}

bool SelectorWidget::ItemsContainerAttach(ContainerWidget* container, ContainerWidget* parentWidget)
{
   if (!container)
   {
      WarningPrintf("%s::Init -- unable to allocate the item container\n", TypeNameGet());
      return false;
   }
   container->InitWithoutSpecification("ItemContainer", parentWidget);
   parentWidget->ChildAddLast(container);
   return true;
}

void SelectorWidget::ItemsAddIfGiven(const JSONValue* specification)
{
   const JSONValue* items = specification ? specification->ItemGet("Items") : &JSONValue::nullValue;
   if (items->TypeGet() != JSONValue::TYPE_NULL)
   {
      ItemsAddLast(items);
   }
}

void SelectorWidget::OnMouseScroll(i32 notches)
{
   // Truncated toward zero, so a coefficient below 1 needs more than one notch to move.
   i32 step = -static_cast<i32>(MouseScrollCoefficientGet() * static_cast<float>(notches));
   SelectionStep(step, true);
}
} // namespace Corvale
