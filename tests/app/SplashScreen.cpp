// The splash screen: the images of the list until one fails to load, each one's fade-in, hold and
// fade-out, skipping by a press (not a hold, not Alt+Enter), the hand-over to the state below,
// and the fade colours it leaves behind.
#include "app/SplashScreen.h"

#include "gui/state/FadeManager.h"
#include "gui/state/GameStateManager.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/PlatformKeys.h"
#include "tests/platform/SpriteTestSupport.h"

namespace Corvale
{
namespace
{
using sprite_test_support::DrawingTest;

class SplashScreenTest : public DrawingTest
{
 protected:
   void SetUp() override
   {
      DrawingTest::SetUp();
      // A red and a blue picture.
      PNGWrite("Graphics/Splash/Red.png", 40, 20, [](int, int, u8* p) { p[0] = p[3] = 255; });
      PNGWrite("Graphics/Splash/Blue.png", 40, 20, [](int, int, u8* p) { p[2] = p[3] = 255; });
      keyboardState = KeyboardState();
      mouseStateSystem = MouseState();
      GameStateManager::Init(&below);
   }

   void TearDown() override
   {
      splash.Deinit();
      GameStateManager::Deinit();
      DrawingTest::TearDown();
   }

   void Start(const char* names)
   {
      splash.ImageNamesSet(names);
      GameStateManager::Push(&splash);
      GameStateManager::switchPending = 0;
      splash.Init();
   }

   // One frame with the given keys down now (and, for held keys, before).
   void Tick(u32 elapsed, std::initializer_list<u8> down = {}, std::initializer_list<u8> held = {})
   {
      std::memcpy(keyboardState.previous, keyboardState.current, sizeof(keyboardState.current));
      std::memset(keyboardState.current, 0, sizeof(keyboardState.current));
      for (u8 key : down)
      {
         keyboardState.current[key] = 1;
      }
      for (u8 key : held)
      {
         keyboardState.current[key] = keyboardState.previous[key] = 1;
      }
      splash.Update(elapsed);
   }

   GameState below;
   SplashScreen splash;
};

TEST_F(SplashScreenTest, EachImageFadesInHoldsAndFadesOut)
{
   Start("Splash/Red|Splash/Blue");
   ASSERT_EQ(splash.images.count, 2);
   EXPECT_EQ(splash.totalDuration, 4000u);
   struct Case
   {
      u32 time;
      u8 alpha;
   } cases[] = {{0, 0}, {500, 127}, {1000, 255}, {2000, 255}, {3000, 255}, {3500, 127}, {4000, 0}};
   for (const Case& c : cases)
   {
      splash.imageTime = c.time;
      EXPECT_EQ(splash.AlphaGet(), c.alpha) << c.time << " ms";
   }
   // Without a fade the picture is opaque throughout.
   splash.fadeDuration = 0;
   splash.holdEnd = splash.holdDuration;
   splash.imageTime = 2500;
   EXPECT_EQ(splash.AlphaGet(), 255);
}

TEST_F(SplashScreenTest, ImagesFollowEachOtherAndThenTheStateBelowRuns)
{
   Start("Splash/Red|Splash/Blue");
   Tick(0);
   Tick(4000);
   EXPECT_EQ(splash.imageIndex, 0) << "shown for 4000 ms in all";
   Tick(1);
   EXPECT_EQ(splash.imageIndex, 1);
   EXPECT_EQ(splash.imageTime, 0u);
   EXPECT_FALSE(GameStateManager::switchPending);
   Tick(4001);
   EXPECT_TRUE(GameStateManager::switchPending);
   EXPECT_EQ(GameStateManager::TopGet(), &below);
}

TEST_F(SplashScreenTest, APressSkipsOneImageButAHoldOrAltEnterDoesNot)
{
   struct Case
   {
      const char* name;
      std::initializer_list<u8> down;
      bool mouse;
      i32 skipped;
   } cases[] = {
       {"Escape", {VK_ESCAPE}, false, 1},
       {"Space", {VK_SPACE}, false, 1},
       {"Enter", {VK_RETURN}, false, 1},
       {"left Alt+Enter", {VK_LMENU, VK_RETURN}, false, 0},
       {"right Alt+Enter", {VK_RMENU, VK_RETURN}, false, 0},
       {"another key", {'A'}, false, 0},
       {"left button", {}, true, 1},
   };
   for (const Case& c : cases)
   {
      Start("Splash/Red|Splash/Blue");
      mouseStateSystem.frameButtons = c.mouse ? static_cast<u32>(MOUSE_BUTTON_LEFT) : 0u;
      Tick(10, c.down);
      mouseStateSystem.previousButtons = mouseStateSystem.frameButtons;
      // Still down in the next frames: a hold, not a press.
      Tick(10, {}, c.down);
      Tick(10, {}, c.down);
      EXPECT_EQ(splash.imageIndex, c.skipped) << c.name;
      splash.Deinit();
      keyboardState = KeyboardState();
      mouseStateSystem = MouseState();
   }
}

TEST_F(SplashScreenTest, AnImageThatDoesNotLoadEndsTheList)
{
   // A name too long for the tokenizer is cut: it ends the list too, rather than loading some
   // other file.
   const std::string tooLong = "Splash/Red|" + std::string(300, 'x') + "|Splash/Blue";
   struct Case
   {
      const char* names;
      i32 count;
   } cases[] = {
       {"Splash/Red|Splash/Missing|Splash/Blue", 1},
       {tooLong.c_str(), 1},
       {"Splash/Missing|Splash/Red", 0},
       {"|Splash/Blue|", 1},
       {"", 0},
       {nullptr, 0},
   };
   for (const Case& c : cases)
   {
      Start(c.names);
      EXPECT_EQ(splash.images.count, c.count) << (c.names ? c.names : "null");
      EXPECT_EQ(splash.imageNames, nullptr);
      if (c.count == 0)
      {
         // Nothing to show: the first update hands over.
         Tick(0);
         EXPECT_TRUE(GameStateManager::switchPending);
         GameStateManager::switchPending = 0;
      }
      splash.Deinit();
   }
}

TEST_F(SplashScreenTest, DrawsTheImageCentredOnBlackAndLeavesAFadeFromBlack)
{
   FadeManager::Reset();
   FadeManager::endColor = ColorRGBA8{0, 0, 0, 255};
   FadeManager::fading = 1;
   Start("Splash/Red");
   EXPECT_FALSE(FadeManager::fading);
   EXPECT_EQ(FadeManager::endColor.a, 0) << "no fade overlay covers the splash";

   splash.imageTime = 1500;
   Clear();
   screen.ClearColorSet(ColorRGBA8{0, 255, 0, 255});
   splash.Draw();
   std::vector<u8> frame = Frame();
   EXPECT_EQ(LitBoxGet(frame, 40).x, 460.0f);
   EXPECT_EQ(LitBoxGet(frame, 40).y, 350.0f);
   EXPECT_EQ(LitBoxGet(frame, 40).width, 40.0f);
   EXPECT_GT(At(frame, 480, 360).r, 200);
   EXPECT_LT(At(frame, 10, 10).g, 10) << "the rest is black";

   splash.Deinit();
   EXPECT_EQ(imageManager.cache.map.count, 0);
   EXPECT_EQ(FadeManager::endColor.a, 255) << "the next state fades in from black";
}
} // namespace
} // namespace Corvale
