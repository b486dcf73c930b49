// Drawing a posed skeleton under a real GL context (Xvfb and Mesa): 60 region slots of 64 by 64,
// one textured quad each, per frame and as a share of a 1 ms budget, beside 60 sprites of that size.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/Allocator.h"
#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/FileStdio.h"
#include "core/GraphicsPathManager.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/sprite/Sprite.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/window/Screen.h"
#include "tests/platform/ScreenTestSupport.h"
#include "tests/tutorial/LoadedSkeleton.h"
#include "tutorial/SkeletonHooks.h"
#include "tutorial/SkeletonManager.h"

using namespace Corvale;

namespace
{
constexpr int QUADS = 60;

// One 64 by 64 picture, as a sprite file and as an atlas page, in a fresh folder.
std::string TreeMake()
{
   char pattern[] = "/tmp/corvale-bench-skeleton-XXXXXX";
   std::string folder = mkdtemp(pattern);
   std::filesystem::create_directories(folder + "/Graphics/Pictures");
   Bitmap picture;
   picture.Init(64, 64, BITMAP_FORMAT_RGBA8, allocatorDefault);
   for (i32 y = 0; y < 64; ++y)
   {
      for (i32 x = 0; x < 64; ++x)
      {
         u8* p = picture.PixelAddressGet(x, y);
         p[0] = static_cast<u8>(x * 4);
         p[1] = static_cast<u8>(y * 4);
         p[2] = 128;
         p[3] = 255;
      }
   }
   FileStdio file(std::fopen((folder + "/Graphics/Pictures/Card.png").c_str(), "wb"));
   bitmapLoaderPNG.Save(&picture, &file, HEAP_TEMP);
   std::fclose(file.stream);
   file.stream = nullptr;
   picture.Free();
   std::ofstream(folder + "/Graphics/Bench.json")
       << R"({"Card": {"Filename": "Pictures/Card", "FrameSize": "64|64"}})";
   std::ofstream(folder + "/Graphics/Pictures/Card.atlas")
       << "Card.png\nformat: RGBA8888\nfilter: Linear,Linear\nrepeat: none\n"
          "card\n  rotate: false\n  xy: 0, 0\n  size: 64, 64\n  orig: 64, 64\n  offset: 0, 0\n  index: -1\n";
   return folder;
}

Point2F PlaceGet(int i)
{
   return Point2F{static_cast<float>(40 + (i * 37) % 880), static_cast<float>(40 + (i * 53) % 640)};
}

std::string SkeletonText()
{
   std::string bones = "{ \"name\": \"root\" }";
   std::string slots;
   std::string skin;
   for (int i = 0; i < QUADS; ++i)
   {
      const Point2F at = PlaceGet(i);
      const std::string n = std::to_string(i);
      bones += ", { \"name\": \"b" + n + "\", \"parent\": \"root\", \"x\": " + std::to_string(at.x) +
               ", \"y\": " + std::to_string(at.y) + ", \"rotation\": " + std::to_string(i % 360) + " }";
      slots += std::string(i ? ", " : "") + "{ \"name\": \"s" + n + "\", \"bone\": \"b" + n +
               "\", \"attachment\": \"card\" }";
      skin += std::string(i ? ", " : "") + "\"s" + n + "\": { \"card\": { \"width\": 64, \"height\": 64 } }";
   }
   return "{ \"bones\": [ " + bones + " ], \"slots\": [ " + slots + " ], \"skins\": { \"default\": { " +
          skin + " } } }";
}

// The window over the tree; false (with the benchmark skipped) without a display.
bool Open(benchmark::State& state, const std::string& folder)
{
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
      Event::SystemInit();
   }
   fileManagerStdioResource.BaseFolderSet(folder.c_str());
   fileManagerResource = &fileManagerStdioResource;
   GraphicsPathManager::Set(0, "Graphics");
   if (!screen.Init(TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen)))
   {
      state.SkipWithError("no display: run under xvfb-run");
      return false;
   }
   return true;
}

void Close(const std::string& folder)
{
   SpriteManager::Deinit();
   imageManager.Deinit();
   textureManager.Deinit();
   screen.Deinit();
   fileManagerResource = nullptr;
   std::filesystem::remove_all(folder);
}

// One frame: clear, draw, and wait for the GL to finish, as a presented frame would.
template <class F> void FramesRun(benchmark::State& state, const char* what, F draw)
{
   const auto start = std::chrono::steady_clock::now();
   for (auto _ : state)
   {
      screen.clearedThisFrame = 0;
      screen.Clear();
      draw();
      screen.BuffersSwap();
   }
   const double micros =
       std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() /
       static_cast<double>(state.iterations());
   state.counters["us_per_frame"] = micros;
   state.counters["share_of_1ms"] = micros / 1000;
   std::printf("%s: %.1f us per frame, %.1f%% of a 1 ms budget\n", what, micros, micros / 10);
}

void BM_SkeletonDraw(benchmark::State& state)
{
   const std::string folder = TreeMake();
   if (!Open(state, folder))
   {
      std::filesystem::remove_all(folder);
      return;
   }
   SkeletonHooksInstall();
   {
      tutorial_test_support::LoadedSkeleton loaded;
      loaded.Load("Pictures/Card", SkeletonText(), true);
      skSkeleton* skeleton = loaded.skeleton;
      if (!skeleton || loaded.data->slotsCount != QUADS)
      {
         state.SkipWithError("the generated skeleton did not load");
      }
      else
      {
         FramesRun(state, "60 skeleton region slots",
                   [skeleton]() { SkeletonManager::SkeletonDraw(skeleton); });
      }
   }
   SkeletonManagerCommon::Deinit();
   Close(folder);
}
BENCHMARK(BM_SkeletonDraw)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_SpritesOfTheSameSize(benchmark::State& state)
{
   const std::string folder = TreeMake();
   if (!Open(state, folder))
   {
      std::filesystem::remove_all(folder);
      return;
   }
   std::vector<Sprite> sprites(QUADS);
   for (int i = 0; i < QUADS; ++i)
   {
      Sprite& sprite = sprites[static_cast<size_t>(i)];
      sprite.Reset();
      sprite.Init("Bench", "Card");
      sprite.position = PlaceGet(i);
      sprite.rotation = static_cast<float>(i % 360);
   }
   FramesRun(state, "60 sprites",
             [&sprites]()
             {
                for (Sprite& sprite : sprites)
                {
                   sprite.Draw();
                }
             });
   for (Sprite& sprite : sprites)
   {
      sprite.Deinit();
   }
   Close(folder);
}
BENCHMARK(BM_SpritesOfTheSameSize)->Unit(benchmark::kMicrosecond)->UseRealTime();
} // namespace
