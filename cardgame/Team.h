// A team of players; the games' team classes add their own fields after these.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Team
{
 public:
   Team() = default;
   Team(const Team&) = delete;
   Team& operator=(const Team&) = delete;
   virtual ~Team() = default;

   // Resets the scores; the player IDs already held stay.
   virtual void Clear();
   // Frees the player IDs and leaves the table without an allocator.
   virtual void Deinit();
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::Team"; }

   static void ReflectionRegister();
   // Adds to the game score, stopping at the 32-bit limits instead of wrapping.
   void MinigameScoreAdd(i32 amount);

   i32 id = -1;
   bool minigameWinner = false;
   i32 minigameScore = 0;
   i32 minigameScoreSubgameBegin = 0;
   Table<int> playerIDs;
};
} // namespace Corvale
