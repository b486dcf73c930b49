// The base of the trick-taking games: the trick in progress, each player's record of every trick
// of the hand, the Trick piles in play order, taking a finished trick to its winner, the default
// winner rule, questions about the cards already played and the trick review.
#pragma once

#include "cardgame/NonSolitaireFrontendBasedCardGame.h"
#include "cardgame/TrickTakingGamePlayerHistoryEntry.h"

namespace Corvale
{
class Card;
class CardPile;
class PressButtonWidget;
class TrickReviewHandPopup;
class TrickTakingGamePlayer;

class TrickTakingGame : public NonSolitaireFrontendBasedCardGame
{
 public:
   static void ReflectionRegister();

   // Minigame and card game.
   void Init() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   bool Load(JSONValue* document) override;
   void ControlsRefresh() override;
   bool BusyCheck() override;
   const char* ReflectionTypeNameGet() override { return "Corvale::TrickTakingGame"; }

   // The trick games' own operations, in their virtual order.
   virtual void TrickBegin();
   virtual i32 TricksPerHandGet() = 0;
   virtual const char* TrickReviewLayerNameGet() { return "TrickReviewPrevious4Players"; }
   virtual const char* TrickReviewHandLayerNameGet() { return "TrickReviewHand4Players"; }
   virtual TrickReviewHandPopup* TrickReviewHandPopupCreate();
   virtual bool TrickPointsShownCheck() { return false; }
   virtual i32 CardPointsGet(const Card* card)
   {
      (void)card;
      return 0;
   }
   virtual i32 TrickPointsGet(i32 trickIndex);
   virtual i32 HandSortTypeGet();
   virtual bool TrickCompleteCheck();
   virtual void TrickReviewShow();
   virtual void TrickReviewHandShow();
   // The best card of the current trick and its owner; both null when nobody has played.
   virtual void TrickWinnerDetermine(Player** playerOut, Card** cardOut);

   // Called first by every trick game's SubgameNew.
   void HandBegin();
   // Marks the winner, then after the pause every card of the Trick piles flies to its Take pile.
   void TrickTake(Player* player);
   Player* TrickLeaderGet(i32 trickIndex);
   Player* TrickWinnerGet(i32 trickIndex);
   Card* TrickLeadCardGet();
   i32 TrickCardsPlayedCount();
   bool SuitPlayedCheck(i32 suit);
   bool CardPlayedCheck(i32 rank, i32 suit);
   // The card lies in the active player's Hand and either no card is led, it has the led suit,
   // or that Hand holds no card of the led suit.
   bool TrickCardFollowsSuitCheck(const Card* card);
   void TrickReviewButtonUpdate();
   // Trick piles in play order from the current leader, drawn in that order, the unused ones
   // hidden.
   void TrickPilesArrange();
   // The player at that index of the table when it keeps a trick history, else null.
   TrickTakingGamePlayer* TrickPlayerGet(i32 index);
   // The card that player gave to the trick, or null.
   Card* TrickCardGet(const TrickTakingGamePlayer* player, i32 trickIndex);

   static void OnTrickReviewPreviousClick(PressButtonWidget* button, void* game);

 protected:
   // The first player whose entry for that trick has the flag set.
   Player* TrickFlaggedPlayerGet(i32 trickIndex, bool TrickTakingGamePlayerHistoryEntry::*flag);
   // A card of that suit (and rank; RANK_NONE: any) given to a trick of this hand so far.
   bool CardOfHandPlayedCheck(i32 rank, i32 suit);

 public:
   i32 trickIndexCurrent = -1;
   PressButtonWidget* trickReviewPreviousButton = nullptr;
   i32 delayTrickTake = 0;
};
} // namespace Corvale
