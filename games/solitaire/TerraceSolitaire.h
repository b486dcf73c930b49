// Terrace: two decks; the player first picks the foundations' base rank from three cards, an
// eleven-card reserve feeds only the foundations, and nine columns build down in alternating
// colours round the corner, refilled from the talon or the stock.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 TERRACE_COLUMN_COUNT = 9;
constexpr i32 TERRACE_FOUNDATION_COUNT = 8;
constexpr i32 TERRACE_RESERVE_SIZE = 11;
// The columns dealt before the base rank is chosen.
constexpr i32 TERRACE_CHOICE_COLUMN_COUNT = 3;
constexpr i32 TERRACE_FOUNDATION_CARDS_LIMIT = 13;
constexpr i32 TERRACE_COLUMN_CARDS_LIMIT = 25;

class TerraceSolitaire : public TraditionalSolitaireGame
{
 public:
   static TerraceSolitaire instance;
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 86; }
   const char* GameNameGet() override { return "TerraceSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::TerraceSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   CardPile* StockGet() { return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1); }
   CardPile* TalonGet() { return CardPileGet(CARD_PILE_TYPE_TALON, -1, -1); }
   CardPile* ReserveGet() { return CardPileGet(CARD_PILE_TYPE_RESERVE, -1, -1); }

   // Saved: the rank every foundation begins with; none until the first foundation card.
   Rank buildRank = RANK_NONE;
};
} // namespace Corvale
