// The main menu: a game selector with the selected game's name and preview, the signed-in profile,
// Play, the face creator, Exit, two optional link buttons and the version label.
#pragma once

#include "app/RootMenu.h"

namespace Corvale
{
class ContainerWidget;
class LinearSelectorWidget;
class Popup;
class PressButtonWidget;
class SelectorItemWidget;
class SpriteResourceFile;

class MainMenu : public RootMenu
{
 public:
   void Init() override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void TextsRefresh() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   const char* LayerNameGet() override { return "MainMenu"; }

   // The selected item's name, or null.
   const char* SelectedNameGet();
   // Name, preview and the buttons that depend on whether the game can be played.
   void SelectedGameShow();
   // The signed-in profile's name and portrait.
   void ProfileShow();

   static void OnPlayClick(PressButtonWidget* button, void* userData);
   static void OnFaceCreatorClick(PressButtonWidget* button, void* userData);
   static void OnExitClick(PressButtonWidget* button, void* userData);
   static void OnSelectionChange(SelectorItemWidget* newItem, SelectorItemWidget* oldItem, bool byUser,
                                 void* userData);
   static void OnItemClick(bool wasSelected, SelectorItemWidget* item, void* userData);

   LinearSelectorWidget* gameSelector = nullptr;
   // The program quits once the menu is deinitialised (Exit).
   bool quitOnDeinit = false;
   SpriteResourceFile* previewSprites = nullptr;
   // Opened by the face-creator button; null while the program has none.
   Popup* faceCreatorPopup = nullptr;
};

extern MainMenu mainMenu;

// Starts the game of that key, or the solitaire menu for "Solitaire"; nothing for a key that is
// not registered or a game not built yet.
void MainMenuGameStart(const char* name);
// "Solitaire", or a registered game that is built.
bool MainMenuGameAvailableCheck(const char* name);

// The link buttons: shown only when the constants give their addresses.
void URLButton1Init(ContainerWidget* container);
void URLButton2Init(ContainerWidget* container);
// The constants' "UpdateURLWindows", or null.
const char* UpdateURLGet();
// After shutdown, when the update prompt asked for it: opens the update page.
void UpdatePageOpen();
} // namespace Corvale
