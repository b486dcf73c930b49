// CPU time of one whole frame of Klondike's tutorial in the program brought up on the built data
// (update with the animation and its world transforms, the GUI with the felt, the skeleton's
// quads and the balloon, and the swap), under Xvfb and Mesa, against the 4 ms frame target.
#include <benchmark/benchmark.h>

#include <ctime>

#include "app/FrameClock.h"
#include "app/MainMenu.h"
#include "gui/dialog/DialogManager.h"
#include "gui/state/GameStateManager.h"
#include "platform/window/Screen.h"
#include "tests/app/ProgramInProcess.h"
#include "tutorial/TutorialManager.h"
#include "tutorial/TutorialState.h"

using namespace Corvale;

namespace
{
constexpr double FRAME_TARGET_MS = 4.0;

void TutorialFrame()
{
   frameClock.elapsed = 16;
   ApplicationUpdate();
   // The lines are not waited for: the animation keeps moving.
   if (!dialogManager.IdleCheck())
   {
      dialogManager.Stop();
   }
}

void BM_TutorialKlondikeFrame(benchmark::State& state)
{
   if (!ProgramInProcess::Start(CORVALE_BENCH_DATA))
   {
      state.SkipWithError("no display or no built data: run under xvfb-run after building corvale_tutorials");
      return;
   }
   GameStateManager::Deinit();
   GameStateManager::Init(nullptr);
   GameStateManager::Push(&mainMenu);
   tutorialState.Enqueue("KlondikeSolitaire");
   GameStateManager::Push(&tutorialState);
   for (i32 i = 0; i < 60; i++)
   {
      TutorialFrame();
   }
   if (!tutorialManager.skeleton)
   {
      state.SkipWithError("the tutorial did not load");
   }
   i64 triangles = 0;
   // Process CPU: the main thread and the software rasterizer's threads together. The CPU column
   // of the report is the main thread's alone.
   const std::clock_t start = std::clock();
   for (auto _ : state)
   {
      screen.trianglesThisFrame = 0;
      TutorialFrame();
      triangles += screen.trianglesThisFrame;
   }
   state.counters["process_cpu_ms_per_frame"] =
       benchmark::Counter(static_cast<double>(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC,
                          benchmark::Counter::kAvgIterations);
   state.counters["target_ms"] = FRAME_TARGET_MS;
   state.counters["triangles"] =
       benchmark::Counter(static_cast<double>(triangles), benchmark::Counter::kAvgIterations);
   state.counters["tutorial_s"] = tutorialManager.elapsed;
   ProgramInProcess::Stop();
}
// 600 frames: about ten seconds of the lesson, turned card and carried cards included.
BENCHMARK(BM_TutorialKlondikeFrame)->Unit(benchmark::kMillisecond)->Iterations(600);
} // namespace
