// The four-player table on screen with the shipped layers, constants and art: panels with faces,
// names and one lit frame, and the previous-trick review showing the four cards of a trick.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "app/profile/PortraitModel.h"
#include "app/profile/PortraitWidget.h"
#include "cardgame/CardWidget.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/tricktaking/TrickReviewPopup.h"
#include "gui/GUIManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "platform/window/Screen.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/CardTableWindow.h"
#include "tests/cardgame/tricktaking/TestTrickGame.h"
#include "tests/cardgame/tricktaking/TrickTableSupport.h"
#include "tests/platform/SpriteTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
class TrickTableDisplayTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      const std::string data = BuildDataFolderGet();
      ASSERT_TRUE(std::filesystem::exists(data + "/Graphics/GUI/TrickTaking/Plaque.png")) << data;
      TrickTableTreeMake(harness, {"NonSolitaireFrontendBasedCardGame", "TrickReviewPrevious4Players",
                                   "TrickReviewHand4Players", "TrickTaking"});

      ASSERT_TRUE(window.Open()) << "needs a display";
      CardWidgetTypesRegister();
      GUIManager::WidgetTypeRegister("Portrait", &PortraitWidgetCreate);
      PortraitTablesInit();
      TestTrickGameTypesRegister();

      game.layerName = "NonSolitaireFrontendBasedCardGame";
      harness.CardGameEnter(&game, TestTrickGameConsts(R"("Inherited": "TrickTaking4Players",)"));
      game.SubgameNew();
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      window.Close(harness, []() { PortraitTablesDeinit(); });
      ReflectionManager::Deinit();
   }

   void FrameRun() { CardTableWindow::FrameRun(harness); }

   // Frames until the popups' transitions have run.
   void TransitionsFinish()
   {
      for (i32 frame = 0; frame < 600 && GUIManager::transitionsRunning > 0; ++frame)
      {
         FrameRun();
      }
   }

   // Plays on, the human giving random legal cards, until the condition holds; false at the cap.
   template <class Condition> bool PlayUntil(Condition condition)
   {
      for (i32 frame = 0; frame < 20000; ++frame)
      {
         if (condition())
         {
            return true;
         }
         if (game.HumanMayActCheck())
         {
            harness.ChoosePost(game.LegalCardRandomGet());
         }
         FrameRun();
      }
      return false;
   }

   void Shot(const char* name) { TableShot(name); }

   static std::string AnimationGet(SpriteWidget* sprite)
   {
      return sprite && sprite->sprite && sprite->sprite->animation && sprite->sprite->animation->name
                 ? sprite->sprite->animation->name
                 : "";
   }

   CardGameHarness harness;
   TestTrickGame game;
   CardTableWindow window;
};

TEST_F(TrickTableDisplayTest, PanelsShowFacesNamesAndOneLitFrame)
{
   ASSERT_EQ(game.playerPanels.count, 4);
   ASSERT_TRUE(PlayUntil([this]() { return game.trickIndexCurrent == 0 && game.HumanMayActCheck(); }));
   i32 lit = 0;
   for (i32 i = 0; i < 4; ++i)
   {
      PlayerPanelWidget* widget = game.playerPanels[i]->widget;
      ASSERT_NE(widget, nullptr) << i;
      ASSERT_NE(widget->portrait, nullptr);
      ASSERT_EQ(widget->textLines.count, 3);
      ASSERT_NE(widget->textLines[0], nullptr);
      const char* name = widget->textLines[0]->TextGet();
      EXPECT_STREQ(name, game.players[i]->DisplayNameGet()) << i;
      const std::string frame = AnimationGet(widget->frame);
      lit += frame == "FrameOn" ? 1 : 0;
      EXPECT_EQ(frame == "FrameOn", game.players[i]->id == game.playerActiveID) << i;
      EXPECT_EQ(widget->plaque->ChildGetByName("IconDealer")->VisibleCheck(),
                game.players[i]->id == game.dealerPlayerID);
   }
   EXPECT_EQ(lit, 1);

   // Each portrait is a face of many parts, not an empty square.
   Shot("TrickTablePanels");
   for (i32 i = 0; i < 4; ++i)
   {
      PortraitWidget* portrait = game.playerPanels[i]->widget->portrait;
      i32 parts = 0;
      for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
      {
         parts += AnimationGet(portrait->PartWidgetGet(part)).empty() ? 0 : 1;
      }
      EXPECT_GE(parts, 8) << "portrait " << i;
   }

   // Outside a running hand no frame is lit.
   game.subgameOver = true;
   game.PlayerPanelFramesRefresh();
   for (i32 i = 0; i < 4; ++i)
   {
      EXPECT_EQ(AnimationGet(game.playerPanels[i]->widget->frame), "FrameOff");
   }
}

TEST_F(TrickTableDisplayTest, TheReviewShowsTheFourCardsOfTheLastTrick)
{
   ASSERT_TRUE(PlayUntil([this]() { return game.trickIndexCurrent == 2 && game.actionQueue.count == 0; }));
   ASSERT_NE(game.trickReviewPreviousButton, nullptr);
   EXPECT_TRUE(game.trickReviewPreviousButton->VisibleCheck());
   game.trickReviewPreviousButton->onClick(game.trickReviewPreviousButton, &game);
   game.TrickReviewShow();
   ASSERT_EQ(PopupManager::popups.count, 1) << "never two reviews at once";
   TrickReviewPopup* review = dynamic_cast<TrickReviewPopup*>(PopupManager::popups[0]);
   ASSERT_NE(review, nullptr);
   EXPECT_EQ(review->trickShown, 1);
   ASSERT_NE(review->cardsContainer, nullptr);
   std::set<std::string> shown;
   for (i32 i = 0; i < review->cardsContainer->ChildCountGet(); ++i)
   {
      shown.insert(AnimationGet(dynamic_cast<SpriteWidget*>(review->cardsContainer->ChildGetAt(i))));
   }
   shown.erase("");
   EXPECT_EQ(shown.size(), 4u);
   // The game waits while the review is open.
   EXPECT_TRUE(game.BusyCheck());
   TransitionsFinish();
   Shot("TrickTableReview");

   // The hand review steps between the finished tricks and no further than the one in progress.
   PopupManager::CloseAll();
   game.TrickReviewHandShow();
   TrickReviewHandPopup* hand = dynamic_cast<TrickReviewHandPopup*>(PopupManager::popups[0]);
   ASSERT_NE(hand, nullptr);
   ASSERT_NE(hand->handCardsContainer, nullptr);
   EXPECT_EQ(hand->handCardsContainer->ChildCountGet(), 8 + game.TrickCardsPlayedCount())
       << "every card given so far";
   TrickReviewHandPopup::OnPreviousClick(nullptr, hand);
   EXPECT_EQ(hand->trickShown, 0);
   for (i32 i = 0; i < 5; ++i)
   {
      TrickReviewHandPopup::OnNextClick(nullptr, hand);
   }
   EXPECT_EQ(hand->trickShown, 2);
   TrickReviewHandPopup::OnPreviousClick(nullptr, hand);
   i32 tinted = 0;
   for (i32 i = 0; i < hand->handCardsContainer->ChildCountGet(); ++i)
   {
      TrickReviewCardWidget* card =
          dynamic_cast<TrickReviewCardWidget*>(hand->handCardsContainer->ChildGetAt(i));
      ASSERT_NE(card, nullptr);
      const bool dim = card->ColorGet().r != 255;
      EXPECT_EQ(dim, card->trickIndex < 1);
      tinted += dim ? 1 : 0;
   }
   EXPECT_EQ(tinted, 4);
   TransitionsFinish();
   Shot("TrickTableHandReview");
}
TEST_F(TrickTableDisplayTest, ALoadedGameShowsItsOwnPlayersAndARemovedPanelIsRebuilt)
{
   ASSERT_TRUE(PlayUntil([this]() { return game.trickIndexCurrent == 1 && game.actionQueue.count == 0; }));
   // Other characters than a fresh game would draw, and another dealer.
   const char* const cast[] = {"Kofi", "Greta", "Ines"};
   for (i32 i = 1; i < 4; ++i)
   {
      game.players[i]->NameSet(cast[i - 1]);
   }
   game.DealerSet(game.players[2]);

   TestTrickGame fresh;
   fresh.layerName = game.layerName;
   ASSERT_TRUE(harness.RoundTripCheck(&fresh));
   ASSERT_EQ(fresh.playerPanels.count, 4);
   for (i32 i = 0; i < 4; ++i)
   {
      PlayerPanelWidget* widget = fresh.playerPanels[i]->widget;
      ASSERT_NE(widget, nullptr);
      EXPECT_STREQ(widget->textLines[0]->TextGet(), fresh.players[i]->DisplayNameGet()) << i;
      EXPECT_EQ(widget->plaque->ChildGetByName("IconDealer")->VisibleCheck(), i == 2) << i;
   }
   EXPECT_STREQ(fresh.players[1]->name, "Kofi");
   // The faces follow the loaded characters: Kofi's green skin, not the drawn character's.
   const JSONValue* kofi = consts->ItemGet("Characters")->ItemGet("Kofi")->ItemGet("Portrait");
   PortraitWidget expected;
   expected.InitWithoutSpecification("Expected", nullptr);
   expected.DescriptionLoad(kofi);
   PortraitWidget* shown = fresh.playerPanels[1]->widget->portrait;
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      EXPECT_EQ(shown->PartSpriteGet(part), expected.PartSpriteGet(part)) << part;
   }
   expected.Deinit();

   // A character missing from the constants gets the default face.
   fresh.players[3]->NameSet("Nobody");
   fresh.playerPanels[3]->PortraitUpdate();
   PortraitWidget fallback;
   fallback.InitWithoutSpecification("Fallback", nullptr);
   fallback.DefaultPartsSet();
   for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
   {
      EXPECT_EQ(fresh.playerPanels[3]->widget->portrait->PartSpriteGet(part), fallback.PartSpriteGet(part));
   }
   fallback.Deinit();

   // A panel whose widget went is rebuilt by the next GUI set-up of its record.
   PlayerPanelWidget* old = fresh.playerPanels[0]->widget;
   fresh.playerPanelContainer->ChildRemove(old);
   GUIManager::RemovedWidgetsDestroy();
   EXPECT_EQ(fresh.playerPanels[0]->widget, nullptr);
   fresh.playerPanels[0]->Refresh();
   fresh.playerPanels[0]->WidgetCreate();
   ASSERT_NE(fresh.playerPanels[0]->widget, nullptr);
   EXPECT_EQ(fresh.playerPanels[0]->widget->owner, fresh.playerPanels[0]);
   Shot("TrickTableLoaded");
   // fresh goes before the harness.
   harness.Leave();
}

} // namespace
} // namespace TestSupport
} // namespace Corvale
