// Slide: a four-by-six grid of face-up cards whose rows slide left or right under eight buttons,
// each slide pushing the Talon's card in at one end. Three equal ranks in consecutive rows of a
// column leave for the Foundation and score their rank times the number of triples so far.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
class NumberLabelWidget;

constexpr i32 SLIDE_ROW_COUNT = 4;
constexpr i32 SLIDE_COLUMN_COUNT = 6;
constexpr i32 SLIDE_WIN_SCORE = 300;
// Holds timesScored in index and score in pileID from before a triple raised them.
constexpr i32 UNDO_RECORD_SLIDE_SCORE = 7;

class SlideSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();
   static SlideSolitaire instance;

   i32 GameNumberGet() override { return 79; }
   const char* GameNameGet() override { return "SlideSolitaire"; }
   const char* LayerNameGet() override { return "SlideSolitaireGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::SlideSolitaire"; }

   void Init() override;
   void Deinit() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void GameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   bool ScoreShownCheck() override { return true; }
   i32 ScoreGet() override { return score; }
   void UndoRecordReplay(const UndoRecord& record) override;

   // The eight row buttons: "L1"-"L4" slide rows 0-3 to the left, any other name to the right.
   static void SlideButtonClick(PressButtonWidget* button, void* game);
   void RowSlideRight(i32 row);
   void RowSlideLeft(i32 row);
   void ScoreDisplayInit(LayerWidget* pushedLayer);

   CardPile* GridPileGet(i32 row, i32 column);

   // Saved.
   i32 timesScored = 0;
   i32 score = 0;

   NumberLabelWidget* scoreNumber = nullptr;
   Widget* scoreText = nullptr;

 private:
   // step is +1 for a slide to the right, -1 to the left.
   void RowSlide(i32 row, i32 step);
   // The Talon's card into the entry pile and the stock's top onto the Talon of that pile, if any.
   void EntryFill(CardPile* entry);
   // Removes the first triple found and scores it; false when there is none.
   bool TripleScore();
   void ScoreShow();
};
} // namespace Corvale
