// Whether the covered cards of a fanned pile, drawn on screen, show their whole corner index: the
// index is taken from each card's own image in the generated sheets (the ink first met from the
// top-left corner and all ink within three pixels of it, so that rank and suit join while pips and
// pictures stay apart), and must lie inside the strip the next card leaves, unchanged on screen
// and in its suit's colour.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "core/FileStdio.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
class FannedIndexCheck
{
 public:
   struct CardSizeInfo
   {
      const char* name;
      int width;
      int height;
   };

   explicit FannedIndexCheck(const std::string& dataFolder) : data(dataFolder) {}
   ~FannedIndexCheck()
   {
      for (auto& sheet : sheets)
      {
         if (sheet.second)
         {
            Bitmap::Destroy(sheet.second);
         }
      }
   }
   FannedIndexCheck(const FannedIndexCheck&) = delete;
   FannedIndexCheck& operator=(const FannedIndexCheck&) = delete;

   // Checks every covered face-up card of the pile in the frame; returns how many were checked.
   int PileCheck(const std::vector<u8>& frame, CardPile* pile, const std::string& style)
   {
      const CardSizeInfo* size = SizeGet(pile->cardSize);
      Bitmap* sheet = size ? SheetGet(style, size->name) : nullptr;
      EXPECT_TRUE(size && sheet) << style << " " << (pile->cardSize ? pile->cardSize : "no size");
      if (!size || !sheet)
      {
         return 0;
      }
      int checked = 0;
      for (i32 i = 0; i + 1 < pile->cards.count; i++)
      {
         Card* card = pile->cards[i];
         const Point2F at = card->PositionGet();
         const Point2F next = pile->cards[i + 1]->PositionGet();
         if (!card->faceUp || (at.x == next.x && at.y == next.y))
         {
            continue;
         }
         // The strip the next card leaves of this one, in card pixels.
         const float stripWidth = next.x > at.x ? next.x - at.x : static_cast<float>(size->width);
         const float stripHeight = next.y > at.y ? next.y - at.y : static_cast<float>(size->height);
         const std::string what = style + " " + size->name + " pile " + std::to_string(pile->id) + " card " +
                                  std::to_string(i) + " (rank " + std::to_string(card->rank) + ", suit " +
                                  std::to_string(card->suit) + ")";
         const int cell = card->suit * 13 + card->rank - 1;
         const std::vector<std::pair<int, int>> index = IndexPixelsGet(sheet, *size, cell);
         EXPECT_GT(index.size(), 20u) << what << ": no corner index found";
         const int cellLeft = cell % 13 * (size->width + 2 * GUTTER) + GUTTER;
         const int cellTop = cell / 13 * (size->height + 2 * GUTTER) + GUTTER;
         const int screenLeft = static_cast<int>(std::lround(at.x)) - size->width / 2;
         const int screenTop = static_cast<int>(std::lround(at.y)) - size->height / 2;
         int outside = 0;
         int differing = 0;
         int coloured = 0;
         for (const auto& p : index)
         {
            if (p.first >= stripWidth - 1 || p.second >= stripHeight - 1)
            {
               outside++;
               continue;
            }
            const u8* want = sheet->PixelAddressGet(cellLeft + p.first, cellTop + p.second);
            const Pixel seen = PixelAt(frame, screenLeft + p.first, screenTop + p.second);
            if (std::abs(seen.r - want[0]) > 6 || std::abs(seen.g - want[1]) > 6 ||
                std::abs(seen.b - want[2]) > 6)
            {
               differing++;
            }
            // The suit's colour itself, not only the anti-aliased rim.
            coloured += SuitColourCheck(card->suit, style, seen) ? 1 : 0;
         }
         EXPECT_EQ(outside, 0) << what << ": index pixels outside the " << stripWidth << "x" << stripHeight
                               << " strip";
         EXPECT_EQ(differing, 0) << what << ": index pixels covered or changed on screen";
         EXPECT_GT(coloured, static_cast<int>(index.size()) / 3)
             << what << ": the index lacks its suit's colour";
         checked++;
      }
      return checked;
   }

 private:
   static constexpr int GUTTER = 2;

   static const CardSizeInfo* SizeGet(const char* name)
   {
      static const CardSizeInfo sizes[] = {{"Small", 60, 84}, {"Medium", 80, 112}, {"Large", 100, 140}};
      for (const CardSizeInfo& size : sizes)
      {
         if (name && std::string(name) == size.name)
         {
            return &size;
         }
      }
      return nullptr;
   }

   Bitmap* SheetGet(const std::string& style, const std::string& size)
   {
      const std::string path = data + "/Graphics/Sprites/Cards/Fronts/" + style + "/" + size + "Sheet.png";
      auto found = sheets.find(path);
      if (found != sheets.end())
      {
         return found->second;
      }
      FileStdio file(std::fopen(path.c_str(), "rb"));
      Bitmap* bitmap =
          file.stream ? bitmapLoaderPNG.Load(&file, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP) : nullptr;
      if (file.stream)
      {
         std::fclose(file.stream);
         file.stream = nullptr;
      }
      sheets[path] = bitmap;
      return bitmap;
   }

   // Ink of a card image: clearly darker or more coloured than the white face.
   static bool InkCheck(const u8* p)
   {
      const int low = std::min({p[0], p[1], p[2]});
      const int high = std::max({p[0], p[1], p[2]});
      return p[3] > 128 && (low < 170 || high - low > 80);
   }

   // The pixels of the corner index in the card's image, relative to the card's top-left corner.
   static std::vector<std::pair<int, int>> IndexPixelsGet(const Bitmap* sheet, const CardSizeInfo& size,
                                                          int cell)
   {
      const int left = (cell % 13) * (size.width + 2 * GUTTER) + GUTTER;
      const int top = (cell / 13) * (size.height + 2 * GUTTER) + GUTTER;
      // The card's outline (a rounded box) is not ink of the face.
      const float radius = size.width * 0.07f;
      auto inside = [&](int x, int y)
      {
         const float qx =
             std::max(std::fabs(x + 0.5f - size.width * 0.5f) - (size.width * 0.5f - radius), 0.0f);
         const float qy =
             std::max(std::fabs(y + 0.5f - size.height * 0.5f) - (size.height * 0.5f - radius), 0.0f);
         return std::sqrt(qx * qx + qy * qy) < radius - 2.5f;
      };
      auto ink = [&](int x, int y)
      { return inside(x, y) && InkCheck(sheet->PixelAddressGet(left + x, top + y)); };
      std::vector<std::pair<int, int>> found;
      for (int y = 2; y < size.height / 3 && found.empty(); y++)
      {
         for (int x = 2; x < size.width / 2 && found.empty(); x++)
         {
            if (ink(x, y))
            {
               found.push_back({x, y});
            }
         }
      }
      std::set<std::pair<int, int>> seen(found.begin(), found.end());
      for (size_t i = 0; i < found.size(); i++)
      {
         for (int dy = -3; dy <= 3; dy++)
         {
            for (int dx = -3; dx <= 3; dx++)
            {
               const std::pair<int, int> next{found[i].first + dx, found[i].second + dy};
               if (ink(next.first, next.second) && seen.insert(next).second)
               {
                  found.push_back(next);
               }
            }
         }
      }
      return found;
   }

   static bool SuitColourCheck(i32 suit, const std::string& style, const Pixel& p)
   {
      if (style == "FourColor" && suit == 2)
      {
         return p.b > 120 && p.r < 90;
      }
      if (style == "FourColor" && suit == 3)
      {
         return p.g > 70 && p.r < 60 && p.b < 100;
      }
      if (suit == 0 || suit == 2)
      {
         return p.r > 140 && p.g < 90 && p.b < 90;
      }
      return p.r < 70 && p.g < 70 && p.b < 70;
   }

   std::string data;
   std::map<std::string, Bitmap*> sheets;
};
} // namespace TestSupport
} // namespace Corvale
