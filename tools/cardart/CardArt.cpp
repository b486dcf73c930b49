// corvale-cardart: draws every card front, card back and empty-pile picture at build time, one PNG
// sheet and one sprite resource file per style and size. Shapes are supersampled, indices and suit
// symbols come from DejaVu through FreeType; nothing depends on the clock or the machine, so two
// runs write the same bytes.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "tools/common/ToolFiles.h"

using namespace Corvale;

namespace
{
// Cells lie this far apart on every side, transparent, so that filtering never bleeds a neighbour in.
constexpr int GUTTER = 2;
constexpr int SUPERSAMPLES = 4;

struct Rgba
{
   float r, g, b, a;
};

struct CardSize
{
   const char* name;
   int width;
   int height;
};

const CardSize SIZES[] = {{"Small", 60, 84}, {"Medium", 80, 112}, {"Large", 100, 140}};

enum FrontKind
{
   FRONT_CLASSIC,
   FRONT_FOUR_COLOR,
   FRONT_LARGE_PRINT,
   FRONT_CRAZY_EIGHTS,
   FRONT_OLD_MAID,
   FRONT_MEMORY_MATCH,
   // A large rank over a large suit, each suit its own colour.
   FRONT_MEMORY_MATCH_EASY,
   // The usual faces, every suit in one colour.
   FRONT_MEMORY_MATCH_HARD,
   // One colour and the corner indices alone.
   FRONT_MEMORY_MATCH_VERY_HARD
};

struct FrontStyle
{
   const char* name;
   FrontKind kind;
};

const FrontStyle FRONTS[] = {{"Classic", FRONT_CLASSIC},        {"FourColor", FRONT_FOUR_COLOR},
                             {"LargePrint", FRONT_LARGE_PRINT}, {"CrazyEights", FRONT_CRAZY_EIGHTS},
                             {"OldMaid", FRONT_OLD_MAID},       {"MemoryMatchNormal", FRONT_MEMORY_MATCH},
                             {"MemoryMatchEasy", FRONT_MEMORY_MATCH_EASY},
                             {"MemoryMatchHard", FRONT_MEMORY_MATCH_HARD},
                             {"MemoryMatchVeryHard", FRONT_MEMORY_MATCH_VERY_HARD}};

enum BackPattern
{
   BACK_LATTICE,
   BACK_RINGS,
   BACK_DOTS
};

struct BackStyle
{
   const char* name;
   Rgba base;
   Rgba line;
   BackPattern pattern;
};

const BackStyle BACKS[] = {
    {"Blue", {0.12f, 0.27f, 0.62f, 1}, {0.55f, 0.70f, 0.95f, 1}, BACK_LATTICE},
    {"Red", {0.66f, 0.10f, 0.12f, 1}, {0.96f, 0.62f, 0.58f, 1}, BACK_LATTICE},
    {"Green", {0.09f, 0.43f, 0.22f, 1}, {0.60f, 0.88f, 0.64f, 1}, BACK_LATTICE},
    {"Purple", {0.38f, 0.16f, 0.55f, 1}, {0.80f, 0.66f, 0.95f, 1}, BACK_LATTICE},
    {"CrazyEights", {0.90f, 0.45f, 0.08f, 1}, {1.00f, 0.86f, 0.45f, 1}, BACK_RINGS},
    {"MemoryMatchBlue", {0.16f, 0.47f, 0.85f, 1}, {0.80f, 0.90f, 1.00f, 1}, BACK_DOTS},
    {"MemoryMatchGreen", {0.20f, 0.62f, 0.25f, 1}, {0.82f, 0.96f, 0.78f, 1}, BACK_DOTS},
    {"MemoryMatchYellow", {0.93f, 0.73f, 0.10f, 1}, {1.00f, 0.97f, 0.75f, 1}, BACK_DOTS},
    {"MemoryMatchPurple", {0.52f, 0.27f, 0.75f, 1}, {0.90f, 0.80f, 1.00f, 1}, BACK_DOTS}};

const char* const PILE_ANIMATIONS[] = {"Empty",       "EmptyStock",  "EmptyFoundation", "EmptyKing",
                                       "EmptyHearts", "EmptySpades", "EmptyDiamonds",   "EmptyClubs"};

const char SUIT_LETTERS[] = {'H', 'S', 'D', 'C'};
const unsigned int SUIT_SYMBOLS[] = {0x2665, 0x2660, 0x2666, 0x2663};
const char* const RANK_TEXTS[] = {"", "A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};

const Rgba WHITE{1, 1, 1, 1};
const Rgba BORDER{0.25f, 0.25f, 0.28f, 1};
const Rgba RED{0.80f, 0.08f, 0.10f, 1};
const Rgba BLACK{0.08f, 0.08f, 0.10f, 1};
const Rgba BLUE{0.10f, 0.25f, 0.75f, 1};
const Rgba GREEN{0.05f, 0.50f, 0.18f, 1};

// A straight-alpha picture in floats, composited with "over".
struct Canvas
{
   int width = 0;
   int height = 0;
   std::vector<Rgba> pixels;

   Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, Rgba{0, 0, 0, 0}) {}

   void Blend(int x, int y, const Rgba& color, float coverage)
   {
      if (x < 0 || y < 0 || x >= width || y >= height || coverage <= 0.0f)
      {
         return;
      }
      Rgba& d = pixels[static_cast<size_t>(y) * width + x];
      const float a = color.a * std::min(coverage, 1.0f);
      const float out = a + d.a * (1.0f - a);
      if (out <= 0.0f)
      {
         return;
      }
      d.r = (color.r * a + d.r * d.a * (1.0f - a)) / out;
      d.g = (color.g * a + d.g * d.a * (1.0f - a)) / out;
      d.b = (color.b * a + d.b * d.a * (1.0f - a)) / out;
      d.a = out;
   }
};

// Signed distance to a rounded box; negative inside.
float RoundedBoxDistance(float x, float y, float left, float top, float right, float bottom, float radius)
{
   const float cx = (left + right) * 0.5f;
   const float cy = (top + bottom) * 0.5f;
   const float qx = std::fabs(x - cx) - ((right - left) * 0.5f - radius);
   const float qy = std::fabs(y - cy) - ((bottom - top) * 0.5f - radius);
   const float ox = std::max(qx, 0.0f);
   const float oy = std::max(qy, 0.0f);
   return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Fills the pixels of a region where inside (x, y) holds, each pixel SUPERSAMPLES² times sampled.
template <class Inside>
void ShapeFill(Canvas& canvas, int x0, int y0, int x1, int y1, const Rgba& color, Inside inside)
{
   for (int y = std::max(y0, 0); y < std::min(y1, canvas.height); y++)
   {
      for (int x = std::max(x0, 0); x < std::min(x1, canvas.width); x++)
      {
         int hits = 0;
         for (int sy = 0; sy < SUPERSAMPLES; sy++)
         {
            for (int sx = 0; sx < SUPERSAMPLES; sx++)
            {
               const float px = x + (sx + 0.5f) / SUPERSAMPLES;
               const float py = y + (sy + 0.5f) / SUPERSAMPLES;
               hits += inside(px, py) ? 1 : 0;
            }
         }
         canvas.Blend(x, y, color, static_cast<float>(hits) / (SUPERSAMPLES * SUPERSAMPLES));
      }
   }
}

void RoundedBoxFill(Canvas& canvas, float left, float top, float right, float bottom, float radius,
                    const Rgba& color)
{
   ShapeFill(canvas, static_cast<int>(left) - 1, static_cast<int>(top) - 1, static_cast<int>(right) + 2,
             static_cast<int>(bottom) + 2, color,
             [=](float x, float y)
             { return RoundedBoxDistance(x, y, left, top, right, bottom, radius) < 0.0f; });
}

// A band of the given width just inside the rounded box's edge.
void RoundedBoxStroke(Canvas& canvas, float left, float top, float right, float bottom, float radius,
                      float width, const Rgba& color)
{
   ShapeFill(canvas, static_cast<int>(left) - 1, static_cast<int>(top) - 1, static_cast<int>(right) + 2,
             static_cast<int>(bottom) + 2, color,
             [=](float x, float y)
             {
                const float d = RoundedBoxDistance(x, y, left, top, right, bottom, radius);
                return d < 0.0f && d > -width;
             });
}

// Glyph coverage from FreeType, rendered at a pixel size and squeezed horizontally by condense.
struct Glyph
{
   int width = 0;
   int height = 0;
   std::vector<float> coverage;
};

class Fonts
{
 public:
   bool Init(const std::string& boldPath, const std::string& regularPath)
   {
      return FT_Init_FreeType(&library) == 0 && FT_New_Face(library, boldPath.c_str(), 0, &bold) == 0 &&
             FT_New_Face(library, regularPath.c_str(), 0, &regular) == 0;
   }
   ~Fonts()
   {
      if (bold)
      {
         FT_Done_Face(bold);
      }
      if (regular)
      {
         FT_Done_Face(regular);
      }
      if (library)
      {
         FT_Done_FreeType(library);
      }
   }

   // The text's ink, tightly cropped; condense below 1 narrows it.
   Glyph TextRender(const char* text, bool useBold, int pixelSize, float condense)
   {
      return Render(useBold ? bold : regular, Codes(text), pixelSize, condense);
   }
   Glyph SymbolRender(unsigned int code, int pixelSize)
   {
      return Render(regular, std::vector<unsigned int>{code}, pixelSize, 1.0f);
   }

 private:
   static std::vector<unsigned int> Codes(const char* text)
   {
      std::vector<unsigned int> codes;
      for (const char* p = text; *p; p++)
      {
         codes.push_back(static_cast<unsigned char>(*p));
      }
      return codes;
   }

   Glyph Render(FT_Face face, const std::vector<unsigned int>& codes, int pixelSize, float condense)
   {
      FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
      FT_Matrix matrix{static_cast<FT_Fixed>(condense * 65536.0f), 0, 0, 0x10000};
      FT_Set_Transform(face, &matrix, nullptr);
      // Lay the glyphs out on a generous canvas, then crop to the ink.
      const int canvasWidth = pixelSize * static_cast<int>(codes.size() + 1) * 2;
      const int canvasHeight = pixelSize * 3;
      std::vector<float> ink(static_cast<size_t>(canvasWidth) * canvasHeight, 0.0f);
      int penX = pixelSize / 2;
      const int baseline = pixelSize * 2;
      for (unsigned int code : codes)
      {
         if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0)
         {
            continue;
         }
         const FT_GlyphSlot slot = face->glyph;
         for (unsigned int row = 0; row < slot->bitmap.rows; row++)
         {
            for (unsigned int column = 0; column < slot->bitmap.width; column++)
            {
               const int x = penX + slot->bitmap_left + static_cast<int>(column);
               const int y = baseline - slot->bitmap_top + static_cast<int>(row);
               if (x >= 0 && y >= 0 && x < canvasWidth && y < canvasHeight)
               {
                  const float value = slot->bitmap.buffer[row * slot->bitmap.pitch + column] / 255.0f;
                  float& cell = ink[static_cast<size_t>(y) * canvasWidth + x];
                  cell = std::min(1.0f, cell + value);
               }
            }
         }
         penX += static_cast<int>(slot->advance.x >> 6);
      }
      FT_Set_Transform(face, nullptr, nullptr);
      int left = canvasWidth, top = canvasHeight, right = -1, bottom = -1;
      for (int y = 0; y < canvasHeight; y++)
      {
         for (int x = 0; x < canvasWidth; x++)
         {
            if (ink[static_cast<size_t>(y) * canvasWidth + x] > 0.0f)
            {
               left = std::min(left, x);
               right = std::max(right, x);
               top = std::min(top, y);
               bottom = std::max(bottom, y);
            }
         }
      }
      Glyph glyph;
      if (right < left)
      {
         return glyph;
      }
      glyph.width = right - left + 1;
      glyph.height = bottom - top + 1;
      glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
      for (int y = 0; y < glyph.height; y++)
      {
         for (int x = 0; x < glyph.width; x++)
         {
            glyph.coverage[static_cast<size_t>(y) * glyph.width + x] =
                ink[static_cast<size_t>(top + y) * canvasWidth + left + x];
         }
      }
      return glyph;
   }

   FT_Library library = nullptr;
   FT_Face bold = nullptr;
   FT_Face regular = nullptr;
};

// Draws the glyph with its ink centred on (cx, cy) rounded to whole pixels; turned draws it upside
// down, as the lower half of a card shows.
void GlyphDraw(Canvas& canvas, const Glyph& glyph, float cx, float cy, const Rgba& color, bool turned)
{
   const int left = static_cast<int>(std::floor(cx - glyph.width * 0.5f + 0.5f));
   const int top = static_cast<int>(std::floor(cy - glyph.height * 0.5f + 0.5f));
   for (int y = 0; y < glyph.height; y++)
   {
      for (int x = 0; x < glyph.width; x++)
      {
         const int gx = turned ? glyph.width - 1 - x : x;
         const int gy = turned ? glyph.height - 1 - y : y;
         canvas.Blend(left + x, top + y, color, glyph.coverage[static_cast<size_t>(gy) * glyph.width + gx]);
      }
   }
}

// Ink at the top-left corner of the box (x, y).
void GlyphDrawAt(Canvas& canvas, const Glyph& glyph, float x, float y, const Rgba& color, bool turned)
{
   GlyphDraw(canvas, glyph, x + glyph.width * 0.5f, y + glyph.height * 0.5f, color, turned);
}

Rgba SuitColor(int suit, FrontKind kind)
{
   if (kind == FRONT_MEMORY_MATCH_HARD || kind == FRONT_MEMORY_MATCH_VERY_HARD)
   {
      return BLACK;
   }
   if (kind == FRONT_FOUR_COLOR || kind == FRONT_MEMORY_MATCH_EASY)
   {
      const Rgba colors[] = {RED, BLACK, BLUE, GREEN};
      return colors[suit];
   }
   return suit == 0 || suit == 2 ? RED : BLACK;
}

void FaceBlankDraw(Canvas& canvas, float ox, float oy, const CardSize& size)
{
   const float radius = size.width * 0.07f;
   RoundedBoxFill(canvas, ox, oy, ox + size.width, oy + size.height, radius, BORDER);
   RoundedBoxFill(canvas, ox + 1, oy + 1, ox + size.width - 1, oy + size.height - 1, radius - 1, WHITE);
}

// Where a face's parts go at one size: the corner index (rank beside suit) fills a strip at the
// top this tall, so that a card fanned over it at the shared pile offsets leaves the index whole;
// pips and pictures keep below it.
struct FaceMetrics
{
   float margin;
   float indexHeight;
   float pipHeight;
};

FaceMetrics FaceMetricsGet(const CardSize& size, FrontKind kind)
{
   const bool large = kind == FRONT_LARGE_PRINT;
   if (size.width <= 60)
   {
      return {3.0f, large ? 10.0f : 9.0f, 9.0f};
   }
   if (size.width <= 80)
   {
      return {3.0f, large ? 13.0f : 11.0f, 11.0f};
   }
   return {4.0f, large ? 17.0f : 14.0f, 14.0f};
}

// The ink of the text at the largest pixel size whose ink is at most height tall, narrowed until
// it is at most maxWidth wide.
Glyph TextFit(Fonts& fonts, const char* text, float height, float maxWidth)
{
   Glyph glyph;
   for (int pixels = static_cast<int>(height * 1.8f); pixels > 3; pixels--)
   {
      glyph = fonts.TextRender(text, true, pixels, 1.0f);
      if (glyph.height <= height)
      {
         float condense = 1.0f;
         for (int tries = 0; tries < 4 && glyph.width > maxWidth; tries++)
         {
            condense *= maxWidth / glyph.width;
            glyph = fonts.TextRender(text, true, pixels, condense);
         }
         break;
      }
   }
   return glyph;
}

// "10" narrowed to maxWidth as two glyphs a clear pixel apart, which a narrowed string would
// run together at small sizes.
Glyph TenFit(Fonts& fonts, float height, float maxWidth)
{
   Glyph one = TextFit(fonts, "1", height, maxWidth);
   Glyph zero = TextFit(fonts, "0", height, maxWidth);
   const float wide = static_cast<float>(one.width + zero.width);
   if (wide + 1.0f > maxWidth)
   {
      const float share = (maxWidth - 1.0f) / wide;
      one = TextFit(fonts, "1", height, std::max(2.0f, std::floor(one.width * share)));
      zero = TextFit(fonts, "0", height, std::max(2.0f, std::floor(zero.width * share)));
   }
   Glyph ten;
   ten.width = one.width + 1 + zero.width;
   ten.height = std::max(one.height, zero.height);
   ten.coverage.assign(static_cast<size_t>(ten.width) * ten.height, 0.0f);
   // Both stand on the same line: their bottoms meet the box's bottom.
   for (const auto& [glyph, left] : {std::make_pair(&one, 0), std::make_pair(&zero, one.width + 1)})
   {
      for (int y = 0; y < glyph->height; y++)
      {
         for (int x = 0; x < glyph->width; x++)
         {
            ten.coverage[static_cast<size_t>(y + ten.height - glyph->height) * ten.width + left + x] =
                glyph->coverage[static_cast<size_t>(y) * glyph->width + x];
         }
      }
   }
   return ten;
}

Glyph SymbolFit(Fonts& fonts, unsigned int code, float height)
{
   Glyph glyph;
   for (int pixels = static_cast<int>(height * 1.8f); pixels > 3; pixels--)
   {
      glyph = fonts.SymbolRender(code, pixels);
      if (glyph.height <= height)
      {
         break;
      }
   }
   return glyph;
}

// Pip places for ranks 2 to 10: a column (0 left, 1 middle, 2 right) and a height from 0 (top
// row) to 1 (bottom row) of the pip field.
struct Pip
{
   int column;
   float row;
};

std::vector<Pip> PipsGet(int rank)
{
   const float third = 1.0f / 3.0f;
   std::vector<Pip> pips;
   auto sides = [&](std::initializer_list<float> rows)
   {
      for (float row : rows)
      {
         pips.push_back({0, row});
         pips.push_back({2, row});
      }
   };
   switch (rank)
   {
   case 2:
      pips.push_back({1, 0.0f});
      pips.push_back({1, 1.0f});
      break;
   case 3:
      pips.push_back({1, 0.0f});
      pips.push_back({1, 0.5f});
      pips.push_back({1, 1.0f});
      break;
   case 4:
      sides({0.0f, 1.0f});
      break;
   case 5:
      sides({0.0f, 1.0f});
      pips.push_back({1, 0.5f});
      break;
   case 6:
      sides({0.0f, 0.5f, 1.0f});
      break;
   case 7:
      sides({0.0f, 0.5f, 1.0f});
      pips.push_back({1, 0.25f});
      break;
   case 8:
      sides({0.0f, 0.5f, 1.0f});
      pips.push_back({1, 0.25f});
      pips.push_back({1, 0.75f});
      break;
   case 9:
      sides({0.0f, third, 2 * third, 1.0f});
      pips.push_back({1, 0.5f});
      break;
   case 10:
      sides({0.0f, third, 2 * third, 1.0f});
      pips.push_back({1, third * 0.5f});
      pips.push_back({1, 1.0f - third * 0.5f});
      break;
   default:
      break;
   }
   return pips;
}

Rgba Lighter(const Rgba& color, float t)
{
   return {color.r + (1 - color.r) * t, color.g + (1 - color.g) * t, color.b + (1 - color.b) * t, color.a};
}

// The box of a court card's picture, in card pixels.
struct Frame
{
   float left, top, width, height;
};

// Fills a shape given in the frame's units (u across, v down, 0 to 1) in the upper half of the
// frame and, turned about its centre, in the lower half: court pictures read from both ends.
template <class Inside>
void MirroredFill(Canvas& canvas, const Frame& frame, const Rgba& color, Inside inside)
{
   const int left = static_cast<int>(frame.left) - 1;
   const int right = static_cast<int>(frame.left + frame.width) + 2;
   const int middle = static_cast<int>(frame.top + frame.height * 0.5f);
   for (int turned = 0; turned < 2; turned++)
   {
      const int top = turned ? middle - 1 : static_cast<int>(frame.top) - 1;
      const int bottom = turned ? static_cast<int>(frame.top + frame.height) + 2 : middle + 2;
      ShapeFill(canvas, left, top, right, bottom, color,
                [&](float x, float y)
                {
                   float u = (x - frame.left) / frame.width;
                   float v = (y - frame.top) / frame.height;
                   if (turned)
                   {
                      u = 1.0f - u;
                      v = 1.0f - v;
                   }
                   return u >= 0.0f && u <= 1.0f && v >= 0.0f && v < 0.5f && inside(u, v);
                });
   }
}

// The court picture: a double-ended half figure per rank (a bearded king with a pointed crown and
// sword, a queen with long hair, a tiara and a flower, a jack with a feathered cap and a staff),
// robed in the suit's colour with a trim of the suit's own accent and the suit on a medallion.
void CourtDraw(Canvas& canvas, Fonts& fonts, const Frame& frame, int suit, int rank, const Rgba& color)
{
   const Rgba accents[] = {{0.95f, 0.76f, 0.22f, 1},
                           {0.80f, 0.16f, 0.16f, 1},
                           {0.12f, 0.58f, 0.62f, 1},
                           {0.94f, 0.55f, 0.14f, 1}};
   const Rgba accent = accents[suit];
   const Rgba gold{0.93f, 0.74f, 0.18f, 1};
   const Rgba skin{0.98f, 0.84f, 0.70f, 1};
   const Rgba dark{0.20f, 0.14f, 0.10f, 1};
   const Rgba robe = Lighter(color, 0.12f);
   const float aspect = frame.height / frame.width;
   // A circle of radius r (in widths) about (cu, cv).
   auto disc = [aspect](float cu, float cv, float r)
   {
      return [=](float u, float v)
      {
         const float du = u - cu, dv = (v - cv) * aspect;
         return du * du + dv * dv < r * r;
      };
   };
   auto box = [](float u0, float v0, float u1, float v1)
   { return [=](float u, float v) { return u >= u0 && u <= u1 && v >= v0 && v <= v1; }; };
   // A triangle pointing up from a base at vBase, half as wide as halfWidth, its tip at vTip.
   auto spike = [](float cu, float vTip, float vBase, float halfWidth)
   {
      return [=](float u, float v)
      { return v >= vTip && v <= vBase && std::fabs(u - cu) <= halfWidth * (v - vTip) / (vBase - vTip); };
   };

   MirroredFill(canvas, frame, Lighter(color, 0.86f), box(0, 0, 1, 1));
   if (rank == 12)
   {
      // Hair falls behind the shoulders.
      const Rgba hair{0.62f, 0.38f, 0.12f, 1};
      MirroredFill(canvas, frame, hair, disc(0.5f, 0.20f, 0.19f));
      MirroredFill(canvas, frame, hair, box(0.31f, 0.20f, 0.69f, 0.36f));
   }
   // Shoulders and robe widen downwards; a band of the accent runs down the front.
   MirroredFill(canvas, frame, robe,
                [](float u, float v)
                { return v >= 0.31f && std::fabs(u - 0.5f) <= 0.24f + (v - 0.31f) * 1.4f; });
   MirroredFill(canvas, frame, accent,
                [](float u, float v)
                {
                   return v >= 0.31f && (v <= 0.345f ? std::fabs(u - 0.5f) <= 0.24f + (v - 0.31f) * 1.4f
                                                     : std::fabs(u - 0.5f) <= 0.045f);
                });
   MirroredFill(canvas, frame, skin, box(0.45f, 0.26f, 0.55f, 0.32f));
   MirroredFill(canvas, frame, skin, disc(0.5f, 0.20f, 0.13f));
   // Eyes, and a mouth where no beard hides it.
   MirroredFill(canvas, frame, dark, disc(0.45f, 0.19f, 0.022f));
   MirroredFill(canvas, frame, dark, disc(0.55f, 0.19f, 0.022f));
   if (rank == 13)
   {
      const Rgba beard{0.55f, 0.50f, 0.46f, 1};
      MirroredFill(canvas, frame, beard,
                   [disc](float u, float v) { return v >= 0.225f && disc(0.5f, 0.22f, 0.13f)(u, v); });
      MirroredFill(canvas, frame, gold, box(0.37f, 0.085f, 0.63f, 0.12f));
      MirroredFill(canvas, frame, gold, spike(0.39f, 0.02f, 0.09f, 0.045f));
      MirroredFill(canvas, frame, gold, spike(0.5f, 0.0f, 0.09f, 0.05f));
      MirroredFill(canvas, frame, gold, spike(0.61f, 0.02f, 0.09f, 0.045f));
      MirroredFill(canvas, frame, accent, disc(0.5f, 0.1025f, 0.025f));
      // A sword held upright at the side: blade, then the cross-guard.
      MirroredFill(canvas, frame, Rgba{0.78f, 0.80f, 0.84f, 1}, box(0.175f, 0.12f, 0.215f, 0.5f));
      MirroredFill(canvas, frame, gold, box(0.12f, 0.33f, 0.27f, 0.36f));
   }
   else if (rank == 12)
   {
      MirroredFill(canvas, frame, Rgba{0.80f, 0.22f, 0.25f, 1}, disc(0.5f, 0.245f, 0.02f));
      MirroredFill(canvas, frame, gold, box(0.39f, 0.09f, 0.61f, 0.115f));
      for (float cu : {0.41f, 0.455f, 0.5f, 0.545f, 0.59f})
      {
         MirroredFill(canvas, frame, gold, disc(cu, 0.075f, cu == 0.5f ? 0.03f : 0.02f));
      }
      // A flower held before the robe.
      MirroredFill(canvas, frame, Rgba{0.20f, 0.55f, 0.22f, 1}, box(0.245f, 0.38f, 0.265f, 0.5f));
      MirroredFill(canvas, frame, accent, disc(0.255f, 0.37f, 0.06f));
      MirroredFill(canvas, frame, gold, disc(0.255f, 0.37f, 0.022f));
   }
   else
   {
      MirroredFill(canvas, frame, Rgba{0.30f, 0.20f, 0.12f, 1},
                   [disc](float u, float v) { return v <= 0.17f && disc(0.5f, 0.19f, 0.145f)(u, v); });
      MirroredFill(canvas, frame, Rgba{0.30f, 0.20f, 0.12f, 1}, disc(0.5f, 0.245f, 0.015f));
      // A cap tipped to one side with a feather.
      MirroredFill(canvas, frame, accent,
                   [aspect](float u, float v)
                   {
                      const float du = (u - 0.47f) / 0.19f, dv = (v - 0.095f) * aspect / 0.07f;
                      return du * du + dv * dv < 1.0f;
                   });
      MirroredFill(canvas, frame, Rgba{0.97f, 0.95f, 0.88f, 1},
                   [](float u, float v)
                   {
                      const float t = (u - 0.58f) / 0.22f;
                      return t >= 0.0f && t <= 1.0f &&
                             std::fabs(v - (0.08f - t * 0.07f)) <= 0.012f + 0.01f * t;
                   });
      // A staff with a blade at its head.
      MirroredFill(canvas, frame, Rgba{0.45f, 0.30f, 0.16f, 1}, box(0.8f, 0.05f, 0.83f, 0.5f));
      MirroredFill(canvas, frame, Rgba{0.78f, 0.80f, 0.84f, 1}, spike(0.815f, 0.0f, 0.09f, 0.055f));
   }
   // The suit on a medallion at the chest.
   const float medallionU = 0.66f, medallionV = 0.43f;
   MirroredFill(canvas, frame, Rgba{0.99f, 0.97f, 0.90f, 1}, disc(medallionU, medallionV, 0.105f));
   MirroredFill(canvas, frame, gold,
                [=](float u, float v) {
                   return !disc(medallionU, medallionV, 0.085f)(u, v) &&
                          disc(medallionU, medallionV, 0.105f)(u, v);
                });
   Glyph emblem = SymbolFit(fonts, SUIT_SYMBOLS[suit], frame.width * 0.13f);
   const float ex = frame.left + frame.width * medallionU, ey = frame.top + frame.height * medallionV;
   GlyphDraw(canvas, emblem, ex, ey, color, false);
   GlyphDraw(canvas, emblem, 2 * frame.left + frame.width - ex, 2 * frame.top + frame.height - ey, color,
             true);
   // The line between the two ends and the frame around them.
   ShapeFill(canvas, static_cast<int>(frame.left), static_cast<int>(frame.top + frame.height * 0.5f) - 1,
             static_cast<int>(frame.left + frame.width) + 1,
             static_cast<int>(frame.top + frame.height * 0.5f) + 2, color,
             [&](float, float y) { return std::fabs(y - (frame.top + frame.height * 0.5f)) <= 0.5f; });
   RoundedBoxStroke(canvas, frame.left, frame.top, frame.left + frame.width, frame.top + frame.height, 2.0f,
                    frame.width >= 60.0f ? 1.5f : 1.0f, color);
}

// One card face: blank, corner indices, then the middle (pips, large ace, court picture or joker).
void FaceDraw(Canvas& canvas, Fonts& fonts, float ox, float oy, const CardSize& size, FrontKind kind,
              int suit, int rank)
{
   FaceBlankDraw(canvas, ox, oy, size);
   const float w = static_cast<float>(size.width);
   const float h = static_cast<float>(size.height);
   const FaceMetrics metrics = FaceMetricsGet(size, kind);
   const float margin = metrics.margin;
   const float indexHeight = metrics.indexHeight;
   // Everything but the indices keeps inside this band, clear of them: below the tallest index of
   // the size, so that no pip or picture peeks into a fanned card's strip in any style.
   const float tallest = FaceMetricsGet(size, FRONT_LARGE_PRINT).indexHeight;
   const float fieldTop = margin + tallest + std::max(3.0f, std::round(tallest * 0.25f));
   const float fieldBottom = h - fieldTop;
   if (rank == 0)
   {
      const bool oldMaid = kind == FRONT_OLD_MAID;
      const Rgba color = oldMaid ? Rgba{0.45f, 0.15f, 0.55f, 1} : RED;
      const unsigned int code = oldMaid ? 0x265B : 0x2605;
      Glyph symbol = SymbolFit(fonts, code, (fieldBottom - fieldTop) * 0.55f);
      GlyphDraw(canvas, symbol, ox + w * 0.5f, oy + fieldTop + (fieldBottom - fieldTop) * 0.4f, color, false);
      const char* text = oldMaid ? "OLD MAID" : "JOKER";
      Glyph word = TextFit(fonts, text, h * 0.09f, w - 2 * margin - 4);
      GlyphDraw(canvas, word, ox + w * 0.5f, oy + fieldTop + (fieldBottom - fieldTop) * 0.85f, color, false);
      Glyph corner = SymbolFit(fonts, code, indexHeight);
      GlyphDrawAt(canvas, corner, ox + margin, oy + margin, color, false);
      GlyphDrawAt(canvas, corner, ox + w - margin - corner.width, oy + h - margin - corner.height, color,
                  true);
      return;
   }
   const Rgba color = SuitColor(suit, kind);
   // Corner index: the rank with the suit beside it, on one line, "10" narrowed to about one
   // letter and a half.
   const Glyph rankGlyph = rank == 10 ? TenFit(fonts, indexHeight, indexHeight * 1.15f)
                                      : TextFit(fonts, RANK_TEXTS[rank], indexHeight, indexHeight * 0.95f);
   const Glyph suitGlyph = SymbolFit(fonts, SUIT_SYMBOLS[suit], indexHeight * 0.9f);
   const float gap = std::max(1.0f, std::round(indexHeight * 0.1f));
   const float suitLeft = margin + rankGlyph.width + gap;
   const float suitTop = margin + std::floor((indexHeight - suitGlyph.height) * 0.5f);
   GlyphDrawAt(canvas, rankGlyph, ox + margin, oy + margin, color, false);
   GlyphDrawAt(canvas, suitGlyph, ox + suitLeft, oy + suitTop, color, false);
   GlyphDrawAt(canvas, rankGlyph, ox + w - margin - rankGlyph.width, oy + h - margin - rankGlyph.height,
               color, true);
   GlyphDrawAt(canvas, suitGlyph, ox + w - suitLeft - suitGlyph.width, oy + h - suitTop - suitGlyph.height,
               color, true);

   if (kind == FRONT_MEMORY_MATCH_VERY_HARD)
   {
      return;
   }
   if (kind == FRONT_MEMORY_MATCH_EASY)
   {
      const float band = fieldBottom - fieldTop;
      const Glyph big = rank == 10 ? TenFit(fonts, band * 0.36f, w * 0.62f)
                                   : TextFit(fonts, RANK_TEXTS[rank], band * 0.36f, w * 0.6f);
      GlyphDraw(canvas, big, ox + w * 0.5f, oy + fieldTop + band * 0.27f, color, false);
      const Glyph symbol = SymbolFit(fonts, SUIT_SYMBOLS[suit], std::min(band * 0.38f, w * 0.55f));
      GlyphDraw(canvas, symbol, ox + w * 0.5f, oy + fieldTop + band * 0.72f, color, false);
      return;
   }
   if (rank == 1)
   {
      Glyph ace = SymbolFit(fonts, SUIT_SYMBOLS[suit], std::min((fieldBottom - fieldTop) * 0.6f, w * 0.6f));
      GlyphDraw(canvas, ace, ox + w * 0.5f, oy + h * 0.5f, color, false);
   }
   else if (rank <= 10)
   {
      const float pipHeight = metrics.pipHeight;
      Glyph pip = SymbolFit(fonts, SUIT_SYMBOLS[suit], pipHeight);
      const float columns[] = {0.3f, 0.5f, 0.7f};
      const float first = fieldTop + pipHeight * 0.5f;
      const float spread = fieldBottom - fieldTop - pipHeight;
      for (const Pip& p : PipsGet(rank))
      {
         GlyphDraw(canvas, pip, ox + w * columns[p.column], oy + first + spread * p.row, color, p.row > 0.5f);
      }
   }
   else
   {
      const float inset = std::round(w * 0.15f);
      CourtDraw(canvas, fonts, Frame{ox + inset, oy + fieldTop, w - 2 * inset, fieldBottom - fieldTop}, suit,
                rank, color);
   }
   if (kind == FRONT_CRAZY_EIGHTS && rank == 8)
   {
      // Eights are wild: a banner across the middle.
      const Rgba band{0.95f, 0.55f, 0.05f, 0.92f};
      RoundedBoxFill(canvas, ox + 3, oy + h * 0.5f - h * 0.09f, ox + w - 3, oy + h * 0.5f + h * 0.09f, 2.0f,
                     band);
      Glyph wild = TextFit(fonts, "WILD", h * 0.1f, w - 10);
      GlyphDraw(canvas, wild, ox + w * 0.5f, oy + h * 0.5f, WHITE, false);
   }
}

void SelectedDraw(Canvas& canvas, float ox, float oy, const CardSize& size)
{
   const Rgba outline{0.15f, 0.45f, 1.0f, 0.95f};
   RoundedBoxStroke(canvas, ox, oy, ox + size.width, oy + size.height, size.width * 0.07f, 3.0f, outline);
}

void HighlightedDraw(Canvas& canvas, float ox, float oy, const CardSize& size)
{
   const float radius = size.width * 0.07f;
   const float reach = 7.0f;
   for (int y = 0; y < size.height; y++)
   {
      for (int x = 0; x < size.width; x++)
      {
         const float d = -RoundedBoxDistance(x + 0.5f, y + 0.5f, 0, 0, static_cast<float>(size.width),
                                             static_cast<float>(size.height), radius);
         if (d > -0.5f && d < reach)
         {
            const float t = 1.0f - std::max(d, 0.0f) / reach;
            const float edge = std::min(1.0f, d + 0.5f);
            canvas.Blend(static_cast<int>(ox) + x, static_cast<int>(oy) + y, Rgba{1.0f, 0.85f, 0.2f, 1.0f},
                         t * t * 0.85f * edge);
         }
      }
   }
}

void BackDraw(Canvas& canvas, Fonts& fonts, float ox, float oy, const CardSize& size, const BackStyle& style)
{
   FaceBlankDraw(canvas, ox, oy, size);
   const float w = static_cast<float>(size.width);
   const float h = static_cast<float>(size.height);
   const float m = std::round(w * 0.07f);
   const float left = ox + m, top = oy + m, right = ox + w - m, bottom = oy + h - m;
   RoundedBoxFill(canvas, left, top, right, bottom, 3.0f, style.base);
   const float period = std::round(w * 0.1f);
   const float cx = ox + w * 0.5f, cy = oy + h * 0.5f;
   ShapeFill(canvas, static_cast<int>(left), static_cast<int>(top), static_cast<int>(right) + 1,
             static_cast<int>(bottom) + 1, style.line,
             [&](float x, float y)
             {
                if (RoundedBoxDistance(x, y, left + 2, top + 2, right - 2, bottom - 2, 2.0f) > 0.0f)
                {
                   return false;
                }
                const float dx = x - cx, dy = y - cy;
                switch (style.pattern)
                {
                case BACK_LATTICE:
                {
                   const float a = std::fmod(std::fabs(dx + dy), period);
                   const float b = std::fmod(std::fabs(dx - dy), period);
                   return a < 1.2f || b < 1.2f;
                }
                case BACK_RINGS:
                {
                   const float r = std::sqrt(dx * dx + dy * dy);
                   return std::fmod(r, period) < 1.6f;
                }
                default:
                {
                   const float gx = std::fmod(std::fabs(dx), period) - period * 0.5f;
                   const float gy = std::fmod(std::fabs(dy), period) - period * 0.5f;
                   return gx * gx + gy * gy < period * period * 0.09f;
                }
                }
             });
   RoundedBoxStroke(canvas, left + 2, top + 2, right - 2, bottom - 2, 2.0f, 1.0f, WHITE);
   if (style.pattern == BACK_RINGS)
   {
      RoundedBoxFill(canvas, cx - w * 0.2f, cy - w * 0.2f, cx + w * 0.2f, cy + w * 0.2f, w * 0.2f, WHITE);
      Glyph eight = fonts.TextRender("8", true, static_cast<int>(w * 0.4f), 1.0f);
      GlyphDraw(canvas, eight, cx, cy, style.base, false);
   }
}

void EmptyPileDraw(Canvas& canvas, Fonts& fonts, float ox, float oy, const CardSize& size, int index)
{
   // Inset so that a card placed on the pile covers the picture entirely.
   const float inset = 2.0f;
   const float left = ox + inset, top = oy + inset, right = ox + size.width - inset,
               bottom = oy + size.height - inset;
   const float radius = size.width * 0.07f;
   RoundedBoxFill(canvas, left, top, right, bottom, radius, Rgba{1, 1, 1, 0.14f});
   RoundedBoxStroke(canvas, left, top, right, bottom, radius, 1.5f, Rgba{1, 1, 1, 0.6f});
   const float cx = ox + size.width * 0.5f, cy = oy + size.height * 0.5f;
   const Rgba mark{1, 1, 1, 0.55f};
   const float w = static_cast<float>(size.width);
   switch (index)
   {
   case 1:
   {
      const float r = w * 0.25f;
      ShapeFill(canvas, static_cast<int>(cx - r) - 3, static_cast<int>(cy - r) - 3,
                static_cast<int>(cx + r) + 4, static_cast<int>(cy + r) + 4, mark,
                [=](float x, float y)
                {
                   const float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
                   return d < r && d > r - 3.0f;
                });
      break;
   }
   case 2:
   case 3:
   {
      Glyph letter = fonts.TextRender(index == 2 ? "A" : "K", true, static_cast<int>(w * 0.5f), 1.0f);
      GlyphDraw(canvas, letter, cx, cy, mark, false);
      break;
   }
   case 4:
   case 5:
   case 6:
   case 7:
   {
      Glyph symbol = fonts.SymbolRender(SUIT_SYMBOLS[index - 4], static_cast<int>(w * 0.55f));
      GlyphDraw(canvas, symbol, cx, cy, mark, false);
      break;
   }
   default:
      break;
   }
}

bool PNGWrite(const std::string& path, const Canvas& canvas)
{
   Bitmap bitmap;
   if (!bitmap.Init(canvas.width, canvas.height, BITMAP_FORMAT_RGBA8, allocatorDefault))
   {
      std::fprintf(stderr, "cardart: unable to make a %dx%d bitmap\n", canvas.width, canvas.height);
      return false;
   }
   for (int y = 0; y < canvas.height; y++)
   {
      for (int x = 0; x < canvas.width; x++)
      {
         const Rgba& p = canvas.pixels[static_cast<size_t>(y) * canvas.width + x];
         const u8 bytes[4] = {static_cast<u8>(std::lround(std::clamp(p.r, 0.0f, 1.0f) * 255.0f)),
                              static_cast<u8>(std::lround(std::clamp(p.g, 0.0f, 1.0f) * 255.0f)),
                              static_cast<u8>(std::lround(std::clamp(p.b, 0.0f, 1.0f) * 255.0f)),
                              static_cast<u8>(std::lround(std::clamp(p.a, 0.0f, 1.0f) * 255.0f))};
         bitmap.PixelSet(bytes, x, y);
      }
   }
   const bool ok = ToolFiles::PNGWrite("cardart", path, bitmap);
   bitmap.Free();
   return ok;
}

// The sprite resource file: each animation one cell of the sheet, drawn about its centre.
bool SpritesWrite(const std::string& path, const std::string& sheet, const CardSize& size,
                  const std::vector<std::string>& names)
{
   std::string json = "{\n";
   char line[512];
   for (size_t i = 0; i < names.size(); i++)
   {
      std::snprintf(line, sizeof(line),
                    "   \"%s\": {\"Filename\": \"%s\", \"FrameSize\": \"%d|%d\", \"ImageSequence\": [%zu], "
                    "\"Origin\": \"Center\"}%s\n",
                    names[i].c_str(), sheet.c_str(), size.width + 2 * GUTTER, size.height + 2 * GUTTER, i + 1,
                    i + 1 < names.size() ? "," : "");
      json += line;
   }
   json += "}\n";
   FILE* file = std::fopen(path.c_str(), "wb");
   bool ok = file && std::fwrite(json.data(), 1, json.size(), file) == json.size();
   ok = file && std::fclose(file) == 0 && ok;
   if (!ok)
   {
      std::fprintf(stderr, "cardart: unable to write %s\n", path.c_str());
   }
   return ok;
}

// A sheet of count cells in rows of columns; draw (canvas, cell index, x, y) paints one cell.
template <class Draw>
bool SheetWrite(const std::string& graphics, const std::string& folder, const CardSize& size,
                const std::vector<std::string>& names, int columns, Draw draw)
{
   const int cellWidth = size.width + 2 * GUTTER;
   const int cellHeight = size.height + 2 * GUTTER;
   const int count = static_cast<int>(names.size());
   const int rows = (count + columns - 1) / columns;
   Canvas canvas(cellWidth * std::min(columns, count), cellHeight * rows);
   for (int i = 0; i < count; i++)
   {
      draw(canvas, i, static_cast<float>((i % columns) * cellWidth + GUTTER),
           static_cast<float>((i / columns) * cellHeight + GUTTER));
   }
   const std::string base = folder + "/" + size.name;
   const std::string sheet = base + "Sheet";
   return PNGWrite(graphics + "/" + sheet + ".png", canvas) &&
          SpritesWrite(graphics + "/" + base + ".json", sheet, size, names);
}

bool FolderMake(const std::string& path)
{
   std::string command = "mkdir -p '" + path + "'";
   return std::system(command.c_str()) == 0;
}
} // namespace

int main(int argc, char** argv)
{
   std::string output, bold, regular;
   for (int i = 1; i + 1 < argc; i += 2)
   {
      if (std::strcmp(argv[i], "--output") == 0)
      {
         output = argv[i + 1];
      }
      else if (std::strcmp(argv[i], "--bold") == 0)
      {
         bold = argv[i + 1];
      }
      else if (std::strcmp(argv[i], "--regular") == 0)
      {
         regular = argv[i + 1];
      }
   }
   if (output.empty() || bold.empty() || regular.empty())
   {
      std::fprintf(stderr,
                   "usage: corvale-cardart --output <graphics folder> --bold <ttf> --regular <ttf>\n");
      return 2;
   }
   Memory::Init();
   int failures = 0;
   {
      Fonts fonts;
      if (!fonts.Init(bold, regular))
      {
         std::fprintf(stderr, "cardart: unable to open the fonts\n");
         Memory::Deinit();
         return 1;
      }
      std::vector<std::string> frontNames;
      for (int suit = 0; suit < 4; suit++)
      {
         for (int rank = 1; rank <= 13; rank++)
         {
            frontNames.push_back(std::string(1, SUIT_LETTERS[suit]) + "_" + std::to_string(rank));
         }
      }
      frontNames.insert(frontNames.end(), {"Joker", "Selected", "Highlighted"});
      const std::vector<std::string> backNames = {"Back"};
      const std::vector<std::string> pileNames(std::begin(PILE_ANIMATIONS), std::end(PILE_ANIMATIONS));
      for (const CardSize& size : SIZES)
      {
         for (const FrontStyle& style : FRONTS)
         {
            const std::string folder = std::string("Sprites/Cards/Fronts/") + style.name;
            failures += FolderMake(output + "/" + folder) ? 0 : 1;
            failures += SheetWrite(output, folder, size, frontNames, 13,
                                   [&](Canvas& canvas, int i, float x, float y)
                                   {
                                      if (i < 52)
                                      {
                                         FaceDraw(canvas, fonts, x, y, size, style.kind, i / 13, i % 13 + 1);
                                      }
                                      else if (i == 52)
                                      {
                                         FaceDraw(canvas, fonts, x, y, size, style.kind, 0, 0);
                                      }
                                      else if (i == 53)
                                      {
                                         SelectedDraw(canvas, x, y, size);
                                      }
                                      else
                                      {
                                         HighlightedDraw(canvas, x, y, size);
                                      }
                                   })
                            ? 0
                            : 1;
         }
         for (const BackStyle& style : BACKS)
         {
            const std::string folder = std::string("Sprites/Cards/Backs/") + style.name;
            failures += FolderMake(output + "/" + folder) ? 0 : 1;
            failures += SheetWrite(output, folder, size, backNames, 1,
                                   [&](Canvas& canvas, int, float x, float y)
                                   { BackDraw(canvas, fonts, x, y, size, style); })
                            ? 0
                            : 1;
         }
         failures += FolderMake(output + "/Sprites/CardPiles") ? 0 : 1;
         failures += SheetWrite(output, "Sprites/CardPiles", size, pileNames, 8,
                                [&](Canvas& canvas, int i, float x, float y)
                                { EmptyPileDraw(canvas, fonts, x, y, size, i); })
                         ? 0
                         : 1;
      }
   }
   Memory::Deinit();
   return failures == 0 ? 0 : 1;
}
