// Shared pieces of the sprite and font tests that draw: a window with a GL context (run under
// Xvfb), a resource tree in a temporary folder, PNG fixtures written by our own writer, and the
// frame read back.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/TestSupport.h"
#include "core/Allocator.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/window/Screen.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace sprite_test_support
{
using TestSupport::Pixel;

using TestSupport::BuildDataFolderGet;

// A window of 960 by 720 (one pixel per unit) over a resource tree in a fresh folder.
class DrawingTest : public ::testing::Test
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
      char pattern[] = "/tmp/corvale-draw-XXXXXX";
      folder = mkdtemp(pattern);
      std::filesystem::create_directories(folder + "/Graphics");
      fileManagerStdioResource.BaseFolderSet(folder.c_str());
      fileManagerResource = &fileManagerStdioResource;
      ASSERT_TRUE(screen.Init(TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen)))
          << "needs a display (run under xvfb-run)";
      opened = true;
      Clear();
   }

   void TearDown() override
   {
      // Everything the test loaded must have been given back by now.
      EXPECT_EQ(imageManager.cache.map.count, 0) << "an image reference was left";
      imageManager.Deinit();
      textureManager.Deinit();
      if (opened)
      {
         screen.Deinit();
      }
      fileManagerResource = nullptr;
      std::filesystem::remove_all(folder);
   }

   void Clear()
   {
      screen.clearedThisFrame = 0;
      screen.ClearColorSet(ColorRGBA8{0, 0, 0, 255});
      screen.Clear();
   }

   void TextWrite(const std::string& path, const std::string& text)
   {
      std::filesystem::create_directories(std::filesystem::path(folder + "/" + path).parent_path());
      std::ofstream(folder + "/" + path) << text;
   }

   // An RGBA PNG whose pixels come from paint (x, y, rgba).
   void PNGWrite(const std::string& path, int width, int height,
                 const std::function<void(int, int, u8*)>& paint)
   {
      std::filesystem::create_directories(std::filesystem::path(folder + "/" + path).parent_path());
      Bitmap bitmap;
      ASSERT_TRUE(bitmap.Init(width, height, BITMAP_FORMAT_RGBA8, allocatorDefault));
      for (int y = 0; y < height; ++y)
      {
         for (int x = 0; x < width; ++x)
         {
            u8* pixel = bitmap.PixelAddressGet(x, y);
            pixel[0] = pixel[1] = pixel[2] = pixel[3] = 0;
            paint(x, y, pixel);
         }
      }
      FileStdio file(std::fopen((folder + "/" + path).c_str(), "wb"));
      ASSERT_NE(file.stream, nullptr);
      EXPECT_TRUE(bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP));
      std::fclose(file.stream);
      file.stream = nullptr;
      bitmap.Free();
   }

   std::vector<u8> Frame() { return TestSupport::FrameRead(); }

   // The frame as an opaque PNG file, to look at.
   static void Save(const std::vector<u8>& frame, const std::string& path)
   {
      Bitmap bitmap;
      ASSERT_TRUE(
          bitmap.Init(screen.clientWidth, screen.clientHeight, BITMAP_FORMAT_RGBA8, allocatorDefault));
      for (int y = 0; y < screen.clientHeight; ++y)
      {
         for (int x = 0; x < screen.clientWidth; ++x)
         {
            const u8* from = &frame[(static_cast<size_t>(y) * screen.clientWidth + x) * 3];
            u8* to = bitmap.PixelAddressGet(x, y);
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
            to[3] = 255;
         }
      }
      FileStdio file(std::fopen(path.c_str(), "wb"));
      ASSERT_NE(file.stream, nullptr) << path;
      EXPECT_TRUE(bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP));
      std::fclose(file.stream);
      file.stream = nullptr;
      bitmap.Free();
   }

   static Pixel At(const std::vector<u8>& frame, int x, int y) { return TestSupport::PixelAt(frame, x, y); }

   // The smallest box of pixels brighter than threshold, as (x, y, width, height).
   static Box2F LitBoxGet(const std::vector<u8>& frame, int threshold)
   {
      int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
      for (int y = 0; y < screen.clientHeight; ++y)
      {
         for (int x = 0; x < screen.clientWidth; ++x)
         {
            Pixel p = At(frame, x, y);
            if (p.r > threshold || p.g > threshold || p.b > threshold)
            {
               minX = std::min(minX, x);
               minY = std::min(minY, y);
               maxX = std::max(maxX, x);
               maxY = std::max(maxY, y);
            }
         }
      }
      if (maxX < 0)
      {
         return Box2F();
      }
      return Box2F{static_cast<float>(minX), static_cast<float>(minY), static_cast<float>(maxX - minX + 1),
                   static_cast<float>(maxY - minY + 1)};
   }

   std::string folder;
   bool opened = false;
};
} // namespace sprite_test_support
} // namespace Corvale
