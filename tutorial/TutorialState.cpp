// Playing the tutorial queue as a game state.
#include "tutorial/TutorialState.h"

#include <cstring>

#include "core/Log.h"
#include "core/StringHelpers.h"
#include "gui/state/GameStateManager.h"
#include "tutorial/TutorialManager.h"

namespace Corvale
{
TutorialState tutorialState;

bool TutorialState::Enqueue(const char* name)
{
   if (!name)
   {
      return false;
   }
   if (queueCount >= TUTORIAL_QUEUE_SIZE)
   {
      WarningPrintf("TutorialState::Enqueue -- Queue full while attempting to enqueue \"%s\"\n", name);
      return false;
   }
   // A name too long is kept cut: the copy logs it, and the tutorial then fails to load by itself.
   NultStrncpy(queue[queueCount], name, TUTORIAL_NAME_SIZE);
   queueCount++;
   return true;
}

void TutorialState::Init()
{
   // No layer of its own: the tutorial's layer is the manager's.
   EnterStart();
   running = true;
   tutorialManager.Init(queueCount > 0 ? queue[0] : nullptr);
}

void TutorialState::Update(u32 elapsed)
{
   ExitUpdate();
   if (!running)
   {
      return;
   }
   tutorialManager.Update(elapsed);
   if (tutorialManager.finished && !GameStateManager::switchPending)
   {
      running = false;
      tutorialManager.Deinit();
      ExitStart();
      GameStateManager::Pop();
   }
}

void TutorialState::Deinit()
{
   if (running)
   {
      running = false;
      tutorialManager.Deinit();
   }
   if (queueCount > 0)
   {
      std::memmove(queue[0], queue[1], static_cast<size_t>(queueCount - 1) * TUTORIAL_NAME_SIZE);
      queueCount--;
      std::memset(queue[queueCount], 0, TUTORIAL_NAME_SIZE);
   }
   // The next name plays in this state anew.
   if (queueCount > 0)
   {
      GameStateManager::Push(this);
   }
   LayerRemove();
}
} // namespace Corvale
