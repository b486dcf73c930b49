// Random five-card hands through HandRankGet: the hands a second that Poker square's end of game
// (ten hands) and a table poker showdown (a hand per player) draw on.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "cardgame/Card.h"
#include "cardgame/PokerHandEvaluator.h"
#include "core/Memory.h"

using namespace Corvale;

namespace
{
constexpr int DECK_SIZE = 52;
constexpr int HAND_COUNT = 4096;

void HandRankGetRandomHands(benchmark::State& state)
{
   Memory::Init();
   static Card deck[DECK_SIZE];
   for (int i = 0; i < DECK_SIZE; i++)
   {
      deck[i].id = i;
      deck[i].suit = i / 13;
      deck[i].rank = i % 13 + 1;
   }
   // The hands are drawn before the timing, so that only the evaluator is measured.
   std::mt19937 random(20261211u);
   static Card* hands[HAND_COUNT][5];
   Card* shuffled[DECK_SIZE];
   for (int h = 0; h < HAND_COUNT; h++)
   {
      for (int i = 0; i < DECK_SIZE; i++)
      {
         shuffled[i] = &deck[i];
      }
      std::shuffle(shuffled, shuffled + DECK_SIZE, random);
      for (int i = 0; i < 5; i++)
      {
         hands[h][i] = shuffled[i];
      }
   }
   Table<Card*> hand;
   hand.Reserve(5);
   i64 ranked = 0;
   int next = 0;
   for (auto _ : state)
   {
      hand.Clear();
      hand.ItemsInsert(hands[next], 5, 0);
      next = (next + 1) % HAND_COUNT;
      benchmark::DoNotOptimize(pokerHandEvaluator.HandRankGet(hand));
      ranked++;
   }
   state.counters["hands/s"] = benchmark::Counter(static_cast<double>(ranked), benchmark::Counter::kIsRate);
}
BENCHMARK(HandRankGetRandomHands);
} // namespace
