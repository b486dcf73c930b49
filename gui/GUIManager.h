// The static centre of the widget toolkit: the root widget and its layers, the widget and
// transition type registries, preloaded layer files, the pointer records and navigators that turn
// input into widget calls each frame, the focus and the chain of removed widgets.
#pragma once

#include "core/Box.h"
#include "core/Map.h"
#include "core/StringHelpers.h"
#include "core/Table.h"
#include "core/Types.h"
#include "platform/input/HoldTracker.h"

namespace Corvale
{
class ContainerWidget;
class JSONValue;
class LayerWidget;
class Widget;
class WidgetTransition;
struct MouseState;

// Makes a constructed, uninitialised widget in the given heap; the type name is not used.
typedef Widget* (*WidgetCreateFunction)(const char* typeName, i32 heapId);
// Makes a transition of the named type for the widget; the specification may be null.
typedef WidgetTransition* (*TransitionCreateFunction)(Widget* widget, const char* typeName,
                                                      const JSONValue* specification, i32 heapId);
// Told once a pushed layer is in place.
typedef void (*LayerPushCallback)(LayerWidget* layer, void* userData);

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

// A layer's widget tree read ahead of its push, shared by every preload of the name.
struct PreloadedLayer
{
   i32 count = 0;
   JSONValue* specification = nullptr;
};

constexpr i32 NAVIGATION_DIRECTION_COUNT = 4;
constexpr i32 NAVIGATOR_COUNT = 4;

// Something that drives navigators the way a keyboard or a pad would: the navigators whose index
// bit is set in navigatorMask read it.
class NavigationSource
{
 public:
   virtual ~NavigationSource() = default;
   virtual void Deinit() {}
   virtual bool ActivateDownCheck() = 0;
   virtual bool DirectionDownCheck(i32 direction) = 0;

   u32 navigatorMask = 0;
};

// Keyboard-style selection for one navigation index; directions 0/1 and 2/3 are opposed pairs.
class Navigator
{
 public:
   Navigator();

   // The direction went down this frame; false for a direction out of range.
   static bool DirectionPressedCheck(Navigator* navigator, i32 direction);

   i32 index = 0;
   u8 activateDown = 0;
   u8 activateWasDown = 0;
   Widget* pressed = nullptr;
   // The last entry is the selected widget.
   List<Widget*> selection;
   u8 directionDown[NAVIGATION_DIRECTION_COUNT] = {};
   u8 directionWasDown[NAVIGATION_DIRECTION_COUNT] = {};
   u8 directionRepeat[NAVIGATION_DIRECTION_COUNT] = {};
   HoldTracker repeatTrackers[NAVIGATION_DIRECTION_COUNT];
};

// The creation function of every widget class that needs nothing but its constructor.
template <class T> Widget* WidgetCreate(const char* typeName, i32 heapId);

class GUIManager
{
 public:
   typedef Map<const char*, WidgetCreateFunction> WidgetTypeMap;
   typedef Map<const char*, TransitionCreateFunction> TransitionTypeMap;
   typedef Map<const char*, PreloadedLayer> PreloadedLayerMap;
   typedef Map<HashedString, i32> LayerNameCountMap;

   static void Init();
   static void Deinit();
   // Once a frame: pointer and navigation input become widget calls, then the tree updates and
   // the widgets removed meanwhile are destroyed.
   static void Update(u32 elapsed);
   // The root's DrawBegin, Draw and DrawEnd.
   static void Draw();

   // Creates the layer, puts it on top and tells it (and then the callback) that it was pushed.
   static bool Push(const char* layerName, LayerPushCallback callback, void* userData);
   // A layer built from its preloaded or on-disk file, not yet added to the root.
   static LayerWidget* LayerCreate(const char* layerName);
   static void Pop();
   static void Remove(const char* layerName);
   // Counted: every Preload needs its UndoPreload.
   static void Preload(const char* layerName);
   static void UndoPreload(const char* layerName);
   // Dotted names, the layer's first.
   static Widget* WidgetGetByPath(const char* path);

   // Live layers per name, kept by the layers themselves.
   static void LayerNameAdd(const char* layerName);
   // True when that was the last live layer of the name.
   static bool LayerNameRelease(const char* layerName);
   static i32 LayerNameCountGet(const char* layerName);

   // A known name gets the new function; otherwise an owned copy of the name is added.
   static void WidgetTypeRegister(const char* typeName, WidgetCreateFunction function);
   static void TransitionTypeRegister(const char* typeName, TransitionCreateFunction function);
   // The built-in names, registered by Init.
   static void WidgetTypesRegister();
   static void TransitionTypesRegister();
   // Null when the name is not registered.
   static WidgetCreateFunction WidgetTypeFind(const char* typeName);
   static TransitionCreateFunction TransitionTypeFind(const char* typeName);
   // Removes every registration and frees the name copies.
   static void TypesClear();
   // Creates the Lua table GUI of the layers' handler tables and binds the Lua GUI functions, by
   // which layer scripts reach widgets by path. Init runs it only while scripting is on.
   static bool LuaFunctionsRegister();

   // No fade is running and no game-state switch is pending.
   static bool InputAllowedCheck();
   // The GUI's screen box follows the screen (window changes call it).
   static void ScreenAreaUpdate();
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
   static u8 progressionsOwned;
   static u8 particlesOwned;
   static u8 scriptingEnabled;
   static Box2F screenArea;
   static u8 screenAreaLocked;
   static i32 transitionsRunning;
   static u32 doubleClickInterval;
   static Widget* focus;
   static Widget* hovered;
   static ContainerWidget* root;
   static Widget* removedChain;
   // Container walks and input dispatch in progress: the removed chain waits until none runs, so
   // that nothing ever meets a widget that was freed under it.
   static i32 walkDepth;
   static LayerNameCountMap layerNameCounts;
   static Table<PointerRecord> pointerRecords;
   static TransitionTypeMap transitionTypes;
   static WidgetTypeMap widgetTypes;
   static PreloadedLayerMap preloadedLayers;
   static Table<NavigationSource*> navigationSources;
   static Table<Navigator*> navigators;

 private:
   static void NavigationInputCollect(Navigator* navigator, u32 elapsed);
   static void PointerRecordUpdate(PointerRecord* record, u32 elapsed);
   static void NavigatorUpdate(Navigator* navigator);
   static void NavigatorSelect(Navigator* navigator, Widget* widget);
   static bool UsableCheck(Widget* widget);
};

template <class T> Widget* WidgetCreate(const char* typeName, i32 heapId)
{
   (void)typeName;
   return MemoryNew<T>(heapId);
}
} // namespace Corvale
