// The menu bar over the root menus and every game: Back, Profile, Settings and Help. Back leaves
// the game (after its own question) or the submenu, and at the root menu asks to close the program.
#pragma once

#include "gui/popup/Popup.h"

namespace Corvale
{
class MessageBoxPopup;
class PressButtonWidget;

class MenuBar : public Popup
{
 public:
   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;

   static void OnBackClick(PressButtonWidget* button, void* userData);
   static void OnProfileClick(PressButtonWidget* button, void* userData);
   static void OnSettingsClick(PressButtonWidget* button, void* userData);
   static void OnHelpClick(PressButtonWidget* button, void* userData);
   static void OnConfirmCloseProgramYes(MessageBoxPopup* popup, PressButtonWidget* button, void* userData);
};

// What Back does: see the class comment.
void MenuBarBackOnClick();

extern MenuBar menuBar;
} // namespace Corvale
