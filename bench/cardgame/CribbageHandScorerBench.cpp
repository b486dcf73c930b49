// Every cribbage hand (each four cards of a deck with each of the 48 starters left, 12,994,800
// hands) through the scorer: the points alone, as computer players judge hands, and the full score
// with its English lines, as a ratio of the first.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cardgame/Card.h"
#include "cardgame/CribbageHandScorer.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/Memory.h"
#include "core/TextManager.h"

using namespace Corvale;

namespace
{
constexpr double HANDS_PER_SECOND_TARGET = 26e6;
constexpr int DECK_SIZE = 52;

Card deck[DECK_SIZE];
double pointsRate = 0;

void DeckMake()
{
   for (int i = 0; i < DECK_SIZE; i++)
   {
      deck[i].id = i;
      deck[i].suit = i / 13;
      deck[i].rank = i % 13 + 1;
   }
}

// English score lines from a temporary text tree, as the program loads them.
void TextsLoad()
{
   static FileManagerStdio manager;
   static u32 language = 0;
   const std::filesystem::path root = std::filesystem::temp_directory_path() / "corvale-cribbage-bench";
   std::filesystem::create_directories(root / "Text" / "English");
   std::ofstream(root / "Text" / "English" / "Text.json")
       << R"({"Flush4InHand": "Flush: 4", "Flush5InHand": "Flush: 5", "NobInHand": "Nobs: 1",
             "FifteenInHand": "Fifteens: %d", "RunInHand": "Runs: %d", "TwoOfKindInHand": "Pair: 2",
             "ThreeOfKindInHand": "Three of a kind: 6", "FourOfKindInHand": "Four of a kind: 12"})";
   manager.BaseFolderSet((root.string() + "/").c_str());
   fileManagerResource = &manager;
   textManager.LanguageSet(&language);
   textManager.FileNameAppend("Text");
   textManager.Init();
   textManager.OnLanguageChange();
}

template <class Scorer> u64 EveryHandScore(CribbageHandScorer* scorer, u64* hands, Scorer score)
{
   u64 total = 0;
   for (int a = 0; a < DECK_SIZE; a++)
      for (int b = a + 1; b < DECK_SIZE; b++)
         for (int c = b + 1; c < DECK_SIZE; c++)
            for (int d = c + 1; d < DECK_SIZE; d++)
            {
               scorer->hand[0] = &deck[a];
               scorer->hand[1] = &deck[b];
               scorer->hand[2] = &deck[c];
               scorer->hand[3] = &deck[d];
               for (int s = 0; s < DECK_SIZE; s++)
               {
                  if (s == a || s == b || s == c || s == d)
                  {
                     continue;
                  }
                  scorer->starter = &deck[s];
                  total += static_cast<u64>(score(scorer));
                  (*hands)++;
               }
            }
   return total;
}

// Hands a second over every hand, and the points they add up to.
template <class Scorer> double EveryHandRateGet(CribbageHandScorer* scorer, u64* total, Scorer score)
{
   u64 hands = 0;
   const auto start = std::chrono::steady_clock::now();
   *total = EveryHandScore(scorer, &hands, score);
   const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
   benchmark::DoNotOptimize(*total);
   return hands / seconds;
}

void ScorerPointsEveryHand(benchmark::State& state)
{
   DeckMake();
   CribbageHandScorer scorer;
   for (auto _ : state)
   {
      u64 total = 0;
      pointsRate = EveryHandRateGet(&scorer, &total, [](CribbageHandScorer* s) { return s->PointsGet(); });
      state.counters["points"] = static_cast<double>(total);
      std::printf("points: %.1f M hands a second (target %.0f M, %s)\n", pointsRate / 1e6,
                  HANDS_PER_SECOND_TARGET / 1e6, pointsRate >= HANDS_PER_SECOND_TARGET ? "met" : "missed");
   }
}
BENCHMARK(ScorerPointsEveryHand)->Iterations(1)->Unit(benchmark::kMillisecond);

void ScorerScoreWithLinesEveryHand(benchmark::State& state)
{
   Memory::Init();
   Event::SystemInit();
   TextsLoad();
   DeckMake();
   CribbageHandScorer scorer;
   for (auto _ : state)
   {
      u64 total = 0;
      const double rate = EveryHandRateGet(&scorer, &total, [](CribbageHandScorer* s) { return s->Score(); });
      state.counters["points"] = static_cast<double>(total);
      std::printf("score with lines: %.1f M hands a second, %.1f times the points alone\n", rate / 1e6,
                  rate > 0 && pointsRate > 0 ? pointsRate / rate : 0.0);
   }
}
BENCHMARK(ScorerScoreWithLinesEveryHand)->Iterations(1)->Unit(benchmark::kMillisecond);
} // namespace
