// The base of every card game the player plays here: it numbers new cards and piles itself, and
// writes and reads its piles with their cards in the game state document.
#pragma once

#include "cardgame/CardGame.h"

namespace Corvale
{
class FrontendBasedCardGame : public CardGame
{
 public:
   static void ReflectionRegister();

   const char* ReflectionTypeNameGet() override { return "Corvale::FrontendBasedCardGame"; }
   bool Save(JSONValue* document) override;
   // Loads the options, the fields and every pile's cards; a document it could not load whole is
   // refused before anything changes.
   bool Load(JSONValue* document) override;
   bool LoadCheck(JSONValue* document) override;
   // Each new card and pile takes the next ID.
   Card* CardCreate(i32 rank, i32 suit) override;
   CardPile* CardPileCreate(const JSONValue* specification) override;

   i32 nextCardID = 0;
   i32 nextCardPileID = 0;
};
} // namespace Corvale
