// A small talon solitaire for the bases' tests: a stock, a waste, a foundation, two columns and a
// discard pile from its constants, and move rules a test sets as functions.
#pragma once

#include <functional>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
namespace TestSupport
{
constexpr const char* TEST_TALON_GAME_CONSTS = R"({
   "DelayCardDeal": 30, "DelayCardFlip": 20,
   "Settings": [{"Name": "ShowPlayableCards", "Default": true}],
   "CardPiles": [
      {"Type": "Draw", "Position": "0|0"},
      {"Type": "Talon", "Position": "100|0"},
      {"Type": "Foundation", "SecondaryID": 0, "Position": "300|0"},
      {"Type": "Tableau", "SecondaryID": 0, "Position": "100|200", "CardPositionOffset": "0|20"},
      {"Type": "Tableau", "SecondaryID": 1, "Position": "200|200", "CardPositionOffset": "0|20"},
      {"Type": "Discard", "Position": "400|0"}
   ]})";

class TestTalonGame : public TalonSolitaire
{
 public:
   i32 GameNumberGet() override { return 996; }
   const char* GameNameGet() override { return "TestTalonGame"; }

   bool CardChooseOnClickCheck(Card* card) override { return card->pile && card->pile->type == 0; }
   bool CardPickUpCheck(Card* card) override { return pickUp ? pickUp(card) : card->faceUp; }
   bool CardStackPickUpCheck(Card*) override { return stackPickUp; }
   bool CardDropCheck(CardPile* pile, Card* card) override { return drop ? drop(pile, card) : false; }
   void CardCoveringPilesGet(Card* card, i32* first, i32* second) override
   {
      if (covering)
      {
         covering(card, first, second);
         return;
      }
      TalonSolitaire::CardCoveringPilesGet(card, first, second);
   }

   std::function<bool(Card*)> pickUp;
   bool stackPickUp = false;
   std::function<bool(CardPile*, Card*)> drop;
   std::function<void(Card*, i32*, i32*)> covering;
};
} // namespace TestSupport
} // namespace Corvale
