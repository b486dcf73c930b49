// Klondike's tutorial as the built program plays it: the program brought up in-process on the
// built data over the main menu, the tutorial queued and entered; it halts at its first line with
// the dealt cards' faces where the deal puts them and the captions in the player's language, a
// click lets it go on until the turned card lies face up on the waste, and Escape returns to the
// main menu; played through, it halts at each of its lines once, ends and returns as well.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/FrameClock.h"
#include "app/MainMenu.h"
#include "core/FileStdio.h"
#include "gui/dialog/DialogManager.h"
#include "gui/state/GameStateManager.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseState.h"
#include "platform/input/PlatformKeys.h"
#include "platform/window/Screen.h"
#include "tests/TestSupport.h"
#include "tests/app/ProgramInProcess.h"
#include "tests/platform/ScreenTestSupport.h"
#include "tutorial/TutorialManager.h"
#include "tutorial/TutorialState.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkeletonJson.h"
#include "tutorial/skeleton/skSkin.h"

namespace Corvale
{
namespace
{
using TestSupport::Pixel;

// The tutorial's frames are 16 ms unless a test says otherwise; its lines come at these times.
constexpr u32 FRAME_MS = 16;
constexpr float FIRST_LINE = 0.6f;
constexpr float THIRD_LINE = 11.6f;

// The deal, in screen pixels: the top row at y 230, the columns from y 400 fanned by 20.
struct CardPlace
{
   const char* name;
   int x;
   int y;
};
const CardPlace FACE_UP[] = {{"ace of clubs", 180, 400},    {"eight of diamonds", 280, 420},
                             {"queen of spades", 380, 440}, {"king of hearts", 480, 460},
                             {"three of clubs", 580, 480},  {"ten of diamonds", 680, 500},
                             {"seven of spades", 780, 520}};

bool WhiteCheck(const Pixel& p)
{
   return p.r > 215 && p.g > 215 && p.b > 215;
}

bool BlueCheck(const Pixel& p)
{
   return p.b > p.r + 40 && p.b > p.g + 20;
}

bool FeltCheck(const Pixel& p)
{
   return p.g > p.r + 20 && p.g > p.b + 20;
}

class TutorialKlondikeTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      started = ProgramInProcess::Start(TestSupport::BuildDataFolderGet().c_str());
      if (!started)
      {
         GTEST_SKIP() << "no built data or no display";
      }
   }

   void TearDown() override
   {
      if (started)
      {
         ProgramInProcess::Stop();
      }
   }

   // One frame of the program, 16 ms long; the input tables are the test's own.
   void Frame()
   {
      frameClock.elapsed = frameMs;
      ApplicationUpdate();
      mouseStateSystem.previousButtons = mouseStateSystem.frameButtons;
      std::memcpy(keyboardState.previous, keyboardState.current, sizeof(keyboardState.current));
   }

   // Frames until the condition holds; false after a generous number of them.
   template <class Condition> bool FramesUntil(Condition condition, int frames = 6000)
   {
      for (int i = 0; i < frames && !condition(); i++)
      {
         Frame();
      }
      return condition();
   }

   void Click()
   {
      mouseStateSystem.frameButtons = MOUSE_BUTTON_LEFT;
      Frame();
      mouseStateSystem.frameButtons = 0;
      Frame();
   }

   // Clicks through the line in the balloon.
   bool LineDismiss()
   {
      for (int i = 0; i < 20 && !dialogManager.IdleCheck(); i++)
      {
         Click();
         for (int f = 0; f < 10; f++)
         {
            Frame();
         }
      }
      return dialogManager.IdleCheck();
   }

   bool HaltAt(float time)
   {
      return FramesUntil([&] { return tutorialManager.elapsed == time && !dialogManager.IdleCheck(); });
   }

   std::vector<u8> Shot(const char* name)
   {
      Frame();
      std::vector<u8> frame = TestSupport::FrameRead();
      const char* snapshots = std::getenv("CORVALE_SNAPSHOT_DIR");
      if (snapshots && snapshots[0])
      {
         PNGWrite(frame, std::string(snapshots) + "/" + name + ".png");
      }
      return frame;
   }

   static void PNGWrite(const std::vector<u8>& frame, const std::string& path);

   bool started = false;
   u32 frameMs = FRAME_MS;
};

void TutorialKlondikeTest::PNGWrite(const std::vector<u8>& frame, const std::string& path)
{
   Bitmap bitmap;
   if (!bitmap.Init(screen.clientWidth, screen.clientHeight, BITMAP_FORMAT_RGBA8, allocatorDefault))
   {
      return;
   }
   for (i32 y = 0; y < screen.clientHeight; y++)
   {
      for (i32 x = 0; x < screen.clientWidth; x++)
      {
         const Pixel p = TestSupport::PixelAt(frame, x, y);
         const u8 bytes[4] = {static_cast<u8>(p.r), static_cast<u8>(p.g), static_cast<u8>(p.b), 255};
         bitmap.PixelSet(bytes, x, y);
      }
   }
   FileStdio file(std::fopen(path.c_str(), "wb"));
   if (file.stream)
   {
      bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP);
      std::fclose(file.stream);
      file.stream = nullptr;
   }
   bitmap.Free();
}

TEST_F(TutorialKlondikeTest, PlaysFromTheDealToTheWasteAndEscapeReturnsToTheMenu)
{
   GameStateManager::Deinit();
   GameStateManager::Init(nullptr);
   GameStateManager::Push(&mainMenu);
   ASSERT_TRUE(FramesUntil([] { return GameStateManager::current == &mainMenu; }, 600));

   ASSERT_TRUE(tutorialState.Enqueue("KlondikeSolitaire"));
   GameStateManager::Push(&tutorialState);
   ASSERT_TRUE(FramesUntil([] { return tutorialManager.skeleton != nullptr; }, 600));
   ASSERT_FALSE(tutorialManager.finished);
   EXPECT_EQ(tutorialManager.skeletonJson->error, nullptr) << tutorialManager.skeletonJson->error;
   EXPECT_EQ(tutorialManager.sounds.count, 2) << "the flip and the card laid down";
   EXPECT_EQ(tutorialManager.dialogTimes.count, 7);

   // The first line halts the deal as it stands.
   ASSERT_TRUE(HaltAt(FIRST_LINE));
   for (int i = 0; i < 120; i++)
   {
      Frame();
   }
   EXPECT_EQ(tutorialManager.elapsed, FIRST_LINE) << "still while the line shows";
   const std::vector<u8> dealt = Shot("TutorialKlondikeDeal");
   for (const CardPlace& card : FACE_UP)
   {
      // The left margin of a face is white, its middle holds ink.
      EXPECT_TRUE(WhiteCheck(TestSupport::PixelAt(dealt, card.x - 33, card.y + 8))) << card.name;
      bool ink = false;
      for (int dy = -40; dy <= 40 && !ink; dy += 2)
      {
         ink = !WhiteCheck(TestSupport::PixelAt(dealt, card.x, card.y + dy));
      }
      EXPECT_TRUE(ink) << card.name << " shows its face, not a blank";
   }
   EXPECT_TRUE(BlueCheck(TestSupport::PixelAt(dealt, 780, 350))) << "the back of column seven's first card";
   EXPECT_TRUE(BlueCheck(TestSupport::PixelAt(dealt, 184, 226))) << "the stock";
   EXPECT_TRUE(FeltCheck(TestSupport::PixelAt(dealt, 380, 230))) << "the felt between waste and foundations";

   // The captions follow the language, and so does the line.
   LanguageCurrentSet(static_cast<u32>(LanguageIndexGet("Russian")));
   ASSERT_NE(tutorialManager.skeleton->skin, nullptr);
   EXPECT_STREQ(tutorialManager.skeleton->skin->name, "Russian");
   LanguageCurrentSet(static_cast<u32>(LanguageIndexGet("English")));
   EXPECT_STREQ(tutorialManager.skeleton->skin->name, "English");

   // A click ends the line; by the third line the stock's top card lies face up on the waste.
   ASSERT_TRUE(LineDismiss());
   ASSERT_TRUE(HaltAt(8.2f));
   ASSERT_TRUE(LineDismiss());
   ASSERT_TRUE(HaltAt(THIRD_LINE));
   const std::vector<u8> turned = Shot("TutorialKlondikeWaste");
   EXPECT_TRUE(WhiteCheck(TestSupport::PixelAt(turned, 280 - 33, 230 + 8))) << "a face on the waste";
   EXPECT_TRUE(BlueCheck(TestSupport::PixelAt(turned, 182, 228))) << "the stock below it";
   EXPECT_FALSE(BlueCheck(TestSupport::PixelAt(dealt, 280 - 33, 230 + 8)));

   // Escape ends it and the main menu is back.
   keyboardState.current[VK_ESCAPE] = 1;
   Frame();
   keyboardState.current[VK_ESCAPE] = 0;
   ASSERT_TRUE(FramesUntil(
       [] { return GameStateManager::current == &mainMenu && !GameStateManager::switchPending; }, 600));
   EXPECT_EQ(tutorialState.queueCount, 0);
   EXPECT_EQ(tutorialManager.skeleton, nullptr);
}

TEST_F(TutorialKlondikeTest, PlaysToItsEndWithEveryLineOnceAndReturnsToTheMenu)
{
   GameStateManager::Deinit();
   GameStateManager::Init(nullptr);
   GameStateManager::Push(&mainMenu);
   ASSERT_TRUE(FramesUntil([] { return GameStateManager::current == &mainMenu; }, 600));
   ASSERT_TRUE(tutorialState.Enqueue("KlondikeSolitaire"));
   GameStateManager::Push(&tutorialState);
   ASSERT_TRUE(FramesUntil([] { return tutorialManager.skeleton != nullptr; }, 600));

   // Each line is read and clicked away as it comes; the lesson runs about half a minute besides,
   // here in long frames: the halts come on time whatever their length.
   frameMs = 100;
   i32 lines = 0;
   const bool ended = FramesUntil(
       [&]
       {
          if (!dialogManager.IdleCheck())
          {
             lines++;
             EXPECT_EQ(tutorialManager.elapsed,
                       tutorialManager.dialogTimes[tutorialManager.dialogTimeNext - 1]);
             EXPECT_TRUE(LineDismiss());
          }
          return tutorialManager.finished;
       });
   ASSERT_TRUE(ended);
   EXPECT_EQ(lines, 7);
   EXPECT_GT(tutorialManager.elapsed, 30.0f);
   EXPECT_LT(tutorialManager.elapsed, 40.0f);
   ASSERT_TRUE(FramesUntil(
       [] { return GameStateManager::current == &mainMenu && !GameStateManager::switchPending; }, 600));
   EXPECT_EQ(tutorialState.queueCount, 0);
}
} // namespace
} // namespace Corvale
