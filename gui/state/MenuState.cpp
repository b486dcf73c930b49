// Entering and leaving a state that owns a GUI layer.
#include "gui/state/MenuState.h"

#include "gui/state/FadeManager.h"
#include "gui/GUIManager.h"
#include "gui/state/GameStateManager.h"
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
