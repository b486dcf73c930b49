// The game-state stack and the frame-start switch between states.
#include "gui/state/GameStateManager.h"

#include "core/Event.h"
#include "gui/state/GameState.h"
#include "platform/window/ScreenCommon.h"

namespace Corvale
{
GameState* GameStateManager::current = nullptr;
u8 GameStateManager::switchPending = 0;
i32 GameStateManager::switchHoldCount = 0;
Table<GameState*> GameStateManager::states;

namespace
{
constexpr i32 STATE_STACK_RESERVE = 32;

// The event registrations need an owner object; the manager's state is static, so this stands in.
class GameStateManagerEvents
{
 public:
   void LanguageChanged() { GameStateManager::OnLanguageChange(); }
};
GameStateManagerEvents gameStateManagerEvents;

void CurrentLeave()
{
   GameStateManager::current->DeinitBegin();
   GameStateManager::current->Deinit();
}
} // namespace

void GameStateManager::Init(GameState* firstState)
{
   states.allocator = allocatorDefault;
   if (states.capacity < STATE_STACK_RESERVE)
   {
      states.Reserve(STATE_STACK_RESERVE);
   }
   switchPending = 0;
   switchHoldCount = 0;
   EventRegister();
   current = firstState;
   if (current)
   {
      states.Insert(current, states.count);
      current->Init();
      deltaResetFlag = 1;
   }
}

void GameStateManager::Deinit()
{
   Event::OwnerUnregister(&gameStateManagerEvents);
   if (current)
   {
      CurrentLeave();
      Event::Trigger("GameStatePostDeinit", nullptr);
      current = nullptr;
   }
   states = Table<GameState*>();
   switchPending = 0;
   switchHoldCount = 0;
}

bool GameStateManager::Update()
{
   if (!switchPending)
   {
      if (current)
      {
         current->FrameUpdate();
      }
      return false;
   }
   bool switched = false;
   do
   {
      if (switchHoldCount > 0)
      {
         break;
      }
      if (current)
      {
         CurrentLeave();
      }
      Event::Trigger("GameStatePostDeinit", nullptr);
      switchPending = 0;
      current = TopGet();
      if (current)
      {
         current->Init();
      }
      deltaResetFlag = 1;
      switched = true;
   } while (switchPending);
   if (current)
   {
      current->FrameUpdate();
   }
   return switched;
}

void GameStateManager::Push(GameState* state)
{
   switchPending = 1;
   if (state)
   {
      states.Insert(state, states.count);
   }
}

void GameStateManager::InsertBefore(GameState* state, GameState* existing)
{
   for (i32 i = states.count - 1; i >= 0; i--)
   {
      if (states[i] == existing)
      {
         states.Insert(state, i);
         return;
      }
   }
}

void GameStateManager::Pop()
{
   switchPending = 1;
   if (states.count > 0)
   {
      states.SizeSet(states.count - 1);
   }
}

GameState* GameStateManager::TopGet()
{
   return states.count > 0 ? states[states.count - 1] : nullptr;
}

void GameStateManager::EventRegister()
{
   EventMethodRegister(&gameStateManagerEvents, "OnLanguageChange", &GameStateManagerEvents::LanguageChanged,
                       0);
}

void GameStateManager::OnLanguageChange()
{
   if (current)
   {
      current->TextsRefresh();
   }
}
} // namespace Corvale
