// A character's line on screen with the data's balloon, fonts and face art: the balloon reveals
// the line while the speaker's portrait talks, and the portrait rests once the line is shown.
// With CORVALE_SCREENSHOT_DIR set, the shown line is saved as a PNG there.
#include <cstdlib>

#include "app/profile/PortraitWidget.h"
#include "core/JSONParser.h"
#include "core/TextManager.h"
#include "gui/dialog/DialogManager.h"
#include "gui/dialog/DialogWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "tests/app/ProfileDataLayersTestSupport.h"

using namespace DataLayersTestSupport;

namespace
{
class DialogBalloonTest : public ProfileDataLayersTest
{
 protected:
   void SetUp() override
   {
      ProfileDataLayersTest::SetUp();
      JSONParser parser;
      JSONValue* dialogs = parser.Load("Scripts/DialogConsts", &fileManagerStdioResource);
      ASSERT_TRUE(dialogs);
      ASSERT_TRUE(consts->ItemsMerge(dialogs));
      textManager.FileNameAppend("DialogText");
      textManager.OnLanguageChange();
      PortraitTablesInit();

      container = MemoryNew<ContainerWidget>(HEAP_DEFAULT);
      container->InitWithoutSpecification("DialogContainer", nullptr);
      GUIManager::root->ChildAddLast(container);
      frame = MemoryNew<SpriteWidget>(HEAP_DEFAULT);
      frame->InitWithoutSpecification("PortraitFrame", container);
      frame->AnimationSet("Sprites/Dialog/Sprites", "PortraitFrame");
      frame->PositionSet(Point2F{40.0f, 30.0f});
      container->ChildAddLast(frame);
      portrait = MemoryNew<PortraitWidget>(HEAP_DEFAULT);
      portrait->InitWithoutSpecification("Speaker", container);
      portrait->PositionSet(Point2F{46.0f, 36.0f});
      container->ChildAddLast(portrait);
      portrait->DescriptionLoad(consts->ItemGet("Characters")->ItemGet("Mabel")->ItemGet("Portrait"));

      manager.Init(consts, &language);
      manager.position = Point2F{200.0f, 40.0f};
      manager.WidgetAdd(container);
      manager.WidgetPositionApply();
      ASSERT_TRUE(manager.balloon);
   }

   void TearDown() override
   {
      manager.Deinit();
      PortraitTablesDeinit();
      ProfileDataLayersTest::TearDown();
   }

   void Frame16()
   {
      GUIManager::Update(16);
      manager.Update();
   }

   std::string MouthPlaying()
   {
      SpriteWidget* mouth = portrait->PartWidgetGet(PORTRAIT_PART_MOUTH);
      return mouth && mouth->sprite && mouth->sprite->animation ? mouth->sprite->animation->name : "";
   }

   DialogManager manager;
   ContainerWidget* container = nullptr;
   SpriteWidget* frame = nullptr;
   PortraitWidget* portrait = nullptr;
};

TEST_F(DialogBalloonTest, ALineShowsItsBalloonWhileThePortraitTalks)
{
   const char* line = manager.GroupDialogNameGet("MabelHello");
   ASSERT_STREQ(line, "MabelHello");
   manager.DialogPlay(line, portrait);
   EXPECT_EQ(manager.speaker, portrait);
   EXPECT_EQ(manager.balloon->StateGet(), DIALOG_STATE_REVEALING);
   const std::string talk = MouthPlaying();
   EXPECT_NE(talk.find("_Talk"), std::string::npos) << talk;

   // Revealed a character a frame: well within a few hundred frames.
   i32 frames = 0;
   while (manager.balloon->StateGet() == DIALOG_STATE_REVEALING && frames < 2000)
   {
      Frame16();
      ++frames;
   }
   EXPECT_EQ(manager.balloon->StateGet(), DIALOG_STATE_TEXT_COMPLETE);
   Frame16();
   EXPECT_NE(MouthPlaying().find("_Rest"), std::string::npos) << MouthPlaying();

   Clear();
   GUIManager::Draw();
   std::vector<u8> shown = Frame();
   const char* folder = std::getenv("CORVALE_SCREENSHOT_DIR");
   if (folder)
   {
      Save(shown, std::string(folder) + "/DialogBalloon.png");
   }
   // The balloon's cream, dark letters in its text rectangle, and the speaker's face in her frame.
   const Pixel paper = At(shown, 200 + 220, 40 + 100);
   EXPECT_GT(paper.r, 200);
   EXPECT_GT(paper.g, 180);
   int ink = 0;
   for (int y = 40 + 20; y < 40 + 60; ++y)
   {
      for (int x = 200 + 26; x < 200 + 300; ++x)
      {
         const Pixel p = At(shown, x, y);
         ink += p.r < 120 && p.g < 120 && p.b < 120 ? 1 : 0;
      }
   }
   EXPECT_GT(ink, 100);
   const Pixel cheek = At(shown, 46 + 64, 36 + 72);
   EXPECT_GT(cheek.r, 150);
}

TEST_F(DialogBalloonTest, APortraitThatGoesWhileSpeakingLeavesTheManager)
{
   manager.DialogPlay("KofiWin", portrait);
   ASSERT_EQ(manager.speaker, portrait);
   container->ChildRemove(portrait);
   GUIManager::Update(0);
   EXPECT_EQ(manager.speaker, nullptr);
   Frame16();
   EXPECT_EQ(manager.balloon->StateGet(), DIALOG_STATE_REVEALING);
}
} // namespace
