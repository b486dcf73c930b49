// Fast 21: each card of a shuffled deck goes onto one of four blackjack hands, which may never go
// over 21, or onto a waste of three; a hand of 21 or of five cards scores and is cleared.
#pragma once

#include "cardgame/solitaire/ArcadeSolitaireGame.h"

namespace Corvale
{
constexpr i32 FAST21_HAND_COUNT = 4;
constexpr i32 FAST21_WASTE_MAX = 3;
constexpr i32 FAST21_HAND_CARDS_MAX = 5;
constexpr i32 FAST21_ROUND_COUNT = 4;
constexpr i32 FAST21_GATE_SCORE = 30000;
constexpr i32 FAST21_WIN_SCORE = 40000;
constexpr i32 FAST21_CARD_POINTS = 100;
constexpr i32 FAST21_TWENTY_ONE_POINTS = 1000;
constexpr i32 FAST21_FIVE_CARDS_POINTS = 750;
constexpr i32 FAST21_REFUSAL_POINTS = -100;
constexpr i32 FAST21_DECK_CLEARED_POINTS = 10000;

class Fast21Solitaire : public ArcadeSolitaireGame
{
 public:
   static void ReflectionRegister();
   static Fast21Solitaire instance;

   i32 GameNumberGet() override { return 58; }
   const char* GameNameGet() override { return "Fast21Solitaire"; }
   const char* LayerNameGet() override { return "ArcadeSolitaireGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::Fast21Solitaire"; }
   u32 TimeLimitGet() override { return 90000; }
   // 10 points for each started second left.
   i32 TimeBonusGet() override;

   void Init() override;
   void SubgameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card) override;
   void CardDropRefusedNotify(CardPile* pile, CardPile* oldPile, Card* card) override;
   void ScoreTake() override;
   void PileValuesRefresh() override;

   void MiscNumberShow();
   void Misc2NumberShow();

   // Hands cleared with five cards, and at 21, in this round.
   i32 charlieCount = 0;
   i32 twentyOneCount = 0;
};
} // namespace Corvale
