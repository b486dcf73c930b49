// fontgen: renders a TrueType font through FreeType into our bitmap font format: RGBA sheets of
// white glyphs (optionally with a black outline) on a transparent background, one character per
// grid cell, and the "<name>.json" that lists the cells row by row with the font's metrics.
//
//   corvale-fontgen --font <file.ttf> --size <pixels> [--outline <pixels>] --name <Name>
//                   --output <folder>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

using namespace Corvale;

namespace
{
// Sheets stay within what every GL 2.0 driver takes as one texture.
constexpr int SHEET_SIZE_MAX = 1024;
// Transparent texels around each glyph so that filtering never reaches a neighbour.
constexpr int CELL_MARGIN = 1;

struct Options
{
   std::string font;
   std::string name;
   std::string output;
   int size = 0;
   int outline = 0;
};

// One rendered coverage map and where it sits relative to the pen on the baseline.
struct Coverage
{
   int left = 0;
   int top = 0;
   int width = 0;
   int height = 0;
   std::vector<unsigned char> alpha;
};

struct RenderedGlyph
{
   unsigned int code = 0;
   Coverage fill;
   Coverage outline;
};

// Latin-1, the Windows Latin extras, Russian, typographic punctuation and card suits: what the
// texts of every language and the card games show.
std::vector<unsigned int> CharacterSetGet()
{
   std::vector<unsigned int> codes;
   for (unsigned int c = 0x21; c <= 0x7E; ++c)
   {
      codes.push_back(c);
   }
   for (unsigned int c = 0xA1; c <= 0xFF; ++c)
   {
      codes.push_back(c);
   }
   const unsigned int extras[] = {0x152,  0x153,  0x160,  0x161,  0x178,  0x17D,  0x17E,  0x192,  0x2C6,
                                  0x2DC,  0x401,  0x451,  0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C,
                                  0x201D, 0x201E, 0x2020, 0x2021, 0x2022, 0x2026, 0x2030, 0x2039, 0x203A,
                                  0x20AC, 0x2116, 0x2122, 0x2190, 0x2191, 0x2192, 0x2193, 0x2660, 0x2661,
                                  0x2662, 0x2663, 0x2664, 0x2665, 0x2666, 0x2667, 0x2713};
   codes.insert(codes.end(), std::begin(extras), std::end(extras));
   for (unsigned int c = 0x410; c <= 0x44F; ++c)
   {
      codes.push_back(c);
   }
   std::sort(codes.begin(), codes.end());
   return codes;
}

bool CoverageFromBitmap(const FT_Bitmap& bitmap, int left, int top, Coverage* out)
{
   if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
   {
      return bitmap.width == 0 || bitmap.rows == 0;
   }
   out->left = left;
   out->top = top;
   out->width = static_cast<int>(bitmap.width);
   out->height = static_cast<int>(bitmap.rows);
   out->alpha.resize(static_cast<size_t>(out->width) * out->height);
   for (int y = 0; y < out->height; ++y)
   {
      const unsigned char* row = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
      std::memcpy(&out->alpha[static_cast<size_t>(y) * out->width], row, static_cast<size_t>(out->width));
   }
   return true;
}

bool GlyphRender(FT_Face face, FT_Stroker stroker, unsigned int code, RenderedGlyph* out)
{
   out->code = code;
   if (FT_Load_Char(face, code, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
   {
      return false;
   }
   FT_Glyph glyph = nullptr;
   if (FT_Get_Glyph(face->glyph, &glyph) != 0)
   {
      return false;
   }
   bool ok = true;
   if (stroker)
   {
      FT_Glyph stroked = glyph;
      FT_Glyph_Copy(glyph, &stroked);
      ok = FT_Glyph_StrokeBorder(&stroked, stroker, 0, 1) == 0 &&
           FT_Glyph_To_Bitmap(&stroked, FT_RENDER_MODE_NORMAL, nullptr, 1) == 0;
      if (ok)
      {
         FT_BitmapGlyph bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(stroked);
         ok = CoverageFromBitmap(bitmapGlyph->bitmap, bitmapGlyph->left, bitmapGlyph->top, &out->outline);
      }
      FT_Done_Glyph(stroked);
   }
   if (ok && FT_Glyph_To_Bitmap(&glyph, FT_RENDER_MODE_NORMAL, nullptr, 1) == 0)
   {
      FT_BitmapGlyph bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(glyph);
      ok = CoverageFromBitmap(bitmapGlyph->bitmap, bitmapGlyph->left, bitmapGlyph->top, &out->fill);
   }
   else
   {
      ok = false;
   }
   FT_Done_Glyph(glyph);
   return ok;
}

// Straight-alpha "over": the white fill on top of the black outline.
void CoverageComposite(Bitmap* sheet, const Coverage& coverage, int penX, int baselineY, bool white)
{
   for (int y = 0; y < coverage.height; ++y)
   {
      for (int x = 0; x < coverage.width; ++x)
      {
         int sx = penX + coverage.left + x;
         int sy = baselineY - coverage.top + y;
         if (sx < 0 || sy < 0 || sx >= sheet->width || sy >= sheet->height)
         {
            continue;
         }
         float a = coverage.alpha[static_cast<size_t>(y) * coverage.width + x] / 255.0f;
         if (a <= 0.0f)
         {
            continue;
         }
         u8* pixel = sheet->PixelAddressGet(sx, sy);
         float below = pixel[3] / 255.0f;
         float colorBelow = pixel[0] / 255.0f;
         float color = white ? 1.0f : 0.0f;
         float alpha = a + below * (1.0f - a);
         float mixed = alpha > 0.0f ? (color * a + colorBelow * below * (1.0f - a)) / alpha : 0.0f;
         u8 level = static_cast<u8>(std::lround(mixed * 255.0f));
         pixel[0] = level;
         pixel[1] = level;
         pixel[2] = level;
         pixel[3] = static_cast<u8>(std::lround(alpha * 255.0f));
      }
   }
}

int PowerOfTwoAtLeast(int n)
{
   int p = 1;
   while (p < n)
   {
      p *= 2;
   }
   return p;
}

bool PNGWrite(const std::string& path, const Bitmap& sheet)
{
   FileStdio file(std::fopen(path.c_str(), "wb"));
   if (!file.stream)
   {
      std::fprintf(stderr, "fontgen: unable to create %s\n", path.c_str());
      return false;
   }
   bool saved = bitmapLoaderPNG.Save(&sheet, &file, HEAP_TEMP);
   bool closed = std::fclose(file.stream) == 0;
   file.stream = nullptr;
   if (!saved || !closed)
   {
      std::fprintf(stderr, "fontgen: unable to write %s\n", path.c_str());
   }
   return saved && closed;
}

std::string JSONStringEscape(const std::string& text)
{
   std::string out;
   for (char c : text)
   {
      if (c == '"' || c == '\\')
      {
         out += '\\';
      }
      out += c;
   }
   return out;
}

std::string UTF8Encode(unsigned int code)
{
   char buffer[8] = {};
   i32 length = UnicodeCharacterToUTF8(buffer, code, sizeof(buffer));
   return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

bool OptionsRead(int argc, char** argv, Options* options)
{
   for (int i = 1; i + 1 < argc; i += 2)
   {
      std::string key = argv[i];
      const char* value = argv[i + 1];
      if (key == "--font")
      {
         options->font = value;
      }
      else if (key == "--size")
      {
         options->size = std::atoi(value);
      }
      else if (key == "--outline")
      {
         options->outline = std::atoi(value);
      }
      else if (key == "--name")
      {
         options->name = value;
      }
      else if (key == "--output")
      {
         options->output = value;
      }
      else
      {
         return false;
      }
   }
   return !options->font.empty() && !options->name.empty() && !options->output.empty() && options->size > 0 &&
          options->size <= 256 && options->outline >= 0 && options->outline <= 16;
}
} // namespace

int main(int argc, char** argv)
{
   Options options;
   if ((argc - 1) % 2 != 0 || !OptionsRead(argc, argv, &options))
   {
      std::fprintf(stderr, "usage: corvale-fontgen --font <file.ttf> --size <pixels> [--outline <pixels>] "
                           "--name <Name> --output <folder>\n");
      return 2;
   }
   Memory::Init();

   FT_Library library = nullptr;
   FT_Face face = nullptr;
   if (FT_Init_FreeType(&library) != 0 || FT_New_Face(library, options.font.c_str(), 0, &face) != 0 ||
       FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(options.size)) != 0)
   {
      std::fprintf(stderr, "fontgen: unable to open %s at %d pixels\n", options.font.c_str(), options.size);
      return 1;
   }
   FT_Stroker stroker = nullptr;
   if (options.outline > 0)
   {
      FT_Stroker_New(library, &stroker);
      FT_Stroker_Set(stroker, options.outline * 64, FT_STROKER_LINECAP_ROUND, FT_STROKER_LINEJOIN_ROUND, 0);
   }

   std::vector<RenderedGlyph> glyphs;
   for (unsigned int code : CharacterSetGet())
   {
      RenderedGlyph glyph;
      if (FT_Get_Char_Index(face, code) != 0 && GlyphRender(face, stroker, code, &glyph))
      {
         glyphs.push_back(std::move(glyph));
      }
   }
   if (glyphs.empty())
   {
      std::fprintf(stderr, "fontgen: %s has none of the characters\n", options.font.c_str());
      return 1;
   }

   // The cell must hold every glyph with its outline: left of the pen, right of it, above and
   // below the baseline.
   int leftMost = 0;
   int rightMost = 0;
   int above = 0;
   int below = 0;
   for (const RenderedGlyph& glyph : glyphs)
   {
      for (const Coverage* coverage : {&glyph.fill, &glyph.outline})
      {
         if (coverage->width == 0 || coverage->height == 0)
         {
            continue;
         }
         leftMost = std::min(leftMost, coverage->left);
         rightMost = std::max(rightMost, coverage->left + coverage->width);
         above = std::max(above, coverage->top);
         below = std::max(below, coverage->height - coverage->top);
      }
   }
   const int penX = CELL_MARGIN - leftMost;
   const int cellWidth = penX + rightMost + CELL_MARGIN;
   const int ascent = above + CELL_MARGIN;
   const int cellHeight = ascent + below + CELL_MARGIN;
   const int columns = std::max(1, std::min(32, SHEET_SIZE_MAX / cellWidth));
   const int rowsPerSheet = std::max(1, SHEET_SIZE_MAX / cellHeight);
   const int rowCount = (static_cast<int>(glyphs.size()) + columns - 1) / columns;
   const int sheetCount = (rowCount + rowsPerSheet - 1) / rowsPerSheet;

   std::string json = "{\n";
   char line[256];
   const int lineSpacing = static_cast<int>(std::lround(face->size->metrics.height / 64.0)) + options.outline;
   FT_Load_Char(face, ' ', FT_LOAD_DEFAULT);
   const int blank = std::max(1, static_cast<int>(std::lround(face->glyph->advance.x / 64.0)));
   // Glyphs advance by their visible width, so the gap between them is ours to choose; an outline
   // already widens each glyph.
   const int spacing =
       options.outline > 0 ? 0 : std::max(1, static_cast<int>(std::lround(options.size / 12.0)));
   std::snprintf(line, sizeof(line),
                 "  \"Width\": %d,\n  \"Height\": %d,\n  \"Ascent\": %d,\n  \"LineSpacing\": %d,\n"
                 "  \"CharacterSpacing\": %d,\n  \"BlankSpaceWidth\": %d,\n  \"TabWidth\": %d,\n",
                 cellWidth, cellHeight, ascent, lineSpacing, spacing, blank, blank * 4);
   json += line;
   // A no-break space draws as a space rather than as an empty glyph of no width.
   json += "  \"MapSrc\": \"" + UTF8Encode(0xA0) + "\",\n  \"MapDst\": \" \",\n";
   json += "  \"Bitmaps\": [\n";

   size_t next = 0;
   for (int s = 0; s < sheetCount; ++s)
   {
      int rows = std::min(rowsPerSheet, rowCount - s * rowsPerSheet);
      Bitmap sheet;
      if (!sheet.Init(PowerOfTwoAtLeast(columns * cellWidth), PowerOfTwoAtLeast(rows * cellHeight),
                      BITMAP_FORMAT_RGBA8, allocatorDefault))
      {
         std::fprintf(stderr, "fontgen: out of memory\n");
         return 1;
      }
      sheet.Clear();
      std::string sheetName = options.name + "_" + std::to_string(s);
      json += std::string(s > 0 ? ",\n" : "") + "    {\n      \"Name\": \"" + JSONStringEscape(sheetName) +
              "\",\n      \"Lines\": [\n";
      for (int row = 0; row < rows && next < glyphs.size(); ++row)
      {
         std::string characters;
         for (int column = 0; column < columns && next < glyphs.size(); ++column, ++next)
         {
            const RenderedGlyph& glyph = glyphs[next];
            int x = column * cellWidth + penX;
            int baseline = row * cellHeight + ascent;
            CoverageComposite(&sheet, glyph.outline, x, baseline, false);
            CoverageComposite(&sheet, glyph.fill, x, baseline, true);
            characters += UTF8Encode(glyph.code);
         }
         json += std::string(row > 0 ? ",\n" : "") + "        \"" + JSONStringEscape(characters) + "\"";
      }
      json += "\n      ]\n    }";
      bool written = PNGWrite(options.output + "/" + sheetName + ".png", sheet);
      sheet.Free();
      if (!written)
      {
         return 1;
      }
   }
   json += "\n  ]\n}\n";

   std::string jsonPath = options.output + "/" + options.name + ".json";
   FILE* file = std::fopen(jsonPath.c_str(), "wb");
   bool ok = file && std::fwrite(json.data(), 1, json.size(), file) == json.size();
   if (file && std::fclose(file) != 0)
   {
      ok = false;
   }
   if (!ok)
   {
      std::fprintf(stderr, "fontgen: unable to write %s\n", jsonPath.c_str());
   }
   if (stroker)
   {
      FT_Stroker_Done(stroker);
   }
   FT_Done_Face(face);
   FT_Done_FreeType(library);
   return ok ? 0 : 1;
}
