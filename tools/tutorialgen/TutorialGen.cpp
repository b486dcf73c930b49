// corvale-tutorialgen: makes Klondike's how-to-play tutorial: the skeleton file with its one
// animation, the atlas and its page (cards cut from the card art tool's sheets, the pointer arm,
// the highlight and the pile captions drawn here) and the event table of lines and sounds.
#include <algorithm>
#include <cmath>
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
#include "tools/common/ToolFiles.h"

using namespace Corvale;

namespace
{
const char* const TOOL = "tutorialgen";

// The card art tool's medium cards and the layout of its sheets.
constexpr int CARD_W = 80;
constexpr int CARD_H = 112;
constexpr int SHEET_GUTTER = 2;
constexpr int FRONT_COLUMNS = 13;
constexpr int PILE_COLUMNS = 8;
const char SUIT_LETTERS[] = "HSDC";

// The page is at most this wide and high; regions lie this far apart.
constexpr int PAGE_SIZE = 1024;
constexpr int PAD = 2;

// The tutorial layer puts the skeleton's origin 160 left of the screen's, with its Y upwards.
constexpr float ORIGIN_X = -160.0f;

struct Rgba
{
   float r, g, b, a;
};

// A straight-alpha picture.
struct Picture
{
   Picture() = default;
   Picture(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h, Rgba{0, 0, 0, 0}) {}
   Rgba& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
   const Rgba& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

   int width = 0;
   int height = 0;
   std::vector<Rgba> pixels;
};

Rgba Over(const Rgba& top, const Rgba& bottom)
{
   const float a = top.a + bottom.a * (1.0f - top.a);
   if (a <= 0.0f)
   {
      return {0, 0, 0, 0};
   }
   const auto mix = [&](float t, float b) { return (t * top.a + b * bottom.a * (1.0f - top.a)) / a; };
   return {mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b), a};
}

// Signed distance from a point to a rounded box (negative inside).
float RoundedBoxDistance(float x, float y, float halfW, float halfH, float radius)
{
   const float qx = std::fabs(x) - halfW + radius;
   const float qy = std::fabs(y) - halfH + radius;
   const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
   return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float Coverage(float distance)
{
   return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

// Cells of a card art sheet, read whole.
bool SheetLoad(const std::string& path, Picture* picture)
{
   Bitmap* bitmap = nullptr;
   FileStdio file(std::fopen(path.c_str(), "rb"));
   if (file.stream)
   {
      bitmap = bitmapLoaderPNG.Load(&file, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP);
      std::fclose(file.stream);
      file.stream = nullptr;
   }
   const bool ok = bitmap && bitmap->format == BITMAP_FORMAT_RGBA8;
   if (ok)
   {
      *picture = Picture(bitmap->width, bitmap->height);
      for (int y = 0; y < bitmap->height; y++)
      {
         for (int x = 0; x < bitmap->width; x++)
         {
            const u8* p = bitmap->PixelAddressGet(x, y);
            picture->At(x, y) = {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
         }
      }
   }
   else
   {
      std::fprintf(stderr, "%s: %s is not an RGBA card sheet\n", TOOL, path.c_str());
   }
   if (bitmap)
   {
      bitmap->Free();
      MemoryDelete(bitmap);
   }
   return ok;
}

Picture CellCut(const Picture& sheet, int cell, int columns)
{
   Picture card(CARD_W, CARD_H);
   const int left = (cell % columns) * (CARD_W + 2 * SHEET_GUTTER) + SHEET_GUTTER;
   const int top = (cell / columns) * (CARD_H + 2 * SHEET_GUTTER) + SHEET_GUTTER;
   for (int y = 0; y < CARD_H; y++)
   {
      for (int x = 0; x < CARD_W; x++)
      {
         if (left + x < sheet.width && top + y < sheet.height)
         {
            card.At(x, y) = sheet.At(left + x, top + y);
         }
      }
   }
   return card;
}

// A picture filled by shade(x, y) at the centre of each pixel, 4 x 4 samples averaged.
template <class Shade> Picture Draw(int width, int height, Shade shade)
{
   Picture picture(width, height);
   for (int y = 0; y < height; y++)
   {
      for (int x = 0; x < width; x++)
      {
         Rgba sum{0, 0, 0, 0};
         for (int j = 0; j < 4; j++)
         {
            for (int i = 0; i < 4; i++)
            {
               const Rgba s = shade(x + (i + 0.5f) / 4.0f, y + (j + 0.5f) / 4.0f);
               sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
            }
         }
         picture.At(x, y) = sum.a > 0.0f ? Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / 16.0f}
                                         : Rgba{0, 0, 0, 0};
      }
   }
   return picture;
}

// A sleeve of cloth along x, darker at its edges, with a stitched rim.
Picture SleeveDraw(int length, int thickness, float cuff)
{
   const Rgba cloth{0.20f, 0.34f, 0.62f, 1.0f};
   const Rgba rim{0.93f, 0.93f, 0.90f, 1.0f};
   return Draw(length, thickness,
               [&](float x, float y)
               {
                  const float halfH = thickness * 0.5f - 2.0f;
                  const float d = RoundedBoxDistance(x - length * 0.5f, y - thickness * 0.5f,
                                                     length * 0.5f - 2.0f, halfH, halfH);
                  const float across = (y - thickness * 0.5f) / halfH;
                  const float shade = 1.0f - 0.35f * across * across;
                  Rgba color{cloth.r * shade, cloth.g * shade, cloth.b * shade, Coverage(d)};
                  if (cuff > 0.0f && x > length - cuff)
                  {
                     color = {rim.r * shade, rim.g * shade, rim.b * shade, color.a};
                  }
                  if (d > -2.0f)
                  {
                     color = {color.r * 0.45f, color.g * 0.45f, color.b * 0.45f, color.a};
                  }
                  return color;
               });
}

// A hand pointing along x: the palm at the left, the index finger's tip at the right edge.
Picture HandDraw()
{
   const Rgba skin{0.96f, 0.80f, 0.66f, 1.0f};
   const Rgba line{0.55f, 0.36f, 0.26f, 1.0f};
   const int width = 120;
   const int height = 72;
   return Draw(width, height,
               [&](float x, float y)
               {
                  const float palm = std::hypot((x - 34.0f) / 32.0f, (y - 40.0f) / 26.0f) - 1.0f;
                  const float finger = RoundedBoxDistance(x - 86.0f, y - 28.0f, 32.0f, 8.0f, 8.0f);
                  const float thumb = RoundedBoxDistance(x - 48.0f, y - 60.0f, 16.0f, 7.0f, 7.0f);
                  const float d = std::min({palm * 26.0f, finger, thumb});
                  Rgba color{skin.r, skin.g, skin.b, Coverage(d)};
                  if (d > -1.8f || std::fabs(finger) < 0.9f || std::fabs(thumb) < 0.9f)
                  {
                     color = {line.r, line.g, line.b, color.a};
                  }
                  return color;
               });
}

// A glow around a card's outline, brightest on the edge; drawn additively.
Picture GlowDraw()
{
   const int margin = 22;
   const int width = CARD_W + 2 * margin;
   const int height = CARD_H + 2 * margin;
   return Draw(width, height,
               [&](float x, float y)
               {
                  const float d = RoundedBoxDistance(x - width * 0.5f, y - height * 0.5f,
                                                     CARD_W * 0.5f + 2.0f, CARD_H * 0.5f + 2.0f, 6.0f);
                  const float spread = d > 0.0f ? 9.0f : 4.0f;
                  const float a = std::exp(-(d * d) / (spread * spread));
                  return Rgba{1.0f, 0.86f, 0.35f, a};
               });
}

// Captions: white text with a dark outline, read with FreeType.
class CaptionWriter
{
 public:
   bool Init(const std::string& fontPath)
   {
      return FT_Init_FreeType(&library) == 0 && FT_New_Face(library, fontPath.c_str(), 0, &face) == 0 &&
             FT_Set_Pixel_Sizes(face, 0, PIXELS) == 0;
   }
   ~CaptionWriter()
   {
      if (face)
      {
         FT_Done_Face(face);
      }
      if (library)
      {
         FT_Done_FreeType(library);
      }
   }

   Picture Write(const char* text)
   {
      std::vector<unsigned int> codes = CodesGet(text);
      const int outline = 3;
      int width = 2 * outline + 4;
      for (unsigned int code : codes)
      {
         if (FT_Load_Char(face, code, FT_LOAD_DEFAULT) == 0)
         {
            width += static_cast<int>(face->glyph->advance.x >> 6);
         }
      }
      const int height = PIXELS + PIXELS / 2 + 2 * outline;
      const int baseline = outline + PIXELS;
      std::vector<float> ink(static_cast<size_t>(width) * height, 0.0f);
      int penX = outline + 2;
      for (unsigned int code : codes)
      {
         if (FT_Load_Char(face, code, FT_LOAD_RENDER) != 0)
         {
            continue;
         }
         const FT_GlyphSlot glyph = face->glyph;
         for (unsigned int row = 0; row < glyph->bitmap.rows; row++)
         {
            for (unsigned int column = 0; column < glyph->bitmap.width; column++)
            {
               const int x = penX + glyph->bitmap_left + static_cast<int>(column);
               const int y = baseline - glyph->bitmap_top + static_cast<int>(row);
               if (x >= 0 && y >= 0 && x < width && y < height)
               {
                  float& cell = ink[static_cast<size_t>(y) * width + x];
                  cell = std::min(1.0f,
                                  cell + glyph->bitmap.buffer[row * glyph->bitmap.pitch + column] / 255.0f);
               }
            }
         }
         penX += static_cast<int>(glyph->advance.x >> 6);
      }
      Picture picture(width, height);
      for (int y = 0; y < height; y++)
      {
         for (int x = 0; x < width; x++)
         {
            // The outline: the most ink within its radius.
            float around = 0.0f;
            for (int j = -outline; j <= outline; j++)
            {
               for (int i = -outline; i <= outline; i++)
               {
                  if (i * i + j * j <= outline * outline && x + i >= 0 && y + j >= 0 && x + i < width &&
                      y + j < height)
                  {
                     around = std::max(around, ink[static_cast<size_t>(y + j) * width + x + i]);
                  }
               }
            }
            const float fill = ink[static_cast<size_t>(y) * width + x];
            picture.At(x, y) = Over({1.0f, 0.97f, 0.86f, fill}, {0.05f, 0.12f, 0.08f, around * 0.9f});
         }
      }
      return picture;
   }

 private:
   static constexpr int PIXELS = 22;

   static std::vector<unsigned int> CodesGet(const char* text)
   {
      std::vector<unsigned int> codes;
      for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p;)
      {
         unsigned int code = *p++;
         int more = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
         code &= more == 3 ? 0x07 : more == 2 ? 0x0F : more == 1 ? 0x1F : 0x7F;
         for (; more > 0 && (*p & 0xC0) == 0x80; more--)
         {
            code = (code << 6) | (*p++ & 0x3F);
         }
         codes.push_back(code);
      }
      return codes;
   }

   FT_Library library = nullptr;
   FT_Face face = nullptr;
};

// The atlas: named pictures packed in shelves on one page.
struct Region
{
   std::string name;
   Picture picture;
   int x = 0;
   int y = 0;
};

class Atlas
{
 public:
   void Add(const std::string& name, Picture picture) { regions.push_back({name, std::move(picture), 0, 0}); }

   const Region* Find(const std::string& name) const
   {
      for (const Region& region : regions)
      {
         if (region.name == name)
         {
            return &region;
         }
      }
      return nullptr;
   }

   // Tallest first, left to right in shelves; false when the page cannot hold them.
   bool Pack()
   {
      std::vector<Region*> order;
      for (Region& region : regions)
      {
         order.push_back(&region);
      }
      std::stable_sort(order.begin(), order.end(),
                       [](const Region* a, const Region* b)
                       { return a->picture.height > b->picture.height; });
      int x = PAD;
      int y = PAD;
      int shelf = 0;
      for (Region* region : order)
      {
         if (x + region->picture.width + PAD > PAGE_SIZE)
         {
            x = PAD;
            y += shelf + PAD;
            shelf = 0;
         }
         region->x = x;
         region->y = y;
         x += region->picture.width + PAD;
         shelf = std::max(shelf, region->picture.height);
      }
      height = 64;
      while (height < y + shelf + PAD)
      {
         height *= 2;
      }
      return height <= PAGE_SIZE;
   }

   bool Write(const std::string& folder) const
   {
      Bitmap bitmap;
      if (!bitmap.Init(PAGE_SIZE, height, BITMAP_FORMAT_RGBA8, allocatorDefault))
      {
         return false;
      }
      const u8 clear[4] = {0, 0, 0, 0};
      for (int y = 0; y < height; y++)
      {
         for (int x = 0; x < PAGE_SIZE; x++)
         {
            bitmap.PixelSet(clear, x, y);
         }
      }
      std::string text = "skeleton.png\nsize: " + std::to_string(PAGE_SIZE) + "," + std::to_string(height) +
                         "\nformat: RGBA8888\nfilter: Linear,Linear\nrepeat: none\n";
      for (const Region& region : regions)
      {
         for (int y = 0; y < region.picture.height; y++)
         {
            for (int x = 0; x < region.picture.width; x++)
            {
               const Rgba& p = region.picture.At(x, y);
               const u8 bytes[4] = {Byte(p.r), Byte(p.g), Byte(p.b), Byte(p.a)};
               bitmap.PixelSet(bytes, region.x + x, region.y + y);
            }
         }
         text += region.name + "\n  rotate: false\n  xy: " + std::to_string(region.x) + ", " +
                 std::to_string(region.y) + "\n  size: " + std::to_string(region.picture.width) + ", " +
                 std::to_string(region.picture.height) + "\n  orig: " + std::to_string(region.picture.width) +
                 ", " + std::to_string(region.picture.height) + "\n  offset: 0, 0\n  index: -1\n";
      }
      const bool ok = ToolFiles::PNGWrite(TOOL, folder + "/skeleton.png", bitmap) &&
                      ToolFiles::TextWrite(TOOL, folder + "/skeleton.atlas", text);
      bitmap.Free();
      return ok;
   }

 private:
   static u8 Byte(float value)
   {
      return static_cast<u8>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
   }

   std::vector<Region> regions;
   int height = 0;
};

// Numbers as the skeleton file writes them: short, and the same on every run.
std::string Number(float value)
{
   char text[32];
   std::snprintf(text, sizeof(text), "%.2f", static_cast<double>(value));
   std::string out = text;
   while (out.back() == '0')
   {
      out.pop_back();
   }
   if (out.back() == '.')
   {
      out.pop_back();
   }
   return out == "-0" ? "0" : out;
}

std::string Quote(const std::string& text)
{
   return "\"" + text + "\"";
}

// A point on the screen, which the skeleton sees 160 to the right and with Y upwards.
struct Point
{
   float x, y;
};

struct Key
{
   float time;
   std::string values;
   std::string curve;
};

// Keys of one timeline; times only grow.
struct Timeline
{
   std::string owner;
   std::string kind;
   std::vector<Key> keys;
};

const char* const EASE = "[0.25, 0, 0.25, 1]";

// The skeleton file under construction: bones, slots, the default skin, and the one animation.
class SkeletonWriter
{
 public:
   void Bone(const std::string& name, const std::string& parent, Point at, float length = 0.0f,
             float rotation = 0.0f)
   {
      std::string text = "{ \"name\": " + Quote(name);
      if (!parent.empty())
      {
         text += ", \"parent\": " + Quote(parent);
      }
      if (length != 0.0f)
      {
         text += ", \"length\": " + Number(length);
      }
      text += ", \"x\": " + Number(at.x) + ", \"y\": " + Number(at.y);
      if (rotation != 0.0f)
      {
         text += ", \"rotation\": " + Number(rotation);
      }
      bones.push_back(text + " }");
   }

   // Returns the slot's index in the setup draw order.
   int Slot(const std::string& name, const std::string& bone, const std::string& attachment,
            const std::string& extra = "")
   {
      std::string text = "{ \"name\": " + Quote(name) + ", \"bone\": " + Quote(bone);
      if (!attachment.empty())
      {
         text += ", \"attachment\": " + Quote(attachment);
      }
      slots.push_back(text + extra + " }");
      slotNames.push_back(name);
      return static_cast<int>(slotNames.size()) - 1;
   }

   void Attachment(const std::string& skin, const std::string& slot, const std::string& key,
                   const std::string& path, const Picture& picture, Point at = {0, 0})
   {
      std::string text = Quote(key) + ": { ";
      if (path != key)
      {
         text += "\"path\": " + Quote(path) + ", ";
      }
      if (at.x != 0.0f || at.y != 0.0f)
      {
         text += "\"x\": " + Number(at.x) + ", \"y\": " + Number(at.y) + ", ";
      }
      text += "\"width\": " + std::to_string(picture.width) +
              ", \"height\": " + std::to_string(picture.height) + " }";
      SkinSlotGet(skin, slot).push_back(text);
   }

   Timeline& TimelineGet(const std::string& group, const std::string& owner, const std::string& kind)
   {
      std::vector<Timeline>& list = group == "bones" ? boneTimelines : slotTimelines;
      for (Timeline& timeline : list)
      {
         if (timeline.owner == owner && timeline.kind == kind)
         {
            return timeline;
         }
      }
      list.push_back({owner, kind, {}});
      return list.back();
   }

   void Event(float time, const std::string& name)
   {
      if (std::find(eventNames.begin(), eventNames.end(), name) == eventNames.end())
      {
         eventNames.push_back(name);
      }
      events.push_back({time, "\"name\": " + Quote(name), ""});
   }

   // From this time the given slots draw, in this order, just below the slot named above.
   void SlotsLift(float time, const std::vector<std::string>& lifted, const std::string& above)
   {
      const int top = SlotIndexGet(above);
      std::vector<std::pair<int, int>> offsets;
      for (size_t i = 0; i < lifted.size(); i++)
      {
         const int index = SlotIndexGet(lifted[i]);
         offsets.push_back({index, top - static_cast<int>(lifted.size()) + static_cast<int>(i) - index});
      }
      // The reader walks the offsets in slot order.
      std::sort(offsets.begin(), offsets.end());
      std::string text = "\"offsets\": [ ";
      for (size_t i = 0; i < offsets.size(); i++)
      {
         text += (i ? ", " : "") + std::string("{ \"slot\": ") + Quote(slotNames[offsets[i].first]) +
                 ", \"offset\": " + std::to_string(offsets[i].second) + " }";
      }
      drawOrder.push_back({time, text + " ]", ""});
   }

   std::string Text() const
   {
      std::string text =
          "{\n\"skeleton\": { \"hash\": \"klondike-1\", \"version\": \"corvale-1\", \"width\": 960, "
          "\"height\": 720 },\n\"bones\": [\n";
      text += Join(bones, ",\n") + "\n],\n\"ik\": [\n" + Join(iks, ",\n") + "\n],\n\"slots\": [\n" +
              Join(slots, ",\n") + "\n],\n\"skins\": {\n";
      for (size_t s = 0; s < skins.size(); s++)
      {
         text += (s ? ",\n" : "") + Quote(skins[s].name) + ": {\n";
         for (size_t i = 0; i < skins[s].slots.size(); i++)
         {
            text += (i ? ",\n" : "") + std::string("  ") + Quote(skins[s].slots[i].first) + ": { " +
                    Join(skins[s].slots[i].second, ", ") + " }";
         }
         text += "\n}";
      }
      text += "\n},\n\"events\": {";
      for (size_t i = 0; i < eventNames.size(); i++)
      {
         text += (i ? ", " : " ") + Quote(eventNames[i]) + ": {}";
      }
      text += " },\n\"animations\": {\n\"animation\": {\n\"slots\": {\n" + Timelines(slotTimelines) +
              "\n},\n\"bones\": {\n" + Timelines(boneTimelines) + "\n},\n\"drawOrder\": [\n" +
              Frames(drawOrder) + "\n],\n\"events\": [\n" + Frames(events) + "\n]\n}\n}\n}\n";
      return text;
   }

   std::vector<std::string> iks;

 private:
   struct Skin
   {
      std::string name;
      std::vector<std::pair<std::string, std::vector<std::string>>> slots;
   };

   int SlotIndexGet(const std::string& name) const
   {
      return static_cast<int>(std::find(slotNames.begin(), slotNames.end(), name) - slotNames.begin());
   }

   std::vector<std::string>& SkinSlotGet(const std::string& skinName, const std::string& slot)
   {
      auto skin = std::find_if(skins.begin(), skins.end(), [&](const Skin& s) { return s.name == skinName; });
      if (skin == skins.end())
      {
         skins.push_back({skinName, {}});
         skin = skins.end() - 1;
      }
      for (auto& entry : skin->slots)
      {
         if (entry.first == slot)
         {
            return entry.second;
         }
      }
      skin->slots.push_back({slot, {}});
      return skin->slots.back().second;
   }

   static std::string Join(const std::vector<std::string>& parts, const char* separator)
   {
      std::string text;
      for (size_t i = 0; i < parts.size(); i++)
      {
         text += (i ? separator : "") + parts[i];
      }
      return text;
   }

   static std::string Frames(const std::vector<Key>& keys)
   {
      std::vector<std::string> frames;
      for (const Key& key : keys)
      {
         std::string frame = "  { \"time\": " + Number(key.time);
         frame += key.values.empty() ? "" : ", " + key.values;
         frame += key.curve.empty() ? "" : ", \"curve\": " + key.curve;
         frames.push_back(frame + " }");
      }
      return Join(frames, ",\n");
   }

   static std::string Timelines(const std::vector<Timeline>& timelines)
   {
      // Grouped by owner, as the file wants them.
      std::vector<std::string> owners;
      for (const Timeline& timeline : timelines)
      {
         if (std::find(owners.begin(), owners.end(), timeline.owner) == owners.end())
         {
            owners.push_back(timeline.owner);
         }
      }
      std::vector<std::string> parts;
      for (const std::string& owner : owners)
      {
         std::vector<std::string> kinds;
         for (const Timeline& timeline : timelines)
         {
            if (timeline.owner == owner)
            {
               kinds.push_back(Quote(timeline.kind) + ": [\n" + Frames(timeline.keys) + "\n ]");
            }
         }
         parts.push_back(Quote(owner) + ": {\n " + Join(kinds, ",\n ") + "\n}");
      }
      return Join(parts, ",\n");
   }

   std::vector<std::string> bones;
   std::vector<std::string> slots;
   std::vector<std::string> slotNames;
   std::vector<Skin> skins;
   std::vector<std::string> eventNames;
   std::vector<Key> events;
   std::vector<Key> drawOrder;
   std::vector<Timeline> boneTimelines;
   std::vector<Timeline> slotTimelines;
};

Point SkeletonPoint(Point screen)
{
   return {screen.x - ORIGIN_X, -screen.y};
}

// Bones that move about the table, each keyed by where it is on the screen.
class Movers
{
 public:
   explicit Movers(SkeletonWriter& skeleton) : writer(skeleton) {}

   void Add(const std::string& bone, Point screen)
   {
      writer.Bone(bone, "root", SkeletonPoint(screen));
      places.push_back({bone, screen, screen});
   }

   Point At(const std::string& bone) const { return PlaceGet(bone).now; }

   // An eased glide from where the bone is.
   void Move(const std::string& bone, float from, float to, Point target)
   {
      Place& place = PlaceGet(bone);
      Timeline& timeline = writer.TimelineGet("bones", bone, "translate");
      if (!timeline.keys.empty() && timeline.keys.back().time == from)
      {
         timeline.keys.back().curve = EASE;
      }
      else
      {
         timeline.keys.push_back({from, Delta(place, place.now), EASE});
      }
      place.now = target;
      timeline.keys.push_back({to, Delta(place, target), ""});
   }

   // Straight there at this time, held until the next jump.
   void Jump(const std::string& bone, float time, Point target)
   {
      Place& place = PlaceGet(bone);
      place.now = target;
      writer.TimelineGet("bones", bone, "translate")
          .keys.push_back({time, Delta(place, target), "\"stepped\""});
   }

 private:
   struct Place
   {
      std::string bone;
      Point setup;
      Point now;
   };

   Place& PlaceGet(const std::string& bone)
   {
      return *std::find_if(places.begin(), places.end(), [&](const Place& p) { return p.bone == bone; });
   }
   const Place& PlaceGet(const std::string& bone) const
   {
      return *std::find_if(places.begin(), places.end(), [&](const Place& p) { return p.bone == bone; });
   }

   static std::string Delta(const Place& place, Point target)
   {
      return "\"x\": " + Number(target.x - place.setup.x) + ", \"y\": " + Number(place.setup.y - target.y);
   }

   SkeletonWriter& writer;
   std::vector<Place> places;
};

// The table as Klondike deals it: stock and waste at the top left, four foundations at the top
// right, seven columns below, each with one face-down card more than the one before.
constexpr float TOP_ROW_Y = 230.0f;
constexpr float COLUMNS_Y = 400.0f;
constexpr float FAN = 20.0f;

Point StockAt()
{
   return {180.0f, TOP_ROW_Y};
}
Point WasteAt()
{
   return {280.0f, TOP_ROW_Y};
}
Point FoundationAt(int i)
{
   return {480.0f + 100.0f * i, TOP_ROW_Y};
}
Point ColumnAt(int column, int depth)
{
   return {180.0f + 100.0f * column, COLUMNS_Y + FAN * depth};
}

// The face-up card on top of each column.
const char* const COLUMN_TOPS[] = {"C_1", "D_8", "S_12", "H_13", "C_3", "D_10", "S_7"};
const char* const STOCK_TURNED = "H_6";
const char* const COLUMN3_UNCOVERED = "C_9";

struct Language
{
   const char* name;
   const char* captions[4];
};

const char* const CAPTION_PILES[] = {"Stock", "Waste", "Foundations", "Columns"};
const Language LANGUAGES[] = {
    {"English", {"Stock", "Waste", "Foundations", "Columns"}},
    {"French", {"Pioche", "Défausse", "Fondations", "Colonnes"}},
    {"Spanish", {"Mazo", "Descarte", "Fundaciones", "Columnas"}},
    {"Italian", {"Mazzo", "Scarti", "Fondazioni", "Colonne"}},
    {"German", {"Talon", "Ablage", "Zielstapel", "Spalten"}},
    {"Russian", {"Колода", "Сброс", "Дома", "Столбцы"}},
    {"Dutch", {"Pot", "Aflegstapel", "Basisstapels", "Kolommen"}},
};
const Point CAPTION_AT[] = {{180.0f, 158.0f}, {280.0f, 158.0f}, {630.0f, 158.0f}, {480.0f, 640.0f}};

// The narrated lines, in the order they are spoken, and the sounds.
const char* const LINES[] = {"Layout", "Stock", "Column", "Foundation", "King", "Reveal", "Goal"};
const char* const SOUND_FLIP = "Flip";
const char* const SOUND_PLACE = "Place";

// The arm: a shoulder below the screen, two bones reaching for the pointer.
constexpr float UPPER_ARM = 470.0f;
constexpr float FOREARM = 450.0f;
// The sleeve reaches into the hand's palm.
constexpr int FOREARM_SLEEVE = static_cast<int>(FOREARM) - 100;
const Point SHOULDER_AT = {800.0f, 880.0f};
const Point REST_AT = {660.0f, 650.0f};

struct Scene
{
   SkeletonWriter skeleton;
   Movers movers{skeleton};
   Atlas atlas;

   // Where the finger points to touch a card lying at a place.
   static Point Touch(Point card) { return {card.x + 6.0f, card.y + 24.0f}; }

   void Pulse(float time, Point at)
   {
      movers.Jump("glow", time, at);
      Timeline& color = skeleton.TimelineGet("slots", "Glow", "color");
      color.keys.push_back({time, "\"color\": \"ffffff00\"", ""});
      color.keys.push_back({time + 0.3f, "\"color\": \"ffffffe6\"", ""});
      color.keys.push_back({time + 0.7f, "\"color\": \"ffffff00\"", ""});
   }

   // A card turned over where it lies, or while it travels: edge-on halfway, then its face.
   void Flip(const std::string& card, float from, float to, const std::string& face)
   {
      const float middle = (from + to) * 0.5f;
      Timeline& scale = skeleton.TimelineGet("bones", card, "scale");
      scale.keys.push_back({from, "\"x\": 1, \"y\": 1", ""});
      scale.keys.push_back({middle, "\"x\": 0.02, \"y\": 1.06", ""});
      scale.keys.push_back({to, "\"x\": 1, \"y\": 1", ""});
      skeleton.TimelineGet("slots", card, "attachment")
          .keys.push_back({middle, "\"name\": " + Quote(face), ""});
      skeleton.Event(from, SOUND_FLIP);
   }

   // A card carried by the pointer from where it lies.
   void Carry(const std::string& card, float from, float to, Point target)
   {
      movers.Move(card, from, to, target);
      movers.Move("pointer", from, to, Touch(target));
      skeleton.Event(to, SOUND_PLACE);
   }

   void Aim(float from, float to, Point target) { movers.Move("pointer", from, to, target); }
};

// Cards, piles, captions, the glow and the arm: the atlas's regions and the setup pose.
bool SceneBuild(Scene& scene, const std::string& cards, const std::string& fontPath)
{
   Picture fronts, backs, piles;
   CaptionWriter captions;
   if (!SheetLoad(cards + "/Sprites/Cards/Fronts/Classic/MediumSheet.png", &fronts) ||
       !SheetLoad(cards + "/Sprites/Cards/Backs/Blue/MediumSheet.png", &backs) ||
       !SheetLoad(cards + "/Sprites/CardPiles/MediumSheet.png", &piles))
   {
      return false;
   }
   if (!captions.Init(fontPath))
   {
      std::fprintf(stderr, "%s: unable to open the font %s\n", TOOL, fontPath.c_str());
      return false;
   }
   SkeletonWriter& skeleton = scene.skeleton;
   Atlas& atlas = scene.atlas;

   std::vector<std::string> faces(std::begin(COLUMN_TOPS), std::end(COLUMN_TOPS));
   faces.push_back(STOCK_TURNED);
   faces.push_back(COLUMN3_UNCOVERED);
   for (const std::string& face : faces)
   {
      const int suit = static_cast<int>(std::strchr(SUIT_LETTERS, face[0]) - SUIT_LETTERS);
      atlas.Add(face, CellCut(fronts, suit * FRONT_COLUMNS + std::stoi(face.substr(2)) - 1, FRONT_COLUMNS));
   }
   atlas.Add("Back", CellCut(backs, 0, 1));
   // The card art tool's "Empty", "EmptyStock" and "EmptyFoundation".
   atlas.Add("PileEmpty", CellCut(piles, 0, PILE_COLUMNS));
   atlas.Add("PileStock", CellCut(piles, 1, PILE_COLUMNS));
   atlas.Add("PileFoundation", CellCut(piles, 2, PILE_COLUMNS));
   atlas.Add("Glow", GlowDraw());
   atlas.Add("UpperArm", SleeveDraw(static_cast<int>(UPPER_ARM) + 40, 76, 0.0f));
   atlas.Add("Forearm", SleeveDraw(FOREARM_SLEEVE, 64, 22.0f));
   atlas.Add("Hand", HandDraw());
   for (const Language& language : LANGUAGES)
   {
      for (int i = 0; i < 4; i++)
      {
         atlas.Add(std::string("Captions/") + language.name + "/" + CAPTION_PILES[i],
                   captions.Write(language.captions[i]));
      }
   }
   if (!atlas.Pack())
   {
      std::fprintf(stderr, "%s: the regions do not fit on one page\n", TOOL);
      return false;
   }

   skeleton.Bone("root", "", {0, 0});
   Movers& movers = scene.movers;
   const auto placed = [&](const std::string& slot, const std::string& bone, const std::string& region)
   {
      skeleton.Slot(slot, bone, region);
      skeleton.Attachment("default", slot, region, region, atlas.Find(region)->picture);
   };
   // The empty places first, under everything.
   movers.Add("stockPile", StockAt());
   placed("StockPile", "stockPile", "PileStock");
   movers.Add("wastePile", WasteAt());
   placed("WastePile", "wastePile", "PileEmpty");
   for (int i = 0; i < 4; i++)
   {
      const std::string name = "foundation" + std::to_string(i);
      movers.Add(name, FoundationAt(i));
      placed("Foundation" + std::to_string(i), name, "PileFoundation");
   }
   for (int i = 0; i < 7; i++)
   {
      const std::string name = "column" + std::to_string(i);
      movers.Add(name, ColumnAt(i, 0));
      placed("Column" + std::to_string(i), name, "PileEmpty");
   }
   // The stock: three backs, a little stepped; the top one is turned over.
   for (int i = 0; i < 3; i++)
   {
      const std::string name = "stock" + std::to_string(i);
      movers.Add(name, {StockAt().x + 2.0f * i, StockAt().y - 2.0f * i});
      placed(name, name, "Back");
      if (i == 2)
      {
         skeleton.Attachment("default", name, STOCK_TURNED, STOCK_TURNED, atlas.Find(STOCK_TURNED)->picture);
      }
   }
   for (int column = 0; column < 7; column++)
   {
      for (int depth = 0; depth <= column; depth++)
      {
         const std::string name = "column" + std::to_string(column) + "-" + std::to_string(depth);
         movers.Add(name, ColumnAt(column, depth));
         placed(name, name, depth == column ? COLUMN_TOPS[column] : "Back");
         if (column == 3 && depth == 2)
         {
            skeleton.Attachment("default", name, COLUMN3_UNCOVERED, COLUMN3_UNCOVERED,
                                atlas.Find(COLUMN3_UNCOVERED)->picture);
         }
      }
   }
   // The glow brightens what it lies on; it starts unseen.
   movers.Add("glow", StockAt());
   skeleton.Slot("Glow", "glow", "Glow", ", \"color\": \"ffffff00\", \"blend\": \"additive\"");
   skeleton.Attachment("default", "Glow", "Glow", "Glow", atlas.Find("Glow")->picture);
   // One caption per pile, in the skin of the player's language.
   for (int i = 0; i < 4; i++)
   {
      const std::string name = std::string("caption") + CAPTION_PILES[i];
      movers.Add(name, CAPTION_AT[i]);
      skeleton.Slot(std::string("Caption") + CAPTION_PILES[i], name, "caption");
      for (const Language& language : LANGUAGES)
      {
         const std::string region = std::string("Captions/") + language.name + "/" + CAPTION_PILES[i];
         skeleton.Attachment(language.name, std::string("Caption") + CAPTION_PILES[i], "caption", region,
                             atlas.Find(region)->picture);
      }
   }
   // The arm over everything, its hand reaching for the pointer by a two-bone chain.
   movers.Add("pointer", REST_AT);
   skeleton.Bone("shoulder", "root", SkeletonPoint(SHOULDER_AT));
   skeleton.Bone("upperArm", "shoulder", {0, 0}, UPPER_ARM, 100.0f);
   skeleton.Bone("forearm", "upperArm", {UPPER_ARM, 0}, FOREARM, 30.0f);
   skeleton.iks.push_back("{ \"name\": \"reach\", \"bones\": [ \"upperArm\", \"forearm\" ], \"target\": "
                          "\"pointer\", \"bendPositive\": true }");
   skeleton.Slot("UpperArm", "upperArm", "UpperArm");
   skeleton.Attachment("default", "UpperArm", "UpperArm", "UpperArm", atlas.Find("UpperArm")->picture,
                       {UPPER_ARM * 0.5f, 0.0f});
   skeleton.Slot("Forearm", "forearm", "Forearm");
   skeleton.Attachment("default", "Forearm", "Forearm", "Forearm", atlas.Find("Forearm")->picture,
                       {FOREARM_SLEEVE * 0.5f, 0.0f});
   skeleton.Slot("Hand", "forearm", "Hand");
   const Picture& hand = atlas.Find("Hand")->picture;
   // The finger's tip at the chain's end, on the bone's line.
   skeleton.Attachment("default", "Hand", "Hand", "Hand", hand, {FOREARM - hand.width * 0.5f, -8.0f});
   return true;
}

// The lesson, about forty seconds with the lines: each line halts the animation until it is read.
void LessonKey(Scene& scene)
{
   SkeletonWriter& skeleton = scene.skeleton;
   // The table and its piles.
   skeleton.Event(0.6f, LINES[0]);
   scene.Aim(0.6f, 1.8f, Scene::Touch(StockAt()));
   scene.Pulse(1.8f, StockAt());
   scene.Aim(2.4f, 3.0f, Scene::Touch(WasteAt()));
   scene.Pulse(3.0f, WasteAt());
   scene.Aim(3.7f, 4.6f, Scene::Touch(FoundationAt(0)));
   scene.Pulse(4.6f, FoundationAt(0));
   scene.Aim(5.3f, 6.3f, Scene::Touch(ColumnAt(3, 3)));
   scene.Pulse(6.3f, ColumnAt(3, 3));
   scene.Aim(7.0f, 7.8f, REST_AT);

   // A card turned from the stock onto the waste.
   skeleton.Event(8.2f, LINES[1]);
   scene.Aim(8.2f, 9.4f, Scene::Touch(scene.movers.At("stock2")));
   scene.Pulse(9.4f, StockAt());
   skeleton.SlotsLift(9.8f, {"stock2"}, "Glow");
   scene.Carry("stock2", 9.8f, 10.8f, WasteAt());
   scene.Flip("stock2", 9.8f, 10.8f, STOCK_TURNED);

   // Played onto a column: one lower, the other colour.
   skeleton.Event(11.6f, LINES[2]);
   scene.Pulse(11.8f, ColumnAt(6, 6));
   scene.Carry("stock2", 12.6f, 13.8f, ColumnAt(6, 7));

   // An ace to a foundation.
   skeleton.Event(14.6f, LINES[3]);
   scene.Aim(14.6f, 15.6f, Scene::Touch(ColumnAt(0, 0)));
   skeleton.SlotsLift(15.8f, {"stock2", "column0-0"}, "Glow");
   scene.Carry("column0-0", 15.8f, 17.0f, FoundationAt(0));
   scene.Pulse(17.0f, FoundationAt(0));

   // A king to the empty column.
   skeleton.Event(18.2f, LINES[4]);
   scene.Pulse(18.4f, ColumnAt(0, 0));
   scene.Aim(18.4f, 19.4f, Scene::Touch(ColumnAt(3, 3)));
   skeleton.SlotsLift(19.6f, {"stock2", "column0-0", "column3-3"}, "Glow");
   scene.Carry("column3-3", 19.6f, 20.8f, ColumnAt(0, 0));

   // The card it uncovered is turned up.
   skeleton.Event(21.6f, LINES[5]);
   scene.Aim(21.6f, 22.6f, Scene::Touch(ColumnAt(3, 2)));
   scene.Pulse(22.8f, ColumnAt(3, 2));
   scene.Flip("column3-2", 22.9f, 23.7f, COLUMN3_UNCOVERED);

   // The goal: every card on the foundations.
   skeleton.Event(25.0f, LINES[6]);
   for (int i = 0; i < 4; i++)
   {
      const float at = 25.0f + 1.2f * i;
      scene.Aim(at, at + 0.8f, Scene::Touch(FoundationAt(i)));
      scene.Pulse(at + 0.8f, FoundationAt(i));
   }
   scene.Aim(30.2f, 31.4f, REST_AT);
   scene.Aim(31.4f, 33.0f, REST_AT);
}

std::string TutorialText()
{
   std::string text = "{\n   \"Events\": {\n";
   for (const char* line : LINES)
   {
      text += "      " + Quote(line) + ": { \"Type\": \"Dialog\", \"Dialog\": \"TutorialKlondike" +
              std::string(line) + "\" },\n";
   }
   text += "      " + Quote(SOUND_FLIP) + ": { \"Type\": \"Sound\", \"Filename\": \"Sounds/CardFlip\" },\n";
   text += "      " + Quote(SOUND_PLACE) +
           ": { \"Type\": \"Sound\", \"Filename\": \"Sounds/CardPlace\", "
           "\"Usage\": \"SFX\" }\n   }\n}\n";
   return text;
}
} // namespace

int main(int argc, char** argv)
{
   std::string output, cards, font;
   for (int i = 1; i + 1 < argc; i += 2)
   {
      if (std::strcmp(argv[i], "--output") == 0)
      {
         output = argv[i + 1];
      }
      else if (std::strcmp(argv[i], "--cards") == 0)
      {
         cards = argv[i + 1];
      }
      else if (std::strcmp(argv[i], "--font") == 0)
      {
         font = argv[i + 1];
      }
   }
   if (output.empty() || cards.empty() || font.empty())
   {
      std::fprintf(stderr,
                   "usage: corvale-tutorialgen --cards <graphics folder> --font <ttf> --output <folder>\n");
      return 2;
   }
   Memory::Init();
   bool ok = false;
   {
      Scene scene;
      if (SceneBuild(scene, cards, font))
      {
         LessonKey(scene);
         ok = scene.atlas.Write(output) &&
              ToolFiles::TextWrite(TOOL, output + "/skeleton.json", scene.skeleton.Text()) &&
              ToolFiles::TextWrite(TOOL, output + "/Tutorial.json", TutorialText());
      }
   }
   Memory::Deinit();
   return ok ? 0 : 1;
}
