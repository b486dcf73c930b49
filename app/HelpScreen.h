// The help screen: a general page and a page with the rules of the game picked from a list (or of
// the game being played), with the game's tutorial offered when it has one.
#pragma once

#include "app/CompoundMenuPopup.h"

namespace Corvale
{
class MessageBoxPopup;

class HelpScreen : public CompoundMenuPopup
{
 public:
   // Opened during a game it shows that game's rules, else the general page.
   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;
   // Without a "HelpScreenSubmenus" array every page is offered.
   bool SubmenuAvailableCheck(const char* name) override;

   // Shows the document of the selected game.
   void HelpPageUpdate();
   // The game list's selection, or the solitaire list's under "Solitaire"; null without one.
   const char* HelpSelectedGameGet();
   // Leaves the current state for the tutorial of the selected game.
   void TutorialStart();

   // Either list: notes its selected index, and a choice of the user's shows its document.
   static void OnListSelectionChange(DropDownListItemButtonWidget* newItem,
                                     DropDownListItemButtonWidget* oldItem, bool byUser,
                                     DropDownListWidget* list, void* screen);
   static void OnTutorialClick(PressButtonWidget* button, void* screen);
   static void OnTutorialConfirmYes(MessageBoxPopup* box, PressButtonWidget* button, void* screen);

   // The selected entries of the two lists, kept across openings; -1 restores none.
   i32 gameListIndex = 0;
   i32 solitaireListIndex = 0;
};

// A game is listed only when it is built; "Solitaire" while any solitaire is.
bool HelpGameListedCheck(const char* game);

extern HelpScreen helpScreen;
} // namespace Corvale
