// Frame time of 2,000 glyphs of a generated font under a real GL context (Xvfb and Mesa),
// reported per glyph.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "core/Event.h"
#include "core/FileManagerStdio.h"
#include "core/Memory.h"
#include "platform/sprite/Font.h"
#include "platform/sprite/FontManager.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/window/Screen.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "tests/platform/ScreenTestSupport.h"

using namespace Corvale;

namespace
{
// The build's generated data: <build>/data beside <build>/bench.
std::string DataFolderGet()
{
   char exe[4096] = {};
   ssize_t length = readlink("/proc/self/exe", exe, sizeof(exe) - 1);
   if (length <= 0)
   {
      return std::string();
   }
   return (std::filesystem::path(exe).parent_path().parent_path() / "data").string();
}

void BM_FontFrame(benchmark::State& state)
{
   const i32 glyphs = static_cast<i32>(state.range(0));
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
      Event::SystemInit();
   }
   std::string data = DataFolderGet();
   if (!std::filesystem::exists(data + "/Graphics/Fonts/SansRegular.json"))
   {
      state.SkipWithError("the generated fonts are missing: build the corvale_fonts target");
      return;
   }
   fileManagerStdioResource.BaseFolderSet(data.c_str());
   fileManagerResource = &fileManagerStdioResource;
   if (!screen.Init(TestSupport::WindowSettingsGet(TestSupport::WindowProcedureScreen)))
   {
      state.SkipWithError("no display: run under xvfb-run");
      return;
   }
   Font* font = FontManager::Load("SansRegular");
   if (!font)
   {
      state.SkipWithError("SansRegular did not load");
      screen.Deinit();
      return;
   }
   // Lines of 50 glyphs (no blanks) make the glyph count.
   const char* line = "TheQuickBrownFoxJumpsOverTheLazyDog0123456789abcde";
   const i32 lines = glyphs / 50;
   for (auto _ : state)
   {
      screen.clearedThisFrame = 0;
      screen.Clear();
      for (i32 i = 0; i < lines; ++i)
      {
         font->TextDraw(line, Point2F{10.0f, 20.0f + 17.0f * i}, ColorRGBA8{255, 255, 255, 255},
                        Point2F{1, 1}, 0.0f, 0.0f);
      }
      screen.BuffersSwap();
   }
   state.counters["per_glyph"] =
       benchmark::Counter(static_cast<double>(lines * 50),
                          benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
   FontManager::Release(font);
   FontManager::Deinit();
   imageManager.Deinit();
   textureManager.Deinit();
   screen.Deinit();
   fileManagerResource = nullptr;
}
BENCHMARK(BM_FontFrame)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace
