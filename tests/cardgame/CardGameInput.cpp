// A card game in a real window under Xvfb with our generated card art: the real card and pile
// widgets driven through the GUI manager's pointer record, as a player's mouse drives them (press,
// drag, release, double click, hover over a pile with help labels, Control held). The last frame
// is kept as CardGameInput.png beside the test program for a person to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cardgame/CardNames.h"
#include "cardgame/CardPileHelpLabel.h"
#include "cardgame/CardPileWidget.h"
#include "cardgame/CardWidget.h"
#include "core/JSONParser.h"
#include "core/ProgressionManager.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/state/FadeManager.h"
#include "gui/widgets/LabelWidget.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/input/PlatformKeys.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "platform/window/Screen.h"
#include "core/ReflectionManager.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/CardTableWindowSupport.h"
#include "tests/cardgame/DocumentTestSupport.h"
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

// A stock, two columns and a foundation; the foundation says how many cards it holds.
const char* const GAME_CONSTS = R"({
   "DelayCardDeal": 40, "DelayCardFlip": 30,
   "Settings": [{"Name": "ShowHelpLabels", "Default": true}],
   "CardPiles": [
      {"Type": "Draw", "Position": "60|80", "Animation": "EmptyStock"},
      {"Type": "Tableau", "Position": "260|80", "CardPositionOffset": "0|28", "Animation": "Empty"},
      {"Type": "Tableau", "Position": "460|80", "CardPositionOffset": "0|28", "Animation": "Empty"},
      {"Type": "Foundation", "Position": "760|80", "Animation": "EmptyFoundation",
       "HelpLabels": [{"TextProcedure": "CardCount"}]},
      {"Type": "Reserve", "Position": "260|520", "CardPositionOffset": "40|0", "CanDragWithin": true,
       "Animation": "Empty"}
   ]})";

// The drawing tests' PNG writer.
struct ShotWriter : sprite_test_support::DrawingTest
{
   using DrawingTest::Save;
};

class CardGameInputTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      const std::string data = BuildDataFolderGet();
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

      // The global constants the cards and piles read: the shipped graphics constants.
      std::ifstream file(data + "/Graphics/GraphicsConsts.json");
      const std::string graphics((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      harness.CardGlobalConstsSet(graphics);

      ASSERT_TRUE(TestSupport::CardTableWindowStart()) << "needs a display (run under xvfb-run)";
      opened = true;

      game.pickUp = [](Card* card) { return card->faceUp; };
      game.layerName = "TestCardGame";
      harness.CardGameEnter(&game, GAME_CONSTS);
      ASSERT_NE(game.cardContainerBottom, nullptr);
      game.CardsDealToEachPile(CARD_PILE_TYPE_TABLEAU, harness.Pile(0), 3, true);
      ASSERT_TRUE(Settle());
      ASSERT_NE(harness.Pile(1)->CardTopGet()->widget, nullptr);
   }

   void TearDown() override
   {
      harness.Leave();
      TestSupport::CardTableWindowGUIStop();
      EXPECT_EQ(SpriteManager::resourceFiles.count, 0) << "a card sprite file stayed loaded";
      imageManager.Deinit();
      textureManager.Deinit();
      PlatformKeyStateClear();
      if (opened)
      {
         screen.Deinit();
      }
   }

   // One frame as the program runs it: window events, keys, the GUI's pointer input, the game.
   void FrameRun()
   {
      screen.MessagesPump();
      KeyboardStateUpdate(true);
      GUIManager::Update(16);
      harness.Frame();
   }

   void PointerFrame(const Point2F& at, u32 buttons)
   {
      mouseStateSystem.previousX = mouseStateSystem.x;
      mouseStateSystem.previousY = mouseStateSystem.y;
      mouseStateSystem.previousButtons = mouseStateSystem.frameButtons;
      mouseStateSystem.x = static_cast<i32>(at.x);
      mouseStateSystem.y = static_cast<i32>(at.y);
      mouseStateSystem.dx = mouseStateSystem.x - mouseStateSystem.previousX;
      mouseStateSystem.dy = mouseStateSystem.y - mouseStateSystem.previousY;
      mouseStateSystem.frameButtons = buttons;
      FrameRun();
   }

   bool Settle()
   {
      for (i32 i = 0; i < 600; ++i)
      {
         if (game.actionQueue.count == 0 && !game.CardsAnimatingCheck() && !game.cardLayersPending)
         {
            return true;
         }
         PointerFrame(Point2F{static_cast<float>(mouseStateSystem.x), static_cast<float>(mouseStateSystem.y)},
                      mouseStateSystem.frameButtons);
      }
      return false;
   }

   static Point2F Middle(Widget* widget)
   {
      const Point2F at = widget->PositionAbsoluteGet();
      const Box2F box = widget->BoundsGet();
      return Point2F{at.x + box.x + box.width / 2.0f, at.y + box.y + box.height / 2.0f};
   }

   void Shot(const char* name)
   {
      screen.clearedThisFrame = 0;
      screen.ClearColorSet(ColorRGBA8{16, 72, 40, 255});
      screen.Clear();
      GUIManager::Draw();
      const std::vector<u8> frame = FrameRead();
      ShotWriter::Save(frame, ProgramFolderGet() + "/" + name + ".png");
   }

   CardGameHarness harness;
   TestCardGame game;
   bool opened = false;
};

TEST_F(CardGameInputTest, PressDragAndReleaseMovesARealCard)
{
   game.drop = [&](CardPile* pile, Card*) { return pile == harness.Pile(2); };
   harness.ConservedEveryFrame();
   Card* card = harness.Pile(1)->CardTopGet();
   ASSERT_TRUE(card->widget->CanDragGet());
   Point2F at = Middle(card->widget);
   PointerFrame(at, 0);
   PointerFrame(at, MOUSE_BUTTON_LEFT);
   EXPECT_EQ(card->dragLead, card);
   const Point2F target = Middle(harness.Pile(2)->CardTopGet()->widget);
   for (i32 step = 1; step <= 10; ++step)
   {
      PointerFrame(Point2F{at.x + (target.x - at.x) * step / 10.0f, at.y + (target.y - at.y) * step / 10.0f},
                   MOUSE_BUTTON_LEFT);
   }
   EXPECT_EQ(card->widget->ParentGet(), game.cardContainerTop) << "a dragged card is drawn over the others";
   PointerFrame(target, 0);
   ASSERT_TRUE(Settle());
   EXPECT_EQ(card->pile, harness.Pile(2));
   EXPECT_EQ(card->dragLead, nullptr);
   EXPECT_EQ(card->widget->ParentGet(), game.cardContainerBottom);
   EXPECT_EQ(harness.Pile(2)->cards.count, 4);

   // Let go over a pile that refuses it: the card flies back.
   Card* back = harness.Pile(1)->CardTopGet();
   at = Middle(back->widget);
   PointerFrame(at, MOUSE_BUTTON_LEFT);
   const Point2F foundation = Middle(harness.Pile(3)->widget);
   for (i32 step = 1; step <= 6; ++step)
   {
      PointerFrame(
          Point2F{at.x + (foundation.x - at.x) * step / 6.0f, at.y + (foundation.y - at.y) * step / 6.0f},
          MOUSE_BUTTON_LEFT);
   }
   PointerFrame(foundation, 0);
   EXPECT_EQ(game.journal.back(), "refused 3");
   ASSERT_TRUE(Settle());
   EXPECT_EQ(back->pile, harness.Pile(1));
   const Point2F home = back->widget->PositionAbsoluteGet();
   EXPECT_NEAR(home.x, harness.Pile(1)->CardPositionGet(1).x, 0.5f);
   EXPECT_NEAR(home.y, harness.Pile(1)->CardPositionGet(1).y, 0.5f);
}

TEST_F(CardGameInputTest, DoubleClickChoosesTheFirstAcceptingPile)
{
   game.drop = [&](CardPile* pile, Card*) { return pile == harness.Pile(3) || pile == harness.Pile(2); };
   Card* card = harness.Pile(1)->CardTopGet();
   const Point2F at = Middle(card->widget);
   PointerFrame(at, 0);
   PointerFrame(at, MOUSE_BUTTON_LEFT);
   PointerFrame(at, 0);
   EXPECT_EQ(card->pile, harness.Pile(1)) << "one click does not choose by default";
   PointerFrame(at, MOUSE_BUTTON_LEFT);
   PointerFrame(at, 0);
   ASSERT_TRUE(Settle());
   EXPECT_EQ(card->pile, harness.Pile(2)) << "piles are tried in creation order";
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(CardGameInputTest, ControlKeepsRestingCardsFromBeingDragged)
{
   Card* card = harness.Pile(1)->CardTopGet();
   ASSERT_TRUE(card->widget->CanDragGet());
   PlatformKeyStateSet(VK_LCONTROL, true);
   FrameRun();
   EXPECT_FALSE(card->widget->CanDragGet());
   const Point2F at = Middle(card->widget);
   PointerFrame(at, MOUSE_BUTTON_LEFT);
   EXPECT_EQ(card->dragLead, nullptr);
   PointerFrame(at, 0);
   PlatformKeyStateSet(VK_LCONTROL, false);
   FrameRun();
   EXPECT_TRUE(card->widget->CanDragGet());
}

TEST_F(CardGameInputTest, DraggedCardIsDrawnWhereItWouldLandInAPileThatTakesItAtAPosition)
{
   CardPile* row = harness.Pile(4);
   harness.CardsPlace(row, {"2D*", "3D*", "4D*", "5D*"});
   ASSERT_TRUE(Settle());
   Card* card = harness.Pile(1)->CardTopGet();
   Point2F at = Middle(card->widget);
   PointerFrame(at, MOUSE_BUTTON_LEFT);
   // Over the third card of the row: the index there is 2.
   const Point2F over = row->CardPositionGet(2);
   for (i32 step = 1; step <= 8; ++step)
   {
      PointerFrame(Point2F{at.x + (over.x - at.x) * step / 8.0f, at.y + (over.y - at.y) * step / 8.0f},
                   MOUSE_BUTTON_LEFT);
   }
   ASSERT_EQ(card->dragLead, card);
   ASSERT_TRUE(card->dropMarked);
   EXPECT_EQ(card->dropPileIndex, 4);
   const i32 index = card->dropIndex;
   ASSERT_GE(index, 1);
   ASSERT_LT(index, row->cards.count);
   ContainerWidget* bottom = game.cardContainerBottom;
   EXPECT_EQ(bottom->ChildIndexGet(card->widget), bottom->ChildIndexGet(row->cards[index]->widget) - 1)
       << "drawn just below the card that holds its index now";
   EXPECT_EQ(game.cardContainerTop->ChildIndexGet(card->widget), -1);
   Shot("CardGameInputDragWithin");
   game.insert = [](CardPile*, i32, Card*) { return true; };
   PointerFrame(over, 0);
   ASSERT_TRUE(Settle());
   EXPECT_EQ(row->CardIndexGet(card), index);
   EXPECT_TRUE(harness.CardsConservedCheck());
}

TEST_F(CardGameInputTest, HelpLabelCountsTheCardsOfTheHoveredPile)
{
   CardPile* foundation = harness.Pile(3);
   ASSERT_EQ(foundation->helpLabels.count, 1);
   CardPileHelpLabel* label = foundation->helpLabels[0];
   ASSERT_NE(label->widget, nullptr);
   ASSERT_NE(label->widget->text, nullptr);

   PointerFrame(Middle(foundation->widget), 0);
   EXPECT_TRUE(label->widget->VisibleCheck()) << "an empty pile with its picture shows its label";
   EXPECT_STREQ(label->widget->text->TextGet(), "0 Cards");

   game.CardAdd(foundation, harness.Pile(0)->CardTopGet());
   ASSERT_TRUE(Settle());
   EXPECT_STREQ(label->widget->text->TextGet(), "1 Card");
   foundation->highlighted = true;

   PointerFrame(Point2F{900, 700}, 0);
   EXPECT_FALSE(label->widget->VisibleCheck()) << "only the hovered pile shows its labels";
   PointerFrame(Middle(foundation->widget), 0);
   EXPECT_TRUE(label->widget->VisibleCheck());
   Shot("CardGameInput");
}

// A loaded hand shows its cards where they were saved (the two tableaus, alike in type, secondary
// and owner ID, each get their own cards back), and with nothing queued the player can drag them
// at once.
TEST_F(CardGameInputTest, ALoadedHandIsShownAndCanBeDraggedAtOnce)
{
   TestCardGameTypesRegister();
   harness.Pile(1)->CardTopGet()->SelectedSet(true);
   const std::string saved = harness.SavedText(&game);
   JSONTest::ValuePointer document = JSONTest::TextParse(saved);
   ASSERT_TRUE(game.Load(document.get()));
   EXPECT_EQ(harness.SavedText(&game), saved);
   ASSERT_EQ(game.actionQueue.count, 0);
   Card* top = harness.Pile(2)->CardTopGet();
   ASSERT_NE(top->widget, nullptr);
   FrameRun();
   EXPECT_TRUE(top->widget->CanDragGet());
   EXPECT_FALSE(harness.Pile(0)->CardTopGet()->widget->CanDragGet());
   EXPECT_TRUE(harness.CardsConservedCheck());
   Shot("LoadedHand");
   ReflectionManager::Deinit();
}
} // namespace
