// What a button, a card widget or a computer player asks a game to do; carried inside an Action.
#pragma once

#include "core/Types.h"

namespace Corvale
{
// Command codes the card game answers itself; every other code belongs to the games.
enum CommandType : i32
{
   COMMAND_CARD_CHOOSE = 16,
   COMMAND_CARD_DROP = 17
};

class Command
{
 public:
   virtual ~Command() = default;
   // Built on the stack by the poster, which sets all three fields.
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::Command"; }

   static void ReflectionRegister();

   i32 type = 0;
   i32 intParam0 = 0;
   i32 intParam1 = 0;
};
} // namespace Corvale
