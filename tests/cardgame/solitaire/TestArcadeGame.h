// A small arcade solitaire for the base's tests: rounds of 5 seconds, a draw and a discard pile,
// and a score taking that counts itself, ends the round and loses the game on its third round.
#pragma once

#include "cardgame/solitaire/ArcadeSolitaireGame.h"

namespace Corvale
{
namespace TestSupport
{
constexpr const char* TEST_ARCADE_GAME_CONSTS = R"({
   "DelayCardDeal": 30, "DelayCardFlip": 20,
   "CardPiles": [
      {"Type": "Draw", "Position": "0|0"},
      {"Type": "Discard", "Position": "400|0"}
   ],
   "ScoreTextIncluded": true, "RoundTextIncluded": true, "TimeLeftTextIncluded": true,
   "PileValue1Included": true, "PileValue1Position": "10|20"
   })";

// A round of 5 seconds whose score taking ends the round, or the game on its third round.
class TestArcadeGame : public ArcadeSolitaireGame
{
 public:
   const char* LayerNameGet() override { return layerName; }
   i32 GameNumberGet() override { return 995; }
   const char* GameNameGet() override { return "TestArcadeGame"; }
   u32 TimeLimitGet() override { return 5000; }
   bool CardPickUpCheck(Card*) override { return false; }
   bool CardDropCheck(CardPile*, Card*) override { return false; }
   void ScoreTake() override
   {
      ++scoreTakes;
      ScoreAdd(TimeBonusGet() + 10);
      if (roundIndex >= 2)
      {
         gameResult = MINIGAME_RESULT_LOST;
      }
      ResultsShow();
   }

   i32 scoreTakes = 0;
   const char* layerName = nullptr;
};

} // namespace TestSupport
} // namespace Corvale
