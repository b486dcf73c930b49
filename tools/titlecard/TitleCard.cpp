// corvale-titlecard: draws the splash screen's title card procedurally: a felt-green panel with
// a gold frame, a fan of four cards showing the suit symbols, and the program's name, the glyphs
// rendered from DejaVu through FreeType. Writes one PNG.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

using namespace Corvale;

namespace
{
constexpr int WIDTH = 800;
constexpr int HEIGHT = 450;
const char* const TITLE = "Corvale Card Games";

struct Rgba
{
   float r, g, b, a;
};

// The picture being drawn, straight alpha, row by row.
struct Canvas
{
   std::vector<Rgba> pixels = std::vector<Rgba>(WIDTH * HEIGHT, Rgba{0.0f, 0.0f, 0.0f, 0.0f});

   // Straight-alpha "over" of colour with the given coverage.
   void Blend(int x, int y, Rgba color, float coverage)
   {
      if (x < 0 || y < 0 || x >= WIDTH || y >= HEIGHT || coverage <= 0.0f)
      {
         return;
      }
      Rgba& below = pixels[y * WIDTH + x];
      float a = color.a * std::min(coverage, 1.0f);
      float alpha = a + below.a * (1.0f - a);
      if (alpha <= 0.0f)
      {
         return;
      }
      auto channel = [&](float t, float b) { return (t * a + b * below.a * (1.0f - a)) / alpha; };
      below = {channel(color.r, below.r), channel(color.g, below.g), channel(color.b, below.b), alpha};
   }
};

float RoundedBoxDistance(float x, float y, float left, float top, float right, float bottom, float radius)
{
   float cx = std::clamp(x, left + radius, right - radius);
   float cy = std::clamp(y, top + radius, bottom - radius);
   return std::hypot(x - cx, y - cy) - radius;
}

// A small deterministic hash for the felt's grain.
float Grain(int x, int y)
{
   uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
   h = (h ^ (h >> 13)) * 1274126177u;
   return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f - 0.5f;
}

void BackgroundDraw(Canvas* canvas)
{
   const float radius = 30.0f;
   for (int y = 0; y < HEIGHT; y++)
   {
      for (int x = 0; x < WIDTH; x++)
      {
         float px = x + 0.5f;
         float py = y + 0.5f;
         float d = RoundedBoxDistance(px, py, 0.0f, 0.0f, WIDTH, HEIGHT, radius);
         float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
         if (coverage <= 0.0f)
         {
            continue;
         }
         // Felt lit from the centre, with a faint diamond weave and grain.
         float dx = (px - WIDTH * 0.5f) / (WIDTH * 0.6f);
         float dy = (py - HEIGHT * 0.42f) / (HEIGHT * 0.75f);
         float light = std::clamp(1.0f - std::sqrt(dx * dx + dy * dy), 0.0f, 1.0f);
         float weave = (std::fabs(std::fmod(px + py, 22.0f) - 11.0f) < 0.8f ||
                        std::fabs(std::fmod(px - py + 2200.0f, 22.0f) - 11.0f) < 0.8f)
                           ? 0.025f
                           : 0.0f;
         float grain = Grain(x, y) * 0.03f;
         Rgba felt{0.03f + 0.10f * light + weave + grain, 0.15f + 0.30f * light + weave + grain,
                   0.08f + 0.14f * light + weave + grain, 1.0f};
         // A gold frame, and a thin gold line inside it.
         float frame = std::clamp(d + 6.0f + 0.5f, 0.0f, 1.0f);
         float inner = std::clamp(1.0f - std::fabs(d + 16.0f), 0.0f, 1.0f) * 0.7f;
         Rgba gold{0.86f, 0.72f, 0.36f, 1.0f};
         Rgba surface{felt.r + (gold.r - felt.r) * std::max(frame, inner),
                      felt.g + (gold.g - felt.g) * std::max(frame, inner),
                      felt.b + (gold.b - felt.b) * std::max(frame, inner), 1.0f};
         canvas->Blend(x, y, surface, coverage);
      }
   }
}

// One card of the fan: white with a shadow, turned by degrees about its centre.
void CardDraw(Canvas* canvas, float centreX, float centreY, float degrees)
{
   const float halfWidth = 46.0f;
   const float halfHeight = 64.0f;
   const float radius = 8.0f;
   float angle = degrees * 3.14159265f / 180.0f;
   float c = std::cos(angle);
   float s = std::sin(angle);
   for (int y = static_cast<int>(centreY - 100); y < centreY + 100; y++)
   {
      for (int x = static_cast<int>(centreX - 100); x < centreX + 100; x++)
      {
         for (int pass = 0; pass < 2; pass++)
         {
            // The shadow first, a little down and to the right.
            float ox = pass == 0 ? 5.0f : 0.0f;
            float px = x + 0.5f - centreX - ox;
            float py = y + 0.5f - centreY - ox;
            float lx = px * c + py * s;
            float ly = -px * s + py * c;
            float d = RoundedBoxDistance(lx, ly, -halfWidth, -halfHeight, halfWidth, halfHeight, radius);
            if (pass == 0)
            {
               canvas->Blend(x, y, Rgba{0.0f, 0.0f, 0.0f, 0.35f}, std::clamp(0.5f - d / 4.0f, 0.0f, 1.0f));
               continue;
            }
            float coverage = std::clamp(0.5f - d, 0.0f, 1.0f);
            float edge = std::clamp(d + 2.0f, 0.0f, 1.0f);
            Rgba paper{0.98f - 0.25f * edge, 0.97f - 0.25f * edge, 0.93f - 0.25f * edge, 1.0f};
            canvas->Blend(x, y, paper, coverage);
         }
      }
   }
}

// Renders the text with its pen starting at (x, baseline); returns the advance, draws nothing
// when canvas is null.
float TextDraw(Canvas* canvas, FT_Face face, const std::vector<uint32_t>& codes, float x, float baseline,
               Rgba color)
{
   float pen = x;
   for (uint32_t code : codes)
   {
      if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0)
      {
         continue;
      }
      const FT_GlyphSlot glyph = face->glyph;
      const FT_Bitmap& bitmap = glyph->bitmap;
      if (canvas && bitmap.pixel_mode == FT_PIXEL_MODE_GRAY)
      {
         int left = static_cast<int>(std::lround(pen)) + glyph->bitmap_left;
         int top = static_cast<int>(std::lround(baseline)) - glyph->bitmap_top;
         for (unsigned int row = 0; row < bitmap.rows; row++)
         {
            for (unsigned int column = 0; column < bitmap.width; column++)
            {
               float coverage = bitmap.buffer[row * bitmap.pitch + column] / 255.0f;
               canvas->Blend(left + static_cast<int>(column), top + static_cast<int>(row), color, coverage);
            }
         }
      }
      pen += static_cast<float>(glyph->advance.x) / 64.0f;
   }
   return pen - x;
}

// Draws one glyph centred on (centreX, centreY), turned by degrees like the card under it.
void SymbolDraw(Canvas* canvas, FT_Face face, uint32_t code, float centreX, float centreY, float degrees,
                Rgba color)
{
   if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0 || face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
   {
      return;
   }
   const FT_Bitmap& bitmap = face->glyph->bitmap;
   const float halfWidth = bitmap.width * 0.5f;
   const float halfHeight = bitmap.rows * 0.5f;
   auto coverage = [&](int column, int row) -> float
   {
      if (column < 0 || row < 0 || column >= static_cast<int>(bitmap.width) ||
          row >= static_cast<int>(bitmap.rows))
      {
         return 0.0f;
      }
      return bitmap.buffer[row * bitmap.pitch + column] / 255.0f;
   };
   const float angle = degrees * 3.14159265f / 180.0f;
   const float c = std::cos(angle);
   const float s = std::sin(angle);
   const int reach = static_cast<int>(std::max(halfWidth, halfHeight) * 1.5f) + 2;
   for (int y = static_cast<int>(centreY) - reach; y <= centreY + reach; y++)
   {
      for (int x = static_cast<int>(centreX) - reach; x <= centreX + reach; x++)
      {
         // Back into the glyph's own square, sampled between its four nearest texels.
         float px = x + 0.5f - centreX;
         float py = y + 0.5f - centreY;
         float gx = px * c + py * s + halfWidth - 0.5f;
         float gy = -px * s + py * c + halfHeight - 0.5f;
         int x0 = static_cast<int>(std::floor(gx));
         int y0 = static_cast<int>(std::floor(gy));
         float fx = gx - x0;
         float fy = gy - y0;
         float value = coverage(x0, y0) * (1 - fx) * (1 - fy) + coverage(x0 + 1, y0) * fx * (1 - fy) +
                       coverage(x0, y0 + 1) * (1 - fx) * fy + coverage(x0 + 1, y0 + 1) * fx * fy;
         canvas->Blend(x, y, color, value);
      }
   }
}

std::vector<uint32_t> Codes(const char* text)
{
   std::vector<uint32_t> codes;
   for (const char* at = text; *at; at++)
   {
      codes.push_back(static_cast<unsigned char>(*at));
   }
   return codes;
}

bool PNGWrite(const std::string& path, const Canvas& canvas)
{
   Bitmap bitmap;
   if (!bitmap.Init(WIDTH, HEIGHT, BITMAP_FORMAT_RGBA8, allocatorDefault))
   {
      std::fprintf(stderr, "titlecard: unable to make a %dx%d bitmap\n", WIDTH, HEIGHT);
      return false;
   }
   for (int y = 0; y < HEIGHT; y++)
   {
      for (int x = 0; x < WIDTH; x++)
      {
         const Rgba& c = canvas.pixels[y * WIDTH + x];
         u8 pixel[4] = {static_cast<u8>(std::lround(std::clamp(c.r, 0.0f, 1.0f) * 255.0f)),
                        static_cast<u8>(std::lround(std::clamp(c.g, 0.0f, 1.0f) * 255.0f)),
                        static_cast<u8>(std::lround(std::clamp(c.b, 0.0f, 1.0f) * 255.0f)),
                        static_cast<u8>(std::lround(std::clamp(c.a, 0.0f, 1.0f) * 255.0f))};
         bitmap.PixelSet(pixel, x, y);
      }
   }
   FileStdio file(std::fopen(path.c_str(), "wb"));
   bool saved = file.stream && bitmapLoaderPNG.Save(&bitmap, &file, HEAP_TEMP);
   bool closed = file.stream && std::fclose(file.stream) == 0;
   file.stream = nullptr;
   bitmap.Free();
   if (!saved || !closed)
   {
      std::fprintf(stderr, "titlecard: unable to write %s\n", path.c_str());
   }
   return saved && closed;
}

bool FaceOpen(FT_Library library, const char* path, int pixels, FT_Face* face)
{
   if (FT_New_Face(library, path, 0, face) != 0 ||
       FT_Set_Pixel_Sizes(*face, 0, static_cast<FT_UInt>(pixels)) != 0)
   {
      std::fprintf(stderr, "titlecard: unable to open the font %s\n", path);
      return false;
   }
   return true;
}
} // namespace

int main(int argc, char** argv)
{
   std::string titleFont, symbolFont, output;
   for (int i = 1; i + 1 < argc; i += 2)
   {
      if (std::strcmp(argv[i], "--title-font") == 0)
      {
         titleFont = argv[i + 1];
      }
      else if (std::strcmp(argv[i], "--symbol-font") == 0)
      {
         symbolFont = argv[i + 1];
      }
      else if (std::strcmp(argv[i], "--output") == 0)
      {
         output = argv[i + 1];
      }
   }
   if (titleFont.empty() || symbolFont.empty() || output.empty())
   {
      std::fprintf(stderr,
                   "usage: corvale-titlecard --title-font <ttf> --symbol-font <ttf> --output <png>\n");
      return 2;
   }
   Memory::Init();
   FT_Library library = nullptr;
   FT_Face title = nullptr;
   FT_Face symbols = nullptr;
   bool ok = FT_Init_FreeType(&library) == 0 && FaceOpen(library, titleFont.c_str(), 56, &title) &&
             FaceOpen(library, symbolFont.c_str(), 64, &symbols);
   if (ok)
   {
      Canvas canvas;
      BackgroundDraw(&canvas);

      // Spades, hearts, diamonds and clubs, fanned out above the name.
      const uint32_t suits[4] = {0x2660, 0x2665, 0x2666, 0x2663};
      const Rgba black{0.08f, 0.08f, 0.10f, 1.0f};
      const Rgba red{0.78f, 0.08f, 0.10f, 1.0f};
      const float angles[4] = {-15.0f, -5.0f, 5.0f, 15.0f};
      for (int i = 0; i < 4; i++)
      {
         float centreX = WIDTH * 0.5f + (i - 1.5f) * 86.0f;
         float centreY = 150.0f + std::fabs(i - 1.5f) * 12.0f;
         CardDraw(&canvas, centreX, centreY, angles[i]);
         SymbolDraw(&canvas, symbols, suits[i], centreX, centreY, angles[i],
                    (i == 1 || i == 2) ? red : black);
      }

      std::vector<uint32_t> name = Codes(TITLE);
      float width = TextDraw(nullptr, title, name, 0.0f, 0.0f, black);
      float x = (WIDTH - width) * 0.5f;
      TextDraw(&canvas, title, name, x + 3.0f, 343.0f, Rgba{0.0f, 0.0f, 0.0f, 0.6f});
      TextDraw(&canvas, title, name, x, 340.0f, Rgba{0.99f, 0.94f, 0.80f, 1.0f});
      // A gold rule under the name.
      for (int y = 364; y < 367; y++)
      {
         for (int px = static_cast<int>(x); px < x + width; px++)
         {
            canvas.Blend(px, y, Rgba{0.86f, 0.72f, 0.36f, 1.0f}, 1.0f);
         }
      }
      ok = PNGWrite(output, canvas);
   }
   if (symbols)
   {
      FT_Done_Face(symbols);
   }
   if (title)
   {
      FT_Done_Face(title);
   }
   if (library)
   {
      FT_Done_FreeType(library);
   }
   Memory::Deinit();
   return ok ? 0 : 1;
}
