// Crazy Eights: each player in turn plays a card that matches the top of the discard pile by rank
// or suit, or a wild eight that names a new suit; the first to empty his hand wins the hand. Very
// Crazy Eights adds the Two (draw two, answerable), the Jack (skip), the Queen of Hearts (draw five)
// and the King (reverse).
#pragma once

#include "cardgame/NonSolitaireFrontendBasedCardGame.h"

namespace Corvale
{
class Card;
class CardPile;

// The game's own commands beside the framework's.
constexpr i32 COMMAND_CRAZY_EIGHTS_SUIT = 12;
constexpr i32 COMMAND_CRAZY_EIGHTS_SUIT_CANCEL = 38;

class CrazyEights : public NonSolitaireFrontendBasedCardGame
{
 public:
   static void ReflectionRegister();
   static CrazyEights instance;

   i32 GameNumberGet() override { return 6; }
   const char* GameNameGet() override { return "CrazyEights"; }
   const char* DisplayNameGet() override;
   const char* LayerNameGet() override { return "NonSolitaireFrontendBasedCardGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CrazyEights"; }
   i32 PlayersMinimumGet() override { return 4; }
   i32 PlayersMaximumGet() override { return 4; }
   i32 PlayerPanelNameLineGet() override;
   const char* CardFrontStyleGet() override { return "CrazyEights"; }
   const char* CardBackStyleGet() override { return "CrazyEights"; }
   bool CardStyleChoiceCheck() override { return false; }

   void Init() override;
   void Deinit() override;
   void TextsRefresh() override;
   void GameNew() override;
   void SubgameNew() override;
   void PlayerActiveAdvance() override;
   void TurnBegin() override;
   void AITurnTake() override;
   void Refresh() override;
   void ResultsShow() override;
   void ResultsHide() override;
   void ControlsRefresh() override;
   bool CommandExecute(const Command& command) override;
   void HandsSort() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card) override;
   void CardDropRefusedNotify(CardPile* pile, CardPile* oldPile, Card* card) override;
   void CardDoubleClick(Card* card) override;
   void CardRightClick(Card* card) override;

   CardPile* DrawPileGet();
   CardPile* DiscardPileGet();
   CardPile* ActiveHandGet();
   bool VeryCrazyCheck();
   // 0 in a one-hand game, else the points that end the game.
   i32 TargetScoreGet();
   // The hand card to play or the Draw pile's top card to draw for the active player; null when
   // he can do neither.
   Card* PlayChoose();
   // The suit a computer names: the one it holds most of, ties to the lower suit.
   i32 SuitChoiceGet();
   // The cards of that suit in the hand, eights left out: the counts the suit popup shows.
   static i32 SuitCountGet(const CardPile* hand, i32 suit);
   // Whether the active player may take the Draw pile's top card now.
   bool DrawAllowedCheck();
   // A local human must name a suit now.
   bool HumanSuitChoiceCheck();
   // What a card left in a hand costs its holder: eight 50, picture cards 10, others their rank.
   static i32 CardValueGet(const Card* card);
   // An eight's suit as printed, after a named suit.
   static void CardPrintedSuitRestore(Card* card);
   // Shows a message box to the local human on turn.
   void MessageShow(const char* textKey);
   void HandEnd();

   bool choosingSuit = false;
   i32 consecutivePassCount = 0;
   bool lastTurnWasPassed = false;
   bool cardDiscarded = false;
   i32 cardDrawCount = 0;
   bool playProceedsRight = false;
   bool skipNextPlayer = false;
   i32 penaltyDrawCount = 0;
   i32 nextPlayerPenaltyDrawCount = 0;
   bool respondToTwo = false;
   bool nextPlayerRespondToTwo = false;
   bool respondToQueenOfHearts = false;
   bool nextPlayerRespondToQueenOfHearts = false;

 protected:
   void FieldsClear();
   void Say(const Player* player, const char* line, float probability = 0.5f);
};
} // namespace Corvale
