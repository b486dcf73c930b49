// Decode time of a 1024x1024 RGBA PNG: our reader against libpng on the same bytes. libpng is
// loaded at run time so that only this benchmark depends on it; the ratio is in the counters.
#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <png.h>

#include <cstdio>
#include <vector>

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

using namespace Corvale;

namespace
{
// Smooth art with some noise, written by our writer (filter None) once.
const std::vector<u8>& ArtPNG()
{
   static std::vector<u8> bytes;
   if (bytes.empty())
   {
      Memory::Init();
      Bitmap bitmap;
      bitmap.Init(1024, 1024, BITMAP_FORMAT_RGBA8, allocatorDefault);
      u32 noise = 12345;
      for (i32 y = 0; y < 1024; ++y)
      {
         for (i32 x = 0; x < 1024; ++x)
         {
            noise = noise * 1103515245u + 12345u;
            u8* p = bitmap.PixelAddressGet(x, y);
            p[0] = static_cast<u8>(x / 4 + ((noise >> 16) & 7));
            p[1] = static_cast<u8>(y / 4);
            p[2] = static_cast<u8>((x + y) / 8);
            p[3] = static_cast<u8>(x < 512 ? 255 : (noise >> 20) & 0xFF);
         }
      }
      char* buffer = nullptr;
      size_t size = 0;
      FILE* stream = open_memstream(&buffer, &size);
      FileStdio file(stream);
      bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP);
      std::fclose(stream);
      file.stream = nullptr;
      bytes.assign(buffer, buffer + size);
      std::free(buffer);
      bitmap.Free();
   }
   return bytes;
}

void OurDecode(benchmark::State& state)
{
   std::vector<u8> bytes = ArtPNG();
   for (auto _ : state)
   {
      FileStdio file(fmemopen(bytes.data(), bytes.size(), "rb"));
      Bitmap* bitmap = bitmapLoaderPNG.Load(&file, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP);
      benchmark::DoNotOptimize(bitmap);
      Bitmap::Destroy(bitmap);
      std::fclose(file.stream);
      file.stream = nullptr;
   }
   state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1024 * 1024 * 4);
}
BENCHMARK(OurDecode)->Unit(benchmark::kMillisecond);

void LibpngDecode(benchmark::State& state)
{
   void* library = dlopen("libpng16.so.16", RTLD_NOW);
   if (!library)
   {
      state.SkipWithError("libpng16 is not installed");
      return;
   }
   auto begin = reinterpret_cast<decltype(&png_image_begin_read_from_memory)>(
       dlsym(library, "png_image_begin_read_from_memory"));
   auto finish = reinterpret_cast<decltype(&png_image_finish_read)>(dlsym(library, "png_image_finish_read"));
   auto release = reinterpret_cast<decltype(&png_image_free)>(dlsym(library, "png_image_free"));
   const std::vector<u8>& bytes = ArtPNG();
   std::vector<u8> pixels(1024 * 1024 * 4);
   for (auto _ : state)
   {
      png_image image{};
      image.version = PNG_IMAGE_VERSION;
      if (!begin(&image, bytes.data(), bytes.size()))
      {
         state.SkipWithError("libpng refused the file");
         break;
      }
      image.format = PNG_FORMAT_RGBA;
      finish(&image, nullptr, pixels.data(), 0, nullptr);
      release(&image);
      benchmark::DoNotOptimize(pixels.data());
   }
   state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 1024 * 1024 * 4);
}
BENCHMARK(LibpngDecode)->Unit(benchmark::kMillisecond);
} // namespace
