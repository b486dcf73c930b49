// Plays a game headless: a temporary resource tree for its constants, a profile in memory, the
// engine generator seeded before entering, and a frame pump that steps a fixed time at a set
// speed. No window, GUI layer or card style is loaded, so a game makes no widget and no texture.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "app/profile/SettingsApply.h"
#include "cardgame/Minigame.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "core/StringHelpers.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/GameStateManager.h"
#include "platform/input/Keyboard.h"
#include "tests/TestSupport.h"
#include "tests/core/JSONTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
class GameHarness
{
 public:
   GameHarness() : folder("cardgame")
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      if (!eventsStarted)
      {
         Event::SystemInit();
         eventsStarted = true;
      }
      fileManagerStdioResource.BaseFolderSet(folder.Base().c_str());
      fileManagerResource = &fileManagerStdioResource;
      GraphicsPathManager::Set(0, "Graphics");
      GlobalConstsSet("{}");
      settings = JSONValue::New(HEAP_DEFAULT);
      settings->ObjectSet();
      JSONValue* profiles = settings->ItemArraySet("Profiles");
      JSONValue* entry = profiles->ElementAdd();
      entry->ObjectSet();
      entry->ItemStringSet("Name", "Player");
      entry->ItemNumberSet("FolderNumber", 0);
      profileCurrent = JSONValue::New(HEAP_DEFAULT);
      profileCurrent->ObjectSet();
      profileCurrentName = StringDuplicate("Player", HEAP_DEFAULT);
      gameSpeed = 50;
      KeyboardStateInit();
      PopupManager::Init();
   }

   ~GameHarness()
   {
      Leave();
      PopupManager::Deinit();
      MemoryDelete(profileCurrent);
      profileCurrent = nullptr;
      MemoryFree(profileCurrentName);
      profileCurrentName = nullptr;
      MemoryDelete(settings);
      settings = nullptr;
      MemoryDelete(consts);
      consts = nullptr;
      fileManagerResource = nullptr;
   }

   GameHarness(const GameHarness&) = delete;
   GameHarness& operator=(const GameHarness&) = delete;

   // A file of the resource tree, e.g. "Scripts/Minigames/TestGame.json".
   void FileWrite(const std::string& path, const std::string& text)
   {
      ASSERT_TRUE(folder.FileWrite(path, text));
   }

   // The global constants object, parsed from text.
   void GlobalConstsSet(const std::string& text)
   {
      MemoryDelete(consts);
      consts = JSONTest::TextParse(text).release();
      ASSERT_NE(consts, nullptr) << text;
   }

   // Seeds the engine generator and makes game the current state.
   void Enter(Minigame* enteredGame, u32 state0 = 0, u32 state1 = 0)
   {
      Leave();
      randomState0 = state0;
      randomState1 = state1;
      game = enteredGame;
      GameStateManager::Init(game);
   }

   // Leaves the game as the state manager does when it is popped.
   void Leave()
   {
      if (game)
      {
         GameStateManager::Deinit();
         game = nullptr;
      }
   }

   // One frame: the keyboard, a pending state switch, then the game's update.
   void Frame()
   {
      std::memcpy(keyboardState.previous, keyboardState.current, sizeof(keyboardState.current));
      for (u32 key : keysDown)
      {
         keyboardState.current[key] = 1;
      }
      keysDown.clear();
      GameStateManager::Update();
      PopupManager::Update(frameMilliseconds);
      if (GameStateManager::current)
      {
         GameStateManager::current->Update(frameMilliseconds);
      }
      frames++;
      if (afterFrame)
      {
         afterFrame();
      }
   }

   // Nothing queued, no switch, and no refresh that the game would still run.
   bool IdleCheck()
   {
      const bool refreshWaiting =
          game->refreshPending && game->gameResult == MINIGAME_RESULT_RUNNING && !game->subgameOver;
      return game->actionQueue.count == 0 && !refreshWaiting && !GameStateManager::switchPending;
   }

   // Pumps frames until the game is idle; false at the cap.
   bool RunUntilIdle(i32 maxFrames)
   {
      for (i32 i = 0; i < maxFrames; ++i)
      {
         if (!game || IdleCheck())
         {
            return true;
         }
         Frame();
      }
      return false;
   }

   // Held down from the next frame on; released with KeyRelease.
   void KeyPress(u32 key) { keysDown.push_back(key); }
   void KeyRelease(u32 key) { keyboardState.current[key] = 0; }

   // The newest open message box, or null.
   MessageBoxPopup* MessageBoxGet()
   {
      for (i32 i = PopupManager::popups.count - 1; i >= 0; --i)
      {
         MessageBoxPopup* box = dynamic_cast<MessageBoxPopup*>(PopupManager::popups[i]);
         if (box)
         {
            return box;
         }
      }
      return nullptr;
   }

   // Presses the box's Yes as its button would, then closes it.
   void MessageBoxYes(MessageBoxPopup* box)
   {
      ASSERT_NE(box, nullptr);
      if (box->onYes)
      {
         box->onYes(box, nullptr, box->onYesUserData);
      }
      PopupManager::Close(box);
   }

   TempFolder folder;
   Minigame* game = nullptr;
   u32 frameMilliseconds = 16;
   i32 frames = 0;
   std::vector<u32> keysDown;
   // Run after every frame, e.g. a check that must hold throughout.
   std::function<void()> afterFrame;
   static inline bool eventsStarted = false;
};
} // namespace TestSupport
} // namespace Corvale
