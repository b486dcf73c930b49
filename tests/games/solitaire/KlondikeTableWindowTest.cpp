// Klondike on a real GUI (Xvfb and Mesa) with its own layer, art and texts: the money shown under
// the table, the Reset button once the stock runs empty, the results popup of a won deal with
// its title, time and score, gone again when the win is taken back, and the card styles that the
// player chose drawn on the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/CardPileHelpLabel.h"
#include "cardgame/CardPileWidget.h"
#include "cardgame/CardWidget.h"
#include "core/FileManagerStdio.h"
#include "core/ProgressionManager.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/FadeManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "platform/image/ImageManagerOpenGL.h"
#include "platform/image/TextureManagerOpenGL.h"
#include "platform/input/Keyboard.h"
#include "platform/input/MouseManager.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/FontManager.h"
#include "platform/window/Screen.h"
#include "platform/window/ScreenshotWriter.h"
#include "tests/platform/SpriteTestSupport.h"
#include "tests/cardgame/CardTableWindow.h"
#include "tests/cardgame/FannedIndexCheck.h"
#include "tests/games/solitaire/KlondikeHarness.h"
#include "tests/TestSupport.h"
#include "tests/platform/ScreenTestSupport.h"

namespace Corvale
{
namespace
{
using TestSupport::KlondikeHarness;

class KlondikeTableWindowTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      const std::string data = TestSupport::BuildDataFolderGet();
      ASSERT_TRUE(std::filesystem::exists(data + "/Graphics/GUI/Solitaire/ButtonUp.png")) << data;
      const std::string base = harness.folder.path;
      std::filesystem::create_directories(base + "/Graphics");
      for (const char* folder : {"Graphics/Fonts", "Graphics/Sprites", "Graphics/GUI", "Text"})
      {
         std::filesystem::create_directory_symlink(data + "/" + folder, base + "/" + folder);
      }
      std::ifstream file(data + "/Graphics/GraphicsConsts.json");
      harness.ConstsWithTemplatesSet(
          std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));

      ASSERT_TRUE(window.Open()) << "needs a display (run under xvfb-run)";
      CardWidgetTypesRegister();
   }

   void TearDown() override { window.Close(harness); }

   // Frames as the program runs them, until the game is idle and no card moves.
   void Settle()
   {
      for (i32 i = 0; i < 3000 && !(harness.IdleCheck() && !game.CardsAnimatingCheck()); ++i)
      {
         TestSupport::CardTableWindow::FrameRun(harness);
      }
      ASSERT_TRUE(harness.IdleCheck() && !game.CardsAnimatingCheck());
   }

   // The frame as the program draws it now, also kept as a picture beside the test program.
   std::vector<u8> FrameDraw(const char* shot)
   {
      screen.clearedThisFrame = 0;
      screen.ClearColorSet(ColorRGBA8{0, 0, 0, 255});
      screen.Clear();
      GUIManager::Draw();
      std::vector<u8> frame = TestSupport::FrameRead();
      FileManagerStdio shots;
      shots.BaseFolderSet((TestSupport::ProgramFolderGet() + "/").c_str());
      EXPECT_TRUE(ScreenshotWrite(&shots, shot, frame.data(), screen.clientWidth, screen.clientHeight));
      return frame;
   }

   // The pixels inside the middle of the card's drawn box that pass the test.
   static i32 CardPixelsCount(const std::vector<u8>& frame, Card* card,
                              const std::function<bool(const TestSupport::Pixel&)>& test)
   {
      const Point2F at = card->widget->PositionAbsoluteGet();
      const Box2F box = card->widget->BoundsGet();
      const i32 left = static_cast<i32>(at.x + box.x + box.width * 0.15f);
      const i32 right = static_cast<i32>(at.x + box.x + box.width * 0.85f);
      const i32 top = static_cast<i32>(at.y + box.y + box.height * 0.15f);
      const i32 bottom = static_cast<i32>(at.y + box.y + box.height * 0.85f);
      i32 count = 0;
      for (i32 y = std::max(top, 0); y < std::min(bottom, screen.clientHeight); ++y)
      {
         for (i32 x = std::max(left, 0); x < std::min(right, screen.clientWidth); ++x)
         {
            count += test(TestSupport::PixelAt(frame, x, y)) ? 1 : 0;
         }
      }
      return count;
   }

   template <class W> W* WidgetAt(const char* path)
   {
      return dynamic_cast<W*>(GUIManager::WidgetGetByPath(path));
   }

   KlondikeSolitaire game;
   KlondikeHarness harness;
   TestSupport::CardTableWindow window;
};

TEST_F(KlondikeTableWindowTest, TheMoneyTheResetButtonAndTheResultsShowOnTheTable)
{
   KlondikeHarness::OptionSet("Variation", "MoneyKlondikeF3");
   harness.KlondikeEnter(&game);
   Settle();
   ASSERT_NE(game.resetButton, nullptr);
   EXPECT_FALSE(game.resetButton->VisibleCheck());
   NumberLabelWidget* money = WidgetAt<NumberLabelWidget>("KlondikeSolitaire.ScoreNumber");
   ASSERT_NE(money, nullptr);
   EXPECT_TRUE(money->VisibleCheck());
   EXPECT_STREQ(money->TextGet(), "-52");
   EXPECT_TRUE(WidgetAt<Widget>("KlondikeSolitaire.ScoreText")->VisibleCheck());

   while (harness.Stock()->cards.count > 0)
   {
      EXPECT_FALSE(game.resetButton->VisibleCheck());
      harness.ChoosePost(harness.Stock()->CardTopGet());
      Settle();
   }
   EXPECT_TRUE(game.resetButton->VisibleCheck());
   EXPECT_TRUE(game.resetButton->EnabledCheck());
   game.resetButton->onClick(game.resetButton, game.resetButton->onClickUserData);
   Settle();
   EXPECT_FALSE(game.resetButton->VisibleCheck());
   EXPECT_EQ(harness.Stock()->cards.count, 24);

   // Every card on its foundation but the last king, which the player then plays: the refresh
   // finds the win and the results show it.
   harness.TableClear();
   static const char* const suits = "HSDC";
   static const char* const ranks = "A23456789TJQK";
   for (i32 suit = 0; suit < 4; ++suit)
   {
      std::vector<std::string> names;
      for (i32 rank = 0; rank < (suit == 3 ? 12 : 13); ++rank)
      {
         names.push_back(std::string(1, ranks[rank]) + suits[suit] + "*");
      }
      harness.CardsPlace(harness.Foundation(suit), names);
   }
   harness.CardsPlace(harness.Column(0), {"KC*"});
   ASSERT_TRUE(harness.Drop(harness.Column(0)->cards[0], harness.Foundation(3)));
   Settle();
   ASSERT_EQ(game.gameResult, MINIGAME_RESULT_WON);
   EXPECT_EQ(GUIManager::WidgetGetByPath("TraditionalSolitaireResults"), nullptr);
   LabelWidget* title = WidgetAt<LabelWidget>("TraditionalSolitaireResultsWithScore.Panel.Title");
   NumberLabelWidget* time = WidgetAt<NumberLabelWidget>("TraditionalSolitaireResultsWithScore.Panel.Time");
   NumberLabelWidget* score =
       WidgetAt<NumberLabelWidget>("TraditionalSolitaireResultsWithScore.Panel.ScoreValue");
   ASSERT_TRUE(title && time && score);
   EXPECT_STREQ(title->TextGet(), textManager.TextGet("TraditionalSolitaireWin"));
   const std::string timeText = time->TextGet() ? time->TextGet() : "";
   EXPECT_NE(timeText.find(textManager.TextGet("TraditionalSolitaireSeconds")), std::string::npos)
       << timeText;
   EXPECT_STREQ(score->TextGet(), "208");
   EXPECT_STREQ(money->TextGet(), "208");

   game.Undo();
   Settle();
   EXPECT_EQ(game.gameResult, MINIGAME_RESULT_RUNNING);
   EXPECT_EQ(harness.Column(0)->cards.count, 1);
   EXPECT_EQ(GUIManager::WidgetGetByPath("TraditionalSolitaireResultsWithScore"), nullptr);
}

// Each variation's reset on the table: hidden while the stock holds cards, shown once it is empty,
// and clickable only while resets remain; a reset brings the stock back in its order.
TEST_F(KlondikeTableWindowTest, TheResetButtonOffersEachVariationsResets)
{
   struct Case
   {
      const char* variation;
      i32 resets;
   };
   for (const Case& c : {Case{"FlipOneNoResets", 0}, Case{"FlipOneOneReset", 1}, Case{"MoneyKlondikeF3", 3}})
   {
      SCOPED_TRACE(c.variation);
      KlondikeHarness::OptionSet("Variation", c.variation);
      harness.KlondikeEnter(&game);
      Settle();
      ASSERT_NE(game.resetButton, nullptr);
      const std::string stockOrder = TestSupport::CardGameHarness::PileText(harness.Stock());
      for (i32 pass = 0; pass <= c.resets; ++pass)
      {
         SCOPED_TRACE("pass " + std::to_string(pass));
         while (harness.Stock()->cards.count > 0)
         {
            ASSERT_FALSE(game.resetButton->VisibleCheck()) << harness.Stock()->cards.count << " cards left";
            harness.ChoosePost(harness.Stock()->CardTopGet());
            Settle();
         }
         ASSERT_TRUE(game.resetButton->VisibleCheck());
         EXPECT_EQ(game.resetButton->EnabledCheck(), pass < c.resets);
         if (pass < c.resets)
         {
            game.resetButton->onClick(game.resetButton, game.resetButton->onClickUserData);
            Settle();
            EXPECT_FALSE(game.resetButton->VisibleCheck());
            EXPECT_EQ(TestSupport::CardGameHarness::PileText(harness.Stock()), stockOrder);
         }
      }
      EXPECT_TRUE(harness.CardsConservedCheck());
   }
}

// The styles chosen on the settings menu's card page live in the profile: the table shows a blue
// diamond on a four-colour face and red backs on the stock, where the defaults would show neither.
TEST_F(KlondikeTableWindowTest, TheChosenCardStylesShowOnTheTable)
{
   profileCurrent->ItemStringSet("CardFrontStyle", "FourColor");
   profileCurrent->ItemStringSet("CardBackStyle", "Red");
   harness.KlondikeEnter(&game);
   Settle();
   harness.TableClear();
   harness.CardsPlace(harness.Column(0), {"TD*"});
   // Placed at once, the cards still have to be laid out and layered on the table.
   game.cardPilesLayoutPending = true;
   game.cardLayersPending = true;
   TestSupport::CardTableWindow::FrameRun(harness);
   Settle();
   Card* diamond = harness.Column(0)->CardTopGet();
   Card* back = harness.Stock()->CardTopGet();
   ASSERT_TRUE(diamond && diamond->widget && back && back->widget);
   const std::vector<u8> frame = FrameDraw("KlondikeCardStyles.png");

   const i32 blue = CardPixelsCount(
       frame, diamond, [](const TestSupport::Pixel& p) { return p.b > p.r + 80 && p.b > p.g + 40; });
   const i32 red = CardPixelsCount(
       frame, diamond, [](const TestSupport::Pixel& p) { return p.r > p.g + 80 && p.r > p.b + 80; });
   EXPECT_GT(blue, 20) << "the ten of diamonds shows no blue pips";
   EXPECT_EQ(red, 0) << "the ten of diamonds shows red pips";
   const i32 backRed =
       CardPixelsCount(frame, back, [](const TestSupport::Pixel& p) { return p.r > p.b + 60; });
   const i32 backBlue =
       CardPixelsCount(frame, back, [](const TestSupport::Pixel& p) { return p.b > p.r + 60; });
   EXPECT_GT(backRed, 200) << "the stock's back is not red";
   EXPECT_EQ(backBlue, 0) << "the stock's back shows blue";
}

// The drawing tests' PNG writer.
struct ShotWriter : sprite_test_support::DrawingTest
{
   using DrawingTest::Save;
};

TEST_F(KlondikeTableWindowTest, ALongColumnAndTheWasteShowEveryIndexAndTheStockCountStaysClear)
{
   harness.KlondikeEnter(&game);
   Settle();
   // The longest column a deal allows (seven backs under a full run), a full run in the first
   // column, five cards turned onto the waste and the rest in the stock.
   harness.TableClear();
   harness.CardsPlace(harness.Column(6),
                      {"2D",  "3D",  "4D",  "5D",  "6D",  "7D",  "8D",  "KS*", "QH*", "JS*",
                       "TH*", "9S*", "8H*", "7S*", "6H*", "5S*", "4H*", "3S*", "2H*", "AS*"});
   harness.CardsPlace(harness.Column(0), {"KH*", "QS*", "JH*", "TS*", "9H*", "8S*", "7H*", "6S*", "5H*",
                                          "4S*", "3H*", "2S*", "AH*"});
   harness.CardsPlace(harness.Waste(), {"KC*", "QC*", "JC*", "TC*", "9C*"});
   ASSERT_EQ(harness.Column(6)->cards.count, 20);
   ASSERT_EQ(harness.Stock()->cards.count, 14);
   CardPile* stock = harness.Stock();
   ASSERT_EQ(stock->helpLabels.count, 1);
   // The count shows while the pointer rests on the stock.
   mouseStateSystem.x = static_cast<i32>(stock->position.x);
   mouseStateSystem.y = static_cast<i32>(stock->position.y);
   for (const char* style : {"Classic", "FourColor", "LargePrint"})
   {
      SCOPED_TRACE(style);
      // The player's choice, wherever the game reads it from.
      profileCurrent->ItemStringSet("CardFrontStyle", style);
      KlondikeHarness::OptionSet("CardFrontStyle", style);
      game.CardSpritesReload();
      // A frame lays the placed cards out; then they fly there.
      TestSupport::CardTableWindow::FrameRun(harness);
      Settle();
      screen.clearedThisFrame = 0;
      screen.ClearColorSet(ColorRGBA8{16, 72, 40, 255});
      screen.Clear();
      GUIManager::Draw();
      const std::vector<u8> frame = TestSupport::FrameRead();
      ShotWriter::Save(frame, TestSupport::ProgramFolderGet() + "/KlondikeTable" + style + ".png");
      TestSupport::FannedIndexCheck check(TestSupport::BuildDataFolderGet());
      EXPECT_EQ(check.PileCheck(frame, harness.Column(6), style), 12);
      EXPECT_EQ(check.PileCheck(frame, harness.Column(0), style), 12);
      EXPECT_EQ(check.PileCheck(frame, harness.Waste(), style), 2);
   }

   // A question over the table: its panel looks the same whatever lies beneath it.
   MessageBoxPopup* question = MessageBoxPopup::Show("ConfirmGameNew", "MessageBoxYesNo");
   ASSERT_NE(question, nullptr);
   for (i32 i = 0; i < 200 && GUIManager::transitionsRunning > 0; ++i)
   {
      TestSupport::CardTableWindow::FrameRun(harness);
   }
   Widget* panel = GUIManager::WidgetGetByPath("MessageBoxYesNo.Panel");
   ASSERT_NE(panel, nullptr);
   auto drawn = [&]()
   {
      screen.clearedThisFrame = 0;
      screen.ClearColorSet(ColorRGBA8{16, 72, 40, 255});
      screen.Clear();
      GUIManager::Draw();
      return TestSupport::FrameRead();
   };
   const std::vector<u8> overCards = drawn();
   ShotWriter::Save(overCards, TestSupport::ProgramFolderGet() + "/KlondikeQuestion.png");
   game.cardContainerBottom->VisibleSet(false);
   const std::vector<u8> overFelt = drawn();
   game.cardContainerBottom->VisibleSet(true);
   const Point2F corner = panel->PositionAbsoluteGet();
   int showingThrough = 0;
   // Inside the panel's rounded border and shadow.
   for (int y = static_cast<int>(corner.y) + 24; y < static_cast<int>(corner.y) + 300 - 24; ++y)
   {
      for (int x = static_cast<int>(corner.x) + 24; x < static_cast<int>(corner.x) + 540 - 24; ++x)
      {
         const TestSupport::Pixel a = TestSupport::PixelAt(overCards, x, y);
         const TestSupport::Pixel b = TestSupport::PixelAt(overFelt, x, y);
         showingThrough += a.r != b.r || a.g != b.g || a.b != b.b ? 1 : 0;
      }
   }
   EXPECT_EQ(showingThrough, 0) << "cards show through the question box";
   PopupManager::CloseAll();

   // The stock's count shows, and no card or empty-pile picture of another pile reaches into it.
   Widget* label = stock->helpLabels[0]->widget;
   ASSERT_NE(label, nullptr);
   EXPECT_TRUE(label->VisibleCheck());
   const Point2F at = label->PositionAbsoluteGet();
   const Box2F box = label->BoundsGet();
   auto overlaps = [&](const Point2F& centre, const Box2F& other)
   {
      const float left = centre.x + other.x, top = centre.y + other.y;
      return left < at.x + box.x + box.width && at.x + box.x < left + other.width &&
             top < at.y + box.y + box.height && at.y + box.y < top + other.height;
   };
   for (i32 p = 0; p < game.cardPiles.count; ++p)
   {
      CardPile* pile = game.cardPiles[p];
      if (pile == stock)
      {
         continue;
      }
      ASSERT_NE(pile->widget, nullptr);
      EXPECT_FALSE(overlaps(pile->widget->PositionAbsoluteGet(), pile->widget->BoundsGet())) << "pile " << p;
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         CardWidget* card = pile->cards[i]->widget;
         ASSERT_NE(card, nullptr);
         EXPECT_FALSE(overlaps(card->PositionAbsoluteGet(), card->BoundsGet()))
             << "pile " << p << " card " << i;
      }
   }
}
} // namespace
} // namespace Corvale
