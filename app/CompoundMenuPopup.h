// The popup shared by the help screen, the settings menu and the profile menu: a close button, a
// column of radio buttons, one per submenu, and a state container showing one page per submenu.
#pragma once

#include "gui/popup/Popup.h"
#include "gui/widgets/DropDownListWidget.h"

namespace Corvale
{
class PressButtonWidget;
class ToggleButtonWidget;

class CompoundMenuPopup : public Popup
{
 public:
   // Each menu answers which of its submenus it offers.
   virtual bool SubmenuAvailableCheck(const char* name)
   {
      (void)name;
      return true;
   }

   // Run by each compound menu from its LayerInit.
   void SubmenusInit();
   // Shows the page and switches its button on.
   void SubmenuShow(const char* name);
   // Hides the button of an unavailable submenu and closes up the column behind it.
   void SubmenuButtonRemove(const char* name);

   static void OnCloseClick(PressButtonWidget* button, void* popup);
   static void OnSubmenuButtonClick(u8 on, ToggleButtonWidget* button, void* popup);

   // Index among the pages of the page shown last; -1 for none remembered.
   i32 submenuIndex = 0;
};

// The game lists of the compound menus' pages.
// Refills list with the strings of the constants array constsKey (each its own name and text key),
// those that included accepts (all without it); selects index quietly, then hands over callback.
void GameListFill(DropDownListWidget* list, const char* constsKey, bool (*included)(const char* game),
                  i32 index, DropDownListSelectionCallback callback, void* userData);
// Selects game quietly: a solitaire of "SolitaireGames" goes to the solitaire list, with "Solitaire"
// in the game list, when the constants array gamesKey offers "Solitaire"; any other game to the game
// list.
void GameListsPreselect(DropDownListWidget* games, DropDownListWidget* solitaires, const char* gamesKey,
                        const char* game);

class ContainerWidget;

// Places the container's children one under the other from the top of its bounds, gap apart, and
// goes on in a second column at half its width once a child would pass its height.
void ColumnsLayOut(ContainerWidget* container, float gap);
} // namespace Corvale
