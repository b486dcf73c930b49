// Pick 2: a wall of 33 cards in six overlapping rows, cleared in pairs of equal or neighbouring
// rank, with a current card from the stock to pair with; three rounds of a minute.
#pragma once

#include "cardgame/solitaire/ArcadeSolitaireGame.h"

namespace Corvale
{
constexpr i32 PICK2_WALL_POSITIONS = 33;
constexpr i32 PICK2_ROUND_COUNT = 3;
constexpr i32 PICK2_GATE_SCORE = 80000;
constexpr i32 PICK2_WIN_SCORE = 120000;
constexpr i32 PICK2_EQUAL_PAIR_POINTS = 3000;
constexpr i32 PICK2_NEIGHBOUR_PAIR_POINTS = 500;
constexpr i32 PICK2_WALL_CLEARED_POINTS = 10000;

class Pick2Solitaire : public ArcadeSolitaireGame
{
 public:
   static void ReflectionRegister();
   static Pick2Solitaire instance;

   // The wall positions that cover each position, 1 to 33; 0 for none.
   static const i32 coveringTable[PICK2_WALL_POSITIONS][2];

   i32 GameNumberGet() override { return 72; }
   const char* GameNameGet() override { return "Pick2Solitaire"; }
   const char* LayerNameGet() override { return "ArcadeSolitaireGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::Pick2Solitaire"; }
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

   void MiscNumberShow();
   void Misc2NumberShow();

   // Pairs of neighbouring and of equal rank removed in this round, and the selected card's ID.
   i32 charlieCount = 0;
   i32 twentyOneCount = 0;
   i32 selected = -1;

 private:
   // An exposed wall card or the current card: the cards a choice may pair.
   bool CardPairableCheck(Card* card);
};
} // namespace Corvale
