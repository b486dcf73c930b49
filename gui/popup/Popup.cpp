// The popup life: open with the layer's enter transition, close through the exit transition.
#include "gui/popup/Popup.h"

#include "gui/GUIManager.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/popup/PopupManager.h"

namespace Corvale
{
void Popup::Open()
{
   closing = 0;
   removalPending = 0;
   if (hasLayer)
   {
      // The push calls OnLayerPush, so the layer is wired before its transition starts.
      GUIManager::Push(layerName, &Popup::OnLayerPush, this);
   }
   if (layer)
   {
      layer->TransitionStart(customEnter ? enterTransition : "Enter");
   }
}

void Popup::OnLayerPush(LayerWidget* pushedLayer, void* popup)
{
   if (!popup)
   {
      return;
   }
   Popup* self = static_cast<Popup*>(popup);
   self->layer = pushedLayer;
   self->LayerInit(pushedLayer);
}

void Popup::Deinit()
{
   if (!layer)
   {
      return;
   }
   // Layers live under the root. One that has already left it (the GUI was torn down, or a
   // layer pop took it) may be freed by now, so it is only touched while the root still holds it.
   ContainerWidget* parent = GUIManager::root;
   if (parent && parent->ChildIndexGet(layer) >= 0)
   {
      parent->ChildRemove(layer);
   }
   layer = nullptr;
}

void Popup::Update(u32 elapsed)
{
   (void)elapsed;
   if (closing && GUIManager::transitionsRunning < 1)
   {
      closing = 0;
      PopupManager::Close(this);
   }
}

void Popup::Close(bool withTransition)
{
   if (!withTransition)
   {
      PopupManager::Close(this);
      return;
   }
   if (closing)
   {
      return;
   }
   closing = 1;
   if (layer)
   {
      layer->TransitionStart(customExit ? exitTransition : "Exit");
   }
}

bool Popup::ClosingCheck()
{
   return closing || removalPending;
}
} // namespace Corvale
