// Golf: the columns' top cards go onto one foundation card a rank above or below it, the stock
// turns a card there when nothing fits, and the cards left in the columns are the score.
#pragma once

#include "cardgame/solitaire/TraditionalSolitaireGame.h"

namespace Corvale
{
constexpr i32 GOLF_COLUMN_COUNT = 7;

class GolfSolitaire : public TraditionalSolitaireGame
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 65; }
   const char* GameNameGet() override { return "GolfSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::GolfSolitaire"; }
   bool BestScoreRecordCheck() override { return true; }
   bool BestScoreLowerCheck() override { return true; }
   bool ScoreShownCheck() override { return true; }

   void Init() override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   // The cards left in the columns: lower is better.
   i32 ScoreGet() override;

   CardPile* StockGet();
   CardPile* FoundationGet();
};

extern GolfSolitaire golfSolitaire;
} // namespace Corvale
