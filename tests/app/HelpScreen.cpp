// The help screen on a small layer: the page it starts on from a menu and during a game, its lists
// of built games and the selections they keep, the rules document with its English stand-in, the
// pages the constants offer, and the tutorial button.
#include "app/HelpScreen.h"

#include <fstream>

#include "app/RootMenu.h"
#include "core/TextManager.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/widgets/StateContainerWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "tests/app/MenuTestSupport.h"
#include "tutorial/TutorialState.h"

namespace MenuTest
{
namespace
{
// A built game that is not a solitaire.
class ParlorGame : public PlayableGame
{
 public:
   const char* GameNameGet() override { return "Parlor"; }
};

// Reaches the list's items by index, as the list itself does.
class ListItems : public DropDownListWidget
{
 public:
   using DropDownListWidget::ItemGetAt;
};

std::string List(const char* name, int x)
{
   return std::string(R"({"Type": "DropDownList", "Name": ")") + name + R"(", "PositionOffset": ")" +
          std::to_string(x) + R"(|0", "Bounds": "0|0|100|30",
      "ScrollBox": {"Position": "0|30", "Bounds": "0|0|100|100", "ClipContainer": {"ClipArea": "0|0|100|100"}},
      "OpenButton": {"Bounds": "0|0|100|30"}, "ItemTemplate": {"Bounds": "0|0|100|20"}})";
}

const char* const document =
    R"({"Type": "TextDocument", "Name": "Text", "PositionOffset": "0|40", "Bounds": "0|0|400|200",
       "ClipContainer": {"ClipArea": "0|0|400|200"}})";

// Playable is a built solitaire with a tutorial, GinRummy and OldMaid are not built.
const char* const helpConsts = R"({"SolitaireGames": ["GinRummy", "Playable"],
   "HelpScreenGames": ["Solitaire", "OldMaid", "Parlor"], "Tutorials": ["Playable"]})";

class HelpScreenTest : public MenuFixture
{
 protected:
   void SetUp() override
   {
      MenuFixture::SetUp();
      minigames.Insert(&parlor, minigames.count);
      ConstsSet(helpConsts);
      LayerWrite("Help", R"({"Children": [{"Type": "Container", "Name": "Panel", )" +
                             std::string(transitions) +
                             R"(, "Children": [
         {"Type": "PressButton", "Name": "Close", "Bounds": "0|0|40|40"},
         {"Type": "RadioButtonContainer", "Name": "SubmenuButtons", "Children": [
            {"Type": "RadioButton", "Name": "General", "Bounds": "0|0|40|40"},
            {"Type": "RadioButton", "Name": "Games", "PositionOffset": "50|0", "Bounds": "0|0|40|40"}]},
         {"Type": "StateContainer", "Name": "Submenus", "Children": [
            {"Type": "Container", "Name": "General", "Children": [)" +
                             document + R"(]},
            {"Type": "Container", "Name": "Games", "Children": [)" +
                             document + "," + List("GameList", 0) + "," + List("SolitaireGameList", 110) +
                             R"(, {"Type": "PressButton", "Name": "TutorialButton", "PositionOffset": "300|0",
                  "Bounds": "0|0|40|40"}]}]}]}]})");
      TextFileWrite("English", "HelpGeneral", "How to play");
      TextFileWrite("English", "HelpGames/Playable", "Playable rules");
      TextFileWrite("English", "HelpGames/Parlor", "Parlor rules");
      TextFileWrite("French", "HelpGames/Parlor", "Regles du salon");
      textManager.LanguageSet(&language);
      helpScreenPopup = &helpScreen;
      helpScreen.submenuIndex = 0;
      helpScreen.gameListIndex = 0;
      helpScreen.solitaireListIndex = 0;
   }

   void TearDown() override
   {
      PopupManager::CloseAll();
      helpScreenPopup = nullptr;
      textManager.LanguageSet(nullptr);
      GameStateManager::Deinit();
      TutorialQueueEmpty();
      MenuFixture::TearDown();
   }

   static void TutorialQueueEmpty()
   {
      std::memset(tutorialState.queue, 0, sizeof(tutorialState.queue));
      tutorialState.queueCount = 0;
   }

   void TextFileWrite(const char* language, const std::string& name, const char* text)
   {
      const std::string path = folder + "/Text/" + language + "/" + name + ".txt";
      std::filesystem::create_directories(std::filesystem::path(path).parent_path());
      std::ofstream(path) << text;
   }

   // Opened from the menu bar, as the player opens it; the stand-in game shows no menu bar.
   void HelpOpen()
   {
      if (WidgetAt<PressButtonWidget>("MenuBar.Panel.Help"))
      {
         Click("MenuBar.Panel.Help");
      }
      else
      {
         PopupManager::OpenUnlessOpen(helpScreenPopup);
      }
      Settle();
      ASSERT_GE(PopupManager::IndexGet(&helpScreen), 0);
   }

   void HelpClose()
   {
      Click("Help.Panel.Close");
      Settle();
      ASSERT_LT(PopupManager::IndexGet(&helpScreen), 0);
   }

   void GameEnter(Minigame* played)
   {
      Enter(&mainMenu);
      GameStateManager::Push(played);
      Settle();
      ASSERT_EQ(GameStateManager::current, played);
   }

   std::string Page()
   {
      StateContainerWidget* pages = WidgetAt<StateContainerWidget>("Help.Panel.Submenus");
      return pages && pages->StateNameGet() ? pages->StateNameGet() : "";
   }

   DropDownListWidget* ListAt(const char* name)
   {
      return WidgetAt<DropDownListWidget>((std::string("Help.Panel.Submenus.Games.") + name).c_str());
   }

   std::string Items(const char* name)
   {
      std::string items;
      DropDownListWidget* list = ListAt(name);
      DropDownListItemButtonWidget* (DropDownListWidget::*itemGet)(i32) = &ListItems::ItemGetAt;
      for (i32 i = 0; list && i < list->ItemCountGet(); i++)
      {
         items += std::string(items.empty() ? "" : ",") + (list->*itemGet)(i)->NameGet();
      }
      return items;
   }

   std::string Selected(const char* name)
   {
      DropDownListWidget* list = ListAt(name);
      return list && list->SelectionNameGet() ? list->SelectionNameGet() : "";
   }

   // The file a page's document reads and the text it shows.
   std::string Document(const char* page)
   {
      TextDocumentWidget* text =
          WidgetAt<TextDocumentWidget>((std::string("Help.Panel.Submenus.") + page + ".Text").c_str());
      if (!text)
      {
         return "no document";
      }
      return std::string(text->TextFilenameGet() ? text->TextFilenameGet() : "") + ": " +
             (text->TextGet() ? text->TextGet() : "");
   }

   bool TutorialShown()
   {
      PressButtonWidget* button = WidgetAt<PressButtonWidget>("Help.Panel.Submenus.Games.TutorialButton");
      return button && button->visible;
   }

   ParlorGame parlor;
   u32 language = 0;
};

TEST_F(HelpScreenTest, OnlyBuiltGamesAreListedAndSolitaireWhileAnySolitaireIsBuilt)
{
   Enter(&mainMenu);
   HelpOpen();
   EXPECT_EQ(Items("GameList"), "Solitaire,Parlor");
   EXPECT_EQ(Items("SolitaireGameList"), "Playable");

   const struct
   {
      const char* solitaires;
      const char* game;
      bool listed;
   } cases[] = {
       {R"(["GinRummy", "Playable"])", "Solitaire", true},
       {R"(["GinRummy"])", "Solitaire", false},
       {R"([])", "Solitaire", false},
       {R"(["Playable"])", "Parlor", true},
       {R"(["Playable"])", "OldMaid", false},
       {R"(["Playable"])", "NoSuchGame", false},
   };
   for (const auto& c : cases)
   {
      ConstsSet(std::string(R"({"SolitaireGames": )") + c.solitaires + "}");
      EXPECT_EQ(HelpGameListedCheck(c.game), c.listed) << c.game << " among " << c.solitaires;
   }
   EXPECT_FALSE(HelpGameListedCheck(nullptr));
}

TEST_F(HelpScreenTest, DuringASolitaireItOpensOnItsRulesWithTheEnglishStandingInForFrench)
{
   language = 1;
   GameEnter(&game);
   HelpOpen();
   EXPECT_EQ(Page(), "Games");
   EXPECT_EQ(Selected("GameList"), "Solitaire");
   EXPECT_EQ(Selected("SolitaireGameList"), "Playable");
   EXPECT_TRUE(ListAt("SolitaireGameList")->visible);
   EXPECT_STREQ(helpScreen.HelpSelectedGameGet(), "Playable");
   EXPECT_EQ(Document("Games"), "HelpGames/Playable: Playable rules");
   EXPECT_TRUE(TutorialShown());

   // A game the player picks shows its own document, translated where it is.
   ListAt("GameList")->SelectionSetByName("Parlor", true);
   EXPECT_FALSE(ListAt("SolitaireGameList")->visible);
   EXPECT_EQ(Document("Games"), "HelpGames/Parlor: Regles du salon");
   EXPECT_FALSE(TutorialShown()) << "Parlor has no tutorial";
}

TEST_F(HelpScreenTest, ALanguageSwitchRereadsTheOpenDocument)
{
   textManager.LanguageSet(&languageIndex);
   Enter(&mainMenu);
   HelpOpen();
   helpScreen.SubmenuShow("Games");
   ListAt("GameList")->SelectionSetByName("Parlor", true);
   EXPECT_EQ(Document("Games"), "HelpGames/Parlor: Parlor rules");
   LanguageCurrentSet(1);
   EXPECT_EQ(Document("Games"), "HelpGames/Parlor: Regles du salon");
   LanguageCurrentSet(0);
   EXPECT_EQ(Document("Games"), "HelpGames/Parlor: Parlor rules");
}

TEST_F(HelpScreenTest, FromAMenuItOpensOnTheGeneralPageAndKeepsTheListsSelections)
{
   Enter(&mainMenu);
   HelpOpen();
   EXPECT_EQ(Page(), "General");
   EXPECT_EQ(Document("General"), "HelpGeneral: How to play");
   helpScreen.SubmenuShow("Games");
   ListAt("GameList")->SelectionSetByName("Parlor", true);
   EXPECT_EQ(Page(), "Games");
   HelpClose();

   HelpOpen();
   EXPECT_EQ(Page(), "General");
   EXPECT_EQ(Selected("GameList"), "Parlor");
   EXPECT_EQ(Document("Games"), "HelpGames/Parlor: Parlor rules");
   HelpClose();

   // Played and left, the game is selected on the next opening from the menu.
   GameStateManager::Push(&game);
   Settle();
   HelpOpen();
   EXPECT_EQ(Selected("GameList"), "Solitaire");
   HelpClose();
   GameStateManager::Pop();
   Settle();
   ASSERT_EQ(GameStateManager::current, &mainMenu);
   HelpOpen();
   EXPECT_EQ(Page(), "General");
   EXPECT_EQ(Selected("GameList"), "Solitaire");
   EXPECT_EQ(Selected("SolitaireGameList"), "Playable");
}

TEST_F(HelpScreenTest, TheConstantsChooseThePagesOffered)
{
   const struct
   {
      const char* submenus;
      const char* page;
      bool generalButton;
   } cases[] = {
       {R"(["Games"])", "Games", false},
       {R"(["General", "Games"])", "General", true},
       {R"("Games")", "General", true},
       {R"([])", "", false},
   };
   Enter(&mainMenu);
   for (const auto& c : cases)
   {
      ConstsSet(std::string(R"({"SolitaireGames": ["Playable"], "HelpScreenGames": ["Solitaire"],
         "HelpScreenSubmenus": )") +
                c.submenus + "}");
      HelpOpen();
      EXPECT_EQ(Page(), c.page) << c.submenus;
      EXPECT_EQ(WidgetAt<Widget>("Help.Panel.SubmenuButtons.General")->visible, c.generalButton)
          << c.submenus;
      HelpClose();
   }
   EXPECT_FALSE(helpScreen.SubmenuAvailableCheck(nullptr));
   // Without the games page, a game opens the general one.
   ConstsSet(R"({"SolitaireGames": ["Playable"], "HelpScreenSubmenus": ["General"]})");
   GameStateManager::Push(&game);
   Settle();
   HelpOpen();
   EXPECT_EQ(Page(), "General");
}

TEST_F(HelpScreenTest, TheTutorialStartsAtOnceFromAMenu)
{
   Enter(&mainMenu);
   HelpOpen();
   helpScreen.SubmenuShow("Games");
   ListAt("GameList")->SelectionSetByName("Solitaire", true);
   ASSERT_TRUE(TutorialShown());
   GameStateManager::switchPending = 1;
   Click("Help.Panel.Submenus.Games.TutorialButton");
   EXPECT_EQ(tutorialState.queueCount, 0) << "ignored while a switch is pending";
   GameStateManager::switchPending = 0;
   Click("Help.Panel.Submenus.Games.TutorialButton");
   ASSERT_EQ(tutorialState.queueCount, 1);
   EXPECT_STREQ(tutorialState.queue[0], "Playable");
   EXPECT_EQ(GameStateManager::TopGet(), &tutorialState);
   EXPECT_TRUE(GameStateManager::switchPending);
}

TEST_F(HelpScreenTest, DuringAGameTheTutorialStartsOnlyAfterTheQuestion)
{
   GameEnter(&game);
   HelpOpen();
   Click("Help.Panel.Submenus.Games.TutorialButton");
   MessageBoxPopup* box = BoxGet("ShowTutorialConfirmation");
   ASSERT_NE(box, nullptr);
   EXPECT_EQ(tutorialState.queueCount, 0) << "nothing before the answer";
   EXPECT_EQ(GameStateManager::TopGet(), &game);
   ASSERT_NE(box->onYes, nullptr);
   box->onYes(box, nullptr, box->onYesUserData);
   ASSERT_EQ(tutorialState.queueCount, 1);
   EXPECT_STREQ(tutorialState.queue[0], "Playable");
   EXPECT_EQ(GameStateManager::TopGet(), &tutorialState);
}
} // namespace
} // namespace MenuTest
