// Shamrocks: seventeen fans of three and one single card; a fan takes a card a rank above or below
// its top while it holds fewer than three, and the first foundation card fixes where the others
// begin.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 SHAMROCKS_FAN_COUNT = 18;
constexpr i32 SHAMROCKS_FOUNDATION_COUNT = 4;
// The fan dealt a single card.
constexpr i32 SHAMROCKS_SHORT_FAN = 13;
constexpr i32 SHAMROCKS_FAN_CARDS_LIMIT = 3;

class ShamrocksSolitaire : public TraditionalSolitaireGame
{
 public:
   static ShamrocksSolitaire instance;
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 78; }
   const char* GameNameGet() override { return "ShamrocksSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::ShamrocksSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   // The rank an empty foundation waits for: the Ace with "OnlyAcesStart", else none.
   Rank BuildRankFreeGet();
   CardPile* StockGet();

   // Saved: the rank every foundation begins with; none while any may.
   Rank buildRank = RANK_ACE;
};
} // namespace Corvale
