// The root menus (main menu and solitaire menu): the menu the loading screen hands over to and every
// game returns to, with the popups shown on the first entry and the helpers both menus share.
#pragma once

#include "gui/state/MenuState.h"

namespace Corvale
{
class LabelWidget;
class Popup;

class RootMenu : public MenuState
{
 public:
   // Both root menus leave the same way: the exit transition, then the fade, then the switch.
   void Update(u32 elapsed) override
   {
      (void)elapsed;
      ExitUpdate();
   }

   // Open the profile menu on entry (set by start-up).
   bool firstEntry = false;
   // Open the language menu on entry (a first run with several languages).
   bool languageChoice = false;
};

// Front-end popups that the menus open; null while a popup is not part of the program, and then
// opening it does nothing.
extern Popup* profileMenuPopup;
extern Popup* languageMenuPopup;
extern Popup* helpScreenPopup;

// The solitaire menu when the constants' "RootMenu" is exactly "SolitaireMenu", else the main menu.
RootMenu* RootMenuGet();
// At the end of a root menu's Init: the profile menu once after start-up, then the language menu
// on a first run.
void RootMenuFirstEntryPopupsOpen(RootMenu* menu);
// "<Version> <VersionDisplayed>" shown, or the label hidden when either is missing or the text
// would not fit 255 characters.
void VersionLabelUpdate(LabelWidget* label);
// Menu buttons do nothing while a state switch is pending or the program is quitting.
bool MenuInputIgnoredCheck();
// "FaceCreatorIncluded": bool true or a number other than 0.
bool FaceCreatorIncludedCheck();
} // namespace Corvale
