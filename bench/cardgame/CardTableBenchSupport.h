// What the card-table frame benchmarks share: the window and GUI opened and closed as the program
// does it, one whole frame, and the report of CPU milliseconds per frame against the target.
#pragma once

#include <benchmark/benchmark.h>

#include <ctime>
#include <functional>

#include "cardgame/CardWidget.h"
#include "core/ProgressionManager.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
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

// The window, input, fade and GUI with the card widget types; false without a display.
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

// Leaves the game; afterLeave runs before the GUI and the window close.
inline void WindowClose(const std::function<void()>& afterLeave = nullptr)
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
}

// One frame as the program runs it; afterGUI runs between the GUI's update and the game's.
inline void FrameRun(const std::function<void()>& afterGUI = nullptr)
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

// Process CPU: the main thread and the software rasterizer's threads together. The CPU column
// of the report is the main thread's alone.
inline void FrameReport(benchmark::State& state, double cpuMs, i64 frames)
{
   state.counters["process_cpu_ms_per_frame"] = frames > 0 ? cpuMs / static_cast<double>(frames) : 0.0;
   state.counters["target_ms"] = FRAME_TARGET_MS;
}
} // namespace CardTableBench
} // namespace Corvale
