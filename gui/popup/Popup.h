// The protocol every popup follows: it pushes its own GUI layer, wires it, plays an enter
// transition, and on closing plays an exit transition and leaves once no transition runs.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class LayerWidget;

constexpr u32 POPUP_NAME_SIZE = 128;

class Popup
{
 public:
   Popup() = default;
   // Popups are freed through their own class, whatever the pointer says.
   virtual ~Popup() = default;

   // Pushes the layer (when the popup has one) and starts its enter transition.
   virtual void Open();
   // Wires the widgets of the freshly pushed layer.
   virtual void LayerInit(LayerWidget* pushedLayer) = 0;
   // Takes the layer out of the tree.
   virtual void Deinit();
   // While closing: leaves as soon as no widget transition runs any more.
   virtual void Update(u32 elapsed);
   // With the transition the popup leaves later, from Update; without it leaves now.
   virtual void Close(bool withTransition);
   // From the close request until the popup is gone.
   virtual bool ClosingCheck();
   // The language changed: popups that show texts they made themselves rebuild them.
   virtual void TextsRefresh() {}

   // The push callback handed to the GUI manager; the user data is the popup.
   static void OnLayerPush(LayerWidget* pushedLayer, void* popup);

   u8 closing = 0;
   u8 heapOwned = 0;
   LayerWidget* layer = nullptr;
   u8 removalPending = 0;
   char layerName[POPUP_NAME_SIZE] = {};
   char enterTransition[POPUP_NAME_SIZE] = {};
   char exitTransition[POPUP_NAME_SIZE] = {};
   u8 hasLayer = 0;
   u8 customEnter = 0;
   u8 customExit = 0;
};
} // namespace Corvale
