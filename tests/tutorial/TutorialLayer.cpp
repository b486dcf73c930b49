// The data's "Tutorial" layer as the build made it, pushed by the tutorial manager: the felt
// under the skeleton, the hidden time, and the captioned "Back" button that ends the tutorial.
#include "tests/gui/popup/DataLayersTestSupport.h"

#include <string>

#include "core/JSONParser.h"
#include "gui/dialog/DialogManager.h"
#include "tests/core/JSONTestSupport.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "tutorial/SkeletonHooks.h"
#include "tutorial/TutorialManager.h"
#include "tutorial/TutorialSkeletonWidget.h"

namespace Corvale
{
namespace
{
class TutorialLayerTest : public DataLayersTestSupport::DataLayersTest
{
 protected:
   void SetUp() override
   {
      DataLayersTest::SetUp();
      SkeletonHooksInstall();
      GUIManager::WidgetTypeRegister("TutorialSkeleton", &TutorialSkeletonWidgetCreate);
      // The data's balloon, with one line of our own.
      JSONParser parser;
      dialogs.reset(parser.Load("Scripts/DialogConsts", fileManagerResource));
      ASSERT_TRUE(dialogs);
      dialogs->ItemGetOrAdd("Dialogs")->ItemGetOrAdd("Line")->ObjectSet()->ItemGetOrAdd("TextKey")->StringSet(
          "Back");
      dialogManager.Init(dialogs.get(), &language);
   }
   void TearDown() override
   {
      tutorialManager.Deinit();
      dialogManager.Deinit();
      DataLayersTest::TearDown();
   }

   JSONTest::ValuePointer dialogs;
};

TEST_F(TutorialLayerTest, FeltBackAndAHiddenTime)
{
   // A tutorial without files: the layer alone, until the player leaves.
   tutorialManager.Init("NoSuchTutorial");
   ASSERT_FALSE(tutorialManager.finished);
   ASSERT_NE(tutorialManager.layer, nullptr);
   ASSERT_NE(tutorialManager.timestamp, nullptr);
   EXPECT_FALSE(tutorialManager.timestamp->VisibleCheck());
   tutorialManager.Update(1234);
   dialogManager.DialogPlay("Line", nullptr);
   for (int frame = 0; frame < 120; ++frame)
   {
      Tick(16);
   }
   EXPECT_FALSE(dialogManager.IdleCheck()) << "the line shows in the tutorial's layer";

   Clear();
   GUIManager::Draw();
   const std::vector<u8> frame = Frame();
   const char* snapshots = std::getenv("CORVALE_SNAPSHOT_DIR");
   if (snapshots && snapshots[0])
   {
      Save(frame, std::string(snapshots) + "/TutorialLayer.png");
   }
   const TestSupport::Pixel felt = At(frame, 300, 300);
   EXPECT_GT(felt.g, felt.r + 20) << "green felt";
   EXPECT_GT(felt.g, felt.b + 20) << "green felt";

   PressButtonWidget* back =
       dynamic_cast<PressButtonWidget*>(GUIManager::WidgetGetByPath("Tutorial.MenuBar.Back"));
   ASSERT_NE(back, nullptr);
   const Point2F middle = MiddleGet(back);
   EXPECT_GT(middle.x, 700.0f);
   EXPECT_LT(middle.y, 720.0f);
   EXPECT_FALSE(tutorialManager.finished);
   back->onClick(back, back->onClickUserData);
   EXPECT_TRUE(tutorialManager.finished);
}
} // namespace
} // namespace Corvale
