// The profile menu: the sign-in page that lists, adds, removes and signs in the local profiles
// (or the guest), and the statistics page that shows a profile's counters per game.
#pragma once

#include "app/CompoundMenuPopup.h"
#include "core/Types.h"

namespace Corvale
{
class DropDownListItemButtonWidget;
class DropDownListWidget;
class JSONValue;
class MessageBoxPopup;
class TableRowWidget;
class TableWidget;

// The profile that stands for nobody in particular; never listed, never counted.
constexpr const char* PROFILE_GUEST_NAME = "<Guest>";
// Statistics values are formatted into buffers of this size.
constexpr u32 STATISTICS_TEXT_SIZE = 256;

class ProfileMenu : public CompoundMenuPopup
{
 public:
   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   // Leaving always leaves a profile signed in: the guest when nobody else is.
   void Close(bool withTransition) override;
   // The sign-in page is not offered while a game runs behind the menu.
   bool SubmenuAvailableCheck(const char* name) override;

   void Refresh();
   void SignInButtonsRefresh();

   // The sign-in page.
   void SignInPageInit();
   void ProfileListFill();
   // Null without a selected row.
   const char* SelectedProfileNameGet();
   void SignIn(const char* name);

   // The statistics page.
   void StatisticsPageInit();
   void StatisticsProfileListFill();
   void StatisticsRefresh();
   void StatisticsGamePreselect(const char* statisticsName);
   void StatisticsLayout();

   static void OnSignInClick(PressButtonWidget* button, void* menu);
   static void OnProfileAddClick(PressButtonWidget* button, void* menu);
   static void OnProfileRemoveClick(PressButtonWidget* button, void* menu);
   static void OnPlayAsGuestClick(PressButtonWidget* button, void* menu);
   static void OnLanguageClick(PressButtonWidget* button, void* menu);
   static void OnFaceCreatorClick(PressButtonWidget* button, void* menu);
   static void OnProfileRemoveYes(MessageBoxPopup* box, PressButtonWidget* button, void* menu);
   static void OnRowDoubleClick(TableRowWidget* row, TableWidget* table, void* menu);
   static void OnTableSelectionChange(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser,
                                      TableWidget* table, void* menu);
   static void OnGameListSelectionChange(DropDownListItemButtonWidget* newItem,
                                         DropDownListItemButtonWidget* oldItem, bool byUser,
                                         DropDownListWidget* list, void* menu);
   static void OnSolitaireListSelectionChange(DropDownListItemButtonWidget* newItem,
                                              DropDownListItemButtonWidget* oldItem, bool byUser,
                                              DropDownListWidget* list, void* menu);

   // Closing the menu opens the face creator (a profile that has never seen it signed in).
   bool faceCreatorOnClose = false;
   i32 statisticsGameIndex = 0;
   i32 solitaireGameIndex = 0;
   // What the face-creator button and the close open; the program's face creator.
   Popup* faceCreatorPopup = nullptr;

 private:
   // SignIn, then the guest when that left nobody signed in, then the exit transition.
   void SignInAndLeave(const char* name);
};

// The lines of a statistics name in the constants' "Statistics", following string aliases; null
// when a name is missing, the chain returns to a name already followed, or the end is not an array.
const JSONValue* StatisticsLinesGet(const JSONValue* statistics, const char* name);
// The value text of a line type ("Int", "IntWithPercentage", "IntMoney", "TimeFromSeconds"); false
// for another type or when the text does not fit.
bool StatisticsValueFormat(char* buffer, u32 size, const char* type, i32 value, bool denominatorGiven,
                           i32 denominator);

extern ProfileMenu profileMenu;
} // namespace Corvale
