// Entering and leaving a state that owns a GUI layer.
#include "gui/state/MenuState.h"

#include "gui/state/FadeManager.h"
#include "gui/GUIManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/LayerWidget.h"

namespace Corvale
{
void MenuState::EnterStart()
{
   exiting = 0;
   fadeOnExit = 1;
   layer = nullptr;
   const char* layerName = LayerNameGet();
   if (layerName)
   {
      GUIManager::Push(layerName, &MenuState::LayerOnPush, this);
   }
   if (EnterFadeCheck() && !FadeManager::fading && FadeManager::ColorGet().a != 0)
   {
      FadeManager::FadeStart(ColorRGBA8{0, 0, 0, 0});
   }
   if (layer)
   {
      layer->TransitionStart("Enter");
   }
}

void MenuState::ExitStart()
{
   if (exiting)
   {
      return;
   }
   exiting = 1;
   fadeOnExit = 1;
   GameStateManager::switchHoldCount++;
   if (layer)
   {
      layer->TransitionStart("Exit");
   }
}

void MenuState::ExitUpdate()
{
   if (exiting && GUIManager::transitionsRunning < 1)
   {
      exiting = 0;
      if (fadeOnExit)
      {
         FadeManager::FadeStart(ColorRGBA8{0, 0, 0, 255});
      }
      fadeWaiting = 1;
   }
   if (fadeWaiting && !FadeManager::fading)
   {
      fadeWaiting = 0;
      GameStateManager::switchHoldCount--;
   }
}

void MenuState::LayerRemove()
{
   // A layer that has already left the root (the GUI was torn down) may be freed by now.
   ContainerWidget* root = GUIManager::root;
   if (layer && root && root->ChildIndexGet(layer) >= 0)
   {
      root->ChildRemove(layer);
   }
   layer = nullptr;
}

void MenuState::LayerOnPush(LayerWidget* pushedLayer, void* userData)
{
   MenuState* state = static_cast<MenuState*>(userData);
   if (!state)
   {
      return;
   }
   state->layer = pushedLayer;
   state->GUIInit(pushedLayer);
}
} // namespace Corvale
