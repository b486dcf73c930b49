// Fanned piles on a real window (Xvfb) with the generated card art and the shared fan templates:
// every covered face-up card, at each card size and front style, shows its whole corner index
// (rank and suit) in the strip the card above leaves, pixel for pixel as its own image has it.
// Each style's table is kept as FannedCardIndices<Style>.png beside the test program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cardgame/CardWidget.h"
#include "core/FileStdio.h"
#include "gui/GUIManager.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/CardTableWindow.h"
#include "tests/cardgame/TestCardGame.h"
#include "tests/platform/SpriteTestSupport.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
constexpr int GUTTER = 2;

const char* const LAYER = R"({
   "Children": [
      {"Type": "Container", "Name": "CardPileContainer"},
      {"Type": "Container", "Name": "CardContainerBottom"},
      {"Type": "Container", "Name": "CardContainerTop"},
      {"Type": "Container", "Name": "HelpLabelContainer"}
   ]})";

// A stock out of sight, then per size (Small, Medium, Large) a column, a hand and a waste, each
// taking its offsets from the shared templates only.
const char* const GAME_CONSTS = R"({
   "CardPiles": [
      {"Type": "Draw", "Position": "-300|-300"},
      {"Type": "Tableau", "Inherited": "ColumnFanSmall", "Position": "40|50"},
      {"Type": "Tableau", "Inherited": "ColumnFanMedium", "Position": "120|60"},
      {"Type": "Tableau", "Inherited": "ColumnFanLarge", "Position": "230|75"},
      {"Type": "Hand", "Inherited": "RowFanSmall", "Position": "360|50"},
      {"Type": "Hand", "Inherited": "RowFanMedium", "Position": "370|160"},
      {"Type": "Hand", "Inherited": "RowFanLarge", "Position": "380|310"},
      {"Type": "Talon", "Inherited": "WasteFanSmall", "Position": "360|600"},
      {"Type": "Talon", "Inherited": "WasteFanMedium", "Position": "520|600"},
      {"Type": "Talon", "Inherited": "WasteFanLarge", "Position": "720|600"}
   ]})";

struct CardSizeInfo
{
   const char* name;
   int width;
   int height;
};

const CardSizeInfo SIZES[] = {{"Small", 60, 84}, {"Medium", 80, 112}, {"Large", 100, 140}};

const CardSizeInfo* SizeGet(const char* name)
{
   for (const CardSizeInfo& size : SIZES)
   {
      if (name && std::string(name) == size.name)
      {
         return &size;
      }
   }
   return nullptr;
}

// The game under test shows the front style the test names.
class StyledCardGame : public TestCardGame
{
 public:
   const char* CardFrontStyleGet() override { return style; }
   const char* style = "Classic";
};

struct ShotWriter : sprite_test_support::DrawingTest
{
   using DrawingTest::Save;
};

// Ink of a card image: clearly darker or more coloured than the white face.
bool InkCheck(const u8* p)
{
   const int low = std::min({p[0], p[1], p[2]});
   const int high = std::max({p[0], p[1], p[2]});
   return p[3] > 128 && (low < 170 || high - low > 80);
}

class FannedCardIndicesTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      data = BuildDataFolderGet();
      ASSERT_TRUE(std::filesystem::exists(data + "/Graphics/Sprites/Cards/Fronts/Classic/Medium.json"))
          << data;
      const std::string base = harness.folder.path;
      std::filesystem::create_directories(base + "/Graphics/GUI/TestCardGame");
      std::filesystem::create_directories(base + "/Graphics/GUI/MinigameBackground");
      std::filesystem::create_directory_symlink(data + "/Graphics/Fonts", base + "/Graphics/Fonts");
      std::filesystem::create_directory_symlink(data + "/Graphics/Sprites", base + "/Graphics/Sprites");
      std::filesystem::create_directory_symlink(data + "/Text", base + "/Text");
      harness.FileWrite("Graphics/GUI/TestCardGame/Widgets.json", LAYER);
      harness.FileWrite("Graphics/GUI/TestCardGame/Sprites.json", "{}");
      harness.FileWrite("Graphics/GUI/MinigameBackground/Widgets.json", R"({"Children": []})");
      harness.FileWrite("Graphics/GUI/MinigameBackground/Sprites.json", "{}");
      std::ifstream file(data + "/Graphics/GraphicsConsts.json");
      harness.CardGlobalConstsSet(
          std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
      ASSERT_TRUE(window.Open()) << "needs a display (run under xvfb-run)";
      CardWidgetTypesRegister();
      game.layerName = "TestCardGame";
   }

   void TearDown() override
   {
      for (auto& sheet : sheets)
      {
         Bitmap::Destroy(sheet.second);
      }
      window.Close(harness);
   }

   bool Settle()
   {
      for (i32 i = 0; i < 3000; ++i)
      {
         if (game.actionQueue.count == 0 && !game.CardsAnimatingCheck() && !game.cardLayersPending)
         {
            return true;
         }
         CardTableWindow::FrameRun(harness);
      }
      return false;
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

   // The pixels of the card's corner index in its own image, relative to the card's top-left
   // corner: the ink first met from the top-left, with every ink pixel within three pixels of it
   // (so the rank's and the suit's glyphs join, while pips and pictures stay apart).
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

   // Checks every covered face-up card of the pile; returns how many were checked.
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
         const std::vector<std::pair<int, int>> index =
             IndexPixelsGet(sheet, *size, card->suit * 13 + card->rank - 1);
         EXPECT_GT(index.size(), 20u) << what << ": no corner index found";
         const int cellLeft = (card->suit * 13 + card->rank - 1) % 13 * (size->width + 2 * GUTTER) + GUTTER;
         const int cellTop = (card->suit * 13 + card->rank - 1) / 13 * (size->height + 2 * GUTTER) + GUTTER;
         const int screenLeft = static_cast<int>(at.x) - size->width / 2;
         const int screenTop = static_cast<int>(at.y) - size->height / 2;
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
   CardGameHarness harness;
   StyledCardGame game;
   CardTableWindow window;
   std::map<std::string, Bitmap*> sheets;
};

TEST_F(FannedCardIndicesTest, EveryCoveredCardShowsItsWholeIndexAtEverySizeAndStyle)
{
   for (const char* style :
        {"Classic", "FourColor", "LargePrint", "CrazyEights", "OldMaid", "MemoryMatchNormal"})
   {
      SCOPED_TRACE(style);
      game.style = style;
      harness.CardGameEnter(&game, GAME_CONSTS, 4);
      ASSERT_NE(game.cardContainerBottom, nullptr);
      ASSERT_EQ(game.cardPiles.count, 10);
      // Columns: a back, then every rank with the suits turning; hands every rank the other way;
      // wastes five cards, of which only the top three spread. Four decks give each name often enough.
      std::set<Card*> used;
      auto place = [&](CardPile* pile, i32 rank, i32 suit, bool faceUp)
      {
         Card* card = nullptr;
         for (i32 nth = 0; (card = harness.CardFind(rank, suit, nth)) && used.count(card); ++nth)
         {
         }
         ASSERT_NE(card, nullptr) << rank << " " << suit;
         used.insert(card);
         pile->CardInsert(pile->cards.count, card);
         card->FaceUpSet(faceUp, false);
      };
      for (i32 p = 0; p < 3; ++p)
      {
         place(harness.Pile(1 + p), 13, 3, false);
         for (i32 r = 0; r < 13; ++r)
         {
            place(harness.Pile(1 + p), r + 1, (r + p) % 4, true);
            place(harness.Pile(4 + p), 13 - r, (r + p + 1) % 4, true);
         }
         for (i32 r = 0; r < 5; ++r)
         {
            place(harness.Pile(7 + p), (r * 5 + p) % 13 + 1, (r + 2) % 4, true);
         }
      }
      game.CardAnimationsFinish();
      ASSERT_TRUE(Settle());
      screen.clearedThisFrame = 0;
      screen.ClearColorSet(ColorRGBA8{16, 72, 40, 255});
      screen.Clear();
      GUIManager::Draw();
      const std::vector<u8> frame = FrameRead();
      ShotWriter::Save(frame, ProgramFolderGet() + "/FannedCardIndices" + style + ".png");

      int checked = 0;
      for (i32 p = 1; p < game.cardPiles.count; ++p)
      {
         checked += PileCheck(frame, harness.Pile(p), style);
      }
      // 13 covered cards in each column (the top one is whole), 12 in each hand, 2 in each waste.
      EXPECT_EQ(checked, 3 * (12 + 12 + 2));
      harness.Leave();
   }
}
} // namespace
