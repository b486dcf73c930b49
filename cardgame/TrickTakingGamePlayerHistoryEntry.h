// One trick as one player saw it: kept in a trick-taking player's history.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class TrickTakingGamePlayerHistoryEntry
{
 public:
   virtual ~TrickTakingGamePlayerHistoryEntry() = default;
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::TrickTakingGamePlayerHistoryEntry"; }

   static void ReflectionRegister();

   // This player took the trick.
   bool winner = false;
   // This player led the trick.
   bool leader = false;
   // The card this player played; -1 before it is played.
   i32 cardID = -1;
};
} // namespace Corvale
