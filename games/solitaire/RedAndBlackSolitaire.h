// Red and Black: two decks, eight Aces pulled out to the foundations, eight columns built down in
// alternating colours and fed from the talon while the stock lasts; the stock is turned once.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
constexpr i32 RED_AND_BLACK_COLUMN_COUNT = 8;
constexpr i32 RED_AND_BLACK_FOUNDATION_COUNT = 8;

class RedAndBlackSolitaire : public TalonSolitaire
{
 public:
   static RedAndBlackSolitaire instance;
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 75; }
   const char* GameNameGet() override { return "RedAndBlackSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::RedAndBlackSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   CardPile* StockGet() { return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1); }
   CardPile* TalonGet() { return CardPileGet(CARD_PILE_TYPE_TALON, -1, -1); }
};
} // namespace Corvale
