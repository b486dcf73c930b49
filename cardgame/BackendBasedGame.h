// The second reflected base below the card game, beside the front-end games: no field of its own
// and, so far, no game below it.
#pragma once

#include "cardgame/CardGame.h"

namespace Corvale
{
class BackendBasedGame : public CardGame
{
 public:
   static void ReflectionRegister();

   const char* ReflectionTypeNameGet() override { return "Corvale::BackendBasedGame"; }
};
} // namespace Corvale
