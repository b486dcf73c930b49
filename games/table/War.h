// War: two players turn up the top cards of their piles, the higher card takes both, and equal
// cards start a war of face-down cards decided by the next face-up pair.
#pragma once

#include "cardgame/NonSolitaireFrontendBasedCardGame.h"
#include "cardgame/Player.h"

namespace Corvale
{
class CardPile;

class WarPlayer : public Player
{
 public:
   void Clear() override;
   const char* ReflectionTypeNameGet() const override { return "Corvale::WarPlayer"; }

   static void ReflectionRegister();

   // Saved with the game, so that a war limit still ends a loaded game at the same war.
   i32 warsWon = 0;
};

class War : public NonSolitaireFrontendBasedCardGame
{
 public:
   static void ReflectionRegister();
   static War instance;

   i32 GameNumberGet() override { return 36; }
   const char* GameNameGet() override { return "War"; }
   const char* LayerNameGet() override { return "NonSolitaireFrontendBasedCardGame"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::War"; }
   Player* PlayerCreate() override;
   i32 PlayersMinimumGet() override { return 2; }
   i32 PlayersMaximumGet() override { return 2; }

   void Init() override;
   void TextsRefresh() override;
   void GameNew() override;
   void AITurnTake() override;
   void TurnBegin() override;
   void ResultsShow() override;
   void ResultsHide() override;
   void Refresh() override;
   bool CardChooseOnClickCheck(Card* card) override;
   void CardChoose(Card* card) override;

   CardPile* DrawPileGet(i32 seat);
   CardPile* TrickPileGet(i32 seat);
   // The wars seat 0 or 1 has won; 0 for a seat that is missing.
   i32 WarsWonGet(i32 seat);
   // Cards a war puts face down: 5 in peace, else 3.
   i32 WarCardsGet();
   // The number of won wars that ends the game; 0 when only the cards end it.
   i32 WarLimitGet();
   // The seat whose card wins a battle of these ranks (1 to 13, the ace high); -1 on equal ranks.
   i32 BattleWinnerGet(i32 rank0, i32 rank1);
   // The seat the game's end names, -1 while it goes on.
   i32 WinnerSeatGet();
   // The card the player on turn may play now, or null.
   Card* PlayableCardGet();

   bool inWar = false;
   i32 delayShowCards = 0;

 protected:
   void EndCheck();
};
} // namespace Corvale
