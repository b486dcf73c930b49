// Spider: two decks on ten columns, runs of one suit, a row dealt from the stock at a click, and
// every complete run from King to Ace leaving for the foundation by itself.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 SPIDER_COLUMN_COUNT = 10;
// A column never holds more cards than this.
constexpr i32 SPIDER_PILE_CARDS_MAX = 25;

enum SpiderSuitCount : i32
{
   SPIDER_ONE_SUIT = 0,
   SPIDER_TWO_SUITS = 1,
   SPIDER_FOUR_SUITS = 2
};

class SpiderSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 81; }
   const char* GameNameGet() override { return "SpiderSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::SpiderSolitaire"; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;

   // The "SuitNumber" option; anything unknown plays one suit.
   i32 SuitCountGet();
   // Cards left in the stock and no column at its limit.
   bool DealPossibleCheck();
};

extern SpiderSolitaire spiderSolitaire;
} // namespace Corvale
