// The settings menu: the environment page (window mode, card layout, game speed, volumes, music),
// the table background and card style pages, and the running game's own options. Every control
// applies at once; the profile and the settings are written once, when the menu closes after a change.
#pragma once

#include "app/CompoundMenuPopup.h"
#include "core/Types.h"

namespace Corvale
{
class MessageBoxPopup;
class ScreenCommon;
class SliderWidget;
class Sound;
class TableRowWidget;
class TableWidget;
class ContainerWidget;

class SettingsMenu : public CompoundMenuPopup
{
 public:
   void Open() override;
   void LayerInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   // "Backgrounds", "Cards" and "Game" only inside a game that offers them.
   bool SubmenuAvailableCheck(const char* name) override;

   // Whether the current profile unlocked the table background.
   static bool BackgroundUnlockedCheck(const char* name);

   // The environment page.
   void EnvironmentPageInit();
   // Selects the button of the screen's present window mode.
   void WindowModeRefresh();
   void SongsFill();

   // The background and card style pages.
   void BackgroundsFill();
   void CardStylesFill();
   void ThumbnailUpdate();
   void CardPreviewsUpdate();
   void BackgroundsApply();
   void CardsApply();

   // The game page, built from the game's "Settings".
   void GamePageInit();
   // Asks first when an option that needs a new game changed; close: leave the menu once saved.
   void GameSettingsApply(bool close);
   void GameSettingsSave();

   static void OnPlayClick(PressButtonWidget* button, void* menu);
   static void OnWindowModeClick(u8 on, ToggleButtonWidget* button, void* menu);
   // The user data is the button's value: 0 organized, 1 natural.
   static void OnCardsLayoutClick(u8 on, ToggleButtonWidget* button, void* value);
   static void OnSliderValueChange(float newValue, float oldValue, bool byUser, SliderWidget* slider,
                                   void* menu);
   static void OnSongSelectionChange(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser,
                                     TableWidget* table, void* menu);
   // The background and card style tables: the thumbnail and the card previews follow the selection.
   static void OnPreviewedSelectionChange(TableRowWidget* newRow, TableRowWidget* oldRow, bool byUser,
                                          TableWidget* table, void* menu);
   // Apply, or Play (apply, then close), of the background, card and game pages.
   static void OnPageApplyClick(PressButtonWidget* button, void* menu);
   static void OnGameRestartYes(MessageBoxPopup* box, PressButtonWidget* button, void* menu);

   // Set by every control that stores a setting; cleared when the menu opens.
   bool changed = false;
   // Played after an effects or speech volume step.
   Sound* testSound = nullptr;
   bool gameRestartConfirmed = false;
   bool closeAfterApply = false;

 private:
   template <class T> T* WidgetGet(const char* path);
   // The second cell of the table's selected row; null without a selection.
   const char* SelectedNameGet(const char* tablePath);
};

// The screen whose window mode the menu changes: the program's own unless a test replaced it.
extern ScreenCommon* settingsMenuScreen;

extern SettingsMenu settingsMenu;
} // namespace Corvale
