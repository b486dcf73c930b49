// Clock: twelve hour piles of four face-down cards; each turned card is carried to the hour of its
// rank, which uncovers the next card there, and the fourth King ends the game.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 CLOCK_HOUR_COUNT = 12;
constexpr i32 CLOCK_CARDS_PER_HOUR = 4;
constexpr i32 CLOCK_KING_PILE_ID = 0;
constexpr i32 CLOCK_FINISHED_PILE_ID = 1;
constexpr i32 CLOCK_FLIP_PILE_ID = 0;

class ClockSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 51; }
   const char* GameNameGet() override { return "ClockSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::ClockSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   // A King waiting for the King pile counts as playable too.
   bool CardPlayableCheck(Card* card) override;
   // The cards not lying on the hour piles.
   i32 ScoreGet() override;

   CardPile* StockGet();
   CardPile* HourGet(i32 hour);

 private:
   // Lays the shuffled stock out so that following the cards from hour to hour clears the clock.
   void WinnableArrange(CardPile* stock);
};

extern ClockSolitaire clockSolitaire;
} // namespace Corvale
