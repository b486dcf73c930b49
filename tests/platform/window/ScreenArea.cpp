// Display-mode choice, letterbox and prepared-area arithmetic, and the client-to-virtual mapping,
// all without a display.
#include <gtest/gtest.h>

#include "core/Memory.h"

#include <vector>

#include "platform/input/MouseManager.h"
#include "platform/window/Screen.h"
#include "tests/MemoryEnvironment.h"

namespace Corvale
{
namespace
{
// Containers and screens take their memory from the engine's heaps.
const ::testing::Environment* const memoryEnvironment =
    ::testing::AddGlobalTestEnvironment(new TestSupport::MemoryEnvironment);

// A screen whose desktop and mode list are given by the test.
class ScreenFake : public Screen
{
 public:
   ScreenFake(i32 width, i32 height, std::vector<DisplayMode> list) : modes(std::move(list))
   {
      desktopWidth = width;
      desktopHeight = height;
      desktopSizeKnown = 1;
   }
   void DisplayModesGet(Table<DisplayMode>* out) override
   {
      for (const DisplayMode& mode : modes)
      {
         out->Insert(mode, out->count);
      }
   }
   std::vector<DisplayMode> modes;
};

ScreenSettings StartUpSettings()
{
   ScreenSettings settings;
   settings.width = 960;
   settings.height = 720;
   settings.preparedArea[0] = -160;
   settings.preparedArea[1] = 0;
   settings.preparedArea[2] = 1280;
   settings.preparedArea[3] = 720;
   settings.fullscreen = 0;
   return settings;
}
} // namespace

TEST(ScreenDisplayMode, ChoiceTakesTheSmallestModeHoldingTheLetterboxedArea)
{
   struct Case
   {
      const char* name;
      std::vector<DisplayMode> modes;
      bool found;
      i32 index;
   };
   const std::vector<Case> cases = {
       {"smallest that holds 1280x720",
        {{0, 1024, 768}, {1, 1280, 1024}, {2, 1280, 720}, {3, 1920, 1080}},
        true,
        2},
       {"modes beyond the desktop are never taken", {{0, 2560, 1440}, {1, 1600, 900}}, true, 1},
       {"none large enough: the largest within the desktop",
        {{0, 800, 600}, {1, 1024, 768}, {2, 1152, 648}},
        true,
        1},
       {"first wins ties", {{0, 1280, 800}, {1, 1280, 800}}, true, 0},
       {"nothing within the desktop", {{0, 2560, 1440}}, false, -1},
   };
   for (const Case& c : cases)
   {
      ScreenFake fake(1920, 1080, c.modes);
      fake.virtualWidth = 960;
      fake.virtualHeight = 720;
      fake.aspectMode = 1;
      DisplayMode chosen;
      ASSERT_EQ(fake.DisplayModeChoose(&chosen), c.found) << c.name;
      if (c.found)
      {
         EXPECT_EQ(chosen.index, c.index) << c.name;
      }
   }
}

TEST(ScreenDisplayMode, SettingsApplyKeepsTheStartUpPreparedAreaAndFallsBackToAWindow)
{
   ScreenFake fake(1920, 1080, {{4, 1280, 720}});
   ScreenSettings settings = StartUpSettings();
   settings.fullscreen = 1;
   fake.SettingsApply(settings);
   EXPECT_EQ(fake.preparedArea.x, -160);
   EXPECT_EQ(fake.preparedArea.width, 1280);
   EXPECT_EQ(fake.displayModeIndex, 4);
   EXPECT_EQ(fake.clientWidth, 1280);
   EXPECT_EQ(fake.clientHeight, 720);

   // A prepared area smaller than the virtual area grows to hold it.
   settings.preparedArea[0] = 10;
   settings.preparedArea[2] = 100;
   settings.preparedArea[3] = 100;
   fake.modes.clear();
   fake.SettingsApply(settings);
   EXPECT_EQ(fake.preparedArea.x, 0);
   EXPECT_EQ(fake.preparedArea.width, 960);
   EXPECT_EQ(fake.preparedArea.height, 720);
   EXPECT_EQ(fake.fullscreen, 0);
   EXPECT_EQ(fake.clientWidth, 960);
}

TEST(ScreenDisplayMode, LetterboxedVisibleAreaIsCentred)
{
   ScreenFake fake(1920, 1080, {});
   fake.SettingsApply(StartUpSettings());
   fake.displayModeChanged = 1;
   fake.VisibleAreaCompute();
   EXPECT_FLOAT_EQ(fake.visibleArea.x, -160.0f);
   EXPECT_FLOAT_EQ(fake.visibleArea.width, 1280.0f);
   EXPECT_EQ(fake.visibleAreaBox.x, -160);
   EXPECT_EQ(fake.visibleAreaBox.width, 1280);
   // A 4:3 area on a 16:10 desktop is 1152 wide: x from -96.
   ScreenFake narrow(1680, 1050, {});
   narrow.SettingsApply(StartUpSettings());
   narrow.displayModeChanged = 1;
   narrow.VisibleAreaCompute();
   EXPECT_EQ(narrow.visibleAreaBox.x, -96);
   EXPECT_EQ(narrow.visibleAreaBox.width, 1152);
   const PlatformRect prepared = narrow.PreparedAreaVisibleBoxGet();
   EXPECT_EQ(prepared.x, -96);
   EXPECT_EQ(prepared.width, 1152);
}

TEST(ScreenDisplayMode, ClientToVirtualForAPreparedWindowAndALetterboxedFullScreen)
{
   // The state that start-up leaves on a 1920x1080 desktop with the windowed prepared area on.
   screen.desktopWidth = 1920;
   screen.desktopHeight = 1080;
   screen.desktopSizeKnown = 1;
   screen.virtualWidth = 960;
   screen.virtualHeight = 720;
   screen.aspectMode = 1;
   screen.preparedArea = PlatformRect{-160, 0, 1280, 720};
   screen.preparedAreaWindowedEnabled = 1;
   screen.clientWidth = 1280;
   screen.clientHeight = 720;

   struct Case
   {
      float inX, inY, outX, outY;
   };
   // The window shows exactly the prepared area: x from -160 to 1120.
   for (const Case& c : {Case{0, 0, -160, 0}, Case{1280, 720, 1120, 720}, Case{640, 360, 480, 360}})
   {
      Point2F in{c.inX, c.inY}, out;
      mouseManager.ClientToVirtual(&out, &in);
      EXPECT_FLOAT_EQ(out.x, c.outX);
      EXPECT_FLOAT_EQ(out.y, c.outY);
   }

   // Full screen on a 1920x1080 desktop: bars of 240 pixels left and right.
   screen.displayModeChanged = 1;
   screen.clientWidth = 1920;
   screen.clientHeight = 1080;
   for (const Case& c : {Case{240, 0, 0, 0}, Case{1680, 1080, 960, 720}, Case{960, 540, 480, 360}})
   {
      Point2F in{c.inX, c.inY}, out;
      mouseManager.ClientToVirtual(&out, &in);
      EXPECT_NEAR(out.x, c.outX, 1e-3f);
      EXPECT_NEAR(out.y, c.outY, 1e-3f);
   }
   screen.displayModeChanged = 0;
}
} // namespace Corvale
