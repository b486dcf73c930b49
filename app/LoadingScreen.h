// The game state between the splash screen and the root menu: loads the constants'
// "LoadingScreenResources" through its iterative loader while nothing else animates, shows the
// progress in a bar and leaves with the "Exit" transition and a fade to black.
#pragma once

#include "gui/state/MenuState.h"

namespace Corvale
{
class LoaderIterative;
class ProgressBarWidget;

class LoadingScreen : public MenuState
{
 public:
   void Init() override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void GUIInit(LayerWidget* pushedLayer) override;
   const char* LayerNameGet() override { return "LoadingScreen"; }

   // "LoadingScreen.MenuPanel.ProgressBar", or null.
   ProgressBarWidget* progressBar = nullptr;
   // Set up (and given its lists) by ApplicationInit; a finished loader stays initialised, so
   // that shutdown gives back what it loaded.
   LoaderIterative* loader = nullptr;
   // Set once everything is loaded: ApplicationInit's loadingScreenResourcesLoaded.
   bool* loadedFlag = nullptr;
};

extern LoadingScreen loadingScreen;
} // namespace Corvale
