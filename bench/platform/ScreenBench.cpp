// Frame time of 2,000 textured quads through the screen's quad path (run under Xvfb).
#include <benchmark/benchmark.h>

#include "core/Event.h"
#include "core/Memory.h"
#include "platform/window/Screen.h"
#include "platform/image/Texture.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace
{
void TexturedQuads(benchmark::State& state)
{
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
   }
   Event::SystemInit();
   if (!screen.Init(TestSupport::WindowSettingsGet(nullptr)))
   {
      state.SkipWithError("no window or OpenGL context (run under xvfb-run)");
      return;
   }
   u8 pixels[64 * 64 * 4];
   for (u32 i = 0; i < sizeof(pixels); ++i)
   {
      pixels[i] = static_cast<u8>(i * 7);
   }
   Texture texture;
   texture.NameCreate();
   texture.PixelsUpload(pixels, 64, 64, 1, 0);
   const i32 quads = 2000;
   for (auto _ : state)
   {
      screen.clearedThisFrame = 0;
      screen.Clear();
      for (i32 i = 0; i < quads; ++i)
      {
         const float x = static_cast<float>((i * 37) % 900);
         const float y = static_cast<float>((i * 53) % 660);
         const float vertices[20] = {x,        y, 0, 0, 0, x,        y + 60, 0, 0, 1,
                                     x + 60.f, y, 0, 1, 0, x + 60.f, y + 60, 0, 1, 1};
         screen.TexturedQuadDraw(&texture, vertices, ColorRGBA8{255, 255, 255, 200}, 0.0f);
      }
      // The swap waits for the frame, so each iteration is one whole frame.
      screen.BuffersSwap();
   }
   state.SetItemsProcessed(state.iterations() * quads);
   texture.Deinit();
   screen.Deinit();
   Event::SystemDeinit();
}
BENCHMARK(TexturedQuads)->Unit(benchmark::kMillisecond);
} // namespace
} // namespace Corvale
