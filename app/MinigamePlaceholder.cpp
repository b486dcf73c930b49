// The placeholder game: a message box instead of a game.
#include "app/MinigamePlaceholder.h"

#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"

namespace Corvale
{
void MinigamePlaceholder::Init()
{
   leaving = false;
   // No layer of its own: this only fades the screen in, so that the box is seen.
   EnterStart();
   // The state switch that brought us here closed every popup, so the box is the only one.
   if (!MessageBoxPopup::Show("GameNotAvailable", "MessageBoxOK"))
   {
      leaving = true;
      GameStateManager::Pop();
   }
}

void MinigamePlaceholder::Deinit()
{
   exiting = 0;
   fadeWaiting = 0;
   layer = nullptr;
}

void MinigamePlaceholder::Update(u32 elapsed)
{
   (void)elapsed;
   // The box is gone once it is dismissed and its exit transition has ended; leaving earlier
   // would close it mid-transition with the state switch.
   if (!leaving && PopupManager::popups.count == 0)
   {
      leaving = true;
      GameStateManager::Pop();
   }
}
} // namespace Corvale
