// The game-state stack: switches made at the start of a frame, held while the hold count is up,
// chained when a state's Init asks for another, and the event that fires between two states.
#include <gtest/gtest.h>

#include <string>

#include "core/Event.h"
#include "core/Memory.h"
#include "gui/state/GameState.h"
#include "gui/state/GameStateManager.h"
#include "platform/window/ScreenCommon.h"

using namespace Corvale;

namespace
{
std::string journal;

class NamedState : public GameState
{
 public:
   explicit NamedState(const char* stateName) : name(stateName) {}
   void Init() override
   {
      Note("Init");
      if (next)
      {
         GameStateManager::Push(next);
      }
   }
   void DeinitBegin() override { Note("DeinitBegin"); }
   void Deinit() override { Note("Deinit"); }
   void FrameUpdate() override { Note("Frame"); }
   void TextsRefresh() override { Note("Texts"); }
   void Note(const char* call) { journal += std::string(name) + "." + call + " "; }

   const char* name;
   GameState* next = nullptr;
};

class PostDeinitCounter
{
 public:
   void Fired() { journal += "PostDeinit "; }
};

class GameStateManagerTest : public ::testing::Test
{
 protected:
   static void SetUpTestSuite()
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
         Event::SystemInit();
      }
   }
   void SetUp() override
   {
      journal.clear();
      EventMethodRegister(&counter, "GameStatePostDeinit", &PostDeinitCounter::Fired, 0);
   }
   void TearDown() override
   {
      GameStateManager::Deinit();
      Event::OwnerUnregister(&counter);
   }

   PostDeinitCounter counter;
   NamedState a{"A"}, b{"B"}, c{"C"};
};

TEST_F(GameStateManagerTest, TheFirstStateStartsAtOnceAndLaterSwitchesWaitForTheNextFrame)
{
   deltaResetFlag = 0;
   GameStateManager::Init(&a);
   EXPECT_EQ(journal, "A.Init ");
   EXPECT_EQ(deltaResetFlag, 1);
   deltaResetFlag = 0;

   // Two pushes in one frame make one switch, straight to the second state.
   GameStateManager::Push(&b);
   GameStateManager::Push(&c);
   EXPECT_EQ(GameStateManager::current, &a);
   journal.clear();
   EXPECT_TRUE(GameStateManager::Update());
   EXPECT_EQ(journal, "A.DeinitBegin A.Deinit PostDeinit C.Init C.Frame ");
   EXPECT_EQ(deltaResetFlag, 1);
   journal.clear();
   EXPECT_FALSE(GameStateManager::Update());
   EXPECT_EQ(journal, "C.Frame ");

   // The state below is initialised afresh when it becomes the top again.
   journal.clear();
   GameStateManager::Pop();
   EXPECT_TRUE(GameStateManager::Update());
   EXPECT_EQ(journal, "C.DeinitBegin C.Deinit PostDeinit B.Init B.Frame ");

   // Push (null) leaves and re-enters the top state.
   journal.clear();
   GameStateManager::Push(nullptr);
   EXPECT_TRUE(GameStateManager::Update());
   EXPECT_EQ(journal, "B.DeinitBegin B.Deinit PostDeinit B.Init B.Frame ");

   journal.clear();
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(journal, "B.Texts ");
}

TEST_F(GameStateManagerTest, AHeldSwitchWaitsWhileTheOldStateKeepsRunning)
{
   GameStateManager::Init(&a);
   GameStateManager::switchHoldCount = 1;
   GameStateManager::Push(&b);
   journal.clear();
   EXPECT_FALSE(GameStateManager::Update());
   EXPECT_FALSE(GameStateManager::Update());
   EXPECT_EQ(journal, "A.Frame A.Frame ");
   EXPECT_TRUE(GameStateManager::switchPending);
   GameStateManager::switchHoldCount = 0;
   journal.clear();
   EXPECT_TRUE(GameStateManager::Update());
   EXPECT_EQ(journal, "A.DeinitBegin A.Deinit PostDeinit B.Init B.Frame ");
}

TEST_F(GameStateManagerTest, AnInitThatPushesSwitchesAgainInTheSameUpdate)
{
   GameStateManager::Init(&a);
   b.next = &c;
   GameStateManager::Push(&b);
   journal.clear();
   EXPECT_TRUE(GameStateManager::Update());
   EXPECT_EQ(journal,
             "A.DeinitBegin A.Deinit PostDeinit B.Init B.DeinitBegin B.Deinit PostDeinit C.Init C.Frame ");
   EXPECT_FALSE(GameStateManager::switchPending);
}

TEST_F(GameStateManagerTest, PoppingTheLastStateLeavesNothingToRun)
{
   GameStateManager::Init(&a);
   GameStateManager::Pop();
   deltaResetFlag = 0;
   journal.clear();
   EXPECT_TRUE(GameStateManager::Update());
   EXPECT_EQ(journal, "A.DeinitBegin A.Deinit PostDeinit ");
   EXPECT_EQ(GameStateManager::current, nullptr);
   EXPECT_EQ(deltaResetFlag, 1);
   journal.clear();
   EXPECT_FALSE(GameStateManager::Update());
   GameStateManager::Pop();
   EXPECT_EQ(GameStateManager::states.count, 0);
   EXPECT_TRUE(GameStateManager::Update());
   EXPECT_EQ(journal, "PostDeinit ");
}

TEST_F(GameStateManagerTest, InsertBeforePlacesAStateJustBelowAnotherWithoutASwitch)
{
   GameStateManager::Init(&a);
   GameStateManager::Push(&b);
   GameStateManager::Update();
   GameStateManager::InsertBefore(&c, &b);
   EXPECT_FALSE(GameStateManager::switchPending);
   ASSERT_EQ(GameStateManager::states.count, 3);
   EXPECT_EQ(GameStateManager::states[1], &c);
   NamedState stranger("X");
   GameStateManager::InsertBefore(&c, &stranger);
   EXPECT_EQ(GameStateManager::states.count, 3);

   // Deinit leaves the current state and fires the event once more.
   journal.clear();
   GameStateManager::Deinit();
   EXPECT_EQ(journal, "B.DeinitBegin B.Deinit PostDeinit ");
   EXPECT_EQ(GameStateManager::TopGet(), nullptr);
}
} // namespace
