// Frame time of 500 sprites under a real GL context (Xvfb and Mesa), reported per sprite.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "core/Allocator.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/window/Screen.h"
#include "platform/sprite/Sprite.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "tests/platform/ScreenTestSupport.h"

using namespace Corvale;

namespace
{
// A 4-frame sheet of 64 x 64 cells and the sprite file naming it, in a fresh folder.
std::string SpriteTreeMake()
{
   char pattern[] = "/tmp/corvale-bench-sprite-XXXXXX";
   std::string folder = mkdtemp(pattern);
   std::filesystem::create_directories(folder + "/Graphics/Pictures");
   Bitmap sheet;
   sheet.Init(256, 64, BITMAP_FORMAT_RGBA8, allocatorDefault);
   for (i32 y = 0; y < 64; ++y)
   {
      for (i32 x = 0; x < 256; ++x)
      {
         u8* p = sheet.PixelAddressGet(x, y);
         p[0] = static_cast<u8>(x);
         p[1] = static_cast<u8>(y * 4);
         p[2] = 128;
         p[3] = (x % 64 - 32) * (x % 64 - 32) + (y - 32) * (y - 32) < 900 ? 255 : 0;
      }
   }
   FileStdio file(std::fopen((folder + "/Graphics/Pictures/Ball.png").c_str(), "wb"));
   bitmapLoaderPNG.Save(&sheet, &file, HEAP_TEMP);
   std::fclose(file.stream);
   file.stream = nullptr;
   sheet.Free();
   std::ofstream(folder + "/Graphics/Bench.json")
       << R"({"Ball": {"Filename": "Pictures/Ball", "FrameSize": "64|64", "FrameCount": 4, "Origin": "Center"}})";
   return folder;
}

void BM_SpriteFrame(benchmark::State& state)
{
   const i32 count = static_cast<i32>(state.range(0));
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
      Event::SystemInit();
   }
   std::string folder = SpriteTreeMake();
   fileManagerStdioResource.BaseFolderSet(folder.c_str());
   fileManagerResource = &fileManagerStdioResource;
   if (!screen.Init(TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen)))
   {
      state.SkipWithError("no display: run under xvfb-run");
      std::filesystem::remove_all(folder);
      return;
   }
   std::vector<Sprite> sprites(static_cast<size_t>(count));
   for (i32 i = 0; i < count; ++i)
   {
      Sprite& sprite = sprites[static_cast<size_t>(i)];
      sprite.Reset();
      sprite.Init("Bench", "Ball");
      sprite.position =
          Point2F{static_cast<float>(40 + (i * 37) % 880), static_cast<float>(40 + (i * 53) % 640)};
      sprite.rotation = static_cast<float>(i % 360);
      sprite.Update(static_cast<u32>(i * 7));
   }
   for (auto _ : state)
   {
      screen.clearedThisFrame = 0;
      screen.Clear();
      for (Sprite& sprite : sprites)
      {
         sprite.Update(16);
         sprite.Draw();
      }
      screen.BuffersSwap();
   }
   state.counters["per_sprite"] =
       benchmark::Counter(static_cast<double>(count),
                          benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
   for (Sprite& sprite : sprites)
   {
      sprite.Deinit();
   }
   SpriteManager::Deinit();
   imageManager.Deinit();
   textureManager.Deinit();
   screen.Deinit();
   fileManagerResource = nullptr;
   std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SpriteFrame)->Arg(500)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
