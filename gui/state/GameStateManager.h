// Runs one game state at a time, the top of a stack of states. Requests only edit the stack and
// mark a switch; the switch itself happens at the start of the next frame.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class GameState;

class GameStateManager
{
 public:
   // The first state (may be null) becomes current at once.
   static void Init(GameState* firstState);
   static void Deinit();
   // Once a frame, first of all: performs a pending switch unless held, then the current state's
   // FrameUpdate. True when a switch happened.
   static bool Update();
   // Marks a switch to the state appended on top; null re-enters the top state.
   static void Push(GameState* state);
   // Just below existing, searching from the top; no switch is marked.
   static void InsertBefore(GameState* state, GameState* existing);
   // Marks a switch and drops the top state.
   static void Pop();
   static GameState* TopGet();
   static void EventRegister();
   static void OnLanguageChange();

   static GameState* current;
   static u8 switchPending;
   // While above 0 a pending switch waits (exit transitions and fades still running).
   static i32 switchHoldCount;
   static Table<GameState*> states;
};
} // namespace Corvale
