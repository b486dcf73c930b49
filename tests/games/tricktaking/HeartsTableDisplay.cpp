// Hearts on screen with the shipped constants, layers and generated art: the player's fanned
// hand, three face-down hands, the panels with faces, the raised passing choice and a trick.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/profile/PortraitModel.h"
#include "app/profile/PortraitWidget.h"
#include "cardgame/CardWidget.h"
#include "cardgame/PlayerPanelWidget.h"
#include "core/TextManager.h"
#include "games/tricktaking/Hearts.h"
#include "games/tricktaking/HeartsResultsPopup.h"
#include "games/tricktaking/HeartsTrickReviewHandPopup.h"
#include "gui/widgets/ToggleButtonWidget.h"
#include "gui/widgets/WidgetChildSprite.h"
#include "platform/sprite/SpriteAnimation.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/GUIManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
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
class HeartsTableDisplayTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      const std::string data = BuildDataFolderGet();
      ASSERT_TRUE(std::filesystem::exists(data + "/Scripts/Minigames/Hearts.json")) << data;
      TrickTableTreeMake(harness, {"NonSolitaireFrontendBasedCardGame", "TrickReviewPrevious4Players",
                                   "TrickReviewHand4Players", "TrickTaking", "MessageBoxOK", "HeartsResults",
                                   "MessageBox", "TrickReviewHandHearts"});
      harness.FileWrite("Scripts/Minigames/Hearts.json", FileRead(data + "/Scripts/Minigames/Hearts.json"));

      ASSERT_TRUE(window.Open()) << "needs a display";
      CardWidgetTypesRegister();
      GUIManager::WidgetTypeRegister("Portrait", &PortraitWidgetCreate);
      PortraitTablesInit();
      TestTrickGameTypesRegister();
      HeartsPlayer::ReflectionRegister();
      Hearts::ReflectionRegister();
      harness.Enter(&game, 2024, 77);
      harness.cardGame = &game;
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      window.Close(harness, []() { PortraitTablesDeinit(); });
      ReflectionManager::Deinit();
   }

   template <class Condition> bool RunUntil(Condition condition)
   {
      for (i32 frame = 0; frame < 30000; ++frame)
      {
         if (condition())
         {
            return true;
         }
         CardTableWindow::FrameRun(harness);
      }
      return false;
   }

   // On the human's turn, its first legal card chosen as a double-click chooses it.
   void HumanLegalChoose()
   {
      CardPile* hand = game.PlayerHandGet(game.players[0]);
      if (!game.HumanMayActCheck() || game.playerActiveID != 0 || game.actionQueue.count != 0)
      {
         return;
      }
      for (i32 i = 0; i < hand->cards.count; ++i)
      {
         if (game.CardLegalCheck(hand->cards[i]))
         {
            harness.ChoosePost(hand->cards[i]);
            return;
         }
      }
   }

   static std::string AnimationGet(SpriteWidget* sprite)
   {
      return sprite && sprite->sprite && sprite->sprite->animation && sprite->sprite->animation->name
                 ? sprite->sprite->animation->name
                 : "";
   }

   void Shot(const char* name) { TableShot(name); }

   CardGameHarness harness;
   Hearts game;
   CardTableWindow window;
};

TEST_F(HeartsTableDisplayTest, PassingThenPlayingACard)
{
   ASSERT_EQ(game.playerPanels.count, 4);
   ASSERT_TRUE(game.players[0]->human);
   ASSERT_TRUE(RunUntil([this]() { return game.passCardsButton && game.passCardsButton->VisibleCheck(); }))
       << "the pass button comes with the human's passing turn";
   ASSERT_TRUE(RunUntil([this]() { return !game.BusyCheck(); }));
   CardPile* hand = game.PlayerHandGet(game.players[0]);
   ASSERT_EQ(hand->cards.count, 13);
   for (i32 p = 1; p < 4; ++p)
   {
      const CardPile* other = game.PlayerHandGet(game.players[p]);
      for (i32 i = 0; i < other->cards.count; ++i)
      {
         EXPECT_FALSE(other->cards[i]->faceUp) << "seat " << p;
      }
   }
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      EXPECT_TRUE(hand->cards[i]->faceUp);
   }
   Shot("HeartsPassing");
   for (i32 i = 0; i < 3; ++i)
   {
      EXPECT_FALSE(game.passCardsButton->EnabledCheck()) << "enabled only at three";
      harness.ChoosePost(hand->cards[2 * i]);
      ASSERT_TRUE(RunUntil([this]() { return game.actionQueue.count == 0; }));
   }
   CardTableWindow::FrameRun(harness);
   EXPECT_TRUE(game.passCardsButton->EnabledCheck());
   ASSERT_TRUE(RunUntil([this]() { return !game.CardsAnimatingCheck(); }));
   Shot("HeartsSelected");
   // Kept for a load in this passing turn at the end.
   JSONTest::ValuePointer passing(JSONValue::New(HEAP_DEFAULT));
   ASSERT_TRUE(game.Save(passing.get()));
   std::vector<std::vector<i32>> passedBefore(4);
   std::vector<i32> selectedBefore;
   for (i32 p = 0; p < 4; ++p)
   {
      const HeartsPlayer* seat = dynamic_cast<HeartsPlayer*>(game.players[p]);
      for (i32 j = 0; j < seat->cardsPassedIDs.count; ++j)
      {
         passedBefore[p].push_back(seat->cardsPassedIDs[j]);
      }
   }
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      if (hand->cards[i]->selected)
      {
         selectedBefore.push_back(hand->cards[i]->id);
      }
   }
   game.CommandCodePost(COMMAND_PASS_CARDS, 0);
   ASSERT_TRUE(RunUntil([this]() { return game.passingComplete; }));

   // The human plays its turn's legal card by choosing it, as a double-click does.
   CardPile* trick = game.CardPileGet(CARD_PILE_TYPE_TRICK, -1, 0);
   ASSERT_TRUE(RunUntil(
       [&]()
       {
          if (trick->cards.count > 0)
          {
             return true;
          }
          HumanLegalChoose();
          return false;
       }));
   ASSERT_TRUE(RunUntil([this]() { return !game.CardsAnimatingCheck(); }));
   Shot("HeartsTrick");
   EXPECT_TRUE(trick->cards[0]->faceUp);
   for (i32 i = 0; i < 4; ++i)
   {
      PlayerPanelWidget* widget = game.playerPanels[i]->widget;
      ASSERT_NE(widget, nullptr);
      ASSERT_GT(widget->textLines.count, 1);
      EXPECT_STREQ(widget->textLines[1]->TextGet(), "0") << "line 1 is the score";
   }

   // The hand played out by choosing a legal card at each turn: the results show its points.
   HeartsResultsPopup& results = HeartsResultsPopup::instance;
   ASSERT_TRUE(RunUntil(
       [&]()
       {
          if (PopupManager::IndexGet(&results) >= 0)
          {
             return true;
          }
          HumanLegalChoose();
          return false;
       }));
   ASSERT_TRUE(RunUntil([]() { return GUIManager::transitionsRunning == 0; }));
   Shot("HeartsResults");
   ASSERT_NE(results.layer, nullptr);
   i32 total = 0;
   for (i32 i = 0; i < 4; ++i)
   {
      const std::string index = std::to_string(i);
      auto* change = dynamic_cast<NumberLabelWidget*>(
          results.layer->DescendantGetByPath(("Panel.ScoreChange" + index).c_str()));
      auto* score = dynamic_cast<NumberLabelWidget*>(
          results.layer->DescendantGetByPath(("Panel.Score" + index).c_str()));
      ASSERT_TRUE(change && score);
      EXPECT_EQ(change->ValueGet(), game.players[i]->minigameScore)
          << "the first hand's points are the score";
      EXPECT_EQ(score->ValueGet(), game.players[i]->minigameScore);
      total += game.players[i]->minigameScore;
   }
   EXPECT_TRUE(total == 26 || total == 78) << total;
   auto* title = dynamic_cast<LabelWidget*>(results.layer->DescendantGetByPath("Panel.Title"));
   ASSERT_NE(title, nullptr);
   EXPECT_STREQ(title->TextGet(), textManager.TextGet("Scores"));

   // The hand's review from the results, with the page of the cards passed to the left.
   auto* reviewButton =
       dynamic_cast<PressButtonWidget*>(results.layer->DescendantGetByPath("Panel.TrickReviewHand"));
   ASSERT_NE(reviewButton, nullptr);
   reviewButton->onClick(reviewButton, reviewButton->onClickUserData);
   auto* review =
       dynamic_cast<HeartsTrickReviewHandPopup*>(PopupManager::popups[PopupManager::popups.count - 1]);
   ASSERT_NE(review, nullptr);
   ASSERT_TRUE(review->passingContainer && review->passingButton);
   EXPECT_TRUE(review->passingButton->VisibleCheck());
   EXPECT_FALSE(review->passingContainer->VisibleCheck());
   for (i32 i = 0; i < 4; ++i)
   {
      const HeartsPlayer* seat = dynamic_cast<HeartsPlayer*>(game.players[i]);
      ASSERT_EQ(seat->cardsPassedIDs.count, 3);
      for (i32 j = 0; j < 3; ++j)
      {
         const Card* card = game.CardGet(seat->cardsPassedIDs[j]);
         const std::string name = "Card" + std::to_string(i) + "_" + std::to_string(j);
         EXPECT_EQ(AnimationGet(
                       dynamic_cast<SpriteWidget*>(review->passingContainer->ChildGetByName(name.c_str()))),
                   CardSpriteNameGet(card->rank, card->suit));
      }
   }
   review->passingButton->OnSet(true);
   ASSERT_TRUE(RunUntil([]() { return GUIManager::transitionsRunning == 0; }));
   EXPECT_TRUE(review->passingContainer->VisibleCheck());
   i32 tinted = 0;
   for (i32 i = 0; i < review->handCardsContainer->ChildCountGet(); ++i)
   {
      const ColorRGBA8 color = review->handCardsContainer->ChildGetAt(i)->ColorGet();
      tinted += color.r != 255 ? 1 : 0;
   }
   EXPECT_EQ(tinted, 12) << "the passed cards take the review's highlight";
   Shot("HeartsReviewPassing");
   review->passingButton->OnSet(false);
   CardTableWindow::FrameRun(harness);
   EXPECT_FALSE(review->passingContainer->VisibleCheck());
   PopupManager::Close(review);
   const i32 direction = game.passDirection;
   game.passDirection = HEARTS_PASS_NONE;
   game.TrickReviewHandShow();
   review = dynamic_cast<HeartsTrickReviewHandPopup*>(PopupManager::popups[PopupManager::popups.count - 1]);
   ASSERT_NE(review, nullptr);
   EXPECT_FALSE(review->passingButton->VisibleCheck()) << "no passing page for a hand without passing";
   PopupManager::Close(review);
   game.passDirection = direction;

   // OK deals the next hand.
   results.onOK(&results, nullptr, results.onOKUserData);
   EXPECT_LT(PopupManager::IndexGet(&results), 0);
   EXPECT_EQ(game.passDirection, HEARTS_PASS_RIGHT);

   // At the game's end a tie for the lowest score is a draw.
   game.gameResult = MINIGAME_RESULT_DRAWN;
   game.ResultsShow();
   ASSERT_NE(results.layer, nullptr);
   title = dynamic_cast<LabelWidget*>(results.layer->DescendantGetByPath("Panel.Title"));
   ASSERT_NE(title, nullptr);
   EXPECT_STREQ(title->TextGet(), textManager.TextGet("DefaultDraw"));
   game.players[2]->minigameWinner = true;
   game.ResultsHide();
   game.ResultsShow();
   title = dynamic_cast<LabelWidget*>(results.layer->DescendantGetByPath("Panel.Title"));
   EXPECT_EQ(std::string(title->TextGet()),
             std::string(game.players[2]->DisplayNameGet()) + textManager.TextGet("DefaultWins"));

   // A game loaded in the human's passing turn shows the pass button with the choice kept.
   game.ResultsHide();
   ASSERT_TRUE(game.Load(passing.get()));
   CardTableWindow::FrameRun(harness);
   EXPECT_FALSE(game.passingComplete);
   EXPECT_TRUE(game.passCardsButton->VisibleCheck());
   EXPECT_TRUE(game.passCardsButton->EnabledCheck());
   hand = game.PlayerHandGet(game.players[0]);
   std::vector<i32> selectedAfter;
   for (i32 i = 0; i < hand->cards.count; ++i)
   {
      if (hand->cards[i]->selected)
      {
         selectedAfter.push_back(hand->cards[i]->id);
      }
   }
   EXPECT_EQ(selectedAfter, selectedBefore);
   for (i32 p = 0; p < 4; ++p)
   {
      const HeartsPlayer* seat = dynamic_cast<HeartsPlayer*>(game.players[p]);
      std::vector<i32> passedAfter;
      for (i32 j = 0; j < seat->cardsPassedIDs.count; ++j)
      {
         passedAfter.push_back(seat->cardsPassedIDs[j]);
      }
      EXPECT_EQ(passedAfter, passedBefore[p]) << "seat " << p;
   }
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
