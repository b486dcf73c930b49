// The game state in which queued tutorials play, one after another: the first queued name plays
// through the tutorial manager; when it ends the state leaves, drops the name and comes back for
// the next one, and with none left the state below it resumes.
#pragma once

#include "gui/state/MenuState.h"

namespace Corvale
{
constexpr i32 TUTORIAL_QUEUE_SIZE = 16;
constexpr u32 TUTORIAL_NAME_SIZE = 260;

class TutorialState : public MenuState
{
 public:
   // False for a null name and, with a log line, when the queue is full. A long name is cut.
   bool Enqueue(const char* name);

   void Init() override;
   void Update(u32 elapsed) override;
   void Deinit() override;

   bool running = false;
   char queue[TUTORIAL_QUEUE_SIZE][TUTORIAL_NAME_SIZE] = {};
   i32 queueCount = 0;
};

// The program's one tutorial state.
extern TutorialState tutorialState;
} // namespace Corvale
