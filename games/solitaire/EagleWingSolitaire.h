// Eagle Wing: a trunk that refills eight short wings, a stock turned one card at a time with two
// resets, and foundations that begin at the rank of the first card dealt.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
constexpr i32 EAGLE_WING_WING_COUNT = 8;
constexpr i32 EAGLE_WING_FOUNDATION_COUNT = 4;
// A wing holds at most this many cards.
constexpr i32 EAGLE_WING_WING_CARDS_MAX = 3;
constexpr i32 EAGLE_WING_MAX_RESETS = 2;

class EagleWingSolitaire : public TalonSolitaire
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 54; }
   const char* GameNameGet() override { return "EagleWingSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::EagleWingSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   // Cards dealt to the trunk: 17, or 14 with "SeventeenCardReserve" off.
   i32 TrunkSizeGet();
   CardPile* StockGet();
   CardPile* TrunkGet();

   // Saved: the rank every foundation begins with.
   Rank buildRank = RANK_ACE;
};

extern EagleWingSolitaire eagleWingSolitaire;
} // namespace Corvale
