// The menu bar's buttons and Back's choice between the game's question, leaving a submenu and the
// close-program question.
#include "app/MenuBar.h"

#include "app/RootMenu.h"
#include "app/profile/ProfileStore.h"
#include "cardgame/Minigame.h"
#include "core/StringHelpers.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
MenuBar menuBar;

void MenuBar::Open()
{
   NultSnprintf(layerName, sizeof(layerName), "%s", "MenuBar");
   hasLayer = 1;
   Popup::Open();
}

void MenuBar::LayerInit(LayerWidget* pushedLayer)
{
   (void)pushedLayer;
   PressButtonWidget::OnClickCallbackSet("MenuBar.Panel.Back", &MenuBar::OnBackClick, this);
   PressButtonWidget::OnClickCallbackSet("MenuBar.Panel.Profile", &MenuBar::OnProfileClick, this);
   PressButtonWidget::OnClickCallbackSet("MenuBar.Panel.Settings", &MenuBar::OnSettingsClick, this);
   PressButtonWidget::OnClickCallbackSet("MenuBar.Panel.Help", &MenuBar::OnHelpClick, this);
}

void MenuBarBackOnClick()
{
   if (MenuInputIgnoredCheck())
   {
      return;
   }
   if (GameStateManager::states.count > 1)
   {
      GameState* current = GameStateManager::current;
      if (Minigame* game = dynamic_cast<Minigame*>(current))
      {
         game->QuitConfirmShow();
         return;
      }
      if (MenuState* menu = dynamic_cast<MenuState*>(current))
      {
         menu->ExitStart();
      }
      GameStateManager::Pop();
      return;
   }
   MessageBoxPopup* box = MessageBoxPopup::Show("ConfirmCloseProgram", "MessageBoxYesNo");
   if (box)
   {
      box->onYes = &MenuBar::OnConfirmCloseProgramYes;
   }
}

void MenuBar::OnBackClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   (void)userData;
   MenuBarBackOnClick();
}

void MenuBar::OnConfirmCloseProgramYes(MessageBoxPopup* popup, PressButtonWidget* button, void* userData)
{
   (void)popup;
   (void)button;
   (void)userData;
   if (!GameStateManager::switchPending)
   {
      quitRequested = true;
   }
}

namespace
{
void FrontendPopupOpen(Popup* popup)
{
   if (!MenuInputIgnoredCheck())
   {
      PopupManager::OpenUnlessOpen(popup);
   }
}
} // namespace

void MenuBar::OnProfileClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   (void)userData;
   FrontendPopupOpen(profileMenuPopup);
}

void MenuBar::OnSettingsClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   (void)userData;
   FrontendPopupOpen(Minigame::settingsMenuPopup);
}

void MenuBar::OnHelpClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   (void)userData;
   FrontendPopupOpen(helpScreenPopup);
}
} // namespace Corvale
