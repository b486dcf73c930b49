// The GUI manager: start-up and shutdown of the toolkit, the layer stack under the root widget,
// preloaded layer files, the type registries, and the per-frame routing of pointer and navigation
// input to widgets.
#include "gui/GUIManager.h"

#include "core/Event.h"
#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ProgressionManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/DropDownListWidget.h"
#include "gui/widgets/KeyboardWidget.h"
#include "gui/state/FadeManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/IncrementalNumberLabelWidget.h"
#include "gui/widgets/ItemListSelectorWidget.h"
#include "gui/widgets/JSONEditorWidget.h"
#include "gui/widgets/JoystickWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/LinearSelectorWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/ParticleEffectWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/ProgressBarWidget.h"
#include "gui/widgets/RadioButtonWidget.h"
#include "gui/widgets/RingSelectorWidget.h"
#include "gui/widgets/ScreenFillSpriteWidget.h"
#include "gui/widgets/ScrollBoxWidget.h"
#include "gui/widgets/SliderWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TableColumnTitleButtonWidget.h"
#include "gui/widgets/TableWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "gui/widgets/TextEntryWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"
#include "gui/widgets/Widget.h"
#include "gui/transitions/WidgetTransitionLinear.h"
#include "gui/transitions/WidgetTransitionTranslate.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/particle/ParticleManager2D.h"
#include "platform/window/Screen.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
namespace
{
bool LayerNameLess(const HashedString* a, const HashedString* b)
{
   return HashedStringLess(*a, *b);
}
} // namespace

u8 GUIManager::initialised = 0;
u8 GUIManager::removingWidgets = 0;
u8 GUIManager::progressionsOwned = 0;
u8 GUIManager::particlesOwned = 0;
u8 GUIManager::scriptingEnabled = 0;
Box2F GUIManager::screenArea{0.0f, 0.0f, 960.0f, 720.0f};
u8 GUIManager::screenAreaLocked = 0;
i32 GUIManager::transitionsRunning = 0;
u32 GUIManager::doubleClickInterval = 500;
Widget* GUIManager::focus = nullptr;
Widget* GUIManager::hovered = nullptr;
ContainerWidget* GUIManager::root = nullptr;
Widget* GUIManager::removedChain = nullptr;
i32 GUIManager::walkDepth = 0;
GUIManager::LayerNameCountMap GUIManager::layerNameCounts(&LayerNameLess, nullptr);
Table<PointerRecord> GUIManager::pointerRecords;
GUIManager::TransitionTypeMap GUIManager::transitionTypes;
GUIManager::WidgetTypeMap GUIManager::widgetTypes;
GUIManager::PreloadedLayerMap GUIManager::preloadedLayers;
Table<NavigationSource*> GUIManager::navigationSources;
Table<Navigator*> GUIManager::navigators;

constexpr u32 LAYER_PATH_SIZE = 260;

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

namespace
{
// The event registrations need an owner object; the manager's state is static, so this stands in.
class GUIManagerEvents
{
 public:
   void LanguageChanged()
   {
      if (GUIManager::initialised && GUIManager::root)
      {
         GUIManager::root->TextsRefresh();
      }
   }
   void GameStateDeinitialised() { GUIManager::RemovedWidgetsDestroy(); }
   void WindowChanged()
   {
      if (!GUIManager::screenAreaLocked)
      {
         GUIManager::ScreenAreaUpdate();
      }
   }
};
GUIManagerEvents guiManagerEvents;

// Holds destruction of removed widgets back while the dispatch still holds raw pointers to them.
struct DestructionHold
{
   DestructionHold() { GUIManager::walkDepth++; }
   ~DestructionHold() { GUIManager::walkDepth--; }
};
} // namespace

Navigator::Navigator()
{
   selection.allocator = allocatorDefault;
   for (HoldTracker& tracker : repeatTrackers)
   {
      tracker.holding = false;
      tracker.fireOnStart = false;
      tracker.remaining = 500;
      tracker.startDelay = 500;
      tracker.interval = 100;
      tracker.count = 0;
   }
}

bool Navigator::DirectionPressedCheck(Navigator* navigator, i32 direction)
{
   if (!navigator || direction < 0 || direction >= NAVIGATION_DIRECTION_COUNT)
   {
      return false;
   }
   return navigator->directionDown[direction] && !navigator->directionWasDown[direction];
}

void GUIManager::TransitionTypesRegister()
{
   for (const char* movement :
        {"FromLeft", "FromRight", "FromTop", "FromBottom", "ToLeft", "ToRight", "ToTop", "ToBottom"})
   {
      TransitionTypeRegister(movement, &WidgetTransitionTranslate::Create);
   }
   TransitionTypeRegister("Linear", &WidgetTransitionLinear::Create);
}

void GUIManager::WidgetTypesRegister()
{
   // In the order of the built-in table; a type whose class has not landed yet is named in a
   // comment at its place, to be registered there when it does.
   WidgetTypeRegister("Container", &WidgetCreate<ContainerWidget>);
   DropDownListWidget::TypeRegister();
   LabelWidget::TypeRegister();
   NumberLabelWidget::TypeRegister();
   ParticleEffectWidget::TypeRegister();
   PressButtonWidget::TypeRegister();
   ProgressBarWidget::TypeRegister();
   RadioButtonContainerWidget::TypeRegister();
   RadioButtonWidget::TypeRegister();
   RingSelectorWidget::TypeRegister();
   ScrollBoxWidget::TypeRegister();
   SliderWidget::TypeRegister();
   WidgetTypeRegister("Sprite", &WidgetCreate<SpriteWidget>);
   StateContainerWidget::TypeRegister();
   TableColumnTitleButtonWidget::TypeRegister();
   TableWidget::TypeRegister();
   TextDocumentWidget::TypeRegister();
   TextEntryWidget::TypeRegister();
   ToggleButtonWidget::TypeRegister();
   KeyboardWidget::TypeRegister();
   JoystickWidget::TypeRegister();
   ScreenFillSpriteWidget::TypeRegister();
   IncrementalNumberLabelWidget::TypeRegister();
   ItemListSelectorWidget::TypeRegister();
   JSONEditorWidget::TypeRegister();
   LinearSelectorWidget::TypeRegister();
}

void GUIManager::Init()
{
   if (initialised)
   {
      return;
   }
   scriptingEnabled = 0;
   doubleClickInterval = 500;
   root = nullptr;
   pointerRecords = Table<PointerRecord>(allocatorDefault);
   pointerRecords.Reserve(8);
   PointerRecordsReset();

   navigators = Table<Navigator*>(allocatorDefault);
   navigators.Reserve(NAVIGATOR_COUNT);
   for (i32 i = 0; i < NAVIGATOR_COUNT; i++)
   {
      Navigator* navigator = MemoryNew<Navigator>(HEAP_DEFAULT);
      if (!navigator)
      {
         WarningPrintf("GUIManager::Init -- unable to allocate navigator %d\n", i);
         continue;
      }
      navigator->index = i;
      if (!navigator->selection.PushBack(nullptr) || !navigators.Insert(navigator, navigators.count))
      {
         WarningPrintf("GUIManager::Init -- unable to set up navigator %d\n", i);
         MemoryDelete(navigator);
      }
   }

   navigationSources = Table<NavigationSource*>(allocatorDefault);
   transitionTypes.allocator = allocatorHeaps[HEAP_DEFAULT];
   widgetTypes.allocator = allocatorHeaps[HEAP_DEFAULT];
   preloadedLayers.allocator = allocatorHeaps[HEAP_DEFAULT];

   focus = nullptr;
   hovered = nullptr;
   removedChain = nullptr;
   removingWidgets = 0;

   ScreenAreaUpdate();
   layerNameCounts.allocator = allocatorHeaps[HEAP_DEFAULT];
   // Before the root exists, so that its handler table finds the table GUI.
   if (scriptingEnabled)
   {
      LuaFunctionsRegister();
   }

   ContainerWidget* rootWidget = MemoryNew<ContainerWidget>(HEAP_DEFAULT);
   if (rootWidget)
   {
      rootWidget->InitWithoutSpecification("RootWidget", nullptr);
      rootWidget->BoundsSet(Box2F{0.0f, 0.0f, static_cast<float>(screen.virtualWidth),
                                  static_cast<float>(screen.virtualHeight)});
      rootWidget->CanHaveFocusSet(true);
      root = rootWidget;
   }
   else
   {
      WarningPrintf("GUIManager::Init -- unable to allocate the root widget\n");
   }

   // Whoever started a manager first shuts it down: the GUI only when it was the one.
   if (!ProgressionManager::InitialisedCheck())
   {
      ProgressionManager::Init();
      progressionsOwned = 1;
   }
   if (!ParticleManager2D::InitialisedCheck())
   {
      ParticleManager2D::Init();
      particlesOwned = 1;
   }

   TransitionTypesRegister();
   WidgetTypesRegister();

   EventMethodRegister(&guiManagerEvents, "OnLanguageChange", &GUIManagerEvents::LanguageChanged, 0);
   EventMethodRegister(&guiManagerEvents, "GameStatePostDeinit", &GUIManagerEvents::GameStateDeinitialised,
                       0);
   EventMethodRegister(&guiManagerEvents, "OnWindowChange", &GUIManagerEvents::WindowChanged, 0);

   initialised = 1;
}

void GUIManager::Deinit()
{
   if (!initialised)
   {
      return;
   }
   Event::OwnerUnregister(&guiManagerEvents);
   if (root)
   {
      WidgetReferencesClear(root);
      root = nullptr;
   }
   RemovedWidgetsDestroy();
   removedChain = nullptr;

   // Every layer gave its name back in its Deinit; whatever is left still owns a name copy.
   for (LayerNameCountMap::Node* node = layerNameCounts.First(); node != layerNameCounts.End();
        node = layerNameCounts.Next(node))
   {
      MemoryFree(const_cast<char*>(node->key.text));
   }
   layerNameCounts.Clear();
   pointerRecords = Table<PointerRecord>();

   for (i32 i = 0; i < navigationSources.count; i++)
   {
      navigationSources[i]->Deinit();
      MemoryDelete(navigationSources[i]);
   }
   navigationSources = Table<NavigationSource*>();

   for (i32 i = 0; i < navigators.count; i++)
   {
      Navigator* navigator = navigators[i];
      navigator->selection.Clear();
      navigator->selection.NodePoolSizeSet(0);
      navigator->pressed = nullptr;
      MemoryDelete(navigator);
   }
   navigators = Table<Navigator*>();

   // Undoing a preload removes its entry, so take the first entry each time.
   while (preloadedLayers.count > 0)
   {
      PreloadedLayerMap::Node* node = preloadedLayers.First();
      const char* name = node->key;
      for (i32 n = node->value.count; n > 0; n--)
      {
         UndoPreload(name);
      }
   }
   layerNameCounts.NodePoolSizeSet(0);
   preloadedLayers.NodePoolSizeSet(0);

   if (progressionsOwned)
   {
      progressionsOwned = 0;
      ProgressionManager::Deinit();
   }
   if (particlesOwned)
   {
      particlesOwned = 0;
      ParticleManager2D::Deinit();
   }

   TypesClear();
   transitionTypes.NodePoolSizeSet(0);
   widgetTypes.NodePoolSizeSet(0);
   focus = nullptr;
   hovered = nullptr;
   initialised = 0;
}

void GUIManager::Draw()
{
   if (!initialised || !root)
   {
      return;
   }
   root->DrawBegin();
   root->Draw();
   root->DrawEnd();
}

bool GUIManager::Push(const char* layerName, LayerPushCallback callback, void* userData)
{
   if (!initialised || !root)
   {
      return false;
   }
   LayerWidget* layer = LayerCreate(layerName);
   if (!layer)
   {
      WarningPrintf("GUIManager::Push -- GUI layer not found: \"%s\"\n", layerName ? layerName : "");
      return false;
   }
   root->ChildAddLast(layer);
   layer->pushCallback = callback;
   layer->pushUserData = userData;
   layer->OnInit();
   return true;
}

LayerWidget* GUIManager::LayerCreate(const char* layerName)
{
   if (!initialised || !layerName)
   {
      return nullptr;
   }
   const JSONValue* specification = nullptr;
   PreloadedLayerMap::Node* node = preloadedLayers.Find(layerName);
   if (node != preloadedLayers.End())
   {
      specification = node->value.specification;
   }
   else if (!LayerWidget::SpecificationExistsCheck(layerName))
   {
      return nullptr;
   }
   char folder[FILE_PATH_SIZE];
   if (!NultSnprintf(folder, sizeof(folder), "GUI/%s", layerName))
   {
      return nullptr;
   }
   LayerWidget* layer = MemoryNew<LayerWidget>(HEAP_DEFAULT);
   if (!layer)
   {
      WarningPrintf("GUIManager::LayerCreate -- unable to allocate the layer \"%s\"\n", layerName);
      return nullptr;
   }
   if (!layer->InitFromFolder(layerName, root, folder, specification))
   {
      // A layer file that doesn't parse gives no layer: an empty one would still shut off every
      // layer below it.
      layer->Deinit();
      MemoryDelete(layer);
      return nullptr;
   }
   return layer;
}

void GUIManager::Pop()
{
   if (initialised && root)
   {
      root->ChildRemoveLast();
   }
}

void GUIManager::Remove(const char* layerName)
{
   if (initialised && root && layerName)
   {
      root->ChildRemove(layerName);
   }
}

void GUIManager::Preload(const char* layerName)
{
   if (!layerName)
   {
      return;
   }
   PreloadedLayerMap::Node* node = preloadedLayers.Find(layerName);
   if (node != preloadedLayers.End())
   {
      node->value.count++;
      return;
   }
   char folder[LAYER_PATH_SIZE];
   char widgets[LAYER_PATH_SIZE];
   NultSnprintf(folder, sizeof(folder), "GUI/%s", layerName);
   NultSnprintf(widgets, sizeof(widgets), "%s/Widgets", folder);
   if (!JSONParser::GraphicsPathExistsCheck(widgets))
   {
      WarningPrintf("GUIManager::Preload -- GUI layer specification file not found: \"%s\"\n", widgets);
      return;
   }
   char* copy = StringDuplicate(layerName, HEAP_DEFAULT);
   if (!copy)
   {
      WarningPrintf("GUIManager::Preload -- unable to copy the layer name \"%s\"\n", layerName);
      return;
   }
   JSONParser parser;
   JSONValue* specification = parser.GraphicsPathLoad(widgets, fileManagerResource);
   if (!specification)
   {
      WarningPrintf("GUIManager::Preload -- failed to load GUI layer specification file: \"%s\"\n", widgets);
      MemoryFree(copy);
      return;
   }
   PreloadedLayer entry;
   entry.count = 1;
   entry.specification = specification;
   if (!preloadedLayers.Insert(copy, entry))
   {
      WarningPrintf("GUIManager::Preload -- unable to record the layer \"%s\"\n", layerName);
      MemoryDelete(specification);
      MemoryFree(copy);
      return;
   }
   char sprites[LAYER_PATH_SIZE];
   NultSnprintf(sprites, sizeof(sprites), "%s/Sprites", folder);
   SpriteManager::ResourceFileLoad(sprites);
   SpriteResourceFile* file = SpriteManager::ResourceFileGet(sprites);
   if (file)
   {
      file->Preload();
   }
}

void GUIManager::UndoPreload(const char* layerName)
{
   if (!layerName)
   {
      return;
   }
   PreloadedLayerMap::Node* node = preloadedLayers.Find(layerName);
   if (node == preloadedLayers.End())
   {
      return;
   }
   if (--node->value.count >= 1)
   {
      return;
   }
   MemoryDelete(node->value.specification);
   char* copy = const_cast<char*>(node->key);
   // The key is our copy, still needed by the removal itself.
   preloadedLayers.Remove(copy);
   char sprites[LAYER_PATH_SIZE];
   NultSnprintf(sprites, sizeof(sprites), "GUI/%s/Sprites", copy);
   MemoryFree(copy);
   SpriteManager::UndoPreload(sprites);
}

Widget* GUIManager::WidgetGetByPath(const char* path)
{
   if (!initialised || !root || !path)
   {
      return nullptr;
   }
   return root->DescendantGetByPath(path);
}

void GUIManager::LayerNameAdd(const char* layerName)
{
   if (!layerName)
   {
      return;
   }
   HashedString key{StringCRC32(layerName), layerName};
   LayerNameCountMap::Node* node = layerNameCounts.Find(key);
   if (node != layerNameCounts.End())
   {
      node->value++;
      return;
   }
   char* copy = StringDuplicate(layerName, HEAP_DEFAULT);
   if (!copy)
   {
      WarningPrintf("GUIManager::LayerNameAdd -- unable to copy the layer name \"%s\"\n", layerName);
      return;
   }
   key.text = copy;
   if (!layerNameCounts.Insert(key, 1))
   {
      WarningPrintf("GUIManager::LayerNameAdd -- unable to count the layer \"%s\"\n", layerName);
      MemoryFree(copy);
   }
}

bool GUIManager::LayerNameRelease(const char* layerName)
{
   if (!layerName)
   {
      return false;
   }
   HashedString key{StringCRC32(layerName), layerName};
   LayerNameCountMap::Node* node = layerNameCounts.Find(key);
   if (node == layerNameCounts.End())
   {
      return false;
   }
   if (--node->value > 0)
   {
      return false;
   }
   char* copy = const_cast<char*>(node->key.text);
   layerNameCounts.Remove(key);
   MemoryFree(copy);
   return true;
}

i32 GUIManager::LayerNameCountGet(const char* layerName)
{
   if (!layerName)
   {
      return 0;
   }
   LayerNameCountMap::Node* node = layerNameCounts.Find(HashedString{StringCRC32(layerName), layerName});
   return node != layerNameCounts.End() ? node->value : 0;
}

bool GUIManager::InputAllowedCheck()
{
   return !FadeManager::fading && !GameStateManager::switchPending;
}

void GUIManager::ScreenAreaUpdate()
{
   screenAreaLocked = 0;
   screenArea = ScreenCoverAreaGet();
   if (root)
   {
      root->TransitionsApply();
   }
}

bool GUIManager::UsableCheck(Widget* widget)
{
   return widget && widget->InputAcceptableCheck();
}

void GUIManager::Update(u32 elapsed)
{
   if (!initialised)
   {
      return;
   }
   {
      DestructionHold hold;
      for (i32 i = 0; i < navigators.count; i++)
      {
         NavigationInputCollect(navigators[i], elapsed);
      }
      for (i32 i = 0; i < pointerRecords.count; i++)
      {
         PointerRecordUpdate(&pointerRecords[i], elapsed);
      }
      for (i32 i = 0; i < navigators.count; i++)
      {
         NavigatorUpdate(navigators[i]);
      }
      hovered = nullptr;
      if (root)
      {
         root->Update(elapsed);
      }
   }
   RemovedWidgetsDestroy();
}

void GUIManager::PointerRecordUpdate(PointerRecord* r, u32 elapsed)
{
   MouseState* p = r->mouseState;
   bool present = p && p->present;
   r->doubleClickTimer = elapsed >= r->doubleClickTimer ? 0 : r->doubleClickTimer - elapsed;

   if (!UsableCheck(r->pressed))
   {
      r->pressed = nullptr;
   }
   if (!UsableCheck(r->clicked))
   {
      r->clicked = nullptr;
   }
   if (!UsableCheck(r->rightPressed))
   {
      r->rightPressed = nullptr;
   }

   Widget* hit = nullptr;
   if (present && InputAllowedCheck() && root)
   {
      hit = root->WidgetAtPointGet(Point2F{static_cast<float>(p->x), static_cast<float>(p->y)});
      if (hit && hit->TransitionActiveCheck())
      {
         hit = nullptr;
      }
   }
   hovered = hit;
   const bool hitFound = hit != nullptr;
   // A callback may remove the widget under the pointer (a click that closes its own layer):
   // from then on this frame's input is not its to have.
   auto hitAlive = [&hit]()
   {
      if (hit && hit->removed)
      {
         hit = nullptr;
      }
      return hit != nullptr;
   };

   Widget* old = r->hovered;
   r->hovered = hit;
   if (old != hit)
   {
      if (old)
      {
         old->OnMouseOut();
      }
      if (hitAlive())
      {
         hit->OnMouseOver();
      }
   }

   if (present && p->wheel != 0 && r->hovered)
   {
      Widget* w = r->hovered;
      while (w && !w->MouseScrollTargetCheck())
      {
         if (!w->MouseScrollEnabledGet())
         {
            break;
         }
         w = w->ParentGet();
      }
      if (w && w->MouseScrollEnabledGet())
      {
         w->OnMouseScroll(p->wheel);
      }
   }

   const bool leftPressed = present && p->PressedCheck(MOUSE_BUTTON_LEFT);
   const bool leftReleased = present && p->ReleasedCheck(MOUSE_BUTTON_LEFT);
   const bool rightPressed = present && p->PressedCheck(MOUSE_BUTTON_RIGHT);
   const bool rightReleased = present && p->ReleasedCheck(MOUSE_BUTTON_RIGHT);

   if (hitAlive())
   {
      if (leftReleased)
      {
         hit->OnRelease();
         if (hitAlive() && r->pressed == hit)
         {
            r->clicked = hit;
            hit->OnClick();
         }
      }
      else if (leftPressed)
      {
         bool twice = false;
         if (r->doubleClickTimer == 0)
         {
            r->doubleClickTimer = doubleClickInterval;
         }
         else if (r->clicked == hit)
         {
            r->doubleClickTimer = 0;
            twice = true;
         }
         else
         {
            r->doubleClickTimer = doubleClickInterval;
         }
         r->pressed = hit;
         hit->doubleClick = twice ? 1 : 0;
         FocusSet(hit);
         if (r->pressed)
         {
            r->pressed->leftPressRecord = r;
            r->pressed->OnPress();
            if (twice && r->pressed && UsableCheck(r->pressed))
            {
               r->pressed->OnDoubleClick();
            }
         }
      }
   }

   if (hitAlive())
   {
      if (rightReleased)
      {
         hit->OnRightRelease();
         if (hitAlive() && r->rightPressed == hit)
         {
            hit->OnRightClick();
         }
      }
      else if (rightPressed)
      {
         r->rightPressed = hit;
         FocusSet(hit);
         if (r->rightPressed)
         {
            r->rightPressed->rightPressRecord = r;
            r->rightPressed->OnRightPress();
         }
      }
   }

   if (!hitFound)
   {
      if (leftPressed)
      {
         r->pressed = nullptr;
         r->clicked = nullptr;
      }
      if (rightPressed)
      {
         r->rightPressed = nullptr;
      }
   }

   if (!present)
   {
      r->pressed = nullptr;
      r->hovered = nullptr;
      r->clicked = nullptr;
      r->rightPressed = nullptr;
   }

   if (!UsableCheck(r->pressed))
   {
      r->pressed = nullptr;
   }
   if (!UsableCheck(r->hovered))
   {
      r->hovered = nullptr;
   }
   if (!UsableCheck(r->clicked))
   {
      r->clicked = nullptr;
   }
   if (!UsableCheck(r->rightPressed))
   {
      r->rightPressed = nullptr;
   }
}

void GUIManager::NavigationInputCollect(Navigator* n, u32 elapsed)
{
   n->activateWasDown = n->activateDown;
   u8 down[NAVIGATION_DIRECTION_COUNT] = {};
   for (i32 d = 0; d < NAVIGATION_DIRECTION_COUNT; d++)
   {
      n->directionWasDown[d] = n->directionDown[d];
   }
   n->activateDown = 0;
   if (n->index >= 0 && n->index < NAVIGATOR_COUNT)
   {
      for (i32 i = 0; i < navigationSources.count; i++)
      {
         NavigationSource* source = navigationSources[i];
         if (!(source->navigatorMask & (1u << n->index)))
         {
            continue;
         }
         if (source->ActivateDownCheck())
         {
            n->activateDown = 1;
         }
         for (i32 d = 0; d < NAVIGATION_DIRECTION_COUNT; d++)
         {
            if (source->DirectionDownCheck(d))
            {
               down[d] = 1;
            }
         }
      }
   }
   // Opposite directions held together cancel out.
   for (i32 d = 0; d < NAVIGATION_DIRECTION_COUNT; d += 2)
   {
      if (down[d] && down[d + 1])
      {
         down[d] = 0;
         down[d + 1] = 0;
      }
   }
   for (i32 d = 0; d < NAVIGATION_DIRECTION_COUNT; d++)
   {
      n->directionDown[d] = down[d];
      n->directionRepeat[d] = n->repeatTrackers[d].Step(down[d] != 0, elapsed) ? 1 : 0;
   }
}

void GUIManager::NavigatorSelect(Navigator* n, Widget* widget)
{
   if (n->selection.count == 0)
   {
      return;
   }
   List<Widget*>::Node* last = n->selection.End()->previous;
   if (last->value == widget)
   {
      return;
   }
   last->value = widget;
   if (widget)
   {
      widget->OnNavigationSelect(true);
   }
}

void GUIManager::NavigatorUpdate(Navigator* n)
{
   if (!UsableCheck(n->pressed))
   {
      n->pressed = nullptr;
   }
   if (!InputAllowedCheck())
   {
      return;
   }
   Widget* s = n->selection.count > 0 ? n->selection.End()->previous->value : nullptr;
   if (s && s->EnabledCheck() && s->VisibleCheck() && !s->TransitionActiveCheck())
   {
      if (n->activateDown && !n->activateWasDown)
      {
         n->pressed = s;
         s->OnNavigationPress();
         return;
      }
      if (n->activateWasDown && !n->activateDown)
      {
         s->OnNavigationRelease();
         if (n->selection.count > 0)
         {
            Widget* last = n->selection.End()->previous->value;
            if (last && last == n->pressed && UsableCheck(last))
            {
               last->OnNavigationClick();
            }
         }
         return;
      }
      i32 direction = -1;
      for (i32 d = 0; d < NAVIGATION_DIRECTION_COUNT; d++)
      {
         if ((n->directionDown[d] && !n->directionWasDown[d]) || n->directionRepeat[d])
         {
            direction = d;
            break;
         }
      }
      if (direction < 0 || !UsableCheck(s))
      {
         return;
      }
      Widget* w = s;
      for (i32 step = 0; step < 256; step++)
      {
         w = w->NeighbourGet(direction);
         if (!w || w == s)
         {
            break;
         }
         if (w->EnabledCheck())
         {
            NavigatorSelect(n, w);
            break;
         }
      }
      return;
   }
   if (n->activateDown && !n->activateWasDown)
   {
      n->pressed = nullptr;
   }
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
   for (i32 i = 0; i < navigators.count; i++)
   {
      Navigator* navigator = navigators[i];
      for (List<Widget*>::Node* node = navigator->selection.First(); node != navigator->selection.End();
           node = node->next)
      {
         if (node->value == widget)
         {
            node->value = nullptr;
         }
      }
      if (navigator->pressed == widget)
      {
         navigator->pressed = nullptr;
      }
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
