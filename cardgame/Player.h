// A participant of a game; the games' player classes add their own fields after these.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class Player
{
 public:
   Player() = default;
   // Games hold players by pointer; a copy would share the owned name.
   Player(const Player&) = delete;
   Player& operator=(const Player&) = delete;
   virtual ~Player();

   // A local computer seat taking part in the game and the hand; the name is left alone.
   virtual void Clear();
   // Frees the name.
   virtual void Deinit();
   virtual const char* ReflectionTypeNameGet() const { return "Corvale::Player"; }

   // Replaces the name with a copy of text (null clears it); false when the copy fails.
   bool NameSet(const char* text);

   static void ReflectionRegister();
   // Adds to the game score, stopping at the 32-bit limits instead of wrapping.
   void MinigameScoreAdd(i32 amount);
   // The name as shown: a computer's name is a text key; the guest profile shows "Guest".
   const char* DisplayNameGet() const;

   i32 id = -1;
   const char* name = nullptr;
   bool human = false;
   bool local = true;
   bool minigameWinner = false;
   i32 minigameScore = 0;
   // minigameScore as it stood when the current hand began.
   i32 minigameScoreSubgameBegin = 0;
   bool minigameIn = true;
   bool subgameIn = true;
   bool iconWinnerVisible = false;
};
} // namespace Corvale
