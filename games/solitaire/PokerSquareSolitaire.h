// Poker square: each turned card goes into an empty cell of a five-by-five grid or onto a small
// discard pile; the full grid's five rows and five columns score as poker hands, 100 points to win.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"
#include "core/Table.h"

namespace Corvale
{
constexpr i32 POKER_SQUARE_SIZE = 5;
constexpr i32 POKER_SQUARE_CELL_COUNT = POKER_SQUARE_SIZE * POKER_SQUARE_SIZE;
constexpr i32 POKER_SQUARE_DISCARDS_MAX = 5;
constexpr i32 POKER_SQUARE_WIN_SCORE = 100;

class PokerSquareSolitaire : public TraditionalSolitaireGame
{
 public:
   static PokerSquareSolitaire instance;
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 73; }
   const char* GameNameGet() override { return "PokerSquareSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::PokerSquareSolitaire"; }

   void Init() override;
   void Deinit() override;
   void GameNew() override;
   void Refresh() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   // The game is won or lost by its score, so the results show it.
   bool ScoreShownCheck() override { return true; }
   // The ten hands of the grid by the point table.
   i32 ScoreGet() override;

   // The points of a hand category; 0 for high card and anything unknown.
   static i32 HandPointsGet(i32 handType);

 private:
   // The cards of the line's cells in order up to the first empty one, ranked and valued.
   i32 LinePointsGet(i32 firstCell, i32 step);

   // The hand being scored; its cards are the grid's.
   Table<Card*> scratch;
};
} // namespace Corvale
