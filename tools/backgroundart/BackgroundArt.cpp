// corvale-backgroundart: draws the table surfaces that games lie on: felt in several colours with
// a soft mottle, a fine grain and a vignette, each covering the 1280 x 720 prepared area, the
// sprite resource file that names them, and a small thumbnail of each for the settings menu.
//   corvale-backgroundart --output <Graphics folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "core/Allocator.h"
#include "core/Memory.h"
#include "tools/common/ToolFiles.h"

using namespace Corvale;

namespace
{
constexpr int WIDTH = 1280;
constexpr int HEIGHT = 720;
const char* const TOOL = "backgroundart";
// Thumbnails are the felt reduced by this factor, each pixel the mean of its block.
constexpr int THUMBNAIL_REDUCTION = 5;

struct Felt
{
   const char* name;
   float r, g, b;
   uint32_t seed;
};

// The names are the background keys of the constants and of the "Background<name>" texts.
const Felt felts[] = {
    {"FeltGreen", 0.07f, 0.38f, 0.18f, 11},  {"FeltBlue", 0.08f, 0.22f, 0.46f, 23},
    {"FeltRed", 0.46f, 0.09f, 0.11f, 37},    {"FeltTeal", 0.05f, 0.34f, 0.36f, 41},
    {"FeltPurple", 0.28f, 0.13f, 0.40f, 53},
};

// A deterministic hash in [-0.5, 0.5], the same on every build.
float Hash(uint32_t x, uint32_t y, uint32_t seed)
{
   uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
   h = (h ^ (h >> 13)) * 1274126177u;
   return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f - 0.5f;
}

// Smoothly interpolated lattice noise with cells of the given size, in [-0.5, 0.5].
float ValueNoise(float x, float y, float cell, uint32_t seed)
{
   const float fx = x / cell, fy = y / cell;
   const uint32_t ix = static_cast<uint32_t>(fx), iy = static_cast<uint32_t>(fy);
   auto smooth = [](float t) { return t * t * (3.0f - 2.0f * t); };
   const float tx = smooth(fx - static_cast<float>(ix)), ty = smooth(fy - static_cast<float>(iy));
   const float top = Hash(ix, iy, seed) + (Hash(ix + 1, iy, seed) - Hash(ix, iy, seed)) * tx;
   const float bottom = Hash(ix, iy + 1, seed) + (Hash(ix + 1, iy + 1, seed) - Hash(ix, iy + 1, seed)) * tx;
   return top + (bottom - top) * ty;
}

u8 Channel(float value)
{
   return static_cast<u8>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

void FeltDraw(const Felt& felt, Bitmap* bitmap)
{
   for (int y = 0; y < HEIGHT; y++)
   {
      for (int x = 0; x < WIDTH; x++)
      {
         const float px = x + 0.5f, py = y + 0.5f;
         // Lit from the centre: the light falls off softly towards the corners.
         const float dx = (px - WIDTH * 0.5f) / (WIDTH * 0.5f);
         const float dy = (py - HEIGHT * 0.5f) / (HEIGHT * 0.5f);
         const float distance = std::sqrt(dx * dx + dy * dy) / std::sqrt(2.0f);
         const float vignette = 1.0f - 0.42f * std::pow(std::clamp(distance, 0.0f, 1.0f), 1.8f);
         // Large soft mottling, a finer cloud, and the fibres' grain.
         const float mottle =
             ValueNoise(px, py, 180.0f, felt.seed) * 0.10f + ValueNoise(px, py, 36.0f, felt.seed + 1) * 0.05f;
         const float grain = Hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), felt.seed + 2) * 0.035f;
         const float light = vignette * (1.0f + mottle) + grain;
         const u8 pixel[3] = {Channel(felt.r * light), Channel(felt.g * light), Channel(felt.b * light)};
         bitmap->PixelSet(pixel, x, y);
      }
   }
}
void ThumbnailDraw(const Bitmap& felt, Bitmap* thumbnail)
{
   const int area = THUMBNAIL_REDUCTION * THUMBNAIL_REDUCTION;
   for (int y = 0; y < HEIGHT / THUMBNAIL_REDUCTION; y++)
   {
      for (int x = 0; x < WIDTH / THUMBNAIL_REDUCTION; x++)
      {
         int sum[3] = {0, 0, 0};
         for (int dy = 0; dy < THUMBNAIL_REDUCTION; dy++)
         {
            for (int dx = 0; dx < THUMBNAIL_REDUCTION; dx++)
            {
               u8 pixel[3];
               felt.PixelGet(pixel, x * THUMBNAIL_REDUCTION + dx, y * THUMBNAIL_REDUCTION + dy);
               for (int c = 0; c < 3; c++)
               {
                  sum[c] += pixel[c];
               }
            }
         }
         const u8 mean[3] = {static_cast<u8>((sum[0] + area / 2) / area),
                             static_cast<u8>((sum[1] + area / 2) / area),
                             static_cast<u8>((sum[2] + area / 2) / area)};
         thumbnail->PixelSet(mean, x, y);
      }
   }
}
} // namespace

int main(int argc, char** argv)
{
   if (argc != 3 || std::strcmp(argv[1], "--output") != 0)
   {
      std::fprintf(stderr, "usage: corvale-backgroundart --output <Graphics folder>\n");
      return 2;
   }
   Memory::Init();
   const std::string graphics = argv[2];
   int failures = 0;
   std::string sprites = "{\n";
   for (const Felt& felt : felts)
   {
      Bitmap bitmap;
      if (!bitmap.Init(WIDTH, HEIGHT, BITMAP_FORMAT_RGB8, allocatorDefault))
      {
         failures++;
         continue;
      }
      FeltDraw(felt, &bitmap);
      const std::string image = std::string("Backgrounds/") + felt.name;
      if (!ToolFiles::PNGWrite(TOOL, graphics + "/" + image + ".png", bitmap))
      {
         failures++;
      }
      Bitmap thumbnail;
      if (thumbnail.Init(WIDTH / THUMBNAIL_REDUCTION, HEIGHT / THUMBNAIL_REDUCTION, BITMAP_FORMAT_RGB8,
                         allocatorDefault))
      {
         ThumbnailDraw(bitmap, &thumbnail);
         if (!ToolFiles::PNGWrite(TOOL, graphics + "/Backgrounds/Thumbnails/" + felt.name + ".png",
                                  thumbnail))
         {
            failures++;
         }
         thumbnail.Free();
      }
      else
      {
         failures++;
      }
      bitmap.Free();
      sprites += std::string(sprites.size() > 2 ? ",\n" : "") + "   \"" + felt.name + "\": \"" + image + "\"";
   }
   sprites += "\n}\n";
   if (!ToolFiles::TextWrite(TOOL, graphics + "/Backgrounds/BackgroundSprites.json", sprites))
   {
      failures++;
   }
   Memory::Deinit();
   return failures == 0 ? 0 : 1;
}
