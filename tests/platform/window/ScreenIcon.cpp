// The window icon under a real window (Xvfb): with an icon asked for, the PNG of the resource tree
// reaches the X window's icon property; without the file the window still opens, with one line.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/Allocator.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "platform/window/Screen.h"
#include "tests/platform/BitmapTestSupport.h"
#include "tests/platform/ScreenTestSupport.h"

using namespace Corvale;

namespace
{
class ScreenIconTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
         Event::SystemInit();
      }
      char pattern[] = "/tmp/corvale-icon-XXXXXX";
      folder = mkdtemp(pattern);
      std::filesystem::create_directories(folder + "/Graphics");
      fileManagerStdioResource.BaseFolderSet(folder.c_str());
      fileManagerResource = &fileManagerStdioResource;
   }
   void TearDown() override
   {
      screen.Deinit();
      fileManagerResource = nullptr;
      std::filesystem::remove_all(folder);
   }

   // A 16 x 8 icon: the left half opaque green, the right half opaque red.
   void IconWrite()
   {
      Bitmap bitmap;
      ASSERT_TRUE(bitmap.Init(16, 8, BITMAP_FORMAT_RGBA8, allocatorDefault));
      for (int y = 0; y < 8; y++)
      {
         for (int x = 0; x < 16; x++)
         {
            u8 pixel[4] = {static_cast<u8>(x < 8 ? 0 : 255), static_cast<u8>(x < 8 ? 200 : 0), 0, 255};
            bitmap.PixelSet(pixel, x, y);
         }
      }
      FileStdio file(std::fopen((folder + "/" + SCREEN_ICON_PATH).c_str(), "wb"));
      ASSERT_NE(file.stream, nullptr);
      EXPECT_TRUE(bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP));
      std::fclose(file.stream);
      file.stream = nullptr;
      bitmap.Free();
   }

   // The window's _NET_WM_ICON: width, height, then one ARGB word per pixel; empty when unset.
   std::vector<unsigned long> IconPropertyGet()
   {
      SDL_SysWMinfo info;
      SDL_VERSION(&info.version);
      std::vector<unsigned long> words;
      if (!SDL_GetWindowWMInfo(static_cast<SDL_Window*>(screen.window.HandleGet()), &info) ||
          info.subsystem != SDL_SYSWM_X11)
      {
         return words;
      }
      Display* display = info.info.x11.display;
      Atom property = XInternAtom(display, "_NET_WM_ICON", False);
      Atom type = 0;
      int format = 0;
      unsigned long count = 0, after = 0;
      unsigned char* data = nullptr;
      if (XGetWindowProperty(display, info.info.x11.window, property, 0, 1 << 16, False, XA_CARDINAL, &type,
                             &format, &count, &after, &data) == Success &&
          data)
      {
         const unsigned long* values = reinterpret_cast<const unsigned long*>(data);
         words.assign(values, values + count);
         XFree(data);
      }
      return words;
   }

   std::string folder;
};

TEST_F(ScreenIconTest, TheIconFileBecomesTheWindowsIcon)
{
   IconWrite();
   ScreenSettings settings = TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen);
   settings.iconId = 101;
   ASSERT_TRUE(screen.Init(settings)) << "needs a display (run under xvfb-run)";
   const std::vector<unsigned long> icon = IconPropertyGet();
   ASSERT_EQ(icon.size(), 2u + 16 * 8);
   EXPECT_EQ(icon[0], 16u);
   EXPECT_EQ(icon[1], 8u);
   EXPECT_EQ(icon[2] & 0xFFFFFFFFu, 0xFF00C800u) << "top-left: opaque green";
   EXPECT_EQ(icon[2 + 15] & 0xFFFFFFFFu, 0xFFFF0000u) << "top-right: opaque red";
}

TEST_F(ScreenIconTest, WithoutTheFileTheWindowOpensAndSaysWhy)
{
   ScreenSettings settings = TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen);
   settings.iconId = 101;
   testing_support::LogCapture log;
   ASSERT_TRUE(screen.Init(settings));
   EXPECT_TRUE(log.Has("Screen::IconLoad -- unable to open \"Graphics/Icon.png\"\n")) << log.text;
   EXPECT_TRUE(IconPropertyGet().empty());
}
} // namespace
