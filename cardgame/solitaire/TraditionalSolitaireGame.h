// The base of the untimed solitaires: an undo history that records every change to the cards and
// takes back one whole move at a time, the won and lost steps, the score, and the results popup.
#pragma once

#include "cardgame/solitaire/SolitaireGame.h"

namespace Corvale
{
enum UndoRecordType : i32
{
   UNDO_RECORD_CARD_PLACED = 0,
   UNDO_RECORD_STACK_MOVED = 1,
   UNDO_RECORD_CARD_TURNED = 2,
   UNDO_RECORD_PILE_SHUFFLED = 3,
   UNDO_RECORD_GAME_WON = 4,
   UNDO_RECORD_GAME_LOST = 5,
   UNDO_RECORD_TALON_RESET = 6
};

constexpr i32 UNDO_HISTORY_CAPACITY = 1024;
constexpr i32 ACTION_UNDO_HISTORY_CLEAR = 2;

struct UndoRecord
{
   i32 type = 0;
   // True on the oldest record of one move.
   bool moveBegins = false;
   u32 seed1 = 0;
   u32 seed2 = 0;
   i32 index = -1;
   i32 pileID = -1;
   i32 cardID = -1;
   bool faceUp = false;
};

// Newest first, in nodes recycled through a pool of a fixed capacity: a long game keeps only its
// newest records and never allocates once the pool is full.
class UndoHistory
{
 public:
   UndoHistory() = default;
   ~UndoHistory();
   UndoHistory(const UndoHistory&) = delete;
   UndoHistory& operator=(const UndoHistory&) = delete;

   // Frees every node first; the new capacity's nodes wait in the pool.
   void CapacitySet(i32 capacityNew);
   // Every record back to the pool.
   void Clear();
   // A full history gives up its oldest record first.
   void Push(const UndoRecord& record);
   const UndoRecord* NewestGet() const { return newest ? &newest->record : nullptr; }
   void NewestRemove();
   bool MoveBeginsAnyCheck() const;

   i32 count = 0;
   i32 capacity = 0;
   i32 freeCount = 0;

 private:
   struct Node
   {
      UndoRecord record;
      Node* older = nullptr;
      Node* newer = nullptr;
   };
   void NodeRelease(Node* node);
   // Takes the node out of the list, at either end, and recycles it.
   void NodeUnlink(Node* node);
   Node* newest = nullptr;
   Node* oldest = nullptr;
   Node* freeNodes = nullptr;
};

class TraditionalSolitaireGame : public SolitaireGame
{
 public:
   static void ReflectionRegister();

   const char* ReflectionTypeNameGet() override { return "Corvale::TraditionalSolitaireGame"; }
   // Most solitaires share one table layer: piles, cards, buttons and help labels, no extras.
   const char* LayerNameGet() override { return "TraditionalSolitaireGame"; }
   void Init() override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void TurnBegin() override;
   bool Load(JSONValue* document) override;
   void GameWin() override;
   void GameLose() override;
   void ResultsShow() override;
   void ResultsHide() override;
   bool ActionExecute(const Action& action) override;
   bool CommandExecute(const Command& command) override;
   bool UndoAllowedCheck() override;

   // The card operations record what they change before they act.
   void CardPileShuffle(CardPile* pile) override;
   void CardInsert(CardPile* pile, i32 index, Card* card) override;
   void CardAdd(CardPile* pile, Card* card) override;
   void CardStackAdd(CardPile* pile, Card* card) override;
   void CardAddToBottom(CardPile* pile, Card* card) override;
   void CardFaceUpSet(Card* card, bool faceUp, bool animate) override;
   // A player's move begins a new undo group.
   void CardChoose(Card* card) override;
   void CardInsertAndNotify(CardPile* pile, i32 index, Card* card) override;
   void CardAddAndNotify(CardPile* pile, Card* card) override;
   void CardStackAddAndNotify(CardPile* pile, Card* card) override;

   // The traditional solitaire's own operations, in their virtual order.
   virtual bool ScoreShownCheck() { return false; }
   virtual void Undo();
   virtual void UndoRecordReplay(const UndoRecord& record);
   // By default the cards on the Foundation piles.
   virtual i32 ScoreGet();

   void UndoRecordPush(const UndoRecord* record);
   // Empties the history in order with what is queued.
   void UndoHistoryClearPost();
   void UndoHistoryClear();
   // Whether some legal move changes more than which of two equal cards lies where: a lone card
   // counts unless it is a King going to an empty pile; a card with one under it counts when the
   // destination is empty, when that card differs in rank from the destination's top, or when a
   // Foundation would take that card next.
   bool UsefulMoveAnyCheck();
   // A Foundation takes the card as the next of its suit (an Ace on an empty one).
   bool FoundationNextCheck(const Card* card);

   UndoHistory undoHistory;
   bool undoMoveBegins = false;

 protected:
   void UndoRecordTyped(i32 type, i32 index, i32 pileID, i32 cardID, bool faceUp);
   // The card's place before a move takes it from its pile.
   void CardPlacedRecord(const Card* card);
   void GameEndRecord(i32 type, bool won);
   static void ResultsLayerFill(LayerWidget* layer, void* game);
};

// The first widget of that name anywhere under the container, depth first: results layers are
// filled by widget name, wherever their panels put them.
Widget* DescendantByNameFind(ContainerWidget* container, const char* name);

// The elapsed time in words ("1 Hours 2 Minutes 5 Seconds"), the seconds rounded up; a
// NumberLabelWidget format function. False when a unit text is missing or the text was cut.
bool TraditionalSolitaireTimeTextFormat(double seconds, char* buffer, u32 bufferSize, void* userData);
} // namespace Corvale
