// Sultan: two decks, eight Kings and an Ace of Hearts pulled out to nine foundations built up by
// suit round the corner, the centre King of Hearts left alone, eight one-card piles and two redeals.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
constexpr i32 SULTAN_COLUMN_COUNT = 8;
constexpr i32 SULTAN_FOUNDATION_COUNT = 9;
// The Ace of Hearts' foundation, and the centre King of Hearts that takes nothing.
constexpr i32 SULTAN_ACE_FOUNDATION = 1;
constexpr i32 SULTAN_CENTRE_FOUNDATION = 4;
constexpr i32 SULTAN_FOUNDATION_CARDS_LIMIT = 13;
constexpr i32 SULTAN_MAX_RESETS = 2;

class SultanSolitaire : public TalonSolitaire
{
 public:
   static SultanSolitaire instance;
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 84; }
   const char* GameNameGet() override { return "SultanSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::SultanSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   CardPile* StockGet() { return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1); }
   CardPile* TalonGet() { return CardPileGet(CARD_PILE_TYPE_TALON, -1, -1); }

   // Saved: the rank of the stock's top card after the shuffle.
   Rank buildRank = RANK_ACE;
};
} // namespace Corvale
