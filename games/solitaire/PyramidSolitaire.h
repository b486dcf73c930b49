// Pyramid: twenty-eight cards in seven overlapping rows; Kings go singly and pairs of free cards
// adding up to 13 go together, chosen by clicks; the stock is turned once through.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 PYRAMID_ROW_COUNT = 7;
constexpr i32 PYRAMID_PILE_COUNT = 28;
constexpr i32 PYRAMID_PAIR_SUM = 13;

class PyramidSolitaire : public TraditionalSolitaireGame
{
 public:
   static PyramidSolitaire instance;
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 74; }
   const char* GameNameGet() override { return "PyramidSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::PyramidSolitaire"; }

   void Init() override;
   bool Load(JSONValue* document) override;
   void GameNew() override;
   void Refresh() override;
   void Undo() override;
   // Every card acts on one click; nothing is ever dragged (the pick-up and drop rules refuse).
   bool CardChooseOnClickCheck(Card* card) override { return card != nullptr; }
   void CardChoose(Card* card) override;
   void CardCoveringPilesGet(Card* card, i32* first, i32* second) override;
   bool CardPlayableCheck(Card* card) override;

   // A card that may be removed now: a Reserve card, the top of the Waste or Flip pile, or a
   // pyramid card that nothing covers.
   bool CardAvailableCheck(Card* card);
   // Some available King, or two available cards of different piles that add up to 13.
   bool PairExists();

   // Saved: the first card of a pair between two clicks; -1 for none.
   i32 selectedCardID = -1;

 private:
   void SelectionClear();
   void FoundationMoveQueue(Card* card);
};
} // namespace Corvale
