// Three Towers: three towers of 28 cards dealt face down, cleared by playing free cards one rank
// above or below the current card; each run scores more with every card and each peak a growing
// bonus; three rounds of a minute.
#pragma once

#include "cardgame/solitaire/ArcadeSolitaireGame.h"

namespace Corvale
{
constexpr i32 THREE_TOWERS_WALL_POSITIONS = 28;
constexpr i32 THREE_TOWERS_FIRST_PEAK = 26;
constexpr i32 THREE_TOWERS_ROUND_COUNT = 3;
constexpr i32 THREE_TOWERS_GATE_SCORE = 50000;
constexpr i32 THREE_TOWERS_WIN_SCORE = 75000;
constexpr i32 THREE_TOWERS_RUN_POINTS = 100;
constexpr i32 THREE_TOWERS_PEAK_POINTS = 5000;
constexpr i32 THREE_TOWERS_TURN_POINTS = -100;

class ThreeTowersSolitaire : public ArcadeSolitaireGame
{
 public:
   static void ReflectionRegister();
   static ThreeTowersSolitaire instance;

   // The wall positions that cover each position, 1 to 28; 0 for none.
   static const i32 coveringTable[THREE_TOWERS_WALL_POSITIONS][2];

   i32 GameNumberGet() override { return 87; }
   const char* GameNameGet() override { return "ThreeTowersSolitaire"; }
   const char* LayerNameGet() override { return "ArcadeSolitaireGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::ThreeTowersSolitaire"; }
   u32 TimeLimitGet() override { return 60000; }

   void Init() override;
   void SubgameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   bool CardChooseOnClickCheck(Card* card) override;
   void CardChoose(Card* card) override;
   void CardCoveringPilesGet(Card* card, i32* first, i32* second) override;
   bool CardPlayableCheck(Card* card) override;
   void ScoreTake() override;

   // Shows CurrentRun on the second counter.
   void MiscNumberShow();

   // Cards played since the stock last turned, and peaks cleared, in this round.
   i32 CurrentRun = 0;
   i32 towerClear = 0;
   // Kept in the saved game for its format; the rules never read them.
   i32 twentyOneCount = 0;
   i32 selected = -1;

 private:
   // An uncovered wall card and the current card one rank apart, King and Ace included.
   bool CardPlaysCheck(Card* card);
};
} // namespace Corvale
