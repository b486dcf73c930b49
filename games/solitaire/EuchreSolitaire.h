// Euchre solitaire: the player's five cards against the computer's stock, trick by trick, with the
// turned-up card proposing trump, the two bowers, a doubled stake and hands played to 10 points.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
class LabelWidget;
class NumberLabelWidget;

constexpr i32 EUCHRE_SOLITAIRE_HAND_SIZE = 5;
constexpr i32 EUCHRE_SOLITAIRE_TARGET = 10;
constexpr u32 EUCHRE_SOLITAIRE_TRICK_PAUSE = 600;
// Holds tricksTaken and the two turn flags in index, playerScore in pileID and aiScore in cardID,
// from before a trick's end or a change of turn.
constexpr i32 UNDO_RECORD_EUCHRE_STATE = 7;
// Holds the two score changes in index and pileID and the player's game score in cardID, from
// before a hand was scored.
constexpr i32 UNDO_RECORD_EUCHRE_SCORE_CHANGE = 8;

// The four score pairs of the table: a number and its caption each.
enum EuchreSolitaireDisplay : i32
{
   EUCHRE_DISPLAY_SCORE = 0,
   EUCHRE_DISPLAY_AI_SCORE = 1,
   EUCHRE_DISPLAY_ROUND = 2,
   EUCHRE_DISPLAY_TRICKS_TAKEN = 3,
   EUCHRE_DISPLAY_COUNT = 4
};

class EuchreSolitaire : public TraditionalSolitaireGame
{
 public:
   static EuchreSolitaire instance;
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 57; }
   const char* GameNameGet() override { return "EuchreSolitaire"; }
   const char* LayerNameGet() override { return "EuchreSolitaireGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::EuchreSolitaire"; }

   void Init() override;
   void Deinit() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void GameNew() override;
   void SubgameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   void ResultsShow() override;
   void ResultsHide() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   bool ScoreShownCheck() override { return true; }
   i32 ScoreGet() override { return playerScore; }
   void UndoRecordReplay(const UndoRecord& record) override;

   // Euchre solitaire's own operations, in their virtual order.
   virtual i32 AIScoreGet() { return aiScore; }
   virtual i32 PlayerScoreChangeGet() { return playerScoreChange; }
   virtual i32 AIScoreChangeGet() { return aiScoreChange; }
   virtual i32 TricksTakenGet() { return tricksTaken; }
   virtual void DoubleStakeSet(bool value) { doubleStake = value; }
   virtual bool GameRunningCheck() { return gameResult == MINIGAME_RESULT_RUNNING; }
   // Kept for the order of the operations; nothing asks it.
   virtual i32 ReservedValueGet() { return 45000; }
   // -1 when the Flip pile is empty.
   virtual i32 TurnUpCardSuitGet();
   virtual i32 TurnUpCardRankGet();
   virtual void SecondarySuitSet(Suit suit) { secondarySuit = suit; }
   virtual Suit SecondarySuitGet() { return secondarySuit; }
   // The turned-up card to the Waste when trump is its suit (the player must answer it), else to
   // the Discard pile.
   virtual void TurnUpCardDispose();
   virtual void HandScore();
   // Kept for the order of the operations; it does nothing.
   virtual void ReservedOperation() {}
   virtual bool ComputerMayFollowCheck(Card* card);
   virtual bool PlayerMayFollowCheck(Card* card);
   // Whether card beats the led card.
   virtual bool CardBeatsCheck(Card* card, Card* led);
   // Some top card of the player's five piles has that effective suit.
   virtual bool HandHoldsSuitCheck(i32 suit);
   virtual bool HandEmptyCheck();

   // The card's suit, except that the left bower counts as trump.
   i32 EffectiveSuitGet(const Card* card);
   bool RightBowerCheck(const Card* card);
   bool LeftBowerCheck(const Card* card);

   // The suit popup's choices. Pick up: the turned-up card's suit becomes trump. Pass: the popup
   // offers the other suits; the stake takes the double-down state. A suit: trump is chosen with
   // the double-down state. False when trump is already chosen or the suit cannot be.
   bool TrumpPickUp(bool doubleDown);
   void TrumpPass(bool doubleDown);
   bool TrumpSuitChoose(i32 suit, bool doubleDown);

   // The four score pairs from the fields.
   void ScoreDisplaysUpdate();

   // Saved.
   bool playerTurn = true;
   bool aiPlaying = false;
   i32 tricksTaken = 0;
   i32 playerScore = 0;
   i32 aiScore = 0;
   i32 playerScoreChange = 0;
   i32 aiScoreChange = 0;
   bool doubleStake = false;
   bool roundStart = false;
   Suit secondarySuit = SUIT_NONE;
   i32 roundIndex = -1;

   NumberLabelWidget* displayNumbers[EUCHRE_DISPLAY_COUNT] = {};
   LabelWidget* displayTexts[EUCHRE_DISPLAY_COUNT] = {};

 private:
   CardPile* TablePileGet(i32 type) { return CardPileGet(type, -1, -1); }
   // Records the turn fields and scores before they change, so that an undo puts them back with
   // the cards.
   void StateRecord();
   void TrickResolve(CardPile* waste, CardPile* foundation);
   void DisplaysForget();
};
} // namespace Corvale
