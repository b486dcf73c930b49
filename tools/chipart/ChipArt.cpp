// corvale-chipart: draws the betting chips procedurally: a coloured disc with light edge marks,
// an inner ring and the value in DejaVu through FreeType, one PNG per denomination and size, and
// the sprite resource file of each size.
//   corvale-chipart --font <file.ttf> --output <Graphics folder>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "tools/common/ToolFiles.h"

using namespace Corvale;

namespace
{
constexpr float PI = 3.14159265f;
// Samples per pixel side for the disc's edges.
constexpr int SUPERSAMPLE = 4;

struct Rgb
{
   float r, g, b;
};

struct Denomination
{
   int value;
   Rgb body;
   Rgb marks;
};

const Denomination denominations[] = {
    {1, {0.93f, 0.93f, 0.90f}, {0.20f, 0.35f, 0.70f}},  {5, {0.78f, 0.12f, 0.12f}, {0.97f, 0.97f, 0.94f}},
    {25, {0.10f, 0.52f, 0.24f}, {0.97f, 0.97f, 0.94f}}, {100, {0.12f, 0.12f, 0.14f}, {0.90f, 0.78f, 0.35f}},
    {500, {0.45f, 0.20f, 0.60f}, {0.97f, 0.97f, 0.94f}},
};

struct Size
{
   const char* name;
   int diameter;
};

// Named like the card sizes; even, so that the centre falls between pixels.
const Size sizes[] = {{"Small", 28}, {"Medium", 36}, {"Large", 44}};

// 1 inside the disc part, 0 outside, for one sample point relative to the centre.
Rgb ChipColorAt(const Denomination& d, float x, float y, float radius, float* alpha)
{
   const float r = std::sqrt(x * x + y * y);
   *alpha = r <= radius ? 1.0f : 0.0f;
   Rgb color = d.body;
   // Six marks around the rim, each a sixth of a twelfth of the turn wide.
   const float angle = std::atan2(y, x) + PI;
   const float sector = std::fmod(angle / (2.0f * PI) * 6.0f, 1.0f);
   if (r > radius * 0.72f && sector < 0.35f)
   {
      color = d.marks;
   }
   // An inner ring in the mark colour, and a thin dark rim.
   if (r > radius * 0.58f && r < radius * 0.66f)
   {
      color = d.marks;
   }
   if (r > radius - 1.2f)
   {
      color = Rgb{color.r * 0.55f, color.g * 0.55f, color.b * 0.55f};
   }
   return color;
}

void DiscDraw(const Denomination& d, int size, u8* pixels)
{
   const float radius = size * 0.5f - 0.5f;
   const float centre = size * 0.5f;
   for (int y = 0; y < size; y++)
   {
      for (int x = 0; x < size; x++)
      {
         float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
         for (int sy = 0; sy < SUPERSAMPLE; sy++)
         {
            for (int sx = 0; sx < SUPERSAMPLE; sx++)
            {
               const float px = x + (sx + 0.5f) / SUPERSAMPLE - centre;
               const float py = y + (sy + 0.5f) / SUPERSAMPLE - centre;
               float alpha = 0.0f;
               const Rgb c = ChipColorAt(d, px, py, radius, &alpha);
               r += c.r * alpha;
               g += c.g * alpha;
               b += c.b * alpha;
               a += alpha;
            }
         }
         u8* out = pixels + (y * size + x) * 4;
         const float samples = SUPERSAMPLE * SUPERSAMPLE;
         out[0] = static_cast<u8>(std::lround(a > 0.0f ? r / a * 255.0f : 0.0f));
         out[1] = static_cast<u8>(std::lround(a > 0.0f ? g / a * 255.0f : 0.0f));
         out[2] = static_cast<u8>(std::lround(a > 0.0f ? b / a * 255.0f : 0.0f));
         out[3] = static_cast<u8>(std::lround(a / samples * 255.0f));
      }
   }
}

// The value centred on the disc, in the mark colour.
void ValueDraw(FT_Face face, const Denomination& d, int size, u8* pixels)
{
   const std::string text = std::to_string(d.value);
   const int pixelSize = std::max(8, static_cast<int>(size * (text.size() > 2 ? 0.30f : 0.38f)));
   FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
   int width = 0;
   for (char c : text)
   {
      if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER) == 0)
      {
         width += static_cast<int>(face->glyph->advance.x >> 6);
      }
   }
   int penX = (size - width) / 2;
   const int baseline = size / 2 + pixelSize * 36 / 100;
   for (char c : text)
   {
      if (FT_Load_Char(face, static_cast<FT_ULong>(c), FT_LOAD_RENDER) != 0)
      {
         continue;
      }
      const FT_Bitmap& glyph = face->glyph->bitmap;
      for (unsigned int gy = 0; gy < glyph.rows; gy++)
      {
         for (unsigned int gx = 0; gx < glyph.width; gx++)
         {
            const int x = penX + face->glyph->bitmap_left + static_cast<int>(gx);
            const int y = baseline - face->glyph->bitmap_top + static_cast<int>(gy);
            if (x < 0 || y < 0 || x >= size || y >= size)
            {
               continue;
            }
            const float coverage = glyph.buffer[gy * glyph.pitch + gx] / 255.0f;
            u8* out = pixels + (y * size + x) * 4;
            const Rgb ink = d.marks;
            out[0] = static_cast<u8>(std::lround(out[0] + (ink.r * 255.0f - out[0]) * coverage));
            out[1] = static_cast<u8>(std::lround(out[1] + (ink.g * 255.0f - out[1]) * coverage));
            out[2] = static_cast<u8>(std::lround(out[2] + (ink.b * 255.0f - out[2]) * coverage));
         }
      }
      penX += static_cast<int>(face->glyph->advance.x >> 6);
   }
}

bool PNGWrite(const std::string& path, const Bitmap& bitmap) { return ToolFiles::PNGWrite("chipart", path, bitmap); }

bool TextWrite(const std::string& path, const std::string& text) { return ToolFiles::TextWrite("chipart", path, text); }
} // namespace

int main(int argc, char** argv)
{
   if (argc != 5 || std::strcmp(argv[1], "--font") != 0 || std::strcmp(argv[3], "--output") != 0)
   {
      std::fprintf(stderr, "usage: corvale-chipart --font <file.ttf> --output <Graphics folder>\n");
      return 2;
   }
   FT_Library library = nullptr;
   FT_Face face = nullptr;
   if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, argv[2], 0, &face) != 0)
   {
      std::fprintf(stderr, "chipart: unable to open the font %s\n", argv[2]);
      return 1;
   }
   Memory::Init();
   const std::string graphics = argv[4];
   int failures = 0;
   for (const Size& size : sizes)
   {
      // Each size's sheet is one resource file naming one picture per denomination.
      std::string sprites = "{\n";
      for (const Denomination& d : denominations)
      {
         Bitmap bitmap;
         if (!bitmap.Init(size.diameter, size.diameter, BITMAP_FORMAT_RGBA8, allocatorDefault))
         {
            failures++;
            continue;
         }
         DiscDraw(d, size.diameter, bitmap.PixelsGet());
         ValueDraw(face, d, size.diameter, bitmap.PixelsGet());
         const std::string image = std::string("Sprites/Chips/Standard/") + size.name + "/" + std::to_string(d.value);
         if (!PNGWrite(graphics + "/" + image + ".png", bitmap))
         {
            failures++;
         }
         bitmap.Free();
         sprites += std::string(sprites.size() > 2 ? ",\n" : "") + "   \"" + std::to_string(d.value) + "\": \"" +
                    image + "\"";
      }
      sprites += "\n}\n";
      if (!TextWrite(graphics + "/Sprites/Chips/Standard/" + size.name + ".json", sprites))
      {
         failures++;
      }
   }
   Memory::Deinit();
   FT_Done_Face(face);
   FT_Done_FreeType(library);
   return failures == 0 ? 0 : 1;
}
