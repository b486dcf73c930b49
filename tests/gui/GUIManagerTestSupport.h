// Shared pieces of the GUI manager, layer and game-state tests: a started GUI manager over a
// resource tree in a temporary folder, the system pointer driven by hand, and probe widgets that
// write every input call they receive into one journal.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/BitmapTestSupport.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/Memory.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/state/FadeManager.h"
#include "gui/GUIManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LayerWidget.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/window/Screen.h"
#include "platform/sprite/SpriteManager.h"

namespace GUIManagerTest
{
using namespace Corvale;
using testing_support::LogCapture;

// Every probe call, as "<name>.<call> ", in order.
inline std::string journal;
inline i32 probesDestroyed = 0;

// A widget that notes its input calls; its hooks let a test act from inside a callback.
class Probe : public ContainerWidget
{
 public:
   ~Probe() override { probesDestroyed++; }
   const char* TypeNameGet() override { return "Probe"; }
   void Note(const char* call) { journal += std::string(NameGet() ? NameGet() : "?") + "." + call + " "; }
   void OnPress() override
   {
      Note("Press");
      ContainerWidget::OnPress();
      Hook(onPress);
   }
   void OnRelease() override { Note("Release"); }
   void OnClick() override
   {
      Note("Click");
      Hook(onClick);
   }
   void OnDoubleClick() override { Note("DoubleClick"); }
   void OnMouseOver() override { Note("Over"); }
   void OnMouseOut() override
   {
      Note("Out");
      Hook(onMouseOut);
   }
   void OnRightPress() override { Note("RightPress"); }
   void OnRightRelease() override { Note("RightRelease"); }
   void OnRightClick() override { Note("RightClick"); }
   void OnMouseScroll(i32 notches) override { Note(notches > 0 ? "ScrollUp" : "ScrollDown"); }
   bool MouseScrollTargetCheck() override { return scrollTarget != 0; }

   static void (*onPress)(Probe*);
   static void (*onClick)(Probe*);
   static void (*onMouseOut)(Probe*);
   u8 scrollTarget = 0;

 private:
   void Hook(void (*hook)(Probe*))
   {
      if (hook)
      {
         hook(this);
      }
   }
};
inline void (*Probe::onPress)(Probe*) = nullptr;
inline void (*Probe::onClick)(Probe*) = nullptr;
inline void (*Probe::onMouseOut)(Probe*) = nullptr;

// A probe that scrolls: the wheel stops here.
class ScrollProbe : public Probe
{
 public:
   ScrollProbe() { scrollTarget = 1; }
};

class GUIManagerFixture : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
         Event::SystemInit();
      }
   }

   void SetUp() override
   {
      char pattern[] = "/tmp/corvale-gui-XXXXXX";
      const char* made = mkdtemp(pattern);
      folder = made ? made : "";
      std::filesystem::create_directories(folder + "/Graphics");
      fileManagerStdioResource.BaseFolderSet(folder.c_str());
      fileManagerResource = &fileManagerStdioResource;
      GraphicsPathManager::Set(0, "Graphics");
      screen.virtualWidth = 960;
      screen.virtualHeight = 720;
      FadeManager::Reset();
      journal.clear();
      probesDestroyed = 0;
      Probe::onPress = nullptr;
      Probe::onClick = nullptr;
      Probe::onMouseOut = nullptr;
      mouseStateSystem = MouseState();
      mouseStateSystem.present = 1;
      GUIManager::Init();
      GUIManager::WidgetTypeRegister("Probe", &WidgetCreate<Probe>);
      GUIManager::WidgetTypeRegister("ScrollProbe", &WidgetCreate<ScrollProbe>);
   }

   void TearDown() override
   {
      GUIManager::Deinit();
      GameStateManager::Deinit();
      FadeManager::Reset();
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a sprite resource file was left loaded";
      EXPECT_EQ(GUIManager::layerNameCounts.count, 0);
      fileManagerResource = nullptr;
      std::error_code ignored;
      std::filesystem::remove_all(folder, ignored);
   }

   // GUI/<name>/Widgets.json (and an empty Sprites.json) under the graphics path.
   void LayerWrite(const std::string& name, const std::string& widgets, bool sprites = true)
   {
      std::string dir = folder + "/Graphics/GUI/" + name;
      std::filesystem::create_directories(dir);
      std::ofstream(dir + "/Widgets.json") << widgets;
      if (sprites)
      {
         std::ofstream(dir + "/Sprites.json") << "{}";
      }
   }

   // One frame of the system pointer at (x, y) with the given buttons now and in the frame before.
   void Frame(i32 x, i32 y, u32 buttonsNow, u32 buttonsBefore, u32 elapsed = 16, i32 wheel = 0)
   {
      mouseStateSystem.previousX = mouseStateSystem.x;
      mouseStateSystem.previousY = mouseStateSystem.y;
      mouseStateSystem.x = x;
      mouseStateSystem.y = y;
      mouseStateSystem.frameButtons = buttonsNow;
      mouseStateSystem.previousButtons = buttonsBefore;
      mouseStateSystem.wheel = wheel;
      GUIManager::Update(elapsed);
   }
   // A left click at (x, y): press in one frame, release in the next.
   void Click(i32 x, i32 y, u32 elapsed = 16)
   {
      Frame(x, y, MOUSE_BUTTON_LEFT, 0, elapsed);
      Frame(x, y, 0, MOUSE_BUTTON_LEFT, elapsed);
   }

   std::string folder;
};

// Two probes side by side, A at 0..100 and B at 200..300, both 100 high.
inline const char* twoProbesLayer = R"({"Children": [
   {"Type": "Probe", "Name": "A", "Bounds": "0|0|100|100"},
   {"Type": "Probe", "Name": "B", "PositionOffset": "200|0", "Bounds": "0|0|100|100"}]})";
} // namespace GUIManagerTest
