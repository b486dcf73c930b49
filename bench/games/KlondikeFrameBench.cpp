// A dealt Klondike table's whole frame under a real GL context (Xvfb and Mesa) at 960 x 720, with
// the game's own constants, layer and the generated art: the deal landed, then frames at rest, in
// CPU milliseconds per frame against the 4 ms target.
#include <benchmark/benchmark.h>

#include "bench/cardgame/CardTableBench.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "games/solitaire/KlondikeSolitaire.h"

using namespace Corvale;
using namespace Corvale::CardTableBench;

namespace
{
// The game's constants' templates join the graphics constants as the program's start-up puts them
// together; the game is entered and its deal lands. The build's data folder holds every file the
// table reads.
bool KlondikeDeal(KlondikeSolitaire* game)
{
   JSONParser parser;
   JSONValue* build = parser.Load("Scripts/BuildConsts", fileManagerResource, HEAP_DEFAULT);
   if (build)
   {
      JSONValue* templates = build->ItemGet("MinigameConstsTemplates")->Clone(HEAP_DEFAULT);
      if (templates && !consts->ItemSet("MinigameConstsTemplates", templates))
      {
         MemoryDelete(templates);
      }
      MemoryDelete(build);
   }
   GameStateManager::Init(game);
   for (i32 i = 0; i < 20000 && (game->actionQueue.count > 0 || game->CardsAnimatingCheck()); ++i)
   {
      Frame();
   }
   game->CardAnimationsFinish();
   Frame();
   return game->CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1)->cards.count == 24;
}

void KlondikeTableFrame(benchmark::State& state)
{
   KlondikeSolitaire game;
   if (!ScreenStart(std::string(CORVALE_BENCH_DATA) + "/"))
   {
      state.SkipWithError("no display or no generated data: run under xvfb-run after the data build");
      return;
   }
   if (!KlondikeDeal(&game))
   {
      ScreenStop();
      state.SkipWithError("the deal did not land");
      return;
   }
   double cpu = 0.0;
   i64 frames = 0;
   for (auto _ : state)
   {
      const double start = CPUMillisecondsGet();
      Frame();
      cpu += CPUMillisecondsGet() - start;
      frames++;
   }
   FrameReport(state, cpu, frames);
   ScreenStop();
}
BENCHMARK(KlondikeTableFrame)->Unit(benchmark::kMillisecond)->Iterations(200);
} // namespace
