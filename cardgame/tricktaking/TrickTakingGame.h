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
   // A card given to a Trick pile whose owner has played to the current trick already is refused
   // here, whichever path brought it (a click, a drop, a computer's command).
   void CardInsertAndNotify(CardPile* pile, i32 index, Card* card) override;
   void CardAddAndNotify(CardPile* pile, Card* card) override;
   void CardStackAddAndNotify(CardPile* pile, Card* card) override;
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
   // The player gave a card to the current trick already.
   bool TrickSeatPlayedCheck(const Player* player);
   // A trick is open and the player has not given it a card yet: one card per seat and trick.
   // Input runs before the refresh that passes the turn, so a game's pick-up and drop checks ask
   // this rather than whose turn it is.
   bool TrickPlayAllowedCheck(const Player* player);
   // Whether a card may join the pile now: any pile but a Trick pile whose owner has played.
   bool TrickPileTakesCardCheck(const CardPile* pile);
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
   // The game's Trick piles in their present order.
   Table<CardPile*> TrickPilesGet();
   // The Trick pile widgets take the places they hold among their container's children in the
   // order of piles, so the first is drawn first.
   void TrickPileWidgetsOrder(const Table<CardPile*>& piles);

 public:
   i32 trickIndexCurrent = -1;
   PressButtonWidget* trickReviewPreviousButton = nullptr;
   i32 delayTrickTake = 0;
};
} // namespace Corvale
