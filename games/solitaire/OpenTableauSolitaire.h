// The skeleton that the open tableau solitaires share: one shuffled stock dealt into columns, top
// cards played one at a time, the stock clicks of the games that keep one, and the refresh that
// runs each game's end-of-move steps once the table is still.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
// How a card builds on another: the rank step, which suits may follow, and whether King and Ace
// are neighbours.
struct BuildRule
{
   i32 direction;
   i32 suitRule;
   bool wrap;
};

constexpr i32 BUILD_UP = 0;
constexpr i32 BUILD_DOWN = 1;
constexpr i32 BUILD_EITHER = 2;
constexpr i32 BUILD_ANY_SUIT = 0;
constexpr i32 BUILD_SAME_SUIT = 1;
constexpr i32 BUILD_OTHER_SUIT = 2;
constexpr i32 BUILD_OTHER_COLOR = 4;

class OpenTableauSolitaire : public TraditionalSolitaireGame
{
 public:
   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;

   // The member's rows of the family's tables.
   virtual i32 DecksCountGet() { return 1; }
   virtual void Deal() = 0;
   // Whether the pile's top card may be picked up; the default takes columns and reserves.
   virtual bool PilePickUpCheck(const CardPile* pile);
   // Runs once the table is still and the player may act: turns, end tests.
   virtual void RefreshSteps() = 0;
   // The stock's card acts on one click; the default: never.
   virtual bool StockClickActsCheck() { return false; }
   virtual void StockClick() {}

   CardPile* StockGet();
   CardPile* ColumnGet(i32 index);
   CardPile* FoundationGet(i32 index);
   CardPile* ReserveGet(i32 index);
   i32 PilesOfTypeCountGet(i32 type);

 protected:
   // The card and the cards carried with it.
   i32 MovingCountGet(const Card* card);
   // The pile holds at most limit cards once the moving cards are on it.
   bool CountLimitCheck(const CardPile* pile, const Card* card, i32 limit);
   // card may lie on the pile's top card by the rule; false on an empty pile.
   static bool BuildsOnCheck(const CardPile* pile, const Card* card, const BuildRule& rule);
   // Turns the face-down top card of each of the first count columns; true when one turned.
   bool ColumnTopsTurn(i32 count);
   // Every pile of the type with a secondary ID below count holds no card.
   bool PilesEmptyCheck(i32 type, i32 count);
};
} // namespace Corvale
