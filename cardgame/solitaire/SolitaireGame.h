// The base of every solitaire: one player, the playable-card and drop-target highlights, the
// legality questions built on the game's pick-up and drop rules, and the one-player game end.
#pragma once

#include "cardgame/FrontendBasedCardGame.h"

namespace Corvale
{
class SolitaireGame : public FrontendBasedCardGame
{
 public:
   static void ReflectionRegister();

   const char* ReflectionTypeNameGet() override { return "Corvale::SolitaireGame"; }
   i32 PlayersCountGet() override { return 1; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return 1; }
   void Update(u32 elapsed) override;
   void GameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   void GameWin() override;
   void GameLose() override;
   void GameDraw() override;

   // The solitaire's own questions, in their virtual order.
   virtual bool CardPlayableCheck(Card* card);
   virtual bool CardMoveToPileCheck(CardPile* pile, Card* card);
   // The secondary IDs of up to two Tableau piles whose cards cover the card; -1 for none.
   virtual void CardCoveringPilesGet(Card* card, i32* first, i32* second);
   virtual bool CardCoveredCheck(Card* card);

   void PlayableCardsHighlight();
   void DropTargetsHighlight(Card* card);
   // No modal layer over the game, the player may act, nothing queued and no card moving.
   bool MayActCheck();
   // Queues the source's top card onto each empty pile of the type with a secondary ID from first
   // to last, while the source lasts; true when any of those piles holds cards.
   bool EmptyPilesFill(i32 type, i32 first, i32 last, CardPile* source);

 protected:
   // The card whose widget a usable pointer holds down, or null.
   Card* CardHeldGet();
   void PlayerWinnerSet(bool winner);
};
} // namespace Corvale
