// CPU time of one frame (update and drawing) of the main menu and of the solitaire menu with its
// 100 buttons, under a real GL context (Xvfb and Mesa) on the built data, against the 4 ms target;
// an empty frame gives the floor of the clear and the swap.
#include <benchmark/benchmark.h>

#include <ctime>

#include "app/MainMenu.h"
#include "app/SolitaireMenu.h"
#include "gui/GUIManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/FadeManager.h"
#include "gui/state/GameStateManager.h"
#include "platform/window/Screen.h"
#include "tests/app/ProgramInProcess.h"

using namespace Corvale;

namespace
{
constexpr double FRAME_TARGET_MS = 4.0;

// One frame as the program runs it, less the music.
void MenuFrame()
{
   GameStateManager::Update();
   FadeManager::Update(16);
   GUIManager::Update(16);
   PopupManager::Update(16);
   if (GameStateManager::current)
   {
      GameStateManager::current->Update(16);
   }
   screen.Clear();
   GUIManager::Draw();
   FadeManager::Draw();
   screen.FrameEnd();
   screen.BuffersSwap();
}

void MenuFrameMeasure(benchmark::State& state, RootMenu* menu)
{
   if (!ProgramInProcess::Start(CORVALE_BENCH_DATA))
   {
      state.SkipWithError("no display or no built data: run under xvfb-run after building corvale_data");
      return;
   }
   // The menu alone, entered and come to rest.
   GameStateManager::Deinit();
   GameStateManager::Init(nullptr);
   GameStateManager::Push(menu);
   for (i32 i = 0; i < 120; i++)
   {
      MenuFrame();
   }
   // Process CPU: the main thread and the software rasterizer's threads together. The CPU column
   // of the report is the main thread's alone.
   const std::clock_t start = std::clock();
   for (auto _ : state)
   {
      MenuFrame();
   }
   state.counters["process_cpu_ms_per_frame"] =
       benchmark::Counter(static_cast<double>(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC,
                          benchmark::Counter::kAvgIterations);
   state.counters["target_ms"] = FRAME_TARGET_MS;
   ProgramInProcess::Stop();
}

// The floor: a frame with no state, only the clear and the swap.
void BM_EmptyFrame(benchmark::State& state)
{
   MenuFrameMeasure(state, nullptr);
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->Iterations(300);

void BM_MainMenuFrame(benchmark::State& state)
{
   MenuFrameMeasure(state, &mainMenu);
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMillisecond)->Iterations(300);

void BM_SolitaireMenuFrame(benchmark::State& state)
{
   MenuFrameMeasure(state, &solitaireMenu);
}
BENCHMARK(BM_SolitaireMenuFrame)->Unit(benchmark::kMillisecond)->Iterations(300);
} // namespace
