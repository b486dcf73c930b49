// The tutorial state and its queue: the queue's limits, and queued tutorials played one after
// another through the game-state manager until the state below resumes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/state/FadeManager.h"
#include "gui/state/GameStateManager.h"
#include "tests/tutorial/TutorialTestSupport.h"
#include "tutorial/TutorialManager.h"
#include "tutorial/TutorialState.h"

namespace Corvale
{
namespace
{
using tutorial_test_support::TutorialDrawingTest;

class CountingState : public GameState
{
 public:
   void Init() override { inits++; }
   int inits = 0;
};

TEST(TutorialStateQueue, SixteenNamesFitAndALongNameIsCut)
{
   TutorialState state;
   EXPECT_FALSE(state.Enqueue(nullptr));
   for (int i = 0; i < TUTORIAL_QUEUE_SIZE; ++i)
   {
      EXPECT_TRUE(state.Enqueue(("T" + std::to_string(i)).c_str()));
   }
   {
      TestSupport::LogCapture log;
      EXPECT_FALSE(state.Enqueue("Seventeenth"));
      EXPECT_TRUE(
          log.Contains("TutorialState::Enqueue -- Queue full while attempting to enqueue \"Seventeenth\"\n"));
   }
   EXPECT_EQ(state.queueCount, TUTORIAL_QUEUE_SIZE);
   EXPECT_STREQ(state.queue[15], "T15");

   TutorialState other;
   const std::string longName(300, 'n');
   TestSupport::LogCapture log;
   EXPECT_TRUE(other.Enqueue(longName.c_str()));
   EXPECT_EQ(std::string(other.queue[0]), longName.substr(0, 259));
   EXPECT_TRUE(log.Contains("NultStrncpy"));
}

class TutorialStateTest : public TutorialDrawingTest
{
};

TEST_F(TutorialStateTest, QueuedTutorialsPlayInOrderThenTheStateBelowResumes)
{
   // Each has an atlas but no skeleton file, so each ends as soon as it starts.
   for (const char* name : {"A", "B", "C"})
   {
      TutorialFilesWrite(name, "");
   }
   CountingState below;
   GameStateManager::Init(&below);
   ASSERT_TRUE(tutorialState.Enqueue("A"));
   ASSERT_TRUE(tutorialState.Enqueue("B"));
   ASSERT_TRUE(tutorialState.Enqueue("C"));
   GameStateManager::Push(&tutorialState);

   std::vector<std::string> played;
   for (int frame = 0; frame < 2000 && below.inits < 2; ++frame)
   {
      if (GameStateManager::Update() && GameStateManager::current == &tutorialState)
      {
         played.push_back(tutorialState.queue[0]);
         EXPECT_EQ(below.inits, 1) << "back below between two tutorials";
      }
      FadeManager::Update(16);
      GameStateManager::current->Update(16);
   }
   EXPECT_EQ(played, (std::vector<std::string>{"A", "B", "C"}));
   EXPECT_EQ(GameStateManager::current, &below);
   EXPECT_EQ(below.inits, 2);
   EXPECT_EQ(tutorialState.queueCount, 0);
   EXPECT_FALSE(tutorialState.running);
   EXPECT_EQ(GameStateManager::switchHoldCount, 0);
   GameStateManager::Deinit();
}
} // namespace
} // namespace Corvale
