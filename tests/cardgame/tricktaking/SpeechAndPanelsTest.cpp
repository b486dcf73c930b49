// Speech lines and panel state headless: who speaks which group's line on the engine's words, and
// the panel records' frames, dealer marks and team lines.
#include <gtest/gtest.h>

#include <string>

#include "cardgame/Team.h"
#include "core/Random.h"
#include "core/TextManager.h"
#include "gui/dialog/DialogManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "platform/window/Screen.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/tricktaking/TestTrickGame.h"

namespace Corvale
{
namespace TestSupport
{
namespace
{
const std::string LONG_GROUP_63 = std::string(57, 'G'); // "Mabel_" + 57 = 63 characters
const std::string LONG_GROUP_64 = std::string(58, 'G');

class SpeechAndPanelsTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      TestTrickGameTypesRegister();
      harness.CardGlobalConstsSet(
          std::string(CARD_GAME_HARNESS_CONSTS)
              .insert(1, R"("Characters": {"Mabel": {"AddressDialogGroupSuffix": "TO_MABEL"},
                               "Otto": {"AddressDialogGroupSuffix": 5}, "Rosa": {}},
          "DialogWidgetSize": "440|130", "DialogWidgetPlayerLeftOffset": "-446|4",
          "DialogWidgetPlayerRightOffset": "306|4",)"));
      dialogConsts = JSONTest::TextParse(R"({"Dialogs": {}, "DialogGroups": {
          "Mabel_WIN": ["MabelWin"], "Otto_WIN": ["OttoWin"], "Rosa_WIN": ["RosaWin"],
          "Otto_TO_MABEL": ["OttoToMabel"], "Mabel_)" +
                                         LONG_GROUP_63 + R"(": ["Long63"], "Mabel_)" + LONG_GROUP_64 +
                                         R"(": ["Long64"]}})");
      dialogManager.Init(dialogConsts.get(), &language);
      game.teamCount = 2;
      harness.CardGameEnter(&game, TestTrickGameConsts(R"("PlayerPanelsIncluded": true,
          "PlayerPanelPositions": ["100|600", "10|300", "100|10", "700|300"],)"));
      game.TeamsPartnersAssign();
      const char* names[] = {"Player", "Mabel", "Otto", "Rosa"};
      for (i32 i = 1; i < 4; ++i)
      {
         game.players[i]->NameSet(names[i]);
      }
      game.ActionQueueClear();
   }

   void TearDown() override
   {
      harness.Leave();
      dialogManager.Deinit();
      ReflectionManager::Deinit();
   }

   // The dialog names of the queued speech lines, oldest first, then the queue emptied.
   std::string Said()
   {
      std::string said;
      for (i32 i = game.actionQueue.count - 1; i >= 0; --i)
      {
         const Action& action = game.actionQueue[i];
         if (action.type == ACTION_SPEAK)
         {
            said += (said.empty() ? "" : " ") + std::to_string(action.int0) + ":" +
                    (action.string0 ? action.string0 : "?");
         }
      }
      game.ActionQueueClear();
      return said;
   }

   // Engine words whose next unit draw is exactly 0: the second word, rotated, cancels the
   // generator's constant, so both words agree in their low half after the step.
   static void ZeroDrawWordsSet()
   {
      const u32 rotated = 0u - 0x0632D80Fu;
      randomState0 = 12345;
      randomState1 = (rotated >> 3) | (rotated << 29);
   }

   CardGameHarness harness;
   TestTrickGame game;
   JSONTest::ValuePointer dialogConsts;
   u32 language = 0;
};

TEST_F(SpeechAndPanelsTest, SpeechLinesTable)
{
   const u32 seed1 = game.seed1;
   const u32 seed2 = game.seed2;
   Player* mabel = game.players[1];
   struct Case
   {
      const char* what;
      Player* speaker;
      std::string group;
      float probability;
      const char* said;
   };
   const Case cases[] = {
       {"probability 1 always speaks", mabel, "WIN", 1.0f, "1:MabelWin"},
       {"a human never speaks", game.players[0], "WIN", 1.0f, ""},
       {"a group the character lacks", mabel, "LOSE", 1.0f, ""},
       {"no group", mabel, "", 1.0f, ""},
       {"a 63-character key", mabel, LONG_GROUP_63, 1.0f, "1:Long63"},
       {"a 64-character key says nothing", mabel, LONG_GROUP_64, 1.0f, ""},
       {"no speaker", nullptr, "WIN", 1.0f, ""},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.what);
      game.CharacterDialogRandomSay(c.speaker, c.group.empty() ? nullptr : c.group.c_str(), 0, c.probability);
      EXPECT_EQ(Said(), c.said);
   }

   // Probability 0 speaks only on a draw of exactly 0.
   randomState0 = 5;
   randomState1 = 7;
   ASSERT_NE(RandomNumberGet(), 0u);
   randomState0 = 5;
   randomState1 = 7;
   game.CharacterDialogRandomSay(mabel, "WIN", 0, 0.0f);
   EXPECT_EQ(Said(), "");
   ZeroDrawWordsSet();
   ASSERT_EQ(RandomNumberGet(), 0u);
   ZeroDrawWordsSet();
   game.CharacterDialogRandomSay(mabel, "WIN", 0, 0.0f);
   EXPECT_EQ(Said(), "1:MabelWin");

   // Addressing: the addressee's suffix names the speaker's group.
   game.CharacterAddressDialogSay(game.players[2], mabel, 0);
   EXPECT_EQ(Said(), "2:OttoToMabel");
   game.CharacterAddressDialogSay(mabel, game.players[2], 0);
   EXPECT_EQ(Said(), "") << "a suffix that is not a string";
   game.CharacterAddressDialogSay(mabel, game.players[3], 0);
   EXPECT_EQ(Said(), "") << "no suffix";
   game.CharacterAddressDialogSay(game.players[2], game.players[0], 0);
   EXPECT_EQ(Said(), "") << "a human addressee";

   // Teams: one of the team's computers speaks; a team of none says nothing.
   Team* northSouth = game.TeamGet(0);
   Team* eastWest = game.TeamGet(1);
   ASSERT_NE(northSouth, nullptr);
   ASSERT_NE(eastWest, nullptr);
   game.TeamCharacterDialogRandomSay(northSouth, "WIN", 0, 0, 1.0f);
   EXPECT_EQ(Said(), "2:OttoWin") << "the human partner is not counted";
   for (i32 round = 0; round < 20; ++round)
   {
      game.TeamCharacterDialogRandomSay(eastWest, "WIN", 0, 0, 1.0f);
      const std::string said = Said();
      EXPECT_TRUE(said == "1:MabelWin" || said == "3:RosaWin") << said;
   }
   game.players[2]->human = true;
   game.TeamCharacterDialogRandomSay(northSouth, "WIN", 0, 0, 1.0f);
   EXPECT_EQ(Said(), "");
   game.TeamCharacterDialogRandomSay(nullptr, "WIN", 0, 0, 1.0f);
   EXPECT_EQ(Said(), "");

   EXPECT_EQ(game.seed1, seed1) << "a line never shifts the game's own draws";
   EXPECT_EQ(game.seed2, seed2);
}

TEST_F(SpeechAndPanelsTest, TheBalloonStandsBesideTheSpeakersPanel)
{
   const u32 width = screen.virtualWidth;
   screen.virtualWidth = 960;
   auto spoken = [this](i32 playerIndex)
   {
      dialogManager.position = Point2F{-1.0f, -1.0f};
      game.CharacterDialogRandomSay(game.players[playerIndex], "WIN", 0, 1.0f);
      EXPECT_TRUE(harness.RunUntilIdle(600));
      return std::to_string(static_cast<int>(dialogManager.position.x)) + "|" +
             std::to_string(static_cast<int>(dialogManager.position.y));
   };
   // Panels at "10|300", "100|10" and "700|300": right of the panel when the balloon fits.
   EXPECT_EQ(spoken(1), "316|304");
   EXPECT_EQ(spoken(2), "406|14");
   EXPECT_EQ(spoken(3), "254|304") << "no room on the right: the left side";
   // A speaker without a panel leaves the balloon where it was.
   game.playerPanels[3]->playerID = -1;
   EXPECT_EQ(spoken(3), "-1|-1");
   // The game's own positions come first.
   JSONValue* positions = game.constants->ItemArraySet("PlayerDialogPositions");
   for (const char* at : {"1|1", "2|2", "3|3", "4|4"})
   {
      positions->ElementAdd()->StringSet(at);
   }
   EXPECT_EQ(spoken(1), "2|2");
   screen.virtualWidth = width;
}

TEST_F(SpeechAndPanelsTest, PanelRecordsFollowTurnDealerAndSeats)
{
   ASSERT_EQ(game.playerPanels.count, 4);
   for (i32 i = 0; i < 4; ++i)
   {
      EXPECT_EQ(game.playerPanels[i]->playerID, i);
      EXPECT_EQ(game.playerPanels[i]->widget, nullptr) << "no container headless: no widget";
      game.playerPanels[i]->Refresh();
      game.playerPanels[i]->PortraitUpdate();
   }
   auto lit = [this]()
   {
      std::string text;
      for (i32 i = 0; i < game.playerPanels.count; ++i)
      {
         text += game.playerPanels[i]->active ? "1" : "0";
      }
      return text;
   };

   game.subgameFirstTurnBegan = false;
   game.PlayerActiveSet(2);
   EXPECT_EQ(lit(), "0000") << "before the first turn";
   game.subgameFirstTurnBegan = true;
   game.PlayerActiveSet(2);
   EXPECT_EQ(lit(), "0010");
   game.PlayerActiveSet(3);
   EXPECT_EQ(lit(), "0001");
   game.subgameOver = true;
   game.PlayerPanelFramesRefresh();
   EXPECT_EQ(lit(), "0000") << "after the hand";
   game.subgameOver = false;

   game.PlayerDealerSet(game.players[1]);
   game.PlayerDealerSet(game.players[3]);
   for (i32 i = 0; i < 4; ++i)
   {
      EXPECT_EQ(game.playerPanels[i]->dealerIconShown, i == 3);
   }
   game.PlayerDealerSet(nullptr);
   for (i32 i = 0; i < 4; ++i)
   {
      EXPECT_FALSE(game.playerPanels[i]->dealerIconShown);
   }
}

TEST_F(SpeechAndPanelsTest, TeamPanelLinesNameBothPartners)
{
   textManager.Init();
   // The team panel as its constants build it: a "Text" container of labels.
   ContainerWidget panel;
   panel.InitWithoutSpecification("TeamPanel", nullptr);
   ContainerWidget* text = MemoryNew<ContainerWidget>(HEAP_DEFAULT);
   text->InitWithoutSpecification("Text", &panel);
   panel.ChildAddLast(text);
   for (i32 i = 0; i < 2; ++i)
   {
      LabelWidget* label = MemoryNew<LabelWidget>(HEAP_DEFAULT);
      label->InitWithoutSpecification(i == 0 ? "Line0" : "Line1", text);
      text->ChildAddLast(label);
   }
   game.teamPanels.Insert(&panel, 0);
   auto line = [text](i32 i)
   {
      const char* value = static_cast<LabelWidget*>(text->ChildGetAt(i))->TextGet();
      return std::string(value ? value : "");
   };

   game.TeamPanelTextSet(0, 1, "kept");
   game.TeamPanelTextSet(0, 2, "no such line");
   game.TeamPanelTextSet(1, 0, "no such panel");
   EXPECT_EQ(line(1), "kept");
   game.players[1]->human = true;
   game.players[3]->human = true;
   game.players[1]->NameSet("Ann");
   game.players[3]->NameSet("Bob");
   // Without the "TeamAnd" text nothing changes.
   game.TeamPanelNameSet(0, game.TeamGet(1));
   EXPECT_EQ(line(1), "kept");

   harness.FileWrite("Text/English/TeamTest.json", R"({"TeamAnd": "and"})");
   textManager.LanguageSet(&language);
   textManager.FileAdd("TeamTest");
   game.TeamPanelNameSet(0, game.TeamGet(1));
   EXPECT_EQ(line(0), "Ann and");
   EXPECT_EQ(line(1), "Bob");

   game.TeamPanelTextSet(0, 1, "kept");
   Team* partnerless = game.TeamGet(1);
   partnerless->playerIDs.count = 1;
   game.TeamPanelNameSet(0, partnerless);
   EXPECT_EQ(line(1), "kept") << "a team missing its second player keeps its lines";

   game.TeamPanelTextsClear();
   EXPECT_EQ(line(1), "");
   game.teamPanels.count = 0;
   // Without the GUI manager nobody frees removed widgets: the tree goes by hand.
   for (i32 i = 0; i < text->ChildCountGet(); ++i)
   {
      Widget* label = text->ChildGetAt(i);
      label->Deinit();
      MemoryDelete(label);
   }
   text->children.count = 0;
   text->Deinit();
   MemoryDelete(text);
   panel.children.count = 0;
   panel.Deinit();
   textManager.LanguageSet(nullptr);
   textManager.Deinit();
}
} // namespace
} // namespace TestSupport
} // namespace Corvale
