// Shared by the menu tests: a started GUI and popup manager over small layers of the main menu,
// the solitaire menu, the menu bar and the yes/no box; constants and a profile set by the test; a
// registry with one playable stand-in game; and frames run in the program's order.
#pragma once

#include <cstring>
#include <string>

#include "app/Application.h"
#include "app/MainMenu.h"
#include "app/MenuBar.h"
#include "app/Minigames.h"
#include "app/SolitaireMenu.h"
#include "app/profile/ProfileStore.h"
#include "cardgame/Minigame.h"
#include "gui/popup/MessageBoxPopup.h"
#include "core/FileManagerStdio.h"
#include "gui/popup/Popup.h"
#include "gui/widgets/LinearSelectorWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/popup/PopupManager.h"
#include "platform/input/Keyboard.h"
#include "tests/core/JSONTestSupport.h"
#include "tests/gui/GUIManagerTestSupport.h"

namespace MenuTest
{
using namespace Corvale;
using namespace GUIManagerTest;
using namespace JSONTest;

// A built game that does nothing of its own; it notes the profile's favourites on entry.
class PlayableGame : public Minigame
{
 public:
   i32 GameNumberGet() override { return 998; }
   const char* GameNameGet() override { return "Playable"; }
   i32 PlayersCountGet() override { return 1; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return 1; }
   void Init() override
   {
      inits++;
      const JSONValue* favorites = profileCurrent ? profileCurrent->ItemFind("SolitaireFavorites") : nullptr;
      favoritesOnEntry = favorites ? TextWrite(favorites) : "";
      EnterStart();
   }
   void Deinit() override { LayerRemove(); }
   void Update(u32 elapsed) override
   {
      (void)elapsed;
      ExitUpdate();
   }

   i32 inits = 0;
   std::string favoritesOnEntry;
};

// A popup with a layer of its own that notes its openings.
class CountingPopup : public Popup
{
 public:
   explicit CountingPopup(const char* name)
   {
      NultSnprintf(layerName, sizeof(layerName), "%s", name);
      hasLayer = 1;
   }
   void Open() override
   {
      opens++;
      Popup::Open();
   }
   void LayerInit(LayerWidget* pushedLayer) override { (void)pushedLayer; }
   i32 opens = 0;
};

inline const char* const transitions = R"("Transitions": {"Enter": {"Type": "FromBottom", "Duration": 100},
   "Exit": {"Type": "ToTop", "Duration": 100}})";

class MenuFixture : public GUIManagerFixture
{
 protected:
   void SetUp() override
   {
      GUIManagerFixture::SetUp();
      PopupManager::Init();
      std::memset(keyboardState.current, 0, sizeof(keyboardState.current));
      std::memset(keyboardState.previous, 0, sizeof(keyboardState.previous));
      MainMenuLayerWrite(true);
      std::filesystem::create_directories(folder + "/Graphics/GUI/MainMenu/GamePreviews");
      std::ofstream(folder + "/Graphics/GUI/MainMenu/GamePreviews/Sprites.json") << "{}";
      LayerWrite("MenuBar", std::string(R"({"DisableLayersBelow": false, "Children": [{"Type": "Container",
         "Name": "Panel", )") + transitions +
                                R"(, "Children": [
         {"Type": "PressButton", "Name": "Back", "Bounds": "0|0|40|40"},
         {"Type": "PressButton", "Name": "Profile", "PositionOffset": "50|0", "Bounds": "0|0|40|40"},
         {"Type": "PressButton", "Name": "Settings", "PositionOffset": "100|0", "Bounds": "0|0|40|40"},
         {"Type": "PressButton", "Name": "Help", "PositionOffset": "150|0", "Bounds": "0|0|40|40"}]}]})");
      LayerWrite("MessageBoxYesNo", R"({"Children": [{"Type": "Container", "Name": "Panel", "Children": [
         {"Type": "PressButton", "Name": "Yes", "Bounds": "0|0|40|40"},
         {"Type": "PressButton", "Name": "No", "PositionOffset": "50|0", "Bounds": "0|0|40|40"}]}]})");
      LayerWrite("Settings", R"({"Children": []})");
      ConstsSet(R"({"SolitaireGames": ["AcesUpSolitaire", "Playable"], "MainMenuGames": [
         {"Name": "Solitaire", "TextKey": "Solitaire"}, {"Name": "Playable", "TextKey": "Playable"},
         {"Name": "OldMaid", "TextKey": "OldMaid"}]})");
      MinigamesRegister();
      minigames.Insert(&game, minigames.count);
      quitRequested = false;
      updatePageOpenAtExit = false;
   }

   void TearDown() override
   {
      GameStateManager::Deinit();
      PopupManager::Deinit();
      MinigamesUnregister();
      MemoryDelete(profileCurrent);
      profileCurrent = nullptr;
      consts = nullptr;
      constsOwned.reset();
      quitRequested = false;
      updatePageOpenAtExit = false;
      mainMenu.faceCreatorPopup = nullptr;
      Minigame::settingsMenuPopup = nullptr;
      GUIManagerFixture::TearDown();
   }

   // The main menu's layer; wrap is the selector's "WrapAround".
   void MainMenuLayerWrite(bool wrap)
   {
      LayerWrite("MainMenu", std::string(R"({"Children": [{"Type": "Container", "Name": "MenuPanel", )") +
                                 transitions + R"(, "Children": [
         {"Type": "PressButton", "Name": "Play", "Bounds": "0|0|40|40"},
         {"Type": "PressButton", "Name": "CurrentGameButton", "PositionOffset": "50|0", "Bounds": "0|0|40|40"},
         {"Type": "PressButton", "Name": "FaceCreator", "PositionOffset": "100|0", "Bounds": "0|0|40|40"},
         {"Type": "LinearSelector", "Name": "GameSelector", "PositionOffset": "0|100", "Bounds": "0|0|300|40",
          "WrapAround": )" + (wrap ? "true" : "false") +
                                 R"(, "ItemTemplate": {"Bounds": "0|0|100|40"}},
         {"Type": "Label", "Name": "SelectedGameName"},
         {"Type": "Sprite", "Name": "SelectedGamePreviewSprite"},
         {"Type": "Label", "Name": "GameNotAvailable", "Visible": false},
         {"Type": "Label", "Name": "ProfileName"},
         {"Type": "Container", "Name": "URLButton1Container", "Children": [
            {"Type": "PressButton", "Name": "Button", "Bounds": "0|0|40|40"}]},
         {"Type": "Container", "Name": "URLButton2Container", "Children": [
            {"Type": "PressButton", "Name": "Button", "Bounds": "0|0|40|40"},
            {"Type": "Sprite", "Name": "UpdateCheckIndicator"}]}]},
         {"Type": "PressButton", "Name": "Exit", "PositionOffset": "0|600", "Bounds": "0|0|40|40"},
         {"Type": "Label", "Name": "Version"}]})");
   }

   void ConstsSet(const std::string& text)
   {
      constsOwned = TextParse(text);
      consts = constsOwned.get();
   }

   void ProfileSet(const std::string& text)
   {
      MemoryDelete(profileCurrent);
      profileCurrent = TextParse(text).release();
   }

   // One frame in the program's order; keys pressed in it are held for this frame only.
   void Step(u32 elapsed = 16)
   {
      GameStateManager::Update();
      FadeManager::Update(elapsed);
      GUIManager::Update(elapsed);
      PopupManager::Update(elapsed);
      if (GameStateManager::current)
      {
         GameStateManager::current->Update(elapsed);
      }
      std::memcpy(keyboardState.previous, keyboardState.current, sizeof(keyboardState.current));
   }

   // Frames until nothing moves any more: no transition, no fade, no switch waiting.
   void Settle()
   {
      for (i32 i = 0; i < 200; i++)
      {
         Step(50);
         if (!GameStateManager::switchPending && !FadeManager::fading &&
             GUIManager::transitionsRunning == 0 && GameStateManager::switchHoldCount == 0)
         {
            return;
         }
      }
      ADD_FAILURE() << "the menus never came to rest";
   }

   // The root menu entered the way the program enters it, and settled.
   void Enter(RootMenu* menu)
   {
      GameStateManager::Init(nullptr);
      GameStateManager::Push(menu);
      Settle();
      ASSERT_EQ(GameStateManager::current, menu);
   }

   void KeyPress(u32 key) { keyboardState.current[key] = 1; }

   // The press button's click handler called as a click would.
   void Click(const char* path)
   {
      PressButtonWidget* button = WidgetAt<PressButtonWidget>(path);
      ASSERT_NE(button, nullptr) << path;
      ASSERT_NE(button->onClick, nullptr) << path;
      button->onClick(button, button->onClickUserData);
   }

   // The open message box with that text key, or null.
   MessageBoxPopup* BoxGet(const char* textKey)
   {
      for (i32 i = 0; i < PopupManager::popups.count; i++)
      {
         MessageBoxPopup* box = dynamic_cast<MessageBoxPopup*>(PopupManager::popups[i]);
         if (box && box->text && std::strcmp(box->text, textKey) == 0)
         {
            return box;
         }
      }
      return nullptr;
   }

   // The profile store saves into "<folder>/Save".
   void SaveFolderUse()
   {
      std::filesystem::create_directories(folder + "/Save");
      saveData.BaseFolderSet((folder + "/Save").c_str());
      fileManagerPersistence = &saveData;
   }

   template <class T> T* WidgetAt(const char* path)
   {
      return dynamic_cast<T*>(GUIManager::WidgetGetByPath(path));
   }

   PlayableGame game;
   ValuePointer constsOwned;
   FileManagerStdio saveData;
};
} // namespace MenuTest
