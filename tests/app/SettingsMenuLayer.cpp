// The settings menu's layer of the data over the generated art, opened in a window with a card
// game of options behind it: every page shows its controls with their pictures and texts and
// nothing is logged. Each page's picture is kept in the build folder's "test-screens".
#include <filesystem>

#include "app/SettingsMenu.h"
#include "cardgame/CardGame.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/TableWidget.h"
#include "tests/app/ProfileDataLayersTestSupport.h"
#include "tests/core/JSONTestSupport.h"

using namespace DataLayersTestSupport;

namespace
{
class OptionsCardGame : public CardGame
{
 public:
   i32 GameNumberGet() override { return 995; }
   const char* GameNameGet() override { return "OptionsCardGame"; }
   i32 PlayersCountGet() override { return 1; }
   i32 PlayersMinimumGet() override { return 1; }
   i32 PlayersMaximumGet() override { return 1; }
};

// Options as a solitaire declares them; the captions are texts the data holds.
const char* const options = R"({"Settings": [
   {"Type": "StringRadioButtons", "Name": "Variation", "TextKey": "SettingsCardsLayout", "Default": "Natural",
    "Values": [{"Value": "Organized", "TextKey": "SettingsCardsOrganized"},
               {"Value": "Natural", "TextKey": "SettingsCardsNatural"}]},
   {"Type": "Checkbox", "Name": "Wide", "TextKey": "SettingsWideWindow", "Default": true},
   {"Type": "Checkbox", "Name": "Full", "TextKey": "SettingsFullscreen", "Default": false}]})";

class SettingsMenuLayerTest : public ProfileDataLayersTest
{
 protected:
   void SetUp() override
   {
      ProfileDataLayersTest::SetUp();
      JSONParser parser;
      ASSERT_TRUE(consts->ItemsMerge(parser.Load("Graphics/GraphicsConsts", &fileManagerStdioResource)));
      ProfileLoad("Player");
      game.constants = JSONTest::TextParse(options).release();
      GameStateManager::current = &game;
      settingsMenu.submenuIndex = 0;
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      Settle();
      GameStateManager::current = nullptr;
      ProfileDataLayersTest::TearDown();
   }

   void Settle()
   {
      for (int i = 0; i < 100 && GUIManager::transitionsRunning > 0; i++)
      {
         Tick(50);
      }
      Tick(16);
   }

   // The frame drawn now, kept as test-screens/<name>.png.
   std::vector<u8> Drawn(const char* name)
   {
      Clear();
      GUIManager::Draw();
      std::vector<u8> frame = Frame();
      const std::string screens = TestSupport::BuildDataFolderGet() + "/../test-screens";
      std::filesystem::create_directories(screens);
      Save(frame, screens + "/" + name + ".png");
      return frame;
   }

   // The widget's middle drawn in something other than the panel's greens.
   bool DrawnCheck(const std::vector<u8>& frame, const char* path)
   {
      Widget* widget = GUIManager::WidgetGetByPath(path);
      if (!widget)
      {
         ADD_FAILURE() << "no " << path;
         return false;
      }
      const Point2F middle = MiddleGet(widget);
      const Pixel p = At(frame, static_cast<int>(middle.x), static_cast<int>(middle.y));
      return !(p.g > p.r + 10 && p.g > p.b);
   }

   OptionsCardGame game;
};

TEST_F(SettingsMenuLayerTest, EveryPageShowsItsControlsWithTheirArtAndNothingIsLogged)
{
   LogCapture log;
   PopupManager::OpenUnlessOpen(&settingsMenu);
   Settle();
   ASSERT_TRUE(settingsMenu.layer);

   // Opened on the game's options: one row per option, laid out inside the page.
   std::vector<u8> frame = Drawn("SettingsMenuGame");
   auto* page = dynamic_cast<ContainerWidget*>(
       GUIManager::WidgetGetByPath("SettingsMenu.Panel.Submenus.Game.Settings"));
   ASSERT_TRUE(page);
   ASSERT_EQ(page->ChildCountGet(), 3);
   EXPECT_TRUE(DrawnCheck(frame, "SettingsMenu.Panel.Submenus.Game.Settings.Wide"))
       << "the chosen row is gold";
   EXPECT_TRUE(DrawnCheck(frame, "SettingsMenu.Panel.Submenus.Game.Play"));

   settingsMenu.SubmenuShow("Backgrounds");
   frame = Drawn("SettingsMenuBackgrounds");
   auto* backgrounds = dynamic_cast<TableWidget*>(
       GUIManager::WidgetGetByPath("SettingsMenu.Panel.Submenus.Backgrounds.Backgrounds"));
   ASSERT_TRUE(backgrounds);
   EXPECT_EQ(backgrounds->RowCountGet(), 1 + consts->ItemGet("MinigameBackgrounds")->CountGet());
   backgrounds->SelectionSetByIndex(1, true);
   frame = Drawn("SettingsMenuBackgroundsThumbnail");
   auto* thumbnail = dynamic_cast<SpriteWidget*>(
       GUIManager::WidgetGetByPath("SettingsMenu.Panel.Submenus.Backgrounds.Thumbnail"));
   ASSERT_TRUE(thumbnail);
   EXPECT_EQ(thumbnail->AnimationBoundsGet().width, 256.0f) << "the felt's thumbnail";

   settingsMenu.SubmenuShow("Cards");
   frame = Drawn("SettingsMenuCards");
   for (const char* preview : {"SettingsMenu.Panel.Submenus.Cards.CardFrontPreview",
                               "SettingsMenu.Panel.Submenus.Cards.CardBackPreview"})
   {
      auto* sprite = dynamic_cast<SpriteWidget*>(GUIManager::WidgetGetByPath(preview));
      ASSERT_TRUE(sprite) << preview;
      EXPECT_GT(sprite->AnimationBoundsGet().width, 0.0f) << preview;
      EXPECT_TRUE(DrawnCheck(frame, preview)) << preview;
   }

   settingsMenu.SubmenuShow("Environment");
   frame = Drawn("SettingsMenuEnvironment");
   EXPECT_TRUE(DrawnCheck(frame, "SettingsMenu.Panel.Submenus.Environment.NarrowWindow"));
   EXPECT_EQ(log.text, "");
}
} // namespace
