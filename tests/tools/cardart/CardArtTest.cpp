// The card art tool: its output is the same bytes on every run, the 52 corner indices all differ,
// and a card drawn 1:1 at a whole-pixel position reads back as its sheet cell.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

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
   // Six front styles, nine back styles and the piles, in three sizes, each a sheet and its file.
   EXPECT_EQ(files, (6 + 9 + 1) * 3 * 2);
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
} // namespace
