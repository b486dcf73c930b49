// The card art tool: its output is the same bytes on every run, the 52 corner indices all differ,
// and a card drawn 1:1 at a whole-pixel position reads back as its sheet cell.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/image/Image.h"
#include "platform/sprite/Sprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/sprite/SpriteManager.h"
#include "tests/platform/SpriteTestSupport.h"

using namespace Corvale;
using sprite_test_support::DrawingTest;

namespace
{
constexpr int GUTTER = 2;

std::string FileRead(const std::filesystem::path& path)
{
   std::ifstream in(path, std::ios::binary);
   return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CardArtTest : public DrawingTest
{
 protected:
   // The tool runs once for the suite; each test's resource tree links to its output.
   static void SetUpTestSuite()
   {
      DrawingTest::SetUpTestSuite();
      char pattern[] = "/tmp/corvale-cardart-XXXXXX";
      art = mkdtemp(pattern);
      const std::string command = std::string(CORVALE_CARDART_TOOL) + " --output '" + art +
                                  "' --bold /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
                                  " --regular /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
      toolResult = std::system(command.c_str());
   }
   static void TearDownTestSuite() { std::filesystem::remove_all(art); }

   void SetUp() override
   {
      DrawingTest::SetUp();
      ASSERT_EQ(toolResult, 0) << "corvale-cardart failed";
      std::filesystem::create_directory_symlink(art + "/Sprites", folder + "/Graphics/Sprites");
   }
   void TearDown() override
   {
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a sprite resource file was left";
      DrawingTest::TearDown();
   }

   static std::string art;
   static int toolResult;

   // The sheet as RGBA bytes; empty when it does not load.
   Bitmap* SheetLoad(const std::string& name)
   {
      FileStdio file(std::fopen((folder + "/Graphics/" + name + ".png").c_str(), "rb"));
      if (!file.stream)
      {
         return nullptr;
      }
      Bitmap* bitmap = bitmapLoaderPNG.Load(&file, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP);
      std::fclose(file.stream);
      file.stream = nullptr;
      return bitmap;
   }
};

std::string CardArtTest::art;
int CardArtTest::toolResult = -1;

TEST_F(CardArtTest, EveryRunWritesTheSameBytesAsTheBuild)
{
   const std::filesystem::path made = art + "/Sprites";
   const std::filesystem::path built = std::filesystem::path(CORVALE_GENERATED_DATA) / "Graphics/Sprites";
   int files = 0;
   for (const auto& entry : std::filesystem::recursive_directory_iterator(made))
   {
      if (!entry.is_regular_file())
      {
         continue;
      }
      files++;
      const std::filesystem::path relative = std::filesystem::relative(entry.path(), made);
      ASSERT_TRUE(std::filesystem::exists(built / relative)) << relative;
      EXPECT_TRUE(FileRead(entry.path()) == FileRead(built / relative)) << relative << " differs";
   }
   // Nine front styles, nine back styles and the piles, in three sizes, each a sheet and its file.
   EXPECT_EQ(files, (9 + 9 + 1) * 3 * 2);
}

TEST_F(CardArtTest, CornerIndicesTellEveryCardApart)
{
   for (const char* size : {"Small", "Large"})
   {
      Bitmap* sheet = SheetLoad(std::string("Sprites/Cards/Fronts/Classic/") + size + "Sheet");
      ASSERT_NE(sheet, nullptr) << size;
      const int cellWidth = sheet->width / 13;
      const int cellHeight = sheet->height / 5;
      // The top-left corner of each card: a quarter of its width, a third of its height.
      std::set<std::string> corners;
      for (int card = 0; card < 52; card++)
      {
         std::string corner;
         const int left = (card % 13) * cellWidth + GUTTER;
         const int top = (card / 13) * cellHeight + GUTTER;
         for (int y = top; y < top + (cellHeight - 2 * GUTTER) / 3; y++)
         {
            for (int x = left; x < left + (cellWidth - 2 * GUTTER) / 4; x++)
            {
               const u8* p = sheet->PixelAddressGet(x, y);
               corner.append(reinterpret_cast<const char*>(p), 4);
            }
         }
         corners.insert(corner);
      }
      EXPECT_EQ(corners.size(), 52u) << size;
      Bitmap::Destroy(sheet);
   }
}

TEST_F(CardArtTest, ACardDrawnOneToOneReadsBackAsItsCell)
{
   Sprite card;
   card.Reset();
   card.Init("Sprites/Cards/Fronts/Classic/Medium", "S_1");
   ASSERT_NE(card.animation, nullptr);
   card.position = Point2F{300, 200};
   card.Draw();
   const std::vector<u8> frame = Frame();
   card.AnimationRelease();

   Bitmap* sheet = SheetLoad("Sprites/Cards/Fronts/Classic/MediumSheet");
   ASSERT_NE(sheet, nullptr);
   // The ace of spades is cell 13 (second row); its centre lands on the sprite's position.
   const int cellWidth = 80 + 2 * GUTTER;
   const int cellHeight = 112 + 2 * GUTTER;
   const int screenLeft = 300 - cellWidth / 2;
   const int screenTop = 200 - cellHeight / 2;
   int worst = 0;
   for (int y = 0; y < cellHeight; y++)
   {
      for (int x = 0; x < cellWidth; x++)
      {
         const u8* p = sheet->PixelAddressGet(x, cellHeight + y);
         const TestSupport::Pixel seen = At(frame, screenLeft + x, screenTop + y);
         // Over the black clear colour.
         const int wanted[3] = {p[0] * p[3] / 255, p[1] * p[3] / 255, p[2] * p[3] / 255};
         worst = std::max({worst, std::abs(seen.r - wanted[0]), std::abs(seen.g - wanted[1]),
                           std::abs(seen.b - wanted[2])});
      }
   }
   EXPECT_LE(worst, 2);
   Bitmap::Destroy(sheet);
}
// Ink of a face: clearly darker or more coloured than its white, away from the card's outline.
struct FaceInk
{
   const Bitmap* sheet;
   int left, top, width, height;

   bool At(int x, int y) const
   {
      const float radius = width * 0.07f;
      const float qx = std::max(std::fabs(x + 0.5f - width * 0.5f) - (width * 0.5f - radius), 0.0f);
      const float qy = std::max(std::fabs(y + 0.5f - height * 0.5f) - (height * 0.5f - radius), 0.0f);
      if (x < 0 || y < 0 || x >= width || y >= height || std::sqrt(qx * qx + qy * qy) >= radius - 2.5f)
      {
         return false;
      }
      const u8* p = sheet->PixelAddressGet(left + x, top + y);
      const int low = std::min({p[0], p[1], p[2]});
      const int high = std::max({p[0], p[1], p[2]});
      return low < 170 || high - low > 80;
   }

   // Separate blots of ink: pixels touching (also across a corner) belong together.
   int BlotsCount() const
   {
      std::vector<char> seen(static_cast<size_t>(width) * height, 0);
      int blots = 0;
      for (int y = 0; y < height; y++)
      {
         for (int x = 0; x < width; x++)
         {
            if (seen[y * width + x] || !At(x, y))
            {
               continue;
            }
            blots++;
            std::vector<std::pair<int, int>> stack = {{x, y}};
            seen[y * width + x] = 1;
            while (!stack.empty())
            {
               const auto [cx, cy] = stack.back();
               stack.pop_back();
               for (int dy = -1; dy <= 1; dy++)
               {
                  for (int dx = -1; dx <= 1; dx++)
                  {
                     const int nx = cx + dx, ny = cy + dy;
                     if (nx >= 0 && ny >= 0 && nx < width && ny < height && !seen[ny * width + nx] &&
                         At(nx, ny))
                     {
                        seen[ny * width + nx] = 1;
                        stack.push_back({nx, ny});
                     }
                  }
               }
            }
         }
      }
      return blots;
   }
};

struct SizeInfo
{
   const char* name;
   int width, height;
};
const SizeInfo SIZES[] = {{"Small", 60, 84}, {"Medium", 80, 112}, {"Large", 100, 140}};
const char* const FRONTS[] = {"Classic",     "FourColor", "LargePrint",
                              "CrazyEights", "OldMaid",   "MemoryMatchNormal"};

TEST_F(CardArtTest, PipsAndIndicesNeverTouchEachOther)
{
   // Two indices (rank and suit; "10" is two glyphs), then one blot per pip.
   for (const char* style : FRONTS)
   {
      for (const SizeInfo& size : SIZES)
      {
         Bitmap* sheet = SheetLoad(std::string("Sprites/Cards/Fronts/") + style + "/" + size.name + "Sheet");
         ASSERT_NE(sheet, nullptr) << style << " " << size.name;
         for (int suit = 0; suit < 4; suit++)
         {
            for (int rank = 2; rank <= 10; rank++)
            {
               // The crazy eights' wild banner joins its pips on purpose.
               if (std::string(style) == "CrazyEights" && rank == 8)
               {
                  continue;
               }
               const int cell = suit * 13 + rank - 1;
               const FaceInk ink{sheet, (cell % 13) * (size.width + 2 * GUTTER) + GUTTER,
                                 (cell / 13) * (size.height + 2 * GUTTER) + GUTTER, size.width, size.height};
               const int indexBlots = rank == 10 ? 3 : 2;
               EXPECT_EQ(ink.BlotsCount(), rank + 2 * indexBlots)
                   << style << " " << size.name << " rank " << rank << " suit " << suit;
            }
         }
         Bitmap::Destroy(sheet);
      }
   }
}

TEST_F(CardArtTest, CourtCardsShowAPicturePerRankAndSuit)
{
   for (const char* style : FRONTS)
   {
      for (const SizeInfo& size : SIZES)
      {
         Bitmap* sheet = SheetLoad(std::string("Sprites/Cards/Fronts/") + style + "/" + size.name + "Sheet");
         ASSERT_NE(sheet, nullptr) << style << " " << size.name;
         // The middle of the card, where the picture is: its pixels tell the twelve apart, and each
         // has many colours, not a letter in one ink.
         std::set<std::string> pictures;
         for (int suit = 0; suit < 4; suit++)
         {
            for (int rank = 11; rank <= 13; rank++)
            {
               const int cell = suit * 13 + rank - 1;
               const int left = (cell % 13) * (size.width + 2 * GUTTER) + GUTTER;
               const int top = (cell / 13) * (size.height + 2 * GUTTER) + GUTTER;
               std::string picture;
               std::set<u32> colours;
               for (int y = size.height / 4; y < size.height * 3 / 4; y++)
               {
                  for (int x = size.width / 4; x < size.width * 3 / 4; x++)
                  {
                     const u8* p = sheet->PixelAddressGet(left + x, top + y);
                     picture.append(reinterpret_cast<const char*>(p), 4);
                     // Colours by their coarse shade, so that anti-aliasing alone adds none.
                     colours.insert((p[0] >> 5) << 6 | (p[1] >> 5) << 3 | (p[2] >> 5));
                  }
               }
               pictures.insert(picture);
               EXPECT_GE(colours.size(), 8u)
                   << style << " " << size.name << " rank " << rank << " suit " << suit;
            }
         }
         EXPECT_EQ(pictures.size(), 12u) << style << " " << size.name;
         Bitmap::Destroy(sheet);
      }
   }
}

} // namespace
