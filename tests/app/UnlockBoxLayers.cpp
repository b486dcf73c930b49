// The unlock boxes of the data, as the build made them: an unlock served by the frame shows its
// message, and the item's name in the box that names it, in our fonts over the panel art; OK
// takes the message off the queue. With CORVALE_SCREENSHOT_DIR set, each box is also saved as a
// PNG there for a person to look at.
#include <cstdlib>

#include "app/profile/MessageBoxItemUnlockPopup.h"
#include "app/profile/ProfileStore.h"
#include "app/profile/Unlockables.h"
#include "core/FileStdio.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "gui/state/GameStateManager.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"
#include "tests/app/profile/ProfileTestSupport.h"
#include "tests/app/ProfileDataLayersTestSupport.h"

using namespace DataLayersTestSupport;

namespace
{
class UnlockBoxLayersTest : public ProfileDataLayersTest
{
 protected:
   void SetUp() override
   {
      ProfileDataLayersTest::SetUp();
      ProfileLoad("Player");
      GameStateManager::switchPending = 0;
      quitRequested = false;
   }

   // The box in place after its transitions, drawn.
   std::vector<u8> Shown(MessageBoxPopup* box)
   {
      Tick(1000);
      EXPECT_EQ(GUIManager::transitionsRunning, 0);
      Clear();
      GUIManager::Draw();
      std::vector<u8> frame = Frame();
      const char* folder = std::getenv("CORVALE_SCREENSHOT_DIR");
      if (folder && box)
      {
         Save(frame, std::string(folder) + "/" + box->layerName + ".png");
      }
      return frame;
   }

   // Lit pixels of text in a widget's box: the panel behind is a dark green, the text near white.
   static int TextPixelsCount(const std::vector<u8>& frame, Widget* widget)
   {
      const Point2F at = widget->PositionAbsoluteGet();
      const Box2F bounds = widget->BoundsGet();
      int count = 0;
      for (int y = static_cast<int>(at.y); y < static_cast<int>(at.y + bounds.height); ++y)
      {
         for (int x = static_cast<int>(at.x); x < static_cast<int>(at.x + bounds.width); ++x)
         {
            const Pixel p = At(frame, x, y);
            count += p.r > 180 && p.g > 180 && p.b > 180 ? 1 : 0;
         }
      }
      return count;
   }
};

TEST_F(UnlockBoxLayersTest, EachUnlockShowsItsMessageAndTheNamedItemInOurFonts)
{
   LogCapture log;
   ItemUnlock("Song", "Meadow");
   ItemUnlockByNumber("Song", 12);

   UnlockMessagesServe();
   ASSERT_EQ(PopupManager::popups.count, 1);
   auto* named = dynamic_cast<MessageBoxItemUnlockPopup*>(PopupManager::popups[0]);
   ASSERT_TRUE(named);
   ASSERT_TRUE(named->layer);
   auto* text = dynamic_cast<TextDocumentWidget*>(named->layer->DescendantGetByPath("Panel.Text"));
   auto* item = dynamic_cast<TextDocumentWidget*>(named->layer->DescendantGetByPath("Panel.ItemText"));
   ASSERT_TRUE(text && item);
   EXPECT_STREQ(text->TextGet(), "You have unlocked a new song! Choose it in the settings.");
   EXPECT_STREQ(item->TextGet(), "Meadow");
   EXPECT_EQ(GUIManager::transitionsRunning, 0) << "the named box has no transitions";
   std::vector<u8> frame = Shown(named);
   EXPECT_GT(TextPixelsCount(frame, text), 200);
   EXPECT_GT(TextPixelsCount(frame, item), 100);

   Point2F ok = MiddleGet(named->layer->DescendantGetByPath("Panel.OK"));
   PointerFrame(ok, MOUSE_BUTTON_LEFT, 0);
   PointerFrame(ok, 0, MOUSE_BUTTON_LEFT);
   Tick(1000);
   EXPECT_EQ(PopupManager::popups.count, 0);
   ASSERT_EQ(unlockMessages.count, 1);

   UnlockMessagesServe();
   ASSERT_EQ(PopupManager::popups.count, 1);
   MessageBoxPopup* plain = dynamic_cast<MessageBoxPopup*>(PopupManager::popups[0]);
   ASSERT_TRUE(plain && plain->layer);
   EXPECT_FALSE(dynamic_cast<MessageBoxItemUnlockPopup*>(plain));
   EXPECT_GE(GUIManager::transitionsRunning, 1) << "the plain box enters as every message box does";
   frame = Shown(plain);
   EXPECT_GT(TextPixelsCount(frame, plain->layer->DescendantGetByPath("Panel.Text")), 200);
   EXPECT_EQ(log.text, "") << "the layers' data is not whole";
}
} // namespace
