// Best 21: each card of a shuffled deck goes onto one of five blackjack hands or, once a round, the
// discard; every hand point scores 100, a hand of 21 10000 more, and a bust ends the round at once.
#pragma once

#include "cardgame/solitaire/ArcadeSolitaireGame.h"

namespace Corvale
{
constexpr i32 BEST21_HAND_COUNT = 5;
constexpr i32 BEST21_ROUND_COUNT = 4;
constexpr i32 BEST21_GATE_SCORE = 120000;
constexpr i32 BEST21_WIN_SCORE = 160000;

class Best21Solitaire : public ArcadeSolitaireGame
{
 public:
   static void ReflectionRegister();
   static Best21Solitaire instance;

   i32 GameNumberGet() override { return 45; }
   const char* GameNameGet() override { return "Best21Solitaire"; }
   const char* LayerNameGet() override { return "ArcadeSolitaireGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::Best21Solitaire"; }
   u32 TimeLimitGet() override { return 45000; }

   void Init() override;
   void SubgameNew() override;
   void Refresh() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card) override;
   void ScoreTake() override;
   void PileValuesRefresh() override;

   // What a hand of that blackjack value scores: 100 a point, 10000 more for exactly 21.
   static i32 HandScoreGet(i32 value);

 private:
   void ScoreRecompute();
};
} // namespace Corvale
