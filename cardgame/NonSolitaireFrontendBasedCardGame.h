// The base of the card games played against others at the table.
#pragma once

#include "cardgame/FrontendBasedCardGame.h"

namespace Corvale
{
class NonSolitaireFrontendBasedCardGame : public FrontendBasedCardGame
{
 public:
   static void ReflectionRegister();

   const char* ReflectionTypeNameGet() override { return "Corvale::NonSolitaireFrontendBasedCardGame"; }
};
} // namespace Corvale
