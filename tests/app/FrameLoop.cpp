// The frame loop against a scripted host: closing, quit messages, inactive passes, the elapsed
// time of each frame, and the window procedure's typed-character queue.
#include "app/FrameLoop.h"

#include <functional>
#include <vector>

#include "app/Application.h"
#include "app/FrameClock.h"
#include "platform/input/Keyboard.h"
#include "platform/window/ScreenCommon.h"
#include "tests/app/AppTestSupport.h"

namespace CorvaleTest
{
namespace
{
const ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// Pass n is active when active[n] (the last entry holds on); time advances by step per pass; the
// message pump of pass n runs messages[n] when there is one.
class ScriptedHost : public FrameLoopHost
{
 public:
   void MessagesPump() override
   {
      if (pass < messages.size() && messages[pass])
      {
         messages[pass]();
      }
   }
   bool ActiveCheck() override { return active[std::min(pass, active.size() - 1)]; }
   u32 TimeGet() override { return time += step; }
   void InputUpdate(bool isActive) override { inputPasses.push_back(isActive); }
   void FrameRun() override
   {
      elapsedSeen.push_back(frameClock.elapsed);
      ++pass;
   }
   void Sleep(u32 milliseconds) override
   {
      sleeps.push_back(milliseconds);
      ++pass;
   }
   bool SwapWaitedCheck() override { return swapWaited; }
   u64 MicrosecondsGet() override { return microseconds; }
   void MicrosecondsSleep(u32 length) override
   {
      paceSleeps.push_back(length);
      microseconds += length;
   }

   std::vector<bool> active{true};
   std::vector<std::function<void()>> messages;
   size_t pass = 0;
   u32 time = 1000;
   u32 step = 16;
   std::vector<bool> inputPasses;
   std::vector<u32> elapsedSeen;
   std::vector<u32> sleeps;
   bool swapWaited = true;
   u64 microseconds = 0;
   std::vector<u32> paceSleeps;
};

// Frames of the given costs on one clock in microseconds, which the frame clock reads too.
class PacedHost : public ScriptedHost
{
 public:
   u32 TimeGet() override { return static_cast<u32>(microseconds / 1000); }
   void FrameRun() override
   {
      microseconds += frameCosts[std::min(pass, frameCosts.size() - 1)];
      ScriptedHost::FrameRun();
   }
   std::vector<u64> frameCosts{5000};
};

class FrameLoopTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      quitRequested = false;
      frameClock = FrameClock();
      frameClock.Start();
      deltaResetFlag = 0;
   }
   void TearDown() override { quitRequested = false; }

   static void Close() { ApplicationWindowProcedure(nullptr, MESSAGE_CLOSE, 0, 0); }
};

TEST_F(FrameLoopTest, CloseRequestEndsTheLoopBeforeAnotherFrame)
{
   ScriptedHost host;
   host.messages.resize(3);
   host.messages[2] = Close;
   FrameLoop loop;
   EXPECT_EQ(loop.Run(&host), 0);
   EXPECT_TRUE(quitRequested);
   EXPECT_EQ(host.elapsedSeen.size(), 2u);
   EXPECT_EQ(host.inputPasses.size(), 2u);
}

TEST_F(FrameLoopTest, QuitMessageGivesTheExitCodeButDoesNotEndTheLoop)
{
   ScriptedHost host;
   host.messages.resize(4);
   host.messages[0] = [] { QuitMessagePost(3); };
   host.messages[3] = Close;
   FrameLoop loop;
   EXPECT_EQ(loop.Run(&host), 3);
   EXPECT_EQ(host.elapsedSeen.size(), 3u);
}

TEST_F(FrameLoopTest, InactivePassesSleepAndTheFirstActiveFrameSeesNoTime)
{
   ScriptedHost host;
   host.active = {true, true, false, false, true, true};
   host.messages.resize(7);
   host.messages[6] = Close;
   FrameLoop loop;
   loop.Run(&host);
   EXPECT_EQ(host.sleeps, (std::vector<u32>{250, 250}));
   // The first frame follows start-up's reset; the inactive passes take no time from the clock.
   EXPECT_EQ(host.elapsedSeen, (std::vector<u32>{0, 16, 0, 16}));
   EXPECT_EQ(host.inputPasses, (std::vector<bool>{true, true, false, false, true, true}));
   EXPECT_EQ(frameClock.frameCount, 4u);
}

TEST_F(FrameLoopTest, ScreenResetsAndSkippedFramesAreHonoured)
{
   ScriptedHost host;
   host.messages.resize(5);
   host.messages[2] = [] { deltaResetFlag = 1; };
   host.messages[3] = [] { frameClock.frameCountSkip = 1; };
   host.messages[4] = Close;
   FrameLoop loop;
   loop.Run(&host);
   EXPECT_EQ(host.elapsedSeen, (std::vector<u32>{0, 16, 0, 16}));
   EXPECT_EQ(deltaResetFlag, 0);
   EXPECT_EQ(frameClock.frameCount, 3u);
}

TEST_F(FrameLoopTest, FramesWhoseSwapReturnsAtOnceAreSpacedToSixtyASecond)
{
   // Quick frames sleep out the rest of the pace; a long one does not; the elapsed time of the
   // next frame includes the sleep.
   PacedHost host;
   host.swapWaited = false;
   host.frameCosts = {5000, 20000, 5000};
   host.messages.resize(4);
   host.messages[3] = Close;
   FrameLoop loop;
   loop.Run(&host);
   EXPECT_EQ(host.paceSleeps,
             (std::vector<u32>{FRAME_PACE_MICROSECONDS - 5000, FRAME_PACE_MICROSECONDS - 5000}));
   EXPECT_EQ(host.elapsedSeen, (std::vector<u32>{0, 16, 20}));

   // A swap that waited for the display paces the loop itself; an inactive pass keeps its sleep.
   PacedHost waiting;
   waiting.active = {true, false, true};
   waiting.messages.resize(4);
   waiting.messages[3] = Close;
   quitRequested = false;
   frameClock = FrameClock();
   FrameLoop again;
   again.Run(&waiting);
   EXPECT_TRUE(waiting.paceSleeps.empty());
   EXPECT_EQ(waiting.sleeps, (std::vector<u32>{250}));
}

TEST(WindowProcedure, TypedCharactersStopAt256AFrame)
{
   KeyboardStateInit();
   for (u32 i = 0; i < 300; ++i)
   {
      ApplicationWindowProcedure(nullptr, MESSAGE_CHAR, 'a' + i % 26, 0);
   }
   ApplicationWindowProcedure(nullptr, MESSAGE_CHAR, 0x20AC, 0);
   KeyboardStateUpdate(true);
   ASSERT_EQ(keyboardState.readableCount, KEYBOARD_CHARACTERS_MAX);
   EXPECT_STREQ(keyboardState.readable[0], "a");
   EXPECT_STREQ(keyboardState.readable[255], "v");

   // The next frame has room again, for characters of any length.
   ApplicationWindowProcedure(nullptr, MESSAGE_CHAR, 0x20AC, 0);
   KeyboardStateUpdate(true);
   ASSERT_EQ(keyboardState.readableCount, 1);
   EXPECT_STREQ(keyboardState.readable[0], "\xE2\x82\xAC");
   EXPECT_FALSE(quitRequested);
}
} // namespace
} // namespace CorvaleTest
