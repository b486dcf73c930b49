// Hearts: four players alone, the whole pack dealt, three cards passed before most hands, a
// point for each heart taken and thirteen for the queen of spades; the game ends when someone
// passes 99 and the lowest score wins.
#pragma once

#include "cardgame/tricktaking/TrickTakingGame.h"
#include "cardgame/tricktaking/TrickTakingGamePlayer.h"
#include "core/Table.h"

namespace Corvale
{
class Sound;

enum HeartsPassDirection : i32
{
   HEARTS_PASS_LEFT = 0,
   HEARTS_PASS_RIGHT = 1,
   HEARTS_PASS_ACROSS = 2,
   HEARTS_PASS_NONE = 3
};

class HeartsPlayer : public TrickTakingGamePlayer
{
 public:
   void Clear() override;
   void Deinit() override;
   const char* ReflectionTypeNameGet() const override { return "Corvale::HeartsPlayer"; }

   static void ReflectionRegister();

   // The cards passed this hand, in the order of the Hand.
   Table<i32> cardsPassedIDs;
};

class Hearts : public TrickTakingGame
{
 public:
   static void ReflectionRegister();
   static Hearts instance;

   i32 GameNumberGet() override { return 14; }
   const char* GameNameGet() override { return "Hearts"; }
   const char* LayerNameGet() override { return "NonSolitaireFrontendBasedCardGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::Hearts"; }
   Player* PlayerCreate() override;
   i32 PlayersMinimumGet() override { return 4; }
   i32 PlayersMaximumGet() override { return 4; }
   i32 TeamsCountGet() override { return 0; }
   i32 TricksPerHandGet() override { return 13; }
   const char* TrickReviewHandLayerNameGet() override { return "TrickReviewHandHearts"; }
   bool TrickPointsShownCheck() override { return true; }
   i32 CardPointsGet(const Card* card) override;
   TrickReviewHandPopup* TrickReviewHandPopupCreate() override;

   void Init() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void Deinit() override;
   void TextsRefresh() override;
   void GameNew() override;
   void SubgameNew() override;
   void TurnBegin() override;
   void Refresh() override;
   void AITurnTake() override;
   bool CommandExecute(const Command& command) override;
   void ControlsRefresh() override;
   void HandsSort() override;
   void ResultsShow() override;
   void ResultsHide() override;

   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void CardChoose(Card* card) override;
   void CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card) override;
   void CardDropRefusedNotify(CardPile* pile, CardPile* oldPile, Card* card) override;

   // The one rule of what the active player may play; when nothing in its Hand would be legal,
   // every card of it is.
   bool CardLegalCheck(const Card* card);
   bool HeartsBrokenCheck();
   // The player passed to in the current direction; the player itself when nobody is.
   Player* PassTargetGet(Player* player);
   void PassButtonUpdate();
   void FirstTrickLeaderSet();
   // Scores the finished hand and posts the hand's or the game's end.
   void HandScore();
   // The results' OK: the next hand while the game runs, else a new game.
   void ResultsContinue();

   i32 passDirection = HEARTS_PASS_NONE;
   bool passingComplete = true;

 protected:
   // The legality rule before the fallback that every card is legal when none is.
   bool CardLegalStrictCheck(const Card* card);
   void PassingAIChoose();
   Card* PlayAIChoose();
   void PassExchange();
   bool PassingSelectionsCompleteCheck();
   void GlassBreakPlay();

   Sound* glassBreakSound = nullptr;
};
} // namespace Corvale
