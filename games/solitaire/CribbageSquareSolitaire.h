// Cribbage square: sixteen cards placed one at a time into a four by four square, its rows and
// columns scored as cribbage hands with a common starter, 75 points to win.
#pragma once

#include "cardgame/CribbageHandScorer.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
class NumberLabelWidget;

constexpr i32 CRIBBAGE_SQUARE_SIDE = 4;
constexpr i32 CRIBBAGE_SQUARE_CELLS = 16;
constexpr i32 CRIBBAGE_SQUARE_DISCARDS_MAX = 4;
constexpr i32 CRIBBAGE_SQUARE_WIN_SCORE = 75;
constexpr i32 CRIBBAGE_SQUARE_JACK_STARTER_BONUS = 2;

class CribbageSquareSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();
   static CribbageSquareSolitaire instance;

   i32 GameNumberGet() override { return 53; }
   const char* GameNameGet() override { return "CribbageSquareSolitaire"; }
   const char* LayerNameGet() override { return "CribbageSquareSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CribbageSquareSolitaire"; }

   void Init() override;
   void Deinit() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void GameNew() override;
   void Refresh() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   i32 ScoreGet() override;
   void ResultsShow() override;
   void ResultsHide() override;
   void UndoRecordReplay(const UndoRecord& record) override;

   // The points of row r (0-3) or, with column set, of column r, with the starter; null cells count
   // as missing cards.
   i32 LineScoreGet(i32 index, bool column);
   CardPile* CellGet(i32 cell);
   CardPile* StockGet();
   CardPile* NextCardGet();
   CardPile* DiscardGet();
   bool SquareFullCheck();
   void LabelsHide();

   CribbageHandScorer scorer;
   // "Row0".."Row3", then "Col0".."Col3"; null without a layer.
   NumberLabelWidget* lineLabels[2 * CRIBBAGE_SQUARE_SIDE] = {};

 private:
   static void ResultsLayerFill(LayerWidget* layer, void* game);
};
} // namespace Corvale
