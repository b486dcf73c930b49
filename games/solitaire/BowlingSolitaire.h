// Bowling solitaire: ten frames of ten-pin bowling played with a deck. Turned cards either stand
// on ten pin piles in ascending rank order or go into two balls of fixed size; the pins filled
// when a ball is full are the pins it knocked down. 230 points win.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
class LabelWidget;

constexpr i32 BOWLING_PIN_COUNT = 10;
constexpr i32 BOWLING_FRAME_COUNT = 10;
constexpr i32 BOWLING_THROW_COUNT = 21;
constexpr i32 BOWLING_WIN_SCORE = 230;
// Frame score answers: the frame is not complete, or its bonus balls are not yet known.
constexpr i32 BOWLING_FRAME_INCOMPLETE = -1;
constexpr i32 BOWLING_FRAME_BONUS_PENDING = -2;
// Bowling's own undo record: a throw written by the refresh. index is the entry, pileID its old
// value, cardID the old throw index and faceUp the old first-ball flag.
constexpr i32 UNDO_RECORD_BOWLING_THROW = 7;

class BowlingSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();
   static BowlingSolitaire instance;

   BowlingSolitaire();

   i32 GameNumberGet() override { return 47; }
   const char* GameNameGet() override { return "BowlingSolitaire"; }
   const char* LayerNameGet() override { return "BowlingSolitaireGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::BowlingSolitaire"; }

   void Init() override;
   void Deinit() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void GameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   bool ScoreShownCheck() override { return true; }
   i32 ScoreGet() override;
   void UndoRecordReplay(const UndoRecord& record) override;

   // Bowling's own operations, in their virtual order.
   virtual void GameOver();
   virtual void ScoreSheetUpdate();
   virtual i32 FrameScoreGet(i32 frame);

   // The running total after frame (1-10) by the bowling rules, from the throws and the throw
   // index; BOWLING_FRAME_INCOMPLETE or BOWLING_FRAME_BONUS_PENDING while it is not known.
   static i32 FrameScoreCompute(const i32* throws, i32 throwIndex, i32 frame);
   // The score sheet's mark for one throw box: "X", "/", "-", a number, or empty.
   static void ThrowMarkGet(const i32* throws, i32 throwIndex, i32 entry, char* buffer, u32 bufferSize);

   i32 BallSizeGet();
   CardPile* StockGet();
   CardPile* TurnedGet();
   CardPile* BallGet(i32 ball);
   CardPile* PinGet(i32 pin);

   // The rank of each pin's top card at the last refresh; 0 for an empty pin.
   i32 pinRanks[BOWLING_PIN_COUNT] = {};
   // Saved.
   Table<i32> throws;
   i32 throwIndex = 0;
   bool firstBall = true;

   LabelWidget* throwLabels[BOWLING_THROW_COUNT] = {};
   LabelWidget* frameLabels[BOWLING_FRAME_COUNT] = {};

 private:
   void ThrowsReset();
   // Writes a throw, recording the entry, the throw index and the flag for undo first.
   void ThrowWrite(i32 entry, i32 pins);
   // A loaded document's throws made whole: 21 entries of -1 to 10, an index of 0 to 21.
   void ThrowsRepair();
   void LabelsForget();
};
} // namespace Corvale
