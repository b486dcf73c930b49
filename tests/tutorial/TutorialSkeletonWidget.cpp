// The tutorial's skeleton drawn by its widget in a pushed "Tutorial" layer: at the widget's place
// with the skeleton's Y upwards, and nothing from a hidden widget or without a skeleton.
#include <gtest/gtest.h>

#include "gui/GUIManager.h"
#include "platform/window/Screen.h"
#include "tests/tutorial/TutorialTestSupport.h"
#include "tutorial/TutorialManager.h"
#include "tutorial/TutorialSkeletonWidget.h"

namespace Corvale
{
namespace
{
using tutorial_test_support::TutorialDrawingTest;

// One white 40 by 40 quad, 100 right of and 100 above the skeleton's origin.
const char* const skeletonText = R"({
"bones": [ { "name": "root", "x": 100, "y": 100 } ],
"slots": [ { "name": "s", "bone": "root", "attachment": "white" } ],
"skins": { "default": { "s": { "white": { "width": 40, "height": 40 } } } },
"animations": { "animation": { "bones": { "root": { "rotate": [ { "time": 0, "angle": 0 }, { "time": 6, "angle": 0 } ] } } } }
})";

class TutorialSkeletonWidgetTest : public TutorialDrawingTest
{
 protected:
   void SetUp() override
   {
      TutorialDrawingTest::SetUp();
      TextWrite(
          "Graphics/GUI/Tutorial/Widgets.json",
          R"({ "Children": [ { "Type": "TutorialSkeleton", "Name": "Skeleton", "PositionOffset": "400|300" } ] })");
      TextWrite("Graphics/GUI/Tutorial/Sprites.json", "{}");
      GUIStart();
      GUIManager::WidgetTypeRegister("TutorialSkeleton", &TutorialSkeletonWidgetCreate);
   }

   void TearDown() override
   {
      tutorialManager.Deinit();
      TutorialDrawingTest::TearDown();
   }

   void Start()
   {
      TutorialFilesWrite("t", skeletonText);
      tutorialManager.Init("t");
      ASSERT_FALSE(tutorialManager.finished);
      tutorialManager.Update(0);
   }
};

TEST_F(TutorialSkeletonWidgetTest, TheSkeletonDrawsUpwardsFromTheWidgetsPlace)
{
   Start();
   TutorialSkeletonWidget* widget = Find<TutorialSkeletonWidget>("Tutorial.Skeleton");
   ASSERT_NE(widget, nullptr);
   screen.trianglesThisFrame = 0;
   const std::vector<u8> frame = Shot("TutorialSkeleton");
   EXPECT_EQ(screen.trianglesThisFrame, 2);
   const Box2F lit = LitBoxGet(frame, 20);
   EXPECT_NEAR(lit.x, 480, 1);
   EXPECT_NEAR(lit.y, 180, 1);
   EXPECT_NEAR(lit.width, 40, 1);
   EXPECT_NEAR(lit.height, 40, 1);
   EXPECT_EQ(At(frame, 500, 200).r, 255);

   widget->VisibleSet(false);
   screen.trianglesThisFrame = 0;
   EXPECT_EQ(LitBoxGet(Shot("TutorialSkeletonHidden"), 0).width, 0.0f);
   EXPECT_EQ(screen.trianglesThisFrame, 0);
}

TEST_F(TutorialSkeletonWidgetTest, WithoutASkeletonNothingIsDrawn)
{
   // No atlas: the tutorial runs with nothing to draw.
   tutorialManager.Init("none");
   ASSERT_NE(Find<TutorialSkeletonWidget>("Tutorial.Skeleton"), nullptr);
   screen.trianglesThisFrame = 0;
   EXPECT_EQ(LitBoxGet(Shot("TutorialSkeletonNone"), 0).width, 0.0f);
   EXPECT_EQ(screen.trianglesThisFrame, 0);
}
} // namespace
} // namespace Corvale
