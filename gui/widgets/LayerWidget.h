// The root widget of one GUI layer: built from the layer's folder (its sprite file and widget
// tree), it can shut off the layers below it and tells its owner when it is pushed and each frame.
#pragma once

#include "gui/widgets/ContainerWidget.h"
#include "gui/GUIManager.h"

namespace Corvale
{
class LayerWidget;

// Called at the end of every update of the layer.
typedef void (*LayerUpdateCallback)(u32 elapsed, LayerWidget* layer, void* userData);

class LayerWidget : public ContainerWidget
{
 public:
   LayerWidget() = default;

   // Loads "<folder>/Sprites" and builds the tree from the specification, or from
   // "<folder>/Widgets" without one; false when that file can't be read (the layer stays empty).
   virtual bool InitFromFolder(const char* layerName, Widget* parentWidget, const char* folder,
                               const JSONValue* specification);
   // The layer is in place: the push callback runs.
   virtual void OnInit();
   virtual void OnMouseUp();
   virtual bool DisableLayersBelowGet() { return disableLayersBelow != 0; }

   void Deinit() override;
   void Update(u32 elapsed) override;
   // Also false while a later sibling layer shuts off the layers below it.
   bool EnabledCheck() override;
   const char* TypeNameGet() override { return "LayerWidget"; }
   void OnRemoveBegin() override;
   bool LuaEventsEnabledCheck() override { return true; }

   // "GUI/<name>/Widgets.json" is found along the graphics paths.
   static bool SpecificationExistsCheck(const char* layerName);

   u8 nameRegistered = 0;
   u8 disableLayersBelow = 1;
   LayerPushCallback pushCallback = nullptr;
   void* pushUserData = nullptr;
   LayerUpdateCallback updateCallback = nullptr;
   void* updateUserData = nullptr;
   // This layer holds a reference and a preload on its sprite resource file.
   u8 spritesLoaded = 0;
};
} // namespace Corvale
