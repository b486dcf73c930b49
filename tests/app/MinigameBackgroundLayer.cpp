// The table a game lies on: the background layer of the data with the felt our tool drew, chosen
// by the profile or at random from the constants, filling the whole window.
#include <string>

#include "cardgame/Minigame.h"
#include "core/JSONValue.h"
#include "gui/widgets/ScreenFillSpriteWidget.h"
#include "tests/app/ProfileDataLayersTestSupport.h"

using namespace DataLayersTestSupport;

namespace
{
class TableGame : public Minigame
{
 public:
   i32 GameNumberGet() override { return 997; }
   const char* GameNameGet() override { return "TableGame"; }
   i32 PlayersCountGet() override { return 1; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return 1; }
};

class MinigameBackgroundLayerTest : public ProfileDataLayersTest
{
 protected:
   void SetUp() override
   {
      ProfileDataLayersTest::SetUp();
      ProfileLoad("Player");
   }

   void TearDown() override
   {
      GUIManager::Remove("MinigameBackground");
      ProfileDataLayersTest::TearDown();
   }

   std::vector<u8> Drawn()
   {
      Tick(16);
      Clear();
      GUIManager::Draw();
      return Frame();
   }

   TableGame game;
};

TEST_F(MinigameBackgroundLayerTest, TheChosenFeltCoversTheWindowLitFromTheCentre)
{
   LogCapture log;
   profileCurrent->ItemStringSet("MinigameBackground", "FeltRed");
   ASSERT_TRUE(GUIManager::Push("MinigameBackground", nullptr, nullptr));
   game.BackgroundApply();
   auto* background =
       dynamic_cast<ScreenFillSpriteWidget*>(GUIManager::WidgetGetByPath("MinigameBackground.Background"));
   ASSERT_TRUE(background);

   const std::vector<u8> frame = Drawn();
   int notRed = 0;
   for (int y = 0; y < screen.clientHeight; y += 7)
   {
      for (int x = 0; x < screen.clientWidth; x += 7)
      {
         const Pixel p = At(frame, x, y);
         notRed += p.r > p.g + 20 && p.r > p.b + 20 ? 0 : 1;
      }
   }
   EXPECT_EQ(notRed, 0) << "the red felt leaves part of the window uncovered";
   const Pixel centre = At(frame, screen.clientWidth / 2, screen.clientHeight / 2);
   const Pixel corner = At(frame, 2, 2);
   EXPECT_GT(centre.r, corner.r + 15) << "the vignette darkens the corners";
   EXPECT_EQ(log.text, "");
}

TEST_F(MinigameBackgroundLayerTest, RandomDrawsAFeltOfTheConstantsAndNothingWhenNoneIsAvailable)
{
   ASSERT_STREQ(consts->ItemGet("MinigameBackgroundDefault")->StringValueGet(), "<Random>");
   const JSONValue* all = consts->ItemGet("MinigameBackgrounds");
   for (int draw = 0; draw < 20; draw++)
   {
      const char* name = game.BackgroundGet();
      ASSERT_TRUE(name);
      EXPECT_GE(all->ElementStringFind(name), 0) << name;
   }
   // Unlockable backgrounds with none listed or unlocked: no background.
   consts->ItemBoolSet("MinigameBackgroundsUnlockable", true);
   consts->ItemArraySet("MinigameBackgroundsUnlocked");
   EXPECT_EQ(game.BackgroundGet(), nullptr);
}
} // namespace
