// The GUI manager's static state and the operations that widgets rely on: type registries, the
// removed chain, focus and the pointer records.
#include "gui/GUIManager.h"

#include "core/Log.h"
#include "core/Memory.h"
#include "gui/ContainerWidget.h"
#include "gui/Widget.h"
#include "platform/MouseManager.h"
#include "platform/MouseState.h"

namespace Corvale
{
u8 GUIManager::initialised = 0;
u8 GUIManager::removingWidgets = 0;
u8 GUIManager::scriptingEnabled = 0;
Box2F GUIManager::screenArea{0.0f, 0.0f, 960.0f, 720.0f};
i32 GUIManager::transitionsRunning = 0;
u32 GUIManager::doubleClickInterval = 500;
Widget* GUIManager::focus = nullptr;
Widget* GUIManager::hovered = nullptr;
ContainerWidget* GUIManager::root = nullptr;
Widget* GUIManager::removedChain = nullptr;
i32 GUIManager::walkDepth = 0;
Table<PointerRecord> GUIManager::pointerRecords;
GUIManager::WidgetTypeMap GUIManager::widgetTypes;
GUIManager::TransitionTypeMap GUIManager::transitionTypes;

namespace
{
template <class F> void TypeRegister(Map<const char*, F>* map, const char* typeName, F function)
{
   if (!typeName)
   {
      return;
   }
   typename Map<const char*, F>::Node* node = map->Find(typeName);
   if (node != map->End())
   {
      node->value = function;
      return;
   }
   char* copy = StringDuplicate(typeName, HEAP_DEFAULT);
   if (!copy)
   {
      WarningPrintf("GUIManager::TypeRegister -- unable to copy the type name \"%s\"\n", typeName);
      return;
   }
   if (!map->Insert(copy, function))
   {
      WarningPrintf("GUIManager::TypeRegister -- unable to register the type \"%s\"\n", typeName);
      MemoryFree(copy);
   }
}

template <class F> F TypeFind(Map<const char*, F>* map, const char* typeName)
{
   if (!typeName)
   {
      return nullptr;
   }
   typename Map<const char*, F>::Node* node = map->Find(typeName);
   return node != map->End() ? node->value : nullptr;
}

template <class F> void TypesRelease(Map<const char*, F>* map)
{
   for (typename Map<const char*, F>::Node* node = map->First(); node != map->End(); node = map->Next(node))
   {
      MemoryFree(const_cast<char*>(node->key));
   }
   map->Clear();
}
} // namespace

void GUIManager::WidgetTypeRegister(const char* typeName, WidgetCreateFunction function)
{
   TypeRegister(&widgetTypes, typeName, function);
}

void GUIManager::TransitionTypeRegister(const char* typeName, TransitionCreateFunction function)
{
   TypeRegister(&transitionTypes, typeName, function);
}

WidgetCreateFunction GUIManager::WidgetTypeFind(const char* typeName)
{
   return TypeFind(&widgetTypes, typeName);
}

TransitionCreateFunction GUIManager::TransitionTypeFind(const char* typeName)
{
   return TypeFind(&transitionTypes, typeName);
}

void GUIManager::TypesClear()
{
   TypesRelease(&widgetTypes);
   TypesRelease(&transitionTypes);
}

bool GUIManager::InputAllowedCheck()
{
   // The fade overlay and the game-state manager report here once they exist; until then
   // nothing can hold input back.
   return true;
}

void GUIManager::WidgetReferencesClear(Widget* widget)
{
   if (!widget || !initialised)
   {
      return;
   }
   widget->nextRemoved = removedChain;
   removedChain = widget;
   widget->RemovedSet();
   for (i32 i = 0; i < pointerRecords.count; i++)
   {
      PointerRecord& record = pointerRecords[i];
      if (record.pressed == widget)
      {
         record.pressed = nullptr;
      }
      if (record.hovered == widget)
      {
         record.hovered = nullptr;
      }
      if (record.clicked == widget)
      {
         record.clicked = nullptr;
      }
      if (record.rightPressed == widget)
      {
         record.rightPressed = nullptr;
      }
   }
   if (focus == widget)
   {
      focus = nullptr;
   }
   if (hovered == widget)
   {
      hovered = nullptr;
   }
}

void GUIManager::RemovedWidgetsDestroy()
{
   if (!initialised || removingWidgets || walkDepth > 0)
   {
      return;
   }
   removingWidgets = 1;
   while (removedChain)
   {
      Widget* widget = removedChain;
      removedChain = widget->nextRemoved;
      bool destroy = widget->DeleteOnRemoveCheck();
      widget->Deinit();
      if (destroy)
      {
         MemoryDelete(widget);
      }
   }
   removingWidgets = 0;
}

void GUIManager::FocusSet(Widget* widget)
{
   if (!initialised)
   {
      return;
   }
   Widget* target = widget ? widget->FocusTargetGet() : nullptr;
   if (target == focus)
   {
      return;
   }
   if (focus)
   {
      focus->OnFocusLose();
   }
   focus = target;
   if (target)
   {
      target->OnFocusGain();
   }
}

Widget* GUIManager::WidgetUnderPointerGet(MouseState* pointer)
{
   if (!pointer || !pointer->present)
   {
      return nullptr;
   }
   for (i32 i = 0; i < pointerRecords.count; i++)
   {
      if (pointerRecords[i].mouseState == pointer)
      {
         return pointerRecords[i].hovered;
      }
   }
   return nullptr;
}

void GUIManager::PointerRecordsReset()
{
   pointerRecords.SizeSet(0);
   PointerRecord record;
   record.mouseState = &mouseStateSystem;
   pointerRecords.Insert(record, pointerRecords.count);
   if (root)
   {
      root->PressRecordsClear();
   }
}
} // namespace Corvale
