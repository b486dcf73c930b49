// What the card table benchmarks share: the screen, GUI and card set-up under a real GL context
// (Xvfb and Mesa) at 960 x 720 over a resource folder, one whole frame, and the CPU report.
#pragma once

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>
#include <string>

#include "app/profile/ProfileStore.h"
#include "cardgame/Card.h"
#include "cardgame/CardWidget.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/ProgressionManager.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
#include "gui/state/GameState.h"
#include "gui/state/GameStateManager.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/FontManager.h"
#include "platform/window/Screen.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace CardTableBench
{
constexpr double FRAME_TARGET_MS = 4.0;

inline double CPUMillisecondsGet()
{
   return static_cast<double>(std::clock()) * 1000.0 / CLOCKS_PER_SEC;
}

// The window, input, fade and GUI with the card widget types, the pointer resting in the bottom
// right corner; false without a display.
inline bool WindowOpen()
{
   if (!screen.Init(TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen)))
   {
      return false;
   }
   KeyboardStateInit();
   mouseStateSystem = MouseState();
   mouseStateSystem.present = 1;
   mouseStateSystem.x = 900;
   mouseStateSystem.y = 700;
   FadeManager::Reset();
   ProgressionManager::Init();
   GUIManager::Init();
   CardWidgetTypesRegister();
   return true;
}

// Memory and events once, then resources read from the folder (with its trailing slash).
inline void ResourceFolderSet(const std::string& base)
{
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
      Event::SystemInit();
   }
   fileManagerStdioResource.BaseFolderSet(base.c_str());
   fileManagerResource = &fileManagerStdioResource;
   GraphicsPathManager::Set(0, "Graphics");
}

// The window (as WindowOpen) and the card constants over the resource folder (with its trailing
// slash); false without a display or the graphics constants.
inline bool ScreenStart(const std::string& base)
{
   ResourceFolderSet(base);
   JSONParser parser;
   MemoryDelete(consts);
   consts = parser.Load("Graphics/GraphicsConsts", fileManagerResource, HEAP_DEFAULT);
   if (!consts || !WindowOpen())
   {
      return false;
   }
   Card::ConstsLoad(consts);
   return true;
}

// One whole frame as the program runs it: input, the GUI and the current game's update, then the
// draw; afterGUI runs between the GUI's update and the game's.
inline void Frame(const std::function<void()>& afterGUI = nullptr)
{
   screen.MessagesPump();
   GUIManager::Update(16);
   if (afterGUI)
   {
      afterGUI();
   }
   GameStateManager::current->Update(16);
   screen.clearedThisFrame = 0;
   screen.Clear();
   GUIManager::Draw();
   screen.FrameEnd();
}

// Leaves the game; afterLeave runs before the GUI and the window close.
inline void ScreenStop(const std::function<void()>& afterLeave = nullptr)
{
   GameStateManager::Deinit();
   if (afterLeave)
   {
      afterLeave();
   }
   GUIManager::Deinit();
   ProgressionManager::Deinit();
   FontManager::Deinit();
   imageManager.Deinit();
   textureManager.Deinit();
   screen.Deinit();
   fileManagerResource = nullptr;
}

inline void FrameReport(benchmark::State& state, double cpuMs, i64 frames)
{
   const double perFrame = frames > 0 ? cpuMs / static_cast<double>(frames) : 0.0;
   // Process CPU: the main thread and the software rasterizer's threads together. The CPU column
   // of the report is the main thread's alone.
   state.counters["process_cpu_ms_per_frame"] = perFrame;
   state.counters["target_ms"] = FRAME_TARGET_MS;
}
} // namespace CardTableBench
} // namespace Corvale
