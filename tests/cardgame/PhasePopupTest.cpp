// The popup a phase of a game needs: opened once while idle, kept open across frames, not asked
// again while its answer is queued, closed when the phase ends, and opened once after a load.
#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "cardgame/Command.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "gui/popup/Popup.h"
#include "gui/popup/PopupManager.h"
#include "tests/cardgame/DocumentTestSupport.h"
#include "tests/cardgame/GameHarness.h"
#include "tests/cardgame/TestGame.h"
#include "tests/core/JSONTestSupport.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
// A popup without a layer that counts how often it is opened.
class CountingPopup : public Popup
{
 public:
   void Open() override
   {
      opens++;
      Popup::Open();
   }
   void LayerInit(LayerWidget*) override {}

   i32 opens = 0;
};

CountingPopup choicePopup;

// A game whose saved phase 1 asks a choice through the popup; the choice's command ends the phase.
class PhaseGame : public TestGame
{
 public:
   static void ReflectionRegister()
   {
      auto* record = MemoryNew<ReflectionTypeObjectTyped<PhaseGame>>(HEAP_DEFAULT);
      record->Init("Corvale::PhaseGame");
      record->BaseAdd(typeid(Minigame).name());
      record->FieldAdd(&PhaseGame::phase, "phase");
      ReflectionManager::TypeRegister(record);
   }

   void ControlsRefresh() override
   {
      TestGame::ControlsRefresh();
      PhasePopupUpdate(&choicePopup, phase == 1);
   }

   bool CommandExecute(const Command& command) override
   {
      if (command.type == COMMAND_CHOICE)
      {
         phase = 2;
      }
      return TestGame::CommandExecute(command);
   }

   i32 phase = 0;
};

class PhasePopupTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      FrameworkTypesRegister();
      PhaseGame::ReflectionRegister();
      choicePopup.opens = 0;
      Enter(&game);
   }

   void TearDown() override
   {
      harness.Leave();
      PopupManager::CloseAll();
      ReflectionManager::Deinit();
   }

   void Enter(PhaseGame* entered)
   {
      harness.Enter(entered);
      harness.Frame();
      entered->GameNew();
   }

   bool Open() { return PopupManager::IndexGet(&choicePopup) >= 0; }

   // Frames; false as soon as the popup's state is not the one expected.
   ::testing::AssertionResult FramesWithPopup(i32 frames, bool open)
   {
      for (i32 i = 0; i < frames; ++i)
      {
         harness.Frame();
         if (Open() != open || (open && choicePopup.ClosingCheck()))
         {
            return ::testing::AssertionFailure()
                   << "frame " << i << ": open " << Open() << ", closing " << choicePopup.ClosingCheck();
         }
      }
      return ::testing::AssertionSuccess();
   }

   GameHarness harness;
   PhaseGame game;
};

TEST_F(PhasePopupTest, OpensOnceWhileIdleAndStaysOpenWhileNeeded)
{
   ASSERT_TRUE(FramesWithPopup(5, false)) << "no phase needs it";

   // The phase begins while something is queued: the popup waits for the queue.
   game.phase = 1;
   game.MarkPost(1, 200);
   for (i32 i = 0; i < 100 && game.actionQueue.count > 0; ++i)
   {
      harness.Frame();
      EXPECT_TRUE(game.actionQueue.count == 0 || !Open()) << "opened while busy, frame " << i;
   }
   ASSERT_TRUE(Open());
   ASSERT_TRUE(FramesWithPopup(30, true)) << "a needed popup is never closed";
   EXPECT_EQ(choicePopup.opens, 1);

   // The answer: its button posts the command with a delay and closes the popup. While the command
   // waits the phase still needs the popup, yet it is not asked again.
   game.Command13Post(4, 300);
   choicePopup.Close(true);
   for (i32 i = 0; i < 60 && game.actionQueue.count > 0; ++i)
   {
      harness.Frame();
      EXPECT_TRUE(game.phase == 2 || !Open()) << "asked again while the answer waits, frame " << i;
   }
   ASSERT_EQ(game.phase, 2);
   ASSERT_TRUE(FramesWithPopup(10, false));
   EXPECT_EQ(choicePopup.opens, 1);

   // Needed again, then no longer: it closes by itself.
   game.phase = 1;
   ASSERT_TRUE(FramesWithPopup(1, true));
   game.phase = 0;
   harness.Frame();
   harness.Frame();
   EXPECT_FALSE(Open());
   EXPECT_EQ(choicePopup.opens, 2);

   // Not while the game is over.
   game.gameResult = MINIGAME_RESULT_WON;
   game.phase = 1;
   ASSERT_TRUE(FramesWithPopup(5, false));
}

TEST_F(PhasePopupTest, ALoadedGameInThePhaseOpensItOnce)
{
   game.phase = 1;
   ASSERT_TRUE(FramesWithPopup(3, true));
   JSONTest::ValuePointer asking(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(asking.get()));
   game.phase = 0;
   harness.Frame();
   harness.Frame();
   ASSERT_FALSE(Open());
   JSONTest::ValuePointer idle(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(idle.get()));
   game.phase = 1;
   ASSERT_TRUE(FramesWithPopup(3, true));
   const i32 opens = choicePopup.opens;

   struct Case
   {
      const char* what;
      JSONValue* document;
      bool open;
      i32 opensAfter;
   };
   const Case cases[] = {
       {"loaded in the phase while the popup was open: asked afresh, once", asking.get(), true, opens + 1},
       {"loaded outside the phase: closed", idle.get(), false, opens + 1},
       {"loaded in the phase while the popup was closed: opened once", asking.get(), true, opens + 2},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      ASSERT_TRUE(game.Load(c.document));
      EXPECT_FALSE(Open()) << "the load closes the phase's popup";
      EXPECT_TRUE(FramesWithPopup(20, c.open));
      EXPECT_EQ(choicePopup.opens, c.opensAfter);
   }

   // A freshly entered game loading the document asks once too.
   PhaseGame fresh;
   Enter(&fresh);
   ASSERT_TRUE(FramesWithPopup(2, false));
   ASSERT_TRUE(fresh.Load(asking.get()));
   EXPECT_TRUE(FramesWithPopup(20, true));
   EXPECT_EQ(choicePopup.opens, opens + 3);
   harness.Leave();
}
} // namespace
