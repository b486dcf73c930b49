// Keyboard tables, typed characters, pointer records and the mouse manager's message handling,
// fed through the platform layer's own tables and messages.
#include <gtest/gtest.h>

#include "core/Memory.h"

#include <cstring>
#include <vector>

#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/PlatformKeys.h"
#include "platform/window/Screen.h"
#include "tests/MemoryEnvironment.h"

namespace Corvale
{
namespace
{
// Containers and screens take their memory from the engine's heaps.
const ::testing::Environment* const memoryEnvironment =
    ::testing::AddGlobalTestEnvironment(new TestSupport::MemoryEnvironment);

class KeyboardTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      PlatformKeyStateClear();
      KeyboardStateInit();
   }
   void TearDown() override { PlatformKeyStateClear(); }
};

// A windowed 960x720 screen shown 1:1, driven by window messages.
class MouseTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      screen.virtualWidth = 960;
      screen.virtualHeight = 720;
      screen.clientWidth = 960;
      screen.clientHeight = 720;
      screen.preparedAreaWindowedEnabled = 0;
      screen.displayModeChanged = 0;
      screen.desktopOverride = 0;
      screen.aspectMode = 1;
      mouseManager.systemMouseMode = 1;
      mouseManager.touchAvailable = 1;
      for (MouseState* record : {&mouseStateSystem, &mouseStates[0]})
      {
         record->Init(Point2I{100, 100}, PlatformRect{0, 0, 1280, 720}, false);
      }
      mouseStateSystem.present = 1;
   }
   uptr Send(u32 message, uptr wParam, uptr lParam)
   {
      uptr result = 99;
      handled = mouseManager.WindowMessageHandle(nullptr, message, wParam, lParam, &result);
      return result;
   }
   bool handled = false;
};
} // namespace

TEST_F(KeyboardTest, PressesAreSeenOnlyAcrossActiveFrames)
{
   // Pressed and released between two frames: a press in this frame, the release in the next.
   PlatformKeyStateSet('A', true);
   PlatformKeyStateSet('A', false);
   KeyboardStateUpdate(true);
   EXPECT_TRUE(KeyPressedCheck('A'));
   KeyboardStateUpdate(true);
   EXPECT_TRUE(KeyReleaseCheck('A'));
   KeyboardStateUpdate(true);
   EXPECT_FALSE(KeyReleaseCheck('A'));

   // A tap while inactive is not a press.
   PlatformKeyStateSet('B', true);
   PlatformKeyStateSet('B', false);
   KeyboardStateUpdate(false);
   KeyboardStateUpdate(true);
   EXPECT_FALSE(KeyHeldCheck('B'));

   PlatformKeyStateSet('A', true);
   KeyboardStateUpdate(true);
   EXPECT_TRUE(KeyPressedCheck('A'));
   KeyboardStateUpdate(false);
   KeyboardStateUpdate(true);
   // Held across an inactive frame: already in current, so no second press.
   EXPECT_FALSE(KeyPressedCheck('A'));
   EXPECT_EQ(keyboardState.current['A'], 1);

   PlatformKeyStateSet('A', false);
   KeyboardStateUpdate(true);
   EXPECT_TRUE(KeyReleaseCheck('A'));
}

TEST_F(KeyboardTest, GenericModifiersFollowEitherSide)
{
   PlatformKeyStateSet(VK_RMENU, true);
   PlatformKeyStateSet(VK_LSHIFT, true);
   KeyboardStateUpdate(true);
   EXPECT_EQ(keyboardState.current[VK_MENU], 1);
   EXPECT_EQ(keyboardState.current[VK_SHIFT], 1);
   EXPECT_EQ(keyboardState.current[VK_CONTROL], 0);
   PlatformKeyStateSet(VK_RMENU, false);
   KeyboardStateUpdate(true);
   EXPECT_EQ(keyboardState.current[VK_MENU], 0);
}

TEST_F(KeyboardTest, TypedCharactersReachTheNextFrameAndTheQueueIsBounded)
{
   // A four-byte character still fits its entry.
   EXPECT_TRUE(KeyboardCharacterAdd(0x1F600));
   for (int i = 1; i < KEYBOARD_CHARACTERS_MAX; ++i)
   {
      EXPECT_TRUE(KeyboardCharacterAdd('a'));
   }
   EXPECT_FALSE(KeyboardCharacterAdd('z'));
   // Characters typed while inactive still come through.
   KeyboardStateUpdate(false);
   ASSERT_EQ(keyboardState.readableCount, KEYBOARD_CHARACTERS_MAX);
   EXPECT_STREQ(keyboardState.readable[0], "\xF0\x9F\x98\x80");
   EXPECT_STREQ(keyboardState.readable[255], "a");
   KeyboardStateUpdate(true);
   EXPECT_EQ(keyboardState.readableCount, 0);
}

TEST_F(MouseTest, FractionalMotionAndHalfWheelNotchesCarryOver)
{
   std::vector<i32> xs;
   for (int frame = 0; frame < 6; ++frame)
   {
      mouseStateSystem.pendingX += 0.4f;
      mouseStateSystem.FrameAdvance(true);
      xs.push_back(mouseStateSystem.x);
   }
   EXPECT_EQ(xs, (std::vector<i32>{100, 100, 101, 101, 102, 102}));

   Send(MESSAGE_MOUSEWHEEL, ParamPack(0, 60), 0);
   mouseManager.SystemMouseUpdate(true);
   EXPECT_EQ(mouseStateSystem.wheel, 0);
   Send(MESSAGE_MOUSEWHEEL, ParamPack(0, 60), 0);
   mouseManager.SystemMouseUpdate(true);
   EXPECT_EQ(mouseStateSystem.wheel, 1);
   EXPECT_EQ(mouseStates[0].wheel, 1);
   // Negative remainders keep their sign.
   mouseStateSystem.pendingX = -2.5f;
   mouseStateSystem.FrameAdvance(true);
   EXPECT_EQ(mouseStateSystem.dx, -2);
   EXPECT_FLOAT_EQ(mouseStateSystem.pendingX, -0.5f);
}

TEST_F(MouseTest, PositionsClampAndButtonsLatchOnlyWhileActive)
{
   Send(MESSAGE_MOUSEMOVE, 0, ParamPack(1300, -5));
   Send(MESSAGE_LBUTTONDOWN, 0, ParamPack(1300, -5));
   mouseManager.SystemMouseUpdate(false);
   EXPECT_EQ(mouseStateSystem.frameButtons, 0u);
   EXPECT_EQ(mouseStateSystem.x, 100);
   Send(MESSAGE_MOUSEMOVE, 0, ParamPack(1300, -5));
   mouseManager.SystemMouseUpdate(true);
   EXPECT_EQ(mouseStateSystem.x, 1279);
   EXPECT_EQ(mouseStateSystem.y, 0);
   EXPECT_TRUE(mouseStateSystem.PressedCheck(MOUSE_BUTTON_LEFT));
   Send(MESSAGE_LBUTTONUP, 0, 0);
   mouseManager.SystemMouseUpdate(true);
   EXPECT_TRUE(mouseStateSystem.ReleasedCheck(MOUSE_BUTTON_LEFT));
   EXPECT_TRUE(mouseStates[0].ReleasedCheck(MOUSE_BUTTON_LEFT));
}

TEST_F(MouseTest, PressesAndReleasesWithinOneFrameEachShowForAFrame)
{
   // Per frame: the left-button messages that arrive before it (d down, u up) and whether the
   // frame shows the button down.
   struct Step
   {
      const char* messages;
      bool down;
   };
   const std::vector<std::vector<Step>> cases = {
       {{"du", true}, {"", false}, {"", false}},
       {{"d", true}, {"ud", false}, {"", true}, {"u", false}},
       {{"du", true}, {"d", false}, {"", true}, {"u", false}},
       {{"d", true}, {"udu", false}, {"", true}, {"", false}},
   };
   for (size_t c = 0; c < cases.size(); ++c)
   {
      SetUp();
      for (size_t f = 0; f < cases[c].size(); ++f)
      {
         for (const char* m = cases[c][f].messages; *m; ++m)
         {
            Send(*m == 'd' ? MESSAGE_LBUTTONDOWN : MESSAGE_LBUTTONUP, 0, 0);
         }
         mouseManager.SystemMouseUpdate(true);
         EXPECT_EQ((mouseStateSystem.frameButtons & MOUSE_BUTTON_LEFT) != 0, cases[c][f].down)
             << "case " << c << ", frame " << f;
         EXPECT_EQ(mouseStates[0].frameButtons, mouseStateSystem.frameButtons)
             << "case " << c << ", frame " << f;
      }
   }

   // A click while inactive is no click once active again.
   SetUp();
   Send(MESSAGE_LBUTTONDOWN, 0, 0);
   Send(MESSAGE_LBUTTONUP, 0, 0);
   mouseManager.SystemMouseUpdate(false);
   mouseManager.SystemMouseUpdate(true);
   EXPECT_EQ(mouseStateSystem.frameButtons, 0u);
}

TEST_F(MouseTest, TouchMovesThePointerAndSynthesisedMouseMessagesAreIgnored)
{
   TouchInput inputs[2] = {{50000, 20000, 7, TOUCH_FLAG_DOWN},
                           {30000, 30000, 8, TOUCH_FLAG_DOWN | TOUCH_FLAG_PRIMARY}};
   EXPECT_EQ(Send(MESSAGE_TOUCH, 2, reinterpret_cast<uptr>(inputs)), 0u);
   EXPECT_TRUE(handled);
   mouseManager.SystemMouseUpdate(true);
   // Only the primary input counts.
   EXPECT_EQ(mouseStateSystem.x, 300);
   EXPECT_EQ(mouseStateSystem.y, 300);
   EXPECT_EQ(mouseStateSystem.touchActive, 1);
   EXPECT_TRUE(mouseStateSystem.PressedCheck(MOUSE_BUTTON_LEFT));

   MessageExtraInfoSet(MESSAGE_EXTRA_INFO_TOUCH_MASK);
   Send(MESSAGE_MOUSEMOVE, 0, ParamPack(10, 10));
   mouseManager.SystemMouseUpdate(true);
   EXPECT_EQ(mouseStateSystem.x, 300);
   // Without touch the same message is the mouse's own.
   mouseManager.touchAvailable = 0;
   Send(MESSAGE_MOUSEMOVE, 0, ParamPack(10, 10));
   MessageExtraInfoSet(0);
   mouseManager.SystemMouseUpdate(true);
   EXPECT_EQ(mouseStateSystem.x, 10);
   EXPECT_EQ(mouseStateSystem.touchActive, 0);
}

TEST_F(MouseTest, RawModeIgnoresWindowMessages)
{
   mouseManager.systemMouseMode = 0;
   Send(MESSAGE_LBUTTONDOWN, 0, 0);
   EXPECT_FALSE(handled);
   EXPECT_EQ(mouseStateSystem.buttons, 0u);
   Send(MESSAGE_DEVICECHANGE, 0, 0);
   EXPECT_EQ(mouseManager.deviceChangePending, 1);
   mouseManager.SystemMouseUpdate(true);
   EXPECT_EQ(mouseManager.deviceChangePending, 0);
}
} // namespace Corvale
