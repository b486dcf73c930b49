// Fanned piles on a real window (Xvfb) with the generated card art and the shared fan templates:
// every covered face-up card, at each card size and front style, shows its whole corner index
// (rank and suit) in the strip the card above leaves, pixel for pixel as its own image has it.
// Each style's table is kept as FannedCardIndices<Style>.png beside the test program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "cardgame/CardWidget.h"
#include "gui/GUIManager.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/CardTableWindow.h"
#include "tests/cardgame/FannedIndexCheck.h"
#include "tests/cardgame/TestCardGame.h"
#include "tests/platform/SpriteTestSupport.h"

using namespace Corvale;
using namespace Corvale::TestSupport;

namespace
{
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

   void TearDown() override { window.Close(harness); }

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

   std::string data;
   CardGameHarness harness;
   StyledCardGame game;
   CardTableWindow window;
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

      FannedIndexCheck check(data);
      int checked = 0;
      for (i32 p = 1; p < game.cardPiles.count; ++p)
      {
         checked += check.PileCheck(frame, harness.Pile(p), style);
      }
      // 13 covered cards in each column (the top one is whole), 12 in each hand, 2 in each waste.
      EXPECT_EQ(checked, 3 * (12 + 12 + 2));
      harness.Leave();
   }
}
} // namespace
