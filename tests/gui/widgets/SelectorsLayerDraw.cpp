// A test layer of the three selectors beside number labels of both kinds, drawn in a real window
// with our fonts and button art: the choices show where they should, step and settle, and the
// numbers are drawn. With CORVALE_SNAPSHOT_DIR set the frames are also written there as PNG files.
#include <cstdlib>

#include "tests/platform/BitmapTestSupport.h"
#include "tests/gui/LayerDrawingTestSupport.h"
#include "core/GraphicsPathManager.h"
#include "core/ProgressionManager.h"
#include "gui/GUIManager.h"
#include "gui/widgets/IncrementalNumberLabelWidget.h"
#include "gui/widgets/ItemListSelectorWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/LinearSelectorWidget.h"
#include "gui/widgets/RingSelectorWidget.h"
#include "gui/widgets/SelectorItemWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteManager.h"

using namespace Corvale;
using layer_drawing_test_support::LayerDrawingTest;
using sprite_test_support::BuildDataFolderGet;
using sprite_test_support::Pixel;
using testing_support::LogCapture;

namespace
{
int Brightness(const Pixel& p)
{
   return p.r + p.g + p.b;
}

class SelectorsLayerTest : public LayerDrawingTest
{
 protected:
   void SetUp() override
   {
      DrawingTest::SetUp();
      // The build's fonts and button art, and the test layer from the sources, under one root.
      std::string data = BuildDataFolderGet();
      ASSERT_TRUE(std::filesystem::exists(data + "/Graphics/GUI/MessageBox/ButtonUp.png"))
          << "the button art was not drawn";
      std::filesystem::create_directories(folder + "/Graphics/GUI");
      std::filesystem::create_directory_symlink(data + "/Graphics/Fonts", folder + "/Graphics/Fonts");
      std::filesystem::create_directory_symlink(data + "/Graphics/GUI/MessageBox",
                                                folder + "/Graphics/GUI/MessageBox");
      std::filesystem::create_directory_symlink(std::string(CORVALE_SOURCE_DIR) +
                                                    "/tests/gui/widgets/SelectorsLayer",
                                                folder + "/Graphics/GUI/SelectorsLayer");
      GUIStart();
   }

   static void Run(u32 total)
   {
      for (u32 t = 0; t < total; t += 16)
      {
         GUIManager::Update(16);
      }
   }

   // Pixels brighter than a dim background inside a widget's bounds, in screen units.
   static int LitCount(const std::vector<u8>& frame, Widget* widget)
   {
      Point2F at = widget->PositionAbsoluteGet();
      Box2F box = widget->BoundsGet();
      int lit = 0;
      for (int y = static_cast<int>(at.y + box.y); y < static_cast<int>(at.y + box.y + box.height); y++)
      {
         for (int x = static_cast<int>(at.x + box.x); x < static_cast<int>(at.x + box.x + box.width); x++)
         {
            lit += Brightness(At(frame, x, y)) > 300 ? 1 : 0;
         }
      }
      return lit;
   }

   // A point of an item's art clear of its centred text, in screen units.
   static Pixel ItemArt(const std::vector<u8>& frame, Widget* item)
   {
      Point2F at = item->PositionAbsoluteGet();
      Box2F box = item->BoundsGet();
      Point2F scale = item->ScaleGet();
      return At(frame, static_cast<int>(at.x + (box.x + box.width * 0.12f) * scale.x),
                static_cast<int>(at.y + (box.y + box.height / 2.0f) * scale.y));
   }

   static bool GoldCheck(const Pixel& p) { return p.r > 200 && p.g > 160 && p.b < 110; }
};

TEST_F(SelectorsLayerTest, TheSelectorsStepAndSettleBesideTheNumbers)
{
   LogCapture log;
   ASSERT_TRUE(GUIManager::Push("SelectorsLayer", nullptr, nullptr));
   auto* list = Find<ItemListSelectorWidget>("SelectorsLayer.List");
   auto* ring = Find<RingSelectorWidget>("SelectorsLayer.Ring");
   auto* line = Find<LinearSelectorWidget>("SelectorsLayer.Line");
   auto* score = Find<NumberLabelWidget>("SelectorsLayer.Score");
   auto* winnings = Find<NumberLabelWidget>("SelectorsLayer.Winnings");
   auto* bank = Find<IncrementalNumberLabelWidget>("SelectorsLayer.Bank");
   ASSERT_TRUE(list && ring && line && score && winnings && bank);
   winnings->TextFormatFunctionSet(&MoneyTextFormat, nullptr);
   bank->TextFormatFunctionSet(&MoneyTextFormat, nullptr);
   Run(160);

   std::vector<u8> frame = Shot("Selectors1");
   EXPECT_EQ(log.text, "") << "the layer's data is not whole";
   EXPECT_STREQ(score->TextGet(), "1234.50");
   EXPECT_STREQ(winnings->TextGet(), "-$25");
   EXPECT_STREQ(bank->TextGet(), "$250");
   for (Widget* label :
        {static_cast<Widget*>(score), static_cast<Widget*>(winnings), static_cast<Widget*>(bank)})
   {
      EXPECT_GT(LitCount(frame, label), 40) << label->NameGet() << ": no number drawn";
   }
   // The cursor beside the first item, the first ring item at the front, the first line item
   // in the middle and brighter than its neighbours.
   Point2F cursor = list->cursor->PositionAbsoluteGet();
   EXPECT_TRUE(GoldCheck(At(frame, static_cast<int>(cursor.x) + 7, static_cast<int>(cursor.y) + 7)));
   Widget* front = ring->itemContainer->ChildGetAt(0);
   Widget* back = ring->itemContainer->ChildGetAt(3);
   EXPECT_GT(front->PositionGet().y, back->PositionGet().y);
   EXPECT_GT(Brightness(ItemArt(frame, front)), Brightness(ItemArt(frame, back)) + 60);
   Widget* middle = line->itemContainer->ChildGetAt(0);
   EXPECT_FLOAT_EQ(middle->PositionGet().x, 405.0f);
   EXPECT_GT(Brightness(ItemArt(frame, middle)),
             Brightness(ItemArt(frame, line->itemContainer->ChildGetAt(1))));

   // One step each, and the bank counts up to a new amount.
   list->SelectionStep(5, true);
   ring->SelectionStep(-1, true);
   line->SelectionStep(1, true);
   bank->targetValue = 1000.0;
   Run(160);
   Shot("Selectors2");
   EXPECT_GT(ring->ringAngle, -360.0f) << "backward across the wrap the ring turns on backward";
   EXPECT_LT(ring->ringAngle, -300.0f);
   EXPECT_GT(bank->currentValue, 250.0);
   EXPECT_LT(bank->currentValue, 1000.0);

   Run(3000);
   frame = Shot("Selectors3");
   EXPECT_STREQ(list->SelectionNameGet(), "Golf");
   EXPECT_STREQ(ring->SelectionNameGet(), "Golf");
   EXPECT_STREQ(line->SelectionNameGet(), "Spider");
   EXPECT_STREQ(bank->TextGet(), "$1000");
   cursor = list->cursor->PositionAbsoluteGet();
   Point2F chosen = list->selection->PositionAbsoluteGet();
   EXPECT_NEAR(cursor.y, chosen.y + 16.0f, 0.5f) << "the cursor settles beside the choice";
   EXPECT_GT(chosen.y, 60.0f) << "scrolled, the sixth item is inside the view";
   EXPECT_LT(chosen.y + 46.0f, 60.0f + 216.0f);
   EXPECT_TRUE(GoldCheck(At(frame, static_cast<int>(cursor.x) + 7, static_cast<int>(cursor.y) + 7)));
   Widget* golf = ring->itemContainer->ChildGetAt(5);
   EXPECT_NEAR(golf->PositionGet().x, 220.0f, 0.5f) << "the choice turned to the front";
   EXPECT_NEAR(golf->PositionGet().y, 220.0f, 0.5f);
   EXPECT_GT(Brightness(ItemArt(frame, golf)), Brightness(ItemArt(frame, front)) + 60);
   EXPECT_FLOAT_EQ(line->itemContainer->ChildGetAt(1)->PositionGet().x, 405.0f);
   EXPECT_FALSE(line->itemContainer->ChildGetAt(4)->VisibleCheck()) << "beyond the horizon";
   EXPECT_EQ(log.text, "");
}
} // namespace
