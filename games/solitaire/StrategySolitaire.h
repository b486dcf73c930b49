// Strategy: the stock passes card by card through a one-card reserve onto any column, and the
// foundations, begun with the four Aces, are built only once the stock is gone.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 STRATEGY_COLUMN_COUNT = 8;
constexpr i32 STRATEGY_FOUNDATION_COUNT = 4;
// A column holds at most this many cards.
constexpr i32 STRATEGY_COLUMN_CARDS_LIMIT = 13;

class StrategySolitaire : public TraditionalSolitaireGame
{
 public:
   static StrategySolitaire instance;
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 83; }
   const char* GameNameGet() override { return "StrategySolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::StrategySolitaire"; }

   void Init() override;
   void GameNew() override;
   bool Load(JSONValue* document) override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   CardPile* StockGet() { return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1); }
   CardPile* ReserveGet() { return CardPileGet(CARD_PILE_TYPE_RESERVE, -1, -1); }

 private:
   // Columns 6 and 7 shown unless "SixTableaus" is on.
   void ColumnsShownSet();
};
} // namespace Corvale
