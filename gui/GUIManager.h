// The static centre of the widget toolkit: the GUI's screen box, the count of running transitions,
// the widget and transition type registries, the pointer records, the focus and the removed chain.
#pragma once

#include "core/Box.h"
#include "core/Map.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class ContainerWidget;
class JSONValue;
class Widget;
class WidgetTransition;
struct MouseState;

// Makes a constructed, uninitialised widget in the given heap; the type name is not used.
typedef Widget* (*WidgetCreateFunction)(const char* typeName, i32 heapId);
// Makes a transition of the named type for the widget; the specification may be null.
typedef WidgetTransition* (*TransitionCreateFunction)(Widget* widget, const char* typeName,
                                                      const JSONValue* specification, i32 heapId);

// The input state of one pointer.
struct PointerRecord
{
   MouseState* mouseState = nullptr;
   Widget* pressed = nullptr;
   Widget* hovered = nullptr;
   Widget* clicked = nullptr;
   u32 doubleClickTimer = 0;
   Widget* rightPressed = nullptr;
};

// The creation function of every widget class that needs nothing but its constructor.
template <class T> Widget* WidgetCreate(const char* typeName, i32 heapId);

class GUIManager
{
 public:
   typedef Map<const char*, WidgetCreateFunction> WidgetTypeMap;
   typedef Map<const char*, TransitionCreateFunction> TransitionTypeMap;

   // A known name gets the new function; otherwise an owned copy of the name is added.
   static void WidgetTypeRegister(const char* typeName, WidgetCreateFunction function);
   static void TransitionTypeRegister(const char* typeName, TransitionCreateFunction function);
   // Null when the name is not registered.
   static WidgetCreateFunction WidgetTypeFind(const char* typeName);
   static TransitionCreateFunction TransitionTypeFind(const char* typeName);
   // Removes every registration and frees the name copies.
   static void TypesClear();

   // No fade is running and no game-state switch is pending.
   static bool InputAllowedCheck();
   // Queues the widget for destruction and forgets every reference the manager holds to it.
   static void WidgetReferencesClear(Widget* widget);
   // Deinitialises (and, where they ask for it, destroys) every widget on the removed chain.
   static void RemovedWidgetsDestroy();
   static void FocusSet(Widget* widget);
   // The widget hovered by the record that follows this pointer; null when none follows it or it
   // is not present.
   static Widget* WidgetUnderPointerGet(MouseState* pointer);
   // One record, for the system pointer, and the root's press records cleared.
   static void PointerRecordsReset();

   static u8 initialised;
   static u8 removingWidgets;
   static u8 scriptingEnabled;
   static Box2F screenArea;
   static i32 transitionsRunning;
   static u32 doubleClickInterval;
   static Widget* focus;
   static Widget* hovered;
   static ContainerWidget* root;
   static Widget* removedChain;
   // Container walks in progress: the removed chain waits until none runs, so that a walk never
   // meets a child that was freed under it.
   static i32 walkDepth;
   static Table<PointerRecord> pointerRecords;
   static WidgetTypeMap widgetTypes;
   static TransitionTypeMap transitionTypes;
};

template <class T> Widget* WidgetCreate(const char* typeName, i32 heapId)
{
   (void)typeName;
   return MemoryNew<T>(heapId);
}
} // namespace Corvale
