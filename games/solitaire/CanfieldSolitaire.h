// Canfield: a reserve that refills the four columns, a stock turned three at a time onto the
// talon with no limit on resets, and foundations that begin at the rank of the first card dealt.
#pragma once

#include "cardgame/CardNames.h"
#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
constexpr i32 CANFIELD_COLUMN_COUNT = 4;
constexpr i32 CANFIELD_FOUNDATION_COUNT = 4;
// The reserve is the Tableau pile after the columns.
constexpr i32 CANFIELD_RESERVE_ID = 4;
constexpr i32 CANFIELD_TURN_COUNT = 3;
// A column holds fewer than this many cards.
constexpr i32 CANFIELD_PILE_CARDS_LIMIT = 26;
constexpr i32 CANFIELD_MAX_RESETS = 9999;

class CanfieldSolitaire : public TalonSolitaire
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 50; }
   const char* GameNameGet() override { return "CanfieldSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::CanfieldSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   // Cards dealt to the reserve: 13, or 10 with "ThirteenCardReserve" off.
   i32 ReserveSizeGet();

   // Saved: the rank every foundation begins with.
   Rank buildRank = RANK_ACE;

 private:
   CardPile* StockGet();
   CardPile* ReserveGet();
};

extern CanfieldSolitaire canfieldSolitaire;
} // namespace Corvale
