// The base of the solitaires played in rounds against a countdown: the round counter, a score in
// the first player's minigame score, the score, misc, round and time-left displays, the pile value
// displays, an optional take-score button and a results popup between rounds.
#pragma once

#include "cardgame/solitaire/SolitaireGame.h"
#include "core/Table.h"
#include "gui/popup/MessageBoxPopup.h"

namespace Corvale
{
class LabelWidget;
class NumberLabelWidget;
class PressButtonWidget;

constexpr i32 ARCADE_PILE_VALUE_LABELS_COUNT = 5;

class ArcadeSolitaireGame : public SolitaireGame
{
 public:
   static void ReflectionRegister();

   const char* ReflectionTypeNameGet() override { return "Corvale::ArcadeSolitaireGame"; }
   void Init() override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void GUIInit(LayerWidget* pushedLayer) override;
   // A fresh deck in the stock, then the first round.
   void GameNew() override;
   void SubgameNew() override;
   bool Load(JSONValue* document) override;
   void ResultsShow() override;
   void ResultsHide() override;
   void ControlsRefresh() override;
   // Only the turned card is ever picked up.
   bool CardPickUpCheck(Card* card) override;

   // The arcade solitaire's own operations, in their virtual order.
   virtual u32 TimeLimitGet() = 0;
   // 100 points for each started second left.
   virtual i32 TimeBonusGet();
   virtual void ScoreTake() {}
   virtual void PileValuesRefresh() {}

   // Saturates at the limits of a 32-bit score.
   void ScoreAdd(i32 points);
   // Ends the round: the flag, the countdown stopped (so the results show the bonus that was
   // added) and the take-score button disabled.
   void RoundOverSet();
   // Takes the round's score once: a second press or the clock running out during the round's
   // end would add the bonus again and end the next round as soon as it began.
   void ScoreTakeOnce();
   // The time left rounded up to a tenth of a second; a NumberLabelWidget format function.
   static bool TimeLeftFormat(double seconds, char* buffer, u32 bufferSize, void* userData);

   LabelWidget* scoreText = nullptr;
   LabelWidget* miscText = nullptr;
   LabelWidget* misc2Text = nullptr;
   LabelWidget* roundText = nullptr;
   LabelWidget* timeLeftText = nullptr;
   NumberLabelWidget* scoreNumber = nullptr;
   NumberLabelWidget* miscNumber = nullptr;
   NumberLabelWidget* misc2Number = nullptr;
   NumberLabelWidget* roundNumber = nullptr;
   NumberLabelWidget* timeLeftNumber = nullptr;
   Table<NumberLabelWidget*> pileValueLabels;
   PressButtonWidget* takeScoreButton = nullptr;
   u32 countdownTimer = 0;
   bool countdownTimerStarted = false;
   i32 roundIndex = -1;
   bool roundOver = false;

   // What follows a round's end with that total: the next round, a game ended unwon, or a win.
   enum RoundOutcome : i32
   {
      ROUND_OUTCOME_NEXT = 0,
      ROUND_OUTCOME_DRAW = 1,
      ROUND_OUTCOME_WIN = 2
   };
   // After the second-last round a total below gate ends the game; after the last, win or more wins.
   static RoundOutcome RoundOutcomeGet(i32 roundIndex, i32 score, i32 roundCount, i32 gate, i32 win);

 protected:
   i32 ScoreGet();
   void ScoreNumberRefresh();
   void RoundNumberRefresh();
   // Whether the round still runs: no result and the hand not over.
   bool RoundRunningCheck();
   // The first placement of a round starts the clock, unless the round has already ended.
   void CountdownStart();
   // Every card onto the stock in card-ID order (so that the shuffle never depends on where a
   // loaded game kept them), face down, shuffled; the round waits for the cards to arrive.
   void RoundCardsGather();
   // The action that follows the round's end under these gates.
   void RoundOutcomePost(i32 roundCount, i32 gate, i32 win);
   void PileValueShow(i32 index, i32 value);
   CardPile* StockGet();
   // Turns the stock's top card onto an empty Flip pile; true when the deck is used up (the Flip
   // pile and the stock both empty).
   bool TurnedCardRefill();
   static void OnTakeScoreClick(PressButtonWidget* button, void* game);

   // The wall games: Tableau piles 1 to positions, one card each, some covering others, and the
   // current card on the Foundation.
   CardPile* CurrentPileGet();
   // The covering table's pair for the card's wall position (entry 0 is position 1; 0 for none),
   // -1 for a card outside the wall.
   static void WallCoveringPilesGet(const Card* card, const i32 (*table)[2], i32 positions, i32* first,
                                    i32* second);
   // One card to every wall position, in the constants' order, then one face up to the Foundation.
   void WallDeal(bool faceUp);
   // The current card turned down under the stock at once, then queued face up into the
   // highest-numbered empty wall position, when there is one.
   void CurrentCardReturn(i32 positions);
   bool WallEmptyCheck();
};

// The results between rounds: the time bonus, the round's score and the total; OK plays on.
class ArcadeSolitaireResultsPopup : public MessageBoxPopup
{
 public:
   ArcadeSolitaireResultsPopup();

   static ArcadeSolitaireResultsPopup instance;

   void Open() override;
   void Close(bool withTransition) override;
   void Deinit() override;
   void LayerInit(LayerWidget* pushedLayer) override;

   // The next round while the game runs, else a new game.
   static void OnContinue(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   ArcadeSolitaireGame* game = nullptr;
};
} // namespace Corvale
