// Eliminator: four columns of thirteen, every card played onto foundations that go up or down
// by one, King and Ace touching; the score rewards the foundations left empty.
#pragma once

#include "games/solitaire/OpenTableauSolitaire.h"

namespace Corvale
{
class EliminatorSolitaire : public OpenTableauSolitaire
{
 public:
   static void ReflectionRegister();
   static EliminatorSolitaire instance;

   i32 GameNumberGet() override { return 56; }
   const char* GameNameGet() override { return "EliminatorSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::EliminatorSolitaire"; }
   void Deal() override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void RefreshSteps() override;
   bool ScoreShownCheck() override { return true; }
   i32 ScoreGet() override;
};
} // namespace Corvale
