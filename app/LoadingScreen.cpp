// The loading screen: one loader step a frame once the screen is fully shown, the progress bar,
// and leaving for the root menu below it.
#include "app/LoadingScreen.h"

#include <chrono>

#include "app/StartupObserver.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/ProgressBarWidget.h"
#include "platform/loader/LoaderIterative.h"

namespace Corvale
{
LoadingScreen loadingScreen;

void LoadingScreen::Init()
{
   progressBar = nullptr;
   EnterStart();
}

void LoadingScreen::GUIInit(LayerWidget* pushedLayer)
{
   (void)pushedLayer;
   progressBar =
       dynamic_cast<ProgressBarWidget*>(GUIManager::WidgetGetByPath("LoadingScreen.MenuPanel.ProgressBar"));
   if (progressBar)
   {
      progressBar->ValueSet(0.0f);
   }
}

void LoadingScreen::Update(u32 elapsed)
{
   (void)elapsed;
   ExitUpdate();
   // The first item loads only once the screen is fully shown, and nothing loads while it leaves.
   if (GUIManager::transitionsRunning > 0 || FadeManager::fading)
   {
      return;
   }
   if (loader && loader->initialised)
   {
      if (!loader->DoneCheck())
      {
         auto start = std::chrono::steady_clock::now();
         loader->Update();
         if (startupObserver)
         {
            std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
            startupObserver->LoaderUpdated(spent.count());
         }
      }
      const bool done = loader->DoneCheck() || !loader->initialised;
      if (done && loadedFlag && !*loadedFlag)
      {
         *loadedFlag = true;
         if (startupObserver)
         {
            startupObserver->LoadingFinished();
         }
      }
      if (progressBar)
      {
         progressBar->ValueSet(loader->ProgressGet());
      }
      if (!done)
      {
         return;
      }
   }
   if (!GameStateManager::switchPending)
   {
      ExitStart();
      // The root menu below runs next.
      GameStateManager::Pop();
   }
}

void LoadingScreen::Deinit()
{
   // A load cut short gives back what it had loaded; a finished one is given back at shutdown.
   if (loader && loader->initialised && !loader->DoneCheck())
   {
      loader->Cancel();
      loader->Deinit();
   }
   loadedFlag = nullptr;
   progressBar = nullptr;
   LayerRemove();
}
} // namespace Corvale
